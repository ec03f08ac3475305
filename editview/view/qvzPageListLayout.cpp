#include "qvzPageListLayout.h"

#include <algorithm>

SIZE qvzPageListLayout::Place(int n, int nClientWidth, std::vector<RECT>& rects) {
  rects.assign(std::max(n, 0), RECT{0, 0, 0, 0});
  SIZE size = {0, 0};
  if (n <= 0) return size;
  const int stepX = nItemWidth + nMarginX, stepY = nItemHeight + nMarginY;
  nColumns = std::max(1, nClientWidth / stepX);
  nRows = (n + nColumns - 1) / nColumns;
  int x = nMarginX, y = nMarginY;
  for (int r = 0, k = 0; r < nRows; r++) {
    x = nMarginX;
    for (int c = 0; c < nColumns; c++, k++) {
      if (k == n) break;
      rects[k] = RECT{x, y, x + nItemWidth, y + nItemHeight};
      x += stepX;
    }
    y += stepY;
  }
  // The width is where the last row stopped, as the list has always scrolled.
  size.cx = nMarginX + x;
  size.cy = nMarginY + y;
  return size;
}

BOOL qvzPageListLayout::Hit(const RECT& item, POINT pt, int I, int S, int n, const RECT& client) const {
  if (item.right <= item.left || item.bottom <= item.top) return FALSE;  // never placed
  auto in = [&](int l, int t, int r, int b) { return pt.x >= l && pt.x < r && pt.y >= t && pt.y < b; };
  if (in(item.left, item.top, item.right, item.bottom)) return TRUE;
  const int G = nMarginX;
  const int gapL = I < S ? item.left - G : item.right, gapR = I < S ? item.left : item.right + G;
  if (in(gapL, item.top, gapR, item.bottom)) return TRUE;
  if (I == n - 1) {
    if (in(item.right, item.top, client.right + 1000, item.bottom)) return TRUE;
    if (in(client.left, item.bottom, client.right, client.bottom)) return TRUE;
  }
  const int C = std::max(1, nColumns);
  if (I % C == C - 1 && in(gapL, item.top, client.right + 1000, item.bottom)) return TRUE;
  if (I % C == 0 && in(client.left - 1000, item.top, gapR, item.bottom)) return TRUE;
  return FALSE;
}
