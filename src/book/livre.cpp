#include "book/livre.h"

void ouvre_livre() {}
void ferme_livre() {}
int64_t cherche_livre(uint64_t) { return -1; }
int lit_encyclopedie(int64_t, FicheLivre&) { return 0; }
Coup choisit_coup_livre(int) { return 0; }
void affiche_stats_livre(const FicheLivre&) {}
Coup consulte_livre(int, int) { return 0; }
