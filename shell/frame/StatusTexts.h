// The texts of the main frame's status panes.
#pragma once

#include "afx.h"

// "ページ： %d/%d " with the 1-based position (0 when the current page is not found).
CString PageStatusText(int nPosition, int nCount);
// "X： %.1f㎝" / "Y： %.1f㎝" of a logical coordinate (0.1 mm).
CString CoordStatusText(BOOL bX, int nLogical);
