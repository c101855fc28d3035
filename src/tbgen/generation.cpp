// Retrograde analysis of one set with the engine's move generator,
// make/unmake and index functions.
//
// First every legal position is looked at once (mirror images share an
// entry): it gets its moves counted, and its captures and promotions read
// from the smaller sets they lead to. Mates start the work lists. Then, ply
// by ply, each position whose value has just become final is unmoved: a
// position lost in d makes every predecessor a win in d + 1; a position won
// in d takes one move off every predecessor's count, and a predecessor left
// with no move that escapes is lost. What is never decided is a draw.
#include "tbgen/generation.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "board/joue.h"
#include "board/position.h"
#include "movegen/attaques.h"
#include "movegen/bitboard.h"
#include "movegen/generation.h"
#include "tbgen/plateau_table.h"
#include "tbgen/tables_memoire.h"

int8_t octet_resultat(int r) {
  if (r > 0) return int8_t(127 - (r + 1) / 2);
  if (r < 0) return int8_t(-126 + (-r - 1) / 2);
  return 0;
}

int resultat_octet(int8_t b) {
  if (b > 0 && b < 127) return 2 * (127 - b) - 1;
  if (b < 0 && b > -127) return -1 - 2 * (b + 126);
  return 0;
}

int resultat_du_coup(int8_t octet) {
  const int r = resultat_octet(octet);
  if (r > 0) return -1 - (r + 1);  // the opponent wins in r: lost in r + 1
  if (r < 0) return -r - 1 + 1;    // the opponent is mated in d: won in d + 1
  return 0;
}

namespace {

// Working value of an entry: NON_VU no legal position seen; 0 undecided (a
// draw at the end); d > 0 won in d plies (final once the work list of ply d
// is reached; a faster win may still replace it before); -1 - d lost in d
// plies (final); BORNE_PERTE - L undecided, every capture or promotion
// loses, the slowest in L plies.
constexpr int16_t NON_VU = INT16_MIN;
constexpr int16_t BORNE_PERTE = -1000;
// Move count of a position that a capture or promotion keeps from losing.
constexpr uint8_t JAMAIS_PERDU = 255;

// Value and move count side by side: one cache line fetch per entry.
struct [[gnu::packed]] Entree {
  int16_t valeur;
  uint8_t compte;
};

bool est_gain(int16_t v) { return v > 0; }
bool est_perte(int16_t v) { return v < 0 && v > BORNE_PERTE; }

// A position in a work list: six bits per slot, bit 30 an en-passant entry,
// bit 31 set when the pawn that has just moved two squares is the second
// pawn of its side (in slot order).
uint32_t emballe(const MaterielTable& m, const int8_t* cases, int ep) {
  uint32_t e = 0;
  for (int k = 0; k < m.nb; ++k) e |= uint32_t(cases[k]) << (6 * k);
  if (ep != EP_AUCUN) {
    e |= 1u << 30;
    const int pion = rangee(ep) == 2 ? ep + 8 : ep - 8;
    int vus = 0;
    for (int k = 2; k < m.nb; ++k)
      if (m.pieces[k].type == PION && m.pieces[k].camp == (rangee(ep) == 2 ? BLANCS : NOIRS)) {
        if (cases[k] == pion && vus == 1) e |= 1u << 31;
        ++vus;
      }
  }
  return e;
}

struct Generateur {
  MaterielTable m;
  std::vector<Entree> entrees[2];
  std::vector<std::vector<uint32_t>> listes[2];  // per ply
  int64_t positions = 0;
  bool manque = false;

  void ajoute(int camp, int ply, const int8_t* cases, int ep) {
    if (int(listes[camp].size()) <= ply) listes[camp].resize(size_t(ply) + 1);
    listes[camp][size_t(ply)].push_back(emballe(m, cases, ep));
  }

