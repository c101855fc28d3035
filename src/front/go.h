// "go" and "bestmove": the clock settings of a search, the search itself, the
// move played on the game record and the clock bookkeeping after it.
#pragma once

#include <cstdint>

// Clock settings read by the time management of the search, in whole seconds.
extern int32_t mode_temps_fixe;      // 1 = fixed time or depth per move, 0 = play on the clock
extern int32_t temps_fixe;           // seconds per move in fixed mode (1000000 = unlimited)
extern int32_t profondeur_max;       // deepest iteration allowed
extern int32_t profondeur_plafond;   // no "go" asks for more (harnesses lower it)
extern int32_t temps_restant;        // clock of the side to move
extern int32_t increment;            // increment per move
extern int32_t coups_restants;       // moves to the next time control
extern int32_t sans_coups_restants;  // 1 = no "movestogo" on this "go"
extern int32_t coups_controle, temps_controle;  // moves and seconds of the current control
extern int32_t coups_periode, temps_periode;    // moves and seconds added by each later control
// The same clock values to the millisecond, for the limits that whole
// seconds cannot express; -1 when unknown (then the seconds count).
extern int64_t temps_restant_ms;
extern int64_t increment_ms;
extern int64_t temps_fixe_ms;

extern int32_t ponder_en_cours;    // 1 while a "go ponder" search has had no "ponderhit"
extern int32_t analyse_infinie;    // 1 after "go infinite", until the next "position"
extern int32_t go_infini;          // 1 while the current search is a "go infinite" one
extern int32_t valeur_precedente;  // score of the previous search, 30001 = none
constexpr int TAILLE_NOM_OUVERTURE = 1600;
extern char nom_ouverture[TAILLE_NOM_OUVERTURE];  // opening name of the current position

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
// Reads the parameters of a "go" line into the settings above and `p`.
void lit_parametres_go(const char* ligne, ParametresGo& p);
// Runs a search for the rest of a "go" line.
void lance_go(const char* ligne);
// Searches, plays the move on the game record and prints "bestmove".
void joue_coup_programme();
// Clock bookkeeping after the program's move, from the time it took.
void decompte_temps(int64_t millisecondes);
