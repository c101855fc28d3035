// Move text: coordinate notation out, and a move played on the game record.
// Reading a move text is in movegen/lecture_coup.h (it takes the generator).
#pragma once

#include <cstdio>

#include "board/position.h"

// Letter of each promotion piece type, as move texts write it.
constexpr const char* LETTRES_PROMOTION = " pnbrqk";
// Promotion type of a letter; anything but n, b, r (either case) is a queen.
int type_promotion(char lettre);

// Plays a move known to be legal; does nothing once the record holds
// DEMI_COUPS_MAX plies.
void partie_joue_coup(Partie& p, int origine, int destination, char promotion);

void ecrit_coup(FILE* flux, Coup coup);
// Writes the text of `coup` into `texte` (at least 6 bytes) and returns it.
char* texte_coup(Coup coup, char* texte);
