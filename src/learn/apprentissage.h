// Learning files: the values of the first searches out of book and the RTF
// reports appended to "apprentissage.txt" and "Position.txt".
#pragma once

#include <cstdint>

#include "board/position.h"

// "Apprentissage" option: 1 while the learning files are kept.
extern int32_t apprentissage;

// Value of the previous search, against which a drop is reported; 30001
// (INFINI) = none. A new game or an infinite analysis resets it.
extern int32_t valeur_precedente;

constexpr int NB_VALEURS_APPRENTISSAGE = 10;

// Value k is the result of the search that saw the book counter at k + 2.
// Never cleared: a later stretch out of book overwrites it entry by entry.
extern int32_t valeurs_apprentissage[NB_VALEURS_APPRENTISSAGE];

// Both are called after every search while the "Apprentissage" option is on,
// in this order, before the chosen move is played into the game record.
// `meilleur_coup` is the move text announced after "bestmove" (empty when
// the search found no move), `valeur` the search result for the side to move
// and `profondeur` the depth of the last completed iteration.
void apprentissage_partie(const Partie& p, const char* meilleur_coup, int valeur, int profondeur);
void apprentissage_position(const Partie& p, const char* meilleur_coup, int valeur, int profondeur);
