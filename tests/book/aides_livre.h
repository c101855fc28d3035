// Helpers for the book tests: temporary directories, byte files, board
// set-up and the root move list the search driver would prepare.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "board/types.h"

// A fresh empty directory, removed with its content at destruction.
struct DossierTemporaire {
  DossierTemporaire();
  ~DossierTemporaire();
  std::string chemin;
  std::string fichier(const std::string& nom) const { return chemin + "/" + nom; }
};

// Runs in `dossier` for the lifetime of the object.
struct DansDossier {
  explicit DansDossier(const std::string& dossier);
  ~DansDossier();
  std::string ancien;
};

void ecrit_octets(const std::string& chemin, const std::vector<uint8_t>& octets);
std::vector<uint8_t> lit_octets(const std::string& chemin);
std::string lit_texte(const std::string& chemin);

// Keys, tables and the start position, once per process.
void plateau_pret();
// The game record from a FEN (empty = initial position) and coordinate
// moves, copied into the search board; false when a move is refused.
bool installe(const std::string& fen, const std::vector<std::string>& coups);
// The root list of legal moves at ply 0, as the search driver leaves it.
void prepare_liste_racine();
// The root move with this coordinate text, or 0.
Coup coup_racine(const std::string& texte);
// Book key of the position after root move `coup`.
uint64_t cle_apres(Coup coup);

struct FicheLivre;
// Writes "Velmar.bib" and "Encyclopedie.bib" into `dossier` from (key,
// record) pairs, sorted by key unless `trier` is false.
void ecrit_livre_test(const std::string& dossier, std::vector<std::pair<uint64_t, FicheLivre>> entrees,
                      bool trier = true);
// Points the book directory at `dossier`.
void repertoire(const std::string& dossier);
