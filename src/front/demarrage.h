// Process start-up and the UCI loop.
#pragma once

// Start-up in order: book directory, transposition table, keys, tables,
// diagonals, start position, game record, book random seed.
void initialise_moteur();
// Runs the command interpreter until "quit" or the end of input; returns the
// process exit status.
int boucle_uci();
