// FEN and move-text reading. The first line of an input is a FEN (or
// "startpos"), the rest move texts separated by blanks. Whatever the reader
// accepts is then used as the engine would: moves played on the game record,
// the search board built from it, every move generated, made, evaluated and
// unmade, and the board checked against its own recomputation.
#include <cstdlib>
#include <cstring>
#include <string>

#include "board/cles.h"
#include "board/joue.h"
#include "board/position.h"
#include "board/texte_coup.h"
#include "eval/evaluation.h"
#include "eval/tables_evaluation.h"
#include "fuzz/commun.h"
#include "movegen/attaques.h"
#include "movegen/bitboard.h"
#include "movegen/fen.h"
#include "movegen/generation.h"
#include "movegen/lecture_coup.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  prepare_harnais();
  initialise_cles();
  init_tables();
  initialise_tables_evaluation();
  initialise_diagonales();
  position_depart();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
  const std::string texte(reinterpret_cast<const char*>(donnees), taille);
  const size_t fin_ligne = texte.find('\n');
  const std::string fen = texte.substr(0, fin_ligne);
  const std::string coups = fin_ligne == std::string::npos ? "" : texte.substr(fin_ligne + 1);

  // A castling field that only Chess960 explains is read as Chess960, as
  // the perft mode does.
  chess960_demande = fen != "startpos" && fen_chess960(fen.c_str());
  partie_initialise(partie, position_initiale, BLANCS);
  const Partie avant = partie;
  if (fen != "startpos") {
    if (!lit_fen(fen.c_str())) {
      // A refused FEN leaves the game record as it was.
      if (std::memcmp(&avant, &partie, sizeof partie) != 0) std::abort();
      return 0;
    }
    partie_recommence(partie);
  }

  // The move texts, as "position ... moves" plays them: up to the first one
  // refused.
  size_t i = 0;
  while (i < coups.size()) {
    size_t j = coups.find_first_of(" \t\n", i);
    if (j == std::string::npos) j = coups.size();
    if (j > i) {
      const std::string mot = coups.substr(i, j - i);
      if (!partie_joue_texte(partie, mot.c_str())) break;
    }
    i = j + 1;
  }

  partie_fixe_trait(partie, partie.trait);
  partie_programme_au_trait(partie);
  partie_vers_position(partie);
  prepare_evaluation();
  if (!position_est_valide()) std::abort();

  const int camp = partie.trait & 1;
  debut_liste[0] = pile_coups;
  genere_coups(camp, 0);
  char ecrit_texte[8];
  for (const Coup* c = debut_liste[0]; c != debut_liste[1]; ++c) {
    texte_coup(*c, ecrit_texte);
    joue(camp, 0, *c);
    if (!en_echec(camp)) {
      evalue_position(camp ^ 1, -30001, 30001, 1);
      if (!position_est_valide()) std::abort();
    }
    dejoue(camp, 0, *c);
  }
  if (!position_est_valide()) std::abort();
  evalue_position(camp, -30001, 30001, 0);
  return 0;
}
