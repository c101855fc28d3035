// The search's entry into the tables: material lookup, square lists, index,
// entry and score.
#include "egtb/sonde.h"

#include <bit>

#include "board/joue.h"
#include "board/position.h"
#include "egtb/cache.h"
#include "egtb/indices.h"
#include "egtb/registre.h"
#include "egtb/tablebases.h"
#include "movegen/attaques.h"

thread_local constinit int64_t tb_sondes = 0;
thread_local constinit int64_t tb_succes = 0;

namespace {

constexpr int TABLE_KPPKP = 36;
// Entries of the kppkp Black-to-move table whose stored byte is wrong; their
// true value is a loss in one move.
constexpr int32_t ENTREES_KPPKP_CORRIGEES[7] = {56802428, 56811076, 56849992, 56858640,
                                                59592489, 67775659, 71071628};
constexpr int VALEUR_CORRIGEE = -32639;

// The en-passant square of `ply` when side `camp` has a legal capture onto
// it, else EP_AUCUN: the tables index such positions apart from the same
// placement without the right.
int32_t case_prise_en_passant(int camp, int ply) {
  const int ep = position.etats[ply].en_passant;
  if (ep >= 64) return EP_AUCUN;
  const Bitboard pions = camp == BLANCS ? position.pions_blancs : position.pions_noirs;
  const int avance = camp == BLANCS ? 8 : -8;
  for (int cote = -1; cote <= 1; cote += 2) {
    const int col = colonne(ep) + cote;
    if (col < 0 || col > 7) continue;
    const int depart = ep - avance + cote;
    if (!(pions & (Bitboard(1) << (63 - depart)))) continue;
    const Coup prise = fabrique_coup(depart, ep, PION, PION);
    joue(camp, ply, prise);
    const bool legale = !en_echec(camp);
    dejoue(camp, ply, prise);
    if (legale) return ep;
  }
  return EP_AUCUN;
}

}  // namespace

int valeur_table(int n, int camp, int32_t index) {
  if (n == TABLE_KPPKP && camp == 1)
    for (int32_t e : ENTREES_KPPKP_CORRIGEES)
      if (index == e) return VALEUR_CORRIGEE;
  int b = lit_entree(n, camp, index);
  if (b == VALEUR_ABSENTE) return VALEUR_INCONNUE;
  if (b == 0) return 0;
  if (b == -128) return 32640;
  if (b == -127) return -32640;
  return b > 0 ? b + 32640 : b - 32640;
}

int32_t score_depuis_valeur(int v) {
  if (v == 0) return 0;
  return v > 0 ? 2 * v - 35533 : 2 * v + 35532;
}

namespace {

// The search board's piece counts, pawns to queens, White then Black; returns
// their sum.
int compte_pieces(int32_t comptes[10]) {
  const Position& p = position;
  const Bitboard pieces[10] = {p.pions_blancs, p.cavaliers_blancs, p.fous_blancs, p.tours_blanches,
                               p.dames_blanches, p.pions_noirs, p.cavaliers_noirs, p.fous_noirs,
                               p.tours_noires, p.dames_noires};
  int total = 0;
  for (int i = 0; i < 10; ++i) total += comptes[i] = std::popcount(pieces[i]);
  return total;
}

}  // namespace

int table_couvre(int camp) {
  int32_t comptes[10];
  const int total = compte_pieces(comptes);
  if (total > 3) return 0;
  int n = table_depuis_comptes(comptes);
  if (n == 0) return 0;
  if (n < 0) {
    n = -n;
    camp ^= 1;
  }
  // A set that is its own colour exchange is read either way (see below).
  const bool symetrique = comptes[0] == comptes[5] && comptes[1] == comptes[6] && comptes[2] == comptes[7] &&
                          comptes[3] == comptes[8] && comptes[4] == comptes[9];
  return est_enregistree(n, camp) || (symetrique && est_enregistree(n, camp ^ 1));
}

int sonde_tables(int32_t& score, int camp, int ply) {
  const int camp_reel = camp;
  int32_t comptes[10];
  const int total = compte_pieces(comptes);
  if (total > 3) return 0;
  int n = table_depuis_comptes(comptes);
  if (n == 0) return 0;

  int32_t blancs[24] = {}, noirs[24] = {};
  listes_depuis_position(blancs, noirs);
  const int32_t* premiere = blancs;
  const int32_t* seconde = noirs;
  int inversion = 0;
  // A set that is its own colour exchange (knkn, kpkp, ...) has one number
  // for both orientations, so the lookup cannot tell which to use: it may be
  // read either way, and the files published for it are often White to move
  // only. Read it the way whose file is registered.
  const bool symetrique = comptes[0] == comptes[5] && comptes[1] == comptes[6] && comptes[2] == comptes[7] &&
                          comptes[3] == comptes[8] && comptes[4] == comptes[9];
  if (symetrique) {
    n = n < 0 ? -n : n;
    if (est_enregistree(n, camp ^ 1)) n = -n;
  }
  if (n < 0) {
    n = -n;
    camp ^= 1;
    premiere = noirs;
    seconde = blancs;
    inversion = 1;
  }
  if (!est_enregistree(n, camp)) return 0;
  FonctionIndice f = camp == 0 ? tables[n].indice_blancs : tables[n].indice_noirs;
  uint32_t index = f(premiere, seconde, case_prise_en_passant(camp_reel, ply), inversion);
  int v = valeur_table(n, camp, int32_t(index));
  if (v == VALEUR_INCONNUE) return 0;
  score = score_depuis_valeur(v);
  return 1;
}
