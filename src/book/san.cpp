#include "book/san.h"

#include <cstring>

#include "board/position.h"
#include "board/cles.h"
#include "board/joue.h"
#include "movegen/bitboard.h"
#include "movegen/attaques.h"
#include "movegen/generation.h"

namespace {

int type_de_lettre(char c) {
  switch (c) {
    case 'N': return CAVALIER;
    case 'B': return FOU;
    case 'R': return TOUR;
    case 'Q': return DAME;
    case 'K': return ROI;
    default: return 0;
  }
}

// The move a SAN text asks for, before it is matched with the legal moves.
struct Demande {
  int piece = PION;
  int destination = -1;
  int colonne_origine = -1;  // disambiguation, -1 = any
  int rangee_origine = -1;
  int promotion = 0;
};

bool lit_roque(const char* t, int camp, Demande& d) {
  // "O-O", "O-O-O" and their forms with zeros.
  int tirets = 0, lettres = 0;
  const char* p = t;
  for (; *p == 'O' || *p == '0' || *p == '-'; p++) (*p == '-' ? tirets : lettres)++;
  if (p == t || *p != '\0') return false;
  const int rang = camp == BLANCS ? 0 : 7;
  d.piece = ROI;
  d.colonne_origine = 4;
  d.rangee_origine = rang;
  if (lettres == 2 && tirets == 1) d.destination = case_de(6, rang);
  if (lettres == 3 && tirets == 2) d.destination = case_de(2, rang);
  return d.destination >= 0;
}

bool lit_demande(const char* san, int camp, Demande& d) {
  char t[16];
  size_t n = 0;
  // Keep the letters, digits and '=' that carry the move; drop check marks,
  // annotations, capture signs and "e.p.".
  for (const char* p = san; *p && n + 1 < sizeof t; p++) {
    const char c = *p;
    if (c == '+' || c == '#' || c == '!' || c == '?' || c == 'x' || c == ':') continue;
    if (c == 'e' && std::strcmp(p, "e.p.") == 0) break;
    t[n++] = c;
  }
  t[n] = '\0';
  if (n == 0) return false;
  if (t[0] == 'O' || t[0] == '0') return lit_roque(t, camp, d);

  size_t i = 0;
  if (type_de_lettre(t[0])) d.piece = type_de_lettre(t[i++]);
  else if (t[0] == 'P') i++;
  // Promotion at the end: "=Q" or a bare piece letter after the rank.
  if (n >= 2 && type_de_lettre(t[n - 1]) && t[n - 1] != 'K') {
    d.promotion = type_de_lettre(t[n - 1]);
    n--;
    if (t[n - 1] == '=') n--;
  }
  // The destination is the last file-rank pair; what stands between the
  // piece letter and it disambiguates the origin ("Nbd7", "R1e2", "Ng1-f3").
  if (n < i + 2) return false;
  const char col = t[n - 2], rang = t[n - 1];
  if (col < 'a' || col > 'h' || rang < '1' || rang > '8') return false;
  d.destination = case_de(col - 'a', rang - '1');
  for (size_t j = i; j < n - 2; j++) {
    const char c = t[j];
    if (c >= 'a' && c <= 'h') d.colonne_origine = c - 'a';
    else if (c >= '1' && c <= '8') d.rangee_origine = c - '1';
    else if (c != '-') return false;
  }
  if (d.promotion && d.piece != PION) return false;
  return true;
}

}  // namespace

void initialise_plateau() {
  // The tables never change once filled; a program that builds several
  // times in one run (the fuzzing harnesses) fills them once.
  static bool tables_pretes = false;
  if (!tables_pretes) {
    initialise_cles();
    init_tables();
    initialise_diagonales();
    tables_pretes = true;
  }
  position_depart();
}

void prepare_rejeu() {
  partie_initialise(partie, position_initiale, BLANCS);
  partie_vers_position(partie);
  debut_liste[0] = pile_coups;
}

Coup coup_depuis_san(const char* san, int camp, int ply) {
  Demande d;
  if (!lit_demande(san, camp, d)) return 0;
  genere_coups(camp, ply);
  Coup trouve = 0;
  int nb = 0;
  for (Coup* c = debut_liste[ply]; c < debut_liste[ply + 1]; c++) {
    const Coup m = *c;
    if (piece_jouee(m) != d.piece || destination(m) != d.destination) continue;
    if (d.colonne_origine >= 0 && colonne(origine(m)) != d.colonne_origine) continue;
    if (d.rangee_origine >= 0 && rangee(origine(m)) != d.rangee_origine) continue;
    // A promotion written without its piece is taken as a queen.
    const int promo = d.promotion ? d.promotion : (promotion(m) ? DAME : 0);
    if (promotion(m) != promo) continue;
    joue(camp, ply, m);
    const bool legal = !en_echec(camp);
    dejoue(camp, ply, m);
    if (!legal) continue;
    trouve = m;
    nb++;
  }
  return nb == 1 ? trouve : 0;
}
