// Linux has open_memstream. Windows has no memory stream: the text goes to a
// temporary file that the system deletes when it is closed, and is read back
// into memory at the end.
#include "systeme/flux_memoire.h"

#ifdef _WIN32
#include "systeme/api_windows.h"
#endif

#include <cstdlib>

#ifdef _WIN32

bool ouvre_flux_memoire(FluxMemoire& f) {
  f = {nullptr, nullptr, 0};
  wchar_t dossier[MAX_PATH + 1], nom[MAX_PATH + 1];
  const DWORD n = GetTempPathW(MAX_PATH + 1, dossier);
  if (n == 0 || n > MAX_PATH || GetTempFileNameW(dossier, L"vel", 0, nom) == 0) return false;
  // "T": kept in memory where the system can; "D": deleted when closed.
  f.flux = _wfopen(nom, L"w+bTD");
  if (f.flux == nullptr) DeleteFileW(nom);
  return f.flux != nullptr;
}

bool ferme_flux_memoire(FluxMemoire& f) {
  bool ok = std::fflush(f.flux) == 0 && std::fseek(f.flux, 0, SEEK_END) == 0;
  const long taille = ok ? std::ftell(f.flux) : -1;
  ok = ok && taille >= 0 && std::fseek(f.flux, 0, SEEK_SET) == 0;
  if (ok) {
    f.octets = static_cast<char*>(std::malloc(static_cast<size_t>(taille) + 1));
    ok = f.octets != nullptr &&
         std::fread(f.octets, 1, static_cast<size_t>(taille), f.flux) == static_cast<size_t>(taille);
    if (ok) f.taille = static_cast<size_t>(taille);
  }
  std::fclose(f.flux);
  f.flux = nullptr;
  return ok;
}

#else

bool ouvre_flux_memoire(FluxMemoire& f) {
  f = {nullptr, nullptr, 0};
  f.flux = open_memstream(&f.octets, &f.taille);
  return f.flux != nullptr;
}

bool ferme_flux_memoire(FluxMemoire& f) {
  const bool ok = std::fclose(f.flux) == 0;
  f.flux = nullptr;
  return ok;
}

#endif
