#include "CToggleStatic.h"

#include "jvqDrawingResources.h"

BEGIN_MESSAGE_MAP(CToggleStatic, CStatic)
  ON_WM_PAINT()
END_MESSAGE_MAP()

void CToggleStatic::SetPressed(int bPressed) {
  m_bPressed = bPressed;
  if (::IsWindow(m_hWnd)) Invalidate(TRUE);
}

void CToggleStatic::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) { Draw(CDC::FromHandle(lpDrawItemStruct->hDC)); }

void CToggleStatic::OnPaint() {
  CPaintDC dc(this);
  Draw(&dc);
}

void CToggleStatic::Draw(CDC* pDC) {
  CRect rect;
  GetClientRect(rect);
  pDC->DrawFrameControl(rect, DFC_BUTTON, DFCS_BUTTONPUSH | (m_bPressed ? DFCS_PUSHED : 0));

  HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
  HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(pDC->m_hDC, hFont) : NULL;
  CString strText;
  GetWindowText(strText);
  SIZE size;
  GetMultiLineTextExtent(&size, pDC, strText, hFont != NULL ? CFont::FromHandle(hFont) : NULL);

  pDC->SetBkColor(::GetSysColor(COLOR_BTNFACE));
  pDC->TextOut(rect.Width() / 2 - size.cx / 2, rect.Height() / 2 - size.cy / 2, strText);
  if (hOldFont != NULL) ::SelectObject(pDC->m_hDC, hOldFont);
}
