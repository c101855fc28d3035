// One-ply check of a table: its values are the true distances to mate if
// and only if every entry agrees with the best of its moves (a win in n
// needs a move to a loss in n - 1 and none better, a loss needs every move
// to lead to a win, the slowest in n - 1, a draw has no winning move and a
// drawing one). By induction on the distance the mates, then the wins and
// losses one ply longer, and so on, are right; what is left is a draw.
#include "tbgen/verification.h"

#include <cstdio>

#include "board/joue.h"
#include "board/position.h"
#include "movegen/attaques.h"
#include "movegen/generation.h"
#include "tbgen/generation.h"
#include "tbgen/plateau_table.h"
#include "tbgen/tables_memoire.h"

namespace {

// Whether result a (plies, from the side to move's view) is better than b.
bool meilleur(int a, int b) {
  if (a > 0) return b <= 0 || a < b;
  if (a == 0) return b < 0;
  return b < 0 && a < b;  // a slower loss: -1 - d is smaller for a larger d
}

void affiche_position(const MaterielTable& m, const int8_t* cases, int camp, int ep) {
  std::fprintf(stderr, "  %s, %s to move:", definitions_tables[m.n].nom, camp == 0 ? "White" : "Black");
  for (int k = 0; k < m.nb; ++k)
    std::fprintf(stderr, " %c%c%c%c", m.pieces[k].camp == 0 ? 'w' : 'b', " PNBRQK"[m.pieces[k].type],
                 'a' + colonne(cases[k]), '1' + rangee(cases[k]));
  if (ep != EP_AUCUN) std::fprintf(stderr, " ep %c%d", 'a' + colonne(ep), rangee(ep) + 1);
  std::fprintf(stderr, "\n");
}

}  // namespace

bool verifie_table(int n, ResumeVerification& resume) {
  vide_plateau();
  const MaterielTable m = materiel_table(n);
  resume = ResumeVerification{0, 0};
  bool manque = false;
  for (int camp = 0; camp < 2; ++camp)
    pour_chaque_position(m, camp, [&](const int8_t* cases, int ep) {
      int8_t propre;
      if (!octet_plateau(camp, ep, propre)) {
        manque = true;
        return;
      }
      ++resume.positions;
      position.etats[0].en_passant = uint8_t(ep == EP_AUCUN ? AUCUNE_CASE : ep);
      genere_coups(camp, 0);
      bool legal = false;
      int attendu = 0;
      for (const Coup* c = debut_liste[0]; c != debut_liste[1]; ++c) {
        joue(camp, 0, *c);
        if (!en_echec(camp)) {
          const bool conversion = piece_prise(*c) != 0 || promotion(*c) != 0;
          const int ep_enfant = !conversion && piece_jouee(*c) == PION && (destination(*c) ^ origine(*c)) == 16
                                    ? en_passant_effectif(camp ^ 1, destination(*c))
                                    : EP_AUCUN;
          int8_t octet;
          if (!octet_plateau(camp ^ 1, ep_enfant, octet)) manque = true;
          const int r = resultat_du_coup(octet);
          if (!legal || meilleur(r, attendu)) attendu = r;
          legal = true;
        }
        dejoue(camp, 0, *c);
      }
      position.etats[0].en_passant = AUCUNE_CASE;
      if (!legal) attendu = en_echec(camp) ? -1 : 0;
      if (octet_resultat(attendu) != propre) {
        if (++resume.erreurs <= 10) {
          std::fprintf(stderr, "velmar tb verify: entry %d, one ply ahead %d:\n", propre, octet_resultat(attendu));
          affiche_position(m, cases, camp, ep);
        }
      }
    });
  if (manque) std::fprintf(stderr, "velmar tb verify: %s needs tables that are not loaded\n", definitions_tables[n].nom);
  return !manque;
}
