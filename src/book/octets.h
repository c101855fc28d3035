// Little-endian fields of the book and ECO files, independent of the host.
#pragma once

#include <cstdint>
#include <cstring>

#include "book/livre.h"

inline uint32_t lit_u32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

inline void ecrit_u32(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
  p[3] = static_cast<uint8_t>(v >> 24);
}

inline float flottant_de(uint32_t v) {
  float f;
  std::memcpy(&f, &v, sizeof f);
  return f;
}

inline uint32_t bits_de(float f) {
  uint32_t v;
  std::memcpy(&v, &f, sizeof v);
  return v;
}

// One "Encyclopedie.bib" record from and to its 40 bytes.
inline void decode_fiche(const uint8_t* p, FicheLivre& f) {
  f.premier_ply = static_cast<int32_t>(lit_u32(p));
  f.derniere_annee = static_cast<int32_t>(lit_u32(p + 4));
  f.parties = lit_u32(p + 8);
  f.gains = static_cast<int32_t>(lit_u32(p + 12));
  f.pertes = static_cast<int32_t>(lit_u32(p + 16));
  f.sans_resultat = static_cast<int32_t>(lit_u32(p + 20));
  f.elo_joueurs = flottant_de(lit_u32(p + 24));
  f.elo_adversaires = flottant_de(lit_u32(p + 28));
  f.nb_elo_joueurs = lit_u32(p + 32);
  f.nb_elo_adversaires = lit_u32(p + 36);
}

inline void encode_fiche(const FicheLivre& f, uint8_t* p) {
  ecrit_u32(p, static_cast<uint32_t>(f.premier_ply));
  ecrit_u32(p + 4, static_cast<uint32_t>(f.derniere_annee));
  ecrit_u32(p + 8, f.parties);
  ecrit_u32(p + 12, static_cast<uint32_t>(f.gains));
  ecrit_u32(p + 16, static_cast<uint32_t>(f.pertes));
  ecrit_u32(p + 20, static_cast<uint32_t>(f.sans_resultat));
  ecrit_u32(p + 24, bits_de(f.elo_joueurs));
  ecrit_u32(p + 28, bits_de(f.elo_adversaires));
  ecrit_u32(p + 32, f.nb_elo_joueurs);
  ecrit_u32(p + 36, f.nb_elo_adversaires);
}
