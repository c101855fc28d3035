// velmar book --out DIR [--max-ply N] [--min-games N] FILE.pgn[.gz]...
//
// Builds "Velmar.bib" and "Encyclopedie.bib" from PGN games. Every game is
// replayed from the initial position for its first N plies (default 30);
// each position reached after ply 1..N counts the game once, with the result
// seen from the side that moved into it and the ratings of both players.
// Positions reached by fewer than --min-games games (default 3) are left out.
// Record fields 0, 1 and 5, which the engine does not read, hold the fewest
// plies after which a game reached the position, the year of the most recent
// such game, and the games without a result ("*", counted as draws by the
// engine).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "board/cles.h"
#include "board/joue.h"
#include "board/position.h"
#include "board/texte_coup.h"
#include "book/lecture.h"
#include "book/livre.h"
#include "book/octets.h"
#include "book/pgn.h"
#include "book/reglages_livre.h"
#include "book/san.h"
#include "modes.h"
#include "movegen/attaques.h"
#include "movegen/generation.h"
#include "movegen/lecture_coup.h"
#include "outils_livre.h"

namespace {

constexpr int PLIES_DEFAUT = 30;
constexpr int PLIES_MAX = 60;  // the search board keeps per-ply state for 64 plies
constexpr int PARTIES_MIN_DEFAUT = 3;

struct Cumul {
  uint32_t parties = 0, gains = 0, pertes = 0, sans_resultat = 0;
  int32_t premier_ply = 0, annee = 0;
  double elo_joueurs = 0, elo_adversaires = 0;
  uint32_t nb_elo_joueurs = 0, nb_elo_adversaires = 0;
};

struct Bilan {
  long lues = 0, injouables = 0, depart_special = 0, sans_coups = 0;
};

std::unordered_map<uint64_t, Cumul> cumuls;

void compte_partie(const PartiePgn& p, const uint64_t* cles, int nb) {
  for (int ply = 0; ply < nb; ply++) {
    // A position met twice in the same game counts the game once.
    bool deja = false;
    for (int j = 0; j < ply && !deja; j++) deja = cles[j] == cles[ply];
    if (deja) continue;
    const int camp = ply & 1;  // the side that moved into the position
    Cumul& c = cumuls[cles[ply]];
    if (c.parties == 0 || ply + 1 < c.premier_ply) c.premier_ply = ply + 1;
    c.parties++;
    if (p.resultat == RESULTAT_BLANCS) (camp == BLANCS ? c.gains : c.pertes)++;
    if (p.resultat == RESULTAT_NOIRS) (camp == NOIRS ? c.gains : c.pertes)++;
    if (p.resultat == RESULTAT_INCONNU) c.sans_resultat++;
    c.annee = std::max(c.annee, static_cast<int32_t>(p.annee));
    const int elo_joueur = camp == BLANCS ? p.elo_blancs : p.elo_noirs;
    const int elo_adversaire = camp == BLANCS ? p.elo_noirs : p.elo_blancs;
    if (elo_joueur > 0) {
      c.elo_joueurs += elo_joueur;
      c.nb_elo_joueurs++;
    }
    if (elo_adversaire > 0) {
      c.elo_adversaires += elo_adversaire;
      c.nb_elo_adversaires++;
    }
  }
}

void lit_pgn(const std::string& texte, const char* nom, int max_ply, Bilan& bilan) {
  PartiePgn p;
  size_t pos = 0;
  uint64_t cles[PLIES_MAX];
  while (lit_partie_pgn(texte.data(), texte.size(), pos, p, static_cast<size_t>(max_ply))) {
    bilan.lues++;
    if (p.depart_special) {
      bilan.depart_special++;
      continue;
    }
    if (p.coups.empty()) {
      bilan.sans_coups++;
      continue;
    }
    prepare_rejeu();
    const int nb = static_cast<int>(p.coups.size());
    int ply = 0;
    for (; ply < nb; ply++) {
      const int camp = ply & 1;
      const Coup c = coup_depuis_san(p.coups[ply].c_str(), camp, ply);
      if (!c) break;
      joue(camp, ply, c);
      cles[ply] = cle_complete(ply + 1, camp ^ 1);
    }
    if (ply < nb) {
      if (bilan.injouables < 10)
        std::fprintf(stderr, "%s: game %ld: move %d%s \"%s\" cannot be played; game skipped\n", nom, bilan.lues,
                     ply / 2 + 1, ply & 1 ? "..." : ".", p.coups[ply].c_str());
      bilan.injouables++;
      continue;
    }
    compte_partie(p, cles, nb);
  }
}

bool ecrit_livre(const std::string& dossier, int min_parties, long& ecrites) {
  std::vector<uint64_t> cles;
  for (const auto& [cle, c] : cumuls)
    if (c.parties >= static_cast<uint32_t>(min_parties)) cles.push_back(cle);
  std::sort(cles.begin(), cles.end());
  std::vector<uint8_t> octets_cles(cles.size() * TAILLE_CLE_LIVRE);
  std::vector<uint8_t> octets_fiches(cles.size() * TAILLE_FICHE_LIVRE);
  for (size_t i = 0; i < cles.size(); i++) {
    ecrit_u32(&octets_cles[i * TAILLE_CLE_LIVRE], static_cast<uint32_t>(cles[i]));
    ecrit_u32(&octets_cles[i * TAILLE_CLE_LIVRE + 4], static_cast<uint32_t>(cles[i] >> 32));
    const Cumul& c = cumuls[cles[i]];
    FicheLivre f;
    f.premier_ply = c.premier_ply;
    f.derniere_annee = c.annee;
    f.parties = c.parties;
    f.gains = static_cast<int32_t>(c.gains);
    f.pertes = static_cast<int32_t>(c.pertes);
    f.sans_resultat = static_cast<int32_t>(c.sans_resultat);
    f.elo_joueurs = static_cast<float>(c.elo_joueurs);
    f.elo_adversaires = static_cast<float>(c.elo_adversaires);
    f.nb_elo_joueurs = c.nb_elo_joueurs;
    f.nb_elo_adversaires = c.nb_elo_adversaires;
    encode_fiche(f, &octets_fiches[i * TAILLE_FICHE_LIVRE]);
  }
  ecrites = static_cast<long>(cles.size());
  return ecrit_fichier_atomique(dossier, "Velmar.bib", octets_cles) &&
         ecrit_fichier_atomique(dossier, "Encyclopedie.bib", octets_fiches);
}

// Book decisions from the positions after each of White's first moves, in
// turn, timed one by one (the set-up of each root list is not counted).
int sonde_livre(const std::string& dossier, int nombre) {
  initialise_plateau();
  std::memset(repertoire_livres, 0, sizeof repertoire_livres);
  if (dossier.size() >= sizeof repertoire_livres) {
    std::fprintf(stderr, "velmar book: directory name longer than %zu characters\n", sizeof repertoire_livres - 1);
    return 1;
  }
  std::strcpy(repertoire_livres, dossier.c_str());
  ouvre_livre();
  if (compteur_livre == 0) {
    std::fprintf(stderr, "velmar book: no book in %s\n", dossier.c_str());
    return 1;
  }
  graine_livre_fixe(12345);
  prepare_rejeu();
  genere_coups(BLANCS, 0);
  const std::vector<Coup> premiers(debut_liste[0], debut_liste[1]);
  double total = 0, pire = 0;
  int trouves = 0;
  for (int i = 0; i < nombre; i++) {
    prepare_rejeu();
    const Coup premier = premiers[i % premiers.size()];
    char texte[8];
    partie_joue_texte(partie, texte_coup(premier, texte));
    partie_vers_position(partie);
    // The root list as the search driver leaves it: legal moves at ply 0.
    genere_coups(NOIRS, 0);
    Coup* fin = debut_liste[0];
    for (Coup* c = debut_liste[0]; c < debut_liste[1]; c++) {
      joue(NOIRS, 0, *c);
      if (!en_echec(NOIRS)) *fin++ = *c;
      dejoue(NOIRS, 0, *c);
    }
    debut_liste[1] = fin;
    const auto debut = std::chrono::steady_clock::now();
    const Coup c = choisit_coup_livre(NOIRS);
    const double duree = std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
    total += duree;
    pire = std::max(pire, duree);
    trouves += c != 0;
  }
  std::fprintf(stderr, "book decisions %d (book move found %d): mean %.1f us, worst %.1f us\n", nombre, trouves,
               1e6 * total / nombre, 1e6 * pire);
  ferme_livre();
  return 0;
}

int usage() {
  std::fprintf(stderr,
               "usage: velmar book --out DIR [--max-ply N] [--min-games N] FILE.pgn[.gz]...\n"
               "  --max-ply N    plies of each game put in the book, 1..%d (default %d)\n"
               "  --min-games N  games a position needs to be kept (default %d)\n"
               "   or: velmar book --probe DIR [--count N]   time N book decisions (default 1000)\n",
               PLIES_MAX, PLIES_DEFAUT, PARTIES_MIN_DEFAUT);
  return 2;
}

}  // namespace

