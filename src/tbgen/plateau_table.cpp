// Set material on the search board and the entry numbers of board positions.
#include "tbgen/plateau_table.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "board/cles.h"
#include "board/joue_camp.h"
#include "board/position.h"
#include "movegen/attaques.h"
#include "movegen/bitboard.h"

namespace {

int type_lettre(char c) {
  return c == 'p' ? PION : c == 'n' ? CAVALIER : c == 'b' ? FOU : c == 'r' ? TOUR : c == 'q' ? DAME : 0;
}

// Piece counts (White's pawns..queens, then Black's) in base 4: no set has
// more than three of one kind.
int cle_comptes(const int comptes[10]) {
  int cle = 0;
  for (int i = 0; i < 10; ++i) cle = cle * 4 + std::min(comptes[i], 3);
  return cle;
}
constexpr int NB_CLES = 1 << 20;
int16_t table_de_cle[NB_CLES];
bool cles_pretes = false;

void comptes_nom(const char* nom, int comptes[10]) {
  std::fill(comptes, comptes + 10, 0);
  int cote = -1;
  for (const char* p = nom; *p; ++p) {
    if (*p == 'k') ++cote;
    else ++comptes[5 * cote + type_lettre(*p) - 1];
  }
}

void prepare_cles() {
  if (cles_pretes) return;
  // The set's own colours first; the exchanged colours only where no set
  // has the material as named (kpkp and the one-file sets keep +n).
  for (int n = 1; n <= NB_TABLES; ++n) {
    int c[10];
    comptes_nom(definitions_tables[n].nom, c);
    table_de_cle[cle_comptes(c)] = int16_t(n);
  }
  for (int n = 1; n <= NB_TABLES; ++n) {
    int c[10];
    comptes_nom(definitions_tables[n].nom, c);
    for (int i = 0; i < 5; ++i) std::swap(c[i], c[i + 5]);
    int16_t& t = table_de_cle[cle_comptes(c)];
    if (t == 0) t = int16_t(-n);
  }
  cles_pretes = true;
}

Bitboard& bitboard_type(int camp, int type) {
  Position& P = position;
  switch (type) {
    case PION: return camp == BLANCS ? P.pions_blancs : P.pions_noirs;
    case CAVALIER: return camp == BLANCS ? P.cavaliers_blancs : P.cavaliers_noirs;
    case FOU: return camp == BLANCS ? P.fous_blancs : P.fous_noirs;
    case TOUR: return camp == BLANCS ? P.tours_blanches : P.tours_noires;
    default: return camp == BLANCS ? P.dames_blanches : P.dames_noires;
  }
}

// The 24-slot lists of a position (slot 0 the king, 4 per type from slot 4,
// squares ascending within a type). Only the slots of the set are written.
void listes_cases(const MaterielTable& m, const int8_t* cases, int32_t blancs[24], int32_t noirs[24]) {
  blancs[0] = cases[0];
  noirs[0] = cases[1];
  for (int k = 2; k < m.nb; ++k) {
    int32_t* liste = m.pieces[k].camp == BLANCS ? blancs : noirs;
    const int slot = 4 * m.pieces[k].type;
    const bool second = m.pieces[k - 1].camp == m.pieces[k].camp && m.pieces[k - 1].type == m.pieces[k].type;
    if (!second) {
      liste[slot] = cases[k];
    } else {
      liste[slot] = std::min(cases[k - 1], cases[k]);
      liste[slot + 1] = std::max(cases[k - 1], cases[k]);
    }
  }
}

}  // namespace

int numero_table_nom(const char* nom) {
  for (int n = 1; n <= NB_TABLES; ++n)
    if (std::strcmp(nom, definitions_tables[n].nom) == 0) return n;
  return 0;
}

MaterielTable materiel_table(int n) {
  MaterielTable m{};
  m.n = n;
  m.pieces[0] = {BLANCS, ROI};
  m.pieces[1] = {NOIRS, ROI};
  m.nb = 2;
  int cote = -1;
  for (const char* p = definitions_tables[n].nom; *p; ++p) {
    if (*p == 'k') {
      ++cote;
      continue;
    }
    m.pieces[m.nb++] = {int8_t(cote), int8_t(type_lettre(*p))};
    if (*p == 'p') m.pions = true;
  }
  m.une_face = n == 8 || n == 11 || n == 15 || n == 20;
  return m;
}

