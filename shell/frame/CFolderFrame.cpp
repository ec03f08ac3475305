#include "CFolderFrame.h"

#include <mbstring.h>

#include "FolderTabGeometry.h"
#include "PageTabStrip.h"
#include "jvqBoard.h"
#include "jvqView.h"
#include "jvqViewHost.h"
#include "qvzMessages.h"

#define IDC_FOLDER_TABS 1
#define IDC_FOLDER_ARROWS 2
#define IDC_FOLDER_SPLITTER 3
#define IDC_FOLDER_PAGELIST 4
#define ID_VIEW_PAGELIST 1188

int g_nMinTabFrameWidth = 4 * ::GetSystemMetrics(SM_CXVSCROLL);

IMPLEMENT_DYNAMIC(CFolderFrame, CWnd)

BEGIN_MESSAGE_MAP(CFolderFrame, CWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_COMMAND(IDC_FOLDER_PAGELIST, OnPageListButton)
  ON_MESSAGE(QVZM_SCROLLPAGETABS, OnScrollPageTabs)
  ON_MESSAGE(QVZM_SPLITTERDOWN, OnSplitterDown)
  ON_MESSAGE(QVZM_SPLITTERMOVE, OnSplitterMove)
  ON_MESSAGE(QVZM_SPLITTERUP, OnSplitterUp)
  ON_NOTIFY(FTN_SELCHANGE, IDC_FOLDER_TABS, OnTabChanged)
END_MESSAGE_MAP()

CFolderFrame::CFolderFrame()
    : m_nTabWidth(1), m_nIDRes(0), m_nArrowWidth(40), m_nSplitterWidth(5), m_nSplitterPos(200), m_pToolTip(NULL) {}

CFolderFrame::~CFolderFrame() {
  if (m_pToolTip) {
    if (m_pToolTip->m_hWnd) m_pToolTip->DestroyWindow();
    delete m_pToolTip;
  }
}

BOOL CFolderFrame::Create(CWnd* pParent, CRuntimeClass* pViewClass, CCreateContext* pContext, UINT nIDRes,
                          int nTabWidth, DWORD dwStyle) {
  static BOOL bRegistered = FALSE;
  if (!bRegistered) {
    WNDCLASS wc = {};
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = "CFolderFrame";
    if (!AfxRegisterClass(&wc)) return FALSE;
    bRegistered = TRUE;
  }
  m_nIDRes = nIDRes;
  SetTabWidth(nTabWidth);
  m_nTabWidth = nTabWidth;
  if (!CWnd::CreateEx(0, "CFolderFrame", NULL, dwStyle, CRect(0, 0, 0, 0), pParent, AFX_IDW_PANE_FIRST)) return FALSE;
  CWnd* pView = pViewClass ? (CWnd*)pViewClass->CreateObject() : NULL;
  if (pView == NULL) return FALSE;
  if (!pView->Create(NULL, NULL, dwStyle, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST, pContext)) return FALSE;
  if (m_pToolTip == NULL) {
    m_pToolTip = new CToolTipCtrl;
    if (m_pToolTip->Create(this)) AddWindowTool(m_pToolTip, &m_wndPageListButton, "ページ一覧");
  }
  Relayout();
  return TRUE;
}

BOOL CFolderFrame::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= WS_BORDER;
  cs.dwExStyle |= WS_EX_CLIENTEDGE;
  return CWnd::PreCreateWindow(cs);
}

int CFolderFrame::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  CRect r0(0, 0, 0, 0);
  if (!m_wndFolderTabCtrl.Create(WS_CHILD | WS_VISIBLE, r0, this, IDC_FOLDER_TABS, 0)) return -1;
  if (m_nIDRes) m_wndFolderTabCtrl.Load(m_nIDRes);
  m_wndHorzScroll.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, r0, this, AFX_IDW_HSCROLL_FIRST);
  m_wndVertScroll.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, r0, this, AFX_IDW_HSCROLL_FIRST + 1);
  m_wndSizeBox.Create(WS_CHILD | SBS_SIZEBOX, r0, this, (UINT)-1);
  m_wndSizeBox.EnableWindow(FALSE);
  m_wndArrows.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, r0, this, IDC_FOLDER_ARROWS);
  m_wndSplitter.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, r0, this, IDC_FOLDER_SPLITTER);
  m_wndSplitter.m_nMinLeft = m_nArrowWidth;
  m_wndSplitter.m_nMax = 1000;
  m_wndPageListButton.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, r0, this, IDC_FOLDER_PAGELIST);
  m_wndPageListButton.SetImage(0, "IDR_DIBBUTTON", "DIB");
  m_wndPageListButton.SetImage(1, "IDR_DIBBUTTON", "DIB");
  m_wndPageListButton.SetImage(2, "IDR_DIBBUTTON2", "DIB");
  ShowControls(m_nTabWidth);
  return 0;
}

