#include "search/table_hash.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "board/position.h"
#include "board/types.h"
#include "console/memoire.h"
#include "eval/hash_pions.h"

PaireHash* table_hash = nullptr;
uint32_t masque_hash = 0;
int64_t taille_hash = 0;
uint32_t age_hash = 0;

namespace {

constexpr uint16_t MASQUE_AGE = 7;
constexpr int DECALAGE_EPOQUE = 3;
constexpr uint16_t MASQUE_EPOQUE = 0x1FF << DECALAGE_EPOQUE;
// Clearing epoch of the entries that count, already shifted into place.
uint16_t epoque_hash = 0;

inline bool epoque_courante(const EntreeHash& e) { return (e.drapeaux & MASQUE_EPOQUE) == epoque_hash; }

void ecrit_reponse(const char* texte) {
  std::fputs(texte, stdout);
  std::fflush(stdout);
}

}  // namespace

int64_t alloue_hash(int64_t octets) {
  if (octets < HASH_MINIMUM) {
    ecrit_reponse("Il faut au moins 64 Ko\n");
    octets = HASH_MINIMUM;
  }
  // Largest power-of-two entry count whose two tables fit the request.
  int k = 2;
  while (k < 32 && (int64_t{1} << k) * 2 * OCTETS_PAR_ENTREE <= octets) ++k;
  const uint64_t entrees = uint64_t{1} << (k - 1);

  // Allocate the new tables before letting the old ones go, so that a
  // request the machine cannot serve leaves the engine with working tables.
  // The pawn hash memory is allocated once, with the first tables.
  PaireHash* table = static_cast<PaireHash*>(alloue_table(entrees * sizeof(PaireHash)));
  if (table == nullptr || !alloue_hash_pions()) {
    libere_table(table);
    char texte[160];
    std::snprintf(texte, sizeof texte,
                  "info string Hash : %lld octets impossibles a allouer, table de %lld octets conservee\n",
                  static_cast<long long>(octets), static_cast<long long>(taille_hash));
    ecrit_reponse(texte);
    return taille_hash;
  }
  libere_table(table_hash);
  table_hash = table;
  masque_hash = static_cast<uint32_t>(entrees - 1);
  taille_hash = static_cast<int64_t>(entrees) * 2 * OCTETS_PAR_ENTREE;
  // Fresh tables come zero-filled; only the pawn memory may hold old entries.
  efface_hash_pions();
  return taille_hash;
}

void efface_hash() {
  if (table_hash == nullptr) return;
  epoque_hash = static_cast<uint16_t>((epoque_hash + (1 << DECALAGE_EPOQUE)) & MASQUE_EPOQUE);
  if (epoque_hash != 0) return;
  // All epochs used: wipe the memory, and epoch 0 starts again.
  for (uint64_t i = 0; i <= masque_hash; ++i) {
    for (EntreeHash* e : {&table_hash[i].profondeur, &table_hash[i].remplacement}) {
      e->cle_basse = e->cle_haute = 0;
      e->drapeaux = 0;
    }
  }
}

int32_t remplissage_hash() {
  if (table_hash == nullptr) return 0;
  const uint64_t paires = std::min<uint64_t>(500, uint64_t{masque_hash} + 1);
  uint64_t pleines = 0;
  for (uint64_t i = 0; i < paires; ++i)
    for (const EntreeHash* e : {&table_hash[i].profondeur, &table_hash[i].remplacement})
      if (epoque_courante(*e) && (e->drapeaux & MASQUE_AGE) == age_hash &&
          (e->drapeaux & (EXACT_HASH | BORNE_BASSE | BORNE_HAUTE)) != 0)
        ++pleines;
  return static_cast<int32_t>(pleines * 1000 / (2 * paires));
}

void vieillit_hash() { age_hash = (age_hash + 1) & MASQUE_AGE; }

