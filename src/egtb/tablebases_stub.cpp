#include "egtb/tablebases.h"

int64_t tb_sondes = 0;
int64_t tb_succes = 0;

int initialise_tables(const char*) { return 0; }
void fixe_cache_tables(int32_t) {}
int sonde_tables(int32_t&, int) { return 0; }
