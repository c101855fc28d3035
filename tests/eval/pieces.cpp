// Piece terms of the opening and middlegame, and the endgame scoring.
#include "eval/pieces.h"

#include <gtest/gtest.h>

#include "board/position.h"
#include "eval/evaluation.h"
#include "eval/finale.h"
#include "eval/pions.h"
#include "eval/preparation.h"
#include "installe.h"

namespace {

// Sets up the position and runs a full evaluation, so the pawn summary and
// the piece counts belong to it.
void prepare(const char* fen, int demi_coups = 0) {
  installe(fen, demi_coups);
  evalue_position(BLANCS, -INFINI, INFINI, 0);
}

}  // namespace

TEST(EvaluationPieces, AvantPosteDuCavalier) {
  // e5: table 16, king a8 at distance 4 (-1), outpost weight 1 with no
  // Black pawn able to chase it (9) and d4 behind it (9).
  prepare("k7/8/8/4N3/3P4/8/8/4K3 w - -");
  EXPECT_EQ(terme_cavalier(E5, BLANCS), 16 - 1 + 9 + 9);
  // King c7 at distance 2: weight 1 + 1, distance bonus 10.
  prepare("8/2k5/8/4N3/3P4/8/8/4K3 w - -");
  EXPECT_EQ(terme_cavalier(E5, BLANCS), 16 + 10 + 18 + 9);
  // A Black pawn on f7 could chase it: no outpost; but the knight attacks
  // that isolated pawn (5).
  prepare("k7/5p2/8/4N3/3P4/8/8/4K3 w - -");
  EXPECT_EQ(terme_cavalier(E5, BLANCS), 16 - 1 + 5);
  // Black: knight d4 (as e5 turned), pawn e5 behind it, king h1 far.
  prepare("4k3/8/8/4p3/3n4/8/8/7K w - -");
  EXPECT_EQ(terme_cavalier(D4, NOIRS), 16 - 1 + 9 + 9);
}

TEST(EvaluationPieces, CavalierContrePionFaibleEtCavaliersLies) {
  // Knight c3 (10) attacks the isolated d5 pawn (5) and the knight e2 (4);
  // king h8 at distance 5 (-7).
  prepare("7k/8/8/3p4/8/2N5/4N3/K7 w - -");
  EXPECT_EQ(terme_cavalier(C3, BLANCS), 10 - 7 + 5 + 4);
}

TEST(EvaluationPieces, FouSurLaGrandeDiagonale) {
  // b2: 7 squares toward h8 and 2 on a3-c1 (27), table 5, diagonal
  // distances 7 and 5 to a8 (8 - 10), king distance 6 (-9).
  prepare("k7/8/8/8/8/8/1B6/4K3 w - -");
  EXPECT_EQ(terme_fou(B2, BLANCS), 27 + 5 - 2 - 9);
  // On the enemy king's diagonal with no Black pawn between: +3. d4: 4 + 3 +
  // 3 + 3 = 13 squares, table 10, same a1-h8 diagonal as h8 (8), distance 4.
  prepare("7k/8/8/8/3B4/8/8/K7 b - -");
  EXPECT_EQ(terme_fou(D4, BLANCS), 3 * 13 + 10 + 8 - 1 + 3);
  // A Black pawn on f6 between them: no +3, and the diagonal stops there
  // (2 squares toward h8 instead of 4).
  prepare("7k/8/5p2/8/3B4/8/8/K7 b - -");
  EXPECT_EQ(terme_fou(D4, BLANCS), 3 * 11 + 10 + 8 - 1);
}

TEST(EvaluationPieces, ToursDoubleesSurColonneOuverte) {
  // d1: table 5, open file with two rooks 21, king a8 at distance 7 (0).
  prepare("k7/8/8/8/8/8/3R4/3RK3 w - -");
  EXPECT_EQ(terme_tour(D1, BLANCS), 5 + 21 + 0);
  // d2: 5 + 21 + distance 6 (1).
  EXPECT_EQ(terme_tour(D2, BLANCS), 5 + 21 + 1);
  // A single rook on a file with only Black pawns (c7 d7, not weak): 8;
  // in the endgame, in front of the passed d7 pawn: 12.
  prepare("k7/2pp4/8/8/8/8/8/3RK3 w - -");
  EXPECT_EQ(terme_tour(D1, BLANCS), 5 + 8 + 12 + 0);
  // The Black pawn isolated on d7: 4 more.
  prepare("k7/3p4/8/8/8/8/8/3RK3 w - -");
  EXPECT_EQ(terme_tour(D1, BLANCS), 5 + 4 + 8 + 12 + 0);
}

TEST(EvaluationPieces, ToursSurLaSeptieme) {
  // a7: table 0 + 23 (a Black pawn on the seventh), open file 16, two rooks
  // on the seventh 23, king e8 at distance 4 (9).
  prepare("4k3/RR5p/8/8/8/8/8/4K3 w - -");
  EXPECT_EQ(terme_tour(A7, BLANCS), 23 + 16 + 23 + 9);
  // b7: distance 3 (14).
  EXPECT_EQ(terme_tour(B7, BLANCS), 23 + 16 + 23 + 14);
}

