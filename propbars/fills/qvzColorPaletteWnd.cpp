#include "qvzColorPaletteWnd.h"

#include "afxdlgs.h"
#include "FillPopupLayout.h"
#include "jvqColorCells.h"
#include "jvqSolidFill.h"
#include "qvzFillTabCtrl.h"

BEGIN_MESSAGE_MAP(qvzColorPaletteWnd, qvzFillChildWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

qvzColorPaletteWnd::qvzColorPaletteWnd()
    : m_pColorFill(new jvqSolidFill(0x000000)),
      m_strOther("その他の色"),
      m_strClear("透明"),
      m_rcOther{0, 0, 0, 0},
      m_rcClear{0, 0, 0, 0},
      m_rcMarked{0, 0, 0, 0},
      m_rcHover{0, 0, 0, 0},
      m_bMarked(FALSE),
      m_bTracking(FALSE),
      m_bHover(FALSE) {
  m_penFace.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
}

qvzColorPaletteWnd::~qvzColorPaletteWnd() { delete m_pColorFill; }

SIZE qvzColorPaletteWnd::CaptionExtent() {
  SIZE sz = {0, 0};
  HDC hDC = ::GetDC(m_hWnd);
  HGDIOBJ hOld = ::SelectObject(hDC, FillPageFont());
  ::GetTextExtentPoint32A(hDC, m_strOther, m_strOther.GetLength(), &sz);
  ::SelectObject(hDC, hOld);
  ::ReleaseDC(m_hWnd, hDC);
  return sz;
}

RECT qvzColorPaletteWnd::GetCellRect(int nRow, int nColumn) {
  CRect rc;
  GetClientRect(&rc);
  return PaletteCellRect(rc, CaptionExtent(), nRow, nColumn);
}

RECT qvzColorPaletteWnd::GetTransparentRect() {
  CRect rc;
  GetClientRect(&rc);
  return PaletteTransparentRect(rc, CaptionExtent());
}

void qvzColorPaletteWnd::MarkColor(COLORREF crColor) {
  int r, c;
  FindPaletteColor(crColor, &r, &c);
  m_rcMarked = GetCellRect(r, c);  // (-1, -1): the other-colours button
}

void qvzColorPaletteWnd::CreateControls() {
  m_bMarked = FALSE;
  m_rcOther = GetCellRect(-1, -1);
  m_rcClear = GetTransparentRect();
  if (m_pColorFill)
    MarkColor(m_pColorFill->GetColor());
  else
    m_rcMarked = m_rcClear;
}

void qvzColorPaletteWnd::SetFill(const jvqFill* pFill) {
  if (pFill && (pFill->GetFlags() & FILL_SOLID)) {
    if (m_pColorFill == NULL) m_pColorFill = new jvqSolidFill(0xC0C0C0);
    m_pColorFill->SetColor(((const jvqSolidFill*)pFill)->GetColor());
    MarkColor(m_pColorFill->GetColor());
  } else {
    delete m_pColorFill;
    m_pColorFill = NULL;
    m_rcMarked = GetTransparentRect();
  }
  m_bMarked = TRUE;
}

BOOL qvzColorPaletteWnd::IsHovered(const RECT& rc) const {
  return m_bTracking && m_bHover && ::EqualRect(&rc, &m_rcHover) && !::EqualRect(&rc, &m_rcMarked);
}

void qvzColorPaletteWnd::DrawCellEdge(CDC* pDC, const RECT& rc) {
  RECT r = rc;
  if (IsHovered(rc)) {
    ::DrawEdge(pDC->m_hDC, &r, EDGE_RAISED, BF_RECT);
  } else if (m_bMarked && ::EqualRect(&rc, &m_rcMarked)) {
    ::DrawEdge(pDC->m_hDC, &r, EDGE_SUNKEN, BF_RECT);
  } else {
    // Erase an edge drawn before.
    HGDIOBJ hPen = ::SelectObject(pDC->m_hDC, m_penFace.m_hObject);
    HGDIOBJ hBrush = ::SelectObject(pDC->m_hDC, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(pDC->m_hDC, r.left, r.top, r.right, r.bottom);
    ::Rectangle(pDC->m_hDC, r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
    ::SelectObject(pDC->m_hDC, hBrush);
    ::SelectObject(pDC->m_hDC, hPen);
  }
}

void qvzColorPaletteWnd::PaintAll(CDC* pDC) {
  HDC hDC = pDC->m_hDC;
  for (int i = 0; i < kColorCellCount; i++) {
    const RECT rc = GetCellRect(i / kPaletteColumns, i % kPaletteColumns);
    DrawCellEdge(pDC, rc);
    RECT inner = rc;
    ::InflateRect(&inner, -2, -2);
    pDC->FillSolidRect(&inner, theColorCells[i].crColor);
  }
  HGDIOBJ hOldFont = ::SelectObject(hDC, FillPageFont());
  ::SetBkMode(hDC, TRANSPARENT);
  ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNTEXT));
  RECT rcText = m_rcOther;
  if (IsHovered(m_rcOther)) {
    ::DrawEdge(hDC, &rcText, EDGE_RAISED, BF_RECT);
  } else if (m_bMarked && ::EqualRect(&m_rcOther, &m_rcMarked)) {
    ::DrawEdge(hDC, &rcText, EDGE_SUNKEN, BF_RECT);
    const int side = (m_rcOther.bottom - m_rcOther.top) - 8;
    RECT swatch = {m_rcOther.left + 4, m_rcOther.top + 4, m_rcOther.left + 4 + side, m_rcOther.top + 4 + side};
    int r, c;
    const BOOL bOwnCell = m_pColorFill == NULL || FindPaletteColor(m_pColorFill->GetColor(), &r, &c);
    pDC->FillSolidRect(&swatch, bOwnCell ? ::GetSysColor(COLOR_BTNFACE) : m_pColorFill->GetColor());
    ::InflateRect(&rcText, -2, -2);
  } else {
    pDC->FillSolidRect(&m_rcOther, ::GetSysColor(COLOR_BTNFACE));
  }
  ::DrawTextA(hDC, m_strOther, -1, &rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  DrawCellEdge(pDC, m_rcClear);
  RECT rcClear = m_rcClear;
  ::DrawTextA(hDC, m_strClear, -1, &rcClear, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  ::SelectObject(hDC, hOldFont);
}

void qvzColorPaletteWnd::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  dc.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
  PaintAll(&dc);
}

BOOL qvzColorPaletteWnd::OnEraseBkgnd(CDC*) { return FALSE; }

void qvzColorPaletteWnd::OnMouseMove(UINT nFlags, CPoint point) {
  qvzFillChildWnd::OnMouseMove(nFlags, point);
  CRect rc;
  GetClientRect(&rc);
  if (rc.PtInRect(point)) {
    if (::GetCapture() != m_hWnd) SetCapture();
    m_bTracking = TRUE;
  } else {
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    m_bTracking = FALSE;
    m_bHover = FALSE;
  }
  m_bHover = FALSE;
  for (int i = 0; i <= kColorCellCount && !m_bHover; i++) {
    const RECT cell = i < kColorCellCount ? GetCellRect(i / kPaletteColumns, i % kPaletteColumns) : m_rcOther;
    if (::PtInRect(&cell, point)) {
      m_rcHover = cell;
      m_bHover = TRUE;
    }
  }
  if (!m_bHover && ::PtInRect(&m_rcClear, point)) {
    m_rcHover = m_rcClear;
    m_bHover = TRUE;
  }
  CClientDC dc(this);
  PaintAll(&dc);
}

BOOL qvzColorPaletteWnd::ChooseOtherColor(COLORREF crStart, COLORREF* pChosen) {
  CColorDialog dlg(crStart, CC_FULLOPEN | CC_ANYCOLOR, this);
  if (dlg.DoModal() != IDOK) return FALSE;
  *pChosen = dlg.GetColor();
  return TRUE;
}

void qvzColorPaletteWnd::OnLButtonDown(UINT nFlags, CPoint point) {
  CRect rcClient;
  GetClientRect(&rcClient);
  if (m_bTracking && !rcClient.PtInRect(point)) {
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    m_bTracking = m_bHover = FALSE;
  }
  for (int i = 0; i < kColorCellCount; i++) {
    const RECT cell = GetCellRect(i / kPaletteColumns, i % kPaletteColumns);
    if (!::PtInRect(&cell, point)) continue;
    if (m_pColorFill == NULL) m_pColorFill = new jvqSolidFill(0xC0C0C0);
    m_pColorFill->SetColor(theColorCells[i].crColor);
    m_rcMarked = cell;
    m_pOwner->SetFillAndNotify(m_pColorFill);
    m_bMarked = TRUE;
    CClientDC dc(this);
    PaintAll(&dc);
    return;
  }
  if (::PtInRect(&m_rcOther, point)) {
    // The colour dialog takes the mouse; the page tracks it again on the next move.
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    m_bTracking = m_bHover = FALSE;
    COLORREF cr = 0;
    if (ChooseOtherColor(m_pColorFill ? m_pColorFill->GetColor() : 0xFFFFFF, &cr)) {
      if (m_pColorFill == NULL) m_pColorFill = new jvqSolidFill(0xC0C0C0);
      m_pColorFill->SetColor(cr);
      m_bMarked = TRUE;
      MarkColor(cr);
      m_pOwner->SetFillAndNotify(m_pColorFill);
    }
  } else if (::PtInRect(&m_rcClear, point)) {
    m_bMarked = TRUE;
    m_rcMarked = m_rcClear;
    delete m_pColorFill;
    m_pColorFill = NULL;
    m_pOwner->SetFillAndNotify(NULL);
  }
  CClientDC dc(this);
  PaintAll(&dc);
  qvzFillChildWnd::OnLButtonDown(nFlags, point);
}
