// Random numbers and Zobrist keys.
#pragma once

#include <cstdint>

extern uint64_t cle_piece[12][64];  // White pawn, Black pawn, White knight, ...
extern uint64_t cle_roque_blancs[2];
extern uint64_t cle_roque_noirs[2];
extern uint64_t cle_en_passant[64];
extern uint64_t cle_trait[2];
extern uint32_t cle_pion_blanc[64];
extern uint32_t cle_pion_noir[64];

// Index into cle_piece of a signed piece code (never 0).
constexpr int genre_cle(int piece) { return piece > 0 ? 2 * (piece - 1) : 2 * (-piece - 1) + 1; }

uint32_t aleatoire32();
// Puts the generator back to its seed; the next aleatoire32() is the first value.
void aleatoire_recommence();
uint64_t aleatoire64();
void initialise_cles();
uint64_t partie_cle(const int32_t echiquier[64]);
void position_calcule_cles();
uint64_t cle_complete(int ply, int trait);

void graine_livre_fixe(uint32_t valeur);
uint32_t aleatoire_livre();
