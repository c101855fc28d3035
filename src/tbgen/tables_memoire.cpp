// Loading, writing and reading whole tables in memory.
#include "tbgen/tables_memoire.h"

#include <algorithm>
#include <bit>
#include <cstdio>

#include "board/position.h"
#include "egtb/compression.h"
#include "egtb/indices.h"
#include "tbgen/ecriture_compressee.h"
#include "tbgen/plateau_table.h"
#include "systeme/fichiers.h"

TableMemoire tables_memoire[NB_TABLES + 1];

namespace {

int32_t taille_face(int n, int camp) {
  return camp == 0 ? definitions_tables[n].taille_blancs : definitions_tables[n].taille_noirs;
}
int nb_faces(int n) { return materiel_table(n).une_face ? 1 : 2; }

constexpr char LETTRES[] = "qrbnp";  // strongest first, as in the set names

// Decodes a whole ".emd" file of `taille` entries with the engine's reader;
// false (and a message when the file exists) on any fault.
bool lit_compresse(const std::string& chemin, std::vector<int8_t>& face, int32_t taille) {
  FILE* f = ouvre_fichier(chemin.c_str(), "rb");
  if (!f) return false;
  Decodage* d = nullptr;
  bool ok = lit_entete(f, &d) == ENTETE_OK && d->log_bloc == LOG_TAILLE_BLOC && d->longueur_totale == taille;
  face.assign(size_t(taille) + TAILLE_BLOC + 64, 0);
  std::vector<uint8_t> compresse(TAILLE_BLOC);
  for (int32_t k = 0; ok && k < d->nb_blocs; ++k) {
    const int32_t longueur = k == d->nb_blocs - 1 ? d->longueur_dernier : TAILLE_BLOC;
    const uint32_t c = d->debut_blocs[k + 1] - d->debut_blocs[k];
    uint8_t* sortie = reinterpret_cast<uint8_t*>(face.data()) + size_t(k) * TAILLE_BLOC;
    ok = c <= uint32_t(TAILLE_BLOC) && std::fseek(f, long(d->debut_blocs[k]), SEEK_SET) == 0 &&
         std::fread(compresse.data(), 1, c, f) == c;
    if (ok && c == uint32_t(longueur)) std::copy(compresse.begin(), compresse.begin() + c, sortie);
    else if (ok) ok = decode_bloc(*d, compresse.data(), int32_t(c), sortie, longueur);
  }
  std::fclose(f);
  libere_decodage(d);
  face.resize(size_t(taille));
  if (!ok) std::fprintf(stderr, "velmar tb: %s is damaged\n", chemin.c_str());
  return ok;
}

}  // namespace

std::string chemin_fichier_table(const std::string& repertoire, int n, int camp) {
  std::string nom = repertoire.empty() ? "" : repertoire + "/";
  return nom + definitions_tables[n].nom + (camp == 0 ? ".nbw" : ".nbb");
}

