// The book and ECO builders, run as the real binary, against counts made
// directly from the input text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <regex>
#include <sstream>

#include "aides_livre.h"
#include "board/cles.h"
#include "board/position.h"
#include "book/eco.h"
#include "book/livre.h"
#include "book/octets.h"
#include "common/session.h"

namespace {

const std::string PGN = std::string(VELMAR_TEST_DATA) + "/book/petit.pgn";

struct Compte {
  uint32_t n = 0, blancs = 0, noirs = 0;
};

// Games per opening of one or two plies, read from the PGN text with plain
// text operations: skip games with a FEN, drop comments, variations, NAGs and
// move numbers, and take the first words of the move text.
std::map<std::string, Compte> compte_debuts(const std::string& texte) {
  std::map<std::string, Compte> comptes;
  std::vector<std::string> parties;
  const std::regex debut_partie("\\n(?=\\[Event )");
  for (std::sregex_token_iterator i(texte.begin(), texte.end(), debut_partie, -1), fin; i != fin; ++i)
    parties.push_back(*i);
  for (const std::string& p : parties) {
    if (p.find("[Event ") == std::string::npos || p.find("[FEN ") != std::string::npos) continue;
    std::smatch m;
    std::regex_search(p, m, std::regex("\\[Result \"([^\"]*)\"\\]"));
    const std::string resultat = m[1];
    std::string coups;
    std::istringstream lignes(p);
    for (std::string l; std::getline(lignes, l);)
      if (l.empty() || (l[0] != '[' && l[0] != '%')) coups += l.substr(0, l.find(';')) + " ";
    coups = std::regex_replace(coups, std::regex("\\{[^}]*\\}"), " ");
    for (std::string avant; avant != coups;) {
      avant = coups;
      coups = std::regex_replace(coups, std::regex("\\([^()]*\\)"), " ");
    }
    coups = std::regex_replace(coups, std::regex("\\$[0-9]+|[0-9]+\\.+"), " ");
    std::istringstream mots(coups);
    std::string un, deux;
    mots >> un >> deux;
    for (const std::string& cle : {un, un + " " + deux}) {
      Compte& c = comptes[cle];
      c.n++;
      c.blancs += resultat == "1-0";
      c.noirs += resultat == "0-1";
    }
  }
  return comptes;
}

// The record of the position after `coups` in the book of `dossier`.
bool fiche_de(const std::string& dossier, const std::vector<std::string>& coups, FicheLivre& f) {
  EXPECT_TRUE(installe("", coups));
  const uint64_t cle = cle_complete(0, partie.trait);
  const std::vector<uint8_t> cles = lit_octets(dossier + "/Velmar.bib");
  const std::vector<uint8_t> fiches = lit_octets(dossier + "/Encyclopedie.bib");
  EXPECT_EQ(cles.size() / 8 * 40, fiches.size());
  for (size_t i = 0; i + 8 <= cles.size(); i += 8) {
    if ((static_cast<uint64_t>(lit_u32(&cles[i + 4])) << 32 | lit_u32(&cles[i])) != cle) continue;
    decode_fiche(&fiches[i / 8 * 40], f);
    return true;
  }
  return false;
}

std::string construit(const std::vector<std::string>& args, int* statut) {
  std::vector<std::string> a = {"book"};
  a.insert(a.end(), args.begin(), args.end());
  return lance_velmar(a, "", statut);
}

}  // namespace

