// The Syzygy tables seen through UCI: the root ranking that converts a win
// within the fifty-move rule, the score a drawn root shows, and castling
// rights that keep the tables out of a root.
#include <gtest/gtest.h>

#include <string>

#include "common/session.h"

namespace {

const std::string DONNEES = std::string(VELMAR_TEST_DATA) + "/syzygy";

// The last "info score" line and the "bestmove" line of one search.
struct Resultat {
  std::string info, coup;
};

Resultat cherche(const std::string& chemin, const std::string& position, const std::string& go) {
  const std::string sortie =
      lance_velmar({}, "setoption name SyzygyPath value " + chemin + "\n" + position + "\n" + go + "\nisready\n");
  Resultat r;
  size_t debut = 0;
  for (size_t fin; (fin = sortie.find('\n', debut)) != std::string::npos; debut = fin + 1) {
    const std::string l = sortie.substr(debut, fin - debut);
    if (l.rfind("info score", 0) == 0) r.info = l;
    if (l.rfind("bestmove ", 0) == 0) r.coup = l.substr(9, 4);
  }
  return r;
}

// Rook against knight, won, after 76 plies without a capture or pawn move
// (a cycle, so the position has also repeated): only the move that zeroes
// soonest keeps the win inside the fifty-move budget, and the search alone
// prefers another.
TEST(SyzygyUci, GainConvertiAvantLesCinquanteCoups) {
  std::string position = "position fen 4n3/8/8/8/6R1/8/3K4/1k6 w - - 0 1 moves";
  for (int i = 0; i < 19; ++i) position += " g4g5 e8f6 g5g4 f6e8";
  const Resultat avec = cherche(DONNEES, position, "go depth 6");
  EXPECT_EQ(avec.coup, "d2c3");
  EXPECT_NE(avec.info.find("score cp 20000 "), std::string::npos) << avec.info;
  EXPECT_NE(avec.info.find(" tbhits "), std::string::npos) << avec.info;
  const Resultat sans = cherche("", position, "go depth 6");
  EXPECT_NE(sans.coup, "d2c3");
  EXPECT_EQ(sans.info.find(" tbhits "), std::string::npos) << sans.info;
}

// Queen against rook, the rook en prise: taking it reaches the tables' win
// soonest. Table scores kept in the transposition table at another ply, or
// a null move in a position the tables have lost, would make a slower win
// look better.
TEST(SyzygyUci, LeGainLePlusCourtDAbord) {
  const Resultat r = cherche(DONNEES, "position fen 8/8/8/3k4/8/8/4r3/1K2Q3 w - - 0 1", "go depth 6");
  EXPECT_EQ(r.coup, "e1e2");
  EXPECT_NE(r.info.find("score cp 19999 "), std::string::npos) << r.info;
}

// Where a Nalimov table holds the material, it is probed (exact mates) and
// the Syzygy tables stay out, also at the root.
TEST(SyzygyUci, NalimovPrioritaire) {
  const std::string position = "position fen 8/8/8/4k3/8/8/8/KQ6 w - - 0 1";
  const std::string nalimov = "setoption name NalimovPath value " + std::string(VELMAR_TEST_DATA) + "/egtb/tables\n";
  EXPECT_NE(cherche(DONNEES, nalimov + position, "go depth 3").info.find("score mate "), std::string::npos);
  EXPECT_NE(cherche(DONNEES, position, "go depth 3").info.find("score cp 20000 "), std::string::npos);
}

// A drawn rook ending shows the tables' 0, where the evaluation alone
// gives a score of its own.
TEST(SyzygyUci, NulleAfficheZero) {
  const std::string position = "position fen r7/6k1/8/8/8/8/8/3RK3 w - - 0 1";
  EXPECT_NE(cherche(DONNEES, position, "go depth 6").info.find("score cp 0 "), std::string::npos);
  EXPECT_EQ(cherche("", position, "go depth 6").info.find("score cp 0 "), std::string::npos);
}

// A root with a castling right is never probed (the search scores it
// itself); the same position without the right gets the tables' verdict.
TEST(SyzygyUci, DroitDeRoquePasDeSonde) {
  const Resultat roque = cherche(DONNEES, "position fen 4k3/8/8/8/8/8/8/4K2R w K - 0 1", "go depth 4");
  EXPECT_EQ(roque.info.find("score cp 20000 "), std::string::npos) << roque.info;
  EXPECT_NE(roque.info.find(" tbhits "), std::string::npos) << roque.info;
  const Resultat sans = cherche(DONNEES, "position fen 4k3/8/8/8/8/8/8/4K2R w - - 0 1", "go depth 4");
  EXPECT_NE(sans.info.find("score cp 20000 "), std::string::npos) << sans.info;
}

}  // namespace
