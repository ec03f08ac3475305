#include "CatalogFolder.h"

#include <algorithm>
#include <climits>
#include <filesystem>

#include "CatalogFixture.h"
#include "FuzzTarget.h"
#include "yqCatalog.h"
#include "yqRecordset.h"

namespace fs = std::filesystem;

namespace fuzz {

namespace {

catalogtest::FixtureOptions SmallCatalog() {
  catalogtest::FixtureOptions o;
  o.products = 9;
  o.sets = 2;
  o.topCategories = 2;
  return o;
}

void CategoryItems(yqCatalog& catalog, const yqCategory* category, int depth) {
  yqTable* t07 = catalog.GetTable(7);
  yqTable* t08 = catalog.GetTable(8);
  yqTable* t16 = catalog.GetTable(16);
  if (t16 && t07 && t08) {
    if (yqRecordset* rows = t16->FindRange("0D00", category->m_dLow, category->m_dHigh)) {
      do {
        const char* key = rows->GetFieldText("0000");
        const char* number = rows->GetFieldText("0001");
        if (!key || !number) break;
        for (yqTable* links : {t07, t08}) {
          yqRecordset* link = links->FindByKeyPair("0000", "0001", key, number);
          if (!link) continue;
          do {
            if (links == t07)
              catalog.BuildMainImageItem(link, key, number);
            else
              catalog.BuildDrawingItem(link, key, number);
          } while (link->MoveNext());
          delete link;
        }
      } while (rows->MoveNext());
      delete rows;
    }
  }
  if (depth < 8)
    for (int i = 0; i < category->GetChildCount(); i++) CategoryItems(catalog, category->GetChild(i), depth + 1);
}

}  // namespace

const CatalogFolder& GeneratedCatalog() {
  static CatalogFolder folder;
  if (!folder.root.empty()) return folder;
  const std::string base = ScratchDir() + "/catalog";
  const std::string ready = base + "/ready";
  if (!fs::exists(ready)) {
    std::error_code ec;
    fs::remove_all(base, ec);
    fs::create_directories(base);
    catalogtest::GenerateCatalog(base + "/work", SmallCatalog());
    catalogtest::GenerateCatalog(base + "/pristine", SmallCatalog());
    WriteFileBytes(ready, "", 0);
  }
  folder.root = catalogtest::CatalogPath(base + "/work");
  folder.distrib = base + "/work/DISTRIB";
  folder.pristine = base + "/pristine/DISTRIB";
  for (const auto& entry : fs::directory_iterator(folder.pristine))
    if (entry.is_regular_file()) folder.files.push_back(entry.path().filename().string());
  std::sort(folder.files.begin(), folder.files.end());
  return folder;
}

void RestoreCatalogFile(const std::string& name) {
  const CatalogFolder& folder = GeneratedCatalog();
  fs::copy_file(folder.pristine + "/" + name, folder.distrib + "/" + name, fs::copy_options::overwrite_existing);
}

void BrowseCatalog(yqCatalog& catalog) {
  if (yqCategory* root = catalog.GetCategoryRoot()) CategoryItems(catalog, root, 0);
  catalog.FindCategoryById(0);
  static const struct {
    const char* code;
    const char* text;
    int mode;
  } kSearches[] = {{"****", "P0001", 2}, {"0002", "\x8c\x5e", 3}, {"0001", "P", 1}, {"0400", "S", 3}};
  for (const auto& s : kSearches) {
    int count = 0;
    yqItem** items = catalog.SearchItems(s.code, s.text, -1, INT_MAX, s.mode, count);
    delete[] items;
  }
  if (yqTable* products = catalog.GetTable(1)) {
    if (yqRecordset* rows = products->GetAllRows("0001")) {
      int n = 0;
      do {
        const char* key = rows->GetFieldText("0000");
        const char* number = rows->GetFieldText("0001");
        if (key && number)
          for (int type = yqCatalog::kTypeProductImage; type <= yqCatalog::kTypeSetDrawing; type++)
            catalog.GetItem(key, number, type);
      } while (++n < 64 && rows->MoveNext());
      delete rows;
    }
  }
}

}  // namespace fuzz
