// velmar tb: command-line access to the endgame tablebase code.
//   velmar tb index FILE.tsv     entry numbers of the positions listed in FILE
//   velmar tb probe DIR FEN      score of FEN from the tables of DIR
//   velmar tb unpack FILE.emd OUT  checks a compressed table and writes it decoded
//   velmar tb generate [--out DIR] [--compress] SET...  builds tables by retrograde analysis
//   velmar tb verify DIR SET...   checks tables one ply ahead
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>
#include <cstring>
#include <filesystem>
#include <algorithm>
#include <string>

#include "board/position.h"
#include "egtb/cache.h"
#include "egtb/compression.h"
#include "egtb/indices.h"
#include "egtb/registre.h"
#include "egtb/sonde.h"
#include "egtb/tablebases.h"
#include "modes.h"
#include "movegen/fen.h"
#include "perft.h"
#include "tbgen/generation.h"
#include "tbgen/plateau_table.h"
#include "tbgen/tables_memoire.h"
#include "tbgen/verification.h"
#include "systeme/memoire_systeme.h"
#include "systeme/fichiers.h"

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: velmar tb index FILE.tsv\n"
               "       velmar tb probe DIR FEN\n"
               "       velmar tb unpack FILE.emd OUT\n"
               "       velmar tb bench DIR [PROBES]\n"
               "       velmar tb generate [--out DIR] [--compress] SET... (kqk, kbnk, ..., all3, all4)\n"
               "       velmar tb verify DIR SET...\n");
  return 2;
}

int numero_table(const std::string& nom) {
  for (int n = 1; n <= NB_TABLES; ++n)
    if (nom == definitions_tables[n].nom) return n;
  return 0;
}

// Reads 24 comma-separated squares; false when the field is malformed.
bool lit_cases(const char* texte, int32_t cases[24]) {
  for (int i = 0; i < 24; ++i) {
    char* fin;
    long v = std::strtol(texte, &fin, 10);
    if (fin == texte || v < 0 || v > 63) return false;
    cases[i] = static_cast<int32_t>(v);
    texte = fin;
    if (i < 23) {
      if (*texte != ',') return false;
      ++texte;
    }
  }
  return true;
}

// One line per position: set, side (w/b), White's 24 squares, Black's 24
// squares, inversion flag, and optionally the expected index (ignored).
int tb_index(const char* chemin) {
  FILE* f = ouvre_fichier(chemin, "r");
  if (!f) {
    std::fprintf(stderr, "velmar tb index: cannot open %s\n", chemin);
    return 1;
  }
  initialise_indices();
  std::string ligne;
  int numero_ligne = 0, erreurs = 0;
  int c;
  while (true) {
    ligne.clear();
    while ((c = std::fgetc(f)) != EOF && c != '\n') ligne.push_back(static_cast<char>(c));
    if (c == EOF && ligne.empty()) break;
    ++numero_ligne;
    if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
    if (ligne.empty() || ligne[0] == '#') continue;
    std::string champs[6];
    int nb = 0;
    size_t debut = 0;
    while (nb < 6) {
      size_t tab = ligne.find('\t', debut);
      champs[nb++] = ligne.substr(debut, tab == std::string::npos ? std::string::npos : tab - debut);
      if (tab == std::string::npos) break;
      debut = tab + 1;
    }
    int n = nb >= 5 ? numero_table(champs[0]) : 0;
    int32_t blancs[24], noirs[24];
    if (n == 0 || (champs[1] != "w" && champs[1] != "b") || !lit_cases(champs[2].c_str(), blancs) ||
        !lit_cases(champs[3].c_str(), noirs) || (champs[4] != "0" && champs[4] != "1")) {
      std::fprintf(stderr, "velmar tb index: line %d malformed\n", numero_ligne);
      std::printf("?\n");
      ++erreurs;
      continue;
    }
    int camp = champs[1] == "w" ? 0 : 1;
    uint32_t indice = fonction_indice(n, camp)(blancs, noirs, EP_AUCUN, champs[4] == "1");
    std::printf("%u\n", indice);
  }
  std::fclose(f);
  return erreurs ? 1 : 0;
}

