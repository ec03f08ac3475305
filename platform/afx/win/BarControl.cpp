#include "WinState.h"

#include "afxext.h"

#include <algorithm>

using std::max;
using std::min;

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_NCLBUTTONDBLCLK()
  ON_WM_LBUTTONDOWN()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

// Room the gripper takes at the leading edge of a docked bar.
static const int kGripper = 7;

CControlBar::CControlBar()
    : m_cxLeftBorder(6),
      m_cxRightBorder(6),
      m_cyTopBorder(2),
      m_cyBottomBorder(2),
      m_cxDefaultGap(2),
      m_nMRUWidth(32767),
      m_bAutoDelete(FALSE),
      m_dwStyle(0),
      m_dwDockStyle(0),
      m_pDockSite(NULL),
      m_pDockBar(NULL),
      m_pDockContext(NULL),
      m_nLastDockBarID(0),
      m_nLastDockIndex(-1),
      m_ptLastFloat(-1, -1),
      m_nCount(0),
      m_pData(NULL),
      m_bDragging(FALSE),
      m_rectDrag(0, 0, 0, 0),
      m_rectDragShown(0, 0, 0, 0) {}

CControlBar::~CControlBar() {
  DestroyWindow();
  free(m_pData);
}

BOOL CControlBar::AllocElements(int nElements, int cbElement) {
  if (nElements < 0 || cbElement <= 0 || nElements > 0x7FFFFFF / cbElement) return FALSE;
  void* pData = NULL;
  if (nElements > 0) {
    pData = calloc(nElements, cbElement);
    if (pData == NULL) return FALSE;
  }
  free(m_pData);
  m_pData = pData;
  m_nCount = nElements;
  return TRUE;
}

void CControlBar::PostNcDestroy() {
  if (m_bAutoDelete) delete this;
}

