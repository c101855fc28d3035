// Reading games in Portable Game Notation: tag pairs, main-line moves in
// SAN, comments, variations, NAGs and results. Names may be Latin-1 or
// UTF-8: the reader only looks at the tags it needs and never decodes text.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Game results.
constexpr int RESULTAT_INCONNU = 0;  // "*" or none
constexpr int RESULTAT_BLANCS = 1;   // "1-0"
constexpr int RESULTAT_NOIRS = 2;    // "0-1"
constexpr int RESULTAT_NULLE = 3;    // "1/2-1/2"

struct PartiePgn {
  int resultat = RESULTAT_INCONNU;  // from the move text, else from the Result tag
  int elo_blancs = 0;               // WhiteElo, 0 = absent or not a number
  int elo_noirs = 0;                // BlackElo
  int annee = 0;                    // from the Date tag, 0 = unknown
  bool depart_special = false;      // a FEN tag: the game does not start from the initial position
  std::vector<std::string> coups;   // main-line moves, at most the limit asked for
};

// Reads the next game of `texte` from `pos` on and advances `pos` past it.
// Keeps at most `limite` main-line moves. False when no game is left.
bool lit_partie_pgn(const char* texte, size_t taille, size_t& pos, PartiePgn& partie, size_t limite);

// The main-line moves of a bare move text ("1. e4 e5 2. Nf3").
void lit_coups_pgn(const std::string& texte, std::vector<std::string>& coups);

// Result code of a result token, -1 when the token is not a result.
int resultat_de(const std::string& jeton);
