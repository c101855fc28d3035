// The input layer and the interpreter in-process, with standard input
// replaced by a pipe the test writes into.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "board/position.h"
#include "console/entree.h"
#include "front/demarrage.h"
#include "front/go.h"
#include "front/interprete.h"
#include "front/position_uci.h"
#include "search/etat_recherche.h"
#include "search/limites_recherche.h"
#include "search/reglages_recherche.h"

namespace {

class EntreeTube : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static bool fait = false;
    if (!fait) initialise_moteur();
    fait = true;
  }
  void SetUp() override {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    sauvegarde_ = dup(0);
    dup2(fds[0], 0);
    close(fds[0]);
    tube_ = fds[1];
    recherche_en_cours = 0;
    arret_recherche = 0;
  }
  void TearDown() override {
    // Leave nothing behind for the next test; the write end stays open until
    // then so the reader never meets the end of input.
    char ligne[TAILLE_LIGNE];
    while (entree_disponible() > 0) lit_reste_ligne(ligne, TAILLE_LIGNE);
    close(tube_);
    dup2(sauvegarde_, 0);
    close(sauvegarde_);
    recherche_en_cours = 0;
  }
  void envoie(const std::string& texte) { ASSERT_EQ(write(tube_, texte.data(), texte.size()), (ssize_t)texte.size()); }
  std::string mot() {
    char m[TAILLE_LIGNE];
    lit_mot(m, TAILLE_LIGNE);
    return m;
  }
  int tube_ = -1;
  int sauvegarde_ = -1;
};

TEST_F(EntreeTube, LeSondageVoitCeQueLeLecteurADejaLu) {
  EXPECT_EQ(entree_disponible(), 0);
  // One write: reading "isready" takes both lines into the program's buffer,
  // leaving the descriptor empty while "stop" is still waiting.
  envoie("isready\nstop\n");
  EXPECT_GT(entree_disponible(), 0);
  EXPECT_EQ(mot(), "isready");
  EXPECT_GT(entree_disponible(), 0);
  EXPECT_EQ(mot(), "stop");
  EXPECT_EQ(entree_disponible(), 0);
}

TEST_F(EntreeTube, LigneIncompleteOuBlancheNeComptePas) {
  envoie("sto");
  EXPECT_EQ(entree_disponible(), 0);
  envoie("p\n");
  EXPECT_GT(entree_disponible(), 0);
  EXPECT_EQ(mot(), "stop");
  envoie("\n \t\r\n\n");
  EXPECT_EQ(entree_disponible(), 0);
}

TEST_F(EntreeTube, LecteursDeMotEtDeLigne) {
  envoie("  debug\r\nposition   startpos moves e2e4\r\n");
  char m[TAILLE_LIGNE];
  EXPECT_EQ(lit_mot(m, TAILLE_LIGNE), LECTURE_OK);
  EXPECT_STREQ(m, "debug");
  // The word reader of a line stops at its end.
  EXPECT_EQ(lit_mot_ligne(m, TAILLE_LIGNE), LECTURE_VIDE);
  EXPECT_EQ(lit_mot_ligne(m, TAILLE_LIGNE), LECTURE_VIDE);
  EXPECT_EQ(lit_mot(m, TAILLE_LIGNE), LECTURE_OK);
  EXPECT_STREQ(m, "position");
  EXPECT_EQ(lit_reste_ligne(m, TAILLE_LIGNE), LECTURE_OK);
  EXPECT_STREQ(m, "   startpos moves e2e4");
  // Too long for the buffer: skipped whole, and the next word is intact.
  envoie("abcdefgh suite\n");
  char petit[4];
  EXPECT_EQ(lit_mot(petit, sizeof petit), LECTURE_TROP_LONG);
  EXPECT_STREQ(petit, "");
  EXPECT_EQ(lit_mot(petit, sizeof petit), LECTURE_TROP_LONG);
  envoie("abc\n");
  EXPECT_EQ(lit_mot(petit, sizeof petit), LECTURE_OK);
  EXPECT_STREQ(petit, "abc");
}

TEST_F(EntreeTube, PendantUneRechercheLesCommandesSontGardeesPourApres) {
  recherche_en_cours = 1;
  std::strcpy(derniere_position, "startpos moves d2d4");
  envoie("setoption name Ponder value true\n");
  interprete_commande();
  // An option is kept for later without ending the search.
  EXPECT_EQ(arret_recherche, 0);
  EXPECT_EQ(ponder_autorise, 0);
  envoie("position startpos moves e2e4\n");
  interprete_commande();
  EXPECT_EQ(arret_recherche, 1);
  EXPECT_STREQ(derniere_position, "startpos moves d2d4");
  // What was put aside is not reported as waiting input to the search.
  EXPECT_EQ(entree_disponible(), 0);
  arret_recherche = 0;
  envoie("go depth 3\n");
  interprete_commande();
  EXPECT_EQ(arret_recherche, 1);
  envoie("isready\n");
  EXPECT_GT(entree_disponible(), 0);

  // After "bestmove" the kept commands come first, in their order.
  recherche_en_cours = 0;
  entree_reprend_differees();
  char ligne[TAILLE_LIGNE];
  EXPECT_EQ(mot(), "setoption");
  lit_reste_ligne(ligne, TAILLE_LIGNE);
  EXPECT_STREQ(ligne, " name Ponder value true");
  EXPECT_EQ(mot(), "position");
  lit_reste_ligne(ligne, TAILLE_LIGNE);
  EXPECT_STREQ(ligne, " startpos moves e2e4");
  EXPECT_EQ(mot(), "go");
  lit_reste_ligne(ligne, TAILLE_LIGNE);
  EXPECT_STREQ(ligne, " depth 3");
  EXPECT_EQ(mot(), "isready");
}

