// Choosing a book move: weights, the printed candidate lines, tournament
// mode, the rating-difference table and the book counter.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "aides_livre.h"
#include "board/cles.h"
#include "book/livre.h"
#include "book/reglages_livre.h"

namespace {

FicheLivre fiche(uint32_t n, int32_t w, int32_t l, float elo = 0, uint32_t nb_elo = 0, float adv = 0,
                 uint32_t nb_adv = 0) {
  FicheLivre f{};
  f.parties = n;
  f.gains = w;
  f.pertes = l;
  f.elo_joueurs = elo;
  f.nb_elo_joueurs = nb_elo;
  f.elo_adversaires = adv;
  f.nb_elo_adversaires = nb_adv;
  return f;
}

std::string stats(const FicheLivre& f) {
  char t[160];
  texte_stats_livre(f, t, sizeof t);
  return t;
}

// A book for the initial position: e4 and d4 are played; Nf3 exactly at the
// 9 % line (105 games in all, 105 * 9 / 100 = 9), c4 never won, g3 a
// damaged record with no games.
struct ChoixLivre : testing::Test {
  DossierTemporaire d;
  void SetUp() override {
    ASSERT_TRUE(installe("", {}));
    prepare_liste_racine();
    ecrit_livre_test(d.chemin, {
                                   {cle_apres(coup_racine("e2e4")), fiche(50, 20, 10, 130000, 50, 125000, 50)},
                                   {cle_apres(coup_racine("d2d4")), fiche(40, 15, 5)},
                                   {cle_apres(coup_racine("g1f3")), fiche(9, 5, 0)},
                                   {cle_apres(coup_racine("c2c4")), fiche(6, 0, 1)},
                                   {cle_apres(coup_racine("g2g3")), fiche(0, 3, 0)},
                               });
    repertoire(d.chemin);
    DansDossier ici(d.chemin);
    ouvre_livre();
    ASSERT_EQ(compteur_livre, 1);
    mode_tournoi = 0;
  }
  void TearDown() override {
    ferme_livre();
    mode_tournoi = 0;
  }
  Coup choisit(std::string* sortie = nullptr) {
    testing::internal::CaptureStdout();
    const Coup c = choisit_coup_livre(BLANCS);
    const std::string s = testing::internal::GetCapturedStdout();
    if (sortie) *sortie = s;
    return c;
  }
};

}  // namespace

TEST(StatsLivre, TableDesEcartsA0_50_100Pour100) {
  // Opponents average 2500; a score of 0 %, 50 % and 100 %.
  EXPECT_EQ(stats(fiche(10, 0, 10, 26000, 10, 25000, 10)), "N=10 0.0% (0,0,10) Elo=2600 Elo Perf=1700\n");
  EXPECT_EQ(stats(fiche(10, 0, 0, 26000, 10, 25000, 10)), "N=10 50.0% (0,10,0) Elo=2600 Elo Perf=2500\n");
  EXPECT_EQ(stats(fiche(10, 10, 0, 26000, 10, 25000, 10)), "N=10 100.0% (10,0,0) Elo=2600 Elo Perf=3300\n");
  EXPECT_EQ(ecart_elo[0], 0);
  EXPECT_EQ(ecart_elo[50], 800);
}

TEST(StatsLivre, SansClassementNiPartie) {
  // No ratings recorded: both averages print 0 rather than dividing by 0.
  EXPECT_EQ(stats(fiche(4, 3, 1)), "N=4 75.0% (3,0,1) Elo=0 Elo Perf=0\n");
  EXPECT_EQ(stats(fiche(0, 0, 0)), "N=0 0.0% (0,0,0) Elo=0 Elo Perf=0\n");
}

TEST_F(ChoixLivre, LignesDesCandidatsOctetParOctet) {
  const long long g3 = cherche_livre(cle_apres(coup_racine("g2g3")));
  std::string sortie;
  const Coup c = choisit(&sortie);
  // e4 weighs 50 * 0.6^3 = 10.8, d4 40 * 0.625^3 = 9.765625; Nf3 (at the
  // 9 % line) and c4 (never won) weigh nothing and are not printed; g3's
  // record is refused.
  EXPECT_EQ(sortie,
            "info string Encyclopedie.bib : enregistrement " + std::to_string(g3) +
                " incoherent (N=0, gains 3, pertes 0) ignore\n"
            "info string e2e4 [52.5%] : N=50 60.0% (20,20,10) Elo=2600 Elo Perf=2572\n"
            "info string d2d4 [47.5%] : N=40 62.5% (15,20,5) Elo=0 Elo Perf=0\n")
      << sortie;
  EXPECT_TRUE(c == coup_racine("e2e4") || c == coup_racine("d2d4"));
}

