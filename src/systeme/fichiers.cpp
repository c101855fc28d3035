#include "systeme/fichiers.h"

#ifdef _WIN32
#include "systeme/api_windows.h"
#include <sys/stat.h>

#include <cerrno>
#include <string>

#include "systeme/chemins.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

#ifdef _WIN32

namespace {

std::wstring large(const char* texte) { return chemin_natif(texte).wstring(); }

HANDLE poignee(int64_t fichier) { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(fichier)); }

OVERLAPPED a_la_position(int64_t position) {
  OVERLAPPED o{};
  o.Offset = static_cast<DWORD>(position);
  o.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(position) >> 32);
  return o;
}

}  // namespace

FILE* ouvre_fichier(const char* nom, const char* mode) { return _wfopen(large(nom).c_str(), large(mode).c_str()); }

int64_t taille_fichier(const char* nom, int32_t* regulier) {
  struct _stat64 etat {};
  if (_wstat64(large(nom).c_str(), &etat) != 0) return -1;
  if (regulier) *regulier = (etat.st_mode & _S_IFMT) == _S_IFREG;
  return etat.st_size;
}

int32_t renomme_fichier(const char* ancien, const char* nouveau) {
  if (MoveFileExW(large(ancien).c_str(), large(nouveau).c_str(), MOVEFILE_REPLACE_EXISTING)) return 0;
  errno = EACCES;
  return -1;
}

int64_t ouvre_fichier_direct(const char* nom) {
  const HANDLE h = CreateFileW(large(nom).c_str(), GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  return h == INVALID_HANDLE_VALUE ? -1 : static_cast<int64_t>(reinterpret_cast<intptr_t>(h));
}

int64_t taille_fichier_direct(int64_t fichier) {
  LARGE_INTEGER taille;
  return GetFileSizeEx(poignee(fichier), &taille) ? taille.QuadPart : -1;
}

int64_t lit_fichier_direct(int64_t fichier, void* octets, int64_t taille, int64_t position) {
  OVERLAPPED o = a_la_position(position);
  DWORD lu = 0;
  if (!ReadFile(poignee(fichier), octets, static_cast<DWORD>(taille), &lu, &o))
    return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
  return lu;
}

bool ecrit_fichier_direct(int64_t fichier, const void* octets, int64_t taille, int64_t position) {
  int64_t fait = 0;
  while (fait < taille) {
    const int64_t reste = taille - fait;
    OVERLAPPED o = a_la_position(position + fait);
    DWORD ecrit = 0;
    if (!WriteFile(poignee(fichier), static_cast<const char*>(octets) + fait,
                   static_cast<DWORD>(reste < (int64_t{1} << 30) ? reste : int64_t{1} << 30), &ecrit, &o) ||
        ecrit == 0)
      return false;
    fait += ecrit;
  }
  return true;
}

bool tronque_fichier_direct(int64_t fichier, int64_t taille) {
  FILE_END_OF_FILE_INFO fin{};
  fin.EndOfFile.QuadPart = taille;
  return SetFileInformationByHandle(poignee(fichier), FileEndOfFileInfo, &fin, sizeof fin);
}

void ferme_fichier_direct(int64_t fichier) { CloseHandle(poignee(fichier)); }

#else

FILE* ouvre_fichier(const char* nom, const char* mode) { return std::fopen(nom, mode); }

int64_t taille_fichier(const char* nom, int32_t* regulier) {
  struct stat etat {};
  if (stat(nom, &etat) != 0) return -1;
  if (regulier) *regulier = S_ISREG(etat.st_mode);
  return etat.st_size;
}

int32_t renomme_fichier(const char* ancien, const char* nouveau) { return std::rename(ancien, nouveau); }

int64_t ouvre_fichier_direct(const char* nom) { return open(nom, O_RDWR | O_CREAT | O_CLOEXEC, 0644); }

int64_t taille_fichier_direct(int64_t fichier) {
  struct stat etat {};
  return fstat(static_cast<int>(fichier), &etat) == 0 ? etat.st_size : -1;
}

int64_t lit_fichier_direct(int64_t fichier, void* octets, int64_t taille, int64_t position) {
  for (;;) {
    const ssize_t n = pread(static_cast<int>(fichier), octets, static_cast<size_t>(taille), position);
    if (n < 0 && errno == EINTR) continue;
    return n;
  }
}

bool ecrit_fichier_direct(int64_t fichier, const void* octets, int64_t taille, int64_t position) {
  int64_t fait = 0;
  while (fait < taille) {
    const ssize_t n = pwrite(static_cast<int>(fichier), static_cast<const char*>(octets) + fait,
                             static_cast<size_t>(taille - fait), position + fait);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    fait += n;
  }
  return true;
}

bool tronque_fichier_direct(int64_t fichier, int64_t taille) {
  for (;;) {
    if (ftruncate(static_cast<int>(fichier), taille) == 0) return true;
    if (errno != EINTR) return false;
  }
}

void ferme_fichier_direct(int64_t fichier) { close(static_cast<int>(fichier)); }

#endif
