// velmar eval [FEN]: the static evaluation of a position term by term. The
// evaluation is prepared as a search would prepare it; every group is shown
// from White's point of view, then the evaluation for the side to move with
// a full window.
#include <cstdio>
#include <string>

#include "board/cles.h"
#include "board/position.h"
#include "eval/detail_evaluation.h"
#include "eval/evaluation.h"
#include "eval/hash_pions.h"
#include "eval/tables_evaluation.h"
#include "modes.h"
#include "movegen/bitboard.h"
#include "movegen/fen.h"
#include "search/table_hash.h"

namespace {

const char* const noms_phases[3] = {"ouverture", "milieu de partie", "finale"};

}  // namespace

int mode_eval(int argc, char** argv) {
  std::string fen;
  for (int i = 0; i < argc; ++i) {
    if (i > 0) fen += ' ';
    fen += argv[i];
  }

  initialise_cles();
  init_tables();
  initialise_tables_evaluation();
  initialise_diagonales();
  position_depart();
  // The FEN reader expects a blank after the en-passant field.
  if (!fen.empty()) fen += ' ';
  if (!partie_depuis_fen(fen.empty() ? nullptr : fen.c_str())) {
    std::fprintf(stderr, "velmar: FEN refused: %s\n", erreur_fen ? erreur_fen : "malformed");
    return 2;
  }

  // As at the start of a search: fresh tables, the lazy margin reset.
  alloue_hash(HASH_MINIMUM);
  marge_paresseuse = 200;
  prepare_evaluation();
  efface_hash_pions();

  DetailEvaluation d;
  const int camp = partie.trait;
  const int total = evalue_detaillee(camp, 0, d);

  std::printf("Phase: %d (%s)\n", phase_jeu, noms_phases[phase_jeu]);
  if (d.sans_pions_nul) {
    std::printf("Materiel insuffisant: nulle\n");
  } else {
    std::printf("Materiel et echanges: %d\n", d.materiel);
    std::printf("Structure de pions: %d\n", d.pions);
    std::printf("Pions passes: %d\n", d.passes);
    std::printf("Roque et centre: %d\n", d.roque);
    std::printf("Exposition des rois: %d\n", d.exposition);
    std::printf("Attaque des rois: %d\n", d.attaque);
    if (phase_jeu == 2) {
      std::printf("Finale: %d\n", d.finale);
      std::printf("Correction de finale nulle: %d\n", d.correction);
    } else {
      std::printf("Pieces: %d\n", d.pieces);
      std::printf("Fous: %d\n", d.fous);
      std::printf("Trait: %d\n", d.trait);
    }
  }
  std::printf("Evaluation: %d\n", total);
  libere_hash();
  return 0;
}
