// Reading a move text in coordinate notation into the game record.
#include "movegen/lecture_coup.h"

#include <cstring>

#include "board/joue.h"
#include "board/texte_coup.h"
#include "movegen/attaques.h"
#include "movegen/generation.h"

const char* erreur_texte = "";

namespace {

bool case_texte(const char* t, int* s) {
  if (t[0] < 'a' || t[0] > 'h' || t[1] < '1' || t[1] > '8') return false;
  *s = (t[0] - 'a') + 8 * (t[1] - '1');
  return true;
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
  // the generator then checks the path and the attacked squares. (Chess960
  // castling, the king onto its rook, needs the right.)
  const int e = camp == BLANCS ? E1 : E8;
  const int tour = camp == BLANCS ? TOUR : -TOUR;
  uint8_t& droits = camp == BLANCS ? position.etats[0].roque_blancs : position.etats[0].roque_noirs;
  if (!p.echecs960 && o == e && position.cases[e] == (camp == BLANCS ? ROI : -ROI)) {
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
  partie_joue_coup(p, o, d, LETTRES_PROMOTION[promo]);
  erreur_texte = "";
  return 1;
}
