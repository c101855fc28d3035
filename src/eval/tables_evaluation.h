// Masks and constant tables read only by the evaluation. The masks are built
// by initialise_tables_evaluation(), which every start-up calls after
// init_tables() (the king-reach masks are made of the attack tables).
#pragma once

#include <cstdint>

#include "board/bits.h"
#include "board/types.h"

// Bit of a file, in the engine's bit order (file a is bit 7 of a file mask,
// as a1 is the most significant bit of a bitboard: board/bits.h).
constexpr uint8_t bit_colonne(int col) { return static_cast<uint8_t>(0x80 >> col); }

constexpr int valeur_absolue(int x) { return x < 0 ? -x : x; }
// King-step (Chebyshev) distance between two squares.
constexpr int distance(int a, int b) {
  const int dc = valeur_absolue(colonne(a) - colonne(b));
  const int dr = valeur_absolue(rangee(a) - rangee(b));
  return dc > dr ? dc : dr;
}

// Light squares have (file + rank) odd; b1 is light.
constexpr Bitboard calcule_cases_claires() {
  Bitboard b = 0;
  for (int s = 0; s < 64; ++s)
    if ((colonne(s) + rangee(s)) & 1) b |= bit_case(s);
  return b;
}
constexpr Bitboard cases_claires = calcule_cases_claires();
constexpr Bitboard cases_sombres = ~cases_claires;

extern Bitboard masque_isole[64];        // files f-1 and f+1, all ranks
extern Bitboard masque_passe_blanc[64];  // files f-1..f+1, ranks above
extern Bitboard masque_passe_noir[64];   // files f-1..f+1, ranks below
extern Bitboard masque_soutien_blanc[64];  // files f-1, f+1, ranks r-1, r-2
extern Bitboard masque_soutien_noir[64];   // files f-1, f+1, ranks r+1, r+2
extern Bitboard masque_voisins[64];        // files f-1, f+1, ranks r-1..r+1
extern Bitboard masque_avant_poste_blanc[64];  // files f-1, f+1, ranks above
extern Bitboard masque_avant_poste_noir[64];   // files f-1, f+1, ranks below
extern Bitboard colonnes_par_masque[256];      // every file whose bit is set
// Squares from which a bishop (rook) on an empty board reaches a square next
// to s: only sliders there can attack a king's surroundings.
extern Bitboard portee_fou_roi[64];
extern Bitboard portee_tour_roi[64];

void initialise_tables_evaluation();
