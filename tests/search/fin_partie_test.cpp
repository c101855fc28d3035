#include <gtest/gtest.h>

#include <string>

#include "bench.h"
#include "board/position.h"
#include "board/texte_coup.h"
#include "eval/evaluation.h"
#include "movegen/lecture_coup.h"
#include "search/etat_recherche.h"
#include "search/fin_partie.h"

namespace {

// The game-end line after the engine's move, for the position `fen` where
// the engine (side `camp`) has just moved.
std::string apres_coup(const char* fen, int camp, int score = 0) {
  EXPECT_EQ(prepare_bench(fen), 1) << fen;
  prepare_evaluation();
  nb_coups_racine = 1;
  testing::internal::CaptureStdout();
  EXPECT_EQ(annonce_fin_partie(1, score, camp), 1);
  return testing::internal::GetCapturedStdout();
}

TEST(FinPartieTest, MaterialThatCannotMate) {
  EXPECT_EQ(apres_coup("8/8/8/3b4/8/8/8/K6k w - - 0 1", NOIRS), "info string ===> 1/2-1/2 {Insufficient material}\n");
  EXPECT_EQ(apres_coup("8/8/8/8/8/8/8/K6k w - - 0 1", NOIRS), "info string ===> 1/2-1/2 {Insufficient material}\n");
  // Two knights cannot force mate but can mate: not announced.
  EXPECT_EQ(apres_coup("8/8/8/3n4/8/4n3/8/K6k w - - 0 1", NOIRS), "");
  // A pawn left on the board: not announced.
  EXPECT_EQ(apres_coup("8/8/8/3b4/8/8/P7/K6k w - - 0 1", NOIRS), "");
}

TEST(FinPartieTest, MateLinesNameTheWinner) {
  EXPECT_EQ(apres_coup("8/8/8/8/8/8/8/K6k w - - 0 1", NOIRS, MAT - 1), "info string ===> 0-1 {Black mates}\n");
  EXPECT_EQ(apres_coup("8/8/8/8/8/8/8/K6k w - - 0 1", BLANCS, MAT - 1), "info string ===> 1-0 {White mates}\n");
  // The engine's side has no move: mated when its king is attacked.
  EXPECT_EQ(apres_coup("7k/6Q1/6K1/8/8/8/8/8 b - - 0 1", NOIRS, -MAT), "info string ===> 1-0 {White mates}\n");
  EXPECT_EQ(apres_coup("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", NOIRS, -MAT), "info string ===> 1/2-1/2 {stalemate}\n");
}

TEST(FinPartieTest, FiftyMovesAndThreefoldRepetition) {
  ASSERT_EQ(prepare_bench("4k3/8/8/8/8/8/8/R3K3 w - - 0 1"), 1);
  prepare_evaluation();
  nb_coups_racine = 1;
  const char* aller_retour[] = {"a1a2", "e8d8", "a2a1", "d8e8"};
  for (int tour = 0; tour < 2; ++tour)
    for (const char* c : aller_retour) ASSERT_EQ(partie_joue_texte(partie, c), 1);
  partie_vers_position(partie);
  testing::internal::CaptureStdout();
  annonce_fin_partie(1, 0, NOIRS);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "info string ===> 1/2-1/2 {Drawn by 3-fold repetition}\n");

  position.irreversible_racine = position.demi_coups - 101;
  testing::internal::CaptureStdout();
  annonce_fin_partie(1, 0, NOIRS);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "info string ===> 1/2-1/2 {Drawn by 50-move rule}\n");

  // Before a search (mode 0) only mate and stalemate are announced.
  testing::internal::CaptureStdout();
  annonce_fin_partie(0, 0, BLANCS);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

}  // namespace
