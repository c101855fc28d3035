// Board set-up for tests: the start-up tables, and a search board built from a FEN.
#pragma once

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "board/cles.h"
#include "board/position.h"
#include "eval/tables_evaluation.h"
#include "movegen/bitboard.h"
#include "movegen/fen.h"
#include "movegen/generation.h"

// Keys, tables, diagonals, start position and game record, as at start-up.
inline void initialise_plateau() {
  static bool fait = false;
  if (!fait) {
    initialise_cles();
    init_tables();
    initialise_tables_evaluation();
    initialise_diagonales();
    fait = true;
  }
  position_depart();
  partie_initialise(partie, position_initiale, BLANCS);
  debut_liste[0] = pile_coups;
}

// Pawn counts and phase weights, as the evaluation's phase routine sets them
// before a search (make/unmake keep them current from there).
inline void calcule_comptes_test() {
  Position& P = position;
  P.nb_pions_blancs = compte_bits(P.pions_blancs);
  P.nb_pions_noirs = compte_bits(P.pions_noirs);
  P.phase_blancs = 3 * compte_bits(P.cavaliers_blancs | P.fous_blancs) + 5 * compte_bits(P.tours_blanches) +
                   10 * compte_bits(P.dames_blanches);
  P.phase_noirs = 3 * compte_bits(P.cavaliers_noirs | P.fous_noirs) + 5 * compte_bits(P.tours_noires) +
                  10 * compte_bits(P.dames_noires);
}

// Game record and search board from a FEN (the standard start when empty),
// the side to move being the program's side. Returns false when refused.
inline bool place_fen(const std::string& fen = "") {
  initialise_plateau();
  if (!fen.empty()) {
    if (!lit_fen(fen.c_str())) return false;
    partie_recommence(partie);
  }
  partie_programme_au_trait(partie);
  partie_vers_position(partie);
  calcule_comptes_test();
  return true;
}

// One line of a perft EPD file: the FEN and the published counts by depth.
struct CasPerft {
  std::string fen;
  std::vector<std::pair<int, unsigned long long>> comptes;
};

inline std::vector<CasPerft> lit_epd_perft(const std::string& chemin) {
  std::vector<CasPerft> cas;
  std::ifstream f(chemin);
  std::string ligne;
  while (std::getline(f, ligne)) {
    std::stringstream champs(ligne);
    std::string champ;
    CasPerft c;
    std::getline(champs, c.fen, ';');
    while (!c.fen.empty() && c.fen.back() == ' ') c.fen.pop_back();
    while (std::getline(champs, champ, ';')) {
      int profondeur;
      unsigned long long n;
      if (std::sscanf(champ.c_str(), " D%d %llu", &profondeur, &n) == 2) c.comptes.push_back({profondeur, n});
    }
    if (!c.fen.empty()) cas.push_back(c);
  }
  return cas;
}
