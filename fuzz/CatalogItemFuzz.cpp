// A catalogue item block as the catalogue browser hands it to the board designer (drop or
// paste): read within its size, then every field the paste layout can ask for.
#include "FuzzTarget.h"
#include "qvzCatalogItem.h"

void FuzzOne(const uint8_t* data, size_t size) {
  qvzCatalogItem item;
  if (!ReadCatalogItem(data, size, &item)) return;
  for (int i = 0; CATALOG_FIELD_NAMES[i] && CATALOG_FIELD_NAMES[i][0]; i++) CatalogFieldValue(item, CATALOG_FIELD_NAMES[i]);
  IsPastablePicture(item.strPicture);
  StripFieldName(item.strSpec, "\x83\x58\x83\x79\x83\x62\x83\x4E");  // スペック
}
