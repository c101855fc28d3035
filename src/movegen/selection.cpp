// Staged move pickers. The main picker tries the stored moves (hash move,
// previous principal variation, killers) before generating anything, so a
// node that cuts off on them never generates; captures come before quiet
// moves, and quiet moves are never sorted: four history picks, then
// generation order.
#include "movegen/selection.h"

#include <cstdio>

#include "board/position.h"
#include "movegen/attaques.h"
#include "movegen/bitboard.h"
#include "movegen/echange.h"
#include "movegen/generation.h"

thread_local constinit EtatSelection etat_selection[PLY_MAX]{};
thread_local constinit int32_t score_coups[TAILLE_SCORES]{};
thread_local constinit Coup coup_hash[PLY_MAX]{};
thread_local constinit Coup pv_precedente[PLY_MAX]{};
thread_local constinit int premiere_branche{};
thread_local constinit Coup tueur1[PLY_MAX]{}, tueur2[PLY_MAX]{};
thread_local constinit int32_t historique[2][4096]{};

namespace {

// Phases of the main picker.
enum : int32_t {
  PHASE_HASH = SELECTION_NORMALE,
  PHASE_PV = 1,
  PHASE_CAPTURES = 2,
  PHASE_BONNES_CAPTURES = 3,
  PHASE_TUEUR1 = 4,
  PHASE_TUEUR2 = 5,
  PHASE_NON_CAPTURES = 6,
  PHASE_HISTORIQUE = 7,
  PHASE_HISTORIQUE_SUITE = 8,
  PHASE_RESTE = 9,
  PHASE_RACINE = SELECTION_RACINE,
};
// Phases of the in-check picker: generate and score, then hand out the list.
constexpr int32_t PHASE_E_GENERATION = SELECTION_ECHEC, PHASE_E_LISTE = 9;
// Phases of the quiescence picker.
constexpr int32_t PHASE_Q_CAPTURES = SELECTION_QUIESCENCE, PHASE_Q_LISTE = 3;

// Stored moves may carry the gives-check bit; a move is identified by its low bits.
inline bool meme_coup(Coup a, Coup b) { return ((a ^ b) & MASQUE_COUP) == 0; }

int longueur_liste(int ply) { return static_cast<int>(debut_liste[ply + 1] - debut_liste[ply]); }

// Sorts moves (with their scores in score_coups) by decreasing score; equal
// scores keep generation order. Lists are short and often nearly sorted.
void ordonne(Coup* liste, int n) {
  if (n > TAILLE_SCORES) n = TAILLE_SCORES;  // never reached: no position has that many moves
  // The thread's scores through one pointer, taken once: the loop then
  // indexes a register instead of rebuilding the address from the thread's.
  int32_t* const scores = score_coups;
  // Insertion: each entry moves up past the lower scores before it only.
  for (int k = 1; k < n; ++k) {
    const int32_t score = scores[k];
    const Coup coup = liste[k];
    int j = k;
    for (; j > 0 && scores[j - 1] < score; --j) {
      scores[j] = scores[j - 1];
      liste[j] = liste[j - 1];
    }
    scores[j] = score;
    liste[j] = coup;
  }
}

// The entry of `liste` .. `fin` with the highest history score (the first of
// equals, and only scores above -1), or nullptr.
Coup* meilleur_historique(int camp, Coup* liste, Coup* fin) {
  Coup* meilleur = nullptr;
  int32_t record = -1;
  const int32_t* const scores = historique[camp];
  for (Coup* c = liste; c != fin; ++c) {
    if (*c == 0) continue;
    const int32_t h = scores[*c & 0xFFF];
    if (h > record) {
      record = h;
      meilleur = c;
    }
  }
  return meilleur;
}

Coup prend(Coup* c) {
  const Coup coup = *c;
  *c = 0;
  return coup;
}

}  // namespace

