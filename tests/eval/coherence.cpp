// Along random lines of play, with make/unmake keeping the board, the
// evaluation must not depend on where the pawn summary comes from (computed,
// the one-entry cache or the table), nor on the side it is asked for beyond
// the sign and the tempo.
#include <gtest/gtest.h>

#include <random>

#include "board/joue.h"
#include "board/position.h"
#include "eval/evaluation.h"
#include "eval/hash_pions.h"
#include "eval/pions.h"
#include "installe.h"
#include "movegen/attaques.h"
#include "movegen/generation.h"
#include "search/table_hash.h"

namespace {

std::mt19937 aleatoire(12345);

int evaluation_fraiche(int camp, int ply) {
  dernier_cle_pions = 0;
  efface_hash_pions();
  return evalue_position(camp, -INFINI, INFINI, ply);
}

// Plays random legal moves down to `profondeur`, checking every node, and
// takes them back.
void explore(int camp, int ply, int profondeur, int& noeuds) {
  const int avec_cache = evalue_position(camp, -INFINI, INFINI, ply);
  const int autre_camp = evalue_position(camp ^ 1, -INFINI, INFINI, ply);
  ASSERT_EQ(avec_cache, evaluation_fraiche(camp, ply)) << "ply " << ply;
  // Same position, other side: the sign turns, and the tempo (only outside
  // the endgame) moves from one side to the other.
  if (phase_jeu != 2 && avec_cache != 0) {
    EXPECT_EQ(avec_cache + autre_camp, 10) << "ply " << ply;
  }
  ++noeuds;
  if (profondeur == 0) return;
  debut_liste[ply] = ply == 0 ? pile_coups : debut_liste[ply];
  genere_coups(camp, ply);
  const int n = static_cast<int>(debut_liste[ply + 1] - debut_liste[ply]);
  if (n == 0) return;
  // Two random moves per node keep the tree small.
  for (int essai = 0; essai < 2; ++essai) {
    const Coup coup = debut_liste[ply][aleatoire() % n];
    joue(camp, ply, coup);
    if (!en_echec(camp)) explore(camp ^ 1, ply + 1, profondeur - 1, noeuds);
    dejoue(camp, ply, coup);
    genere_coups(camp, ply);
  }
}

}  // namespace

TEST(EvaluationCoherence, CacheDesPionsEtTraitLeLongDeLignesAleatoires) {
  const char* fens[] = {
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",
      "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
      "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -",
      "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - -",
      "8/5pk1/6p1/3P4/1P6/6KP/8/8 b - -",
  };
  int noeuds = 0;
  for (const char* fen : fens) {
    installe(fen);
    explore(trait(), 0, 7, noeuds);
  }
  EXPECT_GT(noeuds, 500);
}
