// Nalimov endgame tablebases: what the rest of the engine calls.
//
// The "NalimovPath" option calls initialise_tables and stores its result in
// tb_disponibles; "NalimovCache" calls fixe_cache_tables. The search probes
// positions of at most five pieces with sonde_tables and counts its probes and
// hits in the two counters below (the "tbhits" figure of the info line).
#pragma once

#include <cstdint>

// Registers the tables found in the directories of `chemin` (separated by ','
// or ';'), forgets every earlier registration and rebuilds the block cache.
// Returns 0 when nothing was registered, else the number of pieces of the
// largest registered set (3, 4 or 5). A damaged table file ends the process
// with a message starting with "***" and exit status 1.
int initialise_tables(const char* chemin);
// The number of table files (one per set and side to move) registered by the
// last initialise_tables.
int nombre_fichiers_tables();

// "NalimovCache": a cache of `megaoctets` x 1048576 bytes replaces the old one;
// every open table file is closed.
void fixe_cache_tables(int64_t megaoctets);

// Exact value of the search board `position` at `ply` from the tables.
// Returns 1 and stores the score (side `camp` to move, mate in n = 30001 - 2n,
// mated in n = -30000 + 2n, draw 0) in `score`; returns 0 when there is no
// value.
int sonde_tables(int32_t& score, int camp, int ply = 0);

// 1 when a registered table holds the material of the search board with
// `camp` to move (the search then probes it rather than another kind of table).
int table_couvre(int camp);

// Counters kept by the search: probes attempted and values found.
extern thread_local constinit int64_t tb_sondes;
extern thread_local constinit int64_t tb_succes;