// Registers DIR as "NalimovPath" would and prints the score of FEN for the
// side to move, or "none".
int tb_probe(const char* repertoire, const char* fen) {
  if (!prepare_perft(fen)) {
    std::fprintf(stderr, "velmar tb probe: bad FEN: %s\n", erreur_fen);
    return 1;
  }
  initialise_tables(repertoire);
  int32_t score = 0;
  if (sonde_tables(score, partie.trait)) std::printf("score %d\n", score);
  else std::printf("none\n");
  return 0;
}

// The size of the table a file is named after (krk.nbw.emd, krknbw.emd), or 0.
int32_t taille_attendue(const char* chemin) {
  std::string nom = chemin;
  size_t barre = nom.find_last_of('/');
  if (barre != std::string::npos) nom.erase(0, barre + 1);
  if (nom.size() < 8 || nom.compare(nom.size() - 4, 4, ".emd") != 0) return 0;
  nom.resize(nom.size() - 4);
  int camp = nom.compare(nom.size() - 3, 3, "nbw") == 0 ? 0 : nom.compare(nom.size() - 3, 3, "nbb") == 0 ? 1 : -1;
  if (camp < 0) return 0;
  nom.resize(nom.size() - 3);
  if (!nom.empty() && nom.back() == '.') nom.pop_back();
  int n = numero_table(nom);
  if (n == 0) return 0;
  return camp == 0 ? definitions_tables[n].taille_blancs : definitions_tables[n].taille_noirs;
}

// Checks FILE as registration does, then writes its decoded contents to OUT.
int tb_unpack(const char* chemin, const char* sortie) {
  FILE* f = ouvre_fichier(chemin, "rb");
  if (!f) {
    std::fprintf(stderr, "velmar tb unpack: cannot open %s\n", chemin);
    return 1;
  }
  Decodage* d = nullptr;
  ResultatEntete r = lit_entete(f, &d);
  if (r != ENTETE_OK) {
    std::fclose(f);
    erreur_fatale("*** Unable to read %s - %s", chemin,
                  r == ENTETE_ERREUR_LECTURE ? "read error\n"
                  : r == ENTETE_MEMOIRE      ? "out of memory\n"
                                             : "file broken\n");
  }
  if (d->log_bloc != LOG_TAILLE_BLOC) {
    std::fclose(f);
    erreur_fatale("*** %s: Unsupported block size %d\n", chemin, 1 << d->log_bloc);
  }
  int32_t attendue = taille_attendue(chemin);
  if (attendue != 0 && d->longueur_totale != attendue) {
    std::fclose(f);
    erreur_fatale("*** %s corrupted\n", chemin);
  }
  FILE* o = ouvre_fichier(sortie, "wb");
  if (!o) {
    std::fclose(f);
    std::fprintf(stderr, "velmar tb unpack: cannot create %s\n", sortie);
    return 1;
  }
  static uint8_t compresse[TAILLE_BLOC], bloc[TAILLE_BLOC + 64];
  int statut = 0;
  for (int32_t k = 0; k < d->nb_blocs && statut == 0; ++k) {
    int32_t longueur = k == d->nb_blocs - 1 ? d->longueur_dernier : TAILLE_BLOC;
    uint32_t c = d->debut_blocs[k + 1] - d->debut_blocs[k];
    bool ok = c <= uint32_t(TAILLE_BLOC) && std::fseek(f, long(d->debut_blocs[k]), SEEK_SET) == 0 &&
              std::fread(compresse, 1, c, f) == c;
    if (ok && c == uint32_t(longueur)) std::memcpy(bloc, compresse, c);
    else if (ok) ok = decode_bloc(*d, compresse, int32_t(c), bloc, longueur);
    if (!ok) {
      std::fprintf(stderr, "velmar tb unpack: %s: block %d is damaged\n", chemin, k);
      statut = 1;
    } else if (std::fwrite(bloc, 1, size_t(longueur), o) != size_t(longueur)) {
      std::fprintf(stderr, "velmar tb unpack: cannot write %s\n", sortie);
      statut = 1;
    }
  }
  if (std::fclose(o) != 0) statut = 1;
  std::fclose(f);
  libere_decodage(d);
  return statut;
}

