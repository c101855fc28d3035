#include "front/go.h"

int32_t mode_temps_fixe = 1;
int32_t temps_fixe = 30;
int32_t profondeur_max = 64;
int32_t temps_restant = 1800;
int32_t increment = 0;
int32_t coups_restants = 60;
int32_t sans_coups_restants = 1;
int32_t coups_controle = 60, temps_controle = 1800;
int32_t coups_periode = 30, temps_periode = 900;
int32_t ponder_en_cours = 0;
int32_t analyse_infinie = 0;
int32_t valeur_precedente = 30001;
char nom_ouverture[TAILLE_NOM_OUVERTURE] = "";
int32_t recherche_en_cours = 0;

void lance_go(const char*) {}
void joue_coup_programme() {}
void decompte_temps(int32_t) {}
