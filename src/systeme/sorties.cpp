#include "systeme/sorties.h"

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
int copie(int fd) { return _dup(fd); }
void remplace(int source, int cible) { _dup2(source, cible); }
void ferme(int fd) { _close(fd); }
int ouvre_nul() { return _open("NUL", _O_WRONLY); }
#else
int copie(int fd) { return dup(fd); }
void remplace(int source, int cible) { dup2(source, cible); }
void ferme(int fd) { close(fd); }
int ouvre_nul() { return open("/dev/null", O_WRONLY | O_CLOEXEC); }
#endif

}  // namespace

SortiesSauvees coupe_sorties() {
  std::fflush(stdout);
  std::fflush(stderr);
  SortiesSauvees s;
  s.sortie = copie(1);
  s.erreur = copie(2);
  const int nul = ouvre_nul();
  if (nul >= 0) {
    remplace(nul, 1);
    remplace(nul, 2);
    ferme(nul);
  }
  return s;
}

void retablit_sorties(SortiesSauvees& s) {
  std::fflush(stdout);
  std::fflush(stderr);
  if (s.sortie >= 0) remplace(s.sortie, 1), ferme(s.sortie);
  if (s.erreur >= 0) remplace(s.erreur, 2), ferme(s.erreur);
  s = SortiesSauvees{};
}
