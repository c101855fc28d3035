// Opening names: the ECO key of a position, the sorted keys of "eco.bib"
// held in memory, and the three lines of "eco.txt" read per lookup.
#include "book/eco.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "board/position.h"
#include "book/livre.h"
#include "book/octets.h"
#include "console/sortie.h"
#include "systeme/fichiers.h"

char nom_ouverture[TAILLE_NOM_OUVERTURE] = "";

namespace {

std::vector<uint8_t> fiches_eco;  // the records of "eco.bib"
int64_t nb_fiches_eco = 0;

constexpr const char* NOM_ECO_CLES = "eco.bib";
constexpr const char* NOM_ECO_TEXTE = "eco.txt";
// "eco.txt" is read where "eco.bib" was found, so the two always match.
std::string chemin_texte_eco = NOM_ECO_TEXTE;

// Whether a pawn of `camp` stands beside the en-passant square `ep` ready to
// take on it (only then does the square belong to the key).
bool prise_en_passant(int ep, int camp) {
  const int col = colonne(ep);
  if (camp == BLANCS) {
    return (col != 0 && ep - 9 >= 0 && position.cases[ep - 9] == PION) ||
           (col != 7 && ep - 7 >= 0 && position.cases[ep - 7] == PION);
  }
  return (col != 0 && ep + 7 < 64 && position.cases[ep + 7] == -PION) ||
         (col != 7 && ep + 9 < 64 && position.cases[ep + 9] == -PION);
}

// Appends one line (its end kept) to `texte`; false at the end of the file
// before any character.
bool ajoute_ligne(FILE* f, std::string& texte) {
  int c = std::getc(f);
  if (c == EOF) return false;
  while (c != EOF) {
    texte += static_cast<char>(c);
    if (c == '\n') break;
    c = std::getc(f);
  }
  return true;
}

}  // namespace

void libere_eco() {
  fiches_eco.clear();
  fiches_eco.shrink_to_fit();
  nb_fiches_eco = 0;
}

int64_t nombre_entrees_eco() { return nb_fiches_eco; }

void charge_eco() {
  libere_eco();
  chemin_texte_eco = NOM_ECO_TEXTE;
  FILE* f = ouvre_fichier(NOM_ECO_CLES, "rb");
  if (!f) {
    // A book built by the engine keeps its opening names beside it: an engine
    // started elsewhere still names the openings.
    f = ouvre_fichier(chemin_livre(NOM_ECO_CLES).c_str(), "rb");
    if (!f) return;
    chemin_texte_eco = chemin_livre(NOM_ECO_TEXTE);
  }
  long taille = -1;
  if (std::fseek(f, 0, SEEK_END) == 0) taille = std::ftell(f);
  std::rewind(f);
  if (taille <= 0) {
    ecrit("info string %s : fichier vide ou illisible ; noms d'ouverture ignores\n", NOM_ECO_CLES);
    std::fclose(f);
    return;
  }
  if (taille % TAILLE_FICHE_ECO != 0) {
    ecrit("info string %s : taille de %ld octets, pas un multiple de %d ; noms d'ouverture ignores\n", NOM_ECO_CLES,
          taille, TAILLE_FICHE_ECO);
    std::fclose(f);
    return;
  }
  fiches_eco.resize(static_cast<size_t>(taille));
  const size_t lus = std::fread(fiches_eco.data(), 1, fiches_eco.size(), f);
  std::fclose(f);
  if (lus != fiches_eco.size()) {
    libere_eco();
    return;
  }
  const int64_t nombre = taille / TAILLE_FICHE_ECO;
  for (int64_t i = 1; i < nombre; i++) {
    const uint8_t* p = fiches_eco.data() + i * TAILLE_FICHE_ECO;
    if (std::memcmp(p - TAILLE_FICHE_ECO, p, TAILLE_CLE_ECO) >= 0) {
      ecrit("info string %s : cles non triees a l'enregistrement %lld ; noms d'ouverture ignores\n", NOM_ECO_CLES,
            static_cast<long long>(i));
      libere_eco();
      return;
    }
  }
  nb_fiches_eco = nombre;
}

