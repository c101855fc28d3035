// "SyzygyPath": finding the table files, checking them, and handing the
// sound ones to the library.
//
// The library is given one directory of its own, filled with links to the
// files it may use: a file it would choke on (wrong length, wrong signature)
// stays out of it, and the tables of several directories meet there, the
// first directory that holds a set giving its file.
#include <tbprobe.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>
#include <vector>

#include "console/sortie.h"
#include "syzygy/garde.h"
#include "syzygy/syzygy.h"

int32_t syzygy_profondeur_sonde = 1;
int32_t syzygy_regle_50 = 1;
int32_t syzygy_limite_pieces = 7;
int32_t syzygy_pieces = 0;
int32_t syzygy_chemin_fixe = 0;
int32_t syzygy_nb_wdl = 0, syzygy_nb_dtz = 0;

namespace {

namespace fs = std::filesystem;

// The largest sets the library knows.
constexpr int PIECES_MAX = 7;

// First bytes of each kind of file.
constexpr unsigned char SIGNATURE_WDL[4] = {0x71, 0xE8, 0x23, 0x5D};
constexpr unsigned char SIGNATURE_DTZ[4] = {0xD7, 0x66, 0x0C, 0xA5};

std::string repertoire_liens;  // the library's directory, made on first use

void efface_liens() {
  if (repertoire_liens.empty()) return;
  std::error_code e;
  fs::remove_all(repertoire_liens, e);
}

// Empties the library's directory, making it the first time. Returns false
// when no directory can be made.
bool prepare_liens() {
  std::error_code e;
  if (!repertoire_liens.empty()) {
    for (const auto& entree : fs::directory_iterator(repertoire_liens, e)) fs::remove(entree.path(), e);
    return true;
  }
  const char* tmp = std::getenv("TMPDIR");
  std::string modele = std::string(tmp && *tmp ? tmp : "/tmp") + "/velmar-syzygy-XXXXXX";
  if (mkdtemp(modele.data()) == nullptr) return false;
  repertoire_liens = modele;
  std::atexit(efface_liens);
  return true;
}

// Pieces of a set named like "KRPvKN" (each side's pieces in the order
// QRBNP), 0 when `nom` is not such a name.
int pieces_du_nom(const std::string& nom) {
  const size_t v = nom.find('v');
  if (v == std::string::npos || nom[0] != 'K' || v + 1 >= nom.size() || nom[v + 1] != 'K') return 0;
  static constexpr const char* ORDRE = "QRBNP";
  int pieces = 0;
  for (size_t debut : {size_t{1}, v + 2}) {
    const size_t fin = debut == 1 ? v : nom.size();
    int rang = 0;
    for (size_t i = debut; i < fin; ++i) {
      const char* p = std::strchr(ORDRE, nom[i]);
      if (nom[i] == 0 || p == nullptr || p - ORDRE < rang) return 0;
      rang = static_cast<int>(p - ORDRE);
      ++pieces;
    }
  }
  return pieces + 2;
}

// A table file the library can take: its length is 16 more than a multiple
// of 64 and it starts with the signature of its kind.
bool fichier_sain(const fs::path& chemin, bool wdl) {
  std::error_code e;
  const auto taille = fs::file_size(chemin, e);
  if (e || taille < 16 || taille % 64 != 16) return false;
  FILE* f = std::fopen(chemin.c_str(), "rb");
  if (!f) return false;
  unsigned char debut[4] = {};
  const bool lu = std::fread(debut, 1, 4, f) == 4;
  std::fclose(f);
  return lu && std::memcmp(debut, wdl ? SIGNATURE_WDL : SIGNATURE_DTZ, 4) == 0;
}

// Links the tables of `repertoire` that the library's directory lacks.
void prend_repertoire(const std::string& repertoire) {
  std::error_code e;
  if (!fs::is_directory(repertoire, e)) {
    ecrit("info string SyzygyPath : %s n'est pas un repertoire\n", repertoire.c_str());
    return;
  }
  const int wdl_avant = syzygy_nb_wdl, dtz_avant = syzygy_nb_dtz;
  for (const auto& entree : fs::directory_iterator(repertoire, e)) {
    const fs::path& chemin = entree.path();
    const std::string nom = chemin.filename().string();
    const std::string extension = chemin.extension().string();
    if (extension != ".rtbw" && extension != ".rtbz") continue;
    const int pieces = pieces_du_nom(chemin.stem().string());
    if (pieces == 0 || pieces > PIECES_MAX) continue;
    const fs::path lien = fs::path(repertoire_liens) / nom;
    if (fs::exists(fs::symlink_status(lien, e))) continue;
    const bool wdl = extension == ".rtbw";
    if (!fichier_sain(chemin, wdl)) {
      ecrit("info string SyzygyPath : table endommagee ignoree : %s\n", chemin.c_str());
      continue;
    }
    fs::create_symlink(fs::absolute(chemin, e), lien, e);
    if (e) continue;
    ++(wdl ? syzygy_nb_wdl : syzygy_nb_dtz);
  }
  if (syzygy_nb_wdl == wdl_avant && syzygy_nb_dtz == dtz_avant)
    ecrit("info string SyzygyPath : aucune table Syzygy dans %s\n", repertoire.c_str());
}

// tb_init with standard output and error silenced: the library prints its
// own notices there ("munmap:" when it drops the previous tables), which an
// interface would read as replies.
bool initialise_bibliotheque(const char* repertoire) {
  std::fflush(stdout);
  std::fflush(stderr);
  const int sortie = dup(1), erreur = dup(2);
  const int nul = open("/dev/null", O_WRONLY);
  if (nul >= 0) {
    dup2(nul, 1);
    dup2(nul, 2);
    close(nul);
  }
  const bool ok = appel_garde([repertoire] { return tb_init(repertoire); }, false);
  std::fflush(stdout);
  std::fflush(stderr);
  if (sortie >= 0) dup2(sortie, 1), close(sortie);
  if (erreur >= 0) dup2(erreur, 2), close(erreur);
  return ok;
}

// A random legal placement of the pieces named by `nom` ("KRPvKN"), for
// the side `blancs_au_trait` to move, in the library's bitboards. False
// when none was found.
bool place_materiel(const std::string& nom, bool blancs_au_trait, uint64_t bb[8]) {
  // bb: white, black, kings, queens, rooks, bishops, knights, pawns
  static constexpr const char* LETTRES = "KQRBNP";
  for (int essai = 0; essai < 200; ++essai) {
    for (int i = 0; i < 8; ++i) bb[i] = 0;
    int roi[2] = {-1, -1};
    bool blanc = true, place_ok = true;
    for (char c : nom) {
      if (c == 'v') {
        blanc = false;
        continue;
      }
      const int type = static_cast<int>(std::strchr(LETTRES, c) - LETTRES);
      int s;
      int tours = 0;
      do s = std::rand() % 64;
      while (((bb[0] | bb[1]) >> s & 1) && ++tours < 100);
      if (((bb[0] | bb[1]) >> s & 1) || (c == 'P' && (s < 8 || s >= 56))) {
        place_ok = false;
        break;
      }
      bb[blanc ? 0 : 1] |= uint64_t{1} << s;
      bb[2 + type] |= uint64_t{1} << s;
      if (type == 0) roi[blanc ? 0 : 1] = s;
    }
    if (!place_ok || roi[0] < 0 || roi[1] < 0) continue;
    // The side not to move may not be in check.
    const int attaquant = blancs_au_trait ? 0 : 1;
    const int cible = roi[blancs_au_trait ? 1 : 0];
    const uint64_t occ = bb[0] | bb[1], camp = bb[attaquant];
    uint64_t attaques = tb_king_attacks(static_cast<unsigned>(roi[attaquant]));
    for (uint64_t b = camp & (bb[3] | bb[4] | bb[5] | bb[6] | bb[7]); b; b &= b - 1) {
      const unsigned s = static_cast<unsigned>(__builtin_ctzll(b));
      if (bb[3] >> s & 1) attaques |= tb_queen_attacks(s, occ);
      if (bb[4] >> s & 1) attaques |= tb_rook_attacks(s, occ);
      if (bb[5] >> s & 1) attaques |= tb_bishop_attacks(s, occ);
      if (bb[6] >> s & 1) attaques |= tb_knight_attacks(s);
      if (bb[7] >> s & 1) attaques |= tb_pawn_attacks(s, attaquant == 0);
    }
    if (!(attaques >> cible & 1)) return true;
  }
  return false;
}

// In a child process: probes a few positions of every set in `noms`,
// writing each set's rank in the list on `tube` before its probes, then -1.
[[noreturn]] void enfant_verifie(const std::vector<std::string>& noms, int tube) {
  const int nul = open("/dev/null", O_WRONLY);
  if (nul >= 0) dup2(nul, 1), dup2(nul, 2);
  if (!tb_init(repertoire_liens.c_str())) _exit(1);
  std::srand(1);
  for (int32_t i = 0; i < static_cast<int32_t>(noms.size()); ++i) {
    if (write(tube, &i, sizeof i) != sizeof i) _exit(1);
    for (int k = 0; k < 16; ++k) {
      uint64_t bb[8];
      const bool blancs = k % 2 == 0;
      if (!place_materiel(noms[i], blancs, bb)) continue;
      tb_probe_wdl(bb[0], bb[1], bb[2], bb[3], bb[4], bb[5], bb[6], bb[7], 0, 0, 0, blancs);
      if (k < 4) tb_probe_root(bb[0], bb[1], bb[2], bb[3], bb[4], bb[5], bb[6], bb[7], 0, 0, 0, blancs, nullptr);
    }
    // A damaged header may have written past the library's blocks: the
    // allocator notices on its next calls.
    for (size_t t = 16; t <= 1 << 20; t *= 4) std::free(std::malloc(t));
  }
  const int32_t fin = -1;
  if (write(tube, &fin, sizeof fin) != sizeof fin) _exit(1);
  _exit(0);
}

// The library would read a damaged table on the engine's own time and might
// fault, or worse, scramble memory: each set is first probed in a child
// process, and a set whose probes end the child is taken out (both its
// files), with a diagnostic, before the check runs again without it.
void verifie_tables() {
  for (int tour = 0; tour < 256; ++tour) {
    std::vector<std::string> noms;
    std::error_code e;
    for (const auto& entree : fs::directory_iterator(repertoire_liens, e)) {
      const std::string nom = entree.path().stem().string();
      if (std::find(noms.begin(), noms.end(), nom) == noms.end()) noms.push_back(nom);
    }
    std::sort(noms.begin(), noms.end());
    if (noms.empty()) return;
    int tube[2];
    if (pipe(tube) != 0) return;
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t pid = fork();
    if (pid < 0) {
      close(tube[0]);
      close(tube[1]);
      return;
    }
    if (pid == 0) {
      close(tube[0]);
      enfant_verifie(noms, tube[1]);
    }
    close(tube[1]);
    int32_t dernier = -2, i;
    while (read(tube[0], &i, sizeof i) == sizeof i) dernier = i;
    close(tube[0]);
    int statut = 0;
    waitpid(pid, &statut, 0);
    if (dernier == -1 || dernier < 0 || dernier >= static_cast<int32_t>(noms.size())) return;
    for (const char* extension : {".rtbw", ".rtbz"}) {
      const fs::path lien = fs::path(repertoire_liens) / (noms[dernier] + extension);
      if (!fs::is_symlink(lien, e)) continue;
      ecrit("info string SyzygyPath : table endommagee ignoree : %s\n", fs::read_symlink(lien, e).c_str());
      fs::remove(lien, e);
      --(extension[4] == 'w' ? syzygy_nb_wdl : syzygy_nb_dtz);
    }
  }
}

}  // namespace

