// "go": clock settings from the command's parameters, the search, the move
// played on the game record, "bestmove", and the clock bookkeeping after it.
#include "front/go.h"

#include <algorithm>
#include <cstring>

#include "board/position.h"
#include "board/texte_coup.h"
#include "book/eco.h"
#include "book/livre.h"
#include "book/reglages_livre.h"
#include "console/entree.h"
#include "console/sortie.h"
#include "eval/evaluation.h"
#include "eval/hash_pions.h"
#include "front/interprete.h"
#include "front/nombres.h"
#include "front/position_uci.h"
#include "learn/apprentissage.h"
#include "movegen/selection.h"
#include "search/etat_recherche.h"
#include "search/fin_partie.h"
#include "search/limites_recherche.h"
#include "search/recherche.h"
#include "search/reglages_recherche.h"
#include "search/table_hash.h"
#include "search/temps.h"

int32_t recherche_en_cours = 0;

namespace {

// "depth" n runs iterations 1 to n - 1, so below 2 no iteration would run
// and there would be no move to announce.
constexpr int32_t PROFONDEUR_MIN = 2;
constexpr int32_t TEMPS_ILLIMITE = 1000000;
constexpr int32_t TEMPS_DEFAUT = 30;
constexpr int32_t PROFONDEUR_PLAFOND = 64;

char mots[TAILLE_LIGNE];

// Promotion letter for the game record, by piece type.
constexpr char lettres_promotion[] = " PNBRQK";

}  // namespace

namespace {

// Words that end a "searchmoves" list.
bool est_parametre_go(const char* mot) {
  static constexpr const char* parametres[] = {"wtime", "btime",    "winc",     "binc",   "movestogo",  "depth",
                                               "nodes", "mate",     "movetime", "infinite", "ponder", "searchmoves"};
  for (const char* p : parametres)
    if (std::strcmp(mot, p) == 0) return true;
  return false;
}

}  // namespace

void lit_parametres_go(const char* ligne, ParametresGo& p) {
  // Every "go" starts from its own limits: nothing of an earlier command's
  // time, depth, node or mate limit carries over.
  ponder_en_cours = 0;
  go_infini = 0;
  profondeur_max = PROFONDEUR_PLAFOND;
  limite_noeuds = SANS_LIMITE_NOEUDS;
  mat_cherche = 0;
  nb_coups_demandes = 0;
  p = ParametresGo{};
  bool pendule = false, infini = false, borne = false;
  int32_t movetime = -1;

  std::snprintf(mots, sizeof mots, "%s", ligne);
  char* reste = nullptr;
  // A parameter whose number is missing or is not a number counts as absent;
  // the word that follows is then read as a parameter of its own.
  char* mot = strtok_r(mots, " \t", &reste);
  while (mot) {
    char* suivant = strtok_r(nullptr, " \t", &reste);
    int32_t n = 0;
    bool nombre = suivant && est_entier(suivant, n);
    bool consomme = false;
    if (std::strcmp(mot, "wtime") == 0 || std::strcmp(mot, "btime") == 0) {
      if (nombre) {
        p.temps[mot[0] == 'w' ? BLANCS : NOIRS] = n / 1000;
        p.temps_ms[mot[0] == 'w' ? BLANCS : NOIRS] = n;
        pendule = true;
        consomme = true;
      }
    } else if (std::strcmp(mot, "winc") == 0 || std::strcmp(mot, "binc") == 0) {
      if (nombre) {
        p.increments[mot[0] == 'w' ? BLANCS : NOIRS] = n / 1000;
        p.increments_ms[mot[0] == 'w' ? BLANCS : NOIRS] = n;
        consomme = true;
      }
    } else if (std::strcmp(mot, "movestogo") == 0) {
      // A count of zero or less would divide the clock by nothing.
      if (nombre && n > 0) {
        pendule = true;
        sans_coups_restants = 0;
        coups_restants = n;
      }
      consomme = nombre;
    } else if (std::strcmp(mot, "depth") == 0) {
      if (nombre) {
        borne = true;
        profondeur_max = n < PROFONDEUR_MIN ? PROFONDEUR_MIN : n;
        consomme = true;
      }
    } else if (std::strcmp(mot, "nodes") == 0) {
      if (nombre && n > 0) {
        borne = true;
        limite_noeuds = n;
      }
      consomme = nombre;
    } else if (std::strcmp(mot, "mate") == 0) {
      if (nombre && n > 0) {
        borne = true;
        mat_cherche = n;
      }
      consomme = nombre;
    } else if (std::strcmp(mot, "movetime") == 0) {
      if (nombre) {
        movetime = n < 0 ? 0 : n;
        consomme = true;
      }
    } else if (std::strcmp(mot, "infinite") == 0) {
      infini = true;
      valeur_precedente = 30001;
      analyse_infinie = 1;
      go_infini = 1;
      mat_connu = 0;
    } else if (std::strcmp(mot, "ponder") == 0) {
      ponder_en_cours = 1;
    } else if (std::strcmp(mot, "searchmoves") == 0) {
      // The moves run up to the next parameter word; the search checks them.
      while (suivant && !est_parametre_go(suivant)) {
        if (nb_coups_demandes < COUPS_DEMANDES_MAX)
          std::snprintf(coups_demandes[nb_coups_demandes++], sizeof coups_demandes[0], "%s", suivant);
        else
          ecrit("info string searchmoves : %.16s ignore (trop de coups)\n", suivant);
        suivant = strtok_r(nullptr, " \t", &reste);
      }
    }
    mot = consomme ? strtok_r(nullptr, " \t", &reste) : suivant;
  }

  // The clock applies as given; "depth", "nodes" and "mate" alone have no
  // time limit; a "go" with no limit at all searches 30 seconds.
  if (infini) {
    mode_temps_fixe = 1;
    temps_fixe = TEMPS_ILLIMITE;
    temps_fixe_ms = -1;
  } else if (movetime >= 0) {
    mode_temps_fixe = 1;
    temps_fixe = movetime / 1000;
    temps_fixe_ms = movetime;
  } else if (pendule) {
    mode_temps_fixe = 0;
  } else {
    mode_temps_fixe = 1;
    temps_fixe = borne ? TEMPS_ILLIMITE : TEMPS_DEFAUT;
    temps_fixe_ms = -1;
  }
  // A mate in n moves takes 2n - 1 plies; the iteration after those shows
  // that there is none when it finds none.
  if (mat_cherche > 0 && mat_cherche < PROFONDEUR_PLAFOND) profondeur_max = std::min(profondeur_max, 2 * mat_cherche + 2);
  if (profondeur_max > profondeur_plafond) profondeur_max = profondeur_plafond;
}

