#include "board/bits.h"

Bitboard masque_case[65];
Bitboard masque_efface[64];

namespace {

// Filled before main runs, from the one definition of a square's bit. (Plain
// tables rather than constexpr ones: make/unmake compiles to fewer
// instructions reading them.)
const bool masques_remplis = [] {
  for (int s = 0; s < 64; ++s) {
    masque_case[s] = bit_case(s);
    masque_efface[s] = ~bit_case(s);
  }
  masque_case[64] = 0;  // "no square" masks to nothing
  return true;
}();

}  // namespace