  // Moves, captures and promotions of one position, on the board.
  void analyse(int camp, const int8_t* cases, int ep) {
    const uint32_t i = indice_primaire(m, camp, cases, ep);
    Entree& e = entrees[camp][i];
    if (e.valeur != NON_VU) return;
    ++positions;
    position.etats[0].en_passant = uint8_t(ep == EP_AUCUN ? AUCUNE_CASE : ep);
    genere_coups(camp, 0);
    int legaux = 0, nb_enfants = 0;
    uint32_t enfants[256];
    int8_t enfant[PIECES_MAX];
    std::copy(cases, cases + m.nb, enfant);
    int meilleur_gain = 0, pire_perte = -1;
    bool nulle = false;
    for (const Coup* c = debut_liste[0]; c != debut_liste[1]; ++c) {
      joue(camp, 0, *c);
      if (!en_echec(camp)) {
        ++legaux;
        if (piece_prise(*c) != 0 || promotion(*c) != 0) {
          int8_t octet;
          if (!octet_plateau(camp ^ 1, EP_AUCUN, octet)) manque = true;
          const int r = resultat_du_coup(octet);
          if (r > 0 && (meilleur_gain == 0 || r < meilleur_gain)) meilleur_gain = r;
          if (r == 0) nulle = true;
          if (r < 0) pire_perte = std::max(pire_perte, -r - 1);
        } else {
          const int ep_enfant = piece_jouee(*c) == PION && std::abs(destination(*c) - origine(*c)) == 16
                                    ? en_passant_effectif(camp ^ 1, destination(*c))
                                    : EP_AUCUN;
          int k = 0;
          while (cases[k] != origine(*c)) ++k;
          enfant[k] = int8_t(destination(*c));
          const uint32_t j = indice_primaire(m, camp ^ 1, enfant, ep_enfant);
          enfant[k] = cases[k];
          if (std::find(enfants, enfants + nb_enfants, j) == enfants + nb_enfants) enfants[nb_enfants++] = j;
        }
      }
      dejoue(camp, 0, *c);
    }
    position.etats[0].en_passant = AUCUNE_CASE;
    e.compte = uint8_t(nb_enfants);
    if (legaux == 0) {
      if (en_echec(camp)) {
        e.valeur = -1;
        ajoute(camp, 0, cases, ep);
      } else {
        e.valeur = 0;
        e.compte = JAMAIS_PERDU;
      }
      return;
    }
    if (nulle) e.compte = JAMAIS_PERDU;
    if (meilleur_gain > 0) {
      e.valeur = int16_t(meilleur_gain);
      ajoute(camp, meilleur_gain, cases, ep);
    } else if (pire_perte >= 0 && !nulle) {
      if (nb_enfants == 0) {
        e.valeur = int16_t(-1 - pire_perte);
        ajoute(camp, pire_perte, cases, ep);
      } else {
        e.valeur = int16_t(BORNE_PERTE - pire_perte);
      }
    } else {
      e.valeur = 0;
    }
  }

  // One predecessor (side `camp` to move) of a position decided at `ply`.
  void predecesseur(int camp, int ply, bool perte, const int8_t* cases, int ep, uint32_t* vus, int& nb_vus) {
    const uint32_t j = indice_primaire(m, camp, cases, ep);
    if (std::find(vus, vus + nb_vus, j) != vus + nb_vus) return;
    vus[nb_vus++] = j;
    Entree& e = entrees[camp][j];
    if (e.valeur == NON_VU) {
      manque = true;
      return;
    }
    if (perte) {
      if (!est_gain(e.valeur) || e.valeur > ply + 1) {
        e.valeur = int16_t(ply + 1);
        ajoute(camp, ply + 1, cases, ep);
      }
      return;
    }
    if (est_gain(e.valeur) || est_perte(e.valeur) || e.compte == JAMAIS_PERDU || e.compte == 0) return;
    if (--e.compte == 0) {
      const int borne = e.valeur <= BORNE_PERTE ? BORNE_PERTE - e.valeur : 0;
      const int d = std::max(ply + 1, borne);
      e.valeur = int16_t(-1 - d);
      ajoute(camp, d, cases, ep);
    }
  }

