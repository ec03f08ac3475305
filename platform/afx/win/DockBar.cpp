#include "WinState.h"

#include "afxext.h"

#include <algorithm>

using std::max;
using std::min;

/////////////////////////////////////////////////////////////////////////////
// CDockBar

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_WM_SIZE()
  ON_WM_PAINT()
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating) {
  m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
}

CDockBar::~CDockBar() {
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++) {
    CControlBar* pBar = (CControlBar*)m_arrBars[i];
    if (pBar->m_pDockBar == this) pBar->m_pDockBar = NULL;
  }
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
  CRect rect(0, 0, 0, 0);
  if (!CWnd::CreateEx(0, lpszClass, NULL, (dwStyle & ~CBRS_ALL) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, pParentWnd,
                      nID))
    return FALSE;
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) {
    CWnd* pOwner = CWnd::FromHandle(::GetWindow(pFrame->m_hWnd, GW_OWNER));
    if (pOwner != NULL && pOwner->IsKindOf(RUNTIME_CLASS(CFrameWnd))) pFrame = static_cast<CFrameWnd*>(pOwner);
  }
  m_pDockSite = pFrame;
  return TRUE;
}

int CDockBar::FindBar(CControlBar* pBar) const {
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    if (m_arrBars[i] == pBar) return (int)i;
  return -1;
}

int CDockBar::GetDockedVisibleCount() const {
  int nCount = 0;
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    if (((CControlBar*)m_arrBars[i])->GetStyle() & WS_VISIBLE) nCount++;
  return nCount;
}

void CDockBar::DockControlBar(CControlBar* pBar, int nIndex) {
  if (FindBar(pBar) >= 0) return;
  if (nIndex < 0 || nIndex > m_arrBars.GetSize()) nIndex = (int)m_arrBars.GetSize();
  m_arrBars.InsertAt(nIndex, pBar);
  pBar->m_pDockBar = this;
  if (!m_bFloating) {
    pBar->m_dwStyle = (pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (m_dwStyle & CBRS_ALIGN_ANY);
    pBar->m_nLastDockBarID = GetDlgCtrlID();
    pBar->m_nLastDockIndex = nIndex;
  }
  if (::GetParent(pBar->m_hWnd) != m_hWnd) ::SetParent(pBar->m_hWnd, m_hWnd);
  // The borders and gripper change with the side.
  ::SetWindowPos(pBar->m_hWnd, NULL, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar) {
  int nIndex = FindBar(pBar);
  if (nIndex < 0) return FALSE;
  m_arrBars.RemoveAt(nIndex);
  if (pBar->m_pDockBar == this) pBar->m_pDockBar = NULL;
  return TRUE;
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size(0, 0);
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++) {
    CControlBar* pBar = (CControlBar*)m_arrBars[i];
    if (!(pBar->GetStyle() & WS_VISIBLE)) continue;
    CSize sizeBar = pBar->CalcFixedLayout(FALSE, bHorz);
    if (bHorz) {
      size.cy += sizeBar.cy;
      size.cx = max(size.cx, sizeBar.cx);
    } else {
      size.cx += sizeBar.cx;
      size.cy = max(size.cy, sizeBar.cy);
    }
  }
  if (bStretch && size != CSize(0, 0)) {
    if (bHorz)
      size.cx = 32767;
    else
      size.cy = 32767;
  }
  return size;
}

void CDockBar::LayoutBars(CSize sizeClient) {
  BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  int nPos = 0;
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++) {
    CControlBar* pBar = (CControlBar*)m_arrBars[i];
    if (!(pBar->GetStyle() & WS_VISIBLE)) continue;
    CSize sizeBar = pBar->CalcFixedLayout(FALSE, bHorz);
    CRect rect;
    if (m_bFloating)
      rect.SetRect(0, 0, sizeBar.cx, sizeBar.cy);
    else if (bHorz)
      rect.SetRect(0, nPos, min(sizeBar.cx, sizeClient.cx), nPos + sizeBar.cy);
    else
      rect.SetRect(nPos, 0, nPos + sizeBar.cx, min(sizeBar.cy, sizeClient.cy));
    nPos += bHorz ? sizeBar.cy : sizeBar.cx;
    AfxRepositionWindow(NULL, pBar->m_hWnd, rect);
  }
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
  if (m_bFloating) return 0;
  AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  CSize sizeAvail(lpLayout->rect.right - lpLayout->rect.left, lpLayout->rect.bottom - lpLayout->rect.top);
  BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  CSize size = CalcFixedLayout(lpLayout->bStretch, bHorz);
  CControlBar::OnSizeParent(wParam, lParam);
  if (lpLayout->hDWP != NULL) LayoutBars(CSize(min(size.cx, sizeAvail.cx), min(size.cy, sizeAvail.cy)));
  return 0;
}

