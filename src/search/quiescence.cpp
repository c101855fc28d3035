// Quiescence search: captures only, below the horizon of the full-width
// search, and the first ordering of the root moves.
#include <algorithm>

#include "board/joue.h"
#include "board/position.h"
#include "eval/evaluation.h"
#include "eval/hash_pions.h"
#include "movegen/attaques.h"
#include "movegen/echange.h"
#include "movegen/generation.h"
#include "movegen/selection.h"
#include "search/etat_recherche.h"
#include "search/recherche.h"
#include "search/reglages_recherche.h"

int recherche_quiescence(int camp, int ply, int alpha, int beta, int) {
  ++noeuds;
  ++noeuds_quiescence;
  --compteur_controle;
  type_noeud[ply] = NOEUD_NORMAL;
  longueur_pv[ply] = ply;
  if (ply >= PLY_MAX - 1) return beta;

  // Stand pat: the side to move need not capture.
  const int v = evalue_position(camp, alpha, beta, ply);
  if (v > alpha) {
    if (v >= beta) return v;
    alpha = v;
  }
  int meilleur = v;
  if (quiescence_limitee && ply >= std::max(debut_quiescence + 4, profondeur_iteration)) return v;

  // Captures of pieces worth less than this cannot lift the score to alpha.
  const int bilan = camp == BLANCS ? position.materiel_blancs - position.materiel_noirs
                                   : position.materiel_noirs - position.materiel_blancs;
  const int seuil = alpha - bilan - 100;
  etat_selection[ply].phase = SELECTION_QUIESCENCE;
  const int autre = camp ^ 1;
  for (int index = 0;; ++index) {
    const Coup coup = selection_coup_quiescence(camp, ply, seuil, index);
    if (coup == 0) break;
    joue(camp, ply, coup);
    if (position.cle_pions != position.cles_pions_ply[ply]) precharge_pions(position.cle_pions);
    if (en_echec(camp)) {
      dejoue(camp, ply, coup);
      continue;
    }
    coup_courant[ply] = coup;
    const int score = -recherche_quiescence(autre, ply + 1, -beta, -alpha, 0);
    dejoue(camp, ply, coup);
    if (arret_recherche) return 0;
    if (score > meilleur) {
      meilleur = score;
      if (meilleur > alpha) alpha = meilleur;
      if (meilleur >= beta) break;
    }
  }
  return meilleur;
}

void prepare_coups_racine() {
  const int camp = camp_racine;
  const int autre = camp ^ 1;
  debut_liste[0] = pile_coups;
  genere_coups(camp, 0);

  // Keep the legal moves, in generation order.
  Coup* fin = debut_liste[0];
  nb_coups_racine = 0;
  for (Coup* c = debut_liste[0]; c < debut_liste[1]; ++c) {
    joue(camp, 0, *c);
    const bool legal = !en_echec(camp);
    dejoue(camp, 0, *c);
    if (legal && nb_coups_racine < RACINE_MAX) {
      *fin++ = *c;
      fiches_racine[nb_coups_racine] = FicheRacine{*c, -INFINI, 0, 0, 0, 0};
      ++nb_coups_racine;
    }
  }
  debut_liste[1] = fin;

  // Preliminary score: a one-ply quiescence score, lowered by the best
  // exchange the opponent then has and raised by the move's own exchange.
  debut_quiescence = 1;
  for (int i = 0; i < nb_coups_racine; ++i) {
    FicheRacine& f = fiches_racine[i];
    joue(camp, 0, f.coup);
    coup_courant[0] = f.coup;
    int score = -recherche_quiescence(autre, 1, -INFINI, INFINI, 0);
    int gain = 0;
    Coup* fin_captures = genere_captures(1, autre, debut_liste[1]);
    for (Coup* c = debut_liste[1]; c < fin_captures; ++c)
      gain = std::max(gain, echange_statique(origine(*c), destination(*c), autre));
    dejoue(camp, 0, f.coup);
    // (Chess960 castling lands on the mover's own rook: no exchange there.)
    const bool sur_propre_piece = piece_prise(f.coup) == 0 && position.cases[destination(f.coup)] != VIDE;
    f.score_preliminaire =
        score - gain + (sur_propre_piece ? 0 : echange_statique(origine(f.coup), destination(f.coup), camp));
  }

  // Best first; equal scores keep generation order.
  Coup* liste = debut_liste[0];
  for (bool echange = true; echange;) {
    echange = false;
    for (int i = 0; i + 1 < nb_coups_racine; ++i) {
      if (fiches_racine[i].score_preliminaire < fiches_racine[i + 1].score_preliminaire) {
        std::swap(fiches_racine[i], fiches_racine[i + 1]);
        std::swap(liste[i], liste[i + 1]);
        echange = true;
      }
    }
  }
}
