// The table files of the "SyzygyPath" directories, listed in the order they
// are checked, and the checks that need no probe.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Kinds of file: win/draw/loss, distance to zeroing, distance to mate. The
// library reads the first two; of a .rtbm file it only takes the length
// when it starts, but it opens it then.
constexpr int32_t SORTE_WDL = 0, SORTE_DTZ = 1, SORTE_DTM = 2;
constexpr const char* EXTENSIONS_SYZYGY[3] = {".rtbw", ".rtbz", ".rtbm"};

struct FichierSyzygy {
  std::string nom;      // the set, "KRvKN"
  int32_t repertoire;   // rank of its directory in the list
  int32_t pieces;       // kings included
  int32_t sorte;        // SORTE_WDL, SORTE_DTZ or SORTE_DTM
};

// Every table file of `repertoires` (UTF-8 paths), each file after every
// file its probes can read: sets with fewer pieces first (captures lead to
// them), then the win/draw/loss files before the distance-to-zeroing files
// of as many pieces (a pawn move or promotion reads those; the .rtbm files,
// never probed, after them), then by directory and name.
std::vector<FichierSyzygy> inventaire_syzygy(const std::vector<std::string>& repertoires);

// The file's full path, UTF-8.
std::string chemin_fichier_syzygy(const std::vector<std::string>& repertoires, const FichierSyzygy& f);

// What a look at the file's length and first bytes tells.
constexpr int FICHIER_SAIN = 0;
// Its length is not 16 more than a multiple of 64: the library skips such a
// file by itself (it looks at nothing else of it).
constexpr int FICHIER_TRONQUE = 1;
// Not a regular file, unreadable, or a wrong signature: the library would
// open it (a named pipe blocks it) or read it.
constexpr int FICHIER_INUTILISABLE = 2;
int examine_fichier_syzygy(const std::string& chemin, int32_t sorte);

// UTF-8 text to a path and back (a plain std::string path is in the
// system's narrow code page on Windows).
std::filesystem::path chemin_utf8(const std::string& texte);
std::string texte_utf8(const std::filesystem::path& chemin);