LRESULT CDockBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  // Floating bars live in frames of their own outside this frame's windows: the top dock
  // bar updates them when the frame's descendants are updated.
  if (m_bFloating || GetDlgCtrlID() != AFX_IDW_DOCKBAR_TOP || m_pDockSite == NULL) return 0;
  POSITION pos = m_pDockSite->m_listControlBars.GetHeadPosition();
  while (pos != NULL) {
    CControlBar* pBar = (CControlBar*)m_pDockSite->m_listControlBars.GetNext(pos);
    if (pBar->IsFloating() && pBar->IsVisible()) pBar->OnUpdateCmdUI(m_pDockSite, (BOOL)wParam);
  }
  return 0;
}

void CDockBar::OnSize(UINT nType, int cx, int cy) {
  CControlBar::OnSize(nType, cx, cy);
  if (m_bFloating) LayoutBars(CSize(cx, cy));
}

void CDockBar::OnPaint() {
  CPaintDC dc(this);
}

/////////////////////////////////////////////////////////////////////////////
// Mini frames

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

CMiniFrameWnd::CMiniFrameWnd() {}
CMiniFrameWnd::~CMiniFrameWnd() {}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == NULL)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
  cs.style &= ~(MFS_SYNCACTIVE | MFS_4THICKFRAME | MFS_THICKFRAME | MFS_MOVEFRAME | MFS_BLOCKSYSMENU);
  cs.dwExStyle |= WS_EX_TOOLWINDOW;
  return TRUE;
}

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID) {
  return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT) {
  m_strTitle = lpWindowName;
  return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), NULL, NULL);
}

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
  ON_WM_CLOSE()
  ON_WM_NCLBUTTONDBLCLK()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE) {}
CMiniDockFrameWnd::~CMiniDockFrameWnd() {}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
  CRect rect(0, 0, 0, 0);
  if (!CMiniFrameWnd::CreateEx(WS_EX_TOOLWINDOW, NULL, "", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, rect,
                               pParent, 0))
    return FALSE;
  return m_wndDockBar.Create(this, WS_CHILD | WS_VISIBLE | (dwBarStyle & CBRS_ALIGN_ANY), AFX_IDW_DOCKBAR_FLOAT);
}

