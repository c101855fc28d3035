// Pseudo-legal move generation. White walks every set from its highest
// square down, Black from its lowest square up, so each side emits the moves
// of its most advanced pieces, and their most advanced targets, first. The
// move picker keeps that order for quiet moves.
#include "movegen/generation.h"

#include "movegen/attaques.h"
#include "movegen/bitboard.h"

Coup pile_coups[TAILLE_PILE_COUPS];
Coup* debut_liste[PLY_MAX + 1] = {pile_coups};

namespace {

template <int C> Bitboard pions() { if constexpr (C == BLANCS) return position.pions_blancs; else return position.pions_noirs; }
template <int C> Bitboard cavaliers() { if constexpr (C == BLANCS) return position.cavaliers_blancs; else return position.cavaliers_noirs; }
template <int C> Bitboard fous() { if constexpr (C == BLANCS) return position.fous_blancs; else return position.fous_noirs; }
template <int C> Bitboard tours() { if constexpr (C == BLANCS) return position.tours_blanches; else return position.tours_noires; }
template <int C> Bitboard dames() { if constexpr (C == BLANCS) return position.dames_blanches; else return position.dames_noires; }
template <int C> Bitboard occupation_camp() { if constexpr (C == BLANCS) return position.occupation_blancs; else return position.occupation_noirs; }
template <int C> int case_roi() { if constexpr (C == BLANCS) return position.roi_blanc; else return position.roi_noir; }

// Next square of a set in the side's walk order, and the set without it.
template <int C> inline int prochaine_case(Bitboard b) {
  if constexpr (C == BLANCS) return 63 - __builtin_ctzll(b);
  else return __builtin_clzll(b);
}
template <int C> inline Bitboard sans_prochaine(Bitboard b) {
  if constexpr (C == BLANCS) return b & (b - 1);
  else return b ^ ((Bitboard{1} << 63) >> __builtin_clzll(b));
}

// The set one rank forward for side C, and the square `pas` squares back.
template <int C> inline Bitboard avance(Bitboard b, int rangs) {
  if constexpr (C == BLANCS) return b >> (8 * rangs);
  else return b << (8 * rangs);
}
template <int C> constexpr int en_arriere(int s, int pas) { return C == BLANCS ? s - pas : s + pas; }

inline int type_sur(int s) {
  int p = position.cases[s];
  return p < 0 ? -p : p;
}

// One move from `de` to every square of `cibles`; PRISES tells whether the
// targets hold enemy pieces (whose type goes into the move) or are empty.
template <int C, bool PRISES> inline Coup* emet_cibles(int de, Bitboard cibles, int type, Coup* sortie) {
  const Coup base = fabrique_coup(de, 0, type);
  while (cibles) {
    const int vers = prochaine_case<C>(cibles);
    cibles = sans_prochaine<C>(cibles);
    if constexpr (PRISES)
      *sortie++ = base | (vers << 6) | (type_sur(vers) << 15);
    else
      *sortie++ = base | (vers << 6);
  }
  return sortie;
}

// Moves of every piece of one kind of side C to its targets within `filtre`.
template <int C, int TYPE, bool PRISES> inline Coup* emet_pieces(Bitboard pieces, Bitboard filtre, Coup* sortie) {
  while (pieces) {
    const int de = prochaine_case<C>(pieces);
    pieces = sans_prochaine<C>(pieces);
    Bitboard cibles;
    if constexpr (TYPE == CAVALIER) cibles = attaques_cavalier[de];
    else if constexpr (TYPE == FOU) cibles = attaques_fou(de);
    else if constexpr (TYPE == TOUR) cibles = attaques_tour(de);
    else if constexpr (TYPE == DAME) cibles = attaques_dame(de);
    else cibles = attaques_roi[de];
    sortie = emet_cibles<C, PRISES>(de, cibles & filtre, TYPE, sortie);
  }
  return sortie;
}

template <int C> Coup* captures(int ply, Coup* sortie) {
  constexpr int A = C ^ 1;
  const Bitboard ennemis = occupation_camp<A>();
  const Bitboard vides = ~(position.occupation_blancs | position.occupation_noirs);
  const Bitboard derniere = masque_rangee[C == BLANCS ? 7 : 0];
  sortie = emet_pieces<C, CAVALIER, true>(cavaliers<C>(), ennemis, sortie);
  sortie = emet_pieces<C, FOU, true>(fous<C>(), ennemis, sortie);
  sortie = emet_pieces<C, TOUR, true>(tours<C>(), ennemis, sortie);
  sortie = emet_pieces<C, DAME, true>(dames<C>(), ennemis, sortie);
  sortie = emet_cibles<C, true>(case_roi<C>(), attaques_roi[case_roi<C>()] & ennemis, ROI, sortie);

  // Pushes onto the last rank promote to a queen here.
  Bitboard cibles = avance<C>(pions<C>(), 1) & vides & derniere;
  while (cibles) {
    const int vers = prochaine_case<C>(cibles);
    cibles = sans_prochaine<C>(cibles);
    *sortie++ = fabrique_coup(en_arriere<C>(vers, 8), vers, PION, 0, DAME);
  }

  // Captures toward the a-file, then toward the h-file; the en-passant
  // square (64 masks to nothing) counts as an enemy.
  const Bitboard prenables = ennemis | masque_case[position.etats[ply].en_passant];
  for (int cote = 0; cote < 2; ++cote) {
    int pas;
    if constexpr (C == BLANCS) {
      pas = cote == 0 ? 7 : 9;
      cibles = ((pions<C>() & (cote == 0 ? pas_colonne_a : pas_colonne_h)) >> pas) & prenables;
    } else {
      pas = cote == 0 ? 9 : 7;
      cibles = ((pions<C>() & (cote == 0 ? pas_colonne_a : pas_colonne_h)) << pas) & prenables;
    }
    while (cibles) {
      const int vers = prochaine_case<C>(cibles);
      cibles = sans_prochaine<C>(cibles);
      const int de = en_arriere<C>(vers, pas);
      const int prise = type_sur(vers);
      if (masque_case[vers] & derniere)
        *sortie++ = fabrique_coup(de, vers, PION, prise, DAME);
      else
        *sortie++ = fabrique_coup(de, vers, PION, prise != 0 ? prise : PION);
    }
  }
  return sortie;
}

template <int C> Coup* non_captures(int ply, Coup* sortie) {
  constexpr int A = C ^ 1;
  const Bitboard vides = ~(position.occupation_blancs | position.occupation_noirs);
  const Bitboard derniere = masque_rangee[C == BLANCS ? 7 : 0];

  // Castling: the rights bits imply king and rook on their home squares.
  const int8_t droits = static_cast<int8_t>(C == BLANCS ? position.etats[ply].roque_blancs
                                                        : position.etats[ply].roque_noirs);
  if (droits > 0) {
    constexpr int e = C == BLANCS ? E1 : E8;
    constexpr int chemin = C == BLANCS ? 0 : 2;
    if ((droits & 1) && (chemin_roque[chemin] & vides) == chemin_roque[chemin] &&
        !est_attaquee(e, A) && !est_attaquee(e + 1, A) && !est_attaquee(e + 2, A))
      *sortie++ = fabrique_coup(e, e + 2, ROI);
    if ((droits & 2) && (chemin_roque[chemin + 1] & vides) == chemin_roque[chemin + 1] &&
        !est_attaquee(e - 2, A) && !est_attaquee(e - 1, A) && !est_attaquee(e, A))
      *sortie++ = fabrique_coup(e, e - 2, ROI);
  }

  sortie = emet_pieces<C, CAVALIER, false>(cavaliers<C>(), vides, sortie);
  sortie = emet_pieces<C, FOU, false>(fous<C>(), vides, sortie);
  sortie = emet_pieces<C, TOUR, false>(tours<C>(), vides, sortie);
  sortie = emet_pieces<C, DAME, false>(dames<C>(), vides, sortie);
  sortie = emet_cibles<C, false>(case_roi<C>(), attaques_roi[case_roi<C>()] & vides, ROI, sortie);

  // Double pushes all come before single pushes.
  const Bitboard simples = avance<C>(pions<C>(), 1) & vides;
  Bitboard cibles = avance<C>(simples & masque_rangee[C == BLANCS ? 2 : 5], 1) & vides;
  while (cibles) {
    const int vers = prochaine_case<C>(cibles);
    cibles = sans_prochaine<C>(cibles);
    *sortie++ = fabrique_coup(en_arriere<C>(vers, 16), vers, PION);
  }
  cibles = simples;
  while (cibles) {
    const int vers = prochaine_case<C>(cibles);
    cibles = sans_prochaine<C>(cibles);
    const int de = en_arriere<C>(vers, 8);
    if (masque_case[vers] & derniere) {
      *sortie++ = fabrique_coup(de, vers, PION, 0, TOUR);
      *sortie++ = fabrique_coup(de, vers, PION, 0, FOU);
      *sortie++ = fabrique_coup(de, vers, PION, 0, CAVALIER);
    } else {
      *sortie++ = fabrique_coup(de, vers, PION);
    }
  }

  // Captures that promote to a rook, bishop or knight.
  const Bitboard septieme = pions<C>() & masque_rangee[C == BLANCS ? 6 : 1];
  if (septieme) {
    const Bitboard ennemis = occupation_camp<A>();
    for (int cote = 0; cote < 2; ++cote) {
      int pas;
      if constexpr (C == BLANCS) {
        pas = cote == 0 ? 7 : 9;
        cibles = ((septieme & (cote == 0 ? pas_colonne_a : pas_colonne_h)) >> pas) & ennemis;
      } else {
        pas = cote == 0 ? 9 : 7;
        cibles = ((septieme & (cote == 0 ? pas_colonne_a : pas_colonne_h)) << pas) & ennemis;
      }
      while (cibles) {
        const int vers = prochaine_case<C>(cibles);
        cibles = sans_prochaine<C>(cibles);
        const int de = en_arriere<C>(vers, pas);
        const int prise = type_sur(vers);
        *sortie++ = fabrique_coup(de, vers, PION, prise, TOUR);
        *sortie++ = fabrique_coup(de, vers, PION, prise, FOU);
        *sortie++ = fabrique_coup(de, vers, PION, prise, CAVALIER);
      }
    }
  }
  return sortie;
}

}  // namespace

Coup* genere_captures(int ply, int camp, Coup* sortie) {
  return camp == BLANCS ? captures<BLANCS>(ply, sortie) : captures<NOIRS>(ply, sortie);
}

Coup* genere_non_captures(int ply, int camp, Coup* sortie) {
  return camp == BLANCS ? non_captures<BLANCS>(ply, sortie) : non_captures<NOIRS>(ply, sortie);
}

void genere_coups(int camp, int ply) {
  Coup* fin = genere_captures(ply, camp, debut_liste[ply]);
  debut_liste[ply + 1] = genere_non_captures(ply, camp, fin);
}
