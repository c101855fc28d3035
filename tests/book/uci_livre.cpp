// The book through the real engine: "OwnBook", the candidate lines, the
// move played at once, and the search taking over when the book runs out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "aides_livre.h"
#include "common/session.h"

namespace {

const std::string PGN = std::string(VELMAR_TEST_DATA) + "/book/petit.pgn";
// 1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5: in the book, 4.O-O follows (game L).
const std::string ITALIENNE = "position startpos moves e2e4 e7e5 g1f3 b8c6 f1c4 f8c5";
// Five moves later, past the end of every game of the book.
const std::string HORS_LIVRE = ITALIENNE + " e1g1 g8f6 d2d3 e8g8 c2c3";

int compte(const std::vector<std::string>& lignes, const std::string& debut) {
  return static_cast<int>(std::count_if(lignes.begin(), lignes.end(),
                                        [&](const std::string& l) { return l.rfind(debut, 0) == 0; }));
}

// Runs "go depth 2" and returns the lines printed up to "bestmove".
std::vector<std::string> cherche(SessionUci& s) {
  s.lignes.clear();
  s.envoie("go depth 2");
  EXPECT_NE(s.attend("bestmove"), "");
  return s.lignes;
}

struct UciLivre : testing::Test {
  DossierTemporaire d;
  void SetUp() override {
    int statut = -1;
    lance_velmar({"book", "--out", d.chemin, "--min-games", "1", PGN}, "", &statut);
    ASSERT_EQ(statut, 0);
  }
};

}  // namespace

TEST_F(UciLivre, CoupDuLivreEtLignesDesCandidats) {
  SessionUci s({}, d.chemin);
  s.envoie("setoption name OwnBook value true");
  s.envoie("setoption name Tournament value true");
  s.envoie("position startpos");
  const std::vector<std::string> l = cherche(s);
  // 1.e4: 7 games, 3 won, 2 lost (one without result counts as a draw);
  // 1.d4: 3 games, 1 won, 1 lost. White's and Black's ratings from the tags.
  const std::vector<std::string> attendu = {
      "info string e2e4 [92.2%] : N=7 57.1% (3,2,2) Elo=2665 Elo Perf=2677",
      "info string d2d4 [7.8%] : N=3 50.0% (1,1,1) Elo=2633 Elo Perf=2644",
      "bestmove e2e4",
  };
  ASSERT_GE(l.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(l.end() - 3, l.end()), attendu);
  EXPECT_EQ(compte(l, "info depth"), 0);  // no search
}

// A folder name with spaces and letters outside ASCII, as a user's folder
// often has on Windows: the book is written there from the command line and
// read from there through BookDirectory (UTF-8 text from the interface).
TEST(UciLivreAccents, DossierAvecEspacesEtAccents) {
  DossierTemporaire d;
  const std::string dossier = d.chemin + "/Zo\u00eb \u00c9checs";
  int statut = -1;
  lance_velmar({"book", "--out", dossier, "--min-games", "1", PGN}, "", &statut);
  ASSERT_EQ(statut, 0);
  SessionUci s;
  s.envoie("setoption name BookDirectory value " + dossier);
  s.envoie("setoption name OwnBook value true");
  s.envoie("position startpos");
  const std::vector<std::string> l = cherche(s);
  ASSERT_GE(l.size(), 3u);
  EXPECT_EQ(l.back(), "bestmove e2e4");
  EXPECT_EQ(compte(l, "info string e2e4 [92.2%]"), 1);
}

TEST_F(UciLivre, OwnBookEstOuvertParDefaut) {
  // Interfaces send only the options a user changed: the announced default
  // is the state the engine is in.
  SessionUci s({}, d.chemin);
  s.envoie("position startpos");
  s.envoie("go wtime 60000 btime 60000");
  std::vector<std::string> l = cherche(s);
  EXPECT_EQ(compte(l, "info depth"), 0);
  EXPECT_TRUE(l.back() == "bestmove e2e4" || l.back() == "bestmove d2d4") << l.back();
  // Set to false before the first search, it stays closed.
  SessionUci sans({}, d.chemin);
  sans.envoie("setoption name OwnBook value false");
  sans.envoie("position startpos");
  sans.envoie("go depth 3");
  l = cherche(sans);
  EXPECT_GT(compte(l, "info depth"), 0);
  // An analysis interface wants the engine's own judgement, not the book's.
  SessionUci analyse({}, d.chemin);
  analyse.envoie("setoption name UCI_AnalyseMode value true");
  analyse.envoie("position startpos");
  l = cherche(analyse);
  EXPECT_GT(compte(l, "info depth"), 0);
}

