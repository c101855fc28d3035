#include "search/etat_recherche.h"

#include "egtb/tablebases.h"

Coup pv[PLY_MAX + 1][PLY_MAX + 1];
int32_t longueur_pv[PLY_MAX + 1];
TypeNoeud type_noeud[PLY_MAX + 1];

Coup coup_courant[PLY_MAX + 1];
int32_t valeur_prise[PLY_MAX + 1];
int32_t promotion_ply[PLY_MAX + 1];
int32_t marques_extension[PLY_MAX + 1];
int32_t coup_nul_en_cours[PLY_MAX + 1];
int32_t danger_rois[2][PLY_MAX + 1];
int32_t compte_tueur1[PLY_MAX], compte_tueur2[PLY_MAX];

FicheRacine fiches_racine[RACINE_MAX];
int32_t nb_coups_racine;

int32_t profondeur_iteration;
int32_t profondeur_terminee;
int32_t score_racine;
int32_t score_precedent;
int32_t premier_coup_racine;
int32_t reprise_haute;
int32_t echec_bas;
int32_t camp_racine;
int32_t lignes_racine = 1;
uint64_t cle_racine;

volatile int32_t arret_recherche;
void (*commande_pendant_recherche)() = nullptr;
int32_t compteur_controle = 50000;
int32_t intervalle_controle = 50000;
int32_t debut_quiescence;

int64_t noeuds, noeuds_recherche, noeuds_quiescence;
int64_t nb_coups_nuls, nb_coupures_nulles;
int64_t nb_ext_echec, nb_ext_recapture, nb_ext_coup_unique, nb_ext_menace, nb_ext_securite,
    nb_ext_singuliere;
int64_t nb_coupures, nb_coupures_premier;

void efface_statistiques() {
  noeuds = noeuds_recherche = noeuds_quiescence = 0;
  nb_coups_nuls = nb_coupures_nulles = 0;
  tb_sondes = tb_succes = 0;
  nb_ext_echec = nb_ext_recapture = nb_ext_coup_unique = nb_ext_menace = nb_ext_securite =
      nb_ext_singuliere = 0;
  nb_coupures = nb_coupures_premier = 0;
}
