// The option table that "uci" announces and "setoption" looks up. Each
// option writes into the setting of the subsystem that reads it.
#pragma once

// Prints the identity, every announced option and "uciok".
void annonce_options();
// Handles "setoption": reads the option name and, when the option takes one,
// the "value" word and the value, then applies it.
void commande_setoption();
// Applies option `nom` with the text `valeur` as "setoption" would. Returns 0
// when there is no such option.
int applique_option(const char* nom, const char* valeur);
