// Opening and searching the book files, and what damaged or missing files do.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "aides_livre.h"
#include "book/eco.h"
#include "book/livre.h"
#include "book/reglages_livre.h"

namespace {

FicheLivre fiche(uint32_t n, int32_t w, int32_t l) {
  FicheLivre f{};
  f.parties = n;
  f.gains = w;
  f.pertes = l;
  return f;
}

// Opens the book of `dossier` with stdout captured; returns what was printed.
std::string ouvre(const std::string& dossier) {
  repertoire(dossier);
  DansDossier ici(dossier);
  testing::internal::CaptureStdout();
  ouvre_livre();
  return testing::internal::GetCapturedStdout();
}

struct FichiersLivre : testing::Test {
  DossierTemporaire d;
  void TearDown() override { ferme_livre(); }
};

}  // namespace

TEST_F(FichiersLivre, RechercheAuxDeuxBoutsEtAHautEgal) {
  const std::vector<std::pair<uint64_t, FicheLivre>> entrees = {
      {0x0000000100000005ull, fiche(1, 0, 0)},
      {0x0000000100000009ull, fiche(2, 0, 0)},
      {0x0000000200000001ull, fiche(3, 0, 0)},
      {0xFFFFFFFFFFFFFFF0ull, fiche(4, 0, 0)},
  };
  ecrit_livre_test(d.chemin, entrees);
  EXPECT_EQ(ouvre(d.chemin), "");
  EXPECT_EQ(compteur_livre, 1);
  EXPECT_EQ(nombre_positions_livre(), 4);
  EXPECT_EQ(cherche_livre(0x0000000100000005ull), 0);
  EXPECT_EQ(cherche_livre(0x0000000100000009ull), 1);
  EXPECT_EQ(cherche_livre(0x0000000200000001ull), 2);
  EXPECT_EQ(cherche_livre(0xFFFFFFFFFFFFFFF0ull), 3);
  EXPECT_EQ(cherche_livre(0), -1);                      // below every key
  EXPECT_EQ(cherche_livre(0xFFFFFFFFFFFFFFFFull), -1);  // above every key
  EXPECT_EQ(cherche_livre(0x0000000100000007ull), -1);  // same high word, low word between
  EXPECT_EQ(cherche_livre(0x0000000000000009ull), -1);  // same low word, other high word
  FicheLivre f;
  ASSERT_TRUE(lit_encyclopedie(3, f));
  EXPECT_EQ(f.parties, 4u);
  ferme_livre();
  EXPECT_EQ(compteur_livre, 0);
  EXPECT_EQ(cherche_livre(0x0000000100000005ull), -1);  // closed: nothing found
}

// Keys compare as unsigned 64-bit numbers.
TEST_F(FichiersLivre, CleUniqueEtBitDePoidsFort) {
  ecrit_livre_test(d.chemin, {{0x7FFFFFFF80000000ull, fiche(1, 0, 0)}, {0x8000000000000000ull, fiche(1, 0, 0)}});
  ouvre(d.chemin);
  EXPECT_EQ(cherche_livre(0x7FFFFFFF80000000ull), 0);
  EXPECT_EQ(cherche_livre(0x8000000000000000ull), 1);
}

TEST_F(FichiersLivre, LivreAbsentResteMuet) {
  EXPECT_EQ(ouvre(d.chemin), "");
  EXPECT_EQ(compteur_livre, 0);
  EXPECT_EQ(cherche_livre(CLE_LIVRE_DEPART), -1);
  // No "eco.bib": no opening names, and the last name is kept.
  EXPECT_EQ(nombre_entrees_eco(), 0);
  ASSERT_TRUE(installe("", {}));
  char nom[16] = "avant";
  EXPECT_EQ(nomme_ouverture(nom, sizeof nom), 0);
  EXPECT_STREQ(nom, "avant");
}

