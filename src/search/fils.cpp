#include "search/fils.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

#include "board/position.h"
#include "console/sortie.h"
#include "egtb/tablebases.h"
#include "eval/hash_pions.h"
#include "movegen/generation.h"
#include "movegen/selection.h"
#include "search/etat_recherche.h"
#include "search/recherche.h"

thread_local constinit int32_t numero_fil = 0;

namespace {

std::thread aides[FILS_MAX];
int32_t nb_aides = 0;

// Nodes and tablebase hits of each thread as it last published them (the
// main search publishes only under a node limit), one cache line each so
// that their stores do not slow one another.
struct alignas(64) CompteNoeuds {
  std::atomic<int64_t> noeuds{0};
  std::atomic<int64_t> tbhits{0};
};
CompteNoeuds comptes[FILS_MAX];

// Everything below is guarded by `verrou`.
std::mutex verrou;
std::condition_variable reveil;  // the helpers wait on it for a search or the end
std::condition_variable repos;   // the main thread waits on it for every helper to stop
uint64_t numero_recherche = 0;   // advanced by each lance_aides
int32_t actifs = 0;              // helpers still searching
bool lancees = false;            // lance_aides ran and arrete_aides has not
bool quitter = false;
// The root of the search, as the main thread had it.
Partie partie_commune;
Position plateau_commun;
int32_t historique_commun[2][4096];
Coup coups_racine_communs[RACINE_MAX];
FicheRacine fiches_communes[RACINE_MAX];
int32_t nb_racine_commun = 0;

// The deepest iteration completed by a helper in this search: its depth is
// read without the lock, its line and score under `verrou_iteration`.
std::atomic<int32_t> profondeur_iteration_aide{0};
int32_t profondeur_but = PLY_MAX + 1;  // read by the main search only
std::atomic<int32_t> iteration_en_cours{0};
std::mutex verrou_iteration;
int32_t score_iteration_aide = 0;
Coup pv_iteration_aide[PLY_MAX + 1];
int32_t longueur_iteration_aide = 0;

void boucle_aide(int32_t numero) {
  numero_fil = numero;
  uint64_t vue = 0;
  for (;;) {
    {
      std::unique_lock<std::mutex> garde(verrou);
      reveil.wait(garde, [&] { return quitter || numero_recherche != vue; });
      if (quitter) break;
      vue = numero_recherche;
      partie = partie_commune;
      position = plateau_commun;
      std::memcpy(historique, historique_commun, sizeof historique);
      debut_liste[0] = pile_coups;
      for (int32_t i = 0; i < nb_racine_commun; ++i) {
        pile_coups[i] = coups_racine_communs[i];
        fiches_racine[i] = fiches_communes[i];
      }
      nb_coups_racine = nb_racine_commun;
      debut_liste[1] = pile_coups + nb_racine_commun;
    }
    recherche_aide();
    publie_noeuds();
    std::lock_guard<std::mutex> garde(verrou);
    if (--actifs == 0) repos.notify_all();
  }
  libere_hash_pions();
}

// Ends every helper; they are waiting, or stop at their next node.
void termine_aides() {
  // Only the thread that created them ends them (never a helper itself).
  if (nb_aides == 0 || numero_fil != 0) return;
  arret_recherche = 1;
  {
    std::lock_guard<std::mutex> garde(verrou);
    quitter = true;
  }
  reveil.notify_all();
  for (int32_t i = 1; i <= nb_aides; ++i) aides[i].join();
  nb_aides = 0;
  std::lock_guard<std::mutex> garde(verrou);
  quitter = false;
  actifs = 0;
  lancees = false;
  // Helpers created later wait for the next lance_aides, not the last one.
  numero_recherche = 0;
}

}  // namespace