bool fichiers_presents(const std::string& repertoire, int n) {
  for (int camp = 0; camp < nb_faces(n); ++camp) {
    FILE* f = ouvre_fichier(chemin_fichier_table(repertoire, n, camp).c_str(), "rb");
    if (!f) f = ouvre_fichier((chemin_fichier_table(repertoire, n, camp) + ".emd").c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
  }
  return true;
}

bool charge_table(const std::string& repertoire, int n) {
  TableMemoire& t = tables_memoire[n];
  for (int camp = 0; camp < nb_faces(n); ++camp) {
    const std::string chemin = chemin_fichier_table(repertoire, n, camp);
    FILE* f = ouvre_fichier(chemin.c_str(), "rb");
    std::vector<int8_t>& face = t.face[camp];
    if (!f) {
      if (lit_compresse(chemin + ".emd", face, taille_face(n, camp))) continue;
      std::fprintf(stderr, "velmar tb: %s is missing\n", chemin.c_str());
      return false;
    }
    face.assign(size_t(taille_face(n, camp)) + 1, 0);
    const size_t lus = std::fread(face.data(), 1, face.size(), f);
    std::fclose(f);
    if (lus != face.size() - 1) {
      std::fprintf(stderr, "velmar tb: %s has %zu bytes instead of %d\n", chemin.c_str(), lus, taille_face(n, camp));
      face.clear();
      return false;
    }
    face.pop_back();
  }
  t.chargee = true;
  return true;
}

bool ecrit_table(const std::string& repertoire, int n, bool compresse) {
  const TableMemoire& t = tables_memoire[n];
  for (int camp = 0; camp < nb_faces(n); ++camp) {
    const std::string chemin = chemin_fichier_table(repertoire, n, camp);
    if (compresse) {
      if (ecrit_compresse(chemin + ".emd", t.face[camp])) continue;
      std::fprintf(stderr, "velmar tb: cannot write %s.emd\n", chemin.c_str());
      return false;
    }
    FILE* f = ouvre_fichier(chemin.c_str(), "wb");
    bool ok = f && std::fwrite(t.face[camp].data(), 1, t.face[camp].size(), f) == t.face[camp].size();
    if (f && std::fclose(f) != 0) ok = false;
    if (!ok) {
      std::fprintf(stderr, "velmar tb: cannot write %s\n", chemin.c_str());
      std::remove(chemin.c_str());
      return false;
    }
  }
  return true;
}

void oublie_tables() {
  for (TableMemoire& t : tables_memoire) t = TableMemoire{};
}

bool octet_plateau(int camp, int ep, int8_t& octet) {
  const Position& P = position;
  int n = table_plateau();
  if (n == 0) {
    octet = 0;
    return std::popcount(P.occupation_blancs | P.occupation_noirs) == 2;
  }
  int32_t blancs[24] = {}, noirs[24] = {};
  listes_depuis_position(blancs, noirs);
  const int32_t* premiere = blancs;
  const int32_t* seconde = noirs;
  int inversion = 0;
  if (n < 0) {
    n = -n;
    camp ^= 1;
    premiere = noirs;
    seconde = blancs;
    inversion = 1;
  }
  const TableMemoire& t = tables_memoire[n];
  if (!t.chargee) return false;
  const std::vector<int8_t>& face = t.face[materiel_table(n).une_face ? 0 : camp];
  const uint32_t i = fonction_indice(n, camp)(premiere, seconde, ep, inversion);
  if (i >= face.size()) return false;
  octet = face[i];
  return true;
}

std::vector<int> tables_suivantes(int n) {
  const MaterielTable m = materiel_table(n);
  std::vector<int> suivantes;
  // The set of the pieces of slots 2.. with slot `sans` removed and slot
  // `change` turned into `nouveau`.
  auto ajoute = [&](int sans, int change, int nouveau) {
    std::string cotes[2];
    for (int k = 2; k < m.nb; ++k) {
      if (k == sans) continue;
      const int type = k == change ? nouveau : m.pieces[k].type;
      cotes[m.pieces[k].camp] += "pnbrq"[type - 1];
    }
    if (cotes[0].empty() && cotes[1].empty()) return;
    for (std::string& c : cotes)
      std::sort(c.begin(), c.end(), [](char a, char b) {
        return std::string(LETTRES).find(a) < std::string(LETTRES).find(b);
      });
    int s = numero_table_nom(("k" + cotes[0] + "k" + cotes[1]).c_str());
    if (s == 0) s = numero_table_nom(("k" + cotes[1] + "k" + cotes[0]).c_str());
    if (s != 0 && std::find(suivantes.begin(), suivantes.end(), s) == suivantes.end()) suivantes.push_back(s);
  };
  // A capture (slot k gone), a promotion (slot j's pawn changed), or both.
  for (int k = 1; k < m.nb; ++k)
    for (int j = 1; j < m.nb; ++j) {
      if (k > 1 && k == j) continue;
      if (j > 1 && m.pieces[j].type != PION) continue;
      if (k == 1 && j == 1) continue;
      if (k > 1 && j > 1 && m.pieces[k].camp == m.pieces[j].camp) continue;
      if (j == 1) ajoute(k, -1, 0);
      else
        for (int promu = CAVALIER; promu <= DAME; ++promu) ajoute(k == 1 ? -1 : k, j, promu);
    }
  return suivantes;
}
