// "go" and "bestmove": the limits of a search from the command's parameters,
// the search itself, the move played on the game record and the clock
// bookkeeping after it.
#pragma once

#include <cstdint>

// 1 while joue_coup_programme is searching; commands that would change the
// board or the tables are then kept for later.
extern int32_t recherche_en_cours;

// Clock values of one "go" line, in seconds and in milliseconds, by side.
struct ParametresGo {
  int32_t temps[2];
  int32_t increments[2];
  int64_t temps_ms[2];
  int64_t increments_ms[2];
};
// Reads the parameters of a "go" line into the search's limits and `p`.
void lit_parametres_go(const char* ligne, ParametresGo& p);
// Runs a search for the rest of a "go" line.
void lance_go(const char* ligne);
// Searches, plays the move on the game record and prints "bestmove".
void joue_coup_programme();
// Clock bookkeeping after the program's move, from the time it took.
void decompte_temps(int64_t millisecondes);
