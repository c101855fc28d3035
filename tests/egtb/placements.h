// Placements of a piece set for the index tests: the 24-slot square lists
// and an independent legality test (the side not to move is not in check).
#pragma once

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

#include "egtb/indices.h"

struct Placement {
  int nb = 0;
  int carre[5];
  int type[5];     // 1 pawn .. 5 queen, 6 king
  int couleur[5];  // 0 the table's White, 1 its Black
};

// Pieces of set n in order: White king, White pieces, Black king, Black pieces.
inline Placement pieces_de(int n) {
  Placement p;
  const char* nom = definitions_tables[n].nom;
  int couleur = -1;
  for (const char* c = nom; *c; ++c) {
    if (*c == 'k') ++couleur;
    int t = *c == 'p' ? 1 : *c == 'n' ? 2 : *c == 'b' ? 3 : *c == 'r' ? 4 : *c == 'q' ? 5 : 6;
    p.type[p.nb] = t;
    p.couleur[p.nb] = couleur;
    p.carre[p.nb++] = 0;
  }
  return p;
}

inline bool avec_pions(int n) { return std::string(definitions_tables[n].nom).find('p') != std::string::npos; }

// Whether the piece at index i attacks square cible, pieces of p blocking.
inline bool attaque(const Placement& p, int i, int cible) {
  int s = p.carre[i], t = p.type[i];
  int dc = (cible & 7) - (s & 7), dr = (cible >> 3) - (s >> 3);
  int adc = std::abs(dc), adr = std::abs(dr);
  if (t == 1) return adc == 1 && dr == (p.couleur[i] == 0 ? 1 : -1);
  if (t == 2) return (adc == 1 && adr == 2) || (adc == 2 && adr == 1);
  if (t == 6) return adc <= 1 && adr <= 1 && (adc | adr);
  bool diag = adc == adr && adc != 0, ligne = (dc == 0) != (dr == 0);
  if (!((t == 3 && diag) || (t == 4 && ligne) || (t == 5 && (diag || ligne)))) return false;
  int pas = (dc > 0) - (dc < 0) + 8 * ((dr > 0) - (dr < 0));
  for (int x = s + pas; x != cible; x += pas)
    for (int j = 0; j < p.nb; ++j)
      if (p.carre[j] == x) return false;
  return true;
}

// Distinct squares, pawns on ranks 2-7, kings apart, and the king of the side
// not to move not attacked.
inline bool legale(const Placement& p, int trait) {
  for (int i = 0; i < p.nb; ++i) {
    if (p.type[i] == 1 && (p.carre[i] < 8 || p.carre[i] >= 56)) return false;
    for (int j = 0; j < i; ++j)
      if (p.carre[i] == p.carre[j]) return false;
  }
  int roi = -1;
  for (int i = 0; i < p.nb; ++i)
    if (p.type[i] == 6 && p.couleur[i] != trait) roi = p.carre[i];
  for (int i = 0; i < p.nb; ++i)
    if (p.couleur[i] == trait && attaque(p, i, roi)) return false;
  return true;
}

// The two 24-slot lists of a placement (types in increasing square order).
inline void listes(const Placement& p, int32_t blancs[24], int32_t noirs[24]) {
  for (int i = 0; i < 24; ++i) blancs[i] = noirs[i] = 0;
  int suivant[2][7] = {{0, 4, 8, 12, 16, 20, 0}, {0, 4, 8, 12, 16, 20, 0}};
  int ordre[5];
  for (int i = 0; i < p.nb; ++i) ordre[i] = i;
  for (int i = 1; i < p.nb; ++i)
    for (int j = i; j > 0 && p.carre[ordre[j]] < p.carre[ordre[j - 1]]; --j) std::swap(ordre[j], ordre[j - 1]);
  for (int k = 0; k < p.nb; ++k) {
    int i = ordre[k];
    int32_t* l = p.couleur[i] == 0 ? blancs : noirs;
    l[suivant[p.couleur[i]][p.type[i]]++] = p.carre[i];
  }
}

inline uint32_t indice_de(int n, int trait, const Placement& p, int ep = EP_AUCUN, int inversion = 0) {
  int32_t b[24], w[24];
  listes(p, w, b);
  return fonction_indice(n, trait)(w, b, ep, inversion);
}

// A random legal placement of set n with `trait` to move.
inline Placement placement_aleatoire(int n, int trait, std::mt19937& rng) {
  Placement p = pieces_de(n);
  do {
    for (int i = 0; i < p.nb; ++i) p.carre[i] = int(rng() % 64);
  } while (!legale(p, trait));
  return p;
}
