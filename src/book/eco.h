// Opening names: "eco.bib" (sorted 28-byte position keys with an entry
// number) and "eco.txt" (three lines per entry: code, name, moves), both in
// the current directory, or else in the book directory. "eco.bib" is loaded
// by ouvre_livre.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int TAILLE_CLE_ECO = 28;
constexpr int TAILLE_FICHE_ECO = 32;

// Loads "eco.bib" from the current directory, or from the book directory when
// the current one has none (silently nothing when both lack it; one "info
// string" line when it is damaged); "eco.txt" is then read from the same
// directory. libere_eco drops it.
void charge_eco();
void libere_eco();
// Entries of the loaded "eco.bib" (0 = no opening names).
int64_t nombre_entrees_eco();

// Builds the ECO key of the search board at `ply` with `camp` to move.
void cle_eco(uint8_t cle[TAILLE_CLE_ECO], int camp, int ply);
// Appends the three lines of the entry of `cle` (line ends kept) to `texte`
// (capacity `taille`, always terminated). 1 when found.
int texte_eco(const uint8_t cle[TAILLE_CLE_ECO], char* texte, size_t taille);
// Opening name of the current game's position: the three lines of the last
// entry found after a move of the program (empty before any).
constexpr int TAILLE_NOM_OUVERTURE = 1600;
extern char nom_ouverture[TAILLE_NOM_OUVERTURE];

// Looks up the opening of the search board's root position (side to move
// from the game record) and, when found, replaces `texte` with its three
// lines. 1 when found; `texte` is left alone otherwise.
int nomme_ouverture(char* texte, size_t taille);
