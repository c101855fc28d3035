// Book and ECO lookups over arbitrary file contents. An input is cut into
// the four files the engine reads: three little-endian 16-bit lengths, then
// "Velmar.bib", "Encyclopedie.bib" and "eco.bib" of those lengths, and the
// rest is "eco.txt". The book is opened as the OwnBook option does, then
// asked as the search and "bestmove" ask it.
#include <cstring>
#include <string>

#include "board/cles.h"
#include "board/joue.h"
#include "board/position.h"
#include "board/texte_coup.h"
#include "book/eco.h"
#include "book/livre.h"
#include "book/reglages_livre.h"
#include "book/san.h"
#include "fuzz/commun.h"
#include "movegen/attaques.h"
#include "movegen/generation.h"
#include "movegen/lecture_coup.h"

namespace {

// Leaves the legal moves of `camp` as the ply-0 list, as the search driver
// does before it consults the book.
void liste_racine(int camp) {
  debut_liste[0] = pile_coups;
  genere_coups(camp, 0);
  Coup* fin = debut_liste[0];
  for (Coup* c = debut_liste[0]; c < debut_liste[1]; c++) {
    joue(camp, 0, *c);
    if (!en_echec(camp)) *fin++ = *c;
    dejoue(camp, 0, *c);
  }
  debut_liste[1] = fin;
}

void interroge(int camp) {
  char nom[1600] = "";
  nomme_ouverture(nom, sizeof nom);
  liste_racine(camp);
  compteur_livre = compteur_livre ? 1 : 0;
  consulte_livre(camp, 1);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const std::string& dossier = prepare_harnais();
  initialise_plateau();
  std::strcpy(repertoire_livres, dossier.c_str());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
  static const char* const noms[3] = {"Velmar.bib", "Encyclopedie.bib", "eco.bib"};
  size_t pos = 6;
  if (taille < pos) return 0;
  for (int i = 0; i < 3; ++i) {
    size_t n = donnees[2 * i] | donnees[2 * i + 1] << 8;
    if (n > taille - pos) n = taille - pos;
    ecrit_fichier(noms[i], donnees + pos, n);
    pos += n;
  }
  ecrit_fichier("eco.txt", donnees + pos, taille - pos);

  graine_livre_fixe(1);
  ouvre_livre();
  const int64_t n = nombre_positions_livre();
  cherche_livre(CLE_LIVRE_DEPART);
  cherche_livre(0);
  cherche_livre(~0ull);
  FicheLivre fiche;
  char texte[512];
  for (int64_t i = -1; i <= n && i < 64; ++i)
    if (lit_encyclopedie(i, fiche)) texte_stats_livre(fiche, texte, sizeof texte);

  // The initial position, then after 1. e4 and 1... e5.
  prepare_rejeu();
  interroge(BLANCS);
  static const char* const suite[2] = {"e2e4", "e7e5"};
  for (int i = 0; i < 2; ++i) {
    if (!partie_joue_texte(partie, suite[i])) std::abort();
    partie_vers_position(partie);
    interroge((i + 1) & 1);
  }
  ferme_livre();
  return 0;
}
