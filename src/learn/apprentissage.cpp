#include "learn/apprentissage.h"

int32_t valeurs_apprentissage[NB_VALEURS_APPRENTISSAGE];

void apprentissage_partie(const Partie&, const char*, int, int) {}
void apprentissage_position(const Partie&, const char*, int, int) {}
