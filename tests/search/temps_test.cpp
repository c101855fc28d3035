#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <utility>

#include "search/etat_recherche.h"
#include "search/limites_recherche.h"
#include "search/temps.h"

namespace {

// Clock values in milliseconds, as "go" gives them.
struct Horloge {
  int32_t restant, inc, a_jouer, controle;
  bool avec_coups;
};

// Limits for a clock, with the text calcule_temps prints.
std::string limites(const Horloge& h) {
  mode_temps_fixe = 0;
  temps_restant = h.restant / 1000;
  increment = h.inc / 1000;
  temps_restant_ms = h.restant;
  increment_ms = h.inc;
  coups_restants = h.a_jouer;
  coups_controle = h.controle;
  sans_coups_restants = h.avec_coups ? 0 : 1;
  testing::internal::CaptureStdout();
  calcule_temps();
  return testing::internal::GetCapturedStdout();
}

TEST(TempsTest, SuddenDeathAndIncrement) {
  std::string texte = limites({60000, 0, 0, 0, false});
  EXPECT_EQ(temps_limite, 1);
  EXPECT_EQ(temps_absolu, 5);
  EXPECT_EQ(texte,
            "info string Temps restant : 60 secondes Temps limite : 1 secondes Temps limite absolu : 5 secondes\n");

  limites({300000, 5000, 0, 0, false});
  EXPECT_EQ(temps_limite, 15);
  EXPECT_EQ(temps_absolu, 150);
  // Short of time with an increment: live on half the increment.
  limites({20000, 10000, 0, 0, false});
  EXPECT_EQ(temps_limite, 5);
  EXPECT_EQ(temps_absolu, 10);
  // Nearly flagged: never below one second.
  limites({0, 0, 0, 0, false});
  EXPECT_EQ(temps_limite, 1);
  EXPECT_EQ(temps_absolu, 0);
}

TEST(TempsTest, MovesToGo) {
  std::string texte = limites({10000, 0, 1, 1, true});
  EXPECT_EQ(temps_limite, 8);
  EXPECT_EQ(temps_absolu, 8);
  EXPECT_EQ(texte.rfind("info string Temps restant : 10 secondes \ninfo string Ecart prévisionnel : 0 secondes\n", 0),
            0u);
  limites({100000, 2000, 20, 0, true});
  EXPECT_EQ(temps_limite, 7);
  EXPECT_EQ(temps_absolu, 35);
  // "movestogo 0" must not divide by zero.
  limites({100000, 0, 0, 0, true});
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

// Fixed time per move ("movetime"), in milliseconds.
void temps_par_coup(int32_t ms) {
  mode_temps_fixe = 1;
  temps_fixe = ms / 1000;
  temps_fixe_ms = ms;
  testing::internal::CaptureStdout();
  calcule_temps();
  testing::internal::GetCapturedStdout();
}

TEST(TempsTest, MillisecondesQuandLesSecondesNeSuffisentPas) {
  // The rules in whole seconds where they work...
  limites({60000, 0, 0, 0, false});
  EXPECT_EQ(unite_temps, 1000);
  limites({300000, 5000, 0, 0, false});
  EXPECT_EQ(unite_temps, 1000);
  // ... and the same rules in milliseconds where whole seconds give nothing.
  struct Cas {
    Horloge h;
    int64_t limite, absolu, plafond;
  };
  const Cas cas[] = {
      // 20 s + 0.2 s: a 35th of the clock (less a 250 ms reserve) and most
      // of the increment, not the increment alone (Move Overhead, 10 ms,
      // comes off first).
      {{20000, 200, 0, 0, false}, 714, 9995, 19940},
      {{500, 10, 0, 0, false}, 13, 245, 440},       // 0.5 s + 0.01 s: the reserve is kept
      {{300, 10, 0, 0, false}, 8, 48, 260},         // the stop rules spend only what is above it
      {{200, 10, 0, 0, false}, 7, 7, 170},          // and nothing of the reserve itself
      {{30000, 0, 0, 0, false}, 856, 4280, 29940},  // 30 s: a 35th of the clock
      {{1000, 0, 40, 0, true}, 24, 120, 940},       // 1 s for 40 moves
      {{3000, 0, 1, 1, true}, 2392, 2392, 2940},    // one move to go: whole seconds would flag
      {{20, 0, 0, 0, false}, 1, 1, 5},              // nearly flagged
      {{2000, 2000, 0, 0, false}, 1000, 1000, 1940},  // 2 s + 2 s: never more than half the clock
  };
  for (const Cas& c : cas) {
    limites(c.h);
    EXPECT_EQ(unite_temps, 1) << c.h.restant;
    EXPECT_EQ(limite_appliquee, c.limite) << c.h.restant;
    EXPECT_EQ(absolu_applique, c.absolu) << c.h.restant;
    EXPECT_EQ(plafond_ms, c.plafond) << c.h.restant;
  }
  // "movetime" is due at its millisecond, less a tenth (5 to 50 ms) and
  // the Move Overhead.
  for (auto [ms, plafond] : {std::pair{100, 80}, {500, 440}, {1500, 1440}, {3000, 2940}}) {
    temps_par_coup(ms);
    EXPECT_EQ(unite_temps, 1);
    EXPECT_EQ(limite_appliquee, plafond);
    EXPECT_EQ(plafond_ms, plafond);
  }
}

TEST(TempsTest, StopDecisions) {
  ponder_en_cours = 0;
  premier_coup_racine = 0;
  echec_bas = 0;
  score_racine = score_precedent = 0;

  // "movetime" 100: never during the first iteration, then at 80 ms.
  temps_par_coup(100);
  demarre_chrono();
  profondeur_iteration = 2;
  EXPECT_EQ(temps_depasse(0), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(95));
  EXPECT_EQ(temps_depasse(0), 1);
  profondeur_iteration = 1;
  EXPECT_EQ(temps_depasse(0), 0);
  profondeur_iteration = 2;
  ponder_en_cours = 1;
  EXPECT_EQ(temps_depasse(1), 0);
  ponder_en_cours = 0;

  // Past the normal limit, the second iteration still completes with 2 s
  // on the clock, and not with less.
  for (auto [restant, arret] : {std::pair{2000, 0}, {1500, 1}}) {
    limites({restant, 10, 0, 0, false});
    limite_appliquee = 0;
    demarre_chrono();
    profondeur_iteration = 2;
    EXPECT_EQ(temps_depasse(1), arret) << restant;
  }
  profondeur_iteration = 3;
  EXPECT_EQ(temps_depasse(1), 1);

  // After "ponderhit" the ceiling counts from the ponderhit, not from the
  // start of the ponder search.
  limites({30000, 0, 0, 0, false});
  plafond_ms = 5;
  demarre_chrono();
  std::this_thread::sleep_for(std::chrono::milliseconds(10));
  note_ponderhit();
  profondeur_iteration = 2;
  EXPECT_EQ(temps_depasse(0), 0);
  profondeur_iteration = 3;

  // "depth" and "infinite" use a fixed time (1,000,000 s) no search reaches.
  temps_par_coup(1000000000);
  EXPECT_EQ(temps_depasse(1), 0);

  // Clock mode (30 s: an 857 ms limit), past the normal limit but inside
  // twice it: a stable score stops only before a new root move.
  limites({30000, 0, 0, 0, false});
  demarre_chrono();
  limite_appliquee = 0;
  EXPECT_EQ(temps_depasse(0), 0);
  EXPECT_EQ(temps_depasse(1), 1);
  // A dropping score while the first root move is searched: stop and take it.
  score_racine = -50;
  premier_coup_racine = 1;
  EXPECT_EQ(temps_depasse(0), 1);
  // After a fail low, keep looking until five times the limit.
  premier_coup_racine = 0;
  echec_bas = 1;
  EXPECT_EQ(temps_depasse(0), 1);  // 0 ms >= 5 x 0 ms
  limite_appliquee = 1000;
  EXPECT_EQ(temps_depasse(0), 0);
  echec_bas = 0;
  score_racine = 0;
}

}  // namespace
