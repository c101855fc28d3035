// velmar bench [DEPTH [NAME=VALUE]...]: searches each position of a fixed
// list to DEPTH completed iterations from a fresh state, with the engine
// options given set, one line per position, then the node total and the
// speed (twice: as labelled lines, then as "N nodes M nps"). The total must
// not change unless the search or the evaluation does.
#include "bench.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "board/cles.h"
#include "board/position.h"
#include "board/texte_coup.h"
#include "book/reglages_livre.h"
#include "eval/hash_pions.h"
#include "eval/tables_evaluation.h"
#include "front/options.h"
#include "modes.h"
#include "movegen/bitboard.h"
#include "movegen/fen.h"
#include "movegen/generation.h"
#include "movegen/selection.h"
#include "search/etat_recherche.h"
#include "search/limites_recherche.h"
#include "search/recherche.h"
#include "search/reglages_recherche.h"
#include "search/table_hash.h"
#include "systeme/sorties.h"

namespace {

constexpr int64_t HASH_BENCH = 16 * 1048576;

// Openings, middlegames, endgames, and a few tactical and mating positions.
constexpr const char* positions_bench[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
    "r3k2r/2pb1ppp/2pp1q2/p7/1nP1B3/1P2P3/P2N1PPP/R2QK2R w KQkq a6 0 14",
    "4rrk1/2p1b1p1/p1p3q1/4p3/2P2n1p/1P1NR2P/PB3PP1/3R1QK1 b - - 2 24",
    "r3qbrk/6p1/2b2pPp/p3pP1Q/PpPpP2P/3P1B2/2PB3K/R5R1 w - - 16 42",
    "6k1/1R3p2/6p1/2Bp3p/3P2q1/P7/1P2rQ1K/5R2 b - - 4 44",
    "8/8/1p2k1p1/3p3p/1p1P1P1P/1P2PK2/8/8 w - - 3 54",
    "7r/2p3k1/1p1p1qp1/1P1Bp3/p1P2r1P/P7/4R3/Q4RK1 w - - 0 36",
    "r1bq1rk1/pp2b1pp/n1pp1n2/3P1p2/2P1p3/2N1P2N/PP2BPPP/R1BQ1RK1 b - - 2 10",
    "3r3k/2r4p/1p1b3q/p4P2/P2Pp3/1B2P3/3BQ1RP/6K1 w - - 3 87",
    "2r4r/1p4k1/1Pnp4/3Qb1pq/8/4BpPp/5P2/2RR1BK1 w - - 0 42",
    "4q1bk/6b1/7p/p1p4p/PNPpP2P/KN4P1/3Q4/4R3 b - - 0 37",
    "2q3r1/1r2pk2/pp3pp1/2pP3p/P1Pb1BbP/1P4Q1/R3NPP1/4R1K1 w - - 2 34",
    "1r2r2k/1b4q1/pp5p/2pPp1p1/P3Pn2/1P1B1Q1P/2R3P1/4BR1K b - - 1 37",
    "r3kbbr/pp1n1p1P/3ppnp1/q5N1/1P1pP3/P1N1B3/2P1QP2/R3KB1R b KQq b3 0 17",
    "8/6pk/2b1Rp2/3r4/1R1B2PP/P5K1/8/2r5 b - - 16 42",
    "1r4k1/4ppb1/2n1b1qp/pB4p1/1n1BP1P1/7P/2PNQPK1/3RN3 w - - 8 29",
    "8/p2B4/PkP5/4p1pK/4Pb1p/5P2/8/8 w - - 29 68",
    "3r4/ppq1ppkp/4bnp1/2pN4/2P1P3/1P4P1/PQ3PBP/R4K2 b - - 2 20",
    "5rr1/4n2k/4q2P/P1P2n2/3B1p2/4pP2/2N1P3/1RR1K2Q w - - 1 49",
    "1r5k/2pq2p1/3p3p/p1pP4/4QP2/PP1R3P/6PK/8 w - - 1 51",
    "q5k1/5ppp/1r3bn1/1B6/P1N2P2/BQ2P1P1/5K1P/8 b - - 2 34",
    "r1b2k1r/5n2/p4q2/1ppn1Pp1/3pp1p1/NP2P3/P1PPBK2/1RQN2R1 w - - 0 22",
    "r1bqk2r/pppp1ppp/5n2/4b3/4P3/P1N5/1PP2PPP/R1BQKB1R w KQkq - 0 5",
    "r1bqr1k1/pp1p1ppp/2p5/8/3N1Q2/P2BB3/1PP2PPP/R3K2n b Q - 1 12",
    "r1bq2k1/p4r1p/1pp2pp1/3p4/1P1B3Q/P2B1N2/2P3PP/4R1K1 b - - 2 19",
    "r4qk1/6r1/1p4p1/2ppBbN1/1p5Q/P7/2P3PP/5RK1 w - - 2 25",
    "r7/6k1/1p6/2pp1p2/7Q/8/p1P2K1P/8 w - - 0 32",
    "r3k2r/ppp1pp1p/2nqb1pn/3p4/4P3/2PP4/PP1NBPPP/R2QK1NR w KQkq - 1 5",
    "3r1rk1/1pp1pn1p/p1n1q1p1/3p4/Q3P3/2P5/PP1NBPPP/4RRK1 w - - 0 12",
    "5k2/1p2rpp1/p4n1p/3P4/8/1P6/P3RPPP/6K1 w - - 1 24",
    "8/8/8/8/5kp1/P7/8/1K1N4 w - - 0 1",
    "8/8/8/5N2/8/p7/8/2NK3k w - - 0 1",
    "8/3k4/8/8/8/4B3/4KB2/2B5 w - - 0 1",
    "8/8/1P6/5pr1/8/4R3/7k/2K5 w - - 0 1",
    "8/2p4P/8/kr6/6R1/8/8/1K6 w - - 0 1",
    "8/8/3P3k/8/1p6/8/1P6/1K3n2 b - - 0 1",
    "8/R7/2q5/8/6k1/8/1P5p/K6R w - - 0 124",
    "6k1/3b3r/1p1p4/p1n2p2/1PPNpP1q/P3Q1p1/1R1RB1P1/5K2 b - - 0 1",
    "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1",
    "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4",
    // A passed pawn on the seventh rank, supported by another.
    "3r2k1/p1P2ppp/1P6/8/2b5/2N5/5PPP/3R2K1 b - - 0 1",
};

bool tables_pretes = false;
int64_t taille_bench = 0;

}  // namespace

