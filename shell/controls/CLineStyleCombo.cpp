#include "CLineStyleCombo.h"

#include "jvqLineStyle.h"

BOOL DrawLineComboItemBackground(CDC* pDC, LPDRAWITEMSTRUCT lpDrawItemStruct, CRect* pDraw) {
  const COLORREF crWindow = ::GetSysColor(COLOR_WINDOW);
  const COLORREF crHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
  const COLORREF crWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
  const COLORREF crFace = ::GetSysColor(COLOR_BTNFACE);
  const COLORREF crGray = ::GetSysColor(COLOR_GRAYTEXT);
  const CRect rect = lpDrawItemStruct->rcItem;
  const UINT nState = lpDrawItemStruct->itemState;

  if (nState & ODS_SELECTED) {
    pDC->SetTextColor(~crWindowText & 0xFFFFFF);
    pDC->SetBkColor(crHighlight);
    pDC->FillSolidRect(rect, crHighlight);
  } else {
    pDC->SetTextColor(crWindowText);
    pDC->SetBkColor(crWindow);
    pDC->FillSolidRect(rect, crWindow);
  }
  if (nState & ODS_DISABLED) {
    pDC->FillSolidRect(rect, crFace);
    pDC->SetTextColor(crGray);
  }
  if (nState & ODS_FOCUS) pDC->DrawFocusRect(rect);

  *pDraw = rect;
  pDraw->DeflateRect(2, 2);
  return (int)lpDrawItemStruct->itemID != -1;
}

void CLineStyleCombo::AddItem(jvqLineStyle* pStyle, int nIndex) {
  SendMessage(CB_ADDSTRING, 0, (LPARAM)pStyle);
  SendMessage(CB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)pStyle);
}

jvqLineStyle* CLineStyleCombo::GetItem(int nIndex) const { return (jvqLineStyle*)GetItemData(nIndex); }

void CLineStyleCombo::SelectStyle(const jvqLineStyle* pStyle) {
  if (pStyle == NULL) return;
  for (int i = 0;; i++) {
    LRESULT data = ::SendMessage(m_hWnd, CB_GETITEMDATA, (WPARAM)i, 0);
    if (data == CB_ERR) return;
    const jvqLineStyle* pItem = (const jvqLineStyle*)data;
    if (pItem != NULL && pItem->GetStyle() == pStyle->GetStyle()) {
      SetCurSel(i);
      return;
    }
  }
}

void CLineStyleCombo::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) { lpMeasureItemStruct->itemHeight = 16; }

void CLineStyleCombo::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  CRect rectDraw;
  if (!DrawLineComboItemBackground(pDC, lpDrawItemStruct, &rectDraw)) return;
  jvqLineStyle* pStyle = (jvqLineStyle*)lpDrawItemStruct->itemData;
  if (pStyle == NULL) return;

  const CRect rect = lpDrawItemStruct->rcItem;
  const int nTop = rect.top + 2;
  int nOldMode = pDC->SetBkMode(TRANSPARENT);
  CString strName = pStyle->GetName();
  CSize size = pDC->GetTextExtent(strName);
  const int y = nTop + (rect.bottom - size.cy - nTop) / 2;
  if (strName == "なし") {
    pDC->TextOut(rect.left + (rect.Width() - size.cx) / 2, y, strName);
  } else {
    pDC->TextOut(rect.left + rect.Width() / 2 + 2, y, strName);
    // The sample follows the item's text colour.
    const int nMiddle = (rectDraw.top + rectDraw.bottom) / 2;
    POINT from = {rectDraw.left, nMiddle};
    POINT to = {rect.Width() / 2, nMiddle};
    COLORREF crOld = pStyle->GetColor();
    pStyle->SetColor(pDC->GetTextColor());
    pStyle->DrawLine(pDC, &from, &to);
    pStyle->SetColor(crOld);
  }
  pDC->SetBkMode(nOldMode);
}
