// Working state of the evaluation, rebuilt before every search by
// prepare_evaluation (piece counts, piece-square tables, outpost weights).
#pragma once

#include <cstdint>

// Piece counts by type and colour. prepare_evaluation counts them; the piece
// loop and the endgame scoring recount knights, bishops, rooks and queens.
extern thread_local constinit int32_t nb_cavaliers_blancs, nb_fous_blancs, nb_tours_blanches, nb_dames_blanches;
extern thread_local constinit int32_t nb_cavaliers_noirs, nb_fous_noirs, nb_tours_noires, nb_dames_noires;
extern thread_local constinit int32_t mineures_blancs, mineures_noirs;  // knights + bishops
extern thread_local constinit int32_t majeures_blancs, majeures_noirs;  // rooks + 2 x queens

// Working piece-square tables by piece type (1 pawn .. 6 king) and square.
extern thread_local constinit int32_t pst_blancs[7][64];
extern thread_local constinit int32_t pst_noirs[7][64];
extern thread_local constinit int32_t avant_poste_blancs[64];
extern thread_local constinit int32_t avant_poste_noirs[64];
