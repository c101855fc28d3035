// Reading FENs, and refusing malformed ones without touching the game record.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/plateau.h"

namespace {

TEST(Fen, ChampsLus) {
  initialise_plateau();
  ASSERT_TRUE(lit_fen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"));
  EXPECT_EQ(partie.trait_depart, NOIRS);
  EXPECT_EQ(partie.roque_blancs_depart, 3);
  EXPECT_EQ(partie.roque_noirs_depart, 3);
  EXPECT_EQ(partie.en_passant_depart, E3);
  EXPECT_EQ(partie.echiquier_depart[E4], PION);
  EXPECT_EQ(partie.echiquier_depart[E2], 0);
  EXPECT_EQ(partie.echiquier_depart[C8], -FOU);  // a "b" inside the placement is a bishop
  partie_recommence(partie);
  EXPECT_EQ(partie.trait, NOIRS);
  EXPECT_EQ(partie.camp_programme, BLANCS);
  EXPECT_EQ(partie.nb_demi_coups, 0);
  EXPECT_EQ(partie.cles[0], partie_cle(partie.echiquier));
}

TEST(Fen, RoquesEtEnPassant) {
  initialise_plateau();
  ASSERT_TRUE(lit_fen("r3k2r/8/8/8/8/8/8/R3K2R w - - 0 1"));
  EXPECT_EQ(partie.roque_blancs_depart, 0);
  EXPECT_EQ(partie.roque_noirs_depart, 0);
  EXPECT_EQ(partie.en_passant_depart, AUCUNE_CASE);
  EXPECT_EQ(partie.trait_depart, BLANCS);
  // A letter whose king or rook is not at home grants nothing.
  ASSERT_TRUE(lit_fen("r3k3/8/8/8/8/8/8/1R2K2R w KQkq - 0 1"));
  EXPECT_EQ(partie.roque_blancs_depart, 1);
  EXPECT_EQ(partie.roque_noirs_depart, 2);
  // The fields may end the text (the interface cuts before "moves").
  ASSERT_TRUE(lit_fen("  4k3/8/8/8/8/8/8/4K3 w - -"));
  // An en-passant square that no double push can have made is dropped.
  ASSERT_TRUE(lit_fen("4k3/8/8/8/8/8/8/4K3 w - d6 0 1"));
  EXPECT_EQ(partie.en_passant_depart, AUCUNE_CASE);
}

TEST(Fen, PositionCalculeSurLaPositionInitiale) {
  ASSERT_TRUE(place_fen());
  EXPECT_EQ(position.materiel_blancs, 3900);
  EXPECT_EQ(position.materiel_noirs, 3900);
  EXPECT_EQ(position.roi_blanc, E1);
  EXPECT_EQ(position.roi_noir, E8);
  EXPECT_EQ(compte_bits(position.occupation_blancs), 16);
  EXPECT_EQ(position.lignes, masque_case[A1] | masque_case[D1] | masque_case[H1] | masque_case[A8] |
                                 masque_case[D8] | masque_case[H8]);
  EXPECT_TRUE(position_est_valide());
}

TEST(Fen, CampDuProgramme) {
  initialise_plateau();
  EXPECT_EQ(partie.camp_programme, NOIRS);  // the side not to move
  partie_fixe_trait(partie, partie.trait);
  partie_programme_au_trait(partie);
  EXPECT_EQ(partie.camp_programme, BLANCS);
  partie_vers_position(partie);
  EXPECT_EQ(position.camp_programme, BLANCS);
  EXPECT_EQ(position.camp_adverse, NOIRS);
}

TEST(Fen, DiagonalesDeLEvaluation) {
  initialise_plateau();
  EXPECT_EQ(diagonale_a1h8[A1], 0);
  EXPECT_EQ(diagonale_a1h8[H1], 7);
  EXPECT_EQ(diagonale_a1h8[A8], -7);
  EXPECT_EQ(diagonale_a8h1[A8], 0);
  EXPECT_EQ(diagonale_a8h1[A1], -7);
  EXPECT_EQ(diagonale_a8h1[H8], 7);
}

TEST(Fen, FenMalformesRefusesSansToucherLaPartie) {
  initialise_plateau();
  ASSERT_TRUE(lit_fen("4k3/8/8/8/8/8/8/R3K2R w K - 0 1"));
  partie_recommence(partie);
  Partie avant;
  std::memcpy(&avant, &partie, sizeof partie);
  const char* mauvais[] = {
      "",
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR",                // no side
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w",              // no castling
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq",         // no en passant
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x KQkq - 0 1",   // unknown side
      "rnbqkbnr/ppppcppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",   // unknown letter
      "rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",   // digit out of range
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPPP/RNBQKBNR w KQkq - 0 1",  // nine files
      "rnbqkbnr/pppppppp/8/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", // nine ranks
      "rnbqkbnr/pppppppp/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",     // seven ranks
      "rnbqkbnr/ppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",    // seven files
      "rnbq1bnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQ - 0 1",     // no black king
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBKKBNR w kq - 0 1",     // two white kings
      "rnbqkbnP/pppppppp/8/8/8/8/PPPPPPP1/RNBQKBNR w KQkq - 0 1",   // pawn on the last rank
      "4k3/8/8/8/8/8/8/p3K3 w - - 0 1",                             // pawn on the first rank
      "4k3/8/8/8/8/8/8/4K3 w KX - 0 1",                             // bad castling letter
      "4k3/8/8/8/8/8/8/4K3 w - e9 0 1",                             // bad square
      "4k3/8/8/8/8/8/8/4K3 w - e3 0 1",                             // wrong rank for the side
      "QQQQk3/QQQQ4/8/8/8/8/8/QQ2K3 w - - 0 1",                     // more queens than promotions allow
  };
  for (const char* fen : mauvais) {
    EXPECT_FALSE(lit_fen(fen)) << fen;
    EXPECT_STRNE(erreur_fen, "") << fen;
    EXPECT_EQ(std::memcmp(&avant, &partie, sizeof partie), 0) << fen;
  }
  // The side not to move may not stand in check: its king could be taken.
  EXPECT_FALSE(lit_fen("4k2R/8/8/8/8/8/8/4K3 w - - 0 1"));
  EXPECT_EQ(std::memcmp(&avant, &partie, sizeof partie), 0);
  EXPECT_TRUE(lit_fen("4k2R/8/8/8/8/8/8/4K3 b - - 0 1"));
  // Nine queens is possible (eight promotions), ten is not.
  EXPECT_TRUE(lit_fen("QQQQk3/QQQQ4/8/8/8/8/8/Q3K3 b - - 0 1"));
  EXPECT_FALSE(lit_fen("QQQQk3/QQQQ4/8/8/8/8/8/QQ2K3 b - - 0 1"));
}

TEST(Fen, ArretSurLaParentheseDuRoque) {
  initialise_plateau();
  ASSERT_TRUE(lit_fen("4k3/8/8/8/8/8/8/R3K3 w Q(comment"));
  EXPECT_EQ(partie.roque_blancs_depart, 2);
  EXPECT_EQ(partie.en_passant_depart, AUCUNE_CASE);
}

TEST(Fen, RoquesChess960) {
  initialise_plateau();
  chess960_demande = 1;
  // X-FEN: K and Q name the outermost rook of each wing; a file letter
  // (Shredder-FEN) names any rook, here the inner one of two on the king side.
  for (const char* roques : {"KQkq", "HBhb"}) {
    ASSERT_TRUE(lit_fen((std::string("1r2k1rr/8/8/8/8/8/8/1R2K1RR w ") + roques + " - 0 1").c_str())) << roques;
    EXPECT_EQ(partie.roque_blancs_depart, 3);
    EXPECT_EQ(partie.roque_noirs_depart, 3);
    EXPECT_EQ(partie.tours_roque[BLANCS][0], H1);
    EXPECT_EQ(partie.tours_roque[BLANCS][1], B1);
    EXPECT_EQ(partie.tours_roque[NOIRS][0], H8);
    EXPECT_EQ(partie.echecs960, 1);
  }
  ASSERT_TRUE(lit_fen("1r2k1rr/8/8/8/8/8/8/1R2K1RR w Gg - 0 1"));
  EXPECT_EQ(partie.roque_blancs_depart, 1);
  EXPECT_EQ(partie.tours_roque[BLANCS][0], G1);
  EXPECT_EQ(partie.tours_roque[BLANCS][1], AUCUNE_CASE);
  // Refused, the game record untouched: a letter with no rook on its file or
  // wing, a king off its first rank, two rooks for one wing (the king not
  // between its rooks), a letter on the king's own file.
  partie_recommence(partie);
  Partie avant;
  std::memcpy(&avant, &partie, sizeof partie);
  for (const char* fen : {"1r2k1rr/8/8/8/8/8/8/1R2K1RR w A - 0 1", "4k3/8/8/8/8/8/8/4K1R1 w Q - 0 1",
                          "8/4k3/8/8/8/8/8/R3K2R w k - 0 1", "4k3/8/8/8/8/8/8/4KRR1 w GF - 0 1",
                          "4k3/8/8/8/8/8/8/4K2R w E - 0 1"}) {
    EXPECT_FALSE(lit_fen(fen)) << fen;
    EXPECT_STRNE(erreur_fen, "") << fen;
    EXPECT_EQ(std::memcmp(&avant, &partie, sizeof partie), 0) << fen;
  }
  chess960_demande = 0;
  // Standard chess reads the field as always: file letters are refused.
  EXPECT_FALSE(lit_fen("1r2k1rr/8/8/8/8/8/8/1R2K1RR w HBhb - 0 1"));
}

}  // namespace
