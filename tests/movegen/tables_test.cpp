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

TEST_F(Tables, OrdresEtDecalagesDesRotations) {
  const int a8h1_bas[8] = {0, 2, 5, 9, 14, 20, 27, 35}, a8h1_haut[8] = {28, 36, 43, 49, 54, 58, 61, 63};
  const int a1h8_bas[8] = {28, 21, 15, 10, 6, 3, 1, 0}, a1h8_haut[8] = {63, 62, 60, 57, 53, 48, 42, 35};
  const int dec_a8h1_bas[8] = {63, 61, 58, 54, 49, 43, 36, 28}, dec_a8h1_haut[8] = {28, 21, 15, 10, 6, 3, 1, 0};
  const int dec_a1h8_bas[8] = {28, 36, 43, 49, 54, 58, 61, 63}, dec_a1h8_haut[8] = {0, 1, 3, 6, 10, 15, 21, 28};
  for (int f = 0; f < 8; ++f) {
    EXPECT_EQ(ordre_a8h1[f], a8h1_bas[f]);
    EXPECT_EQ(ordre_a8h1[56 + f], a8h1_haut[f]);
    EXPECT_EQ(ordre_a1h8[f], a1h8_bas[f]);
    EXPECT_EQ(ordre_a1h8[56 + f], a1h8_haut[f]);
    EXPECT_EQ(decalage_a8h1[f], dec_a8h1_bas[f]);
    EXPECT_EQ(decalage_a8h1[56 + f], dec_a8h1_haut[f]);
    EXPECT_EQ(decalage_a1h8[f], dec_a1h8_bas[f]);
    EXPECT_EQ(decalage_a1h8[56 + f], dec_a1h8_haut[f]);
  }
  // Each order is a permutation, and ordre_90 puts file a in the top byte, rank 1 lowest.
  for (const int32_t* ordre : {ordre_90, ordre_a8h1, ordre_a1h8}) {
    Bitboard vus = 0;
    for (int s = 0; s < 64; ++s) vus |= Bitboard{1} << ordre[s];
    EXPECT_EQ(vus, ~Bitboard{0});
  }
  EXPECT_EQ(ordre_90[A1], 7);
  EXPECT_EQ(ordre_90[A8], 0);
  EXPECT_EQ(ordre_90[H1], 63);
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
  EXPECT_EQ(attaques_rangee[A1][0] | attaques_colonne[A1][0], attaques_tour_vide[A1]);
  EXPECT_EQ(compte_bits(attaques_fou_vide[D4]), 13);
  EXPECT_EQ(attaques_dame_vide[D4], attaques_fou_vide[D4] | attaques_tour_vide[D4]);
  // A blocker on the rank (c1, file c = bit 5 of the rank byte) stops the walk.
  EXPECT_EQ(attaques_rangee[A1][1 << 5], ensemble({B1, C1}));
  // A blocker on the file (a4, rank 4 = bit 3 of the file byte).
  EXPECT_EQ(attaques_colonne[A1][1 << 3], ensemble({A2, A3, A4}));
  // Index bits beyond a short diagonal belong to its neighbours and change nothing.
  for (int s : {A1, B1, G8, H7, C1, A6}) {
    for (int i = 0; i < 256; ++i) {
      int len_a8h1 = 8 - std::abs(colonne(s) + rangee(s) - 7);
      int len_a1h8 = 8 - std::abs(colonne(s) - rangee(s));
      EXPECT_EQ(attaques_a8h1[s][i], attaques_a8h1[s][i & ((1 << len_a8h1) - 1)]);
      EXPECT_EQ(attaques_a1h8[s][i], attaques_a1h8[s][i & ((1 << len_a1h8) - 1)]);
      EXPECT_EQ(nb_attaques_a1h8[s][i], compte_bits(attaques_a1h8[s][i]));
    }
  }
}

TEST_F(Tables, AttaquesGlissantesSurUnePositionReelle) {
  // Rotated look-ups agree with a plain walk over the board on a busy position.
  ASSERT_TRUE(place_fen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"));
  const Bitboard occ = position.occupation_blancs | position.occupation_noirs;
  for (int s = 0; s < 64; ++s) {
    Bitboard fou = 0, tour = 0;
    for (int k = 0; k < 8; ++k) {
      const int pas[8] = {1, -1, 7, -7, 8, -8, 9, -9};
      Bitboard& cible = (pas[k] == 1 || pas[k] == -1 || pas[k] == 8 || pas[k] == -8) ? tour : fou;
      Bitboard r = rayon[k][s];
      for (int t = s + pas[k]; t >= 0 && t < 64 && (r & masque_case[t]); t += pas[k]) {
        cible |= masque_case[t];
        if (occ & masque_case[t]) break;
      }
    }
    EXPECT_EQ(attaques_fou(s), fou) << s;
    EXPECT_EQ(attaques_tour(s), tour) << s;
  }
}

}  // namespace
