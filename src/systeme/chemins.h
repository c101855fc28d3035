// File names: the engine keeps them as UTF-8 text (as a GUI sends them);
// the file system takes them in its own form (wide characters on Windows).
#pragma once

#include <filesystem>
#include <string>

// The separator the system writes between folders.
#ifdef _WIN32
constexpr char SEPARATEUR_CHEMIN = '\\';
#else
constexpr char SEPARATEUR_CHEMIN = '/';
#endif

// The file system's name for the UTF-8 text `texte`.
std::filesystem::path chemin_natif(const std::string& texte);
// The UTF-8 text of `chemin`.
std::string texte_chemin(const std::filesystem::path& chemin);

// The program's arguments as UTF-8 text. On Windows main() receives them in
// the ANSI code page, where a name such as "Zoë" may not survive; they are
// taken again from the wide command line. Elsewhere `argv` is returned.
char** arguments_utf8(int argc, char** argv);
