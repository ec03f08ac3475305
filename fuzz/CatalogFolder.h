// A small generated catalogue that the catalogue harnesses load: made once per scratch
// folder by the tests' own generator, with a pristine copy to mend the working one from.
#pragma once

#include <string>
#include <vector>

class yqCatalog;

namespace fuzz {

struct CatalogFolder {
  std::string root;                 // the working catalogue, in the reader's form
  std::string distrib;              // its DISTRIB folder
  std::string pristine;             // DISTRIB of the untouched copy
  std::vector<std::string> files;   // names in DISTRIB, sorted
};

const CatalogFolder& GeneratedCatalog();
// Puts the working copy's file back as it was made.
void RestoreCatalogFile(const std::string& name);
// What the browser does with a loaded catalogue: its category tree's items, searches, items
// of every product and set.
void BrowseCatalog(yqCatalog& catalog);

}  // namespace fuzz
