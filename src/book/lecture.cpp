#include "book/lecture.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef VELMAR_ZLIB
#include <zlib.h>
#endif

#include "systeme/chemins.h"
#include "systeme/fichiers.h"

namespace {

bool compresse(const std::string& chemin) {
  FILE* f = ouvre_fichier(chemin.c_str(), "rb");
  if (!f) return false;
  unsigned char entete[2] = {0, 0};
  const bool gz = std::fread(entete, 1, 2, f) == 2 && entete[0] == 0x1f && entete[1] == 0x8b;
  std::fclose(f);
  return gz;
}

bool lit_flux(FILE* f, std::string& contenu) {
  char tampon[1 << 16];
  size_t n;
  while ((n = std::fread(tampon, 1, sizeof tampon, f)) > 0) contenu.append(tampon, n);
  return !std::ferror(f);
}

}  // namespace

bool lit_fichier(const std::string& chemin, std::string& contenu, std::string& erreur) {
  contenu.clear();
  FILE* essai = ouvre_fichier(chemin.c_str(), "rb");
  if (!essai) {
    erreur = chemin + ": " + std::strerror(errno);
    return false;
  }
  std::fclose(essai);
  if (!compresse(chemin)) {
    FILE* f = ouvre_fichier(chemin.c_str(), "rb");
    const bool ok = f && lit_flux(f, contenu);
    if (f) std::fclose(f);
    if (!ok) erreur = chemin + ": read error";
    return ok;
  }
#ifdef VELMAR_ZLIB
#ifdef _WIN32
  // zlib's narrow names are in the ANSI code page there; its wide form takes
  // any name.
  gzFile gz = gzopen_w(chemin_natif(chemin).c_str(), "rb");
#else
  gzFile gz = gzopen(chemin.c_str(), "rb");
#endif
  if (!gz) {
    erreur = chemin + ": cannot open";
    return false;
  }
  gzbuffer(gz, 1 << 17);
  char tampon[1 << 16];
  int n;
  while ((n = gzread(gz, tampon, sizeof tampon)) > 0) contenu.append(tampon, static_cast<size_t>(n));
  int code = Z_OK;
  const char* message = gzerror(gz, &code);
  const bool ok = n == 0 && (code == Z_OK || code == Z_STREAM_END);
  // zlib's message already names the file.
  if (!ok) erreur = message && *message ? message : chemin + ": decompression error";
  gzclose(gz);
  return ok;
#else
  // No zlib at build time: let gzip do the decompression. The path is
  // quoted for the shell with every single quote escaped.
  std::string cite = "'";
  for (char c : chemin) cite += c == '\'' ? std::string("'\\''") : std::string(1, c);
  cite += "'";
  FILE* f = popen(("gzip -dc " + cite).c_str(), "r");
  if (!f) {
    erreur = chemin + ": cannot run gzip";
    return false;
  }
  const bool lu = lit_flux(f, contenu);
  const int statut = pclose(f);
  if (!lu || statut != 0) {
    erreur = chemin + ": gzip -dc failed";
    return false;
  }
  return true;
#endif
}
