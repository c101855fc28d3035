// Attack tests on the search board.
#include "movegen/attaques.h"

#include "movegen/bitboard.h"

int est_attaquee(int s, int camp) {
  const Position& P = position;
  if (camp == BLANCS) {
    if (attaques_cavalier[s] & P.cavaliers_blancs) return 1;
    // Slider look-ups only when a slider stands on a line through s at all.
    const Bitboard diagonaux = P.fous_blancs | P.dames_blanches;
    if ((attaques_fou_vide[s] & diagonaux) && (attaques_fou(s) & diagonaux)) return 1;
    const Bitboard droits = P.tours_blanches | P.dames_blanches;
    if ((attaques_tour_vide[s] & droits) && (attaques_tour(s) & droits)) return 1;
    if (attaques_roi[s] & masque_case[P.roi_blanc]) return 1;
    if (sources_pion_blanc[s] & P.pions_blancs) return 1;
  } else {
    if (attaques_cavalier[s] & P.cavaliers_noirs) return 1;
    const Bitboard diagonaux = P.fous_noirs | P.dames_noires;
    if ((attaques_fou_vide[s] & diagonaux) && (attaques_fou(s) & diagonaux)) return 1;
    const Bitboard droits = P.tours_noires | P.dames_noires;
    if ((attaques_tour_vide[s] & droits) && (attaques_tour(s) & droits)) return 1;
    if (attaques_roi[s] & masque_case[P.roi_noir]) return 1;
    if (sources_pion_noir[s] & P.pions_noirs) return 1;
  }
  return 0;
}

Bitboard attaquants(int s) {
  const Position& P = position;
  return (attaques_tour(s) & P.lignes) | (attaques_fou(s) & P.diagonales) |
         (attaques_cavalier[s] & (P.cavaliers_blancs | P.cavaliers_noirs)) |
         (attaques_roi[s] & (masque_case[P.roi_blanc] | masque_case[P.roi_noir])) |
         (sources_pion_blanc[s] & P.pions_blancs) | (sources_pion_noir[s] & P.pions_noirs);
}
