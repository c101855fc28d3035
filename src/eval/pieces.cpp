// Knights, bishops, rooks and queens: piece-square value, closeness to the
// enemy king, outposts, mobility, open files and blockades.
#include "eval/pieces.h"

#include "board/position.h"
#include "eval/evaluation.h"
#include "eval/pions.h"
#include "eval/preparation.h"
#include "eval/roi.h"
#include "eval/tables_evaluation.h"
#include "movegen/bitboard.h"

const int32_t bonus_cavalier_roi[8] = {15, 14, 10, 4, -1, -7, -9, -10};
const int32_t bonus_fou_roi[8] = {15, 14, 10, 4, -1, -7, -9, -10};
const int32_t bonus_tour_roi[8] = {25, 24, 20, 14, 9, 3, 1, 0};

namespace {

constexpr int BLOCAGE_CENTRE = 6;  // on the d- and e-files
constexpr int BLOCAGE = 3;
constexpr int AVANT_POSTE = 9;
constexpr int CAVALIER_PION_FAIBLE = 5;
constexpr int CAVALIERS_LIES = 4;
constexpr int MOBILITE_FOU = 3;
constexpr int FOU_LIGNE_ROI = 3;
constexpr int TOUR_LIGNE_ROI = 5;
constexpr int TOUR_PION_FAIBLE = 4;
constexpr int COLONNE_SEMI_OUVERTE = 8;
constexpr int COLONNE_OUVERTE = 16;
constexpr int TOURS_DOUBLEES = 5;
constexpr int TOURS_SEPTIEME = 23;
constexpr int TOUR_PION_PASSE = 12;
constexpr int DAME_ROI_EXPOSE = 10;
constexpr int DAME_LIGNE_ROI = 5;
constexpr int DAME_EXCENTREE = 10;
constexpr int PAIRE_FOUS = 20;

}  // namespace

int bonus_blocage(int s, int camp) {
  const Position& p = position;
  if (camp == BLANCS) {
    if (s <= 55 && p.cases[s + 8] == -PION && (resume_pions.passes_noirs & bit_colonne(colonne(s))))
      return (colonne(s) == 3 || colonne(s) == 4) ? BLOCAGE_CENTRE : BLOCAGE;
  } else {
    if (s >= 8 && p.cases[s - 8] == PION && (resume_pions.passes_blancs & bit_colonne(colonne(s))))
      return (colonne(s) == 3 || colonne(s) == 4) ? BLOCAGE_CENTRE : BLOCAGE;
  }
  return 0;
}

int terme_cavalier(int s, int camp) {
  const Position& p = position;
  const bool blanc = camp == BLANCS;
  const int roi = blanc ? p.roi_noir : p.roi_blanc;
  const Bitboard pions_amis = blanc ? p.pions_blancs : p.pions_noirs;
  const Bitboard pions_ennemis = blanc ? p.pions_noirs : p.pions_blancs;
  int v = (blanc ? pst_blancs : pst_noirs)[CAVALIER][s] + bonus_cavalier_roi[distance(s, roi)];

  // Outpost: no enemy pawn can ever chase the knight away. The weighted
  // squares lie on files b-g, so the diagonal neighbours exist.
  const int o = (blanc ? avant_poste_blancs : avant_poste_noirs)[s];
  if (o != 0 && !(pions_ennemis & (blanc ? masque_avant_poste_blanc : masque_avant_poste_noir)[s])) {
    v += AVANT_POSTE * o;
    const int soutien = blanc ? s - 7 : s + 7;
    if (pions_amis & (bit_case(soutien) | bit_case(soutien + (blanc ? -2 : 2)))) v += AVANT_POSTE;
  }
  const uint8_t faibles = blanc ? resume_pions.faibles_noirs : resume_pions.faibles_blancs;
  if (attaques_cavalier[s] & colonnes_par_masque[faibles] & pions_ennemis) v += CAVALIER_PION_FAIBLE;
  if (attaques_cavalier[s] & (blanc ? p.cavaliers_blancs : p.cavaliers_noirs)) v += CAVALIERS_LIES;
  return v + bonus_blocage(s, camp);
}

int terme_fou(int s, int camp) {
  const Position& p = position;
  const bool blanc = camp == BLANCS;
  const int roi = blanc ? p.roi_noir : p.roi_blanc;
  const int mobilite = compte_bits(attaques_fou(s));
  int v = MOBILITE_FOU * mobilite + (blanc ? pst_blancs : pst_noirs)[FOU][s];
  const int d1 = valeur_absolue(diagonale_a1h8[s] - diagonale_a1h8[roi]);
  const int d2 = valeur_absolue(diagonale_a8h1[s] - diagonale_a8h1[roi]);
  v += 8 - 2 * (d1 < d2 ? d1 : d2);
  v += bonus_fou_roi[distance(s, roi)];
  if ((d1 == 0 || d2 == 0) && !((blanc ? p.pions_noirs : p.pions_blancs) & entre[s][roi])) v += FOU_LIGNE_ROI;
  return v + bonus_blocage(s, camp);
}

