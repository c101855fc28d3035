// Files named by UTF-8 text, and one file read and written at chosen
// positions (the learning reports).
#pragma once

#include <cstdint>
#include <cstdio>

// std::fopen for a UTF-8 name.
FILE* ouvre_fichier(const char* nom, const char* mode);
// Size in bytes of the file `nom` (its target when it is a link), or -1 with
// errno set when it cannot be had; *regulier (when given) gets 1 for a
// regular file, 0 for anything else.
int64_t taille_fichier(const char* nom, int32_t* regulier = nullptr);
// Renames `ancien` to `nouveau`, replacing a file of that name; 0 on
// success, -1 with errno set.
int32_t renomme_fichier(const char* ancien, const char* nouveau);

// A file opened for reading and writing at given positions, created (for
// reading and writing by everyone the umask allows) when absent, and not
// inherited by programs the engine starts. -1 when it cannot be opened.
int64_t ouvre_fichier_direct(const char* nom);
// Its size in bytes, or -1.
int64_t taille_fichier_direct(int64_t fichier);
// Reads up to `taille` bytes at `position`: the count read, or -1.
int64_t lit_fichier_direct(int64_t fichier, void* octets, int64_t taille, int64_t position);
// Writes all of `octets` at `position`; false on any failure.
bool ecrit_fichier_direct(int64_t fichier, const void* octets, int64_t taille, int64_t position);
// Cuts the file to `taille` bytes; false on failure.
bool tronque_fichier_direct(int64_t fichier, int64_t taille);
void ferme_fichier_direct(int64_t fichier);
