// Pseudo-legal move generation into the shared move stack.
#pragma once

#include "board/types.h"

constexpr int TAILLE_PILE_COUPS = 8192;
// Room for the pseudo-legal moves of any position with the material of a
// real game (at most 218 of them are legal).
constexpr int TAILLE_LISTE_MAX = 256;
extern Coup pile_coups[TAILLE_PILE_COUPS];
// The list of ply p runs from debut_liste[p] up to (excluding) debut_liste[p + 1].
extern Coup* debut_liste[PLY_MAX + 1];

Coup* genere_captures(int ply, int camp, Coup* sortie);
Coup* genere_non_captures(int ply, int camp, Coup* sortie);
void genere_coups(int camp, int ply);
