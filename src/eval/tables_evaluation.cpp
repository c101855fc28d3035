#include "eval/tables_evaluation.h"

#include "movegen/bitboard.h"

Bitboard masque_isole[64];
Bitboard masque_passe_blanc[64];
Bitboard masque_passe_noir[64];
Bitboard masque_soutien_blanc[64];
Bitboard masque_soutien_noir[64];
Bitboard masque_voisins[64];
Bitboard masque_avant_poste_blanc[64];
Bitboard masque_avant_poste_noir[64];
Bitboard colonnes_par_masque[256];
Bitboard portee_fou_roi[64];
Bitboard portee_tour_roi[64];

namespace {

// Squares of files col_min..col_max (clipped to the board) on ranks
// rang_min..rang_max (clipped), leaving out file `sauf` (-1 for none).
Bitboard bloc(int col_min, int col_max, int rang_min, int rang_max, int sauf) {
  Bitboard b = 0;
  for (int c = col_min; c <= col_max; ++c) {
    if (c < 0 || c > 7 || c == sauf) continue;
    for (int r = rang_min; r <= rang_max; ++r)
      if (r >= 0 && r <= 7) b |= bit_case(case_de(c, r));
  }
  return b;
}

}  // namespace

void initialise_tables_evaluation() {
  for (int s = 0; s < 64; ++s) {
    const int f = colonne(s), r = rangee(s);
    masque_isole[s] = bloc(f - 1, f + 1, 0, 7, f);
    masque_passe_blanc[s] = bloc(f - 1, f + 1, r + 1, 7, -1);
    masque_passe_noir[s] = bloc(f - 1, f + 1, 0, r - 1, -1);
    masque_soutien_blanc[s] = bloc(f - 1, f + 1, r - 2, r - 1, f);
    masque_soutien_noir[s] = bloc(f - 1, f + 1, r + 1, r + 2, f);
    masque_voisins[s] = bloc(f - 1, f + 1, r - 1, r + 1, f);
    masque_avant_poste_blanc[s] = bloc(f - 1, f + 1, r + 1, 7, f);
    masque_avant_poste_noir[s] = bloc(f - 1, f + 1, 0, r - 1, f);
  }
  for (int s = 0; s < 64; ++s) {
    portee_fou_roi[s] = portee_tour_roi[s] = 0;
    for (int z = 0; z < 64; ++z)
      if (attaques_roi[s] & bit_case(z)) {
        portee_fou_roi[s] |= attaques_fou_vide[z];
        portee_tour_roi[s] |= attaques_tour_vide[z];
      }
  }
  for (int m = 0; m < 256; ++m) {
    colonnes_par_masque[m] = 0;
    for (int c = 0; c < 8; ++c)
      if (m & bit_colonne(c)) colonnes_par_masque[m] |= bloc(c, c, 0, 7, -1);
  }
}
