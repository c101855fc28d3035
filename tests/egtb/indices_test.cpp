// The index functions against the reference vectors, the table sizes and the
// symmetries of the scheme.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "board/types.h"
#include "common/session.h"
#include "fichiers_tb.h"
#include "placements.h"

namespace {

const std::string VECTEURS = std::string(VELMAR_TEST_DATA) + "/egtb/index-vectors.tsv";

class Indices : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { initialise_indices(); }
};

int numero(const std::string& nom) {
  for (int n = 1; n <= NB_TABLES; ++n)
    if (nom == definitions_tables[n].nom) return n;
  return 0;
}

void lit_liste(const std::string& champ, int32_t l[24]) {
  std::stringstream ss(champ);
  std::string x;
  for (int i = 0; i < 24 && std::getline(ss, x, ','); ++i) l[i] = std::stoi(x);
}

TEST_F(Indices, ReproduisentChaqueVecteurDeReference) {
  std::ifstream f(VECTEURS);
  ASSERT_TRUE(f) << VECTEURS;
  std::string ligne;
  int lignes = 0, faux = 0;
  bool vus[NB_TABLES + 1][2] = {};
  while (std::getline(f, ligne)) {
    if (ligne.empty() || ligne[0] == '#') continue;
    std::stringstream ss(ligne);
    std::string nom, trait, blancs, noirs, inversion, attendu;
    std::getline(ss, nom, '\t');
    std::getline(ss, trait, '\t');
    std::getline(ss, blancs, '\t');
    std::getline(ss, noirs, '\t');
    std::getline(ss, inversion, '\t');
    std::getline(ss, attendu, '\t');
    int n = numero(nom);
    ASSERT_NE(n, 0) << ligne;
    int32_t w[24], b[24];
    lit_liste(blancs, w);
    lit_liste(noirs, b);
    int camp = trait == "w" ? 0 : 1;
    vus[n][camp] = true;
    uint32_t indice = fonction_indice(n, camp)(w, b, EP_AUCUN, std::stoi(inversion));
    if (indice != std::stoul(attendu) && ++faux < 10) ADD_FAILURE() << ligne << " -> " << indice;
    ++lignes;
  }
  EXPECT_EQ(faux, 0);
  EXPECT_GT(lignes, 4000);
  for (int n = 1; n <= NB_TABLES; ++n) EXPECT_TRUE(vus[n][0] && vus[n][1]) << definitions_tables[n].nom;
}

TEST_F(Indices, NumerotationDesPairesDeRois) {
  // First pairs and last pair of both numberings.
  EXPECT_EQ(paires_rois[A1][C1], 0);
  EXPECT_EQ(paires_rois[A1][H8], 32);
  EXPECT_EQ(paires_rois[B1][D1], 33);
  EXPECT_EQ(paires_rois[D4][H8], 461);
  EXPECT_EQ(paires_rois[A1][B2], 4000);  // kings in contact
  EXPECT_EQ(paires_rois[B2][A3], 4000);  // above the diagonal with the king on it
  EXPECT_EQ(paires_rois_pions[A1][C1], 0);
  EXPECT_EQ(paires_rois_pions[B1][D1], 60);
  EXPECT_EQ(paires_rois_pions[D8][H8], 1805);
  EXPECT_EQ(paires_rois_pions[E1][A8], 4000);  // files e-h never hold the first king
}

// Largest index of a legal position + 1 over a full enumeration of a
// three- or four-piece set; with en passant for kpkp.
uint32_t maximum_enumere(int n, int trait) {
  Placement p = pieces_de(n);
  uint64_t total = 1;
  for (int i = 0; i < p.nb; ++i) total *= 64;
  uint32_t max = 0;
  for (uint64_t code = 0; code < total; ++code) {
    uint64_t c = code;
    for (int i = 0; i < p.nb; ++i, c >>= 6) p.carre[i] = int(c & 63);
    if (!legale(p, trait)) continue;
    uint32_t x = indice_de(n, trait, p);
    if (x + 1 > max) max = x + 1;
  }
  if (std::string(definitions_tables[n].nom) == "kpkp") {
    // White pawn p.carre[1], Black pawn p.carre[3]: the pawn that just moved
    // two squares stands beside a pawn of the side to move.
    for (uint64_t code = 0; code < 64 * 64 * 64; ++code) {
      p.carre[0] = int(code & 63), p.carre[2] = int((code >> 6) & 63);
      int preneur = int(code >> 12);
      for (int d = -1; d <= 1; d += 2) {
        int col = (preneur & 7) + d;
        if (col < 0 || col > 7) continue;
        int rang_preneur = trait == 0 ? 4 : 3;
        if ((preneur >> 3) != rang_preneur) continue;
        int pris = preneur + d, ep = trait == 0 ? pris + 8 : pris - 8, depart = trait == 0 ? pris + 16 : pris - 16;
        p.carre[1] = trait == 0 ? preneur : pris;
        p.carre[3] = trait == 0 ? pris : preneur;
        if (!legale(p, trait) || p.carre[0] == ep || p.carre[2] == ep || p.carre[0] == depart ||
            p.carre[2] == depart)
          continue;
        uint32_t x = indice_de(n, trait, p, ep);
        if (x + 1 > max) max = x + 1;
      }
    }
  }
  return max;
}

