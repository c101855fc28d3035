// Precomputed bitboard tables, filled once at start-up.
#include <cstdlib>

#include "eval/tables_evaluation.h"
#include "movegen/bitboard.h"

Bitboard masque_case[65];
Bitboard masque_efface[64];
Bitboard masque_rangee[8];
Bitboard masque_colonne[8];
Bitboard pas_colonne_a, pas_colonne_h;
Bitboard chemin_roque[4];
Bitboard rayon[8][64];
int8_t direction[64][64];
Bitboard entre[64][64];
Bitboard attaques_cavalier[64];
Bitboard attaques_roi[64];
Bitboard sources_pion_blanc[64];
Bitboard sources_pion_noir[64];
Bitboard attaques_rangee[64][256];
Bitboard attaques_colonne[64][256];
Bitboard attaques_a8h1[64][256];
Bitboard attaques_a1h8[64][256];
int32_t nb_attaques_a8h1[64][256];
int32_t nb_attaques_a1h8[64][256];
Bitboard pose_r90[64], efface_r90[64];
Bitboard pose_a8h1[64], efface_a8h1[64];
Bitboard pose_a1h8[64], efface_a1h8[64];
Bitboard attaques_fou_vide[64];
Bitboard attaques_tour_vide[64];
Bitboard attaques_dame_vide[64];
uint8_t premier_bit_8[256];

// Rotated index of each square: files contiguous, file a first, rank 1 low.
const int32_t ordre_90[64] = {
     7, 15, 23, 31, 39, 47, 55, 63,
     6, 14, 22, 30, 38, 46, 54, 62,
     5, 13, 21, 29, 37, 45, 53, 61,
     4, 12, 20, 28, 36, 44, 52, 60,
     3, 11, 19, 27, 35, 43, 51, 59,
     2, 10, 18, 26, 34, 42, 50, 58,
     1,  9, 17, 25, 33, 41, 49, 57,
     0,  8, 16, 24, 32, 40, 48, 56,
};

// a8-h1 diagonals (file + rank constant) from a1 to h8, each by increasing file.
const int32_t ordre_a8h1[64] = {
     0,  2,  5,  9, 14, 20, 27, 35,
     1,  4,  8, 13, 19, 26, 34, 42,
     3,  7, 12, 18, 25, 33, 41, 48,
     6, 11, 17, 24, 32, 40, 47, 53,
    10, 16, 23, 31, 39, 46, 52, 57,
    15, 22, 30, 38, 45, 51, 56, 60,
    21, 29, 37, 44, 50, 55, 59, 62,
    28, 36, 43, 49, 54, 58, 61, 63,
};

// a1-h8 diagonals (file - rank constant) from h1 to a8, each by increasing file.
const int32_t ordre_a1h8[64] = {
    28, 21, 15, 10,  6,  3,  1,  0,
    36, 29, 22, 16, 11,  7,  4,  2,
    43, 37, 30, 23, 17, 12,  8,  5,
    49, 44, 38, 31, 24, 18, 13,  9,
    54, 50, 45, 39, 32, 25, 19, 14,
    58, 55, 51, 46, 40, 33, 26, 20,
    61, 59, 56, 52, 47, 41, 34, 27,
    63, 62, 60, 57, 53, 48, 42, 35,
};

// Shifts that bring the diagonal through a square to the low bits of the
// rotated board: 64 - start - length of that diagonal.
const int32_t decalage_a8h1[64] = {
    63, 61, 58, 54, 49, 43, 36, 28,
    61, 58, 54, 49, 43, 36, 28, 21,
    58, 54, 49, 43, 36, 28, 21, 15,
    54, 49, 43, 36, 28, 21, 15, 10,
    49, 43, 36, 28, 21, 15, 10,  6,
    43, 36, 28, 21, 15, 10,  6,  3,
    36, 28, 21, 15, 10,  6,  3,  1,
    28, 21, 15, 10,  6,  3,  1,  0,
};

const int32_t decalage_a1h8[64] = {
    28, 36, 43, 49, 54, 58, 61, 63,
    21, 28, 36, 43, 49, 54, 58, 61,
    15, 21, 28, 36, 43, 49, 54, 58,
    10, 15, 21, 28, 36, 43, 49, 54,
     6, 10, 15, 21, 28, 36, 43, 49,
     3,  6, 10, 15, 21, 28, 36, 43,
     1,  3,  6, 10, 15, 21, 28, 36,
     0,  1,  3,  6, 10, 15, 21, 28,
};

