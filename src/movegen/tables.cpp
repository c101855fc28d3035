// Precomputed bitboard tables, filled once at start-up.
#include <cstdio>
#include <cstdlib>

#include "movegen/bitboard.h"
#include "movegen/generation.h"

Bitboard masque_rangee[8];
Bitboard masque_colonne[8];
Bitboard pas_colonne_a, pas_colonne_h;
Bitboard chemin_roque[4];
Bitboard rayon[8][64];
int8_t direction[64][64];
Bitboard entre[64][64];
Bitboard attaques_cavalier[64];
Bitboard attaques_roi[64];
Bitboard sources_pion_blanc[64];
Bitboard sources_pion_noir[64];
Bitboard attaques_fou_vide[64];
Bitboard attaques_tour_vide[64];
Bitboard attaques_dame_vide[64];
uint8_t premier_bit_8[256];

Glissement glissements_fou[64];
Glissement glissements_tour[64];

namespace {

// Multipliers that send the blocker sets of each square to distinct slots of
// its slice (or to slots holding the same attacks), with as many index bits
// as the square has blocker squares. Found once by a random search over
// sparse numbers; the table start-up checks every blocker set against them.
constexpr Bitboard multiplicateurs_fou[64] = {
    0x10102002004A1420ull, 0x24002220020A0044ull, 0x00024C0810D00080ull, 0x0111208244209200ull,
    0x01A0106010208844ull, 0x0810000026211008ull, 0x1030412401180820ull, 0x0028208200A02020ull,
    0x0002100222104020ull, 0x0078200112420300ull, 0x0040043050024000ull, 0x0004422044242000ull,
    0x5220200084040600ull, 0x10806206010C8110ull, 0x0802120884041610ull, 0x8040480808088100ull,
    0x0002244102023C20ull, 0x000284040488C410ull, 0x0040080830400020ull, 0x8004088100400400ull,
    0x28C0202018000104ull, 0x0000104430016804ull, 0x390C108805000800ull, 0x108C108864220810ull,
    0x0001411100020040ull, 0x007000C202208200ull, 0x1001011200410800ull, 0x8009010400060020ull,
    0x0000202020080080ull, 0x3004024900080208ull, 0x8114100D00068C00ull, 0x0142500480C10804ull,
    0x0000430000410840ull, 0x0002184002011001ull, 0x018041000200A200ull, 0x0000840005802000ull,
    0x0894080000220040ull, 0x0004020004102402ull, 0x0010048488012408ull, 0x4210103108218100ull,
    0x0188480080441001ull, 0x1000811422015040ull, 0x0200400608200400ull, 0x8481000820083280ull,
    0x4008048486004140ull, 0x002100A808090510ull, 0x1002000408220400ull, 0x0405810888880801ull,
    0x100442420A300200ull, 0x00080080B0082104ull, 0x0000044402400300ull, 0x0B0C040420882000ull,
    0x2840082040400100ull, 0x00080800C10A0008ull, 0x00000A08080500D4ull, 0x0000041010014101ull,
    0x4A49010080844050ull, 0x05B38205504080A1ull, 0x0C81042006001002ull, 0x000202104801060Aull,
    0x000404019C88D000ull, 0x0008180100201002ull, 0x8890041800404102ull, 0x2010200081044908ull,
};

constexpr Bitboard multiplicateurs_tour[64] = {
    0x0100002404890942ull, 0xA010880201101094ull, 0x024100040008A251ull, 0x3012000904102002ull,
    0x006A004008201106ull, 0x092040100A002082ull, 0x0020804001002011ull, 0x0044B10480044021ull,
    0x1042006100840200ull, 0x1005800200010080ull, 0x120A00051008E200ull, 0x0002080011010500ull,
    0x0412811004880080ull, 0x0001084010200100ull, 0x8642400221048100ull, 0x0130400280092080ull,
    0x80104082450A0004ull, 0x0002000401420088ull, 0x941A001020040400ull, 0x80C0080005010010ull,
    0x608C100008008080ull, 0x0002004820820010ull, 0x2180500020024000ull, 0x0180002001D14000ull,
    0x4208006902000084ull, 0xA020880204002110ull, 0x00001020080104C0ull, 0x0824008008080040ull,
    0x0010008010800804ull, 0x0810801000802004ull, 0x000040010100208Cull, 0x2020804000800020ull,
    0x0001288200041041ull, 0x4001000100040200ull, 0x4A02008080040002ull, 0x0014040080080080ull,
    0x1830080080100082ull, 0x0010804200201200ull, 0x0903400280200081ull, 0x0040400080208000ull,
    0x0002020001009044ull, 0x0000440002500881ull, 0x8082080120104004ull, 0x0008008008040080ull,
    0x2010008010800800ull, 0x0010150020010240ull, 0x0010004000200040ull, 0x0C61050020800040ull,
    0x24C1002548830002ull, 0x3002000801040200ull, 0x0202808004001200ull, 0x0002000820060010ull,
    0x0020801000800800ull, 0xA200802000100081ull, 0x80A1002081004000ull, 0x0208800090400020ull,
    0x0200020081004824ull, 0x4200008200082104ull, 0x0E00020010880441ull, 0x11800401800A0800ull,
    0x0100100004200901ull, 0x0200220040800810ull, 0x0240044020001008ull, 0x2280001020400080ull,
};

// Room for every square's slice: 2^(number of blocker squares) each.
constexpr int TAILLE_TABLE_FOU = 5248;
constexpr int TAILLE_TABLE_TOUR = 102400;
Bitboard table_fou[TAILLE_TABLE_FOU];
Bitboard table_tour[TAILLE_TABLE_TOUR];

constexpr int pas_direction[8] = {1, -1, 7, -7, 8, -8, 9, -9};

// Square reached from s by one step of `pas`, or -1 off the board (a step
// may change the rank and the file by one at most).
int pas_valide(int s, int pas) {
  int t = s + pas;
  if (t < 0 || t > 63) return -1;
  if (std::abs(colonne(t) - colonne(s)) > 1 || std::abs(rangee(t) - rangee(s)) > 1) return -1;
  return t;
}

// Attacks from s along the given steps, each walk stopping on the first
// occupied square (included). Start-up only.
Bitboard marche(int s, const int* pas, Bitboard occupees) {
  Bitboard a = 0;
  for (int k = 0; k < 4; ++k)
    for (int t = pas_valide(s, pas[k]); t >= 0; t = pas_valide(t, pas[k])) {
      a |= bit_case(t);
      if (occupees & bit_case(t)) break;
    }
  return a;
}

// The squares whose occupancy can stop a slider on s: its empty-board
// attacks without the last square of each walk.
Bitboard bloqueurs(int s, const int* pas) {
  Bitboard b = 0;
  for (int k = 0; k < 4; ++k)
    for (int t = pas_valide(s, pas[k]); t >= 0 && pas_valide(t, pas[k]) >= 0; t = pas_valide(t, pas[k]))
      b |= bit_case(t);
  return b;
}

// Fills every square's slice for one kind of slider, walking all subsets of
// its blocker squares. Returns 0 if a multiplier maps two blocker sets with
// different attacks to the same slot.
int remplit_glissements(Glissement* glissements, const Bitboard* multiplicateurs, const int* pas, Bitboard* table,
                        int taille) {
  int utilise = 0;
  for (int s = 0; s < 64; ++s) {
    Glissement& g = glissements[s];
    g.masque = bloqueurs(s, pas);
    g.multiplicateur = multiplicateurs[s];
    g.decalage = static_cast<uint32_t>(64 - compte_bits(g.masque));
    const int n = 1 << compte_bits(g.masque);
    if (utilise + n > taille) return 0;
    Bitboard* const tranche = table + utilise;
    g.attaques = tranche;
    for (int i = 0; i < n; ++i) tranche[i] = 0;
    // The magic slots are checked even when the bit-extract instruction
    // indexes the table, so both builds accept the same multipliers.
    static uint32_t essai[4096];
    static Bitboard vu[4096];
    for (int i = 0; i < n; ++i) essai[i] = 0;
    Bitboard sous_ensemble = 0;
    do {
      const Bitboard a = marche(s, pas, sous_ensemble);
      const uint32_t m = static_cast<uint32_t>((sous_ensemble * g.multiplicateur) >> g.decalage);
      if (essai[m] && vu[m] != a) return 0;
      essai[m] = 1;
      vu[m] = a;
      tranche[indice_glissement(g, sous_ensemble)] = a;
      sous_ensemble = (sous_ensemble - g.masque) & g.masque;
    } while (sous_ensemble);
    utilise += n;
  }
  return 1;
}

void remplit_rayons() {
  for (int a = 0; a < 64; ++a)
    for (int b = 0; b < 64; ++b) {
      entre[a][b] = ~Bitboard{0};
      direction[a][b] = 0;
    }
  for (int s = 0; s < 64; ++s)
    for (int k = 0; k < 8; ++k) {
      int pas = pas_direction[k];
      Bitboard chemin = 0;
      rayon[k][s] = 0;
      for (int t = pas_valide(s, pas); t >= 0; t = pas_valide(t, pas)) {
        rayon[k][s] |= bit_case(t);
        direction[s][t] = static_cast<int8_t>(pas);
        entre[s][t] = chemin;
        chemin |= bit_case(t);
      }
    }
}

Bitboard cibles_par_sauts(int s, const int (*sauts)[2], int n) {
  Bitboard b = 0;
  for (int k = 0; k < n; ++k) {
    int f = colonne(s) + sauts[k][0], r = rangee(s) + sauts[k][1];
    if (f >= 0 && f < 8 && r >= 0 && r < 8) b |= bit_case(case_de(f, r));
  }
  return b;
}

}  // namespace

