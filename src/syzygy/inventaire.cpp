#include "syzygy/inventaire.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The largest sets the library knows.
constexpr int PIECES_MAX = 7;

// First bytes of each kind of file.
constexpr unsigned char SIGNATURE_WDL[4] = {0x71, 0xE8, 0x23, 0x5D};
constexpr unsigned char SIGNATURE_DTZ[4] = {0xD7, 0x66, 0x0C, 0xA5};

// Pieces of a set named like "KRPvKN" (each side's pieces in the order
// QRBNP), 0 when `nom` is not such a name.
int pieces_du_nom(const std::string& nom) {
  const size_t v = nom.find('v');
  if (v == std::string::npos || nom.empty() || nom[0] != 'K' || v + 1 >= nom.size() || nom[v + 1] != 'K') return 0;
  static constexpr const char* ORDRE = "QRBNP";
  int pieces = 0;
  for (size_t debut : {size_t{1}, v + 2}) {
    const size_t fin = debut == 1 ? v : nom.size();
    int rang = 0;
    for (size_t i = debut; i < fin; ++i) {
      const char* p = std::strchr(ORDRE, nom[i]);
      if (nom[i] == 0 || p == nullptr || p - ORDRE < rang) return 0;
      rang = static_cast<int>(p - ORDRE);
      ++pieces;
    }
  }
  return pieces + 2;
}

}  // namespace

fs::path chemin_utf8(const std::string& texte) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(texte.data()), texte.size()));
}

std::string texte_utf8(const fs::path& chemin) {
  const std::u8string u = chemin.u8string();
  return std::string(reinterpret_cast<const char*>(u.data()), u.size());
}

std::vector<FichierSyzygy> inventaire_syzygy(const std::vector<std::string>& repertoires) {
  std::vector<FichierSyzygy> fichiers;
  for (int32_t r = 0; r < static_cast<int32_t>(repertoires.size()); ++r) {
    std::error_code e;
    for (fs::directory_iterator it(chemin_utf8(repertoires[r]), e), fin; !e && it != fin; it.increment(e)) {
      const fs::path& chemin = it->path();
      const std::string extension = texte_utf8(chemin.extension());
      int32_t sorte = 0;
      while (sorte < 3 && extension != EXTENSIONS_SYZYGY[sorte]) ++sorte;
      if (sorte == 3) continue;
      const std::string nom = texte_utf8(chemin.stem());
      const int pieces = pieces_du_nom(nom);
      if (pieces == 0 || pieces > PIECES_MAX) continue;
      fichiers.push_back({nom, r, pieces, sorte});
    }
  }
  std::sort(fichiers.begin(), fichiers.end(), [](const FichierSyzygy& a, const FichierSyzygy& b) {
    if (a.pieces != b.pieces) return a.pieces < b.pieces;
    if (a.sorte != b.sorte) return a.sorte < b.sorte;
    if (a.repertoire != b.repertoire) return a.repertoire < b.repertoire;
    return a.nom < b.nom;
  });
  return fichiers;
}

std::string chemin_fichier_syzygy(const std::vector<std::string>& repertoires, const FichierSyzygy& f) {
  return texte_utf8(chemin_utf8(repertoires[f.repertoire]) / chemin_utf8(f.nom + EXTENSIONS_SYZYGY[f.sorte]));
}

int examine_fichier_syzygy(const std::string& chemin, int32_t sorte) {
  const fs::path p = chemin_utf8(chemin);
  std::error_code e;
  if (!fs::is_regular_file(p, e)) return FICHIER_INUTILISABLE;
  if (sorte == SORTE_DTM) return FICHIER_SAIN;
  const auto taille = fs::file_size(p, e);
  if (e) return FICHIER_INUTILISABLE;
  if (taille % 64 != 16) return FICHIER_TRONQUE;
  std::ifstream f(p, std::ios::binary);
  unsigned char debut[4] = {};
  if (!f.read(reinterpret_cast<char*>(debut), 4)) return FICHIER_INUTILISABLE;
  return std::memcmp(debut, sorte == SORTE_WDL ? SIGNATURE_WDL : SIGNATURE_DTZ, 4) == 0 ? FICHIER_SAIN : FICHIER_INUTILISABLE;
}
