// Pseudo-legal move generation. White walks every set from its highest
// square down, Black from its lowest square up, so each side emits the moves
// of its most advanced pieces, and their most advanced targets, first. The
// move picker keeps that order for quiet moves.
#include "movegen/generation.h"

#include "board/joue_camp.h"
#include "movegen/attaques.h"
#include "movegen/bitboard.h"
#include "movegen/legalite.h"

thread_local constinit Coup pile_coups[TAILLE_PILE_COUPS]{};
thread_local constinit Coup* debut_liste[PLY_MAX + 1]{};

namespace {

// What the legal generator needs to know of the node, found once: the king,
// the pieces pinned to it, and the squares a move other than the king's may
// land on (everything out of check; the checker and the squares between it
// and the king in single check; nothing in double check).
struct Legalite {
  Bitboard cloues;
  Bitboard permis;
  Bitboard occupees_sans_roi;
  int roi;
};

// No filter at all: the pseudo-legal generators pass this and every test on
// it disappears at compile time.
constexpr Legalite PSEUDO_LEGAUX{0, ~Bitboard{0}, 0, 0};

// The squares a piece pinned on `de` may reach: its line through the king.
inline Bitboard ligne_du_roi(int roi, int de) {
  return rayon[indice_direction(direction[roi][de])][roi];
}

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
// LEGAUX keeps only the legal ones: a pinned piece stays on its line.
template <int C, int TYPE, bool PRISES, bool LEGAUX>
inline Coup* emet_pieces(Bitboard pieces, Bitboard filtre, const Legalite& l, Coup* sortie) {
  if constexpr (LEGAUX) filtre &= l.permis;
  // Pins are rare: the line test only runs when one of these pieces has one.
  const bool cloues = LEGAUX && (pieces & l.cloues);
  while (pieces) {
    const int de = prochaine_case<C>(pieces);
    pieces = sans_prochaine<C>(pieces);
    Bitboard cibles;
    if constexpr (TYPE == CAVALIER) cibles = attaques_cavalier[de];
    else if constexpr (TYPE == FOU) cibles = attaques_fou(de);
    else if constexpr (TYPE == TOUR) cibles = attaques_tour(de);
    else if constexpr (TYPE == DAME) cibles = attaques_dame(de);
    cibles &= filtre;
    if (cloues && (l.cloues & masque_case[de])) cibles &= ligne_du_roi(l.roi, de);
    sortie = emet_cibles<C, PRISES>(de, cibles, TYPE, sortie);
  }
  return sortie;
}

// The king's steps into `filtre`; LEGAUX drops the attacked squares (tested
// with the king lifted off, so that it cannot hide behind itself).
template <int C, bool PRISES, bool LEGAUX> inline Coup* emet_roi(Bitboard filtre, const Legalite& l, Coup* sortie) {
  const int roi = case_roi<C>();
  Bitboard cibles = attaques_roi[roi] & filtre;
  if constexpr (LEGAUX) {
    for (Bitboard b = cibles; b; b &= b - 1) {
      const int s = dernier_bit(b);
      if (detail_legalite::attaquee_avec<C ^ 1>(s, l.occupees_sans_roi)) cibles &= masque_efface[s];
    }
  }
  return emet_cibles<C, PRISES>(roi, cibles, ROI, sortie);
}

// The moves of every piece but the pawns into `filtre`: knights, bishops,
// rooks, queens, then the king.
template <int C, bool PRISES, bool LEGAUX> inline Coup* emet_officiers(Bitboard filtre, const Legalite& l, Coup* sortie) {
  sortie = emet_pieces<C, CAVALIER, PRISES, LEGAUX>(cavaliers<C>(), filtre, l, sortie);
  sortie = emet_pieces<C, FOU, PRISES, LEGAUX>(fous<C>(), filtre, l, sortie);
  sortie = emet_pieces<C, TOUR, PRISES, LEGAUX>(tours<C>(), filtre, l, sortie);
  sortie = emet_pieces<C, DAME, PRISES, LEGAUX>(dames<C>(), filtre, l, sortie);
  return emet_roi<C, PRISES, LEGAUX>(filtre, l, sortie);
}

// Whether a pawn leaving `de` for `vers` keeps its king covered, the target
// being already among the permitted squares.
inline bool pion_reste_en_ligne(int de, int vers, const Legalite& l) {
  return !(l.cloues & masque_case[de]) || direction[l.roi][vers] == direction[l.roi][de];
}

// En passant is tried on the board: the two pawns leaving the rank together
// can uncover the king, and the pawn taken may be the checker.
template <int C> inline bool en_passant_legal(int ply, Coup coup) {
  joue_camp<C>(ply, coup);
  const bool legal = !en_echec_camp<C>();
  dejoue_camp<C, false>(ply, coup);  // a pawn move
  return legal;
}

template <int C, bool LEGAUX> Coup* captures(int ply, const Legalite& l, Coup* sortie) {
  constexpr int A = C ^ 1;
  const Bitboard ennemis = occupation_camp<A>();
  const Bitboard vides = ~(position.occupation_blancs | position.occupation_noirs);
  const Bitboard derniere = masque_rangee[C == BLANCS ? 7 : 0];
  sortie = emet_officiers<C, true, LEGAUX>(ennemis, l, sortie);
  const bool pions_cloues = LEGAUX && (pions<C>() & l.cloues);

  // Pushes onto the last rank promote to a queen here.
  Bitboard cibles = avance<C>(pions<C>(), 1) & vides & derniere;
  if constexpr (LEGAUX) cibles &= l.permis;
  while (cibles) {
    const int vers = prochaine_case<C>(cibles);
    cibles = sans_prochaine<C>(cibles);
    if (pions_cloues && !pion_reste_en_ligne(en_arriere<C>(vers, 8), vers, l)) continue;
    *sortie++ = fabrique_coup(en_arriere<C>(vers, 8), vers, PION, 0, DAME);
  }

  // Captures toward the a-file, then toward the h-file; the en-passant
  // square (64 masks to nothing) counts as an enemy.
  const Bitboard en_passant = masque_case[position.etats[ply].en_passant];
  Bitboard prenables = ennemis | en_passant;
  if constexpr (LEGAUX) prenables &= l.permis | en_passant;
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
      const Coup coup = masque_case[vers] & derniere ? fabrique_coup(de, vers, PION, prise, DAME)
                                                     : fabrique_coup(de, vers, PION, prise != 0 ? prise : PION);
      if constexpr (LEGAUX) {
        if (prise == 0 ? !en_passant_legal<C>(ply, coup) : pions_cloues && !pion_reste_en_ligne(de, vers, l))
          continue;
      }
      *sortie++ = coup;
    }
  }
  return sortie;
}

