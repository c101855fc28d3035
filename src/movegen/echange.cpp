// Static exchange evaluation. The capture sequence is played out on a set of
// attackers only: each side takes back with its least valuable attacker,
// sliders standing behind a piece that has just captured join in, and the
// gains are folded back so that either side may stop when going on loses.
#include "movegen/echange.h"

#include "movegen/attaques.h"
#include "movegen/bitboard.h"

Bitboard ajoute_rayons_x(int s, int dir, Bitboard ensemble) {
  switch (dir) {
    case 1:
    case -1:
    case 8:
    case -8:
      return ensemble | (attaques_tour(s) & rayon[indice_direction(dir)][s] & position.lignes);
    case 7:
    case -7:
    case 9:
    case -9:
      return ensemble | (attaques_fou(s) & rayon[indice_direction(dir)][s] & position.diagonales);
    default: return ensemble;
  }
}

namespace {

// Square of the least valuable attacker of side `camp` in `ensemble`
// (the lowest-numbered one among equals), or 64 when it has none.
int moindre_attaquant(Bitboard ensemble, int camp) {
  const Position& P = position;
  const Bitboard pieces[5] = {
      camp == BLANCS ? P.pions_blancs : P.pions_noirs,
      camp == BLANCS ? P.cavaliers_blancs : P.cavaliers_noirs,
      camp == BLANCS ? P.fous_blancs : P.fous_noirs,
      camp == BLANCS ? P.tours_blanches : P.tours_noires,
      camp == BLANCS ? P.dames_blanches : P.dames_noires,
  };
  for (Bitboard b : pieces)
    if (ensemble & b) return premier_bit(ensemble & b);
  const int roi = camp == BLANCS ? P.roi_blanc : P.roi_noir;
  return (ensemble & masque_case[roi]) ? roi : AUCUNE_CASE;
}

}  // namespace

int echange_statique(int de, int vers, int camp) {
  constexpr int TAILLE_GAINS = 32;
  int gains[TAILLE_GAINS];
  Bitboard restants = attaquants(vers) & masque_efface[de];
  gains[0] = valeur_echange_signee[position.cases[vers] + 6];
  int en_jeu = valeur_echange_signee[position.cases[de] + 6];
  if (direction[vers][de] != 0) restants = ajoute_rayons_x(de, direction[vers][de], restants);

  int cote = camp ^ 1, signe = -1, n = 1;
  while (restants && n < TAILLE_GAINS) {
    const int s = moindre_attaquant(restants, cote);
    if (s == AUCUNE_CASE) break;
    gains[n] = gains[n - 1] + signe * en_jeu;
    en_jeu = valeur_echange_signee[position.cases[s] + 6];
    restants &= masque_efface[s];
    if (direction[vers][s] != 0) restants = ajoute_rayons_x(s, direction[vers][s], restants);
    ++n;
    signe = -signe;
    cote ^= 1;
  }
  // Odd entries are the opponent's choices (minimum), even ones the mover's.
  for (int k = n - 1; k >= 1; --k) {
    if (k & 1)
      gains[k - 1] = gains[k - 1] < gains[k] ? gains[k - 1] : gains[k];
    else
      gains[k - 1] = gains[k - 1] > gains[k] ? gains[k - 1] : gains[k];
  }
  return gains[0];
}
