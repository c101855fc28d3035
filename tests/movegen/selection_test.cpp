// Move pickers: stages, duplicates, ordering, and stored-move validation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "board/joue.h"
#include "board/texte_coup.h"
#include "common/plateau.h"
#include "movegen/attaques.h"
#include "movegen/echange.h"
#include "movegen/selection.h"

namespace {

class Selection : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(coup_hash, 0, sizeof coup_hash);
    std::memset(pv_precedente, 0, sizeof pv_precedente);
    std::memset(tueur1, 0, sizeof tueur1);
    std::memset(tueur2, 0, sizeof tueur2);
    std::memset(historique, 0, sizeof historique);
    premiere_branche = 0;
  }

  // The move of `texte` as the generators write it, in the current position.
  static Coup coup(const std::string& texte) {
    Coup liste[256];
    Coup* fin = genere_captures(0, partie.trait, liste);
    fin = genere_non_captures(0, partie.trait, fin);
    char t[8];
    for (Coup* c = liste; c != fin; ++c)
      if (texte == texte_coup(*c, t)) return *c;
    ADD_FAILURE() << "no move " << texte;
    return 0;
  }

  // Every move the main picker gives at ply 0, as texts.
  static std::vector<std::string> tous(int phase = 0) {
    etat_selection[0].phase = phase;
    std::vector<std::string> t;
    char texte[8];
    for (int i = 0; i < 400; ++i) {
      const Coup c = selection_coup(partie.trait, 0, i);
      if (c == 0) break;
      t.push_back(texte_coup(c, texte));
    }
    return t;
  }
};

size_t compte(const std::vector<std::string>& v, const std::string& t) {
  return static_cast<size_t>(std::count(v.begin(), v.end(), t));
}

TEST_F(Selection, OrdreDesEtapes) {
  // exd5 is an even trade (good capture); Nxd5 loses the knight (bad capture).
  ASSERT_TRUE(place_fen("4k3/8/2p5/3p4/4P3/2N5/8/4K3 w - - 0 1"));
  const auto t = tous();
  ASSERT_FALSE(t.empty());
  EXPECT_EQ(t[0], "e4d5");  // the only good capture
  // The bad capture comes after, among the quiet moves, by history then list order.
  EXPECT_EQ(compte(t, "c3d5"), 1u);
  EXPECT_EQ(t.size(), 2 + 6 + 5 + 1u);  // captures, knight, king, pawn push
}

TEST_F(Selection, CoupDeHashRenduUneSeuleFois) {
  ASSERT_TRUE(place_fen("4k3/8/2p5/3p4/4P3/2N5/8/4K3 w - - 0 1"));
  coup_hash[0] = coup("c3d5");
  const auto t = tous();
  ASSERT_FALSE(t.empty());
  EXPECT_EQ(t[0], "c3d5");
  EXPECT_EQ(t[1], "e4d5");
  EXPECT_EQ(compte(t, "c3d5"), 1u);
  // Trying the hash move leaves the ply's list empty, so a child starts where it starts.
  etat_selection[0].phase = 0;
  EXPECT_EQ(selection_coup(BLANCS, 0, 0), coup_hash[0]);
  EXPECT_EQ(debut_liste[1], debut_liste[0]);
  // A quiet hash move too, even when it carries the gives-check bit.
  coup_hash[0] = coup("e1f2") | BIT_ECHEC;
  const auto u = tous();
  EXPECT_EQ(u[0], "e1f2");
  EXPECT_EQ(compte(u, "e1f2"), 1u);
}

TEST_F(Selection, TueursApresLesBonnesCaptures) {
  ASSERT_TRUE(place_fen("4k3/8/2p5/3p4/4P3/2N5/8/4K3 w - - 0 1"));
  tueur1[0] = coup("c3b5");
  tueur2[0] = coup("e1d2");
  const auto t = tous();
  ASSERT_GE(t.size(), 3u);
  EXPECT_EQ(t[0], "e4d5");
  EXPECT_EQ(t[1], "c3b5");
  EXPECT_EQ(t[2], "e1d2");
  EXPECT_EQ(compte(t, "c3b5"), 1u);  // the copies among the quiet moves are removed
  EXPECT_EQ(compte(t, "e1d2"), 1u);
  // A killer equal to the hash move is not given again.
  coup_hash[0] = tueur1[0];
  const auto u = tous();
  EXPECT_EQ(u[0], "c3b5");
  EXPECT_EQ(u[1], "e4d5");
  EXPECT_EQ(u[2], "e1d2");
  EXPECT_EQ(compte(u, "c3b5"), 1u);
  // A killer that does not fit the position is skipped.
  SetUp();
  tueur1[0] = fabrique_coup(A1, A8, TOUR);
  const auto v = tous();
  EXPECT_EQ(compte(v, "a1a8"), 0u);
}