void CControlBar::SetBarStyle(DWORD dwStyle) {
  if (m_dwStyle != dwStyle) {
    m_dwStyle = dwStyle;
    if (m_hWnd != NULL) {
      ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
  }
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom) {
  m_cxLeftBorder = cxLeft;
  m_cyTopBorder = cyTop;
  m_cxRightBorder = cxRight;
  m_cyBottomBorder = cyBottom;
}

void CControlBar::EnableDocking(DWORD dwDockStyle) {
  m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
  if (m_pDockSite == NULL) m_pDockSite = GetParentFrame();
}

BOOL CControlBar::IsFloating() const { return m_pDockBar != NULL && m_pDockBar->m_bFloating; }

BOOL CControlBar::IsVisible() const {
  if (GetSafeHwnd() == NULL || !(GetStyle() & WS_VISIBLE)) return FALSE;
  if (IsFloating()) return m_pDockBar->GetParent()->IsWindowVisible();
  return TRUE;
}

CFrameWnd* CControlBar::GetDockingFrame() const {
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
    pFrame = static_cast<CFrameWnd*>(pFrame->GetParent() != NULL ? pFrame->GetParent() : pFrame->GetOwner());
  if (m_pDockSite != NULL) return m_pDockSite;
  return pFrame;
}

void CControlBar::CalcNcBorders(CRect& rect) const {
  // The bar's borders and gripper are its non-client area.
  if (m_dwStyle & CBRS_BORDER_LEFT) rect.left += 1;
  if (m_dwStyle & CBRS_BORDER_TOP) rect.top += 1;
  if (m_dwStyle & CBRS_BORDER_RIGHT) rect.right -= 1;
  if (m_dwStyle & CBRS_BORDER_BOTTOM) rect.bottom -= 1;
  if ((m_dwStyle & CBRS_GRIPPER) && !IsFloating()) {
    if (m_dwStyle & CBRS_ORIENT_HORZ)
      rect.left += kGripper;
    else
      rect.top += kGripper;
  }
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
  rect.left += m_cxLeftBorder;
  rect.top += m_cyTopBorder;
  rect.right -= m_cxRightBorder;
  rect.bottom -= m_cyBottomBorder;
  if ((m_dwStyle & CBRS_GRIPPER) && !IsFloating()) {
    if (bHorz)
      rect.left += kGripper;
    else
      rect.top += kGripper;
  }
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size;
  size.cx = (bStretch && bHorz ? 32767 : 0);
  size.cy = (bStretch && !bHorz ? 32767 : 0);
  return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode) {
  return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::DelayShow(BOOL bShow) {
  if (m_hWnd == NULL) return;
  if (bShow != ((GetStyle() & WS_VISIBLE) != 0))
    ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

BOOL CControlBar::PreTranslateMessage(MSG* pMsg) { return CWnd::PreTranslateMessage(pMsg); }

int CControlBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  // The frame keeps the list of its bars (not for the dock bars themselves).
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != NULL && !IsKindOf(RUNTIME_CLASS(CDockBar))) {
    if (m_pDockSite == NULL) m_pDockSite = pFrame;
    if (pFrame->m_listControlBars.Find(this) == NULL) pFrame->m_listControlBars.AddTail(this);
  }
  return 0;
}

void CControlBar::OnDestroy() {
  if (m_pDockBar != NULL) {
    CDockBar* pDockBar = m_pDockBar;
    pDockBar->RemoveControlBar(this);
  }
  if (m_pDockSite != NULL) {
    POSITION pos = m_pDockSite->m_listControlBars.Find(this);
    if (pos != NULL) m_pDockSite->m_listControlBars.RemoveAt(pos);
  }
  CWnd::OnDestroy();
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: {
      // The bar's own map and its controls first, then the frame the bar belongs to.
      LRESULT lResult = 0;
      if (OnWndMsg(message, wParam, lParam, &lResult)) return lResult;
      CWnd* pOwner = m_pDockSite != NULL ? (CWnd*)m_pDockSite : GetOwner();
      if (pOwner != NULL && pOwner->m_hWnd != NULL && pOwner->m_hWnd != m_hWnd)
        return pOwner->SendMessage(message, wParam, lParam);
      return 0;
    }
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
  AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  DWORD dwStyle = m_dwStyle;
  if (!(GetStyle() & WS_VISIBLE)) return 0;
  if ((dwStyle & CBRS_ALIGN_ANY) == 0) return 0;
  CRect rect(lpLayout->rect);
  CSize sizeAvail = rect.Size();
  BOOL bHorz = (dwStyle & CBRS_ORIENT_HORZ) != 0;
  CSize size = CalcFixedLayout(lpLayout->bStretch, bHorz);
  size.cx = min(size.cx, sizeAvail.cx);
  size.cy = min(size.cy, sizeAvail.cy);
  if (bHorz) {
    lpLayout->sizeTotal.cy += size.cy;
    lpLayout->sizeTotal.cx = max(lpLayout->sizeTotal.cx, size.cx);
    if (dwStyle & CBRS_ALIGN_TOP) {
      lpLayout->rect.top += size.cy;
    } else {
      rect.top = rect.bottom - size.cy;
      lpLayout->rect.bottom -= size.cy;
    }
  } else {
    lpLayout->sizeTotal.cx += size.cx;
    lpLayout->sizeTotal.cy = max(lpLayout->sizeTotal.cy, size.cy);
    if (dwStyle & CBRS_ALIGN_LEFT) {
      lpLayout->rect.left += size.cx;
    } else {
      rect.left = rect.right - size.cx;
      lpLayout->rect.right -= size.cx;
    }
  }
  rect.right = rect.left + size.cx;
  rect.bottom = rect.top + size.cy;
  if (lpLayout->hDWP != NULL) AfxRepositionWindow(lpLayout, m_hWnd, &rect);
  return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  // Only what shows is updated; the commands go to the frame the bar serves.
  if ((GetStyle() & WS_VISIBLE) == 0) return 0;
  CFrameWnd* pTarget = GetDockingFrame();
  if (pTarget == NULL) pTarget = GetParentFrame();
  if (pTarget != NULL) OnUpdateCmdUI(pTarget, (BOOL)wParam);
  return 0;
}

void CControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
  CRect rect(lpncsp->rgrc[0]);
  CalcNcBorders(rect);
  lpncsp->rgrc[0] = rect;
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect) {
  COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
  COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  if (m_dwStyle & CBRS_BORDER_LEFT) pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), clrHilite);
  if (m_dwStyle & CBRS_BORDER_TOP) pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, clrHilite);
  if (m_dwStyle & CBRS_BORDER_RIGHT) pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), clrShadow);
  if (m_dwStyle & CBRS_BORDER_BOTTOM) pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, clrShadow);
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect) {
  if (!(m_dwStyle & CBRS_GRIPPER) || IsFloating()) return;
  CRect rcGrip(rect);
  if (m_dwStyle & CBRS_ORIENT_HORZ) {
    rcGrip.left += 2;
    rcGrip.right = rcGrip.left + 3;
    rcGrip.DeflateRect(0, 2);
  } else {
    rcGrip.top += 2;
    rcGrip.bottom = rcGrip.top + 3;
    rcGrip.DeflateRect(2, 0);
  }
  pDC->Draw3dRect(rcGrip, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
}

void CControlBar::OnNcPaint() {
  CWindowDC dc(this);
  CRect rectWindow;
  GetWindowRect(rectWindow);
  rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
  CRect rectClient(rectWindow);
  CalcNcBorders(rectClient);
  dc.ExcludeClipRect(rectClient);
  dc.FillSolidRect(rectWindow, ::GetSysColor(COLOR_BTNFACE));
  DrawBorders(&dc, rectWindow);
  DrawGripper(&dc, rectWindow);
}

BOOL CControlBar::OnEraseBkgnd(CDC* pDC) {
  CRect rect;
  GetClientRect(rect);
  pDC->FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
  return TRUE;
}

void CControlBar::DoPaint(CDC*) {}

void CControlBar::OnPaint() {
  CPaintDC dc(this);
  DoPaint(&dc);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  // A double click on a docked bar's own surface floats it, as the gripper does.
  CFrameWnd* pFrame = GetDockingFrame();
  if (m_dwDockStyle != 0 && pFrame != NULL && m_pDockBar != NULL && !IsFloating()) {
    CRect rect;
    GetWindowRect(rect);
    AfxFloatControlBar(pFrame, this, rect.TopLeft(), m_dwStyle & CBRS_ALIGN_ANY);
    return;
  }
  CWnd::OnLButtonDblClk(nFlags, point);
}

void CControlBar::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  CFrameWnd* pFrame = GetDockingFrame();
  if (m_dwDockStyle != 0 && pFrame != NULL && m_pDockBar != NULL && !IsFloating()) {
    CRect rect;
    GetWindowRect(rect);
    AfxFloatControlBar(pFrame, this, rect.TopLeft(), m_dwStyle & CBRS_ALIGN_ANY);
    return;
  }
  CWnd::OnNcLButtonDblClk(nHitTest, point);
}

