// King safety: castling, king exposure, attacks on the king's surroundings.
#include "eval/roi.h"

#include "board/position.h"
#include "eval/evaluation.h"
#include "eval/pions.h"
#include "eval/tables_evaluation.h"
#include "movegen/attaques.h"
#include "movegen/bitboard.h"

thread_local constinit int32_t exposition_blancs = 0;
thread_local constinit int32_t exposition_noirs = 0;

namespace {

constexpr int ROQUE_EFFECTUE = 4;  // castled mark in the per-ply castling bytes
constexpr int BONUS_CENTRE = 5;
constexpr int MAUVAIS_ROQUE = 25;
constexpr int ROQUE_PERDU = 40;
constexpr int ROI_ENFERME = 40;
constexpr int FIANCHETTO = 4;
constexpr int COLONNE_OUVERTE_ROI = 6;

// Exposure of a king by square, for White (Black reads square 63 - s).
constexpr int32_t table_exposition[64] = {
    3, 0, 1, 3, 3, 1, 0, 3,  // rank 1
    5, 2, 3, 5, 5, 3, 2, 5,  // rank 2
    6, 4, 5, 6, 6, 5, 4, 6,  // rank 3
    8, 5, 6, 8, 8, 6, 5, 8, 8, 5, 6, 8, 8, 6, 5, 8, 8, 5, 6, 8, 8, 6, 5, 8,
    8, 5, 6, 8, 8, 6, 5, 8, 8, 5, 6, 8, 8, 6, 5, 8,  // ranks 4 to 8
};

inline int sur(int s, int piece) { return position.cases[s] == piece; }

// Pawns and bishops in front of and beside a White king below rank 7.
int bouclier_blanc(int k) {
  if (k > 47) return 0;
  int b = 0, gauche = 0, droite = 0;
  if (colonne(k) != 0) {
    gauche = sur(k + 7, PION);
    b += gauche + sur(k - 1, FOU) + sur(k - 1, PION);
  }
  if (colonne(k) != 7) {
    droite = sur(k + 9, PION);
    b += droite + sur(k + 1, FOU) + sur(k + 1, PION);
  }
  const int devant = position.cases[k + 8];
  b += 2 * (devant == PION) + (devant == FOU);
  if (gauche || droite || devant == PION || devant == FOU) b += sur(k + 16, PION) + 2;
  return b;
}

int bouclier_noir(int k) {
  if (k < 16) return 0;
  int b = 0, gauche = 0, droite = 0;
  if (colonne(k) != 0) {
    gauche = sur(k - 9, -PION);
    b += gauche + sur(k - 1, -FOU) + sur(k - 1, -PION);
  }
  if (colonne(k) != 7) {
    droite = sur(k - 7, -PION);
    b += droite + sur(k + 1, -FOU) + sur(k + 1, -PION);
  }
  const int devant = position.cases[k - 8];
  b += 2 * (devant == -PION) + (devant == -FOU);
  if (gauche || droite || devant == -PION || devant == -FOU) b += sur(k - 16, -PION) + 2;
  return b;
}

// Enemy attackers of the squares around the king of side C, with extra
// weight for squares no other friendly piece defends and for squares that
// a queen attacks together with another piece. Rather than asking for the
// attackers of each square, the attacks of every piece that can reach the
// surroundings are laid on them once: a square's count is the number of
// layers covering it.
template <int C> int danger() {
  constexpr int A = C ^ 1;
  const Position& p = position;
  const int k = C == BLANCS ? p.roi_blanc : p.roi_noir;
  const Bitboard zone = attaques_roi[k];
  const Bitboard occupees = p.occupation_blancs | p.occupation_noirs;
  const Bitboard portee_fou = portee_fou_roi[k], portee_tour = portee_tour_roi[k];

  int d = 0;
  Bitboard une = 0, deux = 0;  // squares attacked at least once, at least twice
  auto couche = [&](Bitboard a) {
    d += compte_bits(a);
    deux |= une & a;
    une |= a;
  };
  const Bitboard pions = A == BLANCS ? p.pions_blancs : p.pions_noirs;
  if constexpr (A == BLANCS) {
    couche(((pions & pas_colonne_a) >> 7) & zone);
    couche(((pions & pas_colonne_h) >> 9) & zone);
  } else {
    couche(((pions & pas_colonne_a) << 9) & zone);
    couche(((pions & pas_colonne_h) << 7) & zone);
  }
  for (Bitboard b = A == BLANCS ? p.cavaliers_blancs : p.cavaliers_noirs; b; b &= b - 1)
    couche(attaques_cavalier[dernier_bit(b)] & zone);
  for (Bitboard b = (A == BLANCS ? p.fous_blancs : p.fous_noirs) & portee_fou; b; b &= b - 1)
    couche(attaques_fou_par(dernier_bit(b), occupees) & zone);
  for (Bitboard b = (A == BLANCS ? p.tours_blanches : p.tours_noires) & portee_tour; b; b &= b - 1)
    couche(attaques_tour_par(dernier_bit(b), occupees) & zone);
  Bitboard par_dame = 0;
  for (Bitboard b = (A == BLANCS ? p.dames_blanches : p.dames_noires) & (portee_fou | portee_tour); b; b &= b - 1) {
    const int s = dernier_bit(b);
    const Bitboard a = (attaques_fou_par(s, occupees) | attaques_tour_par(s, occupees)) & zone;
    couche(a);
    par_dame |= a;
  }
  couche(attaques_roi[A == BLANCS ? p.roi_blanc : p.roi_noir] & zone);
  if (!une) return 0;

  // Squares covered by a friendly piece other than the king.
  const Bitboard amis = C == BLANCS ? p.pions_blancs : p.pions_noirs;
  Bitboard defendues;
  if constexpr (C == BLANCS)
    defendues = (((amis & pas_colonne_a) >> 7) | ((amis & pas_colonne_h) >> 9)) & une;
  else
    defendues = (((amis & pas_colonne_a) << 9) | ((amis & pas_colonne_h) << 7)) & une;
  for (Bitboard b = C == BLANCS ? p.cavaliers_blancs : p.cavaliers_noirs; b && defendues != une; b &= b - 1)
    defendues |= attaques_cavalier[dernier_bit(b)] & une;
  const Bitboard dames_amies = C == BLANCS ? p.dames_blanches : p.dames_noires;
  for (Bitboard b = ((C == BLANCS ? p.fous_blancs : p.fous_noirs) | dames_amies) & portee_fou; b && defendues != une;
       b &= b - 1)
    defendues |= attaques_fou_par(dernier_bit(b), occupees) & une;
  for (Bitboard b = ((C == BLANCS ? p.tours_blanches : p.tours_noires) | dames_amies) & portee_tour;
       b && defendues != une; b &= b - 1)
    defendues |= attaques_tour_par(dernier_bit(b), occupees) & une;

  return d + compte_bits(une & ~defendues) + 2 * compte_bits(deux & par_dame);
}

int colonnes_sans_pion(int f) {
  const Bitboard pions = position.pions_blancs | position.pions_noirs;
  int n = 0;
  for (int c = f - 1; c <= f + 1; ++c)
    if (!(pions & masque_colonne[c])) n += COLONNE_OUVERTE_ROI;
  return n;
}

}  // namespace

