// Deterministic random numbers and the Zobrist keys drawn from them. The
// opening book stores positions under these keys, so the generator, its seed
// and the drawing order never change.
#include "board/cles.h"

#include "board/position.h"

uint64_t cle_piece[12][64];
uint64_t cle_roque_blancs[2];
uint64_t cle_roque_noirs[2];
uint64_t cle_en_passant[64];
uint64_t cle_trait[2];
uint32_t cle_pion_blanc[64];
uint32_t cle_pion_noir[64];

namespace {

constexpr uint32_t graine_aleatoire[55] = {
    1410651636, 3012776752, 3497475623, 2892145026, 1571949714, 3253082284, 3489895018,
    387949491,  2597396737, 1981903553, 3160251843, 129444464,  1851443344, 4156445905,
    224604922,  1455067070, 3953493484, 1460937157, 2528362617, 317430674,  3229354360,
    117491133,  832845075,  1961600170, 1321557429, 747750121,  545747446,  810476036,
    503334515,  4088144633, 2824216555, 3738252341, 3493754131, 3672533954, 29494241,
    1180928407, 4213624418, 33062851,   3221315737, 1145213552, 2957984897, 4078668503,
    2262661702, 65478801,   2527208841, 1960622036, 315685891,  1196037864, 804614524,
    1421733266, 2017105031, 3882325900, 810735053,  384606609,  2393861397};

// Additive lagged generator: state words j and k, both counting down.
uint32_t etat_aleatoire[55];
int indice_j = 23, indice_k = 54;
bool aleatoire_pret = false;

uint32_t graine_livre = 1;

}  // namespace

void aleatoire_recommence() { aleatoire_pret = false; }

uint32_t aleatoire32() {
  if (!aleatoire_pret) {
    for (int i = 0; i < 55; ++i) etat_aleatoire[i] = graine_aleatoire[i];
    indice_j = 23;
    indice_k = 54;
    aleatoire_pret = true;
  }
  etat_aleatoire[indice_k] += etat_aleatoire[indice_j];
  uint32_t resultat = etat_aleatoire[indice_k];
  if (--indice_j < 0) indice_j = 54;
  if (--indice_k < 0) indice_k = 54;
  return resultat;
}

uint64_t aleatoire64() {
  uint64_t bas = aleatoire32();
  uint64_t haut = aleatoire32();
  return bas | (haut << 32);
}

void initialise_cles() {
  // Drawing restarts from the seed, so keys are the same however often this runs.
  aleatoire_recommence();
  for (int s = 0; s < 64; ++s)
    for (int genre = 0; genre < 12; ++genre) cle_piece[genre][s] = aleatoire64();
  for (int i = 0; i < 2; ++i) {
    cle_roque_blancs[i] = aleatoire64();
    cle_roque_noirs[i] = aleatoire64();
  }
  for (int s = 0; s < 64; ++s) cle_en_passant[s] = aleatoire64();
  cle_trait[0] = aleatoire64();
  cle_trait[1] = aleatoire64();
  for (int s = 0; s < 64; ++s) {
    cle_pion_blanc[s] = aleatoire32();
    cle_pion_noir[s] = aleatoire32();
  }
  position.cle = 0;
  position.cle_pions = 0;
}

uint64_t partie_cle(const int32_t echiquier[64]) {
  uint64_t cle = 0;
  for (int s = 0; s < 64; ++s)
    if (echiquier[s] != 0) cle ^= cle_piece[genre_cle(echiquier[s])][s];
  return cle;
}

void position_calcule_cles() {
  uint64_t cle = 0;
  uint32_t cle_pions = 0;
  for (int s = 0; s < 64; ++s) {
    int p = position.cases[s];
    if (p == 0) continue;
    cle ^= cle_piece[genre_cle(p)][s];
    if (p == PION) cle_pions ^= cle_pion_blanc[s];
    if (p == -PION) cle_pions ^= cle_pion_noir[s];
  }
  position.cle = cle;
  position.cle_pions = cle_pions;
}

uint64_t cle_complete(int ply, int trait) {
  position_calcule_cles();
  const EtatPly& etat = position.etats[ply];
  uint64_t cle = position.cle;
  if (etat.roque_blancs & 1) cle ^= cle_roque_blancs[0];
  if (etat.roque_noirs & 1) cle ^= cle_roque_noirs[0];
  if (etat.roque_blancs & 2) cle ^= cle_roque_blancs[1];
  if (etat.roque_noirs & 2) cle ^= cle_roque_noirs[1];
  cle ^= cle_trait[trait];
  int e = etat.en_passant;
  if (e != AUCUNE_CASE) {
    // Only an en-passant square that a pawn of the side to move can use counts.
    bool prise_possible;
    if (trait == BLANCS)
      prise_possible = (colonne(e) != 0 && e - 9 >= 0 && position.cases[e - 9] == PION) ||
                       (colonne(e) != 7 && e - 7 >= 0 && position.cases[e - 7] == PION);
    else
      prise_possible = (colonne(e) != 0 && e + 7 < 64 && position.cases[e + 7] == -PION) ||
                       (colonne(e) != 7 && e + 9 < 64 && position.cases[e + 9] == -PION);
    if (prise_possible) cle ^= cle_en_passant[e];
  }
  return cle;
}

void graine_livre_fixe(uint32_t valeur) { graine_livre = valeur; }

uint32_t aleatoire_livre() {
  graine_livre = graine_livre * 1103515245u + 12345u;
  return graine_livre >> 16;
}
