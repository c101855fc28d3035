#include "search/temps.h"

#include <algorithm>
#include <chrono>

#include "front/go.h"
#include "front/sortie.h"
#include "search/etat_recherche.h"

int32_t temps_limite = 1;
int32_t temps_absolu = 1;

namespace {

std::chrono::steady_clock::time_point debut_chrono = std::chrono::steady_clock::now();

}  // namespace

void demarre_chrono() { debut_chrono = std::chrono::steady_clock::now(); }

int64_t millisecondes_ecoulees() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now() - debut_chrono).count();
}

// Whole seconds since the start of the search; a monotonic clock keeps a
// limit independent of where the calendar second happens to turn.
int32_t secondes_ecoulees() { return static_cast<int32_t>(millisecondes_ecoulees() / 1000); }

void calcule_temps() {
  const int32_t t = temps_restant;
  const int32_t i = increment;
  // A "movestogo 0" would divide by zero; it means the control is at hand.
  const int32_t m = std::max(coups_restants, 1);
  if (sans_coups_restants) {
    if (i == 0) {
      temps_limite = t / 35;
      temps_absolu = std::min(5 * temps_limite, t / 2);
    } else {
      temps_limite = t / 30 + i;
      if (t < 60) temps_limite = i;
      if (t < std::max(3 * i, 15)) temps_limite = i / 2;
      temps_absolu = t / 2;
    }
  } else {
    // The last move before the control keeps a fifth of the clock in hand.
    if (coups_controle == 1)
      temps_limite = (t * 80 / 100 + i * m) / m;
    else
      temps_limite = (i * m + t) / m;
    temps_absolu = t / 2;
    if (5 * temps_limite < temps_absolu) temps_absolu = 5 * temps_limite;
    if (temps_absolu < temps_limite) temps_absolu = temps_limite;
  }
  if (temps_limite < 1) temps_limite = 1;
  if (mode_temps_fixe) temps_limite = temps_absolu = temps_fixe;

  if (!sans_coups_restants) {
    ecrit("info string Temps restant : %d secondes \n", t);
    ecrit("info string Ecart prévisionnel : %d secondes\n", 0);
  }
  ecrit("info string Temps restant : %d secondes Temps limite : %d secondes Temps limite absolu : %d secondes\n",
        t, temps_limite, temps_absolu);
}

int temps_depasse(int strict) {
  if (ponder_en_cours) return 0;
  // The first root move has no alternative yet: stop it only when needed.
  if (premier_coup_racine) strict = 1;
  // The first iteration always completes, so there is always a move.
  if (profondeur_iteration <= 1) return 0;
  // Under two seconds on the clock the absolute limit is 0 whole seconds:
  // waiting for the first full second to pass would lose on time.
  if (!mode_temps_fixe && temps_absolu <= 0) return 1;
  const int32_t t = secondes_ecoulees();
  if (t < temps_limite) return 0;
  if (mode_temps_fixe) return 1;
  if (t > temps_absolu) return 1;
  const bool stable = score_racine >= score_precedent - 25 && !echec_bas;
  if (stable) return t > 2 * temps_limite ? 1 : strict;
  // The score is dropping: spend more time finding a better move.
  if (premier_coup_racine && !echec_bas) return 1;
  if (t < 2 * temps_limite) return 0;
  if (score_racine < score_precedent - 66 || echec_bas) return t >= 5 * temps_limite ? 1 : 0;
  return strict;
}
