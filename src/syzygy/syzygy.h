// Syzygy endgame tablebases (win/draw/loss files .rtbw, distance-to-zeroing
// files .rtbz), read through the Fathom library.
//
// The "SyzygyPath" option calls initialise_syzygy; the search asks
// sonde_wdl_syzygy inside the tree and classe_racine_syzygy at the root. The
// library is used in a way that avoids its known faults: it is never freed,
// an empty path switches the tables off here rather than in the library,
// every call runs under one lock, and no table reaches it before a child
// process of the engine has probed it (a damaged table ends that child, not
// the engine).
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "board/types.h"

// Every value below is read by the search threads: atomic, so that a
// thread never sees one half-written.

// Settings written by the options.
extern std::atomic<int32_t> syzygy_profondeur_sonde;  // "SyzygyProbeDepth", plies
extern std::atomic<int32_t> syzygy_regle_50;          // "Syzygy50MoveRule"
extern std::atomic<int32_t> syzygy_limite_pieces;     // "SyzygyProbeLimit"

// Pieces (kings included) of the largest set the tables hold; 0 when the
// tables are off (no path, no table, or tables being replaced).
extern std::atomic<int32_t> syzygy_pieces;
// 1 while "SyzygyPath" names something (the info lines then show "tbhits").
extern std::atomic<int32_t> syzygy_chemin_fixe;
// Tables of each kind found by the last "SyzygyPath".
extern std::atomic<int32_t> syzygy_nb_wdl, syzygy_nb_dtz;

// Separates the directories of "SyzygyPath", as other engines write it.
#ifdef _WIN32
constexpr char SEPARATEUR_SYZYGY = ';';
#else
constexpr char SEPARATEUR_SYZYGY = ':';
#endif

// The program that checks the tables ("PROGRAM syzygy-check"); empty: this
// executable itself. A test process that is not the engine names the engine.
extern std::string verificateur_syzygy;

// Win/draw/loss from the tables, for the side to move: a loss, a loss saved
// by the fifty-move rule, a draw, a win spoilt by it, a win.
constexpr int WDL_PERTE = -2;
constexpr int WDL_PERTE_SAUVEE = -1;
constexpr int WDL_NULLE = 0;
constexpr int WDL_GAIN_MAUDIT = 1;
constexpr int WDL_GAIN = 2;

// Takes the directories of `chemin` (separated by SEPARATEUR_SYZYGY; empty
// or "<empty>" switches the tables off), checks the table files found there
// and hands the directories whose tables are sound to the library. Prints an
// "info string" with the number of tables of each kind and one per directory
// or file it cannot use. Runs on the thread that reads the commands, between
// searches. Returns syzygy_pieces.
int initialise_syzygy(const char* chemin);

// Win/draw/loss of the search board at `ply` with `camp` to move, which must
// have no castling right and a fifty-move counter of 0. Returns 1 and sets
// `wdl` (WDL_PERTE .. WDL_GAIN), or 0 when the tables give no value.
int sonde_wdl_syzygy(int camp, int ply, int& wdl);

// Ranks the `nb` legal moves `coups` of the root (search board, `camp` to
// move, no castling right) with the distance-to-zeroing tables, or with the
// win/draw/loss tables when those are missing: a higher rank keeps a better
// outcome, and among wins one that zeroes the counter within the fifty-move
// budget. `compteur_50` is the fifty-move counter, `repetition` whether the
// position has occurred before since it was last zeroed. Returns 1 and fills
// `rangs` and `verdict` (-1 lost, 0 drawn, 1 won, as Syzygy50MoveRule counts
// it), or 0 when the tables cannot tell.
int classe_racine_syzygy(int camp, int compteur_50, int repetition, const Coup* coups, int nb, int32_t* rangs,
                         int& verdict);
