// Test set-up: a position from a FEN, prepared for evaluation as a search
// would prepare it.
#pragma once

#include <string>

// Builds the game record and the search board from `fen` (placement, side,
// castling and en-passant fields), the side to move being the program's
// side, with `demi_coups` plies played before it (the phase reads it).
void construit(const std::string& fen, int demi_coups = 0);
// construit, then what a search does first: the lazy margin back to 200,
// prepare_evaluation, the pawn hash cleared.
void installe(const std::string& fen, int demi_coups = 0);
// Full-window evaluation for the side to move at ply 0.
int evaluation_complete();
int trait();
