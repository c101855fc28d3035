#include <cstdio>

#include "modes.h"

int mode_book(int, char**) {
  std::fprintf(stderr, "velmar: the book mode is not available yet\n");
  return 2;
}
