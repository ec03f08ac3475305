// Owner-drawn combo boxes of the property bars: named line styles with a sample line, and
// line-end shapes drawn by the owning bar's painters.
#pragma once

#include "afxwin.h"

class jvqLineStyle;

// The background both combo boxes share: colours by selection, focus and enabled state; the
// drawing rectangle (the item shrunk by 2) is returned through pDraw. FALSE for item -1.
BOOL DrawLineComboItemBackground(CDC* pDC, LPDRAWITEMSTRUCT lpDrawItemStruct, CRect* pDraw);

class CLineStyleCombo : public CComboBox {
 public:
  CLineStyleCombo() {}

  // Items hold the style pointers (owned by the bar); nIndex is the index the item gets.
  void AddItem(jvqLineStyle* pStyle, int nIndex);
  jvqLineStyle* GetItem(int nIndex) const;
  // Selects the first item of the same pen style; width and colour do not count.
  void SelectStyle(const jvqLineStyle* pStyle);

  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
};
