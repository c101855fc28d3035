#include "console/memoire.h"

#include <cstdint>
#include <cstdlib>

#include "systeme/memoire_systeme.h"

namespace {

constexpr std::size_t GRANDE_PAGE = std::size_t{2} << 20;
constexpr std::size_t LIGNE = 64;

}  // namespace

// calloc gives fresh zero pages without touching them, and fails as the
// machine (or a sanitizer's allocation limit) requires. The block is taken
// larger by one alignment step plus a pointer, the table starts at the first
// aligned address after that pointer, and the pointer just before the table
// remembers the block for libere_table.
void* alloue_table(std::size_t octets) {
  const std::size_t alignement = octets >= GRANDE_PAGE ? GRANDE_PAGE : LIGNE;
  if (octets == 0 || octets > SIZE_MAX - alignement - sizeof(void*)) return nullptr;
  void* bloc = std::calloc(1, octets + alignement + sizeof(void*));
  if (bloc == nullptr) return nullptr;
  const std::uintptr_t debut = reinterpret_cast<std::uintptr_t>(bloc) + sizeof(void*);
  void** table = reinterpret_cast<void**>((debut + alignement - 1) & ~(alignement - 1));
  table[-1] = bloc;
  if (alignement == GRANDE_PAGE) demande_grandes_pages(table, octets & ~(GRANDE_PAGE - 1));
  return table;
}

void libere_table(void* memoire) {
  if (memoire != nullptr) std::free(static_cast<void**>(memoire)[-1]);
}
