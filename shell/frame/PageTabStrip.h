// The arithmetic of the page tabs and of page deletion: which page the strip starts with,
// how the arrows move it, which page becomes current after a deletion.
#pragma once

#include <vector>

#include "afx.h"

// 0-based first page of the strip for the 1-based current page: the current page itself
// when the visible strip has no tabs yet, else the page before it.
int PageTabStripStart(int nCurrent, BOOL bStripVisibleAndEmpty);
// The new 1-based first page after an arrow: wParam 1 right (not past nCount), 0 left (not
// below 1); any other direction leaves it.
int ScrollPageTabStrip(int nFirst, int nCount, int nDirection);
// A click on tab nClicked (0-based in the strip) of a strip starting at page nFirst: the new
// first page when the strip moves (clicked the first tab, or a tab reaching past the right
// edge), else nFirst.
int AdjustPageTabStrip(int nFirst, int nClicked, BOOL bPastRightEdge);
// The leading digits of a tab text "%dページ"; 0 when none.
int PageNumberOfTab(const char* pszText);
CString PageTabText(int nPage);

// After deleting child nDeleted (already marked dead in bAlive), the child that becomes
// current: with two alive pages before the deletion the other one; after the last alive
// page the nearest alive one before it; otherwise the nearest alive one after it. -1 none.
int NextCurrentPageAfterDelete(const std::vector<BOOL>& bAlive, int nDeleted, int nAliveBefore);
