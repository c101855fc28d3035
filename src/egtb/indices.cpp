// The 220 index functions of the Nalimov scheme.
//
// Every function places the king pair of the side to move after bringing that
// king into its canonical region (the a1-d1-d4 triangle without pawns, files
// a-d with pawns), then an "enumerated group" of pieces whose squares are
// numbered in lists that leave out contact checks, then the remaining pieces
// as mixed-radix digits with the squares already used squeezed out.
#include "egtb/indices.h"

#include <bit>
#include <cstdlib>
#include <utility>

#include "board/position.h"
#include "board/types.h"

const DefinitionTable definitions_tables[NB_TABLES + 1] = {
    {"", 0, 0},
    {"kpk", 81664, 84012},         {"knk", 26282, 28644},         {"kbk", 27243, 28644},
    {"krk", 27030, 28644},         {"kqk", 25629, 28644},         {"kpkp", 3863492, 3863492},
    {"knkp", 4931904, 4981504},    {"knkn", 1603202, 1603202},    {"kbkp", 5112000, 4981504},
    {"kbkn", 1661823, 1603202},    {"kbkb", 1661823, 1661823},    {"krkp", 5072736, 4981504},
    {"krkn", 1649196, 1603202},    {"krkb", 1649196, 1661823},    {"krkr", 1649196, 1649196},
    {"kqkp", 4810080, 4981504},    {"kqkn", 1563735, 1603202},    {"kqkb", 1563735, 1661823},
    {"kqkr", 1563735, 1649196},    {"kqkq", 1563735, 1563735},    {"kppk", 1806671, 1912372},
    {"knpk", 4648581, 5124732},    {"knnk", 735304, 873642},      {"kbpk", 4817128, 5124732},
    {"kbnk", 1550620, 1747284},    {"kbbk", 789885, 873642},      {"krpk", 4779530, 5124732},
    {"krnk", 1538479, 1747284},    {"krbk", 1594560, 1747284},    {"krrk", 777300, 873642},
    {"kqpk", 4533490, 5124732},    {"kqnk", 1459616, 1747284},    {"kqbk", 1512507, 1747284},
    {"kqrk", 1500276, 1747284},    {"kqqk", 698739, 873642},      {"kppkp", 84219361, 89391280},
    {"kppkn", 108400260, 115899744}, {"kppkb", 108400260, 120132000}, {"kppkr", 108400260, 119209296},
    {"kppkq", 108400260, 113036880}, {"knpkp", 219921779, 231758952}, {"knpkn", 278914860, 295914240},
    {"knpkb", 278914860, 306720000}, {"knpkr", 278914860, 304369920}, {"knpkq", 278914860, 288610560},
    {"knnkp", 137991648, 149445120}, {"knnkn", 44118240, 48096060},   {"knnkb", 44118240, 49854690},
    {"knnkr", 44118240, 49475880},   {"knnkq", 44118240, 46912050},   {"kbpkp", 227896016, 231758952},
    {"kbpkn", 289027680, 295914240}, {"kbpkb", 289027680, 306720000}, {"kbpkr", 289027680, 304369920},
    {"kbpkq", 289027680, 288610560}, {"kbnkp", 290989584, 298890240}, {"kbnkn", 93037200, 96192120},
    {"kbnkb", 93037200, 99709380},   {"kbnkr", 93037200, 98951760},   {"kbnkq", 93037200, 93824100},
    {"kbbkp", 148223520, 149445120}, {"kbbkn", 47393100, 48096060},   {"kbbkb", 47393100, 49854690},
    {"kbbkr", 47393100, 49475880},   {"kbbkq", 47393100, 46912050},   {"krpkp", 226121876, 231758952},
    {"krpkn", 286777440, 295914240}, {"krpkb", 286777440, 306720000}, {"krpkr", 286777440, 304369920},
    {"krpkq", 286777440, 288610560}, {"krnkp", 288692928, 298890240}, {"krnkn", 92308740, 96192120},
    {"krnkb", 92308740, 99709380},   {"krnkr", 92308740, 98951760},   {"krnkq", 92308740, 93824100},
    {"krbkp", 299203200, 298890240}, {"krbkn", 95673600, 96192120},   {"krbkb", 95673600, 99709380},
    {"krbkr", 95673600, 98951760},   {"krbkq", 95673600, 93824100},   {"krrkp", 145901232, 149445120},
    {"krrkn", 46658340, 48096060},   {"krrkb", 46658340, 49854690},   {"krrkr", 46658340, 49475880},
    {"krrkq", 46658340, 46912050},   {"kqpkp", 214481388, 231758952}, {"kqpkn", 272015040, 295914240},
    {"kqpkb", 272015040, 306720000}, {"kqpkr", 272015040, 304369920}, {"kqpkq", 272015040, 288610560},
    {"kqnkp", 273904512, 298890240}, {"kqnkn", 87576960, 96192120},   {"kqnkb", 87576960, 99709380},
    {"kqnkr", 87576960, 98951760},   {"kqnkq", 87576960, 93824100},   {"kqbkp", 283818240, 298890240},
    {"kqbkn", 90750420, 96192120},   {"kqbkb", 90750420, 99709380},   {"kqbkr", 90750420, 98951760},
    {"kqbkq", 90750420, 93824100},   {"kqrkp", 281568240, 298890240}, {"kqrkn", 90038460, 96192120},
    {"kqrkb", 90038460, 99709380},   {"kqrkr", 90038460, 98951760},   {"kqrkq", 90038460, 93824100},
    {"kqqkp", 131170128, 149445120}, {"kqqkn", 41944320, 48096060},   {"kqqkb", 41944320, 49854690},
    {"kqqkr", 41944320, 49475880},   {"kqqkq", 41944320, 46912050},
};

