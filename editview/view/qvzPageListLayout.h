// Where the page list puts its items and which item a click or a drop belongs to: rows of
// fixed-size items with margins, and the gaps, row ends and list end counted to a neighbour.
#pragma once

#include <vector>

#include "afx.h"

struct qvzPageListLayout {
  int nMarginX = 20, nMarginY = 20;
  int nItemWidth = 300, nItemHeight = 300;
  int nRows = 0, nColumns = 0;

  // Rectangles of n items for a client width; every row places all its columns. Returns
  // the scroll size (0 x 0 for no items).
  SIZE Place(int n, int nClientWidth, std::vector<RECT>& rects);
  // Whether a point belongs to item I (of n, with S the selected item) as a click or drop
  // target; client is the client area in the same units.
  BOOL Hit(const RECT& item, POINT pt, int I, int S, int n, const RECT& client) const;
};

// Moves item S to where a drop on item T puts it: onto an item before it, in its place;
// onto one after it, after it. A drop onto itself (or a missing index) moves nothing.
template <class T>
BOOL qvzMoveListItem(std::vector<T>& items, int S, int T_) {
  const int n = (int)items.size();
  if (S < 0 || T_ < 0 || S >= n || T_ >= n || S == T_) return FALSE;
  T moved = items[S];
  items.erase(items.begin() + S);
  items.insert(items.begin() + T_, moved);
  return TRUE;
}
