#include "jvqColorPopup.h"

#include <algorithm>
#include <vector>

#include "afxdlgs.h"
#include "jvqSolidFill.h"

BEGIN_MESSAGE_MAP(jvqColorPopup, CWnd)
  ON_WM_NCDESTROY()
  ON_WM_LBUTTONUP()
  ON_WM_PAINT()
  ON_WM_MOUSEMOVE()
  ON_WM_KEYDOWN()
  ON_WM_QUERYNEWPALETTE()
  ON_WM_PALETTECHANGED()
  ON_WM_KILLFOCUS()
  ON_WM_ACTIVATEAPP()
END_MESSAGE_MAP()

namespace {

bool InRect(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace

jvqColorPopup::jvqColorPopup(const jvqFill* pValue, jvqColorPicker* pPicker, LPCTSTR lpszCustom, LPCTSTR lpszText)
    : m_pfnTextCell(NULL),
      m_pListener(NULL),
      m_nColors(kColorCellCount),
      m_nColumns(kColorCellColumns),
      m_nRows((kColorCellCount + kColorCellColumns - 1) / kColorCellColumns),
      m_nCell(std::max(25, 2 * ::GetSystemMetrics(SM_CXEDGE) + 7)),
      m_nMargin(::GetSystemMetrics(SM_CXEDGE)),
      m_nCurrent(COLORCELL_NONE),
      m_nInitial(COLORCELL_NONE),
      m_strCustom(lpszCustom ? lpszCustom : ""),
      m_strText(lpszText ? lpszText : ""),
      m_rcText{0, 0, 0, 0},
      m_rcCustom{0, 0, 0, 0},
      m_rcWindow{0, 0, 0, 0},
      m_pInitialFill(pValue ? const_cast<jvqFill*>(pValue)->Clone() : NULL),
      m_pCurrentFill(pValue ? const_cast<jvqFill*>(pValue)->Clone() : NULL),
      m_pPicker(pPicker),
      m_bBusy(FALSE) {
  NONCLIENTMETRICSA ncm = {};
  ncm.cbSize = sizeof(ncm);
  if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) m_Font.CreateFontIndirect(&ncm.lfMessageFont);
  std::vector<BYTE> buf(sizeof(LOGPALETTE) + kColorCellCount * sizeof(PALETTEENTRY));
  LOGPALETTE* lp = (LOGPALETTE*)buf.data();
  lp->palVersion = 0x300;
  lp->palNumEntries = kColorCellCount;
  for (int i = 0; i < kColorCellCount; i++) {
    const COLORREF c = theColorCells[i].crColor;
    lp->palPalEntry[i] = {GetRValue(c), GetGValue(c), GetBValue(c), 0};
  }
  m_Palette.CreatePalette(lp);
}

jvqColorPopup::~jvqColorPopup() {
  delete m_pInitialFill;
  delete m_pCurrentFill;
}

BOOL jvqColorPopup::Open(int x, int y) {
  LPCTSTR cls = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_CLASSDC | CS_SAVEBITS, ::LoadCursor(NULL, IDC_ARROW),
                                    (HBRUSH)::GetStockObject(LTGRAY_BRUSH));
  if (!CreateEx(0, cls, "", WS_POPUP | WS_VISIBLE, x, y, 100, 100, m_pPicker ? m_pPicker->m_hWnd : NULL, NULL))
    return FALSE;
  m_rcWindow = {x, y, x + 100, y + 100};
  Layout();
  m_ToolTip.Create(this);
  m_nInitial = m_nCurrent = jvqInitialColorCell(m_pInitialFill, !m_strCustom.IsEmpty(), !m_strText.IsEmpty());
  SetCapture();
  return TRUE;
}

BOOL jvqColorPopup::PreTranslateMessage(MSG* pMsg) {
  if (m_ToolTip.m_hWnd) m_ToolTip.RelayEvent(pMsg);
  return CWnd::PreTranslateMessage(pMsg);
}