namespace {

// An internal piece type besides PION..DAME: a pawn whose attacks are ignored,
// used when the White pawns are the enumerated group of a Black-to-move table.
constexpr int PION_NEUTRE = 6;
constexpr int NB_TYPES = 7;
constexpr int16_t PAIRE_IMPOSSIBLE = 4000;
constexpr uint8_t EXCLUE = 255;

// Symmetry helpers over square numbers.
constexpr int MIROIR_COLONNES = 7;
constexpr int MIROIR_RANGEES = 56;
constexpr int reflexion(int s) { return 8 * colonne(s) + rangee(s); }
constexpr bool dans_triangle(int s) { return colonne(s) <= 3 && rangee(s) <= colonne(s); }
constexpr bool hors_diagonale(int s) { return colonne(s) != rangee(s); }
constexpr bool sous_diagonale(int s) { return colonne(s) >= rangee(s); }
constexpr bool rois_voisins(int a, int b) {
  int dc = colonne(a) - colonne(b), dr = rangee(a) - rangee(b);
  return dc >= -1 && dc <= 1 && dr >= -1 && dr <= 1;
}
constexpr uint32_t combinaisons2(uint32_t n) { return n * (n - 1) / 2; }

// Radices of the mixed-radix indices below: how many places a piece (or a
// like pair, or an en-passant capture) can take once the others are placed.
// Squares free of `occupees` other pieces.
constexpr uint32_t cases_libres(uint32_t occupees) { return 64 - occupees; }
// Pawn squares (ranks 2 to 7) free of `occupees` other pawns.
constexpr uint32_t places_pion(uint32_t occupees) { return 48 - occupees; }
// En-passant captures: 7 towards the a-file, 7 towards the h-file.
constexpr uint32_t CODES_PRISE = 14;
// The radices made of several of these, by what they count.
// A pawn beside the other side's pawn.
constexpr uint32_t PION_SAUF_UN = places_pion(1);
// Two like pawns beside the other side's pawn.
constexpr uint32_t DEUX_PIONS_SAUF_UN = combinaisons2(places_pion(1));
// Two like pawns, the other side having none.
constexpr uint32_t DEUX_PIONS = combinaisons2(places_pion(0));
// A piece beside the kings and two pawns, then a pawn beside the other
// side's pawn.
constexpr uint32_t PIECE_PUIS_PION_SAUF_UN = cases_libres(4) * places_pion(1);
// A piece beside the kings, a pawn and the other side's piece, then the pawn
// (the other side has none).
constexpr uint32_t PIECE_PUIS_PION = cases_libres(4) * places_pion(0);
// Two like pieces beside the kings and one more piece.
constexpr uint32_t DEUX_PIECES_SAUF_TROIS = combinaisons2(cases_libres(3));
// Two different pieces beside the kings and one more piece, the second
// beside the first too.
constexpr uint32_t PIECE_PUIS_PIECE_SAUF_TROIS = cases_libres(3) * cases_libres(4);
// An en-passant capture, then a piece beside the kings, the two pawns of the
// capture and the two squares the captured pawn crossed.
constexpr uint32_t PRISE_PUIS_PIECE = CODES_PRISE * cases_libres(6);
// An en-passant capture, then the third pawn beside the two pawns of the
// capture and the two squares the captured pawn crossed.
constexpr uint32_t PRISE_PUIS_PION = CODES_PRISE * places_pion(4);
static_assert(PION_SAUF_UN == 47 && DEUX_PIONS_SAUF_UN == 1081 && DEUX_PIONS == 1128 &&
              PIECE_PUIS_PION_SAUF_UN == 2820 && PIECE_PUIS_PION == 2880 && DEUX_PIECES_SAUF_TROIS == 1830 &&
              PIECE_PUIS_PIECE_SAUF_TROIS == 3660 && PRISE_PUIS_PIECE == 812 && PRISE_PUIS_PION == 616);

// The two king-pair numberings.
enum Numerotation { TRIANGLE = 0, DEMI = 1 };
constexpr int NB_PAIRES[2] = {462, 1806};

// Permitted squares of each type around an enemy king: numbered 0, 1, ... in
// increasing square order, EXCLUE where the piece would give contact check.
uint8_t case_permise[NB_TYPES][64][64];
uint8_t nb_permises[NB_TYPES][64];
// Start offsets per king pair of every enumerated group (single type: second
// type 0), and the group's total as the entry after the last pair.
uint32_t* debut_groupe[2][NB_TYPES][NB_TYPES];
bool indices_prets = false;

bool attaque_contact(int type, int s, int roi) {
  int dc = colonne(roi) - colonne(s), dr = rangee(roi) - rangee(s);
  int adc = std::abs(dc), adr = std::abs(dr);
  switch (type) {
    case PION: return dr == 1 && adc == 1;  // a White pawn captures upwards
    case CAVALIER: return (adc == 1 && adr == 2) || (adc == 2 && adr == 1);
    case FOU: return adc == 1 && adr == 1;
    case TOUR: return adc + adr == 1;
    case DAME: return adc <= 1 && adr <= 1;
    default: return false;
  }
}

void construit_cases_permises() {
  for (int type = PION; type < NB_TYPES; ++type)
    for (int roi = 0; roi < 64; ++roi) {
      int n = 0;
      for (int s = 0; s < 64; ++s) {
        bool permise = s != roi && !attaque_contact(type, s, roi);
        if ((type == PION || type == PION_NEUTRE) && (s < 8 || s >= 56)) permise = false;
        case_permise[type][roi][s] = permise ? static_cast<uint8_t>(n++) : EXCLUE;
      }
      nb_permises[type][roi] = static_cast<uint8_t>(n);
    }
}

void construit_paires() {
  int tri = 0, demi = 0;
  for (int k1 = 0; k1 < 64; ++k1)
    for (int k2 = 0; k2 < 64; ++k2) {
      paires_rois[k1][k2] = PAIRE_IMPOSSIBLE;
      paires_rois_pions[k1][k2] = PAIRE_IMPOSSIBLE;
      if (k1 == k2 || rois_voisins(k1, k2)) continue;
      if (dans_triangle(k1) && (hors_diagonale(k1) || sous_diagonale(k2)))
        paires_rois[k1][k2] = static_cast<int16_t>(tri++);
      if (colonne(k1) <= 3) paires_rois_pions[k1][k2] = static_cast<int16_t>(demi++);
    }
}

// Number of permitted squares of `type` for the enemy king k2, the own king
// k1 taken out when it stands on one of them.
inline uint32_t nb_places(int type, int k1, int k2) {
  return nb_permises[type][k2] - (case_permise[type][k2][k1] != EXCLUE);
}
// Rank of square s among those places.
inline uint32_t rang_place(int type, int k1, int k2, int s) {
  return case_permise[type][k2][s] - (case_permise[type][k2][k1] != EXCLUE && k1 < s);
}

uint32_t places_groupe(int t1, int t2, int k1, int k2) {
  uint32_t a = nb_places(t1, k1, k2);
  if (t2 == 0) return a;
  if (t1 == t2) return combinaisons2(a);
  return a * nb_places(t2, k1, k2);
}

void construit_debuts() {
  for (int num = 0; num < 2; ++num)
    for (int t1 = PION; t1 < NB_TYPES; ++t1)
      for (int t2 = 0; t2 < NB_TYPES; ++t2) {
        uint32_t* debut = new uint32_t[NB_PAIRES[num] + 1];
        uint32_t somme = 0;
        int j = 0;
        for (int k1 = 0; k1 < 64; ++k1)
          for (int k2 = 0; k2 < 64; ++k2) {
            int p = num == TRIANGLE ? paires_rois[k1][k2] : paires_rois_pions[k1][k2];
            if (p == PAIRE_IMPOSSIBLE) continue;
            debut[j++] = somme;
            somme += places_groupe(t1, t2, k1, k2);
          }
        debut[j] = somme;
        debut_groupe[num][t1][t2] = debut;
      }
}

// Square s with the squares of `autres` below it squeezed out.
inline uint32_t sans(int s, int a) { return static_cast<uint32_t>(s - (a < s)); }
inline uint32_t sans(int s, int a, int b) { return static_cast<uint32_t>(s - (a < s) - (b < s)); }
inline uint32_t sans(int s, int a, int b, int c) {
  return static_cast<uint32_t>(s - (a < s) - (b < s) - (c < s));
}
inline uint32_t sans(int s, int a, int b, int c, int d) {
  return static_cast<uint32_t>(s - (a < s) - (b < s) - (c < s) - (d < s));
}
inline uint32_t sans(int s, int a, int b, int c, int d, int e, int f) {
  return static_cast<uint32_t>(s - (a < s) - (b < s) - (c < s) - (d < s) - (e < s) - (f < s));
}
inline void ordonne(int& a, int& b) {
  if (a > b) std::swap(a, b);
}

// Entry of an enumerated group: start of the king pair plus the placement's
// local number. For two pieces of one type s1 and s2 may come in any order.
inline uint32_t groupe(int num, int t1, int t2, int k1, int k2, int s1, int s2) {
  int paire = num == TRIANGLE ? paires_rois[k1][k2] : paires_rois_pions[k1][k2];
  uint32_t base = debut_groupe[num][t1][t2][paire];
  if (t2 == 0) return base + rang_place(t1, k1, k2, s1);
  if (t1 == t2) {
    ordonne(s1, s2);
    return base + combinaisons2(rang_place(t1, k1, k2, s2)) + rang_place(t1, k1, k2, s1);
  }
  return base + rang_place(t1, k1, k2, s1) * nb_places(t2, k1, k2) + rang_place(t2, k1, k2, s2);
}
inline uint32_t total_groupe(int num, int t1, int t2) { return debut_groupe[num][t1][t2][NB_PAIRES[num]]; }

// Code of the en-passant capture by the pawn on `preneur` onto `ep`: 0..6
// towards the a-file, 7..13 towards the h-file.
inline uint32_t code_prise(int preneur, int ep) {
  return colonne(ep) < colonne(preneur) ? colonne(preneur) - 1 : colonne(preneur) + 7;
}
inline bool peut_prendre_blanc(int pion, int ep) {
  return (pion + 7 == ep && colonne(pion) != 0) || (pion + 9 == ep && colonne(pion) != 7);
}

struct Ensemble {
  int x, y, z;  // the table's White pieces x >= y (y 0: none), Black's piece z (0: none)
};

constexpr int type_lettre(char c) {
  return c == 'p' ? PION : c == 'n' ? CAVALIER : c == 'b' ? FOU : c == 'r' ? TOUR : c == 'q' ? DAME : 0;
}
constexpr Ensemble ensemble_de(const char* nom) {
  Ensemble e{0, 0, 0};
  int i = 1;
  if (nom[i] != 'k') e.x = type_lettre(nom[i++]);
  if (nom[i] != 'k') e.y = type_lettre(nom[i++]);
  ++i;
  if (nom[i] != 0) e.z = type_lettre(nom[i]);
  return e;
}

// The index computation shared by all members; `n` and `camp` are constants
// in every member, so each member is compiled into its own straight path.
inline uint32_t calcule_indice(int n, int camp, const int32_t* blancs, const int32_t* noirs, int32_t ep,
                               int32_t inversion) {
  const Ensemble e = ensemble_de(definitions_tables[n].nom);
  const bool pions = e.x == PION || e.y == PION || e.z == PION;
  int wk = blancs[0], bk = noirs[0];
  int w1 = e.x ? blancs[4 * e.x] : 0;
  int w2 = e.y ? blancs[4 * e.y + (e.y == e.x)] : 0;
  int b1 = e.z ? noirs[4 * e.z] : 0;
  if (e.y == 0 && e.z == 0) w2 = b1 = 0;
  // Kings together or in contact have no entry; keep such input out of the
  // tables rather than reading a king-pair table out of range.
  if (wk == bk || rois_voisins(wk, bk)) return UINT32_MAX;
  bool avec_ep = ep >= 0 && ep < 64 && e.z == PION && (e.x == PION || e.y == PION);

  // Canonical orientation, decided by the king of the side to move.
  const int ks = camp == BLANCS ? wk : bk;
  int masque;
  if (pions) {
    masque = (colonne(ks) >= 4 ? MIROIR_COLONNES : 0) ^ (inversion ? MIROIR_RANGEES : 0);
  } else {
    masque = (colonne(ks) >= 4 ? MIROIR_COLONNES : 0) ^ (rangee(ks) >= 4 ? MIROIR_RANGEES : 0);
  }
  wk ^= masque, bk ^= masque, w1 ^= masque, w2 ^= masque, b1 ^= masque;
  if (avec_ep) ep ^= masque;
  if (!pions) {
    int k1 = camp == BLANCS ? wk : bk, k2 = camp == BLANCS ? bk : wk;
    if (!(dans_triangle(k1) && (hors_diagonale(k1) || sous_diagonale(k2)))) {
      wk = reflexion(wk), bk = reflexion(bk), w1 = reflexion(w1), w2 = reflexion(w2), b1 = reflexion(b1);
    }
  }
  const int num = pions ? DEMI : TRIANGLE;
  constexpr int R = MIROIR_RANGEES;

  if (e.y == 0 && e.z == 0) {  // K+X v K
    if (camp == BLANCS) return groupe(num, e.x, 0, wk, bk, w1, 0);
    if (e.x == PION) return groupe(DEMI, PION_NEUTRE, 0, bk ^ R, wk ^ R, w1 ^ R, 0);
    return paires_rois[bk][wk] * cases_libres(2) + sans(w1, wk, bk);
  }

  if (e.y != 0 && e.z == 0) {  // K+X+Y v K
    if (camp == BLANCS) return groupe(num, e.x, e.y, wk, bk, w1, w2);
    if (e.x == PION) return groupe(DEMI, PION_NEUTRE, PION_NEUTRE, bk ^ R, wk ^ R, w1 ^ R, w2 ^ R);
    if (e.y == PION)
      return groupe(DEMI, PION_NEUTRE, 0, bk ^ R, wk ^ R, w2 ^ R, 0) * cases_libres(3) + sans(w1, wk, bk, w2);
    if (e.x == e.y) {
      ordonne(w1, w2);
      return paires_rois[bk][wk] * combinaisons2(cases_libres(2)) + combinaisons2(sans(w2, wk, bk)) +
             sans(w1, wk, bk);
    }
    return paires_rois[bk][wk] * cases_libres(2) * cases_libres(3) + sans(w1, wk, bk) * cases_libres(3) +
           sans(w2, wk, bk, w1);
  }

  if (e.y == 0) {  // K+X v K+Z
    const int y = e.z;
    if (camp == BLANCS) {
      if (e.x == PION) {
        if (avec_ep)
          return total_groupe(DEMI, PION, 0) * PION_SAUF_UN + paires_rois_pions[wk][bk] * CODES_PRISE +
                 code_prise(w1, ep);
        return groupe(DEMI, PION, 0, wk, bk, w1, 0) * PION_SAUF_UN + sans(b1, w1) - 8;
      }
      if (y == PION) return groupe(DEMI, e.x, 0, wk, bk, w1, 0) * places_pion(0) + (b1 - 8);
      return groupe(TRIANGLE, e.x, 0, wk, bk, w1, 0) * cases_libres(3) + sans(b1, wk, bk, w1);
    }
    if (e.x == PION) {
      if (avec_ep)
        return total_groupe(DEMI, PION, 0) * PION_SAUF_UN + paires_rois_pions[bk][wk] * CODES_PRISE +
               code_prise(b1, ep);
      return groupe(DEMI, PION, 0, bk ^ R, wk ^ R, b1 ^ R, 0) * PION_SAUF_UN + sans(w1, b1) - 8;
    }
    if (y == PION) return groupe(DEMI, PION, 0, bk ^ R, wk ^ R, b1 ^ R, 0) * cases_libres(3) + sans(w1, wk, bk, b1);
    return groupe(TRIANGLE, y, 0, bk, wk, b1, 0) * cases_libres(3) + sans(w1, wk, bk, b1);
  }

  // K+X+Y v K+Z
  if (camp == BLANCS) {
    if (e.z == PION) {
      if (e.x == PION) {
        if (avec_ep) {
          ordonne(w1, w2);
          uint32_t q, c;
          if (peut_prendre_blanc(w1, ep)) {
            c = code_prise(w1, ep);
            q = sans(w2, b1, ep, ep + 8) - 9;
          } else {
            c = code_prise(w2, ep);
            q = sans(w1, b1, ep, ep + 8) - 8;
          }
          return total_groupe(DEMI, PION, PION) * places_pion(2) +
                 paires_rois_pions[wk][bk] * PRISE_PUIS_PION + c + CODES_PRISE * q;
        }
        ordonne(w1, w2);
        return groupe(DEMI, PION, PION, wk, bk, w1, w2) * places_pion(2) + sans(b1, w1, w2) - 8;
      }
      if (e.y == PION) {
        if (avec_ep)
          return total_groupe(DEMI, e.x, PION) * PION_SAUF_UN + groupe(DEMI, e.x, 0, wk, bk, w1, 0) * CODES_PRISE +
                 code_prise(w2, ep);
        return groupe(DEMI, e.x, PION, wk, bk, w1, w2) * PION_SAUF_UN + sans(b1, w2) - 8;
      }
      return groupe(DEMI, e.x, e.y, wk, bk, w1, w2) * places_pion(0) + (b1 - 8);
    }
    return groupe(num, e.x, e.y, wk, bk, w1, w2) * cases_libres(4) + sans(b1, wk, bk, w1, w2);
  }
  if (e.z == PION) {
    if (e.x == PION) {
      ordonne(w1, w2);
      if (avec_ep) {
        uint32_t q = w1 == ep + 8 ? sans(w2, b1, ep, ep - 8) - 9 : sans(w1, b1, ep, ep - 8) - 8;
        return total_groupe(DEMI, PION, 0) * DEUX_PIONS_SAUF_UN + paires_rois_pions[bk][wk] * PRISE_PUIS_PION +
               code_prise(b1, ep) + CODES_PRISE * q;
      }
      return groupe(DEMI, PION, 0, bk ^ R, wk ^ R, b1 ^ R, 0) * DEUX_PIONS_SAUF_UN + combinaisons2(sans(w2, b1) - 8) +
             (sans(w1, b1) - 8);
    }
    if (e.y == PION) {
      if (avec_ep)
        return total_groupe(DEMI, PION, 0) * PIECE_PUIS_PION_SAUF_UN + paires_rois_pions[bk][wk] * PRISE_PUIS_PIECE +
               sans(w1, wk, bk, w2, b1, ep, ep - 8) * CODES_PRISE + code_prise(b1, ep);
      return groupe(DEMI, PION, 0, bk ^ R, wk ^ R, b1 ^ R, 0) * PIECE_PUIS_PION_SAUF_UN +
             sans(w1, wk, bk, w2, b1) * PION_SAUF_UN + (sans(w2, b1) - 8);
    }
    if (e.x == e.y) {
      ordonne(w1, w2);
      return groupe(DEMI, PION, 0, bk ^ R, wk ^ R, b1 ^ R, 0) * DEUX_PIECES_SAUF_TROIS +
             combinaisons2(sans(w2, wk, bk, b1)) + sans(w1, wk, bk, b1);
    }
    return groupe(DEMI, PION, 0, bk ^ R, wk ^ R, b1 ^ R, 0) * PIECE_PUIS_PIECE_SAUF_TROIS +
           sans(w1, wk, bk, b1) * cases_libres(4) + sans(w2, wk, bk, w1, b1);
  }
  if (e.x == PION) {
    ordonne(w1, w2);
    return groupe(DEMI, e.z, 0, bk, wk, b1, 0) * DEUX_PIONS + combinaisons2(w2 - 8) + (w1 - 8);
  }
  if (e.y == PION)
    return groupe(DEMI, e.z, 0, bk, wk, b1, 0) * PIECE_PUIS_PION + sans(w1, wk, bk, w2, b1) * places_pion(0) +
           (w2 - 8);
  if (e.x == e.y) {
    ordonne(w1, w2);
    return groupe(TRIANGLE, e.z, 0, bk, wk, b1, 0) * DEUX_PIECES_SAUF_TROIS + combinaisons2(sans(w2, wk, bk, b1)) +
           sans(w1, wk, bk, b1);
  }
  return groupe(TRIANGLE, e.z, 0, bk, wk, b1, 0) * PIECE_PUIS_PIECE_SAUF_TROIS +
         sans(w1, wk, bk, b1) * cases_libres(4) + sans(w2, wk, bk, w1, b1);
}

template <int N, int CAMP>
uint32_t indice_table(const int32_t* blancs, const int32_t* noirs, int32_t ep, int32_t inversion) {
  return calcule_indice(N, CAMP, blancs, noirs, ep, inversion);
}

template <std::size_t... I>
constexpr auto fabrique_fonctions(std::index_sequence<I...>) {
  struct Paires {
    FonctionIndice f[NB_TABLES + 1][2];
  } p{{{nullptr, nullptr}, {indice_table<I + 1, BLANCS>, indice_table<I + 1, NOIRS>}...}};
  return p;
}
constexpr auto fonctions = fabrique_fonctions(std::make_index_sequence<NB_TABLES>{});

}  // namespace