  // Unmoves the position of `cases` (side `camp` to move, decided at `ply`).
  void retrograde(int camp, int ply, int8_t* cases, int ep) {
    const int x = camp ^ 1;  // the side that has just moved
    const bool perte = (ply & 1) == 0;
    const int roi = camp == BLANCS ? position.roi_blanc : position.roi_noir;
    const int avance = x == BLANCS ? 8 : -8;
    uint32_t vus[512];
    int nb_vus = 0;
    auto essaie = [&](int k, int de, int vers) {
      const PieceSet p = m.pieces[k];
      bascule_piece(p.camp, p.type, de);
      bascule_piece(p.camp, p.type, vers);
      cases[k] = int8_t(vers);
      if (!est_attaquee(roi, x)) {
        predecesseur(x, ply, perte, cases, EP_AUCUN, vus, nb_vus);
        if (m.pions) {
          int eps[2];
          const int nb = cases_en_passant(x, eps);
          for (int e = 0; e < nb; ++e) predecesseur(x, ply, perte, cases, eps[e], vus, nb_vus);
        }
      }
      bascule_piece(p.camp, p.type, vers);
      bascule_piece(p.camp, p.type, de);
      cases[k] = int8_t(de);
    };
    const int8_t pion_camp = int8_t(camp == BLANCS ? PION : -PION);
    for (int k = 0; k < m.nb; ++k) {
      const PieceSet p = m.pieces[k];
      if (p.camp != x) continue;
      const int a = cases[k];
      if (ep != EP_AUCUN) {
        // Only the double step that gave the en-passant square.
        if (p.type == PION && a == ep + avance) essaie(k, a, a - 2 * avance);
        continue;
      }
      if (p.type == PION) {
        const int b = a - avance;
        if (b < 8 || b >= 56 || position.cases[b] != 0) continue;
        essaie(k, a, b);
        const int c = b - avance;
        if (rangee(a) == (x == BLANCS ? 3 : 4) && position.cases[c] == 0) {
          // Beside a pawn of `camp`, that double step leads to the
          // en-passant entry, not to this one.
          const bool voisin = (colonne(a) > 0 && position.cases[a - 1] == pion_camp) ||
                              (colonne(a) < 7 && position.cases[a + 1] == pion_camp);
          if (!voisin) essaie(k, a, c);
        }
        continue;
      }
      Bitboard cibles;
      switch (p.type) {
        case CAVALIER: cibles = attaques_cavalier[a]; break;
        case FOU: cibles = attaques_fou(a); break;
        case TOUR: cibles = attaques_tour(a); break;
        case DAME: cibles = attaques_dame(a); break;
        default: cibles = attaques_roi[a]; break;
      }
      cibles &= ~occupation();
      while (cibles) {
        const int b = premier_bit(cibles);
        cibles &= masque_efface[b];
        essaie(k, a, b);
      }
    }
  }

  void ote_plateau(const int8_t* cases) {
    for (int k = 0; k < m.nb; ++k) bascule_piece(m.pieces[k].camp, m.pieces[k].type, cases[k]);
  }

  // The en-passant square of a packed position with `camp` to move.
  int ep_emballe(uint32_t e, const int8_t* cases, int camp) {
    if (!(e & (1u << 30))) return EP_AUCUN;
    const int voulu = (e >> 31) & 1;
    int vus = 0;
    for (int k = 2; k < m.nb; ++k)
      if (m.pieces[k].type == PION && m.pieces[k].camp != camp) {
        if (vus == voulu) return m.pieces[k].camp == BLANCS ? cases[k] - 8 : cases[k] + 8;
        ++vus;
      }
    return EP_AUCUN;
  }
};

int32_t taille_face(int n, int camp) {
  return camp == 0 ? definitions_tables[n].taille_blancs : definitions_tables[n].taille_noirs;
}

}  // namespace

