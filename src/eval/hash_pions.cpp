#include "eval/hash_pions.h"

#include <cstdlib>
#include <cstring>

thread_local constinit unsigned char* memoire_hash_pions = nullptr;

bool alloue_hash_pions() {
  if (memoire_hash_pions == nullptr)
    memoire_hash_pions = static_cast<unsigned char*>(std::calloc(ENTREES_HASH_PIONS, OCTETS_ENTREE_PIONS));
  return memoire_hash_pions != nullptr;
}

void libere_hash_pions() {
  std::free(memoire_hash_pions);
  memoire_hash_pions = nullptr;
}

void efface_hash_pions() {
  if (memoire_hash_pions == nullptr) return;
  // Each entry: the key word, the score word and the summary bytes 8 to 17.
  for (int i = 0; i < ENTREES_HASH_PIONS; ++i)
    std::memset(memoire_hash_pions + i * OCTETS_ENTREE_PIONS, 0, 18);
}
