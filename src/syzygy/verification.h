// The check of the table files, run in a child process of the engine
// ("velmar syzygy-check"): if a damaged file makes the library fault, loop
// or scramble memory, only the child suffers.
//
// Standard input: the rank of the first file to check (in the order of
// inventaire_syzygy), then a line with the ranks of the directories left
// out, then one directory per line.
// Standard output, besides whatever the library prints (lines that do not
// start with '@'):
//   "@x N C"  file N is refused without a probe (C: FICHIER_TRONQUE or
//             FICHIER_INUTILISABLE); after FICHIER_INUTILISABLE the child
//             leaves its directory out as well;
//   "@."      still going (between those, on a long list);
//   "@v N"    file N is about to be probed: if no further line comes, file N
//             ended the child or made it hang;
//   "@fin"    every file was checked.
#pragma once

#include <string>

// The child's side: reads the request on standard input, answers on
// standard output. Returns the exit status.
int verifie_tables_syzygy();
