#include "search/affichage.h"

void affiche_pv(int, int, char) {}
void affiche_coup_courant(Coup, int) {}
void affiche_statistiques(int) {}