bool genere_table(int n, ResumeGeneration& resume) {
  vide_plateau();
  Generateur g;
  g.m = materiel_table(n);
  const char* nom = definitions_tables[n].nom;
  for (int camp = 0; camp < 2; ++camp) {
    // A one-file set's Black-to-move index is that of the White-to-move file.
    const int32_t taille = taille_face(n, g.m.une_face ? 0 : camp);
    g.entrees[camp].assign(size_t(taille), Entree{NON_VU, 0});
  }
  for (int camp = 0; camp < 2; ++camp) {
    pour_chaque_position(g.m, camp, [&](const int8_t* cases, int ep) { g.analyse(camp, cases, ep); });
    std::fprintf(stderr, "%s: %s to move: moves counted\n", nom, camp == 0 ? "White" : "Black");
  }
  if (g.manque) {
    std::fprintf(stderr, "velmar tb generate: %s needs tables that are not loaded\n", nom);
    return false;
  }
  std::fprintf(stderr, "%s: %lld positions, unmoving\n", nom, static_cast<long long>(g.positions));

  for (size_t ply = 0; ply < std::max(g.listes[0].size(), g.listes[1].size()); ++ply) {
    for (int camp = 0; camp < 2; ++camp) {
      if (ply >= g.listes[camp].size()) continue;
      std::vector<uint32_t> liste;
      liste.swap(g.listes[camp][ply]);
      const int16_t attendu = ply & 1 ? int16_t(ply) : int16_t(-1 - int(ply));
      for (uint32_t e : liste) {
        int8_t cases[PIECES_MAX];
        for (int k = 0; k < g.m.nb; ++k) {
          cases[k] = int8_t((e >> (6 * k)) & 63);
          bascule_piece(g.m.pieces[k].camp, g.m.pieces[k].type, cases[k]);
        }
        const int ep = g.ep_emballe(e, cases, camp);
        if (g.entrees[camp][indice_primaire(g.m, camp, cases, ep)].valeur == attendu) g.retrograde(camp, int(ply), cases, ep);
        g.ote_plateau(cases);
      }
    }
    if (ply % 10 == 9) std::fprintf(stderr, "%s: ply %zu\n", nom, ply + 1);
  }
  if (g.manque) {
    std::fprintf(stderr, "velmar tb generate: %s: a predecessor was never analysed\n", nom);
    return false;
  }

  // The files: every legal position's entry gets its value (the mirror
  // images with their own entry too); entries of no legal position are 0.
  // 127 marks an entry not yet written (no position has that byte).
  constexpr int8_t PAS_ECRIT = 127;
  TableMemoire& t = tables_memoire[n];
  t = TableMemoire{};
  for (int camp = 0; camp < 2; ++camp) {
    if (camp == 1 && g.m.une_face) break;
    std::vector<int8_t>& face = t.face[camp];
    face.assign(size_t(taille_face(n, camp)), PAS_ECRIT);
    ResumeFace& r = resume.face[camp];
    r = ResumeFace{int64_t(face.size()), 0, 0, 0, 0};
    pour_chaque_position(g.m, camp, [&](const int8_t* cases, int ep) {
      const uint32_t i = indice_cases(g.m, camp, cases, ep);
      if (face[i] != PAS_ECRIT) return;
      int16_t v = g.entrees[camp][indice_primaire(g.m, camp, cases, ep)].valeur;
      if (!est_gain(v) && !est_perte(v)) v = 0;
      face[i] = octet_resultat(v);
      if (v > 0) {
        ++r.gains;
        r.mat_max = std::max(r.mat_max, (v + 1) / 2);
      } else if (v < 0) {
        ++r.pertes;
      } else {
        ++r.nulles;
      }
    });
    std::replace(face.begin(), face.end(), PAS_ECRIT, int8_t(0));
    std::vector<Entree>().swap(g.entrees[camp]);
  }
  t.chargee = true;
  return true;
}