void cle_eco(uint8_t cle[TAILLE_CLE_ECO], int camp, int ply) {
  std::memset(cle, 0, TAILLE_CLE_ECO);
  uint64_t occupation = 0;
  int n = 0;
  for (int s = 0; s < 64; s++) {
    const int p = position.cases[s];
    if (p == 0) continue;
    occupation |= uint64_t{1} << s;
    // Sixteen bytes hold 32 pieces; a set-up position with more has no
    // opening name anyway.
    if (n < 32) {
      const uint8_t demi = static_cast<uint8_t>(std::abs(p) + (p < 0 ? 8 : 0));
      cle[8 + n / 2] |= (n & 1) ? static_cast<uint8_t>(demi << 4) : demi;
    }
    n++;
  }
  ecrit_u32(cle, static_cast<uint32_t>(occupation));
  ecrit_u32(cle + 4, static_cast<uint32_t>(occupation >> 32));
  const EtatPly& e = position.etats[ply];
  cle[24] = static_cast<uint8_t>((e.roque_blancs & 1) | (e.roque_noirs & 1) << 1 | (e.roque_blancs & 2) << 1 |
                                 (e.roque_noirs & 2) << 2 | (camp == NOIRS ? 16 : 0));
  if (e.en_passant < 64 && prise_en_passant(e.en_passant, camp)) {
    cle[26] = e.en_passant;
    cle[27] = 0;
  }
}

int texte_eco(const uint8_t cle[TAILLE_CLE_ECO], char* texte, size_t taille) {
  int64_t bas = 0, haut = nb_fiches_eco - 1, trouve = -1;
  while (bas <= haut) {
    const int64_t milieu = bas + (haut - bas) / 2;
    const int cmp = std::memcmp(fiches_eco.data() + milieu * TAILLE_FICHE_ECO, cle, TAILLE_CLE_ECO);
    if (cmp == 0) {
      trouve = milieu;
      break;
    }
    if (cmp < 0)
      bas = milieu + 1;
    else
      haut = milieu - 1;
  }
  if (trouve < 0) return 0;
  const int32_t k = static_cast<int32_t>(lit_u32(fiches_eco.data() + trouve * TAILLE_FICHE_ECO + TAILLE_CLE_ECO));
  if (k < 0) {
    ecrit("info string %s : numero d'entree %d invalide\n", NOM_ECO_CLES, k);
    return 0;
  }
  FILE* f = ouvre_fichier(chemin_texte_eco.c_str(), "r");
  if (!f) return 0;
  // Skip the 3k lines of the entries before this one.
  int64_t a_sauter = 3 * static_cast<int64_t>(k);
  int c = 0;
  while (a_sauter > 0 && (c = std::getc(f)) != EOF)
    if (c == '\n') a_sauter--;
  std::string lignes;
  int nb_lignes = 0;
  if (a_sauter == 0)
    while (nb_lignes < 3 && ajoute_ligne(f, lignes)) nb_lignes++;
  std::fclose(f);
  if (nb_lignes == 0) {
    ecrit("info string %s : l'entree %d manque (fichier trop court)\n", NOM_ECO_TEXTE, k);
    return 0;
  }
  const size_t deja = strnlen(texte, taille);
  if (taille > 0 && deja < taille) {
    const size_t place = taille - 1 - deja;
    const size_t n = lignes.size() < place ? lignes.size() : place;
    std::memcpy(texte + deja, lignes.data(), n);
    texte[deja + n] = '\0';
  }
  return 1;
}

int nomme_ouverture(char* texte, size_t taille) {
  if (nb_fiches_eco == 0 || taille == 0) return 0;
  uint8_t cle[TAILLE_CLE_ECO];
  cle_eco(cle, partie.trait, 0);
  std::vector<char> nom(taille, '\0');
  if (!texte_eco(cle, nom.data(), taille)) return 0;
  std::memcpy(texte, nom.data(), taille);
  return 1;
}
