// Building tables with "velmar tb generate" and checking them with
// "velmar tb verify", through the real binary.
#include <gtest/gtest.h>

#include "common/session.h"
#include "egtb/fichiers_tb.h"

namespace {

int compte(const std::string& texte, const std::string& motif) {
  int n = 0;
  for (size_t i = texte.find(motif); i != std::string::npos; i = texte.find(motif, i + 1)) ++n;
  return n;
}

// The three-piece sets come out byte for byte as the published kqk and kpk
// files (unreachable entries included), plain and compressed, pass the
// one-ply check, and a single wrong distance is caught by it.
TEST(GenerationTables, TroisPiecesCommeLesTablesPubliees) {
  const std::string d = repertoire_vide("generation3");
  int statut = -1;
  lance_velmar({"tb", "generate", "--out", d, "all3"}, "", &statut, 120000);
  ASSERT_EQ(statut, 0);
  for (const char* f : {"kqk.nbw", "kqk.nbb", "kpk.nbw", "kpk.nbb"}) {
    SCOPED_TRACE(f);
    const std::vector<uint8_t> publiee = lit_fichier(DONNEES_TB + "/tables/" + f);
    ASSERT_FALSE(publiee.empty());
    EXPECT_TRUE(lit_fichier(d + "/" + f) == publiee);
  }
  std::string sortie = lance_velmar({"tb", "verify", d, "all3"}, "", &statut, 120000);
  EXPECT_EQ(statut, 0) << sortie;
  EXPECT_EQ(compte(sortie, " 0 errors"), 5) << sortie;

  // Compressed, the same tables decode byte for byte through the reader,
  // and the checker reads them.
  const std::string c = repertoire_vide("generation3_emd");
  lance_velmar({"tb", "generate", "--out", c, "--compress", "all3"}, "", &statut, 120000);
  ASSERT_EQ(statut, 0);
  for (const char* f : {"kqk.nbw", "kqk.nbb", "kpk.nbw", "kpk.nbb"}) {
    SCOPED_TRACE(f);
    lance_velmar({"tb", "unpack", c + "/" + f + ".emd", c + "/" + f}, "", &statut);
    EXPECT_EQ(statut, 0);
    EXPECT_TRUE(lit_fichier(c + "/" + f) == lit_fichier(DONNEES_TB + "/tables/" + f));
    std::remove((c + "/" + f).c_str());
  }
  sortie = lance_velmar({"tb", "verify", c, "all3"}, "", &statut, 120000);
  EXPECT_EQ(statut, 0) << sortie;

  // A mate in 1 turned into a mate in 2.
  std::vector<uint8_t> krk = lit_fichier(d + "/krk.nbw");
  size_t i = 0;
  while (i < krk.size() && krk[i] != 126) ++i;
  ASSERT_LT(i, krk.size());
  krk[i] = 125;
  ecrit_fichier(d + "/krk.nbw", krk);
  sortie = lance_velmar({"tb", "verify", d, "krk"}, "", &statut, 120000);
  EXPECT_EQ(statut, 1) << sortie;
  EXPECT_EQ(compte(sortie, "krk: "), 1) << sortie;
  EXPECT_EQ(compte(sortie, " 0 errors"), 0) << sortie;
}

// A lone king that can take a rook loses only as fast as the slowest such
// capture allows: KRRK's longest mate is 7 moves, not 6. (Two seconds in a
// release build; the sanitizer build, minutes slower, leaves it to that one.)
TEST(GenerationTables, LaPriseLaPlusLenteFixeLaDureeDeLaPerte) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "too slow with the sanitizers";
#endif
  const std::string d = repertoire_vide("generation_krrk");
  int statut = -1;
  const std::string sortie = lance_velmar({"tb", "generate", "--out", d, "krk", "krrk"}, "", &statut, 300000);
  EXPECT_EQ(statut, 0);
  EXPECT_NE(sortie.find("krrk.nbw: 777300 entries, 532168 wins / 0 draws / 0 losses, longest mate 7,"),
            std::string::npos)
      << sortie;
}

// KRKN: the longest win is the known mate in 40, and the files pass the
// one-ply check; without the smaller sets in the directory the check
// refuses rather than passing. (Seconds in a release build, minutes under
// the sanitizers.)
TEST(GenerationTablesSlow, KrknMatEn40) {
  const std::string d = repertoire_vide("generation_krkn");
  int statut = -1;
  const std::string sortie = lance_velmar({"tb", "generate", "--out", d, "krkn"}, "", &statut, 300000);
  ASSERT_EQ(statut, 0);
  EXPECT_NE(sortie.find("krkn.nbw: 1649196 entries"), std::string::npos) << sortie;
  EXPECT_NE(sortie.find("longest mate 40,"), std::string::npos) << sortie;
  std::string v = lance_velmar({"tb", "verify", d, "krkn"}, "", &statut, 300000);
  EXPECT_EQ(statut, 0) << v;
  EXPECT_NE(v.find("krkn: "), std::string::npos) << v;
  EXPECT_NE(v.find(" 0 errors"), std::string::npos) << v;
  std::remove((d + "/knk.nbb").c_str());
  v = lance_velmar({"tb", "verify", d, "krkn"}, "", &statut, 300000);
  EXPECT_EQ(statut, 1) << v;
}

}  // namespace

namespace {

// KPKP with its en-passant entries and the one-file KQKQ (with every set
// they lead to) pass the one-ply check, and through UCI the engine plays the
// table's best move, an en-passant capture: exd6 mates in 11, every other
// move in 13 or more.
TEST(GenerationTablesSlow, KpkpEnPassantEtKqkq) {
  const std::string d = repertoire_vide("generation_kpkp");
  int statut = -1;
  lance_velmar({"tb", "generate", "--out", d, "kpkp", "kqkq"}, "", &statut, 1800000);
  ASSERT_EQ(statut, 0);
  const std::string v = lance_velmar({"tb", "verify", d, "kpkp", "kqkq", "kqkp"}, "", &statut, 1800000);
  EXPECT_EQ(statut, 0) << v;
  EXPECT_EQ(compte(v, " 0 errors"), 3) << v;
  const std::string sortie = lance_velmar(
      {}, "setoption name NalimovPath value " + d + "\nposition fen 8/8/8/3pP3/8/8/8/K6k w - d6 0 1\ngo depth 3\n",
      nullptr, 60000);
  EXPECT_NE(sortie.find("score mate 11 "), std::string::npos) << sortie;
  EXPECT_NE(sortie.find("bestmove e5d6"), std::string::npos) << sortie;
}

}  // namespace
