// The PGN reader and the SAN resolver on awkward input.
#include <gtest/gtest.h>

#include "aides_livre.h"
#include "board/joue.h"
#include "board/texte_coup.h"
#include "book/pgn.h"
#include "book/san.h"

namespace {

std::vector<PartiePgn> lit_tout(const std::string& texte) {
  std::vector<PartiePgn> parties;
  PartiePgn p;
  size_t pos = 0;
  while (lit_partie_pgn(texte.data(), texte.size(), pos, p, 100)) parties.push_back(p);
  return parties;
}

std::string joue_san(const std::vector<std::string>& coups) {
  plateau_pret();
  prepare_rejeu();
  std::string texte;
  for (size_t ply = 0; ply < coups.size(); ply++) {
    const int camp = static_cast<int>(ply & 1);
    const Coup c = coup_depuis_san(coups[ply].c_str(), camp, static_cast<int>(ply));
    if (!c) return texte + "?";
    char t[8];
    texte += std::string(texte_coup(c, t)) + " ";
    joue(camp, static_cast<int>(ply), c);
  }
  return texte;
}

}  // namespace

TEST(LecteurPgn, VariationNonFermeeNAvalePasLaSuite) {
  const std::vector<PartiePgn> p = lit_tout(
      "1. e4 e5 2. Nf3 ((( Nc6 ) 3. Bb5 1-0\n"
      "[Event \"b\"]\n[Result \"0-1\"]\n[WhiteElo \"2700\"]\n[Date \"????.??.??\"]\n\n1.d4 d5 2.c4\n"
      "[Event \"c\"]\n[Result \"1/2-1/2\"]\n1. c4 {[%clk 1:00:00]} c5 $3 2... ! 1/2-1/2\n");
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[0].coups, (std::vector<std::string>{"e4", "e5", "Nf3"}));
  EXPECT_EQ(p[1].coups, (std::vector<std::string>{"d4", "d5", "c4"}));
  EXPECT_EQ(p[1].resultat, RESULTAT_NOIRS);  // from the tag: the move text has none
  EXPECT_EQ(p[1].elo_blancs, 2700);
  EXPECT_EQ(p[1].annee, 0);
  EXPECT_EQ(p[2].coups, (std::vector<std::string>{"c4", "c5"}));
  EXPECT_EQ(p[2].resultat, RESULTAT_NULLE);
  EXPECT_TRUE(lit_tout("  \n\n").empty());
}

TEST(LecteurPgn, FormesDuSan) {
  std::vector<std::string> coups;
  lit_coups_pgn("1. e4 e5 2. Nf3 Nc6 3. Bc4 Nf6 4. 0-0 Nxe4 5. Re1 d5 6. Bxd5 Qxd5 7. Nc3 Qa5 8. Rxe4+ Be6", coups);
  EXPECT_EQ(joue_san(coups), "e2e4 e7e5 g1f3 b8c6 f1c4 g8f6 e1g1 f6e4 f1e1 d7d5 c4d5 d8d5 b1c3 d5a5 e1e4 c8e6 ");
  // Disambiguation by file, by rank and by square; promotion with and
  // without '='; en passant with its mark.
  lit_coups_pgn("1. Nf3 Nf6 2. Nc3 Nc6 3. Nb5 Nb4 4. Nbd4 Nbd5", coups);
  EXPECT_EQ(joue_san(coups).substr(30), "b5d4 b4d5 ");
  EXPECT_EQ(joue_san({"e4", "a6", "e5", "d5", "exd6e.p."}), "e2e4 a7a6 e4e5 d7d5 e5d6 ");
  EXPECT_EQ(joue_san({"Nc3", "Nc6", "Ne4", "Ne5", "Ng3", "Ng6", "N1f3", "N8f6", "Ng1-e2"}).substr(30),
            "g1f3 g8f6 ?");  // the g1 knight has gone
  EXPECT_EQ(joue_san({"Nf3", "Nf6", "Nc3", "Nc6", "Nd4", "Nd5", "Ndb5"}), "g1f3 g8f6 b1c3 b8c6 f3d4 f6d5 d4b5 ");
  EXPECT_EQ(joue_san({"Nf3", "Nf6", "Nc3", "Nc6", "Nd4", "Nd5", "Nb5"}), "g1f3 g8f6 b1c3 b8c6 f3d4 f6d5 ?");  // ambiguous
  const std::vector<std::string> vers_g8 = {"h4", "g5", "hxg5", "h6", "gxh6", "Nc6", "h7", "a6"};
  std::vector<std::string> promo = vers_g8;
  promo.push_back("hxg8=Q+");
  EXPECT_EQ(joue_san(promo).substr(40), "h7g8q ");
  promo.back() = "hxg8N";
  EXPECT_EQ(joue_san(promo).substr(40), "h7g8n ");
  EXPECT_EQ(joue_san({"e4", "e5", "Ke2", "Ke7", "O-O"}), "e2e4 e7e5 e1e2 e8e7 ?");  // king moved
  EXPECT_EQ(joue_san({"e5"}), "?");
  EXPECT_EQ(joue_san({"Ne4"}), "?");
  EXPECT_EQ(joue_san({"xx"}), "?");
  EXPECT_EQ(joue_san({"e4", "e5", "Qh5", "Nc6", "Bc4", "Nf6", "Qxf7#"}).substr(30), "h5f7 ");
}
