#include "search/reglages_recherche.h"

int32_t ponder_autorise = 0;
int32_t hash_actif = 1;
int32_t tb_disponibles = 0;
int32_t iid_actif = 1;
int32_t extension_singuliere = 0;
int32_t extension_securite_roi = 0;
int32_t futilite = 0;
int32_t quiescence_limitee = 0;
int32_t analyse_uci = 0;
int32_t nb_lignes_pv = 1;
int32_t marge_interface_ms = 10;
