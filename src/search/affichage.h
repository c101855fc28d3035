// Search output: the "info" lines and the log-file copy.
#pragma once

#include "board/types.h"

// mark: '+' fail high, '-' fail low, ':' inside the window, '>' final line.
void affiche_pv(int profondeur, int score, char marque);
void affiche_coup_courant(Coup coup, int numero);
void affiche_statistiques(int score);
