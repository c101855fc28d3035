#include <gtest/gtest.h>

#include <string>

#include "front/go.h"
#include "search/etat_recherche.h"
#include "search/temps.h"

namespace {

struct Horloge {
  int32_t restant, inc, a_jouer, controle;
  bool avec_coups;
};

// Limits for a clock, with the text calcule_temps prints.
std::string limites(const Horloge& h) {
  mode_temps_fixe = 0;
  temps_restant = h.restant;
  increment = h.inc;
  coups_restants = h.a_jouer;
  coups_controle = h.controle;
  sans_coups_restants = h.avec_coups ? 0 : 1;
  testing::internal::CaptureStdout();
  calcule_temps();
  return testing::internal::GetCapturedStdout();
}

TEST(TempsTest, SuddenDeathAndIncrement) {
  std::string texte = limites({60, 0, 0, 0, false});
  EXPECT_EQ(temps_limite, 1);
  EXPECT_EQ(temps_absolu, 5);
  EXPECT_EQ(texte,
            "info string Temps restant : 60 secondes Temps limite : 1 secondes Temps limite absolu : 5 secondes\n");

  limites({300, 5, 0, 0, false});
  EXPECT_EQ(temps_limite, 15);
  EXPECT_EQ(temps_absolu, 150);
  // Short of time with an increment: live on half the increment.
  limites({20, 10, 0, 0, false});
  EXPECT_EQ(temps_limite, 5);
  EXPECT_EQ(temps_absolu, 10);
  // Nearly flagged: never below one second.
  limites({0, 0, 0, 0, false});
  EXPECT_EQ(temps_limite, 1);
  EXPECT_EQ(temps_absolu, 0);
}

TEST(TempsTest, MovesToGo) {
  std::string texte = limites({10, 0, 1, 1, true});
  EXPECT_EQ(temps_limite, 8);
  EXPECT_EQ(temps_absolu, 8);
  EXPECT_EQ(texte.rfind("info string Temps restant : 10 secondes \ninfo string Ecart prévisionnel : 0 secondes\n", 0),
            0u);
  limites({100, 2, 20, 0, true});
  EXPECT_EQ(temps_limite, 7);
  EXPECT_EQ(temps_absolu, 35);
  // "movestogo 0" must not divide by zero.
  limites({100, 0, 0, 0, true});
  EXPECT_EQ(temps_limite, 100);
}

TEST(TempsTest, FixedTimeOverridesTheClock) {
  mode_temps_fixe = 1;
  temps_fixe = 3;
  sans_coups_restants = 1;
  temps_restant = 600;
  increment = 0;
  testing::internal::CaptureStdout();
  calcule_temps();
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(temps_limite, 3);
  EXPECT_EQ(temps_absolu, 3);
}

TEST(TempsTest, StopDecisions) {
  demarre_chrono();
  EXPECT_LT(millisecondes_ecoulees(), 1000);
  EXPECT_EQ(secondes_ecoulees(), 0);
  ponder_en_cours = 0;
  premier_coup_racine = 0;
  echec_bas = 0;
  score_racine = score_precedent = 0;

  // A "movetime" below one second: stops at the first check once the first
  // iteration is over, never during it.
  mode_temps_fixe = 1;
  temps_limite = temps_absolu = 0;
  profondeur_iteration = 1;
  EXPECT_EQ(temps_depasse(0), 0);
  profondeur_iteration = 2;
  EXPECT_EQ(temps_depasse(0), 1);
  ponder_en_cours = 1;
  EXPECT_EQ(temps_depasse(1), 0);
  ponder_en_cours = 0;

  // "depth" and "infinite" use a limit no search reaches.
  temps_limite = temps_absolu = 1000000;
  EXPECT_EQ(temps_depasse(1), 0);

  // Clock mode, past the normal limit but inside twice it: a stable score
  // stops only before a new root move.
  mode_temps_fixe = 0;
  temps_limite = 0;
  temps_absolu = 100;
  EXPECT_EQ(temps_depasse(0), 0);
  EXPECT_EQ(temps_depasse(1), 1);
  // A dropping score while the first root move is searched: stop and take it.
  score_racine = -50;
  premier_coup_racine = 1;
  EXPECT_EQ(temps_depasse(0), 1);
  // After a fail low, keep looking until five times the limit.
  premier_coup_racine = 0;
  echec_bas = 1;
  EXPECT_EQ(temps_depasse(0), 1);  // 0 s >= 5 x 0 s
  temps_limite = 1;
  EXPECT_EQ(temps_depasse(0), 0);
  echec_bas = 0;
  score_racine = 0;

  // Less than two seconds left: play once the first iteration is done.
  limites({1, 0, 0, 0, false});
  EXPECT_EQ(temps_absolu, 0);
  profondeur_iteration = 1;
  EXPECT_EQ(temps_depasse(0), 0);
  profondeur_iteration = 2;
  EXPECT_EQ(temps_depasse(0), 1);
}

}  // namespace
