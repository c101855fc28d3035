#include "search/syzygy_recherche.h"

#include "movegen/generation.h"

int32_t racine_tables = 0;
int32_t verdict_racine = 0;

namespace {

// Whether some position has occurred twice since the fifty-move counter was
// last zeroed: the tables' distances then no longer tell the whole story.
int repetition_depuis_zero() {
  const int fin = position.demi_coups, debut = position.irreversible_racine;
  for (int i = fin; i >= debut; --i)
    for (int j = i - 2; j >= debut; j -= 2)
      if (partie.cles[j] == partie.cles[i]) return 1;
  return 0;
}

}  // namespace

int classe_racine_tables() {
  racine_tables = 0;
  if (syzygy_pieces == 0 || nb_coups_racine == 0) return 0;
  const EtatPly& e = position.etats[0];
  if ((e.roque_blancs | e.roque_noirs) & 3) return 0;
  if (compte_bits(occupation()) > std::min(syzygy_pieces.load(), syzygy_limite_pieces.load())) return 0;
  if (tb_disponibles && table_couvre(camp_racine)) return 0;

  // The same count as the engine's own fifty-move draw.
  const int compteur = std::max(0, position.demi_coups - position.irreversible_racine - 1);
  int32_t rangs[RACINE_MAX];
  int verdict = 0;
  ++tb_sondes;
  if (!classe_racine_syzygy(camp_racine, compteur, repetition_depuis_zero(), debut_liste[0], nb_coups_racine, rangs,
                            verdict))
    return 0;
  ++tb_succes;
  int32_t meilleur = rangs[0];
  for (int i = 1; i < nb_coups_racine; ++i) meilleur = std::max(meilleur, rangs[i]);
  Coup* liste = debut_liste[0];
  int k = 0;
  for (int i = 0; i < nb_coups_racine; ++i) {
    if (rangs[i] != meilleur) continue;
    liste[k] = liste[i];
    fiches_racine[k] = fiches_racine[i];
    ++k;
  }
  nb_coups_racine = k;
  debut_liste[1] = liste + k;
  racine_tables = 1;
  verdict_racine = verdict > 0 ? GAIN_TABLES : verdict < 0 ? -GAIN_TABLES : 0;
  return 1;
}
