// "SyzygyPath": finding the table files, having them checked by a child
// process, and handing the directories whose tables are sound to the
// library.
//
// The library opens its files by name from the directories it is given,
// the first directory that holds a file giving it, and only when a probe
// first needs it: it cannot be told to skip one file of a directory. A
// file whose length is wrong it skips by itself; any other damaged file
// keeps its whole directory from the library, and the message says so.
#include <tbprobe.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "console/sortie.h"
#include "syzygy/garde.h"
#include "syzygy/inventaire.h"
#include "syzygy/syzygy.h"
#include "systeme/executable.h"
#include "systeme/processus.h"
#include "systeme/sorties.h"

std::atomic<int32_t> syzygy_profondeur_sonde{1};
std::atomic<int32_t> syzygy_regle_50{1};
std::atomic<int32_t> syzygy_limite_pieces{7};
std::atomic<int32_t> syzygy_pieces{0};
std::atomic<int32_t> syzygy_chemin_fixe{0};
std::atomic<int32_t> syzygy_nb_wdl{0}, syzygy_nb_dtz{0};
std::string verificateur_syzygy;

namespace {

namespace fs = std::filesystem;

// How long the check may go without a word before its child is ended and
// the file it was probing refused: probing one set takes milliseconds, or
// a second or two for a large one read from a slow disk.
constexpr int32_t DELAI_VERIFICATION_MS = 10000;

// What became of each file.
enum Verdict : int8_t {
  NON_VU,        // in a directory left out for another file
  SAIN,
  TRONQUE,       // wrong length: the library skips it
  INUTILISABLE,  // not a regular file, unreadable, wrong signature
  FAUTE,         // its probes ended the child
  SANS_REPONSE,  // its probes made the child hang
};

struct Verification {
  std::vector<std::string> repertoires;
  std::vector<FichierSyzygy> fichiers;
  std::vector<Verdict> verdicts;
  std::vector<char> exclus;  // per directory
};

// The request for a child that checks from file `debut` on.
std::string demande(const Verification& v, int32_t debut) {
  std::string texte = std::to_string(debut) + "\n";
  for (size_t r = 0; r < v.exclus.size(); ++r)
    if (v.exclus[r]) texte += std::to_string(r) + " ";
  texte += "\n";
  for (const std::string& r : v.repertoires) texte += r + "\n";
  return texte;
}

// Runs children until every file has a verdict: one pass over the files, a
// new child going on after the file that ended or stalled the previous one.
// False when no child could do the check.
bool verifie(Verification& v) {
  const int32_t n = static_cast<int32_t>(v.fichiers.size());
  const std::string programme = verificateur_syzygy.empty() ? chemin_executable() : verificateur_syzygy;
  if (programme.empty()) return false;
  int32_t debut = 0;
  while (debut < n) {
    Processus p;
    if (!lance_processus({programme, "syzygy-check"}, demande(v, debut), p)) return false;
    int32_t courant = -1;
    int etat = LIGNE_LUE;
    bool fini = false;
    std::string ligne;
    while (!fini && (etat = lit_ligne_processus(p, ligne, DELAI_VERIFICATION_MS)) == LIGNE_LUE) {
      int i = -1, c = 0;
      if (ligne == "@fin") {
        fini = true;
      } else if (std::sscanf(ligne.c_str(), "@v %d", &i) == 1 && i >= debut && i < n) {
        courant = i;
        v.verdicts[i] = SAIN;
      } else if (std::sscanf(ligne.c_str(), "@x %d %d", &i, &c) == 2 && i >= debut && i < n) {
        v.verdicts[i] = c == FICHIER_TRONQUE ? TRONQUE : INUTILISABLE;
        if (c != FICHIER_TRONQUE) v.exclus[v.fichiers[i].repertoire] = 1;
      }
    }
    termine_enfant(p);
    if (fini) break;
    if (courant < 0) return false;  // it ended before its first probe
    v.verdicts[courant] = etat == DELAI_DEPASSE ? SANS_REPONSE : FAUTE;
    v.exclus[v.fichiers[courant].repertoire] = 1;
    debut = courant + 1;
  }
  // Files of a directory left out that the check did not reach.
  for (int32_t i = 0; i < n; ++i)
    if (v.exclus[v.fichiers[i].repertoire] && v.verdicts[i] == SAIN) v.verdicts[i] = NON_VU;
  return true;
}

// One line per refused file; counts the files the library will read (the
// first copy of each, in a directory kept; a .rtbz file only with its
// set's .rtbw file, which the library needs to know the set).
void rend_compte(const Verification& v) {
  for (size_t i = 0; i < v.fichiers.size(); ++i) {
    const std::string chemin = chemin_fichier_syzygy(v.repertoires, v.fichiers[i]);
    const std::string& repertoire = v.repertoires[v.fichiers[i].repertoire];
    switch (v.verdicts[i]) {
      case TRONQUE:
        ecrit("info string SyzygyPath : table endommagee ignoree : %s\n", chemin.c_str());
        break;
      case INUTILISABLE:
      case FAUTE:
        ecrit("info string SyzygyPath : table endommagee : %s ; repertoire ignore en entier : %s\n", chemin.c_str(),
              repertoire.c_str());
        break;
      case SANS_REPONSE:
        ecrit("info string SyzygyPath : table sans reponse en %d s : %s ; repertoire ignore en entier : %s\n",
              DELAI_VERIFICATION_MS / 1000, chemin.c_str(), repertoire.c_str());
        break;
      default:
        break;
    }
  }
  int32_t nb_wdl = 0, nb_dtz = 0;
  // The files are sorted by directory inside each kind: the first copy met
  // is the one the library opens. The .rtbw files come before the .rtbz.
  std::set<std::string> vus, wdl_sains;
  for (size_t i = 0; i < v.fichiers.size(); ++i) {
    const FichierSyzygy& f = v.fichiers[i];
    if (f.sorte == SORTE_DTM) continue;
    if (v.exclus[f.repertoire] || !vus.insert(f.nom + EXTENSIONS_SYZYGY[f.sorte]).second) continue;
    if (v.verdicts[i] != SAIN) continue;
    if (f.sorte == SORTE_WDL) {
      ++nb_wdl;
      wdl_sains.insert(f.nom);
    } else {
      nb_dtz += wdl_sains.count(f.nom) != 0;
    }
  }
  syzygy_nb_wdl = nb_wdl;
  syzygy_nb_dtz = nb_dtz;
}

}  // namespace

