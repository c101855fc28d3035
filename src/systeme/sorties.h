// Silencing the standard output and error for a while, at the level of the
// file descriptors: a library that prints on them (notices an interface
// would read as replies) prints into the null device instead.
#pragma once

struct SortiesSauvees {
  int sortie = -1, erreur = -1;  // copies of the descriptors 1 and 2
};

// Sends descriptors 1 and 2 to the null device; returns what retablit_sorties
// needs to put them back.
SortiesSauvees coupe_sorties();
void retablit_sorties(SortiesSauvees& s);
