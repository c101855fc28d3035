// Pawn structure, passed pawns, the pawn hash table and its counters.
#include "eval/pions.h"

#include <gtest/gtest.h>

#include <cstring>

#include "board/joue.h"
#include "board/position.h"
#include "eval/evaluation.h"
#include "eval/hash_pions.h"
#include "installe.h"
#include "search/table_hash.h"

namespace {

int pions(const char* fen) {
  installe(fen);
  return evalue_pions();
}

int passes(const char* fen) {
  installe(fen);
  evalue_pions();
  return evalue_pions_passes();
}

}  // namespace

TEST(EvaluationPions, PionsDoublesIsoles) {
  // a2: 0 - 3 doubled; a3: 3 - 3 doubled; two isolated against none: -21.
  EXPECT_EQ(pions("4k3/8/8/8/8/P7/P7/4K3 w - -"), -3 + 0 - 21);
  EXPECT_EQ(resume_pions.faibles_blancs, 0x80);
  EXPECT_EQ(resume_pions.faibles_ouverts_blancs, 2);
  EXPECT_EQ(resume_pions.passes_blancs, 0x80);
  // The mirror for Black.
  EXPECT_EQ(pions("4k3/p7/p7/8/8/8/8/4K3 w - -"), 3 + 0 + 21);
}

TEST(EvaluationPions, PionArriere) {
  // e4 (15): not isolated (f5), nothing behind on d2, d3, f2, f3; d6 attacks
  // e5 and no pawn stands beside it: backward, and no Black pawn on the
  // e-file costs 10. f5 (15) passed. d6 (12 as d3) isolated. Isolated
  // pawns 0 against 1: +7.
  EXPECT_EQ(pions("8/8/3p4/5P2/4P3/8/8/K6k w - -"), (15 - 10) + 15 - 12 + 7);
  EXPECT_EQ(resume_pions.faibles_blancs, 0x08);
  EXPECT_EQ(resume_pions.faibles_ouverts_blancs, 1);
  EXPECT_EQ(resume_pions.passes_blancs, 0x04);
  EXPECT_EQ(resume_pions.faibles_noirs, 0x10);
  EXPECT_EQ(resume_pions.faibles_ouverts_noirs, 1);
  EXPECT_EQ(resume_pions.passes_noirs, 0);
  // Shelters: a and h empty 10 + 6, b and g 14 + 6, c 6 + 4; f holds a
  // White pawn elsewhere (6) and no Black pawn (4). Black's f-file has no
  // Black pawn (6) but a White one, c-file 6 + 4.
  EXPECT_EQ(resume_pions.abri_dame_blancs, 16 + 20 + 10);
  EXPECT_EQ(resume_pions.abri_roi_blancs, 16 + 20 + 10);
  EXPECT_EQ(resume_pions.abri_dame_noirs, 16 + 20 + 10);
  EXPECT_EQ(resume_pions.abri_roi_noirs, 16 + 20 + 6);

  // A Black pawn on the e-file: still weak, no penalty, not on an open file.
  pions("8/4p3/3p4/5P2/4P3/8/8/K6k w - -");
  EXPECT_EQ(resume_pions.faibles_blancs, 0x08);
  EXPECT_EQ(resume_pions.faibles_ouverts_blancs, 0);
  // A pawn behind on f3 rules the test out.
  pions("8/8/3p4/8/4P3/5P2/8/K6k w - -");
  EXPECT_EQ(resume_pions.faibles_blancs & 0x08, 0);
  // A pawn beside on d4 answers the attacker.
  pions("8/8/3p4/5P2/3PP3/8/8/K6k w - -");
  EXPECT_EQ(resume_pions.faibles_blancs & 0x08, 0);
  // Two attackers (d6, f6) against one neighbour (d4): weak, 10 for the
  // difference 1. d4 15 + 3 beside e4. d6 12 and f6 9, both isolated: +21.
  EXPECT_EQ(pions("8/8/3p1p2/8/3PP3/8/8/K6k w - -"), (15 - 10) + (15 + 3) - 12 - 9 + 21);
}

TEST(EvaluationPions, Phalange) {
  // d4 15 + 3 (e4 beside), e4 15; no weak pawn (each other's neighbour,
  // and no Black pawn attacks d5 or e5).
  EXPECT_EQ(pions("4k3/8/8/8/3PP3/8/8/4K3 w - -"), 15 + 3 + 15);
  // The same for Black on d5 e5: bonus of rank 4 seen from Black (3).
  EXPECT_EQ(pions("4k3/8/8/3pp3/8/8/8/4K3 w - -"), -(15 + 3 + 15));
}

TEST(EvaluationPions, PionPasseBloque) {
  // e7 passed: 160, a White rook in front halves the block malus (64 / 2).
  EXPECT_EQ(passes("4R3/4P3/8/8/8/8/8/K6k w - -"), 160 - 32);
  EXPECT_EQ(passes("4r3/4P3/8/8/8/8/8/K6k w - -"), 160 - 64);
  // Black mirror: e2 passed, a Black piece in front on e1.
  EXPECT_EQ(passes("k7/8/8/8/8/8/4p3/4n2K w - -"), -(160 - 32));
  EXPECT_EQ(passes("k7/8/8/8/8/8/4p3/4N2K w - -"), -(160 - 64));
}

