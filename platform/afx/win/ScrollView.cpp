#include "WinState.h"

#include <climits>

IMPLEMENT_DYNAMIC(CScrollView, CView)

const SIZE CScrollView::sizeDefault = {0, 0};

BEGIN_MESSAGE_MAP(CScrollView, CView)
  ON_WM_SIZE()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

CScrollView::CScrollView() : m_nMapMode(0), m_bCenter(FALSE), m_bInsideUpdate(FALSE) {}

CScrollView::~CScrollView() {}

// Sizes in the mapping mode converted to pixels of the screen.
static CSize LogToDev(int nMapMode, SIZE size) {
  if (nMapMode == MM_TEXT || nMapMode == 0) return CSize(abs(size.cx), abs(size.cy));
  HDC hDC = ::GetDC(NULL);
  ::SetMapMode(hDC, nMapMode);
  POINT pt = {size.cx, size.cy};
  ::LPtoDP(hDC, &pt, 1);
  ::ReleaseDC(NULL, hDC);
  return CSize(abs(pt.x), abs(pt.y));
}

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine) {
  int nOldMapMode = m_nMapMode;
  m_nMapMode = nMapMode;
  m_totalLog = sizeTotal;
  m_totalDev = LogToDev(nMapMode, sizeTotal);
  m_pageDev = LogToDev(nMapMode, sizePage);
  m_lineDev = LogToDev(nMapMode, sizeLine);
  if (m_pageDev.cx == 0) m_pageDev.cx = m_totalDev.cx / 10;
  if (m_pageDev.cy == 0) m_pageDev.cy = m_totalDev.cy / 10;
  if (m_lineDev.cx == 0) m_lineDev.cx = m_pageDev.cx / 10;
  if (m_lineDev.cy == 0) m_lineDev.cy = m_pageDev.cy / 10;
  if (m_hWnd != NULL) {
    UpdateBars();
    if (nOldMapMode != m_nMapMode) Invalidate(TRUE);
  }
}

void CScrollView::SetScaleToFitSize(SIZE sizeTotal) {
  m_nMapMode = MM_ANISOTROPIC;
  m_totalLog = sizeTotal;
  CRect rect;
  GetClientRect(&rect);
  m_totalDev = rect.Size();
  if (m_hWnd != NULL) {
    ShowScrollBar(SB_BOTH, FALSE);
    Invalidate(TRUE);
  }
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const {
  nMapMode = m_nMapMode;
  sizeTotal = m_totalDev;
  sizePage = m_pageDev;
  sizeLine = m_lineDev;
}

CPoint CScrollView::GetDeviceScrollPosition() const { return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT)); }

CPoint CScrollView::GetScrollPosition() const {
  CPoint pt = GetDeviceScrollPosition();
  if (m_nMapMode != MM_TEXT && m_nMapMode != 0 && m_nMapMode != MM_ANISOTROPIC) {
    HDC hDC = ::GetDC(NULL);
    ::SetMapMode(hDC, m_nMapMode);
    ::DPtoLP(hDC, &pt, 1);
    ::ReleaseDC(NULL, hDC);
  }
  return pt;
}

void CScrollView::ScrollToPosition(POINT pt) {
  if (m_nMapMode != MM_TEXT && m_nMapMode != 0) {
    HDC hDC = ::GetDC(NULL);
    ::SetMapMode(hDC, m_nMapMode);
    ::LPtoDP(hDC, &pt, 1);
    ::ReleaseDC(NULL, hDC);
  }
  int xMax = GetScrollLimit(SB_HORZ);
  int yMax = GetScrollLimit(SB_VERT);
  if (pt.x < 0) pt.x = 0;
  else if (pt.x > xMax) pt.x = xMax;
  if (pt.y < 0) pt.y = 0;
  else if (pt.y > yMax) pt.y = yMax;
  ScrollToDevicePosition(pt);
}

