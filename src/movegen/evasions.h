// Moves out of check, without making them.
#pragma once

#include "board/types.h"

// Writes the legal moves of `camp`, whose king is in check, at `sortie`, in
// the order the pseudo-legal generators give them (captures first), and
// returns the end of the list. No move is made except en passant captures.
Coup* genere_evasions(int ply, int camp, Coup* sortie);
