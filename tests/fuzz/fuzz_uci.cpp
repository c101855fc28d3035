// The command interpreter over arbitrary command streams: each input is the
// whole standard input of one session, from start-up to the end of input
// (or "quit"). Searches are capped at a tiny depth so a session stays short.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "board/cles.h"
#include "board/position.h"
#include "book/livre.h"
#include "book/reglages_livre.h"
#include "console/entree.h"
#include "console/sortie.h"
#include "egtb/tablebases.h"
#include "eval/reglages_evaluation.h"
#include "front/demarrage.h"
#include "front/go.h"
#include "front/position_uci.h"
#include "fuzz/commun.h"
#include "learn/apprentissage.h"
#include "search/etat_recherche.h"
#include "search/limites_recherche.h"
#include "search/reglages_recherche.h"
#include "search/table_hash.h"

namespace {

// The settings a session may have changed go back to their start values,
// so that each input runs the same way alone or after others.
void remet_reglages() {
  ferme_livre();
  ferme_log();
  if (tb_disponibles) tb_disponibles = initialise_tables(nullptr);
  log_actif = ponder_autorise = livre_demande = apprentissage = 0;
  hash_actif = iid_actif = 1;
  extension_singuliere = extension_securite_roi = futilite = quiescence_limitee = mode_tournoi = 0;
  attaque_pions = 0;
  derniere_position[0] = 0;
  position_continue = 0;
  recherche_en_cours = ponder_en_cours = analyse_infinie = 0;
  arret_recherche = 0;
  mat_connu = 0;
  valeur_precedente = 30001;
  // Files a session may have written in the working directory.
  unlink("Velmar.log");
  unlink("apprentissage.txt");
  unlink("Position.txt");
}

}  // namespace

// "setoption name Hash value N" takes any N: a table the machine cannot hold
// must leave the engine with its old one. Allocations beyond 64 MB fail here
// as on a machine without the memory: that path is the one worth fuzzing,
// and clearing tables of hundreds of megabytes would only slow the fuzzer.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1:max_allocation_size_mb=64"; }

namespace {

// Real data in the working directory for sessions that name it: the test
// tablebases as "tb", and a small book with opening names as "livre" (the
// seed of the book harness, cut the same way).
void installe_donnees() {
  const std::string source = VELMAR_SOURCE_DIR;
  if (symlink((source + "/tests/data/egtb/tables").c_str(), "tb") != 0) std::abort();
  FILE* f = std::fopen((source + "/tests/fuzz/corpus/livre/complet").c_str(), "rb");
  if (!f) std::abort();
  std::string octets;
  char tampon[4096];
  for (size_t n; (n = std::fread(tampon, 1, sizeof tampon, f)) > 0;) octets.append(tampon, n);
  std::fclose(f);
  if (mkdir("livre", 0755) != 0 || octets.size() < 6) std::abort();
  static const char* const noms[4] = {"livre/Velmar.bib", "livre/Encyclopedie.bib", "livre/eco.bib", "livre/eco.txt"};
  size_t pos = 6;
  for (int i = 0; i < 4; ++i) {
    size_t n = i < 3 ? (static_cast<uint8_t>(octets[2 * i]) | static_cast<uint8_t>(octets[2 * i + 1]) << 8)
                     : octets.size() - pos;
    ecrit_fichier(noms[i], reinterpret_cast<const uint8_t*>(octets.data()) + pos, n);
    pos += n;
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  prepare_harnais();
  installe_donnees();
  initialise_moteur();
  profondeur_plafond = 3;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
  remplace_entree(donnees, taille);
  entree_reinitialise();
  remet_reglages();
  // What initialise_moteur does, less the constant tables filled once.
  std::strcpy(repertoire_livres, ".");
  alloue_hash(1048576);
  position_depart();
  partie_initialise(partie, position_initiale, BLANCS);
  position.camp_adverse = BLANCS;
  position.camp_programme = NOIRS;
  partie.camp_programme = NOIRS;
  compteur_livre = 0;
  graine_livre_fixe(1);
  try {
    boucle_uci();
  } catch (const FinProcessus&) {
    // "quit" (or a damaged tablebase named by NalimovPath): the session
    // ended as the process would have.
  }
  return 0;
}