void libere_hash() {
  libere_table(table_hash);
  libere_hash_pions();
  table_hash = nullptr;
  masque_hash = 0;
  taille_hash = 0;
}

void ecrit_hash(int camp, int alpha, int beta, int score, Coup coup, int profondeur, int ply, int menace) {
  if (table_hash == nullptr) return;
  uint16_t drapeaux = static_cast<uint16_t>(age_hash | epoque_hash);
  if (score <= alpha)
    drapeaux |= BORNE_HAUTE;
  else if (score >= beta)
    drapeaux |= BORNE_BASSE;
  else
    drapeaux |= EXACT_HASH;
  if (menace) drapeaux |= MENACE_HASH;

  // Mate scores, and table wins and losses, are stored as distances from
  // this node.
  if (score > SEUIL_MAT_TABLE)
    score += ply;
  else if (score < -SEUIL_MAT_TABLE)
    score -= ply;
  else if (score_bande_tables(score))
    score += score > 0 ? ply : -ply;

  const uint64_t cle = position.cle;
  PaireHash& paire = table_hash[indice_hash(camp)];
  EntreeHash& p = paire.profondeur;
  EntreeHash& r = paire.remplacement;
  const EntreeHash nouvelle = {static_cast<uint32_t>(cle), static_cast<uint32_t>(cle >> 32),
                               static_cast<uint32_t>(coup) & MASQUE_COUP, score, drapeaux,
                               static_cast<uint16_t>(profondeur < 0 ? 0 : profondeur)};
  // A shallower result of this search never displaces a deeper one. An
  // entry of an earlier epoch behaves as an empty one (age 0, depth 0).
  const bool vivante = epoque_courante(p);
  const uint16_t age_p = vivante ? (p.drapeaux & MASQUE_AGE) : 0;
  const int profondeur_p = vivante ? p.profondeur : 0;
  if (age_p == age_hash && profondeur < profondeur_p) {
    r = nouvelle;
    return;
  }
  if (!vivante || p.cle_basse != nouvelle.cle_basse || p.cle_haute != nouvelle.cle_haute) r = p;
  p = nouvelle;
}

int lit_hash(int camp, int beta, int profondeur, int ply, int32_t& score, Coup& coup, int32_t& menace) {
  score = 0;
  coup = AUCUN_COUP;
  menace = 0;
  if (table_hash == nullptr) return HASH_RIEN;
  const uint64_t cle = position.cle;
  const uint32_t basse = static_cast<uint32_t>(cle), haute = static_cast<uint32_t>(cle >> 32);
  const PaireHash& paire = table_hash[indice_hash(camp)];
  const EntreeHash* e = &paire.profondeur;
  if (e->cle_basse != basse || e->cle_haute != haute || !epoque_courante(*e)) {
    e = &paire.remplacement;
    if (e->cle_basse != basse || e->cle_haute != haute || !epoque_courante(*e)) return HASH_RIEN;
  }
  coup = static_cast<Coup>(e->coup);
  menace = (e->drapeaux & MENACE_HASH) ? 1 : 0;
  score = e->score;

  // An upper bound not far below the null-move depth says a null move would
  // fail to reach beta.
  int genre = HASH_RIEN;
  if ((e->drapeaux & BORNE_HAUTE) && e->profondeur >= profondeur - 24 && score < beta) genre = HASH_NUL_INUTILE;
  if (e->profondeur < profondeur) return genre;

  if (score > SEUIL_MAT_TABLE)
    score -= ply;
  else if (score < -SEUIL_MAT_TABLE)
    score += ply;
  else if (score_bande_tables(score))
    score -= score > 0 ? ply : -ply;
  if (e->drapeaux & EXACT_HASH) return HASH_EXACT;
  if (e->drapeaux & BORNE_BASSE) return HASH_BORNE_BASSE;
  if (e->drapeaux & BORNE_HAUTE) return HASH_BORNE_HAUTE;
  return genre;
}
