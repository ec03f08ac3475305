#include "WinState.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_MOUSEACTIVATE()
  ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMsg)
END_MESSAGE_MAP()

CView::CView() : m_pDocument(NULL) {}

CView::~CView() {
  if (m_pDocument != NULL) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == NULL) {
    if (!AfxDeferRegisterClass(AFX_WNDFRAMEORVIEW)) return FALSE;
    cs.lpszClass = AFX_WNDFRAMEORVIEW;
  }
  // The border of a view is the sunken client edge.
  if (cs.style & WS_BORDER) {
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    cs.style &= ~WS_BORDER;
  }
  return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  CCreateContext* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
  if (pContext != NULL && pContext->m_pCurrentDoc != NULL) pContext->m_pCurrentDoc->AddView(this);
  return 0;
}

void CView::OnDestroy() {
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != NULL && pFrame->GetActiveView() == this) pFrame->SetActiveView(NULL);
  CWnd::OnDestroy();
}

void CView::PostNcDestroy() { delete this; }

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  // Printing starts on the first page; nothing else to prepare by default.
}

LRESULT CView::OnInitialUpdateMsg(WPARAM, LPARAM) {
  OnInitialUpdate();
  return 0;
}

void CView::OnInitialUpdate() { OnUpdate(NULL, 0, NULL); }

void CView::OnUpdate(CView* pSender, LPARAM, CObject*) {
  if (pSender != this) Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView*, CView*) {
  if (!bActivate) return;
  // Take the focus when this view's top-level window is the active one.
  CWnd* pTop = GetTopLevelParent();
  if (pTop != NULL && ::GetActiveWindow() == pTop->m_hWnd) SetFocus();
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
  if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT) return nResult;
  CFrameWnd* pParentFrame = GetParentFrame();
  if (pParentFrame != NULL) {
    CView* pView = pParentFrame->GetActiveView();
    HWND hWndFocus = ::GetFocus();
    if (pView == this && m_hWnd != hWndFocus && !::IsChild(m_hWnd, hWndFocus))
      OnActivateView(TRUE, this, this);
    else
      pParentFrame->SetActiveView(this);
  }
  return nResult;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocument != NULL && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
