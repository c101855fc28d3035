// UCI transcripts of searches against the real binary.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "common/session.h"

namespace {

using Horloge = std::chrono::steady_clock;

long long ms_depuis(Horloge::time_point t) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Horloge::now() - t).count();
}

bool contient(const SessionUci& s, const std::string& motif) {
  for (const std::string& l : s.lignes)
    if (l.find(motif) != std::string::npos) return true;
  return false;
}

TEST(UciRecherche, GoDepthReportsEachIterationAndTheFinalLine) {
  SessionUci s;
  s.envoie("position startpos moves e2e4 e7e5");
  s.envoie("go depth 4");
  const std::string meilleur = s.attend("bestmove", 30000);
  ASSERT_FALSE(meilleur.empty());
  EXPECT_TRUE(contient(s, "info depth 1 nodes "));
  EXPECT_TRUE(contient(s, "info depth 3 nodes "));
  EXPECT_FALSE(contient(s, "info depth 4 nodes "));
  // The final line comes just before "bestmove" and starts with its move.
  const std::string& finale = s.lignes[s.lignes.size() - 2];
  EXPECT_EQ(finale.rfind("info score cp ", 0), 0u) << finale;
  EXPECT_NE(finale.find(" depth 3 nodes "), std::string::npos) << finale;
  EXPECT_NE(finale.find(" pv " + meilleur.substr(9, 4)), std::string::npos) << finale << " / " << meilleur;
  s.envoie("quit");
  EXPECT_EQ(s.attend_fin(), 0);
}

TEST(UciRecherche, TheStartingTableIsTheAnnouncedHash) {
  // Interfaces that never send "Hash" get the size "uci" announced: the same
  // tree as with an explicit "Hash 1".
  auto noeuds = [](const std::string& reglage) {
    const std::string sortie = lance_velmar(
        {}, reglage + "position fen r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N2N2/PP2BPPP/R2QKB1R w KQ - 0 9\ngo depth 6\n");
    const size_t finale = sortie.rfind("info score ");
    const size_t n = sortie.find(" nodes ", finale);
    return finale == std::string::npos || n == std::string::npos ? -1 : std::atoll(sortie.c_str() + n + 7);
  };
  const long long par_defaut = noeuds("");
  EXPECT_GT(par_defaut, 0);
  EXPECT_EQ(par_defaut, noeuds("setoption name Hash value 1\n"));
}

TEST(UciRecherche, MateIsAnnouncedInMovesAndAfterThePlay) {
  SessionUci s;
  s.envoie("position fen 6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1");
  s.envoie("go depth 6");
  EXPECT_EQ(s.attend("bestmove", 30000), "bestmove d1d8");
  EXPECT_TRUE(contient(s, "info string Detection de MAT : 29999 MAT01"));
  EXPECT_EQ(s.attend("info string ===>", 5000), "info string ===> 1-0 {White mates}");
  bool mat = false;
  for (const std::string& l : s.lignes) mat |= l.rfind("info score mate 1 depth", 0) == 0;
  EXPECT_TRUE(mat);
  s.envoie("quit");
  s.attend_fin();
}

TEST(UciRecherche, WithoutALegalMoveTheAnswerIs0000AfterTheGameEndLine) {
  SessionUci s;
  s.envoie("position fen 7k/5Q2/6K1/8/8/8/8/8 b - - 0 1");
  s.envoie("go depth 5");
  EXPECT_EQ(s.attend("bestmove", 10000), "bestmove 0000");
  EXPECT_TRUE(contient(s, "info string ===> 1/2-1/2 {stalemate}"));
  // Mated, under "go infinite": nothing before "stop", then 0000.
  s.envoie("position fen 7k/6Q1/6K1/8/8/8/8/8 b - - 0 1");
  s.envoie("go infinite");
  EXPECT_EQ(s.attend("info string ===> 1-0 {White mates}", 10000), "info string ===> 1-0 {White mates}");
  EXPECT_EQ(s.attend("bestmove", 300), "");
  s.envoie("stop");
  EXPECT_EQ(s.attend("bestmove", 10000), "bestmove 0000");
  s.envoie("quit");
  s.attend_fin();
}

