// Time management: per-search limits from the clock data of "go", and the
// decision to stop. Limits and elapsed times are whole seconds; the elapsed
// time is measured on a monotonic clock from the start of the search.
#pragma once

#include <cstdint>

extern int32_t temps_limite;  // normal limit
extern int32_t temps_absolu;  // never exceeded

void demarre_chrono();
int32_t secondes_ecoulees();
// Milliseconds since demarre_chrono.
int64_t millisecondes_ecoulees();
void calcule_temps();
// 1 when the search should stop. `strict` is 1 before a root move or a root
// re-search, 0 from the periodic poll.
int temps_depasse(int strict);
