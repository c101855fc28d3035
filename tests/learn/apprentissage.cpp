// The learning routines: recorded values, "info string" lines and the two
// report files in the current directory.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "book/reglages_livre.h"
#include "learn/apprentissage.h"

namespace {

std::string lit_fichier(const std::string& nom) {
  std::ifstream f(nom, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

bool existe(const std::string& nom) {
  struct stat etat {};
  return stat(nom.c_str(), &etat) == 0;
}

int compte(const std::string& texte, const std::string& motif) {
  int n = 0;
  for (size_t k = texte.find(motif); k != std::string::npos; k = texte.find(motif, k + 1)) ++n;
  return n;
}

// Runs each test in a fresh current directory, with an empty game record.
class Apprentissage : public ::testing::Test {
 protected:
  void SetUp() override {
    char modele[] = "/tmp/velmar_appr_XXXXXX";
    repertoire_ = mkdtemp(modele);
    ASSERT_NE(getcwd(ancien_, sizeof ancien_), nullptr);
    ASSERT_EQ(chdir(repertoire_.c_str()), 0);
    p_ = Partie{};
    p_.en_passant = AUCUNE_CASE;
    p_.echiquier[E1] = ROI;
    p_.echiquier[E8] = -ROI;
    compteur_ancien_ = compteur_livre;
    valeur_ancienne_ = valeur_precedente;
  }
  void TearDown() override {
    compteur_livre = compteur_ancien_;
    valeur_precedente = valeur_ancienne_;
    if (chdir(ancien_) != 0) std::abort();
    std::system(("rm -rf " + repertoire_).c_str());
  }
  // Both routines as "go" calls them, with the output they print.
  std::string recherche(int compteur, int valeur, int profondeur = 5, const char* coup = "e1e2") {
    compteur_livre = compteur;
    ::testing::internal::CaptureStdout();
    apprentissage_partie(p_, coup, valeur, profondeur);
    apprentissage_position(p_, coup, valeur, profondeur);
    return ::testing::internal::GetCapturedStdout();
  }
  std::string repertoire_;
  char ancien_[4096];
  Partie p_;
  int compteur_ancien_ = 0;
  int valeur_ancienne_ = INFINI;
};

}  // namespace

TEST_F(Apprentissage, DixValeursPuisRapportDePartie) {
  EXPECT_EQ(recherche(1, 50), "");
  for (int n = 2; n <= 10; ++n) {
    valeur_precedente = -1000;  // no value drop in this test
    EXPECT_EQ(recherche(n, 10 * n, n), "info string Apprentissage : " + std::to_string(n - 2) +
                                           " valeur=" + std::to_string(10 * n) + " prof=" + std::to_string(n) + "\n");
  }
  valeur_precedente = -1000;
  EXPECT_FALSE(existe("apprentissage.txt"));
  EXPECT_EQ(recherche(11, -15, 9), "info string Apprentissage : 9 valeur=-15 prof=9\n");
  for (int k = 0; k < 9; ++k) EXPECT_EQ(valeurs_apprentissage[k], 10 * (k + 2));
  EXPECT_EQ(valeurs_apprentissage[9], -15);

  const std::string rapport = lit_fichier("apprentissage.txt");
  EXPECT_EQ(compte(rapport, "{\\rtf1"), 1);
  EXPECT_EQ(compte(rapport, "************************************\\par\n"), 1);
  EXPECT_NE(rapport.find("\\par\n 1. e1e2\\par\n20  30  40  50  60  70  80  90  100  -15 \\par\n"),
            std::string::npos)
      << rapport;
  EXPECT_FALSE(existe("Position.txt"));

  // Beyond the tenth search nothing is recorded.
  EXPECT_EQ(recherche(12, 77), "");
  EXPECT_EQ(valeurs_apprentissage[9], -15);
  EXPECT_EQ(compte(lit_fichier("apprentissage.txt"), "Date : "), 1);
}

TEST_F(Apprentissage, ChuteDePlusDe33Centipions) {
  valeur_precedente = 40;
  EXPECT_EQ(recherche(3, 7), "info string Apprentissage : 1 valeur=7 prof=5\n");
  EXPECT_FALSE(existe("Position.txt")) << "a drop of exactly 33 is not reported";
  EXPECT_EQ(valeur_precedente, 7);

  valeur_precedente = 40;
  EXPECT_EQ(recherche(4, 6, 8, "d2d4"),
            "info string Apprentissage : 2 valeur=6 prof=8\n"
            "info string Apprentissage Valeur : 40 ---> 6\n");
  EXPECT_EQ(valeur_precedente, 6);
  const std::string rapport = lit_fichier("Position.txt");
  EXPECT_EQ(compte(rapport, "{\\rtf1"), 1);
  EXPECT_NE(rapport.find("\\par\n1. d2d4\\par\nValeur : 40 ---> 6 (profondeur : 8)\\par\n\\par\n"),
            std::string::npos)
      << rapport;

  // A rise is never reported; a second drop appends a second report.
  EXPECT_EQ(recherche(5, 300), "info string Apprentissage : 3 valeur=300 prof=5\n");
  recherche(6, 0);
  const std::string deux = lit_fichier("Position.txt");
  EXPECT_EQ(compte(deux, "{\\rtf1"), 1);
  EXPECT_EQ(compte(deux, "Date : "), 2);
  EXPECT_NE(deux.find("Valeur : 300 ---> 0 (profondeur : 5)"), std::string::npos);
}

TEST_F(Apprentissage, RemiseA30001HorsDesDixRecherches) {
  valeur_precedente = 0;
  EXPECT_EQ(recherche(12, -500), "");
  EXPECT_EQ(valeur_precedente, INFINI);
  valeur_precedente = 0;
  EXPECT_EQ(recherche(1, -500), "");
  EXPECT_EQ(valeur_precedente, INFINI);
  EXPECT_FALSE(existe("Position.txt"));

  // The first followed search compares against the reset value.
  EXPECT_EQ(recherche(2, 120),
            "info string Apprentissage : 0 valeur=120 prof=5\n"
            "info string Apprentissage Valeur : 30001 ---> 120\n");
  EXPECT_NE(lit_fichier("Position.txt").find("Valeur : 30001 ---> 120 (profondeur : 5)"), std::string::npos);
}

TEST_F(Apprentissage, FichiersImpossiblesAEcrire) {
  // Directories in place of the two files: neither can be opened for writing.
  ASSERT_EQ(mkdir("apprentissage.txt", 0755), 0);
  ASSERT_EQ(mkdir("Position.txt", 0755), 0);
  valeur_precedente = INFINI;
  for (int n = 2; n <= 10; ++n) recherche(n, 0);
  EXPECT_EQ(recherche(11, -100, 4),
            "info string Apprentissage : 9 valeur=-100 prof=4\n"
            "info string Apprentissage Valeur : 0 ---> -100\n");
  EXPECT_EQ(valeurs_apprentissage[9], -100);
  EXPECT_EQ(valeur_precedente, -100);
}
