// Parameters of "go", clock bookkeeping and number reading.
#include <gtest/gtest.h>

#include "board/position.h"
#include "front/go.h"
#include "front/nombres.h"
#include "learn/apprentissage.h"
#include "search/etat_recherche.h"
#include "search/limites_recherche.h"

namespace {

TEST(Go, ParametresDuTempsEnSecondes) {
  ParametresGo p;
  lit_parametres_go("wtime 61999 btime 30000 winc 2500 binc 999 movestogo 12", p);
  EXPECT_EQ(p.temps[0], 61);
  EXPECT_EQ(p.temps[1], 30);
  EXPECT_EQ(p.increments[0], 2);
  EXPECT_EQ(p.increments[1], 0);
  EXPECT_EQ(mode_temps_fixe, 0);
  EXPECT_EQ(sans_coups_restants, 0);
  EXPECT_EQ(coups_restants, 12);

  // "movetime" 500 gives 0 seconds; "depth" is unlimited in time.
  lit_parametres_go("movetime 500", p);
  EXPECT_EQ(mode_temps_fixe, 1);
  EXPECT_EQ(temps_fixe, 0);
  EXPECT_EQ(profondeur_max, 64);
  lit_parametres_go("depth 5", p);
  EXPECT_EQ(temps_fixe, 1000000);
  EXPECT_EQ(profondeur_max, 5);
  EXPECT_EQ(mode_temps_fixe, 1);
  // Back to the clock.
  lit_parametres_go("wtime 1000 btime 1000", p);
  EXPECT_EQ(mode_temps_fixe, 0);
  EXPECT_EQ(profondeur_max, 64);
}

TEST(Go, InfiniPonderEtMotsInconnus) {
  ParametresGo p;
  mat_connu = 29990;
  valeur_precedente = 12;
  analyse_infinie = 0;
  lit_parametres_go("searchmoves e2e4 nodes 1000 ponder infinite", p);
  EXPECT_EQ(nb_coups_demandes, 1);
  EXPECT_EQ(ponder_en_cours, 1);
  EXPECT_EQ(analyse_infinie, 1);
  EXPECT_EQ(mat_connu, 0);
  EXPECT_EQ(valeur_precedente, 30001);
  EXPECT_EQ(temps_fixe, 1000000);
  EXPECT_EQ(mode_temps_fixe, 1);
  // Each "go" starts without pondering, and searches every move.
  lit_parametres_go("", p);
  EXPECT_EQ(ponder_en_cours, 0);
  EXPECT_EQ(nb_coups_demandes, 0);
  EXPECT_EQ(p.temps[0], 0);
  analyse_infinie = 0;
}

TEST(Go, NombresManquantsOuFauxCommeAbsents) {
  ParametresGo p;
  mode_temps_fixe = 1;
  temps_fixe = 7;
  profondeur_max = 64;
  sans_coups_restants = 1;  // as the interpreter leaves it before every command
  // "wtime" without a number: absent; the word after it is still a parameter.
  lit_parametres_go("wtime depth x btime -3000 movestogo 0 movetime", p);
  EXPECT_EQ(p.temps[0], 0);
  EXPECT_EQ(p.temps[1], -3);
  EXPECT_EQ(temps_fixe, 7);
  EXPECT_EQ(profondeur_max, 64);
  // A movestogo of 0 would divide by zero later: ignored.
  EXPECT_EQ(sans_coups_restants, 1);
  // A depth below 2 would run no iteration at all.
  lit_parametres_go("depth 1", p);
  EXPECT_EQ(profondeur_max, 2);
  lit_parametres_go("wtime 99999999999999", p);
  EXPECT_EQ(p.temps[0], 2147483);
}

TEST(Go, DecompteDuTemps) {
  coups_restants = 2;
  temps_restant = 100;
  increment = 0;
  coups_periode = 20;
  temps_periode = 600;
  coups_controle = 40;
  temps_controle = 3600;
  temps_restant_ms = -1;
  decompte_temps(10000);
  EXPECT_EQ(coups_restants, 1);
  EXPECT_EQ(temps_restant, 90);
  // The control is reached: the next period is added.
  increment = 3;
  decompte_temps(5999);
  EXPECT_EQ(coups_restants, 20);
  EXPECT_EQ(coups_controle, 60);
  EXPECT_EQ(temps_controle, 4200);
  EXPECT_EQ(temps_restant, 90 - 5 + 600 + 3);
  increment = 0;
  coups_periode = temps_periode = 0;
}

TEST(Nombres, ConversionDecimaleSansDebordement) {
  EXPECT_EQ(convertit_entier("  42abc"), 42);
  EXPECT_EQ(convertit_entier("-7"), -7);
  EXPECT_EQ(convertit_entier("abc"), 0);
  EXPECT_EQ(convertit_entier(""), 0);
  EXPECT_EQ(convertit_entier("123456789012345"), INT32_MAX);
  EXPECT_EQ(convertit_entier("-123456789012345"), INT32_MIN);
  int32_t v = 5;
  EXPECT_EQ(est_entier("12x", v), 0);
  EXPECT_EQ(est_entier("", v), 0);
  EXPECT_EQ(est_entier("-", v), 0);
  EXPECT_EQ(v, 5);
  EXPECT_EQ(est_entier("+12", v), 1);
  EXPECT_EQ(v, 12);
}

}  // namespace