TEST_F(UciLivre, LivreDuProjetTrouveDepuisUnRepertoireVide) {
  // A program in <project>/build started in a directory without a book uses
  // <project>/books, names it in "uci", and plays from it.
  DossierTemporaire projet, vide;
  std::filesystem::create_directory(projet.fichier("build"));
  std::filesystem::copy_file(VELMAR_BINARY, projet.fichier("build/velmar"));
  std::filesystem::copy(d.chemin, projet.fichier("books"));
  const std::string sortie = vide.fichier("sortie");
  ASSERT_EQ(std::system(("cd " + vide.chemin + " && printf 'uci\\nposition startpos\\ngo wtime 60000 btime 60000\\n' | "
                         "env -u VELMAR_BOOKS " + projet.fichier("build/velmar") + " > " + sortie)
                            .c_str()),
            0);
  const std::string l = lit_texte(sortie);
  const std::string livres = std::filesystem::canonical(projet.fichier("books")).string();
  EXPECT_NE(l.find("option name BookDirectory type string default " + livres + "\n"), std::string::npos) << l;
  EXPECT_EQ(l.find("info depth"), std::string::npos) << l;
  EXPECT_TRUE(l.find("\nbestmove e2e4\n") != std::string::npos || l.find("\nbestmove d2d4\n") != std::string::npos) << l;
}

TEST_F(UciLivre, LeCompteurArreteEtRelanceLeLivre) {
  SessionUci s({}, d.chemin);
  s.envoie("setoption name OwnBook value true");
  s.envoie(ITALIENNE);
  std::vector<std::string> l = cherche(s);
  EXPECT_EQ(compte(l, "info string e1g1 [100.0%]"), 1);
  EXPECT_EQ(l.back(), "bestmove e1g1");
  // Out of the book: the engine searches, four times in a row.
  for (int i = 0; i < 4; i++) {
    s.envoie(HORS_LIVRE);
    l = cherche(s);
    EXPECT_EQ(compte(l, "info string e1g1"), 0);
    EXPECT_GT(compte(l, "info depth"), 0);
  }
  // After four searches without a book move the book is not asked, even in
  // a book position deeper than the counter...
  s.envoie(ITALIENNE);
  l = cherche(s);
  EXPECT_EQ(compte(l, "info string e1g1"), 0);
  EXPECT_GT(compte(l, "info depth"), 0);
  // ...until a position goes back before the counter.
  s.envoie("position startpos");
  l = cherche(s);
  EXPECT_EQ(compte(l, "info string e2e4"), 1);
  EXPECT_EQ(compte(l, "info depth"), 0);
}

TEST(UciSansLivre, LivreAbsentLeMoteurCherche) {
  DossierTemporaire d;
  SessionUci s({}, d.chemin);
  s.envoie("setoption name OwnBook value true");
  s.envoie("position startpos");
  const std::vector<std::string> l = cherche(s);
  EXPECT_EQ(compte(l, "info string e2e4"), 0);
  EXPECT_GT(compte(l, "info depth"), 0);
}

TEST(UciSansLivre, LivreEndommageUneLigneEtRecherche) {
  DossierTemporaire d;
  ecrit_octets(d.fichier("Velmar.bib"), std::vector<uint8_t>(12, 0));
  ecrit_octets(d.fichier("Encyclopedie.bib"), std::vector<uint8_t>(40, 0));
  SessionUci s({}, d.chemin);
  s.lignes.clear();
  s.envoie("setoption name OwnBook value true");
  s.envoie("isready");
  ASSERT_NE(s.attend("readyok"), "");
  EXPECT_EQ(compte(s.lignes, "info string Velmar.bib"), 1);
  s.envoie("position startpos");
  EXPECT_GT(compte(cherche(s), "info depth"), 0);
}
