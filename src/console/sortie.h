// Output to the interface, flushed after every message, and the log file.
#pragma once

#include <cstdint>
#include <cstdio>

extern int32_t log_actif;  // LogFile, or "debug on"
extern FILE* fichier_log;  // the open log file, or null

// Formatted print to standard output, then flush.
void ecrit(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Opens "Velmar.log" in append mode into fichier_log (silently nothing when
// it cannot be opened); ferme_log closes it.
void ouvre_log();
void ferme_log();
