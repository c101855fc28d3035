// Helpers shared by the book and ECO builders: argument checks and output
// files that appear whole or not at all.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Parses a whole decimal number within [min, max].
bool entier_borne(const char* texte, int min, int max, int& valeur);
// Creates `dossier` when missing; false (with a message) when impossible.
bool prepare_dossier(const std::string& dossier);
// Writes `octets` to dossier/nom through a temporary file renamed over it,
// so a reader never sees a half-written file.
bool ecrit_fichier_atomique(const std::string& dossier, const char* nom, const std::vector<uint8_t>& octets);
