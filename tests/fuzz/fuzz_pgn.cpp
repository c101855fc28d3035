// The PGN reader of the book builder: every game of the input is read, and
// its main line replayed from SAN the way the builder does it.
#include <string>
#include <vector>

#include "board/cles.h"
#include "board/joue.h"
#include "book/pgn.h"
#include "book/san.h"
#include "fuzz/commun.h"

namespace {

constexpr size_t PLIES_MAX = 60;  // the builder's bound (the search board has 64 plies)

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  prepare_harnais();
  initialise_plateau();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
  const char* texte = reinterpret_cast<const char*>(donnees);
  PartiePgn p;
  size_t pos = 0;
  size_t parties = 0;
  while (lit_partie_pgn(texte, taille, pos, p, PLIES_MAX)) {
    // Each game moves the reader on: no input keeps it in place.
    if (pos > taille || ++parties > taille + 1) std::abort();
    if (p.coups.size() > PLIES_MAX) std::abort();
    if (p.depart_special) continue;
    prepare_rejeu();
    for (size_t ply = 0; ply < p.coups.size(); ply++) {
      const int camp = static_cast<int>(ply & 1);
      const Coup c = coup_depuis_san(p.coups[ply].c_str(), camp, static_cast<int>(ply));
      if (!c) break;
      joue(camp, static_cast<int>(ply), c);
      cle_complete(static_cast<int>(ply) + 1, camp ^ 1);
    }
  }

  // The bare move-text reader used by the ECO builder, and result tokens.
  std::vector<std::string> coups;
  lit_coups_pgn(std::string(texte, taille), coups);
  resultat_de(std::string(texte, taille < 16 ? taille : 16));
  return 0;
}
