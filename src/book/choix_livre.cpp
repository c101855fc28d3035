// Choosing a book move: every root move whose resulting position is in the
// book becomes a candidate, weighted by its games and score; the move is
// drawn at random by weight, or the heaviest is taken in tournament mode.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "board/cles.h"
#include "board/joue.h"
#include "board/texte_coup.h"
#include "book/livre.h"
#include "book/reglages_livre.h"
#include "console/sortie.h"
#include "movegen/generation.h"

const int32_t ecart_elo[51] = {0,   7,   14,  21,  29,  36,  43,  50,  57,  65,  72,  80,  87,
                               95,  102, 110, 117, 125, 133, 141, 149, 158, 166, 175, 184, 193,
                               202, 211, 220, 230, 240, 251, 262, 273, 284, 296, 309, 322, 336,
                               351, 366, 383, 401, 422, 444, 470, 501, 538, 589, 677, 800};

namespace {

// A move is only played when it was chosen in more than this share of the
// book games of the position (in percent).
constexpr int64_t PART_MINIMUM = 9;

struct Candidat {
  Coup coup;
  FicheLivre fiche;
  double poids;
};

constexpr int CANDIDATS_MAX = 256;
Candidat candidats[CANDIDATS_MAX];

// A record the weighting can trust: some games, and wins and losses that fit
// in them. A zero-game record would divide by zero.
bool fiche_valide(const FicheLivre& f) {
  return f.parties > 0 && f.gains >= 0 && f.pertes >= 0 &&
         static_cast<int64_t>(f.gains) + f.pertes <= static_cast<int64_t>(f.parties);
}

// A rating as printed: truncated, and 0 when nothing was summed or a
// damaged record gives a value no rating can have.
int entier_elo(double v) { return v > -1e6 && v < 1e6 ? static_cast<int>(v) : 0; }

int moyenne(float somme, uint32_t nombre) {
  return nombre == 0 ? 0 : entier_elo(static_cast<double>(somme) / nombre);
}

}  // namespace

void texte_stats_livre(const FicheLivre& f, char* texte, size_t taille) {
  // 64-bit counts: a damaged record must not overflow the draw count.
  const int64_t n = f.parties;
  const int64_t nulles = n - f.gains - f.pertes;
  const double p = n == 0 ? 0.0 : (static_cast<double>(n) + f.gains - f.pertes) * 50.0 / static_cast<double>(n);
  const double ecart = std::fabs(p - 50.0);
  const int d = ecart < 50.0 ? static_cast<int>(ecart) : 50;
  int performance = 0;
  if (f.nb_elo_adversaires != 0) {
    const double a = static_cast<double>(f.elo_adversaires) / f.nb_elo_adversaires;
    performance = entier_elo(p > 50.0 ? a + ecart_elo[d] : a - ecart_elo[d]);
  }
  std::snprintf(texte, taille, "N=%lld %.1f%% (%d,%lld,%d) Elo=%d Elo Perf=%d\n", static_cast<long long>(n), p,
                f.gains, static_cast<long long>(nulles), f.pertes, moyenne(f.elo_joueurs, f.nb_elo_joueurs),
                performance);
}

void affiche_stats_livre(const FicheLivre& fiche) {
  char texte[160];
  texte_stats_livre(fiche, texte, sizeof texte);
  ecrit("%s", texte);
}

Coup choisit_coup_livre(int camp) {
  // 1. The root must be a book position, except the initial one, which is
  //    asked even when a book leaves it out.
  const uint64_t racine = cle_complete(0, camp);
  if (racine != CLE_LIVRE_DEPART && cherche_livre(racine) < 0) return 0;

  // 2. Every root move leading into the book is a candidate.
  int nb = 0;
  int64_t total = 0;
  for (Coup* c = debut_liste[0]; c < debut_liste[1] && nb < CANDIDATS_MAX; c++) {
    if (!est_coup(*c)) continue;
    joue(camp, 0, *c);
    const int64_t index = cherche_livre(cle_complete(1, camp ^ 1));
    dejoue(camp, 0, *c);
    if (index < 0) continue;
    Candidat& k = candidats[nb];
    // The statistics cannot be read (the file went away or shrank): one
    // line has said why; the search decides instead.
    if (!lit_encyclopedie(index, k.fiche)) return 0;
    if (!fiche_valide(k.fiche)) {
      ecrit("info string Encyclopedie.bib : enregistrement %lld incoherent (N=%u, gains %d, pertes %d) ignore\n",
            static_cast<long long>(index), k.fiche.parties, k.fiche.gains, k.fiche.pertes);
      continue;
    }
    k.coup = *c;
    total += k.fiche.parties;
    nb++;
  }
  if (nb == 0) return 0;

  // 3. Weight n * r^3 with r the mover's score; rare moves and moves that
  //    never won weigh nothing.
  double somme = 0.0;
  for (int i = 0; i < nb; i++) {
    Candidat& k = candidats[i];
    const int64_t n = k.fiche.parties;
    k.poids = 0.0;
    if (n > total * PART_MINIMUM / 100 && k.fiche.gains != 0) {
      const int64_t points = k.fiche.gains + (n - k.fiche.gains - k.fiche.pertes) / 2;
      const double r = static_cast<double>(points) / static_cast<double>(n);
      k.poids = static_cast<double>(n) * r * r * r;
    }
    somme += k.poids;
  }
  if (somme <= 0.0) return 0;

  // 4. Walk the candidates, printing each one with a weight, and stop the
  //    draw at the first whose running total passes the target.
  const double cible = static_cast<double>(aleatoire_livre()) * somme * 65537.0 / 4294967296.0;
  double cumul = 0.0;
  int choisi = -1, meilleur = -1;
  for (int i = 0; i < nb; i++) {
    const Candidat& k = candidats[i];
    if (k.poids <= 0.0) continue;
    cumul += k.poids;
    char coup[8], stats[160];
    texte_coup(k.coup, coup);
    texte_stats_livre(k.fiche, stats, sizeof stats);
    ecrit("info string %s [%.1f%%] : %s", coup, 100.0 * k.poids / somme, stats);
    if (meilleur < 0 || k.poids > candidats[meilleur].poids) meilleur = i;
    if (!mode_tournoi && choisi < 0 && cible < cumul) choisi = i;
  }
  if (choisi < 0) choisi = meilleur;
  return candidats[choisi].coup;
}

Coup consulte_livre(int camp, int autorise) {
  Coup coup = 0;
  if (autorise && compteur_livre >= 1 && compteur_livre <= 4) coup = choisit_coup_livre(camp);
  if (coup)
    compteur_livre = 1;
  else
    compteur_livre++;
  return coup;
}
