// Probing the tables from the search board.
#pragma once

#include <cstdint>

constexpr int32_t VALEUR_INCONNUE = 32767;

// Entry `index` of table n, side `camp`, in the 16-bit value scale: 0 draw,
// 32640 + b for a win, b - 32640 for a loss, 32767 no value.
int valeur_table(int n, int camp, int32_t index);

// The score the search uses for a value of valeur_table (not 32767): mate in
// n moves is 30001 - 2n, mated in n moves -30000 + 2n.
int32_t score_depuis_valeur(int v);
