// Make and unmake: every field comes back bit for bit, and the incremental
// fields always equal a fresh computation from the squares.
#include <gtest/gtest.h>

#include <cstring>

#include "board/joue.h"
#include "common/plateau.h"
#include "movegen/attaques.h"

namespace {

// Copies the search board byte for byte (padding included, which make and
// unmake never write).
struct Image {
  unsigned char octets[sizeof(Position)];
  void prend() { std::memcpy(octets, &position, sizeof position); }
};

// Make every move at ply `ply`, check the board, recurse, unmake, and
// compare with the board before: everything but the scratch entries of ply
// `ply` (the next ply's state and the saved keys) must be back.
void verifie_recursif(int camp, int ply, int profondeur, const std::string& fen) {
  genere_coups(camp, ply);
  for (Coup* c = debut_liste[ply]; c != debut_liste[ply + 1]; ++c) {
    Image avant;
    avant.prend();
    const uint64_t cle_partie = partie.cles[position.demi_coups];
    joue(camp, ply, *c);
    ASSERT_TRUE(position_est_valide()) << fen << " move " << *c;
    ASSERT_EQ(partie.cles[position.demi_coups], position.cle);
    if (profondeur > 1 && !en_echec(camp)) verifie_recursif(camp ^ 1, ply + 1, profondeur - 1, fen);
    dejoue(camp, ply, *c);
    position.etats[ply + 1] = reinterpret_cast<Position*>(avant.octets)->etats[ply + 1];
    position.cles_ply[ply] = reinterpret_cast<Position*>(avant.octets)->cles_ply[ply];
    position.cles_pions_ply[ply] = reinterpret_cast<Position*>(avant.octets)->cles_pions_ply[ply];
    ASSERT_EQ(std::memcmp(avant.octets, &position, sizeof position), 0) << fen << " move " << *c;
    ASSERT_EQ(partie.cles[position.demi_coups], cle_partie);
  }
}

TEST(Joue, JoueDejoueRestaureToutSurLaSuiteAProfondeurDeux) {
  for (const CasPerft& c : lit_epd_perft(std::string(VELMAR_TEST_DATA) + "/perft.epd")) {
    ASSERT_TRUE(place_fen(c.fen));
    ASSERT_TRUE(position_est_valide());
    verifie_recursif(partie.trait, 0, 2, c.fen);
  }
}

TEST(Joue, CasParticuliersRestaures) {
  // Castling both ways for both sides, en passant both ways, the four
  // promotions with and without capture, captures on the four corners.
  const char* positions[] = {
      "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1",
      "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1",
      "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1",
      "4k3/8/8/8/4pP2/8/8/4K3 b - f3 0 1",
      "rn2k3/1P6/8/8/8/8/6p1/4K1NR w - - 0 1",
      "rn2k3/1P6/8/8/8/8/6p1/4K1NR b - - 0 1",
      "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1",
      "1r2k2r/8/8/8/8/8/8/R3K1R1 b Kk - 0 1",
  };
  for (const char* fen : positions) {
    ASSERT_TRUE(place_fen(fen));
    verifie_recursif(partie.trait, 0, 3, fen);
  }
  // Chess960 castling both ways: the king landing on its rook's square, the
  // king and rook trading squares, a king that does not move.
  chess960_demande = 1;
  for (const char* fen : {"1r2k1r1/8/8/8/8/8/8/1R2K1R1 w GBgb - 0 1", "4rkr1/8/8/8/8/8/8/4RKR1 b EGeg - 0 1",
                          "rk4rr/8/8/8/8/8/1P6/1RK3R1 w Bh - 0 1"}) {
    ASSERT_TRUE(place_fen(fen)) << fen << ": " << erreur_fen;
    verifie_recursif(partie.trait, 0, 3, fen);
  }
  chess960_demande = 0;
}

TEST(Joue, DroitsDeRoqueEtEnPassant) {
  // White takes the rook on h8: Black loses the king side.
  ASSERT_TRUE(place_fen("r3k2r/8/8/8/8/8/8/4K2R w Kkq - 0 1"));
  joue(BLANCS, 0, fabrique_coup(H1, H8, TOUR, TOUR));
  EXPECT_EQ(position.etats[1].roque_noirs, 2);
  EXPECT_EQ(position.etats[1].roque_blancs, 0);  // the white rook left h1 too
  dejoue(BLANCS, 0, fabrique_coup(H1, H8, TOUR, TOUR));
  // A black rook leaving a8 clears the queen side.
  ASSERT_TRUE(place_fen("r3k2r/8/8/8/8/8/8/4K3 b kq - 0 1"));
  joue(NOIRS, 0, fabrique_coup(A8, B8, TOUR));
  EXPECT_EQ(position.etats[1].roque_noirs, 1);
  // After castling the byte is 4; a later king move makes it 0.
  ASSERT_TRUE(place_fen("4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1"));
  joue(BLANCS, 0, fabrique_coup(E1, G1, ROI));
  EXPECT_EQ(position.etats[1].roque_blancs, 4);
  EXPECT_EQ(position.cases[F1], TOUR);
  EXPECT_EQ(position.cases[H1], 0);
  EXPECT_EQ(position.roi_blanc, G1);
  joue(NOIRS, 1, fabrique_coup(E8, D8, ROI));
  joue(BLANCS, 2, fabrique_coup(G1, H1, ROI));
  EXPECT_EQ(position.etats[3].roque_blancs, 0);
  // A double push sets the en-passant square even with no pawn to take.
  ASSERT_TRUE(place_fen());
  joue(BLANCS, 0, fabrique_coup(A2, A4, PION));
  EXPECT_EQ(position.etats[1].en_passant, A3);
  joue(NOIRS, 1, fabrique_coup(H7, H6, PION));
  EXPECT_EQ(position.etats[2].en_passant, AUCUNE_CASE);
  EXPECT_EQ(position.demi_coups, 2);
}

TEST(Joue, MaterielPhaseEtPromotion) {
  ASSERT_TRUE(place_fen("r3k3/1P6/8/8/8/8/8/4K3 w - - 0 1"));
  const Coup c = fabrique_coup(B7, A8, PION, TOUR, CAVALIER);
  joue(BLANCS, 0, c);
  EXPECT_EQ(position.materiel_blancs, 300);
  EXPECT_EQ(position.materiel_noirs, 0);
  EXPECT_EQ(position.nb_pions_blancs, 0);
  EXPECT_EQ(position.phase_blancs, 3);
  EXPECT_EQ(position.phase_noirs, 0);
  EXPECT_EQ(position.cases[A8], CAVALIER);
  EXPECT_EQ(position.cle_pions, 0u);
  EXPECT_TRUE(position_est_valide());
  dejoue(BLANCS, 0, c);
  EXPECT_EQ(position.materiel_blancs, 100);
  EXPECT_EQ(position.materiel_noirs, 500);
  EXPECT_EQ(position.phase_noirs, 5);
  EXPECT_TRUE(position_est_valide());
}

TEST(Joue, PositionEstValideVoitUneIncoherence) {
  ASSERT_TRUE(place_fen());
  EXPECT_TRUE(position_est_valide());
  position.cle ^= 1;
  EXPECT_FALSE(position_est_valide());
  position.cle ^= 1;
  position.lignes ^= masque_case[E4];
  EXPECT_FALSE(position_est_valide());
  position.lignes ^= masque_case[E4];
  position.phase_noirs += 1;
  EXPECT_FALSE(position_est_valide());
  position.phase_noirs -= 1;
  EXPECT_TRUE(position_est_valide());
}

}  // namespace
