// Book keys and ECO keys of known positions, byte for byte.
#include <gtest/gtest.h>

#include "aides_livre.h"
#include "board/cles.h"
#include "board/position.h"
#include "book/eco.h"
#include "book/livre.h"

namespace {

std::vector<uint8_t> cle_eco_de(const std::string& fen, const std::vector<std::string>& coups) {
  EXPECT_TRUE(installe(fen, coups));
  std::vector<uint8_t> cle(TAILLE_CLE_ECO);
  cle_eco(cle.data(), partie.trait, 0);
  return cle;
}

}  // namespace

TEST(CleLivre, PositionInitiale) {
  ASSERT_TRUE(installe("", {}));
  EXPECT_EQ(cle_complete(0, BLANCS), CLE_LIVRE_DEPART);
  EXPECT_EQ(CLE_LIVRE_DEPART >> 32, 0x521D63F0u);
  EXPECT_EQ(CLE_LIVRE_DEPART & 0xFFFFFFFFu, 0xB9DBC7F0u);
}

TEST(CleEco, PositionInitialeOctetParOctet) {
  const std::vector<uint8_t> attendu = {
      0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF,  // occupancy, a1 = bit 0
      0x24, 0x53, 0x36, 0x42,                          // R N B Q K B N R
      0x11, 0x11, 0x11, 0x11,                          // white pawns
      0x99, 0x99, 0x99, 0x99,                          // black pawns (1 + 8)
      0xAC, 0xDB, 0xBE, 0xCA,                          // r n b q k b n r
      0x0F, 0x00, 0x00, 0x00};                         // four rights, White to move, no en passant
  EXPECT_EQ(cle_eco_de("", {}), attendu);
}

TEST(CleEco, TraitEtDroitsDeRoque) {
  // Black to move after 1.e4; the e3 square cannot be taken: no en passant.
  std::vector<uint8_t> cle = cle_eco_de("", {"e2e4"});
  EXPECT_EQ(cle[24], 0x1F);
  EXPECT_EQ(cle[26], 0);
  EXPECT_EQ(cle[27], 0);
  // Only White's king side and Black's queen side rights: bits 0 and 3.
  cle = cle_eco_de("r3k2r/8/8/8/8/8/8/R3K2R w Kq - 0 1", {});
  EXPECT_EQ(cle[24], 0x09);
}

TEST(CleEco, EnPassantPrenableOuNon) {
  // 1.e4 d5 2.e5 f5: the e5 pawn can take on f6 (square 45).
  std::vector<uint8_t> cle = cle_eco_de("", {"e2e4", "d7d5", "e4e5", "f7f5"});
  EXPECT_EQ(cle[24], 0x0F);
  EXPECT_EQ(cle[26], 45);
  EXPECT_EQ(cle[27], 0);
  // a7-a5 beside a white pawn on b5: a6 (40) can be taken.
  cle = cle_eco_de("4k3/p7/8/1P6/8/8/8/4K3 b - - 0 1", {"a7a5"});
  EXPECT_EQ(cle[26], 40);
  // A white pawn on h4 is not beside a6, although 40 - 9 = 31 is h4.
  cle = cle_eco_de("4k3/p7/8/8/7P/8/8/4K3 b - - 0 1", {"a7a5"});
  EXPECT_EQ(cle[26], 0);
  // Black to move: h2-h4 next to a black pawn on g4 gives h3 (23).
  cle = cle_eco_de("4k3/8/8/8/6p1/8/7P/4K3 w - - 0 1", {"h2h4"});
  EXPECT_EQ(cle[24], 0x10);
  EXPECT_EQ(cle[26], 23);
  // ...but a black pawn on a4 is not beside h3.
  cle = cle_eco_de("4k3/8/8/8/p7/8/7P/4K3 w - - 0 1", {"h2h4"});
  EXPECT_EQ(cle[26], 0);
}

TEST(CleEco, EnPassantSuitLaCleDuLivre) {
  // The book key holds the en-passant square under the same condition.
  ASSERT_TRUE(installe("", {"e2e4", "d7d5", "e4e5", "f7f5"}));
  const uint64_t avec = cle_complete(0, BLANCS);
  ASSERT_TRUE(installe("", {"e2e4", "d7d5", "e4e5", "f7f6", "g1f3", "f6f5", "f3g1"}));
  EXPECT_NE(cle_complete(0, BLANCS), avec);  // same placement, no en passant
  ASSERT_TRUE(installe("", {"e2e4"}));
  const uint64_t apres_e4 = cle_complete(0, NOIRS);
  ASSERT_TRUE(installe("", {"g1f3", "g8f6", "f3g1", "f6g8", "e2e4"}));
  EXPECT_EQ(cle_complete(0, NOIRS), apres_e4);
}
