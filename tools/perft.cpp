#include <cstdio>

#include "modes.h"

int mode_perft(int, char**) {
  std::fprintf(stderr, "velmar: the perft mode is not available yet\n");
  return 2;
}