SIZE jvqColorPopup::MeasureCaptions() {
  CClientDC dc(this);
  HGDIOBJ hOld = ::SelectObject(dc.m_hDC, m_Font.m_hObject ? (HGDIOBJ)m_Font.m_hObject : ::GetStockObject(DEFAULT_GUI_FONT));
  SIZE a = {0, 0}, b = {0, 0};
  ::GetTextExtentPoint32A(dc.m_hDC, m_strCustom, m_strCustom.GetLength(), &a);
  ::GetTextExtentPoint32A(dc.m_hDC, m_strText, m_strText.GetLength(), &b);
  ::SelectObject(dc.m_hDC, hOld);
  return SIZE{std::max(a.cx, b.cx) + 2 * m_nMargin, std::max(a.cy, b.cy) + 4 * m_nMargin + 2};
}

void jvqColorPopup::Layout() {
  int tw = 0, th = 0;
  if (!m_strCustom.IsEmpty() || !m_strText.IsEmpty()) {
    const SIZE t = MeasureCaptions();
    tw = t.cx;
    th = t.cy;
  }
  m_nColumns = kColorCellColumns;
  m_nRows = (m_nColors + kColorCellColumns - 1) / kColorCellColumns;
  int w = 2 * m_nMargin + m_nColumns * m_nCell, h = 2 * m_nMargin + m_nRows * m_nCell;
  m_rcCustom = m_rcText = {0, 0, 0, 0};
  if (!m_strCustom.IsEmpty()) {
    w = std::max(w, tw);
    m_rcCustom = {m_nMargin, h, w - m_nMargin, h + m_nMargin + th};
    h += 2 * m_nMargin + (m_rcCustom.bottom - m_rcCustom.top) + 4;
  }
  if (!m_strText.IsEmpty()) {
    w = std::max(w, tw);
    m_rcText = {m_nMargin, h, w - m_nMargin, h + m_nMargin + th};
    h += 2 * m_nMargin + (m_rcText.bottom - m_rcText.top);
  }
  m_rcWindow.right = m_rcWindow.left + w;
  m_rcWindow.bottom = m_rcWindow.top + h;
  KeepOnScreen();
  MoveWindow(m_rcWindow.left, m_rcWindow.top, w, h, TRUE);
}

void jvqColorPopup::KeepOnScreen() {
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  const int w = m_rcWindow.right - m_rcWindow.left, h = m_rcWindow.bottom - m_rcWindow.top;
  if (m_rcWindow.right > cx) ::OffsetRect(&m_rcWindow, cx - m_rcWindow.right, 0);
  if (m_rcWindow.left < 0) ::OffsetRect(&m_rcWindow, -m_rcWindow.left, 0);
  if (m_rcWindow.bottom > cy) {
    // Above the picker instead of below it.
    RECT pr = {0, 0, 0, 0};
    if (m_pPicker && m_pPicker->m_hWnd) ::GetWindowRect(m_pPicker->m_hWnd, &pr);
    m_rcWindow.bottom = pr.top;
    m_rcWindow.top = pr.top - h;
  }
  m_rcWindow.right = m_rcWindow.left + w;
}

void jvqTransparentColorPopup::Layout() {
  const SIZE t = MeasureCaptions();
  const int tw = t.cx, th = t.cy;
  int w = 2 * m_nMargin + m_nColumns * m_nCell, h = 2 * m_nMargin + m_nRows * m_nCell;
  w = std::max(w, 2 * tw + 3 * m_nMargin);
  m_rcCustom = {m_nMargin, h, (w - 2 * m_nMargin) / 2, h + m_nMargin + th};
  const int cw = m_rcCustom.right - m_rcCustom.left;
  m_rcText = m_rcCustom;
  ::OffsetRect(&m_rcText, cw + m_nMargin, 0);
  h += 2 * m_nMargin + (m_rcCustom.bottom - m_rcCustom.top) + 4;
  m_rcWindow.right = m_rcWindow.left + w;
  m_rcWindow.bottom = m_rcWindow.top + h;
  KeepOnScreen();
  MoveWindow(m_rcWindow.left, m_rcWindow.top, w, h, TRUE);
}

