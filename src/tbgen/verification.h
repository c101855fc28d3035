// Checking table files against a one-ply look-ahead, independently of how
// they were made.
#pragma once

#include <cstdint>

struct ResumeVerification {
  int64_t positions;  // legal positions checked (both sides)
  int64_t erreurs;
};

// Checks every legal position of set n: its entry must be what its moves
// give through the entries they lead to (a mate or a stalemate on the board,
// else the best of the moves' values one ply further). Set n and every set
// it turns into must be loaded in tables_memoire. The first errors are
// printed on standard error with their position. False when a set is
// missing.
bool verifie_table(int n, ResumeVerification& resume);
