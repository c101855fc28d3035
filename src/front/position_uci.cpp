// "position": the game record from the start position or a FEN, then the
// moves played since.
#include "front/position_uci.h"

#include <cstdio>
#include <cstring>

#include "board/position.h"
#include "board/texte_coup.h"
#include "book/reglages_livre.h"
#include "console/entree.h"
#include "console/sortie.h"
#include "front/interprete.h"
#include "movegen/fen.h"
#include "movegen/lecture_coup.h"
#include "search/etat_recherche.h"
#include "search/limites_recherche.h"

char derniere_position[TAILLE_LIGNE + 16] = "";
int32_t position_continue = 0;
int32_t position_refusee = 0;

namespace {

char premier_mot[TAILLE_LIGNE];
char ligne[TAILLE_LIGNE];
// The game record as it was before the command, put back when it is refused.
Partie partie_avant;

// Plays the blank-separated move texts of `coups` on the game record; stops
// at the first one refused, keeping the moves before it.
void joue_coups(char* coups) {
  char* p = coups;
  for (;;) {
    while (*p == ' ' || *p == '\t') ++p;
    if (*p == 0) return;
    char* texte = p;
    while (*p != 0 && *p != ' ' && *p != '\t') ++p;
    char suivant = *p;
    *p = 0;
    if (!partie_joue_texte(partie, texte)) {
      ecrit("info string Coup refuse : %.16s (%s) ; ce coup et les suivants sont ignores\n", texte,
            erreur_texte);
      return;
    }
    if (suivant == 0) return;
    ++p;
  }
}

}  // namespace

void commande_position() {
  int r = lit_mot_ligne(premier_mot, TAILLE_LIGNE);
  bool fen = r == LECTURE_OK && std::strcmp(premier_mot, "fen") == 0;
  bool depart = r == LECTURE_OK && std::strcmp(premier_mot, "startpos") == 0;
  int r_ligne = r == LECTURE_FIN ? LECTURE_OK : lit_reste_ligne(ligne, TAILLE_LIGNE);
  if (r == LECTURE_FIN) ligne[0] = 0;
  if (r_ligne == LECTURE_TROP_LONG) {
    ecrit("info string position refusee : ligne de plus de %d caracteres\n", TAILLE_LIGNE - 1);
    position_refusee = 1;
    return;
  }
  if (!fen && !depart) {
    ecrit("info string position refusee : startpos ou fen attendu\n");
    position_refusee = 1;
    return;
  }

  // The text before "moves" is the FEN; the moves start after it.
  static char texte[TAILLE_LIGNE];
  std::strcpy(texte, ligne);
  char* coups = nullptr;
  if (char* m = std::strstr(texte, "moves")) {
    *m = 0;
    coups = m + 5;
  }

  partie_avant = partie;
  partie_initialise(partie, position_initiale, BLANCS);
  if (fen) {
    if (!lit_fen(texte + std::strspn(texte, " \t"))) {
      partie = partie_avant;
      ecrit("info string position refusee : FEN invalide (%s)\n", erreur_fen);
      position_refusee = 1;
      return;
    }
    partie_recommence(partie);
  }

  // The same game with more moves: the same start ("startpos", or "fen" and
  // the same FEN) and the previous moves, with more after them. Only then do
  // the tables, the known mate and the book counter stay valid.
  static char complete[sizeof derniere_position];
  std::snprintf(complete, sizeof complete, "%s%s", premier_mot, ligne);
  size_t n = std::strlen(complete);
  while (n > 0 && (complete[n - 1] == ' ' || complete[n - 1] == '\t')) complete[--n] = 0;
  const size_t avant = std::strlen(derniere_position);
  if (avant != 0 && std::strncmp(complete, derniere_position, avant) == 0 &&
      (complete[avant] == 0 || complete[avant] == ' ' || complete[avant] == '\t')) {
    position_continue = 1;
  } else {
    position_continue = 0;
    mat_connu = 0;
  }
  analyse_infinie = 0;
  position_refusee = 0;
  std::strcpy(derniere_position, complete);

  if (coups) joue_coups(coups);
  if (compteur_livre != 0 && partie.nb_demi_coups < compteur_livre) compteur_livre = 1;
}
