#include "systeme/chemins.h"

#ifdef _WIN32
#include "systeme/api_windows.h"
#include <shellapi.h>

#include <vector>
#endif

#ifdef _WIN32

std::filesystem::path chemin_natif(const std::string& texte) {
  return std::filesystem::path(std::u8string(texte.begin(), texte.end()));
}

std::string texte_chemin(const std::filesystem::path& chemin) {
  const std::u8string texte = chemin.u8string();
  return std::string(texte.begin(), texte.end());
}

char** arguments_utf8(int argc, char** argv) {
  int n = 0;
  wchar_t** larges = CommandLineToArgvW(GetCommandLineW(), &n);
  if (larges == nullptr || n != argc) return argv;
  // Kept for the whole run, as argv is.
  static std::vector<std::string> textes;
  static std::vector<char*> pointeurs;
  for (int i = 0; i < n; ++i) textes.push_back(texte_chemin(std::filesystem::path(larges[i])));
  LocalFree(larges);
  for (std::string& t : textes) pointeurs.push_back(t.data());
  pointeurs.push_back(nullptr);
  return pointeurs.data();
}

#else

std::filesystem::path chemin_natif(const std::string& texte) { return std::filesystem::path(texte); }

std::string texte_chemin(const std::filesystem::path& chemin) { return chemin.string(); }

char** arguments_utf8(int, char** argv) { return argv; }

#endif
