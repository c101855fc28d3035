// Bitboard primitives and the precomputed tables filled once at start-up.
//
// Sliding attacks are looked up by the occupancy of the squares that can
// block them (the inner squares of the lines through the piece's square):
// those bits are gathered into a dense index, by the processor's bit-extract
// instruction where it has one (BMI2), otherwise by a multiplication with a
// precomputed magic number that maps every blocker set of the square without
// a harmful collision. Both ways index the same table slice of the square.
#pragma once

#include <cstdint>
#ifdef __BMI2__
#include <immintrin.h>
#endif

#include "board/bits.h"
#include "board/position.h"
#include "board/types.h"

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
extern Bitboard attaques_fou_vide[64];
extern Bitboard attaques_tour_vide[64];
extern Bitboard attaques_dame_vide[64];
extern uint8_t premier_bit_8[256];

// Look-up of one square's sliding attacks: the blocker squares, the magic
// multiplier and shift (unused with BMI2), and the square's slice of attacks.
struct Glissement {
  Bitboard masque;
  Bitboard multiplicateur;
  const Bitboard* attaques;
  uint32_t decalage;
};
extern Glissement glissements_fou[64];
extern Glissement glissements_tour[64];

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

inline Bitboard occupation() { return position.occupation_blancs | position.occupation_noirs; }

inline uint32_t indice_glissement(const Glissement& g, Bitboard occupees) {
#ifdef __BMI2__
  return static_cast<uint32_t>(_pext_u64(occupees, g.masque));
#else
  return static_cast<uint32_t>(((occupees & g.masque) * g.multiplicateur) >> g.decalage);
#endif
}

// Attacks of a slider on s for a given occupancy.
inline Bitboard attaques_fou_par(int s, Bitboard occupees) {
  const Glissement& g = glissements_fou[s];
  return g.attaques[indice_glissement(g, occupees)];
}
inline Bitboard attaques_tour_par(int s, Bitboard occupees) {
  const Glissement& g = glissements_tour[s];
  return g.attaques[indice_glissement(g, occupees)];
}

// Attacks of a slider on s in the current position.
inline Bitboard attaques_fou(int s) { return attaques_fou_par(s, occupation()); }
inline Bitboard attaques_tour(int s) { return attaques_tour_par(s, occupation()); }
inline Bitboard attaques_dame(int s) { return attaques_fou(s) | attaques_tour(s); }
