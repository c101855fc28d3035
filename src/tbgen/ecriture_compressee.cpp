// The compressed table writer. Each block becomes literals and copies from
// earlier in the block at one of 24 fixed distances (runs, and the periods
// of the index layout); all blocks share one prefix code built from the
// symbol counts of the whole table. A block that would not shrink is stored.
#include "tbgen/ecriture_compressee.h"

#include <algorithm>
#include <cstdio>
#include <queue>

#include "egtb/compression.h"
#include "systeme/fichiers.h"

namespace {

constexpr uint32_t DISTANCES[NB_DISTANCES] = {1,  2,  3,  4,  5,  6,  7,  8,  10, 12, 14, 16,
                                              24, 32, 46, 47, 48, 56, 60, 61, 62, 64, 96, 128};
constexpr int COPIE_MIN = 3;

struct Jeton {
  uint16_t symbole;
  uint8_t nb_extra;
  uint32_t extra;
};

// Bits most significant first.
struct EcrivainBits {
  std::vector<uint8_t>& octets;
  uint32_t acc = 0;
  int nb = 0;
  explicit EcrivainBits(std::vector<uint8_t>& o) : octets(o) {}
  void ecrit(uint32_t v, int n) {
    for (int i = n - 1; i >= 0; --i) {
      acc = (acc << 1) | ((v >> i) & 1);
      if (++nb == 8) {
        octets.push_back(uint8_t(acc));
        acc = 0;
        nb = 0;
      }
    }
  }
  void termine() {
    if (nb) octets.push_back(uint8_t(acc << (8 - nb)));
    acc = 0;
    nb = 0;
  }
};

void jetons_bloc(const uint8_t* b, int longueur, std::vector<Jeton>& jetons) {
  for (int i = 0; i < longueur;) {
    int meilleure = 0, emplacement = 0;
    for (int k = 0; k < NB_DISTANCES; ++k) {
      const int d = int(DISTANCES[k]);
      if (d > i) break;
      int l = 0;
      while (i + l < longueur && b[i + l] == b[i + l - d]) ++l;
      if (l > meilleure) meilleure = l, emplacement = k;
    }
    if (meilleure < COPIE_MIN) {
      jetons.push_back({b[i], 0, 0});
      ++i;
      continue;
    }
    // Length code u: u + 1 up to 15, then 2^(u - 14) + (u - 14 extra bits) + 14.
    Jeton j{uint16_t(((emplacement + 8) << 5)), 0, 0};
    if (meilleure <= 15) {
      j.symbole = uint16_t(j.symbole | (meilleure - 1));
    } else {
      int k = 1;
      while ((2 << k) <= meilleure - 14) ++k;
      j.symbole = uint16_t(j.symbole | (14 + k));
      j.nb_extra = uint8_t(k);
      j.extra = uint32_t(meilleure - 14 - (1 << k));
    }
    jetons.push_back(j);
    i += meilleure;
  }
}

// Prefix code lengths (at most `limite`) of the symbols counted in `frequences`;
// always a complete code of two symbols or more when any symbol is used.
std::vector<uint8_t> longueurs_code(std::vector<uint64_t> frequences, int limite) {
  const int n = int(frequences.size());
  std::vector<uint8_t> longueurs(size_t(n), 0);
  int utilises = 0;
  for (uint64_t f : frequences) utilises += f != 0;
  if (utilises == 0) return longueurs;
  if (utilises == 1) frequences[frequences[0] ? 1 : 0] = 1;
  while (true) {
    using Noeud = std::pair<uint64_t, int>;
    std::priority_queue<Noeud, std::vector<Noeud>, std::greater<Noeud>> file;
    std::vector<int> parent(size_t(2 * n), -1);
    for (int s = 0; s < n; ++s)
      if (frequences[size_t(s)]) file.push({frequences[size_t(s)], s});
    int suivant = n;
    while (file.size() > 1) {
      const Noeud a = file.top();
      file.pop();
      const Noeud b = file.top();
      file.pop();
      parent[size_t(a.second)] = parent[size_t(b.second)] = suivant;
      file.push({a.first + b.first, suivant++});
    }
    int plus_longue = 0;
    for (int s = 0; s < n; ++s) {
      int l = 0;
      if (frequences[size_t(s)])
        for (int p = parent[size_t(s)]; p != -1; p = parent[size_t(p)]) ++l;
      longueurs[size_t(s)] = uint8_t(std::min(l, 255));
      plus_longue = std::max(plus_longue, l);
    }
    if (plus_longue <= limite) return longueurs;
    for (uint64_t& f : frequences)
      if (f) f = (f + 1) / 2;
  }
}

// Canonical code words: shorter codes first, equal lengths in symbol order.
std::vector<uint32_t> mots_code(const std::vector<uint8_t>& longueurs) {
  uint32_t nombre[LONGUEUR_CODE_MAX + 2] = {}, premier[LONGUEUR_CODE_MAX + 2] = {};
  for (uint8_t l : longueurs) ++nombre[l];
  nombre[0] = 0;
  uint32_t code = 0;
  for (int l = 1; l <= LONGUEUR_CODE_MAX; ++l) {
    code = (code + nombre[l - 1]) << 1;
    premier[l] = code;
  }
  std::vector<uint32_t> mots(longueurs.size(), 0);
  for (size_t s = 0; s < longueurs.size(); ++s)
    if (longueurs[s]) mots[s] = premier[longueurs[s]]++;
  return mots;
}

// The code-length description: not all zero; 128 lengths of the two
// auxiliary codes as 5-bit fields (a 0 followed by a 4-bit count of further
// zeros); then each of the 1024 lengths as a word of the first auxiliary
// code (the second, for repeats, stays empty).
void ecrit_description(EcrivainBits& e, const std::vector<uint8_t>& longueurs) {
  std::vector<uint64_t> frequences(64, 0);
  for (uint8_t l : longueurs) ++frequences[l];
  std::vector<uint8_t> aux = longueurs_code(frequences, LONGUEUR_CODE_MAX);
  aux.resize(128, 0);
  e.ecrit(0, 1);
  e.ecrit(0, 1);
  e.ecrit(5, 5);
  for (int i = 0; i < 128;) {
    if (aux[size_t(i)]) {
      e.ecrit(aux[size_t(i)], 5);
      ++i;
      continue;
    }
    int zeros = 1;
    while (zeros < 16 && i + zeros < 128 && aux[size_t(i + zeros)] == 0) ++zeros;
    e.ecrit(0, 5);
    e.ecrit(uint32_t(zeros - 1), 4);
    i += zeros;
  }
  aux.resize(64);
  const std::vector<uint32_t> mots = mots_code(aux);
  for (uint8_t l : longueurs) e.ecrit(mots[l], aux[l]);
}

void ecrit32(std::vector<uint8_t>& o, size_t i, uint32_t v) {
  o[i] = uint8_t(v >> 24), o[i + 1] = uint8_t(v >> 16), o[i + 2] = uint8_t(v >> 8), o[i + 3] = uint8_t(v);
}

}  // namespace

