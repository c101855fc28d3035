#include "front/fin_processus.h"

#include <cstdlib>

void (*crochet_fin_processus)(int statut) = nullptr;

void termine_processus(int statut) {
  if (crochet_fin_processus) crochet_fin_processus(statut);
  std::exit(statut);
}
