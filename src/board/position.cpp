// The game record and the search board: set-up and rebuilding.
#include "board/position.h"

#include <algorithm>
#include <cstring>

#include "board/bits.h"
#include "board/cles.h"

thread_local constinit Partie partie{};
thread_local constinit Position position{};
int32_t mat_connu;
int32_t chess960_demande;

namespace {

// The rooks of the standard start: h1, a1 for White, h8, a8 for Black.
constexpr uint8_t TOURS_COINS[2][2] = {{H1, A1}, {H8, A8}};

}  // namespace

const int32_t position_initiale[64] = {
    4,  2,  3,  5,  6,  3,  2,  4,   //
    1,  1,  1,  1,  1,  1,  1,  1,   //
    0,  0,  0,  0,  0,  0,  0,  0,   //
    0,  0,  0,  0,  0,  0,  0,  0,   //
    0,  0,  0,  0,  0,  0,  0,  0,   //
    0,  0,  0,  0,  0,  0,  0,  0,   //
    -1, -1, -1, -1, -1, -1, -1, -1,  //
    -4, -2, -3, -5, -6, -3, -2, -4,
};

int32_t diagonale_a1h8[64];
int32_t diagonale_a8h1[64];

void initialise_diagonales() {
  for (int s = 0; s < 64; ++s) {
    diagonale_a1h8[s] = colonne(s) - rangee(s);
    diagonale_a8h1[s] = colonne(s) + rangee(s) - 7;
  }
}

namespace {

// Bitboard of a piece code other than a king.
Bitboard* bitboard_piece(int p) {
  switch (p) {
    case PION: return &position.pions_blancs;
    case CAVALIER: return &position.cavaliers_blancs;
    case FOU: return &position.fous_blancs;
    case TOUR: return &position.tours_blanches;
    case DAME: return &position.dames_blanches;
    case -PION: return &position.pions_noirs;
    case -CAVALIER: return &position.cavaliers_noirs;
    case -FOU: return &position.fous_noirs;
    case -TOUR: return &position.tours_noires;
    case -DAME: return &position.dames_noires;
    default: return nullptr;
  }
}

int poids_phase(int type) {
  switch (type) {
    case CAVALIER:
    case FOU: return 3;
    case TOUR: return 5;
    case DAME: return 10;
    default: return 0;
  }
}

}  // namespace

void position_calcule() {
  Position& P = position;
  P.pions_blancs = P.cavaliers_blancs = P.fous_blancs = P.tours_blanches = P.dames_blanches = 0;
  P.pions_noirs = P.cavaliers_noirs = P.fous_noirs = P.tours_noires = P.dames_noires = 0;
  P.diagonales = P.lignes = 0;
  P.occupation_blancs = P.occupation_noirs = 0;
  P.cle = 0;
  P.cle_pions = 0;
  P.materiel_blancs = P.materiel_noirs = 0;
  for (int s = 0; s < 64; ++s) {
    int p = P.cases[s];
    if (p == 0) continue;
    int type = p > 0 ? p : -p;
    if (type == ROI) {
      if (p > 0)
        P.roi_blanc = static_cast<uint8_t>(s);
      else
        P.roi_noir = static_cast<uint8_t>(s);
    } else {
      *bitboard_piece(p) |= masque_case[s];
      if (type == FOU || type == DAME) P.diagonales |= masque_case[s];
      if (type == TOUR || type == DAME) P.lignes |= masque_case[s];
    }
    P.cle ^= cle_piece[genre_cle(p)][s];
    if (p == PION) P.cle_pions ^= cle_pion_blanc[s];
    if (p == -PION) P.cle_pions ^= cle_pion_noir[s];
    if (p > 0) {
      P.occupation_blancs |= masque_case[s];
      P.materiel_blancs += valeur_piece[type];
    } else {
      P.occupation_noirs |= masque_case[s];
      P.materiel_noirs += valeur_piece[type];
    }
  }
}

void position_garde_roque() {
  for (int camp = 0; camp < 2; ++camp) {
    std::memset(position.garde_roque[camp], 0xFF, 64);
    for (int cote = 0; cote < 2; ++cote) {
      const int s = position.tours_roque[camp][cote];
      if (s < 64) position.garde_roque[camp][s] &= static_cast<uint8_t>(~(1 << cote));
    }
  }
}

void position_depart() {
  for (int s = 0; s < 64; ++s) position.cases[s] = static_cast<int8_t>(position_initiale[s]);
  position_calcule();
  position.echecs960 = 0;
  std::memcpy(position.tours_roque, TOURS_COINS, sizeof TOURS_COINS);
  position_garde_roque();
  position.camp_adverse = BLANCS;
  position.camp_programme = NOIRS;
  // A fresh board has no mate remembered from an earlier search.
  mat_connu = 0;
}