int initialise_syzygy(const char* chemin) {
  // Off first: no probe may enter the library while its tables are being
  // replaced (a probe checks again under the lock). The library itself is
  // never told about an empty path (tb_init("") after tables were loaded
  // leaves it with a stale largest set, and the next probe crashes) nor
  // freed (tb_init after tb_free crashes).
  {
    const std::lock_guard<std::mutex> verrou(verrou_syzygy);
    syzygy_pieces = 0;
  }
  syzygy_nb_wdl = syzygy_nb_dtz = 0;
  syzygy_chemin_fixe = 0;
  if (chemin == nullptr || *chemin == 0 || std::strcmp(chemin, "<empty>") == 0) return 0;
  syzygy_chemin_fixe = 1;

  Verification v;
  const std::string liste = chemin;
  for (size_t debut = 0; debut <= liste.size();) {
    size_t fin = liste.find(SEPARATEUR_SYZYGY, debut);
    if (fin == std::string::npos) fin = liste.size();
    const std::string repertoire = liste.substr(debut, fin - debut);
    debut = fin + 1;
    if (repertoire.empty()) continue;
    std::error_code e;
    if (!fs::is_directory(chemin_utf8(repertoire), e)) {
      ecrit("info string SyzygyPath : %s n'est pas un repertoire\n", repertoire.c_str());
      continue;
    }
    v.repertoires.push_back(repertoire);
  }
  v.fichiers = inventaire_syzygy(v.repertoires);
  v.verdicts.assign(v.fichiers.size(), SAIN);
  v.exclus.assign(v.repertoires.size(), 0);
  for (int32_t r = 0; r < static_cast<int32_t>(v.repertoires.size()); ++r) {
    bool table = false;
    for (const FichierSyzygy& f : v.fichiers) table = table || f.repertoire == r;
    if (!table) ecrit("info string SyzygyPath : aucune table Syzygy dans %s\n", v.repertoires[r].c_str());
  }
  if (!v.fichiers.empty() && !verifie(v)) {
    ecrit("info string SyzygyPath : verification des tables impossible (processus de controle), tables coupees\n");
    return 0;
  }
  rend_compte(v);
  ecrit("info string SyzygyPath : %d tables WDL, %d tables DTZ\n", syzygy_nb_wdl.load(), syzygy_nb_dtz.load());
  if (syzygy_nb_wdl + syzygy_nb_dtz == 0) return 0;

  std::string repertoires;
  for (size_t r = 0; r < v.repertoires.size(); ++r) {
    if (v.exclus[r]) continue;
    if (!repertoires.empty()) repertoires += SEPARATEUR_SYZYGY;
    repertoires += v.repertoires[r];
  }
  // The library prints its own notices on the standard output and error
  // ("munmap:" when it drops the previous tables, a count of the files),
  // which an interface would read as replies.
  const std::lock_guard<std::mutex> verrou(verrou_syzygy);
  SortiesSauvees sorties = coupe_sorties();
  const bool ok = tb_init(repertoires.c_str());
  retablit_sorties(sorties);
  if (!ok) {
    ecrit("info string SyzygyPath : la bibliotheque Fathom refuse les tables\n");
    return 0;
  }
  syzygy_pieces = static_cast<int32_t>(TB_LARGEST);
  return syzygy_pieces;
}
