// Standard algebraic notation (SAN) resolved against the search board, for
// the book and ECO builders that replay games from their move text.
#pragma once

#include "board/types.h"

// Keys, bitboard tables and diagonals, for programs that replay games
// without starting the engine (the builders, the tests).
void initialise_plateau();
// Sets the game record and the search board to the standard initial
// position, White to move, ready to replay moves from ply 0.
void prepare_rejeu();
// The legal move of `camp` at `ply` of the search board that `san` names
// ("e4", "Nbd7", "exd6", "e8=Q+", "O-O", "0-0-0", "Ng1-f3"); 0 when the
// text is malformed, names no legal move or more than one.
Coup coup_depuis_san(const char* san, int camp, int ply);
