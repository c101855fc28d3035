// The block cache and the read path of a table entry; installing the tables
// of a path (empty the cache, register the files, build the cache again) and
// resizing the cache.
#include "egtb/cache.h"

#include <cstdlib>
#include <mutex>
#include <new>

#include "egtb/compression.h"
#include "egtb/registre.h"
#include "egtb/tablebases.h"
#include "systeme/fichiers.h"

// One cache and one set of open files serve every searching thread: a
// probe holds them until its value is read.
std::mutex verrou_cache;

int32_t taille_cache = 1048576;
int64_t cache_succes = 0, cache_echecs = 0;

namespace {

BlocCache* blocs = nullptr;
uint8_t* zone_donnees = nullptr;
int32_t nb_blocs = 0;
BlocCache* plus_recent = nullptr;
BlocCache* moins_recent = nullptr;
BlocCache* libres = nullptr;
uint8_t* tampon_decodage = nullptr;

void retire_seau(BlocCache* b) {
  if (b->seau_prec) b->seau_prec->seau_suiv = b->seau_suiv;
  else tables[b->table].seaux[b->camp][(b->debut >> 13) & (NB_SEAUX - 1)] = b->seau_suiv;
  if (b->seau_suiv) b->seau_suiv->seau_prec = b->seau_prec;
  b->seau_prec = b->seau_suiv = nullptr;
}

void met_en_tete_seau(BlocCache* b) {
  BlocCache*& tete = tables[b->table].seaux[b->camp][(b->debut >> 13) & (NB_SEAUX - 1)];
  b->seau_prec = nullptr;
  b->seau_suiv = tete;
  if (tete) tete->seau_prec = b;
  tete = b;
}

void retire_recent(BlocCache* b) {
  if (b->recent_prec) b->recent_prec->recent_suiv = b->recent_suiv;
  else plus_recent = b->recent_suiv;
  if (b->recent_suiv) b->recent_suiv->recent_prec = b->recent_prec;
  else moins_recent = b->recent_prec;
  b->recent_prec = b->recent_suiv = nullptr;
}

void met_en_tete_recent(BlocCache* b) {
  b->recent_prec = nullptr;
  b->recent_suiv = plus_recent;
  if (plus_recent) plus_recent->recent_prec = b;
  plus_recent = b;
  if (!moins_recent) moins_recent = b;
}

void rend_libre(BlocCache* b) {
  b->recent_suiv = libres;
  libres = b;
}

// Opens the file of a registered side, closing every other table file once
// when the first attempt fails (too many open files).
FILE* fichier_de(int n, int camp) {
  DescTable& t = tables[n];
  if (t.fichier[camp]) return t.fichier[camp];
  t.fichier[camp] = ouvre_fichier(t.fichier_nom[camp], "rb");
  if (!t.fichier[camp]) {
    ferme_fichiers_tables();
    t.fichier[camp] = ouvre_fichier(t.fichier_nom[camp], "rb");
  }
  return t.fichier[camp];
}

// Fills block b (table, side and start already set); false on any error.
bool charge_bloc(BlocCache* b) {
  DescTable& t = tables[b->table];
  FILE* f = fichier_de(b->table, b->camp);
  if (!f) return false;
  const Decodage* d = t.decodage[b->camp];
  if (!d) {
    if (std::fseek(f, b->debut, SEEK_SET) != 0) return false;
    size_t lus = std::fread(b->donnees, 1, TAILLE_BLOC, f);
    if (lus < TAILLE_BLOC && std::ferror(f)) return false;
    b->longueur = int32_t(lus);
    return true;
  }
  int32_t k = b->debut >> LOG_TAILLE_BLOC;
  if (k >= d->nb_blocs || !tampon_decodage) return false;
  int32_t longueur = k == d->nb_blocs - 1 ? d->longueur_dernier : TAILLE_BLOC;
  uint32_t compressee = d->debut_blocs[k + 1] - d->debut_blocs[k];
  if (compressee > uint32_t(TAILLE_BLOC)) return false;
  if (std::fseek(f, long(d->debut_blocs[k]), SEEK_SET) != 0) return false;
  if (std::fread(tampon_decodage, 1, compressee, f) != compressee) return false;
  if (compressee == uint32_t(longueur)) {
    for (int32_t i = 0; i < longueur; ++i) b->donnees[i] = tampon_decodage[i];
  } else if (!decode_bloc(*d, tampon_decodage, int32_t(compressee), b->donnees, longueur)) {
    return false;
  }
  b->longueur = longueur;
  return true;
}

}  // namespace

