// The threads a search runs on ("Threads"). The main search runs in the
// thread that called it and alone reads the console, watches the clock and
// prints search lines; the helpers search the same root at the same time
// with their own copy of every search record. They share with it the
// transposition table and the singular-move results, so that what one finds
// the others read, and the stop flag; through this module they pass it
// their node and tablebase hit counts and the deepest iteration they
// completed. The helpers are created by the option and wait between two
// searches.
#pragma once

#include <cstdint>

constexpr int32_t FILS_MAX = 64;

// 0 in the thread of the main search, 1 to FILS_MAX - 1 in a helper.
extern thread_local constinit int32_t numero_fil;

// Runs the searches on `n` threads (1 to FILS_MAX), the calling one
// included: creates or ends helpers. Not while a search runs.
void fixe_nb_fils(int32_t n);
int32_t nb_fils();

// Called by the main search once its root is ready: every helper copies the
// game record, the board, the root moves and the history of the calling
// thread and starts searching. A helper that completes iteration
// `profondeur_visee` ends the whole search (the main search sees it when it
// next looks at the clock). arrete_aides stops the helpers and returns once
// all of them wait again.
void lance_aides(int32_t profondeur_visee);
void arrete_aides();

// The main search says which iteration it has begun; a helper that completes
// one goes on beyond it.
void annonce_iteration(int32_t profondeur);
int32_t iteration_principale();

// The deepest iteration a helper completed in the current search: a helper
// publishes each one it completes (its line is in its own pv[0]), and
// aides_au_but tells the main search that one reached the depth aimed at.
// At its end the main search takes that line in place of its own when it is
// deeper than what it completed itself (a deeper search saw more), leaving
// its depth and score in `profondeur` and `score`.
void publie_iteration_aide(int32_t profondeur, int32_t score);
bool aides_au_but();
bool adopte_iteration_aide(int32_t& profondeur, int32_t& score);

// A thread makes its node and tablebase hit counts visible to the others:
// a helper every few hundred nodes and when it stops, the main search at
// every node of a node-limited search.
void publie_noeuds();
// Nodes and tablebase hits of the current search in every thread: the
// calling thread's own, and the others' as they last published them.
int64_t noeuds_tous();
int64_t tbhits_tous();
