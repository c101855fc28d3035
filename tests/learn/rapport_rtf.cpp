// The RTF report writer: diagram, FEN-style text, report layouts and the
// report files themselves.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "board/texte_coup.h"
#include "learn/apprentissage.h"
#include "learn/rtf.h"
#include "learn/partie_exemple.h"
#include "systeme/flux_memoire.h"

namespace {

template <typename F>
std::string capture(F ecrire) {
  FluxMemoire f;
  if (!ouvre_flux_memoire(f)) return "";
  ecrire(f.flux);
  ferme_flux_memoire(f);
  std::string texte(f.octets, f.taille);
  std::free(f.octets);
  return texte;
}

// What follows the FEN line of a report: the move list and the tail.
std::string apres_fen(const std::string& rapport) {
  const size_t fen = rapport.find("FEN : ");
  return rapport.substr(rapport.find('\n', fen) + 1);
}

std::string lit_fichier(const std::string& nom) {
  std::ifstream f(nom, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

constexpr const char* diagramme_depart =
    "\\plain\\f4\\fs40\\cf0 !\"\"\"\"\"\"\"\"#\\par\n"
    "\\'e7tMvWlVmT%\\par\n"
    "\\'e6OoOoOoOo%\\par\n"
    "\\'e5 + + + +%\\par\n"
    "\\'e4+ + + + %\\par\n"
    "\\'e3 + + + +%\\par\n"
    "\\'e2+ + + + %\\par\n"
    "\\'e1pPpPpPpP%\\par\n"
    "\\'e0RnBqKbNr%\\par\n"
    "/\\'e8\\'e9\\'ea\\'eb\\'ec\\'ed\\'ee\\'ef)\\par\n"
    "\\plain\\f2\\fs20\\par\n";

constexpr const char* entete =
    "{\\rtf1\\ansi\\deff0\\deftab720\n"
    "{\\fonttbl\n"
    "{\\f0\\fswiss MS Sans Serif;}\n"
    "{\\f1\\froman\\fcharset2 Symbol;}\n"
    "{\\f2\\fmodern Courier New;}\n"
    "{\\f3\\fswiss\\fprq2\\fcharset2 Chess Alpha;}\n"
    "{\\f4\\fswiss\\fprq2\\fcharset2 Chess Merida;}}\n"
    "{\\colortbl\\red0\\green0\\blue0;}\n"
    "\\deflang1036\\pard\\plain\\f2\\fs20\n";

// The move lists need the board's move text.
bool texte_des_coups_disponible() {
  return capture([](FILE* f) { ecrit_coup(f, fabrique_coup(E2, E4, PION)); }) == "e2e4";
}

void fixe_valeurs() {
  for (int k = 0; k < NB_VALEURS_APPRENTISSAGE; ++k) valeurs_apprentissage[k] = 10 * k - 20;
}
constexpr const char* ligne_valeurs = "-20  -10  0  10  20  30  40  50  60  70 \\par\n";

class RepertoireTemporaire {
 public:
  RepertoireTemporaire() {
    char modele[] = "/tmp/velmar_rtf_XXXXXX";
    chemin = mkdtemp(modele);
  }
  ~RepertoireTemporaire() { std::system(("rm -rf " + chemin).c_str()); }
  std::string chemin;
};

}  // namespace

TEST(DiagrammeRtf, PositionDeDepart) {
  partie_de_test(0);
  EXPECT_EQ(capture([](FILE* f) { ecrit_diagramme(f); }), diagramme_depart);
}

TEST(DiagrammeRtf, PiecesSurCasesClairesEtSombres) {
  partie_de_test(0);
  for (int s = 0; s < 64; ++s) position.cases[s] = 0;
  position.cases[A8] = -ROI;   // light
  position.cases[B8] = -DAME;  // dark
  position.cases[A1] = PION;   // dark
  position.cases[B1] = PION;   // light
  position.cases[H1] = -PION;  // light
  position.cases[G1] = -FOU;   // dark
  const std::string d = capture([](FILE* f) { ecrit_diagramme(f); });
  EXPECT_NE(d.find("\\'e7lW + + +%\\par\n"), std::string::npos) << d;
  EXPECT_NE(d.find("\\'e0Pp+ + Vo%\\par\n"), std::string::npos) << d;
}

TEST(FenRapport, PositionDeDepartEtRoques) {
  Partie p = partie_de_test(0);
  EXPECT_STREQ(position_en_fen(p), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq");
  p.roque_blancs = 1;
  p.roque_noirs = 0;
  EXPECT_STREQ(position_en_fen(p), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w K-");
  p.roque_blancs = 0;
  p.roque_noirs = 2;
  p.trait = NOIRS;
  EXPECT_STREQ(position_en_fen(p), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b -q");
  p.roque_noirs = 0;
  EXPECT_STREQ(position_en_fen(p), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b --");
}

TEST(FenRapport, CasesVidesEntreLesPieces) {
  Partie p{};
  p.echiquier[H8] = -ROI;
  p.echiquier[A1] = ROI;
  p.echiquier[D4] = -PION;
  p.echiquier[E4] = PION;
  p.echiquier[G2] = DAME;
  EXPECT_STREQ(position_en_fen(p), "7k/8/8/8/3pP3/8/6Q1/K7 w --");
}

TEST(RapportPartie, TeteDuRapport) {
  fixe_valeurs();
  Partie p = partie_de_test(0);
  const std::string r = capture([&](FILE* f) { ecrit_rapport_partie(f, p, "e2e4"); });
  const std::regex tete(
      "\\*{36}\\\\par\nDate : \\d\\d:\\d\\d \\d\\d/\\d\\d/\\d{4}\\\\par\n([^]*)"
      "\\\\par\nLe programme a les noirs\\. Les blancs doivent jouer\\\\par\n\\\\par\n"
      "FEN : rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq\\\\par\n[^]*");
  std::smatch m;
  ASSERT_TRUE(std::regex_match(r, m, tete)) << r;
  EXPECT_EQ(m[1].str(), diagramme_depart);

  p.camp_programme = BLANCS;
  p.trait = NOIRS;
  const std::string r2 = capture([&](FILE* f) { ecrit_rapport_partie(f, p, "e7e5"); });
  EXPECT_NE(r2.find("\\par\nLe programme a les blancs. Les noirs doivent jouer\\par\n"), std::string::npos);
}

TEST(RapportPartie, ListeDesCoupsSelonLeNombreDeDemiCoups) {
  if (!texte_des_coups_disponible()) GTEST_SKIP() << "move text not available yet";
  fixe_valeurs();
  const std::string valeurs = ligne_valeurs;
  Partie vide = partie_de_test(0);
  EXPECT_EQ(apres_fen(capture([&](FILE* f) { ecrit_rapport_partie(f, vide, "e2e4"); })),
            "\\par\n 1. e2e4\\par\n" + valeurs);

  Partie sept = partie_de_test(7);
  EXPECT_EQ(apres_fen(capture([&](FILE* f) { ecrit_rapport_partie(f, sept, "g8f6"); })),
            "\\par\n1. e2e4 e7e5 2. g1f3 b8c6 3. f1b5 a7a6 4. b5a4 g8f6\\par\n " + valeurs);

  Partie huit = partie_de_test(8);
  EXPECT_EQ(apres_fen(capture([&](FILE* f) { ecrit_rapport_partie(f, huit, "e1g1"); })),
            "\\par\n1. e2e4 e7e5 2. g1f3 b8c6 3. f1b5 a7a6 4. b5a4 g8f6\\par\n 5. e1g1\\par\n " + valeurs);

  Partie dix = partie_de_test(10);
  EXPECT_EQ(apres_fen(capture([&](FILE* f) { ecrit_rapport_partie(f, dix, "f1e1"); })),
            "\\par\n1. e2e4 e7e5 2. g1f3 b8c6 3. f1b5 a7a6 4. b5a4 g8f6 \\par\n5. e1g1 f8e7 6. f1e1\\par\n " +
                valeurs);
}

TEST(RapportPosition, ListeDesCoupsEtValeurs) {
  if (!texte_des_coups_disponible()) GTEST_SKIP() << "move text not available yet";
  const std::string fin = "Valeur : 40 ---> 0 (profondeur : 7)\\par\n\\par\n";
  Partie vide = partie_de_test(0);
  EXPECT_EQ(apres_fen(capture([&](FILE* f) { ecrit_rapport_position(f, vide, 40, "e2e4", 0, 7); })),
            "\\par\n1. e2e4\\par\n" + fin);

  Partie sept = partie_de_test(7);
  EXPECT_EQ(apres_fen(capture([&](FILE* f) { ecrit_rapport_position(f, sept, 40, "g8f6", 0, 7); })),
            "\\par\n1. e2e4 e7e5 2. g1f3 b8c6 3. f1b5 a7a6 4. b5a4 g8f6\\par\n" + fin);

  Partie huit = partie_de_test(8);
  EXPECT_EQ(apres_fen(capture([&](FILE* f) { ecrit_rapport_position(f, huit, 40, "e1g1", 0, 7); })),
            "\\par\n1. e2e4 e7e5 2. g1f3 b8c6 3. f1b5 a7a6 4. b5a4 g8f6 \\par\n5. e1g1\\par\n" + fin);

  Partie neuf = partie_de_test(9);
  EXPECT_EQ(apres_fen(capture([&](FILE* f) { ecrit_rapport_position(f, neuf, 40, "f8e7", 0, 7); })),
            "\\par\n1. e2e4 e7e5 2. g1f3 b8c6 3. f1b5 a7a6 4. b5a4 g8f6 \\par\n5. e1g1 f8e7\\par\n" + fin);
}

TEST(FichierRtf, EnteteSeulementPourUnFichierNeuf) {
  RepertoireTemporaire rep;
  const std::string nom = rep.chemin + "/rapport.txt";
  fixe_valeurs();
  Partie p = partie_de_test(2);

  FILE* f = ouvre_fichier_rtf(nom.c_str());
  ASSERT_NE(f, nullptr);
  ecrit_rapport_partie(f, p, "g1f3");
  EXPECT_EQ(lit_fichier(nom), "") << "nothing reaches the file before the report is closed";
  EXPECT_EQ(ferme_fichier_rtf(f), 1);
  std::string premier = lit_fichier(nom);
  ASSERT_EQ(premier.rfind(entete, 0), 0u) << premier;
  EXPECT_EQ(premier.find("{\\rtf1", 1), std::string::npos);
  // The document is closed after every report; the next one replaces the
  // closing brace.
  ASSERT_TRUE(premier.ends_with("\\par\n}\n")) << premier;
  premier.resize(premier.size() - 2);

  f = ouvre_fichier_rtf(nom.c_str());
  ASSERT_NE(f, nullptr);
  ecrit_rapport_position(f, p, 40, "g1f3", 0, 6);
  EXPECT_EQ(ferme_fichier_rtf(f), 1);
  const std::string deux = lit_fichier(nom);
  EXPECT_EQ(deux.rfind(premier, 0), 0u);
  const std::string ajout = deux.substr(premier.size());
  EXPECT_EQ(ajout.rfind("************************************\\par\n", 0), 0u) << ajout;
  EXPECT_TRUE(ajout.ends_with("Valeur : 40 ---> 0 (profondeur : 6)\\par\n\\par\n}\n")) << ajout;

  // A file written without the closing brace is continued at its end.
  std::ofstream(nom, std::ios::binary | std::ios::trunc) << premier;
  f = ouvre_fichier_rtf(nom.c_str());
  ASSERT_NE(f, nullptr);
  std::fputs("x", f);
  EXPECT_EQ(ferme_fichier_rtf(f), 1);
  EXPECT_EQ(lit_fichier(nom), premier + "x}\n");
}

TEST(FichierRtf, FichierVideRecoitLEntete) {
  RepertoireTemporaire rep;
  const std::string nom = rep.chemin + "/vide.txt";
  std::fclose(std::fopen(nom.c_str(), "w"));
  FILE* f = ouvre_fichier_rtf(nom.c_str());
  ASSERT_NE(f, nullptr);
  std::fputs("x", f);
  EXPECT_EQ(ferme_fichier_rtf(f), 1);
  EXPECT_EQ(lit_fichier(nom), std::string(entete) + "x}\n");
}

TEST(FichierRtf, FichierImpossibleAOuvrir) {
  EXPECT_EQ(ouvre_fichier_rtf("/nonexistent_velmar_dir/apprentissage.txt"), nullptr);
  EXPECT_EQ(ferme_fichier_rtf(nullptr), 0);
  // Nothing stays held: the next report opens normally.
  RepertoireTemporaire rep;
  FILE* f = ouvre_fichier_rtf((rep.chemin + "/ok.txt").c_str());
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(ferme_fichier_rtf(f), 1);
}

#ifndef _WIN32
// A file-size limit per process exists on Linux only.
TEST(FichierRtf, RapportTronqueRetire) {
  RepertoireTemporaire rep;
  const std::string nom = rep.chemin + "/plein.txt";
  fixe_valeurs();
  Partie p = partie_de_test(8);
  FILE* f = ouvre_fichier_rtf(nom.c_str());
  ASSERT_NE(f, nullptr);
  ecrit_rapport_partie(f, p, "e1g1");
  ASSERT_EQ(ferme_fichier_rtf(f), 1);
  const std::string avant = lit_fichier(nom);

  // The file may grow by 100 bytes only: the next report is cut short by the
  // system and must be taken back out whole.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit ancienne{};
  getrlimit(RLIMIT_FSIZE, &ancienne);
  rlimit limite = ancienne;
  limite.rlim_cur = avant.size() + 100;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
  f = ouvre_fichier_rtf(nom.c_str());
  ASSERT_NE(f, nullptr);
  ecrit_rapport_partie(f, p, "e1g1");
  const int resultat = ferme_fichier_rtf(f);
  setrlimit(RLIMIT_FSIZE, &ancienne);
  std::signal(SIGXFSZ, SIG_DFL);
  EXPECT_EQ(resultat, 0);
  EXPECT_EQ(lit_fichier(nom), avant);
}
#endif