TEST(EvaluationPieces, TourEtPionPasseEnFinale) {
  // Rook a1 behind the passed a5 pawn: +12 (endgame only). Open? no: own
  // pawn on the file. Table -3, king h8 at distance 7 (0).
  prepare("7k/8/8/P7/8/8/8/R3K3 w - -");
  ASSERT_EQ(phase_jeu, 2);
  EXPECT_EQ(terme_tour(A1, BLANCS), -3 + 12);
  // Rook a8 in front of its own pawn: nothing; king h8 on its rank (+5
  // outside the opening) and at distance 7.
  prepare("R6k/8/8/P7/8/8/8/4K3 b - -");
  EXPECT_EQ(terme_tour(A8, BLANCS), 0 + 5);
  // Black rook a8 behind its passed a4 pawn: +12; table 0 (as h1 -3).
  prepare("r6k/8/8/8/p7/8/8/4K3 w - -");
  EXPECT_EQ(terme_tour(A8, NOIRS), -3 + 12 + 0);
}

TEST(EvaluationPieces, LignesDuRoiHorsOuverture) {
  // Queen d1 and rook e1 against king e8: no king-line bonus in the opening.
  prepare("r2qk3/8/8/8/8/8/8/3QRK2 b - -");
  ASSERT_EQ(phase_jeu, 0);
  const int tour = terme_tour(E1, BLANCS), dame = terme_dame(D1, BLANCS);
  prepare("r2qk3/8/8/8/8/8/8/3QRK2 b - -", 40);
  ASSERT_EQ(phase_jeu, 1);
  EXPECT_EQ(terme_tour(E1, BLANCS) - tour, 5);
  EXPECT_EQ(terme_dame(D1, BLANCS) - dame, 5);
}

TEST(EvaluationPieces, Dame) {
  // Queen d1 (-3), king e8: 14 - 2 x 7 - 2 x 1 = -2; phase 1 and no White
  // pawn at all: +5. Exposures: both 0 (phase weights: White 10 only).
  prepare("4k3/8/8/8/8/8/8/3QK3 w - -", 40);
  EXPECT_EQ(terme_dame(D1, BLANCS), -3 - 2 + 5);
  // More than four pawns: a queen on the a-file with the king on g8 -10.
  prepare("6k1/ppp5/8/8/8/8/PPP5/Q3K3 w - -", 40);
  EXPECT_EQ(terme_dame(A1, BLANCS), -3 + (14 - 14 - 12) - 10);
}

TEST(EvaluationPieces, FouMauvais) {
  // Bishop f1 (light) with pawns a2 c2 e2 on light squares.
  prepare("4k3/8/8/8/8/8/P1P1P3/4KB2 w - -");
  EXPECT_EQ(nb_fous_blancs, 1);
  EXPECT_EQ(evalue_fous(FOU_MAUVAIS_FINALE), -12);
  EXPECT_EQ(evalue_fous(FOU_MAUVAIS), -6);
  // The bishop pair.
  prepare("4k3/8/8/8/8/8/P1P1P3/2B1KB2 w - -");
  EXPECT_EQ(evalue_fous(FOU_MAUVAIS), 20);
}

TEST(EvaluationFinale, RoisCentralises) {
  // Only kings and pawns (a2, a7, no blockade): e4 15 against h8 -15.
  prepare("7k/p7/8/8/4K3/8/P7/8 w - -");
  EXPECT_EQ(evalue_finale(BLANCS, -INFINI, INFINI), 30);
}

TEST(EvaluationFinale, RoiQuiBloqueUnPionPasse) {
  // King d2 in front of the passed d3 pawn: table 0 + 6; king a8 -15 as h1.
  prepare("k7/8/8/8/8/3p4/3K4/8 w - -");
  EXPECT_EQ(bonus_blocage(D2, BLANCS), 6);
  EXPECT_EQ(evalue_finale(BLANCS, -INFINI, INFINI), 0 + 6 - (-15));
  // On the c-file: 3.
  prepare("k7/8/8/8/8/2p5/2K5/8 w - -");
  EXPECT_EQ(bonus_blocage(C2, BLANCS), 3);
}

TEST(EvaluationFinale, Pieces) {
  // Knight c3: table 10, distance 5 to h8 (-7), attacks the weak d5 pawn
  // (10 in the endgame): 13. Bishop f1: table 0 (no development penalty in
  // the endgame); diagonal distances to h8: a1-h8 |5 - 0| = 5, a8-h1
  // |-2 - 7| = 9, so 8 - 2 x 5; king distance 7 (-10); no White pawn on
  // its colour. Kings: a1 -15, h8 -15 (as a1).
  prepare("7k/8/8/3p4/8/2N5/8/K4B2 w - -");
  EXPECT_EQ(evalue_finale(BLANCS, -INFINI, INFINI), 13 + (0 + 8 - 10 - 10) + (-15) - (-15));
}
