// A game record and search board for the report tests.
#pragma once

#include <cstring>

#include "board/position.h"

inline constexpr int32_t depart[64] = {
    4,  2,  3,  5,  6,  3,  2,  4,  1,  1,  1,  1,  1,  1,  1,  1,  0,  0,  0,  0,  0, 0,
    0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0, 0,
    0,  0,  0,  0,  -1, -1, -1, -1, -1, -1, -1, -1, -4, -2, -3, -5, -6, -3, -2, -4,
};

// The Ruy Lopez: e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5a4 g8f6 e1g1 f8e7.
inline constexpr int coups_partie[10][3] = {{E2, E4, PION}, {E7, E5, PION}, {G1, F3, CAVALIER}, {B8, C6, CAVALIER},
                                     {F1, B5, FOU},  {A7, A6, PION}, {B5, A4, FOU},      {G8, F6, CAVALIER},
                                     {E1, G1, ROI},  {F8, E7, FOU}};

// The game record and the search board in the start position, with the
// first `n` plies of the game above listed as played (the placement stays the
// start position: the reports only list the moves).
inline Partie partie_de_test(int n) {
  Partie p{};
  std::memcpy(p.echiquier, depart, sizeof depart);
  p.roque_blancs = 3;
  p.roque_noirs = 3;
  p.en_passant = AUCUNE_CASE;
  p.trait = n % 2;
  p.camp_programme = NOIRS;
  for (int i = 0; i < n; ++i) p.coups[i] = coups_partie[i][0] + 64 * coups_partie[i][1] + 4096 * coups_partie[i][2];
  p.nb_demi_coups = n;
  for (int s = 0; s < 64; ++s) position.cases[s] = static_cast<int8_t>(depart[s]);
  return p;
}

