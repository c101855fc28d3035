// Static evaluation: per-search preparation and the lazy evaluation proper.
#pragma once

#include <cstdint>

void prepare_evaluation();
// Score of the current position for `camp`; may return exactly alpha or beta
// on the first lazy exit.
int evalue_position(int camp, int alpha, int beta, int ply);
int materiel_insuffisant();

extern thread_local constinit int32_t phase_jeu;  // 0 opening, 1 middlegame, 2 endgame
extern thread_local constinit int32_t materiel_racine;
extern thread_local constinit int32_t position_racine;
extern thread_local constinit int32_t marge_paresseuse;
// Evaluations past the first lazy exit (64 bits: a long analysis overflows 32).
extern thread_local constinit int64_t nb_evaluations;

// Process-wide totals for benchmarks, never reset: every call of
// evalue_position, and the calls that went past both lazy exits and walked
// the pieces (phases 0 and 1) or scored the endgame pieces (phase 2).
extern thread_local constinit int64_t nb_appels_evaluation;
extern thread_local constinit int64_t nb_evaluations_completes;

// The pawn hash memory is eval/hash_pions.h; the entry layout is the pawn
// evaluation's (eval/pions.h).

// Pawn-structure statistics: every pawn evaluation, hits of the one-entry
// cache, hits of the table.
extern thread_local constinit int64_t nb_evaluations_pions;
extern thread_local constinit int64_t nb_succes_cache_pions;
extern thread_local constinit int64_t nb_succes_hash_pions;

// King safety for the search's extension: returns the king-attack score
// (White's view) and stores the danger to each king.
int securite_rois(int32_t& danger_blancs, int32_t& danger_noirs);
