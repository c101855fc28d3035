#include "movegen/selection.h"

EtatSelection etat_selection[PLY_MAX];
int32_t score_coups[TAILLE_SCORES];
Coup coup_hash[PLY_MAX];
Coup pv_precedente[PLY_MAX];
int premiere_branche;
Coup tueur1[PLY_MAX], tueur2[PLY_MAX];
int32_t historique[2][4096];
Coup selection_coup(int, int, int) { return 0; }
Coup selection_coup_echec(int, int, int) { return 0; }
Coup selection_coup_quiescence(int, int, int, int) { return 0; }
int coup_valide(int, int, Coup) { return 0; }
