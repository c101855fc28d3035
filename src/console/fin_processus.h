// Ending the process from deep inside the engine: "quit", or a damaged
// tablebase file. A harness that drives the engine inside its own process
// (the fuzzers) installs a hook that unwinds back to it instead.
#pragma once

#include <cstdint>

// Set by "quit" and by the end of input: the program ends once nothing runs.
extern int32_t fin_programme;

// Called with the exit status; it must not return (it throws or ends the
// process). Null: the process ends with std::exit.
extern void (*crochet_fin_processus)(int statut);

[[noreturn]] void termine_processus(int statut);
