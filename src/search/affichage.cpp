#include "search/affichage.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "board/texte_coup.h"
#include "console/sortie.h"
#include "egtb/tablebases.h"
#include "eval/evaluation.h"
#include "search/etat_recherche.h"
#include "search/fils.h"
#include "search/syzygy_recherche.h"
#include "search/table_hash.h"
#include "search/temps.h"

namespace {

// Room for "info score ... pv" with 64 moves.
constexpr int TAILLE_LIGNE_PV = 1024;

int32_t secondes_pv = 0;  // elapsed time at the last PV line

// Appends formatted text at `pos` of `ligne`, never past its end.
[[gnu::format(printf, 3, 4)]] int ajoute(char* ligne, int pos, const char* format, ...) {
  if (pos >= TAILLE_LIGNE_PV) return pos;
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(ligne + pos, TAILLE_LIGNE_PV - pos, format, args);
  va_end(args);
  return n < 0 ? pos : std::min(pos + n, TAILLE_LIGNE_PV - 1);
}

int ajoute_pv(char* ligne, int pos, const Coup* coups, int longueur) {
  char texte[8];
  for (int i = 0; i < longueur; ++i) pos = ajoute(ligne, pos, " %s", texte_coup(coups[i], texte));
  return pos;
}

int ajoute_score(char* ligne, int pos, int score) {
  if (std::abs(score) <= SEUIL_MAT_AFFICHAGE) return ajoute(ligne, pos, "score cp %d ", score);
  return ajoute(ligne, pos, "score mate %d ", score > 0 ? (INFINI - score) / 2 : -((score + INFINI) / 2));
}

void ecrit_score_log(int score) {
  if (std::abs(score) <= SEUIL_MAT_AFFICHAGE)
    std::fprintf(fichier_log, "%5.2f", score / 100.0);
  else if (score > 0)
    std::fprintf(fichier_log, "MAT%02d", (INFINI - score) / 2);
  else
    std::fprintf(fichier_log, "-MAT%02d", (score + INFINI) / 2);
}

int pourcent(int64_t part, int64_t tout) { return tout > 0 ? static_cast<int>(100 * part / tout) : 0; }

}  // namespace

void affiche_pv(int profondeur, int score, char marque) {
  const int64_t ms = millisecondes_ecoulees();
  secondes_pv = static_cast<int32_t>(ms / 1000);
  const int t = secondes_pv;
  // The first second of a search is too short to be worth reporting; with
  // several lines per iteration only the complete lines are.
  if (marque != '>' && (t < 1 || lignes_racine > 1)) return;

  // A root the Syzygy tables hold shows their verdict, unless the search
  // found a mate or a table win of its own.
  if (racine_tables && std::abs(score) < SEUIL_GAIN_TABLES) {
    score = verdict_racine;
    if (marque != '>') marque = ':';
  }
  char ligne[TAILLE_LIGNE_PV];
  int pos = ajoute(ligne, 0, "info ");
  pos = ajoute_score(ligne, pos, score);
  if (marque == '+') pos = ajoute(ligne, pos, "lowerbound ");
  if (marque == '-') pos = ajoute(ligne, pos, "upperbound ");
  pos = ajoute(ligne, pos, "depth %d nodes %lld time %lld", profondeur, static_cast<long long>(noeuds_tous()),
               static_cast<long long>(ms));
  if (syzygy_chemin_fixe) pos = ajoute(ligne, pos, " tbhits %lld", static_cast<long long>(tbhits_tous()));
  pos = ajoute(ligne, pos, " pv");
  ajoute_pv(ligne, pos, pv[0], longueur_pv[0]);
  ecrit("%s\n", ligne);
  affiche_vitesse();

  if (log_actif && fichier_log) {
    if (marque == '>')
      std::fprintf(fichier_log, "%2d->  %8lld %4ds ", profondeur, static_cast<long long>(noeuds), t);
    else
      std::fprintf(fichier_log, "%2d%c  %8lld %4ds ", profondeur, marque, static_cast<long long>(noeuds), t);
    ecrit_score_log(score);
    pos = ajoute_pv(ligne, 0, pv[0], longueur_pv[0]);
    ligne[pos] = 0;
    std::fprintf(fichier_log, "%s\n", ligne);
    std::fflush(fichier_log);
  }
}

