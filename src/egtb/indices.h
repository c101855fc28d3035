// Index functions of the Nalimov tables: a position of a piece set maps to
// its entry number in the set's file.
//
// A function receives the squares of the table's White and Black sides in a
// 24-slot layout (slot 0 the king, slots 4-7 pawns, 8-11 knights, 12-15
// bishops, 16-19 rooks, 20-23 queens, each type in increasing square order),
// the en-passant square (64 or more: none) and the inversion flag (1 when the
// colours of the real position were exchanged to fit the table).
#pragma once

#include <cstdint>

using FonctionIndice = uint32_t (*)(const int32_t* blancs, const int32_t* noirs, int32_t en_passant,
                                    int32_t inversion);

constexpr int NB_TABLES = 110;
constexpr int EP_AUCUN = 128;

// Name and sizes (entries with White / Black to move) of table n = 1..110.
struct DefinitionTable {
  const char* nom;
  int32_t taille_blancs;
  int32_t taille_noirs;
};
extern const DefinitionTable definitions_tables[NB_TABLES + 1];

// The index function of table n (1..110) for side `camp` to move.
FonctionIndice fonction_indice(int n, int camp);

// The slot lists of the search board's White and Black pieces (at most four
// of a type), unused slots left as they are.
void listes_depuis_position(int32_t blancs[24], int32_t noirs[24]);

// Builds the permitted-square and start-offset tables; idempotent.
void initialise_indices();

// Shared static tables, exposed for tests.
// King-pair numbers: 0..461 over the triangle (sets without pawns), 0..1805
// over files a-d (sets with pawns); 4000 marks a pair that never occurs.
extern int16_t paires_rois[64][64];
extern int16_t paires_rois_pions[64][64];
