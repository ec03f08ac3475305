#include "qvzCatalogItem.h"

#include <string.h>

#include "CTokenString.h"

const char* const CATALOG_FIELD_NAMES[5] = {"品番", "品名", "価格", "スペック", ""};

BOOL StartsWith(LPCTSTR lpszText, LPCTSTR lpszPrefix) {
  if (lpszText == NULL || lpszPrefix == NULL) return FALSE;
  const char* p = strstr(lpszText, lpszPrefix);
  return p == lpszText;
}

CString StripFieldName(LPCTSTR lpszText, LPCTSTR lpszName) {
  if (lpszText == NULL || lpszName == NULL || !lpszText[0] || !lpszName[0]) return CString();
  if (strstr(lpszText, lpszName) == NULL) return CString();
  return CString(lpszText + strlen(lpszName));
}

BOOL ReadCatalogItem(const void* pBlock, size_t nSize, qvzCatalogItem* pItem) {
  if (pBlock == NULL) return FALSE;
  const char* p = (const char*)pBlock;
  const char* end = p + nSize;
  CString s[6];
  for (int i = 0; i < 6; i++) {
    const char* nul = (const char*)memchr(p, '\0', (size_t)(end - p));
    if (nul == NULL) return FALSE;
    s[i] = CString(p, (int)(nul - p));
    p = nul + 1;
  }
  pItem->strPicture = s[0];
  pItem->strNumber = s[2];
  pItem->strName = s[3];
  pItem->strPrice.Empty();
  pItem->strSpec.Empty();
  // Lines of the information text are cut at each CR LF.
  CTokenString lines(s[5]);
  lines.Replace("\r\n", "\x07");
  lines.Split('\x07');
  const char* first = lines.GetTokenCount() > 0 ? lines.GetToken(0) : "";
  if (first && strstr(first, "■価格 ")) pItem->strPrice = StripFieldName(first, "■価格 ");
  for (int i = 2; i < lines.GetTokenCount(); i++) {
    const char* line = lines.GetToken(i);
    if (line == NULL || line[0] == '\0' || strcmp(line, "\r") == 0) continue;
    pItem->strSpec += line;
    pItem->strSpec += "\r\n";
  }
  return TRUE;
}

CString CatalogFieldValue(const qvzCatalogItem& item, LPCTSTR lpszField) {
  if (strcmp(lpszField, CATALOG_FIELD_NAMES[0]) == 0) return item.strNumber;
  if (strcmp(lpszField, CATALOG_FIELD_NAMES[1]) == 0) return item.strName;
  if (strcmp(lpszField, CATALOG_FIELD_NAMES[2]) == 0) return item.strPrice;
  if (strcmp(lpszField, CATALOG_FIELD_NAMES[3]) == 0) return item.strSpec;
  return CString();
}

BOOL IsPastablePicture(LPCTSTR lpszPath) {
  static const char* const kTypes[] = {".bmp", ".dib", ".rle", ".wmf", ".jpg", ".png", ".tif", ".dxf"};
  const size_t n = lpszPath ? strlen(lpszPath) : 0;
  if (n < 4) return FALSE;
  for (const char* t : kTypes)
    if (_stricmp(lpszPath + n - 4, t) == 0) return TRUE;
  return FALSE;
}