RECT jvqColorPopup::GetCellRect(int nCell) const {
  if (nCell == COLORCELL_TEXT) return m_rcText;
  if (nCell == COLORCELL_CUSTOM) return m_rcCustom;
  if (nCell < 0 || nCell >= m_nColors) return RECT{0, 0, 0, 0};
  const int r = nCell / m_nColumns, c = nCell % m_nColumns;
  RECT rc = {c * m_nCell + m_nMargin, r * m_nCell + m_nMargin, 0, 0};
  rc.right = rc.left + m_nCell;
  rc.bottom = rc.top + m_nCell;
  return rc;
}

int jvqColorPopup::CellAt(POINT pt) const {
  if (!m_strText.IsEmpty() && InRect(m_rcText, pt)) return COLORCELL_TEXT;
  if (!m_strCustom.IsEmpty() && InRect(m_rcCustom, pt)) return COLORCELL_CUSTOM;
  const int x = pt.x - m_nMargin, y = pt.y - m_nMargin;
  if (x < 0 || y < 0) return COLORCELL_NONE;
  const int r = y / m_nCell, c = x / m_nCell, i = r * m_nColumns + c;
  if (r >= m_nRows || c >= m_nColumns || i >= m_nColors) return COLORCELL_NONE;
  return i;
}

void jvqColorPopup::NotifyListener(UINT nCode, const jvqFill* pValue) {
  if (m_pListener) m_pListener->Notify(nCode, pValue, m_pPicker && m_pPicker->m_hWnd ? m_pPicker->GetDlgCtrlID() : 0);
}

void jvqColorPopup::SetCurrentCell(int nCell) {
  if (nCell == m_nCurrent) return;
  const int old = m_nCurrent;
  m_nCurrent = nCell;
  if (m_hWnd) {
    CClientDC dc(this);
    if (old != COLORCELL_NONE) DrawCell(&dc, old);
    if (nCell != COLORCELL_NONE) DrawCell(&dc, nCell);
  }
  delete m_pCurrentFill;
  m_pCurrentFill = NULL;
  if (nCell == COLORCELL_CUSTOM)
    m_pCurrentFill = new jvqSolidFill(0xFF000000);
  else if (nCell >= 0)
    m_pCurrentFill = new jvqSolidFill(theColorCells[nCell].crColor);
  NotifyListener(QVZM_COLORSELCHANGE, m_pCurrentFill);
}

void jvqColorPopup::DrawCellFace(CDC* pDC, const RECT& rc, int nCell, BOOL bCaption) {
  HDC hDC = pDC->m_hDC;
  int bk = COLOR_BTNFACE;
  if (nCell == m_nInitial && nCell != m_nCurrent) bk = bCaption ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT;
  RECT r = rc;
  ::FillRect(hDC, &r, ::GetSysColorBrush(bk));
  if (nCell == m_nCurrent)
    ::DrawEdge(hDC, &r, EDGE_RAISED, BF_RECT);
  else if (nCell == m_nInitial)
    ::DrawEdge(hDC, &r, EDGE_SUNKEN, BF_RECT);
}