TEST_F(Selection, MauvaiseCaptureEnConcurrenceParHistorique) {
  ASSERT_TRUE(place_fen("4k3/8/2p5/3p4/4P3/2N5/8/4K3 w - - 0 1"));
  historique[BLANCS][coup("c3d5") & 0xFFF] = 5;
  historique[BLANCS][coup("e1f1") & 0xFFF] = 9;
  historique[BLANCS][coup("c3a4") & 0xFFF] = 5;
  const auto t = tous();
  ASSERT_GE(t.size(), 5u);
  EXPECT_EQ(t[0], "e4d5");
  EXPECT_EQ(t[1], "e1f1");
  EXPECT_EQ(t[2], "c3d5");  // equal history: the first in the list wins
  EXPECT_EQ(t[3], "c3a4");
}

TEST_F(Selection, HistoriqueNulDonneLOrdreDeLaListe) {
  ASSERT_TRUE(place_fen());
  const auto t = tous();
  const std::vector<std::string> attendu = {
      "g1h3", "g1f3", "b1c3", "b1a3", "h2h4", "g2g4", "f2f4", "e2e4", "d2d4", "c2c4",
      "b2b4", "a2a4", "h2h3", "g2g3", "f2f3", "e2e3", "d2d3", "c2c3", "b2b3", "a2a3"};
  EXPECT_EQ(t, attendu);
}

TEST_F(Selection, QuatreCoupsParHistoriquePuisLOrdreDeLaListe) {
  ASSERT_TRUE(place_fen());
  const char* par_historique[5] = {"a2a3", "b2b3", "c2c3", "d2d3", "e2e3"};
  for (int i = 0; i < 5; ++i) historique[BLANCS][coup(par_historique[i]) & 0xFFF] = 10 - i;
  const auto t = tous();
  ASSERT_EQ(t.size(), 20u);
  EXPECT_EQ(t[0], "a2a3");
  EXPECT_EQ(t[3], "d2d3");
  EXPECT_EQ(t[4], "g1h3");  // the fifth by history waits its turn in list order
  EXPECT_EQ(std::find(t.begin(), t.end(), "e2e3") - t.begin(), 4 + 15);
}

TEST_F(Selection, CoupDeLaVariationPrecedenteRenduUneSecondeFois) {
  ASSERT_TRUE(place_fen("4k3/8/2p5/3p4/4P3/2N5/8/4K3 w - - 0 1"));
  pv_precedente[0] = coup("e4d5");
  EXPECT_EQ(compte(tous(), "e4d5"), 1u);  // only on the leftmost branch
  premiere_branche = 1;
  const auto t = tous();
  EXPECT_EQ(t[0], "e4d5");
  EXPECT_EQ(t[1], "e4d5");
  EXPECT_EQ(compte(t, "e4d5"), 2u);
}

TEST_F(Selection, ChaqueCoupUneFoisSurLaSuite) {
  // With a hash move and two quiet killers drawn from the position itself,
  // the main picker gives every pseudo-legal move exactly once.
  for (const CasPerft& c : lit_epd_perft(std::string(VELMAR_TEST_DATA) + "/perft.epd")) {
    SetUp();
    ASSERT_TRUE(place_fen(c.fen));
    Coup liste[256];
    Coup* milieu = genere_captures(0, partie.trait, liste);
    Coup* fin = genere_non_captures(0, partie.trait, milieu);
    const int n = static_cast<int>(fin - liste);
    std::vector<Coup> attendu(liste, fin);
    std::sort(attendu.begin(), attendu.end());
    coup_hash[0] = liste[n / 2];
    if (fin - milieu >= 2) {
      tueur1[0] = fin[-1];
      tueur2[0] = milieu[0];
    }
    for (int k = 0; k < n; ++k) historique[partie.trait][liste[k] & 0xFFF] = (k * 7) % 5;
    etat_selection[0].phase = 0;
    std::vector<Coup> obtenu;
    for (Coup m; (m = selection_coup(partie.trait, 0, 0)) != 0;) obtenu.push_back(m);
    std::sort(obtenu.begin(), obtenu.end());
    EXPECT_EQ(obtenu, attendu) << c.fen;
  }
}