void affiche_ligne_multipv(int numero, int profondeur, int score, const Coup* coups, int longueur) {
  if (racine_tables && std::abs(score) < SEUIL_GAIN_TABLES) score = verdict_racine;
  char ligne[TAILLE_LIGNE_PV];
  int pos = ajoute(ligne, 0, "info multipv %d ", numero);
  pos = ajoute_score(ligne, pos, score);
  pos = ajoute(ligne, pos, "depth %d nodes %lld time %lld", profondeur, static_cast<long long>(noeuds_tous()),
               static_cast<long long>(millisecondes_ecoulees()));
  if (syzygy_chemin_fixe) pos = ajoute(ligne, pos, " tbhits %lld", static_cast<long long>(tbhits_tous()));
  pos = ajoute(ligne, pos, " pv");
  ajoute_pv(ligne, pos, coups, longueur);
  ecrit("%s\n", ligne);
}

void affiche_vitesse() {
  const int64_t ms = millisecondes_ecoulees();
  if (ms < 1000) return;
  char ligne[TAILLE_LIGNE_PV];
  int pos = ajoute(ligne, 0, "info nps %lld hashfull %d", static_cast<long long>(noeuds_tous() * 1000 / ms),
                   remplissage_hash());
  const int64_t tbhits = tbhits_tous();
  if (tbhits > 0) pos = ajoute(ligne, pos, " tbhits %lld", static_cast<long long>(tbhits));
  if (nb_coupures > 0)
    pos = ajoute(ligne, pos, " cpuload %lld", static_cast<long long>(1000 * nb_coupures_premier / nb_coupures));
  ecrit("%s\n", ligne);
}

void affiche_coup_courant(Coup coup, int numero) {
  if (secondes_ecoulees() < 1) return;
  char texte[8];
  ecrit("info currmovenumber %d currmove %s\n", numero, texte_coup(coup, texte));
}

void affiche_statistiques(int score) {
  if (!log_actif || !fichier_log) return;
  const int t = secondes_ecoulees();
  FILE* f = fichier_log;
  if (std::abs(score) > SEUIL_MAT_AFFICHAGE + 1) std::fprintf(f, "Mat en %d coups\n", (INFINI - std::abs(score)) / 2);
  std::fprintf(f, "Nombre noeuds=%lld noeuds (%lld/%lld) (%d%%/%d%%) Nombre evaluations=%lld",
               static_cast<long long>(noeuds), static_cast<long long>(noeuds_recherche),
               static_cast<long long>(noeuds_quiescence), pourcent(noeuds_recherche, noeuds),
               pourcent(noeuds_quiescence, noeuds), static_cast<long long>(nb_evaluations));
  if (t > 0) std::fprintf(f, "\n%lld Noeuds/Seconde", static_cast<long long>(noeuds / t));
  std::fprintf(f, "\nStatistique coup nul : %lld/%lld %d%%\n", static_cast<long long>(nb_coupures_nulles),
               static_cast<long long>(nb_coups_nuls), pourcent(nb_coupures_nulles, nb_coups_nuls));
  std::fprintf(f, "Extensions :\nEchecs : %lld, Recaptures: %lld, Coup unique : %lld, Menace Mat : %lld\n",
               static_cast<long long>(nb_ext_echec), static_cast<long long>(nb_ext_recapture),
               static_cast<long long>(nb_ext_coup_unique), static_cast<long long>(nb_ext_menace));
  if (tb_sondes > 0)
    std::fprintf(f, "Nombre evaluation finale : %lld/%lld (%lld%%)\n", static_cast<long long>(tb_succes),
                 static_cast<long long>(tb_sondes), static_cast<long long>(100 * tb_succes / tb_sondes));
  const int64_t n = nb_evaluations_pions;
  std::fprintf(f, "Structure pion : %d%% %d%% %d%%\n", pourcent(nb_succes_cache_pions, n),
               pourcent(nb_succes_hash_pions, n), pourcent(nb_succes_cache_pions + nb_succes_hash_pions, n));
  std::fflush(f);
}
