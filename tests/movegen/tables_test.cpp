// Bit order, primitives and precomputed tables.
#include <gtest/gtest.h>

#include "common/plateau.h"

namespace {

class Tables : public ::testing::Test {
 protected:
  void SetUp() override { initialise_plateau(); }
};

Bitboard ensemble(std::initializer_list<int> cases) {
  Bitboard b = 0;
  for (int s : cases) b |= masque_case[s];
  return b;
}

TEST_F(Tables, PrimitivesSurLEnsembleVideEtLesExtremes) {
  EXPECT_EQ(premier_bit(0), 64);
  EXPECT_EQ(dernier_bit(0), 64);
  EXPECT_EQ(masque_case[64], 0u);
  EXPECT_EQ(masque_case[A1], Bitboard{1} << 63);
  EXPECT_EQ(masque_case[H8], Bitboard{1});
  EXPECT_EQ(premier_bit(ensemble({A1, H8})), A1);
  EXPECT_EQ(dernier_bit(ensemble({A1, H8})), H8);
  EXPECT_EQ(premier_bit(ensemble({C3, F6, D7})), C3);
  EXPECT_EQ(dernier_bit(ensemble({C3, F6, D7})), D7);
  EXPECT_EQ(compte_bits(ensemble({A1, B2, H8})), 3);
  EXPECT_EQ(premier_bit_8[0], 8);
  EXPECT_EQ(premier_bit_8[0x80], 0);
  EXPECT_EQ(premier_bit_8[1], 7);
  EXPECT_EQ(premier_bit_8[0x13], 3);
}

TEST_F(Tables, EntreEtDirection) {
  EXPECT_EQ(entre[A1][H8], ensemble({B2, C3, D4, E5, F6, G7}));
  EXPECT_EQ(entre[H8][A1], entre[A1][H8]);
  EXPECT_EQ(entre[A1][B3], ~Bitboard{0});
  EXPECT_EQ(entre[E1][E2], 0u);
  EXPECT_EQ(entre[A1][A4], ensemble({A2, A3}));
  EXPECT_EQ(entre[H1][A8], entre[A8][H1]);
  EXPECT_EQ(entre[H1][A1], ensemble({B1, C1, D1, E1, F1, G1}));
  EXPECT_EQ(direction[E1][E8], 8);
  EXPECT_EQ(direction[H8][A1], -9);
  EXPECT_EQ(direction[A1][B3], 0);
  EXPECT_EQ(direction[H1][A8], 7);
  EXPECT_EQ(direction[A8][H1], -7);
  EXPECT_EQ(direction[H1][G1], -1);
  EXPECT_EQ(direction[H1][A2], 0);  // no wrapping around the board edge
  EXPECT_EQ(rayon[indice_direction(1)][G1], ensemble({H1}));
  EXPECT_EQ(rayon[indice_direction(1)][H1], 0u);
  EXPECT_EQ(rayon[indice_direction(-9)][C3], ensemble({B2, A1}));
}

TEST_F(Tables, SautsEtPions) {
  EXPECT_EQ(attaques_cavalier[A1], ensemble({B3, C2}));
  EXPECT_EQ(compte_bits(attaques_cavalier[D4]), 8);
  EXPECT_EQ(attaques_roi[H8], ensemble({G8, G7, H7}));
  EXPECT_EQ(sources_pion_blanc[E4], ensemble({D3, F3}));
  EXPECT_EQ(sources_pion_blanc[A4], ensemble({B3}));
  EXPECT_EQ(sources_pion_noir[H5], ensemble({G6}));
  EXPECT_EQ(sources_pion_blanc[C1], 0u);
  EXPECT_EQ(chemin_roque[1], ensemble({B1, C1, D1}));
  EXPECT_EQ(chemin_roque[2], ensemble({F8, G8}));
}

TEST_F(Tables, AttaquesGlissantes) {
  // Empty board: a rook on a1 sees the 14 squares of rank 1 and file a.
  EXPECT_EQ(attaques_tour_vide[A1], (masque_rangee[0] | masque_colonne[0]) & ~masque_case[A1]);
  EXPECT_EQ(compte_bits(attaques_fou_vide[D4]), 13);
  EXPECT_EQ(attaques_dame_vide[D4], attaques_fou_vide[D4] | attaques_tour_vide[D4]);
  // A blocker on the rank stops the walk on it; one beyond the edge square changes nothing.
  EXPECT_EQ(attaques_tour_par(A1, ensemble({C1})), ensemble({B1, C1}) | (masque_colonne[0] & ~masque_case[A1]));
  EXPECT_EQ(attaques_tour_par(A1, ensemble({A4, H1, A8})), ensemble({A2, A3, A4}) | (masque_rangee[0] & ~masque_case[A1]));
  EXPECT_EQ(attaques_fou_par(C1, ensemble({E3, B2})), ensemble({B2, D2, E3}));
  // The square's own piece and pieces off its lines do not matter.
  EXPECT_EQ(attaques_fou_par(D4, ensemble({D4, D5, C4})), attaques_fou_vide[D4]);
}

// Attacks by walking the board square by square, the reference for the look-ups.
Bitboard marche(int s, Bitboard occupees, bool diagonale) {
  Bitboard a = 0;
  for (int k = 0; k < 8; ++k) {
    const int pas[8] = {1, -1, 7, -7, 8, -8, 9, -9};
    const bool diag = pas[k] == 7 || pas[k] == -7 || pas[k] == 9 || pas[k] == -9;
    if (diag != diagonale) continue;
    const Bitboard r = rayon[k][s];
    for (int t = s + pas[k]; t >= 0 && t < 64 && (r & masque_case[t]); t += pas[k]) {
      a |= masque_case[t];
      if (occupees & masque_case[t]) break;
    }
  }
  return a;
}

TEST_F(Tables, AttaquesGlissantesPourDesOccupationsAuHasard) {
  // Sparse, medium and dense random boards on every square.
  uint64_t graine = 0x2545F4914F6CDD1Dull;
  auto hasard = [&graine] {
    graine ^= graine >> 12;
    graine ^= graine << 25;
    graine ^= graine >> 27;
    return graine * 2685821657736338717ull;
  };
  for (int s = 0; s < 64; ++s)
    for (int i = 0; i < 300; ++i) {
      Bitboard occ = hasard();
      if (i % 3 == 0) occ &= hasard() & hasard();
      if (i % 3 == 1) occ &= hasard();
      ASSERT_EQ(attaques_fou_par(s, occ), marche(s, occ, true)) << s << " " << occ;
      ASSERT_EQ(attaques_tour_par(s, occ), marche(s, occ, false)) << s << " " << occ;
    }
}

TEST_F(Tables, AttaquesGlissantesSurUnePositionReelle) {
  // The look-ups of the current position agree with a plain walk over the board.
  ASSERT_TRUE(place_fen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"));
  const Bitboard occ = position.occupation_blancs | position.occupation_noirs;
  for (int s = 0; s < 64; ++s) {
    EXPECT_EQ(attaques_fou(s), marche(s, occ, true)) << s;
    EXPECT_EQ(attaques_tour(s), marche(s, occ, false)) << s;
  }
}

}  // namespace
