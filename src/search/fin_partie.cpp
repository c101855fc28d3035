#include "search/fin_partie.h"

int annonce_fin_partie(int, int, int) { return 1; }
int repetition_partie() { return 0; }
