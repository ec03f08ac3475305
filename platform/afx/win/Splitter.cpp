#include "WinState.h"

#include "afxext.h"

#include <algorithm>

using std::max;
using std::min;

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_SETCURSOR()
  ON_WM_CANCELMODE()
END_MESSAGE_MAP()

CSplitterWnd::CSplitterWnd()
    : m_nMaxRows(0),
      m_nMaxCols(0),
      m_nRows(0),
      m_nCols(0),
      m_pColInfo(NULL),
      m_pRowInfo(NULL),
      m_cxSplitter(3 + 2 + 2),
      m_cySplitter(3 + 2 + 2),
      m_cxSplitterGap(3 + 2 + 2),
      m_cySplitterGap(3 + 2 + 2),
      m_cxBorder(0),
      m_cyBorder(0),
      m_bTracking(FALSE),
      m_htTrack(0) {}

CSplitterWnd::~CSplitterWnd() {
  delete[] m_pRowInfo;
  delete[] m_pColInfo;
}

BOOL CSplitterWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == NULL)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
  // The frame draws no edge of its own around a splitter.
  cs.style &= ~WS_BORDER;
  return TRUE;
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID) {
  // Up to 16 rows and 16 columns: the pane ids leave no room for more.
  if (nRows < 1 || nRows > 16 || nCols < 1 || nCols > 16 || m_hWnd != NULL) return FALSE;
  m_nRows = m_nMaxRows = nRows;
  m_nCols = m_nMaxCols = nCols;
  delete[] m_pRowInfo;
  delete[] m_pColInfo;
  m_pRowInfo = new CRowColInfo[nRows];
  m_pColInfo = new CRowColInfo[nCols];
  for (int i = 0; i < nRows; i++) m_pRowInfo[i] = {0, 0, 0};
  for (int i = 0; i < nCols; i++) m_pColInfo[i] = {0, 0, 0};
  // Made without size: the parent's layout sizes it, and the panes with it.
  CRect rect(0, 0, 0, 0);
  return CWnd::Create(NULL, NULL, dwStyle | WS_CHILD | WS_CLIPCHILDREN, rect, pParentWnd, nID);
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext) {
  if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || pViewClass == NULL) return FALSE;
  if (GetDlgItem(IdFromRowCol(row, col)) != NULL) return FALSE;  // the pane is taken
  m_pColInfo[col].nIdealSize = sizeInit.cx;
  m_pRowInfo[row].nIdealSize = sizeInit.cy;
  CObject* pObject = pViewClass->CreateObject();
  CWnd* pWnd = dynamic_cast<CWnd*>(pObject);
  if (pWnd == NULL) {
    delete pObject;
    return FALSE;
  }
  CRect rect(CPoint(0, 0), sizeInit);
  // A view that fails deletes itself.
  if (!pWnd->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW & ~WS_BORDER, rect, this, IdFromRowCol(row, col), pContext))
    return FALSE;
  if (m_hWnd != NULL && IsWindowVisible()) RecalcLayout();
  return TRUE;
}

void CSplitterWnd::DeleteView(int row, int col) {
  CWnd* pPane = GetPane(row, col);
  if (pPane == NULL) return;
  // The frame must not keep a view that is going away as its active one.
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != NULL && pFrame->GetActiveView() == pPane) {
    CView* pOther = NULL;
    for (int r = 0; r < m_nRows && pOther == NULL; r++)
      for (int c = 0; c < m_nCols && pOther == NULL; c++) {
        if (r == row && c == col) continue;
        CWnd* pWnd = GetPane(r, c);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView))) pOther = static_cast<CView*>(pWnd);
      }
    pFrame->SetActiveView(pOther);
  }
  pPane->DestroyWindow();
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const {
  cyCur = cyMin = 0;
  if (row < 0 || row >= m_nRows) return;
  cyCur = m_pRowInfo[row].nCurSize;
  cyMin = m_pRowInfo[row].nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin) {
  if (row < 0 || row >= m_nRows) return;
  m_pRowInfo[row].nIdealSize = cyIdeal;
  m_pRowInfo[row].nMinSize = cyMin;
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const {
  cxCur = cxMin = 0;
  if (col < 0 || col >= m_nCols) return;
  cxCur = m_pColInfo[col].nCurSize;
  cxMin = m_pColInfo[col].nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin) {
  if (col < 0 || col >= m_nCols) return;
  m_pColInfo[col].nIdealSize = cxIdeal;
  m_pColInfo[col].nMinSize = cxMin;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
  if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || m_hWnd == NULL) return NULL;
  return CWnd::FromHandle(::GetDlgItem(m_hWnd, IdFromRowCol(row, col)));
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol) {
  if (pWnd == NULL || pWnd->m_hWnd == NULL || ::GetParent(pWnd->m_hWnd) != m_hWnd) return FALSE;
  int nID = pWnd->GetDlgCtrlID() - AFX_IDW_PANE_FIRST;
  if (nID < 0 || nID / 16 >= m_nRows || nID % 16 >= m_nCols) return FALSE;
  if (pRow != NULL) *pRow = nID / 16;
  if (pCol != NULL) *pCol = nID % 16;
  return TRUE;
}

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol) {
  CWnd* pView = NULL;
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != NULL) pView = pFrame->GetActiveView();
  if (pView == NULL) pView = GetFocus();
  if (pView != NULL && !IsChildPane(pView, pRow, pCol)) pView = NULL;
  return pView;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd) {
  CWnd* pPane = pWnd != NULL ? pWnd : GetPane(row, col);
  if (pPane == NULL) return;
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != NULL && pPane->IsKindOf(RUNTIME_CLASS(CView)))
    pFrame->SetActiveView(static_cast<CView*>(pPane));
  else
    pPane->SetFocus();
}

