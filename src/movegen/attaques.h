// Attack and check detection on the search board.
#pragma once

#include "board/position.h"
#include "board/types.h"

int est_attaquee(int s, int camp);
Bitboard attaquants(int s);

// est_attaquee for a side known at compile time, for the innermost loops.
template <int C> inline int est_attaquee_par(int s);

// Whether the king of `camp` is attacked by the other side.
inline int en_echec(int camp) {
  return est_attaquee(camp == BLANCS ? position.roi_blanc : position.roi_noir, camp ^ 1);
}

#include "movegen/bitboard.h"

template <int C> inline int est_attaquee_par(int s) {
  const Position& P = position;
  const Bitboard cavaliers = C == BLANCS ? P.cavaliers_blancs : P.cavaliers_noirs;
  if (attaques_cavalier[s] & cavaliers) return 1;
  // Slider look-ups only when a slider stands on a line through s at all.
  const Bitboard dames = C == BLANCS ? P.dames_blanches : P.dames_noires;
  const Bitboard diagonaux = (C == BLANCS ? P.fous_blancs : P.fous_noirs) | dames;
  if ((attaques_fou_vide[s] & diagonaux) && (attaques_fou(s) & diagonaux)) return 1;
  const Bitboard droits = (C == BLANCS ? P.tours_blanches : P.tours_noires) | dames;
  if ((attaques_tour_vide[s] & droits) && (attaques_tour(s) & droits)) return 1;
  if (attaques_roi[s] & masque_case[C == BLANCS ? P.roi_blanc : P.roi_noir]) return 1;
  if (C == BLANCS ? (sources_pion_blanc[s] & P.pions_blancs) : (sources_pion_noir[s] & P.pions_noirs)) return 1;
  return 0;
}

// Whether the king of side C is attacked.
template <int C> inline int en_echec_camp() {
  return est_attaquee_par<C ^ 1>(C == BLANCS ? position.roi_blanc : position.roi_noir);
}
