// Pawn structure: the cached pawn score and summary, and the passed pawns.
#pragma once

#include <cstdint>

// What the pawn evaluation leaves for the other terms; also the layout of one
// 40-byte entry of the pawn hash table (eval/hash_pions.h, which clears the
// key, score and summary bytes 0 to 17 of every entry). File masks have file a in bit 0x80.
struct TableHashPions {
  uint32_t cle;    // pawn key the summary belongs to
  int32_t score;   // pawn-structure score, White's view
  uint8_t passes_blancs, passes_noirs;  // files holding passed pawns
  uint8_t faibles_blancs, faibles_noirs;  // files holding isolated or backward pawns
  uint8_t faibles_ouverts_blancs, faibles_ouverts_noirs;  // weak pawns on half-open files
  uint8_t abri_dame_blancs, abri_dame_noirs;  // shelter weakness on files a-c
  uint8_t abri_roi_blancs, abri_roi_noirs;    // shelter weakness on files f-h
  uint8_t reserve[22];
};
static_assert(sizeof(TableHashPions) == 40, "a pawn hash entry takes 40 bytes");

extern thread_local constinit TableHashPions resume_pions;
extern thread_local constinit uint32_t dernier_cle_pions;  // key of the last evaluation by evalue_pions

// Pawn-structure score (White's view); fills resume_pions, from the table
// when the pawn key is there.
int evalue_pions();
// Passed-pawn score (White's view) of the files marked in resume_pions.
int evalue_pions_passes();
// Clears the summary bytes, for a position without pawns.
void efface_resume_pions();
