// Standard input at the level of the operating system: reading it without
// the C library's buffer, and asking whether a read would wait.
#pragma once

#include <cstdint>

// Reads at most `taille` bytes of standard input into `tampon`, waiting until
// some come: the count read, or 0 at the end of input (or when it cannot be
// read any more).
int32_t lit_entree_standard(char* tampon, int32_t taille);
// 1 when lit_entree_standard would return at once (bytes waiting, or the end
// of input reached), 0 when it would wait.
int32_t entree_standard_prete();

// Standard output written byte for byte: on Windows the C library would
// otherwise turn each line end into CR LF, which a match runner or GUI on
// another system (the engine under Wine) reads as part of the move.
void sortie_standard_brute();
