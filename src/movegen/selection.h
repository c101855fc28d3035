// Staged move pickers: the searches ask for the next move of a ply until 0.
#pragma once

#include <cstdint>

#include "board/types.h"

// Where a picker starts: the search sets the `phase` of a ply to one of these
// at node entry, and the picker moves on from there.
constexpr int32_t SELECTION_NORMALE = 0;     // selection_coup: hash move, PV move, captures, killers...
constexpr int32_t SELECTION_RACINE = 10;     // selection_coup at the root: the ordered root list
constexpr int32_t SELECTION_ECHEC = 6;       // selection_coup_echec: every evasion, scored
constexpr int32_t SELECTION_QUIESCENCE = 2;  // selection_coup_quiescence: the captures worth trying

// Picker state of one ply.
struct EtatSelection {
  int32_t phase;
  int32_t restants;
  Coup* suivant;
};
extern thread_local constinit EtatSelection etat_selection[PLY_MAX];

// Scores parallel to the list being ordered, shared by all plies.
constexpr int TAILLE_SCORES = 512;
extern thread_local constinit int32_t score_coups[TAILLE_SCORES];

// Move-ordering data kept by the search and read by the pickers. They are
// defined with the pickers so that the pickers stand on their own.
extern thread_local constinit Coup coup_hash[PLY_MAX];       // transposition table or internal deepening move
extern thread_local constinit Coup pv_precedente[PLY_MAX];   // previous iteration's principal variation
extern thread_local constinit int premiere_branche;          // set while on the leftmost branch
extern thread_local constinit Coup tueur1[PLY_MAX], tueur2[PLY_MAX];
extern thread_local constinit int32_t historique[2][4096];   // by side and origin | destination << 6

Coup selection_coup(int camp, int ply, int index);
Coup selection_coup_echec(int camp, int ply, int index);
Coup selection_coup_quiescence(int camp, int ply, int seuil, int index);
// Whether a stored move (hash, previous PV, killer) can be played by `camp`
// in the current position.
int coup_valide(int ply, int camp, Coup coup);
