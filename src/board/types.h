// Vocabulary shared by every subsystem: moves, pieces, squares, scores, depths.
#pragma once

#include <cstdint>

// A set of squares. Square s is bit 63 - s: a1 is the most significant bit,
// h8 the least significant one.
using Bitboard = uint64_t;

// A move packed into 32 bits:
//   bits  0-5   origin square
//   bits  6-11  destination square
//   bits 12-14  type of the moving piece (1 pawn .. 6 king)
//   bits 15-17  type of the captured piece (0 none; a pawn for en passant)
//   bits 18-20  promotion type (0 none, else 2..5)
//   bit  21     the move gives check (set by the search after making it)
// 0 and -1 both mean "no move". Origin = destination = 63 is the null move.
// Castling is a plain king move of two files.
using Coup = int32_t;

constexpr Coup AUCUN_COUP = 0;
constexpr Coup COUP_NUL = 63 | (63 << 6);
constexpr int32_t MASQUE_COUP = 0x1FFFFF;  // the 21 bits that identify a move
constexpr int32_t BIT_ECHEC = 1 << 21;

constexpr int origine(Coup c) { return c & 63; }
constexpr int destination(Coup c) { return (c >> 6) & 63; }
constexpr int piece_jouee(Coup c) { return (c >> 12) & 7; }
constexpr int piece_prise(Coup c) { return (c >> 15) & 7; }
constexpr int promotion(Coup c) { return (c >> 18) & 7; }
constexpr bool donne_echec(Coup c) { return (c & BIT_ECHEC) != 0; }
constexpr bool est_coup(Coup c) { return c != 0 && c != -1; }

constexpr Coup fabrique_coup(int o, int d, int type, int prise = 0, int promo = 0) {
  return o | (d << 6) | (type << 12) | (prise << 15) | (promo << 18);
}

// Piece types; a piece code is the type, positive for White, negative for Black.
constexpr int VIDE = 0;
constexpr int PION = 1;
constexpr int CAVALIER = 2;
constexpr int FOU = 3;
constexpr int TOUR = 4;
constexpr int DAME = 5;
constexpr int ROI = 6;

// Sides.
constexpr int BLANCS = 0;
constexpr int NOIRS = 1;

// Squares: 0 = a1 .. 63 = h8; 64 means "no square".
constexpr int AUCUNE_CASE = 64;
constexpr int colonne(int s) { return s & 7; }
constexpr int rangee(int s) { return s >> 3; }
constexpr int case_de(int col, int rang) { return col + 8 * rang; }

enum Case : int {
  A1, B1, C1, D1, E1, F1, G1, H1,
  A2, B2, C2, D2, E2, F2, G2, H2,
  A3, B3, C3, D3, E3, F3, G3, H3,
  A4, B4, C4, D4, E4, F4, G4, H4,
  A5, B5, C5, D5, E5, F5, G5, H5,
  A6, B6, C6, D6, E6, F6, G6, H6,
  A7, B7, C7, D7, E7, F7, G7, H7,
  A8, B8, C8, D8, E8, F8, G8, H8
};

// Scores are centipawns from the side to move's point of view. A side mated
// at ply p scores p - MAT; +/-INFINI are the bounds of every window.
constexpr int INFINI = 30001;
constexpr int MAT = 30000;
constexpr int SEUIL_MAT_TABLE = 29800;      // mate scores for the transposition table
constexpr int SEUIL_MAT_AFFICHAGE = 29900;  // mate scores shown as "score mate N"

// Depth inside the search is counted in eighths of a ply so extensions can
// be fractional.
constexpr int UN_PLY = 8;

// Per-ply arrays have this many rows; the search never goes beyond ply 63.
constexpr int PLY_MAX = 64;

// Endgame-table wins (Syzygy) score in a band above every evaluation and
// below every mate score: GAIN_TABLES - ply, so a shorter path to the win
// scores higher; a loss is the mirror.
constexpr int GAIN_TABLES = 20000;
constexpr int SEUIL_GAIN_TABLES = GAIN_TABLES - PLY_MAX;
constexpr bool score_bande_tables(int score) {
  return (score >= SEUIL_GAIN_TABLES && score <= GAIN_TABLES) || (score <= -SEUIL_GAIN_TABLES && score >= -GAIN_TABLES);
}

// Material values by piece type (the king counts 0).
constexpr int32_t valeur_piece[8] = {0, 100, 300, 300, 500, 900, 0, 0};
