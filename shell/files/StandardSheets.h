// The twelve standard sheets, sizes in 0.1 mm, and the text that names a sheet size.
#pragma once

#include "afx.h"

struct StandardSheet {
  const char* pszName;
  int nWidth, nHeight;
};

extern const StandardSheet STANDARD_SHEETS[12];

// The standard name of exactly that size, else "ユーザー定義用紙(%dmm×%dmm)".
CString SheetSizeText(int nWidth, int nHeight);