/////////////////////////////////////////////////////////////////////////////
// Dragging

// How near a frame's side a dropped bar docks there.
static const int kDockZone = 32;

UINT CControlBar::DockSideFromPoint(CPoint ptScreen) const {
  CFrameWnd* pFrame = const_cast<CControlBar*>(this)->GetDockingFrame();
  if (pFrame == NULL) return 0;
  CRect rect;
  pFrame->GetClientRect(rect);
  pFrame->ClientToScreen(rect);
  if (!rect.PtInRect(ptScreen)) return 0;
  struct {
    UINT nID;
    DWORD dwAlign;
    int nDist;
  } sides[] = {
      {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP, ptScreen.y - rect.top},
      {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM, rect.bottom - ptScreen.y},
      {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT, ptScreen.x - rect.left},
      {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT, rect.right - ptScreen.x},
  };
  UINT nBest = 0;
  int nBestDist = kDockZone;
  for (const auto& side : sides) {
    if (!(m_dwDockStyle & side.dwAlign) || AfxGetDockBar(pFrame, side.nID) == NULL) continue;
    // A side that already holds bars reaches as far as they do.
    CDockBar* pDock = AfxGetDockBar(pFrame, side.nID);
    CRect rectDock;
    pDock->GetWindowRect(rectDock);
    int nZone = max(kDockZone, (side.dwAlign & CBRS_ORIENT_HORZ) ? (int)rectDock.Height() : (int)rectDock.Width());
    if (side.nDist < nZone && side.nDist < nBestDist + (nZone - kDockZone)) {
      nBest = side.nID;
      nBestDist = side.nDist;
    }
  }
  return nBest;
}

