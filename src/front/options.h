// Engine settings set by UCI options and the interpreter, and the option table
// that "uci" announces and "setoption" looks up.
#pragma once

#include <cstdint>
#include <cstdio>

// Room for one command word or line and its terminator: a "position" line
// of a game of some 12,000 plies.
constexpr int TAILLE_LIGNE = 65536;

extern char derniere_position[TAILLE_LIGNE + 16];     // the last "position" line, from its first word
extern int32_t position_continue;                // 1 when this "position" extends the previous one

// Prints the identity, every announced option and "uciok".
void annonce_options();
// Handles "setoption": reads the option name and, when the option takes one,
// the "value" word and the value, then applies it.
void commande_setoption();
