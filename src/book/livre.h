// Opening book: "Velmar.bib" (sorted position keys, mapped read-only) and
// "Encyclopedie.bib" (one 40-byte statistics record per key, same order),
// both in the book directory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "board/types.h"

// One record of "Encyclopedie.bib": ten little-endian 32-bit fields.
// The side that "moved into" the position is the side not to move in it.
struct FicheLivre {
  int32_t premier_ply;        // field 0: fewest plies after which a game reached it
  int32_t derniere_annee;     // field 1: year of the most recent game (0 = unknown)
  uint32_t parties;           // field 2: games that reached the position
  int32_t gains;              // field 3: games won by the side that moved into it
  int32_t pertes;             // field 4: games lost by that side
  int32_t sans_resultat;      // field 5: games without a result ("*"), counted as draws
  float elo_joueurs;          // field 6: sum of the ratings of the movers
  float elo_adversaires;      // field 7: sum of the ratings of their opponents
  uint32_t nb_elo_joueurs;    // field 8: ratings summed in field 6
  uint32_t nb_elo_adversaires;  // field 9: ratings summed in field 7
};
static_assert(sizeof(FicheLivre) == 40, "an Encyclopedie.bib record is 40 bytes");

constexpr int TAILLE_CLE_LIVRE = 8;
constexpr int TAILLE_FICHE_LIVRE = 40;

// Book key of the standard initial position.
constexpr uint64_t CLE_LIVRE_DEPART = 0x521D63F0B9DBC7F0ull;

// Path of a book file: the book directory, '/', the file name.
std::string chemin_livre(const char* nom);
// Positions in the mapped "Velmar.bib" (0 when no book is open).
int64_t nombre_positions_livre();

// Loads "eco.bib" and maps "Velmar.bib" from the book directory; the book
// counter becomes 1 when the mapping succeeds, else stays 0.
void ouvre_livre();
// 1 when both book files are in the book directory (nothing is printed).
int livre_present();
// Unmaps the book, frees the ECO keys, sets the book counter to 0.
void ferme_livre();
// Index of `cle` in "Velmar.bib", or -1 when absent (or no book is open).
int64_t cherche_livre(uint64_t cle);
// Reads record `index` of "Encyclopedie.bib" into `fiche`; 1 when read.
int lit_encyclopedie(int64_t index, FicheLivre& fiche);
// Chooses a book move among the root moves (the ply-0 move list) for `camp`,
// printing one "info string" line per weighted candidate; 0 = none.
Coup choisit_coup_livre(int camp);
// Prints the statistics text of one candidate, ending the line.
void affiche_stats_livre(const FicheLivre& fiche);
// The same text into `texte` (capacity `taille`).
void texte_stats_livre(const FicheLivre& fiche, char* texte, size_t taille);
// Rating difference for a score of 50 + d percent, d = 0..50.
extern const int32_t ecart_elo[51];

// Called by the search driver before searching, with the root move list in
// place: asks the book while the book counter lies between 1 and 4 and
// `autorise` is set (not an infinite analysis). A book move resets the
// counter to 1; a search without one increments it. Returns the book move
// or 0.
Coup consulte_livre(int camp, int autorise);