int evalue_roque(int ply) {
  const Position& p = position;
  int u = 0;
  const int racine_b = p.etats[0].roque_blancs, racine_n = p.etats[0].roque_noirs;
  const int noeud_b = p.etats[ply].roque_blancs, noeud_n = p.etats[ply].roque_noirs;

  if (racine_b != 0) {
    // A pawn on d4 with c2 held back behind a minor piece on c3.
    if (sur(D4, PION) && !sur(E4, PION) && sur(C2, PION) && (sur(C3, CAVALIER) || sur(C3, FOU))) u += BONUS_CENTRE;
    if ((sur(D2, PION) && p.cases[D3] != 0) || (sur(E2, PION) && p.cases[E3] != 0)) u += BONUS_CENTRE;
    if (racine_b & 3) {
      if (noeud_b & ROQUE_EFFECTUE) {
        // Castled in the search: to the wing with the weaker shelter.
        const bool aile_dame = colonne(p.roi_blanc) <= 3;
        if (resume_pions.abri_roi_blancs < resume_pions.abri_dame_blancs ? aile_dame : !aile_dame)
          u -= MAUVAIS_ROQUE;
      } else if (noeud_b == 0) {
        u -= ROQUE_PERDU;
      }
    }
  }

  if (racine_n != 0) {
    if (sur(D5, -PION) && !sur(E5, -PION) && sur(C7, -PION) && (sur(C6, -CAVALIER) || sur(C6, -FOU)))
      u -= BONUS_CENTRE;
    if ((sur(D7, -PION) && p.cases[D6] != 0) || (sur(E7, -PION) && p.cases[E6] != 0)) u -= BONUS_CENTRE;
    if (racine_n & 3) {
      if (noeud_n & ROQUE_EFFECTUE) {
        const bool aile_dame = colonne(p.roi_noir) <= 3;
        if (resume_pions.abri_roi_noirs < resume_pions.abri_dame_noirs ? aile_dame : !aile_dame)
          u += MAUVAIS_ROQUE;
      } else if (noeud_n == 0) {
        u += ROQUE_PERDU;
      }
    }
  }
  return u;
}

