// Evasions: the pseudo-legal moves filtered by the check, so that only en
// passant captures need a trial on the board.
#include "movegen/evasions.h"

#include "movegen/generation.h"
#include "movegen/legalite.h"

namespace {

template <int C> Coup* evasions(int ply, Coup* sortie) {
  const Clouage k = clouage<C>();
  Coup* fin = genere_captures(ply, C, sortie);
  fin = genere_non_captures(ply, C, fin);
  Coup* legaux = sortie;
  for (Coup* c = sortie; c != fin; ++c)
    if (coup_legal<C>(ply, *c, k)) *legaux++ = *c;
  return legaux;
}

}  // namespace

Coup* genere_evasions(int ply, int camp, Coup* sortie) {
  return camp == BLANCS ? evasions<BLANCS>(ply, sortie) : evasions<NOIRS>(ply, sortie);
}