void CFolderFrame::ShowControls(int nWidth) {
  if (nWidth == -1) nWidth = m_wndFolderTabCtrl.GetTotalWidth();
  SetTabWidth(nWidth);
  for (CWnd* w : {(CWnd*)&m_wndHorzScroll, (CWnd*)&m_wndVertScroll, (CWnd*)&m_wndSizeBox,
                  (CWnd*)&m_wndFolderTabCtrl, (CWnd*)&m_wndPageListButton})
    if (w->m_hWnd) w->ShowWindow(SW_SHOW);
  Relayout();
}

void CFolderFrame::SetTabWidth(int nWidth) {
  if (m_hWnd == NULL) return;
  CRect rc;
  GetClientRect(&rc);
  if (nWidth > 0 && nWidth > rc.Width() - g_nMinTabFrameWidth) nWidth = rc.Width() - g_nMinTabFrameWidth;
  if (nWidth == m_nTabWidth) return;
  m_nTabWidth = nWidth;
  Relayout();
}

void CFolderFrame::Relayout() {
  if (m_hWnd == NULL) return;
  CRect rc;
  GetClientRect(&rc);
  LayoutStrip(rc.Width(), rc.Height());
}

CScrollBar* CFolderFrame::GetScrollBar(int nBar) {
  if (nBar == SB_HORZ) return &m_wndHorzScroll;
  if (nBar == SB_VERT) return &m_wndVertScroll;
  return NULL;
}

void CFolderFrame::OnSize(UINT nType, int cx, int cy) { LayoutStrip(cx, cy); }

void CFolderFrame::LayoutStrip(int cx, int cy) {
  CWnd* pView = GetView();
  if (pView == NULL || m_wndFolderTabCtrl.m_hWnd == NULL) return;
  const int v = ::GetSystemMetrics(SM_CXVSCROLL);
  const int h = FOLDER_STRIP_HEIGHT;
  const BOOL bStrip = std::min(m_nTabWidth, cx - g_nMinTabFrameWidth) >= 0;
  if (bStrip) {
    cx -= v;
    cy -= h;
  }
  if (cx < 0) cx = 0;
  if (cy < 0) cy = 0;
  pView->MoveWindow(0, 0, cx, cy);
  m_wndVertScroll.MoveWindow(cx, 0, v, cy);
  const int a = m_nArrowWidth, half = a / 2;
  m_wndPageListButton.MoveWindow(0, cy, half, h);
  m_wndArrows.MoveWindow(half, cy, a, h);
  m_wndSplitter.MoveWindow(m_nSplitterPos, cy, m_nSplitterWidth, h);
  m_wndFolderTabCtrl.MoveWindow(half + a, cy, std::max(0, m_nSplitterPos - half - a), h);
  m_wndHorzScroll.MoveWindow(m_nSplitterPos + m_nSplitterWidth, cy,
                             std::max(0, cx - m_nSplitterPos - m_nSplitterWidth), h);
  m_wndSizeBox.MoveWindow(cx, cy, v, h);
}

BOOL CFolderFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  CWnd* pView = GetView();
  if (pView && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFolderFrame::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (CWnd* v = GetView())
    v->SendMessage(WM_HSCROLL, MAKEWPARAM(nSBCode, nPos), (LPARAM)pScrollBar->GetSafeHwnd());
}

void CFolderFrame::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (CWnd* v = GetView())
    v->SendMessage(WM_VSCROLL, MAKEWPARAM(nSBCode, nPos), (LPARAM)pScrollBar->GetSafeHwnd());
}

void CFolderFrame::OnPageListButton() {
  if (CWnd* w = AfxGetMainWnd()) w->PostMessage(WM_COMMAND, ID_VIEW_PAGELIST, 0);
}

LRESULT CFolderFrame::OnScrollPageTabs(WPARAM wParam, LPARAM lParam) {
  GetParent()->PostMessage(QVZM_SCROLLPAGETABS, wParam, lParam);
  return 0;
}

