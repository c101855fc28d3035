// Standard input: the program's own line buffer over the system's reads, and the
// non-blocking test the search uses to see whether a command is waiting.
#pragma once

#include <cstdint>

// Results of the readers below.
constexpr int LECTURE_OK = 1;
constexpr int LECTURE_FIN = 0;     // end of input, nothing read
constexpr int LECTURE_VIDE = -1;   // the line ended before a word
constexpr int LECTURE_TROP_LONG = -2;  // word or line too long; it was skipped entirely

// 0 when no complete command is waiting, else a positive count of waiting
// bytes. Sees both the program's own buffer and the descriptor.
int32_t entree_disponible();
// Reads one word, skipping blanks and line ends before it.
int lit_mot(char* mot, int taille);
// Reads one word of the current line; LECTURE_VIDE when the line ends first
// (the line end itself is left for the next reader).
int lit_mot_ligne(char* mot, int taille);
// Reads the rest of the current line (line end consumed, not stored).
int lit_reste_ligne(char* ligne, int taille);
// 1 once standard input has ended and the buffer is empty.
int entree_terminee();

// Commands set aside while a search runs, put back in front of the input
// once the search has answered.
void entree_differe(const char* texte);
void entree_reprend_differees();

// Forgets everything held: buffered bytes, the end of input seen, commands
// put aside. For harnesses that run many sessions in one process over a new
// standard input each time.
void entree_reinitialise();
