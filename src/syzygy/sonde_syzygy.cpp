// Probing the Syzygy tables from the search board, one thread at a time.
#include <tbprobe.h>

#include <climits>
#include <cstring>

#include "board/position.h"
#include "syzygy/garde.h"
#include "syzygy/syzygy.h"

std::mutex verrou_syzygy;

namespace {

// The engine's bitboards hold square s in bit 63 - s, the library's in bit s.
inline uint64_t retourne(uint64_t b) {
  b = ((b >> 1) & 0x5555555555555555ULL) | ((b & 0x5555555555555555ULL) << 1);
  b = ((b >> 2) & 0x3333333333333333ULL) | ((b & 0x3333333333333333ULL) << 2);
  b = ((b >> 4) & 0x0F0F0F0F0F0F0F0FULL) | ((b & 0x0F0F0F0F0F0F0F0FULL) << 4);
  return __builtin_bswap64(b);
}

// The search board in the library's terms.
struct PositionFathom {
  uint64_t blancs, noirs, rois, dames, tours, fous, cavaliers, pions;
  unsigned en_passant;
};

PositionFathom position_fathom(int ply) {
  const Position& p = position;
  PositionFathom f;
  f.blancs = retourne(p.occupation_blancs);
  f.noirs = retourne(p.occupation_noirs);
  f.rois = (uint64_t{1} << p.roi_blanc) | (uint64_t{1} << p.roi_noir);
  f.dames = retourne(p.dames_blanches | p.dames_noires);
  f.tours = retourne(p.tours_blanches | p.tours_noires);
  f.fous = retourne(p.fous_blancs | p.fous_noirs);
  f.cavaliers = retourne(p.cavaliers_blancs | p.cavaliers_noirs);
  f.pions = retourne(p.pions_blancs | p.pions_noirs);
  const int ep = p.etats[ply].en_passant;
  f.en_passant = ep < 64 ? static_cast<unsigned>(ep) : 0;
  return f;
}

// The engine's promotion type for the library's promotion code.
constexpr int PROMOTIONS[5] = {0, DAME, TOUR, FOU, CAVALIER};

TbRootMoves racines;  // large: one, filled and read under the lock

}  // namespace

int sonde_wdl_syzygy(int camp, int ply, int& wdl) {
  if (syzygy_pieces.load(std::memory_order_relaxed) == 0) return 0;
  const PositionFathom f = position_fathom(ply);
  unsigned r;
  {
    const std::lock_guard<std::mutex> verrou(verrou_syzygy);
    if (syzygy_pieces.load(std::memory_order_relaxed) == 0) return 0;
    r = tb_probe_wdl(f.blancs, f.noirs, f.rois, f.dames, f.tours, f.fous, f.cavaliers, f.pions, 0, 0, f.en_passant,
                     camp == BLANCS);
  }
  if (r == TB_RESULT_FAILED || r > TB_WIN) return 0;
  wdl = static_cast<int>(r) - TB_DRAW;
  return 1;
}

int classe_racine_syzygy(int camp, int compteur_50, int repetition, const Coup* coups, int nb, int32_t* rangs,
                         int& verdict) {
  if (syzygy_pieces.load(std::memory_order_relaxed) == 0 || nb <= 0) return 0;
  const PositionFathom f = position_fathom(0);
  const bool regle_50 = syzygy_regle_50 != 0;
  const unsigned c50 = static_cast<unsigned>(compteur_50);
  const std::lock_guard<std::mutex> verrou(verrou_syzygy);
  if (syzygy_pieces.load(std::memory_order_relaxed) == 0) return 0;
  std::memset(&racines, 0, sizeof racines);
  int ok = tb_probe_root_dtz(f.blancs, f.noirs, f.rois, f.dames, f.tours, f.fous, f.cavaliers, f.pions, c50, 0,
                             f.en_passant, camp == BLANCS, repetition != 0, regle_50, &racines);
  if (ok == 0) {
    std::memset(&racines, 0, sizeof racines);
    ok = tb_probe_root_wdl(f.blancs, f.noirs, f.rois, f.dames, f.tours, f.fous, f.cavaliers, f.pions, c50, 0,
                           f.en_passant, camp == BLANCS, regle_50, &racines);
  }
  if (ok == 0 || racines.size == 0) return 0;
  int32_t meilleur = INT32_MIN;
  for (int i = 0; i < nb; ++i) {
    rangs[i] = INT32_MIN;
    for (unsigned j = 0; j < racines.size; ++j) {
      const TbMove m = racines.moves[j].move;
      if (static_cast<int>(TB_MOVE_FROM(m)) == origine(coups[i]) &&
          static_cast<int>(TB_MOVE_TO(m)) == destination(coups[i]) &&
          PROMOTIONS[TB_MOVE_PROMOTES(m) % 5] == promotion(coups[i])) {
        rangs[i] = racines.moves[j].tbRank;
        break;
      }
    }
    if (rangs[i] == INT32_MIN) return 0;  // a move the library did not rank
    if (rangs[i] > meilleur) meilleur = rangs[i];
  }
  // Ranks from 900 up are wins within the fifty-move budget (from 1 up when
  // the rule is not counted); losses mirror them.
  const int32_t borne = regle_50 ? 900 : 1;
  verdict = meilleur >= borne ? 1 : meilleur <= -borne ? -1 : 0;
  return 1;
}
