// The registry of the 110 piece sets: their files in the "NalimovPath"
// directories, their sizes and decoding data, and the lookup from piece
// counts to a table number.
#pragma once

#include <cstdint>
#include <cstdio>

#include "egtb/indices.h"

struct BlocCache;
struct Decodage;

constexpr int NB_SEAUX = 32;

struct DescTable {
  int32_t numero;
  FonctionIndice indice_blancs, indice_noirs;
  char nom[8];
  int32_t taille_blancs, taille_noirs;
  char* fichier_nom[2];     // registered file per side to move; null: not registered
  FILE* fichier[2];         // opened on first use
  Decodage* decodage[2];    // null for an uncompressed file
  BlocCache** seaux[2];     // NB_SEAUX bucket heads of the block cache
  uint8_t* en_memoire[2];   // a table held whole in memory; never set
};

extern DescTable tables[NB_TABLES + 1];

// Registers every table found in the directories of `chemin` (',' or ';'
// separated), forgetting earlier registrations. Returns 0 or the number of
// pieces of the largest registered set. The block cache must have been
// emptied first: its blocks hang in the bucket arrays released here.
int enregistre_tables(const char* chemin);
// 1 when a registered file is compressed (reading it needs the decode buffer).
int une_table_compressee();
// One table side from one directory: 1 registered (or already), 0 no file.
// A damaged file ends the process.
int enregistre_table(const char* repertoire, int n, int camp);
int est_enregistree(int n, int camp);
// Signed table number for White's then Black's counts of pawns, knights,
// bishops, rooks and queens; negative when the table has the colours
// exchanged; 0 when there is none.
int table_depuis_comptes(const int32_t comptes[10]);
// Closes every open table file.
void ferme_fichiers_tables();
// Forgets the file of one side (after a read error at probe time).
void desenregistre(int n, int camp);
inline int32_t taille_table(int n, int camp) { return camp == 0 ? tables[n].taille_blancs : tables[n].taille_noirs; }

// Prints a "***" message on standard output and ends the process with status 1.
[[noreturn]] void erreur_fatale(const char* format, ...);
