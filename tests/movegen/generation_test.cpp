// Generation: what is emitted, and in which order (the picker keeps the
// order of quiet moves, so it is behaviour).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "board/texte_coup.h"
#include "common/plateau.h"

namespace {

std::vector<std::string> textes(const Coup* debut, const Coup* fin) {
  std::vector<std::string> t;
  char texte[8];
  for (const Coup* c = debut; c != fin; ++c) t.push_back(texte_coup(*c, texte));
  return t;
}

std::vector<std::string> captures(int camp) {
  Coup liste[256];
  return textes(liste, genere_captures(0, camp, liste));
}

std::vector<std::string> non_captures(int camp) {
  Coup liste[256];
  return textes(liste, genere_non_captures(0, camp, liste));
}

bool contient(const std::vector<std::string>& v, const std::string& t) {
  return std::find(v.begin(), v.end(), t) != v.end();
}

TEST(Generation, OrdreDeLaPositionInitiale) {
  ASSERT_TRUE(place_fen());
  EXPECT_TRUE(captures(BLANCS).empty());
  const std::vector<std::string> attendu = {
      "g1h3", "g1f3", "b1c3", "b1a3", "h2h4", "g2g4", "f2f4", "e2e4", "d2d4", "c2c4",
      "b2b4", "a2a4", "h2h3", "g2g3", "f2f3", "e2e3", "d2d3", "c2c3", "b2b3", "a2a3"};
  EXPECT_EQ(non_captures(BLANCS), attendu);
  // Black walks from its lowest square up.
  const std::vector<std::string> noirs = {
      "b8a6", "b8c6", "g8f6", "g8h6", "a7a5", "b7b5", "c7c5", "d7d5", "e7e5", "f7f5",
      "g7g5", "h7h5", "a7a6", "b7b6", "c7c6", "d7d6", "e7e6", "f7f6", "g7g6", "h7h6"};
  EXPECT_EQ(non_captures(NOIRS), noirs);
}

TEST(Generation, ChampsDesCoups) {
  ASSERT_TRUE(place_fen("4k3/8/8/3pP3/8/8/8/4K2R w K d6 0 1"));
  Coup liste[256];
  Coup* fin = genere_captures(0, BLANCS, liste);
  ASSERT_EQ(fin - liste, 1);
  EXPECT_EQ(liste[0], fabrique_coup(E5, D6, PION, PION));  // en passant: a pawn taken on an empty square
  fin = genere_non_captures(0, BLANCS, liste);
  EXPECT_EQ(liste[0], 0x6184);  // castling comes first, as a two-file king move
  for (Coup* c = liste; c != fin; ++c) EXPECT_EQ(piece_prise(*c), 0);
}

TEST(Generation, PromotionsReparties) {
  ASSERT_TRUE(place_fen("r3k3/1P6/8/8/8/8/8/4K3 w - - 0 1"));
  EXPECT_EQ(captures(BLANCS), (std::vector<std::string>{"b7b8q", "b7a8q"}));
  const auto calmes = non_captures(BLANCS);
  std::vector<std::string> promotions;
  for (const auto& t : calmes)
    if (t.size() == 5) promotions.push_back(t);
  EXPECT_EQ(promotions, (std::vector<std::string>{"b7b8r", "b7b8b", "b7b8n", "b7a8r", "b7a8b", "b7a8n"}));
  Coup liste[16];
  genere_captures(0, BLANCS, liste);
  EXPECT_EQ(liste[1], fabrique_coup(B7, A8, PION, TOUR, DAME));
}

TEST(Generation, PromotionsNoires) {
  ASSERT_TRUE(place_fen("4k3/8/8/8/8/8/6p1/4K2N b - - 0 1"));
  EXPECT_EQ(captures(NOIRS), (std::vector<std::string>{"g2g1q", "g2h1q"}));
}

TEST(Generation, EnPassantSeulementParLaCaseDuPly) {
  ASSERT_TRUE(place_fen("4k3/8/8/3pP3/8/8/8/4K3 w - - 0 1"));
  EXPECT_TRUE(captures(BLANCS).empty());
  position.etats[0].en_passant = D6;
  EXPECT_EQ(captures(BLANCS), (std::vector<std::string>{"e5d6"}));
  ASSERT_TRUE(place_fen("4k3/8/8/8/4pP2/8/8/4K3 b - f3 0 1"));
  EXPECT_EQ(captures(NOIRS), (std::vector<std::string>{"e4f3"}));
}

TEST(Generation, Roques) {
  // Both castlings when the path is free and safe.
  ASSERT_TRUE(place_fen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1"));
  auto calmes = non_captures(BLANCS);
  ASSERT_GE(calmes.size(), 2u);
  EXPECT_EQ(calmes[0], "e1g1");
  EXPECT_EQ(calmes[1], "e1c1");
  calmes = non_captures(NOIRS);
  EXPECT_EQ(calmes[0], "e8g8");
  EXPECT_EQ(calmes[1], "e8c8");
  // Through an attacked square (f1 by the rook on f8), or out of check: never.
  ASSERT_TRUE(place_fen("5r2/4k3/8/8/8/8/8/R3K2R w KQ - 0 1"));
  calmes = non_captures(BLANCS);
  EXPECT_FALSE(contient(calmes, "e1g1"));
  EXPECT_TRUE(contient(calmes, "e1c1"));
  ASSERT_TRUE(place_fen("4r3/3k4/8/8/8/8/8/R3K2R w KQ - 0 1"));
  calmes = non_captures(BLANCS);
  EXPECT_FALSE(contient(calmes, "e1g1"));
  EXPECT_FALSE(contient(calmes, "e1c1"));
  // Long castling with only b1 attacked is allowed: b1 must be empty, not safe.
  ASSERT_TRUE(place_fen("1r6/3k4/8/8/8/8/8/R3K2R w KQ - 0 1"));
  calmes = non_captures(BLANCS);
  EXPECT_TRUE(contient(calmes, "e1c1"));
  // A piece on the path blocks; a right that is gone gives nothing.
  ASSERT_TRUE(place_fen("4k3/8/8/8/8/8/8/RN2K1NR w KQ - 0 1"));
  calmes = non_captures(BLANCS);
  EXPECT_FALSE(contient(calmes, "e1g1"));
  EXPECT_FALSE(contient(calmes, "e1c1"));
  ASSERT_TRUE(place_fen("4k3/8/8/8/8/8/8/R3K2R w - - 0 1"));
  calmes = non_captures(BLANCS);
  EXPECT_FALSE(contient(calmes, "e1g1"));
  // A side that has castled (byte 4) does not castle again.
  ASSERT_TRUE(place_fen("4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1"));
  position.etats[0].roque_blancs = 4;
  calmes = non_captures(BLANCS);
  EXPECT_FALSE(contient(calmes, "e1g1"));
  EXPECT_FALSE(contient(calmes, "e1c1"));
}

TEST(Generation, CoupsIllegauxEmisQuandMeme) {
  // The pinned knight on e2 and the king stepping onto an attacked square.
  ASSERT_TRUE(place_fen("4r1k1/8/8/8/8/8/4N3/4K3 w - - 0 1"));
  const auto calmes = non_captures(BLANCS);
  EXPECT_TRUE(contient(calmes, "e2c3"));
  EXPECT_TRUE(contient(calmes, "e1f1"));
}

TEST(Generation, CapturesEtNonCapturesSansDoublon) {
  // Over every position of the suite, the two generators together give each
  // move exactly once, and every capture names the piece it takes.
  for (const CasPerft& c : lit_epd_perft(std::string(VELMAR_TEST_DATA) + "/perft.epd")) {
    ASSERT_TRUE(place_fen(c.fen));
    Coup liste[512];
    Coup* milieu = genere_captures(0, partie.trait, liste);
    Coup* fin = genere_non_captures(0, partie.trait, milieu);
    std::vector<Coup> tous(liste, fin);
    std::sort(tous.begin(), tous.end());
    EXPECT_TRUE(std::adjacent_find(tous.begin(), tous.end()) == tous.end()) << c.fen;
    for (Coup* m = liste; m != milieu; ++m) {
      const int sur = position.cases[destination(*m)];
      EXPECT_TRUE(piece_prise(*m) != 0 || promotion(*m) == DAME) << c.fen;
      if (sur != 0) {
        EXPECT_EQ(piece_prise(*m), sur < 0 ? -sur : sur) << c.fen;
      }
    }
    for (Coup* m = milieu; m != fin; ++m) EXPECT_TRUE(piece_prise(*m) == 0 || (promotion(*m) != 0 && promotion(*m) != DAME)) << c.fen;
  }
}

TEST(Generation, ListeDuPly) {
  ASSERT_TRUE(place_fen());
  genere_coups(BLANCS, 0);
  EXPECT_EQ(debut_liste[0], pile_coups);
  EXPECT_EQ(debut_liste[1] - debut_liste[0], 20);
}

}  // namespace
