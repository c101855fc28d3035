// The command interpreter: one command word per call, from the idle loop or
// from inside a running search.
#include "front/interprete.h"

#include <cstdlib>
#include <cstring>

#include "front/entree.h"
#include "front/fin_processus.h"
#include "front/go.h"
#include "front/options.h"
#include "front/sortie.h"
#include "search/etat_recherche.h"
#include "search/temps.h"

namespace {

char mot[TAILLE_LIGNE];
char ligne[TAILLE_LIGNE];
// The word and the rest of its line, for a command put aside.
char commande[2 * TAILLE_LIGNE];

// Clock settings that belong to a repeating time control: under UCI only the
// values given with the next "go" count.
void oublie_controle_periodique() {
  coups_controle = 0;
  coups_periode = 0;
  temps_periode = 0;
  increment = 0;
  sans_coups_restants = 1;
}

// Standard input has ended: the program ends once nothing is running. A
// search that only a command could end (pondering, infinite analysis) is
// stopped, since no command will come; any other search finishes normally.
void fin_entree() {
  fin_programme = 1;
  if (recherche_en_cours && (ponder_en_cours || analyse_infinie)) {
    ponder_en_cours = 0;
    arret_recherche = 1;
  }
}

// "position", "go" and "setoption" change the board or the tables, which a
// running search is using: the command is kept and runs right after the
// search's "bestmove". "position" and "go" mean the interface has moved on,
// so they end the search as "stop" would.
void differe_commande(bool arrete) {
  int r = lit_reste_ligne(ligne, TAILLE_LIGNE);
  if (r == LECTURE_TROP_LONG) {
    ecrit("info string Commande %s refusee : ligne trop longue\n", mot);
    return;
  }
  std::snprintf(commande, sizeof commande, "%s%s", mot, ligne);
  entree_differe(commande);
  if (arrete) arret_recherche = 1;
}

void commande_debug() {
  int r = lit_mot_ligne(mot, TAILLE_LIGNE);
  if (r == LECTURE_OK && std::strcmp(mot, "on") == 0) {
    log_actif = 1;
    ouvre_log();
  } else {
    log_actif = 0;
    ferme_log();
  }
}

void commande_go() {
  if (lit_reste_ligne(ligne, TAILLE_LIGNE) == LECTURE_TROP_LONG) {
    ecrit("info string go refuse : ligne de plus de %d caracteres\n", TAILLE_LIGNE - 1);
    return;
  }
  lance_go(ligne);
}

}  // namespace

void interprete_commande() {
  oublie_controle_periodique();
  int r = lit_mot(mot, TAILLE_LIGNE);
  if (r == LECTURE_FIN) {
    fin_entree();
    return;
  }
  if (r == LECTURE_TROP_LONG) {
    ecrit("info string Commande refusee : mot de plus de %d caracteres\n", TAILLE_LIGNE - 1);
    lit_reste_ligne(ligne, TAILLE_LIGNE);
    return;
  }

  if (std::strcmp(mot, "uci") == 0) {
    annonce_options();
  } else if (std::strcmp(mot, "quit") == 0) {
    // Ends at once, even from inside a search: no "bestmove" follows.
    fin_programme = 1;
    termine_processus(0);
  } else if (std::strcmp(mot, "stop") == 0) {
    arret_recherche = 1;
  } else if (std::strcmp(mot, "ponderhit") == 0) {
    if (ponder_en_cours) note_ponderhit();
    ponder_en_cours = 0;
  } else if (std::strcmp(mot, "setoption") == 0) {
    if (recherche_en_cours) differe_commande(false);
    else commande_setoption();
  } else if (std::strcmp(mot, "debug") == 0) {
    commande_debug();
  } else if (std::strcmp(mot, "isready") == 0) {
    ecrit("readyok\n");
  } else if (std::strcmp(mot, "position") == 0) {
    if (recherche_en_cours) differe_commande(true);
    else commande_position();
  } else if (std::strcmp(mot, "go") == 0) {
    if (recherche_en_cours) differe_commande(true);
    else commande_go();
  }
  // Any other word (ucinewgame, register, stray text) is ignored.
}
