// qvzmaker <program folder> [<source folder>]: writes the program folder's content, and the
// metafiles that the shapes are made from into the source folder.
#include <cstdio>

#include "ContentMaker.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: qvzmaker <program folder> [<source folder>]\n");
    return 2;
  }
  return MakeProgramFolder(argv[1], argc == 3 ? argv[2] : "") ? 0 : 1;
}
