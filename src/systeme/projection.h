// A whole file mapped read-only into memory.
#pragma once

#include <cstdint>

struct FichierProjete {
  const uint8_t* octets;  // null when nothing is mapped
  int64_t taille;         // -1: could not be opened; 0: empty or its size unreadable
};

// Maps the file `nom` (a UTF-8 name). Nothing is mapped when the file cannot
// be opened, is empty, or the system refuses the mapping.
FichierProjete projette_fichier(const char* nom);
// Gives back a mapping (a null one does nothing).
void libere_projection(const FichierProjete& projection);
