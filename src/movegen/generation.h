// Pseudo-legal move generation into the move stack of the searching thread.
#pragma once

#include "board/types.h"

constexpr int TAILLE_PILE_COUPS = 8192;
// Room for the pseudo-legal moves of any position with the material of a
// real game (at most 218 of them are legal).
constexpr int TAILLE_LISTE_MAX = 256;
extern thread_local constinit Coup pile_coups[TAILLE_PILE_COUPS];
// The list of ply p runs from debut_liste[p] up to (excluding) debut_liste[p + 1].
extern thread_local constinit Coup* debut_liste[PLY_MAX + 1];

Coup* genere_captures(int ply, int camp, Coup* sortie);
Coup* genere_non_captures(int ply, int camp, Coup* sortie);
void genere_coups(int camp, int ply);
// genere_coups keeping only the legal moves, in the same order: pinned
// pieces keep to their line, the king avoids attacked squares, and in check
// only the moves that answer it are kept. No move is made except en passant
// captures, which are tried on the board. The in-check picker and perft use it.
template <int C> void genere_coups_legaux_camp(int ply);
void genere_coups_legaux(int camp, int ply);
// Whether `camp`, holding the Chess960 castling right of wing `cote` (0 king
// side, 1 queen side), may castle now: the path is clear and the king's
// squares are safe.
int roque960_possible(int camp, int cote);