void fixe_nb_fils(int32_t n) {
  static bool fin_prevue = false;
  if (n < 1) n = 1;
  if (n > FILS_MAX) n = FILS_MAX;
  if (n - 1 == nb_aides) return;
  termine_aides();
  // No helper outlives the program, whichever way it ends.
  if (!fin_prevue) {
    fin_prevue = true;
    std::atexit(termine_aides);
  }
  for (int32_t i = 1; i < n; ++i) {
    try {
      aides[i] = std::thread(boucle_aide, i);
    } catch (const std::system_error&) {
      ecrit("info string Threads : %d fils seulement\n", i);
      break;
    }
    nb_aides = i;
  }
}

int32_t nb_fils() { return nb_aides + 1; }

void lance_aides(int32_t profondeur_visee) {
  profondeur_iteration_aide.store(0, std::memory_order_relaxed);
  iteration_en_cours.store(1, std::memory_order_relaxed);
  profondeur_but = nb_aides == 0 ? PLY_MAX + 1 : profondeur_visee;
  if (nb_aides == 0) return;
  {
    std::lock_guard<std::mutex> garde(verrou);
    partie_commune = partie;
    plateau_commun = position;
    std::memcpy(historique_commun, historique, sizeof historique);
    nb_racine_commun = nb_coups_racine;
    for (int32_t i = 0; i < nb_coups_racine; ++i) {
      coups_racine_communs[i] = debut_liste[0][i];
      fiches_communes[i] = fiches_racine[i];
    }
    for (int32_t i = 0; i <= nb_aides; ++i) {
      comptes[i].noeuds.store(0, std::memory_order_relaxed);
      comptes[i].tbhits.store(0, std::memory_order_relaxed);
    }
    actifs = nb_aides;
    lancees = true;
    ++numero_recherche;
  }
  reveil.notify_all();
}

void arrete_aides() {
  std::unique_lock<std::mutex> garde(verrou);
  if (!lancees) return;
  arret_recherche = 1;
  repos.wait(garde, [] { return actifs == 0; });
  lancees = false;
}

void publie_iteration_aide(int32_t profondeur, int32_t score) {
  std::lock_guard<std::mutex> garde(verrou_iteration);
  if (profondeur <= profondeur_iteration_aide.load(std::memory_order_relaxed)) return;
  const int32_t n = std::min(longueur_pv[0], static_cast<int32_t>(PLY_MAX));
  for (int32_t i = 0; i < n; ++i) pv_iteration_aide[i] = pv[0][i];
  pv_iteration_aide[n] = 0;
  longueur_iteration_aide = n;
  score_iteration_aide = score;
  profondeur_iteration_aide.store(profondeur, std::memory_order_relaxed);
}

bool aides_au_but() { return profondeur_iteration_aide.load(std::memory_order_relaxed) >= profondeur_but; }

bool adopte_iteration_aide(int32_t& profondeur, int32_t& score) {
  std::lock_guard<std::mutex> garde(verrou_iteration);
  const int32_t p = profondeur_iteration_aide.load(std::memory_order_relaxed);
  if (nb_aides == 0 || p <= profondeur || longueur_iteration_aide < 1) return false;
  for (int32_t i = 0; i <= longueur_iteration_aide; ++i) pv[0][i] = pv_iteration_aide[i];
  longueur_pv[0] = longueur_iteration_aide;
  profondeur = p;
  score = score_iteration_aide;
  return true;
}

void annonce_iteration(int32_t profondeur) { iteration_en_cours.store(profondeur, std::memory_order_relaxed); }
int32_t iteration_principale() { return iteration_en_cours.load(std::memory_order_relaxed); }

void publie_noeuds() {
  comptes[numero_fil].noeuds.store(noeuds, std::memory_order_relaxed);
  comptes[numero_fil].tbhits.store(tb_succes, std::memory_order_relaxed);
}

int64_t noeuds_tous() {
  int64_t total = noeuds;
  for (int32_t i = 0; i <= nb_aides; ++i)
    if (i != numero_fil) total += comptes[i].noeuds.load(std::memory_order_relaxed);
  return total;
}

int64_t tbhits_tous() {
  int64_t total = tb_succes;
  for (int32_t i = 0; i <= nb_aides; ++i)
    if (i != numero_fil) total += comptes[i].tbhits.load(std::memory_order_relaxed);
  return total;
}
