// Reading entries through the block cache from compressed and uncompressed
// files, and what happens when a file goes bad after registration.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "egtb/cache.h"
#include "egtb/compression.h"
#include "egtb/registre.h"
#include "egtb/tablebases.h"
#include "fichiers_tb.h"

namespace {

constexpr int KRK = 4, KQK = 5;

class Cache : public ::testing::Test {
 protected:
  void TearDown() override {
    initialise_tables(::testing::TempDir().c_str());  // a directory without tables
    for (int n = 1; n <= NB_TABLES; ++n) {
      tables[n].taille_blancs = definitions_tables[n].taille_blancs;
      tables[n].taille_noirs = definitions_tables[n].taille_noirs;
    }
    fixe_cache_tables(1);
  }
  // Registers `donnees` as krk White to move (compressed `emd`) and Black to
  // move (uncompressed), sizes taken from the files.
  void enregistre_echantillon(const std::string& emd, const std::vector<uint8_t>& donnees,
                              const std::string& dir) {
    ecrit_fichier(dir + "/krk.nbw.emd", lit_fichier(emd));
    ecrit_fichier(dir + "/krk.nbb", donnees);
    initialise_tables("");
    tables[KRK].taille_blancs = 0;
    tables[KRK].taille_noirs = 0;
    ASSERT_EQ(initialise_tables(dir.c_str()), 3);
    ASSERT_TRUE(est_enregistree(KRK, 0) && est_enregistree(KRK, 1));
  }
};

TEST_F(Cache, TailleEnBlocs) {
  fixe_cache_tables(1);
  EXPECT_EQ(nb_blocs_cache(), 126);  // 1048576 / 8260
  fixe_cache_tables(16);
  EXPECT_EQ(nb_blocs_cache(), 16 * 1048576 / 8260);
  cree_cache(31);
  EXPECT_EQ(nb_blocs_cache(), 0);
  cree_cache(8259);
  EXPECT_EQ(nb_blocs_cache(), 0);
  cree_cache(8260);
  EXPECT_EQ(nb_blocs_cache(), 1);
  fixe_cache_tables(0);
  EXPECT_EQ(nb_blocs_cache(), 0);
  fixe_cache_tables(-5);
  EXPECT_EQ(nb_blocs_cache(), 0);
}

TEST_F(Cache, ChaqueEchantillonSeDecodeOctetPourOctet) {
  const std::string dir = repertoire_vide("echantillons");
  for (const char* nom : {"tiny100", "zeros16384", "mixed29576", "random20000", "synth"}) {
    SCOPED_TRACE(nom);
    const std::string base = DONNEES_TB + "/emd/" + nom + ".bin";
    const std::vector<uint8_t> original = lit_fichier(base);
    enregistre_echantillon(base + ".emd", original, dir);
    EXPECT_EQ(tables[KRK].taille_blancs, int32_t(original.size()));
    // A three-block cache forces evictions while walking the file twice in
    // different orders.
    for (int64_t octets : {int64_t(1048576), int64_t(3 * COUT_BLOC)}) {
      cree_cache(octets);
      for (int passe = 0; passe < 2; ++passe)
        for (size_t k = 0; k < (passe == 0 || octets > 3 * COUT_BLOC ? original.size() : 3000); ++k) {
          size_t i = passe == 0 ? k : (k * 7919) % original.size();
          ASSERT_EQ(lit_entree(KRK, 0, int32_t(i)), int(int8_t(original[i]))) << i;
          ASSERT_EQ(lit_entree(KRK, 1, int32_t(i)), int(int8_t(original[i]))) << i;
        }
    }
    EXPECT_EQ(lit_entree(KRK, 0, int32_t(original.size())), VALEUR_ABSENTE);
    EXPECT_TRUE(est_enregistree(KRK, 0));
  }
}

TEST_F(Cache, BlocsStockesSansCodeEtDernierBlocCourt) {
  std::vector<uint8_t> donnees(20000);
  for (size_t i = 0; i < donnees.size(); ++i) donnees[i] = uint8_t(i * 37 + (i >> 5));
  const std::string dir = repertoire_vide("stocke");
  ecrit_fichier(dir + "/stocke.emd", fabrique_emd(donnees));
  enregistre_echantillon(dir + "/stocke.emd", donnees, dir);
  for (size_t i = 0; i < donnees.size(); i += 97) EXPECT_EQ(lit_entree(KRK, 0, int32_t(i)), int(int8_t(donnees[i])));
  EXPECT_EQ(lit_entree(KRK, 0, 19999), int(int8_t(donnees[19999])));

  // A code description that makes every length zero is no incomplete code
  // to refuse: a file whose blocks are all stored needs no code. Only a block
  // that is not stored then fails, when it is read.
  FILE* f = std::fopen((dir + "/stocke.emd").c_str(), "rb");
  Decodage* d = nullptr;
  EXPECT_EQ(lit_entete(f, &d), ENTETE_OK);
  std::fclose(f);
  ASSERT_NE(d, nullptr);
  std::vector<uint8_t> sortie(8192 + 36);
  EXPECT_FALSE(decode_bloc(*d, donnees.data(), 100, sortie.data(), 8192));
  libere_decodage(d);
}

TEST_F(Cache, DeuxLecturesDuMemeBlocNeLisentLeFichierQuUneFois) {
  const std::string dir = repertoire_vide("unefois");
  std::filesystem::copy_file(DONNEES_TB + "/tables/kqk.nbw", dir + "/kqk.nbw");
  std::filesystem::copy_file(DONNEES_TB + "/tables/kqk.nbb.emd", dir + "/kqk.nbb.emd");
  ASSERT_EQ(initialise_tables(dir.c_str()), 3);
  const std::vector<uint8_t> w = lit_fichier(DONNEES_TB + "/tables/kqk.nbw");
  const std::vector<uint8_t> b = lit_fichier(DONNEES_TB + "/tables/kqk.nbb");
  EXPECT_EQ(lit_entree(KQK, 0, 100), int(int8_t(w[100])));
  EXPECT_EQ(lit_entree(KQK, 0, 8000), int(int8_t(w[8000])));
  EXPECT_EQ(cache_echecs, 1);
  EXPECT_EQ(cache_succes, 1);
  // The last block of the uncompressed file is short and still cached.
  EXPECT_EQ(lit_entree(KQK, 0, 25628), int(int8_t(w[25628])));
  EXPECT_EQ(lit_entree(KQK, 0, 24576), int(int8_t(w[24576])));
  EXPECT_EQ(cache_echecs, 2);
  EXPECT_EQ(cache_succes, 2);
  EXPECT_EQ(lit_entree(KQK, 1, 28643), int(int8_t(b[28643])));
  EXPECT_EQ(lit_entree(KQK, 1, 28000), int(int8_t(b[28000])));
  EXPECT_EQ(cache_echecs, 3);
  // Past the end of a table and on an unregistered table: no value.
  EXPECT_EQ(lit_entree(KQK, 0, 25629), VALEUR_ABSENTE);
  EXPECT_EQ(lit_entree(KRK, 0, 0), VALEUR_ABSENTE);
  // Without a cache nothing is read.
  fixe_cache_tables(0);
  EXPECT_EQ(lit_entree(KQK, 0, 100), VALEUR_ABSENTE);
  EXPECT_TRUE(est_enregistree(KQK, 0));
}

TEST_F(Cache, FichierTronqueOuDisparuDonnePasDeValeurEtDesenregistre) {
  const std::string dir = repertoire_vide("tronque");
  std::filesystem::copy_file(DONNEES_TB + "/tables/kqk.nbw.emd", dir + "/kqk.nbw.emd");
  std::filesystem::copy_file(DONNEES_TB + "/tables/kqk.nbb", dir + "/kqk.nbb");
  ASSERT_EQ(initialise_tables(dir.c_str()), 3);
  // Cut the compressed file in its last block, and the uncompressed one in
  // its second block, after registration.
  std::vector<uint8_t> c = lit_fichier(dir + "/kqk.nbw.emd");
  c.resize(c.size() - 10);
  ecrit_fichier(dir + "/kqk.nbw.emd", c);
  std::vector<uint8_t> u = lit_fichier(dir + "/kqk.nbb");
  u.resize(9000);
  ecrit_fichier(dir + "/kqk.nbb", u);
  EXPECT_NE(lit_entree(KQK, 0, 10), VALEUR_ABSENTE);  // an intact block
  EXPECT_EQ(lit_entree(KQK, 0, 25000), VALEUR_ABSENTE);
  EXPECT_FALSE(est_enregistree(KQK, 0));
  EXPECT_EQ(lit_entree(KQK, 0, 10), VALEUR_ABSENTE);
  EXPECT_EQ(lit_entree(KQK, 1, 8999), int(int8_t(u[8999])));
  EXPECT_EQ(lit_entree(KQK, 1, 20000), VALEUR_ABSENTE);
  EXPECT_FALSE(est_enregistree(KQK, 1));

  ASSERT_EQ(initialise_tables(DONNEES_TB.c_str()), 0);  // no tables directly there
  const std::string dir2 = repertoire_vide("disparu");
  std::filesystem::copy_file(DONNEES_TB + "/tables/kqk.nbw.emd", dir2 + "/kqk.nbw.emd");
  ASSERT_EQ(initialise_tables(dir2.c_str()), 3);
  std::filesystem::remove(dir2 + "/kqk.nbw.emd");
  EXPECT_EQ(lit_entree(KQK, 0, 10), VALEUR_ABSENTE);
  EXPECT_FALSE(est_enregistree(KQK, 0));
}

TEST_F(Cache, BlocsCompressesAbimesNeFontJamaisPlanter) {
  // Random damage in the compressed blocks (the header intact): a read
  // either decodes something or gives no value and unregisters the side.
  const std::string dir = repertoire_vide("abime");
  const std::vector<uint8_t> bon = lit_fichier(DONNEES_TB + "/tables/kpk.nbw.emd");
  const std::vector<uint8_t> original = lit_fichier(DONNEES_TB + "/tables/kpk.nbw");
  const uint32_t h = lit32_be(bon, 64);
  std::mt19937 rng(5);
  int refus = 0;
  for (int essai = 0; essai < 150; ++essai) {
    std::vector<uint8_t> o = bon;
    for (int k = 0; k < 1 + essai % 4; ++k) o[h + rng() % (o.size() - h)] ^= uint8_t(1 + rng() % 255);
    ecrit_fichier(dir + "/kpk.nbw.emd", o);
    ASSERT_EQ(initialise_tables(dir.c_str()), 3);
    for (int32_t i = 0; i < int32_t(original.size()); i += 4096) {
      int v = lit_entree(1, 0, i);
      ASSERT_TRUE(v >= -128 && v <= 127);
      if (v == VALEUR_ABSENTE && original[i] != 127) {
        ASSERT_FALSE(est_enregistree(1, 0));
        ++refus;
        break;
      }
    }
  }
  EXPECT_GT(refus, 50);
}

// Header checks in-process; the fatal messages are tested on the binary.
// Each damaged header carries a recomputed checksum, so that only the check
// it is about can refuse it.
TEST(EnteteCompressee, RefuseLesEntetesAbimees) {
  const std::vector<uint8_t> bon = lit_fichier(DONNEES_TB + "/emd/mixed29576.bin.emd");
  const std::string f = repertoire_vide("entete") + "/entete.emd";
  auto essaie = [&](const std::vector<uint8_t>& o) {
    ecrit_fichier(f, o);
    FILE* x = std::fopen(f.c_str(), "rb");
    Decodage* d = nullptr;
    ResultatEntete r = lit_entete(x, &d);
    std::fclose(x);
    libere_decodage(d);
    return r;
  };
  EXPECT_EQ(essaie(bon), ENTETE_OK);
  std::vector<uint8_t> o = bon;
  o[5] ^= 1;
  EXPECT_EQ(essaie(o), ENTETE_ERREUR_LECTURE);  // banner
  o = std::vector<uint8_t>(bon.begin(), bon.begin() + 79);
  EXPECT_EQ(essaie(o), ENTETE_ERREUR_LECTURE);  // shorter than the fixed part
  o = std::vector<uint8_t>(bon.begin(), bon.begin() + 100);
  EXPECT_EQ(essaie(o), ENTETE_MEMOIRE);  // header cut short
  o = bon;
  o[lit32_be(o, 64) - 1] ^= 0x10;
  EXPECT_EQ(essaie(o), ENTETE_CASSE);  // checksum
  // Block sizes up to 2^16 are read (registration then wants 2^13); a
  // header consistent with 2^17 is refused.
  EXPECT_EQ(essaie(fabrique_emd(std::vector<uint8_t>(1000), 16)), ENTETE_OK);
  EXPECT_EQ(essaie(fabrique_emd(std::vector<uint8_t>(1000), 17)), ENTETE_CASSE);
  o = bon;
  o[71] = 23;
  resigne(o);
  EXPECT_EQ(essaie(o), ENTETE_CASSE);  // distance count
  o = bon;
  o[79] = 0;
  resigne(o);
  EXPECT_EQ(essaie(o), ENTETE_CASSE);  // fixed bytes
  o = bon;
  ecrit32_be(o, 64, 83);  // (no room for a checksum that leaves the fixed bytes intact)
  EXPECT_EQ(essaie(o), ENTETE_CASSE);  // header length
  o = bon;
  ecrit32_be(o, 72, 0xFFFFFF00u);
  resigne(o);
  EXPECT_EQ(essaie(o), ENTETE_CASSE);  // absurd block count
  // Code description: every byte changed in turn (checksum recomputed) must
  // either still describe a complete code or be refused; the first byte
  // holds the aux field width and breaks the code.
  const uint32_t h = lit32_be(bon, 64), n = lit32_be(bon, 72);
  const uint32_t debut = 80 + 8 * n + (13 * (n + 25) + 7) / 8;
  o = bon;
  o[debut] ^= 0x08;
  resigne(o);
  EXPECT_EQ(essaie(o), ENTETE_CASSE);
  for (uint32_t i = debut; i < h - 4; ++i) {
    o = bon;
    o[i] ^= 0x5A;
    resigne(o);
    ResultatEntete r = essaie(o);
    EXPECT_TRUE(r == ENTETE_OK || r == ENTETE_CASSE);
  }
  std::remove(f.c_str());
}

TEST(EnteteCompressee, SommeDeControle) {
  // The table tests a clear low bit, unlike CRC-32.
  const uint8_t a[1] = {0};
  EXPECT_EQ(somme_controle(a, 0), 0u);
  EXPECT_NE(somme_controle(a, 1), 0u);
  const std::vector<uint8_t> t = lit_fichier(DONNEES_TB + "/emd/tiny100.bin.emd");
  EXPECT_EQ(somme_controle(t.data(), 146), 0x8842401Eu);
}

}  // namespace
