// The shapes of the folder tabs and the limits of the splitter beside them, without a window.
#pragma once

#include <vector>

#include "afx.h"

struct FolderTabShape {
  RECT rect;       // 20 pixels wider than the text, 13 high
  POINT pts[4];    // the trapezoid: (left, top), (left + 8, bottom), (right - 9, bottom), (right - 1, top)
};

// Lays the tabs out left to right from their text widths; each overlaps the previous one by
// 8 pixels. Returns the total width (the last tab's right edge).
int LayoutFolderTabs(const std::vector<int>& textWidths, std::vector<FolderTabShape>& shapes);
// Whether the trapezoid holds the point.
BOOL FolderTabContains(const FolderTabShape& shape, POINT pt);
// The first tab in list order that holds the point, -1 for none or outside the client.
int FolderTabHitTest(const std::vector<FolderTabShape>& shapes, const RECT& client, POINT pt);

// The splitter's left edge after a move: never left of 1.5 arrow widths (then one more).
int ClampSplitterPosition(int nLeft, int nArrowWidth);
// Whether a dragged splitter rectangle stays inside its limits.
BOOL SplitterMoveAllowed(int nNewLeft, int nNewRight, int nMinLeft, int nParentWidth);
