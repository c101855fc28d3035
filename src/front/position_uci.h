// "position": the game record from the start position or a FEN, then the
// moves played since, and whether the command continues the previous game.
#pragma once

#include <cstdint>

#include "front/interprete.h"

extern char derniere_position[TAILLE_LIGNE + 16];  // the last "position" line, from its first word
extern int32_t position_continue;  // 1 when this "position" extends the previous one
// 1 after a "position" command was refused, until one is taken: the game
// held is then not the interface's.
extern int32_t position_refusee;

// Reads the rest of the command from standard input and sets up the game
// record; a refused command leaves it as it was.
void commande_position();