namespace {

constexpr int pas_direction[8] = {1, -1, 7, -7, 8, -8, 9, -9};

constexpr Bitboard bit(int s) { return Bitboard{1} << (63 - s); }

// Square reached from s by one step of `pas`, or -1 off the board (a step
// may change the rank and the file by one at most).
int pas_valide(int s, int pas) {
  int t = s + pas;
  if (t < 0 || t > 63) return -1;
  if (std::abs(colonne(t) - colonne(s)) > 1 || std::abs(rangee(t) - rangee(s)) > 1) return -1;
  return t;
}

// Fills table[s][i] for every square of one line. `ligne` lists the line's
// squares in the index's bit order: ligne[0] is bit len - 1, ligne[len - 1]
// bit 0. Index bits above len - 1 belong to other lines and are ignored.
void remplit_ligne(Bitboard (*table)[256], int32_t (*compte)[256], const int* ligne, int len) {
  for (int k = 0; k < len; ++k) {
    int s = ligne[k];
    for (int i = 0; i < 256; ++i) {
      int utile = i & ((1 << len) - 1);
      Bitboard a = 0;
      for (int j = k - 1; j >= 0; --j) {
        a |= bit(ligne[j]);
        if (utile & (1 << (len - 1 - j))) break;
      }
      for (int j = k + 1; j < len; ++j) {
        a |= bit(ligne[j]);
        if (utile & (1 << (len - 1 - j))) break;
      }
      table[s][i] = a;
      if (compte) compte[s][i] = compte_bits(a);
    }
  }
}

void remplit_glissements() {
  int ligne[8];
  for (int r = 0; r < 8; ++r) {  // file a is bit 7
    for (int f = 0; f < 8; ++f) ligne[f] = case_de(f, r);
    remplit_ligne(attaques_rangee, nullptr, ligne, 8);
  }
  for (int f = 0; f < 8; ++f) {  // rank 8 is bit 7, rank 1 bit 0
    for (int r = 0; r < 8; ++r) ligne[r] = case_de(f, 7 - r);
    remplit_ligne(attaques_colonne, nullptr, ligne, 8);
  }
  for (int d = 0; d < 15; ++d) {  // file + rank = d, lowest file first
    int len = 0;
    for (int f = 0; f < 8; ++f)
      if (d - f >= 0 && d - f < 8) ligne[len++] = case_de(f, d - f);
    remplit_ligne(attaques_a8h1, nb_attaques_a8h1, ligne, len);
  }
  for (int e = -7; e <= 7; ++e) {  // file - rank = e, lowest file first
    int len = 0;
    for (int f = 0; f < 8; ++f)
      if (f - e >= 0 && f - e < 8) ligne[len++] = case_de(f, f - e);
    remplit_ligne(attaques_a1h8, nb_attaques_a1h8, ligne, len);
  }
}

void remplit_rayons() {
  for (int a = 0; a < 64; ++a)
    for (int b = 0; b < 64; ++b) {
      entre[a][b] = ~Bitboard{0};
      direction[a][b] = 0;
    }
  for (int s = 0; s < 64; ++s)
    for (int k = 0; k < 8; ++k) {
      int pas = pas_direction[k];
      Bitboard chemin = 0;
      rayon[k][s] = 0;
      for (int t = pas_valide(s, pas); t >= 0; t = pas_valide(t, pas)) {
        rayon[k][s] |= bit(t);
        direction[s][t] = static_cast<int8_t>(pas);
        entre[s][t] = chemin;
        chemin |= bit(t);
      }
    }
}

Bitboard cibles_par_sauts(int s, const int (*sauts)[2], int n) {
  Bitboard b = 0;
  for (int k = 0; k < n; ++k) {
    int f = colonne(s) + sauts[k][0], r = rangee(s) + sauts[k][1];
    if (f >= 0 && f < 8 && r >= 0 && r < 8) b |= bit(case_de(f, r));
  }
  return b;
}

}  // namespace

void init_tables() {
  for (int s = 0; s < 64; ++s) {
    masque_case[s] = bit(s);
    masque_efface[s] = ~bit(s);
    pose_r90[s] = bit(ordre_90[s]);
    efface_r90[s] = ~pose_r90[s];
    pose_a8h1[s] = bit(ordre_a8h1[s]);
    efface_a8h1[s] = ~pose_a8h1[s];
    pose_a1h8[s] = bit(ordre_a1h8[s]);
    efface_a1h8[s] = ~pose_a1h8[s];
  }
  masque_case[64] = 0;
  for (int i = 0; i < 8; ++i) {
    masque_rangee[i] = 0;
    masque_colonne[i] = 0;
  }
  for (int s = 0; s < 64; ++s) {
    masque_rangee[rangee(s)] |= bit(s);
    masque_colonne[colonne(s)] |= bit(s);
  }
  pas_colonne_a = ~masque_colonne[0];
  pas_colonne_h = ~masque_colonne[7];
  chemin_roque[0] = bit(F1) | bit(G1);
  chemin_roque[1] = bit(B1) | bit(C1) | bit(D1);
  chemin_roque[2] = bit(F8) | bit(G8);
  chemin_roque[3] = bit(B8) | bit(C8) | bit(D8);

  premier_bit_8[0] = 8;
  for (int v = 1; v < 256; ++v) premier_bit_8[v] = static_cast<uint8_t>(7 - (31 - __builtin_clz(v)));

  constexpr int sauts_cavalier[8][2] = {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
  constexpr int sauts_roi[8][2] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
  for (int s = 0; s < 64; ++s) {
    attaques_cavalier[s] = cibles_par_sauts(s, sauts_cavalier, 8);
    attaques_roi[s] = cibles_par_sauts(s, sauts_roi, 8);
    sources_pion_blanc[s] = 0;
    sources_pion_noir[s] = 0;
    if (rangee(s) > 0 && colonne(s) > 0) sources_pion_blanc[s] |= bit(s - 9);
    if (rangee(s) > 0 && colonne(s) < 7) sources_pion_blanc[s] |= bit(s - 7);
    if (rangee(s) < 7 && colonne(s) > 0) sources_pion_noir[s] |= bit(s + 7);
    if (rangee(s) < 7 && colonne(s) < 7) sources_pion_noir[s] |= bit(s + 9);
  }

  remplit_rayons();
  remplit_glissements();
  for (int s = 0; s < 64; ++s) {
    attaques_fou_vide[s] = attaques_a8h1[s][0] | attaques_a1h8[s][0];
    attaques_tour_vide[s] = attaques_rangee[s][0] | attaques_colonne[s][0];
    attaques_dame_vide[s] = attaques_fou_vide[s] | attaques_tour_vide[s];
  }

  initialise_tables_evaluation();
}
