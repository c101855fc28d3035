// King safety and castling terms.
#include "eval/roi.h"

#include <gtest/gtest.h>

#include "board/position.h"
#include "eval/detail_evaluation.h"
#include "eval/evaluation.h"
#include "eval/pions.h"
#include "installe.h"

TEST(EvaluationRoi, BouclierDuRoiRoque) {
  // g1 behind f2 g2 h2: shield 1 + 1 + 2 + 2 = 6, no attacker: E = -2.
  // h8 alone: no shield, no attacker: F = 0.
  installe("7k/8/8/8/8/8/5PPP/6K1 w - -");
  int32_t db = -1, dn = -1;
  EXPECT_EQ(securite_rois(db, dn), -4);
  EXPECT_EQ(db, 4);
  EXPECT_EQ(dn, 0);
  EXPECT_EQ(attaque_rois(), -4);
}

TEST(EvaluationRoi, BouclierArrondiVersZero) {
  // g1 with h2 and a bishop on f1: 1 (h2) + 1 (f1 bishop) + 2 = 4; 4 / -3
  // truncates to -1 (not -2): E = -1.
  installe("7k/8/8/8/8/8/7P/5BK1 w - -");
  int32_t db, dn;
  EXPECT_EQ(securite_rois(db, dn), -1);
  EXPECT_EQ(db, 1);
}

TEST(EvaluationRoi, PasDeBouclierLoinDeSonCamp) {
  // White king on e7 with pawns beside it, Black king on a1 with a pawn on
  // b2: neither shield counts, nobody attacks: no danger at all.
  installe("8/3PKP2/8/8/8/8/1p6/k7 w - -");
  int32_t db = -1, dn = -1;
  EXPECT_EQ(securite_rois(db, dn), 0);
  EXPECT_EQ(db, 0);
  EXPECT_EQ(dn, 0);
}

TEST(EvaluationRoi, DangerAutourDuRoi) {
  // King g1, pawns f2 g2 h2 (shield 6). Black queen h4 and knight g4.
  // h2: queen and knight, no White defender but the king: 2 + 1 + 2 (two
  // attackers with the queen) = 5. f2: queen (along the diagonal) and knight:
  // 2 + 1 + 2 = 5. g2, f1, h1: nothing. D_w = 10, E = 10 - 2 = 8.
  // Black: king a8 with nothing near: 0.
  installe("k7/8/8/8/6nq/8/5PPP/6K1 w - -");
  int32_t db, dn;
  EXPECT_EQ(securite_rois(db, dn), 2 * (0 - 10) + 0 - 64);
  EXPECT_EQ(db, 2 * 10 + 64);
  EXPECT_EQ(dn, 0);
}

TEST(EvaluationRoi, Roque) {
  // Rights at the root, both lost without castling in the line: -40.
  installe("r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq -");
  position.etats[1] = position.etats[0];
  position.etats[1].roque_blancs = 0;
  EXPECT_EQ(evalue_roque(1), -40);
  position.etats[1].roque_noirs = 0;
  EXPECT_EQ(evalue_roque(1), 0);
  // Castled in the line with the king on the e-h side while the king-side
  // shelter is no better than the queen-side one (both 0): -25.
  position.etats[1].roque_blancs = 4;
  position.etats[1].roque_noirs = 3;
  evalue_pions();
  EXPECT_EQ(evalue_roque(1), -25);
  // With a worse queen-side shelter (a2 b2 c2 gone), the e-h wing is right.
  installe("r3k2r/pppppppp/8/8/8/8/3PPPPP/R3K2R w KQkq -");
  evalue_pions();
  position.etats[1] = position.etats[0];
  position.etats[1].roque_blancs = 4;
  EXPECT_EQ(evalue_roque(1), 0);
}

TEST(EvaluationRoi, CentreBloque) {
  // d2 pawn with d3 occupied: +5 while the root byte is not 0.
  installe("4k3/8/8/8/8/3B4/3P4/4K2R w K -");
  EXPECT_EQ(evalue_roque(0), 5);
  // Castled before the search (root byte 4): only the centre patterns.
  position.etats[0].roque_blancs = 4;
  position.etats[1] = position.etats[0];
  position.etats[1].roque_blancs = 0;
  EXPECT_EQ(evalue_roque(1), 5);
  // No root byte at all: nothing.
  position.etats[0].roque_blancs = 0;
  EXPECT_EQ(evalue_roque(0), 0);
  // d4 pawn, c2 pawn behind a knight on c3, e4 free: +5; Black's mirror -5.
  installe("r3k3/2p5/2n5/3p4/3P4/2N5/2P5/R3K3 w Qq -");
  EXPECT_EQ(evalue_roque(0), 0);
  installe("r3k3/2p5/2n5/3p4/3P4/2N5/2P5/R3K3 w Q -");
  EXPECT_EQ(evalue_roque(0), 5);
}