void CSplitterWnd::GetInsideRect(CRect& rect) const {
  GetClientRect(rect);
  rect.DeflateRect(m_cxBorder, m_cyBorder);
}

// Sizes along one axis: each but the last gets its ideal size (at least its minimum, at
// most what is left); the last takes the rest. A pane smaller than its minimum shows as 0.
static void LayoutRowCol(CSplitterWnd::CRowColInfo* pInfo, int nMax, int nSize, int nGap) {
  for (int i = 0; i < nMax; i++) {
    if (nSize < 0) nSize = 0;
    int nCur;
    if (i == nMax - 1) {
      nCur = nSize;
    } else {
      nCur = min(pInfo[i].nIdealSize, nSize);
      if (nCur < pInfo[i].nMinSize) nCur = 0;
    }
    pInfo[i].nCurSize = nCur;
    nSize -= nCur + nGap;
  }
}

void CSplitterWnd::RecalcLayout() {
  if (m_hWnd == NULL || m_nRows == 0 || m_nCols == 0) return;
  CRect rectInside;
  GetInsideRect(rectInside);
  LayoutRowCol(m_pColInfo, m_nCols, rectInside.Width(), m_cxSplitterGap);
  LayoutRowCol(m_pRowInfo, m_nRows, rectInside.Height(), m_cySplitterGap);
  HDWP hDWP = ::BeginDeferWindowPos(m_nRows * m_nCols);
  int y = rectInside.top;
  for (int row = 0; row < m_nRows; row++) {
    int cy = m_pRowInfo[row].nCurSize;
    int x = rectInside.left;
    for (int col = 0; col < m_nCols; col++) {
      int cx = m_pColInfo[col].nCurSize;
      CWnd* pPane = GetPane(row, col);
      if (pPane != NULL && hDWP != NULL)
        hDWP = ::DeferWindowPos(hDWP, pPane->m_hWnd, NULL, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
      x += cx + m_cxSplitterGap;
    }
    y += cy + m_cySplitterGap;
  }
  if (hDWP != NULL) ::EndDeferWindowPos(hDWP);
  Invalidate();
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0) RecalcLayout();
}

BOOL CSplitterWnd::OnEraseBkgnd(CDC*) { return TRUE; }

