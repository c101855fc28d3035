#include "console/sortie.h"

#include <cstdarg>
#include <cstdio>

int32_t log_actif = 0;
FILE* fichier_log = nullptr;

void ecrit(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
  std::fflush(stdout);
}

void ouvre_log() {
  if (!fichier_log) fichier_log = std::fopen("Velmar.log", "a+");
}

void ferme_log() {
  if (fichier_log) std::fclose(fichier_log);
  fichier_log = nullptr;
}
