// Running sessions in-process one after another, as the fuzzing harnesses
// do: "quit" goes to the exit hook instead of ending the process, the input
// layer forgets an ended input, and the depth ceiling bounds every "go".
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "console/entree.h"
#include "console/fin_processus.h"
#include "front/demarrage.h"
#include "front/go.h"
#include "front/interprete.h"
#include "search/limites_recherche.h"

namespace {

struct Fin {
  int statut;
};
void leve(int statut) { throw Fin{statut}; }

// Runs the interpreter loop over `texte` as the whole of standard input;
// returns the status given to the exit hook, or -1 when the input just ended.
int session(const std::string& texte) {
  int fds[2];
  EXPECT_EQ(pipe(fds), 0);
  EXPECT_EQ(write(fds[1], texte.data(), texte.size()), static_cast<ssize_t>(texte.size()));
  close(fds[1]);
  const int sauvegarde = dup(0);
  dup2(fds[0], 0);
  close(fds[0]);
  entree_reinitialise();
  int statut = -1;
  crochet_fin_processus = leve;
  try {
    boucle_uci();
  } catch (const Fin& f) {
    statut = f.statut;
  }
  crochet_fin_processus = nullptr;
  dup2(sauvegarde, 0);
  close(sauvegarde);
  entree_reinitialise();
  return statut;
}

}  // namespace

TEST(FinProcessus, QuitVaAuCrochetEtUneNouvelleEntreeSeLit) {
  initialise_moteur();
  EXPECT_EQ(session("isready\nquit\nisready\n"), 0);
  // The first input ended (or was left) for good; a fresh one is read whole.
  EXPECT_EQ(session("ucinewgame\n"), -1);
  EXPECT_EQ(session("quit\n"), 0);
}

TEST(FinProcessus, PlafondDeProfondeur) {
  ParametresGo p;
  profondeur_plafond = 3;
  lit_parametres_go("depth 40", p);
  EXPECT_EQ(profondeur_max, 3);
  lit_parametres_go("infinite", p);
  EXPECT_EQ(profondeur_max, 3);
  profondeur_plafond = 64;
  lit_parametres_go("depth 40", p);
  EXPECT_EQ(profondeur_max, 40);
  analyse_infinie = 0;
}
