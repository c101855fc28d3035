// The iterative-deepening driver: one search of the root position, one ply
// deeper each time, inside an aspiration window around the last score.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "board/cles.h"
#include "board/position.h"
#include "board/texte_coup.h"
#include "book/livre.h"
#include "console/entree.h"
#include "console/fin_processus.h"
#include "console/sortie.h"
#include "eval/evaluation.h"
#include "eval/hash_pions.h"
#include "movegen/generation.h"
#include "movegen/selection.h"
#include "search/affichage.h"
#include "search/etat_recherche.h"
#include "search/fils.h"
#include "search/fin_partie.h"
#include "search/limites_recherche.h"
#include "search/recherche.h"
#include "search/reglages_recherche.h"
#include "search/syzygy_recherche.h"
#include "search/table_hash.h"
#include "search/temps.h"

namespace {

constexpr int FENETRE_ASPIRATION = 40;
constexpr int ELARGISSEMENT = 200;

int32_t phase_precedente = -1;

void efface_marques_racine() {
  for (int i = 0; i < nb_coups_racine; ++i) fiches_racine[i].cherche = 0;
}

// Nodes between two publications of a helper's counts: often enough that a
// node limit, which counts them, is passed by at most this many nodes per
// helper, and rarely enough that the stores cost nothing measurable.
constexpr int32_t INTERVALLE_AIDE = 256;

// What every searching thread sets up for a new search, in this order: the
// evaluation of the root (before anything scores a position), then, after
// the thread's own table work, its per-ply records and the root's side and
// key, and at last its counters.
void prepare_evaluation_fil() {
  profondeur_terminee = 0;
  // Nothing of the previous search's depth may leak into the root ordering.
  profondeur_iteration = 0;
  marge_paresseuse = 200;
  prepare_evaluation();
}

void prepare_etat_recherche() {
  for (int p = 0; p < PLY_MAX; ++p) {
    tueur1[p] = tueur2[p] = 0;
    compte_tueur1[p] = compte_tueur2[p] = 0;
    pv_precedente[p] = 0;
    longueur_pv[p] = p;
  }
  camp_racine = partie.trait;
  position_calcule_cles();
  cle_racine = position.cle;
}

void efface_compteurs() {
  efface_statistiques();
  nb_evaluations = 0;
  nb_evaluations_pions = nb_succes_cache_pions = nb_succes_hash_pions = 0;
}

// The state the first iteration starts from: the root's static score, and
// the best preliminary move as the line until a root move has been searched.
// `intervalle` is the number of nodes between two periodic checks.
void prepare_iterations(int32_t intervalle) {
  score_racine = score_precedent = materiel_racine + position_racine;
  intervalle_controle = compteur_controle = intervalle;
  profondeur_iteration = 1;
  marques_extension[0] = 0;
  longueur_pv[0] = 1;
  pv[0][0] = debut_liste[0][0];
  pv[0][1] = 0;
  type_noeud[0] = NOEUD_NORMAL;
}

// Before the first root search of an iteration (and of each line of one
// that reports several): every root move is still to be searched.
void debute_iteration() {
  efface_marques_racine();
  coup_nul_en_cours[0] = 0;
  premiere_branche = premier_coup_racine = 1;
  reprise_haute = echec_bas = 0;
}

// After a root search that scored v: when v fell outside (alpha, beta),
// sets up the re-search (after a fail low every root move is searched
// again; after a fail high the moves already searched keep their result)
// and widens the window. Returns 1 for a re-search, 0 when the iteration is
// complete.
int reprise_racine(int v, int& alpha, int& beta, int& reprise) {
  if (v <= alpha || v >= beta) {
    if (v <= alpha) {
      premier_coup_racine = premiere_branche = echec_bas = 1;
      efface_marques_racine();
    } else {
      premiere_branche = reprise_haute = 1;
      fiches_racine[0].cherche = 0;
    }
    coup_nul_en_cours[0] = 0;
    if (numero_fil == 0)
      ecrit("info depth %d nodes %lld\n", profondeur_iteration, static_cast<long long>(noeuds_tous()));
  }
  return elargit_fenetre(v, alpha, beta, reprise);
}

// A mate found ends the search: under "go mate" one within the moves asked
// for, otherwise one better than the mate known from the previous move.
bool mat_suffisant(int v) {
  if (v <= SEUIL_MAT_TABLE) return false;
  return mat_cherche > 0 ? v >= INFINI - 2 * mat_cherche : v > mat_connu;
}

// "searchmoves": keeps only the root moves named, in their order, and says
// which names are not legal moves here. Returns 1 when the list shrank to
// them; with none of them legal every move stays.
int restreint_racine() {
  if (nb_coups_demandes == 0) return 0;
  Coup* liste = debut_liste[0];
  bool garde[RACINE_MAX] = {};
  char texte[8];
  for (int d = 0; d < nb_coups_demandes; ++d) {
    bool trouve = false;
    for (int i = 0; i < nb_coups_racine; ++i) {
      if (std::strcmp(texte_coup(liste[i], texte), coups_demandes[d]) == 0) {
        garde[i] = true;
        trouve = true;
      }
    }
    if (!trouve) ecrit("info string searchmoves : %.16s ignore (pas un coup legal)\n", coups_demandes[d]);
  }
  int n = 0;
  for (int i = 0; i < nb_coups_racine; ++i) {
    if (!garde[i]) continue;
    liste[n] = liste[i];
    fiches_racine[n] = fiches_racine[i];
    ++n;
  }
  if (n == 0) {
    ecrit("info string searchmoves : aucun coup legal, tous les coups sont cherches\n");
    return 0;
  }
  nb_coups_racine = n;
  debut_liste[1] = liste + n;
  return 1;
}

// One root line per reported move when several are asked for (MultiPV).
struct LignePv {
  int32_t score;
  int32_t longueur;
  Coup coups[PLY_MAX + 1];
};
constexpr int LIGNES_PV_MAX = 64;
LignePv lignes_pv[LIGNES_PV_MAX];

void garde_ligne(LignePv& l) {
  l.score = score_racine;
  l.longueur = longueur_pv[0];
  for (int i = 0; i < l.longueur; ++i) l.coups[i] = pv[0][i];
}

void reprend_ligne(const LignePv& l) {
  score_racine = l.score;
  longueur_pv[0] = l.longueur;
  for (int i = 0; i < l.longueur; ++i) pv[0][i] = l.coups[i];
  pv[0][l.longueur] = 0;
}

// Iterations that report the k best root moves, each with an exact score:
// each line searches the root with the full window, without the moves of
// the lines before it. The move of a line leaves the root list (and the ply
// 1 lists may then use its slot), so it waits aside until the iteration
// ends; then the lines' moves come back in front, best first. Returns the
// score of the best line of the last completed iteration, whose line is
// left in pv[0] also when the search stops in the middle of a later one.
int itere_lignes(int k, int limite) {
  Coup* liste = debut_liste[0];
  const int total = nb_coups_racine;
  Coup coups_a_part[LIGNES_PV_MAX];
  FicheRacine fiches_a_part[LIGNES_PV_MAX];
  LignePv terminee;
  garde_ligne(terminee);
  int v = score_racine;
  while (!arret_recherche && (profondeur_iteration < limite || profondeur_iteration == 1) &&
         profondeur_iteration < PLY_MAX) {
    ecrit("info depth %d nodes %lld\n", profondeur_iteration, static_cast<long long>(noeuds_tous()));
    int faites = 0;
    while (faites < k) {
      debute_iteration();
      recherche(camp_racine, UN_PLY * profondeur_iteration - 2, 0, -INFINI, INFINI, 0);
      if (arret_recherche) break;
      trie_racine();
      complete_pv(0, camp_racine);
      garde_ligne(lignes_pv[faites]);
      coups_a_part[faites] = liste[0];
      fiches_a_part[faites] = fiches_racine[0];
      for (int i = 1; i < nb_coups_racine; ++i) {
        liste[i - 1] = liste[i];
        fiches_racine[i - 1] = fiches_racine[i];
      }
      --nb_coups_racine;
      debut_liste[1] = liste + nb_coups_racine;
      ++faites;
    }
    // A later line may score above an earlier one (the table saw more by
    // then): the lines go out best first.
    for (int i = 1; i < faites; ++i) {
      for (int j = i; j > 0 && lignes_pv[j].score > lignes_pv[j - 1].score; --j) {
        std::swap(lignes_pv[j], lignes_pv[j - 1]);
        std::swap(coups_a_part[j], coups_a_part[j - 1]);
        std::swap(fiches_a_part[j], fiches_a_part[j - 1]);
      }
    }
    // The lines' moves back in front, in line order.
    for (int i = nb_coups_racine - 1; i >= 0; --i) {
      liste[i + faites] = liste[i];
      fiches_racine[i + faites] = fiches_racine[i];
    }
    for (int i = 0; i < faites; ++i) {
      liste[i] = coups_a_part[i];
      fiches_racine[i] = fiches_a_part[i];
    }
    nb_coups_racine = total;
    debut_liste[1] = liste + total;
    if (arret_recherche) {
      // Stopped in the middle of an iteration: the last completed one
      // stands, its line with its score. Before any, a first line that
      // was completed (every root move searched) is the best there is.
      if (profondeur_terminee > 0)
        reprend_ligne(terminee);
      else if (faites > 0)
        reprend_ligne(lignes_pv[0]);
      v = score_racine;
      break;
    }

    for (int i = 0; i < k; ++i) {
      const LignePv& l = lignes_pv[i];
      affiche_ligne_multipv(i + 1, profondeur_iteration, l.score, l.coups, l.longueur);
    }
    affiche_vitesse();
    terminee = lignes_pv[0];
    reprend_ligne(terminee);
    v = score_racine;
    for (int i = 0; i < PLY_MAX; ++i) pv_precedente[i] = i < profondeur_iteration ? pv[0][i] : 0;
    profondeur_terminee = profondeur_iteration;
    score_precedent = v;
    ++profondeur_iteration;
    if (mat_suffisant(v)) break;
  }
  return v;
}

// A completed iteration: its line and score are kept, the next one searches
// one ply deeper in a window around that score.
void termine_iteration(int v, int& alpha, int& beta, int& reprise) {
  complete_pv(0, camp_racine);
  score_racine = v;
  alpha = v - FENETRE_ASPIRATION;
  beta = v + FENETRE_ASPIRATION;
  if (alpha < -MAT) alpha = -INFINI;
  if (beta > MAT) beta = INFINI;
  for (int i = 0; i < PLY_MAX; ++i) pv_precedente[i] = i < profondeur_iteration ? pv[0][i] : 0;
  profondeur_terminee = profondeur_iteration;
  score_precedent = v;
  ++profondeur_iteration;
  reprise = 0;
}

}  // namespace

