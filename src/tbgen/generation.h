// Building Nalimov tables by retrograde analysis.
#pragma once

#include <cstdint>

// Counts of one written file.
struct ResumeFace {
  int64_t entrees;    // file length
  int64_t gains, nulles, pertes;  // entries of legal positions, by value for the side to move
  int32_t mat_max;    // longest "mates in n" (moves)
};

struct ResumeGeneration {
  ResumeFace face[2];
};

// Builds set n (1..110) into tables_memoire[n]. Every set it turns into by a
// capture or a promotion must already be loaded there. Progress goes to
// standard error. False when a set it needs is missing.
bool genere_table(int n, ResumeGeneration& resume);

// Byte of a file for a result in plies from the side to move's view
// (positive: wins in that many plies; negative -1 - d: is mated in d plies;
// 0 draw), and back.
int8_t octet_resultat(int resultat);
int resultat_octet(int8_t octet);
// The result for the side that moves into a position whose byte (for its
// side to move) is `octet`.
int resultat_du_coup(int8_t octet);
