// The evaluation term by term, for the eval mode and for tests. Every group
// is from White's point of view; `total` is the result for the side to move.
#pragma once

#include <cstdint>

struct DetailEvaluation {
  int32_t materiel;     // material with the piece-trade correction
  int32_t pions;        // pawn structure
  int32_t passes;       // passed pawns
  int32_t roque;        // castling and centre (phases 0 and 1)
  int32_t exposition;   // king exposure, counted twice
  int32_t attaque;      // attack on the kings
  int32_t pieces;       // piece loop (phases 0 and 1)
  int32_t fous;         // bad bishop and bishop pair (phases 0 and 1)
  int32_t trait;        // tempo (phases 0 and 1)
  int32_t finale;       // endgame piece scoring (phase 2)
  int32_t correction;   // drawish endings: score zeroed or halved (phase 2)
  int32_t total;        // evaluation for the side to move
  int32_t sans_pions_nul;  // 1 when the position was scored 0 for lack of mating material
};

// Full-window evaluation of the current position for `camp` at `ply`, with
// the contribution of every group. Returns the same as evalue_position with
// the window (-INFINI, INFINI).
int evalue_detaillee(int camp, int ply, DetailEvaluation& detail);