TEST_F(ChoixLivre, TirageSelonLaGraine) {
  // target = r * sum * 65537 / 2^32; e4 covers the first 10.8 of 20.57.
  const double somme = 10.8 + 9.765625;
  std::set<Coup> vus;
  for (uint32_t graine = 1; graine < 200; graine += 7) {
    graine_livre_fixe(graine);
    const uint32_t r = graine * 1103515245u + 12345u;
    const double cible = (r >> 16) * somme * 65537.0 / 4294967296.0;
    const Coup c = choisit();
    EXPECT_EQ(c, coup_racine(cible < 10.8 ? "e2e4" : "d2d4")) << graine;
    vus.insert(c);
  }
  EXPECT_EQ(vus.size(), 2u);
}

TEST_F(ChoixLivre, TournoiToujoursLeMemeCoup) {
  mode_tournoi = 1;
  for (uint32_t graine = 0; graine < 40; graine++) {
    graine_livre_fixe(graine * 7919);
    std::string sortie;
    EXPECT_EQ(choisit(&sortie), coup_racine("e2e4"));
    EXPECT_NE(sortie.find("d2d4 [47.5%]"), std::string::npos);  // every candidate still printed
  }
}

TEST_F(ChoixLivre, RacineHorsLivre) {
  // After 1.a3 the root is not a book position: no move.
  ASSERT_TRUE(installe("", {"a2a3"}));
  prepare_liste_racine();
  testing::internal::CaptureStdout();
  EXPECT_EQ(choisit_coup_livre(NOIRS), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST_F(ChoixLivre, CompteurDuLivre) {
  testing::internal::CaptureStdout();
  // A book move keeps the counter at 1.
  EXPECT_NE(consulte_livre(BLANCS, 1), 0);
  EXPECT_EQ(compteur_livre, 1);
  // An infinite analysis does not ask, and counts as a search without one.
  EXPECT_EQ(consulte_livre(BLANCS, 0), 0);
  EXPECT_EQ(compteur_livre, 2);
  // Asked while 1..4; at 5 it is no longer asked, though the book has a move.
  compteur_livre = 4;
  EXPECT_NE(consulte_livre(BLANCS, 1), 0);
  EXPECT_EQ(compteur_livre, 1);
  compteur_livre = 5;
  EXPECT_EQ(consulte_livre(BLANCS, 1), 0);
  EXPECT_EQ(compteur_livre, 6);
  // From 0 (no book opened) a search moves it to 1 without a move.
  ferme_livre();
  EXPECT_EQ(compteur_livre, 0);
  EXPECT_EQ(consulte_livre(BLANCS, 1), 0);
  EXPECT_EQ(compteur_livre, 1);
  EXPECT_EQ(consulte_livre(BLANCS, 1), 0);  // asked, but nothing is mapped
  EXPECT_EQ(compteur_livre, 2);
  testing::internal::GetCapturedStdout();
}

TEST_F(ChoixLivre, TousLesCoupsSousLeSeuil) {
  // Every candidate never won: no book move, nothing printed.
  ferme_livre();
  ecrit_livre_test(d.chemin, {{cle_apres(coup_racine("e2e4")), fiche(10, 0, 3)},
                              {cle_apres(coup_racine("d2d4")), fiche(10, 0, 0)}});
  DansDossier ici(d.chemin);
  ouvre_livre();
  std::string sortie;
  EXPECT_EQ(choisit(&sortie), 0);
  EXPECT_EQ(sortie, "");
}

TEST_F(ChoixLivre, EncyclopedieDisparueUneLigneEtPasDeCoup) {
  std::remove(d.fichier("Encyclopedie.bib").c_str());
  std::string sortie;
  EXPECT_EQ(choisit(&sortie), 0);
  EXPECT_EQ(sortie, "info string Encyclopedie.bib : No such file or directory\n");
}

TEST(StatsLivre, FicheEndommageeSansDebordement) {
  FicheLivre f = fiche(4000000000u, 2000000000, 2000000000, 1e30f, 1, -1e30f, 1);
  EXPECT_EQ(stats(f), "N=4000000000 50.0% (2000000000,0,2000000000) Elo=0 Elo Perf=0\n");
}