TEST_F(EntreeTube, StopEtPonderhitNeFontQueLeverDesDrapeaux) {
  recherche_en_cours = 1;
  ponder_en_cours = 1;
  envoie("ponderhit\n");
  interprete_commande();
  EXPECT_EQ(ponder_en_cours, 0);
  EXPECT_EQ(arret_recherche, 0);
  envoie("stop\n");
  interprete_commande();
  EXPECT_EQ(arret_recherche, 1);
}

TEST_F(EntreeTube, PositionContinueLaPartiePrecedente) {
  derniere_position[0] = 0;
  envoie("position startpos moves e2e4\n");
  interprete_commande();
  EXPECT_EQ(position_continue, 0);
  EXPECT_STREQ(derniere_position, "startpos moves e2e4");

  mat_connu = 29995;
  analyse_infinie = 1;
  envoie("position startpos moves e2e4 e7e5\n");
  interprete_commande();
  EXPECT_EQ(position_continue, 1);
  EXPECT_EQ(mat_connu, 29995);
  EXPECT_EQ(analyse_infinie, 0);

  envoie("position startpos moves d2d4\n");
  interprete_commande();
  EXPECT_EQ(position_continue, 0);
  EXPECT_EQ(mat_connu, 0);

  // The first moves of a game continue "startpos" alone; the same moves from
  // another start, or after another first word, are a new game.
  envoie("position startpos\n");
  interprete_commande();
  envoie("position startpos moves e2e4\n");
  interprete_commande();
  EXPECT_EQ(position_continue, 1);
  mat_connu = 29995;
  envoie("position fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 moves e2e4 e7e5\n");
  interprete_commande();
  EXPECT_EQ(position_continue, 0);
  EXPECT_EQ(mat_connu, 0);
  envoie("position fen 8/8/8/8/8/8/8/K6k w - - 0 1 moves e2e4 e7e5\n");
  interprete_commande();
  EXPECT_EQ(position_continue, 0);

  // A last word that only grows is another word: another promotion piece,
  // another move number.
  envoie("position fen 8/4P3/8/8/8/8/8/K6k w - - 0 1 moves e7e8\n");
  interprete_commande();
  mat_connu = 29995;
  envoie("position fen 8/4P3/8/8/8/8/8/K6k w - - 0 1 moves e7e8n\n");
  interprete_commande();
  EXPECT_EQ(position_continue, 0);
  EXPECT_EQ(mat_connu, 0);
  envoie("position fen 8/8/8/8/8/8/8/K6k w - - 0 1\n");
  interprete_commande();
  envoie("position fen 8/8/8/8/8/8/8/K6k w - - 0 12\n");
  interprete_commande();
  EXPECT_EQ(position_continue, 0);
}

TEST_F(EntreeTube, FenRefuseeNeChangeRien) {
  envoie("position startpos moves e2e4\n");
  interprete_commande();
  envoie("position startpos moves e2e4 e7e5\n");
  interprete_commande();
  ASSERT_EQ(position_continue, 1);
  static Partie avant;
  avant = partie;
  envoie("position fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNX w KQkq - 0 1 moves e2e4 e7e5 g1f3\n");
  interprete_commande();
  EXPECT_EQ(std::memcmp(&avant, &partie, sizeof partie), 0);
  EXPECT_EQ(position_continue, 1);
  EXPECT_STREQ(derniere_position, "startpos moves e2e4 e7e5");
}

TEST_F(EntreeTube, CoupRefuseGardeLesCoupsPrecedents) {
  envoie("position startpos moves e2e4 e7e5 g1f3 e8e6 b8c6\n");
  interprete_commande();
  EXPECT_EQ(partie.nb_demi_coups, 3);
  EXPECT_EQ(partie.trait, NOIRS);
  EXPECT_EQ(partie.echiquier[F3], CAVALIER);
  EXPECT_EQ(partie.echiquier[C6], 0);
  // A valid FEN then its moves.
  envoie("position fen 4k3/P7/8/8/8/8/8/4K3 w - - 0 1 moves a7a8r e8d7\n");
  interprete_commande();
  EXPECT_EQ(partie.nb_demi_coups, 2);
  EXPECT_EQ(partie.echiquier[A8], TOUR);
}

}  // namespace
