// State of the running search: per-ply arrays, the principal variation, the
// root move records, the stop flag and the statistics counters. Each thread
// that searches (the main search and its helpers, search/fils.h) has its own
// copy of all of it but the stop flag, which they share.
//
// The move-ordering data the pickers read (coup_hash, pv_precedente,
// premiere_branche, the killers and the history) live with the pickers in
// movegen/selection.h; the search writes them.
#pragma once

#include <atomic>
#include <cstdint>

#include "board/types.h"

// How the line of a ply ended, copied upwards with the principal variation.
enum TypeNoeud : int32_t {
  NOEUD_NORMAL = 0,
  NOEUD_CN = 1,          // null-move cut
  NOEUD_REPETITION = 2,  // repetition draw
  NOEUD_PAT = 3,         // stalemate
  NOEUD_HT = 4,          // score taken from the transposition table
  NOEUD_EGTB = 5,        // tablebase value
};

// Triangular principal-variation table: row p holds the best line from ply
// p; longueur_pv[p] is the absolute ply at which that line ends.
extern thread_local constinit Coup pv[PLY_MAX + 1][PLY_MAX + 1];
extern thread_local constinit int32_t longueur_pv[PLY_MAX + 1];
extern thread_local constinit TypeNoeud type_noeud[PLY_MAX + 1];

// The move being searched (bit 21 when it checks; -1 null move), the pawn
// units of the piece it takes, and its promotion type.
extern thread_local constinit Coup coup_courant[PLY_MAX + 1];
extern thread_local constinit int32_t valeur_prise[PLY_MAX + 1];
extern thread_local constinit int32_t promotion_ply[PLY_MAX + 1];
// Bit 0: the move into this node gave check; bit 1: pawn to the 2nd/7th
// rank; bit 2: recapture extension; bit 3: single-reply extension.
extern thread_local constinit int32_t marques_extension[PLY_MAX + 1];
extern thread_local constinit int32_t coup_nul_en_cours[PLY_MAX + 1];
extern thread_local constinit int32_t danger_rois[2][PLY_MAX + 1];  // filled by securite_rois
extern thread_local constinit int32_t compte_tueur1[PLY_MAX], compte_tueur2[PLY_MAX];

// One record per legal root move, parallel to the ply-0 move list.
struct FicheRacine {
  Coup coup;
  int32_t meilleur_score;
  int32_t score_preliminaire;
  int32_t cherche;
  uint32_t noeuds;
  int32_t nb_meilleur;
};
constexpr int RACINE_MAX = 256;
extern thread_local constinit FicheRacine fiches_racine[RACINE_MAX];
extern thread_local constinit int32_t nb_coups_racine;

// Driver state.
extern thread_local constinit int32_t profondeur_iteration;  // iteration being searched
extern thread_local constinit int32_t profondeur_terminee;   // last completed iteration
extern thread_local constinit int32_t score_racine;          // best root score of the current iteration
extern thread_local constinit int32_t score_precedent;       // score of the previous completed iteration
extern thread_local constinit int32_t premier_coup_racine;   // 1 while the first root move is searched
extern thread_local constinit int32_t reprise_haute;         // re-searching after a fail high at the root
extern thread_local constinit int32_t echec_bas;             // a fail low happened in this iteration
extern thread_local constinit int32_t camp_racine;
extern thread_local constinit int32_t lignes_racine;  // root lines reported per iteration (MultiPV)
extern thread_local constinit uint64_t cle_racine;

// Once set, every node of every thread returns 0.
extern std::atomic<int32_t> arret_recherche;
// Runs one command waiting on standard input while a search runs ("stop",
// "ponderhit", "isready", ...). Whoever launches the search installs it (the
// UCI front end installs its interpreter); null: the search leaves waiting
// input alone and a finished search does not wait for "stop".
using CommandeRecherche = void (*)();
extern thread_local constinit CommandeRecherche commande_pendant_recherche;
extern thread_local constinit int32_t compteur_controle;  // countdown to the next clock and input poll
extern thread_local constinit int32_t intervalle_controle;
extern thread_local constinit int32_t debut_quiescence;  // ply at which the quiescence search started

// Statistics of one search (the tablebase probe and hit counters are
// tb_sondes and tb_succes of egtb/tablebases.h).
extern thread_local constinit int64_t noeuds, noeuds_recherche, noeuds_quiescence;
extern thread_local constinit int64_t nb_coups_nuls, nb_coupures_nulles;
extern thread_local constinit int64_t nb_ext_echec, nb_ext_recapture, nb_ext_coup_unique, nb_ext_menace,
    nb_ext_securite, nb_ext_singuliere;
extern thread_local constinit int64_t nb_coupures, nb_coupures_premier;

// Clears every statistics counter above.
void efface_statistiques();
