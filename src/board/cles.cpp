#include "board/cles.h"

uint64_t cle_piece[12][64];
uint64_t cle_roque_blancs[2];
uint64_t cle_roque_noirs[2];
uint64_t cle_en_passant[64];
uint64_t cle_trait[2];
uint32_t cle_pion_blanc[64];
uint32_t cle_pion_noir[64];
uint32_t aleatoire32() { return 0; }
uint64_t aleatoire64() { return 0; }
void initialise_cles() {}
uint64_t partie_cle(const int32_t[64]) { return 0; }
void position_calcule_cles() {}
uint64_t cle_complete(int, int) { return 0; }
static uint32_t graine_livre = 1;
void graine_livre_fixe(uint32_t valeur) { graine_livre = valeur; }
uint32_t aleatoire_livre() { graine_livre = graine_livre * 1103515245u + 12345u; return graine_livre >> 16; }
