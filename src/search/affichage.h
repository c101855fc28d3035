// Search output: the "info" lines and the log-file copy.
#pragma once

#include "board/types.h"

// mark: '+' fail high, '-' fail low, ':' inside the window, '>' final line.
void affiche_pv(int profondeur, int score, char marque);
// One of the lines of an iteration that reports several root moves:
// "info multipv N ..." with the line's exact score and moves.
void affiche_ligne_multipv(int numero, int profondeur, int score, const Coup* coups, int longueur);
// "info nps ... hashfull ..." once a second has passed.
void affiche_vitesse();
void affiche_coup_courant(Coup coup, int numero);
void affiche_statistiques(int score);
