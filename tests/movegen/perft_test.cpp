// Leaf counts of the perft suite: positions chosen to stress castling, en
// passant, promotions and pins, against published counts.
#include <gtest/gtest.h>

#include "common/plateau.h"
#include "common/session.h"
#include "perft.h"

namespace {

const std::string fichier_suite = std::string(VELMAR_TEST_DATA) + "/perft.epd";

// Every position to the deepest published depth of at most `plafond` leaves.
void verifie_suite(unsigned long long plafond) {
  const auto suite = lit_epd_perft(fichier_suite);
  ASSERT_EQ(suite.size(), 70u);
  for (const CasPerft& c : suite) {
    ASSERT_TRUE(place_fen(c.fen)) << c.fen << ": " << erreur_fen;
    for (const auto& [profondeur, attendu] : c.comptes) {
      if (attendu > plafond && profondeur > 1) break;
      EXPECT_EQ(compte_perft(partie.trait, 0, profondeur), attendu) << c.fen << " depth " << profondeur;
    }
  }
}

TEST(Perft, SuiteJusquAUnMillionDeFeuilles) { verifie_suite(1000000); }

TEST(PerftSlow, SuiteALaProfondeurComplete) { verifie_suite(~0ull); }

TEST(Perft, ModeDuProgrammeCompteParCoupRacine) {
  int statut = -1;
  const std::string sortie =
      lance_velmar({"perft", "2", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8", "w", "-", "-", "0", "1"}, "", &statut);
  EXPECT_EQ(statut, 0);
  // 14 root moves, a blank line, then the total.
  EXPECT_NE(sortie.find("b4b1: 16\n"), std::string::npos) << sortie;
  EXPECT_NE(sortie.find("e2e4: 16\n"), std::string::npos) << sortie;
  EXPECT_NE(sortie.find("\n\nNodes searched: 191\n"), std::string::npos) << sortie;
  size_t lignes = 0;
  for (char ch : sortie) lignes += ch == '\n';
  EXPECT_EQ(lignes, 16u);
}

TEST(Perft, ModeDuProgrammeSansFenPartDuDebut) {
  int statut = -1;
  const std::string sortie = lance_velmar({"perft", "3"}, "", &statut);
  EXPECT_EQ(statut, 0);
  EXPECT_EQ(sortie.substr(0, 10), "g1h3: 400\n");
  EXPECT_NE(sortie.find("\n\nNodes searched: 8902\n"), std::string::npos);
}

TEST(Perft, ModeDuProgrammeRefuseLesArgumentsInvalides) {
  int statut = -1;
  EXPECT_EQ(lance_velmar({"perft", "x"}, "", &statut), "");
  EXPECT_EQ(statut, 2);
  EXPECT_EQ(lance_velmar({"perft", "99"}, "", &statut), "");
  EXPECT_EQ(statut, 2);
  EXPECT_EQ(lance_velmar({"perft", "2", "8/8/8/8/8/8/8/8", "w", "-", "-"}, "", &statut), "");
  EXPECT_EQ(statut, 2);
}

}  // namespace
