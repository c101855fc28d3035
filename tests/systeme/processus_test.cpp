// The child-process launcher: input, output lines, arguments passed as
// they are, a child that stays silent ended after the time-out.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "systeme/executable.h"
#include "systeme/processus.h"

namespace {

TEST(Processus, LignesDelaiEtFin) {
  Processus p;
  ASSERT_TRUE(lance_processus({VELMAR_BINARY}, "isready\nquit\n", p));
  std::string ligne;
  EXPECT_EQ(lit_ligne_processus(p, ligne, 20000), LIGNE_LUE);
  EXPECT_EQ(ligne, "readyok");
  EXPECT_EQ(lit_ligne_processus(p, ligne, 20000), FIN_SORTIE);
  termine_enfant(p);

  ASSERT_TRUE(lance_processus({"/bin/echo", "a  b", "\"Zoë\\\""}, "", p));
  EXPECT_EQ(lit_ligne_processus(p, ligne, 20000), LIGNE_LUE);
  EXPECT_EQ(ligne, "a  b \"Zoë\\\"");
  termine_enfant(p);

  // A child that never answers: the wait ends at the time-out, and the
  // child is ended at once.
  const auto debut = std::chrono::steady_clock::now();
  ASSERT_TRUE(lance_processus({"/bin/sleep", "60"}, "", p));
  EXPECT_EQ(lit_ligne_processus(p, ligne, 200), DELAI_DEPASSE);
  termine_enfant(p);
  EXPECT_LT(std::chrono::steady_clock::now() - debut, std::chrono::seconds(10));

  EXPECT_FALSE(lance_processus({"/pas/de/programme"}, "", p));
  EXPECT_EQ(chemin_executable().substr(chemin_executable().rfind('/') + 1), "tests_systeme");
}

}  // namespace
