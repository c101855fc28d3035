// Finding, checking and registering the table files.
#include "egtb/registre.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <string>

#include "console/fin_processus.h"
#include "egtb/cache.h"
#include "egtb/compression.h"
#include "egtb/tablebases.h"
#include "systeme/fichiers.h"

DescTable tables[NB_TABLES + 1];

namespace {

// The count lookup: the pieces besides the kings (at most three) as a sorted
// list of indices 0..9 into the ten counts, padded with 10, read as a number
// in base 11.
constexpr int VIDE_COMPTE = 10;
constexpr int NB_CLES_COMPTES = 11 * 11 * 11;
int16_t arbre_comptes[NB_CLES_COMPTES];
bool registre_pret = false;

// -1 when there are more than three pieces besides the kings.
int cle_comptes(const int32_t comptes[10]) {
  int liste[3] = {VIDE_COMPTE, VIDE_COMPTE, VIDE_COMPTE};
  int n = 0;
  for (int i = 0; i < 10; ++i) {
    if (comptes[i] < 0) return -1;
    for (int k = 0; k < comptes[i]; ++k) {
      if (n == 3) return -1;
      liste[n++] = i;
    }
  }
  return (liste[0] * 11 + liste[1]) * 11 + liste[2];
}

// Counts of a set name: the letters after the first "k" are White's, those
// after the second Black's; n, b, r, q are pieces, any other letter a pawn.
void comptes_depuis_nom(const char* nom, int32_t comptes[10]) {
  for (int i = 0; i < 10; ++i) comptes[i] = 0;
  int cote = -1;
  for (const char* p = nom; *p; ++p) {
    if (*p == 'k') {
      ++cote;
      continue;
    }
    if (cote < 0 || cote > 1) continue;
    int type = *p == 'n' ? 1 : *p == 'b' ? 2 : *p == 'r' ? 3 : *p == 'q' ? 4 : 0;
    ++comptes[5 * cote + type];
  }
}

void initialise_registre() {
  for (int n = 0; n <= NB_TABLES; ++n) {
    DescTable& t = tables[n];
    t = DescTable{};
    t.numero = n;
    std::strncpy(t.nom, definitions_tables[n].nom, sizeof t.nom - 1);
    t.taille_blancs = definitions_tables[n].taille_blancs;
    t.taille_noirs = definitions_tables[n].taille_noirs;
    if (n > 0) {
      t.indice_blancs = fonction_indice(n, 0);
      t.indice_noirs = fonction_indice(n, 1);
    }
  }
  std::memset(arbre_comptes, 0, sizeof arbre_comptes);
}

FILE* ouvre(const std::string& nom) { return ouvre_fichier(nom.c_str(), "rb"); }

const char* const SEPARATEUR_REPERTOIRE = "/";

}  // namespace

void erreur_fatale(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
  std::fflush(stdout);
  termine_processus(1);
}

void ferme_fichiers_tables() {
  for (int n = 1; n <= NB_TABLES; ++n)
    for (int camp = 0; camp < 2; ++camp)
      if (tables[n].fichier[camp]) {
        std::fclose(tables[n].fichier[camp]);
        tables[n].fichier[camp] = nullptr;
      }
}

void desenregistre(int n, int camp) {
  DescTable& t = tables[n];
  if (t.fichier[camp]) std::fclose(t.fichier[camp]);
  t.fichier[camp] = nullptr;
  std::free(t.fichier_nom[camp]);
  t.fichier_nom[camp] = nullptr;
}

int est_enregistree(int n, int camp) {
  if (n < 1 || n > NB_TABLES) return 0;
  const std::lock_guard<std::mutex> garde(verrou_cache);
  return tables[n].fichier_nom[camp & 1] != nullptr;
}

int table_depuis_comptes(const int32_t comptes[10]) {
  if (!registre_pret) return 0;
  int cle = cle_comptes(comptes);
  return cle < 0 ? 0 : arbre_comptes[cle];
}

