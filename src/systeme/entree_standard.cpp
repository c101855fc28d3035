// Linux reads descriptor 0 directly and asks poll(2) whether it holds bytes.
//
// Windows has no such test that works everywhere: PeekNamedPipe fits pipes
// only (and fails under Wine), a console handle is signalled for mouse and
// focus events too. So a thread of its own blocks in ReadFile on standard
// input and hands over what it reads through a fixed buffer; a read waits
// on that buffer, and the test for waiting bytes only looks at it. The
// thread is never joined: it is blocked in ReadFile when the process ends,
// and its state uses no object with a destructor, so ending the process
// while it waits is harmless.
#include "systeme/entree_standard.h"

#ifdef _WIN32
#include "systeme/api_windows.h"
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#else
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#endif

#include <algorithm>
#include <cstring>

#ifdef _WIN32

namespace {

constexpr int32_t TAILLE_ATTENTE = 65536;

SRWLOCK verrou = SRWLOCK_INIT;
CONDITION_VARIABLE donnees_recues = CONDITION_VARIABLE_INIT;  // bytes or the end arrived
CONDITION_VARIABLE place_liberee = CONDITION_VARIABLE_INIT;   // the reader took bytes
INIT_ONCE lancement = INIT_ONCE_STATIC_INIT;
char attente[TAILLE_ATTENTE];  // read by the thread, not yet taken
int32_t nb_attente = 0;
int32_t fin_recue = 0;  // the thread has met the end of input

DWORD WINAPI lecteur(void*) {
  const HANDLE entree = GetStdHandle(STD_INPUT_HANDLE);
  char bloc[4096];
  for (;;) {
    DWORD n = 0;
    // Zero bytes is the end, as for the C library: a file's end, Ctrl+Z
    // on a console, a closed pipe (Wine reports a Unix pipe's end so).
    const BOOL lu = ReadFile(entree, bloc, sizeof bloc, &n, nullptr);
    AcquireSRWLockExclusive(&verrou);
    if (!lu || n == 0) {
      fin_recue = 1;
      ReleaseSRWLockExclusive(&verrou);
      WakeAllConditionVariable(&donnees_recues);
      return 0;
    }
    DWORD fait = 0;
    while (fait < n) {
      while (nb_attente == TAILLE_ATTENTE) SleepConditionVariableSRW(&place_liberee, &verrou, INFINITE, 0);
      const DWORD morceau = std::min<DWORD>(n - fait, static_cast<DWORD>(TAILLE_ATTENTE - nb_attente));
      std::memcpy(attente + nb_attente, bloc + fait, morceau);
      nb_attente += static_cast<int32_t>(morceau);
      fait += morceau;
      WakeAllConditionVariable(&donnees_recues);
    }
    ReleaseSRWLockExclusive(&verrou);
  }
}

BOOL CALLBACK lance_lecteur(INIT_ONCE*, void*, void**) {
  const HANDLE fil = CreateThread(nullptr, 0, lecteur, nullptr, 0, nullptr);
  if (fil == nullptr) fin_recue = 1;
  else CloseHandle(fil);
  return TRUE;
}

}  // namespace

int32_t lit_entree_standard(char* tampon, int32_t taille) {
  InitOnceExecuteOnce(&lancement, lance_lecteur, nullptr, nullptr);
  AcquireSRWLockExclusive(&verrou);
  while (nb_attente == 0 && !fin_recue) SleepConditionVariableSRW(&donnees_recues, &verrou, INFINITE, 0);
  const int32_t n = std::min(taille, nb_attente);
  std::memcpy(tampon, attente, static_cast<size_t>(n));
  std::memmove(attente, attente + n, static_cast<size_t>(nb_attente - n));
  nb_attente -= n;
  ReleaseSRWLockExclusive(&verrou);
  WakeAllConditionVariable(&place_liberee);
  return n;
}

void sortie_standard_brute() { _setmode(_fileno(stdout), _O_BINARY); }

int32_t entree_standard_prete() {
  InitOnceExecuteOnce(&lancement, lance_lecteur, nullptr, nullptr);
  AcquireSRWLockShared(&verrou);
  const int32_t pret = nb_attente > 0 || fin_recue;
  ReleaseSRWLockShared(&verrou);
  return pret;
}

#else

int32_t lit_entree_standard(char* tampon, int32_t taille) {
  for (;;) {
    const ssize_t n = read(0, tampon, static_cast<size_t>(taille));
    if (n > 0) return static_cast<int32_t>(n);
    if (n < 0 && errno == EINTR) continue;
    return 0;
  }
}

void sortie_standard_brute() {}

int32_t entree_standard_prete() {
  pollfd p{0, POLLIN, 0};
  return poll(&p, 1, 0) > 0 && (p.revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL));
}

#endif