TEST(UciRecherche, SingleMoveAndPromotion) {
  SessionUci s;
  s.envoie("position fen k7/8/1K6/8/8/8/8/R7 b - - 0 1");
  s.envoie("go wtime 10000 btime 10000");
  EXPECT_EQ(s.attend("info depth", 5000), "info depth 1 nodes 1");
  EXPECT_EQ(s.attend("bestmove", 5000), "bestmove a8b8");
  s.envoie("position fen 8/4P3/8/8/8/8/k7/7K w - - 0 1");
  s.envoie("go depth 4");
  EXPECT_EQ(s.attend("bestmove", 10000), "bestmove e7e8q");
  s.envoie("quit");
  s.attend_fin();
}

TEST(UciRecherche, InfiniteSearchEndsOnStop) {
  SessionUci s;
  s.envoie("position startpos");
  s.envoie("go infinite");
  ASSERT_FALSE(s.attend("info depth 3", 10000).empty());
  s.envoie("isready");
  EXPECT_EQ(s.attend("readyok", 2000), "readyok");
  EXPECT_FALSE(contient(s, "bestmove"));
  const auto debut = Horloge::now();
  s.envoie("stop");
  EXPECT_EQ(s.attend("bestmove", 2000).rfind("bestmove ", 0), 0u);
  EXPECT_LT(ms_depuis(debut), 1000);
  s.envoie("quit");
  EXPECT_EQ(s.attend_fin(), 0);
}

TEST(UciRecherche, InfiniteAnalysisThatEndsByItselfWaitsForStop) {
  // A mate in one ends the search at once and a single legal move needs no
  // search; in an infinite analysis neither may answer before "stop".
  for (const std::string fen : {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "k7/8/8/8/8/8/8/1R5K b - - 0 1"}) {
    SCOPED_TRACE(fen);
    SessionUci s;
    s.envoie("position fen " + fen);
    s.envoie("go infinite");
    EXPECT_EQ(s.attend("bestmove", 1500), "");
    s.envoie("isready");
    EXPECT_EQ(s.attend("readyok", 2000), "readyok");
    s.envoie("stop");
    EXPECT_EQ(s.attend("bestmove", 2000).rfind("bestmove ", 0), 0u);
    // The next search is an ordinary one again and answers by itself.
    s.envoie("position startpos");
    s.envoie("go depth 3");
    EXPECT_EQ(s.attend("bestmove", 10000).rfind("bestmove ", 0), 0u);
    s.envoie("quit");
    EXPECT_EQ(s.attend_fin(), 0);
  }
}

TEST(UciRecherche, PonderWaitsForPonderhitThenStop) {
  SessionUci s;
  s.envoie("setoption name Ponder value true");
  s.envoie("position startpos moves d2d4");
  s.envoie("go ponder wtime 100000 btime 100000");
  ASSERT_FALSE(s.attend("info depth 2", 10000).empty());
  s.envoie("ponderhit");
  s.envoie("isready");
  EXPECT_EQ(s.attend("readyok", 3000), "readyok");
  const auto debut = Horloge::now();
  s.envoie("stop");
  const std::string meilleur = s.attend("bestmove", 3000);
  EXPECT_EQ(meilleur.rfind("bestmove ", 0), 0u);
  EXPECT_LT(ms_depuis(debut), 1000);
  s.envoie("quit");
  s.attend_fin();
}

TEST(UciRecherche, QuitDuringASearchEndsWithoutBestmove) {
  SessionUci s;
  s.envoie("position startpos");
  s.envoie("go infinite");
  ASSERT_FALSE(s.attend("info depth 2", 10000).empty());
  s.envoie("quit");
  EXPECT_EQ(s.attend_fin(3000), 0);
  EXPECT_FALSE(contient(s, "bestmove"));
}

// Nodes of the last search's final line.
std::string noeuds_finaux(SessionUci& s) {
  s.attend("bestmove", 30000);
  const std::string& finale = s.lignes[s.lignes.size() - 2];
  const size_t p = finale.find(" nodes ");
  return p == std::string::npos ? finale : finale.substr(p, finale.find(' ', p + 7) - p);
}

TEST(UciRecherche, AStoppedSearchLeavesNothingBehind) {
  // The same new-game search after a stopped one as in a fresh engine.
  const char* position = "position fen r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4";
  SessionUci neuve;
  neuve.envoie(position);
  neuve.envoie("go depth 6");
  const std::string attendu = noeuds_finaux(neuve);
  SessionUci s;
  s.envoie("position startpos moves d2d4");
  s.envoie("go infinite");
  ASSERT_FALSE(s.attend("info depth 4", 10000).empty());
  s.envoie("stop");
  ASSERT_FALSE(s.attend("bestmove", 5000).empty());
  s.envoie(position);
  s.envoie("go depth 6");
  EXPECT_EQ(noeuds_finaux(s), attendu);
}

