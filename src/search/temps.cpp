#include "search/temps.h"

#include <algorithm>
#include <chrono>
#include <limits>

#include "console/sortie.h"
#include "search/etat_recherche.h"
#include "search/limites_recherche.h"
#include "search/reglages_recherche.h"

int32_t temps_limite = 1;
int32_t temps_absolu = 1;
int32_t unite_temps = 1000;
int64_t limite_appliquee = 1;
int64_t absolu_applique = 1;
int64_t plafond_ms = std::numeric_limits<int64_t>::max();
int32_t profondeur_garantie = 1;

namespace {

using Horloge = std::chrono::steady_clock;
Horloge::time_point debut_chrono = Horloge::now();
// Set by "go" when it started the clock itself.
bool chrono_go = false;
// Milliseconds after the start at which the engine's own clock started
// ("ponderhit"), from which the ceiling counts.
int64_t debut_plafond = 0;

constexpr int64_t SANS_LIMITE = std::numeric_limits<int64_t>::max();
// "depth" and "infinite" use a fixed time no search reaches.
constexpr int32_t TEMPS_SANS_LIMITE = 1000000;
// Nodes between two looks at the clock: whole-second limits can afford the
// usual wide gap; millisecond limits need a look about every millisecond.
constexpr int32_t INTERVALLE_SECONDES = 50000;
constexpr int32_t INTERVALLE_MILLISECONDES = 1000;
// With this much time a search must get beyond its first iteration.
constexpr int64_t TEMPS_DEUX_ITERATIONS = 2000;
// Milliseconds of the clock that the millisecond-mode floor does not spend.
constexpr int64_t RESERVE_HORLOGE = 250;

// Time kept back from a budget for the reply to reach the interface: a tenth
// of it, between 5 and 50 ms.
int64_t marge_reponse(int64_t budget) { return std::clamp<int64_t>(budget / 10, 5, 50); }

// A millisecond value agrees with its whole-second counterpart when it
// truncates to it; otherwise only the seconds were set (tests, old callers).
int64_t en_ms(int64_t ms, int32_t secondes) { return ms >= 0 && ms / 1000 == secondes ? ms : int64_t{secondes} * 1000; }

struct Limites {
  int64_t normale, absolue;
};

// The clock rules, in whatever unit t (remaining), i (increment) and the
// result share; `un` is one second in that unit.
Limites limites_horloge(int64_t t, int64_t i, int64_t m, int64_t un) {
  Limites l{};
  if (sans_coups_restants) {
    if (i == 0) {
      l.normale = t / 35;
      l.absolue = std::min(5 * l.normale, t / 2);
    } else {
      l.normale = t / 30 + i;
      if (t < 60 * un) l.normale = i;
      if (t < std::max(3 * i, 15 * un)) l.normale = i / 2;
      l.absolue = t / 2;
    }
  } else {
    // The last move before the control keeps a fifth of the clock in hand.
    if (coups_controle == 1)
      l.normale = (t * 80 / 100 + i * m) / m;
    else
      l.normale = (i * m + t) / m;
    l.absolue = t / 2;
    if (5 * l.normale < l.absolue) l.absolue = 5 * l.normale;
    if (l.absolue < l.normale) l.absolue = l.normale;
  }
  return l;
}

}  // namespace

void demarre_chrono() {
  if (chrono_go) {
    chrono_go = false;
    return;
  }
  debut_chrono = Horloge::now();
  debut_plafond = 0;
}

void demarre_chrono_go() {
  debut_chrono = Horloge::now();
  debut_plafond = 0;
  chrono_go = true;
}

int64_t millisecondes_ecoulees() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(Horloge::now() - debut_chrono).count();
}

// Whole seconds since the start of the search; a monotonic clock keeps a
// limit independent of where the calendar second happens to turn.
int32_t secondes_ecoulees() { return static_cast<int32_t>(millisecondes_ecoulees() / 1000); }

void note_ponderhit() { debut_plafond = millisecondes_ecoulees(); }

