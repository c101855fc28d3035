#include <gtest/gtest.h>

#include <string>

#include "bench.h"
#include "board/position.h"
#include "board/texte_coup.h"
#include "eval/evaluation.h"
#include "movegen/generation.h"
#include "movegen/lecture_coup.h"
#include "search/etat_recherche.h"
#include "search/fin_partie.h"
#include "search/limites_recherche.h"
#include "search/recherche.h"
#include "search/reglages_recherche.h"

namespace {

struct Resultat {
  int score;
  std::string coup;
  std::string sortie;
};

// Searches `fen` from a fresh state with the "go depth" limit `profondeur`.
Resultat cherche(const char* fen, int profondeur) {
  EXPECT_EQ(prepare_bench(fen), 1) << fen;
  mode_temps_fixe = 1;
  temps_fixe = 1000000;
  profondeur_max = profondeur;
  testing::internal::CaptureStdout();
  Resultat r;
  r.score = recherche_iterative();
  r.sortie = testing::internal::GetCapturedStdout();
  char texte[8] = "";
  if (r.score != -MAT) texte_coup(pv[0][0], texte);
  r.coup = texte;
  return r;
}

int compte(const std::string& texte, const std::string& motif) {
  int n = 0;
  for (size_t i = texte.find(motif); i != std::string::npos; i = texte.find(motif, i + 1)) ++n;
  return n;
}

TEST(RechercheTest, MatesAreFoundAndScoredByDistance) {
  // Back-rank mate in one.
  Resultat r = cherche("6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1", 6);
  EXPECT_EQ(r.score, INFINI - 2);
  EXPECT_EQ(r.coup, "d1d8");
  EXPECT_NE(r.sortie.find("info score mate 1 "), std::string::npos) << r.sortie;
  EXPECT_NE(r.sortie.find("info string Detection de MAT : 29999 MAT01\n"), std::string::npos);

  // Rook ladder: cut the seventh rank, then mate on the eighth.
  r = cherche("7k/8/8/8/8/8/R7/1R4K1 w - - 0 1", 6);
  EXPECT_EQ(r.score, INFINI - 4);
  EXPECT_NE(r.sortie.find("info score mate 2 "), std::string::npos) << r.sortie;

  // Smothered mate: Nh6+ Kh8 Qg8+ Rxg8 Nf7#.
  r = cherche("5rk1/5Npp/8/8/8/1Q6/6PP/6K1 w - - 0 1", 8);
  EXPECT_EQ(r.score, INFINI - 6);
  EXPECT_EQ(r.coup, "f7h6");
  EXPECT_NE(r.sortie.find("info score mate 3 "), std::string::npos) << r.sortie;

  // The side being mated sees it too.
  r = cherche("6k1/5ppp/8/8/8/8/5PPP/3R2K1 b - - 0 1", 5);
  EXPECT_LT(r.score, 100);
  r = cherche("7k/8/8/8/8/8/R7/1R4K1 b - - 0 1", 5);
  EXPECT_LT(r.score, 0);
}

TEST(RechercheTest, OptionalPruningAndExtensionsKeepTheSearchSound) {
  futilite = 1;
  extension_singuliere = 1;
  extension_securite_roi = 4;
  quiescence_limitee = 1;
  Resultat r = cherche("5rk1/5Npp/8/8/8/1Q6/6PP/6K1 w - - 0 1", 8);
  EXPECT_EQ(r.score, INFINI - 6);
  EXPECT_EQ(r.coup, "f7h6");
  const char* fen = "r1bq1rk1/pp2b1pp/n1pp1n2/3P1p2/2P1p3/2N1P2N/PP2BPPP/R1BQ1RK1 b - - 2 10";
  r = cherche(fen, 7);
  EXPECT_EQ(profondeur_terminee, 6);
  EXPECT_FALSE(r.coup.empty());
  EXPECT_GT(nb_ext_securite, 0);
  futilite = 0;
  extension_singuliere = 0;
  extension_securite_roi = 0;
  quiescence_limitee = 0;
}

// The singular test needs six plies of remaining depth below the root, so
// it only runs from the eighth iteration on.
TEST(RechercheSlowTest, SingularExtensionFindsForcedMoves) {
  extension_singuliere = 1;
  Resultat r = cherche("r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4", 9);
  extension_singuliere = 0;
  EXPECT_EQ(profondeur_terminee, 8);
  EXPECT_FALSE(r.coup.empty());
  EXPECT_GT(nb_ext_singuliere, 0);
}

TEST(RechercheTest, NoLegalMoveReturnsWithoutSearching) {
  ponder_autorise = 0;
  Resultat r = cherche("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", 6);  // stalemate
  EXPECT_EQ(r.score, -MAT);
  EXPECT_EQ(r.sortie.find("info depth"), std::string::npos);
  EXPECT_NE(r.sortie.find("info string ===> 1/2-1/2 {stalemate}\n"), std::string::npos) << r.sortie;

  r = cherche("7k/6Q1/6K1/8/8/8/8/8 b - - 0 1", 6);  // Black is mated
  EXPECT_EQ(r.score, -MAT);
  EXPECT_NE(r.sortie.find("info string ===> 1-0 {White mates}\n"), std::string::npos) << r.sortie;
}

TEST(RechercheTest, SingleLegalMoveIsPlayedAtOnce) {
  // Black king in the corner, checked by a rook, one way out.
  Resultat r = cherche("k7/8/1K6/8/8/8/8/R7 b - - 0 1", 10);
  EXPECT_EQ(r.score, 0);
  EXPECT_EQ(r.coup, "a8b8");
  EXPECT_EQ(longueur_pv[0], 1);
  EXPECT_NE(r.sortie.find("info depth 1 nodes 1\n"), std::string::npos) << r.sortie;
}

TEST(RechercheTest, DepthLimitCompletesOneIterationLess) {
  const char* fen = "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4";
  Resultat r = cherche(fen, 5);
  EXPECT_EQ(profondeur_terminee, 4);
  EXPECT_EQ(r.sortie.find("info depth 5 "), std::string::npos);
  EXPECT_NE(r.sortie.find("info depth 4 "), std::string::npos);
  // Even a limit of 1 (or less) completes the first iteration and has a move.
  r = cherche(fen, 1);
  EXPECT_EQ(profondeur_terminee, 1);
  EXPECT_EQ(compte(r.sortie, "info depth 1 "), 1);
  EXPECT_FALSE(r.coup.empty());
  r = cherche(fen, 0);
  EXPECT_EQ(profondeur_terminee, 1);
  EXPECT_FALSE(r.coup.empty());
}

TEST(RechercheTest, SameSearchFromAFreshStateCountsTheSameNodes) {
  const char* fen = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";
  int64_t n1 = 0, n2 = 0;
  ASSERT_EQ(prepare_bench(fen), 1);
  const int s1 = cherche_bench(4, n1);
  ASSERT_EQ(prepare_bench(fen), 1);
  const int s2 = cherche_bench(4, n2);
  EXPECT_GT(n1, 1000);
  EXPECT_EQ(n1, n2);
  EXPECT_EQ(s1, s2);
}

TEST(RechercheTest, RootMovesStartInExchangeOrder) {
  // White can take a loose queen, or lose its own rook by moving it.
  ASSERT_EQ(prepare_bench("4k3/8/8/3q4/8/8/3R4/4K3 w - - 0 1"), 1);
  prepare_evaluation();
  camp_racine = BLANCS;
  prepare_coups_racine();
  ASSERT_GT(nb_coups_racine, 10);
  char texte[8];
  EXPECT_STREQ(texte_coup(debut_liste[0][0], texte), "d2d5");
  EXPECT_EQ(fiches_racine[0].coup, debut_liste[0][0]);
  EXPECT_EQ(debut_liste[1] - debut_liste[0], nb_coups_racine);
  for (int i = 0; i + 1 < nb_coups_racine; ++i) {
    EXPECT_GE(fiches_racine[i].score_preliminaire, fiches_racine[i + 1].score_preliminaire);
    EXPECT_EQ(fiches_racine[i].coup, debut_liste[0][i]);
    EXPECT_EQ(fiches_racine[i].meilleur_score, -INFINI);
  }
}

TEST(RechercheTest, AspirationWindowWidensTwiceThenGivesUp) {
  int alpha = 10, beta = 90, reprise = 0;
  EXPECT_EQ(elargit_fenetre(50, alpha, beta, reprise), 0);  // inside: done

  // Fail low: (v - 200, old alpha + 1), then the full window.
  EXPECT_EQ(elargit_fenetre(-20, alpha, beta, reprise), 1);
  EXPECT_EQ(alpha, -220);
  EXPECT_EQ(beta, 11);
  EXPECT_EQ(elargit_fenetre(-300, alpha, beta, reprise), 1);
  EXPECT_EQ(alpha, -INFINI);
  EXPECT_EQ(beta, INFINI);
  EXPECT_EQ(elargit_fenetre(-INFINI, alpha, beta, reprise), 0);  // taken as complete

  // Fail high: (old beta - 1, v + 200), capped at the bounds.
  alpha = 10, beta = 90, reprise = 0;
  EXPECT_EQ(elargit_fenetre(30000, alpha, beta, reprise), 1);
  EXPECT_EQ(alpha, 89);
  EXPECT_EQ(beta, INFINI);
  alpha = -INFINI + 5, beta = 90, reprise = 0;
  EXPECT_EQ(elargit_fenetre(-30000, alpha, beta, reprise), 1);
  EXPECT_EQ(alpha, -INFINI);
}

TEST(RechercheTest, RepetitionsInsideTheSearchAndInTheGame) {
  ASSERT_EQ(prepare_bench(nullptr), 1);
  const char* coups[] = {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"};
  int n = 0;
  for (const char* c : coups) {
    ASSERT_EQ(partie_joue_texte(partie, c), 1) << c;
    partie_vers_position(partie);
    ++n;
    // One earlier occurrence is a draw for the search; the game needs three.
    if (n == 4) {
      EXPECT_EQ(est_repetition(), 1);
      EXPECT_EQ(repetition_partie(), 0);
    }
    if (n == 5) {
      EXPECT_EQ(est_repetition(), 1);
    }
  }
  EXPECT_EQ(repetition_partie(), 3);

  // More than 100 plies since the last irreversible move.
  position.irreversible_racine = position.demi_coups - 101;
  EXPECT_EQ(est_repetition(), 2);
  EXPECT_EQ(repetition_partie(), 1);
  position.irreversible_racine = position.demi_coups - 100;
  EXPECT_NE(repetition_partie(), 1);
  EXPECT_NE(est_repetition(), 2);
}

}  // namespace
