// Move text on the game record, and moves written out.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "board/texte_coup.h"
#include "common/plateau.h"

namespace {

// Plays texts from a FEN on the game record; returns how many were accepted.
int joue_textes(const char* fen, std::initializer_list<const char*> textes) {
  initialise_plateau();
  if (fen) {
    EXPECT_TRUE(lit_fen(fen));
    partie_recommence(partie);
  }
  int n = 0;
  for (const char* t : textes) {
    if (!partie_joue_texte(partie, t)) break;
    ++n;
  }
  return n;
}

TEST(TexteCoup, PromotionsLettres) {
  ASSERT_EQ(joue_textes("4k3/4P3/8/8/8/8/8/K7 w - - 0 1", {"e7e8q"}), 0);  // e8 is taken by the king
  ASSERT_EQ(joue_textes("k7/4P3/8/8/8/8/8/K7 w - - 0 1", {"e7e8q"}), 1);
  EXPECT_EQ(partie.echiquier[E8], DAME);
  ASSERT_EQ(joue_textes("k7/4P3/8/8/8/8/8/K7 w - - 0 1", {"e7e8N"}), 1);
  EXPECT_EQ(partie.echiquier[E8], CAVALIER);
  ASSERT_EQ(joue_textes("k7/8/8/8/8/8/4p3/K7 b - - 0 1", {"e2e1r"}), 1);
  EXPECT_EQ(partie.echiquier[E1], -TOUR);
  // Without a letter, or with an unknown one, the pawn becomes a queen
  // (no question is asked on standard input: that is the interface's channel).
  ASSERT_EQ(joue_textes("k7/4P3/8/8/8/8/8/K7 w - - 0 1", {"e7e8"}), 1);
  EXPECT_EQ(partie.echiquier[E8], DAME);
  ASSERT_EQ(joue_textes("k7/4P3/8/8/8/8/8/K7 w - - 0 1", {"e7e8x"}), 1);
  EXPECT_EQ(partie.echiquier[E8], DAME);
  EXPECT_EQ(partie.coups[0], E7 + 64 * E8 + 4096 * PION);
  EXPECT_EQ(partie.dernier_irreversible, 0);
}

TEST(TexteCoup, RoqueParLesCasesDuRoi) {
  // e1g1 castles even when the game record has lost the right, as long as
  // the rook stands in its corner; the rook goes from h1 to f1.
  ASSERT_EQ(joue_textes("4k3/8/8/8/8/8/8/4K2R w - - 0 1", {"e1g1"}), 1);
  EXPECT_EQ(partie.echiquier[G1], ROI);
  EXPECT_EQ(partie.echiquier[F1], TOUR);
  EXPECT_EQ(partie.echiquier[H1], 0);
  EXPECT_EQ(partie.echiquier[E1], 0);
  ASSERT_EQ(joue_textes("r3k3/8/8/8/8/8/8/4K3 b q - 0 1", {"e8c8"}), 1);
  EXPECT_EQ(partie.echiquier[C8], -ROI);
  EXPECT_EQ(partie.echiquier[D8], -TOUR);
  EXPECT_EQ(partie.roque_noirs, 0);
  EXPECT_EQ(partie.dernier_irreversible, 0);
  // Not through check, not without the rook.
  EXPECT_EQ(joue_textes("5rk1/8/8/8/8/8/8/4K2R w K - 0 1", {"e1g1"}), 0);
  EXPECT_EQ(joue_textes("4k3/8/8/8/8/8/8/4K3 w - - 0 1", {"e1g1"}), 0);
}

TEST(TexteCoup, EnPassantEtDroitsDeRoque) {
  ASSERT_EQ(joue_textes(nullptr, {"e2e4", "a7a6", "e4e5", "d7d5"}), 4);
  EXPECT_EQ(partie.en_passant, D6);
  ASSERT_TRUE(partie_joue_texte(partie, "e5d6"));
  EXPECT_EQ(partie.echiquier[D5], 0);
  EXPECT_EQ(partie.echiquier[D6], PION);
  EXPECT_EQ(partie.dernier_irreversible, 4);
  // Capturing the rook on a8 clears Black's queen side.
  ASSERT_EQ(joue_textes("r3k3/1P6/8/8/8/8/8/4K3 w q - 0 1", {"b7a8q"}), 1);
  EXPECT_EQ(partie.roque_noirs, 0);
  // The king moving loses both rights; a rook leaving h1 the king side.
  ASSERT_EQ(joue_textes("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", {"h1h2", "e8d8"}), 2);
  EXPECT_EQ(partie.roque_blancs, 2);
  EXPECT_EQ(partie.roque_noirs, 0);
  EXPECT_EQ(partie.dernier_irreversible, 1);
  EXPECT_EQ(partie.nb_demi_coups, 2);
  EXPECT_EQ(partie.trait, BLANCS);
  EXPECT_EQ(partie.cles[2], partie_cle(partie.echiquier));
}

TEST(TexteCoup, TextesRefusesSansToucherLaPartie) {
  ASSERT_EQ(joue_textes(nullptr, {"e2e4"}), 1);
  Partie avant;
  std::memcpy(&avant, &partie, sizeof partie);
  for (const char* t : {"", "e7", "e7e", "e7e5qq", "i7i5", "e0e5", "e7e9", "e2e4",  // malformed or not Black's
                        "e7e4", "g8g6", "e8e7", "d8h4x", "a7b6"}) {
    EXPECT_FALSE(partie_joue_texte(partie, t)) << t;
    EXPECT_STRNE(erreur_texte, "") << t;
    EXPECT_EQ(std::memcmp(&avant, &partie, sizeof partie), 0) << t;
  }
  // A pinned piece, and a king stepping into check.
  ASSERT_EQ(joue_textes("4r1k1/8/8/8/8/8/4N3/4K3 w - - 0 1", {"e2c3"}), 0);
  ASSERT_EQ(joue_textes("4r1k1/8/8/8/8/8/4N3/4K3 w - - 0 1", {"e1f2"}), 1);
  ASSERT_EQ(joue_textes("3r2k1/8/8/8/8/8/8/4K3 w - - 0 1", {"e1d2"}), 0);
}

TEST(TexteCoup, PartieLongueOublieSesPremiersCoups) {
  // 1,000 plies of knight shuffles: the record never refuses a move, keeps
  // the side to move and the keys of its last plies, and the fifty-move
  // count it reports stays past 100.
  initialise_plateau();
  const char* aller_retour[4] = {"g1f3", "g8f6", "f3g1", "f6g8"};
  for (int n = 0; n < 1001; ++n) ASSERT_TRUE(partie_joue_texte(partie, aller_retour[n % 4])) << n;
  EXPECT_LE(partie.nb_demi_coups, DEMI_COUPS_MAX);
  EXPECT_EQ(partie.trait, NOIRS);
  EXPECT_EQ(partie.echiquier[F3], CAVALIER);
  EXPECT_GT(partie.nb_demi_coups - partie.dernier_irreversible, 100);
  // The key four plies back is this position's: the repetition is seen.
  EXPECT_EQ(partie.cles[partie.nb_demi_coups - 4], partie.cles[partie.nb_demi_coups]);

  // After a pawn move late in a long game, every ply since it is kept.
  initialise_plateau();
  for (int n = 0; n < 440; ++n) ASSERT_TRUE(partie_joue_texte(partie, aller_retour[n % 4]));
  ASSERT_TRUE(partie_joue_texte(partie, "b2b3"));
  const char* noirs_d_abord[4] = {"g8f6", "g1f3", "f6g8", "f3g1"};
  for (int n = 0; n < 60; ++n) ASSERT_TRUE(partie_joue_texte(partie, noirs_d_abord[n % 4]));
  EXPECT_EQ(partie.nb_demi_coups - partie.dernier_irreversible, 61);
  EXPECT_EQ(partie.coups[partie.dernier_irreversible] & 63, B2);
  EXPECT_EQ(partie.trait, NOIRS);
}

TEST(TexteCoup, TexteEcrit) {
  char t[8];
  EXPECT_STREQ(texte_coup(fabrique_coup(E2, E4, PION), t), "e2e4");
  EXPECT_STREQ(texte_coup(fabrique_coup(E7, E8, PION, 0, DAME), t), "e7e8q");
  EXPECT_STREQ(texte_coup(fabrique_coup(B2, A1, PION, TOUR, CAVALIER) | BIT_ECHEC, t), "b2a1n");
  EXPECT_STREQ(texte_coup(0x6184, t), "e1g1");
  EXPECT_STREQ(texte_coup(COUP_NUL, t), "----");
  EXPECT_STREQ(texte_coup(0, t), "");
  EXPECT_STREQ(texte_coup(-1, t), "");
  EXPECT_STREQ(texte_coup(PION << 12, t), "(HT)");
  char* tampon = nullptr;
  size_t taille = 0;
  FILE* flux = open_memstream(&tampon, &taille);
  ecrit_coup(flux, fabrique_coup(E7, E8, PION, 0, FOU));
  ecrit_coup(flux, COUP_NUL);
  ecrit_coup(flux, 0);
  std::fclose(flux);
  EXPECT_EQ(std::string(tampon, taille), "e7e8b----");
  std::free(tampon);
}

}  // namespace
