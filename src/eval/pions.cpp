// Pawn structure: phalanxes, doubled, isolated and backward pawns, passed
// pawns and the pawn shelters of both wings, cached by pawn key.
#include "eval/pions.h"

#include <cstring>

#include "board/position.h"
#include "eval/evaluation.h"
#include "eval/hash_pions.h"
#include "eval/preparation.h"
#include "eval/tables_evaluation.h"
#include "movegen/bitboard.h"

thread_local constinit TableHashPions resume_pions{};
thread_local constinit uint32_t dernier_cle_pions = 0;
thread_local constinit int64_t nb_evaluations_pions = 0;
thread_local constinit int64_t nb_succes_cache_pions = 0;
thread_local constinit int64_t nb_succes_hash_pions = 0;

namespace {

// Tables by rank seen from the pawn's side (Black reads rank 7 - r).
constexpr int32_t bonus_phalange[8] = {0, 1, 2, 3, 4, 6, 8, 10};
constexpr int32_t penalite_arriere[3] = {5, 10, 17};
constexpr int32_t penalite_isoles[9] = {0, 7, 21, 42, 84, 98, 119, 140, 175};
constexpr int32_t bonus_passe[8] = {0, 8, 16, 32, 64, 128, 160, 160};
constexpr int32_t malus_bloque[8] = {0, 8, 12, 16, 32, 48, 64, 0};
constexpr int32_t bonus_roi_passe[8] = {0, 0, 0, 0, 10, 50, 100, 0};
constexpr int32_t bonus_passe_soutenu[8] = {0, 0, 0, 5, 10, 20, 30, 0};

constexpr int PENALITE_DOUBLE = 3;
constexpr int BONUS_PASSE_SOUTENU_LOIN = 20;

// Shelter weakness of one file: own pawn not on its second rank but on its
// third, on its fourth, elsewhere on the file, no own pawn; then no enemy
// pawn on the file.
struct Abri {
  int colonne;
  bool aile_roi;
  int rang3, rang4, ailleurs, absent, ouverte;
};
constexpr Abri abris[6] = {
    {0, false, 2, 5, 8, 10, 6},  {7, true, 2, 5, 8, 10, 6},  {1, false, 5, 8, 11, 14, 6},
    {6, true, 5, 8, 11, 14, 6},  {2, false, 2, 4, 6, 6, 4},  {5, true, 2, 4, 6, 6, 4},
};

TableHashPions* table_pions() { return reinterpret_cast<TableHashPions*>(memoire_hash_pions); }

int pions_blancs_sur(int s) { return position.cases[s] == PION; }
int pions_noirs_sur(int s) { return position.cases[s] == -PION; }

void calcule_abris() {
  const Position& p = position;
  uint8_t dame_b = 0, roi_b = 0, dame_n = 0, roi_n = 0;
  for (const Abri& a : abris) {
    const Bitboard col = masque_colonne[a.colonne];
    int b = 0, n = 0;
    if (p.cases[case_de(a.colonne, 1)] != PION) {
      if (p.cases[case_de(a.colonne, 2)] == PION)
        b += a.rang3;
      else if (p.cases[case_de(a.colonne, 3)] == PION)
        b += a.rang4;
      else if (p.pions_blancs & col)
        b += a.ailleurs;
      else
        b += a.absent;
    }
    if (!(p.pions_noirs & col)) b += a.ouverte;
    if (p.cases[case_de(a.colonne, 6)] != -PION) {
      if (p.cases[case_de(a.colonne, 5)] == -PION)
        n += a.rang3;
      else if (p.cases[case_de(a.colonne, 4)] == -PION)
        n += a.rang4;
      else if (p.pions_noirs & col)
        n += a.ailleurs;
      else
        n += a.absent;
    }
    if (!(p.pions_blancs & col)) n += a.ouverte;
    if (a.aile_roi) {
      roi_b = static_cast<uint8_t>(roi_b + b);
      roi_n = static_cast<uint8_t>(roi_n + n);
    } else {
      dame_b = static_cast<uint8_t>(dame_b + b);
      dame_n = static_cast<uint8_t>(dame_n + n);
    }
  }
  resume_pions.abri_dame_blancs = dame_b;
  resume_pions.abri_roi_blancs = roi_b;
  resume_pions.abri_dame_noirs = dame_n;
  resume_pions.abri_roi_noirs = roi_n;
}

}  // namespace

void efface_resume_pions() {
  resume_pions.passes_blancs = resume_pions.passes_noirs = 0;
  resume_pions.faibles_blancs = resume_pions.faibles_noirs = 0;
  resume_pions.faibles_ouverts_blancs = resume_pions.faibles_ouverts_noirs = 0;
  resume_pions.abri_dame_blancs = resume_pions.abri_dame_noirs = 0;
  resume_pions.abri_roi_blancs = resume_pions.abri_roi_noirs = 0;
}

