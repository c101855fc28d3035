// Reading a FEN (placement, side to move, castling, en passant) into the
// start fields of the game record. The whole text is checked before anything
// is stored, so a refused FEN leaves the game record as it was.
#include "movegen/fen.h"

#include <cstring>
#include <initializer_list>

#include "board/position.h"
#include "movegen/attaques.h"

const char* erreur_fen = "";

namespace {

bool blanc(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

int code_lettre(char c) {
  const char* lettres = "PNBRQKpnbrqk";
  const char* trouve = c != 0 ? std::strchr(lettres, c) : nullptr;
  if (!trouve) return 0;
  const int i = static_cast<int>(trouve - lettres);
  return i < 6 ? i + 1 : -(i - 5);
}

// Whether the side not to move stands in check (its king could be taken).
// Checked on the search board, which is put back as it was.
bool roi_en_prise(const int32_t placement[64], int trait) {
  static Position sauvegarde;
  sauvegarde = position;
  for (int s = 0; s < 64; ++s) position.cases[s] = static_cast<int8_t>(placement[s]);
  position_calcule();
  const int roi = trait == BLANCS ? position.roi_noir : position.roi_blanc;
  const bool en_prise = est_attaquee(roi, trait) != 0;
  position = sauvegarde;
  return en_prise;
}

// Chess960 castling field, from `c` up to its end (which `c` is left on):
// Shredder-FEN letters name the file of the rook (HAha), X-FEN's KQkq the
// outermost rook on that side of the king. Fills the rights and the rook
// squares (64 where there is no right); returns why the field is refused,
// or null.
const char* lit_roques960(const char*& c, const int32_t placement[64], uint8_t* roque_blancs,
                          uint8_t* roque_noirs, uint8_t tours[2][2]) {
  tours[0][0] = tours[0][1] = tours[1][0] = tours[1][1] = AUCUNE_CASE;
  for (; *c != 0 && !blanc(*c) && *c != '('; ++c) {
    if (*c == '-') continue;
    const bool majuscule = *c >= 'A' && *c <= 'Z';
    const char lettre = majuscule ? static_cast<char>(*c - 'A' + 'a') : *c;
    if (lettre != 'k' && lettre != 'q' && (lettre < 'a' || lettre > 'h'))
      return "caractere inconnu dans le champ des roques";
    const int camp = majuscule ? BLANCS : NOIRS;
    const int rang = camp == BLANCS ? 0 : 7;
    const int32_t roi = camp == BLANCS ? ROI : -ROI, tour = camp == BLANCS ? TOUR : -TOUR;
    int col_roi = -1;
    for (int col = 0; col < 8; ++col)
      if (placement[case_de(col, rang)] == roi) col_roi = col;
    if (col_roi < 0) return "droit de roque sans roi sur la premiere rangee";
    int col_tour = -1;
    if (lettre == 'k') {
      for (int col = 7; col > col_roi && col_tour < 0; --col)
        if (placement[case_de(col, rang)] == tour) col_tour = col;
    } else if (lettre == 'q') {
      for (int col = 0; col < col_roi && col_tour < 0; ++col)
        if (placement[case_de(col, rang)] == tour) col_tour = col;
    } else if (placement[case_de(lettre - 'a', rang)] == tour) {
      col_tour = lettre - 'a';
    }
    if (col_tour < 0 || col_tour == col_roi) return "droit de roque sans tour sur sa colonne";
    const int cote = col_tour > col_roi ? 0 : 1;
    uint8_t& droits = camp == BLANCS ? *roque_blancs : *roque_noirs;
    if ((droits & (1 << cote)) && tours[camp][cote] != case_de(col_tour, rang))
      return "deux tours pour le meme roque : le roi n'est pas entre ses tours";
    droits = static_cast<uint8_t>(droits | (1 << cote));
    tours[camp][cote] = static_cast<uint8_t>(case_de(col_tour, rang));
  }
  return nullptr;
}

int refuse(const char* raison) {
  erreur_fen = raison;
  return 0;
}

}  // namespace

int lit_fen(const char* texte) {
  if (texte == nullptr) return refuse("FEN vide");
  const char* c = texte;
  while (blanc(*c)) ++c;

  // Placement, rank 8 down to rank 1.
  int32_t placement[64] = {};
  int rang = 7, col = 0;
  for (;; ++c) {
    if (*c == 0 || blanc(*c)) break;
    if (*c == '/' || *c == ';') {
      if (col != 8) return refuse("une rangee n'a pas huit colonnes");
      if (--rang < 0) return refuse("plus de huit rangees");
      col = 0;
    } else if (*c >= '1' && *c <= '8') {
      col += *c - '0';
      if (col > 8) return refuse("plus de huit colonnes dans une rangee");
    } else if (int p = code_lettre(*c); p != 0) {
      if (col >= 8) return refuse("plus de huit colonnes dans une rangee");
      placement[case_de(col++, rang)] = p;
    } else {
      return refuse("caractere inconnu dans le placement");
    }
  }
  if (rang != 0 || col != 8) return refuse("le placement n'a pas huit rangees de huit colonnes");

  int rois_blancs = 0, rois_noirs = 0;
  for (int s = 0; s < 64; ++s) {
    if (placement[s] == ROI) rois_blancs++;
    if (placement[s] == -ROI) rois_noirs++;
    if ((placement[s] == PION || placement[s] == -PION) && (rangee(s) == 0 || rangee(s) == 7))
      return refuse("pion sur la premiere ou la derniere rangee");
  }
  if (rois_blancs != 1 || rois_noirs != 1) return refuse("il faut exactement un roi de chaque camp");
  // No more pieces than promotions allow: the move lists are sized for real games.
  for (int signe : {1, -1}) {
    int nombre[7] = {};
    for (int s = 0; s < 64; ++s)
      if (placement[s] * signe > 0) nombre[placement[s] * signe]++;
    auto exces = [](int n, int normal) { return n > normal ? n - normal : 0; };
    const int promus = exces(nombre[CAVALIER], 2) + exces(nombre[FOU], 2) + exces(nombre[TOUR], 2) +
                       exces(nombre[DAME], 1);
    if (nombre[PION] + promus > 8) return refuse("trop de pieces pour un camp");
  }

  // Side to move.
  while (blanc(*c)) ++c;
  int trait;
  if (*c == 'w' || *c == 'W')
    trait = BLANCS;
  else if (*c == 'b' || *c == 'B')
    trait = NOIRS;
  else
    return refuse("trait absent ou inconnu");
  ++c;
  if (!blanc(*c)) return refuse("champ des roques absent");
  while (blanc(*c)) ++c;

  // Castling: a letter whose king or rook is not at home grants nothing.
  if (*c == 0) return refuse("champ des roques absent");
  uint8_t roque_blancs = 0, roque_noirs = 0;
  uint8_t tours[2][2] = {{H1, A1}, {H8, A8}};
  if (chess960_demande) {
    const char* raison = lit_roques960(c, placement, &roque_blancs, &roque_noirs, tours);
    if (raison != nullptr) return refuse(raison);
  }
  for (; *c != 0 && !blanc(*c) && *c != '('; ++c) {
    switch (*c) {
      case 'K':
        if (placement[E1] == ROI && placement[H1] == TOUR) roque_blancs |= 1;
        break;
      case 'Q':
        if (placement[E1] == ROI && placement[A1] == TOUR) roque_blancs |= 2;
        break;
      case 'k':
        if (placement[E8] == -ROI && placement[H8] == -TOUR) roque_noirs |= 1;
        break;
      case 'q':
        if (placement[E8] == -ROI && placement[A8] == -TOUR) roque_noirs |= 2;
        break;
      case '-': break;
      default: return refuse("caractere inconnu dans le champ des roques");
    }
  }

  // En passant: "-" or a square on the sixth rank (White to move) or the
  // third (Black to move). A square that no double push can have produced
  // (no enemy pawn in front of it) is dropped rather than trusted, since the
  // search would otherwise take a pawn that is not there.
  int en_passant = AUCUNE_CASE;
  if (*c != '(') {
    while (blanc(*c)) ++c;
    if (*c == 0) return refuse("champ en passant absent");
    if (*c != '-' && *c != '(') {
      if (c[0] < 'a' || c[0] > 'h' || c[1] < '1' || c[1] > '8') return refuse("case en passant invalide");
      if (c[2] != 0 && !blanc(c[2])) return refuse("case en passant invalide");
      const int s = (c[0] - 'a') + 8 * (c[1] - '1');
      if (rangee(s) != (trait == BLANCS ? 5 : 2)) return refuse("case en passant sur la mauvaise rangee");
      const int pion = trait == BLANCS ? s - 8 : s + 8;
      const int depart = trait == BLANCS ? s + 8 : s - 8;
      if (placement[pion] == (trait == BLANCS ? -PION : PION) && placement[s] == 0 && placement[depart] == 0)
        en_passant = s;
    }
  }

  if (roi_en_prise(placement, trait)) return refuse("le camp qui n'a pas le trait est en echec");

  std::memcpy(partie.echiquier_depart, placement, sizeof placement);
  partie.trait_depart = trait;
  partie.roque_blancs_depart = roque_blancs;
  partie.roque_noirs_depart = roque_noirs;
  partie.en_passant_depart = static_cast<uint8_t>(en_passant);
  partie.reserve_depart = 0;
  partie.echecs960 = chess960_demande;
  std::memcpy(partie.tours_roque, tours, sizeof tours);
  partie.dernier_irreversible_depart = 0;
  erreur_fen = "";
  return 1;
}

int fen_chess960(const char* texte) {
  static Partie sauvegarde;
  sauvegarde = partie;
  const int32_t demande = chess960_demande;
  chess960_demande = 1;
  const int lu960 = lit_fen(texte);
  const uint8_t blancs960 = partie.roque_blancs_depart, noirs960 = partie.roque_noirs_depart;
  chess960_demande = 0;
  const int lu = lit_fen(texte);
  const bool autres_droits = partie.roque_blancs_depart != blancs960 || partie.roque_noirs_depart != noirs960;
  chess960_demande = demande;
  partie = sauvegarde;
  erreur_fen = "";
  return lu960 && (!lu || autres_droits) ? 1 : 0;
}

int partie_depuis_fen(const char* fen) {
  partie_initialise(partie, position_initiale, BLANCS);
  if (fen != nullptr) {
    if (!lit_fen(fen)) return 0;
    partie_recommence(partie);
  }
  partie_fixe_trait(partie, partie.trait);
  partie_programme_au_trait(partie);
  partie_vers_position(partie);
  return 1;
}
