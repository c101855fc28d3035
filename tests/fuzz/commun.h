// Shared by the fuzzing harnesses: surviving the engine's process exits, a
// private working directory, files and standard input made from fuzz data.
#pragma once

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "console/fin_processus.h"

// Thrown by the exit hook: "quit" or a fatal tablebase message ended the
// session, which is an expected outcome.
struct FinProcessus {
  int statut;
};

inline void leve_fin_processus(int statut) { throw FinProcessus{statut}; }

// Installs the exit hook, moves into a fresh temporary directory (the engine
// writes its log and learning files to the current one) and sends standard
// output to /dev/null. Returns the directory.
inline const std::string& prepare_harnais() {
  static std::string dossier;
  if (!dossier.empty()) return dossier;
  crochet_fin_processus = leve_fin_processus;
  const char* tmp = std::getenv("TMPDIR");
  std::string modele = std::string(tmp && *tmp ? tmp : "/tmp") + "/velmar-fuzz-XXXXXX";
  if (!mkdtemp(modele.data()) || chdir(modele.c_str()) != 0) {
    std::perror("velmar fuzz: working directory");
    std::abort();
  }
  dossier = modele;
  int nul = open("/dev/null", O_WRONLY);
  if (nul >= 0) {
    std::fflush(stdout);
    dup2(nul, 1);
    close(nul);
  }
  return dossier;
}

// Writes `taille` bytes to `chemin` (created or truncated).
inline void ecrit_fichier(const std::string& chemin, const uint8_t* donnees, size_t taille) {
  FILE* f = std::fopen(chemin.c_str(), "wb");
  if (!f) std::abort();
  if (taille && std::fwrite(donnees, 1, taille, f) != taille) std::abort();
  std::fclose(f);
}

// Makes `donnees` the whole of standard input (descriptor 0), as a file
// read from its start: reads see exactly these bytes, then the end.
inline void remplace_entree(const uint8_t* donnees, size_t taille) {
  int fd = memfd_create("entree", 0);
  if (fd < 0) std::abort();
  size_t ecrit = 0;
  while (ecrit < taille) {
    ssize_t n = write(fd, donnees + ecrit, taille - ecrit);
    if (n <= 0) std::abort();
    ecrit += static_cast<size_t>(n);
  }
  lseek(fd, 0, SEEK_SET);
  dup2(fd, 0);
  close(fd);
}
