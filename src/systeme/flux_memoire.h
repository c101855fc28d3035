// A stdio stream written into memory, for text composed with fprintf and
// used as a whole once finished.
#pragma once

#include <cstddef>
#include <cstdio>

struct FluxMemoire {
  FILE* flux;
  char* octets;  // after ferme_flux_memoire: what was written (std::free it)
  size_t taille;
};

// Opens `f.flux`; false when it cannot be had.
bool ouvre_flux_memoire(FluxMemoire& f);
// Closes the stream and fills octets and taille; false when writing failed
// (octets may still need std::free).
bool ferme_flux_memoire(FluxMemoire& f);
