// Searches on several threads: the real binary with "Threads", and the
// transposition table the threads share. tools/test.sh also runs this suite
// under ThreadSanitizer, where the engine exits with a non-zero status on any
// data race it reports.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "common/plateau.h"
#include "common/session.h"
#include "movegen/lecture_coup.h"
#include "search/etat_recherche.h"
#include "search/fils.h"
#include "search/table_hash.h"

namespace {

using Horloge = std::chrono::steady_clock;

long long ms_depuis(Horloge::time_point t) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Horloge::now() - t).count();
}

TEST(Fils, TwoThreadsPlayLegalMoves) {
  // A middlegame, a position with one legal move, a side in check, and an
  // ending whose exchanges reach the Syzygy tables, which both threads probe.
  const char* fens[] = {"r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4",
                        "k7/8/8/8/8/8/8/1R5K b - - 0 1",
                        "rnbqkbnr/ppp2ppp/8/1B1pp3/4P3/8/PPPP1PPP/RNBQK1NR b KQkq - 1 3",
                        "8/8/3k4/8/2r5/8/2R1K3/4B3 w - - 0 1"};
  // The number of threads changes between searches, as an interface may.
  const char* fils[] = {"2", "2", "1", "2"};
  SessionUci s;
  s.envoie(std::string("setoption name SyzygyPath value ") + VELMAR_TEST_DATA + "/syzygy");
  for (int i = 0; i < 4; ++i) {
    const char* fen = fens[i];
    SCOPED_TRACE(fen);
    s.envoie(std::string("setoption name Threads value ") + fils[i]);
    s.envoie(std::string("position fen ") + fen);
    s.envoie("go depth 7");
    s.lignes.clear();
    const std::string ligne = s.attend("bestmove", 60000);
    ASSERT_EQ(ligne.rfind("bestmove ", 0), 0u);
    const std::string coup = ligne.substr(9, ligne.find(' ', 9) - 9);
    ASSERT_TRUE(place_fen(fen));
    EXPECT_TRUE(partie_joue_texte(partie, coup.c_str())) << coup;
    if (i == 1) continue;
    // The search ends on a complete iteration of the depth asked (or a
    // deeper one a helper completed), whose line begins with the move
    // played; an iteration left over from an earlier search must not end it.
    std::string fin;
    for (const std::string& l : s.lignes)
      if (l.rfind("info score", 0) == 0) fin = l;
    const size_t p = fin.find(" depth ");
    ASSERT_NE(p, std::string::npos);
    EXPECT_GE(std::stoi(fin.substr(p + 7)), 6) << fin;
    EXPECT_NE(fin.find(" pv " + coup), std::string::npos) << fin;
  }
  s.envoie("quit");
  EXPECT_EQ(s.attend_fin(), 0);
}

// The number after `nom` in `ligne`, -1 when absent.
long long champ(const std::string& ligne, const std::string& nom) {
  const size_t p = ligne.find(" " + nom + " ");
  return p == std::string::npos ? -1 : std::stoll(ligne.substr(p + nom.size() + 2));
}

// The "info depth 1" line and the last "info score" line of one search.
struct Lignes {
  std::string debut, fin;
};

Lignes cherche(SessionUci& s, const std::string& go) {
  s.lignes.clear();
  s.envoie("position fen 8/8/3k4/8/2r5/8/2R1K3/4B3 w - - 0 1");
  s.envoie(go);
  EXPECT_FALSE(s.attend("bestmove", 60000).empty()) << go;
  Lignes l;
  for (const std::string& x : s.lignes) {
    if (x.rfind("info depth 1 ", 0) == 0) l.debut = x;
    if (x.rfind("info score ", 0) == 0) l.fin = x;
  }
  return l;
}

