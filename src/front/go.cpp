// "go": clock settings from the command's parameters, the search, the move
// played on the game record, "bestmove", and the clock bookkeeping after it.
#include "front/go.h"

#include <cstring>

#include "board/position.h"
#include "board/texte_coup.h"
#include "book/eco.h"
#include "book/livre.h"
#include "eval/evaluation.h"
#include "front/entree.h"
#include "front/nombres.h"
#include "front/options.h"
#include "front/sortie.h"
#include "learn/apprentissage.h"
#include "movegen/selection.h"
#include "search/etat_recherche.h"
#include "search/fin_partie.h"
#include "search/recherche.h"
#include "search/table_hash.h"
#include "search/temps.h"

int32_t mode_temps_fixe = 1;
int32_t temps_fixe = 30;
int32_t profondeur_max = 64;
int32_t profondeur_plafond = 64;
int32_t temps_restant = 1800;
int32_t increment = 0;
int32_t coups_restants = 60;
int32_t sans_coups_restants = 1;
int32_t coups_controle = 60, temps_controle = 1800;
int32_t coups_periode = 30, temps_periode = 900;
int64_t temps_restant_ms = -1;
int64_t increment_ms = -1;
int64_t temps_fixe_ms = -1;
int32_t ponder_en_cours = 0;
int32_t analyse_infinie = 0;
int32_t go_infini = 0;
int32_t valeur_precedente = 30001;
char nom_ouverture[TAILLE_NOM_OUVERTURE] = "";
int32_t recherche_en_cours = 0;

namespace {

// "depth" n runs iterations 1 to n - 1, so below 2 no iteration would run
// and there would be no move to announce.
constexpr int32_t PROFONDEUR_MIN = 2;
constexpr int32_t TEMPS_ILLIMITE = 1000000;
constexpr int32_t PROFONDEUR_PLAFOND = 64;

char mots[TAILLE_LIGNE];

// Promotion letter for the game record, by piece type.
constexpr char lettres_promotion[] = " PNBRQK";

}  // namespace

void lit_parametres_go(const char* ligne, ParametresGo& p) {
  ponder_en_cours = 0;
  go_infini = 0;
  profondeur_max = PROFONDEUR_PLAFOND;
  p = ParametresGo{};

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
        mode_temps_fixe = 0;
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
        mode_temps_fixe = 0;
        sans_coups_restants = 0;
        coups_restants = n;
      }
      consomme = nombre;
    } else if (std::strcmp(mot, "depth") == 0) {
      if (nombre) {
        mode_temps_fixe = 1;
        temps_fixe = TEMPS_ILLIMITE;
        temps_fixe_ms = -1;
        profondeur_max = n < PROFONDEUR_MIN ? PROFONDEUR_MIN : n;
        consomme = true;
      }
    } else if (std::strcmp(mot, "nodes") == 0) {
      consomme = nombre;  // no node limit exists
    } else if (std::strcmp(mot, "movetime") == 0) {
      if (nombre) {
        mode_temps_fixe = 1;
        profondeur_max = PROFONDEUR_PLAFOND;
        temps_fixe = n / 1000;
        temps_fixe_ms = n;
        consomme = true;
      }
    } else if (std::strcmp(mot, "infinite") == 0) {
      temps_fixe = TEMPS_ILLIMITE;
      temps_fixe_ms = -1;
      mode_temps_fixe = 1;
      profondeur_max = PROFONDEUR_PLAFOND;
      valeur_precedente = 30001;
      analyse_infinie = 1;
      go_infini = 1;
      mat_connu = 0;
    } else if (std::strcmp(mot, "ponder") == 0) {
      ponder_en_cours = 1;
    }
    mot = consomme ? strtok_r(nullptr, " \t", &reste) : suivant;
  }
  if (profondeur_max > profondeur_plafond) profondeur_max = profondeur_plafond;
}

void lance_go(const char* ligne) {
  // The interface's clock runs from the moment it sent "go".
  demarre_chrono_go();
  ParametresGo p;
  lit_parametres_go(ligne, p);

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
  int valeur = recherche_iterative();
  recherche_en_cours = 0;

  Coup coup = pv[0][0];
  char texte[8] = "";
  if (valeur != -MAT && est_coup(coup)) texte_coup(coup, texte);

  if (apprentissage) {
    apprentissage_partie(partie, texte, valeur, profondeur_terminee);
    apprentissage_position(partie, texte, valeur, profondeur_terminee);
  }

  // No legal move: nothing is played and nothing is announced.
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
