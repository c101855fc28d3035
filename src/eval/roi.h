// King safety and castling terms of the opening and middlegame (White's view
// unless said otherwise).
#pragma once

#include <cstdint>

// King exposure of each side, left by exposition_rois (0 when the evaluation
// skipped it); the queen term reads them.
extern thread_local constinit int32_t exposition_blancs, exposition_noirs;

// Castling state and blocked centre pawns.
int evalue_roque(int ply);
// How open each king's position is, weighted by the enemy's material.
int exposition_rois();
// Attackers around each king against its pawn and bishop shield; quadratic.
int attaque_rois();
// The king's own term, seen from `camp`: an uncastled king that shuts in its
// king's rook.
int terme_roi(int s, int camp, int ply);
