// Static exchange evaluation: the material outcome of a capture sequence on
// one square, worked out on attacker sets without making any move.
#pragma once

#include "board/types.h"

// Exchange value by signed piece code, index code + 6 (-6 .. 6). The king's
// 30001 makes any sequence that ends with it being taken hopeless.
constexpr int32_t valeur_echange_signee[13] = {30001, 900, 500, 300, 300, 100, 0,
                                               100,   300, 300, 500, 900, 30001};
// Exchange value by piece type (0 empty .. 6 king).
constexpr const int32_t* valeur_echange = valeur_echange_signee + 6;

// Expected gain for `camp` moving the piece on `de` to `vers`, both sides
// recapturing with their least valuable attacker and free to stop.
int echange_statique(int de, int vers, int camp);
// `attaquants` plus the slider of either colour standing first behind `s` on
// the line from the target through `s`; `dir` = direction[target][s].
Bitboard ajoute_rayons_x(int s, int dir, Bitboard attaquants);
