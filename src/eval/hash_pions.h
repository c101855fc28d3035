// The pawn hash memory: 32768 entries of 40 bytes, each the summary of one
// pawn structure (eval/pions.h gives the layout). The transposition table's
// sizing allocates it along with its own tables, so that a "Hash" request
// the machine cannot serve leaves both as they were.
#pragma once

#include <cstdint>

constexpr int ENTREES_HASH_PIONS = 32768;
constexpr int OCTETS_ENTREE_PIONS = 40;
extern thread_local constinit unsigned char* memoire_hash_pions;  // null until allocated

// Allocates the memory when it is not there yet (cleared); false when that
// fails, and the memory stays absent.
bool alloue_hash_pions();
void libere_hash_pions();
// Resets the entries (key and summary fields of each entry).
void efface_hash_pions();

// Starts loading the entry of the pawn structure keyed `cle` (an entry may
// straddle two cache lines), for a node that will evaluate it soon.
inline void precharge_pions(uint32_t cle) {
  if (memoire_hash_pions == nullptr) return;
  const unsigned char* e = memoire_hash_pions + (cle & (ENTREES_HASH_PIONS - 1)) * OCTETS_ENTREE_PIONS;
  __builtin_prefetch(e);
  __builtin_prefetch(e + OCTETS_ENTREE_PIONS - 1);
}