LRESULT CFolderFrame::OnSplitterDown(WPARAM, LPARAM) {
  CRect rc;
  m_wndSplitter.GetWindowRect(&rc);
  ScreenToClient(&rc);
  m_nSplitterPos = rc.left;
  return 1;
}

LRESULT CFolderFrame::OnSplitterMove(WPARAM, LPARAM) {
  CRect rc;
  m_wndSplitter.GetWindowRect(&rc);
  ScreenToClient(&rc);
  const int pos = ClampSplitterPosition(rc.left, m_nArrowWidth);
  m_nSplitterPos = pos;
  if (pos != rc.left) {
    m_wndSplitter.MoveWindow(pos, rc.top, rc.Width(), rc.Height());
  }
  Relayout();
  return 1;
}

LRESULT CFolderFrame::OnSplitterUp(WPARAM, LPARAM) {
  Relayout();
  return 0;
}

// A click on a tab makes its page current.
void CFolderFrame::OnTabChanged(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  NMFOLDERTAB* nm = (NMFOLDERTAB*)pNMHDR;
  CFolderTab* tab = m_wndFolderTabCtrl.GetItem(nm->iItem);
  jvqView* view = DYNAMIC_DOWNCAST(jvqView, GetView());
  if (tab == NULL || view == NULL) return;
  jvqBoard* board = view->GetBoard();
  const int n = PageNumberOfTab(tab->m_strText);
  if (board == NULL || n < 1 || n > board->GetPageCount()) return;
  view->ClearSelection();
  board->SetCurrentPage(n - 1);
  jvqViewHost* host = jvqGetViewHost();
  host->UpdateStatusBar();
  CRect rcView;
  view->GetClientRect(&rcView);
  view->RecalcLayout(rcView.Width(), rcView.Height());
  view->Invalidate(FALSE);
  host->SwitchBar(FALSE);
  view->SetFocus();
  // The strip follows the click to its ends.
  CRect rcTab = tab->m_rect, rcCtrl;
  m_wndFolderTabCtrl.GetClientRect(&rcCtrl);
  const BOOL bPastRight = rcTab.right > rcCtrl.right;
  if ((bPastRight || nm->iItem == 0) && rcCtrl.Width() > rcTab.Width()) {
    const int first = PageNumberOfTab(m_wndFolderTabCtrl.GetItem(0)->m_strText);
    const int newFirst = AdjustPageTabStrip(first, nm->iItem, bPastRight);
    if (newFirst != first) {
      m_wndFolderTabCtrl.DeleteAllItems();
      for (int p = newFirst; p <= board->GetPageCount(); p++) m_wndFolderTabCtrl.AddItem(PageTabText(p));
      m_wndFolderTabCtrl.SelectTab(n - newFirst);
      m_wndFolderTabCtrl.Invalidate();
    }
  }
}

BOOL AddWindowTool(CToolTipCtrl* pTip, CWnd* pChild, LPCTSTR lpszText) {
  if (pTip == NULL || pTip->m_hWnd == NULL || pChild == NULL || pChild->m_hWnd == NULL) return FALSE;
  TOOLINFO ti = {};
  ti.cbSize = sizeof(ti);
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = ::GetParent(pChild->m_hWnd);
  ti.uId = (UINT_PTR)pChild->m_hWnd;
  ti.hinst = AfxGetResourceHandle();
  ti.lpszText = (LPSTR)lpszText;
  return (BOOL)::SendMessage(pTip->m_hWnd, TTM_ADDTOOL, 0, (LPARAM)&ti);
}

BOOL AddRectTool(CToolTipCtrl* pTip, CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRect, UINT nID) {
  if (pTip == NULL || pTip->m_hWnd == NULL || pWnd == NULL) return FALSE;
  TOOLINFO ti = {};
  ti.cbSize = sizeof(ti);
  ti.uFlags = TTF_SUBCLASS;
  ti.hwnd = pWnd->m_hWnd;
  ti.uId = nID;
  ti.rect = *lpRect;
  ti.hinst = AfxGetResourceHandle();
  ti.lpszText = (LPSTR)lpszText;
  return (BOOL)::SendMessage(pTip->m_hWnd, TTM_ADDTOOL, 0, (LPARAM)&ti);
}

int CompareMbStrings(const void* a, const void* b) {
  return _mbscmp(*(const unsigned char* const*)a, *(const unsigned char* const*)b);
}
