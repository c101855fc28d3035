// Full evaluations worked out by hand, term by term, for positions chosen to
// exercise every group, both sides to move, the three phases and the
// roundings (the arithmetic shifts of the exposure and of the drawn bishop
// ending, the division of the shield by -3 toward zero). Each comment gives
// the groups in the driver's order, from White's point of view:
//   m material and trade correction; P pawn structure; PP passed pawns;
//   R castling and centre; X king exposure (doubled); A king attack;
//   pieces, bishops, tempo (phases 0 and 1) or F endgame scoring (phase 2);
// then the result for the side to move.
#include <gtest/gtest.h>

#include "board/types.h"
#include "eval/detail_evaluation.h"
#include "eval/evaluation.h"
#include "eval/reglages_evaluation.h"
#include "installe.h"

namespace {

struct Cas {
  const char* fen;
  int demi_coups;     // plies before the position (0: the opening phase if material allows)
  int tempete;        // the PawnStorming option
  int attendu;        // evaluation for the side to move
};

const Cas cas[] = {
    // 1. Phase 2. m 100. P: e2 -7, isolated -7 = -14. PP: e2 rank 2 8.
    //    F: kings e1 -10, e8 -10 (as d1): 0. 100 - 14 + 8 = 94.
    {"4k3/8/8/8/8/8/4P3/4K3 w - -", 0, 0, 94},
    // 2. Phase 2, Black to move. m 100. P: d3 12 - 7 isolated = 5. PP: d3 16
    //    (king e3 beside on rank 3: bonus_roi_passe[2] = 0). F: Ke3 10,
    //    Kd5 15 (as e4): -5. 100 + 16 = 116 for White, -116 for Black.
    {"8/8/8/3k4/8/3PK3/8/8 b - -", 0, 0, -116},
    // 3. Phase 2. m 100. P: a5 9 - 7 = 2. PP: a5 64. F: Ra1 -3 + 12 (behind
    //    the passed pawn) + 1 (6 from f7) = 10; Kg2 -10; Rh1 0 + 16 open +
    //    24 (1 from g2) = 40; Kf7 0 (as c2): -40. 100 + 2 + 64 - 40 = 126.
    {"8/5k2/8/P7/8/8/6K1/R6r w - -", 0, 0, 126},
    // 4. Phase 2, bishops on one colour (a3, b4 dark). m -100. P: g3 -25
    //    (as g6), isolated +7 = -18. PP: g3 -128 (g2 empty, king e7 above).
    //    F: Ba3 3 + 8 (same a1-h8 diagonal as e7) - 1 (distance 4) = 10;
    //    Kd1 -10; Bb4 5 + 6 + 4 = 15; Ke7 0 (as d2); Black's bishop has g3
    //    on its colour: +4. 10 - 10 - 15 + 4 = -11. s = -100 - 157 = -257,
    //    halved by arithmetic shift: -129 (not -128).
    {"8/4k3/8/8/1b6/B5p1/8/3K4 w - -", 0, 0, -129},
    // 5. Phase 0 (20 and 15). m 600. P: a2 1, b2 3, d4 15 (isolated,
    //    passed), f2 7, g2 4, h2 0; Black a7 1, b7 3, f7 7, g7 4, h7 0;
    //    isolated 1 against 0: -7. 30 - 15 - 7 = 8. PP: d4 32. R: 0 (no
    //    pattern; rights kept). X: both kings 3 + 6 (open e-file) = 9;
    //    (15 x 9 - 20 x 9) >> 4 = -45 >> 4 = -3, doubled -6. A: shields
    //    3 and 3 (f-pawn + 2), no attacker: E = F = -1: 0. Pieces: Rc1 -1 +
    //    16 = 15, Qd1 -3 - 2 = -5, Rh1 -3; Rc8 15, Qd7 0: -8. Tempo 5.
    //    600 + 8 + 32 - 6 - 8 + 5 = 631.
    {"2r1k3/pp1q1ppp/8/8/3P4/8/PP3PPP/2RQK2R w K -", 0, 0, 631},
    // 6. Phase 1, Black to move. m 100. P: White 1 + 4 + 6 + 7 + 4 + 0 = 22,
    //    Black 1 + 3 + 7 + 4 + 0 = 15: 7. X: 0. A: shields 6 and 6, no
    //    attacker: 0. Pieces: Rd1 5 + 16 = 21, Rf1 -1, Nd5 16 + 4 + 9
    //    (outpost) = 29, Bb3 3 x 5 + 5 + 8 - 7 = 21 (f7 between it and g8);
    //    Ra8 -3, Rf8 -1, Nc6 10 - 7 = 3, Be7 3 x 9 + 5 + 0 - 9 = 23:
    //    70 - 22 = 48. Bishops: b3 light with a2 c2 g2 -6, e7 dark with a7
    //    g7 +4. Tempo -5. 100 + 7 + 48 - 2 - 5 = 148, -148 for Black.
    {"r4rk1/pp2bppp/2n5/3N4/8/1B6/PPP2PPP/3R1RK1 b - -", 40, 0, -148},
    // 7. Phase 0 with PawnStorming: White cannot castle, Black can (charge
    //    2), White king on c1 storms files f-h: f2 g2 h2 are worth 0. m 0.
    //    P: White 1 + 4 + 6 + 15 + 1 + 1 + 0 = 28, Black 37: -9. R: Black's
    //    d5 c7 Nc6 pattern -5. X: Kc1 1, Ke8 3 + 6 (open e-file) = 9;
    //    (23 x 9 - 23 x 1) >> 4 = 11, doubled 22. A: E = 0 + 5 / -3 = -1;
    //    Qe2 attacks e7, defended by Nc6: D_b 1, F = 1 + 3 / -3 = 0:
    //    2 x 1 + 0 - 1 = 1. Pieces: Nc3 3, Rd1 5, Rh1 -3, Qe2 0 + 10
    //    (exposure 9 - 1 > 5) + 2 = 12; Ra8 -3, Rh8 -3, Nc6 3, Qe7 -2:
    //    17 + 5 = 22. Tempo 5. -9 - 5 + 22 + 1 + 22 + 5 = 36.
    {"r3k2r/ppp1qppp/2n5/3p4/3P4/2N5/PPP1QPPP/2KR3R w kq -", 0, 1, 36},
    // 8. A lone bishop: 0 before anything else.
    {"8/8/8/4k3/8/8/8/2B1K3 b - -", 0, 0, 0},
    // 9. Phase 2, Black to move. m: 600 - 600, minors 0 against 2 with
    //    majors differing by 1: -100. P -14, PP 8. F: Ra1 -3 + 16 = 13, Ke1
    //    -10; Nc8 0 - 10, Bd8 0 + (8 - 12) - 10 = -14, Ke8 -10: 37.
    //    -100 - 14 + 8 + 37 = -69, 69 for Black.
    {"2nbk3/8/8/8/8/8/4P3/R3K3 b - -", 0, 0, 69},
    // 10. Phase 2. m -300, minors 0 against 1 with equal majors: -400. P:
    //    d4 15, a5 6 (as a4), one isolated each: 9. PP: d4 32 - 16 (blocked
    //    by the knight) = 16, a5 -32: -16. F: Ke3 10; Nd5 12 + 10 + 6
    //    (blockade on the d-file) = 28, Kd6 10: -28. -400 + 9 - 16 - 28.
    {"8/8/3k4/p2n4/3P4/4K3/8/8 w - -", 0, 0, -435},
    // 11. Phase 2. m 100. P: g2 3 - 7 = -4. PP 8. F: Qd4 6, Kh1 -15; Qb2 0 +
    //    10 (second rank with a White pawn there), Kg8 -10: -9. 95.
    {"6k1/8/8/8/3Q4/8/1q4P1/7K w - -", 0, 0, 95},
    // 12. Phase 1, Black to move. m 0. P: White 0 + 6 + 12 + 18 + 9 + 4 + 0
    //    = 49; Black 3 + 3 + 12 + 12 + 7 + 4 + 0 = 41 (d6 backward, but a
    //    White pawn on its file): 8. X: Kg1 0 + 2 (f3 on rank 3), Kg8 0:
    //    (0 - 20 x 2) >> 4 = -3, doubled -6. A: B_w 5 -> E = 0 + 5 / -3 =
    //    -1, B_b 6 -> F = -2: 4 - 1 = 3. Pieces: Ra1 -3, Qd1 -3 - 6, Rf1 -1
    //    against the same for Black: 0. Tempo -5. 8 - 6 + 3 - 5 = 0.
    {"r2q1rk1/1p3ppp/p2p4/2pP4/2P5/1P3P2/P5PP/R2Q1RK1 b - -", 40, 0, 0},
    // 13. Phase 0. m 0. P 0 (mirror structures). X: Kf1 1 + 5 (g3) - 4
    //    (fianchetto) = 2, Kg8 0 + 5 - 4 = 1; (23 - 46) >> 4 = -2, doubled
    //    -4. A: B_w 5 -> E -1; B_b 6 (Bg7 in front counts 1) -> F -2: 3.
    //    Pieces: Ra1 -3, Qd1 -9, Kf1 with Rh1 -40, Bg2 3 x 8 + 5 - 4 - 9 =
    //    16, Rh1 -3; Ra8 -3, Qd8 -7, Rf8 -1, Bg7 24 + 5 - 2 - 9 = 18:
    //    -39 - 7 = -46. Bishops: 2 pawns each on the bishop's colour: 0.
    //    Tempo 5. -4 + 3 - 46 + 5 = -42.
    {"r2q1rk1/pp2ppbp/6p1/8/8/6P1/PP2PPBP/R2Q1K1R w - -", 0, 0, -42},
    // 14. Phase 1. m 800 (majors 4 against 3: one extra minor is not
    //    enough). P: d4 15, f2 7, g2 4; a6 3, f7 7, g7 4; isolated 1 each:
    //    12. PP: d4 32, a6 -16: 16. X 0. A: Rb7 and Ne5 hit f7, defended by
    //    Rf8: D_b 2, F = 2 - 2 = 0; E = -2: 2 x 2 + 0 - 4 = 0. Pieces: Qd1
    //    -9, Ne5 16 + 4 (f7 forbids the outpost) = 20, Ra7 23 + 4 + 8 + 23 +
    //    1 = 59, Rb7 23 + 16 + 23 + 3 = 65; Qd8 -9, Rf8 -1: 135 + 10 = 145.
    //    Tempo 5. 800 + 12 + 16 + 145 + 5 = 978.
    {"3q1rk1/RR3ppp/p7/4N3/3P4/8/5PPP/3Q2K1 w - -", 40, 0, 978},
    // 15. Phase 1, Black to move. m 300 + 100 (one minor more, equal
    //    majors). P 0. X: Kg1 0, Ke8 3 + 12 (open d- and e-files) = 15;
    //    (15 x 15 - 18 x 0) >> 4 = 14, doubled 28. A: D_b: d8 1, d7 1, f7
    //    2 (only the king defends) = 4, F = 4 + 3 / -3 = 3; E = -2:
    //    8 + 9 - 4 = 13. Pieces: Bb3 3 x 8 + 5 + 4 - 7 = 26, Rc1 15, Qd1
    //    -3 + 10 - 2 = 5; Ra8 -3, Qd8 -9: 46 + 12 = 58. Bishops: b3 with
    //    a2 g2: -4. Tempo -5. 400 + 28 + 13 + 58 - 4 - 5 = 490, -490.
    {"r2qk3/pp3ppp/8/8/8/1B6/PP3PPP/2RQ2K1 b - -", 40, 0, -490},
    // 16. Phase 2: a lone knight without pawns cannot win: 0 although
    //    White is ahead (m 200 + 100).
    {"8/8/4k3/8/8/8/p7/4K1N1 w - -", 0, 0, 0},
    // 17. Phase 2. m 200, minors 2 against 0 with majors differing by 1:
    //    +100. P: f2 7, g2 4, h2 0; a7 1, b7 3: 7. PP: f2 g2 h2 8 each, a7
    //    b7 -8 each: 8. F: Bb2 5 + 6 - 7 = 4, Bd3 7 + 4 - 1 = 10, Kg1 -10;
    //    Rd8 5 + 16 = 21, Kf7 0; bishop pair +20: 3. 300 + 7 + 8 + 3 = 318.
    {"3r4/pp3k2/8/8/8/3B4/1B3PPP/6K1 w - -", 0, 0, 318},
    // 18. Phase 1, Black to move. m 200. P 0. X 0. A: g2 hit by Qh3 and
    //    Nf4, undefended, queen among two: 2 + 1 + 2; h2 by Qh3: 2. D_w 7,
    //    E = 7 - 2 = 5. Qb3 hits f7, only the king defends: D_b 2, F 0.
    //    2 x (2 - 7) + 0 - 25 = -35. Pieces: Qb3 0 - 6 + 5 (g8's diagonal,
    //    no pawn between) - 10 (a- or b-file against a king on f-h) = -11,
    //    Rd1 21, Re1 21; Rd8 21, Nf4 16 + 4 = 20 (g2 forbids the outpost),
    //    Qh3 -3 + 8 = 5: 31 - 46 = -15. Tempo -5. 200 - 35 - 15 - 5 = 145.
    {"3r2k1/5ppp/8/8/5n2/1Q5q/5PPP/3RR1K1 b - -", 40, 0, -145},
    // 19. Phase 2 with both weights 13: the exposure and attack groups run
    //    (both 0 here), castling does not. m 0, P 0. F: Nf3 10 - 7 = 3, Ra1
    //    -3 + 16 = 13, Rf1 -1, Kg1 -10; Be7 5 + 0 - 9 = -4, Ra8 13, Rf8 -1,
    //    Kg8 -10; Black's bishop with g7 on its colour: +4. 5 + 2 + 4 = 11.
    {"r4rk1/4bppp/8/8/8/5N2/5PPP/R4RK1 w - -", 0, 0, 11},
    // 20. Phase 0, Black to move. m -100. P: White 22, Black 16 (d7 -7):
    //    6. R: d7 pawn with d6 occupied: -5. X: Kg1 0, Ke8 3 + 6 = 9:
    //    (23 x 9) >> 4 = 12, doubled 24. A: h2 hit by Bd6, undefended: D_w
    //    2, E = 2 - 2 = 0; B_b 4, F = 0 + 4 / -3 = -1 (toward zero): 2 x
    //    (0 - 2) + 1 - 0 = -3. Pieces: Ra1 -3, Qd2 0 + 10 + 0 = 10, Bd3 3 x
    //    10 + 7 + 0 - 7 = 30, Rf1 -1; Ra8 -3, Rh8 -3, Bd6 27 + 7 + 4 - 7 =
    //    31, Qe7 -2: 36 - 23 = 13. Bishops 0. Tempo -5.
    //    -100 + 6 - 5 + 24 - 3 + 13 - 5 = -70, 70 for Black.
    {"r3k2r/ppppqppp/3b4/8/8/3B4/PPPQ1PPP/R4RK1 b kq -", 0, 0, 70},
    // 21. Two lone knights: not insufficient. Phase 2, m 0. F: Nb1 -4 - 7,
    //    Ke1 -10; Nc5 10 - 1, Ke6 10: -40.
    {"8/8/4k3/2n5/8/8/8/1N2K3 w - -", 0, 0, -40},
};

}  // namespace

TEST(EvaluationTable, EvaluationsCalculeesALaMain) {
  for (const Cas& c : cas) {
    attaque_pions = c.tempete;
    installe(c.fen, c.demi_coups);
    DetailEvaluation d;
    EXPECT_EQ(evalue_detaillee(trait(), 0, d), c.attendu) << c.fen;
    // The same through the lazy evaluation with a full window.
    EXPECT_EQ(evalue_position(trait(), -INFINI, INFINI, 0), c.attendu) << c.fen;
  }
  attaque_pions = 0;
}
