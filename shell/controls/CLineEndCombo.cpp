#include "CLineEndCombo.h"

#include "CLineStyleCombo.h"

void CLineEndCombo::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) { lpMeasureItemStruct->itemHeight = 20; }

void CLineEndCombo::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  CRect rectDraw;
  if (!DrawLineComboItemBackground(pDC, lpDrawItemStruct, &rectDraw)) return;
  LineEndPainter pfnPaint = (LineEndPainter)lpDrawItemStruct->itemData;
  if (pfnPaint == NULL) return;

  const UINT nState = lpDrawItemStruct->itemState;
  COLORREF crLine = 0;
  if (nState & ODS_DISABLED)
    crLine = ::GetSysColor(COLOR_GRAYTEXT);
  else if (nState & ODS_SELECTED)
    crLine = ~::GetSysColor(COLOR_WINDOWTEXT) & 0xFFFFFF;
  int nOldMode = pDC->SetBkMode(TRANSPARENT);
  const CRect& rect = lpDrawItemStruct->rcItem;
  const int y = (rect.top + rect.bottom) / 2;
  pfnPaint(pDC, rectDraw.left + 10, y, rectDraw.right - 10, y, crLine);
  pDC->SetBkMode(nOldMode);
}
