// qvzwinmaker <program folder>: writes the content kinds below into the program folder with
// the program's own classes. Exit status 1 when any kind could not be written.
#include <stdio.h>

#include "afx.h"

BOOL MakeCatalogLayout(const CString& folder);
BOOL MakeObjectsFile(const CString& folder);
BOOL MakeSampleTemplates(const CString& folder);
BOOL MakeSampleBoards(const CString& folder);

namespace {

struct Kind {
  const char* name;
  BOOL (*make)(const CString& folder);
};

// A new kind adds its row and its source file.
const Kind kKinds[] = {
    {"catalogue paste layout", MakeCatalogLayout},
    {"tool prototypes", MakeObjectsFile},
    {"sample templates", MakeSampleTemplates},
    {"sample boards", MakeSampleBoards},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: qvzwinmaker <program folder>\n");
    return 2;
  }
  CString folder = argv[1];
  if (folder.Right(1) != "\\" && folder.Right(1) != "/") folder += "\\";
  int status = 0;
  for (const Kind& k : kKinds) {
    if (!k.make(folder)) {
      fprintf(stderr, "qvzwinmaker: %s could not be written\n", k.name);
      status = 1;
    }
  }
  return status;
}
