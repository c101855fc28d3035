// Starting a program as a child process and reading its output line by
// line, with a time-out: posix_spawn on Linux (never fork, which would copy
// a threaded process), CreateProcessW on Windows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Processus {
  intptr_t id = -1;       // process id (Linux) or process handle (Windows); -1: none
  intptr_t sortie = -1;   // reading end of the pipe holding its standard output
  std::string tampon;     // bytes read past the last line returned
};

// Starts `arguments[0]` (a full path, UTF-8) with the other arguments. Its
// standard input reads `entree`, which is written before it starts (it must
// fit in a pipe: a few kilobytes), then ends; its standard output is read
// through lit_ligne_processus; its standard error is discarded. Returns
// false when the process could not be started.
bool lance_processus(const std::vector<std::string>& arguments, const std::string& entree, Processus& p);

constexpr int LIGNE_LUE = 1;
constexpr int FIN_SORTIE = 0;  // the child closed its output (it ended)
constexpr int DELAI_DEPASSE = -1;

// Waits at most `millisecondes` for the next line of the child's output and
// puts it in `ligne`, without the line end.
int lit_ligne_processus(Processus& p, std::string& ligne, int32_t millisecondes);

// Ends the child if it still runs, waits for it and frees what it held.
void termine_enfant(Processus& p);
