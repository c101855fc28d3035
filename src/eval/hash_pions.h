// The pawn hash memory: 32768 entries of 40 bytes, each the summary of one
// pawn structure (eval/pions.h gives the layout). The transposition table's
// sizing allocates it along with its own tables, so that a "Hash" request
// the machine cannot serve leaves both as they were.
#pragma once

constexpr int ENTREES_HASH_PIONS = 32768;
constexpr int OCTETS_ENTREE_PIONS = 40;
extern unsigned char* memoire_hash_pions;  // null until allocated

// Allocates the memory when it is not there yet (cleared); false when that
// fails, and the memory stays absent.
bool alloue_hash_pions();
void libere_hash_pions();
// Resets the entries (key and summary fields of each entry).
void efface_hash_pions();
