// Piece terms of the opening and middlegame, each seen from the piece's side.
#pragma once

#include <cstdint>

// Distance bonuses toward the enemy king, by king-step distance 0..7.
extern const int32_t bonus_cavalier_roi[8];
extern const int32_t bonus_fou_roi[8];
extern const int32_t bonus_tour_roi[8];

// A piece of `camp` on s standing right in front of an enemy passed pawn.
int bonus_blocage(int s, int camp);

int terme_cavalier(int s, int camp);
int terme_fou(int s, int camp);
int terme_tour(int s, int camp);
int terme_dame(int s, int camp);

// The piece loop: every knight, bishop, rook, queen and king term, White's
// minus Black's, recounting the pieces.
int evalue_pieces(int ply);
// Pawns on the colour of a lone bishop hem it in (`poids` per pawn: 2 in the
// middlegame, 4 in the endgame); a pair of bishops earns a bonus. Reads the
// counts of the last piece loop.
constexpr int FOU_MAUVAIS = 2;
constexpr int FOU_MAUVAIS_FINALE = 4;
int evalue_fous(int poids);
