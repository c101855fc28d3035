#include "outils_livre.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "systeme/chemins.h"
#include "systeme/fichiers.h"

bool entier_borne(const char* texte, int min, int max, int& valeur) {
  char* fin = nullptr;
  errno = 0;
  const long v = std::strtol(texte, &fin, 10);
  if (errno != 0 || fin == texte || *fin != '\0' || v < min || v > max) {
    std::fprintf(stderr, "velmar: \"%s\" is not a number from %d to %d\n", texte, min, max);
    return false;
  }
  valeur = static_cast<int>(v);
  return true;
}

bool prepare_dossier(const std::string& dossier) {
  const std::filesystem::path chemin = chemin_natif(dossier);
  std::error_code erreur;
  if (std::filesystem::exists(chemin, erreur)) {
    if (std::filesystem::is_directory(chemin, erreur)) return true;
    std::fprintf(stderr, "velmar: %s is not a directory\n", dossier.c_str());
    return false;
  }
  if (!std::filesystem::create_directory(chemin, erreur) && erreur) {
    std::fprintf(stderr, "velmar: cannot create %s: %s\n", dossier.c_str(), erreur.message().c_str());
    return false;
  }
  return true;
}

bool ecrit_fichier_atomique(const std::string& dossier, const char* nom, const std::vector<uint8_t>& octets) {
  const std::string final_ = dossier + "/" + nom;
  const std::string temporaire = final_ + ".tmp";
  FILE* f = ouvre_fichier(temporaire.c_str(), "wb");
  bool ok = f != nullptr;
  if (ok && !octets.empty()) ok = std::fwrite(octets.data(), 1, octets.size(), f) == octets.size();
  if (f && std::fclose(f) != 0) ok = false;
  if (ok && renomme_fichier(temporaire.c_str(), final_.c_str()) != 0) ok = false;
  if (!ok) {
    std::fprintf(stderr, "velmar: cannot write %s: %s\n", final_.c_str(), std::strerror(errno));
    std::error_code ignore;
    std::filesystem::remove(chemin_natif(temporaire), ignore);
  }
  return ok;
}
