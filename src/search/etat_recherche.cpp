#include "search/etat_recherche.h"

#include "egtb/tablebases.h"

thread_local constinit Coup pv[PLY_MAX + 1][PLY_MAX + 1]{};
thread_local constinit int32_t longueur_pv[PLY_MAX + 1]{};
thread_local constinit TypeNoeud type_noeud[PLY_MAX + 1]{};

thread_local constinit Coup coup_courant[PLY_MAX + 1]{};
thread_local constinit int32_t valeur_prise[PLY_MAX + 1]{};
thread_local constinit int32_t promotion_ply[PLY_MAX + 1]{};
thread_local constinit int32_t marques_extension[PLY_MAX + 1]{};
thread_local constinit int32_t coup_nul_en_cours[PLY_MAX + 1]{};
thread_local constinit int32_t danger_rois[2][PLY_MAX + 1]{};
thread_local constinit int32_t compte_tueur1[PLY_MAX]{}, compte_tueur2[PLY_MAX]{};

thread_local constinit FicheRacine fiches_racine[RACINE_MAX]{};
thread_local constinit int32_t nb_coups_racine{};

thread_local constinit int32_t profondeur_iteration{};
thread_local constinit int32_t profondeur_terminee{};
thread_local constinit int32_t score_racine{};
thread_local constinit int32_t score_precedent{};
thread_local constinit int32_t premier_coup_racine{};
thread_local constinit int32_t reprise_haute{};
thread_local constinit int32_t echec_bas{};
thread_local constinit int32_t camp_racine{};
thread_local constinit int32_t lignes_racine = 1;
thread_local constinit uint64_t cle_racine{};

std::atomic<int32_t> arret_recherche;
thread_local constinit CommandeRecherche commande_pendant_recherche = nullptr;
thread_local constinit int32_t compteur_controle = 50000;
thread_local constinit int32_t intervalle_controle = 50000;
thread_local constinit int32_t debut_quiescence{};

thread_local constinit int64_t noeuds{}, noeuds_recherche{}, noeuds_quiescence{};
thread_local constinit int64_t nb_coups_nuls{}, nb_coupures_nulles{};
thread_local constinit int64_t nb_ext_echec{}, nb_ext_recapture{}, nb_ext_coup_unique{}, nb_ext_menace{}, nb_ext_securite{},
    nb_ext_singuliere{};
thread_local constinit int64_t nb_coupures{}, nb_coupures_premier{};

void efface_statistiques() {
  noeuds = noeuds_recherche = noeuds_quiescence = 0;
  nb_coups_nuls = nb_coupures_nulles = 0;
  tb_sondes = tb_succes = 0;
  nb_ext_echec = nb_ext_recapture = nb_ext_coup_unique = nb_ext_menace = nb_ext_securite =
      nb_ext_singuliere = 0;
  nb_coupures = nb_coupures_premier = 0;
}
