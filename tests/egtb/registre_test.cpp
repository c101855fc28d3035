// Registration of table files: where they are looked for, what is fatal,
// and the lookup from material to table.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/session.h"
#include "egtb/registre.h"
#include "egtb/tablebases.h"
#include "fichiers_tb.h"

namespace {

namespace fs = std::filesystem;
constexpr int KRK = 4, KQK = 5;

class Registre : public ::testing::Test {
 protected:
  void TearDown() override { initialise_tables(::testing::TempDir().c_str()); }
};

std::vector<uint8_t> table_krk(uint8_t remplissage, size_t taille = 27030) {
  return std::vector<uint8_t>(taille, remplissage);
}

TEST_F(Registre, CheminVideNEnregistreRien) {
  EXPECT_EQ(initialise_tables(""), 0);
  for (int n = 1; n <= NB_TABLES; ++n) EXPECT_FALSE(est_enregistree(n, 0) || est_enregistree(n, 1));
}

TEST_F(Registre, LePremierRepertoireDeLaListeGagne) {
  const std::string a = repertoire_vide("a"), b = repertoire_vide("b");
  ecrit_fichier(a + "/krk.nbw", table_krk(1));
  ecrit_fichier(b + "/krk.nbw", table_krk(2));
  ecrit_fichier(b + "/krk.nbb", std::vector<uint8_t>(28644, 3));
  EXPECT_EQ(initialise_tables((a + ";" + b).c_str()), 3);
  EXPECT_EQ(std::string(tables[KRK].fichier_nom[0]), a + "/krk.nbw");
  EXPECT_EQ(std::string(tables[KRK].fichier_nom[1]), b + "/krk.nbb");
  EXPECT_EQ(tables[KRK].taille_blancs, 27030);
  // A later path forgets everything: "," separates as well.
  EXPECT_EQ(initialise_tables((b + "," + a).c_str()), 3);
  EXPECT_EQ(std::string(tables[KRK].fichier_nom[0]), b + "/krk.nbw");
  EXPECT_EQ(initialise_tables(repertoire_vide("vide").c_str()), 0);
  EXPECT_FALSE(est_enregistree(KRK, 0));
}

TEST_F(Registre, TroisNomsDeFichier) {
  const std::string d = repertoire_vide("noms");
  fs::copy_file(DONNEES_TB + "/tables/kqk.nbw.emd", d + "/kqknbw.emd");
  fs::copy_file(DONNEES_TB + "/tables/kqk.nbb.emd", d + "/kqk.nbb.emd");
  EXPECT_EQ(initialise_tables(d.c_str()), 3);
  EXPECT_EQ(std::string(tables[KQK].fichier_nom[0]), d + "/kqknbw.emd");
  EXPECT_EQ(std::string(tables[KQK].fichier_nom[1]), d + "/kqk.nbb.emd");
  EXPECT_EQ(tables[KQK].taille_blancs, 25629);
  // The uncompressed name is preferred.
  fs::copy_file(DONNEES_TB + "/tables/kqk.nbw", d + "/kqk.nbw");
  EXPECT_EQ(initialise_tables(d.c_str()), 3);
  EXPECT_EQ(std::string(tables[KQK].fichier_nom[0]), d + "/kqk.nbw");
}

TEST_F(Registre, UneTableACinqPiecesDonneCinq) {
  const std::string d = repertoire_vide("cinq");
  // Only the header of kqqkq with White to move: registration reads no block.
  ecrit_fichier(d + "/kqqkq.nbw.emd", fabrique_emd({}, 13, 41944320));
  EXPECT_EQ(initialise_tables(d.c_str()), 5);
  EXPECT_TRUE(est_enregistree(110, 0));
  EXPECT_FALSE(est_enregistree(110, 1));
  ecrit_fichier(d + "/krrk.nbb.emd", fabrique_emd({}, 13, 873642));
  fs::remove(d + "/kqqkq.nbw.emd");
  EXPECT_EQ(initialise_tables(d.c_str()), 4);
}

TEST_F(Registre, CheminImmenseSansDebordement) {
  // Hundreds of directories, some with names far beyond any path limit, then
  // the one holding a table.
  const std::string d = repertoire_vide("long");
  fs::copy_file(DONNEES_TB + "/tables/kqk.nbw", d + "/kqk.nbw");
  std::string chemin;
  for (int i = 0; i < 300; ++i) chemin += std::string(i % 3 == 0 ? 5000 : 40, char('a' + i % 26)) + (i % 2 ? ";" : ",");
  chemin += ";;" + d;
  EXPECT_EQ(initialise_tables(chemin.c_str()), 3);
  EXPECT_TRUE(est_enregistree(KQK, 0));
}

TEST_F(Registre, TableDepuisLesComptes) {
  initialise_tables(repertoire_vide("comptes").c_str());
  const std::string d = repertoire_vide("comptes2");
  fs::copy_file(DONNEES_TB + "/tables/kqk.nbw", d + "/kqk.nbw");
  ecrit_fichier(d + "/kpkp.nbw.emd", fabrique_emd({}, 13, 3863492));
  ecrit_fichier(d + "/krrkq.nbb.emd", fabrique_emd({}, 13, 46912050));
  ASSERT_EQ(initialise_tables(d.c_str()), 5);
  const int32_t kqk[10] = {0, 0, 0, 0, 1, 0, 0, 0, 0, 0};
  const int32_t kkq[10] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  const int32_t kpkp[10] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0};
  const int32_t kqkrr[10] = {0, 0, 0, 0, 1, 0, 0, 0, 2, 0};
  const int32_t krrrk[10] = {0, 0, 0, 3, 0, 0, 0, 0, 0, 0};
  const int32_t six[10] = {1, 0, 0, 2, 0, 0, 0, 0, 1, 0};
  EXPECT_EQ(table_depuis_comptes(kqk), 5);
  EXPECT_EQ(table_depuis_comptes(kkq), -5);
  // kpkp is its own colour exchange: the second registration wins.
  EXPECT_EQ(table_depuis_comptes(kpkp), -6);
  EXPECT_EQ(table_depuis_comptes(kqkrr), -85);
  EXPECT_EQ(table_depuis_comptes(krrrk), 0);
  EXPECT_EQ(table_depuis_comptes(six), 0);
}

