// Reading a move text in coordinate notation into the game record: the text
// must name a legal move of the side to move, which the generator decides.
#pragma once

#include "board/position.h"

// Plays a coordinate move text ("e2e4", "e7e8q") on the game record.
// Returns 1 when played, 0 when refused (malformed text, no such legal move
// for the side to move, or the game record is full); `erreur_texte` then
// says why.
int partie_joue_texte(Partie& p, const char* texte);
extern const char* erreur_texte;
