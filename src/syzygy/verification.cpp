#include "syzygy/verification.h"

#include <tbprobe.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <vector>

#include "syzygy/inventaire.h"
#include "syzygy/syzygy.h"

namespace {

// A random legal placement of the pieces named by `nom` ("KRPvKN"), for
// the side `blancs_au_trait` to move, in the library's bitboards. False
// when none was found.
bool place_materiel(const std::string& nom, bool blancs_au_trait, uint64_t bb[8]) {
  // bb: white, black, kings, queens, rooks, bishops, knights, pawns
  static constexpr const char* LETTRES = "KQRBNP";
  for (int essai = 0; essai < 200; ++essai) {
    for (int i = 0; i < 8; ++i) bb[i] = 0;
    int roi[2] = {-1, -1};
    bool blanc = true, place_ok = true;
    for (char c : nom) {
      if (c == 'v') {
        blanc = false;
        continue;
      }
      const int type = static_cast<int>(std::strchr(LETTRES, c) - LETTRES);
      int s;
      int tours = 0;
      do s = std::rand() % 64;
      while (((bb[0] | bb[1]) >> s & 1) && ++tours < 100);
      if (((bb[0] | bb[1]) >> s & 1) || (c == 'P' && (s < 8 || s >= 56))) {
        place_ok = false;
        break;
      }
      bb[blanc ? 0 : 1] |= uint64_t{1} << s;
      bb[2 + type] |= uint64_t{1} << s;
      if (type == 0) roi[blanc ? 0 : 1] = s;
    }
    if (!place_ok || roi[0] < 0 || roi[1] < 0) continue;
    // The side not to move may not be in check.
    const int attaquant = blancs_au_trait ? 0 : 1;
    const int cible = roi[blancs_au_trait ? 1 : 0];
    const uint64_t occ = bb[0] | bb[1], camp = bb[attaquant];
    uint64_t attaques = tb_king_attacks(static_cast<unsigned>(roi[attaquant]));
    for (uint64_t b = camp & (bb[3] | bb[4] | bb[5] | bb[6] | bb[7]); b; b &= b - 1) {
      const unsigned s = static_cast<unsigned>(__builtin_ctzll(b));
      if (bb[3] >> s & 1) attaques |= tb_queen_attacks(s, occ);
      if (bb[4] >> s & 1) attaques |= tb_rook_attacks(s, occ);
      if (bb[5] >> s & 1) attaques |= tb_bishop_attacks(s, occ);
      if (bb[6] >> s & 1) attaques |= tb_knight_attacks(s);
      if (bb[7] >> s & 1) attaques |= tb_pawn_attacks(s, attaquant == 0);
    }
    if (!(attaques >> cible & 1)) return true;
  }
  return false;
}

// Probes positions of the file's set through the library: win/draw/loss
// probes for a .rtbw file; for a .rtbz file, root probes of positions the
// .rtbw file gives as won or lost (the library reads no distance for a
// draw). The same positions whichever file the check starts from.
void sonde_fichier(const FichierSyzygy& f, int32_t rang) {
  std::srand(static_cast<unsigned>(rang) + 1);
  int sondes = 0;
  for (int k = 0; k < 4096 && sondes < (f.sorte == SORTE_WDL ? 32 : 8); ++k) {
    uint64_t bb[8];
    const bool blancs = k % 2 == 0;
    if (!place_materiel(f.nom, blancs, bb)) continue;
    const unsigned wdl = tb_probe_wdl(bb[0], bb[1], bb[2], bb[3], bb[4], bb[5], bb[6], bb[7], 0, 0, 0, blancs);
    if (f.sorte == SORTE_WDL) {
      ++sondes;
    } else if (wdl != TB_RESULT_FAILED && wdl != TB_DRAW) {
      tb_probe_root(bb[0], bb[1], bb[2], bb[3], bb[4], bb[5], bb[6], bb[7], 0, 0, 0, blancs, nullptr);
      ++sondes;
    }
  }
  // A damaged header may have written past the library's blocks: the
  // allocator notices on its next calls, while this file is still blamed.
  for (size_t t = 16; t <= 1 << 20; t *= 4) std::free(std::malloc(t));
}

}  // namespace

int verifie_tables_syzygy() {
  std::string ligne;
  int32_t debut = 0;
  if (!std::getline(std::cin, ligne)) return 2;
  debut = std::atoi(ligne.c_str());
  std::vector<std::string> repertoires;
  std::string exclus_texte;
  std::getline(std::cin, exclus_texte);
  while (std::getline(std::cin, ligne)) repertoires.push_back(ligne);
  std::vector<char> exclu(repertoires.size(), 0);
  std::istringstream exclus_flux(exclus_texte);
  for (int32_t r; exclus_flux >> r;)
    if (r >= 0 && r < static_cast<int32_t>(exclu.size())) exclu[r] = 1;

  const std::vector<FichierSyzygy> fichiers = inventaire_syzygy(repertoires);
  const int32_t n = static_cast<int32_t>(fichiers.size());
  std::vector<char> refuse(fichiers.size(), 0);

  // First the looks that need no probe, for every file: the library opens
  // every table of its directories as soon as it is started, so a file it
  // must not meet (a named pipe blocks it) rules its directory out before.
  for (int32_t i = debut; i < n; ++i) {
    if (exclu[fichiers[i].repertoire]) continue;
    const int etat = examine_fichier_syzygy(chemin_fichier_syzygy(repertoires, fichiers[i]), fichiers[i].sorte);
    if (etat != FICHIER_SAIN) {
      refuse[i] = 1;
      std::printf("@x %d %d\n", static_cast<int>(i), etat);
      if (etat == FICHIER_INUTILISABLE) exclu[fichiers[i].repertoire] = 1;
    }
    if (i % 64 == 63) std::printf("@.\n");
    std::fflush(stdout);
  }

  // Then the probes, with the file's directory first in the library's path
  // so that its copy of the set is the one read, and the other directories
  // after it for the smaller sets it leads to (checked earlier).
  int32_t repertoire_charge = -1;
  for (int32_t i = debut; i < n; ++i) {
    const FichierSyzygy& f = fichiers[i];
    if (refuse[i] || exclu[f.repertoire] || f.sorte == SORTE_DTM) continue;
    std::printf("@v %d\n", static_cast<int>(i));
    std::fflush(stdout);
    if (f.repertoire != repertoire_charge) {
      std::string chemin = repertoires[f.repertoire];
      for (int32_t r = 0; r < static_cast<int32_t>(repertoires.size()); ++r)
        if (r != f.repertoire && !exclu[r]) chemin += SEPARATEUR_SYZYGY + repertoires[r];
      if (!tb_init(chemin.c_str())) return 1;
      repertoire_charge = f.repertoire;
    }
    sonde_fichier(f, i);
  }
  std::printf("@fin\n");
  std::fflush(stdout);
  return 0;
}