TEST(EvaluationRoi, RoiQuiEnfermeSaTour) {
  installe("4k3/8/8/8/8/8/8/5K1R w - -");
  EXPECT_EQ(terme_roi(F1, BLANCS, 0), -40);
  // The endgame scores the king with its own table instead.
  ASSERT_EQ(phase_jeu, 2);
  DetailEvaluation d;
  evalue_detaillee(BLANCS, 0, d);
  EXPECT_EQ(d.pieces, 0);
  // Once castled in the line, never.
  position.etats[0].roque_blancs = 4;
  EXPECT_EQ(terme_roi(F1, BLANCS, 0), 0);
  installe("5k1r/8/8/8/8/8/8/4K3 w - -");
  EXPECT_EQ(terme_roi(F8, NOIRS, 0), -40);
}

TEST(EvaluationRoi, Exposition) {
  // White king g1 behind f2 g2 h2: table 0, king-side shelter 0 (Black
  // pawns on f, g, h). Black king c8 without a shelter on a-c: table 1 (as
  // f1) + 10 + 6 (a) + 14 + 6 (b) + 6 + 4 (c) = 47. Phases: White 15 (Q R),
  // Black 15: (15 x 47 - 15 x 0) >> 4 = 44.
  installe("2kr1q2/5ppp/8/8/8/8/5PPP/3R1QK1 w - -");
  evalue_pions();
  EXPECT_EQ(exposition_rois(), (15 * 47) >> 4);
  EXPECT_EQ(exposition_blancs, 0);
  EXPECT_EQ(exposition_noirs, 47);
}

TEST(EvaluationRoi, ExpositionNegativeArrondieVersLeBas) {
  // The mirror: the shift rounds -44.06 down to -45.
  installe("3r1qk1/5ppp/8/8/8/8/5PPP/2KR1Q2 w - -");
  evalue_pions();
  EXPECT_EQ(exposition_rois(), -((15 * 47) >> 4) - 1);
}

TEST(EvaluationRoi, Fianchetto) {
  // g3 instead of g2, bishop g2, king g1 next to g2: table 0 + shelter
  // (g: rank 3, 5) - 4 = 1.
  installe("6k1/5p1p/6p1/8/8/6P1/5PBP/6K1 w - -");
  evalue_pions();
  exposition_rois();
  EXPECT_EQ(exposition_blancs, 5 - 4);
  EXPECT_EQ(exposition_noirs, 5);  // g6 for Black without the bishop
}

TEST(EvaluationRoi, ColonnesOuvertesDevantLeRoiAuCentre) {
  // King e1, no pawn on d, e, f: 3 x 6 on top of table 3 and shelter.
  installe("4k3/pp4pp/8/8/8/8/PP4PP/4K3 w - -");
  evalue_pions();
  exposition_rois();
  // King-side shelter: f empty 6 + 4, g and h in place.
  EXPECT_EQ(exposition_blancs, 3 + 10 + 18);
}

TEST(EvaluationRoi, GroupesSautesAvecPeuDeMateriel) {
  // First an evaluation that leaves exposure values behind.
  installe("2kr1q2/5ppp/8/8/8/8/5PPP/3R1QK1 w - -");
  evalue_position(BLANCS, -INFINI, INFINI, 0);
  EXPECT_NE(exposition_noirs, 0);
  // Rook, bishop and knight: 11, not above 12.
  installe("2kq4/5ppp/8/8/8/8/5PPP/3RBNK1 w - -");
  DetailEvaluation d;
  evalue_detaillee(BLANCS, 0, d);
  EXPECT_EQ(d.exposition, 0);
  EXPECT_EQ(d.attaque, 0);
  EXPECT_EQ(exposition_blancs, 0);
  EXPECT_EQ(exposition_noirs, 0);
}
