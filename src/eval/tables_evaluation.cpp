#include "eval/tables_evaluation.h"

void initialise_tables_evaluation() {}
