// A damaged table under an exit hook (as the fuzzing harnesses install one):
// the registry's fatal message reaches the hook with status 1, and the
// decoding data read before the refusal is released (the sanitized build's
// leak check at exit sees it otherwise).
#include <gtest/gtest.h>

#include <filesystem>

#include "console/fin_processus.h"
#include "egtb/tablebases.h"
#include "fichiers_tb.h"

namespace {

struct Fin {
  int statut;
};
void leve(int statut) { throw Fin{statut}; }

}  // namespace

TEST(CrochetFin, TableDeLaMauvaiseTailleVaAuCrochet) {
  // A sound compressed kpk file named as kqk: its header reads well, but its
  // decoded length is not kqk's.
  const std::string d = repertoire_vide("crochet");
  std::filesystem::copy_file(DONNEES_TB + "/tables/kpk.nbw.emd", d + "/kqk.nbw.emd");
  crochet_fin_processus = leve;
  int statut = -1;
  try {
    initialise_tables(d.c_str());
  } catch (const Fin& f) {
    statut = f.statut;
  }
  crochet_fin_processus = nullptr;
  EXPECT_EQ(statut, 1);
  EXPECT_EQ(initialise_tables(repertoire_vide("crochet_vide").c_str()), 0);
}