TEST(ConstructeurLivre, ComptesEgauxAuTexteDuPgn) {
  DossierTemporaire d;
  int statut = -1;
  const std::string sortie = construit({"--out", d.chemin, "--min-games", "1", PGN}, &statut);
  ASSERT_EQ(statut, 0) << sortie;
  EXPECT_NE(sortie.find("games read 12, skipped 2 (unreplayable 1, set-up positions 1, no moves 0)"),
            std::string::npos)
      << sortie;

  const std::map<std::string, Compte> attendu = compte_debuts(lit_texte(PGN));
  struct Cas {
    std::vector<std::string> coups;
    std::string debut;
    int camp;  // side that moved into the position
  };
  const Cas cas[] = {{{"e2e4"}, "e4", BLANCS}, {{"d2d4"}, "d4", BLANCS}, {{"e2e4", "c7c5"}, "e4 c5", NOIRS}};
  for (const Cas& c : cas) {
    const Compte& a = attendu.at(c.debut);
    FicheLivre f;
    ASSERT_TRUE(fiche_de(d.chemin, c.coups, f)) << c.debut;
    EXPECT_EQ(f.parties, a.n) << c.debut;
    EXPECT_EQ(static_cast<uint32_t>(f.gains), c.camp == BLANCS ? a.blancs : a.noirs) << c.debut;
    EXPECT_EQ(static_cast<uint32_t>(f.pertes), c.camp == BLANCS ? a.noirs : a.blancs) << c.debut;
  }
  // Spot checks of the count itself and of the other fields: 1.e4 c5 is met
  // in games A, B, F and I (F without a result).
  FicheLivre f;
  ASSERT_TRUE(fiche_de(d.chemin, {"e2e4", "c7c5"}, f));
  EXPECT_EQ(f.parties, 4u);
  EXPECT_EQ(f.premier_ply, 2);
  EXPECT_EQ(f.derniere_annee, 2001);
  EXPECT_EQ(f.sans_resultat, 1);
  EXPECT_EQ(f.nb_elo_joueurs, 3u);  // Black's ratings of A, B and I
  EXPECT_FLOAT_EQ(f.elo_joueurs, 2600 + 2610 + 2700);
  EXPECT_EQ(f.nb_elo_adversaires, 3u);
  EXPECT_FLOAT_EQ(f.elo_adversaires, 2650 + 2700 + 2700);
  // Moves inside variations and comments are not in the book.
  EXPECT_FALSE(fiche_de(d.chemin, {"e2e4", "e7e5", "g1f3", "b8c6", "f1c4", "f8c5", "e1g1", "g8f6", "d2d3", "e8g8",
                                   "c2c3"},
                        f));
  EXPECT_TRUE(fiche_de(d.chemin, {"e2e4", "e7e5", "g1f3", "b8c6", "f1c4", "f8c5", "e1g1", "g8f6", "d2d3", "e8g8"}, f));
  EXPECT_FALSE(fiche_de(d.chemin, {"d2d4", "d7d5", "g1f3", "g8f6", "c2c4"}, f));
  EXPECT_TRUE(fiche_de(d.chemin, {"d2d4", "d7d5", "g1f3", "g8f6", "c1f4", "c7c5", "e2e3"}, f));
  // The unreplayable game's first moves are not counted either.
  EXPECT_FALSE(fiche_de(d.chemin, {"g1f3"}, f));
}

TEST(ConstructeurLivre, GzipEtOptions) {
  DossierTemporaire d;
  const std::string gz = d.fichier("petit.pgn.gz");
  ASSERT_EQ(std::system(("gzip -c '" + PGN + "' > '" + gz + "'").c_str()), 0);
  int statut = -1;
  construit({"--out", d.fichier("a"), "--min-games", "1", PGN}, &statut);
  ASSERT_EQ(statut, 0);
  construit({"--out", d.fichier("b"), "--min-games", "1", gz}, &statut);
  ASSERT_EQ(statut, 0);
  EXPECT_EQ(lit_octets(d.fichier("a/Velmar.bib")), lit_octets(d.fichier("b/Velmar.bib")));
  EXPECT_EQ(lit_octets(d.fichier("a/Encyclopedie.bib")), lit_octets(d.fichier("b/Encyclopedie.bib")));
  // One ply and at least four games: only the position after 1.e4 (games
  // A, B, C, F, I, K, L) qualifies; 1.d4 has three games.
  construit({"--out", d.fichier("c"), "--max-ply", "1", "--min-games", "4", PGN}, &statut);
  ASSERT_EQ(statut, 0);
  EXPECT_EQ(lit_octets(d.fichier("c/Velmar.bib")).size(), 8u);
  // Bad arguments and missing files fail without writing anything.
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--out", d.fichier("e"), "--max-ply", "0", PGN},
                                             {"--out", d.fichier("e"), "--min-games", "x", PGN},
                                             {"--out", d.fichier("e")},
                                             {PGN},
                                             {"--out", d.fichier("e"), d.fichier("absent.pgn")}}) {
    construit(args, &statut);
    EXPECT_NE(statut, 0);
    EXPECT_TRUE(lit_octets(d.fichier("e/Velmar.bib")).empty());
  }
}