double secondes_depuis(std::chrono::steady_clock::time_point t) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

struct SondeBench {
  int8_t n, camp, inversion;
  int32_t blancs[24], noirs[24];
};

// Random kqk and kpk positions (kings apart, squares distinct, pawns on
// ranks 2-7) in both colour orientations, as the probe hands them over.
std::vector<SondeBench> positions_bench(int64_t nombre) {
  std::mt19937 rng(1);
  std::vector<SondeBench> v;
  v.reserve(size_t(nombre));
  while (int64_t(v.size()) < nombre) {
    SondeBench s{};
    s.n = v.size() % 2 ? 5 : 1;
    int k1 = int(rng() % 64), k2 = int(rng() % 64), x = int(rng() % 64);
    int dc = (k1 & 7) - (k2 & 7), dr = (k1 >> 3) - (k2 >> 3);
    if (x == k1 || x == k2 || (dc * dc <= 1 && dr * dr <= 1)) continue;
    if (s.n == 1 && (x < 8 || x >= 56)) continue;
    s.camp = int8_t(rng() & 1);
    s.inversion = int8_t(rng() & 1);
    s.blancs[0] = k1;
    s.noirs[0] = k2;
    s.blancs[s.n == 5 ? 20 : 4] = x;
    v.push_back(s);
  }
  return v;
}

// Probes through the compressed tables of DIR with a 1 MB and a 16 MB
// cache, then times a cache hit and a block decode.
int tb_bench(const char* repertoire, int64_t nombre) {
  initialise_tables(repertoire);
  if (!est_enregistree(1, 0) || !est_enregistree(5, 0)) {
    std::fprintf(stderr, "velmar tb bench: kpk and kqk tables needed in %s\n", repertoire);
    return 1;
  }
  const std::vector<SondeBench> positions = positions_bench(nombre);
  for (int mo : {1, 16}) {
    fixe_cache_tables(mo);
    int64_t valeurs = 0;
    auto t = std::chrono::steady_clock::now();
    for (const SondeBench& s : positions) {
      FonctionIndice f = s.camp == 0 ? tables[s.n].indice_blancs : tables[s.n].indice_noirs;
      valeurs += valeur_table(s.n, s.camp, int32_t(f(s.blancs, s.noirs, EP_AUCUN, s.inversion))) != VALEUR_INCONNUE;
    }
    double d = secondes_depuis(t);
    std::printf("cache %2d MB: %lld probes in %.3f s, %.0f probes/s, %lld values, hit rate %.4f%%\n", mo,
                static_cast<long long>(nombre), d, double(nombre) / d, static_cast<long long>(valeurs),
                100.0 * double(cache_succes) / double(cache_succes + cache_echecs));
  }
  // One entry read again and again: the cost of a hit.
  const int64_t repetitions = 10000000;
  int64_t somme = 0;
  auto t = std::chrono::steady_clock::now();
  for (int64_t i = 0; i < repetitions; ++i) somme += lit_entree(5, 0, int32_t(1000 + (i & 7)));
  double d = secondes_depuis(t);
  std::printf("cache hit: %.1f ns (checksum %lld)\n", 1e9 * d / double(repetitions), static_cast<long long>(somme));
  // Every block of the compressed kpk and kqk files decoded into a one-block
  // cache, so each read decodes.
  cree_cache(COUT_BLOC);
  int64_t blocs = 0;
  t = std::chrono::steady_clock::now();
  for (int passe = 0; passe < 50; ++passe)
    for (int n : {1, 5})
      for (int camp = 0; camp < 2; ++camp)
        if (tables[n].decodage[camp])
          for (int32_t i = 0; i < taille_table(n, camp); i += TAILLE_BLOC, ++blocs) somme += lit_entree(n, camp, i);
  d = secondes_depuis(t);
  std::printf("block read and decode: %.1f us per block over %lld blocks\n", 1e6 * d / double(blocs),
              static_cast<long long>(blocs));
  // The decoder alone, on blocks already in memory.
  const Decodage* dec = tables[1].decodage[0];
  FILE* f = dec ? ouvre_fichier(tables[1].fichier_nom[0], "rb") : nullptr;
  if (f) {
    std::vector<uint8_t> fichier;
    int c;
    while ((c = std::fgetc(f)) != EOF) fichier.push_back(uint8_t(c));
    std::fclose(f);
    static uint8_t sortie[TAILLE_BLOC + 64];
    int64_t decodes = 0;
    t = std::chrono::steady_clock::now();
    for (int passe = 0; passe < 200; ++passe)
      for (int32_t k = 0; k < dec->nb_blocs; ++k) {
        uint32_t debut = dec->debut_blocs[k], fin = dec->debut_blocs[k + 1];
        int32_t longueur = k == dec->nb_blocs - 1 ? dec->longueur_dernier : TAILLE_BLOC;
        if (fin > fichier.size() || fin - debut == uint32_t(longueur)) continue;
        decodes += decode_bloc(*dec, fichier.data() + debut, int32_t(fin - debut), sortie, longueur);
      }
    d = secondes_depuis(t);
    if (decodes) std::printf("block decode alone: %.1f us per block\n", 1e6 * d / double(decodes));
  }
  return 0;
}