// Largest index + 1 over every en-passant position of a set where both sides
// have pawns: the pawn that just moved two squares stands beside a pawn of
// the side to move, the squares it crossed are empty. With `echantillon`
// only every 97th placement is tried.
uint32_t maximum_en_passant(int n, int trait, bool echantillon) {
  Placement p = pieces_de(n);
  // Indices of the two pawns concerned and of the remaining piece.
  int pion_blanc = -1, pion_noir = -1, autre = -1, roi_blanc = 0, roi_noir = -1;
  for (int i = 0; i < p.nb; ++i) {
    if (p.type[i] == 6) (p.couleur[i] == 0 ? roi_blanc : roi_noir) = i;
    else if (p.type[i] == 1 && p.couleur[i] == 1) pion_noir = i;
    else if (p.type[i] == 1 && p.couleur[i] == 0 && pion_blanc < 0) pion_blanc = i;
    else autre = i;
  }
  uint32_t max = 0;
  uint64_t compteur = 0;
  for (int wk = 0; wk < 64; ++wk)
    for (int bk = 0; bk < 64; ++bk)
      for (int pris = 24; pris < 40; ++pris)
        for (int d = -1; d <= 1; d += 2)
          for (int x = 0; x < (autre < 0 ? 1 : 64); ++x) {
            if (echantillon && ++compteur % 97) continue;
            // White to move: a Black pawn on rank 5; Black to move: a White
            // pawn on rank 4.
            if ((pris >> 3) != (trait == 0 ? 4 : 3)) continue;
            int col = (pris & 7) + d;
            if (col < 0 || col > 7) continue;
            int preneur = pris + d;
            int ep = trait == 0 ? pris + 8 : pris - 8, depart = trait == 0 ? pris + 16 : pris - 16;
            p.carre[roi_blanc] = wk, p.carre[roi_noir] = bk;
            p.carre[pion_blanc] = trait == 0 ? preneur : pris;
            p.carre[pion_noir] = trait == 0 ? pris : preneur;
            if (autre >= 0) p.carre[autre] = x;
            bool libre = true;
            for (int i = 0; i < p.nb; ++i) libre = libre && p.carre[i] != ep && p.carre[i] != depart;
            if (!libre || !legale(p, trait)) continue;
            uint32_t v = indice_de(n, trait, p, ep);
            if (v + 1 > max) max = v + 1;
          }
  return max;
}

TEST_F(Indices, EnPassantResteDansLaTable) {
  for (int n : {36, 51, 66, 86}) {
    EXPECT_LE(maximum_en_passant(n, 0, true), uint32_t(definitions_tables[n].taille_blancs)) << n;
    EXPECT_LE(maximum_en_passant(n, 1, true), uint32_t(definitions_tables[n].taille_noirs)) << n;
  }
}

TEST_F(Indices, SlowEnPassantAtteintLaFinDeLaTable) {
  // In these sets the last entry of each file is an en-passant position.
  for (int n : {6, 36, 41, 51, 66, 86}) {
    EXPECT_EQ(maximum_en_passant(n, 0, false), uint32_t(definitions_tables[n].taille_blancs)) << n;
    EXPECT_EQ(maximum_en_passant(n, 1, false), uint32_t(definitions_tables[n].taille_noirs)) << n;
  }
}

TEST_F(Indices, TroisPiecesMaximumPlusUnEgalLaTaille) {
  for (int n = 1; n <= 5; ++n) {
    EXPECT_EQ(maximum_enumere(n, 0), uint32_t(definitions_tables[n].taille_blancs)) << n;
    EXPECT_EQ(maximum_enumere(n, 1), uint32_t(definitions_tables[n].taille_noirs)) << n;
  }
}

TEST_F(Indices, SlowQuatrePiecesMaximumPlusUnEgalLaTaille) {
  for (int n = 6; n <= 35; ++n) {
    EXPECT_EQ(maximum_enumere(n, 0), uint32_t(definitions_tables[n].taille_blancs)) << n;
    EXPECT_EQ(maximum_enumere(n, 1), uint32_t(definitions_tables[n].taille_noirs)) << n;
  }
}

