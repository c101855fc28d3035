// The command interpreter over arbitrary command streams: each input is the
// whole standard input of one session, from start-up to the end of input
// (or "quit"). Searches are capped at a tiny depth so a session stays short.
#include <unistd.h>

#include <cstring>

#include "board/cles.h"
#include "board/position.h"
#include "book/livre.h"
#include "egtb/tablebases.h"
#include "front/demarrage.h"
#include "front/entree.h"
#include "front/go.h"
#include "front/options.h"
#include "front/sortie.h"
#include "fuzz/commun.h"
#include "search/etat_recherche.h"
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

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  prepare_harnais();
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
  alloue_hash(65536);
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
