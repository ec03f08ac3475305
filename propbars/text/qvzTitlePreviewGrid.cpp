#include "qvzTitlePreviewGrid.h"

BEGIN_MESSAGE_MAP(qvzTitlePreviewGrid, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

BOOL qvzTitlePreviewGrid::Create(const RECT& rect, CWnd* pParent, UINT nID) {
  m_Cells = qvzTitleCells{100, 60, 0, 0};
  LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), NULL, NULL);
  return CWnd::Create(cls, "", WS_CHILD | WS_VISIBLE | WS_BORDER, rect, pParent, nID);
}

void qvzTitlePreviewGrid::SetItems(jvqObjectArray* pItems, const qvzTitleCells& cells, int nColumns) {
  m_Items.RemoveAll();
  m_Items.m_items.swap(pItems->m_items);
  m_Cells = cells;
  m_nColumns = nColumns > 0 ? nColumns : 1;
  if (m_nSelected >= m_Items.GetCount()) m_nSelected = -1;
  if (m_hWnd) Invalidate();
}

void qvzTitlePreviewGrid::SetSelected(int i) {
  m_nSelected = i >= 0 && i < m_Items.GetCount() ? i : -1;
  if (m_hWnd) Invalidate();
}

RECT qvzTitlePreviewGrid::CellRect(int i) const {
  const int col = i % m_nColumns, row = i / m_nColumns;
  RECT r;
  r.left = m_Cells.gapX + col * (m_Cells.cx + m_Cells.gapX);
  r.top = m_Cells.gapY + row * (m_Cells.cy + m_Cells.gapY);
  r.right = r.left + m_Cells.cx;
  r.bottom = r.top + m_Cells.cy;
  return r;
}

int qvzTitlePreviewGrid::CellAt(POINT pt) const {
  for (int i = 0; i < m_Items.GetCount(); i++) {
    const RECT r = CellRect(i);
    if (::PtInRect(&r, pt)) return i;
  }
  return -1;
}

void qvzTitlePreviewGrid::OnPaint() {
  CPaintDC paint(this);
  CRect client;
  GetClientRect(&client);
  CDC mem;
  mem.CreateCompatibleDC(&paint);
  CBitmap bmp;
  bmp.CreateCompatibleBitmap(&paint, client.Width(), client.Height());
  CBitmap* old = mem.SelectObject(&bmp);
  mem.FillSolidRect(&client, ::GetSysColor(COLOR_WINDOW));
  for (int i = 0; i < m_Items.GetCount(); i++) {
    const RECT cell = CellRect(i);
    if (i == m_nSelected) {
      RECT frame = cell;
      ::InflateRect(&frame, 2, 2);
      mem.FillSolidRect(&frame, ::GetSysColor(COLOR_HIGHLIGHT));
      mem.FillSolidRect(&cell, ::GetSysColor(COLOR_WINDOW));
    }
    // A cell's object is ten times the cell in 0.1 mm units: a unit is a tenth of a pixel.
    const int saved = mem.SaveDC();
    mem.SetMapMode(MM_ANISOTROPIC);
    mem.SetWindowExt(10, 10);
    mem.SetViewportExt(1, 1);
    mem.SetViewportOrg(cell.left, cell.top);
    mem.IntersectClipRect(0, 0, m_Cells.cx * 10, m_Cells.cy * 10);
    m_Items.GetAt(i)->Draw(&mem);
    mem.RestoreDC(saved);
  }
  paint.BitBlt(0, 0, client.Width(), client.Height(), &mem, 0, 0, SRCCOPY);
  mem.SelectObject(old);
}

void qvzTitlePreviewGrid::OnLButtonDown(UINT nFlags, CPoint point) {
  const int i = CellAt(point);
  if (i < 0) return;
  SetSelected(i);
  // The owner hears of the pick as a click of the grid.
  CWnd* parent = GetParent();
  if (parent) parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), (LPARAM)m_hWnd);
}
