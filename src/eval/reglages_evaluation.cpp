#include "eval/reglages_evaluation.h"

int32_t attaque_pions = 0;