int mode_book(int argc, char** argv) {
  std::string dossier;
  int max_ply = PLIES_DEFAUT, min_parties = PARTIES_MIN_DEFAUT;
  std::vector<std::string> fichiers;
  std::string sonde;
  int nombre_sondes = 1000;
  for (int i = 0; i < argc; i++) {
    const std::string a = argv[i];
    if (a == "--probe" && i + 1 < argc) {
      sonde = argv[++i];
    } else if (a == "--count" && i + 1 < argc) {
      if (!entier_borne(argv[++i], 1, 100000000, nombre_sondes)) return usage();
    } else if (a == "--out" && i + 1 < argc) {
      dossier = argv[++i];
    } else if (a == "--max-ply" && i + 1 < argc) {
      if (!entier_borne(argv[++i], 1, PLIES_MAX, max_ply)) return usage();
    } else if (a == "--min-games" && i + 1 < argc) {
      if (!entier_borne(argv[++i], 1, 1000000000, min_parties)) return usage();
    } else if (a.size() > 1 && a[0] == '-') {
      return usage();
    } else {
      fichiers.push_back(a);
    }
  }
  if (!sonde.empty()) return sonde_livre(sonde, nombre_sondes);
  if (dossier.empty() || fichiers.empty()) return usage();
  if (!prepare_dossier(dossier)) return 1;

  const auto debut = std::chrono::steady_clock::now();
  initialise_plateau();
  cumuls.clear();
  cumuls.reserve(1 << 21);
  Bilan bilan;
  for (const std::string& f : fichiers) {
    std::string texte, erreur;
    if (!lit_fichier(f, texte, erreur)) {
      std::fprintf(stderr, "velmar book: %s\n", erreur.c_str());
      return 1;
    }
    lit_pgn(texte, f.c_str(), max_ply, bilan);
  }
  long ecrites = 0;
  if (!ecrit_livre(dossier, min_parties, ecrites)) return 1;
  const double secondes =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
  std::printf("games read %ld, skipped %ld (unreplayable %ld, set-up positions %ld, no moves %ld)\n", bilan.lues,
              bilan.injouables + bilan.depart_special + bilan.sans_coups, bilan.injouables, bilan.depart_special,
              bilan.sans_coups);
  std::printf("positions seen %zu, written %ld (max ply %d, min games %d) in %s\n", cumuls.size(), ecrites,
              max_ply, min_parties, dossier.c_str());
  std::printf("time %.2f s, %.0f games/s\n", secondes, secondes > 0 ? bilan.lues / secondes : 0.0);
  return 0;
}