TEST(UciRecherche, MovetimeAndClockLimits) {
  SessionUci s;
  s.envoie("position startpos");
  auto debut = Horloge::now();
  s.envoie("go movetime 1000");
  EXPECT_EQ(s.attend("info string Temps restant", 3000),
            "info string Temps restant : 0 secondes Temps limite : 1 secondes Temps limite absolu : 1 secondes");
  EXPECT_FALSE(s.attend("bestmove", 5000).empty());
  long long duree = ms_depuis(debut);
  EXPECT_GE(duree, 900);
  EXPECT_LT(duree, 3000);

  s.envoie("position startpos moves e2e4");
  debut = Horloge::now();
  s.envoie("go wtime 60000 btime 60000 winc 0 binc 0");
  EXPECT_EQ(s.attend("info string Temps restant", 3000),
            "info string Temps restant : 60 secondes Temps limite : 1 secondes Temps limite absolu : 5 secondes");
  EXPECT_FALSE(s.attend("bestmove", 8000).empty());
  duree = ms_depuis(debut);
  EXPECT_LT(duree, 6000);

  // Milliseconds from "go" to "bestmove", the position sent first.
  auto duree_go = [&s](const std::string& position, const std::string& go) {
    s.envoie(position);
    const auto depart = Horloge::now();
    s.envoie(go);
    EXPECT_FALSE(s.attend("bestmove", 3000).empty()) << go;
    return ms_depuis(depart);
  };

  // Below a second: "movetime" 300 stops at 270 ms, having searched (the
  // ceiling of this check leaves room for a loaded machine's scheduling).
  duree = duree_go("position startpos moves e2e4 e7e5", "go movetime 300");
  EXPECT_GE(duree, 150);
  EXPECT_LT(duree, 400);

  // Two seconds on the clock: a move from more than the first iteration,
  // well inside the clock.
  EXPECT_LT(duree_go("position startpos moves e2e4 e7e5 g1f3", "go wtime 2000 btime 2000"), 1000);
  const std::string& finale = s.lignes[s.lignes.size() - 2];
  const size_t p = finale.find(" depth ");
  ASSERT_NE(p, std::string::npos) << finale;
  EXPECT_GE(std::atoi(finale.c_str() + p + 7), 2) << finale;

  // A fast increment: a real share of the clock, well above the increment
  // and well below a tenth of the clock.
  const std::string milieu = "position fen r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N2N2/PP2BPPP/R2QKB1R w KQ - 0 9";
  duree = duree_go(milieu, "go wtime 10000 btime 10000 winc 100 binc 100");
  EXPECT_GE(duree, 250);
  EXPECT_LT(duree, 1000);

  // Move Overhead is kept back from the budget and the ceiling: one move to
  // go with 3 s would otherwise take 2.4 s.
  s.envoie("setoption name Move Overhead value 2000");
  EXPECT_LT(duree_go(milieu, "go wtime 3000 btime 3000 movestogo 1"), 1300);
  s.envoie("quit");
  s.attend_fin();
}

TEST(UciRecherche, LogFileGetsTheSearchTableAndStatistics) {
  char modele[] = "/tmp/velmar_log_XXXXXX";
  ASSERT_NE(mkdtemp(modele), nullptr);
  const std::string repertoire = modele;
  {
    SessionUci s({}, repertoire);
    s.envoie("setoption name LogFile value true");
    s.envoie("position startpos");
    s.envoie("go depth 4");
    ASSERT_FALSE(s.attend("bestmove", 30000).empty());
    s.envoie("quit");
    s.attend_fin();
  }
  std::ifstream f(repertoire + "/Velmar.log");
  std::stringstream texte;
  texte << f.rdbuf();
  const std::string log = texte.str();
  EXPECT_NE(log.find(" 3->  "), std::string::npos) << log;
  EXPECT_NE(log.find("Nombre noeuds="), std::string::npos) << log;
  EXPECT_NE(log.find("Statistique coup nul : "), std::string::npos) << log;
  std::remove((repertoire + "/Velmar.log").c_str());
  rmdir(repertoire.c_str());
}

