// Process start-up and the idle command loop.
#include "front/demarrage.h"

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <system_error>

#include "board/cles.h"
#include "board/position.h"
#include "book/livre.h"
#include "book/reglages_livre.h"
#include "console/fin_processus.h"
#include "eval/tables_evaluation.h"
#include "front/interprete.h"
#include "movegen/bitboard.h"
#include "search/table_hash.h"
#include "systeme/chemins.h"
#include "systeme/executable.h"

namespace {

// The transposition table starts at the size "uci" announces for "Hash", so
// an interface that sends no Hash gets what it was told.
constexpr int64_t HASH_DEPART = 1048576;

// The current directory is the default book directory. One that does not fit
// is named "." instead, which is the same directory.
void repertoire_depart() {
  std::error_code erreur;
  const std::string chemin = texte_chemin(std::filesystem::current_path(erreur));
  if (!erreur && !chemin.empty() && chemin.size() < TAILLE_REPERTOIRE)
    std::strcpy(repertoire_livres, chemin.c_str());
  else
    std::strcpy(repertoire_livres, ".");
}

// Makes `dossier` the book directory when it holds a book; 0 (and nothing
// changed) otherwise, or when its full name does not fit.
int essaie_repertoire(const std::string& dossier) {
  if (dossier.empty()) return 0;
  std::error_code erreur;
  const std::string canonique = texte_chemin(std::filesystem::canonical(chemin_natif(dossier), erreur));
  if (erreur || canonique.size() >= TAILLE_REPERTOIRE) return 0;
  char ancien[TAILLE_REPERTOIRE];
  std::memcpy(ancien, repertoire_livres, sizeof ancien);
  std::strcpy(repertoire_livres, canonique.c_str());
  if (livre_present()) return 1;
  std::memcpy(repertoire_livres, ancien, sizeof ancien);
  return 0;
}

}  // namespace

void cherche_livre_par_defaut() {
  if (livre_present()) return;
  // VELMAR_BOOKS names the default book's directory instead of the places
  // beside the program (empty: no default book).
  if (const char* impose = std::getenv("VELMAR_BOOKS")) {
    essaie_repertoire(impose);
    return;
  }
  std::string dossier = chemin_executable();
  if (dossier.empty()) return;
  dossier.erase(dossier.find_last_of(SEPARATEUR_CHEMIN) + 1);
  // The book tools/start.sh builds in the project (books/ beside build/),
  // then the one "cmake --install" puts beside bin/.
  if (!essaie_repertoire(dossier + "../books")) essaie_repertoire(dossier + "../share/velmar");
}

void initialise_moteur() {
  repertoire_depart();
  alloue_hash(HASH_DEPART);
  initialise_cles();
  init_tables();
  initialise_tables_evaluation();
  initialise_diagonales();
  position_depart();
  partie_initialise(partie, position_initiale, BLANCS);
  position.camp_adverse = BLANCS;
  position.camp_programme = NOIRS;
  partie.camp_programme = NOIRS;
  // The book is opened by the OwnBook and BookDirectory options, not here.
  compteur_livre = 0;
  graine_livre_fixe(static_cast<uint32_t>(std::time(nullptr)));
}

int boucle_uci() {
  fin_programme = 0;
  while (!fin_programme) interprete_commande();
  libere_hash();
  ferme_livre();
  return 0;
}
