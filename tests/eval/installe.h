// Test set-up: a position from a FEN, prepared for evaluation as a search
// would prepare it.
#pragma once

#include <string>

// Sets up `fen` (with the side, castling and en-passant fields), makes the
// side to move the program's side, builds the search board, resets the lazy
// margin to 200, prepares the evaluation and clears the pawn hash.
void installe(const std::string& fen);
// Full-window evaluation for the side to move at ply 0.
int evaluation_complete();
int trait();
