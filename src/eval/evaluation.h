// Static evaluation: per-search preparation and the lazy evaluation proper.
#pragma once

#include <cstdint>

void prepare_evaluation();
// Score of the current position for `camp`; may return exactly alpha or beta
// on the first lazy exit.
int evalue_position(int camp, int alpha, int beta, int ply);
int materiel_insuffisant();

extern int32_t phase_jeu;  // 0 opening, 1 middlegame, 2 endgame
extern int32_t materiel_racine;
extern int32_t position_racine;
extern int32_t marge_paresseuse;
extern int32_t nb_evaluations;