void CScrollView::ScrollToDevicePosition(POINT ptDev) {
  int xOrig = GetScrollPos(SB_HORZ);
  SetScrollPos(SB_HORZ, ptDev.x);
  int yOrig = GetScrollPos(SB_VERT);
  SetScrollPos(SB_VERT, ptDev.y);
  // The bar may have clamped the position: scroll by what it took.
  ScrollWindow(xOrig - GetScrollPos(SB_HORZ), yOrig - GetScrollPos(SB_VERT));
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  if (m_nMapMode == MM_ANISOTROPIC) {
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(m_totalLog);
    pDC->SetViewportExt(m_totalDev);
  } else if (m_nMapMode != 0) {
    pDC->SetMapMode(m_nMapMode);
  }
  CPoint ptVpOrg(0, 0);
  if (!pDC->IsPrinting()) {
    // Shift the origin against the scroll; a small document may be centred.
    ptVpOrg = -GetDeviceScrollPosition();
    if (m_bCenter) {
      CRect rect;
      GetClientRect(&rect);
      if (m_totalDev.cx < rect.Width()) ptVpOrg.x = (rect.Width() - m_totalDev.cx) / 2;
      if (m_totalDev.cy < rect.Height()) ptVpOrg.y = (rect.Height() - m_totalDev.cy) / 2;
    }
  }
  pDC->SetViewportOrg(ptVpOrg);
  CView::OnPrepareDC(pDC, pInfo);
}

void CScrollView::GetScrollBarSizes(CSize& sizeSb) {
  sizeSb.cx = sizeSb.cy = 0;
  DWORD dwStyle = GetStyle();
  if (GetScrollBarCtrl(SB_VERT) == NULL) {
    sizeSb.cx = ::GetSystemMetrics(SM_CXVSCROLL);
    if (dwStyle & WS_BORDER) sizeSb.cx -= ::GetSystemMetrics(SM_CXBORDER);
  }
  if (GetScrollBarCtrl(SB_HORZ) == NULL) {
    sizeSb.cy = ::GetSystemMetrics(SM_CYHSCROLL);
    if (dwStyle & WS_BORDER) sizeSb.cy -= ::GetSystemMetrics(SM_CYBORDER);
  }
}

BOOL CScrollView::GetTrueClientSize(CSize& size, CSize& sizeSb) {
  CRect rect;
  GetClientRect(&rect);
  size.cx = rect.right;
  size.cy = rect.bottom;
  DWORD dwStyle = GetStyle();
  GetScrollBarSizes(sizeSb);
  // The client area as if the bars that are showing were not.
  if (sizeSb.cx != 0 && (dwStyle & WS_VSCROLL)) size.cx += sizeSb.cx;
  if (sizeSb.cy != 0 && (dwStyle & WS_HSCROLL)) size.cy += sizeSb.cy;
  return size.cx > sizeSb.cx && size.cy > sizeSb.cy;
}

void CScrollView::GetScrollBarState(CSize sizeClient, CSize& needSb, CSize& sizeRange, CPoint& ptMove,
                                    BOOL bInsideClient) {
  CSize sizeSb;
  GetScrollBarSizes(sizeSb);
  sizeRange = m_totalDev - sizeClient;
  ptMove = GetDeviceScrollPosition();
  BOOL bNeedH = sizeRange.cx > 0;
  if (!bNeedH)
    ptMove.x = 0;
  else if (bInsideClient)
    sizeRange.cy += sizeSb.cy;
  BOOL bNeedV = sizeRange.cy > 0;
  if (!bNeedV)
    ptMove.y = 0;
  else if (bInsideClient)
    sizeRange.cx += sizeSb.cx;
  if (bNeedV && !bNeedH && sizeRange.cx > 0) {
    // The vertical bar takes the room that made a horizontal one necessary.
    bNeedH = TRUE;
    sizeRange.cy += sizeSb.cy;
  }
  if (sizeRange.cx > 0 && ptMove.x >= sizeRange.cx) ptMove.x = sizeRange.cx;
  if (sizeRange.cy > 0 && ptMove.y >= sizeRange.cy) ptMove.y = sizeRange.cy;
  needSb.cx = bNeedH;
  needSb.cy = bNeedV;
}

void CScrollView::UpdateBars() {
  if (m_bInsideUpdate) return;
  m_bInsideUpdate = TRUE;
  CSize sizeClient, sizeSb;
  if (!GetTrueClientSize(sizeClient, sizeSb)) {
    CRect rect;
    GetClientRect(&rect);
    if (rect.right > 0 && rect.bottom > 0) EnableScrollBarCtrl(SB_BOTH, FALSE);
    m_bInsideUpdate = FALSE;
    return;
  }
  CSize sizeRange, needSb;
  CPoint ptMove;
  GetScrollBarState(sizeClient, needSb, sizeRange, ptMove, TRUE);
  if (needSb.cx) sizeClient.cy -= sizeSb.cy;
  if (needSb.cy) sizeClient.cx -= sizeSb.cx;

  SCROLLINFO info;
  memset(&info, 0, sizeof(info));
  info.fMask = SIF_PAGE | SIF_RANGE;
  info.nMin = 0;
  EnableScrollBarCtrl(SB_HORZ, needSb.cx);
  if (needSb.cx) {
    info.nPage = (UINT)sizeClient.cx;
    info.nMax = m_totalDev.cx - 1;
    SetScrollInfo(SB_HORZ, &info, TRUE);
  }
  EnableScrollBarCtrl(SB_VERT, needSb.cy);
  if (needSb.cy) {
    info.nPage = (UINT)sizeClient.cy;
    info.nMax = m_totalDev.cy - 1;
    SetScrollInfo(SB_VERT, &info, TRUE);
  }
  ScrollToDevicePosition(ptMove);
  m_bInsideUpdate = FALSE;
}

