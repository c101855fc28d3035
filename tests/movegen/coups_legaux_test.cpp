// The legal generator: its list must be exactly the pseudo-legal moves that
// survive a trial on the board, in generation order, in check or not.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/joue.h"
#include "board/texte_coup.h"
#include "common/plateau.h"
#include "movegen/attaques.h"
#include "movegen/generation.h"

namespace {

// The reference: every pseudo-legal move made, the own king tested, unmade.
std::vector<Coup> essayes(int ply, int camp) {
  Coup liste[256];
  Coup* fin = genere_captures(ply, camp, liste);
  fin = genere_non_captures(ply, camp, fin);
  std::vector<Coup> legaux;
  for (Coup* c = liste; c != fin; ++c) {
    joue(camp, ply, *c);
    if (!en_echec(camp)) legaux.push_back(*c);
    dejoue(camp, ply, *c);
  }
  return legaux;
}

std::vector<Coup> legaux(int ply, int camp) {
  debut_liste[ply] = pile_coups;
  genere_coups_legaux(camp, ply);
  return std::vector<Coup>(debut_liste[ply], debut_liste[ply + 1]);
}

// Walks the tree to `profondeur` and compares both lists in every position;
// returns how many of them had the side to move in check, so that the test
// can tell that evasions were among them.
int compare_arbre(int camp, int ply, int profondeur, const std::string& fen) {
  int comparees = 0;
  EXPECT_EQ(legaux(ply, camp), essayes(ply, camp)) << fen << " ply " << ply;
  if (en_echec(camp)) ++comparees;
  if (profondeur == 0) return comparees;
  for (Coup c : essayes(ply, camp)) {
    joue(camp, ply, c);
    comparees += compare_arbre(camp ^ 1, ply + 1, profondeur - 1, fen);
    dejoue(camp, ply, c);
  }
  return comparees;
}

TEST(CoupsLegaux, IdentiquesAuxCoupsEssayesSurLArbreDesPerfts) {
  int comparees = 0;
  for (const CasPerft& cas : lit_epd_perft(std::string(VELMAR_TEST_DATA) + "/perft.epd")) {
    ASSERT_TRUE(place_fen(cas.fen)) << cas.fen;
    comparees += compare_arbre(partie.trait, 0, 3, cas.fen);
  }
  EXPECT_GT(comparees, 1000);
}

TEST(CoupsLegaux, EchecsParticuliers) {
  const char* const positions[] = {
      // Double check: only the king moves.
      "4k3/8/8/8/8/5n2/8/r3K3 w - - 0 1",
      // The checking pawn taken en passant, and a pinned pawn that may not take it.
      "8/8/8/2k5/3Pp3/8/8/4K1B1 b - d3 0 1",
      "8/8/8/1k6/3Pp3/8/8/4KQ2 b - d3 0 1",
      // A pinned knight cannot block; the free rook can.
      "4r1k1/8/8/8/1b6/8/4N3/R3K3 w - - 0 1",
      "3qk3/8/8/8/7b/8/4N3/R3K3 w - - 0 1",
      // A promotion that blocks, and one that takes the checker.
      "r3k3/1P6/8/8/8/8/8/4K2r w - - 0 1",
  };
  for (const char* fen : positions) {
    ASSERT_TRUE(place_fen(fen)) << fen;
    ASSERT_TRUE(en_echec(partie.trait)) << fen;
    EXPECT_EQ(legaux(0, partie.trait), essayes(0, partie.trait)) << fen;
  }
}

}  // namespace