TEST_F(Selection, Racine) {
  ASSERT_TRUE(place_fen());
  genere_coups(BLANCS, 0);
  etat_selection[0].phase = 10;
  EXPECT_EQ(selection_coup(BLANCS, 0, 0), debut_liste[0][0]);
  EXPECT_EQ(selection_coup(BLANCS, 0, 19), debut_liste[0][19]);
  EXPECT_EQ(selection_coup(BLANCS, 0, 20), 0);
  EXPECT_EQ(selection_coup(BLANCS, 0, 0), debut_liste[0][0]);  // entries stay
  etat_selection[0].phase = 42;
  EXPECT_EQ(selection_coup(BLANCS, 0, 0), 0);
}

TEST_F(Selection, EnEchecUneSeuleReponse) {
  ASSERT_TRUE(place_fen("7k/8/b7/8/8/8/5PPq/6K1 w - - 0 1"));
  etat_selection[0].phase = 6;
  const Coup seul = selection_coup_echec(BLANCS, 0, 0);
  char t[8];
  EXPECT_STREQ(texte_coup(seul, t), "g1h2");
  EXPECT_EQ(selection_coup_echec(BLANCS, 0, 1), 0);
  EXPECT_EQ(selection_coup_echec(BLANCS, 0, 0), seul);
}

TEST_F(Selection, EnEchecCoupsLegauxOrdonnes) {
  // The queen on e2 gives check; only taking it helps.
  ASSERT_TRUE(place_fen("4k3/8/8/8/8/2N5/4q3/R3K3 w - - 0 1"));
  etat_selection[0].phase = 6;
  std::vector<std::string> t;
  char texte[8];
  for (int i = 0; Coup c = selection_coup_echec(BLANCS, 0, i); ++i) {
    t.push_back(texte_coup(c, texte));
    joue(BLANCS, 0, c);
    EXPECT_FALSE(en_echec(BLANCS)) << t.back();
    dejoue(BLANCS, 0, c);
  }
  ASSERT_EQ(t.size(), 2u);  // Nxe2, Kxe2 and nothing else: the queen on e2 covers the rest
  // The king's type code is above the queen's, so its capture is scored by
  // the exchange (900, the queen being undefended); the knight's 900 - 2.
  EXPECT_EQ(t[0], "e1e2");
  EXPECT_EQ(t[1], "c3e2");
}

TEST_F(Selection, Quiescence) {
  // Promotion kept whatever the threshold; a capture of a piece worth less
  // than the threshold dropped; a pawn taking a defended bishop kept without
  // an exchange evaluation; a losing capture dropped.
  ASSERT_TRUE(place_fen("k7/6P1/8/2b1r3/3P4/8/4p3/K2Q4 w - - 0 1"));
  etat_selection[1].phase = 2;
  debut_liste[1] = pile_coups;
  std::vector<std::string> t;
  char texte[8];
  for (int i = 0; Coup c = selection_coup_quiescence(BLANCS, 1, 400, i); ++i) t.push_back(texte_coup(c, texte));
  EXPECT_EQ(t, (std::vector<std::string>{"g7g8q", "d4e5"}));
  // With no threshold dxc5 comes in with its 300; Qxe2 (defended by the
  // rook) still loses material and stays out.
  etat_selection[1].phase = 2;
  t.clear();
  for (int i = 0; Coup c = selection_coup_quiescence(BLANCS, 1, 0, i); ++i) t.push_back(texte_coup(c, texte));
  EXPECT_EQ(t, (std::vector<std::string>{"g7g8q", "d4e5", "d4c5"}));
}

