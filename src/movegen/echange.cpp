// Static exchange evaluation. The capture sequence is played out on a set of
// attackers only: each side takes back with its least valuable attacker,
// sliders standing behind a piece that has just captured join in, and the
// gains are folded back so that either side may stop when going on loses.
#include "movegen/echange.h"

#include "movegen/attaques.h"
#include "movegen/bitboard.h"

Bitboard ajoute_rayons_x(int s, int dir, Bitboard ensemble) {
  const int k = indice_direction(dir);
  if (k < 0) return ensemble;
  // Rows 0, 1, 4 and 5 of `rayon` are ranks and files, the others diagonals.
  if (k == 0 || k == 1 || k == 4 || k == 5) return ensemble | (attaques_tour(s) & rayon[k][s] & position.lignes);
  return ensemble | (attaques_fou(s) & rayon[k][s] & position.diagonales);
}

namespace {

// Square of the least valuable attacker of side C in `ensemble` (the
// lowest-numbered one among equals), or 64 when it has none. Written per side
// so that each piece set is read at a fixed place of the thread's board.
template <int C> int moindre_attaquant_camp(Bitboard ensemble) {
  const Position& P = position;
  Bitboard b;
  if ((b = ensemble & (C == BLANCS ? P.pions_blancs : P.pions_noirs)) ||
      (b = ensemble & (C == BLANCS ? P.cavaliers_blancs : P.cavaliers_noirs)) ||
      (b = ensemble & (C == BLANCS ? P.fous_blancs : P.fous_noirs)) ||
      (b = ensemble & (C == BLANCS ? P.tours_blanches : P.tours_noires)) ||
      (b = ensemble & (C == BLANCS ? P.dames_blanches : P.dames_noires)))
    return premier_bit(b);
  const int roi = C == BLANCS ? P.roi_blanc : P.roi_noir;
  return (ensemble & masque_case[roi]) ? roi : AUCUNE_CASE;
}

inline int moindre_attaquant(Bitboard ensemble, int camp) {
  return camp == BLANCS ? moindre_attaquant_camp<BLANCS>(ensemble) : moindre_attaquant_camp<NOIRS>(ensemble);
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
