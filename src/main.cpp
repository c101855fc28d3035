// Entry point: a command-line mode when the first argument names one,
// otherwise the UCI engine on standard input and output.
#include <cstring>

#include "front/demarrage.h"
#include "modes.h"
#include "systeme/chemins.h"
#include "systeme/entree_standard.h"

namespace {

struct Mode {
  const char* nom;
  int (*lance)(int, char**);
};

constexpr Mode modes[] = {
    {"perft", mode_perft}, {"bench", mode_bench}, {"eval", mode_eval},
    {"book", mode_book},   {"eco", mode_eco},     {"tb", mode_tb},
    {"syzygy-check", mode_syzygy_check},
};

}  // namespace

int main(int argc, char** argv) {
  argv = arguments_utf8(argc, argv);
  sortie_standard_brute();
  if (argc > 1) {
    for (const Mode& m : modes)
      if (std::strcmp(argv[1], m.nom) == 0) return m.lance(argc - 2, argv + 2);
  }
  initialise_moteur();
  cherche_livre_par_defaut();
  return boucle_uci();
}