int exposition_rois() {
  const Position& p = position;

  const int kb = p.roi_blanc, fb = colonne(kb);
  exposition_blancs = table_exposition[kb];
  if (fb >= 4) {
    exposition_blancs += resume_pions.abri_roi_blancs;
    // A fianchetto: the bishop covers the holes the g3 pawn left.
    if (!sur(G2, PION) && sur(G3, PION) && distance(kb, G2) == 1 && (sur(F1, FOU) || sur(G2, FOU) || sur(H1, FOU)))
      exposition_blancs -= FIANCHETTO;
  } else {
    exposition_blancs += resume_pions.abri_dame_blancs;
    if (!sur(B2, PION) && sur(B3, PION) && distance(kb, B2) == 1 && (sur(A1, FOU) || sur(B2, FOU) || sur(C1, FOU)))
      exposition_blancs -= FIANCHETTO;
  }
  if (fb == 3 || fb == 4) exposition_blancs += colonnes_sans_pion(fb);

  const int kn = p.roi_noir, fn = colonne(kn);
  exposition_noirs = table_exposition[63 - kn];
  if (fn >= 4) {
    exposition_noirs += resume_pions.abri_roi_noirs;
    if (!sur(G7, -PION) && sur(G6, -PION) && distance(kn, G7) == 1 &&
        (sur(F8, -FOU) || sur(G7, -FOU) || sur(H8, -FOU)))
      exposition_noirs -= FIANCHETTO;
  } else {
    exposition_noirs += resume_pions.abri_dame_noirs;
    if (!sur(B7, -PION) && sur(B6, -PION) && distance(kn, B7) == 1 &&
        (sur(A8, -FOU) || sur(B7, -FOU) || sur(C8, -FOU)))
      exposition_noirs -= FIANCHETTO;
  }
  if (fn == 3 || fn == 4) exposition_noirs += colonnes_sans_pion(fn);

  // An exposed king matters in proportion to the enemy's pieces.
  return (p.phase_noirs * exposition_noirs - p.phase_blancs * exposition_blancs) >> 4;
}

int securite_rois(int32_t& danger_blancs, int32_t& danger_noirs) {
  const Position& p = position;
  const int bw = bouclier_blanc(p.roi_blanc);
  const int bb = bouclier_noir(p.roi_noir);
  const int dw = danger<BLANCS>();
  const int db = danger<NOIRS>();
  // Division by -3 truncates toward zero.
  const int e = dw + bw / -3;
  const int f = db + bb / -3;
  danger_blancs = 2 * dw + e * e;
  danger_noirs = 2 * db + f * f;
  return 2 * (db - dw) + f * f - e * e;
}

int attaque_rois() {
  int32_t danger_blancs, danger_noirs;
  return securite_rois(danger_blancs, danger_noirs);
}

int terme_roi(int, int camp, int ply) {
  const Position& p = position;
  if (camp == BLANCS) {
    if (p.etats[ply].roque_blancs & ROQUE_EFFECTUE) return 0;
    if ((p.roi_blanc == F1 || p.roi_blanc == G1) && (sur(G1, TOUR) || sur(H1, TOUR))) return -ROI_ENFERME;
    return 0;
  }
  if (p.etats[ply].roque_noirs & ROQUE_EFFECTUE) return 0;
  if ((p.roi_noir == F8 || p.roi_noir == G8) && (sur(G8, -TOUR) || sur(H8, -TOUR))) return -ROI_ENFERME;
  return 0;
}
