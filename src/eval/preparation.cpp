// Per-search preparation: counts, game phase and the working piece-square
// tables adjusted to the kings, the castling state, the pawn-storm option and
// the pawns on the seventh ranks.
#include "eval/preparation.h"

#include "board/position.h"
#include "eval/evaluation.h"
#include "eval/hash_pions.h"
#include "eval/pions.h"
#include "eval/reglages_evaluation.h"
#include "eval/tables_evaluation.h"
#include "movegen/bitboard.h"

thread_local constinit int32_t phase_jeu = 1;
thread_local constinit int32_t materiel_racine = 0;
thread_local constinit int32_t position_racine = 0;
thread_local constinit int32_t marge_paresseuse = 200;

thread_local constinit int32_t nb_cavaliers_blancs{}, nb_fous_blancs{}, nb_tours_blanches{}, nb_dames_blanches{};
thread_local constinit int32_t nb_cavaliers_noirs{}, nb_fous_noirs{}, nb_tours_noires{}, nb_dames_noires{};
thread_local constinit int32_t mineures_blancs{}, mineures_noirs{};
thread_local constinit int32_t majeures_blancs{}, majeures_noirs{};

thread_local constinit int32_t pst_blancs[7][64]{};
thread_local constinit int32_t pst_noirs[7][64]{};
thread_local constinit int32_t avant_poste_blancs[64]{};
thread_local constinit int32_t avant_poste_noirs[64]{};

namespace {

// The base tables are written as seen from White with rank 8 on the first
// line; vue_blancs turns such a picture into a table indexed a1 = 0.
struct Table64 {
  int32_t v[64];
};
constexpr Table64 vue_blancs(const Table64& image) {
  Table64 t{};
  for (int s = 0; s < 64; ++s) t.v[s] = image.v[s ^ 56];
  return t;
}

constexpr Table64 table_pion = vue_blancs({{
    0,  0,  0,  0,  0,  0,  0,  0,
    25, 28, 31, 34, 34, 31, 28, 25,
    22, 25, 28, 31, 31, 28, 25, 22,
    9,  12, 15, 18, 18, 15, 12, 9,
    6,  9,  12, 15, 15, 12, 9,  6,
    3,  6,  9,  12, 12, 9,  6,  3,
    0,  3,  6,  -7, -7, 6,  3,  0,
    0,  0,  0,  0,  0,  0,  0,  0}});

constexpr Table64 table_cavalier = vue_blancs({{
    -25, -4, 0,  0,  0,  0,  -4, -25,
    -4,  -3, 5,  5,  5,  5,  -3, -4,
    0,   5,  16, 16, 16, 16, 5,  0,
    0,   5,  16, 16, 16, 16, 5,  0,
    0,   5,  10, 12, 12, 10, 5,  0,
    0,   5,  10, 10, 10, 10, 5,  0,
    -4,  -3, 5,  5,  5,  5,  -3, -4,
    -5,  -4, 0,  0,  0,  0,  -4, -5}});

constexpr Table64 table_fou = vue_blancs({{
    5,  5, 5, 5,  5,  5, 5, 5,
    5,  5, 5, 5,  5,  5, 5, 5,
    5,  5, 7, 7,  7,  7, 5, 5,
    5,  5, 7, 10, 10, 7, 5, 5,
    3,  5, 7, 10, 10, 7, 5, 3,
    3,  5, 7, 7,  7,  7, 5, 3,
    0,  5, 5, 5,  5,  5, 5, 0,
    -5, 0, 0, 0,  0,  0, 0, -5}});

constexpr Table64 table_tour = vue_blancs({{
    0,  0,  0,  5, 5, 0,  0,  0,
    0,  0,  0,  5, 5, 0,  0,  0,
    0,  0,  0,  5, 5, 0,  0,  0,
    0,  0,  0,  5, 5, 0,  0,  0,
    0,  0,  0,  5, 5, 0,  0,  0,
    0,  0,  0,  5, 5, 0,  0,  0,
    0,  0,  0,  5, 5, 0,  0,  0,
    -3, -3, -1, 5, 5, -1, -3, -3}});

constexpr Table64 table_dame = vue_blancs({{
    -3, -3, -3, -3, -3, -3, -3, -3,
    -3, 0,  0,  0,  0,  0,  0,  -3,
    -3, 0,  3,  3,  3,  3,  0,  -3,
    -3, 0,  3,  6,  6,  3,  0,  -3,
    -3, 0,  3,  6,  6,  3,  0,  -3,
    -3, 0,  3,  3,  3,  3,  0,  -3,
    -3, 0,  0,  0,  0,  0,  0,  -3,
    -3, -3, -3, -3, -3, -3, -3, -3}});

constexpr Table64 table_roi = vue_blancs({{
    -15, -10, -10, -10, -10, -10, -10, -15,
    -5,  10,  15,  15,  15,  15,  10,  0,
    0,   10,  20,  20,  20,  20,  10,  0,
    -4,  10,  15,  15,  15,  15,  10,  -4,
    -6,  0,   10,  15,  15,  10,  0,   -6,
    -8,  0,   0,   10,  10,  0,   0,   -8,
    -10, -10, 0,   0,   0,   0,   -10, -10,
    -15, -10, -10, -10, -10, -10, -10, -15}});

constexpr Table64 table_avant_poste = vue_blancs({{
    0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 1, 1, 1, 1, 0, 0,
    0, 1, 1, 1, 1, 1, 1, 0,
    0, 0, 1, 1, 1, 1, 0, 0,
    0, 0, 0, 1, 1, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0}});

constexpr const Table64* tables_base[7] = {nullptr,    &table_pion, &table_cavalier, &table_fou,
                                           &table_tour, &table_dame, &table_roi};

// Value of a pawn-storm square: the advance of a pawn toward the enemy
// king's wing, counted from rank 3 for White and rank 6 for Black.
void charge_aile(int32_t table[64], int roi, int charge, bool blancs) {
  // The wing opposite the king: a-c when the king is on e-h, f-h otherwise.
  const int premiere = colonne(roi) >= 4 ? 0 : 5;
  for (int c = premiere; c < premiere + 3; ++c)
    for (int r = 0; r < 8; ++r) {
      const int avance = blancs ? r - 1 : 6 - r;
      table[case_de(c, r)] = (avance > 0 ? avance : 0) * charge;
    }
}

// Knight outposts gain weight near the enemy king.
void rapproche_avant_postes(int32_t table[64], int roi_adverse) {
  for (int s = 0; s < 64; ++s) {
    if (table[s] == 0) continue;
    const int d = distance(s, roi_adverse);
    if (d == 1)
      table[s] += 2;
    else if (d == 2)
      table[s] += 1;
  }
}

void ajoute_rangee(int32_t table[64], int rang, int valeur) {
  for (int c = 0; c < 8; ++c) table[case_de(c, rang)] += valeur;
}

}  // namespace