void jvqColorPopup::DrawCaptionCell(CDC* pDC, const RECT& cell, const CString& caption, int nCell) {
  HDC hDC = pDC->m_hDC;
  RECT rc = cell;
  if (nCell == COLORCELL_CUSTOM && !m_strText.IsEmpty()) {
    // The separator above the caption cells.
    const int left = m_rcCustom.left + 2 * m_nMargin;
    const int right = std::max(m_rcCustom.right, m_rcText.right) - 2 * m_nMargin;
    RECT line = {left, m_rcCustom.top, right, m_rcCustom.top + 1};
    ::FillRect(hDC, &line, ::GetSysColorBrush(COLOR_BTNSHADOW));
    ::OffsetRect(&line, 0, 1);
    ::FillRect(hDC, &line, ::GetSysColorBrush(COLOR_BTNHIGHLIGHT));
  }
  if (nCell == COLORCELL_CUSTOM) ::OffsetRect(&rc, 0, 2 * m_nMargin);
  pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
  ::InflateRect(&rc, -1, -1);
  DrawCellFace(pDC, rc, nCell, TRUE);
  HGDIOBJ hOld = ::SelectObject(hDC, m_Font.m_hObject ? (HGDIOBJ)m_Font.m_hObject : ::GetStockObject(DEFAULT_GUI_FONT));
  ::SetBkMode(hDC, TRANSPARENT);
  ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNTEXT));
  ::DrawTextA(hDC, caption, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  ::SelectObject(hDC, hOld);
}

void jvqColorPopup::DrawCell(CDC* pDC, int nCell) {
  if (nCell == COLORCELL_TEXT) {
    if (!m_strText.IsEmpty()) DrawCaptionCell(pDC, m_rcText, m_strText, nCell);
    return;
  }
  if (nCell == COLORCELL_CUSTOM) {
    if (!m_strCustom.IsEmpty()) DrawCaptionCell(pDC, m_rcCustom, m_strCustom, nCell);
    return;
  }
  if (nCell < 0 || nCell >= m_nColors) return;
  HDC hDC = pDC->m_hDC;
  const RECT rc = GetCellRect(nCell);
  HPALETTE hOldPal = NULL;
  if (::GetDeviceCaps(hDC, RASTERCAPS) & RC_PALETTE) {
    hOldPal = ::SelectPalette(hDC, (HPALETTE)m_Palette.m_hObject, FALSE);
    ::RealizePalette(hDC);
  }
  DrawCellFace(pDC, rc, nCell, FALSE);
  HPEN pen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
  HBRUSH brush = ::CreateSolidBrush(theColorCells[nCell].crColor | 0x02000000);
  HGDIOBJ op = ::SelectObject(hDC, pen), ob = ::SelectObject(hDC, brush);
  const int in = m_nMargin + 1;
  ::Rectangle(hDC, rc.left + in, rc.top + in, rc.right - in, rc.bottom - in);
  ::SelectObject(hDC, op);
  ::SelectObject(hDC, ob);
  ::DeleteObject(pen);
  ::DeleteObject(brush);
  if (hOldPal) ::SelectPalette(hDC, hOldPal, FALSE);
}

void jvqTransparentColorPopup::DrawCell(CDC* pDC, int nCell) { jvqColorPopup::DrawCell(pDC, nCell); }

void jvqColorPopup::OnPaint() {
  CPaintDC dc(this);
  if (!m_strCustom.IsEmpty()) DrawCell(&dc, COLORCELL_CUSTOM);
  for (int i = 0; i < m_nColors; i++) DrawCell(&dc, i);
  if (!m_strText.IsEmpty()) DrawCell(&dc, COLORCELL_TEXT);
  RECT rc;
  ::GetClientRect(m_hWnd, &rc);
  ::DrawEdge(dc.m_hDC, &rc, EDGE_RAISED, BF_RECT);
}

void jvqColorPopup::OnMouseMove(UINT, CPoint point) {
  const int c = CellAt(POINT{point.x, point.y});
  if (c != COLORCELL_NONE && c != m_nCurrent) SetCurrentCell(c);
}

void jvqColorPopup::OnLButtonUp(UINT, CPoint) {
  const DWORD pos = ::GetMessagePos();
  POINT p = {(SHORT)LOWORD(pos), (SHORT)HIWORD(pos)};
  RECT wr;
  ::GetWindowRect(m_hWnd, &wr);
  EndSelection(InRect(wr, p) ? QVZM_COLORCHANGED : QVZM_COLORCANCEL);
}

