// Make and unmake for one side chosen at compile time. joue/dejoue dispatch
// to these; the innermost loops (perft, and the search if it wishes) call
// them directly so the side tests and the call disappear.
#pragma once

#include "board/bits.h"
#include "board/cles.h"
#include "board/position.h"

namespace detail_joue {

// The fields of one side, chosen at compile time.
template <int C> Bitboard& pions() { if constexpr (C == BLANCS) return position.pions_blancs; else return position.pions_noirs; }
template <int C> Bitboard& cavaliers() { if constexpr (C == BLANCS) return position.cavaliers_blancs; else return position.cavaliers_noirs; }
template <int C> Bitboard& fous() { if constexpr (C == BLANCS) return position.fous_blancs; else return position.fous_noirs; }
template <int C> Bitboard& tours() { if constexpr (C == BLANCS) return position.tours_blanches; else return position.tours_noires; }
template <int C> Bitboard& dames() { if constexpr (C == BLANCS) return position.dames_blanches; else return position.dames_noires; }
template <int C> Bitboard& occupation_camp() { if constexpr (C == BLANCS) return position.occupation_blancs; else return position.occupation_noirs; }
template <int C> int32_t& materiel() { if constexpr (C == BLANCS) return position.materiel_blancs; else return position.materiel_noirs; }
template <int C> int32_t& nb_pions() { if constexpr (C == BLANCS) return position.nb_pions_blancs; else return position.nb_pions_noirs; }
template <int C> int32_t& phase() { if constexpr (C == BLANCS) return position.phase_blancs; else return position.phase_noirs; }
template <int C> uint8_t& roque(EtatPly& e) { if constexpr (C == BLANCS) return e.roque_blancs; else return e.roque_noirs; }
template <int C> uint8_t& roi() { if constexpr (C == BLANCS) return position.roi_blanc; else return position.roi_noir; }
template <int C> uint32_t cle_pion(int s) { if constexpr (C == BLANCS) return cle_pion_blanc[s]; else return cle_pion_noir[s]; }
template <int C> uint64_t cle_de(int type, int s) { return cle_piece[2 * (type - 1) + C][s]; }
template <int C> int8_t code(int type) { return static_cast<int8_t>(C == BLANCS ? type : -type); }

// Puts a piece of side C and type 2..5 on s, or takes it off (toggle), with
// its slider boards, material and phase weight; `signe` is +1 to add, -1 to remove.
template <int C> inline void bascule_piece(int type, int s, int signe) {
  const Bitboard m = masque_case[s];
  switch (type) {
    case CAVALIER:
      cavaliers<C>() ^= m;
      materiel<C>() += signe * 300;
      phase<C>() += signe * 3;
      break;
    case FOU:
      fous<C>() ^= m;
      position.diagonales ^= m;
      materiel<C>() += signe * 300;
      phase<C>() += signe * 3;
      break;
    case TOUR:
      tours<C>() ^= m;
      position.lignes ^= m;
      materiel<C>() += signe * 500;
      phase<C>() += signe * 5;
      break;
    case DAME:
      dames<C>() ^= m;
      position.diagonales ^= m;
      position.lignes ^= m;
      materiel<C>() += signe * 900;
      phase<C>() += signe * 10;
      break;
    default: break;
  }
}

// The rook's hop of a castling king: squares of the rook before and after.
template <int C> inline void deplace_tour_roque(int de, int vers) {
  const Bitboard m = masque_case[de] | masque_case[vers];
  tours<C>() ^= m;
  position.lignes ^= m;
  occupation_camp<C>() ^= m;
  position.cases[vers] = code<C>(TOUR);
  position.cases[de] = 0;
}

// Chess960 castling of the king on `o` with its rook on `r`, once the common
// part of the move (the king's origin emptied, o and r toggled in the side's
// occupancy) is done: king and rook land on their castling squares.
template <int C> [[gnu::always_inline]] inline void joue_roque960(int o, int r) {
  Position& P = position;
  const int cote = r > o ? 0 : 1;
  const int roi_vers = roi_apres_roque(C, cote), tour_vers = tour_apres_roque(C, cote);
  const Bitboard tour = masque_case[r] ^ masque_case[tour_vers];
  tours<C>() ^= tour;
  P.lignes ^= tour;
  occupation_camp<C>() |= masque_case[roi_vers] | masque_case[tour_vers];
  P.cases[r] = 0;
  P.cases[roi_vers] = code<C>(ROI);
  P.cases[tour_vers] = code<C>(TOUR);
  roi<C>() = static_cast<uint8_t>(roi_vers);
  P.cle ^= cle_de<C>(ROI, o) ^ cle_de<C>(ROI, roi_vers) ^ cle_de<C>(TOUR, r) ^ cle_de<C>(TOUR, tour_vers);
}

// Takes back joue_roque960 and the whole move: king on `o`, rook on `r`.
template <int C> [[gnu::always_inline]] inline void dejoue_roque960(int o, int r) {
  Position& P = position;
  const int cote = r > o ? 0 : 1;
  const int roi_vers = roi_apres_roque(C, cote), tour_vers = tour_apres_roque(C, cote);
  const Bitboard tour = masque_case[r] ^ masque_case[tour_vers];
  tours<C>() ^= tour;
  P.lignes ^= tour;
  // The common part of dejoue toggled o and r; start again from the occupancy after the move.
  occupation_camp<C>() ^= masque_case[o] | masque_case[r];
  occupation_camp<C>() &= ~(masque_case[roi_vers] | masque_case[tour_vers]);
  occupation_camp<C>() |= masque_case[o] | masque_case[r];
  P.cases[roi_vers] = 0;
  P.cases[tour_vers] = 0;
  P.cases[o] = code<C>(ROI);
  P.cases[r] = code<C>(TOUR);
}

template <int C> [[gnu::always_inline]] inline void joue_camp(int p, Coup coup) {
  constexpr int A = C ^ 1;
  Position& P = position;
  const int o = origine(coup), d = destination(coup), t = piece_jouee(coup), c = piece_prise(coup);
  EtatPly& suivant = P.etats[p + 1];
  suivant = P.etats[p];
  P.cles_ply[p] = P.cle;
  P.cles_pions_ply[p] = P.cle_pions;

  suivant.en_passant = AUCUNE_CASE;
  P.cases[o] = 0;
  const Bitboard mouvement = masque_case[o] | masque_case[d];
  occupation_camp<C>() ^= mouvement;

  if (c != 0) {
    occupation_camp<A>() &= masque_efface[d];
    switch (c) {
      case PION:
        if (P.cases[d] != 0) {
          pions<A>() &= masque_efface[d];
          P.cle ^= cle_de<A>(PION, d);
          P.cle_pions ^= cle_pion<A>(d);
        } else {
          // En passant: the pawn taken stands behind the destination.
          const int x = C == BLANCS ? d - 8 : d + 8;
          pions<A>() &= masque_efface[x];
          occupation_camp<A>() &= masque_efface[x];
          P.cases[x] = 0;
          P.cle ^= cle_de<A>(PION, x);
          P.cle_pions ^= cle_pion<A>(x);
        }
        materiel<A>() -= 100;
        nb_pions<A>() -= 1;
        break;
      case TOUR:
        bascule_piece<A>(TOUR, d, -1);
        P.cle ^= cle_de<A>(TOUR, d);
        // A rook taken on its castling square takes its right along.
        roque<A>(suivant) &= P.garde_roque[A][d];
        break;
      default:  // knight, bishop, queen
        bascule_piece<A>(c, d, -1);
        P.cle ^= cle_de<A>(c, d);
        break;
    }
  }

  switch (t) {
    case PION: {
      const int r = promotion(coup);
      P.cle_pions ^= cle_pion<C>(o);
      if (r == 0) {
        pions<C>() ^= mouvement;
        P.cases[d] = code<C>(PION);
        P.cle ^= cle_de<C>(PION, o) ^ cle_de<C>(PION, d);
        P.cle_pions ^= cle_pion<C>(d);
        if ((d ^ o) == 16) suivant.en_passant = static_cast<uint8_t>((o + d) / 2);
      } else {
        pions<C>() ^= masque_case[o];
        materiel<C>() -= 100;
        nb_pions<C>() -= 1;
        bascule_piece<C>(r, d, +1);
        P.cases[d] = code<C>(r);
        P.cle ^= cle_de<C>(PION, o) ^ cle_de<C>(r, d);
      }
      break;
    }
    case CAVALIER:
      cavaliers<C>() ^= mouvement;
      P.cases[d] = code<C>(CAVALIER);
      P.cle ^= cle_de<C>(CAVALIER, o) ^ cle_de<C>(CAVALIER, d);
      break;
    case FOU:
      fous<C>() ^= mouvement;
      P.diagonales ^= mouvement;
      P.cases[d] = code<C>(FOU);
      P.cle ^= cle_de<C>(FOU, o) ^ cle_de<C>(FOU, d);
      break;
    case TOUR:
      tours<C>() ^= mouvement;
      P.lignes ^= mouvement;
      P.cases[d] = code<C>(TOUR);
      P.cle ^= cle_de<C>(TOUR, o) ^ cle_de<C>(TOUR, d);
      roque<C>(suivant) &= P.garde_roque[C][o];
      break;
    case DAME:
      dames<C>() ^= mouvement;
      P.diagonales ^= mouvement;
      P.lignes ^= mouvement;
      P.cases[d] = code<C>(DAME);
      P.cle ^= cle_de<C>(DAME, o) ^ cle_de<C>(DAME, d);
      break;
    default: {  // king
      constexpr int e = C == BLANCS ? E1 : E8;
      if (P.cases[d] == code<C>(TOUR)) {  // Chess960 castling: the king moves onto its rook
        joue_roque960<C>(o, d);
        roque<C>(suivant) = 4;
        break;
      }
      roi<C>() = static_cast<uint8_t>(d);
      P.cases[d] = code<C>(ROI);
      P.cle ^= cle_de<C>(ROI, o) ^ cle_de<C>(ROI, d);
      if (o == e && d == e + 2) {
        deplace_tour_roque<C>(e + 3, e + 1);
        P.cle ^= cle_de<C>(TOUR, e + 3) ^ cle_de<C>(TOUR, e + 1);
        roque<C>(suivant) = 4;
      } else if (o == e && d == e - 2) {
        deplace_tour_roque<C>(e - 4, e - 1);
        P.cle ^= cle_de<C>(TOUR, e - 4) ^ cle_de<C>(TOUR, e - 1);
        roque<C>(suivant) = 4;
      } else {
        roque<C>(suivant) = 0;
      }
      break;
    }
  }

  P.demi_coups += 1;
  partie.cles[P.demi_coups] = P.cle;
}

// ROQUE960: the move may be a Chess960 castling (the king onto its rook).
// Without it the unmake has no test for one, which keeps the standard
// innermost loops as short as they were.
template <int C, bool ROQUE960> [[gnu::always_inline]] inline void dejoue_camp(int p, Coup coup) {
  constexpr int A = C ^ 1;
  Position& P = position;
  const int o = origine(coup), d = destination(coup), t = piece_jouee(coup), c = piece_prise(coup);
  P.cle = P.cles_ply[p];
  P.cle_pions = P.cles_pions_ply[p];
  P.demi_coups -= 1;

  const Bitboard mouvement = masque_case[o] | masque_case[d];
  occupation_camp<C>() ^= mouvement;
  switch (t) {
    case PION: {
      const int r = promotion(coup);
      if (r == 0) {
        pions<C>() ^= mouvement;
      } else {
        bascule_piece<C>(r, d, -1);
        pions<C>() ^= masque_case[o];
        materiel<C>() += 100;
        nb_pions<C>() += 1;
      }
      break;
    }
    case CAVALIER: cavaliers<C>() ^= mouvement; break;
    case FOU:
      fous<C>() ^= mouvement;
      P.diagonales ^= mouvement;
      break;
    case TOUR:
      tours<C>() ^= mouvement;
      P.lignes ^= mouvement;
      break;
    case DAME:
      dames<C>() ^= mouvement;
      P.diagonales ^= mouvement;
      P.lignes ^= mouvement;
      break;
    default: {  // king
      constexpr int e = C == BLANCS ? E1 : E8;
      roi<C>() = static_cast<uint8_t>(o);
      if (ROQUE960 && roque<C>(P.etats[p + 1]) == 4 && P.echecs960) {  // castled onto its rook
        dejoue_roque960<C>(o, d);
        return;
      }
      if (o == e && d == e + 2) deplace_tour_roque<C>(e + 1, e + 3);
      else if (o == e && d == e - 2) deplace_tour_roque<C>(e - 1, e - 4);
      break;
    }
  }
  P.cases[o] = code<C>(t);

  if (c == 0) {
    P.cases[d] = 0;
  } else if (c == PION && d == P.etats[p].en_passant) {
    const int x = C == BLANCS ? d - 8 : d + 8;
    pions<A>() |= masque_case[x];
    occupation_camp<A>() |= masque_case[x];
    materiel<A>() += 100;
    nb_pions<A>() += 1;
    P.cases[x] = code<A>(PION);
    P.cases[d] = 0;
  } else {
    occupation_camp<A>() |= masque_case[d];
    if (c == PION) {
      pions<A>() |= masque_case[d];
      materiel<A>() += 100;
      nb_pions<A>() += 1;
    } else {
      bascule_piece<A>(c, d, +1);
    }
    P.cases[d] = code<A>(c);
  }
}

}  // namespace detail_joue

using detail_joue::dejoue_camp;
using detail_joue::joue_camp;
