// Bitboard primitives and the precomputed tables filled once at start-up.
//
// Rotated bitboards: besides the ordinary occupancy the search board keeps the
// occupancy in file order and in the order of each diagonal direction, so the
// occupancy of any line through a square is one shift and one byte mask away;
// that byte indexes a precomputed attack table.
#pragma once

#include <cstdint>

#include "board/position.h"
#include "board/types.h"

extern Bitboard masque_case[65];  // entry 64 is empty: "no square" masks to nothing
extern Bitboard masque_efface[64];
extern Bitboard masque_rangee[8];
extern Bitboard masque_colonne[8];
extern Bitboard pas_colonne_a, pas_colonne_h;
extern Bitboard chemin_roque[4];  // white short, white long, black short, black long
extern Bitboard rayon[8][64];     // indexed by indice_direction()
extern int8_t direction[64][64];
extern Bitboard entre[64][64];
extern Bitboard attaques_cavalier[64];
extern Bitboard attaques_roi[64];
extern Bitboard sources_pion_blanc[64];
extern Bitboard sources_pion_noir[64];
extern Bitboard attaques_rangee[64][256];
extern Bitboard attaques_colonne[64][256];
extern Bitboard attaques_a8h1[64][256];
extern Bitboard attaques_a1h8[64][256];
extern int32_t nb_attaques_a8h1[64][256];
extern int32_t nb_attaques_a1h8[64][256];
extern Bitboard pose_r90[64], efface_r90[64];
extern Bitboard pose_a8h1[64], efface_a8h1[64];
extern Bitboard pose_a1h8[64], efface_a1h8[64];
extern Bitboard attaques_fou_vide[64];
extern Bitboard attaques_tour_vide[64];
extern Bitboard attaques_dame_vide[64];
extern uint8_t premier_bit_8[256];

extern const int32_t ordre_90[64];
extern const int32_t ordre_a8h1[64];
extern const int32_t ordre_a1h8[64];
extern const int32_t decalage_a8h1[64];
extern const int32_t decalage_a1h8[64];

// Row of `rayon` for a step of +1, -1, +7, -7, +8, -8, +9, -9.
constexpr int indice_direction(int pas) {
  switch (pas) {
    case 1: return 0;
    case -1: return 1;
    case 7: return 2;
    case -7: return 3;
    case 8: return 4;
    case -8: return 5;
    case 9: return 6;
    case -9: return 7;
    default: return -1;
  }
}

void init_tables();

inline int compte_bits(Bitboard b) { return __builtin_popcountll(b); }
// Lowest-numbered square of the set (the most significant bit); 64 if empty.
inline int premier_bit(Bitboard b) { return b ? __builtin_clzll(b) : 64; }
// Highest-numbered square of the set (the least significant bit); 64 if empty.
inline int dernier_bit(Bitboard b) { return b ? 63 - __builtin_ctzll(b) : 64; }

inline Bitboard occupation() { return position.occupation_blancs | position.occupation_noirs; }

inline Bitboard attaques_rangee_de(int s) {
  return attaques_rangee[s][(occupation() >> (56 - 8 * rangee(s))) & 255];
}
inline Bitboard attaques_colonne_de(int s) {
  return attaques_colonne[s][(position.occupation_r90 >> (56 - 8 * colonne(s))) & 255];
}
inline Bitboard attaques_diag_a8h1_de(int s) {
  return attaques_a8h1[s][(position.occupation_a8h1 >> decalage_a8h1[s]) & 255];
}
inline Bitboard attaques_diag_a1h8_de(int s) {
  return attaques_a1h8[s][(position.occupation_a1h8 >> decalage_a1h8[s]) & 255];
}
inline Bitboard attaques_fou(int s) { return attaques_diag_a8h1_de(s) | attaques_diag_a1h8_de(s); }
inline Bitboard attaques_tour(int s) { return attaques_rangee_de(s) | attaques_colonne_de(s); }
inline Bitboard attaques_dame(int s) { return attaques_fou(s) | attaques_tour(s); }
