// Random numbers and keys: fixed forever, because book files store them.
#include <gtest/gtest.h>

#include "board/joue.h"
#include "board/texte_coup.h"
#include "common/plateau.h"
#include "movegen/lecture_coup.h"

namespace {

TEST(Cles, PremiersNombresAleatoires) {
  aleatoire_recommence();
  EXPECT_EQ(aleatoire32(), 60494271u);  // seed words 54 + 23
  EXPECT_EQ(aleatoire32(), 1217451684u);
  aleatoire_recommence();
  const uint64_t v = aleatoire64();
  EXPECT_EQ(v & 0xFFFFFFFFu, 60494271u);
  EXPECT_EQ(v >> 32, 1217451684u);
}

TEST(Cles, TiragesReproductibles) {
  initialise_plateau();
  EXPECT_EQ(cle_piece[0][0], (uint64_t{1217451684} << 32) | 60494271u);
  const uint64_t roi_noir_h8 = cle_piece[11][63], pion_noir = cle_pion_noir[63];
  initialise_cles();
  EXPECT_EQ(cle_piece[11][63], roi_noir_h8);
  EXPECT_EQ(cle_pion_noir[63], pion_noir);
}

TEST(Cles, CleCompleteDeLaPositionInitiale) {
  ASSERT_TRUE(place_fen());
  const uint64_t cle = cle_complete(0, BLANCS);
  EXPECT_EQ(static_cast<uint32_t>(cle >> 32), 0x521D63F0u);
  EXPECT_EQ(static_cast<uint32_t>(cle), 0xB9DBC7F0u);
  // Side to move changes the full key, not the placement key.
  EXPECT_NE(cle_complete(0, NOIRS), cle);
  EXPECT_EQ(cle ^ cle_complete(0, NOIRS), cle_trait[0] ^ cle_trait[1]);
  EXPECT_EQ(position.cle, partie_cle(partie.echiquier));
  EXPECT_EQ(partie.cles[0], position.cle);
}

TEST(Cles, EnPassantSeulementSiUnPionPeutPrendre) {
  ASSERT_TRUE(place_fen());
  ASSERT_TRUE(partie_joue_texte(partie, "e2e4"));
  partie_vers_position(partie);
  EXPECT_EQ(position.etats[0].en_passant, E3);
  const uint64_t avec_case = cle_complete(0, NOIRS);
  position.etats[0].en_passant = AUCUNE_CASE;
  EXPECT_EQ(cle_complete(0, NOIRS), avec_case);  // no black pawn on d4 or f4
  // With a black pawn on d4 the square counts.
  ASSERT_TRUE(place_fen("4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1"));
  const uint64_t compte = cle_complete(0, NOIRS);
  position.etats[0].en_passant = AUCUNE_CASE;
  EXPECT_EQ(compte ^ cle_complete(0, NOIRS), cle_en_passant[E3]);
}

TEST(Cles, CleDesPionsEtRecalcul) {
  ASSERT_TRUE(place_fen("4k3/p7/8/8/8/8/7P/4K3 w - - 0 1"));
  EXPECT_EQ(position.cle_pions, cle_pion_blanc[H2] ^ cle_pion_noir[A7]);
  const uint64_t cle = position.cle;
  position.cle = 0;
  position.cle_pions = 0;
  position_calcule_cles();
  EXPECT_EQ(position.cle, cle);
  EXPECT_EQ(position.cle_pions, cle_pion_blanc[H2] ^ cle_pion_noir[A7]);
}

TEST(Cles, GenerateurDuLivre) {
  graine_livre_fixe(1);
  const uint32_t a = aleatoire_livre();
  EXPECT_EQ(a, (1u * 1103515245u + 12345u) >> 16);
  graine_livre_fixe(1);
  EXPECT_EQ(aleatoire_livre(), a);
  for (int i = 0; i < 100; ++i) EXPECT_LT(aleatoire_livre(), 65536u);
}

}  // namespace
