// Process start-up and the idle command loop.
#include "front/demarrage.h"

#include <unistd.h>

#include <climits>
#include <cstring>
#include <ctime>

#include "board/cles.h"
#include "board/position.h"
#include "book/livre.h"
#include "book/reglages_livre.h"
#include "console/fin_processus.h"
#include "eval/tables_evaluation.h"
#include "front/interprete.h"
#include "movegen/bitboard.h"
#include "search/table_hash.h"

namespace {

// The transposition table starts at the size "uci" announces for "Hash", so
// an interface that sends no Hash gets what it was told.
constexpr int64_t HASH_DEPART = 1048576;

// The current directory is the default book directory. One that does not fit
// is named "." instead, which is the same directory.
void repertoire_depart() {
  char chemin[PATH_MAX];
  if (getcwd(chemin, sizeof chemin) && std::strlen(chemin) < TAILLE_REPERTOIRE)
    std::strcpy(repertoire_livres, chemin);
  else
    std::strcpy(repertoire_livres, ".");
}

}  // namespace

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
