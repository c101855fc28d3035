// King safety: castling, king exposure, attacks on the king's surroundings.
#include "eval/roi.h"

#include "board/position.h"
#include "eval/evaluation.h"
#include "eval/pions.h"
#include "eval/tables_evaluation.h"
#include "movegen/attaques.h"
#include "movegen/bitboard.h"

int32_t exposition_blancs = 0;
int32_t exposition_noirs = 0;

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

// Enemy attackers of the squares around the king, with extra weight for
// squares no friendly piece defends and for attacks joined by a queen.
int danger(int k, int adversaire, Bitboard adversaires, Bitboard amis, Bitboard dames_adverses) {
  const Bitboard defenseurs = amis & ~bit_case(k);
  int d = 0;
  for (Bitboard zone = attaques_roi[k]; zone; zone &= zone - 1) {
    const int z = 63 - __builtin_ctzll(zone);
    // Most squares around a king are not attacked at all: the attack test
    // stops early, the full attacker set is only built when needed.
    if (!est_attaquee(z, adversaire)) continue;
    const Bitboard att = attaquants(z);
    const int n = compte_bits(att & adversaires);
    if (n == 0) continue;
    d += n;
    if (!(att & defenseurs)) d += 1;
    if (n > 1 && (att & dames_adverses)) d += 2;
  }
  return d;
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
  const int dw = danger(p.roi_blanc, NOIRS, p.occupation_noirs, p.occupation_blancs, p.dames_noires);
  const int db = danger(p.roi_noir, BLANCS, p.occupation_blancs, p.occupation_noirs, p.dames_blanches);
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
