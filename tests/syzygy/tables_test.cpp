// The Syzygy wrapper in the test process: path changes, damaged files, and
// the tables checked position by position against Nalimov tables the
// engine's own generator builds.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/plateau.h"
#include "syzygy/syzygy.h"
#include "tbgen/generation.h"
#include "tbgen/plateau_table.h"
#include "tbgen/tables_memoire.h"

namespace {

namespace fs = std::filesystem;

const std::string DONNEES = std::string(VELMAR_TEST_DATA) + "/syzygy";

std::string repertoire_vide(const std::string& nom) {
  const std::string d = ::testing::TempDir() + "/velmar_syzygy_" + std::to_string(getpid()) + "_" + nom;
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}

// Probes the position of `fen`; -9 when the tables give no value.
int wdl(const std::string& fen) {
  EXPECT_TRUE(place_fen(fen)) << fen;
  int v = -9;
  return sonde_wdl_syzygy(partie.trait, 0, v) ? v : -9;
}

// The tables are checked by the engine's own binary ("velmar syzygy-check"):
// this test program is not it.
int charge(const std::string& chemin) {
  verificateur_syzygy = VELMAR_BINARY;
  return initialise_syzygy(chemin.c_str());
}

// Runs `f` and returns what it printed.
template <class F> std::string sortie_de(F f) {
  ::testing::internal::CaptureStdout();
  f();
  return ::testing::internal::GetCapturedStdout();
}

const std::string KQK = "8/8/8/4k3/8/8/8/KQ6 w - - 0 1";
const std::string KRK = "8/8/8/4k3/8/8/8/KR6 w - - 0 1";
const std::string KPK_NUL = "8/8/8/8/8/k7/P7/K7 w - - 0 1";

// The library's own faults stay out of reach: an empty path after tables
// were loaded, then a probe (the library would keep a stale largest set and
// crash); loading again after that (a wrapper that freed the library would
// crash here); a new path replacing the tables; a missing directory.
TEST(SyzygyTables, CheminsSuccessifs) {
  const std::string seul_krk = repertoire_vide("krk");
  for (const char* f : {"KRvK.rtbw", "KRvK.rtbz"}) fs::copy_file(DONNEES + "/" + f, seul_krk + "/" + f);

  std::string s = sortie_de([] { EXPECT_EQ(charge(DONNEES), 4); });
  EXPECT_EQ(s, "info string SyzygyPath : 9 tables WDL, 5 tables DTZ\n");
  EXPECT_EQ(wdl(KQK), WDL_GAIN);
  EXPECT_EQ(wdl(KPK_NUL), WDL_NULLE);
  EXPECT_EQ(initialise_syzygy(""), 0);
  EXPECT_EQ(syzygy_chemin_fixe, 0);
  EXPECT_EQ(wdl(KQK), -9);
  // Loading again after tables were loaded: the library's notices on the
  // standard error ("munmap: ...") stay hidden.
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(charge(DONNEES), 4);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(wdl(KQK), WDL_GAIN);
  EXPECT_EQ(charge(seul_krk), 3);
  EXPECT_EQ(wdl(KQK), -9);
  EXPECT_EQ(wdl(KRK), WDL_GAIN);
  s = sortie_de([&] { EXPECT_EQ(charge(std::string("/pas/de/tables") + SEPARATEUR_SYZYGY + DONNEES), 4); });
  EXPECT_NE(s.find("info string SyzygyPath : /pas/de/tables n'est pas un repertoire\n"), std::string::npos) << s;
  EXPECT_EQ(wdl(KQK), WDL_GAIN);
  s = sortie_de([] { EXPECT_EQ(charge("/pas/de/tables"), 0); });
  EXPECT_NE(s.find("0 tables WDL, 0 tables DTZ"), std::string::npos) << s;
  EXPECT_EQ(syzygy_chemin_fixe, 1);
  EXPECT_EQ(wdl(KQK), -9);
}

// Files the library would choke on, in four directories: one cut short
// (the library skips it by itself: only it is refused), one with a wrong
// signature, one whose header is scrambled (the library would fault on its
// first probe, or scramble memory) and a named pipe where the library opens
// a distance-to-mate file when it starts (it would wait there forever). The
// library cannot be told to skip one file of a directory, so the whole
// directory is left out, and the message says so. Sound tables in the first
// directory stay in use.
TEST(SyzygyTables, TablesEndommagees) {
  const std::string a = repertoire_vide("tronquee"), b = repertoire_vide("signature"), c = repertoire_vide("entete");
  const std::string d = repertoire_vide("tube");
  ASSERT_EQ(mkfifo((d + "/KQvK.rtbm").c_str(), 0644), 0);
  auto lit = [](const std::string& f) {
    std::ifstream e(DONNEES + "/" + f, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(e), {});
  };
  auto ecrit = [&](const std::string& f, const std::string& octets) {
    std::ofstream(f, std::ios::binary) << octets;
  };
  ecrit(a + "/KQvK.rtbw", lit("KQvK.rtbw").substr(0, 100));
  ecrit(a + "/KPvK.rtbw", lit("KPvK.rtbw"));
  std::string krk = lit("KRvK.rtbw");
  krk[0] = 0;
  ecrit(b + "/KRvK.rtbw", krk);
  ecrit(b + "/KBvK.rtbw", lit("KBvK.rtbw"));
  std::string krkn = lit("KRvKN.rtbw");
  for (int i = 8; i < 300; i += 3) krkn[i] = static_cast<char>(krkn[i] * 7 + i);
  ecrit(c + "/KRvKN.rtbw", krkn);
  ecrit(c + "/KNvK.rtbw", lit("KNvK.rtbw"));

  const std::string chemin = a + SEPARATEUR_SYZYGY + b + SEPARATEUR_SYZYGY + c + SEPARATEUR_SYZYGY + d;
  const std::string s = sortie_de([&] { EXPECT_EQ(charge(chemin), 3); });
  EXPECT_NE(s.find("table endommagee ignoree : " + a + "/KQvK.rtbw\n"), std::string::npos) << s;
  EXPECT_NE(s.find("table endommagee : " + b + "/KRvK.rtbw ; repertoire ignore en entier : " + b + "\n"),
            std::string::npos)
      << s;
  EXPECT_NE(s.find("table endommagee : " + c + "/KRvKN.rtbw ; repertoire ignore en entier : " + c + "\n"),
            std::string::npos)
      << s;
  EXPECT_NE(s.find("table endommagee : " + d + "/KQvK.rtbm ; repertoire ignore en entier : " + d + "\n"),
            std::string::npos)
      << s;
  EXPECT_NE(s.find("1 tables WDL, 0 tables DTZ\n"), std::string::npos) << s;
  EXPECT_EQ(wdl(KPK_NUL), WDL_NULLE);
  EXPECT_EQ(wdl(KQK), -9);
  EXPECT_EQ(wdl("8/8/8/4k3/8/8/8/KB6 w - - 0 1"), -9);
  EXPECT_EQ(wdl("8/8/8/4k3/8/2n5/8/KR6 w - - 0 1"), -9);
  EXPECT_EQ(charge(DONNEES), 4);
  EXPECT_EQ(wdl(KQK), WDL_GAIN);
}

// Every legal position of a set, both sides to move: the Syzygy verdict
// agrees with the sign of the distance to mate in the Nalimov table the
// generator built, and a win or loss longer than fifty moves may be one the
// fifty-move rule spoils. Returns the positions compared.
int64_t compare_ensemble(const char* nom) {
  const int n = numero_table_nom(nom);
  const MaterielTable m = materiel_table(n);
  int64_t comparees = 0, ecarts = 0;
  for (int camp = 0; camp < 2; ++camp) {
    pour_chaque_position(m, camp, [&](const int8_t*, int ep) {
      if (ep != EP_AUCUN) return;
      int8_t octet;
      int v;
      if (!octet_plateau(camp, ep, octet) || !sonde_wdl_syzygy(camp, 0, v)) {
        if (++ecarts <= 5) ADD_FAILURE() << nom << " camp " << camp << ": no value";
        return;
      }
      const int r = resultat_octet(octet);  // plies: > 0 wins, -1 - d mated in d, 0 draw
      const int attendu = r > 0 ? WDL_GAIN : r < 0 ? WDL_PERTE : WDL_NULLE;
      const bool long_ = (r > 0 ? r : -1 - r) > 100;
      const bool accorde = v == attendu || (long_ && v == attendu / 2);
      if (!accorde && ++ecarts <= 5) ADD_FAILURE() << nom << " camp " << camp << ": Nalimov " << r << ", Syzygy " << v;
      ++comparees;
    });
  }
  EXPECT_EQ(ecarts, 0) << nom;
  return comparees;
}

// The sets a set turns into come first.
void genere(std::initializer_list<const char*> noms) {
  for (const char* nom : noms) {
    const int n = numero_table_nom(nom);
    if (tables_memoire[n].chargee) continue;
    ResumeGeneration r{};
    ASSERT_TRUE(genere_table(n, r)) << nom;
  }
}

TEST(SyzygyTables, AccordAvecNalimovTroisPieces) {
  initialise_plateau();
  ASSERT_EQ(charge(DONNEES), 4);
  genere({"kqk", "krk", "kbk", "knk", "kpk"});
  EXPECT_GT(compare_ensemble("kqk"), 20000);
  EXPECT_GT(compare_ensemble("krk"), 20000);
  EXPECT_GT(compare_ensemble("kpk"), 80000);
}

TEST(SyzygyTablesSlow, AccordAvecNalimovQuatrePieces) {
  initialise_plateau();
  ASSERT_EQ(charge(DONNEES), 4);
  genere({"krk", "kbk", "knk", "kbnk", "krkn"});
  EXPECT_GT(compare_ensemble("kbnk"), 1000000);
  EXPECT_GT(compare_ensemble("krkn"), 1000000);
}

}  // namespace
