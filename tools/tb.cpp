#include <cstdio>

#include "modes.h"

int mode_tb(int, char**) {
  std::fprintf(stderr, "velmar: the tb mode is not available yet\n");
  return 2;
}
