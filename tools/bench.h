// velmar bench [DEPTH]: fixed-depth searches of a list of positions kept in
// the source; the node total is the engine's signature.
#pragma once

#include <cstdint>

constexpr int BENCH_PROFONDEUR_DEFAUT = 8;

// Puts the engine in the state of a fresh start (tables cleared, "Hash" 16,
// no book, no learned mate) with `fen` on the board. 1 on success.
int prepare_bench(const char* fen);
// Searches the board to `profondeur` completed iterations with the search's
// own output silenced; returns the score and the nodes through `noeuds_total`.
int cherche_bench(int profondeur, int64_t& noeuds_total);
