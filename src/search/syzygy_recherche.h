// The search's use of the Syzygy tables: when a node may probe them, the
// scores their verdicts get, and the ranking of the root moves.
#pragma once

#include <algorithm>
#include <cstdint>

#include "board/bits.h"
#include "board/position.h"
#include "board/types.h"
#include "egtb/tablebases.h"
#include "movegen/bitboard.h"
#include "search/etat_recherche.h"
#include "search/reglages_recherche.h"
#include "syzygy/syzygy.h"

// Set by classe_racine_tables for the current search: whether the root moves
// were ranked by the tables, and the score their verdict gives the root.
extern int32_t racine_tables;
extern int32_t verdict_racine;

// A node below the root may probe the win/draw/loss tables: the move into
// it was a capture or a pawn move (so the fifty-move counter is 0), no
// castling right is left, the material fits both the tables and
// "SyzygyProbeLimit", the depth reaches "SyzygyProbeDepth" (unless there are
// fewer pieces than that limit), and no Nalimov table holds the material.
inline int sonde_syzygy_permise(int camp, int profondeur, int ply) {
  const Coup c = coup_courant[ply - 1];
  if (!est_coup(c) || (piece_prise(c) == 0 && piece_jouee(c) != PION)) return 0;
  const EtatPly& e = position.etats[ply];
  if ((e.roque_blancs | e.roque_noirs) & 3) return 0;
  const int n = compte_bits(occupation());
  const int limite = std::min(syzygy_pieces.load(), syzygy_limite_pieces.load());
  if (n > limite || (n == limite && profondeur < syzygy_profondeur_sonde * UN_PLY)) return 0;
  return !(tb_disponibles && table_couvre(camp));
}

// The score of a win/draw/loss verdict at `ply`. With "Syzygy50MoveRule", a
// win the fifty-move rule spoils and a loss it saves are draws.
inline int score_syzygy(int wdl, int ply) {
  if (wdl == WDL_GAIN || (wdl == WDL_GAIN_MAUDIT && !syzygy_regle_50)) return GAIN_TABLES - ply;
  if (wdl == WDL_PERTE || (wdl == WDL_PERTE_SAUVEE && !syzygy_regle_50)) return ply - GAIN_TABLES;
  return 0;
}

// When the root position is in the Syzygy tables (and in no Nalimov table):
// keeps only the root moves of the best rank, so that a won position is won
// within the fifty-move rule and a drawn one is not lost, and sets
// racine_tables and verdict_racine. Returns racine_tables.
int classe_racine_tables();