// The squares of a rank from a to b, both included.
inline Bitboard segment(int a, int b) {
  return a == b ? masque_case[a] : entre[a][b] | masque_case[a] | masque_case[b];
}

// Chess960 castling of side C on wing `cote` (0 king side, 1 queen side),
// the right being held: the squares the king and its rook pass over,
// destinations included, are empty but for those two, and no square the king
// stands on, crosses or reaches is attacked. The attacks are tested with both
// lifted off, so that the rook cannot hide a check along the rank.
template <int C> bool roque960_possible_camp(int cote) {
  const Position& P = position;
  const int roi = case_roi<C>(), tour = P.tours_roque[C][cote];
  const Bitboard autres = (P.occupation_blancs | P.occupation_noirs) ^ masque_case[roi] ^ masque_case[tour];
  const Bitboard chemin_roi = segment(roi, roi_apres_roque(C, cote));
  if ((chemin_roi | segment(tour, tour_apres_roque(C, cote))) & autres) return false;
  for (Bitboard b = chemin_roi; b; b &= b - 1)
    if (detail_legalite::attaquee_avec<C ^ 1>(dernier_bit(b), autres)) return false;
  return true;
}

// Chess960 castling moves (the king onto its rook), king side first.
template <int C> [[gnu::noinline]] Coup* roques960(int8_t droits, Coup* sortie) {
  for (int cote = 0; cote < 2; ++cote)
    if ((droits & (1 << cote)) && roque960_possible_camp<C>(cote))
      *sortie++ = fabrique_coup(case_roi<C>(), position.tours_roque[C][cote], ROI);
  return sortie;
}

