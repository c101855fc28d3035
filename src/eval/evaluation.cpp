// The evaluation driver: material with the piece-trade correction, drawish
// endings, two lazy exits, then the pawn, king, piece and endgame terms.
#include "eval/evaluation.h"

#include "board/position.h"
#include "eval/detail_evaluation.h"
#include "eval/finale.h"
#include "eval/pieces.h"
#include "eval/pions.h"
#include "eval/preparation.h"
#include "eval/roi.h"
#include "eval/tables_evaluation.h"
#include "movegen/bitboard.h"

thread_local constinit int64_t nb_evaluations = 0;
thread_local constinit int64_t nb_appels_evaluation = 0;
thread_local constinit int64_t nb_evaluations_completes = 0;

namespace {

constexpr int ECHANGE_PIECES = 100;  // a minor piece traded for pawns or less
constexpr int MARGE_PARTIELLE = 200;
constexpr int TRAIT = 5;

// Material from White's side with the piece-trade correction: the side with
// more minor pieces is better than the bare material sum says, unless the
// other side holds the heavier pieces.
int corrige_echanges(int m) {
  const Position& p = position;
  mineures_blancs = compte_bits(p.cavaliers_blancs | p.fous_blancs);
  mineures_noirs = compte_bits(p.cavaliers_noirs | p.fous_noirs);
  majeures_blancs = compte_bits(p.tours_blanches) + 2 * compte_bits(p.dames_blanches);
  majeures_noirs = compte_bits(p.tours_noires) + 2 * compte_bits(p.dames_noires);
  if (mineures_blancs == mineures_noirs) return m;
  const int ecart_majeures = valeur_absolue(majeures_blancs - majeures_noirs);
  if (ecart_majeures == 0) return mineures_blancs > mineures_noirs ? m + ECHANGE_PIECES : m - ECHANGE_PIECES;
  if (ecart_majeures <= 2) {
    if (mineures_blancs - mineures_noirs > ecart_majeures) return m + ECHANGE_PIECES;
    if (mineures_noirs - mineures_blancs > ecart_majeures) return m - ECHANGE_PIECES;
  }
  return m;
}

inline void eleve_marge(int t) {
  const int a = valeur_absolue(t);
  if (a >= marge_paresseuse) marge_paresseuse = a;
}

template <bool DETAIL>
int evalue(int camp, int alpha, int beta, int ply, DetailEvaluation* detail) {
  const Position& p = position;
  ++nb_appels_evaluation;
  bool ne_gagne_pas_blancs = false, ne_gagne_pas_noirs = false, fous_meme_couleur = false;

  // Bare kings, or a lone minor piece against a bare king: a draw.
  const bool sans_pions = p.nb_pions_blancs == 0 && p.nb_pions_noirs == 0;
  if (sans_pions && materiel_insuffisant()) {
    if constexpr (DETAIL) detail->sans_pions_nul = 1;
    return 0;
  }

  int m = corrige_echanges(p.materiel_blancs - p.materiel_noirs);

  // Drawish endings with at most two minor pieces and no heavy piece.
  if (phase_jeu == 2 && majeures_blancs == 0 && majeures_noirs == 0 && mineures_blancs + mineures_noirs <= 2) {
    if (p.fous_blancs && p.fous_noirs) {
      fous_meme_couleur = (p.fous_blancs & cases_claires) ? !(p.fous_noirs & cases_sombres)
                                                          : !(p.fous_noirs & cases_claires);
    } else if (mineures_blancs == 1 && p.nb_pions_blancs == 0) {
      ne_gagne_pas_blancs = true;
    } else if (mineures_noirs == 1 && p.nb_pions_noirs == 0) {
      ne_gagne_pas_noirs = true;
    }
  }

  // First lazy exit, on material alone, with the largest positional score
  // seen so far in this search as margin.
  const int m_camp = camp == BLANCS ? m : -m;
  if (m_camp - marge_paresseuse >= beta) return beta;
  if (m_camp + marge_paresseuse <= alpha) return alpha;
  ++nb_evaluations;

  // Pawn structure, from the one-entry cache, the pawn table or computed.
  int t;
  if (sans_pions) {
    efface_resume_pions();
    // The summary no longer describes the last pawn key: forget it, so a
    // position with pawns never reuses the cleared summary.
    dernier_cle_pions = 0;
    t = 0;
  } else {
    ++nb_evaluations_pions;
    if (p.cle_pions == dernier_cle_pions) {
      ++nb_succes_cache_pions;
      t = resume_pions.score;
    } else {
      t = evalue_pions();
    }
  }
  if constexpr (DETAIL) {
    detail->materiel = m;
    detail->pions = t;
  }
  if (resume_pions.passes_blancs | resume_pions.passes_noirs) {
    const int passes = evalue_pions_passes();
    t += passes;
    if constexpr (DETAIL) detail->passes = passes;
  }

  if (phase_jeu != 2) {
    const int roque = evalue_roque(ply);
    t += roque;
    if constexpr (DETAIL) detail->roque = roque;
  }

  if (p.phase_blancs > 12 && p.phase_noirs > 12) {
    const int exposition = 2 * exposition_rois();
    const int attaque = attaque_rois();
    t += exposition + attaque;
    if constexpr (DETAIL) {
      detail->exposition = exposition;
      detail->attaque = attaque;
    }
  } else {
    exposition_blancs = exposition_noirs = 0;
  }

  if (phase_jeu == 2) {
    ++nb_evaluations_completes;
    const int finale = evalue_finale(camp, alpha, beta);
    t += finale;
    int s = m + t;
    if ((ne_gagne_pas_blancs && m > 0) || (ne_gagne_pas_noirs && m < 0)) s = 0;
    if (fous_meme_couleur) s >>= 1;  // arithmetic: -3 becomes -2
    eleve_marge(t);
    if constexpr (DETAIL) {
      detail->finale = finale;
      detail->correction = s - (m + t);
    }
    return camp == BLANCS ? s : -s;
  }

  // Second lazy exit: material, pawns and king safety far outside the
  // window return the partial score itself.
  const int x = camp == BLANCS ? m + t : -(m + t);
  if (x + MARGE_PARTIELLE < alpha || x - MARGE_PARTIELLE > beta) return x;

  ++nb_evaluations_completes;
  const int pieces = evalue_pieces(ply);
  const int fous = evalue_fous(FOU_MAUVAIS);
  const int trait = camp == BLANCS ? TRAIT : -TRAIT;
  t += pieces + fous + trait;
  if constexpr (DETAIL) {
    detail->pieces = pieces;
    detail->fous = fous;
    detail->trait = trait;
  }
  eleve_marge(t);
  return camp == BLANCS ? m + t : -(m + t);
}

}  // namespace

int evalue_position(int camp, int alpha, int beta, int ply) {
  return evalue<false>(camp, alpha, beta, ply, nullptr);
}

int evalue_detaillee(int camp, int ply, DetailEvaluation& detail) {
  detail = DetailEvaluation{};
  detail.total = evalue<true>(camp, -INFINI, INFINI, ply, &detail);
  return detail.total;
}
