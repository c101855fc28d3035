// Process start-up and the UCI loop.
#pragma once

// Start-up in order: book directory, transposition table, keys, tables,
// diagonals, start position, game record, book random seed.
void initialise_moteur();
// When the start-up directory holds no book, makes the default book's
// directory the book directory: the one in the program's project (books/
// beside the build directory) or the installed one (share/velmar beside
// bin/). The environment variable VELMAR_BOOKS, when set, names the only
// directory tried (empty: none).
void cherche_livre_par_defaut();
// Runs the command interpreter until "quit" or the end of input; returns the
// process exit status.
int boucle_uci();
