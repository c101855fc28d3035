// What bounds the current search: the clock settings read by the time
// management, the deepest iteration, and whether it ponders or analyses
// without end. "go" sets them.
#pragma once

#include <cstdint>

// Clock settings, in whole seconds.
extern int32_t mode_temps_fixe;      // 1 = fixed time or depth per move, 0 = play on the clock
extern int32_t temps_fixe;           // seconds per move in fixed mode (1000000 = unlimited)
extern int32_t profondeur_max;       // deepest iteration allowed
extern int32_t profondeur_plafond;   // no "go" asks for more (harnesses lower it)
extern int32_t temps_restant;        // clock of the side to move
extern int32_t increment;            // increment per move
extern int32_t coups_restants;       // moves to the next time control
extern int32_t sans_coups_restants;  // 1 = no "movestogo" on this "go"
extern int32_t coups_controle, temps_controle;  // moves and seconds of the current control
extern int32_t coups_periode, temps_periode;    // moves and seconds added by each later control
// The same clock values to the millisecond, for the limits that whole
// seconds cannot express; -1 when unknown (then the seconds count).
extern int64_t temps_restant_ms;
extern int64_t increment_ms;
extern int64_t temps_fixe_ms;

extern int32_t ponder_en_cours;  // 1 while a "go ponder" search has had no "ponderhit"
extern int32_t analyse_infinie;  // 1 after "go infinite", until the next "position"
extern int32_t go_infini;        // 1 while the current search is a "go infinite" one

// Nodes after which the search stops, whatever the clock says, counted over
// every thread. On one thread the check counts nodes only, so the same
// command searches the same tree every time; on several the threads' timing
// shapes the tree.
constexpr int64_t SANS_LIMITE_NOEUDS = INT64_MAX;
extern int64_t limite_noeuds;
// "mate": the search ends once a mate in this many moves or fewer is found;
// 0 when no mate is sought.
extern int32_t mat_cherche;
// "searchmoves": the texts of the only root moves to search (none: all).
// The search matches them against the legal moves and reports the others.
constexpr int COUPS_DEMANDES_MAX = 256;
extern char coups_demandes[COUPS_DEMANDES_MAX][8];
extern int32_t nb_coups_demandes;
