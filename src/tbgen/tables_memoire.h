// Whole tables held in memory while other tables are built from them or
// checked against them, with their files on disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "egtb/indices.h"

// The entries of a set, per side to move (the one-file sets have only the
// White-to-move side; their Black-to-move index reads it too).
struct TableMemoire {
  std::vector<int8_t> face[2];
  bool chargee = false;
};
extern TableMemoire tables_memoire[NB_TABLES + 1];

// DIR/kqk.nbw and DIR/kqk.nbb.
std::string chemin_fichier_table(const std::string& repertoire, int n, int camp);
// Whether the files of set n (one or two, plain or ".emd") are all in
// `repertoire`.
bool fichiers_presents(const std::string& repertoire, int n);
// Reads the files of set n (a plain file, else its ".emd"); false, with a
// message on standard error, when one is missing, unreadable or of the
// wrong size.
bool charge_table(const std::string& repertoire, int n);
// Writes the loaded set n, plain or compressed (".emd" files); false, with a
// message, on a write error.
bool ecrit_table(const std::string& repertoire, int n, bool compresse);
// Forgets every loaded table.
void oublie_tables();

// The entry of the search board's position, `camp` to move, `ep` the
// en-passant square or EP_AUCUN, from the loaded tables (kings alone: 0).
// False when its set is not loaded.
bool octet_plateau(int camp, int ep, int8_t& octet);

// Sets that set n turns into by a capture or a promotion (kings alone left
// out), each once.
std::vector<int> tables_suivantes(int n);
