// What the system says or is asked about the process's memory.
#pragma once

#include <cstddef>
#include <cstdint>

// Asks that [debut, debut + octets) be backed by 2 MB pages where the
// system offers that to ordinary programs (Linux); only a hint.
void demande_grandes_pages(void* debut, std::size_t octets);
// The most memory the process has held at once, in kilobytes.
int64_t memoire_max_ko();
