// What analysis interfaces and match runners ask of "go" through the real
// binary: node and mate limits, searchmoves, several lines per iteration.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "common/session.h"

namespace {

constexpr int DELAI = 60000;
const std::string ITALIENNE = "position fen r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4";

bool contient(const SessionUci& s, const std::string& motif) {
  for (const std::string& l : s.lignes)
    if (l.find(motif) != std::string::npos) return true;
  return false;
}

// Runs `go` and returns what it printed up to "bestmove", without the times
// and the speed lines (the only parts that depend on the machine).
std::vector<std::string> sortie_de(SessionUci& s, const std::string& go) {
  s.lignes.clear();
  s.envoie(go);
  EXPECT_NE(s.attend("bestmove", DELAI), "") << go;
  std::vector<std::string> v;
  for (const std::string& l : s.lignes)
    if (l.rfind("info nps", 0) != 0 && l.rfind("info currmove", 0) != 0)
      v.push_back(std::regex_replace(l, std::regex(" time [0-9]+ "), " "));
  return v;
}

long long champ(const std::string& ligne, const std::string& nom) {
  const size_t p = ligne.find(" " + nom + " ");
  return p == std::string::npos ? -1 : std::atoll(ligne.c_str() + p + nom.size() + 2);
}

}  // namespace

TEST(Analyse, GoNodesEstBorneEtSeRepeteALIdentique) {
  SessionUci a;
  a.envoie(ITALIENNE);
  const std::vector<std::string> attendu = sortie_de(a, "go nodes 20000");
  ASSERT_GE(attendu.size(), 2u);
  const long long n = champ(attendu[attendu.size() - 2], "nodes");
  EXPECT_GE(n, 20000);
  EXPECT_LE(n, 21000);
  // A fresh engine, and one whose last search had a time limit, search
  // exactly the same tree.
  SessionUci b;
  b.envoie(ITALIENNE);
  EXPECT_EQ(sortie_de(b, "go nodes 20000"), attendu);
  SessionUci c;
  c.envoie("position startpos moves e2e4");
  sortie_de(c, "go movetime 300");
  c.envoie(ITALIENNE);
  EXPECT_EQ(sortie_de(c, "go nodes 20000"), attendu);
}

TEST(Analyse, GoMateEtSearchmoves) {
  SessionUci s;
  // 1.Nf6+ gxf6 2.Bxf7#. A mate longer than the one asked for does not end
  // the search: it goes on to its last iteration (3 for "mate 1").
  const std::string deux_coups = "position fen r2qkb1r/pp2nppp/3p4/2pNN1B1/2BnP3/3P4/PPP2PPP/R2bK2R w KQkq - 1 1";
  s.envoie(deux_coups);
  std::vector<std::string> l = sortie_de(s, "go mate 1");
  EXPECT_EQ(champ(l[l.size() - 2], "depth"), 3) << l[l.size() - 2];
  s.envoie(deux_coups);
  l = sortie_de(s, "go mate 2");
  EXPECT_EQ(l.back(), "bestmove d5f6");
  EXPECT_EQ(l[l.size() - 2].rfind("info score mate 2 ", 0), 0u) << l[l.size() - 2];
  // 1.Rg8 Kh6 2.Qh4#: a quiet first move, which a null move of the defence
  // would hide behind the checks of a mate in 5.
  s.envoie("position fen 3QR3/K6k/8/8/8/8/8/8 w - - 0 1");
  l = sortie_de(s, "go mate 2");
  EXPECT_EQ(l.back(), "bestmove e8g8");
  EXPECT_EQ(l[l.size() - 2].rfind("info score mate 2 ", 0), 0u) << l[l.size() - 2];
  // No mate there: the search ends by itself.
  s.envoie("position startpos");
  l = sortie_de(s, "go mate 1");
  EXPECT_EQ(champ(l[l.size() - 2], "depth"), 3);

  s.envoie("position startpos");
  l = sortie_de(s, "go searchmoves a2a3 zz e2e5 h2h3 depth 4");
  EXPECT_TRUE(l.back() == "bestmove a2a3" || l.back() == "bestmove h2h3") << l.back();
  EXPECT_TRUE(contient(s, "info string searchmoves : zz ignore"));
  EXPECT_TRUE(contient(s, "info string searchmoves : e2e5 ignore"));
  // None of them legal: every move is searched.
  l = sortie_de(s, "go searchmoves e2e5 depth 4");
  EXPECT_TRUE(contient(s, "info string searchmoves : aucun coup legal, tous les coups sont cherches"));
  EXPECT_EQ(l.back().size(), 13u) << l.back();
  EXPECT_NE(l.back(), "bestmove 0000");
}

