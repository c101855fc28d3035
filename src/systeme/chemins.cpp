#include "systeme/chemins.h"

#ifdef _WIN32

std::filesystem::path chemin_natif(const std::string& texte) {
  return std::filesystem::path(std::u8string(texte.begin(), texte.end()));
}

std::string texte_chemin(const std::filesystem::path& chemin) {
  const std::u8string texte = chemin.u8string();
  return std::string(texte.begin(), texte.end());
}

#else

std::filesystem::path chemin_natif(const std::string& texte) { return std::filesystem::path(texte); }

std::string texte_chemin(const std::filesystem::path& chemin) { return chemin.string(); }

#endif
