// Memory for the large tables the search reads at random.
#pragma once

#include <cstddef>

// Zero-filled memory of at least `octets` bytes straight from the system,
// or null when it cannot be had. From 2 MB up it is aligned on 2 MB and
// asked to be backed by huge pages: one translation entry then covers 2 MB
// instead of 4 KB, so most probes of the table no longer miss the processor's
// translation cache. That part is only a hint; the system may decline it.
void* alloue_table(std::size_t octets);
// Gives back memory from alloue_table; `octets` is the size asked for then.
void libere_table(void* memoire, std::size_t octets);
