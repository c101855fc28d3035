// Attack and check detection on the search board.
#pragma once

#include "board/position.h"
#include "board/types.h"

int est_attaquee(int s, int camp);
Bitboard attaquants(int s);

// Whether the king of `camp` is attacked by the other side.
inline int en_echec(int camp) {
  return est_attaquee(camp == BLANCS ? position.roi_blanc : position.roi_noir, camp ^ 1);
}
