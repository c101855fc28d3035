// The full-width search: fail-soft principal-variation search with a
// transposition table, null move, internal iterative deepening, a singular
// move test, fractional extensions, futility pruning, killers and history.
#include <atomic>
#include <cstdint>

#include "board/joue.h"
#include "board/position.h"
#include "console/entree.h"
#include "egtb/tablebases.h"
#include "eval/evaluation.h"
#include "eval/hash_pions.h"
#include "movegen/attaques.h"
#include "movegen/bitboard.h"
#include "movegen/echange.h"
#include "movegen/generation.h"
#include "movegen/selection.h"
#include "search/affichage.h"
#include "search/etat_recherche.h"
#include "search/fils.h"
#include "search/limites_recherche.h"
#include "search/recherche.h"
#include "search/reglages_recherche.h"
#include "search/syzygy_recherche.h"
#include "search/table_hash.h"
#include "search/temps.h"
#include "syzygy/syzygy.h"

namespace {

// Extensions, in eighths of a ply.
constexpr int EXT_RECAPTURE = 6;
constexpr int EXT_PION_7E = 6;
constexpr int EXT_COUP_UNIQUE = 6;
constexpr int EXT_MENACE = 6;
constexpr int EXT_ECHEC = 8;
constexpr int EXT_SINGULIERE = 8;
constexpr int EXT_MAX = UN_PLY;

// Null move: reduction 8N + 8 for shallow nodes or little material, else 8N + 16.
constexpr int REDUCTION_NUL_COURTE = 24;
constexpr int REDUCTION_NUL_LONGUE = 32;

constexpr int MARGE_FUTILITE_1 = 300;
constexpr int MARGE_FUTILITE_2 = 600;

// Pawn units of a captured piece, by type, for the recapture extension.
constexpr int32_t unites_prise[8] = {0, 1, 3, 3, 5, 10, 50, 0};

// Results of the singular-move test, kept across searches and shared by
// every searching thread. Its words are read and written whole without a
// lock: a record torn by two threads at most extends the wrong move.
struct FicheSinguliere {
  uint32_t mots[4];  // key low word, key high word, move, depth
};
constexpr uint64_t TAILLE_CACHE_SINGULIER = 2000000;
FicheSinguliere cache_singulier[TAILLE_CACHE_SINGULIER];

inline FicheSinguliere lit_fiche(FicheSinguliere& f) {
  FicheSinguliere lue;
  for (int i = 0; i < 4; ++i) lue.mots[i] = std::atomic_ref<uint32_t>(f.mots[i]).load(std::memory_order_relaxed);
  return lue;
}
inline void ecrit_fiche(FicheSinguliere& f, const FicheSinguliere& v) {
  for (int i = 0; i < 4; ++i) std::atomic_ref<uint32_t>(f.mots[i]).store(v.mots[i], std::memory_order_relaxed);
}

// Pawn units of the piece a move takes from its destination square (0 when
// that square is empty, as the destination of an en-passant capture is, and
// for a Chess960 castling, which lands on the mover's own rook).
inline int32_t unites_prise_coup(Coup coup) {
  if (piece_prise(coup) == 0) return 0;
  const int piece = position.cases[destination(coup)];
  return unites_prise[piece < 0 ? -piece : piece];
}

inline int materiel_de(int camp) { return camp == BLANCS ? position.materiel_blancs : position.materiel_noirs; }
inline int pions_de(int camp) { return camp == BLANCS ? position.nb_pions_blancs : position.nb_pions_noirs; }

// A node limit counts every thread's nodes: each thread adds its own to
// the counts the others last published.
inline bool limite_noeuds_atteinte() { return limite_noeuds != SANS_LIMITE_NOEUDS && noeuds_tous() >= limite_noeuds; }

// The main search checks the node limit at every node, so that a
// node-limited search on one thread stops at the same node every time, and
// a helper each time it publishes its count (which a main search the system
// keeps waiting cannot do for it); the clock and the console are consulted
// only every intervalle_controle nodes of the main search.
inline void controle_periodique() {
  if (numero_fil == 0 && limite_noeuds != SANS_LIMITE_NOEUDS) {
    publie_noeuds();
    if (limite_noeuds_atteinte()) arret_recherche = 1;
  }
  if (compteur_controle-- < 0) {
    compteur_controle = intervalle_controle;
    // Only the main search watches the clock and the console.
    if (numero_fil != 0) {
      publie_noeuds();
      if (limite_noeuds_atteinte()) arret_recherche = 1;
      return;
    }
    if (temps_depasse(0) || aides_au_but()) arret_recherche = 1;
    if (commande_pendant_recherche && entree_disponible()) commande_pendant_recherche();
  }
}

// Child search: quiescence below the horizon, full width above it.
inline int cherche_fils(int autre, int profondeur, int ply, int alpha, int beta, int echec) {
  if (profondeur < 0) {
    debut_quiescence = ply + 1;
    return -recherche_quiescence(autre, ply + 1, -beta, -alpha, echec);
  }
  return -recherche(autre, profondeur, ply + 1, -beta, -alpha, echec);
}

// Copies the child's line below the move just searched.
inline void remonte_pv(int ply, Coup coup) {
  type_noeud[ply] = type_noeud[ply + 1];
  longueur_pv[ply] = longueur_pv[ply + 1];
  pv[ply][0] = coup;
  for (int j = 0; j < longueur_pv[ply + 1] - ply - 1; ++j) pv[ply][j + 1] = pv[ply + 1][j];
}

// A new best root move goes to the front of the root list and its records.
void place_en_tete(int k) {
  Coup* liste = debut_liste[0];
  const Coup coup = liste[k];
  const FicheRacine fiche = fiches_racine[k];
  for (int j = k; j > 0; --j) {
    liste[j] = liste[j - 1];
    fiches_racine[j] = fiches_racine[j - 1];
  }
  liste[0] = coup;
  fiches_racine[0] = fiche;
}

}  // namespace

