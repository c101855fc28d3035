#include "movegen/attaques.h"

int est_attaquee(int, int) { return 0; }
Bitboard attaquants(int) { return 0; }
