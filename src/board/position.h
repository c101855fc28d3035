// The game record (Partie) and the search board (Position).
//
// The board exists twice: the game record holds the game as the interface
// sees it (start position, moves played, keys after every ply); the search
// board holds the same placement as bitboards, occupancies, material
// sums and keys, kept current by joue/dejoue. Every thread that searches has
// its own copy of both.
#pragma once

#include <cstdint>

#include "board/types.h"

// Room for the plies of a game plus the deepest searched line.
constexpr int CAPACITE_PARTIE = 512;
// The record holds no more plies than this, so a search always has room;
// a longer game forgets its oldest plies (see partie_oublie_debut).
constexpr int DEMI_COUPS_MAX = CAPACITE_PARTIE - PLY_MAX - 1;
// Plies a full record keeps: more than the fifty-move rule ever looks at.
constexpr int DEMI_COUPS_GARDES = 110;

struct Partie {
  int32_t echiquier[64];
  uint8_t en_passant;
  uint8_t roque_blancs;  // bit 0 king side, bit 1 queen side
  uint8_t roque_noirs;
  uint8_t reserve;
  int32_t dernier_irreversible;
  int32_t trait;
  int32_t echiquier_depart[64];
  uint8_t en_passant_depart;
  uint8_t roque_blancs_depart;
  uint8_t roque_noirs_depart;
  uint8_t reserve_depart;
  int32_t dernier_irreversible_depart;
  int32_t trait_depart;
  int32_t coups[CAPACITE_PARTIE];  // origin + 64 * destination + 4096 * type
  uint64_t cles[CAPACITE_PARTIE];  // placement key after i plies
  int32_t nb_demi_coups;
  int32_t camp_programme;
  // Castling in Chess960 form (a right may belong to any rook of the first
  // rank; castling is the king moving onto that rook), and the square of the
  // rook each right belongs to, by side and wing (0 king side, 1 queen side;
  // 64 for a right the start position lacks). Standard games keep the corners.
  int32_t echecs960;
  uint8_t tours_roque[2][2];
};

// Irreversible state of one search ply. In the castling bytes, 1 is the king
// side right, 2 the queen side right, and 4 means that side has castled.
struct EtatPly {
  uint8_t en_passant;
  uint8_t roque_blancs;
  uint8_t roque_noirs;
  uint8_t reserve;
  int32_t dernier_irreversible;
};

struct Position {
  int8_t cases[64];
  uint8_t roi_blanc, roi_noir;
  Bitboard pions_blancs, cavaliers_blancs, fous_blancs, tours_blanches, dames_blanches;
  Bitboard pions_noirs, cavaliers_noirs, fous_noirs, tours_noires, dames_noires;
  Bitboard diagonales;  // bishops and queens of both colours
  Bitboard lignes;      // rooks and queens of both colours
  Bitboard occupation_blancs, occupation_noirs;
  uint64_t cle;
  uint32_t cle_pions;
  int32_t materiel_blancs, materiel_noirs;
  int32_t nb_pions_blancs, nb_pions_noirs;
  int32_t phase_blancs, phase_noirs;
  EtatPly etats[PLY_MAX + 1];
  uint64_t cles_ply[PLY_MAX + 1];
  uint32_t cles_pions_ply[PLY_MAX + 1];
  int32_t demi_coups;
  int32_t irreversible_racine;
  int32_t camp_programme, camp_adverse;
  // As in the game record: Chess960 castling, and each right's rook square.
  int32_t echecs960;
  uint8_t tours_roque[2][2];
  // By side and square, the castling rights a rook of that side keeps when it
  // leaves the square or is taken there (all but the right it belongs to).
  uint8_t garde_roque[2][64];
};

// Where castling puts the king and the rook of side `camp` on wing `cote`
// (0 king side: g and f files; 1 queen side: c and d files).
constexpr int roi_apres_roque(int camp, int cote) { return (cote == 0 ? G1 : C1) + 56 * camp; }
constexpr int tour_apres_roque(int camp, int cote) { return (cote == 0 ? F1 : D1) + 56 * camp; }

extern thread_local constinit Partie partie;
extern thread_local constinit Position position;
// Best mate score the searches of this game have found (0 = none): a later
// search ends once it finds a better one. A fresh board forgets it.
extern int32_t mat_connu;

extern const int32_t position_initiale[64];
// UCI_Chess960: games set up from now on castle in Chess960 form, and their
// FEN castling fields are read as Shredder-FEN or X-FEN.
extern int32_t chess960_demande;
extern int32_t diagonale_a1h8[64];  // file - rank
extern int32_t diagonale_a8h1[64];  // file + rank - 7

void initialise_diagonales();
// Fills garde_roque from tours_roque.
void position_garde_roque();
void position_depart();
void position_calcule();

void partie_initialise(Partie& p, const int32_t placement[64], int trait);
void partie_recommence(Partie& p);
void partie_fixe_trait(Partie& p, int trait);
void partie_programme_au_trait(Partie& p);
void partie_vers_position(Partie& p);
// Makes room in a full record. Only the plies since the last capture, pawn
// move or loss of a castling right can repeat, and the fifty-move rule needs
// no more than the last hundred, so an even number of the oldest plies is
// dropped: the moves and keys slide down, and the counts follow. The start
// fields keep the game's real start (only a report reads them).
void partie_oublie_debut(Partie& p);

// Recomputes everything derived from `cases` (bitboards, occupancies, king
// squares, material, keys, and the pawn counts and phase weights) and
// compares it with the incrementally kept fields. Returns 1 when they agree.
// Pawn counts and phase weights are only meaningful once the evaluation's
// phase routine has run, as before any search.
int position_est_valide();