void CScrollView::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType) {
  if (nAdjustType == adjustOutside) {
    // Room for the bars that the document size will need.
    CSize sizeSb;
    GetScrollBarSizes(sizeSb);
    CSize sizeClient(lpClientRect->right - lpClientRect->left, lpClientRect->bottom - lpClientRect->top);
    if (sizeClient.cx < m_totalDev.cx) lpClientRect->bottom += sizeSb.cy;
    if (sizeClient.cy < m_totalDev.cy) lpClientRect->right += sizeSb.cx;
  }
  CView::CalcWindowRect(lpClientRect, nAdjustType);
}

void CScrollView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  if (m_nMapMode == MM_ANISOTROPIC) {
    m_totalDev = CSize(cx, cy);
    Invalidate(TRUE);
  } else {
    UpdateBars();
  }
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  // Another control's bar reports to that control; the view's own control is its bar.
  if (pScrollBar != GetScrollBarCtrl(SB_HORZ)) return;
  OnScroll(MAKEWORD(nSBCode, 0xFF), nPos);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (pScrollBar != GetScrollBarCtrl(SB_VERT)) return;
  OnScroll(MAKEWORD(0xFF, nSBCode), nPos);
}

// The 32-bit thumb position (the message carries only 16 bits).
static int TrackPos(CWnd* pWnd, int nBar, UINT nPos) {
  SCROLLINFO info;
  memset(&info, 0, sizeof(info));
  if (pWnd->GetScrollInfo(nBar, &info, SIF_TRACKPOS)) return info.nTrackPos;
  return (int)nPos;
}

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll) {
  int x = GetScrollPos(SB_HORZ);
  int xOrig = x;
  switch (LOBYTE(nScrollCode)) {
    case SB_TOP: x = 0; break;
    case SB_BOTTOM: x = INT_MAX / 2; break;
    case SB_LINEUP: x -= m_lineDev.cx; break;
    case SB_LINEDOWN: x += m_lineDev.cx; break;
    case SB_PAGEUP: x -= m_pageDev.cx; break;
    case SB_PAGEDOWN: x += m_pageDev.cx; break;
    case SB_THUMBTRACK: x = TrackPos(this, SB_HORZ, nPos); break;
  }
  int y = GetScrollPos(SB_VERT);
  int yOrig = y;
  switch (HIBYTE(nScrollCode)) {
    case SB_TOP: y = 0; break;
    case SB_BOTTOM: y = INT_MAX / 2; break;
    case SB_LINEUP: y -= m_lineDev.cy; break;
    case SB_LINEDOWN: y += m_lineDev.cy; break;
    case SB_PAGEUP: y -= m_pageDev.cy; break;
    case SB_PAGEDOWN: y += m_pageDev.cy; break;
    case SB_THUMBTRACK: y = TrackPos(this, SB_VERT, nPos); break;
  }
  BOOL bResult = OnScrollBy(CSize(x - xOrig, y - yOrig), bDoScroll);
  if (bResult && bDoScroll) UpdateWindow();
  return bResult;
}