void CControlBar::StartDrag(CPoint ptScreen) {
  if (m_dwDockStyle == 0 || m_bDragging) return;
  m_bDragging = TRUE;
  m_ptDragStart = ptScreen;
  GetWindowRect(m_rectDrag);
  m_rectDragShown.SetRectEmpty();
  SetCapture();
}

void CControlBar::DrawDragRect(const CRect* pRect) {
  // An outline on the screen, drawn and taken away by inverting.
  CWindowDC dc(NULL);
  CBrush brush;
  brush.CreateSolidBrush(RGB(128, 128, 128));
  CBrush* pOld = dc.SelectObject(&brush);
  for (const CRect* pr : {(const CRect*)&m_rectDragShown, pRect}) {
    if (pr == NULL || pr->IsRectEmpty()) continue;
    dc.PatBlt(pr->left, pr->top, pr->Width(), 3, PATINVERT);
    dc.PatBlt(pr->left, pr->bottom - 3, pr->Width(), 3, PATINVERT);
    dc.PatBlt(pr->left, pr->top + 3, 3, pr->Height() - 6, PATINVERT);
    dc.PatBlt(pr->right - 3, pr->top + 3, 3, pr->Height() - 6, PATINVERT);
  }
  dc.SelectObject(pOld);
  m_rectDragShown = pRect != NULL ? *pRect : CRect(0, 0, 0, 0);
}

void CControlBar::EndDrag(CPoint ptScreen, BOOL bDrop) {
  if (!m_bDragging) return;
  m_bDragging = FALSE;
  DrawDragRect(NULL);
  if (GetCapture() == this) ::ReleaseCapture();
  CFrameWnd* pFrame = GetDockingFrame();
  if (!bDrop || pFrame == NULL) return;
  CSize sizeMove = ptScreen - m_ptDragStart;
  if (abs(sizeMove.cx) < ::GetSystemMetrics(SM_CXDRAG) && abs(sizeMove.cy) < ::GetSystemMetrics(SM_CYDRAG)) return;
  CRect rectDrop(m_rectDrag);
  rectDrop.OffsetRect(sizeMove);
  UINT nDockBarID = DockSideFromPoint(ptScreen);
  if (nDockBarID != 0)
    AfxDockControlBar(pFrame, this, nDockBarID, rectDrop);
  else
    AfxFloatControlBar(pFrame, this, rectDrop.TopLeft(), m_dwStyle & CBRS_ALIGN_ANY);
}

void CControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
  // The bar's own surface (not its controls) picks it up when it may dock elsewhere.
  if (m_dwDockStyle != 0 && m_pDockBar != NULL && !IsFloating()) {
    CPoint pt(point);
    ClientToScreen(&pt);
    StartDrag(pt);
    return;
  }
  CWnd::OnLButtonDown(nFlags, point);
}

void CControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  // The gripper and borders pick the bar up too.
  if (m_dwDockStyle != 0 && m_pDockBar != NULL && !IsFloating()) {
    StartDrag(point);
    return;
  }
  CWnd::OnNcLButtonDown(nHitTest, point);
}

void CControlBar::OnMouseMove(UINT nFlags, CPoint point) {
  if (!m_bDragging) {
    CWnd::OnMouseMove(nFlags, point);
    return;
  }
  CPoint pt(point);
  ClientToScreen(&pt);
  CRect rect(m_rectDrag);
  rect.OffsetRect(pt - m_ptDragStart);
  DrawDragRect(&rect);
}

void CControlBar::OnLButtonUp(UINT nFlags, CPoint point) {
  if (!m_bDragging) {
    CWnd::OnLButtonUp(nFlags, point);
    return;
  }
  CPoint pt(point);
  ClientToScreen(&pt);
  EndDrag(pt, TRUE);
}

void CControlBar::OnCaptureChanged(CWnd* pWnd) {
  if (m_bDragging && pWnd != this) {
    m_bDragging = FALSE;
    DrawDragRect(NULL);
  }
  CWnd::OnCaptureChanged(pWnd);
}
