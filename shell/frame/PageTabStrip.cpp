#include "PageTabStrip.h"

#include <ctype.h>
#include <stdlib.h>

int PageTabStripStart(int nCurrent, BOOL bStripVisibleAndEmpty) {
  if (bStripVisibleAndEmpty) return nCurrent > 0 ? nCurrent - 1 : 0;
  return nCurrent >= 2 ? nCurrent - 2 : 0;
}

int ScrollPageTabStrip(int nFirst, int nCount, int nDirection) {
  if (nDirection == 1) return nFirst + 1 > nCount ? nFirst : nFirst + 1;
  if (nDirection == 0) return nFirst - 1 < 1 ? nFirst : nFirst - 1;
  return nFirst;
}

int AdjustPageTabStrip(int nFirst, int nClicked, BOOL bPastRightEdge) {
  if (nClicked == 0 && nFirst > 1) return nFirst - 1;
  if (bPastRightEdge) return nFirst + 1;
  return nFirst;
}

int PageNumberOfTab(const char* pszText) {
  if (pszText == NULL || !isdigit((unsigned char)*pszText)) return 0;
  return atoi(pszText);
}

CString PageTabText(int nPage) {
  CString s;
  s.Format("%dページ", nPage);
  return s;
}

int NextCurrentPageAfterDelete(const std::vector<BOOL>& bAlive, int nDeleted, int nAliveBefore) {
  const int n = (int)bAlive.size();
  if (nAliveBefore == 2) {
    for (int i = 0; i < n; i++)
      if (bAlive[i] && i != nDeleted) return i;
    return -1;
  }
  BOOL bLast = TRUE;
  for (int i = nDeleted + 1; i < n; i++)
    if (bAlive[i]) bLast = FALSE;
  if (bLast) {
    for (int i = n - 1; i >= 0; i--)
      if (bAlive[i] && i != nDeleted) return i;
    return -1;
  }
  for (int i = nDeleted + 1; i < n; i++)
    if (bAlive[i]) return i;
  return -1;
}