// The wheel scrolls the way the vertical bar does, or sideways when the view has only a
// horizontal range: the system's lines a notch, at most a page. Shift and Ctrl wheels are
// left to the view (zoom and the like); the frame gets them when the view does not scroll.
BOOL CScrollView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) {
  if (nFlags & (MK_SHIFT | MK_CONTROL)) return CView::OnMouseWheel(nFlags, zDelta, pt);
  const DWORD dwStyle = GetStyle();
  const BOOL bVert = (dwStyle & WS_VSCROLL) && GetScrollLimit(SB_VERT) > 0;
  const BOOL bHorz = (dwStyle & WS_HSCROLL) && GetScrollLimit(SB_HORZ) > 0;
  if (!bVert && !bHorz) return CView::OnMouseWheel(nFlags, zDelta, pt);
  UINT nLines = 3;
  ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
  const int nPage = bVert ? m_pageDev.cy : m_pageDev.cx;
  const int nLine = bVert ? m_lineDev.cy : m_lineDev.cx;
  int nStep = nPage;
  if (nLines != WHEEL_PAGESCROLL && (long long)nLines * nLine < nPage) nStep = (int)nLines * nLine;
  // Fine wheels send parts of a notch; each moves its share.
  const int nBy = -::MulDiv(nStep, zDelta, WHEEL_DELTA);
  if (nBy == 0) return TRUE;
  const BOOL bMoved = OnScrollBy(bVert ? CSize(0, nBy) : CSize(nBy, 0), TRUE);
  if (bMoved) UpdateWindow();
  return TRUE;
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll) {
  DWORD dwStyle = GetStyle();
  if (!(dwStyle & WS_VSCROLL)) sizeScroll.cy = 0;  // no bar, no scrolling that way
  if (!(dwStyle & WS_HSCROLL)) sizeScroll.cx = 0;
  int xOrig = GetScrollPos(SB_HORZ);
  int x = xOrig;
  int xMax = GetScrollLimit(SB_HORZ);
  x += sizeScroll.cx;
  if (x < 0) x = 0;
  else if (x > xMax) x = xMax;
  int yOrig = GetScrollPos(SB_VERT);
  int y = yOrig;
  int yMax = GetScrollLimit(SB_VERT);
  y += sizeScroll.cy;
  if (y < 0) y = 0;
  else if (y > yMax) y = yMax;
  if (x == xOrig && y == yOrig) return FALSE;
  if (bDoScroll) {
    ScrollWindow(-(x - xOrig), -(y - yOrig));
    if (x != xOrig) SetScrollPos(SB_HORZ, x);
    if (y != yOrig) SetScrollPos(SB_VERT, y);
  }
  return TRUE;
}

void CScrollView::FillOutsideRect(CDC* pDC, CBrush* pBrush) {
  CRect rect;
  GetClientRect(&rect);
  if (rect.right > m_totalDev.cx) {
    CRect rectRight = rect;
    rectRight.left = m_totalDev.cx;
    pDC->FillRect(&rectRight, pBrush);
  }
  if (rect.bottom > m_totalDev.cy) {
    CRect rectBottom = rect;
    rectBottom.top = m_totalDev.cy;
    if (rect.right > m_totalDev.cx) rectBottom.right = m_totalDev.cx;
    pDC->FillRect(&rectBottom, pBrush);
  }
}

void CScrollView::ResizeParentToFit(BOOL bShrinkOnly) {
  CRect rectClient;
  GetWindowRect(rectClient);
  CRect rect = rectClient;
  CalcWindowRect(rect);
  rectClient.left += rectClient.left - rect.left;
  rectClient.top += rectClient.top - rect.top;
  rectClient.right -= rect.right - rectClient.right;
  rectClient.bottom -= rect.bottom - rectClient.bottom;
  rectClient.OffsetRect(-rectClient.left, -rectClient.top);
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame == NULL) return;
  CSize size = m_totalDev;
  if (bShrinkOnly) {
    if (rectClient.right < size.cx) size.cx = rectClient.right;
    if (rectClient.bottom < size.cy) size.cy = rectClient.bottom;
  }
  CRect rectView(0, 0, size.cx, size.cy);
  CalcWindowRect(rectView, adjustOutside);
  CRect rectFrame;
  pFrame->GetWindowRect(rectFrame);
  CRect rectViewWnd;
  GetWindowRect(rectViewWnd);
  CSize sizeFrame(rectFrame.Width() - rectViewWnd.Width() + rectView.Width(),
                  rectFrame.Height() - rectViewWnd.Height() + rectView.Height());
  pFrame->SetWindowPos(NULL, 0, 0, sizeFrame.cx, sizeFrame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CScrollView::CenterOnPoint(CPoint ptCenter) {
  CRect rect;
  GetClientRect(&rect);
  int xDesired = ptCenter.x - rect.Width() / 2;
  int yDesired = ptCenter.y - rect.Height() / 2;
  DWORD dwStyle = GetStyle();
  if ((dwStyle & WS_HSCROLL) == 0 || xDesired < 0) xDesired = 0;
  else if (xDesired > GetScrollLimit(SB_HORZ)) xDesired = GetScrollLimit(SB_HORZ);
  if ((dwStyle & WS_VSCROLL) == 0 || yDesired < 0) yDesired = 0;
  else if (yDesired > GetScrollLimit(SB_VERT)) yDesired = GetScrollLimit(SB_VERT);
  SetScrollPos(SB_HORZ, xDesired);
  SetScrollPos(SB_VERT, yDesired);
  Invalidate();
}
