#include "aides_livre.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "board/cles.h"
#include "board/joue.h"
#include "board/position.h"
#include "board/texte_coup.h"
#include "book/san.h"
#include "movegen/attaques.h"
#include "movegen/fen.h"
#include "movegen/generation.h"
#include "movegen/lecture_coup.h"

DossierTemporaire::DossierTemporaire() {
  char modele[] = "/tmp/velmar_livre_XXXXXX";
  const char* d = mkdtemp(modele);
  chemin = d ? d : "/tmp";
}

DossierTemporaire::~DossierTemporaire() {
  std::error_code e;
  if (chemin != "/tmp") std::filesystem::remove_all(chemin, e);
}

DansDossier::DansDossier(const std::string& dossier) {
  ancien = std::filesystem::current_path().string();
  std::filesystem::current_path(dossier);
}

DansDossier::~DansDossier() { std::filesystem::current_path(ancien); }

void ecrit_octets(const std::string& chemin, const std::vector<uint8_t>& octets) {
  std::ofstream f(chemin, std::ios::binary);
  f.write(reinterpret_cast<const char*>(octets.data()), static_cast<std::streamsize>(octets.size()));
}

std::vector<uint8_t> lit_octets(const std::string& chemin) {
  std::ifstream f(chemin, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::string lit_texte(const std::string& chemin) {
  std::ifstream f(chemin, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

void plateau_pret() {
  static bool pret = false;
  if (!pret) initialise_plateau();
  pret = true;
}

bool installe(const std::string& fen, const std::vector<std::string>& coups) {
  plateau_pret();
  partie_initialise(partie, position_initiale, BLANCS);
  if (!fen.empty()) {
    if (!lit_fen(fen.c_str())) return false;
    partie_recommence(partie);
  }
  for (const std::string& c : coups)
    if (!partie_joue_texte(partie, c.c_str())) return false;
  partie_vers_position(partie);
  return true;
}

void prepare_liste_racine() {
  const int camp = partie.trait;
  debut_liste[0] = pile_coups;
  genere_coups(camp, 0);
  Coup* fin = debut_liste[0];
  for (Coup* c = debut_liste[0]; c < debut_liste[1]; c++) {
    joue(camp, 0, *c);
    const bool legal = !en_echec(camp);
    dejoue(camp, 0, *c);
    if (legal) *fin++ = *c;
  }
  debut_liste[1] = fin;
}

Coup coup_racine(const std::string& texte) {
  for (Coup* c = debut_liste[0]; c < debut_liste[1]; c++) {
    char t[8];
    texte_coup(*c, t);
    if (texte == t) return *c;
  }
  return 0;
}

uint64_t cle_apres(Coup coup) {
  const int camp = partie.trait;
  joue(camp, 0, coup);
  const uint64_t cle = cle_complete(1, camp ^ 1);
  dejoue(camp, 0, coup);
  return cle;
}

#include <algorithm>
#include <cstring>

#include "book/livre.h"
#include "book/octets.h"
#include "book/reglages_livre.h"

void ecrit_livre_test(const std::string& dossier, std::vector<std::pair<uint64_t, FicheLivre>> entrees,
                      bool trier) {
  if (trier)
    std::sort(entrees.begin(), entrees.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<uint8_t> cles(entrees.size() * 8), fiches(entrees.size() * 40);
  for (size_t i = 0; i < entrees.size(); i++) {
    ecrit_u32(&cles[8 * i], static_cast<uint32_t>(entrees[i].first));
    ecrit_u32(&cles[8 * i + 4], static_cast<uint32_t>(entrees[i].first >> 32));
    encode_fiche(entrees[i].second, &fiches[40 * i]);
  }
  ecrit_octets(dossier + "/Velmar.bib", cles);
  ecrit_octets(dossier + "/Encyclopedie.bib", fiches);
}

void repertoire(const std::string& dossier) {
  std::memset(repertoire_livres, 0, sizeof repertoire_livres);
  std::strncpy(repertoire_livres, dossier.c_str(), sizeof repertoire_livres - 1);
}
