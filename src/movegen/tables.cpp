#include "movegen/bitboard.h"
#include "eval/tables_evaluation.h"

Bitboard masque_case[65];
Bitboard masque_efface[64];
Bitboard masque_rangee[8];
Bitboard masque_colonne[8];
Bitboard pas_colonne_a, pas_colonne_h;
Bitboard chemin_roque[4];
Bitboard rayon[8][64];
int8_t direction[64][64];
Bitboard entre[64][64];
Bitboard attaques_cavalier[64];
Bitboard attaques_roi[64];
Bitboard sources_pion_blanc[64];
Bitboard sources_pion_noir[64];
Bitboard attaques_rangee[64][256];
Bitboard attaques_colonne[64][256];
Bitboard attaques_a8h1[64][256];
Bitboard attaques_a1h8[64][256];
int32_t nb_attaques_a8h1[64][256];
int32_t nb_attaques_a1h8[64][256];
Bitboard pose_r90[64], efface_r90[64];
Bitboard pose_a8h1[64], efface_a8h1[64];
Bitboard pose_a1h8[64], efface_a1h8[64];
Bitboard attaques_fou_vide[64];
Bitboard attaques_tour_vide[64];
Bitboard attaques_dame_vide[64];
uint8_t premier_bit_8[256];
const int32_t ordre_90[64] = {};
const int32_t ordre_a8h1[64] = {};
const int32_t ordre_a1h8[64] = {};
const int32_t decalage_a8h1[64] = {};
const int32_t decalage_a1h8[64] = {};
void init_tables() { initialise_tables_evaluation(); }
