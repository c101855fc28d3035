#include "front/demarrage.h"

void initialise_moteur() {}
int boucle_uci() { return 0; }