bool alloue_tampon_decodage() {
  if (!tampon_decodage) tampon_decodage = new (std::nothrow) uint8_t[TAILLE_BLOC];
  return tampon_decodage != nullptr;
}

void libere_tampon_decodage() {
  delete[] tampon_decodage;
  tampon_decodage = nullptr;
}

int32_t nb_blocs_cache() { return nb_blocs; }

void cree_cache(int64_t octets) {
  ferme_fichiers_tables();
  delete[] blocs;
  delete[] zone_donnees;
  blocs = nullptr;
  zone_donnees = nullptr;
  nb_blocs = 0;
  plus_recent = moins_recent = libres = nullptr;
  cache_succes = cache_echecs = 0;
  for (int n = 1; n <= NB_TABLES; ++n)
    for (int camp = 0; camp < 2; ++camp)
      if (tables[n].seaux[camp])
        for (int i = 0; i < NB_SEAUX; ++i) tables[n].seaux[camp][i] = nullptr;
  if (octets < 32) return;
  int64_t nombre = octets / COUT_BLOC;
  if (nombre <= 0) return;
  blocs = new (std::nothrow) BlocCache[size_t(nombre)];
  zone_donnees = new (std::nothrow) uint8_t[size_t(nombre) * DONNEES_BLOC];
  if (!blocs || !zone_donnees) {
    // Without memory the tables are simply not read.
    delete[] blocs;
    delete[] zone_donnees;
    blocs = nullptr;
    zone_donnees = nullptr;
    return;
  }
  nb_blocs = int32_t(nombre);
  for (int32_t i = nb_blocs - 1; i >= 0; --i) {
    blocs[i] = BlocCache{};
    blocs[i].donnees = zone_donnees + size_t(i) * DONNEES_BLOC;
    rend_libre(&blocs[i]);
  }
}

int lit_entree(int n, int camp, int32_t index) {
  const std::lock_guard<std::mutex> garde(verrou_cache);
  if (nb_blocs == 0 || n < 1 || n > NB_TABLES) return VALEUR_ABSENTE;
  DescTable& t = tables[n];
  if (!t.seaux[camp] || !t.fichier_nom[camp]) return VALEUR_ABSENTE;
  // Places past the end of a table belong to no legal position.
  if (index < 0 || index >= taille_table(n, camp)) return VALEUR_ABSENTE;
  const int32_t debut = index & -TAILLE_BLOC;
  for (BlocCache* b = t.seaux[camp][(index >> 13) & (NB_SEAUX - 1)]; b; b = b->seau_suiv) {
    if (b->table != n || b->camp != camp || b->debut != debut) continue;
    ++cache_succes;
    if (b != plus_recent) {
      retire_recent(b);
      met_en_tete_recent(b);
    }
    if (b->seau_prec) {
      retire_seau(b);
      met_en_tete_seau(b);
    }
    return index - debut < b->longueur ? int(int8_t(b->donnees[index - debut])) : VALEUR_ABSENTE;
  }
  ++cache_echecs;
  BlocCache* b = libres;
  if (b) {
    libres = b->recent_suiv;
    b->recent_suiv = nullptr;
  } else {
    b = moins_recent;
    retire_recent(b);
    retire_seau(b);
  }
  b->table = n;
  b->camp = camp;
  b->debut = debut;
  b->longueur = 0;
  if (!charge_bloc(b) || index - debut >= b->longueur) {
    desenregistre(n, camp);
    rend_libre(b);
    return VALEUR_ABSENTE;
  }
  met_en_tete_recent(b);
  met_en_tete_seau(b);
  return int(int8_t(b->donnees[index - debut]));
}

int initialise_tables(const char* chemin) {
  // Cached blocks hang in the bucket arrays the registry releases: drop them
  // all first (this closes the files too).
  cree_cache(0);
  libere_tampon_decodage();
  const int resultat = enregistre_tables(chemin);
  if (une_table_compressee() && !alloue_tampon_decodage())
    erreur_fatale("*** Cannot allocate decode block: error code %d\n", 0);
  cree_cache(taille_cache);
  return resultat;
}

void fixe_cache_tables(int64_t megaoctets) {
  // The option allows 1 to 16 MB; anything else is brought into 0..1024 MB.
  if (megaoctets < 0) megaoctets = 0;
  if (megaoctets > 1024) megaoctets = 1024;
  taille_cache = int32_t(megaoctets * 1048576);
  cree_cache(taille_cache);
}
