// Move text: coordinate notation in and out.
#pragma once

#include <cstdio>

#include "board/position.h"

// Plays a coordinate move text ("e2e4", "e7e8q") on the game record.
// Returns 1 when played, 0 when refused (malformed text, no such legal move
// for the side to move, or the game record is full); `erreur_texte` then
// says why.
int partie_joue_texte(Partie& p, const char* texte);
extern const char* erreur_texte;

// Plays a move known to be legal; does nothing once the record holds
// DEMI_COUPS_MAX plies.
void partie_joue_coup(Partie& p, int origine, int destination, char promotion);

void ecrit_coup(FILE* flux, Coup coup);
// Writes the text of `coup` into `texte` (at least 6 bytes) and returns it.
char* texte_coup(Coup coup, char* texte);
