// The twelve standard sheets with their sizes in 0.1 mm (index 12 stands for any other size),
// and the text that names a sheet size.
#pragma once

#include "afx.h"

struct StandardSheet {
  const char* pszName;
  int cx, cy;
};

#define STANDARD_SHEET_COUNT 12
#define STANDARD_SHEET_USER 12
// Twelve sheets, then a (NULL, 0, 0) entry.
extern const StandardSheet STANDARD_SHEETS[STANDARD_SHEET_COUNT + 1];
extern const char* const USER_SHEET_NAME;  // "ユーザー定義"

// The index of the first sheet of exactly that size, else STANDARD_SHEET_USER.
int FindStandardSheet(int cx, int cy);
// The standard name of exactly that size, else "ユーザー定義用紙(%dmm×%dmm)".
CString SheetSizeText(int nWidth, int nHeight);
