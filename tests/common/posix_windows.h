// The few POSIX calls the tests use, for the Windows build of the tests
// (included before every test source there). The engine itself goes through
// src/systeme.
#pragma once

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#include <process.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>
#include <string>

// mkdir takes no permissions there.
inline int mkdir(const char* nom, int) { return _mkdir(nom); }

// Replaces the final XXXXXX of `modele` and creates that directory.
inline char* mkdtemp(char* modele) {
  const std::string base(modele);
  if (base.size() < 6 || base.compare(base.size() - 6, 6, "XXXXXX") != 0) return nullptr;
  static std::mt19937 alea(std::random_device{}() ^ static_cast<unsigned>(_getpid()));
  constexpr char lettres[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  for (int essai = 0; essai < 100; ++essai) {
    for (size_t i = base.size() - 6; i < base.size(); ++i) modele[i] = lettres[alea() % 36];
    if (_mkdir(modele) == 0) return modele;
  }
  return nullptr;
}

inline int setenv(const char* nom, const char* valeur, int remplace) {
  if (!remplace && getenv(nom)) return 0;
  return _putenv_s(nom, valeur);
}
#endif