TEST(ConstructeurEco, ClesTrieesEtTroisLignesParEntree) {
  DossierTemporaire d;
  const std::string tsv = d.fichier("liste.tsv");
  ecrit_octets(tsv, {});
  {
    const std::string texte =
        "eco\tname\tpgn\n"
        "C20\tKing's Pawn Game\t1. e4 e5\n"
        "B20\tSicilian Defense\t1. e4 c5\r\n"
        "A00\tBroken line\t1. e4 Ke7\n"
        "C40\tSame position\t1. e4 e5 2. Nf3 Nf6 3. Ng1 Ng8\n"
        "A01\tNimzo-Larsen Attack\t1. b3\n";
    ecrit_octets(tsv, std::vector<uint8_t>(texte.begin(), texte.end()));
  }
  int statut = -1;
  const std::string sortie = lance_velmar({"eco", "--out", d.chemin, tsv}, "", &statut);
  ASSERT_EQ(statut, 0) << sortie;
  EXPECT_NE(sortie.find("lines read 5, skipped 1, same position as an earlier line 1, entries written 3"),
            std::string::npos)
      << sortie;
  EXPECT_EQ(lit_texte(d.fichier("eco.txt")),
            "C20\nKing's Pawn Game\n1. e4 e5\n"
            "B20\nSicilian Defense\n1. e4 c5\n"
            "C40\nSame position\n1. e4 e5 2. Nf3 Nf6 3. Ng1 Ng8\n"
            "A01\nNimzo-Larsen Attack\n1. b3\n");
  const std::vector<uint8_t> bib = lit_octets(d.fichier("eco.bib"));
  ASSERT_EQ(bib.size(), 3u * TAILLE_FICHE_ECO);
  for (size_t i = TAILLE_FICHE_ECO; i < bib.size(); i += TAILLE_FICHE_ECO)
    EXPECT_LT(std::memcmp(&bib[i - TAILLE_FICHE_ECO], &bib[i], TAILLE_CLE_ECO), 0);

  // Looked up from the board: the entry numbers point at the right lines
  // (the "Same position" entry is the fourth line group, entry 3).
  DansDossier ici(d.chemin);
  charge_eco();
  ASSERT_EQ(nombre_entrees_eco(), 3);
  char nom[512] = "";
  ASSERT_TRUE(installe("", {"e2e4", "c7c5"}));
  EXPECT_EQ(nomme_ouverture(nom, sizeof nom), 1);
  EXPECT_STREQ(nom, "B20\nSicilian Defense\n1. e4 c5\n");
  ASSERT_TRUE(installe("", {"b2b3"}));
  EXPECT_EQ(nomme_ouverture(nom, sizeof nom), 1);
  EXPECT_STREQ(nom, "A01\nNimzo-Larsen Attack\n1. b3\n");
  ASSERT_TRUE(installe("", {"b2b3", "e7e5"}));
  EXPECT_EQ(nomme_ouverture(nom, sizeof nom), 0);  // unknown: the last name stays
  EXPECT_STREQ(nom, "A01\nNimzo-Larsen Attack\n1. b3\n");
  libere_eco();
}
