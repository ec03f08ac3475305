#include "ZoomComboTexts.h"

#include <stdlib.h>
#include <string.h>

const char* const ZoomComboTexts[] = {"400%", "200%", "150%", "100%", "75%", "50%", "25%", ZOOM_FIT_TEXT, ""};

int ZoomTextValue(const char* pszText) { return (pszText && strchr(pszText, '%')) ? atoi(pszText) : 0; }

ZoomComboList BuildZoomComboList(int nZoomPercent, BOOL bFit) {
  ZoomComboList list;
  list.nSelected = -1;
  int nMatch = -1;
  for (int i = 0; ZoomComboTexts[i][0]; i++) {
    list.items.push_back(ZoomComboTexts[i]);
    if (!bFit && strchr(ZoomComboTexts[i], '%') && atoi(ZoomComboTexts[i]) == nZoomPercent) nMatch = i;
  }
  if (bFit) {
    list.nSelected = (int)list.items.size() - 1;
  } else if (nMatch >= 0) {
    list.nSelected = nMatch;
  } else {
    CString extra;
    extra.Format("%d%%", nZoomPercent);
    list.items.insert(list.items.begin(), extra);
    list.nSelected = 0;
  }
  return list;
}