// The sets named on the command line ("all3", "all4": every set of three or
// four pieces); false for an unknown name.
bool lit_ensembles(int argc, char** argv, std::vector<int>& ensembles) {
  for (int i = 0; i < argc; ++i) {
    const std::string nom = argv[i];
    if (nom == "all3" || nom == "all4") {
      const int debut = nom == "all3" ? 1 : 6, fin = nom == "all3" ? 5 : 35;
      for (int n = debut; n <= fin; ++n) ensembles.push_back(n);
      continue;
    }
    const int n = numero_table(nom);
    if (n == 0) {
      std::fprintf(stderr, "velmar tb: unknown set %s\n", nom.c_str());
      return false;
    }
    ensembles.push_back(n);
  }
  return true;
}

int nb_pions(int n) {
  int p = 0;
  for (const char* c = definitions_tables[n].nom; *c; ++c) p += *c == 'p';
  return p;
}

// A set comes after every set it turns into: fewer pieces first, then fewer
// pawns (a promotion keeps the count of pieces and loses a pawn).
bool avant(int a, int b) {
  const size_t la = std::strlen(definitions_tables[a].nom), lb = std::strlen(definitions_tables[b].nom);
  if (la != lb) return la < lb;
  if (nb_pions(a) != nb_pions(b)) return nb_pions(a) < nb_pions(b);
  return a < b;
}

