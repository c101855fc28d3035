#include <cstdio>

#include "modes.h"

int mode_eco(int, char**) {
  std::fprintf(stderr, "velmar: the eco mode is not available yet\n");
  return 2;
}
