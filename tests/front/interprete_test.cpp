// UCI transcripts through pipes against the real binary: the interpreter,
// its options, "position" and bad input.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/session.h"
#include "systeme/chemins.h"

namespace {

// A fresh directory to run the engine in, so the BookDirectory default and
// any file the engine writes are known.
class RepertoireTemporaire {
 public:
  // Named as the engine names its start-up directory (on Windows with a
  // drive letter).
  RepertoireTemporaire() {
    char modele[] = "/tmp/velmar_front_XXXXXX";
    chemin = texte_chemin(std::filesystem::canonical(chemin_natif(mkdtemp(modele))));
  }
  ~RepertoireTemporaire() {
    std::error_code e;
    std::filesystem::remove_all(chemin_natif(chemin), e);
  }
  std::string chemin;
};

TEST(Uci, AnnonceExacte) {
  RepertoireTemporaire rep;
  int statut = -2;
  std::string sortie = lance_velmar({}, "uci\n", &statut, 60000, rep.chemin);
  EXPECT_EQ(sortie,
            "id name Velmar 4.4.3\n"
            "id author Corvane\n"
            "option name Ponder type check default false\n"
            "option name LogFile type check default false\n"
            "option name Hash type spin default 1 min 1 max 1024\n"
            "option name NalimovCache type spin min 1 max 16 default 1\n"
            "option name NalimovPath type string default <empty>\n"
            "option name OwnBook type check default true\n"
            "option name BookDirectory type string default " +
                rep.chemin +
                "\n"
                "option name ClearHash type button\n"
                "option name InternalIterativeDeepening type check default true\n"
                "option name KingSafetyExtension type spin min 0 max 8 default 0\n"
                "option name Futility type check default false\n"
                "option name MultiPV type spin default 1 min 1 max 64\n"
                "option name UCI_AnalyseMode type check default false\n"
                "option name Move Overhead type spin default 10 min 0 max 5000\n"
                "option name SyzygyPath type string default <empty>\n"
                "option name SyzygyProbeDepth type spin default 1 min 1 max 100\n"
                "option name Syzygy50MoveRule type check default true\n"
                "option name SyzygyProbeLimit type spin default 7 min 0 max 7\n"
                "option name UCI_Chess960 type check default false\n"
                "option name Threads type spin default 1 min 1 max 64\n"
                "uciok\n");
  EXPECT_EQ(statut, 0);
}

TEST(Uci, OptionsModifieesAnnonceesAvecLeurValeur) {
  RepertoireTemporaire rep;
  std::string sortie = lance_velmar({},
                                    "setoption name KingSafetyExtension value 5\n"
                                    "setoption name BookDirectory value /tmp/livres\n"
                                    "uci\n",
                                    nullptr, 60000, rep.chemin);
  EXPECT_NE(sortie.find("option name KingSafetyExtension type spin min 0 max 8 default 5\n"), std::string::npos);
  EXPECT_NE(sortie.find("option name BookDirectory type string default /tmp/livres\n"), std::string::npos);
}

TEST(Uci, NomsSansCasseValeurJusquEnFinDeLigne) {
  // Names match in any case and may have several words; the value is the
  // rest of the line, spaces inside kept; an unknown name takes its whole
  // line with it and says so; unannounced options still take their value.
  RepertoireTemporaire rep;
  std::string sortie = lance_velmar({},
                                    "setoption name Inconnue   Option value isready\n"
                                    "setoption name kingsafetyextension value 9\n"
                                    "setoption name BOOKDIRECTORY value  /tmp/un livre \t\n"
                                    "setoption name tournament value isready\n"
                                    "uci\n",
                                    nullptr, 60000, rep.chemin);
  EXPECT_EQ(sortie.rfind("info string option inconnue : Inconnue Option\n"
                         "info string KingSafetyExtension : 9 hors de 0..8, 8 retenu\n"
                         "id name",
                         0),
            0u)
      << sortie;
  EXPECT_NE(sortie.find("option name KingSafetyExtension type spin min 0 max 8 default 8\n"), std::string::npos);
  EXPECT_NE(sortie.find("option name BookDirectory type string default /tmp/un livre\n"), std::string::npos);
  EXPECT_EQ(sortie.find("readyok"), std::string::npos);
}

TEST(Uci, MotsIgnoresEtIsready) {
  int statut = -2;
  std::string sortie = lance_velmar({}, "ucinewgame\nregister\nbonjour\n\n  \nisready\ndebug off\nisready\n", &statut);
  EXPECT_EQ(sortie, "readyok\nreadyok\n");
  EXPECT_EQ(statut, 0);
}

TEST(Uci, FinDeLEntreeOuQuitTermineAvecStatutZero) {
  int statut = -2;
  EXPECT_EQ(lance_velmar({}, "", &statut), "");
  EXPECT_EQ(statut, 0);
  // Nothing after "quit" is read.
  EXPECT_EQ(lance_velmar({}, "quit\nisready\n", &statut), "");
  EXPECT_EQ(statut, 0);
#ifndef _WIN32
  // A last line without its line end still runs.
  FILE* f = popen("printf 'isready\\nisready' | " VELMAR_BINARY, "r");
  ASSERT_NE(f, nullptr);
  char tampon[256];
  size_t n = fread(tampon, 1, sizeof tampon - 1, f);
  tampon[n] = 0;
  EXPECT_EQ(pclose(f), 0);
  EXPECT_STREQ(tampon, "readyok\nreadyok\n");
#endif
}

TEST(Uci, MotsEtLignesTropLongsRefuses) {
  std::string long_mot(70000, 'x');
  std::string sortie = lance_velmar({}, long_mot + " suite\nisready\n");
  EXPECT_EQ(sortie, "info string Commande refusee : mot de plus de 65535 caracteres\nreadyok\n");

  std::string coups;
  while (coups.size() < 70000) coups += " e2e4";
  sortie = lance_velmar({}, "position startpos moves" + coups + "\ngo" + coups + "\nisready\n");
  EXPECT_EQ(sortie,
            "info string position refusee : ligne de plus de 65535 caracteres\n"
            "info string go refuse : ligne de plus de 65535 caracteres\n"
            "readyok\n");

  sortie = lance_velmar({}, "setoption name NalimovPath value " + long_mot + "\nisready\n");
  EXPECT_EQ(sortie, "info string setoption NalimovPath refuse : valeur trop longue\nreadyok\n");

  // A directory of 128 characters does not fit; the old one stays.
  RepertoireTemporaire rep;
  std::string repertoire = "/" + std::string(127, 'd');
  sortie = lance_velmar({}, "setoption name BookDirectory value " + repertoire + "\nuci\n", nullptr, 60000, rep.chemin);
  EXPECT_EQ(sortie.rfind("info string BookDirectory refuse : plus de 127 caracteres\n", 0), 0u);
  EXPECT_NE(sortie.find("option name BookDirectory type string default " + rep.chemin + "\n"), std::string::npos);
  // 127 characters fit.
  repertoire.pop_back();
  sortie = lance_velmar({}, "setoption name BookDirectory value " + repertoire + "\nuci\n");
  EXPECT_NE(sortie.find("option name BookDirectory type string default " + repertoire + "\n"), std::string::npos);
}

TEST(Uci, PositionMalFormeeRefusee) {
  std::string sortie = lance_velmar({}, "position\nposition depart moves e2e4\nisready\n");
  EXPECT_EQ(sortie,
            "info string position refusee : startpos ou fen attendu\n"
            "info string position refusee : startpos ou fen attendu\n"
            "readyok\n");
  sortie = lance_velmar({}, "position fen 8/8/8/8/8/8/8/9 w - -\nisready\n");
  EXPECT_EQ(sortie.rfind("info string position refusee : FEN invalide (", 0), 0u) << sortie;
  EXPECT_NE(sortie.find("readyok\n"), std::string::npos);
}

TEST(Uci, TailleDeLaTable) {
  // A size outside the announced bounds is brought to the nearest one; a
  // value that is not a number changes nothing.
  std::string sortie = lance_velmar({}, "setoption name Hash value 0\nsetoption name Hash value 2\n"
                                        "setoption name Hash value 8 Mo\nsetoption name ClearHash\nisready\n");
  EXPECT_EQ(sortie,
            "info string Hash : 0 hors de 1..1024, 1 retenu\n"
            "info string setoption Hash refuse : \"8 Mo\" n'est pas un nombre entier\n"
            "readyok\n");
}

TEST(Uci, CoupRefuseNomme) {
  std::string sortie = lance_velmar({}, "position startpos moves e2e4 e7e5 e1e3 g1f3\nposition startpos moves e2e4 i9e5\nisready\n");
  EXPECT_EQ(sortie.find("info string Coup refuse : e1e3 ("), 0u) << sortie;
  EXPECT_NE(sortie.find("\ninfo string Coup refuse : i9e5 ("), std::string::npos) << sortie;
  EXPECT_NE(sortie.find("ce coup et les suivants sont ignores\nreadyok\n"), std::string::npos) << sortie;
}

TEST(Uci, Chess960) {
  // Castling is the king moving onto its rook: here the rook jumps over a
  // king that stays on g1, and mates. The search must find it and write it so.
  const std::string mat = "position fen 4rkr1/4p1p1/8/8/8/8/7P/6KR w H - 0 1";
  SessionUci s;
  s.envoie("setoption name UCI_Chess960 value true");
  s.envoie(mat);
  s.envoie("go depth 3");
  EXPECT_EQ(s.attend("bestmove"), "bestmove g1h1");
  // Castling read in "moves": the later moves need each king and rook on its
  // castling square, and the answer must be legal in the position reached.
  s.envoie("position fen 1r2k1r1/pppppppp/8/8/8/8/PPPPPPPP/1R2K1R1 w GBgb - 0 1 moves e1g1 e8b8 f1e1 d8e8");
  s.envoie("go depth 3");
  const std::string reponse = s.attend("bestmove");
  ASSERT_GE(reponse.size(), 13u);
  const std::string legaux = lance_velmar({"perft", "1", "2k1r1r1/pppppppp/8/8/8/8/PPPPPPPP/1R2R1K1", "w", "-", "-"}, "");
  EXPECT_NE(legaux.find(reponse.substr(9, 4) + ": 1\n"), std::string::npos) << reponse << "\n" << legaux;
  // Without the option the file letter is refused, as any unknown letter.
  s.envoie("setoption name UCI_Chess960 value false");
  s.envoie(mat);
  s.envoie("isready");
  s.attend("readyok");
  int refus = 0;
  for (const std::string& l : s.lignes) {
    EXPECT_NE(l.rfind("info string Coup refuse", 0), 0u) << l;
    refus += l == "info string position refusee : FEN invalide (caractere inconnu dans le champ des roques)";
  }
  EXPECT_EQ(refus, 1);
}

TEST(Uci, DebugOuvreEtFermeLeJournal) {
  RepertoireTemporaire rep;
  lance_velmar({}, "debug on\nisready\ndebug off\n", nullptr, 60000, rep.chemin);
  EXPECT_EQ(access((rep.chemin + "/Velmar.log").c_str(), F_OK), 0);
  RepertoireTemporaire rep2;
  lance_velmar({}, "setoption name LogFile value false\nisready\n", nullptr, 60000, rep2.chemin);
  EXPECT_NE(access((rep2.chemin + "/Velmar.log").c_str(), F_OK), 0);
}

#if !VELMAR_SYZYGY
// Built without the Fathom library: a Syzygy path is answered with one line
// saying so, and the options are still announced and accepted.
TEST(Uci, SansSyzygyLeCheminEstRefuseEnUneLigne) {
  RepertoireTemporaire rep;
  const std::string sortie = lance_velmar({},
                                          "setoption name SyzygyPath value " + rep.chemin + "\n"
                                          "setoption name SyzygyPath value <empty>\n"
                                          "isready\n",
                                          nullptr, 60000, rep.chemin);
  EXPECT_EQ(sortie,
            "info string SyzygyPath : cette version est construite sans les tables Syzygy (bibliotheque Fathom "
            "absente) ; chemin ignore\nreadyok\n");
}
#endif

}  // namespace
