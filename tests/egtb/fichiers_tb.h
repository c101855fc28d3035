// Files for the tablebase tests: temporary directories, copies of the test
// tables, damaged copies and hand-made compressed files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "egtb/compression.h"

inline const std::string DONNEES_TB = std::string(VELMAR_TEST_DATA) + "/egtb";

inline std::vector<uint8_t> lit_fichier(const std::string& chemin) {
  std::ifstream f(chemin, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

inline void ecrit_fichier(const std::string& chemin, const std::vector<uint8_t>& octets) {
  std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(octets.data()), std::streamsize(octets.size()));
}

// The directory of this test run, made once under the test temporary
// directory with a name no other run has, and removed when the run ends.
inline const std::string& repertoire_du_test() {
  struct Racine {
    std::string chemin;
    Racine() {
      std::string modele = ::testing::TempDir() + "/velmar_tb_XXXXXX";
      chemin = mkdtemp(modele.data()) ? modele : ::testing::TempDir();
    }
    ~Racine() {
      std::error_code e;
      if (chemin != ::testing::TempDir()) std::filesystem::remove_all(chemin, e);
    }
  };
  static const Racine racine;
  return racine.chemin;
}

// A fresh empty directory of this test run.
inline std::string repertoire_vide(const std::string& nom) {
  std::string d = repertoire_du_test() + "/" + nom;
  std::filesystem::remove_all(d);
  std::filesystem::create_directories(d);
  return d;
}

inline uint32_t lit32_be(const std::vector<uint8_t>& o, size_t i) {
  return uint32_t(o[i]) << 24 | uint32_t(o[i + 1]) << 16 | uint32_t(o[i + 2]) << 8 | o[i + 3];
}
inline void ecrit32_be(std::vector<uint8_t>& o, size_t i, uint32_t v) {
  o[i] = uint8_t(v >> 24), o[i + 1] = uint8_t(v >> 16), o[i + 2] = uint8_t(v >> 8), o[i + 3] = uint8_t(v);
}

// Recomputes the header checksum after a deliberate change.
inline void resigne(std::vector<uint8_t>& o) {
  uint32_t h = lit32_be(o, 64);
  ecrit32_be(o, h - 4, somme_controle(o.data(), h - 4));
}

// A compressed file whose blocks are all stored (compressed length = decoded
// length) and whose block code is empty: `donnees` cut into blocks of
// 2^log_bloc bytes. With `longueur_annoncee` > 0 only the header is written,
// announcing a table of that length (its blocks are never read).
inline std::vector<uint8_t> fabrique_emd(const std::vector<uint8_t>& donnees, int log_bloc = 13,
                                         uint64_t longueur_annoncee = 0) {
  const uint32_t taille_bloc = 1u << log_bloc;
  const uint64_t longueur = longueur_annoncee ? longueur_annoncee : donnees.size();
  uint32_t n = uint32_t((longueur + taille_bloc - 1) / taille_bloc);
  uint32_t dernier = uint32_t(longueur - uint64_t(n - 1) * taille_bloc) % taille_bloc;
  std::vector<uint32_t> valeurs;
  for (uint32_t k = 0; k < n; ++k) valeurs.push_back(k + 1 < n ? 0 : dernier);
  valeurs.push_back(dernier);
  for (uint32_t d = 1; d <= 24; ++d) valeurs.push_back(d);
  std::vector<uint8_t> bits;
  for (uint32_t v : valeurs)
    for (int b = log_bloc - 1; b >= 0; --b) bits.push_back(uint8_t((v >> b) & 1));
  while (bits.size() % 8) bits.push_back(0);
  bits.push_back(1);  // the code description: every length 0
  while (bits.size() % 8) bits.push_back(0);
  std::vector<uint8_t> o(80 + 8 * n, 0);
  for (int i = 0; i < 64; ++i) o[i] = banniere_compression[i];
  for (size_t i = 0; i < bits.size(); i += 8) {
    uint8_t x = 0;
    for (int b = 0; b < 8; ++b) x = uint8_t(x << 1 | bits[i + b]);
    o.push_back(x);
  }
  o.resize(o.size() + 4);
  ecrit32_be(o, 64, uint32_t(o.size()));
  o[70] = uint8_t(log_bloc);
  o[71] = 24;
  ecrit32_be(o, 72, n);
  o[76] = 0x00, o[77] = 0x40, o[78] = 0x01, o[79] = 0xF5;
  resigne(o);
  if (!longueur_annoncee) o.insert(o.end(), donnees.begin(), donnees.end());
  return o;
}
