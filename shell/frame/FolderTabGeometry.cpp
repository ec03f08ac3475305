#include "FolderTabGeometry.h"

int LayoutFolderTabs(const std::vector<int>& textWidths, std::vector<FolderTabShape>& shapes) {
  shapes.clear();
  int x = 0, total = 0;
  for (int w : textWidths) {
    FolderTabShape s;
    s.rect.left = x;
    s.rect.top = 0;
    s.rect.right = x + w + 20;
    s.rect.bottom = 13;
    s.pts[0] = {s.rect.left, s.rect.top};
    s.pts[1] = {s.rect.left + 8, s.rect.bottom};
    s.pts[2] = {s.rect.right - 9, s.rect.bottom};
    s.pts[3] = {s.rect.right - 1, s.rect.top};
    shapes.push_back(s);
    total = s.rect.right;
    x += (s.rect.right - s.rect.left) - 8;
  }
  return total;
}

BOOL FolderTabContains(const FolderTabShape& s, POINT pt) {
  const int top = s.rect.top, bottom = s.rect.bottom;
  if (pt.y < top || pt.y >= bottom) return FALSE;
  const int h = bottom - top;
  // The slanted edges move 8 pixels inwards from top to bottom.
  const int left = s.pts[0].x + (s.pts[1].x - s.pts[0].x) * (pt.y - top) / h;
  const int right = s.pts[3].x + (s.pts[2].x - s.pts[3].x) * (pt.y - top) / h;
  return pt.x >= left && pt.x < right;
}

int FolderTabHitTest(const std::vector<FolderTabShape>& shapes, const RECT& client, POINT pt) {
  if (pt.x < client.left || pt.x >= client.right || pt.y < client.top || pt.y >= client.bottom) return -1;
  for (size_t i = 0; i < shapes.size(); i++)
    if (FolderTabContains(shapes[i], pt)) return (int)i;
  return -1;
}

int ClampSplitterPosition(int nLeft, int nArrowWidth) {
  if (nLeft < 1.5 * nArrowWidth) return (int)(1.5 * nArrowWidth + 1);
  return nLeft;
}

BOOL SplitterMoveAllowed(int nNewLeft, int nNewRight, int nMinLeft, int nParentWidth) {
  return nNewLeft > nMinLeft && nNewRight < nParentWidth - 100;
}
