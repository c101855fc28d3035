#include "systeme/memoire_systeme.h"

#ifdef _WIN32
#include "systeme/api_windows.h"
#include <psapi.h>
#else
#include <sys/mman.h>
#include <sys/resource.h>
#endif

#ifdef _WIN32

// Large pages on Windows need a privilege that ordinary accounts lack.
void demande_grandes_pages(void*, std::size_t) {}

int64_t memoire_max_ko() {
  PROCESS_MEMORY_COUNTERS compteurs{};
  compteurs.cb = sizeof compteurs;
  if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &compteurs, sizeof compteurs)) return 0;
  return static_cast<int64_t>(compteurs.PeakWorkingSetSize / 1024);
}

#else

void demande_grandes_pages([[maybe_unused]] void* debut, [[maybe_unused]] std::size_t octets) {
#ifdef MADV_HUGEPAGE
  madvise(debut, octets, MADV_HUGEPAGE);
#endif
}

int64_t memoire_max_ko() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

#endif
