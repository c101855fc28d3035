// The evaluation driver: material corrections, drawish endings, lazy exits,
// phase, the root sums and the tempo.
#include <gtest/gtest.h>

#include "board/position.h"
#include "eval/detail_evaluation.h"
#include "eval/evaluation.h"
#include "eval/hash_pions.h"
#include "eval/pions.h"
#include "eval/preparation.h"
#include "installe.h"
#include "search/table_hash.h"

namespace {

int pour(int camp, int alpha = -INFINI, int beta = INFINI) { return evalue_position(camp, alpha, beta, 0); }

DetailEvaluation detail() {
  DetailEvaluation d;
  evalue_detaillee(trait(), 0, d);
  return d;
}

}  // namespace

TEST(EvaluationPilote, PositionDeDepart) {
  installe("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
  EXPECT_EQ(phase_jeu, 0);
  EXPECT_EQ(materiel_racine, 0);
  EXPECT_EQ(position_racine, 0);
  EXPECT_EQ(position.phase_blancs, 32);
  EXPECT_EQ(position.nb_pions_noirs, 8);
  // Everything cancels out but the tempo of the side to move.
  EXPECT_EQ(pour(BLANCS), 5);
  installe("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq -");
  EXPECT_EQ(pour(NOIRS), 5);
}

TEST(EvaluationPilote, RacineCompteLaDameAMille) {
  // White: queen against rook and two pawns; 100 x (10 - 5 + 0 - 2).
  installe("4k3/pp6/8/8/8/8/8/r2QK3 w - - 0 1");
  EXPECT_EQ(materiel_racine, 300);
  EXPECT_EQ(position.materiel_blancs - position.materiel_noirs, 200);
  // Root sums: Qd1 -3, Ke1 -10 against pawns a7 0 (as a2), b7 3 (b2),
  // rook a1 0 (as h8), king e8 -10 (as d1).
  EXPECT_EQ(position_racine, -3 - 10 - (0 + 3 + 0 - 10));
}

TEST(EvaluationPilote, MaterielInsuffisant) {
  installe("8/8/4k3/8/8/8/8/1N2K3 w - -");
  EXPECT_EQ(materiel_insuffisant(), 1);
  // Decided before the lazy exits: even a window far away gives 0.
  EXPECT_EQ(pour(BLANCS, 100, 200), 0);
  EXPECT_EQ(pour(NOIRS, -200, -100), 0);
  installe("8/8/4k3/8/8/8/8/4K3 b - -");
  EXPECT_EQ(pour(NOIRS), 0);
  // Two lone minors are not insufficient: knight b1 -4 - 7 (5 from e6),
  // king e1 -10, against knight c5 10 - 1 (4 from e1) and king e6 10.
  installe("8/8/4k3/2n5/8/8/8/1N2K3 w - -");
  EXPECT_EQ(materiel_insuffisant(), 0);
  EXPECT_EQ(pour(BLANCS), -40);
  // Insufficient material but pawns on the board: evaluated normally.
  installe("8/8/4k3/8/8/8/P7/1N2K3 w - -");
  EXPECT_EQ(materiel_insuffisant(), 1);
  EXPECT_NE(pour(BLANCS), 0);
}

TEST(EvaluationPilote, CorrectionDesEchanges) {
  // A knight against three pawns: equal sums, one minor more.
  installe("4k3/ppp5/8/8/8/8/8/4K1N1 w - -");
  EXPECT_EQ(detail().materiel, 100);
  // A rook against knight and bishop: majors differ by 1, the minors' side
  // has two more, so it gains 100 on top of its 100.
  installe("2nbk3/8/8/8/8/8/8/R3K3 w - -");
  EXPECT_EQ(detail().materiel, -200);
  // A rook against knight and pawn: one minor more is not enough.
  installe("4k3/4p3/8/8/8/8/8/R3K1n1 w - -");
  EXPECT_EQ(detail().materiel, 100);
  // Queen (two majors) against rook and three minors: majors differ by 1,
  // Black's three extra minors count.
  installe("1nbrkb2/8/8/8/8/8/8/3QK3 w - -");
  EXPECT_EQ(detail().materiel, 900 - 1400 - 100);
  // Queen against three minors: majors differ by 2, three extra minors > 2.
  installe("1nb1kb2/8/8/8/8/8/8/3QK3 w - -");
  EXPECT_EQ(detail().materiel, 900 - 900 - 100);
  // Queen against two minors: two extra minors are not more than 2.
  installe("1n2kb2/8/8/8/8/8/8/3QK3 w - -");
  EXPECT_EQ(detail().materiel, 300);
}

TEST(EvaluationPilote, FinalesNulles) {
  // Bishops on squares of one colour (d2 and b4 dark): the score is halved.
  installe("8/8/4k3/8/1b6/8/3BP3/4K3 w - -");
  DetailEvaluation d = detail();
  const int s = d.materiel + d.pions + d.passes + d.finale;
  EXPECT_EQ(d.correction, (s >> 1) - s);
  EXPECT_EQ(d.total, s >> 1);
  // Opposite colours (c4 light): not halved.
  installe("8/8/4k3/8/2b5/8/3BP3/4K3 w - -");
  EXPECT_EQ(detail().correction, 0);
  // A lone bishop without pawns, ahead in material: exactly 0.
  installe("8/8/4k3/4p3/8/8/8/2B1K3 w - -");
  EXPECT_EQ(pour(BLANCS), 0);
  EXPECT_EQ(pour(NOIRS), 0);
  // The same for Black.
  installe("4k3/8/8/8/8/3P4/8/2b1K3 b - -");
  EXPECT_EQ(pour(NOIRS), 0);
}

TEST(EvaluationPilote, PremiereSortieParesseuseRendLaBorne) {
  installe("4k3/pppp4/8/8/8/8/PPPP4/3QK3 w - -");
  const int64_t avant = nb_evaluations;
  EXPECT_EQ(pour(BLANCS, -50, 50), 50);
  EXPECT_EQ(pour(NOIRS, -50, 50), -50);
  EXPECT_EQ(nb_evaluations, avant);
  pour(BLANCS, 600, 800);
  EXPECT_EQ(nb_evaluations, avant + 1);
}

TEST(EvaluationPilote, SecondeSortieParesseuseRendLeScorePartiel) {
  // Queen up in a middlegame: with a wide lazy margin the first exit does not
  // fire, the second returns material + pawns + castling + king terms.
  installe("r1b1k1nr/pppp4/8/8/8/8/PPPP4/RNBQK2R w KQkq -");
  ASSERT_NE(phase_jeu, 2);
  DetailEvaluation d;
  evalue_detaillee(BLANCS, 0, d);
  const int partiel = d.materiel + d.pions + d.passes + d.roque + d.exposition + d.attaque;
  marge_paresseuse = 2000;
  EXPECT_EQ(pour(BLANCS, -10, 10), partiel);
  EXPECT_EQ(pour(NOIRS, -10, 10), -partiel);
  // Within 200 of the window the pieces are scored.
  EXPECT_EQ(pour(BLANCS, partiel + 150, partiel + 160), d.total);
}

TEST(EvaluationPilote, LaMargeSuitLePlusGrandScorePositionnel) {
  installe("4k3/PPP5/8/8/8/8/8/4K3 w - -");
  marge_paresseuse = 0;
  DetailEvaluation d;
  evalue_detaillee(BLANCS, 0, d);
  const int t = d.total - d.materiel;
  EXPECT_GT(t, 200);
  EXPECT_EQ(marge_paresseuse, t);
  installe("4k3/8/8/8/8/8/8/R3K3 w - -");
  marge_paresseuse = 1000;
  pour(BLANCS);
  EXPECT_EQ(marge_paresseuse, 1000);
}

TEST(EvaluationPilote, LeTraitGagneCinq) {
  installe("r1bq1rk1/pp2bppp/2n1pn2/2pp4/3P4/2PBPN2/PP1N1PPP/R1BQ1RK1 w - -");
  ASSERT_NE(phase_jeu, 2);
  // White's score is m + t + 5, Black's -(m + t - 5).
  EXPECT_EQ(pour(BLANCS) + pour(NOIRS), 10);
  // No tempo in the endgame.
  installe("4k3/8/8/3p4/8/8/4P3/4K3 w - -");
  EXPECT_EQ(pour(BLANCS) + pour(NOIRS), 0);
}

TEST(EvaluationPilote, Phase) {
  // Queens off: 22 against 22 stays out of the endgame.
  installe("rnb1kbnr/pppppppp/8/8/8/8/PPPPPPPP/RNB1KBNR w KQkq -", 30);
  EXPECT_EQ(phase_jeu, 0);  // castling rights at the root and fewer than 40 plies
  installe("rnb1kbnr/pppppppp/8/8/8/8/PPPPPPPP/RNB1KBNR w - -", 30);
  EXPECT_EQ(phase_jeu, 1);
  installe("rnb1kbnr/pppppppp/8/8/8/8/PPPPPPPP/RNB1KBNR w KQkq -", 40);
  EXPECT_EQ(phase_jeu, 1);
  installe("rnb1kbnr/pppppppp/8/8/8/8/PPPPPPPP/RNB1KBNR w - -", 19);
  EXPECT_EQ(phase_jeu, 0);
  // Only the root side's rights count: Black has them, White to move.
  installe("rnb1kbnr/pppppppp/8/8/8/8/PPPPPPPP/RNB1KBNR w kq -", 30);
  EXPECT_EQ(phase_jeu, 1);
  // Rook and bishop (8) for one side: endgame.
  installe("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/2B1K2R w KQkq -");
  EXPECT_EQ(phase_jeu, 2);
}

TEST(EvaluationPilote, UnChangementDePhaseVideLaTableDesPions) {
  installe("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
  const TableHashPions* table = reinterpret_cast<const TableHashPions*>(memoire_hash_pions);
  ASSERT_NE(table, nullptr);
  pour(BLANCS);
  const uint32_t cle = position.cle_pions;
  EXPECT_EQ(table[cle & 32767].cle, cle);
  // Queens traded, same pawns, same phase: the entry survives.
  construit("rnb1kbnr/pppppppp/8/8/8/8/PPPPPPPP/RNB1KBNR w KQkq -");
  prepare_evaluation();
  EXPECT_EQ(table[cle & 32767].cle, cle);
  // Down to rook and bishop: the endgame tables differ, the table is emptied.
  construit("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/2B1K2R w KQkq -");
  prepare_evaluation();
  EXPECT_EQ(phase_jeu, 2);
  EXPECT_EQ(table[cle & 32767].cle, 0u);
}
