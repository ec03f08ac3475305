// qvzmaker <program folder>: writes the program folder's content.
#include <cstdio>

#include "ContentMaker.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: qvzmaker <program folder>\n");
    return 2;
  }
  return MakeProgramFolder(argv[1]) ? 0 : 1;
}
