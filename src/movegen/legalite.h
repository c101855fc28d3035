// Legality of moves without making them: the pieces pinned to their king
// and the checkers, found once per position, decide every move but the
// king's own steps (an attack test with the king lifted off) and en passant
// (which can uncover the king along the rank; tried on the board).
#pragma once

#include "board/position.h"
#include "movegen/attaques.h"
#include "movegen/bitboard.h"

struct Clouage {
  Bitboard cloues;   // own pieces pinned to the king
  Bitboard echecs;   // enemy pieces giving check
  Bitboard parades;  // with a single check: the checker and the squares between it and the king
};

namespace detail_legalite {

template <int C> inline Bitboard occupation_de() { return C == BLANCS ? position.occupation_blancs : position.occupation_noirs; }

// Whether side A attacks s when the board's occupancy is `occupees`.
template <int A> inline bool attaquee_avec(int s, Bitboard occupees) {
  const Position& P = position;
  if (attaques_cavalier[s] & (A == BLANCS ? P.cavaliers_blancs : P.cavaliers_noirs)) return true;
  if ((A == BLANCS ? sources_pion_blanc[s] & P.pions_blancs : sources_pion_noir[s] & P.pions_noirs)) return true;
  if (attaques_roi[s] & masque_case[A == BLANCS ? P.roi_blanc : P.roi_noir]) return true;
  const Bitboard dames = A == BLANCS ? P.dames_blanches : P.dames_noires;
  const Bitboard diagonaux = (A == BLANCS ? P.fous_blancs : P.fous_noirs) | dames;
  if ((attaques_fou_vide[s] & diagonaux) && (attaques_fou_par(s, occupees) & diagonaux)) return true;
  const Bitboard droits = (A == BLANCS ? P.tours_blanches : P.tours_noires) | dames;
  return (attaques_tour_vide[s] & droits) && (attaques_tour_par(s, occupees) & droits);
}

}  // namespace detail_legalite

// Pins and checks against the king of side C.
template <int C> inline Clouage clouage() {
  constexpr int A = C ^ 1;
  const Position& P = position;
  const int roi = C == BLANCS ? P.roi_blanc : P.roi_noir;
  const Bitboard occupees = P.occupation_blancs | P.occupation_noirs;
  const Bitboard amis = detail_legalite::occupation_de<C>();
  const Bitboard dames = A == BLANCS ? P.dames_blanches : P.dames_noires;
  const Bitboard diagonaux = ((A == BLANCS ? P.fous_blancs : P.fous_noirs) | dames) & attaques_fou_vide[roi];
  const Bitboard droits = ((A == BLANCS ? P.tours_blanches : P.tours_noires) | dames) & attaques_tour_vide[roi];
  Clouage r{0, 0, 0};
  for (Bitboard b = diagonaux | droits; b; b &= b - 1) {
    const int s = dernier_bit(b);
    const Bitboard milieu = entre[roi][s] & occupees;
    if (!milieu)
      r.echecs |= masque_case[s];
    else if (!(milieu & (milieu - 1)))
      r.cloues |= milieu & amis;
  }
  r.echecs |= attaques_cavalier[roi] & (A == BLANCS ? P.cavaliers_blancs : P.cavaliers_noirs);
  r.echecs |= C == BLANCS ? sources_pion_noir[roi] & P.pions_noirs : sources_pion_blanc[roi] & P.pions_blancs;
  if (r.echecs && !(r.echecs & (r.echecs - 1))) {
    const int s = dernier_bit(r.echecs);
    r.parades = r.echecs | (direction[roi][s] != 0 ? entre[roi][s] : 0);
  }
  return r;
}
