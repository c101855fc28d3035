// The tablebases seen through UCI: "NalimovPath", "NalimovCache", mate
// announcements and "tbhits".
#include <gtest/gtest.h>

#include <unistd.h>

#include "common/session.h"
#include "fichiers_tb.h"

namespace {

TEST(TablesUci, MatAnnonceDepuisLesTables) {
  const std::string t = DONNEES_TB + "/tables";
  const std::string fen = "8/8/8/4k3/8/8/8/KQ6 w - - 0 1";
  // Mate in n according to the table.
  const std::string p = lance_velmar({"tb", "probe", t, fen}, "");
  ASSERT_EQ(p.compare(0, 6, "score "), 0) << p;
  const int n = (30001 - std::stoi(p.substr(6))) / 2;
  ASSERT_GT(n, 5);
  // The probes after each root move announce a mate at once, never shorter
  // than the table's; the log counts the probes. Without tables there is
  // neither. The path is the whole value, spaces included, and setting it
  // says what was found.
  const std::string avec_espace = repertoire_vide("uci tables") + "/les tables";
  std::filesystem::create_directory_symlink(t, avec_espace);
  for (const std::string& nalimov : {avec_espace, std::string("")}) {
    SCOPED_TRACE(nalimov);
    const std::string d = repertoire_vide("uci_log");
    const std::string sortie = lance_velmar(
        {}, "setoption name LogFile value true\nsetoption name NalimovPath value " + nalimov + "\nposition fen " +
                fen + "\ngo depth 2\nisready\nquit\n",
        nullptr, 60000, d);
    const size_t m = sortie.find("score mate ");
    const std::string journal = [&] {
      std::vector<uint8_t> o = lit_fichier(d + "/Velmar.log");
      return std::string(o.begin(), o.end());
    }();
    EXPECT_EQ(sortie.rfind(nalimov.empty()
                               ? "info string NalimovPath : aucune table trouvee dans le repertoire courant\n"
                               : "info string NalimovPath : 4 fichiers de tables trouves (jusqu'a 3 pieces)\n",
                           0),
              0u)
        << sortie;
    if (nalimov.empty()) {
      EXPECT_EQ(m, std::string::npos) << sortie;
      EXPECT_EQ(journal.find("Nombre evaluation finale"), std::string::npos) << journal;
    } else {
      ASSERT_NE(m, std::string::npos) << sortie;
      EXPECT_GE(std::stoi(sortie.substr(m + 11)), n) << sortie;
      EXPECT_NE(journal.find("Nombre evaluation finale"), std::string::npos) << journal;
    }
  }
}

TEST(TablesUci, Tbhits) {
  // King and queen against king and rook: captures of the rook reach the
  // kqk table. "tbhits" goes with the nodes-per-second line, printed once a
  // second has passed.
  for (const std::string& nalimov : {DONNEES_TB + "/tables", std::string("")}) {
    SCOPED_TRACE(nalimov);
    SessionUci s;
    s.envoie("setoption name NalimovPath value " + nalimov);
    s.envoie("position fen 8/8/8/4k3/8/2r5/8/KQ6 w - - 0 1");
    s.envoie("go infinite");
    // The second counts from the start of the search, not of the process
    // (which takes a while under the sanitizers on a busy machine).
    ASSERT_NE(s.attend("info depth 1"), "");
    usleep(1300000);
    s.envoie("stop");
    ASSERT_NE(s.attend("bestmove"), "");
    bool nps = false, tbhits = false;
    for (const std::string& l : s.lignes) {
      nps = nps || l.compare(0, 9, "info nps ") == 0;
      tbhits = tbhits || l.find(" tbhits ") != std::string::npos;
    }
    EXPECT_TRUE(nps);
    EXPECT_EQ(tbhits, !nalimov.empty());
    s.envoie("quit");
    EXPECT_EQ(s.attend_fin(), 0);
  }
}

TEST(TablesUci, TaillesDeCacheExtremes) {
  // Out-of-range and malformed cache sizes change nothing visible; the
  // engine keeps answering and still reads the tables.
  const std::string t = DONNEES_TB + "/tables";
  for (const char* v : {"0", "-3", "100000", "abc", "16", "1"}) {
    SCOPED_TRACE(v);
    int statut = -1;
    const std::string sortie =
        lance_velmar({}, std::string("setoption name NalimovCache value ") + v + "\nsetoption name NalimovPath value " +
                             t + "\nisready\nquit\n",
                     &statut);
    EXPECT_EQ(statut, 0);
    EXPECT_NE(sortie.find("readyok"), std::string::npos) << sortie;
  }
}

}  // namespace
