#include "ContentMaker.h"

#include <cstdio>

namespace {

struct ContentKind {
  const char* name;
  bool (*make)(const std::string& programFolder, const std::string& sourceFolder);
};

// A new kind of content adds its row (and its source file to CMakeLists.txt).
const ContentKind kKinds[] = {
    {"folders", [](const std::string& f, const std::string&) { return MakeContentFolders(f); }},
    {"help", [](const std::string& f, const std::string&) { return MakeHelpFile(f); }},
    {"patterns", [](const std::string& f, const std::string&) { return MakePatternLibrary(f); }},
    {"textures", [](const std::string& f, const std::string&) { return MakeTextureLibrary(f); }},
    {"plan symbols", MakePlanSymbols},
    {"floor plans", [](const std::string& f, const std::string&) { return MakeFloorPlans(f); }},
    {"library objects", [](const std::string& f, const std::string&) { return MakeLibraryObjects(f); }},
    {"perspective scene", [](const std::string& f, const std::string&) { return MakePerspectiveScene(f); }},
};

}  // namespace

bool MakeProgramFolder(const std::string& programFolder, const std::string& sourceFolder) {
  bool ok = true;
  for (const ContentKind& kind : kKinds) {
    if (!kind.make(programFolder, sourceFolder)) {
      std::fprintf(stderr, "qvzmaker: %s could not be written\n", kind.name);
      ok = false;
    }
  }
  return ok;
}
