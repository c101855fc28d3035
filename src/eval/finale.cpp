// Endgame scoring: no mobility, outposts or king safety; the king table
// centralises the kings, bad bishops and weak pawns weigh more.
#include "eval/finale.h"

#include "board/position.h"
#include "eval/pieces.h"
#include "eval/pions.h"
#include "eval/preparation.h"
#include "eval/tables_evaluation.h"
#include "movegen/bitboard.h"

namespace {

constexpr int CAVALIER_PION_FAIBLE_FINALE = 10;

int cavalier_finale(int s, int camp) {
  const Position& p = position;
  const bool blanc = camp == BLANCS;
  int v = (blanc ? pst_blancs : pst_noirs)[CAVALIER][s] + bonus_cavalier_roi[distance(s, blanc ? p.roi_noir : p.roi_blanc)];
  const uint8_t faibles = blanc ? resume_pions.faibles_noirs : resume_pions.faibles_blancs;
  if (attaques_cavalier[s] & colonnes_par_masque[faibles] & (blanc ? p.pions_noirs : p.pions_blancs))
    v += CAVALIER_PION_FAIBLE_FINALE;
  return v + bonus_blocage(s, camp);
}

int fou_finale(int s, int camp) {
  const Position& p = position;
  const bool blanc = camp == BLANCS;
  const int roi = blanc ? p.roi_noir : p.roi_blanc;
  const int d1 = valeur_absolue(diagonale_a1h8[s] - diagonale_a1h8[roi]);
  const int d2 = valeur_absolue(diagonale_a8h1[s] - diagonale_a8h1[roi]);
  const int v = (blanc ? pst_blancs : pst_noirs)[FOU][s] + 8 - 2 * (d1 < d2 ? d1 : d2) + bonus_fou_roi[distance(s, roi)];
  return v + bonus_blocage(s, camp);
}

}  // namespace

int evalue_finale(int, int, int) {
  const Position& p = position;
  nb_cavaliers_blancs = nb_fous_blancs = nb_tours_blanches = nb_dames_blanches = 0;
  nb_cavaliers_noirs = nb_fous_noirs = nb_tours_noires = nb_dames_noires = 0;
  int d = 0;

  for (Bitboard b = p.cavaliers_blancs; b; b &= b - 1, ++nb_cavaliers_blancs) d += cavalier_finale(dernier_bit(b), BLANCS);
  for (Bitboard b = p.fous_blancs; b; b &= b - 1, ++nb_fous_blancs) d += fou_finale(dernier_bit(b), BLANCS);
  for (Bitboard b = p.tours_blanches; b; b &= b - 1, ++nb_tours_blanches) d += terme_tour(dernier_bit(b), BLANCS);
  for (Bitboard b = p.dames_blanches; b; b &= b - 1, ++nb_dames_blanches) {
    const int s = dernier_bit(b);
    d += pst_blancs[DAME][s] + bonus_blocage(s, BLANCS);
  }
  d += pst_blancs[ROI][p.roi_blanc] + bonus_blocage(p.roi_blanc, BLANCS);

  for (Bitboard b = p.cavaliers_noirs; b; b &= b - 1, ++nb_cavaliers_noirs) d -= cavalier_finale(dernier_bit(b), NOIRS);
  for (Bitboard b = p.fous_noirs; b; b &= b - 1, ++nb_fous_noirs) d -= fou_finale(dernier_bit(b), NOIRS);
  for (Bitboard b = p.tours_noires; b; b &= b - 1, ++nb_tours_noires) d -= terme_tour(dernier_bit(b), NOIRS);
  for (Bitboard b = p.dames_noires; b; b &= b - 1, ++nb_dames_noires) {
    const int s = dernier_bit(b);
    d -= pst_noirs[DAME][s] + bonus_blocage(s, NOIRS);
  }
  d -= pst_noirs[ROI][p.roi_noir] + bonus_blocage(p.roi_noir, NOIRS);

  return d + evalue_fous(FOU_MAUVAIS_FINALE);
}
