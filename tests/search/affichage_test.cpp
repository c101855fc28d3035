#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <regex>
#include <string>
#include <thread>

#include "board/types.h"
#include "console/sortie.h"
#include "search/affichage.h"
#include "search/etat_recherche.h"
#include "search/temps.h"

namespace {

std::string capture_pv(int profondeur, int score, char marque) {
  testing::internal::CaptureStdout();
  affiche_pv(profondeur, score, marque);
  return testing::internal::GetCapturedStdout();
}

class AffichageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    efface_statistiques();
    noeuds = 1234;
    longueur_pv[0] = 2;
    pv[0][0] = fabrique_coup(E2, E4, PION);
    pv[0][1] = fabrique_coup(E7, E8, PION, 0, DAME);
    demarre_chrono();
  }
};

// The line with its milliseconds (which a loaded machine may make more than 0) as T.
std::string sans_temps(const std::string& s) { return std::regex_replace(s, std::regex(" time [0-9]+ "), " time T "); }

TEST_F(AffichageTest, FinalLineAlwaysPrintedWithScoreText) {
  EXPECT_EQ(sans_temps(capture_pv(5, 37, '>')), "info score cp 37 depth 5 nodes 1234 time T pv e2e4 e7e8q\n");
  EXPECT_EQ(sans_temps(capture_pv(5, INFINI - 6, '>')), "info score mate 3 depth 5 nodes 1234 time T pv e2e4 e7e8q\n");
  EXPECT_EQ(sans_temps(capture_pv(5, -(INFINI - 6), '>')),
            "info score mate -3 depth 5 nodes 1234 time T pv e2e4 e7e8q\n");
  EXPECT_EQ(sans_temps(capture_pv(5, 29900, '>')), "info score cp 29900 depth 5 nodes 1234 time T pv e2e4 e7e8q\n");
}

TEST_F(AffichageTest, TimeInMillisecondsAndSpeedWithTableFill) {
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  std::smatch m;
  const std::string s = capture_pv(5, 37, ':');
  ASSERT_TRUE(std::regex_match(
      s, m, std::regex("info score cp 37 depth 5 nodes 1234 time ([0-9]+) pv e2e4 e7e8q\ninfo nps ([0-9]+) hashfull ([0-9]+)\n")))
      << s;
  EXPECT_GE(std::stol(m[1]), 1100);
  // Per second of the true time, not of the whole seconds gone (1234).
  EXPECT_LT(std::stol(m[2]), 1234 * 1000 / 1100 + 1);
  EXPECT_LE(std::stol(m[3]), 1000);
}

TEST_F(AffichageTest, NothingButTheFinalLineDuringTheFirstSecond) {
  EXPECT_EQ(capture_pv(3, 10, '+'), "");
  EXPECT_EQ(capture_pv(3, 10, ':'), "");
  testing::internal::CaptureStdout();
  affiche_coup_courant(pv[0][0], 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST_F(AffichageTest, LogFileGetsTheTableAndTheStatistics) {
  FILE* f = std::tmpfile();
  ASSERT_NE(f, nullptr);
  fichier_log = f;
  log_actif = 1;
  noeuds_recherche = 1000;
  noeuds_quiescence = 234;
  nb_coups_nuls = 4;
  nb_coupures_nulles = 1;
  nb_ext_echec = 7;
  testing::internal::CaptureStdout();
  affiche_pv(6, INFINI - 4, '>');
  affiche_pv(6, -125, '>');
  affiche_statistiques(INFINI - 4);
  testing::internal::GetCapturedStdout();
  log_actif = 0;
  fichier_log = nullptr;

  std::rewind(f);
  std::string texte;
  char tampon[512];
  for (size_t n; (n = std::fread(tampon, 1, sizeof tampon, f)) > 0;) texte.append(tampon, n);
  std::fclose(f);
  EXPECT_NE(texte.find(" 6->      1234    0s MAT02 e2e4 e7e8q\n"), std::string::npos) << texte;
  EXPECT_NE(texte.find(" 6->      1234    0s -1.25 e2e4 e7e8q\n"), std::string::npos) << texte;
  EXPECT_NE(texte.find("Mat en 2 coups\nNombre noeuds=1234 noeuds (1000/234) (81%/18%) Nombre evaluations="),
            std::string::npos)
      << texte;
  EXPECT_NE(texte.find("Statistique coup nul : 1/4 25%\n"), std::string::npos) << texte;
  EXPECT_NE(texte.find("Echecs : 7, Recaptures: 0, Coup unique : 0, Menace Mat : 0\n"), std::string::npos) << texte;
  EXPECT_NE(texte.find("Structure pion : "), std::string::npos) << texte;
}

}  // namespace