Coup selection_coup(int camp, int ply, int index) {
  EtatSelection& e = etat_selection[ply];
  Coup* const debut = debut_liste[ply];
  switch (e.phase) {
    case PHASE_HASH:
      debut_liste[ply + 1] = debut;
      e.phase = PHASE_PV;
      if (coup_hash[ply] != 0 && coup_valide(ply, camp, coup_hash[ply])) return coup_hash[ply];
      [[fallthrough]];

    case PHASE_PV:
      debut_liste[ply + 1] = debut;
      e.phase = PHASE_CAPTURES;
      if (premiere_branche && pv_precedente[ply] != 0 && coup_valide(ply, camp, pv_precedente[ply]))
        return pv_precedente[ply];
      [[fallthrough]];

    case PHASE_CAPTURES: {
      e.phase = PHASE_BONNES_CAPTURES;
      e.restants = 0;
      Coup* fin = genere_captures(ply, camp, debut);
      debut_liste[ply + 1] = fin;
      const int n = static_cast<int>(fin - debut);
      const Coup hash = coup_hash[ply];
      int32_t* const scores = score_coups;
      for (int k = 0; k < n && k < TAILLE_SCORES; ++k) {
        const Coup c = debut[k];
        int score;
        if (hash != 0 && meme_coup(c, hash)) {
          debut[k] = 0;  // already tried in the hash phase
          score = -INFINI;
        } else {
          score = valeur_echange[piece_prise(c)] - valeur_echange[piece_jouee(c)];
          if (score <= 0) score = echange_statique(origine(c), destination(c), camp);
          if (score >= 0) e.restants++;
        }
        scores[k] = score;
      }
      ordonne(debut, n);
      e.suivant = debut;
      [[fallthrough]];
    }

    case PHASE_BONNES_CAPTURES:
      if (e.restants > 0) {
        e.restants--;
        return prend(e.suivant++);
      }
      [[fallthrough]];

    case PHASE_TUEUR1:
      if (!meme_coup(tueur1[ply], coup_hash[ply]) && coup_valide(ply, camp, tueur1[ply])) {
        e.phase = PHASE_TUEUR2;
        return tueur1[ply];
      }
      [[fallthrough]];

    case PHASE_TUEUR2:
      // Killer 2 is not compared with killer 1: they differ by construction.
      if (!meme_coup(tueur2[ply], coup_hash[ply]) && coup_valide(ply, camp, tueur2[ply])) {
        e.phase = PHASE_NON_CAPTURES;
        return tueur2[ply];
      }
      [[fallthrough]];

    case PHASE_NON_CAPTURES:
      debut_liste[ply + 1] = genere_non_captures(ply, camp, debut_liste[ply + 1]);
      [[fallthrough]];

    case PHASE_HISTORIQUE: {
      // Bad captures left over, then the quiet moves: drop the copies of the
      // moves already tried, then take the best by history.
      // (The three moves are read once: the list does not overlap them.)
      Coup* const fin = debut_liste[ply + 1];
      const Coup hash = coup_hash[ply], t1 = tueur1[ply], t2 = tueur2[ply];
      for (Coup* c = e.suivant; c != fin; ++c) {
        if (*c != 0 && (meme_coup(*c, hash) || meme_coup(*c, t1) || meme_coup(*c, t2))) *c = 0;
      }
      e.restants = 4;
      if (Coup* c = meilleur_historique(camp, e.suivant, fin)) {
        e.phase = PHASE_HISTORIQUE_SUITE;
        return prend(c);
      }
      e.phase = PHASE_RESTE;
      break;
    }

    case PHASE_HISTORIQUE_SUITE:
      if (Coup* c = meilleur_historique(camp, e.suivant, debut_liste[ply + 1])) {
        if (--e.restants == 1) e.phase = PHASE_RESTE;
        return prend(c);
      }
      e.phase = PHASE_RESTE;
      break;

    case PHASE_RESTE: break;

    case PHASE_RACINE:
      return index >= 0 && index < longueur_liste(0) ? debut_liste[0][index] : 0;

    default: return 0;
  }

  // The rest, in list order.
  for (Coup* const fin = debut_liste[ply + 1]; e.suivant != fin; ++e.suivant)
    if (*e.suivant != 0) return prend(e.suivant++);
  return 0;
}

Coup selection_coup_echec(int camp, int ply, int index) {
  EtatSelection& e = etat_selection[ply];
  if (e.phase == PHASE_E_GENERATION) {
    e.phase = PHASE_E_LISTE;
    genere_coups_legaux(camp, ply);
    Coup* const debut = debut_liste[ply];
    Coup* const fin = debut_liste[ply + 1];
    const int n = static_cast<int>(fin - debut);
    for (int k = 0; k < n && k < TAILLE_SCORES; ++k) {
      const Coup c = debut[k];
      int score;
      if (promotion(c) != 0) {
        score = valeur_echange[promotion(c)];
      } else if (position.cases[destination(c)] != 0) {
        // A capture of an equal or bigger piece is good: biggest victim,
        // then smallest attacker. Otherwise let the exchange decide.
        if (piece_prise(c) >= piece_jouee(c))
          score = valeur_echange[piece_prise(c)] - piece_jouee(c);
        else
          score = echange_statique(origine(c), destination(c), camp);
      } else {
        score = 0;  // quiet moves, and en passant onto its empty square
      }
      score_coups[k] = score;
    }
    ordonne(debut, n);
  }
  if (e.phase == PHASE_E_LISTE) return index >= 0 && index < longueur_liste(ply) ? debut_liste[ply][index] : 0;
  return 0;
}

