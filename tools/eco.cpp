// velmar eco --out DIR FILE.tsv...
//
// Builds "eco.bib" and "eco.txt" from opening lists with the columns eco,
// name and pgn (a header line naming them is skipped). Each line's moves are
// replayed from the initial position; the position reached is the entry's
// key. A position named by several lines keeps the first one. "eco.txt"
// holds three lines per entry (code, name, moves) in the order of the input;
// "eco.bib" holds the keys sorted, each with its entry number.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "board/joue.h"
#include "book/eco.h"
#include "book/lecture.h"
#include "book/octets.h"
#include "book/pgn.h"
#include "book/san.h"
#include "modes.h"
#include "outils_livre.h"

namespace {

constexpr int PLIES_MAX = 60;       // the search board keeps per-ply state for 64 plies
constexpr size_t LIGNE_MAX = 511;   // longest line the engine reads back

struct Entree {
  uint8_t cle[TAILLE_CLE_ECO];
  int32_t numero;
};

// A text field on one line of at most LIGNE_MAX characters.
std::string champ(const std::string& s) {
  std::string r;
  for (char c : s)
    if (c != '\r' && c != '\n') r += c;
  if (r.size() > LIGNE_MAX) r.resize(LIGNE_MAX);
  return r;
}

std::vector<std::string> coupe(const std::string& ligne, char separateur) {
  std::vector<std::string> champs(1);
  for (char c : ligne) {
    if (c == separateur)
      champs.emplace_back();
    else
      champs.back() += c;
  }
  return champs;
}

}  // namespace

int mode_eco(int argc, char** argv) {
  std::string dossier;
  std::vector<std::string> fichiers;
  for (int i = 0; i < argc; i++) {
    const std::string a = argv[i];
    if (a == "--out" && i + 1 < argc)
      dossier = argv[++i];
    else if (a.size() > 1 && a[0] == '-')
      fichiers.clear(), dossier.clear(), i = argc;
    else
      fichiers.push_back(a);
  }
  if (dossier.empty() || fichiers.empty()) {
    std::fprintf(stderr, "usage: velmar eco --out DIR FILE.tsv...\n");
    return 2;
  }
  if (!prepare_dossier(dossier)) return 1;
  initialise_plateau();

  std::vector<Entree> entrees;
  std::string texte_eco;
  long lues = 0, rejetees = 0, doubles = 0;
  for (const std::string& f : fichiers) {
    std::string contenu, erreur;
    if (!lit_fichier(f, contenu, erreur)) {
      std::fprintf(stderr, "velmar eco: %s\n", erreur.c_str());
      return 1;
    }
    size_t debut = 0;
    int numero_ligne = 0;
    while (debut < contenu.size()) {
      size_t fin = contenu.find('\n', debut);
      if (fin == std::string::npos) fin = contenu.size();
      const std::string ligne = contenu.substr(debut, fin - debut);
      debut = fin + 1;
      numero_ligne++;
      if (champ(ligne).empty()) continue;
      const std::vector<std::string> champs = coupe(ligne, '\t');
      if (numero_ligne == 1 && champs[0] == "eco") continue;  // header
      lues++;
      std::vector<std::string> coups;
      if (champs.size() >= 3) lit_coups_pgn(champs[2], coups);
      bool ok = champs.size() >= 3 && coups.size() <= PLIES_MAX;
      prepare_rejeu();
      for (size_t ply = 0; ok && ply < coups.size(); ply++) {
        const int camp = static_cast<int>(ply & 1);
        const Coup c = coup_depuis_san(coups[ply].c_str(), camp, static_cast<int>(ply));
        if (c)
          joue(camp, static_cast<int>(ply), c);
        else
          ok = false;
      }
      if (!ok) {
        std::fprintf(stderr, "%s:%d: line cannot be replayed; skipped\n", f.c_str(), numero_ligne);
        rejetees++;
        continue;
      }
      Entree e;
      const int ply = static_cast<int>(coups.size());
      cle_eco(e.cle, ply & 1, ply);
      e.numero = static_cast<int32_t>(entrees.size());
      entrees.push_back(e);
      texte_eco += champ(champs[0]) + "\n" + champ(champs[1]) + "\n" + champ(champs[2]) + "\n";
    }
  }

  // Sort by key; of equal keys the earliest entry stays.
  std::stable_sort(entrees.begin(), entrees.end(), [](const Entree& a, const Entree& b) {
    return std::memcmp(a.cle, b.cle, TAILLE_CLE_ECO) < 0;
  });
  std::vector<uint8_t> octets;
  for (size_t i = 0; i < entrees.size(); i++) {
    if (i > 0 && std::memcmp(entrees[i - 1].cle, entrees[i].cle, TAILLE_CLE_ECO) == 0) {
      doubles++;
      continue;
    }
    const size_t p = octets.size();
    octets.resize(p + TAILLE_FICHE_ECO);
    std::memcpy(&octets[p], entrees[i].cle, TAILLE_CLE_ECO);
    ecrit_u32(&octets[p + TAILLE_CLE_ECO], static_cast<uint32_t>(entrees[i].numero));
  }
  const std::vector<uint8_t> texte(texte_eco.begin(), texte_eco.end());
  if (!ecrit_fichier_atomique(dossier, "eco.txt", texte) || !ecrit_fichier_atomique(dossier, "eco.bib", octets))
    return 1;
  std::printf("lines read %ld, skipped %ld, same position as an earlier line %ld, entries written %zu in %s\n",
              lues, rejetees, doubles, octets.size() / TAILLE_FICHE_ECO, dossier.c_str());
  return 0;
}
