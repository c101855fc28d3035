#include "console/fin_processus.h"

#include <cstdlib>

int32_t fin_programme = 0;

void (*crochet_fin_processus)(int statut) = nullptr;

void termine_processus(int statut) {
  if (crochet_fin_processus) crochet_fin_processus(statut);
  std::exit(statut);
}