bool ecrit_compresse(const std::string& chemin, const std::vector<int8_t>& donnees) {
  const uint8_t* octets = reinterpret_cast<const uint8_t*>(donnees.data());
  const size_t taille = donnees.size();
  const uint32_t nb_blocs = uint32_t((taille + TAILLE_BLOC - 1) / TAILLE_BLOC);
  if (nb_blocs == 0) return false;
  auto longueur_bloc = [&](uint32_t k) {
    return int(std::min<size_t>(TAILLE_BLOC, taille - size_t(k) * TAILLE_BLOC));
  };

  std::vector<std::vector<Jeton>> jetons(nb_blocs);
  std::vector<uint64_t> frequences(NB_SYMBOLES, 0);
  for (uint32_t k = 0; k < nb_blocs; ++k) {
    jetons_bloc(octets + size_t(k) * TAILLE_BLOC, longueur_bloc(k), jetons[k]);
    for (const Jeton& j : jetons[k]) ++frequences[j.symbole];
  }
  const std::vector<uint8_t> longueurs = longueurs_code(frequences, LONGUEUR_CODE_MAX);
  const std::vector<uint32_t> mots = mots_code(longueurs);

  std::vector<std::vector<uint8_t>> blocs(nb_blocs);
  for (uint32_t k = 0; k < nb_blocs; ++k) {
    EcrivainBits e(blocs[k]);
    for (const Jeton& j : jetons[k]) {
      e.ecrit(mots[j.symbole], longueurs[j.symbole]);
      if (j.nb_extra) e.ecrit(j.extra, j.nb_extra);
    }
    e.termine();
    std::vector<Jeton>().swap(jetons[k]);
    // A block as long as its data is read as stored.
    const int l = longueur_bloc(k);
    if (blocs[k].size() >= size_t(l))
      blocs[k].assign(octets + size_t(k) * TAILLE_BLOC, octets + size_t(k) * TAILLE_BLOC + l);
  }

  std::vector<uint8_t> entete(80 + 8 * size_t(nb_blocs), 0);
  std::copy(banniere_compression, banniere_compression + 64, entete.begin());
  entete[70] = LOG_TAILLE_BLOC;
  entete[71] = NB_DISTANCES;
  ecrit32(entete, 72, nb_blocs);
  entete[76] = 0x00, entete[77] = 0x40, entete[78] = 0x01, entete[79] = 0xF5;
  for (uint32_t k = 0; k < nb_blocs; ++k) {
    ecrit32(entete, 80 + 8 * k, somme_controle(octets + size_t(k) * TAILLE_BLOC, longueur_bloc(k)));
    ecrit32(entete, 84 + 8 * k, somme_controle(blocs[k].data(), int64_t(blocs[k].size())));
  }
  {
    EcrivainBits e(entete);
    for (uint32_t k = 0; k < nb_blocs; ++k) e.ecrit(uint32_t(blocs[k].size()) & (TAILLE_BLOC - 1), LOG_TAILLE_BLOC);
    e.ecrit(uint32_t(longueur_bloc(nb_blocs - 1)) & (TAILLE_BLOC - 1), LOG_TAILLE_BLOC);
    for (uint32_t d : DISTANCES) e.ecrit(d, LOG_TAILLE_BLOC);
    e.termine();
    ecrit_description(e, longueurs);
    e.termine();
  }
  entete.resize(entete.size() + 4);
  ecrit32(entete, 64, uint32_t(entete.size()));
  ecrit32(entete, entete.size() - 4, somme_controle(entete.data(), int64_t(entete.size() - 4)));

  FILE* f = ouvre_fichier(chemin.c_str(), "wb");
  bool ok = f && std::fwrite(entete.data(), 1, entete.size(), f) == entete.size();
  for (uint32_t k = 0; ok && k < nb_blocs; ++k) ok = std::fwrite(blocs[k].data(), 1, blocs[k].size(), f) == blocs[k].size();
  if (f && std::fclose(f) != 0) ok = false;
  if (!ok) std::remove(chemin.c_str());
  return ok;
}
