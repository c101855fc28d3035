// Moves out of check, without making them.
#pragma once

#include "board/types.h"

// Writes the legal moves of `camp`, whose king is in check, at `sortie`, in
// the order the pseudo-legal generators give them (captures first), and
// returns the end of the list. Only king moves and en passant are tried on
// the board; every other move is legal exactly when it takes the single
// checker or steps between it and the king, with a piece that is not pinned.
Coup* genere_evasions(int ply, int camp, Coup* sortie);