TEST(Fils, NodeLimitAndTablebaseHitsCountEveryThread) {
  const std::string tables = std::string("setoption name SyzygyPath value ") + VELMAR_TEST_DATA + "/syzygy";
  constexpr long long LIMITE = 200000;
  SessionUci un;
  un.envoie(tables);
  const Lignes seul = cherche(un, "go nodes " + std::to_string(10 * LIMITE));
  SessionUci deux;
  deux.envoie(tables);
  deux.envoie("setoption name Threads value 2");
  // The first search is ten times longer than the second, so that a count
  // left over from it would stand far above what a helper searches while
  // the main search waits for the processor on a busy machine.
  for (const long long limite : {10 * LIMITE, LIMITE}) {
    const Lignes l = cherche(deux, "go nodes " + std::to_string(limite));
    // The limit holds for the nodes of both threads, passed by at most what
    // each does before it sees the stop: the rest of a quiescence search,
    // and for the helper the few hundred nodes it has not yet published.
    EXPECT_GE(champ(l.fin, "nodes"), limite) << l.fin;
    EXPECT_LE(champ(l.fin, "nodes"), limite + 2 * 1000) << l.fin;
    // Nothing of the first search's count is left in the second's.
    if (limite == LIMITE) {
      EXPECT_LT(champ(l.debut, "nodes"), LIMITE) << l.debut;
    }
    // Tablebase hits are counted in every thread, as nodes are: about as
    // many per node as on one thread (the main search alone makes half).
    // Each session's first search starts from an empty table, so the two
    // rates compare.
    if (limite != LIMITE) {
      EXPECT_GE(4 * champ(l.fin, "tbhits") * champ(seul.fin, "nodes"),
                3 * champ(seul.fin, "tbhits") * champ(l.fin, "nodes"))
          << seul.fin << "\n" << l.fin;
    }
  }
  deux.envoie("quit");
  EXPECT_EQ(deux.attend_fin(), 0);
}

// A helper ends a search limited in depth when it completes the last
// iteration asked for, not the one before.
TEST(Fils, AHelperEndsTheSearchAtTheDepthAimedAt) {
  initialise_plateau();
  fixe_nb_fils(2);
  // Stopped before it starts, the helper publishes nothing of its own.
  arret_recherche = 1;
  lance_aides(9);
  publie_iteration_aide(8, 0);
  EXPECT_FALSE(aides_au_but());
  publie_iteration_aide(9, 0);
  EXPECT_TRUE(aides_au_but());
  arrete_aides();
  fixe_nb_fils(1);
  arret_recherche = 0;
}

TEST(Fils, StopAndQuitAnswerPromptly) {
  SessionUci s;
  s.envoie("setoption name Threads value 2");
  s.envoie("setoption name Ponder value true");
  s.envoie("position startpos moves e2e4");
  s.envoie("go infinite");
  ASSERT_FALSE(s.attend("info depth 4", 20000).empty());
  // The main search reads the console every few thousand nodes, which takes
  // longer under ThreadSanitizer: promptly here means within a few seconds.
  auto debut = Horloge::now();
  s.envoie("stop");
  EXPECT_EQ(s.attend("bestmove", 5000).rfind("bestmove ", 0), 0u);
  EXPECT_LT(ms_depuis(debut), 3000);
  // The helpers ponder too and follow "ponderhit"; then "quit" ends them all.
  s.envoie("position startpos moves e2e4 e7e5");
  s.envoie("go ponder wtime 60000 btime 60000");
  ASSERT_FALSE(s.attend("info depth 4", 20000).empty());
  s.envoie("ponderhit");
  s.envoie("go infinite");
  ASSERT_FALSE(s.attend("bestmove", 20000).empty());
  ASSERT_FALSE(s.attend("info depth 4", 20000).empty());
  debut = Horloge::now();
  s.envoie("quit");
  EXPECT_EQ(s.attend_fin(5000), 0);
  EXPECT_LT(ms_depuis(debut), 3000);
}

TEST(Fils, OneTableForEveryThreadAndTornEntriesMiss) {
  initialise_plateau();
  alloue_hash(HASH_MINIMUM);
  const uint64_t cle = 0x0F1E2D3C4B5A6978ull;
  // A store made by another thread, on its own board, is found by this one.
  std::thread aide([cle] {
    position.cle = cle;
    ecrit_hash(BLANCS, -50, 50, 17, 0x101234, 40, 3, 0);
  });
  aide.join();
  position.cle = cle;
  int32_t score, menace;
  Coup coup;
  ASSERT_EQ(lit_hash(BLANCS, 50, 40, 3, score, coup, menace), HASH_EXACT);
  EXPECT_EQ(score, 17);
  EXPECT_EQ(coup, 0x101234);
  // A word of that entry from another store at the same moment: no match.
  table_hash[indice_hash(BLANCS)].profondeur.score = 90;
  EXPECT_EQ(lit_hash(BLANCS, 50, 40, 3, score, coup, menace), HASH_RIEN);
}

}  // namespace