// Builds the sets asked for into DIR, and the sets they turn into when DIR
// lacks them; sets already in DIR that are only needed are read.
int tb_generate(const std::string& repertoire, const std::vector<int>& demandes, bool compresse) {
  std::vector<int> a_faire = demandes;
  std::vector<int> a_lire;
  for (size_t i = 0; i < a_faire.size(); ++i)
    for (int s : tables_suivantes(a_faire[i])) {
      if (std::find(a_faire.begin(), a_faire.end(), s) != a_faire.end()) continue;
      if (fichiers_presents(repertoire, s)) {
        if (std::find(a_lire.begin(), a_lire.end(), s) == a_lire.end()) a_lire.push_back(s);
      } else {
        a_faire.push_back(s);
      }
    }
  std::error_code erreur;
  std::filesystem::create_directories(repertoire, erreur);
  std::sort(a_faire.begin(), a_faire.end(), avant);
  a_faire.erase(std::unique(a_faire.begin(), a_faire.end()), a_faire.end());
  for (int n : a_lire)
    if (!charge_table(repertoire, n)) return 1;
  const auto debut = std::chrono::steady_clock::now();
  for (int n : a_faire) {
    const auto t = std::chrono::steady_clock::now();
    ResumeGeneration r{};
    if (!genere_table(n, r) || !ecrit_table(repertoire, n, compresse)) return 1;
    const double secondes = secondes_depuis(t);
    for (int camp = 0; camp < (materiel_table(n).une_face ? 1 : 2); ++camp) {
      const ResumeFace& f = r.face[camp];
      std::printf("%s%s: %lld entries, %lld wins / %lld draws / %lld losses, longest mate %d, %.2f s\n",
                  definitions_tables[n].nom, camp == 0 ? ".nbw" : ".nbb", static_cast<long long>(f.entrees),
                  static_cast<long long>(f.gains), static_cast<long long>(f.nulles),
                  static_cast<long long>(f.pertes), f.mat_max, secondes);
    }
    std::fflush(stdout);
  }
  std::printf("%zu sets in %.1f s, peak memory %lld MB\n", a_faire.size(), secondes_depuis(debut),
              static_cast<long long>(memoire_max_ko() / 1024));
  return 0;
}

// Checks the sets of DIR one ply ahead.
int tb_verify(const std::string& repertoire, const std::vector<int>& ensembles) {
  int statut = 0;
  for (int n : ensembles) {
    oublie_tables();
    bool ok = charge_table(repertoire, n);
    for (int s : tables_suivantes(n)) ok = ok && charge_table(repertoire, s);
    ResumeVerification r{};
    const auto t = std::chrono::steady_clock::now();
    if (!ok || !verifie_table(n, r)) {
      std::printf("%s: cannot be checked\n", definitions_tables[n].nom);
      statut = 1;
      continue;
    }
    std::printf("%s: %lld positions checked, %lld errors, %.2f s\n", definitions_tables[n].nom,
                static_cast<long long>(r.positions), static_cast<long long>(r.erreurs), secondes_depuis(t));
    if (r.erreurs) statut = 1;
  }
  return statut;
}

}  // namespace

int mode_tb(int argc, char** argv) {
  if (argc < 1) return usage();
  if (std::strcmp(argv[0], "index") == 0 && argc == 2) return tb_index(argv[1]);
  if (std::strcmp(argv[0], "probe") == 0 && argc >= 3) {
    std::string fen;
    for (int i = 2; i < argc; ++i) {
      if (i > 2) fen += ' ';
      fen += argv[i];
    }
    return tb_probe(argv[1], fen.c_str());
  }
  if (std::strcmp(argv[0], "bench") == 0 && (argc == 2 || argc == 3))
    return tb_bench(argv[1], argc == 3 ? std::max(1LL, std::atoll(argv[2])) : 1000000);
  if (std::strcmp(argv[0], "unpack") == 0 && argc == 3) return tb_unpack(argv[1], argv[2]);
  if (std::strcmp(argv[0], "generate") == 0) {
    std::string repertoire = ".";
    bool compresse = false;
    int i = 1;
    while (i < argc && argv[i][0] == '-') {
      if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
        repertoire = argv[i + 1];
        i += 2;
      } else if (std::strcmp(argv[i], "--compress") == 0) {
        compresse = true;
        ++i;
      } else {
        return usage();
      }
    }
    std::vector<int> ensembles;
    if (i == argc || !lit_ensembles(argc - i, argv + i, ensembles)) return usage();
    return tb_generate(repertoire, ensembles, compresse);
  }
  if (std::strcmp(argv[0], "verify") == 0 && argc >= 3) {
    std::vector<int> ensembles;
    if (!lit_ensembles(argc - 2, argv + 2, ensembles)) return usage();
    return tb_verify(argv[1], ensembles);
  }
  return usage();
}
