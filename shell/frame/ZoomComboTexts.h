// The zoom box of the standard bar: its fixed entries and what it lists for a zoom.
#pragma once

#include <vector>

#include "afx.h"

// "400%" .. "25%", then the fit entry "全体表示", then an empty string that ends the table.
extern const char* const ZoomComboTexts[];
#define ZOOM_FIT_TEXT "全体表示"

struct ZoomComboList {
  std::vector<CString> items;
  int nSelected;
};

// The entries for a view in fit mode (the table, the fit entry selected) or at a zoom: the
// table with the matching entry selected, or "%d%%" of the zoom first and selected.
ZoomComboList BuildZoomComboList(int nZoomPercent, BOOL bFit);
// The number before "%" (0 for the fit entry).
int ZoomTextValue(const char* pszText);
