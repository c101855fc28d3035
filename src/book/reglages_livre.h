// Settings of the opening book, set by the UCI options, and the book counter
// that the book and the search driver keep between searches.
#pragma once

#include <cstdint>

constexpr int TAILLE_REPERTOIRE = 128;  // room for a book directory and its terminator

extern char repertoire_livres[TAILLE_REPERTOIRE];  // BookDirectory
extern int32_t livre_demande;     // OwnBook as last set
extern int32_t livre_par_defaut;  // 1 until OwnBook is set or the first search opens the book
extern int32_t mode_tournoi;      // Tournament: always the most weighted book move
// 0 while no book is open; 1 in book; counts the searches made since the
// last book move (see consulte_livre).
extern int32_t compteur_livre;
