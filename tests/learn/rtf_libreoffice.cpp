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

  // The files are checked as they are after 1, 2 and 10 reports each.
  std::string copies;
  for (int rapport = 1; rapport <= 10; ++rapport) {
    Partie p = partie_de_test(rapport % 3 == 0 ? 0 : rapport % 3 == 1 ? 7 : 10);
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
    if (rapport == 1 || rapport == 2 || rapport == 10) {
      for (const std::string& fichier : {parties, positions}) {
        const std::string copie = fichier.substr(0, fichier.size() - 4) + "_" + std::to_string(rapport) + ".txt";
        ASSERT_EQ(std::system(("cp " + fichier + " " + copie).c_str()), 0);
        copies += " " + copie;
      }
    }
  }

  const std::string commande =
      std::string(VELMAR_SOURCE_DIR) + "/tests/learn/verifie_rtf.sh" + copies + " > " + rep + "/journal 2>&1";
  const int statut = std::system(commande.c_str());
  std::system(("cat " + rep + "/journal").c_str());
  std::system(("rm -rf " + rep).c_str());
  ASSERT_TRUE(WIFEXITED(statut));
  if (WEXITSTATUS(statut) == 77) GTEST_SKIP() << "LibreOffice not available; RTF check skipped";
  EXPECT_EQ(WEXITSTATUS(statut), 0);
}
