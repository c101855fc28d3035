// Move text in coordinate notation: playing a move on the game record, and
// writing a move out. Reading a move text, which checks it against the move
// generator, is in movegen/lecture_coup.cpp.
#include "board/texte_coup.h"

#include <cstring>

#include "board/cles.h"

int type_promotion(char lettre) {
  switch (lettre) {
    case 'n': case 'N': return CAVALIER;
    case 'b': case 'B': return FOU;
    case 'r': case 'R': return TOUR;
    default: return DAME;
  }
}

void partie_joue_coup(Partie& p, int o, int d, char lettre) {
  // The plies behind a full record belong to the search, which writes the
  // keys of its line there: the oldest plies make room instead.
  partie_oublie_debut(p);
  const int n = p.nb_demi_coups;
  const int piece = p.echiquier[o];
  p.en_passant = AUCUNE_CASE;
  p.coups[n] = o + 64 * d + 4096 * (piece < 0 ? -piece : piece);

  // Castling is told by the king's squares alone; in Chess960, by the king
  // moving onto its own rook (and a king's two-file move is no castling).
  const bool roque960 =
      p.echecs960 && (piece == ROI || piece == -ROI) && p.echiquier[d] == (piece > 0 ? TOUR : -TOUR);
  const bool roque = !p.echecs960 && ((piece == ROI && o == E1 && (d == G1 || d == C1)) ||
                                      (piece == -ROI && o == E8 && (d == G8 || d == C8)));
  if (roque960) {
    const int camp = piece > 0 ? BLANCS : NOIRS, cote = d > o ? 0 : 1;
    (camp == BLANCS ? p.roque_blancs : p.roque_noirs) = 0;
    p.echiquier[o] = 0;
    p.echiquier[d] = 0;
    p.echiquier[roi_apres_roque(camp, cote)] = piece;
    p.echiquier[tour_apres_roque(camp, cote)] = piece > 0 ? TOUR : -TOUR;
    p.dernier_irreversible = n;
  } else if (roque) {
    (piece > 0 ? p.roque_blancs : p.roque_noirs) = 0;
    const int de_tour = d > o ? o + 3 : o - 4;
    const int vers_tour = d > o ? o + 1 : o - 1;
    p.echiquier[d] = piece;
    p.echiquier[o] = 0;
    p.echiquier[vers_tour] = p.echiquier[de_tour];
    p.echiquier[de_tour] = 0;
    p.dernier_irreversible = n;
  } else {
    if (p.echiquier[d] != 0 || piece == PION || piece == -PION) p.dernier_irreversible = n;

    if (p.roque_blancs != 0 && piece == ROI) {
      p.roque_blancs = 0;
      p.dernier_irreversible = n;
    } else if (p.roque_noirs != 0 && piece == -ROI) {
      p.roque_noirs = 0;
      p.dernier_irreversible = n;
    }
    // A rook that leaves its corner, or is taken there, takes its right along.
    struct Coin {
      int s, tour;
      uint8_t* droits;
      uint8_t bit;
    };
    const Coin coins[4] = {{p.tours_roque[BLANCS][1], TOUR, &p.roque_blancs, 2},
                           {p.tours_roque[BLANCS][0], TOUR, &p.roque_blancs, 1},
                           {p.tours_roque[NOIRS][1], -TOUR, &p.roque_noirs, 2},
                           {p.tours_roque[NOIRS][0], -TOUR, &p.roque_noirs, 1}};
    for (const Coin& coin : coins) {
      if ((*coin.droits & coin.bit) == 0) continue;
      if ((o == coin.s && piece == coin.tour) || (d == coin.s && p.echiquier[d] == coin.tour)) {
        *coin.droits = static_cast<uint8_t>(*coin.droits & ~coin.bit);
        p.dernier_irreversible = n;
      }
    }

    // En passant: a diagonal pawn step onto an empty square takes the pawn beside the origin.
    const int pas = d - o;
    if ((piece == PION || piece == -PION) && p.echiquier[d] == 0 &&
        (pas == 7 || pas == -7 || pas == 9 || pas == -9))
      p.echiquier[(pas == 7 || pas == -9) ? o - 1 : o + 1] = 0;

    p.echiquier[d] = piece;
    p.echiquier[o] = 0;
    if ((piece == PION || piece == -PION) && (pas == 16 || pas == -16)) p.en_passant = static_cast<uint8_t>((o + d) / 2);
    if ((piece == PION && rangee(d) == 7) || (piece == -PION && rangee(d) == 0)) {
      const int type = type_promotion(lettre);
      p.echiquier[d] = piece > 0 ? type : -type;
    }
  }

  p.nb_demi_coups = n + 1;
  p.trait ^= 1;
  p.cles[n + 1] = partie_cle(p.echiquier);
}

char* texte_coup(Coup coup, char* texte) {
  char* t = texte;
  if (coup != 0 && coup != -1) {
    const int o = origine(coup), d = destination(coup);
    if (o == 0 && d == 0) {
      std::strcpy(t, "(HT)");
      return texte;
    }
    if (o == 63 && d == 63) {
      std::strcpy(t, "----");
      return texte;
    }
    *t++ = static_cast<char>('a' + colonne(o));
    *t++ = static_cast<char>('1' + rangee(o));
    *t++ = static_cast<char>('a' + colonne(d));
    *t++ = static_cast<char>('1' + rangee(d));
    if (promotion(coup) != 0) *t++ = LETTRES_PROMOTION[promotion(coup)];
  }
  *t = 0;
  return texte;
}

void ecrit_coup(FILE* flux, Coup coup) {
  char texte[8];
  std::fputs(texte_coup(coup, texte), flux);
}
