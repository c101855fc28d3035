// The UCI command interpreter.
#pragma once

// Reads one command word from standard input and runs it. Called in a loop by
// the entry point and, while a search runs, whenever entree_disponible()
// reports waiting input.
void interprete_commande();

// "position": reads the rest of the command from standard input and sets up
// the game record; a refused command leaves it as it was.
void commande_position();