int prepare_bench(const char* fen) {
  if (!tables_pretes) {
    initialise_cles();
    init_tables();
    initialise_tables_evaluation();
    initialise_diagonales();
    position_depart();
    tables_pretes = true;
  }
  // Other callers in the same process (the tests) may have resized the table.
  if (taille_bench == 0 || taille_hash != taille_bench || table_hash == nullptr)
    taille_bench = alloue_hash(HASH_BENCH);
  hash_actif = 1;
  efface_hash();
  efface_hash_pions();
  age_hash = 0;
  for (auto& camp : historique)
    for (int32_t& h : camp) h = 0;
  mat_connu = 0;
  compteur_livre = 0;
  ponder_autorise = 0;
  ponder_en_cours = 0;
  analyse_infinie = 0;
  if (!partie_depuis_fen(fen)) return 0;
  debut_liste[0] = pile_coups;
  return 1;
}

int cherche_bench(int profondeur, int64_t& noeuds_total) {
  mode_temps_fixe = 1;
  temps_fixe = 1000000;
  profondeur_max = profondeur + 1;
  // The search talks to the interface on standard output; the bench has its
  // own report, so the search's lines go to the null device meanwhile.
  SortiesSauvees sauvegarde = coupe_sorties();
  const int score = recherche_iterative();
  retablit_sorties(sauvegarde);
  noeuds_total = noeuds;
  return score;
}

int mode_bench(int argc, char** argv) {
  int profondeur = BENCH_PROFONDEUR_DEFAUT;
  if (argc >= 1) {
    char* fin = nullptr;
    const long n = std::strtol(argv[0], &fin, 10);
    if (fin == argv[0] || *fin != 0 || n < 1 || n > 60) {
      std::fprintf(stderr, "usage: velmar bench [DEPTH [NAME=VALUE]...]  (DEPTH from 1 to 60, default %d)\n",
                   BENCH_PROFONDEUR_DEFAUT);
      return 2;
    }
    profondeur = static_cast<int>(n);
  }
  // Engine options, as "setoption name NAME value VALUE" would set them.
  for (int i = 1; i < argc; ++i) {
    std::string nom = argv[i];
    const size_t egal = nom.find('=');
    const std::string valeur = egal == std::string::npos ? "" : nom.substr(egal + 1);
    if (egal != std::string::npos) nom.resize(egal);
    if (!applique_option(nom.c_str(), valeur.c_str())) {
      std::fprintf(stderr, "velmar bench: no option %s\n", nom.c_str());
      return 2;
    }
  }
  int64_t total = 0;
  const auto debut = std::chrono::steady_clock::now();
  int numero = 0;
  for (const char* fen : positions_bench) {
    ++numero;
    if (!prepare_bench(fen)) {
      std::printf("Position %d: FEN refused: %s\n", numero, fen);
      return 1;
    }
    int64_t n = 0;
    const int score = cherche_bench(profondeur, n);
    total += n;
    char texte[8] = "(none)";
    if (score != -MAT) texte_coup(pv[0][0], texte);
    std::printf("Position %2d: depth %d score %6d bestmove %-6s nodes %10lld  %s\n", numero, profondeur_terminee,
                score, texte, static_cast<long long>(n), fen);
    std::fflush(stdout);
  }
  const int64_t ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - debut)
                         .count();
  const long long nps = ms > 0 ? total * 1000 / ms : total;
  std::printf("\nNodes searched: %lld\n", static_cast<long long>(total));
  std::printf("Nodes/second: %lld\n", nps);
  // The same two numbers on one last line, the form distributed testing
  // frameworks (OpenBench) read from "bench".
  std::printf("%lld nodes %lld nps\n", static_cast<long long>(total), nps);
  return 0;
}
