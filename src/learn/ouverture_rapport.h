// The opening name printed in the reports.
#pragma once

#include "board/position.h"

// Looks up the opening classification of the position just searched, with
// the game's side to move, and keeps the name when one is found; returns the
// name found last (empty before the first).
const char* nom_ouverture_rapport(const Partie& p);