// Fatal registration errors, on the real binary.
struct CasFatal {
  std::string fichier;
  std::vector<uint8_t> contenu;
  std::string message;  // "%s" stands for the file's path
};

void verifie_fatal(const CasFatal& c, const std::string& nom_cas) {
  const std::string d = repertoire_vide("fatal_" + nom_cas);
  ecrit_fichier(d + "/" + c.fichier, c.contenu);
  std::string attendu = c.message;
  attendu.replace(attendu.find("%s"), 2, d + "/" + c.fichier);
  int statut = 0;
  std::string sortie = lance_velmar({"tb", "probe", d, "8/8/8/8/8/2k5/8/K6Q", "w", "-", "-", "0", "1"}, "", &statut);
  EXPECT_EQ(statut, 1) << nom_cas;
  EXPECT_EQ(sortie, attendu) << nom_cas;
  // The same through the UCI option.
  SessionUci s;
  s.envoie("setoption name NalimovPath value " + d);
  EXPECT_EQ(s.attend_fin(20000), 1) << nom_cas;
  ASSERT_FALSE(s.lignes.empty()) << nom_cas;
  EXPECT_EQ(s.lignes.back() + "\n", attendu) << nom_cas;
  if (c.fichier.find(".emd") != std::string::npos) {
    sortie = lance_velmar({"tb", "unpack", d + "/" + c.fichier, d + "/sortie"}, "", &statut);
    EXPECT_EQ(statut, 1) << nom_cas;
    EXPECT_EQ(sortie, attendu) << nom_cas;
  }
}

TEST(RegistreFatal, FichiersAbimesArretentLeProgramme) {
  const std::vector<uint8_t> kqk = lit_fichier(DONNEES_TB + "/tables/kqk.nbw.emd");
  const uint32_t h = lit32_be(kqk, 64), n = lit32_be(kqk, 72);
  std::vector<uint8_t> banniere = kqk, somme = kqk, code = kqk, longueur = kqk;
  const std::vector<uint8_t> bloc = fabrique_emd(std::vector<uint8_t>(25629), 17);
  banniere[0] = 'c';
  somme[h - 2] ^= 1;
  code[80 + 8 * n + (13 * (n + 25) + 7) / 8] ^= 0x08;
  resigne(code);
  std::vector<uint8_t> petit(kqk.begin(), kqk.begin() + 50);
  std::vector<uint8_t> entete_coupee(kqk.begin(), kqk.begin() + 100);
  verifie_fatal({"krk.nbw", table_krk(0, 27029), "*** %s corrupted\n"}, "court");
  verifie_fatal({"kqk.nbw.emd", banniere, "*** Unable to read %s - read error\n"}, "banniere");
  verifie_fatal({"kqk.nbw.emd", petit, "*** Unable to read %s - read error\n"}, "petit");
  verifie_fatal({"kqk.nbw.emd", entete_coupee, "*** Unable to read %s - out of memory\n"}, "coupee");
  verifie_fatal({"kqk.nbw.emd", somme, "*** Unable to read %s - file broken\n"}, "somme");
  verifie_fatal({"kqk.nbw.emd", bloc, "*** Unable to read %s - file broken\n"}, "bloc");
  verifie_fatal({"kqknbw.emd", code, "*** Unable to read %s - file broken\n"}, "code");
  // The White-to-move table under the Black-to-move name: wrong length.
  verifie_fatal({"kqk.nbb.emd", kqk, "*** %s corrupted\n"}, "longueur");
  std::vector<uint8_t> donnees(25629, 0);
  verifie_fatal({"kqk.nbw.emd", fabrique_emd(donnees, 12), "*** %s: Unsupported block size 4096\n"}, "taille");
}

TEST(OutilDecompression, EcritLaTableDecodee) {
  const std::string d = repertoire_vide("unpack");
  for (const char* nom : {"tables/kpk.nbw", "tables/kqk.nbb", "emd/synth.bin", "emd/zeros16384.bin"}) {
    int statut = -1;
    std::string sortie = lance_velmar({"tb", "unpack", DONNEES_TB + "/" + nom + ".emd", d + "/sortie"}, "", &statut);
    EXPECT_EQ(statut, 0) << nom;
    EXPECT_EQ(sortie, "");
    EXPECT_TRUE(lit_fichier(d + "/sortie") == lit_fichier(DONNEES_TB + "/" + nom)) << nom;
  }
  int statut = -1;
  lance_velmar({"tb", "unpack", d + "/absent.emd", d + "/sortie"}, "", &statut);
  EXPECT_EQ(statut, 1);
  lance_velmar({"tb", "unpack"}, "", &statut);
  EXPECT_EQ(statut, 2);
}

}  // namespace
