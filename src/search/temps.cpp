#include "search/temps.h"

int32_t temps_limite = 1;
int32_t temps_absolu = 1;
void demarre_chrono() {}
int32_t secondes_ecoulees() { return 0; }
int64_t millisecondes_ecoulees() { return 0; }
void calcule_temps() {}
int temps_depasse(int) { return 0; }
