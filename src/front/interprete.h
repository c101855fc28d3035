// The UCI command interpreter.
#pragma once

// Room for one command word or line and its terminator: a "position" line
// of a game of some 12,000 plies.
constexpr int TAILLE_LIGNE = 65536;

// Reads one command word from standard input and runs it. Called in a loop by
// the entry point and, while a search runs, whenever entree_disponible()
// reports waiting input.
void interprete_commande();
