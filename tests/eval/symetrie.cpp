// The evaluation treats both colours alike: a position and its colour mirror
// (ranks flipped, colours and side to move exchanged) score the same for the
// side to move. The only table that is not left-right symmetric, the king
// table, is kept out by leaving out kings on a2, h2, a7 and h7. Three
// rules are one-sided on purpose: the king exposure is shifted right (so a
// negative difference rounds down), a drawn bishop ending is halved the same
// way, and of two pawns on a passed file White scores its rearmost and Black
// its most advanced.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "board/position.h"
#include "eval/detail_evaluation.h"
#include "eval/evaluation.h"
#include "eval/pions.h"
#include "installe.h"
#include "movegen/bitboard.h"

namespace {

std::string miroir(const std::string& fen) {
  std::istringstream in(fen);
  std::string placement, camp, roques, ep;
  in >> placement >> camp >> roques >> ep;
  std::vector<std::string> rangs;
  std::stringstream r(placement);
  for (std::string rang; std::getline(r, rang, '/');) rangs.push_back(rang);
  std::string sortie;
  for (int i = static_cast<int>(rangs.size()) - 1; i >= 0; --i) {
    for (char& c : rangs[i]) c = std::isupper(static_cast<unsigned char>(c)) ? std::tolower(c) : std::toupper(c);
    sortie += rangs[i];
    if (i) sortie += '/';
  }
  std::string roques_miroir;
  for (char c : roques) roques_miroir += c == '-' ? c : (std::isupper(static_cast<unsigned char>(c)) ? std::tolower(c) : std::toupper(c));
  if (ep != "-") ep[1] = ep[1] == '3' ? '6' : '3';
  return sortie + (camp == "w" ? " b " : " w ") + roques_miroir + " " + ep;
}

bool roi_sur_case_asymetrique(const std::string& fen) {
  installe(fen);
  for (int s : {A2, H2, A7, H7})
    if (position.roi_blanc == s || position.roi_noir == s) return true;
  return false;
}

// A file with passed pawns holding two pawns of that side.
bool passes_doubles() {
  for (int f = 0; f < 8; ++f) {
    const uint8_t bit = static_cast<uint8_t>(0x80 >> f);
    if ((resume_pions.passes_blancs & bit) && compte_bits(position.pions_blancs & masque_colonne[f]) > 1) return true;
    if ((resume_pions.passes_noirs & bit) && compte_bits(position.pions_noirs & masque_colonne[f]) > 1) return true;
  }
  return false;
}

std::vector<std::string> positions_fichier(const std::string& nom) {
  std::vector<std::string> fens;
  std::ifstream f(nom);
  for (std::string ligne; std::getline(f, ligne);) {
    std::istringstream in(ligne);
    std::string a, b, c, d;
    if (in >> a >> b >> c >> d) fens.push_back(a + " " + b + " " + c + " " + d);
  }
  return fens;
}

}  // namespace

TEST(EvaluationSymetrie, MiroirDesCouleurs) {
  std::vector<std::string> fens = positions_fichier(std::string(VELMAR_TEST_DATA) + "/perft.epd");
  const std::vector<std::string> fens_suite = positions_fichier(std::string(VELMAR_TEST_DATA) + "/positions_evaluation.epd");
  fens.insert(fens.end(), fens_suite.begin(), fens_suite.end());
  ASSERT_GT(fens.size(), 50u);
  int comparees = 0;
  for (const std::string& fen : fens) {
    const std::string autre = miroir(fen);
    if (roi_sur_case_asymetrique(fen)) continue;
    installe(fen);
    DetailEvaluation a, b;
    const int va = evalue_detaillee(trait(), 0, a);
    const int camp_a = trait();
    const int phase_a = phase_jeu;
    bool passes_asymetriques = passes_doubles();
    installe(autre);
    const int vb = evalue_detaillee(trait(), 0, b);
    passes_asymetriques = passes_asymetriques || passes_doubles();
    EXPECT_EQ(phase_a, phase_jeu) << fen;
    EXPECT_EQ(a.materiel, -b.materiel) << fen;
    EXPECT_EQ(a.pions, -b.pions) << fen;
    EXPECT_EQ(a.roque, -b.roque) << fen;
    EXPECT_LE(std::abs(a.exposition + b.exposition), 2) << fen;
    EXPECT_EQ(a.attaque, -b.attaque) << fen;
    EXPECT_EQ(a.pieces, -b.pieces) << fen;
    EXPECT_EQ(a.fous, -b.fous) << fen;
    EXPECT_EQ(a.finale, -b.finale) << fen;
    if (passes_asymetriques) continue;
    EXPECT_EQ(a.passes, -b.passes) << fen;
    // The rounding of the exposure shift moves the total by the same amount.
    const int ecart = a.exposition + b.exposition;
    if (a.correction == 0 && b.correction == 0)
      EXPECT_EQ(va - vb, camp_a == BLANCS ? ecart : -ecart) << fen << "  /  " << autre;
    else
      EXPECT_LE(std::abs(va - vb), 2) << fen;
    ++comparees;
  }
  EXPECT_GT(comparees, 50);
}
