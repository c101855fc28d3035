// Writing tables in the compressed form the reader decodes: 8192-byte blocks
// coded with copies at 24 fixed distances and one canonical prefix code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes `donnees` to `chemin` (a ".emd" file); false on a write error.
bool ecrit_compresse(const std::string& chemin, const std::vector<int8_t>& donnees);