int terme_tour(int s, int camp) {
  const Position& p = position;
  const bool blanc = camp == BLANCS;
  const int roi = blanc ? p.roi_noir : p.roi_blanc;
  const int f = colonne(s), r = rangee(s);
  const Bitboard col = masque_colonne[f];
  const Bitboard pions_amis = blanc ? p.pions_blancs : p.pions_noirs;
  const Bitboard pions_ennemis = blanc ? p.pions_noirs : p.pions_blancs;
  const Bitboard tours = blanc ? p.tours_blanches : p.tours_noires;
  int v = (blanc ? pst_blancs : pst_noirs)[TOUR][s];

  if (phase_jeu != 0 && (f == colonne(roi) || r == rangee(roi)) && !(pions_amis & entre[s][roi])) v += TOUR_LIGNE_ROI;

  if (!(pions_amis & col)) {
    if ((blanc ? resume_pions.faibles_noirs : resume_pions.faibles_blancs) & bit_colonne(f)) v += TOUR_PION_FAIBLE;
    if (pions_ennemis & col)
      v += COLONNE_SEMI_OUVERTE;
    else {
      v += COLONNE_OUVERTE;
      if (compte_bits(tours & col) == 2) v += TOURS_DOUBLEES;
    }
  }

  const int septieme = blanc ? 6 : 1;
  if (r == septieme && compte_bits(tours & masque_rangee[septieme]) == 2) v += TOURS_SEPTIEME;

  if (phase_jeu == 2) {
    // Behind a passed pawn of either colour, seen from the rook's side.
    const uint8_t bit = bit_colonne(f);
    if (resume_pions.passes_blancs & bit) {
      const int pion = blanc ? premier_bit(p.pions_blancs & col) : dernier_bit(p.pions_blancs & col);
      if (pion != AUCUNE_CASE && (blanc ? s < pion : s > pion)) v += TOUR_PION_PASSE;
    }
    if (resume_pions.passes_noirs & bit) {
      const int pion = blanc ? premier_bit(p.pions_noirs & col) : dernier_bit(p.pions_noirs & col);
      if (pion != AUCUNE_CASE && (blanc ? s < pion : s > pion)) v += TOUR_PION_PASSE;
    }
  }
  return v + bonus_tour_roi[distance(s, roi)];
}

int terme_dame(int s, int camp) {
  const Position& p = position;
  const bool blanc = camp == BLANCS;
  const int roi = blanc ? p.roi_noir : p.roi_blanc;
  int v = (blanc ? pst_blancs : pst_noirs)[DAME][s];
  if ((blanc ? exposition_noirs - exposition_blancs : exposition_blancs - exposition_noirs) > 5) v += DAME_ROI_EXPOSE;
  v += 14 - 2 * valeur_absolue(rangee(s) - rangee(roi)) - 2 * valeur_absolue(colonne(s) - colonne(roi));
  // Off the king's lines `entre` is the whole board, so this then asks for
  // no own pawn at all.
  if (phase_jeu != 0 && !((blanc ? p.pions_blancs : p.pions_noirs) & entre[s][roi])) v += DAME_LIGNE_ROI;
  if (p.nb_pions_blancs + p.nb_pions_noirs > 4) {
    const int fd = colonne(s), fr = colonne(roi);
    if ((fd <= 1 && fr >= 5) || (fr <= 2 && fd >= 6)) v -= DAME_EXCENTREE;
  }
  return v + bonus_blocage(s, camp);
}

int evalue_pieces(int ply) {
  const Position& p = position;
  int t = 0;
  nb_cavaliers_blancs = nb_fous_blancs = nb_tours_blanches = nb_dames_blanches = 0;
  nb_cavaliers_noirs = nb_fous_noirs = nb_tours_noires = nb_dames_noires = 0;
  const Bitboard pieces = (p.occupation_blancs | p.occupation_noirs) & ~(p.pions_blancs | p.pions_noirs);
  for (Bitboard b = pieces; b; b &= b - 1) {
    const int s = dernier_bit(b);
    switch (p.cases[s]) {
      case CAVALIER: t += terme_cavalier(s, BLANCS); ++nb_cavaliers_blancs; break;
      case FOU: t += terme_fou(s, BLANCS); ++nb_fous_blancs; break;
      case TOUR: t += terme_tour(s, BLANCS); ++nb_tours_blanches; break;
      case DAME: t += terme_dame(s, BLANCS); ++nb_dames_blanches; break;
      case ROI: t += terme_roi(s, BLANCS, ply); break;
      case -CAVALIER: t -= terme_cavalier(s, NOIRS); ++nb_cavaliers_noirs; break;
      case -FOU: t -= terme_fou(s, NOIRS); ++nb_fous_noirs; break;
      case -TOUR: t -= terme_tour(s, NOIRS); ++nb_tours_noires; break;
      case -DAME: t -= terme_dame(s, NOIRS); ++nb_dames_noires; break;
      case -ROI: t -= terme_roi(s, NOIRS, ply); break;
      default: break;
    }
  }
  mineures_blancs = nb_cavaliers_blancs + nb_fous_blancs;
  mineures_noirs = nb_cavaliers_noirs + nb_fous_noirs;
  majeures_blancs = nb_tours_blanches + 2 * nb_dames_blanches;
  majeures_noirs = nb_tours_noires + 2 * nb_dames_noires;
  return t;
}

int evalue_fous(int poids) {
  const Position& p = position;
  int t = 0;
  if (nb_fous_blancs == 1) {
    const Bitboard couleur = (p.fous_blancs & cases_claires) ? cases_claires : cases_sombres;
    t -= poids * compte_bits(p.pions_blancs & couleur);
  } else if (nb_fous_blancs == 2) {
    t += PAIRE_FOUS;
  }
  if (nb_fous_noirs == 1) {
    const Bitboard couleur = (p.fous_noirs & cases_claires) ? cases_claires : cases_sombres;
    t += poids * compte_bits(p.pions_noirs & couleur);
  } else if (nb_fous_noirs == 2) {
    t -= PAIRE_FOUS;
  }
  return t;
}
