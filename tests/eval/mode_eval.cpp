// The eval mode of the binary: one line per group of terms, then the
// evaluation for the side to move.
#include <gtest/gtest.h>

#include <string>

#include "common/session.h"

TEST(ModeEval, PositionDeDepart) {
  int statut = -1;
  const std::string sortie = lance_velmar({"eval"}, "", &statut);
  EXPECT_EQ(statut, 0);
  EXPECT_NE(sortie.find("Phase: 0"), std::string::npos) << sortie;
  EXPECT_NE(sortie.find("Materiel et echanges: 0\n"), std::string::npos);
  EXPECT_NE(sortie.find("Trait: 5\n"), std::string::npos);
  EXPECT_NE(sortie.find("\nEvaluation: 5\n"), std::string::npos) << sortie;
}

TEST(ModeEval, GroupesDUnMilieuDePartie) {
  int statut = -1;
  const std::string sortie =
      lance_velmar({"eval", "r3k2r/ppppqppp/3b4/8/8/3B4/PPPQ1PPP/R4RK1", "b", "kq", "-", "0", "1"}, "", &statut);
  EXPECT_EQ(statut, 0);
  const char* lignes[] = {"Materiel et echanges: -100\n", "Structure de pions: 6\n", "Pions passes: 0\n",
                          "Roque et centre: -5\n",       "Exposition des rois: 24\n", "Attaque des rois: -3\n",
                          "Pieces: 13\n",                 "Fous: 0\n",                 "Trait: -5\n",
                          "Evaluation: 70\n"};
  size_t position = 0;
  for (const char* ligne : lignes) {
    const size_t trouve = sortie.find(ligne, position);
    EXPECT_NE(trouve, std::string::npos) << ligne << sortie;
    if (trouve != std::string::npos) position = trouve;
  }
}

TEST(ModeEval, FinaleAvecSaCorrection) {
  int statut = -1;
  const std::string sortie = lance_velmar({"eval", "8/4k3/8/8/1b6/B5p1/8/3K4 w - -"}, "", &statut);
  EXPECT_EQ(statut, 0);
  EXPECT_NE(sortie.find("Finale: -11\n"), std::string::npos) << sortie;
  EXPECT_NE(sortie.find("Correction de finale nulle: 128\n"), std::string::npos) << sortie;
  EXPECT_EQ(sortie.find("Pieces:"), std::string::npos);
  EXPECT_NE(sortie.find("Evaluation: -129\n"), std::string::npos) << sortie;
}

TEST(ModeEval, FenRefusee) {
  int statut = -1;
  const std::string sortie = lance_velmar({"eval", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNX w KQkq -"}, "", &statut);
  EXPECT_EQ(statut, 2);
  EXPECT_EQ(sortie.find("Evaluation"), std::string::npos);
}
