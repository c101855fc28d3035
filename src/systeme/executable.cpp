#include "systeme/executable.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#ifdef _WIN32

std::string chemin_executable() {
  std::wstring chemin(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, chemin.data(), static_cast<DWORD>(chemin.size()));
    if (n == 0) return {};
    if (n < chemin.size()) {
      chemin.resize(n);
      break;
    }
    chemin.resize(chemin.size() * 2);  // cut short: a longer buffer
  }
  const int taille = WideCharToMultiByte(CP_UTF8, 0, chemin.data(), static_cast<int>(chemin.size()), nullptr, 0,
                                         nullptr, nullptr);
  std::string utf8(static_cast<size_t>(taille), '\0');
  WideCharToMultiByte(CP_UTF8, 0, chemin.data(), static_cast<int>(chemin.size()), utf8.data(), taille, nullptr,
                      nullptr);
  return utf8;
}

#else

std::string chemin_executable() {
  std::string chemin(256, '\0');
  for (;;) {
    const ssize_t n = readlink("/proc/self/exe", chemin.data(), chemin.size());
    if (n <= 0) return {};
    if (static_cast<size_t>(n) < chemin.size()) {
      chemin.resize(static_cast<size_t>(n));
      return chemin;
    }
    chemin.resize(chemin.size() * 2);  // cut short: a longer buffer
  }
}

#endif
