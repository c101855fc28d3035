#include "search/limites_recherche.h"

int32_t mode_temps_fixe = 1;
int32_t temps_fixe = 30;
int32_t profondeur_max = 64;
int32_t profondeur_plafond = 64;
int32_t temps_restant = 1800;
int32_t increment = 0;
int32_t coups_restants = 60;
int32_t sans_coups_restants = 1;
int32_t coups_controle = 60, temps_controle = 1800;
int32_t coups_periode = 30, temps_periode = 900;
int64_t temps_restant_ms = -1;
int64_t increment_ms = -1;
int64_t temps_fixe_ms = -1;
int32_t ponder_en_cours = 0;
int32_t analyse_infinie = 0;
int32_t go_infini = 0;
int64_t limite_noeuds = SANS_LIMITE_NOEUDS;
int32_t mat_cherche = 0;
char coups_demandes[COUPS_DEMANDES_MAX][8];
int32_t nb_coups_demandes = 0;
