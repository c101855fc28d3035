// Evasions: the pseudo-legal moves filtered by the check, so that only the
// king's own moves and en passant captures need a trial on the board.
#include "movegen/evasions.h"

#include "board/joue_camp.h"
#include "movegen/attaques.h"
#include "movegen/bitboard.h"
#include "movegen/generation.h"

namespace {

// Pieces of side C that stand alone between their king and an enemy slider
// able to move along that line.
template <int C> Bitboard cloues(int roi, Bitboard occupees) {
  const Position& P = position;
  const Bitboard amis = C == BLANCS ? P.occupation_blancs : P.occupation_noirs;
  const Bitboard dames = C == BLANCS ? P.dames_noires : P.dames_blanches;
  const Bitboard fous = C == BLANCS ? P.fous_noirs : P.fous_blancs;
  const Bitboard tours = C == BLANCS ? P.tours_noires : P.tours_blanches;
  Bitboard cloueurs = (attaques_fou_vide[roi] & (fous | dames)) | (attaques_tour_vide[roi] & (tours | dames));
  Bitboard resultat = 0;
  while (cloueurs) {
    const int s = 63 - __builtin_ctzll(cloueurs);
    cloueurs &= cloueurs - 1;
    const Bitboard milieu = entre[roi][s] & occupees;
    if (milieu && !(milieu & (milieu - 1))) resultat |= milieu & amis;
  }
  return resultat;
}

template <int C> Coup* evasions(int ply, Coup* sortie) {
  const Position& P = position;
  const int roi = C == BLANCS ? P.roi_blanc : P.roi_noir;
  const Bitboard occupees = P.occupation_blancs | P.occupation_noirs;
  const Bitboard echecs = attaquants(roi) & (C == BLANCS ? P.occupation_noirs : P.occupation_blancs);
  // Squares where a piece other than the king answers a single check.
  Bitboard parades = 0;
  if (echecs && !(echecs & (echecs - 1))) {
    const int s = 63 - __builtin_ctzll(echecs);
    parades = echecs | (direction[roi][s] != 0 ? entre[roi][s] : 0);
  }
  const Bitboard bloques = cloues<C>(roi, occupees);

  Coup* fin = genere_captures(ply, C, sortie);
  fin = genere_non_captures(ply, C, fin);
  Coup* legaux = sortie;
  for (Coup* c = sortie; c != fin; ++c) {
    const Coup coup = *c;
    const int o = origine(coup), d = destination(coup);
    bool legal;
    if (piece_jouee(coup) == ROI || (piece_prise(coup) == PION && P.cases[d] == 0)) {
      joue_camp<C>(ply, coup);
      legal = !en_echec_camp<C>();
      dejoue_camp<C>(ply, coup);
    } else {
      legal = (masque_case[d] & parades) && !(masque_case[o] & bloques);
    }
    if (legal) *legaux++ = coup;
  }
  return legaux;
}

}  // namespace

Coup* genere_evasions(int ply, int camp, Coup* sortie) {
  return camp == BLANCS ? evasions<BLANCS>(ply, sortie) : evasions<NOIRS>(ply, sortie);
}