Coup selection_coup_quiescence(int camp, int ply, int seuil, int index) {
  EtatSelection& e = etat_selection[ply];
  if (e.phase == PHASE_Q_CAPTURES) {
    e.phase = PHASE_Q_LISTE;
    Coup* const debut = debut_liste[ply];
    Coup* const fin = genere_captures(ply, camp, debut);
    debut_liste[ply + 1] = fin;
    const int n = static_cast<int>(fin - debut);
    int rejetes = 0;
    int32_t* const scores = score_coups;
    for (int k = 0; k < n && k < TAILLE_SCORES; ++k) {
      const Coup c = debut[k];
      int score;
      if (promotion(c) != 0) {
        score = valeur_echange[promotion(c)];
      } else if (valeur_echange[piece_prise(c)] < seuil) {
        score = -1;  // cannot raise the score enough
        rejetes++;
      } else if (piece_jouee(c) < piece_prise(c)) {
        score = valeur_echange[piece_prise(c)];
      } else {
        score = echange_statique(origine(c), destination(c), camp);
        if (score < 0) rejetes++;
      }
      scores[k] = score;
    }
    ordonne(debut, n);
    debut_liste[ply + 1] = fin - rejetes;  // the dropped moves sorted last
  }
  if (e.phase == PHASE_Q_LISTE) return index >= 0 && index < longueur_liste(ply) ? debut_liste[ply][index] : 0;
  std::fputs("ERREUR : Phase inconnu dans selection_coup_quiescence\n", stdout);
  std::fflush(stdout);
  return 0;
}

int coup_valide(int ply, int camp, Coup coup) {
  const Position& P = position;
  const int o = origine(coup), d = destination(coup), type = piece_jouee(coup), prise = piece_prise(coup);
  if (type == 0 || type > ROI || o == d) return 0;
  if (P.cases[o] != (camp == BLANCS ? type : -type)) return 0;
  const Bitboard occupees = P.occupation_blancs | P.occupation_noirs;

  switch (type) {
    case PION: {
      const int avant = camp == BLANCS ? 8 : -8;
      const int pas = d - o;
      if (pas == avant) return P.cases[d] == 0 && prise == 0;
      if (pas == 2 * avant)
        return P.cases[o + avant] == 0 && P.cases[d] == 0 && prise == 0 && rangee(o) == (camp == BLANCS ? 1 : 6);
      // A capture: one step diagonally forward, carrying what it takes.
      if (prise == 0 || (pas != avant - 1 && pas != avant + 1) ||
          (colonne(o) - colonne(d) != 1 && colonne(d) - colonne(o) != 1))
        return 0;
      if (P.cases[d] == 0) {
        const int derriere = d - avant;
        return prise == PION && d == P.etats[ply].en_passant && P.cases[derriere] == (camp == BLANCS ? -PION : PION);
      }
      break;
    }
    case FOU:
    case TOUR:
    case DAME:
      if (entre[o][d] & occupees) return 0;
      break;
    case ROI:
      if (P.echecs960) {
        // Castling is the king moving onto its rook, whose right it must hold.
        if (P.cases[d] != (camp == BLANCS ? TOUR : -TOUR)) {
          if (d - o == 2 || o - d == 2) return 0;  // castling in standard form means nothing here
          break;
        }
        const int8_t droits = static_cast<int8_t>(camp == BLANCS ? P.etats[ply].roque_blancs : P.etats[ply].roque_noirs);
        const int cote = d > o ? 0 : 1;
        if (droits <= 0 || !(droits & (1 << cote)) || P.tours_roque[camp][cote] != d || prise != 0) return 0;
        return roque960_possible(camp, cote);
      }
      if (d - o == 2 || o - d == 2) {
        // Castling, checked completely here.
        const int e = camp == BLANCS ? E1 : E8;
        if (o != e) return 0;
        const int8_t droits = static_cast<int8_t>(camp == BLANCS ? P.etats[ply].roque_blancs : P.etats[ply].roque_noirs);
        const int cote = d > o ? 0 : 1;  // 0 king side, 1 queen side
        if (droits <= 0 || !(droits & (1 << cote))) return 0;
        if (chemin_roque[2 * camp + cote] & occupees) return 0;
        const int adverse = camp ^ 1;
        if (cote == 0) return !est_attaquee(e, adverse) && !est_attaquee(e + 1, adverse) && !est_attaquee(e + 2, adverse);
        return !est_attaquee(e - 2, adverse) && !est_attaquee(e - 1, adverse) && !est_attaquee(e, adverse);
      }
      break;
    default: break;  // knight
  }
  // The destination holds exactly the piece the move takes, and never a king.
  if (prise == ROI) return 0;
  return P.cases[d] == (camp == BLANCS ? -prise : prise) ? 1 : 0;
}
