// Making and unmaking moves on the search board, incrementally: each case
// touches only the bitboards, sums and keys its pieces live in. Legality is
// the caller's business (make, test the own king, unmake).
#include "board/joue.h"

#include "board/joue_camp.h"

void joue(int camp, int ply, Coup coup) {
  if (camp == BLANCS)
    joue_camp<BLANCS>(ply, coup);
  else
    joue_camp<NOIRS>(ply, coup);
}

void dejoue(int camp, int ply, Coup coup) {
  if (camp == BLANCS)
    dejoue_camp<BLANCS, true>(ply, coup);
  else
    dejoue_camp<NOIRS, true>(ply, coup);
}
