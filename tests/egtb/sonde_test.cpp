// Probing from the search board: scores from the kqk and kpk tables,
// compressed and uncompressed, in both colour orientations, checked against
// the stored distances and against a one-ply look-ahead.
#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <map>
#include <random>

#include "board/fen.h"
#include "board/joue.h"
#include "board/position.h"
#include "common/session.h"
#include "egtb/registre.h"
#include "egtb/sonde.h"
#include "egtb/tablebases.h"
#include "fichiers_tb.h"
#include "movegen/attaques.h"
#include "movegen/generation.h"
#include "perft.h"

namespace {

namespace fs = std::filesystem;
constexpr int KPK = 1, KQK = 5;

std::string repertoire_tables(bool compresse) {
  const std::string d = repertoire_vide(compresse ? "sonde_c" : "sonde_u");
  for (const char* t : {"kqk.nbw", "kqk.nbb", "kpk.nbw", "kpk.nbb"})
    fs::copy_file(DONNEES_TB + "/tables/" + t + (compresse ? ".emd" : ""), d + "/" + t + (compresse ? ".emd" : ""));
  return d;
}

// Sets the search board from a FEN; false when the FEN is refused (for
// example the side not to move in check).
bool place(const std::string& fen) {
  static bool pret = false;
  if (!pret) {
    prepare_perft(nullptr);
    pret = true;
  }
  if (!lit_fen(fen.c_str())) return false;
  partie_recommence(partie);
  partie_fixe_trait(partie, partie.trait);
  partie_programme_au_trait(partie);
  partie_vers_position(partie);
  return true;
}

// Score implied by a stored byte (none: 127 returned as INT32_MIN).
int32_t score_attendu(int8_t b) {
  if (b == 127) return INT32_MIN;
  if (b == 0) return 0;
  if (b == -128) return 29747;
  if (b == -127) return -29748;
  return b > 0 ? 2 * b + 29747 : 2 * b - 29748;
}

struct Cas {
  std::string fen;
  int n, camp_table, inversion;
  int32_t blancs[24], noirs[24];  // table orientation
  int trait;
};

// A random position of kqk or kpk, the strong side White or Black.
bool cas_aleatoire(int n, std::mt19937& rng, Cas& c) {
  const char fort = n == KQK ? 'q' : 'p';
  int k1 = int(rng() % 64), k2 = int(rng() % 64), x = int(rng() % 64);
  if (k1 == k2 || x == k1 || x == k2) return false;
  if (fort == 'p' && (x < 8 || x >= 56)) return false;
  const bool inverse = rng() & 1;
  c.trait = int(rng() & 1);
  char plateau[64];
  for (char& p : plateau) p = 0;
  plateau[k1] = inverse ? 'k' : 'K';
  plateau[k2] = inverse ? 'K' : 'k';
  plateau[x] = inverse ? fort : char(fort - 32);
  std::string fen;
  for (int r = 7; r >= 0; --r) {
    int vides = 0;
    for (int f = 0; f < 8; ++f) {
      char p = plateau[8 * r + f];
      if (!p) {
        ++vides;
        continue;
      }
      if (vides) fen += char('0' + vides);
      vides = 0;
      fen += p;
    }
    if (vides) fen += char('0' + vides);
    if (r) fen += '/';
  }
  fen += c.trait == 0 ? " w - - 0 1" : " b - - 0 1";
  c.fen = fen;
  c.n = n;
  c.inversion = inverse;
  c.camp_table = c.trait ^ int(inverse);
  for (int i = 0; i < 24; ++i) c.blancs[i] = c.noirs[i] = 0;
  c.blancs[0] = k1;
  c.noirs[0] = k2;
  c.blancs[n == KQK ? 20 : 4] = x;
  return true;
}

class Sonde : public ::testing::Test {
 protected:
  void TearDown() override {
    initialise_tables(::testing::TempDir().c_str());
    fixe_cache_tables(1);
  }
};

TEST_F(Sonde, ScoresDesDistancesStockeesCompresseOuNon) {
  std::mt19937 rng(2024);
  std::vector<Cas> cas;
  while (cas.size() < 4000) {
    Cas c;
    if (cas_aleatoire(cas.size() % 2 ? KQK : KPK, rng, c) && place(c.fen)) cas.push_back(c);
  }
  std::map<std::string, std::vector<uint8_t>> fichiers;
  for (const char* t : {"kqk.nbw", "kqk.nbb", "kpk.nbw", "kpk.nbb"}) fichiers[t] = lit_fichier(DONNEES_TB + "/tables/" + t);
  std::vector<int32_t> scores[2];
  int inverses = 0, gagnes = 0, nuls = 0;
  for (int compresse = 0; compresse < 2; ++compresse) {
    ASSERT_EQ(initialise_tables(repertoire_tables(compresse).c_str()), 3);
    for (const Cas& c : cas) {
      ASSERT_TRUE(place(c.fen));
      int32_t score = 12345;
      int ok = sonde_tables(score, c.trait);
      const std::string nom = std::string(c.n == KQK ? "kqk" : "kpk") + (c.camp_table ? ".nbb" : ".nbw");
      uint32_t i = fonction_indice(c.n, c.camp_table)(c.blancs, c.noirs, EP_AUCUN, c.inversion);
      ASSERT_LT(i, fichiers[nom].size()) << c.fen;
      int32_t attendu = score_attendu(int8_t(fichiers[nom][i]));
      if (attendu == INT32_MIN) {
        EXPECT_EQ(ok, 0) << c.fen;
      } else {
        ASSERT_EQ(ok, 1) << c.fen;
        ASSERT_EQ(score, attendu) << c.fen;
      }
      scores[compresse].push_back(ok ? score : INT32_MIN);
      if (compresse == 0) inverses += c.inversion, gagnes += score > 0, nuls += score == 0;
    }
  }
  EXPECT_EQ(scores[0], scores[1]);
  EXPECT_GT(inverses, 1000);
  EXPECT_GT(gagnes, 1000);
  EXPECT_GT(nuls, 100);
}

// Negamax over one ply with the engine's own moves: a mate score moves one
// step towards zero per ply, a draw stays a draw.
int32_t score_par_les_enfants(int trait, bool& complet) {
  genere_coups(trait, 1);
  int32_t meilleur = -INFINI;
  bool legal = false;
  for (Coup* c = debut_liste[1]; c != debut_liste[2]; ++c) {
    joue(trait, 1, *c);
    if (!en_echec(trait)) {
      legal = true;
      int32_t s = 0;
      const int pieces = std::popcount(position.occupation_blancs | position.occupation_noirs);
      if (promotion(*c) && promotion(*c) != DAME) {
        complet = false;  // no table here for the under-promotions
      } else if (pieces > 2 && !sonde_tables(s, trait ^ 1)) {
        complet = false;
      }
      if (-s > meilleur) meilleur = -s;
    }
    dejoue(trait, 1, *c);
  }
  if (!legal) return en_echec(trait) ? -MAT : 0;
  return meilleur > 0 ? meilleur - 1 : meilleur < 0 ? meilleur + 1 : 0;
}

TEST_F(Sonde, CoherentAvecLesCoupsSuivants) {
  ASSERT_EQ(initialise_tables(repertoire_tables(true).c_str()), 3);
  std::mt19937 rng(7);
  int verifies = 0;
  while (verifies < 600) {
    Cas c;
    if (!cas_aleatoire(verifies % 2 ? KQK : KPK, rng, c) || !place(c.fen)) continue;
    debut_liste[0] = pile_coups;
    debut_liste[1] = pile_coups;
    int32_t score = 0;
    ASSERT_EQ(sonde_tables(score, c.trait), 1) << c.fen;
    bool complet = true;
    int32_t enfants = score_par_les_enfants(c.trait, complet);
    if (!complet) continue;
    ASSERT_EQ(score, enfants) << c.fen;
    ++verifies;
  }
}

TEST_F(Sonde, CasParticuliers) {
  ASSERT_EQ(initialise_tables(repertoire_tables(false).c_str()), 3);
  int32_t score = 0;
  // Mate in one, and the same with the colours exchanged.
  ASSERT_TRUE(place("k7/8/1K6/8/8/8/7Q/8 w - - 0 1"));
  ASSERT_EQ(sonde_tables(score, BLANCS), 1);
  EXPECT_EQ(score, 29999);
  ASSERT_TRUE(place("K7/8/1k6/8/8/8/7q/8 b - - 0 1"));
  ASSERT_EQ(sonde_tables(score, NOIRS), 1);
  EXPECT_EQ(score, 29999);
  // Mated at once is not probed (the side to move would be in check from a
  // table position anyway); mated in one: -29998.
  ASSERT_TRUE(place("K7/8/1k6/8/8/8/8/7q w - - 0 1"));
  ASSERT_EQ(sonde_tables(score, BLANCS), 1);
  EXPECT_EQ(score, -29998);
  // Stalemate is a draw and still a value.
  ASSERT_TRUE(place("k7/2K5/1Q6/8/8/8/8/8 b - - 0 1"));
  score = 5;
  ASSERT_EQ(sonde_tables(score, NOIRS), 1);
  EXPECT_EQ(score, 0);
  // Material without a table.
  ASSERT_TRUE(place("k7/8/1K6/8/8/8/8/1RRR4 w - - 0 1"));
  EXPECT_EQ(sonde_tables(score, BLANCS), 0);
  ASSERT_TRUE(place("k7/8/1K6/8/8/8/8/1R6 w - - 0 1"));
  EXPECT_EQ(sonde_tables(score, BLANCS), 0);
  ASSERT_TRUE(place("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"));
  EXPECT_EQ(sonde_tables(score, BLANCS), 0);

  // Only the Black-to-move file: White-to-move probes find nothing, and a
  // colour-exchanged position with White to move uses the Black-to-move file.
  const std::string d = repertoire_vide("noir_seul");
  fs::copy_file(DONNEES_TB + "/tables/kqk.nbb", d + "/kqk.nbb");
  ASSERT_EQ(initialise_tables(d.c_str()), 3);
  ASSERT_TRUE(place("k7/8/1K6/8/8/8/7Q/8 w - - 0 1"));
  EXPECT_EQ(sonde_tables(score, BLANCS), 0);
  ASSERT_TRUE(place("K7/8/1k6/8/8/8/8/7q w - - 0 1"));
  ASSERT_EQ(sonde_tables(score, BLANCS), 1);
  EXPECT_EQ(score, -29998);
}

// A set that is its own colour exchange, published White to move only (or
// Black to move only), answers for both sides to move.
TEST_F(Sonde, EnsembleSymetriqueDUnSeulFichier) {
  const int32_t taille = definitions_tables[8].taille_blancs;  // knkn, both sides alike
  for (const char* extension : {".nbw", ".nbb"}) {
    const std::string d = repertoire_vide(std::string("symetrique") + extension);
    ecrit_fichier(d + "/knkn" + extension, std::vector<uint8_t>(size_t(taille), 126));
    ASSERT_EQ(initialise_tables(d.c_str()), 4);
    for (const char* fen : {"4k3/8/8/3n4/8/2N5/8/4K3 w - - 0 1", "4k3/8/8/3n4/8/2N5/8/4K3 b - - 0 1"}) {
      ASSERT_TRUE(place(fen));
      int32_t score = 0;
      EXPECT_EQ(sonde_tables(score, partie.trait), 1) << extension << " " << fen;
      EXPECT_EQ(score, 29999) << extension << " " << fen;
    }
  }
}

// Right after a double push the entry of the position with the en-passant
// right is read, whichever side has the capture; a double push that no pawn
// can take reads the plain entry.
TEST_F(Sonde, PriseEnPassantIndexee) {
  constexpr int KPKP = 6;
  std::vector<uint8_t> octets(size_t(definitions_tables[KPKP].taille_blancs));
  for (size_t i = 0; i < octets.size(); ++i) octets[i] = uint8_t(1 + (i * 2654435761u >> 9) % 126);
  const std::string d = repertoire_vide("en_passant");
  ecrit_fichier(d + "/kpkp.nbw", octets);
  ASSERT_EQ(initialise_tables(d.c_str()), 4);
  struct {
    const char* fen;
    int ep;
  } cas[] = {{"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", D6}, {"4k3/8/8/3pP3/8/8/8/4K3 w - - 0 1", EP_AUCUN},
             {"4k3/8/8/p3P3/8/8/8/4K3 w - a6 0 1", EP_AUCUN}, {"4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1", D3}};
  for (const auto& c : cas) {
    ASSERT_TRUE(place(c.fen));
    int32_t blancs[24] = {}, noirs[24] = {};
    blancs[0] = position.roi_blanc, noirs[0] = position.roi_noir;
    blancs[4] = std::countl_zero(position.pions_blancs);
    noirs[4] = std::countl_zero(position.pions_noirs);  // square s is bit 63 - s
    // Black to move is read from the White-to-move file with the colours exchanged.
    const bool inverse = partie.trait == NOIRS;
    const uint32_t i = fonction_indice(KPKP, 0)(inverse ? noirs : blancs, inverse ? blancs : noirs, c.ep, inverse);
    ASSERT_LT(i, octets.size()) << c.fen;
    int32_t score = 0;
    ASSERT_EQ(sonde_tables(score, partie.trait), 1) << c.fen;
    EXPECT_EQ(score, score_attendu(int8_t(octets[i]))) << c.fen;
  }
}

TEST_F(Sonde, EchelleDesValeurs) {
  initialise_tables(repertoire_vide("echelle").c_str());
  // The seven kppkp Black-to-move entries are fixed without reading a file.
  for (int32_t i : {56802428, 56811076, 56849992, 56858640, 59592489, 67775659, 71071628}) {
    EXPECT_EQ(valeur_table(36, 1, i), -32639);
    EXPECT_EQ(score_depuis_valeur(valeur_table(36, 1, i)), -29746);
  }
  EXPECT_EQ(valeur_table(36, 1, 56802429), VALEUR_INCONNUE);
  EXPECT_EQ(valeur_table(36, 0, 56802428), VALEUR_INCONNUE);
  EXPECT_EQ(score_depuis_valeur(126 + 32640), 29999);
  EXPECT_EQ(score_depuis_valeur(1 + 32640), 29749);
  EXPECT_EQ(score_depuis_valeur(32640), 29747);
  EXPECT_EQ(score_depuis_valeur(-126 - 32640), -30000);
  EXPECT_EQ(score_depuis_valeur(-1 - 32640), -29750);
  EXPECT_EQ(score_depuis_valeur(-32640), -29748);
  EXPECT_EQ(score_depuis_valeur(0), 0);
}

TEST(OutilSonde, ImprimeLeScoreOuNone) {
  const std::string t = DONNEES_TB + "/tables";
  EXPECT_EQ(lance_velmar({"tb", "probe", t, "k7/8/1K6/8/8/8/7Q/8", "w", "-", "-", "0", "1"}, ""), "score 29999\n");
  EXPECT_EQ(lance_velmar({"tb", "probe", t, "4k3/8/4K3/4P3/8/8/8/8 b - - 0 1"}, ""), "score -29976\n");
  EXPECT_EQ(lance_velmar({"tb", "probe", t, "4k3/8/4K3/4R3/8/8/8/8 b - - 0 1"}, ""), "none\n");
  EXPECT_EQ(lance_velmar({"tb", "probe", "", "4k3/8/4K3/4P3/8/8/8/8 b - - 0 1"}, ""), "none\n");
  int statut = 0;
  EXPECT_EQ(lance_velmar({"tb", "probe", t, "4k3/8/4K3/4P3/8/8/8/9 b - - 0 1"}, "", &statut), "");
  EXPECT_EQ(statut, 1);
  const std::string b = lance_velmar({"tb", "bench", repertoire_tables(true), "2000"}, "", &statut);
  EXPECT_EQ(statut, 0);
  EXPECT_NE(b.find("cache  1 MB: 2000 probes"), std::string::npos) << b;
  EXPECT_NE(b.find("block read and decode"), std::string::npos) << b;
}

}  // namespace
