#include <cstdio>

#include "modes.h"

int mode_bench(int, char**) {
  std::fprintf(stderr, "velmar: the bench mode is not available yet\n");
  return 2;
}