TEST_F(FichiersLivre, FichiersEndommagesRefusesAvecUneLigne) {
  struct Cas {
    const char* quoi;
    std::vector<uint8_t> cles;
    size_t octets_encyclopedie;
  };
  const std::vector<uint8_t> deux_cles = {1, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0};
  const std::vector<uint8_t> desordre = {2, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
  const std::vector<uint8_t> tronque(deux_cles.begin(), deux_cles.end() - 3);
  const Cas cas[] = {
      {"taille", tronque, 80},           // not a multiple of 8
      {"non triees", desordre, 80},      // unsorted keys
      {"Encyclopedie", deux_cles, 40},   // one record for two keys
      {"Encyclopedie", deux_cles, 119},  // not whole records
      {"vide", {}, 0},                   // empty book
  };
  for (const Cas& c : cas) {
    ecrit_octets(d.fichier("Velmar.bib"), c.cles);
    ecrit_octets(d.fichier("Encyclopedie.bib"), std::vector<uint8_t>(c.octets_encyclopedie, 1));
    const std::string sortie = ouvre(d.chemin);
    EXPECT_EQ(compteur_livre, 0) << c.quoi;
    EXPECT_EQ(sortie.rfind("info string ", 0), 0u) << sortie;
    EXPECT_NE(sortie.find(c.quoi), std::string::npos) << sortie;
    EXPECT_EQ(std::count(sortie.begin(), sortie.end(), '\n'), 1) << sortie;
    EXPECT_EQ(cherche_livre(1), -1);
  }
  // Without "Encyclopedie.bib" the book is refused with the system's reason.
  ecrit_octets(d.fichier("Velmar.bib"), deux_cles);
  std::remove(d.fichier("Encyclopedie.bib").c_str());
  EXPECT_NE(ouvre(d.chemin).find("Encyclopedie.bib"), std::string::npos);
  EXPECT_EQ(compteur_livre, 0);
}

TEST_F(FichiersLivre, RepertoireTropLongSansTerminateur) {
  // The book directory buffer completely filled, no terminator.
  std::memset(repertoire_livres, 'x', sizeof repertoire_livres);
  testing::internal::CaptureStdout();
  ouvre_livre();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(compteur_livre, 0);
  EXPECT_EQ(chemin_livre("Velmar.bib").size(), sizeof repertoire_livres + 1 + 10);
}

TEST_F(FichiersLivre, EcoEndommageOuTropCourt) {
  DansDossier ici(d.chemin);
  // Not a multiple of 32 bytes: no names, one line.
  ecrit_octets("eco.bib", std::vector<uint8_t>(33, 0));
  testing::internal::CaptureStdout();
  charge_eco();
  std::string sortie = testing::internal::GetCapturedStdout();
  EXPECT_EQ(nombre_entrees_eco(), 0);
  EXPECT_NE(sortie.find("info string eco.bib"), std::string::npos);

  // Two sorted keys, entries 0 and 5; "eco.txt" holds only entry 0 and half
  // of entry 1.
  std::vector<uint8_t> octets(64, 0);
  octets[0] = 1;
  octets[32] = 2;
  octets[60] = 5;
  ecrit_octets("eco.bib", octets);
  ecrit_octets("eco.txt", {'A', '0', '0', '\n', 'N', 'o', 'm', '\n', '1', '.', ' ', 'e', '4', '\n', 'B', '\n'});
  charge_eco();
  EXPECT_EQ(nombre_entrees_eco(), 2);
  uint8_t cle[TAILLE_CLE_ECO] = {1};
  char texte[64] = "X:";
  EXPECT_EQ(texte_eco(cle, texte, sizeof texte), 1);
  EXPECT_STREQ(texte, "X:A00\nNom\n1. e4\n");  // appended, line ends kept
  cle[0] = 2;
  testing::internal::CaptureStdout();
  EXPECT_EQ(texte_eco(cle, texte, sizeof texte), 0);
  sortie = testing::internal::GetCapturedStdout();
  EXPECT_NE(sortie.find("info string eco.txt"), std::string::npos);
  cle[0] = 3;
  EXPECT_EQ(texte_eco(cle, texte, sizeof texte), 0);  // absent key
  // A small buffer is filled and terminated, never overrun.
  cle[0] = 1;
  char petit[6] = "";
  EXPECT_EQ(texte_eco(cle, petit, sizeof petit), 1);
  EXPECT_STREQ(petit, "A00\nN");
  // From a directory without them, the names beside the book are used, with
  // their own "eco.txt".
  DossierTemporaire ailleurs;
  DansDossier la(ailleurs.chemin);
  repertoire(d.chemin);
  charge_eco();
  EXPECT_EQ(nombre_entrees_eco(), 2);
  char depuis_livre[64] = "";
  EXPECT_EQ(texte_eco(cle, depuis_livre, sizeof depuis_livre), 1);
  EXPECT_STREQ(depuis_livre, "A00\nNom\n1. e4\n");
  libere_eco();
}