void jvqColorPopup::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  switch (nChar) {
    case VK_RETURN:
    case VK_SPACE:
      EndSelection(QVZM_COLORCHANGED);
      return;
    case VK_ESCAPE:
      EndSelection(QVZM_COLORCANCEL);
      return;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      SetCurrentCell(jvqMoveColorCell(nChar, m_nCurrent, !m_strCustom.IsEmpty(), !m_strText.IsEmpty()));
      break;
  }
  Default();
}

BOOL jvqColorPopup::OnQueryNewPalette() {
  Invalidate();
  return (BOOL)Default();
}

void jvqColorPopup::OnPaletteChanged(CWnd* pFocusWnd) {
  if (pFocusWnd != this) Invalidate();
}

void jvqColorPopup::OnKillFocus(CWnd*) { ::ReleaseCapture(); }

void jvqColorPopup::OnActivateApp(BOOL bActive, DWORD) {
  if (!bActive && !m_bBusy) EndSelection(QVZM_COLORCANCEL);
}

void jvqColorPopup::EndSelection(UINT nCode) {
  ::ReleaseCapture();
  if (m_hWnd == NULL || !::IsWindow(m_hWnd)) return;
  jvqFill* pValue = NULL;
  if (nCode == QVZM_COLORCHANGED && m_nCurrent == COLORCELL_TEXT) {
    if (m_pfnTextCell) {
      m_bBusy = TRUE;
      pValue = m_pfnTextCell(m_pPicker ? m_pPicker->GetFill() : NULL, this);
      m_bBusy = FALSE;
      if (pValue == NULL) nCode = QVZM_COLORCANCEL;
    }
    if (nCode == QVZM_COLORCANCEL) pValue = m_pCurrentFill ? m_pCurrentFill->Clone() : NULL;
  } else if (nCode == QVZM_COLORCHANGED && m_nCurrent == COLORCELL_CUSTOM) {
    const jvqFill* v = m_pPicker ? m_pPicker->GetFill() : NULL;
    const COLORREF init = v && (v->GetFlags() & FILL_SOLID) ? ((const jvqSolidFill*)v)->GetColor() : 0xFFFFFF;
    CColorDialog dlg(init, CC_FULLOPEN | CC_ANYCOLOR, this);
    m_bBusy = TRUE;
    const INT_PTR r = dlg.DoModal();
    m_bBusy = FALSE;
    if (r == IDOK) {
      delete m_pCurrentFill;
      m_pCurrentFill = new jvqSolidFill(dlg.GetColor());
    } else {
      nCode = QVZM_COLORCANCEL;
    }
    pValue = m_pCurrentFill ? m_pCurrentFill->Clone() : NULL;
  } else {
    pValue = m_pCurrentFill ? m_pCurrentFill->Clone() : NULL;
  }
  if (m_hWnd == NULL || !::IsWindow(m_hWnd)) {
    delete pValue;
    return;
  }
  NotifyListener(nCode, pValue);
  delete pValue;
  DestroyWindow();
}

void jvqTransparentColorPopup::EndSelection(UINT nCode) {
  if (!(nCode == QVZM_COLORCHANGED && m_nCurrent == COLORCELL_TEXT)) {
    jvqColorPopup::EndSelection(nCode);
    return;
  }
  ::ReleaseCapture();
  if (m_hWnd == NULL || !::IsWindow(m_hWnd)) return;
  delete m_pCurrentFill;
  m_pCurrentFill = NULL;
  if (m_pPicker && m_pPicker->m_hWnd) m_pPicker->Invalidate();
  NotifyListener(QVZM_COLORCHANGED, NULL);
  DestroyWindow();
}

void jvqColorPopup::OnNcDestroy() {
  if (m_pPicker && m_pPicker->m_pPopup == this) m_pPicker->m_pPopup = NULL;
  CWnd::OnNcDestroy();
}

void jvqColorPopup::PostNcDestroy() { delete this; }
