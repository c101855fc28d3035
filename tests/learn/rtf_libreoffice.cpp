// The reports open in a word processor: LibreOffice reads both report files
// as RTF. Slow (it may install LibreOffice first), so it runs with the slow
// tests only.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "learn/apprentissage.h"
#include "learn/partie_exemple.h"
#include "learn/rtf.h"

TEST(RtfSlow, LibreOfficeLitLesRapports) {
  char modele[] = "/tmp/velmar_lo_XXXXXX";
  const std::string rep = mkdtemp(modele);
  const std::string parties = rep + "/apprentissage.txt";
  const std::string positions = rep + "/Position.txt";
  for (int k = 0; k < NB_VALEURS_APPRENTISSAGE; ++k) valeurs_apprentissage[k] = 25 - 7 * k;

  for (int n : {0, 7, 10}) {
    Partie p = partie_de_test(n);
    position.cases[E2] = 0;
    position.cases[E4] = PION;
    FILE* f = ouvre_fichier_rtf(parties.c_str());
    ASSERT_NE(f, nullptr);
    ecrit_rapport_partie(f, p, "d2d4");
    ASSERT_EQ(ferme_fichier_rtf(f), 1);
    f = ouvre_fichier_rtf(positions.c_str());
    ASSERT_NE(f, nullptr);
    ecrit_rapport_position(f, p, 120, "d2d4", -35, 9);
    ASSERT_EQ(ferme_fichier_rtf(f), 1);
  }

  const std::string commande = std::string(VELMAR_SOURCE_DIR) + "/tests/learn/verifie_rtf.sh " + parties + " " +
                               positions + " > " + rep + "/journal 2>&1";
  const int statut = std::system(commande.c_str());
  std::system(("cat " + rep + "/journal").c_str());
  std::system(("rm -rf " + rep).c_str());
  ASSERT_TRUE(WIFEXITED(statut));
  if (WEXITSTATUS(statut) == 77) GTEST_SKIP() << "LibreOffice not available; RTF check skipped";
  EXPECT_EQ(WEXITSTATUS(statut), 0);
}