int est_repetition() {
  const int i = position.demi_coups;
  const int b = position.irreversible_racine;
  if (i - b > 100) return 2;
  for (int j = i - 2; j >= b && j >= 0; j -= 2)
    if (partie.cles[j] == position.cle) return 1;
  return 0;
}

void maj_tueurs_historique(int camp, int coupure, int, int ply, int profondeur, Coup meilleur) {
  Coup coup = coupure ? meilleur : pv[ply][0];
  if (!est_coup(coup)) return;
  coup &= MASQUE_COUP;
  if (piece_prise(coup) == 0 && promotion(coup) == 0) {
    if (coup == tueur1[ply]) {
      ++compte_tueur1[ply];
    } else if (coup == tueur2[ply]) {
      ++compte_tueur2[ply];
    } else {
      tueur2[ply] = coup;
      compte_tueur2[ply] = 1;
    }
    if (compte_tueur2[ply] > compte_tueur1[ply]) {
      const Coup c = tueur1[ply];
      tueur1[ply] = tueur2[ply];
      tueur2[ply] = c;
      const int32_t n = compte_tueur1[ply];
      compte_tueur1[ply] = compte_tueur2[ply];
      compte_tueur2[ply] = n;
    }
  }
  if (position.cases[destination(coup)] == VIDE) {
    int32_t& h = historique[camp][coup & 0xFFF];
    const int64_t somme = int64_t{h} + int64_t{profondeur} * profondeur;
    h = somme >= INT32_MAX ? INT32_MAX : static_cast<int32_t>(somme);
  }
}