int16_t paires_rois[64][64];
int16_t paires_rois_pions[64][64];

FonctionIndice fonction_indice(int n, int camp) {
  if (n < 1 || n > NB_TABLES) return nullptr;
  return fonctions.f[n][camp & 1];
}

void initialise_indices() {
  if (indices_prets) return;
  construit_paires();
  construit_cases_permises();
  construit_debuts();
  indices_prets = true;
}

namespace {

// The slots of one piece type, squares ascending (square s is bit 63 - s, so
// the leading zeros give the lowest square).
void remplit(int32_t* liste, int type, Bitboard b) {
  for (int slot = 4 * type; b && slot < 4 * type + 4; ++slot) {
    const int s = std::countl_zero(b);
    liste[slot] = s;
    b &= ~(Bitboard(1) << (63 - s));
  }
}

}  // namespace

void listes_depuis_position(int32_t blancs[24], int32_t noirs[24]) {
  const Position& p = position;
  const Bitboard pieces[10] = {p.pions_blancs, p.cavaliers_blancs, p.fous_blancs, p.tours_blanches,
                               p.dames_blanches, p.pions_noirs, p.cavaliers_noirs, p.fous_noirs,
                               p.tours_noires, p.dames_noires};
  blancs[0] = p.roi_blanc;
  noirs[0] = p.roi_noir;
  for (int type = 1; type <= 5; ++type) {
    remplit(blancs, type, pieces[type - 1]);
    remplit(noirs, type, pieces[type + 4]);
  }
}
