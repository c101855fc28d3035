// Counting legal move paths with the engine's own generator and make/unmake.
#pragma once

#include <cstdint>

// Sets up the tables and the game record from `fen` (nullptr: the standard
// start position) and builds the search board. Returns 0 and leaves
// `erreur_fen` set when the FEN is refused.
int prepare_perft(const char* fen);
// Number of legal move paths of `profondeur` plies from the search board,
// `camp` to move, using the move lists from ply `ply` on.
uint64_t compte_perft(int camp, int ply, int profondeur);
// Deepest perft the move stack and the per-ply records allow.
constexpr int PERFT_PROFONDEUR_MAX = 30;
