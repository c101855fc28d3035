// The Syzygy tables seen through UCI: the root ranking that converts a win
// within the fifty-move rule, the score a drawn root shows, castling rights
// that keep the tables out of a root, damaged tables, and what the engine
// leaves on disk.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "common/plateau.h"
#include "common/session.h"
#include "movegen/lecture_coup.h"

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

namespace fs = std::filesystem;

std::string repertoire_vide(const std::string& nom) {
  const std::string d = ::testing::TempDir() + "/velmar_syzygy_uci_" + std::to_string(getpid()) + "_" + nom;
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}

std::string lit(const std::string& f) {
  std::ifstream e(DONNEES + "/" + f, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(e), {});
}

// Damaged tables ahead of sound ones, on two threads: a file cut short and
// one with garbage after a valid header are refused by name (the second
// with its directory), the search probes the sound tables, plays a legal
// move and the engine goes on answering.
TEST(SyzygyUci, TablesEndommageesDeuxFils) {
  const std::string tronquee = repertoire_vide("tronquee"), dechet = repertoire_vide("dechet");
  std::ofstream(tronquee + "/KBNvK.rtbw", std::ios::binary) << lit("KBNvK.rtbw").substr(0, 5000);
  std::string krkn = lit("KRvKN.rtbw");
  uint32_t x = 12345;
  for (size_t i = 8; i < krkn.size(); ++i) krkn[i] = static_cast<char>((x = x * 1103515245 + 12345) >> 24);
  std::ofstream(dechet + "/KRvKN.rtbw", std::ios::binary) << krkn;

  const char* fen = "8/8/3k4/8/2r5/8/2R1K3/4B3 w - - 0 1";
  SessionUci s;
  s.envoie("setoption name Threads value 2");
  s.envoie("setoption name SyzygyPath value " + tronquee + ":" + dechet + ":" + DONNEES);
  s.envoie(std::string("position fen ") + fen);
  s.envoie("go depth 8");
  const std::string ligne = s.attend("bestmove", 60000);
  ASSERT_EQ(ligne.rfind("bestmove ", 0), 0u);
  const std::string coup = ligne.substr(9, ligne.find(' ', 9) - 9);
  ASSERT_TRUE(place_fen(fen));
  EXPECT_TRUE(partie_joue_texte(partie, coup.c_str())) << coup;
  s.envoie("isready");
  EXPECT_EQ(s.attend("readyok", 10000), "readyok");
  std::string messages, fin;
  for (const std::string& l : s.lignes) {
    if (l.rfind("info string SyzygyPath", 0) == 0) messages += l + "\n";
    if (l.rfind("info score", 0) == 0) fin = l;
  }
  EXPECT_NE(messages.find("table endommagee ignoree : " + tronquee + "/KBNvK.rtbw\n"), std::string::npos) << messages;
  EXPECT_NE(messages.find("table endommagee : " + dechet + "/KRvKN.rtbw ; repertoire ignore en entier : " + dechet),
            std::string::npos)
      << messages;
  EXPECT_EQ(fin.find(" tbhits 0 "), std::string::npos) << fin;
  s.envoie("quit");
  EXPECT_EQ(s.attend_fin(), 0);
}

// An engine ended by SIGKILL, as interfaces end engines, leaves nothing in
// the temporary directory.
TEST(SyzygyUci, RienDansLeRepertoireTemporaire) {
  const std::string tmp = repertoire_vide("tmpdir");
  const char* avant = std::getenv("TMPDIR");
  const std::string ancien = avant ? avant : "";
  setenv("TMPDIR", tmp.c_str(), 1);
  {
    SessionUci s;
    s.envoie("setoption name SyzygyPath value " + DONNEES);
    s.envoie("isready");
    EXPECT_EQ(s.attend("readyok", 20000), "readyok");
  }  // killed with SIGKILL
  if (avant) setenv("TMPDIR", ancien.c_str(), 1);
  else unsetenv("TMPDIR");
  EXPECT_TRUE(fs::is_empty(tmp)) << fs::directory_iterator(tmp)->path();
}

}  // namespace
