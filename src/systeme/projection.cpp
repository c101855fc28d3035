#include "systeme/projection.h"

#ifdef _WIN32
#include "systeme/api_windows.h"

#include "systeme/chemins.h"
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef _WIN32

FichierProjete projette_fichier(const char* nom) {
  // Others may read, replace or delete the file meanwhile, as on Linux.
  const HANDLE fichier = CreateFileW(chemin_natif(nom).wstring().c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
  if (fichier == INVALID_HANDLE_VALUE) return {nullptr, -1};
  FichierProjete p{nullptr, 0};
  LARGE_INTEGER taille;
  if (GetFileSizeEx(fichier, &taille) && taille.QuadPart > 0) {
    p.taille = taille.QuadPart;
    // The view keeps the mapping, and the mapping the file, open.
    const HANDLE projection = CreateFileMappingW(fichier, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (projection != nullptr) {
      p.octets = static_cast<const uint8_t*>(MapViewOfFile(projection, FILE_MAP_READ, 0, 0, 0));
      CloseHandle(projection);
    }
  }
  CloseHandle(fichier);
  return p;
}

void libere_projection(const FichierProjete& projection) {
  if (projection.octets) UnmapViewOfFile(projection.octets);
}

#else

FichierProjete projette_fichier(const char* nom) {
  const int fd = open(nom, O_RDONLY);
  if (fd < 0) return {nullptr, -1};
  FichierProjete p{nullptr, 0};
  struct stat etat;
  if (fstat(fd, &etat) == 0 && etat.st_size > 0) {
    p.taille = etat.st_size;
    void* vue = mmap(nullptr, static_cast<size_t>(etat.st_size), PROT_READ, MAP_SHARED, fd, 0);
    if (vue != MAP_FAILED) p.octets = static_cast<const uint8_t*>(vue);
  }
  close(fd);  // the mapping keeps the file open
  return p;
}

void libere_projection(const FichierProjete& projection) {
  if (projection.octets) munmap(const_cast<uint8_t*>(projection.octets), static_cast<size_t>(projection.taille));
}

#endif