int enregistre_table(const char* repertoire, int n, int camp) {
  DescTable& t = tables[n];
  const char* extension = camp == 0 ? ".nbw" : ".nbb";
  if (t.fichier_nom[camp] || t.en_memoire[camp]) return 1;
  int32_t& taille = camp == 0 ? t.taille_blancs : t.taille_noirs;

  std::string nom = repertoire;
  if (!nom.empty()) nom += SEPARATEUR_REPERTOIRE;
  nom += t.nom;
  nom += extension;
  Decodage* decodage = nullptr;
  FILE* f = ouvre(nom);
  if (f) {
    if (std::fseek(f, 0, SEEK_END) != 0) erreur_fatale("*** Seek in %s failed\n", nom.c_str());
    long longueur = std::ftell(f);
    std::fclose(f);
    if (longueur < 0) erreur_fatale("*** Seek in %s failed\n", nom.c_str());
    if ((taille != 0 && longueur != taille) || longueur > INT32_MAX)
      erreur_fatale("*** %s corrupted\n", nom.c_str());
    taille = int32_t(longueur);
  } else {
    nom += ".emd";
    f = ouvre(nom);
    if (!f) {
      // The short form without the dot before the side letters: krknbw.emd.
      nom.erase(nom.size() - 8, 1);
      f = ouvre(nom);
    }
    if (!f) return 0;
    ResultatEntete r = lit_entete(f, &decodage);
    std::fclose(f);
    if (r != ENTETE_OK)
      erreur_fatale("*** Unable to read %s - %s", nom.c_str(),
                    r == ENTETE_ERREUR_LECTURE ? "read error\n"
                    : r == ENTETE_MEMOIRE      ? "out of memory\n"
                                               : "file broken\n");
    // The decoding data is released before a fatal message, so that a
    // harness that survives the message (see console/fin_processus.h) loses
    // nothing.
    if (decodage->log_bloc != LOG_TAILLE_BLOC) {
      const int log_bloc = decodage->log_bloc;
      libere_decodage(decodage);
      erreur_fatale("*** %s: Unsupported block size %d\n", nom.c_str(), 1 << log_bloc);
    }
    if (taille != 0 && decodage->longueur_totale != taille) {
      libere_decodage(decodage);
      erreur_fatale("*** %s corrupted\n", nom.c_str());
    }
    taille = int32_t(decodage->longueur_totale);
  }

  int32_t comptes[10];
  comptes_depuis_nom(t.nom, comptes);
  int cle = cle_comptes(comptes);
  for (int i = 0; i < 5; ++i) std::swap(comptes[i], comptes[i + 5]);
  int cle_inverse = cle_comptes(comptes);
  if (cle < 0 || cle_inverse < 0) erreur_fatale("*** Unable to register %s\n", nom.c_str());
  arbre_comptes[cle] = int16_t(n);
  arbre_comptes[cle_inverse] = int16_t(-n);

  t.fichier_nom[camp] = static_cast<char*>(std::malloc(nom.size() + 1));
  if (!t.fichier_nom[camp]) erreur_fatale("*** Cannot allocate %d bytes of memory\n", int(nom.size() + 1));
  std::memcpy(t.fichier_nom[camp], nom.c_str(), nom.size() + 1);
  t.seaux[camp] = static_cast<BlocCache**>(std::calloc(NB_SEAUX, sizeof(BlocCache*)));
  if (!t.seaux[camp]) erreur_fatale("*** Cannot allocate %d bytes of memory\n", int(NB_SEAUX * sizeof(BlocCache*)));
  t.decodage[camp] = decodage;
  return 1;
}

int enregistre_tables(const char* chemin) {
  if (!registre_pret) {
    initialise_indices();
    initialise_registre();
    registre_pret = true;
  }
  for (int n = 1; n <= NB_TABLES; ++n)
    for (int camp = 0; camp < 2; ++camp) {
      DescTable& t = tables[n];
      std::free(t.fichier_nom[camp]);
      t.fichier_nom[camp] = nullptr;
      libere_decodage(t.decodage[camp]);
      t.decodage[camp] = nullptr;
      std::free(t.seaux[camp]);
      t.seaux[camp] = nullptr;
    }

  int plus_grande = 0;
  std::string texte = chemin ? chemin : "";
  size_t debut = 0;
  while (true) {
    size_t fin = texte.find_first_of(",;", debut);
    std::string repertoire = texte.substr(debut, fin == std::string::npos ? std::string::npos : fin - debut);
    for (int n = 1; n <= NB_TABLES; ++n)
      for (int camp = 0; camp < 2; ++camp)
        if (enregistre_table(repertoire.c_str(), n, camp) && n > plus_grande) plus_grande = n;
    if (fin == std::string::npos) break;
    debut = fin + 1;
  }
  if (plus_grande == 0) return 0;
  return plus_grande > 35 ? 5 : plus_grande > 5 ? 4 : 3;
}

int nombre_fichiers_tables() {
  int n = 0;
  for (int t = 1; t <= NB_TABLES; ++t)
    for (int camp = 0; camp < 2; ++camp)
      if (tables[t].fichier_nom[camp]) ++n;
  return n;
}

int une_table_compressee() {
  for (int n = 1; n <= NB_TABLES; ++n)
    for (int camp = 0; camp < 2; ++camp)
      if (tables[n].decodage[camp]) return 1;
  return 0;
}