TEST_F(Selection, QuiescencePhaseInconnue) {
  ASSERT_TRUE(place_fen());
  etat_selection[0].phase = 0;
  testing::internal::CaptureStdout();
  EXPECT_EQ(selection_coup_quiescence(BLANCS, 0, 0, 0), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERREUR : Phase inconnu dans selection_coup_quiescence\n");
}

TEST_F(Selection, CoupValide) {
  ASSERT_TRUE(place_fen("r3k2r/8/8/3pP3/8/8/1P6/R3K2R w KQkq d6 0 1"));
  EXPECT_TRUE(coup_valide(0, BLANCS, coup("e5d6")));
  EXPECT_TRUE(coup_valide(0, BLANCS, coup("b2b4")));
  EXPECT_TRUE(coup_valide(0, BLANCS, coup("e1g1")));
  EXPECT_TRUE(coup_valide(0, BLANCS, coup("a1a8")));
  EXPECT_FALSE(coup_valide(0, BLANCS, 0));
  EXPECT_FALSE(coup_valide(0, BLANCS, -1));
  EXPECT_FALSE(coup_valide(0, NOIRS, coup("a1a8")));                         // not Black's piece
  EXPECT_FALSE(coup_valide(0, BLANCS, fabrique_coup(A1, A8, TOUR)));          // the rook is there: capture type missing
  EXPECT_FALSE(coup_valide(0, BLANCS, fabrique_coup(A1, A8, DAME, TOUR)));    // wrong piece type
  EXPECT_FALSE(coup_valide(0, BLANCS, fabrique_coup(E5, E6, PION, PION)));    // a push takes nothing
  EXPECT_FALSE(coup_valide(0, BLANCS, fabrique_coup(E5, F6, PION, PION)));    // not the en-passant square
  EXPECT_FALSE(coup_valide(0, BLANCS, fabrique_coup(B2, B1, PION)));          // backwards
  EXPECT_FALSE(coup_valide(0, BLANCS, fabrique_coup(H1, A1, TOUR)));          // blocked... by the king
  EXPECT_FALSE(coup_valide(0, BLANCS, fabrique_coup(E1, E8, ROI, ROI)));      // never a king capture
  EXPECT_FALSE(coup_valide(0, BLANCS, fabrique_coup(H1, G3, TOUR)));          // not on one line
  position.etats[0].en_passant = AUCUNE_CASE;
  EXPECT_FALSE(coup_valide(0, BLANCS, fabrique_coup(E5, D6, PION, PION)));  // the en-passant right is gone
  // Castling: the right, the path and the attacked squares.
  position.etats[0].roque_blancs = 2;
  EXPECT_FALSE(coup_valide(0, BLANCS, 0x6184));
  EXPECT_TRUE(coup_valide(0, BLANCS, 0x6084));
  ASSERT_TRUE(place_fen("r3k2r/8/8/8/8/8/6p1/R3K2R w KQkq - 0 1"));
  EXPECT_FALSE(coup_valide(0, BLANCS, 0x6184));  // f1 attacked by the pawn on g2
  EXPECT_TRUE(coup_valide(0, BLANCS, 0x6084));
  EXPECT_TRUE(coup_valide(0, NOIRS, 0x6FBC));
  EXPECT_TRUE(coup_valide(0, NOIRS, 0x6EBC));
  ASSERT_TRUE(place_fen("rn2k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1"));
  EXPECT_FALSE(coup_valide(0, NOIRS, 0x6EBC));  // b8 occupied
  // Chess960: the king moves onto its rook. Castling long would put the king
  // on c1 in the queen's line once the rook has left b1; the standard form
  // means nothing there.
  chess960_demande = 1;
  ASSERT_TRUE(place_fen("4k3/8/8/8/8/8/8/qR2K2R w HB - 0 1"));
  EXPECT_TRUE(coup_valide(0, BLANCS, fabrique_coup(E1, H1, ROI)));
  EXPECT_FALSE(coup_valide(0, BLANCS, fabrique_coup(E1, B1, ROI)));
  EXPECT_FALSE(coup_valide(0, BLANCS, 0x6184));
  position.etats[0].roque_blancs = 2;
  EXPECT_FALSE(coup_valide(0, BLANCS, fabrique_coup(E1, H1, ROI)));  // the right is gone
  chess960_demande = 0;
}

}  // namespace