// A finished ponder search keeps answering commands until "stop" or
// "ponderhit", and a finished infinite analysis until "stop": a GUI does not
// expect "bestmove" before it has asked for it.
void attend_fin_ponder() {
  if (!commande_pendant_recherche) return;
  while ((ponder_en_cours || go_infini) && !arret_recherche && !fin_programme) {
    if (entree_disponible())
      commande_pendant_recherche();
    else
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

int elargit_fenetre(int v, int& alpha, int& beta, int& reprise) {
  if ((v > alpha && v < beta) || reprise == 2) return 0;
  if (reprise == 1) {
    alpha = -INFINI;
    beta = INFINI;
  } else if (v <= alpha) {
    beta = alpha + 1;
    alpha = std::max(v - ELARGISSEMENT, -INFINI);
  } else {
    alpha = beta - 1;
    beta = std::min(v + ELARGISSEMENT, INFINI);
  }
  ++reprise;
  return 1;
}

void trie_racine() {
  Coup* liste = debut_liste[0];
  for (bool echange = true; echange;) {
    echange = false;
    for (int i = 1; i + 1 < nb_coups_racine; ++i) {
      if (fiches_racine[i].noeuds < fiches_racine[i + 1].noeuds) {
        std::swap(fiches_racine[i], fiches_racine[i + 1]);
        std::swap(liste[i], liste[i + 1]);
        echange = true;
      }
    }
  }
}

int recherche_iterative() {
  // Preparation.
  demarre_chrono();
  calcule_temps();
  prepare_evaluation_fil();
  if (phase_jeu != phase_precedente) efface_hash();
  phase_precedente = phase_jeu;
  vieillit_hash();
  efface_hash_pions();
  for (auto& camp : historique)
    for (int32_t& h : camp) h /= 8;
  prepare_etat_recherche();
  // The stop of the previous search must not cut short the quiescence
  // searches that order the root moves.
  arret_recherche = 0;
  prepare_coups_racine();
  // The nodes of those searches do not count.
  efface_compteurs();

  if (!ponder_autorise) annonce_fin_partie(0, 0, camp_racine);
  if (nb_coups_racine == 0) {
    attend_fin_ponder();
    return -MAT;
  }

  // A book move or a forced move needs no search; neither does a single
  // move named by "searchmoves" when it is the only legal one.
  // A root the Syzygy tables hold keeps only the moves of their best rank
  // (among those named); one left needs no search either.
  const int forcee = nb_coups_racine == 1;
  const int restreinte = restreint_racine();
  const int par_les_tables = classe_racine_tables() && nb_coups_racine == 1;
  const Coup coup_livre = consulte_livre(camp_racine, !analyse_infinie && !analyse_uci && !restreinte);
  if (coup_livre != 0 || forcee || par_les_tables) {
    longueur_pv[0] = 1;
    pv[0][0] = coup_livre != 0 ? coup_livre : debut_liste[0][0];
    pv[0][1] = 0;
    attend_fin_ponder();
    if (forcee) ecrit("info depth 1 nodes 1\n");
    if (racine_tables && coup_livre == 0) affiche_pv(1, verdict_racine, '>');
    return 0;
  }

  // Iterations.
  prepare_iterations(intervalle_controle_temps());
  int alpha = -INFINI, beta = INFINI, reprise = 0;

  const int limite = std::min(profondeur_max, PLY_MAX);
  const int lignes = std::min(nb_lignes_pv, nb_coups_racine);
  lignes_racine = lignes;
  // A search that ends at a given depth ends as soon as any thread has
  // completed it. One that must wait for "stop" or "ponderhit" never does,
  // nor one that reports several lines, which only the main search finds.
  const bool fin_par_aides = !ponder_en_cours && !go_infini && lignes <= 1;
  lance_aides(fin_par_aides ? std::max(limite - 1, 1) : PLY_MAX + 1);

  if (mat_connu > SEUIL_MAT_TABLE)
    ecrit("info string Recherche de MAT : %d MAT%02d\n", mat_connu, (INFINI - mat_connu) / 2);

  int v = score_racine;
  if (lignes > 1) v = itere_lignes(lignes, limite);
  // The first iteration always runs, so that even "go depth 1" has a move.
  while (lignes <= 1 && !arret_recherche && (profondeur_iteration < limite || profondeur_iteration == 1) &&
         profondeur_iteration < PLY_MAX) {
    if (reprise == 0) debute_iteration();
    ecrit("info depth %d nodes %lld\n", profondeur_iteration, static_cast<long long>(noeuds_tous()));
    annonce_iteration(profondeur_iteration);
    recherche(camp_racine, UN_PLY * profondeur_iteration - 2, 0, alpha, beta, 0);
    v = score_racine;
    trie_racine();
    complete_pv(0, camp_racine);
    if (arret_recherche) break;
    if (reprise_racine(v, alpha, beta, reprise)) continue;

    // Iteration complete.
    termine_iteration(v, alpha, beta, reprise);
    if (mat_suffisant(v)) break;
  }

  // A helper that completed a deeper iteration saw more than the main
  // search did: its line and score stand.
  if (lignes <= 1) adopte_iteration_aide(profondeur_terminee, v);
  if (v > SEUIL_MAT_TABLE) {
    mat_connu = v;
    ecrit("info string Detection de MAT : %d MAT%02d\n", v, (INFINI - std::abs(v)) / 2);
  }
  affiche_pv(profondeur_terminee, v, '>');
  attend_fin_ponder();
  arrete_aides();
  affiche_statistiques(v);
  return v;
}

// A helper searches as the main search does, but after each iteration it
// completes it goes on one ply deeper than the iteration the main search is
// in: it runs ahead, on the move order the main search's entries give it,
// and the deepest completed iteration of any thread is the one the search
// ends with (adopte_iteration_aide). Helpers that only follow the main
// search one iteration at a time repeat much of its work and reach a given
// depth later (bench/threads.sh).
void recherche_aide() {
  prepare_evaluation_fil();
  alloue_hash_pions();
  efface_hash_pions();
  prepare_etat_recherche();
  // The root moves and their order are the main search's (lance_aides copied
  // them), "searchmoves" included.
  efface_compteurs();
  if (nb_coups_racine == 0) return;

  prepare_iterations(INTERVALLE_AIDE);
  int alpha = -INFINI, beta = INFINI, reprise = 0;
  while (!arret_recherche && profondeur_iteration < PLY_MAX) {
    if (reprise == 0) debute_iteration();
    recherche(camp_racine, UN_PLY * profondeur_iteration - 2, 0, alpha, beta, 0);
    const int v = score_racine;
    trie_racine();
    if (arret_recherche) break;
    if (reprise_racine(v, alpha, beta, reprise)) continue;

    termine_iteration(v, alpha, beta, reprise);
    publie_iteration_aide(profondeur_terminee, v);
    profondeur_iteration = std::max(profondeur_iteration, iteration_principale() + 1);
  }
}
