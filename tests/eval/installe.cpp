#include "installe.h"

#include <gtest/gtest.h>

#include "board/cles.h"
#include "board/position.h"
#include "eval/evaluation.h"
#include "eval/hash_pions.h"
#include "eval/tables_evaluation.h"
#include "movegen/bitboard.h"
#include "movegen/fen.h"
#include "search/table_hash.h"

namespace {

void initialise_une_fois() {
  static bool fait = false;
  if (fait) return;
  initialise_cles();
  init_tables();
  initialise_tables_evaluation();
  initialise_diagonales();
  position_depart();
  alloue_hash(HASH_MINIMUM);
  fait = true;
}

}  // namespace

void construit(const std::string& fen, int demi_coups) {
  initialise_une_fois();
  partie_initialise(partie, position_initiale, BLANCS);
  const std::string texte = fen + " ";
  ASSERT_EQ(lit_fen(texte.c_str()), 1) << fen;
  partie_recommence(partie);
  partie_fixe_trait(partie, partie.trait);
  partie_programme_au_trait(partie);
  partie_vers_position(partie);
  position.demi_coups = demi_coups;
}

void installe(const std::string& fen, int demi_coups) {
  construit(fen, demi_coups);
  marge_paresseuse = 200;
  prepare_evaluation();
  efface_hash_pions();
}

int evaluation_complete() { return evalue_position(partie.trait, -INFINI, INFINI, 0); }

int trait() { return partie.trait; }
