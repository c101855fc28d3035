#include "front/options.h"

int32_t fin_programme = 0;
char repertoire_livres[TAILLE_REPERTOIRE] = "";
int32_t ponder_autorise = 0;
int32_t hash_actif = 1;
int32_t livre_demande = 0;
int32_t compteur_livre = 0;
int32_t log_actif = 0;
FILE* fichier_log = nullptr;
int32_t tb_disponibles = 0;
int32_t iid_actif = 1;
int32_t extension_singuliere = 0;
int32_t extension_securite_roi = 0;
int32_t futilite = 0;
int32_t quiescence_limitee = 0;
int32_t mode_tournoi = 0;
int32_t apprentissage = 0;
int32_t attaque_pions = 0;
char derniere_position[TAILLE_LIGNE] = "";
int32_t position_continue = 0;

void annonce_options() {}
void commande_setoption() {}
