// Transposition table: two tables addressed by the same index, one that
// prefers deeper results and one that always takes the latest store. Sizing
// it also allocates the evaluation's pawn hash memory (eval/hash_pions.h).
//
// Every searching thread probes and stores without a lock. Each word is read
// and written whole (relaxed atomic accesses), and the high key word is kept
// XORed with the other four: an entry torn by two stores at once fails the
// key check and reads as a miss. The move of an entry is still checked
// against the board before it is played.
#pragma once

#include <cstdint>

#include "board/position.h"
#include "board/types.h"

struct EntreeHash {
  uint32_t cle_basse;
  uint32_t controle;    // high key word XOR the four other words
  uint32_t coup;        // low 21 bits of a Coup, 0 = none
  int32_t score;        // mate scores relative to the node
  uint16_t drapeaux;    // bits 0-2 age, 3-11 clearing epoch; MENACE_HASH, EXACT_HASH, BORNE_BASSE, BORNE_HAUTE
  uint16_t profondeur;  // eighths of a ply
};

// The depth-preferred and the always-replace entry of one index sit side by
// side, so a probe touches one or two neighbouring cache lines.
struct PaireHash {
  EntreeHash profondeur;
  EntreeHash remplacement;
};

constexpr uint16_t MENACE_HASH = 0x1000;
constexpr uint16_t EXACT_HASH = 0x2000;
constexpr uint16_t BORNE_BASSE = 0x4000;  // score >= beta: a lower bound
constexpr uint16_t BORNE_HAUTE = 0x8000;  // score <= alpha: an upper bound

// Kinds returned by lit_hash.
constexpr int HASH_EXACT = 0;
constexpr int HASH_BORNE_BASSE = 1;
constexpr int HASH_BORNE_HAUTE = 2;
constexpr int HASH_NUL_INUTILE = 3;  // a null move would not reach beta
constexpr int HASH_RIEN = 4;

// The memory rule of the "Hash" option counts this many bytes per entry.
constexpr int64_t OCTETS_PAR_ENTREE = 24;
constexpr int64_t HASH_MINIMUM = 65536;

extern PaireHash* table_hash;  // both tables, interleaved
extern uint32_t masque_hash;  // entries per table - 1
extern int64_t taille_hash;   // bytes counted for both tables
extern uint32_t age_hash;     // 0 to 7

// Sizes both tables for a request in bytes and returns the bytes used; the
// pawn hash memory is allocated with the first tables and cleared. A request
// that cannot be allocated keeps the previous tables and says so.
int64_t alloue_hash(int64_t octets);
// Empties both tables. Entries of an earlier epoch read as empty, so this
// costs nothing but a counter increment (the memory is wiped once every 512
// clearings), and a big table can be cleared on the clock of a "go".
void efface_hash();
void vieillit_hash();
// Per mille of the entries written by the current search, counted over the
// first thousand entries (or the whole table when it is smaller).
int32_t remplissage_hash();
// Frees both tables and the pawn hash memory.
void libere_hash();

// The slot of the current position for `camp` to move: the key does not
// include the side, it only moves the slot.
inline uint32_t indice_hash(int camp) {
  uint32_t basse = static_cast<uint32_t>(position.cle);
  if (camp == NOIRS) basse = ~basse;
  return basse & masque_hash;
}
// Starts loading the slot a child node is about to probe.
inline void precharge_hash(int camp) {
  if (table_hash != nullptr) __builtin_prefetch(&table_hash[indice_hash(camp)]);
}

// Probe for `camp` to move: returns a kind (HASH_EXACT .. HASH_RIEN) and, on
// any hit, the stored move, threat bit and score (mate scores made absolute
// when the entry is deep enough).
int lit_hash(int camp, int beta, int profondeur, int ply, int32_t& score, Coup& coup, int32_t& menace);
void ecrit_hash(int camp, int alpha, int beta, int score, Coup coup, int profondeur, int ply, int menace);