void CSplitterWnd::OnPaint() {
  CPaintDC dc(this);
  CRect rect;
  GetClientRect(rect);
  // Only the bars between the panes show.
  dc.FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
  CRect rectInside;
  GetInsideRect(rectInside);
  int x = rectInside.left;
  for (int col = 0; col < m_nCols - 1; col++) {
    x += m_pColInfo[col].nCurSize;
    CRect rectBar(x, rectInside.top, x + m_cxSplitterGap, rectInside.bottom);
    dc.Draw3dRect(rectBar, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    x += m_cxSplitterGap;
  }
  int y = rectInside.top;
  for (int row = 0; row < m_nRows - 1; row++) {
    y += m_pRowInfo[row].nCurSize;
    CRect rectBar(rectInside.left, y, rectInside.right, y + m_cySplitterGap);
    dc.Draw3dRect(rectBar, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    y += m_cySplitterGap;
  }
}

int CSplitterWnd::HitTest(CPoint pt) const {
  CRect rectInside;
  GetInsideRect(rectInside);
  if (!rectInside.PtInRect(pt)) return 0;
  int x = rectInside.left;
  for (int col = 0; col < m_nCols - 1; col++) {
    x += m_pColInfo[col].nCurSize;
    if (pt.x >= x && pt.x < x + m_cxSplitterGap) return 1 + col;
    x += m_cxSplitterGap;
  }
  int y = rectInside.top;
  for (int row = 0; row < m_nRows - 1; row++) {
    y += m_pRowInfo[row].nCurSize;
    if (pt.y >= y && pt.y < y + m_cySplitterGap) return 16 + row;
    y += m_cySplitterGap;
  }
  return 0;
}

void CSplitterWnd::InvertTracker(const CRect& rect) {
  CDC* pDC = GetDC();
  CBrush brush;
  brush.CreateSolidBrush(RGB(128, 128, 128));
  CBrush* pOld = pDC->SelectObject(&brush);
  pDC->PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
  pDC->SelectObject(pOld);
  ReleaseDC(pDC);
}

void CSplitterWnd::StartTracking(int ht) {
  if (ht == 0) return;
  CRect rectInside;
  GetInsideRect(rectInside);
  m_htTrack = ht;
  if (ht < 16) {
    int x = rectInside.left;
    for (int col = 0; col < ht - 1; col++) x += m_pColInfo[col].nCurSize + m_cxSplitterGap;
    x += m_pColInfo[ht - 1].nCurSize;
    m_rectTracker.SetRect(x, rectInside.top, x + m_cxSplitterGap, rectInside.bottom);
  } else {
    int y = rectInside.top;
    for (int row = 0; row < ht - 16; row++) y += m_pRowInfo[row].nCurSize + m_cySplitterGap;
    y += m_pRowInfo[ht - 16].nCurSize;
    m_rectTracker.SetRect(rectInside.left, y, rectInside.right, y + m_cySplitterGap);
  }
  m_bTracking = TRUE;
  SetCapture();
  InvertTracker(m_rectTracker);
}

void CSplitterWnd::StopTracking(BOOL bAccept) {
  if (!m_bTracking) return;
  InvertTracker(m_rectTracker);
  m_bTracking = FALSE;
  if (GetCapture() == this) ::ReleaseCapture();
  if (!bAccept) return;
  CRect rectInside;
  GetInsideRect(rectInside);
  if (m_htTrack < 16) {
    // The pane before the bar ends where the bar now starts.
    int col = m_htTrack - 1;
    int x = rectInside.left;
    for (int c = 0; c < col; c++) x += m_pColInfo[c].nCurSize + m_cxSplitterGap;
    m_pColInfo[col].nIdealSize = max(0, (int)m_rectTracker.left - x);
    // The next column keeps its right edge when it is not the last.
    if (col + 1 < m_nCols - 1) {
      int nRight = x + m_pColInfo[col].nCurSize + m_cxSplitterGap + m_pColInfo[col + 1].nCurSize;
      m_pColInfo[col + 1].nIdealSize = max(0, nRight - (int)m_rectTracker.right);
    }
  } else {
    int row = m_htTrack - 16;
    int y = rectInside.top;
    for (int r = 0; r < row; r++) y += m_pRowInfo[r].nCurSize + m_cySplitterGap;
    m_pRowInfo[row].nIdealSize = max(0, (int)m_rectTracker.top - y);
    if (row + 1 < m_nRows - 1) {
      int nBottom = y + m_pRowInfo[row].nCurSize + m_cySplitterGap + m_pRowInfo[row + 1].nCurSize;
      m_pRowInfo[row + 1].nIdealSize = max(0, nBottom - (int)m_rectTracker.bottom);
    }
  }
  RecalcLayout();
}

void CSplitterWnd::OnLButtonDown(UINT nFlags, CPoint point) {
  if (m_bTracking) return;
  int ht = HitTest(point);
  if (ht != 0) {
    StartTracking(ht);
    m_ptTrackOffset = point - m_rectTracker.TopLeft();
  } else {
    CWnd::OnLButtonDown(nFlags, point);
  }
}

void CSplitterWnd::OnMouseMove(UINT nFlags, CPoint point) {
  if (!m_bTracking) {
    CWnd::OnMouseMove(nFlags, point);
    return;
  }
  CRect rectInside;
  GetInsideRect(rectInside);
  CRect rectNew = m_rectTracker;
  if (m_htTrack < 16) {
    int x = point.x - m_ptTrackOffset.x;
    x = max((int)rectInside.left, min(x, (int)rectInside.right - m_cxSplitterGap));
    rectNew.OffsetRect(x - rectNew.left, 0);
  } else {
    int y = point.y - m_ptTrackOffset.y;
    y = max((int)rectInside.top, min(y, (int)rectInside.bottom - m_cySplitterGap));
    rectNew.OffsetRect(0, y - rectNew.top);
  }
  if (rectNew != m_rectTracker) {
    InvertTracker(m_rectTracker);
    m_rectTracker = rectNew;
    InvertTracker(m_rectTracker);
  }
}

void CSplitterWnd::OnLButtonUp(UINT nFlags, CPoint point) {
  if (m_bTracking)
    StopTracking(TRUE);
  else
    CWnd::OnLButtonUp(nFlags, point);
}

void CSplitterWnd::OnCancelMode() {
  StopTracking(FALSE);
  CWnd::OnCancelMode();
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTCLIENT && pWnd == this) {
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    int ht = m_bTracking ? m_htTrack : HitTest(pt);
    if (ht != 0) {
      ::SetCursor(::LoadCursor(NULL, ht < 16 ? IDC_SIZEWE : IDC_SIZENS));
      return TRUE;
    }
  }
  return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

BOOL CSplitterWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CSplitterWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (CWnd::OnCommand(wParam, lParam)) return TRUE;
  // Commands sent to the splitter are the frame's.
  CFrameWnd* pFrame = GetParentFrame();
  return pFrame != NULL && (BOOL)pFrame->SendMessage(WM_COMMAND, wParam, lParam);
}

BOOL CSplitterWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (CWnd::OnNotify(wParam, lParam, pResult)) return TRUE;
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame == NULL) return FALSE;
  *pResult = pFrame->SendMessage(WM_NOTIFY, wParam, lParam);
  return TRUE;
}