namespace {

// The pawn structure worked out (the table missed or is absent), kept in
// `entree` when there is one. Out of line, so that the table hit in
// evalue_pions saves no register.
[[gnu::noinline]] int calcule_pions(uint32_t cle, TableHashPions* entree) {
  const Position& p = position;
  resume_pions.cle = cle;
  efface_resume_pions();
  int32_t score = 0;
  int isoles_blancs = 0, isoles_noirs = 0;

  for (Bitboard b = p.pions_blancs; b; b &= b - 1) {
    const int s = dernier_bit(b);
    const int f = colonne(s), r = rangee(s);
    const Bitboard col = masque_colonne[f];
    int v = pst_blancs[PION][s];
    if (f != 7 && p.cases[s + 1] == PION) v += bonus_phalange[r];
    if (compte_bits(p.pions_blancs & col) > 1) v -= PENALITE_DOUBLE;
    bool faible = false;
    if (!(p.pions_blancs & masque_isole[s])) {
      faible = true;
      ++isoles_blancs;
    } else if (!(p.pions_blancs & masque_soutien_blanc[s]) && s <= 39) {
      // Backward: the stop square is attacked by more enemy pawns than
      // there are own pawns beside this one to answer.
      const int t = (f != 0 ? pions_noirs_sur(s + 15) : 0) + (f != 7 ? pions_noirs_sur(s + 17) : 0);
      const int o = (f != 0 ? pions_blancs_sur(s - 1) : 0) + (f != 7 ? pions_blancs_sur(s + 1) : 0);
      if (t > o) {
        faible = true;
        if (!(p.pions_noirs & col)) v -= penalite_arriere[t - o];
      }
    }
    if (!(p.pions_noirs & masque_passe_blanc[s])) resume_pions.passes_blancs |= bit_colonne(f);
    if (faible) {
      if (!(p.pions_noirs & col)) ++resume_pions.faibles_ouverts_blancs;
      resume_pions.faibles_blancs |= bit_colonne(f);
    }
    score += v;
  }

  for (Bitboard b = p.pions_noirs; b; b &= b - 1) {
    const int s = dernier_bit(b);
    const int f = colonne(s), r = rangee(s);
    const Bitboard col = masque_colonne[f];
    int v = pst_noirs[PION][s];
    if (f != 7 && p.cases[s + 1] == -PION) v += bonus_phalange[7 - r];
    if (compte_bits(p.pions_noirs & col) > 1) v -= PENALITE_DOUBLE;
    bool faible = false;
    if (!(p.pions_noirs & masque_isole[s])) {
      faible = true;
      ++isoles_noirs;
    } else if (!(p.pions_noirs & masque_soutien_noir[s]) && s >= 24) {
      const int t = (f != 7 ? pions_blancs_sur(s - 15) : 0) + (f != 0 ? pions_blancs_sur(s - 17) : 0);
      const int o = (f != 0 ? pions_noirs_sur(s - 1) : 0) + (f != 7 ? pions_noirs_sur(s + 1) : 0);
      if (t > o) {
        faible = true;
        if (!(p.pions_blancs & col)) v -= penalite_arriere[t - o];
      }
    }
    if (!(p.pions_blancs & masque_passe_noir[s])) resume_pions.passes_noirs |= bit_colonne(f);
    if (faible) {
      if (!(p.pions_blancs & col)) ++resume_pions.faibles_ouverts_noirs;
      resume_pions.faibles_noirs |= bit_colonne(f);
    }
    score -= v;
  }

  if (isoles_blancs > isoles_noirs)
    score -= penalite_isoles[isoles_blancs - isoles_noirs];
  else if (isoles_blancs < isoles_noirs)
    score += penalite_isoles[isoles_noirs - isoles_blancs];

  calcule_abris();

  resume_pions.score = score;
  if (entree) std::memcpy(entree, &resume_pions, sizeof resume_pions);
  return score;
}

}  // namespace

int evalue_pions() {
  const uint32_t cle = position.cle_pions;
  dernier_cle_pions = cle;
  TableHashPions* entree = nullptr;
  if (TableHashPions* table = table_pions()) {
    entree = &table[cle & (ENTREES_HASH_PIONS - 1)];
    if (entree->cle == cle) {
      std::memcpy(&resume_pions, entree, sizeof resume_pions);
      ++nb_succes_hash_pions;
      return resume_pions.score;
    }
  }
  return calcule_pions(cle, entree);
}

int evalue_pions_passes() {
  const Position& p = position;
  int score = 0;

  for (unsigned masque = resume_pions.passes_blancs; masque; masque &= masque - 1) {
    // The rearmost pawn of the file counts. A summary met through a key
    // collision may name a file without pawns: skip it.
    const int f = 7 - __builtin_ctz(masque);
    const int s = premier_bit(p.pions_blancs & masque_colonne[f]);
    if (s == AUCUNE_CASE) continue;
    const int r = rangee(s);
    score += bonus_passe[r];
    if (s + 8 <= 63 && p.cases[s + 8] != 0) score -= p.cases[s + 8] > 0 ? malus_bloque[r] / 2 : malus_bloque[r];
    if (valeur_absolue(colonne(p.roi_blanc) - f) == 1 && rangee(p.roi_blanc) >= r) score += bonus_roi_passe[r];
    if (p.pions_blancs & masque_voisins[s]) {
      score += bonus_passe_soutenu[r];
      if (s >= 40) score += BONUS_PASSE_SOUTENU_LOIN;
    }
  }

  for (unsigned masque = resume_pions.passes_noirs; masque; masque &= masque - 1) {
    // For Black the lowest-numbered pawn of the file is the most advanced.
    const int f = 7 - __builtin_ctz(masque);
    const int s = premier_bit(p.pions_noirs & masque_colonne[f]);
    if (s == AUCUNE_CASE) continue;
    const int r = 7 - rangee(s);
    score -= bonus_passe[r];
    if (s - 8 >= 0 && p.cases[s - 8] != 0) score += p.cases[s - 8] < 0 ? malus_bloque[r] / 2 : malus_bloque[r];
    if (valeur_absolue(colonne(p.roi_noir) - f) == 1 && rangee(p.roi_noir) <= rangee(s)) score -= bonus_roi_passe[r];
    if (p.pions_noirs & masque_voisins[s]) {
      score -= bonus_passe_soutenu[r];
      if (s <= 23) score -= BONUS_PASSE_SOUTENU_LOIN;
    }
  }
  return score;
}
