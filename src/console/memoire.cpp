#include "console/memoire.h"

#include <sys/mman.h>

#include <cstdint>

namespace {

constexpr std::size_t GRANDE_PAGE = std::size_t{2} << 20;
constexpr std::size_t PAGE = 4096;

std::size_t arrondi(std::size_t octets, std::size_t pas) { return (octets + pas - 1) / pas * pas; }

}  // namespace

void* alloue_table(std::size_t octets) {
  if (octets == 0 || octets > SIZE_MAX / 2) return nullptr;
  const bool grandes = octets >= GRANDE_PAGE;
  const std::size_t taille = arrondi(octets, grandes ? GRANDE_PAGE : PAGE);
  // Room to slide the start to a 2 MB boundary; the slack is given back.
  const std::size_t demande = grandes ? taille + GRANDE_PAGE : taille;
  void* brut = mmap(nullptr, demande, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (brut == MAP_FAILED) return nullptr;
  if (!grandes) return brut;
  const std::uintptr_t debut = reinterpret_cast<std::uintptr_t>(brut);
  const std::uintptr_t aligne = arrondi(debut, GRANDE_PAGE);
  if (aligne > debut) munmap(brut, aligne - debut);
  const std::size_t queue = debut + demande - (aligne + taille);
  if (queue > 0) munmap(reinterpret_cast<void*>(aligne + taille), queue);
#ifdef MADV_HUGEPAGE
  madvise(reinterpret_cast<void*>(aligne), taille, MADV_HUGEPAGE);
#endif
  return reinterpret_cast<void*>(aligne);
}

void libere_table(void* memoire, std::size_t octets) {
  if (memoire == nullptr) return;
  munmap(memoire, arrondi(octets, octets >= GRANDE_PAGE ? GRANDE_PAGE : PAGE));
}
