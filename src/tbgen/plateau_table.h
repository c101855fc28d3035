// The material of one table set on the search board: which pieces it has,
// how a placement of them is put on the board, and the entry number of the
// board position in the set's files. Used to build and to check tables.
#pragma once

#include <algorithm>
#include <cstdint>

#include "egtb/indices.h"
#include "movegen/attaques.h"

constexpr int PIECES_MAX = 5;

struct PieceSet {
  int8_t camp, type;
};

// A set: slot 0 the White king, slot 1 the Black king, then White's pieces
// and Black's pieces in the order of the name.
struct MaterielTable {
  int n;
  int nb;
  PieceSet pieces[PIECES_MAX];
  bool pions;
  bool une_face;  // knkn, kbkb, krkr, kqkq: only the White-to-move file exists
};

MaterielTable materiel_table(int n);
// Table number of a set name ("kqk"), 0 when unknown.
int numero_table_nom(const char* nom);
// Signed table number of the material on the board (kings only: 0; no table:
// 0); negative when the table has the colours exchanged.
int table_plateau();

// Empties the search board (building the move tables the first time); no
// castling, no en-passant square at any ply.
void vide_plateau();
// Puts a piece on an empty square, or takes it away.
void bascule_piece(int camp, int type, int s);

// Entry of the position whose slot squares are `cases`, `camp` to move, in
// the set's table; `ep` is the en-passant square or EP_AUCUN.
uint32_t indice_cases(const MaterielTable& m, int camp, const int8_t* cases, int ep);
// The smallest entry among the position's mirror images. Images have equal
// values; only in sets without pawns with both kings on one long diagonal
// does an image (the reflection in that diagonal) have another entry.
uint32_t indice_primaire(const MaterielTable& m, int camp, const int8_t* cases, int ep);

// En-passant squares that a position with `camp` to move has an entry for:
// the other side's pawn has just moved two squares (both squares behind it
// empty, the position before it legal) and a pawn of `camp` stands beside it.
// Returns their number (at most two) and puts the squares in `eps`.
int cases_en_passant(int camp, int eps[2]);
// The entry's en-passant square after a double push to `arrivee` by the side
// not to move: the square passed over when a pawn of `camp` stands beside
// the pawn, else EP_AUCUN.
int en_passant_effectif(int camp, int arrivee);

// Calls f(cases, ep) for every legal position of set m with `camp` to move
// whose king of `camp` stands in the region the index functions bring it
// to (the a1-d1-d4 triangle, files a-d for sets with pawns): once with no
// en-passant square and once per en-passant square it has an entry for.
// The position is on the search board during the call; `cases` holds the
// squares of m's slots.
template <class F> void pour_chaque_position(const MaterielTable& m, int camp, F&& f) {
  int8_t cases[PIECES_MAX];
  const int ordre[PIECES_MAX] = {camp == 0 ? 0 : 1, camp == 0 ? 1 : 0, 2, 3, 4};
  auto place = [&](auto&& soi, int k) -> void {
    if (k >= m.nb || k >= PIECES_MAX) {
      const int roi_autre = camp == 0 ? position.roi_noir : position.roi_blanc;
      if (est_attaquee(roi_autre, camp)) return;
      f(static_cast<const int8_t*>(cases), int(EP_AUCUN));
      if (m.pions) {
        int eps[2];
        const int nb = cases_en_passant(camp, eps);
        for (int i = 0; i < nb; ++i) f(static_cast<const int8_t*>(cases), eps[i]);
      }
      return;
    }
    const int slot = ordre[k];
    const PieceSet p = m.pieces[slot];
    int debut = p.type == PION ? 8 : 0, fin = p.type == PION ? 56 : 64;
    // Two pieces of one kind: the second above the first.
    if (slot > 2 && m.pieces[slot - 1].camp == p.camp && m.pieces[slot - 1].type == p.type)
      debut = std::max(debut, cases[slot - 1] + 1);
    for (int s = debut; s < fin; ++s) {
      if (k == 0 && !(m.pions ? colonne(s) <= 3 : colonne(s) <= 3 && rangee(s) <= colonne(s))) continue;
      if (position.cases[s] != 0) continue;
      if (k == 1) {
        const int r = cases[ordre[0]];
        const int dc = colonne(s) - colonne(r), dr = rangee(s) - rangee(r);
        if (dc >= -1 && dc <= 1 && dr >= -1 && dr <= 1) continue;
      }
      cases[slot] = int8_t(s);
      bascule_piece(p.camp, p.type, s);
      soi(soi, k + 1);
      bascule_piece(p.camp, p.type, s);
    }
  };
  place(place, 0);
}
