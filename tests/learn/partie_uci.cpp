// The learning files written by the real engine over UCI: a fixed game
// compared with reference files, the option left off, and report files that
// cannot be written.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "common/session.h"

namespace {

// The opening of Morphy's Opera game, whose exchanges make the values swing:
// the interface sends each position with one more move.
const std::vector<std::string> coups_fixes = {"e2e4", "e7e5", "g1f3", "d7d6", "d2d4", "c8g4",
                                              "d4e5", "g4f3", "d1f3", "d6e5", "f1c4", "g8f6"};

std::string lit_fichier(const std::string& nom) {
  std::ifstream f(nom, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

void ecrit_fichier(const std::string& nom, const std::string& texte) {
  std::ofstream f(nom, std::ios::binary);
  f << texte;
}

bool existe(const std::string& nom) {
  struct stat etat {};
  return stat(nom.c_str(), &etat) == 0;
}

// The moment of writing is the only part of a report that changes from run
// to run.
std::string masque_dates(const std::string& texte) {
  static const std::regex date("Date : \\d\\d:\\d\\d \\d\\d/\\d\\d/\\d{4}");
  return std::regex_replace(texte, date, "Date : hh:mm jj/mm/aaaa");
}

class RepertoireTemporaire {
 public:
  RepertoireTemporaire() {
    char modele[] = "/tmp/velmar_uci_XXXXXX";
    chemin = mkdtemp(modele);
  }
  ~RepertoireTemporaire() { std::system(("rm -rf " + chemin).c_str()); }
  std::string chemin;
};

// Plays `recherches` searches of the fixed game (the first from the start
// position, then one more move each time) and returns the "info string
// Apprentissage" lines; every search must end with "bestmove".
std::string joue_partie(SessionUci& s, int recherches, int profondeur) {
  std::string lignes;
  std::string coups;
  for (int k = 0; k < recherches; ++k) {
    s.envoie(k == 0 ? "position startpos" : "position startpos moves" + coups);
    s.envoie("go depth " + std::to_string(profondeur));
    const size_t avant = s.lignes.size();
    EXPECT_NE(s.attend("bestmove", 60000), "") << "search " << k << " gave no bestmove";
    for (size_t i = avant; i < s.lignes.size(); ++i)
      if (s.lignes[i].rfind("info string Apprentissage", 0) == 0) lignes += s.lignes[i] + "\n";
    if (k < static_cast<int>(coups_fixes.size())) coups += " " + coups_fixes[k];
  }
  return lignes;
}

}  // namespace

// Twelve searches with learning on: the book counter runs from 1 to 12, so
// the second to the eleventh searches are followed. The opening names come
// from a few opening lines (no book file: the counter is not reset by it).
// Set VELMAR_REGENERE=1 to rewrite the reference files after a deliberate
// change of the search or the evaluation.
TEST(ApprentissageUci, PartieDeReference) {
  RepertoireTemporaire rep;
  int statut = -1;
  lance_velmar({"eco", "--out", rep.chemin, std::string(VELMAR_TEST_DATA) + "/learn/ouvertures.tsv"}, "", &statut);
  ASSERT_EQ(statut, 0);
  SessionUci s({}, rep.chemin);
  s.envoie("setoption name OwnBook value true");
  s.envoie("setoption name Apprentissage value true");
  const std::string lignes = joue_partie(s, 12, 3);
  s.envoie("quit");
  s.attend_fin();

  const std::string donnees = std::string(VELMAR_TEST_DATA) + "/learn/";
  const std::string parties = masque_dates(lit_fichier(rep.chemin + "/apprentissage.txt"));
  const std::string positions = masque_dates(lit_fichier(rep.chemin + "/Position.txt"));
  if (std::getenv("VELMAR_REGENERE") != nullptr) {
    ecrit_fichier(donnees + "apprentissage.txt", parties);
    ecrit_fichier(donnees + "Position.txt", positions);
    ecrit_fichier(donnees + "lignes_apprentissage.txt", lignes);
  }
  const char* conseil = "; after a deliberate change of the search, rerun with VELMAR_REGENERE=1";
  EXPECT_EQ(lignes, lit_fichier(donnees + "lignes_apprentissage.txt")) << conseil;
  EXPECT_EQ(parties, lit_fichier(donnees + "apprentissage.txt")) << conseil;
  EXPECT_EQ(positions, lit_fichier(donnees + "Position.txt")) << conseil;
}

TEST(ApprentissageUci, OptionAbsenteRienNEstEcrit) {
  RepertoireTemporaire rep;
  SessionUci s({}, rep.chemin);
  s.envoie("setoption name Apprentissage value false");
  EXPECT_EQ(joue_partie(s, 4, 1), "");
  s.envoie("quit");
  s.attend_fin();
  EXPECT_FALSE(existe(rep.chemin + "/apprentissage.txt"));
  EXPECT_FALSE(existe(rep.chemin + "/Position.txt"));
}

TEST(ApprentissageUci, FichiersImpossiblesAEcrireLeMoteurJoue) {
  RepertoireTemporaire rep;
  // Directories where the report files should be: neither can be written.
  ASSERT_EQ(mkdir((rep.chemin + "/apprentissage.txt").c_str(), 0755), 0);
  ASSERT_EQ(mkdir((rep.chemin + "/Position.txt").c_str(), 0755), 0);
  SessionUci s({}, rep.chemin);
  s.envoie("setoption name Apprentissage value true");
  const std::string lignes = joue_partie(s, 12, 1);
  s.envoie("isready");
  EXPECT_EQ(s.attend("readyok"), "readyok");
  s.envoie("quit");
  s.attend_fin();
  EXPECT_NE(lignes.find("info string Apprentissage : 0 valeur="), std::string::npos) << lignes;
  EXPECT_NE(lignes.find("info string Apprentissage : 9 valeur="), std::string::npos) << lignes;
  EXPECT_NE(lignes.find("info string Apprentissage Valeur : 30001 ---> "), std::string::npos) << lignes;
}