void complete_pv(int ply, int camp) {
  if (ply >= 32 || type_noeud[ply] == NOEUD_REPETITION) return;
  // The line ends at the first position seen before in the game or in the
  // line: the search scored it as a draw, and nothing played after it counts.
  if (ply > 0 && est_repetition() == 1) {
    longueur_pv[0] = ply;
    return;
  }
  if (ply == longueur_pv[0]) {
    // Extend the line with exact table entries.
    int32_t score, menace;
    Coup coup;
    if (lit_hash(camp, 0, 0, 0, score, coup, menace) != HASH_EXACT || !coup_valide(ply, camp, coup)) return;
    pv[0][ply] = coup;
    longueur_pv[0] = ply + 1;
    type_noeud[ply + 1] = NOEUD_HT;
    pv[0][ply + 1] = 0;
  }
  const Coup coup = pv[0][ply];
  // A table entry may belong to another position with the same key: never
  // let the printed line (and the ponder move) contain an impossible move.
  if (!est_coup(coup) || !coup_valide(ply, camp, coup)) {
    longueur_pv[0] = ply;
    return;
  }
  joue(camp, ply, coup);
  if (en_echec(camp)) {
    dejoue(camp, ply, coup);
    longueur_pv[0] = ply;
    return;
  }
  complete_pv(ply + 1, camp ^ 1);
  dejoue(camp, ply, coup);
}

Coup cherche_coup_singulier(int alpha, int camp, int profondeur, int ply, int echec_entree) {
  const Coup hash_sauve = coup_hash[ply];
  const int branche_sauvee = premiere_branche;
  const int autre = camp ^ 1;
  marques_extension[ply + 1] = 0;
  etat_selection[ply].phase = echec_entree ? SELECTION_ECHEC : SELECTION_NORMALE;
  int nb_legaux = 0, nb_atteints = 0, index = 0;
  Coup candidat = 0;
  for (;;) {
    Coup coup = echec_entree ? selection_coup_echec(camp, ply, index) : selection_coup(camp, ply, index);
    if (coup == 0) break;
    ++index;
    // A single evasion is forced, not singular.
    if (echec_entree && debut_liste[ply + 1] - debut_liste[ply] == 1) {
      nb_atteints = 0;
      break;
    }
    valeur_prise[ply] = unites_prise_coup(coup);
    promotion_ply[ply] = promotion(coup);
    joue(camp, ply, coup);
    if (!echec_entree && en_echec(camp)) {
      dejoue(camp, ply, coup);
      continue;
    }
    ++nb_legaux;
    if (nb_legaux == 2) premiere_branche = 0;
    const int echec = est_attaquee(autre == BLANCS ? position.roi_blanc : position.roi_noir, camp);
    if (echec) coup |= BIT_ECHEC;
    coup_courant[ply] = coup;
    const int score = -recherche(autre, profondeur - 32, ply + 1, 50 - alpha, 51 - alpha, echec);
    dejoue(camp, ply, coup);
    if (arret_recherche) {
      nb_atteints = 0;
      break;
    }
    if (score >= alpha - 50) {
      if (++nb_atteints == 2) break;
      candidat = coup_hash[ply];
    }
    if (nb_legaux >= 2 && nb_atteints == 0) break;
  }
  coup_hash[ply] = hash_sauve;
  premiere_branche = branche_sauvee;
  return nb_atteints == 1 ? candidat : 0;
}