TEST(EvaluationPions, PionsPassesSurUneColonne) {
  // White scores the rearmost pawn of the file (e3: 16), not e5 (64).
  EXPECT_EQ(passes("8/8/8/4P3/8/4P3/8/K6k w - -"), 16);
  // Black scores its most advanced one (e4: 64), not e6 (16).
  EXPECT_EQ(passes("k7/8/4p3/8/4p3/8/8/7K w - -"), -64);
}

TEST(EvaluationPions, PionPasseSoutenuEtRoi) {
  // d6 passed (128), supported by c5 (20 + 20 from rank 6), king e6 beside
  // and as far up (50). c5 passed too (64), supported by d6 (10), king not
  // on an adjacent file.
  EXPECT_EQ(passes("7k/8/3PK3/2P5/8/8/8/8 w - -"), 128 + 20 + 20 + 50 + 64 + 10);
  // The king below the pawn gives nothing.
  EXPECT_EQ(passes("7k/8/3P4/8/4K3/8/8/8 w - -"), 128);
  // Black: d3 passed (128 for R = 5), king on c3 (50), supported by e4
  // (20 + 20 from s <= 23); e4: 64 + 10.
  EXPECT_EQ(passes("K7/8/8/8/4p3/2kp4/8/8 w - -"), -(128 + 50 + 20 + 20 + 64 + 10));
}

TEST(EvaluationPions, PositionDeDepart) {
  installe("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
  EXPECT_EQ(evalue_pions(), 0);
  const uint8_t* octets = &resume_pions.passes_blancs;
  for (int i = 0; i < 10; ++i) EXPECT_EQ(octets[i], 0) << i;
}

TEST(EvaluationPions, LaTableRendLeResumeStocke) {
  installe("r1bqk2r/pp3ppp/2n5/3p4/1b1P4/2N2N2/PP3PPP/R2QKB1R w KQkq -");
  nb_evaluations_pions = nb_succes_cache_pions = nb_succes_hash_pions = 0;
  evalue_position(BLANCS, -INFINI, INFINI, 0);
  EXPECT_EQ(nb_evaluations_pions, 1);
  EXPECT_EQ(nb_succes_cache_pions, 0);
  EXPECT_EQ(nb_succes_hash_pions, 0);
  const TableHashPions stocke = resume_pions;
  EXPECT_NE(stocke.abri_dame_blancs, 0);
  const TableHashPions* table = reinterpret_cast<const TableHashPions*>(memoire_hash_pions);
  EXPECT_EQ(std::memcmp(&table[position.cle_pions & 32767], &stocke, 18), 0);

  // Same pawns again: the one-entry cache.
  evalue_position(NOIRS, -INFINI, INFINI, 0);
  EXPECT_EQ(nb_succes_cache_pions, 1);

  // Another pawn structure, then back: the table gives the summary back.
  const Coup coup = fabrique_coup(A2, A3, PION);
  joue(BLANCS, 0, coup);
  evalue_position(NOIRS, -INFINI, INFINI, 1);
  EXPECT_NE(resume_pions.cle, stocke.cle);
  dejoue(BLANCS, 0, coup);
  evalue_position(BLANCS, -INFINI, INFINI, 0);
  EXPECT_EQ(nb_evaluations_pions, 4);
  EXPECT_EQ(nb_succes_cache_pions, 1);
  EXPECT_EQ(nb_succes_hash_pions, 1);
  EXPECT_EQ(std::memcmp(&resume_pions, &stocke, 18), 0);
}

TEST(EvaluationPions, EffacementDeLaTable) {
  installe("4k3/pp6/8/8/8/8/PP6/4K3 w - -");
  evalue_position(BLANCS, -INFINI, INFINI, 0);
  const TableHashPions* table = reinterpret_cast<const TableHashPions*>(memoire_hash_pions);
  const TableHashPions& entree = table[position.cle_pions & 32767];
  EXPECT_EQ(entree.cle, position.cle_pions);
  efface_hash_pions();
  const uint8_t vide[18] = {};
  EXPECT_EQ(std::memcmp(&entree, vide, 18), 0);
}

TEST(EvaluationPions, UnePositionSansPionsEffaceLeResume) {
  // A passed pawn, then a position without pawns: the summary bytes are
  // cleared, and coming back to the pawns does not reuse the cleared summary.
  installe("4k3/8/8/8/8/8/P7/R3K3 w - -");
  const int avec_pion = evalue_position(BLANCS, -INFINI, INFINI, 0);
  EXPECT_EQ(resume_pions.passes_blancs, 0x80);
  construit("4k3/8/8/8/8/8/8/R3K3 w - -");
  evalue_position(BLANCS, -INFINI, INFINI, 0);
  EXPECT_EQ(resume_pions.passes_blancs, 0);
  construit("4k3/8/8/8/8/8/P7/R3K3 w - -");
  position.nb_pions_blancs = 1;
  EXPECT_EQ(evalue_position(BLANCS, -INFINI, INFINI, 0), avec_pion);
  EXPECT_EQ(resume_pions.passes_blancs, 0x80);
}