int table_plateau() {
  prepare_cles();
  const Position& P = position;
  const Bitboard b[10] = {P.pions_blancs, P.cavaliers_blancs, P.fous_blancs, P.tours_blanches, P.dames_blanches,
                          P.pions_noirs,  P.cavaliers_noirs,  P.fous_noirs,  P.tours_noires,   P.dames_noires};
  int comptes[10];
  int total = 0;
  for (int i = 0; i < 10; ++i) total += comptes[i] = std::popcount(b[i]);
  if (total == 0 || total > 3) return 0;
  return table_de_cle[cle_comptes(comptes)];
}

void vide_plateau() {
  static bool pret = false;
  if (!pret) {
    initialise_cles();
    init_tables();
    initialise_diagonales();
    initialise_indices();
    pret = true;
  }
  std::memset(position.cases, 0, sizeof position.cases);
  position_calcule();
  for (EtatPly& e : position.etats) e = EtatPly{AUCUNE_CASE, 0, 0, 0, 0};
}

void bascule_piece(int camp, int type, int s) {
  Position& P = position;
  const Bitboard m = masque_case[s];
  const bool pose = P.cases[s] == 0;
  P.cases[s] = pose ? int8_t(camp == BLANCS ? type : -type) : 0;
  (camp == BLANCS ? P.occupation_blancs : P.occupation_noirs) ^= m;
  if (type == ROI) {
    if (pose) (camp == BLANCS ? P.roi_blanc : P.roi_noir) = uint8_t(s);
    return;
  }
  bitboard_type(camp, type) ^= m;
  if (type == FOU || type == DAME) P.diagonales ^= m;
  if (type == TOUR || type == DAME) P.lignes ^= m;
}

uint32_t indice_cases(const MaterielTable& m, int camp, const int8_t* cases, int ep) {
  // The index function reads only the slots of the set's pieces.
  int32_t blancs[24], noirs[24];
  listes_cases(m, cases, blancs, noirs);
  return fonction_indice(m.n, camp)(blancs, noirs, ep, 0);
}

uint32_t indice_primaire(const MaterielTable& m, int camp, const int8_t* cases, int ep) {
  const uint32_t indice = indice_cases(m, camp, cases, ep);
  const int wk = cases[0], bk = cases[1];
  const bool diagonale = (colonne(wk) == rangee(wk) && colonne(bk) == rangee(bk)) ||
                         (colonne(wk) + rangee(wk) == 7 && colonne(bk) + rangee(bk) == 7);
  if (!diagonale || m.pions) return indice;
  // The file and rank mirrors keep the entry; the diagonal reflection may not.
  int8_t reflet[PIECES_MAX];
  for (int k = 0; k < m.nb; ++k) reflet[k] = int8_t(8 * colonne(cases[k]) + rangee(cases[k]));
  return std::min(indice, indice_cases(m, camp, reflet, ep));
}

int cases_en_passant(int camp, int eps[2]) {
  const int autre = camp ^ 1;
  const int8_t pion_camp = int8_t(camp == BLANCS ? PION : -PION);
  const int pas = autre == BLANCS ? 8 : -8;
  const int roi = camp == BLANCS ? position.roi_blanc : position.roi_noir;
  int nb = 0;
  Bitboard pions = bitboard_type(autre, PION);
  while (pions && nb < 2) {
    const int p = std::countl_zero(pions);
    pions &= ~(Bitboard(1) << (63 - p));
    if (rangee(p) != (autre == BLANCS ? 3 : 4)) continue;
    if (position.cases[p - pas] != 0 || position.cases[p - 2 * pas] != 0) continue;
    const bool voisin = (colonne(p) > 0 && position.cases[p - 1] == pion_camp) ||
                        (colonne(p) < 7 && position.cases[p + 1] == pion_camp);
    if (!voisin) continue;
    bascule_piece(autre, PION, p);
    bascule_piece(autre, PION, p - 2 * pas);
    const bool avant_legal = !est_attaquee(roi, autre);
    bascule_piece(autre, PION, p - 2 * pas);
    bascule_piece(autre, PION, p);
    if (avant_legal) eps[nb++] = p - pas;
  }
  return nb;
}

int en_passant_effectif(int camp, int arrivee) {
  const int8_t pion_camp = int8_t(camp == BLANCS ? PION : -PION);
  const bool voisin = (colonne(arrivee) > 0 && position.cases[arrivee - 1] == pion_camp) ||
                      (colonne(arrivee) < 7 && position.cases[arrivee + 1] == pion_camp);
  if (!voisin) return EP_AUCUN;
  return camp == NOIRS ? arrivee - 8 : arrivee + 8;
}
