// Staged move pickers: the searches ask for the next move of a ply until 0.
#pragma once

#include <cstdint>

#include "board/types.h"

// Picker state of one ply. The search sets `phase` at node entry: 0 for a
// normal node, 6 in check, 10 at the root; the quiescence search sets 2.
struct EtatSelection {
  int32_t phase;
  int32_t restants;
  Coup* suivant;
};
extern EtatSelection etat_selection[PLY_MAX];

// Scores parallel to the list being ordered, shared by all plies.
constexpr int TAILLE_SCORES = 512;
extern int32_t score_coups[TAILLE_SCORES];

// Move-ordering data kept by the search and read by the pickers. They are
// defined with the pickers so that the pickers stand on their own.
extern Coup coup_hash[PLY_MAX];       // transposition table or internal deepening move
extern Coup pv_precedente[PLY_MAX];   // previous iteration's principal variation
extern int premiere_branche;          // set while on the leftmost branch
extern Coup tueur1[PLY_MAX], tueur2[PLY_MAX];
extern int32_t historique[2][4096];   // by side and origin | destination << 6

Coup selection_coup(int camp, int ply, int index);
Coup selection_coup_echec(int camp, int ply, int index);
Coup selection_coup_quiescence(int camp, int ply, int seuil, int index);
// Whether a stored move (hash, previous PV, killer) can be played by `camp`
// in the current position.
int coup_valide(int ply, int camp, Coup coup);
