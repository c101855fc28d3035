// The Syzygy interface in a build without the Fathom library (CMake option
// VELMAR_SYZYGY off, or Fathom not found): the options exist and keep their
// values, a path is answered with one line saying the tables cannot be read,
// and the search never gets a value from them.
#include <cstring>

#include "console/sortie.h"
#include "syzygy/syzygy.h"
#include "syzygy/verification.h"

std::atomic<int32_t> syzygy_profondeur_sonde{1};
std::atomic<int32_t> syzygy_regle_50{1};
std::atomic<int32_t> syzygy_limite_pieces{7};
std::atomic<int32_t> syzygy_pieces{0};
std::atomic<int32_t> syzygy_chemin_fixe{0};
std::atomic<int32_t> syzygy_nb_wdl{0}, syzygy_nb_dtz{0};
std::string verificateur_syzygy;

int initialise_syzygy(const char* chemin) {
  if (chemin != nullptr && chemin[0] != 0 && std::strcmp(chemin, "<empty>") != 0)
    ecrit("info string SyzygyPath : cette version est construite sans les tables Syzygy (bibliotheque Fathom "
          "absente) ; chemin ignore\n");
  return 0;
}

int sonde_wdl_syzygy(int, int, int&) { return 0; }

int classe_racine_syzygy(int, int, int, const Coup*, int, int32_t*, int&) { return 0; }

// No table can be checked without the library.
int verifie_tables_syzygy() { return 2; }
