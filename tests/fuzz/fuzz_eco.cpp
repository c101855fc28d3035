// The ECO list reader: each input is an opening list (eco, name, pgn
// columns, tab-separated, gzip-compressed or not) given to the ECO builder
// exactly as on its command line.
#include <string>

#include "fuzz/commun.h"
#include "modes.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  prepare_harnais();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
  ecrit_fichier("liste.tsv", donnees, taille);
  char mode_out[] = "--out", dossier[] = "eco_construit", fichier[] = "liste.tsv";
  char* args[] = {mode_out, dossier, fichier};
  mode_eco(3, args);
  return 0;
}