void partie_initialise(Partie& p, const int32_t placement[64], int trait) {
  std::memcpy(p.echiquier, placement, sizeof p.echiquier);
  std::memcpy(p.echiquier_depart, placement, sizeof p.echiquier_depart);
  p.en_passant = p.en_passant_depart = AUCUNE_CASE;
  p.roque_blancs = p.roque_blancs_depart = 3;
  p.roque_noirs = p.roque_noirs_depart = 3;
  p.reserve = p.reserve_depart = 0;
  p.dernier_irreversible = p.dernier_irreversible_depart = 0;
  p.nb_demi_coups = 0;
  p.trait = p.trait_depart = trait;
  p.echecs960 = chess960_demande;
  std::memcpy(p.tours_roque, TOURS_COINS, sizeof TOURS_COINS);
  p.cles[0] = partie_cle(p.echiquier);
  p.camp_programme = trait ^ 1;
}

void partie_recommence(Partie& p) {
  std::memcpy(p.echiquier, p.echiquier_depart, sizeof p.echiquier);
  p.en_passant = p.en_passant_depart;
  p.roque_blancs = p.roque_blancs_depart;
  p.roque_noirs = p.roque_noirs_depart;
  p.reserve = p.reserve_depart;
  p.dernier_irreversible = p.dernier_irreversible_depart;
  p.trait = p.trait_depart;
  p.nb_demi_coups = 0;
  p.cles[0] = partie_cle(p.echiquier);
  p.camp_programme = p.trait ^ 1;
}

void partie_oublie_debut(Partie& p) {
  const int n = p.nb_demi_coups;
  if (n < DEMI_COUPS_MAX) return;
  // Keep every ply since the last irreversible move when that is few enough,
  // else the last DEMI_COUPS_GARDES (the game is already drawn by then).
  int oublies = std::min(p.dernier_irreversible, n - DEMI_COUPS_GARDES);
  oublies &= ~1;  // an even count keeps the side of each ply
  if (oublies <= 0) oublies = (n - DEMI_COUPS_GARDES) & ~1;
  std::memmove(p.coups, p.coups + oublies, sizeof(p.coups[0]) * (n - oublies));
  std::memmove(p.cles, p.cles + oublies, sizeof(p.cles[0]) * (n - oublies + 1));
  p.nb_demi_coups = n - oublies;
  p.dernier_irreversible = std::max(p.dernier_irreversible - oublies, 0);
}

void partie_fixe_trait(Partie& p, int trait) {
  p.trait = trait;
  p.camp_programme = trait ^ 1;
}

void partie_programme_au_trait(Partie& p) { p.camp_programme = p.trait; }

void partie_vers_position(Partie& p) {
  for (int s = 0; s < 64; ++s) position.cases[s] = static_cast<int8_t>(p.echiquier[s]);
  EtatPly& racine = position.etats[0];
  racine.en_passant = p.en_passant;
  racine.roque_blancs = p.roque_blancs;
  racine.roque_noirs = p.roque_noirs;
  racine.reserve = p.reserve;
  racine.dernier_irreversible = p.dernier_irreversible;
  position.camp_programme = p.camp_programme;
  position.camp_adverse = p.camp_programme ^ 1;
  position.echecs960 = p.echecs960;
  std::memcpy(position.tours_roque, p.tours_roque, sizeof p.tours_roque);
  position_garde_roque();
  position_calcule();
  position.demi_coups = p.nb_demi_coups;
  position.irreversible_racine = p.dernier_irreversible;
  p.cles[p.nb_demi_coups] = position.cle;
}

int position_est_valide() {
  const Position incremental = position;
  // Kings: exactly one per side, where the king squares say.
  int rois_blancs = 0, rois_noirs = 0;
  for (int s = 0; s < 64; ++s) {
    if (incremental.cases[s] == ROI) rois_blancs++;
    if (incremental.cases[s] == -ROI) rois_noirs++;
  }
  bool valide = rois_blancs == 1 && rois_noirs == 1;
  position_calcule();
  const Position& P = position;
  const Position& I = incremental;
  valide = valide && P.roi_blanc == I.roi_blanc && P.roi_noir == I.roi_noir &&
           P.pions_blancs == I.pions_blancs && P.cavaliers_blancs == I.cavaliers_blancs &&
           P.fous_blancs == I.fous_blancs && P.tours_blanches == I.tours_blanches &&
           P.dames_blanches == I.dames_blanches && P.pions_noirs == I.pions_noirs &&
           P.cavaliers_noirs == I.cavaliers_noirs && P.fous_noirs == I.fous_noirs &&
           P.tours_noires == I.tours_noires && P.dames_noires == I.dames_noires &&
           P.diagonales == I.diagonales && P.lignes == I.lignes &&
           P.occupation_blancs == I.occupation_blancs && P.occupation_noirs == I.occupation_noirs &&
           P.cle == I.cle && P.cle_pions == I.cle_pions &&
           P.materiel_blancs == I.materiel_blancs && P.materiel_noirs == I.materiel_noirs;
  // Pawn counts and phase weights, as the evaluation's phase routine sets them.
  int phase_blancs = 0, phase_noirs = 0;
  for (int s = 0; s < 64; ++s) {
    int p = I.cases[s];
    if (p > 0) phase_blancs += poids_phase(p);
    if (p < 0) phase_noirs += poids_phase(-p);
  }
  valide = valide && I.nb_pions_blancs == compte_bits(I.pions_blancs) &&
           I.nb_pions_noirs == compte_bits(I.pions_noirs) && I.phase_blancs == phase_blancs &&
           I.phase_noirs == phase_noirs;
  position = incremental;
  return valide ? 1 : 0;
}
