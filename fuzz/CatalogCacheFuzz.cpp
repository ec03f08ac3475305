// The catalogue's block in the cache file HISTORY.DAT, restored for a catalogue on disc in
// place of reading and sorting its tables; the restored catalogue is then browsed.
#include "CatalogFolder.h"
#include "FuzzTarget.h"
#include "yqCatalog.h"

void FuzzOne(const uint8_t* data, size_t size) {
  const fuzz::CatalogFolder& folder = fuzz::GeneratedCatalog();
  const std::string cache = fuzz::WriteScratch("HISTORY.DAT", data, size);
  yqCatalog catalog;
  if (catalog.LoadFromCache(folder.root.c_str(), cache.c_str(), 0, (int)size)) fuzz::BrowseCatalog(catalog);
}