#if !defined(__SANITIZE_ADDRESS__)
TEST(UciRecherche, HashTooLargeKeepsThePreviousTable) {
  SessionUci s;
  s.envoie("setoption name Hash value 100000000");
  s.envoie("isready");
  EXPECT_EQ(s.attend("readyok", 10000), "readyok");
  EXPECT_TRUE(contient(s, "info string Hash"));
  s.envoie("position startpos");
  s.envoie("go depth 3");
  EXPECT_FALSE(s.attend("bestmove", 10000).empty());
  s.envoie("quit");
  s.attend_fin();
}
#endif

}  // namespace

namespace {

std::string ligne_qui_commence(const std::string& texte, const std::string& debut) {
  for (size_t i = 0; i < texte.size();) {
    size_t fin = texte.find('\n', i);
    if (fin == std::string::npos) fin = texte.size();
    if (texte.compare(i, debut.size(), debut) == 0) return texte.substr(i, fin - i);
    i = fin + 1;
  }
  return "";
}

TEST(Bench, OneLinePerPositionAndTheSameTotalEveryRun) {
  int statut = -1;
  const std::string a = lance_velmar({"bench", "3"}, "", &statut, 120000);
  EXPECT_EQ(statut, 0);
  const std::string b = lance_velmar({"bench", "3"}, "", &statut, 120000);
  const std::string total = ligne_qui_commence(a, "Nodes searched: ");
  ASSERT_FALSE(total.empty()) << a;
  EXPECT_GT(std::atoll(total.c_str() + 16), 10000);
  EXPECT_EQ(total, ligne_qui_commence(b, "Nodes searched: "));
  EXPECT_FALSE(ligne_qui_commence(a, "Nodes/second: ").empty());
  // The last line repeats the total and the speed as "N nodes M nps".
  const size_t derniere = a.rfind('\n', a.size() - 2) + 1;
  EXPECT_EQ(a.compare(derniere, std::string::npos, total.substr(16) + " nodes " +
                                                       ligne_qui_commence(a, "Nodes/second: ").substr(14) + " nps\n"),
            0)
      << a;
  EXPECT_FALSE(ligne_qui_commence(a, "Position 30: depth 3 ").empty()) << a;
  // Nothing of the search's own UCI output leaks into the report.
  EXPECT_TRUE(ligne_qui_commence(a, "info ").empty());

  lance_velmar({"bench", "zero"}, "", &statut, 10000);
  EXPECT_EQ(statut, 2);
  lance_velmar({"bench", "3", "Futility=true", "NoSuchOption=true"}, "", &statut, 10000);
  EXPECT_EQ(statut, 2);
}

// The engine's signature: the node count of the bench, with the default
// options and with every optional pruning, extension and evaluation term on.
// Any change of the search tree or of the evaluation changes it. A deliberate
// change stores the new counts here in the same commit and says so in its
// message ("Bench: N").
constexpr const char* PROFONDEUR_SIGNATURE = "5";
constexpr long long SIGNATURE_DEFAUT = 1190285;
constexpr long long SIGNATURE_OPTIONS = 1275974;

long long noeuds_bench(std::vector<std::string> options) {
  options.insert(options.begin(), {"bench", PROFONDEUR_SIGNATURE});
  int statut = -1;
  const std::string sortie = lance_velmar(options, "", &statut, 300000);
  EXPECT_EQ(statut, 0) << sortie;
  const std::string total = ligne_qui_commence(sortie, "Nodes searched: ");
  return total.empty() ? -1 : std::atoll(total.c_str() + 16);
}

TEST(Bench, SignatureDuMoteur) {
  EXPECT_EQ(noeuds_bench({}), SIGNATURE_DEFAUT) << "the search tree changed";
  EXPECT_EQ(noeuds_bench({"Futility=true", "SingularExtension=true", "KingSafetyExtension=4", "PawnStorming=true",
                          "LimitedQuiescence=true"}),
            SIGNATURE_OPTIONS)
      << "the search tree with the optional terms changed";
}

}  // namespace

namespace {

TEST(UciRecherche, InsufficientMaterialAfterTheEnginesCapture) {
  SessionUci s;
  // Taking the pawn before it queens leaves a lone bishop.
  s.envoie("position fen 7k/4P3/8/8/8/b7/8/K7 b - - 0 1");
  s.envoie("go depth 5");
  EXPECT_EQ(s.attend("bestmove", 10000), "bestmove a3e7");
  EXPECT_EQ(s.attend("info string ===>", 3000), "info string ===> 1/2-1/2 {Insufficient material}");
  s.envoie("quit");
  s.attend_fin();
}

}  // namespace
