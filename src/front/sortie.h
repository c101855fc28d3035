// Output to the interface, flushed after every message, and the log file.
#pragma once

// Formatted print to standard output, then flush.
void ecrit(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Opens "Velmar.log" in append mode into fichier_log (silently nothing when
// it cannot be opened); ferme_log closes it.
void ouvre_log();
void ferme_log();
