// Pseudo-legal move generation into the shared move stack.
#pragma once

#include "board/types.h"

constexpr int TAILLE_PILE_COUPS = 8192;
extern Coup pile_coups[TAILLE_PILE_COUPS];
// The list of ply p runs from debut_liste[p] up to (excluding) debut_liste[p + 1].
extern Coup* debut_liste[PLY_MAX + 1];

Coup* genere_captures(int ply, int camp, Coup* sortie);
Coup* genere_non_captures(int ply, int camp, Coup* sortie);
void genere_coups(int camp, int ply);