TEST(Analyse, MultiPVDonneDesLignesDistinctesEtOrdonnees) {
  SessionUci s;
  s.envoie("setoption name MultiPV value 3");
  s.envoie("position startpos moves e2e4 e7e5");
  const std::vector<std::string> l = sortie_de(s, "go depth 5");
  for (int profondeur = 1; profondeur <= 4; ++profondeur) {
    std::vector<std::string> lignes;
    for (const std::string& x : l)
      if (x.rfind("info multipv ", 0) == 0 && champ(x, "depth") == profondeur) lignes.push_back(x);
    ASSERT_EQ(lignes.size(), 3u) << profondeur;
    std::set<std::string> premiers;
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(lignes[i].rfind("info multipv " + std::to_string(i + 1) + " score cp ", 0), 0u) << lignes[i];
      if (i > 0) {
        EXPECT_LE(champ(lignes[i], "cp"), champ(lignes[i - 1], "cp"));
      }
      premiers.insert(lignes[i].substr(lignes[i].find(" pv ") + 4, 4));
    }
    EXPECT_EQ(premiers.size(), 3u);
    if (profondeur == 4) {
      EXPECT_EQ(l.back(), "bestmove " + lignes[0].substr(lignes[0].find(" pv ") + 4, 4));
    }
  }
  // Stopped in the middle of an iteration, the search ends on the best line
  // of the last complete one: its score, depth and moves.
  SessionUci arretee;
  arretee.envoie("setoption name MultiPV value 3");
  for (const char* noeuds : {"40000", "60000", "80000"}) {
    arretee.envoie("position startpos moves e2e4 e7e5");
    const std::vector<std::string> sortie = sortie_de(arretee, std::string("go nodes ") + noeuds);
    std::string premiere;
    for (const std::string& x : sortie)
      if (x.rfind("info multipv 1 ", 0) == 0) premiere = x;
    const std::string& fin = sortie[sortie.size() - 2];
    ASSERT_EQ(fin.rfind("info score ", 0), 0u) << fin;
    const auto sans_noeuds = [](const std::string& x) { return std::regex_replace(x, std::regex(" nodes [0-9]+"), ""); };
    EXPECT_EQ(sans_noeuds(fin).substr(5), sans_noeuds(premiere).substr(premiere.find("score "))) << noeuds;
  }
  // More lines asked for than there are legal moves (three): one line each.
  arretee.envoie("setoption name MultiPV value 5");
  arretee.envoie("position fen 7k/8/8/8/8/8/P7/K7 b - - 0 1");
  for (const std::string& x : sortie_de(arretee, "go depth 4")) {
    if (x.rfind("info multipv ", 0) != 0) continue;
    EXPECT_LE(champ(x, "multipv"), 3) << x;
    EXPECT_NE(x.find(" pv "), std::string::npos) << x;
  }

  // Back to one line: the same output as an engine that never had more.
  s.envoie("setoption name MultiPV value 1");
  s.envoie(ITALIENNE);
  SessionUci neuve;
  neuve.envoie(ITALIENNE);
  EXPECT_EQ(sortie_de(s, "go depth 6"), sortie_de(neuve, "go depth 6"));
}
