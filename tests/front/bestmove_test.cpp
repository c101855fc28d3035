// "go" and "bestmove" through pipes against the real binary. Time limits are
// generous: these run on a loaded machine, and only the order of events is
// checked, never how fast the engine is.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/session.h"

namespace {

constexpr int LONG_DELAI = 60000;  // a search that must end by itself
constexpr int DELAI_REPONSE = 10000;  // an answer to "stop", "isready", ...

const char* const FEN_DEPART = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

void pause_ms(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The legal moves of `fen`, from the engine's own perft mode.
std::set<std::string> coups_legaux(const std::string& fen) {
  std::vector<std::string> args = {"perft", "1"};
  std::istringstream champs(fen);
  for (std::string c; champs >> c;) args.push_back(c);
  std::string sortie = lance_velmar(args, "");
  std::set<std::string> coups;
  std::istringstream lignes(sortie);
  for (std::string l; std::getline(lignes, l);) {
    size_t p = l.find(':');
    if (p != std::string::npos && l.rfind("Nodes", 0) != 0) coups.insert(l.substr(0, p));
  }
  return coups;
}

// The move of a "bestmove" line.
std::string coup_de(const std::string& ligne) {
  std::istringstream mots(ligne);
  std::string mot, coup;
  mots >> mot >> coup;
  return coup;
}

bool contient_ligne(const std::vector<std::string>& lignes, const std::string& prefixe) {
  for (const std::string& l : lignes)
    if (l.rfind(prefixe, 0) == 0) return true;
  return false;
}

TEST(GoBestmove, ProfondeurDonneUnCoupLegal) {
  SessionUci s;
  s.envoie("position startpos moves e2e4");
  s.envoie("go depth 3");
  std::string ligne = s.attend("bestmove", LONG_DELAI);
  ASSERT_FALSE(ligne.empty());
  // Ponder is off: no ponder move.
  EXPECT_EQ(ligne.find("ponder"), std::string::npos) << ligne;
  std::set<std::string> legaux = coups_legaux("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
  EXPECT_EQ(legaux.size(), 20u);
  EXPECT_TRUE(legaux.count(coup_de(ligne))) << ligne;
  // The game record now holds the reply: the next search plays for White.
  s.envoie("go depth 2");
  ligne = s.attend("bestmove", LONG_DELAI);
  ASSERT_FALSE(ligne.empty());
  EXPECT_EQ(coup_de(ligne).size(), 4u);
}

TEST(GoBestmove, PonderAutoriseAnnonceLaReponse) {
  SessionUci s;
  s.envoie("setoption name Ponder value true");
  s.envoie("position startpos");
  s.envoie("go depth 5");
  std::string ligne = s.attend("bestmove", LONG_DELAI);
  ASSERT_FALSE(ligne.empty());
  EXPECT_TRUE(coups_legaux(FEN_DEPART).count(coup_de(ligne))) << ligne;
  EXPECT_NE(ligne.find(" ponder "), std::string::npos) << ligne;
}

TEST(GoBestmove, TempsFixeEtPendule) {
  SessionUci s;
  s.envoie("position startpos");
  s.envoie("go movetime 1000");
  ASSERT_FALSE(s.attend("bestmove", LONG_DELAI).empty());
  s.envoie("position startpos moves e2e4 e7e5");
  s.envoie("go wtime 20000 btime 20000 winc 0 binc 0");
  // The clock of the side to move, in whole seconds, reaches the time
  // management, which says so.
  EXPECT_NE(s.attend("info string Temps restant : 20 secondes", LONG_DELAI), "");
  std::string ligne = s.attend("bestmove", LONG_DELAI);
  EXPECT_TRUE(coups_legaux("rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2").count(coup_de(ligne)))
      << ligne;
}

TEST(GoBestmove, InfiniJusquAStopEtIsreadyPendantLaRecherche) {
  SessionUci s;
  s.envoie("position startpos");
  s.envoie("go infinite");
  pause_ms(1000);
  s.envoie("isready");
  EXPECT_EQ(s.attend("readyok", DELAI_REPONSE), "readyok");
  EXPECT_FALSE(contient_ligne(s.lignes, "bestmove"));
  s.envoie("stop");
  std::string ligne = s.attend("bestmove", DELAI_REPONSE);
  EXPECT_TRUE(coups_legaux(FEN_DEPART).count(coup_de(ligne))) << ligne;
}

TEST(GoBestmove, PonderPuisPonderhitPuisStop) {
  SessionUci s;
  s.envoie("setoption name Ponder value true");
  s.envoie("position startpos moves e2e4");
  // Pondering: no answer until "ponderhit" or "stop", whatever the clock.
  s.envoie("go ponder wtime 2000 btime 2000");
  pause_ms(2500);
  s.envoie("isready");
  ASSERT_EQ(s.attend("readyok", DELAI_REPONSE), "readyok");
  EXPECT_FALSE(contient_ligne(s.lignes, "bestmove"));
  // After "ponderhit" the clock applies (2 seconds, already spent).
  s.envoie("ponderhit");
  EXPECT_FALSE(s.attend("bestmove", LONG_DELAI).empty());

  s.envoie("position startpos moves e2e4 e7e5");
  s.envoie("go ponder wtime 600000 btime 600000");
  pause_ms(500);
  s.envoie("stop");
  EXPECT_FALSE(s.attend("bestmove", DELAI_REPONSE).empty());
}

TEST(GoBestmove, QuitPendantLaRechercheSansBestmove) {
  SessionUci s;
  s.envoie("position startpos");
  s.envoie("go infinite");
  pause_ms(500);
  s.envoie("quit");
  EXPECT_EQ(s.attend_fin(DELAI_REPONSE), 0);
  EXPECT_FALSE(contient_ligne(s.lignes, "bestmove"));
}

TEST(GoBestmove, FinDeLEntreePendantUneAnalyseInfinie) {
  // Nobody is left to send "stop": the analysis ends, answers, and the
  // program ends with status 0.
  SessionUci s;
  s.envoie("position startpos");
  s.envoie("go infinite");
  pause_ms(500);
  s.ferme_entree();
  EXPECT_EQ(s.attend_fin(DELAI_REPONSE), 0);
  EXPECT_TRUE(contient_ligne(s.lignes, "bestmove"));
}

TEST(GoBestmove, MatOuPatRepondentBestmove0000) {
  SessionUci s;
  // Fool's mate: White is mated.
  s.envoie("position fen rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3");
  s.envoie("go depth 3");
  ASSERT_EQ(s.attend("bestmove", LONG_DELAI), "bestmove 0000");
  EXPECT_TRUE(contient_ligne(s.lignes, "info string ===> 0-1 {Black mates}"));
  // Black to move is stalemated; an infinite analysis answers on "stop" only.
  s.envoie("position fen 7k/5Q2/6K1/8/8/8/8/8 b - - 0 1");
  s.envoie("go infinite");
  s.envoie("isready");
  ASSERT_EQ(s.attend("readyok", DELAI_REPONSE), "readyok");
  EXPECT_TRUE(contient_ligne(s.lignes, "info string ===> 1/2-1/2 {stalemate}"));
  EXPECT_EQ(s.attend("bestmove", 300), "");
  s.envoie("stop");
  EXPECT_EQ(s.attend("bestmove", DELAI_REPONSE), "bestmove 0000");
  // A refused FEN keeps the old game, which is not the interface's: no move
  // of it is announced, also at the next "go".
  s.envoie("position fen 8/8/8/8/8/8/8/8 w - - 0 1");
  s.envoie("go depth 3");
  EXPECT_EQ(s.attend("bestmove", DELAI_REPONSE), "bestmove 0000");
  s.envoie("go movetime 100");
  EXPECT_EQ(s.attend("bestmove", DELAI_REPONSE), "bestmove 0000");
  s.envoie("position startpos");
  s.envoie("go depth 2");
  EXPECT_NE(s.attend("bestmove", LONG_DELAI), "bestmove 0000");
}

TEST(GoBestmove, PromotionEnMinuscule) {
  SessionUci s;
  s.envoie("position fen 8/4P3/8/8/8/8/k7/7K w - - 0 1");
  s.envoie("go depth 4");
  EXPECT_EQ(s.attend("bestmove", LONG_DELAI).substr(0, 14), "bestmove e7e8q");
}

TEST(GoBestmove, CommandesRecuesPendantLaRechercheJoueesApres) {
  SessionUci s;
  s.envoie("position startpos");
  s.envoie("go infinite");
  pause_ms(500);
  // The interface moves on without "stop": the search ends at once, then the
  // new position is searched.
  s.envoie("position startpos moves e2e4");
  s.envoie("go depth 3");
  std::string premier = s.attend("bestmove", DELAI_REPONSE);
  EXPECT_TRUE(coups_legaux(FEN_DEPART).count(coup_de(premier))) << premier;
  std::string second = s.attend("bestmove", LONG_DELAI);
  std::set<std::string> legaux = coups_legaux("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
  EXPECT_TRUE(legaux.count(coup_de(second))) << second;
  s.envoie("isready");
  EXPECT_EQ(s.attend("readyok", DELAI_REPONSE), "readyok");
}

TEST(GoBestmove, PartieLongueJoueLeCampAuTrait) {
  // 1,000 and 1,001 plies of knight shuffles: the whole line is taken and
  // the move comes from the side really to move.
  std::string coups;
  for (int i = 0; i < 250; ++i) coups += " g1f3 g8f6 f3g1 f6g8";
  SessionUci s;
  s.envoie("position startpos moves" + coups);
  s.envoie("go depth 3");
  std::string blanc = coup_de(s.attend("bestmove", LONG_DELAI));
  ASSERT_EQ(blanc.size(), 4u);
  EXPECT_TRUE(blanc[1] == '1' || blanc[1] == '2') << blanc;
  s.envoie("position startpos moves" + coups + " g1f3");
  s.envoie("go depth 3");
  std::string noir = coup_de(s.attend("bestmove", LONG_DELAI));
  ASSERT_EQ(noir.size(), 4u);
  EXPECT_TRUE(noir[1] == '7' || noir[1] == '8') << noir;
}

TEST(GoBestmove, DebugEcritLaRechercheDansLeJournal) {
  char modele[] = "/tmp/velmar_journal_XXXXXX";
  std::string rep = mkdtemp(modele);
  lance_velmar({}, "debug on\nposition startpos\ngo depth 3\nisready\n", nullptr, LONG_DELAI, rep);
  FILE* f = std::fopen((rep + "/Velmar.log").c_str(), "r");
  ASSERT_NE(f, nullptr);
  std::fseek(f, 0, SEEK_END);
  EXPECT_GT(std::ftell(f), 0);
  std::fclose(f);
  std::system(("rm -rf " + rep).c_str());
}

}  // namespace
