// velmar syzygy-check: the child process that checks Syzygy table files for
// "SyzygyPath" (the request comes on standard input).
#include "modes.h"
#include "syzygy/verification.h"

int mode_syzygy_check(int, char**) { return verifie_tables_syzygy(); }
