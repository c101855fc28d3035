// The block cache shared by all tables: 8192-entry blocks read from the
// files (decoded when compressed), found through 32 buckets per table side
// and evicted in least-recently-used order.
#pragma once

#include <cstdint>
#include <mutex>

constexpr int32_t COUT_BLOC = 8260;         // a block's record plus its data area
constexpr int32_t DONNEES_BLOC = 8192 + 36;  // the decoder may write past the end
constexpr int32_t VALEUR_ABSENTE = 127;

struct BlocCache {
  int32_t table;
  int32_t camp;
  int32_t debut;     // first entry index of the block, a multiple of 8192
  int32_t longueur;  // entries present (the last block of a table is short)
  uint8_t* donnees;
  BlocCache *seau_prec, *seau_suiv;
  BlocCache *recent_prec, *recent_suiv;
};

extern int32_t taille_cache;  // bytes
// Held by every read of the cache and of the registered file names, which a
// failed read forgets.
extern std::mutex verrou_cache;

// Drops the old cache and builds one of `octets` bytes (all blocks free);
// every open table file is closed.
void cree_cache(int64_t octets);
int32_t nb_blocs_cache();
// Table entry (a signed byte) or 127 when there is no value.
int lit_entree(int n, int camp, int32_t index);
// Cache statistics since the cache was built.
extern int64_t cache_succes, cache_echecs;

// The buffer compressed blocks are read into; allocated when the first
// compressed file is registered.
bool alloue_tampon_decodage();
void libere_tampon_decodage();