template <int C, bool LEGAUX> Coup* non_captures(int ply, const Legalite& l, Coup* sortie) {
  constexpr int A = C ^ 1;
  const Bitboard vides = ~(position.occupation_blancs | position.occupation_noirs);
  const Bitboard derniere = masque_rangee[C == BLANCS ? 7 : 0];

  // Castling: the rights bits imply king and rook on their home squares.
  const int8_t droits = static_cast<int8_t>(C == BLANCS ? position.etats[ply].roque_blancs
                                                        : position.etats[ply].roque_noirs);
  if (droits > 0 && position.echecs960) {
    sortie = roques960<C>(droits, sortie);
  } else if (droits > 0) {
    constexpr int e = C == BLANCS ? E1 : E8;
    constexpr int chemin = C == BLANCS ? 0 : 2;
    if ((droits & 1) && (chemin_roque[chemin] & vides) == chemin_roque[chemin] &&
        !est_attaquee(e, A) && !est_attaquee(e + 1, A) && !est_attaquee(e + 2, A))
      *sortie++ = fabrique_coup(e, e + 2, ROI);
    if ((droits & 2) && (chemin_roque[chemin + 1] & vides) == chemin_roque[chemin + 1] &&
        !est_attaquee(e - 2, A) && !est_attaquee(e - 1, A) && !est_attaquee(e, A))
      *sortie++ = fabrique_coup(e, e - 2, ROI);
  }

  sortie = emet_officiers<C, false, LEGAUX>(vides, l, sortie);

  // Double pushes all come before single pushes.
  const bool pions_cloues = LEGAUX && (pions<C>() & l.cloues);
  const Bitboard simples = avance<C>(pions<C>(), 1) & vides;
  Bitboard cibles = avance<C>(simples & masque_rangee[C == BLANCS ? 2 : 5], 1) & vides;
  if constexpr (LEGAUX) cibles &= l.permis;
  while (cibles) {
    const int vers = prochaine_case<C>(cibles);
    cibles = sans_prochaine<C>(cibles);
    if (pions_cloues && !pion_reste_en_ligne(en_arriere<C>(vers, 16), vers, l)) continue;
    *sortie++ = fabrique_coup(en_arriere<C>(vers, 16), vers, PION);
  }
  cibles = simples;
  if constexpr (LEGAUX) cibles &= l.permis;
  while (cibles) {
    const int vers = prochaine_case<C>(cibles);
    cibles = sans_prochaine<C>(cibles);
    const int de = en_arriere<C>(vers, 8);
    if (pions_cloues && !pion_reste_en_ligne(de, vers, l)) continue;
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
    Bitboard ennemis = occupation_camp<A>();
    if constexpr (LEGAUX) ennemis &= l.permis;
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
        if (pions_cloues && !pion_reste_en_ligne(de, vers, l)) continue;
        *sortie++ = fabrique_coup(de, vers, PION, prise, TOUR);
        *sortie++ = fabrique_coup(de, vers, PION, prise, FOU);
        *sortie++ = fabrique_coup(de, vers, PION, prise, CAVALIER);
      }
    }
  }
  return sortie;
}

template <int C> Legalite legalite_du_noeud() {
  const Clouage k = clouage<C>();
  const int roi = case_roi<C>();
  Bitboard permis = ~Bitboard{0};
  if (k.echecs) permis = k.echecs & (k.echecs - 1) ? 0 : k.parades;
  return {k.cloues, permis, (position.occupation_blancs | position.occupation_noirs) ^ masque_case[roi], roi};
}

}  // namespace

Coup* genere_captures(int ply, int camp, Coup* sortie) {
  return camp == BLANCS ? captures<BLANCS, false>(ply, PSEUDO_LEGAUX, sortie)
                        : captures<NOIRS, false>(ply, PSEUDO_LEGAUX, sortie);
}

Coup* genere_non_captures(int ply, int camp, Coup* sortie) {
  return camp == BLANCS ? non_captures<BLANCS, false>(ply, PSEUDO_LEGAUX, sortie)
                        : non_captures<NOIRS, false>(ply, PSEUDO_LEGAUX, sortie);
}

template <int C> void genere_coups_legaux_camp(int ply) {
  const Legalite l = legalite_du_noeud<C>();
  Coup* fin = captures<C, true>(ply, l, debut_liste[ply]);
  debut_liste[ply + 1] = non_captures<C, true>(ply, l, fin);
}
template void genere_coups_legaux_camp<BLANCS>(int);
template void genere_coups_legaux_camp<NOIRS>(int);

void genere_coups_legaux(int camp, int ply) {
  if (camp == BLANCS) genere_coups_legaux_camp<BLANCS>(ply);
  else genere_coups_legaux_camp<NOIRS>(ply);
}

int roque960_possible(int camp, int cote) {
  return (camp == BLANCS ? roque960_possible_camp<BLANCS>(cote) : roque960_possible_camp<NOIRS>(cote)) ? 1 : 0;
}

void genere_coups(int camp, int ply) {
  Coup* fin = genere_captures(ply, camp, debut_liste[ply]);
  debut_liste[ply + 1] = genere_non_captures(ply, camp, fin);
}
