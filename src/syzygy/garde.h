// Calls into the Fathom library: one at a time (the library keeps no lock of
// its own and opens tables on first use), and under a guard that catches a
// fault inside it (a segmentation fault or a failed assertion on a damaged
// table) and returns to the caller instead of ending the process.
#pragma once

#include <csetjmp>
#include <mutex>

extern std::mutex verrou_syzygy;
// Where a fault inside the library returns to on this thread; null outside
// a guarded call.
extern thread_local sigjmp_buf* reprise_syzygy;

// Installs the fault handlers (once). A fault outside a guarded call goes to
// the handler that was there before.
void installe_garde_syzygy();
// After a fault: unblocks the signals the fault left blocked (abort blocks
// them before raising; the guard does not restore the mask on every call,
// which would cost a system call per probe).
void debloque_signaux_syzygy();
// After a fault: the library's state is no longer trusted, so the tables are
// switched off until the next "SyzygyPath"; says so once.
void panne_syzygy();

// Runs `appel` (a call into the library returning `T`) under the lock and
// the guard; returns `echec` when it faulted.
template <typename T, typename F>
T appel_garde(F appel, T echec) {
  std::lock_guard<std::mutex> verrou(verrou_syzygy);
  sigjmp_buf reprise;
  volatile T resultat = echec;
  if (sigsetjmp(reprise, 0) == 0) {
    reprise_syzygy = &reprise;
    resultat = appel();
    reprise_syzygy = nullptr;
  } else {
    reprise_syzygy = nullptr;
    debloque_signaux_syzygy();
    panne_syzygy();
  }
  return resultat;
}
