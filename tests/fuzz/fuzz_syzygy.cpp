// Syzygy table files over arbitrary bytes, through "SyzygyPath" and the
// check it runs in a child process (this same program started as
// "PROGRAM syzygy-check"). The first byte of an input picks the file (bit 0:
// .rtbw or .rtbz, bits 1-2: the set); the rest is its content. A .rtbz file
// gets the sound .rtbw file of its set beside it, without which the library
// reads no distance.
//  - The looks at the file that need no probe run here, instrumented.
//  - The check must refuse what it cannot use and never end or stall the
//    engine, whatever the file makes of the child.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>

#include "fuzz/commun.h"
#include "syzygy/inventaire.h"
#include "syzygy/syzygy.h"
#include "syzygy/verification.h"

namespace {

constexpr const char* ENSEMBLES[4] = {"KQvK", "KRvK", "KPvK", "KBvK"};

std::string lit_donnees(const std::string& nom) {
  std::ifstream e(std::string(VELMAR_SOURCE_DIR) + "/tests/data/syzygy/" + nom, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(e), {});
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // The child the check starts: answer and end without the fuzzer.
  if (*argc >= 2 && std::strcmp((*argv)[1], "syzygy-check") == 0) {
    const int statut = verifie_tables_syzygy();
    std::fflush(stdout);
    std::_Exit(statut);
  }
  prepare_harnais();
  if (mkdir("sz", 0755) != 0) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
  if (taille < 1) return 0;
  const bool wdl = (donnees[0] & 1) == 0;
  const std::string ensemble = ENSEMBLES[(donnees[0] >> 1) & 3];
  const std::string nom = "sz/" + ensemble + (wdl ? ".rtbw" : ".rtbz");
  ecrit_fichier(nom, donnees + 1, taille - 1);
  const std::string compagnon = "sz/" + ensemble + ".rtbw";
  if (!wdl) {
    const std::string sain = lit_donnees(ensemble + ".rtbw");
    ecrit_fichier(compagnon, reinterpret_cast<const uint8_t*>(sain.data()), sain.size());
  }

  examine_fichier_syzygy(nom, wdl ? SORTE_WDL : SORTE_DTZ);
  if (inventaire_syzygy({"sz"}).size() != (wdl ? 1u : 2u)) std::abort();
  const int pieces = initialise_syzygy("sz");
  if (pieces != 0 && pieces != 3) std::abort();
  if (wdl && pieces == 3 && syzygy_nb_wdl != 1) std::abort();

  std::remove(nom.c_str());
  if (!wdl) std::remove(compagnon.c_str());
  initialise_syzygy("");
  return 0;
}
