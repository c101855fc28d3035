// Time management: per-search limits from the clock data of "go", and the
// decision to stop.
//
// Where whole seconds are precise enough (a normal limit of a second or more
// that the clock can pay for), the limits and the elapsed time are whole
// seconds. Short clocks, sub-second increments and "movetime" are handled by
// the same rules in milliseconds. Either way no search runs past the side's
// remaining time (or the "movetime") minus a small margin for the reply.
#pragma once

#include <cstdint>

extern int32_t temps_limite;  // normal limit, whole seconds (as announced)
extern int32_t temps_absolu;  // absolute limit, whole seconds (as announced)

// The limits actually applied, in `unite_temps` milliseconds (1000 when the
// whole-second rules apply, 1 otherwise), and the hard ceiling in
// milliseconds that no search crosses once its first iteration is done.
extern int32_t unite_temps;
extern int64_t limite_appliquee;
extern int64_t absolu_applique;
extern int64_t plafond_ms;
// Iterations that the normal and absolute limits cannot cut short (the
// ceiling still can, beyond the first).
extern int32_t profondeur_garantie;

// Starts the clock. "go" starts it as soon as it is read, so that its own
// work counts; the search starts it only when nothing did.
void demarre_chrono();
void demarre_chrono_go();
int32_t secondes_ecoulees();
// Milliseconds since demarre_chrono.
int64_t millisecondes_ecoulees();
// The engine's clock restarts at "ponderhit": the ceiling counts from then.
void note_ponderhit();
void calcule_temps();
// Nodes between two looks at the clock and the console.
int32_t intervalle_controle_temps();
// 1 when the search should stop. `strict` is 1 before a root move or a root
// re-search, 0 from the periodic poll.
int temps_depasse(int strict);