void lance_go(const char* ligne) {
  // The interface's clock runs from the moment it sent "go".
  demarre_chrono_go();
  ParametresGo p;
  lit_parametres_go(ligne, p);

  // After a refused "position" the game held here is not the interface's:
  // any move of it could be illegal there. The answer says there is none,
  // when the interface asks for it.
  if (position_refusee) {
    recherche_en_cours = 1;
    commande_pendant_recherche = interprete_commande;
    arret_recherche = 0;
    attend_fin_ponder();
    recherche_en_cours = 0;
    ecrit("bestmove 0000\n");
    entree_reprend_differees();
    return;
  }

  // "uci" announces OwnBook on by default, and most interfaces only send the
  // options a user changed: unless it was set, the first search opens the
  // book when its files are there, and quietly does without otherwise.
  if (livre_par_defaut) {
    livre_par_defaut = 0;
    if (compteur_livre == 0 && livre_present()) {
      livre_demande = 1;
      ouvre_livre();
    }
  }

  // The program plays the side to move.
  partie_vers_position(partie);
  partie_fixe_trait(partie, partie.trait);
  partie_programme_au_trait(partie);

  // Without "wtime"/"btime" the clock is 0; it only matters in clock mode.
  temps_restant = p.temps[partie.trait & 1];
  increment = p.increments[partie.trait & 1];
  temps_restant_ms = p.temps_ms[partie.trait & 1];
  increment_ms = p.increments_ms[partie.trait & 1];
  if (!sans_coups_restants) {
    temps_controle = temps_restant;
    coups_controle = coups_restants;
  }

  // A new game, or a position unrelated to the previous one: nothing learnt
  // about the old one applies.
  if (!position_continue) {
    efface_hash_pions();
    efface_hash();
    std::memset(historique, 0, sizeof historique);
    valeur_precedente = 30001;
  }
  if (analyse_infinie || !position_continue) mat_connu = 0;

  joue_coup_programme();
}

void joue_coup_programme() {
  partie_vers_position(partie);
  recherche_en_cours = 1;
  commande_pendant_recherche = interprete_commande;
  int valeur = recherche_iterative();
  recherche_en_cours = 0;

  Coup coup = pv[0][0];
  char texte[8] = "";
  if (valeur != -MAT && est_coup(coup)) texte_coup(coup, texte);

  if (apprentissage && !analyse_uci) {
    apprentissage_partie(partie, texte, valeur, profondeur_terminee);
    apprentissage_position(partie, texte, valeur, profondeur_terminee);
  }

  // No legal move: nothing is played; "bestmove 0000" follows the game-end
  // lines.
  if (valeur != -MAT) {
    if (!est_coup(coup)) {
      // Should never happen: a search always leaves a move when one exists.
      // Say so rather than play a move that is not one.
      ecrit("info string Aucun coup trouve\n");
      ecrit("bestmove 0000\n");
    } else {
      partie_joue_coup(partie, origine(coup), destination(coup), lettres_promotion[promotion(coup)]);
      partie_vers_position(partie);
      nomme_ouverture(nom_ouverture, sizeof nom_ouverture);
      Coup reponse = pv[0][1];
      if (ponder_autorise && longueur_pv[0] >= 2 && est_coup(reponse)) {
        char texte_reponse[8];
        ecrit("bestmove %s ponder %s\n", texte, texte_coup(reponse, texte_reponse));
      } else {
        ecrit("bestmove %s\n", texte);
      }
    }
  }

  prepare_evaluation();
  annonce_fin_partie(1, valeur, partie.camp_programme);
  if (valeur == -MAT) ecrit("bestmove 0000\n");
  decompte_temps(millisecondes_ecoulees());

  // Commands that arrived during the search run now, before any new input.
  entree_reprend_differees();
}

void decompte_temps(int64_t millisecondes) {
  coups_restants -= 1;
  temps_restant -= static_cast<int32_t>(millisecondes / 1000);
  if (temps_restant_ms >= 0) temps_restant_ms -= millisecondes;
  if (coups_restants == 0) {
    coups_controle += coups_periode;
    coups_restants = coups_periode;
    temps_controle += temps_periode;
    temps_restant += temps_periode;
    if (temps_restant_ms >= 0) temps_restant_ms += int64_t{temps_periode} * 1000;
  }
  if (increment != 0) temps_restant += increment;
  if (increment_ms > 0 && temps_restant_ms >= 0) temps_restant_ms += increment_ms;
}
