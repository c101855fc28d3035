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

// The Chess960 suite (Shredder-FEN castling fields) to `profondeur` plies.
void verifie_suite960(int profondeur) {
  const auto suite = lit_epd_perft(std::string(VELMAR_TEST_DATA) + "/fischer.epd");
  ASSERT_EQ(suite.size(), 480u);
  chess960_demande = 1;
  for (const CasPerft& c : suite) {
    ASSERT_TRUE(place_fen(c.fen)) << c.fen << ": " << erreur_fen;
    for (const auto& [p, attendu] : c.comptes) {
      if (p > profondeur) break;
      EXPECT_EQ(compte_perft(partie.trait, 0, p), attendu) << c.fen << " depth " << p;
    }
  }
  chess960_demande = 0;
}

TEST(Perft, Chess960) { verifie_suite960(3); }

TEST(PerftSlow, Chess960ALaProfondeurCinq) { verifie_suite960(5); }

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

TEST(Perft, ModeDuProgrammeLitLesRoquesChess960) {
  // Shredder-FEN and X-FEN fields name the same rights; castling is written
  // as the king taking its own rook. A standard FEN keeps standard castling.
  for (const char* roques : {"GBgb", "KQkq"}) {
    int statut = -1;
    const std::string sortie =
        lance_velmar({"perft", "2", "1r2k1r1/pppppppp/8/8/8/8/PPPPPPPP/1R2K1R1", "w", roques, "-", "0", "1"}, "", &statut);
    EXPECT_EQ(statut, 0);
    EXPECT_NE(sortie.find("e1g1: 25\n"), std::string::npos) << sortie;
    EXPECT_NE(sortie.find("e1b1: 25\n"), std::string::npos) << sortie;
    EXPECT_NE(sortie.find("\n\nNodes searched: 625\n"), std::string::npos) << sortie;
  }
  const std::string standard = lance_velmar({"perft", "1", "r3k2r/8/8/8/8/8/8/R3K2R", "w", "KQkq", "-", "0", "1"}, "");
  EXPECT_NE(standard.find("e1g1: 1\n"), std::string::npos) << standard;
  EXPECT_NE(standard.find("e1c1: 1\n"), std::string::npos) << standard;
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
