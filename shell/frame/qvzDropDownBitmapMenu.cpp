#include "qvzDropDownBitmapMenu.h"

#include <algorithm>

#include "DrawTransparent.h"

BEGIN_MESSAGE_MAP(qvzDropDownBitmapMenu, CDialog)
  ON_WM_PAINT()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

qvzDropDownBitmapMenu::qvzDropDownBitmapMenu() : m_hFont(NULL), m_pDC(NULL), m_rectStayOpen(0, 0, 0, 0) {}

qvzDropDownBitmapMenu::~qvzDropDownBitmapMenu() {
  if (m_hWnd) DestroyWindow();
  FreeRows();
}

void qvzDropDownBitmapMenu::FreeRows() {
  for (DropDownMenuRow* r : m_rows) delete r;
  m_rows.clear();
  delete m_pDC;
  m_pDC = NULL;
}

BOOL qvzDropDownBitmapMenu::Create(CWnd* pParent, int nRows, const UINT* pCommands, const UINT* pBitmaps,
                                   const char* const* pTexts, UINT nIDTemplate) {
  if (m_hWnd) DestroyWindow();
  if (!CDialog::Create(nIDTemplate, pParent)) return FALSE;
  m_hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
  FreeRows();
  m_pDC = new CClientDC(this);
  HDC screen = ::CreateDC("DISPLAY", NULL, NULL, NULL);
  HGDIOBJ oldFont = ::SelectObject(screen, m_hFont);
  int widest = 2, height = 2;
  for (int i = 0; i < nRows; i++) {
    DropDownMenuRow* r = new DropDownMenuRow;
    r->pMenu = this;
    r->nCommand = pCommands[i];
    r->strText = pTexts ? pTexts[i] : "";
    r->bHot = FALSE;
    HBITMAP h = (HBITMAP)::LoadImage(AfxFindResourceHandle(MAKEINTRESOURCE(pBitmaps[i]), RT_BITMAP),
                                     MAKEINTRESOURCE(pBitmaps[i]), IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE);
    BITMAP bm = {};
    if (h) {
      r->bitmap.Attach(h);
      ::GetObject(h, sizeof(bm), &bm);
    }
    r->cxBitmap = bm.bmWidth;
    r->cyBitmap = bm.bmHeight;
    SIZE sz = {0, 0};
    if (!r->strText.IsEmpty()) ::GetTextExtentPoint32(screen, r->strText, r->strText.GetLength(), &sz);
    r->cxText = sz.cx;
    r->cyText = sz.cy;
    r->cxRow = r->cxText + r->cxBitmap + 12;
    r->cyRow = std::max(r->cyText, r->cyBitmap) + 8;
    widest = std::max(widest, r->cxRow);
    height += r->cyRow + 2;
    m_rows.push_back(r);
  }
  ::SelectObject(screen, oldFont);
  ::DeleteDC(screen);
  for (DropDownMenuRow* r : m_rows) r->cxRow = widest + 4;
  SetWindowPos(NULL, 0, 0, widest + 4, height + 4, SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}

void qvzDropDownBitmapMenu::PopupAt(int x, int y, const RECT& rcButton) {
  SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(SW_SHOW);
  SetCapture();
  m_rectStayOpen = rcButton;
  ScreenToClient(&m_rectStayOpen);
  m_rectStayOpen.InflateRect(6, 6);
}

CRect qvzDropDownBitmapMenu::GetRowRect(int i) const {
  int y = 2;
  for (int k = 0; k < i; k++) y += m_rows[k]->cyRow + 2;
  return CRect(2, y, m_rows[i]->cxRow + 2, y + m_rows[i]->cyRow);
}

void qvzDropDownBitmapMenu::DrawRowFrame(CDC* pDC, int i, BOOL bHot) {
  CRect rc = GetRowRect(i);
  rc.right = rc.left + m_rows[i]->cxRow - 8 + 2;
  if (bHot)
    pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
  else
    pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE));
}

void qvzDropDownBitmapMenu::OnPaint() {
  CPaintDC dc(this);
  HGDIOBJ old = ::SelectObject(dc.m_hDC, m_hFont);
  dc.SetBkMode(TRANSPARENT);
  int y = 2;
  const int x = 2;
  for (int i = 0; i < (int)m_rows.size(); i++) {
    DropDownMenuRow* r = m_rows[i];
    if (r->bitmap.m_hObject)
      DrawTransparent(&dc, (HBITMAP)r->bitmap.m_hObject, x + 2, y + (r->cyRow - r->cyBitmap) / 2);
    CRect rcText(x + r->cxBitmap + 6, y + (r->cyRow - r->cyText) / 2, 0, 0);
    rcText.right = rcText.left + r->cxRow;
    rcText.bottom = rcText.top + r->cyRow;
    dc.DrawText(r->strText, &rcText, DT_VCENTER | DT_END_ELLIPSIS);
    if (r->bHot) DrawRowFrame(&dc, i, TRUE);
    y += r->cyRow + 2;
  }
  ::SelectObject(dc.m_hDC, old);
}

void qvzDropDownBitmapMenu::OnMouseMove(UINT nFlags, CPoint point) {
  CRect rcClient;
  GetClientRect(&rcClient);
  if (rcClient.PtInRect(point)) {
    Default();
    for (int i = 0; i < (int)m_rows.size(); i++) {
      CRect rc = GetRowRect(i);
      rc.right = m_rows[i]->cxRow - 8;
      const BOOL hot = rc.PtInRect(point);
      if (hot != m_rows[i]->bHot) {
        m_rows[i]->bHot = hot;
        if (m_pDC) DrawRowFrame(m_pDC, i, hot);
      }
    }
    return;
  }
  if (!m_rectStayOpen.PtInRect(point)) DestroyWindow();
}

void qvzDropDownBitmapMenu::OnLButtonUp(UINT nFlags, CPoint point) {
  for (int i = 0; i < (int)m_rows.size(); i++) {
    if (!GetRowRect(i).PtInRect(point)) continue;
    Default();
    CWnd* parent = GetParent();
    const UINT cmd = m_rows[i]->nCommand;
    if (parent) parent->SendMessage(WM_COMMAND, cmd, 0);
    if (m_hWnd) DestroyWindow();
    return;
  }
  if (m_rectStayOpen.PtInRect(point)) return;
  CWnd* parent = GetParent();
  CPoint p = point;
  ClientToScreen(&p);
  DestroyWindow();
  if (parent) {
    parent->ScreenToClient(&p);
    parent->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  }
}

void qvzDropDownBitmapMenu::OnDestroy() {
  Default();
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  FreeRows();
}
