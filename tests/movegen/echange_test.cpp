// Static exchange evaluation.
#include <gtest/gtest.h>

#include <cstring>

#include "common/plateau.h"
#include "movegen/echange.h"

namespace {

int see(const char* fen, int de, int vers) {
  EXPECT_TRUE(place_fen(fen)) << fen;
  return echange_statique(de, vers, partie.trait);
}

TEST(Echange, Valeurs) {
  EXPECT_EQ(valeur_echange[0], 0);
  EXPECT_EQ(valeur_echange[ROI], 30001);
  EXPECT_EQ(valeur_echange_signee[6 - DAME], 900);
  EXPECT_EQ(valeur_echange_signee[6 + CAVALIER], 300);
}

TEST(Echange, CapturesSimples) {
  EXPECT_EQ(see("4k3/8/8/3n4/4P3/8/8/4K3 w - - 0 1", E4, D5), 300);     // undefended knight
  EXPECT_EQ(see("4k3/8/2p5/3p4/8/8/8/3QK3 w - - 0 1", D1, D5), -800);   // pawn defended by a pawn
  EXPECT_EQ(see("4k3/8/2p5/3p4/8/8/8/3QK3 w - - 0 1", D1, D5), 100 - 900);
  EXPECT_EQ(see("4k3/8/2p5/3p4/4P3/8/8/4K3 w - - 0 1", E4, D5), 0);     // pawn for pawn
  EXPECT_EQ(see("4k3/8/8/3r4/8/8/8/3RK3 b - - 0 1", D5, D1), 0);        // rook for rook, king takes back
}

TEST(Echange, RayonsX) {
  // Rooks a1 and a2 against a rook on a8 defended by the rook on b8: the
  // rook on a1 joins through the x-ray, so Black's recapture would lose a
  // second rook.
  EXPECT_EQ(see("rr2k3/8/8/8/8/8/R7/R3K3 w - - 0 1", A2, A8), 500);
  // Without the rook on a1 it is an even trade.
  EXPECT_EQ(see("rr2k3/8/8/8/8/8/R7/4K3 w - - 0 1", A2, A8), 0);
  // The x-ray slider may belong to the defender too: a black queen behind
  // the black rook.
  EXPECT_EQ(see("3qk3/3r4/8/3p4/8/8/8/3RK3 w - - 0 1", D1, D5), 100 - 500);
}

TEST(Echange, LeRoiNeReprendPasSousUneDameEnRayonX) {
  // Bishop takes the pawn on d7 defended only by the king, the queen on a4
  // behind the bishop: the king cannot take back, the pawn is won.
  EXPECT_EQ(see("4k3/3p4/8/1B6/Q7/8/8/4K3 w - - 0 1", B5, D7), 100);
  // Without the queen the king takes back.
  EXPECT_EQ(see("4k3/3p4/8/1B6/8/8/8/4K3 w - - 0 1", B5, D7), 100 - 300);
}

TEST(Echange, EnPassantSurUneCaseVide) {
  EXPECT_EQ(see("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", E5, D6), 0);
  EXPECT_EQ(see("8/4k3/8/3pP3/8/8/8/4K3 w - d6 0 1", E5, D6), -100);  // the king takes the pawn back
}

TEST(Echange, LaCaseLaPlusBasseDepartageDeuxAttaquantsDeMemeGenre) {
  // Rook takes d5, defended by bishops b7 and f7. Black takes back with b7
  // (the lower square), which opens the diagonal to the white queen on a8;
  // the bishop on f7 then takes the queen. Taking with f7 first would have
  // cost Black more (-100 for White instead of -400).
  EXPECT_EQ(see("Q5B1/1b3b2/8/3p4/8/7k/8/3R3K w - - 0 1", D1, D5), -400);
}

TEST(Echange, NeChangePasLaPosition) {
  ASSERT_TRUE(place_fen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"));
  const Position avant = position;
  echange_statique(E5, F7, BLANCS);
  echange_statique(F3, H3, BLANCS);
  EXPECT_EQ(std::memcmp(&avant, &position, sizeof position), 0);
  EXPECT_EQ(echange_statique(E5, F7, BLANCS), 100 - 300);  // Nxf7, Kxf7
  EXPECT_EQ(echange_statique(F3, H3, BLANCS), 100 - 900 + 500);  // Qxh3 Rxh3 gxh3
}

}  // namespace
