#include "book/eco.h"

void cle_eco(uint8_t cle[TAILLE_CLE_ECO], int, int) {
  for (int i = 0; i < TAILLE_CLE_ECO; i++) cle[i] = 0;
}
int texte_eco(const uint8_t*, char*, size_t) { return 0; }
int nomme_ouverture(char*, size_t) { return 0; }
