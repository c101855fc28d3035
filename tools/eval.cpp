#include <cstdio>

#include "modes.h"

int mode_eval(int, char**) {
  std::fprintf(stderr, "velmar: the eval mode is not available yet\n");
  return 2;
}
