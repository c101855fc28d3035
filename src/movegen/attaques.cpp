// Attack tests on the search board.
#include "movegen/attaques.h"

#include "movegen/bitboard.h"

int est_attaquee(int s, int camp) {
  return camp == BLANCS ? est_attaquee_par<BLANCS>(s) : est_attaquee_par<NOIRS>(s);
}

Bitboard attaquants(int s) {
  const Position& P = position;
  return (attaques_tour(s) & P.lignes) | (attaques_fou(s) & P.diagonales) |
         (attaques_cavalier[s] & (P.cavaliers_blancs | P.cavaliers_noirs)) |
         (attaques_roi[s] & (masque_case[P.roi_blanc] | masque_case[P.roi_noir])) |
         (sources_pion_blanc[s] & P.pions_blancs) | (sources_pion_noir[s] & P.pions_noirs);
}
