// Endgame piece scoring: replaces the piece loop and the castling terms in
// the endgame phase.
#pragma once

// White's point of view. The window arguments are accepted and not used.
int evalue_finale(int camp, int alpha, int beta);
