// Whole-file reading for the builders, gzip-compressed or not.
#pragma once

#include <string>

// Reads the file at `chemin` into `contenu`, decompressing it when it is
// gzip-compressed. False with a message in `erreur` when it cannot be read.
bool lit_fichier(const std::string& chemin, std::string& contenu, std::string& erreur);
