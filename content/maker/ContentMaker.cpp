#include "ContentMaker.h"

#include <cstdio>

namespace {

struct ContentKind {
  const char* name;
  bool (*make)(const std::string& programFolder);
};

// A new kind of content adds its row (and its source file to CMakeLists.txt).
const ContentKind kKinds[] = {
    {"patterns", MakePatternLibrary},
    {"textures", MakeTextureLibrary},
};

}  // namespace

bool MakeProgramFolder(const std::string& programFolder) {
  bool ok = true;
  for (const ContentKind& kind : kKinds) {
    if (!kind.make(programFolder)) {
      std::fprintf(stderr, "qvzmaker: %s could not be written\n", kind.name);
      ok = false;
    }
  }
  return ok;
}
