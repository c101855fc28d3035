// Memory for the large tables the search reads at random.
#pragma once

#include <cstddef>

// Zero-filled memory of `octets` bytes, or null when it cannot be had. From
// 2 MB up it starts on a 2 MB boundary and is asked to be backed by huge
// pages: one translation entry then covers 2 MB instead of 4 KB, so most
// probes of the table no longer miss the processor's translation cache.
// That part is only a hint; the system may decline it.
void* alloue_table(std::size_t octets);
// Gives back memory from alloue_table (null does nothing).
void libere_table(void* memoire);