void prepare_evaluation() {
  Position& p = position;
  const EtatPly& racine = p.etats[0];

  // 1-4. Counts, phase weights, root material and minor/major counts.
  p.nb_pions_blancs = compte_bits(p.pions_blancs);
  p.nb_pions_noirs = compte_bits(p.pions_noirs);
  nb_cavaliers_blancs = compte_bits(p.cavaliers_blancs);
  nb_fous_blancs = compte_bits(p.fous_blancs);
  nb_tours_blanches = compte_bits(p.tours_blanches);
  nb_dames_blanches = compte_bits(p.dames_blanches);
  nb_cavaliers_noirs = compte_bits(p.cavaliers_noirs);
  nb_fous_noirs = compte_bits(p.fous_noirs);
  nb_tours_noires = compte_bits(p.tours_noires);
  nb_dames_noires = compte_bits(p.dames_noires);
  p.phase_blancs = 5 * (nb_tours_blanches + 2 * nb_dames_blanches) + 3 * (nb_cavaliers_blancs + nb_fous_blancs);
  p.phase_noirs = 5 * (nb_tours_noires + 2 * nb_dames_noires) + 3 * (nb_cavaliers_noirs + nb_fous_noirs);
  // The queen weighs 1000 here, against 900 in the incremental sums.
  materiel_racine = 100 * (p.phase_blancs - p.phase_noirs - p.nb_pions_noirs + p.nb_pions_blancs);
  mineures_blancs = compte_bits(p.cavaliers_blancs | p.fous_blancs);
  mineures_noirs = compte_bits(p.cavaliers_noirs | p.fous_noirs);
  majeures_blancs = nb_tours_blanches + 2 * nb_dames_blanches;
  majeures_noirs = nb_tours_noires + 2 * nb_dames_noires;

  // 5. Game phase. Castling rights still held at the root keep the opening
  // phase a little longer.
  const int roque_racine = (p.camp_programme == BLANCS ? racine.roque_blancs : racine.roque_noirs) & 3;
  int phase;
  if (p.phase_blancs < 15 || p.phase_noirs < 15)
    phase = 2;
  else if (p.demi_coups < 20)
    phase = 0;
  else if (roque_racine != 0 && p.demi_coups < 40)
    phase = 0;
  else
    phase = 1;
  // Pawn entries hold scores from the previous phase's tables.
  if (phase != phase_jeu) efface_hash_pions();
  phase_jeu = phase;
  // The one-entry pawn cache holds a score made with the previous working
  // tables: forget it with them.
  dernier_cle_pions = 0;

  // 6. Pawn tables: Black's is White's flipped rank for rank.
  for (int s = 0; s < 64; ++s) {
    pst_blancs[PION][s] = table_pion.v[s];
    pst_noirs[PION][s] = table_pion.v[s ^ 56];
  }

  // 7. Pawn storm against a king that can no longer castle.
  int charge_blancs = 0, charge_noirs = 0;
  if (attaque_pions) {
    if ((racine.roque_blancs & 3) == 0) charge_blancs = (racine.roque_noirs & 3) ? 2 : 5;
    if ((racine.roque_noirs & 3) == 0) charge_noirs = (racine.roque_blancs & 3) ? 2 : 5;
  }
  if (phase_jeu != 2) {
    if (charge_blancs) charge_aile(pst_blancs[PION], p.roi_blanc, charge_blancs, true);
    if (charge_noirs) charge_aile(pst_noirs[PION], p.roi_noir, charge_noirs, false);
  }

  // 8. Piece tables: Black's are White's turned by 180 degrees.
  for (int k = CAVALIER; k <= ROI; ++k)
    for (int s = 0; s < 64; ++s) {
      pst_blancs[k][s] = tables_base[k]->v[s];
      pst_noirs[k][63 - s] = tables_base[k]->v[s];
    }
  for (int s = 0; s < 64; ++s) {
    avant_poste_blancs[s] = table_avant_poste.v[s];
    avant_poste_noirs[63 - s] = table_avant_poste.v[s];
  }

  // 9. Outposts near the enemy king.
  rapproche_avant_postes(avant_poste_blancs, p.roi_noir);
  rapproche_avant_postes(avant_poste_noirs, p.roi_blanc);

  // 10. Rooks and queens on the seventh rank when enemy pawns are still there.
  if (p.pions_noirs & masque_rangee[6]) {
    ajoute_rangee(pst_blancs[TOUR], 6, 23);
    ajoute_rangee(pst_blancs[DAME], 6, 10);
  }
  if (p.pions_blancs & masque_rangee[1]) {
    ajoute_rangee(pst_noirs[TOUR], 1, 23);
    ajoute_rangee(pst_noirs[DAME], 1, 10);
  }

  // 11. Development: minor pieces on their start squares.
  if (phase_jeu != 2) {
    pst_blancs[CAVALIER][B1] -= 10;
    pst_blancs[CAVALIER][G1] -= 10;
    pst_blancs[FOU][C1] -= 10;
    pst_blancs[FOU][F1] -= 10;
    pst_noirs[CAVALIER][B8] -= 10;
    pst_noirs[CAVALIER][G8] -= 10;
    pst_noirs[FOU][C8] -= 10;
    pst_noirs[FOU][F8] -= 10;
  }

  // 12. Positional sum of the root.
  int32_t somme = 0;
  for (int s = 0; s < 64; ++s) {
    const int piece = p.cases[s];
    if (piece > 0)
      somme += pst_blancs[piece][s];
    else if (piece < 0)
      somme -= pst_noirs[-piece][s];
  }
  position_racine = somme;
}

// A lone minor piece against a bare king, or two bare kings.
int materiel_insuffisant() {
  const int b = position.phase_blancs, n = position.phase_noirs;
  return ((b == 0 && (n == 0 || n == 3)) || (b == 3 && n == 0)) ? 1 : 0;
}
