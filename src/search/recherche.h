// Alpha-beta search, quiescence search and the iterative-deepening driver.
#pragma once

#include "board/types.h"

// Runs one search for the side to move of `position`. Returns the score of
// the last completed iteration, -30000 without a legal move. The move to
// play is pv[0][0], the expected reply pv[0][1].
int recherche_iterative();
// The search of a helper thread (search/fils.h) on the root its game record
// and board hold: iterations until arret_recherche, with neither clock nor
// book. It prints no search line: its counts and its deepest completed
// iteration reach the interface through the main search.
void recherche_aide();
// A search that only "stop" or "ponderhit" may end ("go infinite", "go
// ponder") keeps answering commands until one comes.
void attend_fin_ponder();
// After a root search that scored v outside (alpha, beta): widens the
// window (first by 200 beyond the failed bound, then to the full range) and
// returns 1 for a re-search; 0 when v is inside or the full window already
// failed, and the iteration counts as complete.
int elargit_fenetre(int v, int& alpha, int& beta, int& reprise);
// Sorts the root moves after the first by nodes spent, most first.
void trie_racine();

int recherche(int camp, int profondeur, int ply, int alpha, int beta, int en_echec);
int recherche_quiescence(int camp, int ply, int alpha, int beta, int donne_echec);
// Root move list (ply 0) and its records in preliminary order.
void prepare_coups_racine();
Coup cherche_coup_singulier(int alpha, int camp, int profondeur, int ply, int en_echec);
// 0 none, 1 an earlier occurrence since the last irreversible move, 2 more
// than 100 plies since it.
int est_repetition();
void maj_tueurs_historique(int camp, int coupure, int score, int ply, int profondeur, Coup meilleur);
void complete_pv(int ply, int camp);