void CMiniDockFrameWnd::RecalcLayout(BOOL) {
  if (m_bInRecalcLayout || m_wndDockBar.m_hWnd == NULL) return;
  m_bInRecalcLayout = TRUE;
  CControlBar* pBar = m_wndDockBar.m_arrBars.GetSize() > 0 ? (CControlBar*)m_wndDockBar.m_arrBars[0] : NULL;
  if (pBar == NULL || !(pBar->GetStyle() & WS_VISIBLE)) {
    if (GetStyle() & WS_VISIBLE) ShowWindow(SW_HIDE);
  } else {
    CSize size = pBar->CalcFixedLayout(FALSE, (pBar->m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    CRect rect(0, 0, size.cx, size.cy);
    ::AdjustWindowRectEx(rect, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(NULL, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndDockBar.SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    pBar->SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    CString strTitle;
    pBar->GetWindowText(strTitle);
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strTitle) SetWindowText(strTitle);
  }
  m_bInRecalcLayout = FALSE;
}

BOOL CMiniDockFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // Commands of a floating bar are the docking frame's.
  CWnd* pOwner = CWnd::FromHandle(::GetWindow(m_hWnd, GW_OWNER));
  if (pOwner != NULL && pOwner->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CMiniDockFrameWnd::OnClose() {
  // The close box hides the bar; the bar stays floating for the next time it shows.
  for (INT_PTR i = 0; i < m_wndDockBar.m_arrBars.GetSize(); i++) {
    CControlBar* pBar = (CControlBar*)m_wndDockBar.m_arrBars[i];
    CFrameWnd* pFrame = pBar->GetDockingFrame();
    if (pFrame != NULL) AfxShowControlBar(pFrame, pBar, FALSE, FALSE);
  }
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  if (nHitTest == HTCAPTION && m_wndDockBar.m_arrBars.GetSize() > 0) {
    CControlBar* pBar = (CControlBar*)m_wndDockBar.m_arrBars[0];
    CFrameWnd* pFrame = pBar->GetDockingFrame();
    if (pFrame != NULL && pBar->m_dwDockStyle != 0) {
      AfxDockControlBar(pFrame, pBar);  // destroys this window
      return;
    }
  }
  CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

LRESULT CMiniDockFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  if (!(GetStyle() & WS_VISIBLE)) return 0;
  for (INT_PTR i = 0; i < m_wndDockBar.m_arrBars.GetSize(); i++) {
    CControlBar* pBar = (CControlBar*)m_wndDockBar.m_arrBars[i];
    CFrameWnd* pFrame = pBar->GetDockingFrame();
    if (pFrame != NULL) pBar->OnUpdateCmdUI(pFrame, (BOOL)wParam);
  }
  return 0;
}

/////////////////////////////////////////////////////////////////////////////
// The frame's side

static const struct {
  UINT nID;
  DWORD dwStyle;
} s_dockBarMap[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT},
};

CDockBar* AFXAPI AfxGetDockBar(CFrameWnd* pFrame, UINT nDockBarID) {
  HWND hWnd = ::GetDlgItem(pFrame->m_hWnd, nDockBarID);
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CDockBar)) ? static_cast<CDockBar*>(pWnd) : NULL;
}

void AFXAPI AfxEnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle) {
  // Dock bars are laid out after the bars the frame already has (a status bar stays at
  // the very bottom): top and bottom first, so that they span the whole width.
  for (const auto& entry : s_dockBarMap) {
    if (!(dwDockStyle & entry.dwStyle) || AfxGetDockBar(pFrame, entry.nID) != NULL) continue;
    CDockBar* pDock = new CDockBar;
    pDock->m_bAutoDelete = TRUE;
    if (!pDock->Create(pFrame, WS_CHILD | WS_VISIBLE | entry.dwStyle, entry.nID)) {
      delete pDock;
      continue;
    }
    ::SetWindowPos(pDock->m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

static CDockBar* ChooseDockBar(CFrameWnd* pFrame, CControlBar* pBar) {
  DWORD dwAllowed = pBar->m_dwDockStyle;
  if (pBar->m_nLastDockBarID != 0) {
    CDockBar* pDock = AfxGetDockBar(pFrame, pBar->m_nLastDockBarID);
    if (pDock != NULL && (pDock->m_dwStyle & dwAllowed)) return pDock;
  }
  // The side the bar's style names, then the first allowed side.
  for (const auto& entry : s_dockBarMap) {
    if ((pBar->m_dwStyle & entry.dwStyle) && (dwAllowed & entry.dwStyle)) {
      CDockBar* pDock = AfxGetDockBar(pFrame, entry.nID);
      if (pDock != NULL) return pDock;
    }
  }
  for (const auto& entry : s_dockBarMap) {
    if (dwAllowed & entry.dwStyle) {
      CDockBar* pDock = AfxGetDockBar(pFrame, entry.nID);
      if (pDock != NULL) return pDock;
    }
  }
  return NULL;
}

void AFXAPI AfxDockControlBar(CFrameWnd* pFrame, CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
  CDockBar* pDock = nDockBarID != 0 ? AfxGetDockBar(pFrame, nDockBarID) : ChooseDockBar(pFrame, pBar);
  if (pDock != NULL) AfxDockControlBar(pFrame, pBar, pDock, lpRect);
}

void AFXAPI AfxDockControlBar(CFrameWnd* pFrame, CControlBar* pBar, CDockBar* pDock, LPCRECT lpRect) {
  if (pDock == NULL || pBar->m_hWnd == NULL) return;
  if (pBar->m_pDockSite == NULL) pBar->m_pDockSite = pFrame;
  CMiniDockFrameWnd* pOldMini = NULL;
  if (pBar->IsFloating()) pOldMini = static_cast<CMiniDockFrameWnd*>(pBar->m_pDockBar->GetParent());
  int nIndex = -1;
  if (lpRect != NULL) {
    // Before the first bar that lies beyond the given place.
    BOOL bHorz = (pDock->m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    for (INT_PTR i = 0; i < pDock->m_arrBars.GetSize(); i++) {
      CControlBar* pOther = (CControlBar*)pDock->m_arrBars[i];
      if (pOther == pBar) continue;
      CRect rectOther;
      pOther->GetWindowRect(rectOther);
      if (bHorz ? rectOther.top >= lpRect->top : rectOther.left >= lpRect->left) {
        nIndex = (int)i;
        break;
      }
    }
  } else if (pBar->m_nLastDockBarID == (UINT)pDock->GetDlgCtrlID()) {
    nIndex = pBar->m_nLastDockIndex;
  }
  if (pBar->m_pDockBar == pDock) {
    if (lpRect == NULL) {
      pFrame->RecalcLayout();
      return;
    }
    pDock->RemoveControlBar(pBar);
  } else if (pBar->m_pDockBar != NULL) {
    pBar->m_pDockBar->RemoveControlBar(pBar);
  }
  pDock->DockControlBar(pBar, nIndex);
  if (pOldMini != NULL && pOldMini->m_wndDockBar.m_arrBars.GetSize() == 0) pOldMini->DestroyWindow();
  pFrame->RecalcLayout();
}

void AFXAPI AfxFloatControlBar(CFrameWnd* pFrame, CControlBar* pBar, CPoint point, DWORD dwStyle) {
  if (pBar->m_hWnd == NULL) return;
  if (pBar->m_pDockSite == NULL) pBar->m_pDockSite = pFrame;
  pBar->m_ptLastFloat = point;
  if (pBar->IsFloating()) {
    CMiniDockFrameWnd* pMini = static_cast<CMiniDockFrameWnd*>(pBar->m_pDockBar->GetParent());
    pBar->m_dwStyle = (pBar->m_dwStyle & ~CBRS_ALIGN_ANY) | (dwStyle & CBRS_ALIGN_ANY) | CBRS_FLOATING;
    pMini->SetWindowPos(NULL, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pMini->RecalcLayout();
    return;
  }
  CMiniDockFrameWnd* pMini = new CMiniDockFrameWnd;
  if (!pMini->Create(pFrame, dwStyle)) return;  // deleted with its window
  if (pBar->m_pDockBar != NULL) {
    // Remember the place, so that docking it again without a place puts it back.
    pBar->m_nLastDockBarID = pBar->m_pDockBar->GetDlgCtrlID();
    pBar->m_nLastDockIndex = pBar->m_pDockBar->FindBar(pBar);
    pBar->m_pDockBar->RemoveControlBar(pBar);
  }
  pBar->m_dwStyle = (pBar->m_dwStyle & ~CBRS_ALIGN_ANY) | (dwStyle & CBRS_ALIGN_ANY) | CBRS_FLOATING;
  pMini->m_wndDockBar.DockControlBar(pBar);
  pMini->SetWindowPos(NULL, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  pMini->RecalcLayout();
  if (pBar->GetStyle() & WS_VISIBLE) pMini->ShowWindow(SW_SHOWNA);
  pFrame->RecalcLayout();
}

void AFXAPI AfxShowControlBar(CFrameWnd* pFrame, CControlBar* pBar, BOOL bShow, BOOL bDelay) {
  if (pBar->m_hWnd == NULL) return;
  pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
  if (pBar->IsFloating()) {
    CMiniDockFrameWnd* pMini = static_cast<CMiniDockFrameWnd*>(pBar->m_pDockBar->GetParent());
    pMini->RecalcLayout();
    if (bShow) pMini->ShowWindow(SW_SHOWNA);
  }
  if (bDelay)
    pFrame->DelayRecalcLayout();
  else
    pFrame->RecalcLayout();
}

CControlBar* AFXAPI AfxGetControlBar(CFrameWnd* pFrame, UINT nID) {
  if (nID == 0) return NULL;
  POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
  while (pos != NULL) {
    CControlBar* pBar = (CControlBar*)pFrame->m_listControlBars.GetNext(pos);
    if ((UINT)pBar->GetDlgCtrlID() == nID) return pBar;
  }
  return NULL;
}

void AFXAPI AfxRemoveControlBar(CFrameWnd* pFrame, CControlBar* pBar) {
  POSITION pos = pFrame->m_listControlBars.Find(pBar);
  if (pos != NULL) pFrame->m_listControlBars.RemoveAt(pos);
}

// The frame's members for its bars.
void CFrameWnd::EnableDocking(DWORD dwDockStyle) { AfxEnableDocking(this, dwDockStyle); }
void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
  AfxDockControlBar(this, pBar, nDockBarID, lpRect);
}
void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  AfxDockControlBar(this, pBar, pDockBar, lpRect);
}
void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) {
  AfxFloatControlBar(this, pBar, point, dwStyle);
}
void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) { AfxShowControlBar(this, pBar, bShow, bDelay); }
CControlBar* CFrameWnd::GetControlBar(UINT nID) { return AfxGetControlBar(this, nID); }
void CFrameWnd::RemoveControlBar(CControlBar* pBar) { AfxRemoveControlBar(this, pBar); }