void calcule_temps() {
  const int32_t t = temps_restant;
  const int32_t i = increment;
  // A "movestogo 0" would divide by zero; it means the control is at hand.
  const int32_t m = std::max(coups_restants, 1);
  const Limites s = limites_horloge(t, i, m, 1);
  temps_limite = static_cast<int32_t>(s.normale);
  temps_absolu = static_cast<int32_t>(s.absolue);
  if (temps_limite < 1) temps_limite = 1;
  if (mode_temps_fixe) temps_limite = temps_absolu = temps_fixe;

  if (mode_temps_fixe && temps_fixe >= TEMPS_SANS_LIMITE) {
    // "depth" and "infinite": only the depth, "stop" or a mate end it.
    unite_temps = 1000;
    limite_appliquee = absolu_applique = temps_fixe;
    plafond_ms = SANS_LIMITE;
    profondeur_garantie = 1;
  } else if (mode_temps_fixe) {
    // "movetime": the answer is due at the given millisecond, not later.
    const int64_t f = en_ms(temps_fixe_ms, temps_fixe);
    unite_temps = 1;
    plafond_ms = std::max<int64_t>(f - marge_reponse(f) - marge_interface_ms, 0);
    limite_appliquee = absolu_applique = std::max<int64_t>(plafond_ms, 0);
    profondeur_garantie = f >= TEMPS_DEUX_ITERATIONS ? 2 : 1;
  } else {
    const int64_t t_ms = en_ms(temps_restant_ms, t);
    const int64_t i_ms = en_ms(increment_ms, i);
    plafond_ms = std::max<int64_t>(t_ms - marge_reponse(t_ms) - marge_interface_ms, 0);
    profondeur_garantie = t_ms >= TEMPS_DEUX_ITERATIONS ? 2 : 1;
    // Whole seconds serve when the normal limit is at least a second, the
    // increment is whole seconds, and the clock can pay for the longest
    // stay the rules allow (the larger limit plus the second it takes to
    // notice it has passed).
    const bool secondes = s.normale >= 1 && i_ms % 1000 == 0 &&
                          (std::max(s.normale, s.absolue) + 1) * 1000 <= plafond_ms;
    if (secondes) {
      unite_temps = 1000;
      limite_appliquee = temps_limite;
      absolu_applique = temps_absolu;
    } else {
      // The interface's share of the clock is not ours to spend.
      const int64_t dispo = std::max<int64_t>(t_ms - marge_interface_ms, 0);
      const Limites l = limites_horloge(dispo, i_ms, m, 1000);
      unite_temps = 1;
      // The short-clock rules above live on the increment alone and would
      // leave most of a fast game's clock unused: spend at least a 35th of
      // what is left beyond a reserve plus most of the increment (never more
      // than half the clock, which the absolute limit allows anyway). The
      // reserve keeps the clock from settling a few increments from zero,
      // where one late scheduling of the process loses on time.
      const int64_t plancher = std::min(std::max<int64_t>(dispo - RESERVE_HORLOGE, 0) / 35 + 3 * i_ms / 4, dispo / 2);
      limite_appliquee = std::max<int64_t>({l.normale, plancher, 1});
      // Beyond the normal limit the stop rules spend only the clock above
      // the reserve: otherwise a long game at a small increment drains the
      // reserve too, down to a few milliseconds, and a late scheduling of
      // the process then loses on time.
      const int64_t au_dessus = std::max<int64_t>(dispo - RESERVE_HORLOGE, 0);
      absolu_applique = std::max(std::min(l.absolue, limite_appliquee + au_dessus), limite_appliquee);
    }
  }

  if (!sans_coups_restants) {
    ecrit("info string Temps restant : %d secondes \n", t);
    ecrit("info string Ecart prévisionnel : %d secondes\n", 0);
  }
  ecrit("info string Temps restant : %d secondes Temps limite : %d secondes Temps limite absolu : %d secondes\n",
        t, temps_limite, temps_absolu);
  if (unite_temps == 1)
    ecrit("info string Temps limite : %lld ms Temps limite absolu : %lld ms\n",
          static_cast<long long>(limite_appliquee), static_cast<long long>(absolu_applique));
}

int32_t intervalle_controle_temps() { return unite_temps == 1 ? INTERVALLE_MILLISECONDES : INTERVALLE_SECONDES; }

int temps_depasse(int strict) {
  if (ponder_en_cours) return 0;
  // The first root move has no alternative yet: stop it only when needed.
  if (premier_coup_racine) strict = 1;
  // The first iteration always completes, so there is always a move.
  if (profondeur_iteration <= 1) return 0;
  const int64_t ms = millisecondes_ecoulees();
  if (plafond_ms != SANS_LIMITE && ms - debut_plafond >= plafond_ms) return 1;
  // With a couple of seconds on the clock a move from the first iteration
  // alone would throw the game away.
  if (profondeur_iteration <= profondeur_garantie) return 0;
  const int64_t t = ms / unite_temps;
  const int64_t limite = limite_appliquee, absolu = absolu_applique;
  if (t < limite) return 0;
  if (mode_temps_fixe) return 1;
  if (t > absolu) return 1;
  const bool stable = score_racine >= score_precedent - 25 && !echec_bas;
  if (stable) return t > 2 * limite ? 1 : strict;
  // The score is dropping: spend more time finding a better move.
  if (premier_coup_racine && !echec_bas) return 1;
  if (t < 2 * limite) return 0;
  if (score_racine < score_precedent - 66 || echec_bas) return t >= 5 * limite ? 1 : 0;
  return strict;
}