void init_tables() {
  // The move lists of the calling thread start at the bottom of its stack.
  debut_liste[0] = pile_coups;
  for (int i = 0; i < 8; ++i) {
    masque_rangee[i] = 0;
    masque_colonne[i] = 0;
  }
  for (int s = 0; s < 64; ++s) {
    masque_rangee[rangee(s)] |= bit_case(s);
    masque_colonne[colonne(s)] |= bit_case(s);
  }
  pas_colonne_a = ~masque_colonne[0];
  pas_colonne_h = ~masque_colonne[7];
  chemin_roque[0] = bit_case(F1) | bit_case(G1);
  chemin_roque[1] = bit_case(B1) | bit_case(C1) | bit_case(D1);
  chemin_roque[2] = bit_case(F8) | bit_case(G8);
  chemin_roque[3] = bit_case(B8) | bit_case(C8) | bit_case(D8);

  premier_bit_8[0] = 8;
  for (int v = 1; v < 256; ++v) premier_bit_8[v] = static_cast<uint8_t>(7 - (31 - __builtin_clz(v)));

  constexpr int sauts_cavalier[8][2] = {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
  constexpr int sauts_roi[8][2] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
  for (int s = 0; s < 64; ++s) {
    attaques_cavalier[s] = cibles_par_sauts(s, sauts_cavalier, 8);
    attaques_roi[s] = cibles_par_sauts(s, sauts_roi, 8);
    sources_pion_blanc[s] = 0;
    sources_pion_noir[s] = 0;
    if (rangee(s) > 0 && colonne(s) > 0) sources_pion_blanc[s] |= bit_case(s - 9);
    if (rangee(s) > 0 && colonne(s) < 7) sources_pion_blanc[s] |= bit_case(s - 7);
    if (rangee(s) < 7 && colonne(s) > 0) sources_pion_noir[s] |= bit_case(s + 7);
    if (rangee(s) < 7 && colonne(s) < 7) sources_pion_noir[s] |= bit_case(s + 9);
  }

  remplit_rayons();
  constexpr int pas_fou[4] = {7, -7, 9, -9};
  constexpr int pas_tour[4] = {1, -1, 8, -8};
  if (!remplit_glissements(glissements_fou, multiplicateurs_fou, pas_fou, table_fou, TAILLE_TABLE_FOU) ||
      !remplit_glissements(glissements_tour, multiplicateurs_tour, pas_tour, table_tour, TAILLE_TABLE_TOUR)) {
    std::fputs("velmar: slider attack tables inconsistent\n", stderr);
    std::abort();
  }
  for (int s = 0; s < 64; ++s) {
    attaques_fou_vide[s] = attaques_fou_par(s, 0);
    attaques_tour_vide[s] = attaques_tour_par(s, 0);
    attaques_dame_vide[s] = attaques_fou_vide[s] | attaques_tour_vide[s];
  }
}