// Random legal positions of every set stay below the size, are unchanged by
// the file mirror (and, without pawns, by the rank mirror and the diagonal
// unless both kings share a long diagonal), and satisfy the inversion
// identity index(P) = index(rank mirror of P with colours exchanged).
void verifie_echantillon(int n, int nombre, std::mt19937& rng) {
  const bool pions = avec_pions(n);
  for (int trait = 0; trait < 2; ++trait) {
    const uint32_t taille = uint32_t(trait == 0 ? definitions_tables[n].taille_blancs : definitions_tables[n].taille_noirs);
    for (int k = 0; k < nombre; ++k) {
      Placement p = placement_aleatoire(n, trait, rng);
      uint32_t x = indice_de(n, trait, p);
      ASSERT_LT(x, taille) << definitions_tables[n].nom << " " << trait;
      Placement m = p;
      for (int i = 0; i < m.nb; ++i) m.carre[i] ^= 7;
      ASSERT_EQ(indice_de(n, trait, m), x) << definitions_tables[n].nom;
      // The inversion identity: the squares rank-mirrored and passed with
      // the flag give the same entry.
      Placement r = p;
      for (int i = 0; i < r.nb; ++i) r.carre[i] ^= 56;
      if (pions) {
        ASSERT_EQ(indice_de(n, trait, r, EP_AUCUN, 1), x) << definitions_tables[n].nom;
      } else {
        ASSERT_EQ(indice_de(n, trait, r), x) << definitions_tables[n].nom;
        ASSERT_EQ(indice_de(n, trait, p, EP_AUCUN, 1), x) << "the flag is ignored without pawns";
        int wk = p.carre[0], bk = -1;
        for (int i = 0; i < p.nb; ++i)
          if (p.type[i] == 6 && p.couleur[i] == 1) bk = p.carre[i];
        bool diagonale = ((wk & 7) == (wk >> 3) && (bk & 7) == (bk >> 3)) ||
                         ((wk & 7) + (wk >> 3) == 7 && (bk & 7) + (bk >> 3) == 7);
        if (!diagonale) {
          Placement d = p;
          for (int i = 0; i < d.nb; ++i) d.carre[i] = 8 * (d.carre[i] & 7) + (d.carre[i] >> 3);
          ASSERT_EQ(indice_de(n, trait, d), x) << definitions_tables[n].nom;
        }
      }
    }
  }
}

TEST_F(Indices, EchantillonDeToutesLesTables) {
  std::mt19937 rng(12345);
  for (int n = 1; n <= NB_TABLES; ++n) verifie_echantillon(n, n <= 35 ? 3000 : 2000, rng);
}

TEST_F(Indices, SlowGrandEchantillonCinqPieces) {
  std::mt19937 rng(777);
  for (int n = 36; n <= NB_TABLES; ++n) verifie_echantillon(n, 200000, rng);
}

TEST_F(Indices, LesTablesAUnSeulFichierIndexentLaPositionInverseeCoteNoir) {
  // knkn, kbkb, krkr, kqkq: the Black-to-move entry is the White-to-move entry
  // of the colour-exchanged position.
  std::mt19937 rng(99);
  for (int n : {8, 11, 15, 20}) {
    for (int k = 0; k < 500; ++k) {
      Placement p = placement_aleatoire(n, 1, rng);
      Placement e = p;
      for (int i = 0; i < e.nb; ++i) e.couleur[i] ^= 1;
      EXPECT_EQ(indice_de(n, 1, p), indice_de(n, 0, e)) << definitions_tables[n].nom;
    }
  }
}

TEST(OutilIndex, ImprimeLIndexDeChaqueLigne) {
  // The index column may be absent; a malformed line gives "?" and status 1.
  const std::string fichier = repertoire_vide("index") + "/vecteurs.tsv";
  {
    std::ofstream o(fichier);
    o << "# comment\n";
    o << "krk\tw\t38,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,18,0,0,0,0,0,0,0\t57,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\t0\t19401\n";
    o << "krk\tb\t38,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,18,0,0,0,0,0,0,0\t57,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\t0\n";
    o << "kpk\tb\t37,0,0,0,28,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\t11,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\t1\n";
    o << "krpkr\tw\t14,0,0,0,33,0,0,0,0,0,0,0,0,0,0,0,3,0,0,0,0,0,0,0\t44,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,63,0,0,0,0,0,0,0\t0\n";
    o << "krpkr\tb\t14,0,0,0,33,0,0,0,0,0,0,0,0,0,0,0,3,0,0,0,0,0,0,0\t44,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,63,0,0,0,0,0,0,0\t0\n";
    o << "kzk\tw\t1,2\t3\t0\n";
  }
  int statut = 0;
  std::string sortie = lance_velmar({"tb", "index", fichier}, "", &statut);
  EXPECT_EQ(sortie, "19401\n3574\n20131\n52092232\n219787422\n?\n");
  EXPECT_EQ(statut, 1);
  sortie = lance_velmar({"tb", "index", VECTEURS}, "", &statut);
  EXPECT_EQ(statut, 0);
  EXPECT_GT(std::count(sortie.begin(), sortie.end(), '\n'), 4000);
}

}  // namespace
