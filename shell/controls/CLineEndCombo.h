// Line-end shapes, each item drawn by a painter the owning bar supplies.
#pragma once

#include "afxwin.h"

// Draws a horizontal line from (x1, y1) to (x2, y2) ending in one shape, in crColor.
typedef void (*LineEndPainter)(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF crColor);

class CLineEndCombo : public CComboBox {
 public:
  // nEnd tells the owning bar which end it edits (0 start, 1 end); unused here.
  explicit CLineEndCombo(int nEnd = 0) : m_nEnd(nEnd) {}

  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

  int m_nEnd;
};