int recherche(int camp, int profondeur, int ply, int alpha, int beta, int echec_entree) {
  // 1. Count the node; ply 63 is the hard limit.
  ++noeuds;
  ++noeuds_recherche;
  // The line, its end and the node type of this ply are left as they are:
  // a node where no move is searched to the end stores and rewards the move
  // still in pv[ply][0] (the one internal iterative deepening found, or the
  // last one of this ply).
  if (ply >= PLY_MAX - 1) return beta;
  marques_extension[ply + 1] = 0;
  const int autre = camp ^ 1;

  // 2. Any earlier occurrence of the position since the last irreversible
  // move scores as a draw.
  if (ply > 0 && est_repetition() == 1) {
    longueur_pv[ply] = ply;
    type_noeud[ply] = NOEUD_REPETITION;
    pv[ply][0] = -1;
    return 0;
  }

  // 3. Tablebases, after a capture or a promotion (the material changed).
  if (tb_disponibles && ply > 0 && (ply == 1 || (coup_courant[ply - 1] & (0x3F << 15)) != 0) &&
      compte_bits(occupation()) <= 5) {
    ++tb_sondes;
    int32_t score = 0;
    if (sonde_tables(score, camp, ply)) {
      longueur_pv[ply] = ply;
      type_noeud[ply] = NOEUD_EGTB;
      pv[ply][0] = -1;
      ++tb_succes;
      if (score > 0) return score - ply;
      if (score < 0) return score + ply;
      return 0;
    }
  }
  // Syzygy, after a move that zeroed the fifty-move counter, where no
  // Nalimov table holds the material. A win is only a lower bound (a mate
  // may be found) and a loss an upper bound: outside the window they end
  // the node, inside it they bound its result.
  int plancher = -INFINI, plafond = INFINI;
  if (syzygy_pieces && ply > 0 && sonde_syzygy_permise(camp, profondeur, ply)) {
    int wdl;
    ++tb_sondes;
    if (sonde_wdl_syzygy(camp, ply, wdl)) {
      ++tb_succes;
      const int v = score_syzygy(wdl, ply);
      if (v == 0 || (v > 0 && v >= beta) || (v < 0 && v <= alpha)) {
        longueur_pv[ply] = ply;
        type_noeud[ply] = NOEUD_EGTB;
        pv[ply][0] = -1;
        if (hash_actif) ecrit_hash(camp, v > 0 ? v - 1 : v, v < 0 ? v + 1 : v, v, 0, profondeur, ply, 0);
        return v;
      }
      if (v > 0)
        plancher = v;
      else
        plafond = v;
    }
  }

  // 4. Material.
  const int bilan = materiel_de(camp) - materiel_de(autre);
  const int non_pions = materiel_de(camp) - 100 * pions_de(camp);
  int meilleur = plancher;
  coup_hash[ply] = 0;

  // 5. Transposition table. The alpha argument stays as it came for the
  // pruning decisions and the store; the move loop works on alpha_travail.
  int32_t menace = 0;
  int genre = HASH_RIEN;
  int alpha_travail = alpha < plancher ? plancher : alpha;
  if (plancher > -INFINI) {
    longueur_pv[ply] = ply;
    type_noeud[ply] = NOEUD_EGTB;
    pv[ply][0] = -1;
  }
  if (hash_actif && ply > 0) {
    int32_t score;
    Coup coup;
    genre = lit_hash(camp, beta, profondeur, ply, score, coup, menace);
    coup_hash[ply] = coup;
    if (genre == HASH_BORNE_BASSE && score >= alpha) alpha_travail = score;
    if (genre == HASH_BORNE_HAUTE && score <= beta) beta = score;
    if (genre == HASH_EXACT || alpha_travail >= beta) {
      longueur_pv[ply] = ply;
      type_noeud[ply] = NOEUD_HT;
      pv[ply][0] = coup;
      return score < plancher ? plancher : score > plafond ? plafond : score;
    }
  }

  // 6. Poll the clock and the console.
  controle_periodique();
  if (arret_recherche) return 0;

  // 7. Null move: if passing still keeps the score above beta, a real move
  // will too (not in a position the tables have lost: its score may not
  // rise above theirs). A search for a mate ("go mate") makes no null move
  // where beta is a mated score: the shallow search behind the pass sees no
  // mate, so it would clear the side to move of every quiet mating move.
  if (genre != HASH_NUL_INUTILE && !menace && ply > 0 && !coup_nul_en_cours[ply - 1] && !echec_entree &&
      plafond == INFINI && (mat_cherche == 0 || beta > -SEUIL_MAT_TABLE) &&
      (non_pions > 500 || profondeur < 64) && bilan > beta - 150) {
    const int r = (profondeur <= 48 || non_pions <= 800) ? REDUCTION_NUL_COURTE : REDUCTION_NUL_LONGUE;
    danger_rois[0][ply] = danger_rois[0][ply - 1];
    danger_rois[1][ply] = danger_rois[1][ply - 1];
    debut_liste[ply + 1] = debut_liste[ply];
    position.etats[ply + 1] = position.etats[ply];
    position.etats[ply + 1].en_passant = AUCUNE_CASE;
    const uint64_t cle = position.cle;
    const uint32_t cle_pions = position.cle_pions;
    const int branche = premiere_branche;
    coup_nul_en_cours[ply] = 1;
    ++position.demi_coups;
    ++nb_coups_nuls;
    promotion_ply[ply] = 0;
    valeur_prise[ply] = 0;
    coup_courant[ply] = -1;
    int score;
    precharge_hash(autre);
    if (profondeur - r < 0) {
      debut_quiescence = ply + 1;
      score = -recherche_quiescence(autre, ply + 1, -beta, -beta + 1, 0);
    } else {
      score = -recherche(autre, profondeur - r, ply + 1, -beta, -beta + 1, 0);
    }
    --position.demi_coups;
    coup_nul_en_cours[ply] = 0;
    position.cle = cle;
    position.cle_pions = cle_pions;
    premiere_branche = branche;
    if (arret_recherche) return 0;
    if (score >= beta) {
      ++nb_coupures_nulles;
      pv[ply][0] = -1;
      longueur_pv[ply] = ply;
      type_noeud[ply] = NOEUD_CN;
      ecrit_hash(camp, alpha, beta, score, 0, profondeur, ply, menace);
      return score;
    }
    // Passing loses to a mate: the side to move is under a mate threat.
    if (score < -SEUIL_MAT_AFFICHAGE) menace = 1;
  }

  // 8. Internal iterative deepening: find a first move for a PV node the
  // table knows nothing about.
  if (iid_actif && ply > 0 && !echec_entree && !menace && profondeur >= 17 && beta != alpha + 1 &&
      coup_hash[ply] == 0) {
    const int branche = premiere_branche;
    recherche(camp, profondeur - 16, ply, alpha, beta, 0);
    premiere_branche = branche;
    if (arret_recherche) return 0;
    coup_hash[ply] = pv[ply][0];
  }

  // 9. Futility set-up near the leaves.
  int futile = 0, marge = 0;
  if (futilite && phase_jeu != 2 && !echec_entree && profondeur <= 24) {
    if (profondeur <= 8) {
      if (non_pions > 1) marge = MARGE_FUTILITE_1;
    } else if (profondeur <= 16) {
      if (marques_extension[ply] != 0) marge = MARGE_FUTILITE_2;
    } else if (bilan + 900 <= alpha && marques_extension[ply] == 0) {
      profondeur -= UN_PLY;
      marge = MARGE_FUTILITE_2;
    }
    futile = marge != 0 && bilan + marge <= alpha;
  }

  // 10. Singular move: a move much better than every other gets a ply more.
  Coup coup_singulier = 0;
  if (extension_singuliere) {
    uint64_t cle = position.cle;
    if (camp == NOIRS) cle = ~cle;
    FicheSinguliere& f = cache_singulier[cle % TAILLE_CACHE_SINGULIER];
    const FicheSinguliere lue = lit_fiche(f);
    const uint32_t basse = static_cast<uint32_t>(cle), haute = static_cast<uint32_t>(cle >> 32);
    if (lue.mots[0] == basse && lue.mots[1] == haute && static_cast<int>(lue.mots[3]) + 16 >= profondeur &&
        lue.mots[2] != 0) {
      coup_singulier = static_cast<Coup>(lue.mots[2]);
    } else if (ply > 0 && profondeur >= 48 && !echec_entree && phase_jeu != 2) {
      coup_singulier = cherche_coup_singulier(alpha_travail, camp, profondeur, ply, 0) & MASQUE_COUP;
      ecrit_fiche(f, {{basse, haute, static_cast<uint32_t>(coup_singulier), static_cast<uint32_t>(profondeur)}});
      marques_extension[ply + 1] = 0;
    }
  }

  // 11. The move loop.
  etat_selection[ply].phase = ply == 0 ? SELECTION_RACINE : echec_entree ? SELECTION_ECHEC : SELECTION_NORMALE;
  const bool evasions = echec_entree && ply > 0;
  // A child's table slot starts loading as soon as its move is made when the
  // child is sure to probe it (no extension is negative), so that the memory
  // fetch runs during the legality, check and extension work.
  const bool precharge = profondeur >= UN_PLY;
  int nb_legaux = 0, index = 0, coupure = 0, elague = 0;
  Coup meilleur_coup = 0;
  int64_t noeuds_avant = 0;
  for (;;) {
    Coup coup = evasions ? selection_coup_echec(camp, ply, index) : selection_coup(camp, ply, index);
    if (coup == 0) break;
    const int rang = index++;
    if (ply == 0) {
      // Moves already searched in this iteration keep their result.
      FicheRacine& f = fiches_racine[rang];
      if (f.cherche) {
        ++nb_legaux;
        continue;
      }
      f.cherche = 1;
      f.noeuds = 0;
      noeuds_avant = noeuds;
      if (numero_fil == 0 && temps_depasse(1)) {
        arret_recherche = 1;
        return 0;
      }
    }
    valeur_prise[ply] = unites_prise_coup(coup);
    promotion_ply[ply] = promotion(coup);
    joue(camp, ply, coup);
    if (precharge) precharge_hash(autre);
    if (position.cle_pions != position.cles_pions_ply[ply]) precharge_pions(position.cle_pions);
    if (!evasions && en_echec(camp)) {
      dejoue(camp, ply, coup);
      continue;
    }
    ++nb_legaux;
    marques_extension[ply] &= 1;
    if (ply == 0 && numero_fil == 0) affiche_coup_courant(coup, nb_legaux);
    if (nb_legaux == 2) {
      premiere_branche = 0;
      if (ply == 0) premier_coup_racine = 0;
    }
    const int echec = en_echec(autre);
    if (echec) coup |= BIT_ECHEC;
    coup_courant[ply] = coup;

    // Extensions, in eighths of a ply.
    int ext = 0;
    if (ply > 0 && valeur_prise[ply] != 0 && valeur_prise[ply] == valeur_prise[ply - 1] &&
        destination(coup) == destination(coup_courant[ply - 1]) && !(marques_extension[ply - 1] & 4)) {
      ext += EXT_RECAPTURE;
      marques_extension[ply] |= 4;
      ++nb_ext_recapture;
    }
    if (piece_jouee(coup) == PION && (rangee(destination(coup)) == 1 || rangee(destination(coup)) == 6)) {
      ext += EXT_PION_7E;
      marques_extension[ply] |= 2;
    }
    if (echec_entree && ply <= profondeur_iteration + 4 && debut_liste[ply + 1] - debut_liste[ply] == 1) {
      ext += EXT_COUP_UNIQUE;
      marques_extension[ply] |= 8;
      ++nb_ext_coup_unique;
    }
    if (menace) {
      ext += EXT_MENACE;
      ++nb_ext_menace;
    }
    if (echec) {
      ext += EXT_ECHEC;
      marques_extension[ply + 1] = 1;
      ++nb_ext_echec;
    } else {
      marques_extension[ply + 1] = 0;
    }
    if (extension_securite_roi && phase_jeu != 2 && ply > 0 && marques_extension[ply] == 0) {
      securite_rois(danger_rois[0][ply], danger_rois[1][ply]);
      if (danger_rois[autre][ply] > danger_rois[autre][ply - 1] + 30) {
        ext += extension_securite_roi;
        ++nb_ext_securite;
      }
    }
    if (coup_singulier && (coup & MASQUE_COUP) == coup_singulier) {
      ext += EXT_SINGULIERE;
      ++nb_ext_singuliere;
    }
    // Deep in the tree the extensions are halved so lines stay finite.
    if (ply > 2 * profondeur_iteration) ext /= 2;
    if (ext > EXT_MAX) ext = EXT_MAX;
    const int nouvelle = profondeur + ext - UN_PLY;
    if (nouvelle >= 0 && !precharge) precharge_hash(autre);

    // Futility: a quiet move cannot lift a hopeless node to alpha.
    if (futile && alpha_travail == beta - 1 && !echec && promotion(coup) == 0 &&
        valeur_echange[piece_prise(coup)] + marge <= alpha_travail) {
      dejoue(camp, ply, coup);
      elague = 1;
      continue;
    }

    // Principal variation search.
    int score;
    if (nb_legaux == 1) {
      score = cherche_fils(autre, nouvelle, ply, alpha_travail, beta, echec);
    } else {
      score = cherche_fils(autre, nouvelle, ply, alpha_travail, alpha_travail + 1, echec);
      if (score > alpha_travail && score < beta) {
        if (ply == 0 && numero_fil == 0 && temps_depasse(1)) {
          arret_recherche = 1;
          dejoue(camp, ply, coup);
          return 0;
        }
        score = cherche_fils(autre, nouvelle, ply, alpha_travail, beta, echec);
      }
    }
    dejoue(camp, ply, coup);
    if (ply == 0) fiches_racine[rang].noeuds = static_cast<uint32_t>(noeuds - noeuds_avant);
    if (arret_recherche) return 0;

    if (score > meilleur) {
      meilleur = score;
      meilleur_coup = coup;
      remonte_pv(ply, coup);
      if (ply == 0) {
        score_racine = score;
        fiches_racine[rang].meilleur_score = score;
        ++fiches_racine[rang].nb_meilleur;
        place_en_tete(rang);
        complete_pv(0, camp);
        if (numero_fil == 0)
          affiche_pv(profondeur_iteration, score, score <= alpha ? '-' : score >= beta ? '+' : ':');
      }
    }
    // A root fail low goes straight back to the driver, which widens the window.
    if (ply == 0 && meilleur <= alpha && !reprise_haute) return meilleur;
    if (meilleur > alpha_travail) alpha_travail = meilleur;
    if (meilleur >= beta) {
      ++nb_coupures;
      if (nb_legaux == 1) ++nb_coupures_premier;
      coupure = 1;
      break;
    }
  }

  // 12. Store the result. Pruned moves are taken to fail low: a node that
  // pruned some returns at least the alpha it was called with, also when the
  // table had raised the working alpha and no searched move reached it (else
  // pruning every move would return -INFINI, a mate).
  int resultat = (elague && meilleur < alpha) ? alpha : meilleur;
  if (resultat > plafond) resultat = plafond;
  if (nb_legaux > 0) {
    if (resultat != -INFINI) maj_tueurs_historique(camp, coupure, resultat, ply, profondeur, meilleur_coup);
    if (hash_actif && ply > 0)
      ecrit_hash(camp, alpha, beta, resultat,
                 coupure ? meilleur_coup : (plancher > -INFINI && !est_coup(pv[ply][0])) ? 0 : pv[ply][0],
                 profondeur, ply, menace);
    return resultat;
  }

  // 13. No legal move: mate or stalemate.
  longueur_pv[ply] = ply;
  if (echec_entree) {
    type_noeud[ply] = NOEUD_NORMAL;
    return ply - MAT;
  }
  type_noeud[ply] = NOEUD_PAT;
  return 0;
}
