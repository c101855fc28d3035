// Bit helpers of the board's bitboards. Square s is bit 63 - s: a1 is the
// most significant bit, so the leading zeros count up to the lowest square.
#pragma once

#include "board/types.h"

constexpr Bitboard bit_case(int s) { return Bitboard{1} << (63 - s); }

// The bit of each square; entry 64 is empty: "no square" masks to nothing.
// Both tables are filled before main runs (board/bits.cpp).
extern Bitboard masque_case[65];
// Every bit but the square's.
extern Bitboard masque_efface[64];

inline int compte_bits(Bitboard b) { return __builtin_popcountll(b); }
// Lowest-numbered square of the set (the most significant bit); 64 if empty.
inline int premier_bit(Bitboard b) { return b ? __builtin_clzll(b) : 64; }
// Highest-numbered square of the set (the least significant bit); 64 if empty.
// Walking a set from its highest square: for (; b; b &= b - 1) dernier_bit(b).
inline int dernier_bit(Bitboard b) { return b ? 63 - __builtin_ctzll(b) : 64; }
