// Settings of the search, set by the UCI options; the search reads them.
#pragma once

#include <cstdint>

extern int32_t ponder_autorise;         // Ponder: announce a ponder move
extern int32_t hash_actif;              // transposition table in use
extern int32_t tb_disponibles;          // largest tablebase piece count registered, 0 = none
extern int32_t iid_actif;               // InternalIterativeDeepening
extern int32_t extension_singuliere;    // SingularExtension
extern int32_t extension_securite_roi;  // KingSafetyExtension, 0..8
extern int32_t futilite;                // Futility
extern int32_t quiescence_limitee;      // LimitedQuiescence
extern int32_t analyse_uci;             // UCI_AnalyseMode: no book, no learning reports
extern int32_t nb_lignes_pv;            // MultiPV: root moves reported per iteration, 1..64
// Move Overhead: milliseconds kept back from every clock budget and from the
// hard ceiling for the interface and the network to pass the move on.
extern int32_t marge_interface_ms;
