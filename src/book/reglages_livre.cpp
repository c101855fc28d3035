#include "book/reglages_livre.h"

char repertoire_livres[TAILLE_REPERTOIRE] = "";
int32_t livre_demande = 0;
int32_t livre_par_defaut = 1;
int32_t mode_tournoi = 0;
int32_t compteur_livre = 0;
