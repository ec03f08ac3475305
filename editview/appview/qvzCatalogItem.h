// A catalogue item as the catalogue browser hands it over: six NUL-terminated Shift-JIS
// strings (picture path, key, item number, name, a further text, information text), and the
// field values the paste takes from it.
#pragma once

#include "afx.h"

// The field names of the paste layout, in table order, closed by an empty string.
extern const char* const CATALOG_FIELD_NAMES[5];

// TRUE when the first occurrence of the prefix in the text is at its start.
BOOL StartsWith(LPCTSTR lpszText, LPCTSTR lpszPrefix);
// The text without its first (length of the name) bytes when both are non-empty and the
// text holds the name anywhere; otherwise empty.
CString StripFieldName(LPCTSTR lpszText, LPCTSTR lpszName);

struct qvzCatalogItem {
  CString strPicture;  // s0
  CString strNumber;   // s2, 品番
  CString strName;     // s3, 品名
  CString strPrice;    // 価格: the first line of s5 after "■価格 "
  CString strSpec;     // スペック: the lines of s5 from the third on, each ending "\r\n"
};

// The item at the start of a block of nSize bytes; FALSE when the block ends before its
// sixth terminator (a block is never read beyond its size).
BOOL ReadCatalogItem(const void* pBlock, size_t nSize, qvzCatalogItem* pItem);
// The value of a field of the table for an item; empty for an unknown name.
CString CatalogFieldValue(const qvzCatalogItem& item, LPCTSTR lpszField);
// Whether a picture path ends (last four characters, any case) in a type the paste loads.
BOOL IsPastablePicture(LPCTSTR lpszPath);
