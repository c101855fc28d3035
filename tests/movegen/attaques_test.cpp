// Attack tests.
#include <gtest/gtest.h>

#include "common/plateau.h"
#include "movegen/attaques.h"

namespace {

TEST(Attaques, PositionInitiale) {
  ASSERT_TRUE(place_fen());
  EXPECT_TRUE(est_attaquee(E3, BLANCS));
  EXPECT_TRUE(est_attaquee(F3, BLANCS));
  EXPECT_FALSE(est_attaquee(E4, BLANCS));
  EXPECT_FALSE(est_attaquee(F3, NOIRS));
  EXPECT_TRUE(est_attaquee(F6, NOIRS));
  // A square held by the attacking side counts as attacked (defended).
  EXPECT_TRUE(est_attaquee(D2, BLANCS));
  EXPECT_FALSE(en_echec(BLANCS));
}

TEST(Attaques, LignesBloqueesEtRoi) {
  ASSERT_TRUE(place_fen("4k3/8/8/8/P7/8/8/R3K3 w - - 0 1"));
  EXPECT_TRUE(est_attaquee(A4, BLANCS));
  EXPECT_FALSE(est_attaquee(A5, BLANCS));  // the pawn on a4 blocks the rook; a5 is not a pawn target
  EXPECT_TRUE(est_attaquee(D1, BLANCS));
  // The king never attacks its own square.
  ASSERT_TRUE(place_fen("4k3/8/8/8/8/8/8/4K3 w - - 0 1"));
  EXPECT_FALSE(est_attaquee(E1, BLANCS));
  EXPECT_TRUE(est_attaquee(E2, BLANCS));
  EXPECT_TRUE(est_attaquee(D7, NOIRS));
}

TEST(Attaques, EchecsParChaqueGenreDePiece) {
  const char* positions[] = {
      "4k3/8/8/8/8/3n4/8/4K3 w - - 0 1",   // knight
      "4k3/8/8/8/8/8/8/q3K3 w - - 0 1",    // queen on the rank
      "4k3/8/8/8/8/8/8/b3K3 w - - 0 1",    // no check: bishop not on a diagonal
      "4k3/8/8/8/7b/8/8/4K3 w - - 0 1",    // bishop
      "4k3/8/8/8/8/8/3p4/4K3 w - - 0 1",   // pawn
      "4k3/4r3/8/8/8/8/4P3/4K3 w - - 0 1", // rook behind a pawn: no check
  };
  const bool echec[] = {true, true, false, true, true, false};
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(place_fen(positions[i])) << positions[i];
    EXPECT_EQ(en_echec(BLANCS) != 0, echec[i]) << positions[i];
  }
}

TEST(Attaques, AttaquantsDesDeuxCamps) {
  ASSERT_TRUE(place_fen("4k3/8/5n2/3p4/4P3/8/1B6/R3K3 w - - 0 1"));
  // d5: e4 pawn (white), f6 knight (black); a1 rook and b2 bishop do not reach it.
  Bitboard attendu = masque_case[E4] | masque_case[F6];
  EXPECT_EQ(attaquants(D5), attendu);
  // e5: d... bishop b2 through c3, d4 -> e5; pawn d5 does not attack e5 for black (it attacks e4).
  EXPECT_EQ(attaquants(E5), masque_case[B2]);
  // A slider behind another attacker on the same line is not included.
  ASSERT_TRUE(place_fen("4k3/8/8/8/8/8/R7/R3K3 w - - 0 1"));
  EXPECT_EQ(attaquants(A8), masque_case[A2]);
}

}  // namespace
