// velmar perft DEPTH [FEN]: one "MOVE: COUNT" line per legal root move, a
// blank line, then "Nodes searched: N".
#include "perft.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "board/cles.h"
#include "board/joue.h"
#include "board/joue_camp.h"
#include "board/position.h"
#include "board/texte_coup.h"
#include "modes.h"
#include "movegen/attaques.h"
#include "movegen/bitboard.h"
#include "movegen/fen.h"
#include "movegen/generation.h"

static_assert(PERFT_PROFONDEUR_MAX * TAILLE_LISTE_MAX <= TAILLE_PILE_COUPS, "the move stack holds every ply's list");
static_assert(PERFT_PROFONDEUR_MAX < PLY_MAX, "one state record per ply");

int prepare_perft(const char* fen) {
  initialise_cles();
  init_tables();
  initialise_diagonales();
  position_depart();
  // A Chess960 position is counted with Chess960 castling when its castling
  // field says so; any other FEN is read as standard chess.
  chess960_demande = fen != nullptr && fen_chess960(fen);
  if (!partie_depuis_fen(fen)) return 0;
  debut_liste[0] = pile_coups;
  return 1;
}

namespace {

// Every legal move is made and unmade, down to the leaves. The generator
// gives the legal moves only, so no attack test follows the moves. The last
// ply has a loop of its own with no call in it, so that the compiler keeps
// the move's fields in registers between the make and the unmake.
// ROQUE960 is set for a game with Chess960 castling, whose unmake has one
// test more.
template <int C, bool ROQUE960> uint64_t compte(int ply, int profondeur) {
  genere_coups_legaux_camp<C>(ply);
  const Coup* fin = debut_liste[ply + 1];
  uint64_t noeuds = 0;
  if (profondeur == 1) {
    for (const Coup* c = debut_liste[ply]; c != fin; ++c) {
      const Coup coup = *c;
      joue_camp<C>(ply, coup);
      ++noeuds;
      dejoue_camp<C, ROQUE960>(ply, coup);
    }
    return noeuds;
  }
  for (const Coup* c = debut_liste[ply]; c != fin; ++c) {
    const Coup coup = *c;
    joue_camp<C>(ply, coup);
    noeuds += compte<C ^ 1, ROQUE960>(ply + 1, profondeur - 1);
    dejoue_camp<C, ROQUE960>(ply, coup);
  }
  return noeuds;
}

}  // namespace

uint64_t compte_perft(int camp, int ply, int profondeur) {
  if (profondeur <= 0) return 1;
  if (position.echecs960)
    return camp == BLANCS ? compte<BLANCS, true>(ply, profondeur) : compte<NOIRS, true>(ply, profondeur);
  return camp == BLANCS ? compte<BLANCS, false>(ply, profondeur) : compte<NOIRS, false>(ply, profondeur);
}

int mode_perft(int argc, char** argv) {
  char* fin = nullptr;
  const long profondeur = argc >= 1 ? std::strtol(argv[0], &fin, 10) : -1;
  if (argc < 1 || fin == argv[0] || *fin != 0 || profondeur < 0 || profondeur > PERFT_PROFONDEUR_MAX) {
    std::fprintf(stderr, "usage: velmar perft DEPTH [FEN]  (DEPTH from 0 to %d)\n", PERFT_PROFONDEUR_MAX);
    return 2;
  }
  std::string fen;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) fen += ' ';
    fen += argv[i];
  }
  if (!prepare_perft(argc > 1 ? fen.c_str() : nullptr)) {
    std::fprintf(stderr, "velmar: bad FEN (%s)\n", erreur_fen);
    return 2;
  }

  const int camp = partie.trait;
  uint64_t total = 0;
  if (profondeur == 0) {
    total = 1;
  } else {
    genere_coups(camp, 0);
    for (Coup* c = debut_liste[0]; c != debut_liste[1]; ++c) {
      joue(camp, 0, *c);
      if (!en_echec(camp)) {
        const uint64_t n = compte_perft(camp ^ 1, 1, static_cast<int>(profondeur) - 1);
        char texte[8];
        std::printf("%s: %" PRIu64 "\n", texte_coup(*c, texte), n);
        total += n;
      }
      dejoue(camp, 0, *c);
    }
  }
  std::printf("\nNodes searched: %" PRIu64 "\n", total);
  return 0;
}
