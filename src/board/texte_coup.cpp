// Move text in coordinate notation: reading it into the game record, and
// writing a move out.
#include "board/texte_coup.h"

#include <cstring>

#include "board/cles.h"
#include "board/joue.h"
#include "movegen/attaques.h"
#include "movegen/generation.h"

const char* erreur_texte = "";

namespace {

constexpr const char* lettres_promotion = " pnbrqk";

bool case_texte(const char* t, int* s) {
  if (t[0] < 'a' || t[0] > 'h' || t[1] < '1' || t[1] > '8') return false;
  *s = (t[0] - 'a') + 8 * (t[1] - '1');
  return true;
}

// Promotion type of a letter; anything but n, b, r (either case) is a queen.
int type_promotion(char lettre) {
  switch (lettre) {
    case 'n': case 'N': return CAVALIER;
    case 'b': case 'B': return FOU;
    case 'r': case 'R': return TOUR;
    default: return DAME;
  }
}

// Whether the side to move of `p` can play o-d (promoting to `promo` when a
// pawn reaches the last rank). Works on the search board and on a local move
// list, and puts back everything it touches.
bool coup_legal(Partie& p, int o, int d, int promo) {
  static Position sauvegarde;
  sauvegarde = position;
  const int camp = p.trait;
  const uint64_t cle_suivante = partie.cles[p.nb_demi_coups + 1];
  partie_vers_position(p);

  // A king on its home square moving two files castles whether or not the
  // game record still holds the right, as long as the rook is in its corner;
  // the generator then checks the path and the attacked squares.
  const int e = camp == BLANCS ? E1 : E8;
  const int tour = camp == BLANCS ? TOUR : -TOUR;
  uint8_t& droits = camp == BLANCS ? position.etats[0].roque_blancs : position.etats[0].roque_noirs;
  if (o == e && position.cases[e] == (camp == BLANCS ? ROI : -ROI)) {
    if (d == e + 2 && position.cases[e + 3] == tour) droits = static_cast<uint8_t>((droits & 3) | 1);
    if (d == e - 2 && position.cases[e - 4] == tour) droits = static_cast<uint8_t>((droits & 3) | 2);
  }

  Coup coups[TAILLE_LISTE_MAX];
  Coup* fin = genere_captures(0, camp, coups);
  fin = genere_non_captures(0, camp, fin);
  bool legal = false;
  for (Coup* c = coups; c != fin && !legal; ++c) {
    if (origine(*c) != o || destination(*c) != d) continue;
    if (promotion(*c) != 0 && promotion(*c) != promo) continue;
    joue(camp, 0, *c);
    legal = !en_echec(camp);
    dejoue(camp, 0, *c);
  }

  position = sauvegarde;
  partie.cles[p.nb_demi_coups + 1] = cle_suivante;
  return legal;
}

int refuse(const char* raison) {
  erreur_texte = raison;
  return 0;
}

}  // namespace

int partie_joue_texte(Partie& p, const char* texte) {
  if (texte == nullptr) return refuse("coup vide");
  const size_t longueur = std::strlen(texte);
  int o, d;
  if (longueur != 4 && longueur != 5) return refuse("un coup a quatre ou cinq caracteres");
  if (!case_texte(texte, &o) || !case_texte(texte + 2, &d)) return refuse("case hors de a1-h8");
  partie_oublie_debut(p);
  // A promotion without its letter, or with an unknown one, becomes a queen.
  const char lettre = longueur == 5 ? texte[4] : 'q';
  const int promo = type_promotion(lettre);
  if (!coup_legal(p, o, d, promo)) return refuse("coup illegal");
  partie_joue_coup(p, o, d, lettres_promotion[promo]);
  erreur_texte = "";
  return 1;
}

void partie_joue_coup(Partie& p, int o, int d, char lettre) {
  // The plies behind a full record belong to the search, which writes the
  // keys of its line there: the oldest plies make room instead.
  partie_oublie_debut(p);
  const int n = p.nb_demi_coups;
  const int piece = p.echiquier[o];
  p.en_passant = AUCUNE_CASE;
  p.coups[n] = o + 64 * d + 4096 * (piece < 0 ? -piece : piece);

  // Castling is told by the king's squares alone.
  bool roque = false;
  if (piece == ROI && o == E1 && (d == G1 || d == C1)) {
    p.roque_blancs = 0;
    roque = true;
  } else if (piece == -ROI && o == E8 && (d == G8 || d == C8)) {
    p.roque_noirs = 0;
    roque = true;
  }
  if (roque) {
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
    const Coin coins[4] = {{A1, TOUR, &p.roque_blancs, 2}, {H1, TOUR, &p.roque_blancs, 1},
                           {A8, -TOUR, &p.roque_noirs, 2}, {H8, -TOUR, &p.roque_noirs, 1}};
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
    if (promotion(coup) != 0) *t++ = lettres_promotion[promotion(coup)];
  }
  *t = 0;
  return texte;
}

void ecrit_coup(FILE* flux, Coup coup) {
  char texte[8];
  std::fputs(texte_coup(coup, texte), flux);
}
