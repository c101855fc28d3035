#include "search/table_hash.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>

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

template <typename T>
inline T charge_mot(const T& mot) {
  return std::atomic_ref<T>(const_cast<T&>(mot)).load(std::memory_order_relaxed);
}
template <typename T>
inline void range_mot(T& mot, T valeur) {
  std::atomic_ref<T>(mot).store(valeur, std::memory_order_relaxed);
}

// One entry, word by word: another thread may be storing into it meanwhile.
inline EntreeHash charge(const EntreeHash& e) {
  return {charge_mot(e.cle_basse), charge_mot(e.controle), charge_mot(e.coup),
          charge_mot(e.score),     charge_mot(e.drapeaux), charge_mot(e.profondeur)};
}
inline void range(EntreeHash& e, const EntreeHash& v) {
  range_mot(e.cle_basse, v.cle_basse);
  range_mot(e.controle, v.controle);
  range_mot(e.coup, v.coup);
  range_mot(e.score, v.score);
  range_mot(e.drapeaux, v.drapeaux);
  range_mot(e.profondeur, v.profondeur);
}

// What the high key word is XORed with: every other word of the entry.
inline uint32_t melange(const EntreeHash& e) {
  return e.cle_basse ^ e.coup ^ static_cast<uint32_t>(e.score) ^ (uint32_t{e.drapeaux} | uint32_t{e.profondeur} << 16);
}
inline uint32_t cle_haute(const EntreeHash& e) { return e.controle ^ melange(e); }

// Reads `source` into `e` when it holds the key basse/haute of the current
// epoch. The low key word is read first and alone: most probes stop there.
inline bool lit_entree(const EntreeHash& source, uint32_t basse, uint32_t haute, EntreeHash& e) {
  if (charge_mot(source.cle_basse) != basse) return false;
  e = {basse,
       charge_mot(source.controle),
       charge_mot(source.coup),
       charge_mot(source.score),
       charge_mot(source.drapeaux),
       charge_mot(source.profondeur)};
  return cle_haute(e) == haute && epoque_courante(e);
}

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
    range(table_hash[i].profondeur, EntreeHash{});
    range(table_hash[i].remplacement, EntreeHash{});
  }
}

int32_t remplissage_hash() {
  if (table_hash == nullptr) return 0;
  const uint64_t paires = std::min<uint64_t>(500, uint64_t{masque_hash} + 1);
  uint64_t pleines = 0;
  for (uint64_t i = 0; i < paires; ++i)
    for (const EntreeHash* e : {&table_hash[i].profondeur, &table_hash[i].remplacement}) {
      const uint16_t drapeaux = charge_mot(e->drapeaux);
      if ((drapeaux & MASQUE_EPOQUE) == epoque_hash && (drapeaux & MASQUE_AGE) == age_hash &&
          (drapeaux & (EXACT_HASH | BORNE_BASSE | BORNE_HAUTE)) != 0)
        ++pleines;
    }
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
  const uint32_t haute = static_cast<uint32_t>(cle >> 32);
  EntreeHash nouvelle = {static_cast<uint32_t>(cle), 0, static_cast<uint32_t>(coup) & MASQUE_COUP, score, drapeaux,
                         static_cast<uint16_t>(profondeur < 0 ? 0 : profondeur)};
  nouvelle.controle = haute ^ melange(nouvelle);
  const EntreeHash p = charge(paire.profondeur);
  // A shallower result of this search never displaces a deeper one. An
  // entry of an earlier epoch behaves as an empty one (age 0, depth 0).
  const bool vivante = epoque_courante(p);
  const uint16_t age_p = vivante ? (p.drapeaux & MASQUE_AGE) : 0;
  const int profondeur_p = vivante ? p.profondeur : 0;
  if (age_p == age_hash && profondeur < profondeur_p) {
    range(paire.remplacement, nouvelle);
    return;
  }
  if (!vivante || p.cle_basse != nouvelle.cle_basse || cle_haute(p) != haute) range(paire.remplacement, p);
  range(paire.profondeur, nouvelle);
}

int lit_hash(int camp, int beta, int profondeur, int ply, int32_t& score, Coup& coup, int32_t& menace) {
  score = 0;
  coup = AUCUN_COUP;
  menace = 0;
  if (table_hash == nullptr) return HASH_RIEN;
  const uint64_t cle = position.cle;
  const uint32_t basse = static_cast<uint32_t>(cle), haute = static_cast<uint32_t>(cle >> 32);
  const PaireHash& paire = table_hash[indice_hash(camp)];
  EntreeHash e;
  if (!lit_entree(paire.profondeur, basse, haute, e) && !lit_entree(paire.remplacement, basse, haute, e))
    return HASH_RIEN;
  coup = static_cast<Coup>(e.coup);
  menace = (e.drapeaux & MENACE_HASH) ? 1 : 0;
  score = e.score;

  // An upper bound not far below the null-move depth says a null move would
  // fail to reach beta.
  int genre = HASH_RIEN;
  if ((e.drapeaux & BORNE_HAUTE) && e.profondeur >= profondeur - 24 && score < beta) genre = HASH_NUL_INUTILE;
  if (e.profondeur < profondeur) return genre;

  if (score > SEUIL_MAT_TABLE)
    score -= ply;
  else if (score < -SEUIL_MAT_TABLE)
    score += ply;
  else if (score_bande_tables(score))
    score -= score > 0 ? ply : -ply;
  if (e.drapeaux & EXACT_HASH) return HASH_EXACT;
  if (e.drapeaux & BORNE_BASSE) return HASH_BORNE_BASSE;
  if (e.drapeaux & BORNE_HAUTE) return HASH_BORNE_HAUTE;
  return genre;
}
