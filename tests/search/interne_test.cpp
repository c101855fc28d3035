// Search internals that no whole search shows on its own: a futile node's
// result, the end of the completed line, killers and history.
#include <gtest/gtest.h>

#include <cstdint>

#include "bench.h"
#include "board/joue.h"
#include "board/position.h"
#include "eval/evaluation.h"
#include "front/options.h"
#include "movegen/generation.h"
#include "movegen/selection.h"
#include "search/etat_recherche.h"
#include "search/recherche.h"
#include "search/table_hash.h"

namespace {

// A node one ply below the root, as the search reaches it.
void prepare_noeud(const char* fen) {
  ASSERT_EQ(prepare_bench(fen), 1);
  prepare_evaluation();
  debut_liste[1] = pile_coups;
  premiere_branche = 0;
  coup_nul_en_cours[0] = 0;
  coup_courant[0] = 0;
  marques_extension[1] = 0;
  profondeur_iteration = 4;
}

// White (a knight down to a queen and a rook) has only quiet moves, none
// giving check. A table bound of beta - 1 turns the wide window into a null
// window, so futility prunes every move: the node must fail low at the alpha
// it was given, not return -INFINI, which would pass up as a mate.
TEST(RechercheInterne, NoeudEntierementElagueRendAlpha) {
  prepare_noeud("N6k/8/5rq1/8/8/8/8/K7 w - - 0 1");
  phase_jeu = 1;  // futility is off in the endgame
  ecrit_hash(BLANCS, 0, 999, 999, 0, UN_PLY, 1, 0);
  futilite = 1;
  int64_t avant = noeuds;
  const int score = recherche(BLANCS, UN_PLY, 1, 400, 1000, 0);
  futilite = 0;
  EXPECT_EQ(score, 400);
  EXPECT_EQ(noeuds - avant, 1);

  // Without futility the same node searches its moves.
  prepare_noeud("N6k/8/5rq1/8/8/8/8/K7 w - - 0 1");
  phase_jeu = 1;
  ecrit_hash(BLANCS, 0, 999, 999, 0, UN_PLY, 1, 0);
  avant = noeuds;
  recherche(BLANCS, UN_PLY, 1, 400, 1000, 0);
  EXPECT_GT(noeuds - avant, 5);
}

// The printed line stops at the first position seen before: the knights
// going out and back repeat the start after four plies.
TEST(RechercheInterne, LigneCompleteeArreteeALaRepetition) {
  ASSERT_EQ(prepare_bench(nullptr), 1);
  const Coup ligne[] = {fabrique_coup(G1, F3, CAVALIER), fabrique_coup(G8, F6, CAVALIER),
                        fabrique_coup(F3, G1, CAVALIER), fabrique_coup(F6, G8, CAVALIER),
                        fabrique_coup(G1, F3, CAVALIER), fabrique_coup(G8, F6, CAVALIER)};
  for (int i = 0; i < 6; ++i) {
    pv[0][i] = ligne[i];
    type_noeud[i] = NOEUD_NORMAL;
  }
  longueur_pv[0] = 6;
  const uint64_t cle = position.cle;
  complete_pv(0, BLANCS);
  EXPECT_EQ(longueur_pv[0], 4);
  EXPECT_EQ(position.cle, cle);
  EXPECT_EQ(position.demi_coups, 0);
  // Shorter, the line repeats nothing and stays whole.
  longueur_pv[0] = 3;
  complete_pv(0, BLANCS);
  EXPECT_EQ(longueur_pv[0], 3);
}

// Killers change places when the second has been useful more often; history
// grows by depth squared and stops at the largest 32-bit value.
TEST(RechercheInterne, TueursParCompteEtHistoriqueSature) {
  ASSERT_EQ(prepare_bench(nullptr), 1);
  const int ply = 3;
  const Coup a = fabrique_coup(G1, F3, CAVALIER), b = fabrique_coup(B1, C3, CAVALIER);
  tueur1[ply] = tueur2[ply] = 0;
  compte_tueur1[ply] = compte_tueur2[ply] = 0;
  maj_tueurs_historique(BLANCS, 1, 0, ply, 10, a);
  EXPECT_EQ(tueur1[ply], a);  // count 1 beats 0
  maj_tueurs_historique(BLANCS, 1, 0, ply, 10, b);
  EXPECT_EQ(tueur1[ply], a);  // equal counts: no exchange
  EXPECT_EQ(tueur2[ply], b);
  maj_tueurs_historique(BLANCS, 1, 0, ply, 10, b);
  EXPECT_EQ(tueur1[ply], b);
  EXPECT_EQ(compte_tueur1[ply], 2);
  EXPECT_EQ(tueur2[ply], a);
  EXPECT_EQ(compte_tueur2[ply], 1);

  EXPECT_EQ(historique[BLANCS][a & 0xFFF], 100);
  EXPECT_EQ(historique[BLANCS][b & 0xFFF], 200);
  historique[BLANCS][a & 0xFFF] = INT32_MAX - 50;
  maj_tueurs_historique(BLANCS, 1, 0, ply, 10, a);
  EXPECT_EQ(historique[BLANCS][a & 0xFFF], INT32_MAX);
  EXPECT_EQ(historique[NOIRS][a & 0xFFF], 0);
}

}  // namespace