int initialise_syzygy(const char* chemin) {
  // Off first: nothing below may probe the tables being replaced. The
  // library itself is never told about an empty path (tb_init("") after
  // tables were loaded leaves it with a stale largest set, and the next
  // probe crashes) nor freed (tb_init after tb_free crashes).
  syzygy_pieces = 0;
  syzygy_nb_wdl = syzygy_nb_dtz = 0;
  syzygy_chemin_fixe = 0;
  if (chemin == nullptr || *chemin == 0 || std::strcmp(chemin, "<empty>") == 0) return 0;
  syzygy_chemin_fixe = 1;
  installe_garde_syzygy();
  if (!prepare_liens()) {
    ecrit("info string SyzygyPath : impossible de creer un repertoire temporaire\n");
    return 0;
  }
  const std::string liste = chemin;
  for (size_t debut = 0; debut <= liste.size();) {
    size_t fin = liste.find(':', debut);
    if (fin == std::string::npos) fin = liste.size();
    if (fin > debut) prend_repertoire(liste.substr(debut, fin - debut));
    debut = fin + 1;
  }
  verifie_tables();
  ecrit("info string SyzygyPath : %d tables WDL, %d tables DTZ\n", syzygy_nb_wdl, syzygy_nb_dtz);
  if (syzygy_nb_wdl + syzygy_nb_dtz == 0) return 0;
  if (!initialise_bibliotheque(repertoire_liens.c_str())) {
    ecrit("info string SyzygyPath : la bibliotheque Fathom refuse les tables\n");
    return 0;
  }
  syzygy_pieces = static_cast<int32_t>(TB_LARGEST);
  return syzygy_pieces;
}
