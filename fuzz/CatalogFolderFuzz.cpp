// A catalogue folder as the browser loads it from a disc, one of its files (the schema,
// the header file or a table, chosen by the first byte) replaced by the input.
#include <filesystem>

#include "CatalogFolder.h"
#include "FuzzTarget.h"
#include "yqCatalog.h"

void FuzzOne(const uint8_t* data, size_t size) {
  const fuzz::CatalogFolder& folder = fuzz::GeneratedCatalog();
  if (size < 1 || folder.files.empty()) return;
  // A run that died mid-way left its file behind: mend it first.
  const std::string dirty = fuzz::ScratchDir() + "/catalog/dirty";
  std::string left;
  if (fuzz::ReadFileBytes(dirty, left) && !left.empty()) fuzz::RestoreCatalogFile(left);
  const std::string& name = folder.files[data[0] % folder.files.size()];
  fuzz::WriteFileBytes(dirty, name.data(), name.size());
  fuzz::WriteFileBytes(folder.distrib + "/" + name, data + 1, size - 1);
  {
    yqCatalog catalog;
    if (catalog.Load(folder.root.c_str())) fuzz::BrowseCatalog(catalog);
  }
  fuzz::RestoreCatalogFile(name);
  fuzz::WriteFileBytes(dirty, "", 0);
}
