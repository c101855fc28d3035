// Making and unmaking moves on the search board.
#pragma once

#include "board/types.h"

void joue(int camp, int ply, Coup coup);
void dejoue(int camp, int ply, Coup coup);
