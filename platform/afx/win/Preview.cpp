#include "WinState.h"

#include "afxext.h"

#include <algorithm>

using std::max;
using std::min;

CPrintPreviewState::CPrintPreviewState()
    : nIDMainPane(AFX_IDW_PANE_FIRST), hMenu(NULL), dwStates(0), pViewActiveOld(NULL), lpfnCloseProc(NULL),
      hAccelTable(NULL) {}

/////////////////////////////////////////////////////////////////////////////
// CPreviewView

IMPLEMENT_DYNCREATE(CPreviewView, CScrollView)

BEGIN_MESSAGE_MAP(CPreviewView, CScrollView)
  ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
  ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
  ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
  ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
  ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, OnZoomIn)
  ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, OnZoomOut)
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, OnUpdateNextPage)
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, OnUpdatePrevPage)
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, OnUpdateZoomIn)
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, OnUpdateZoomOut)
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

// Grey room around the page.
static const int kMargin = 8;

CPreviewView::CPreviewView()
    : m_pOrigView(NULL),
      m_pPrintView(NULL),
      m_pPreviewDC(NULL),
      m_pPreviewInfo(NULL),
      m_pPreviewState(NULL),
      m_pToolBar(NULL),
      m_nZoomState(ZOOM_OUT),
      m_nCurrentPage(1),
      m_nPages(1),
      m_sizePrinterPPI(0, 0),
      m_sizeZoomOutRatio(1, 1),
      m_rectPage(0, 0, 0, 0),
      m_sizeRatio(1, 1),
      m_hWndOrigPane(NULL),
      m_bInPosition(FALSE) {}

CPreviewView::~CPreviewView() {
  delete m_pPreviewDC;
  delete m_pPreviewInfo;  // deletes the printer DC
  delete m_pPreviewState;
}

BOOL CPreviewView::SetPrintView(CView* pPrintView) {
  m_pPrintView = pPrintView;
  m_pPreviewInfo = new CPrintInfo;
  m_pPreviewInfo->m_bPreview = TRUE;
  if (!pPrintView->OnPreparePrinting(m_pPreviewInfo)) return FALSE;
  HDC hDC = m_pPreviewInfo->m_pPD->m_pd.hDC;
  if (hDC == NULL) return FALSE;
  m_pPreviewDC = new CPreviewDC;
  m_pPreviewDC->SetAttribDC(hDC);
  m_sizePrinterPPI = CSize(::GetDeviceCaps(hDC, LOGPIXELSX), ::GetDeviceCaps(hDC, LOGPIXELSY));
  pPrintView->OnBeginPrinting(m_pPreviewDC, m_pPreviewInfo);
  m_nCurrentPage = max(1u, m_pPreviewInfo->GetMinPage());
  m_pPreviewInfo->m_nCurPage = m_nCurrentPage;
  return TRUE;
}

void CPreviewView::CalcPageRect(CRect& rect, CSize& ratio) {
  CRect rectClient;
  GetClientRect(rectClient);
  HDC hDC = m_pPreviewDC != NULL ? m_pPreviewDC->m_hAttribDC : NULL;
  CSize sizePage = hDC != NULL ? CSize(::GetDeviceCaps(hDC, HORZRES), ::GetDeviceCaps(hDC, VERTRES)) : CSize(1, 1);
  if (sizePage.cx <= 0 || sizePage.cy <= 0) sizePage = CSize(1, 1);
  // Whole page in the window.
  int cxRoom = max(1, (int)rectClient.Width() - 2 * kMargin), cyRoom = max(1, (int)rectClient.Height() - 2 * kMargin);
  CSize ratioOut = (long long)cxRoom * sizePage.cy <= (long long)cyRoom * sizePage.cx ? CSize(cxRoom, sizePage.cx)
                                                                                      : CSize(cyRoom, sizePage.cy);
  m_sizeZoomOutRatio = ratioOut;
  // Zoomed in: the page at its real size on the screen; the middle state halfway.
  CClientDC dcScreen(NULL);
  CSize ratioIn(dcScreen.GetDeviceCaps(LOGPIXELSX), max(1, (int)m_sizePrinterPPI.cx));
  if ((long long)ratioIn.cx * ratioOut.cy < (long long)ratioOut.cx * ratioIn.cy) ratioIn = ratioOut;
  switch (m_nZoomState) {
    case ZOOM_IN:
      ratio = ratioIn;
      break;
    case ZOOM_MIDDLE:
      ratio = CSize(ratioOut.cx * ratioIn.cy + ratioIn.cx * ratioOut.cy, 2 * ratioOut.cy * ratioIn.cy);
      break;
    default:
      ratio = ratioOut;
      break;
  }
  CSize sizeScreen(::MulDiv(sizePage.cx, ratio.cx, ratio.cy), ::MulDiv(sizePage.cy, ratio.cx, ratio.cy));
  int x = max(kMargin, ((int)rectClient.Width() - (int)sizeScreen.cx) / 2);
  int y = max(kMargin, ((int)rectClient.Height() - (int)sizeScreen.cy) / 2);
  rect.SetRect(x, y, x + sizeScreen.cx, y + sizeScreen.cy);
}

void CPreviewView::PositionPage() {
  if (m_bInPosition || m_hWnd == NULL) return;
  m_bInPosition = TRUE;
  CalcPageRect(m_rectPage, m_sizeRatio);
  CSize sizeTotal(m_rectPage.right + kMargin, m_rectPage.bottom + kMargin);
  SetScrollSizes(MM_TEXT, sizeTotal);
  // The scroll bars may have taken room: once more with the final client size.
  CalcPageRect(m_rectPage, m_sizeRatio);
  // The scale holds between paints too, for those who convert printer points.
  if (m_pPreviewDC != NULL) m_pPreviewDC->SetScaleRatio(m_sizeRatio.cx, m_sizeRatio.cy);
  m_bInPosition = FALSE;
  Invalidate();
}

void CPreviewView::SetZoomState(UINT nNewState, UINT nPage, CPoint point) {
  if (nNewState > ZOOM_IN) return;
  if (nPage != 0) m_nCurrentPage = nPage;
  UINT nOld = m_nZoomState;
  m_nZoomState = nNewState;
  PositionPage();
  if (nNewState > nOld && point != CPoint(0, 0)) {
    // Zooming toward a point keeps it under the pointer's place in the window.
    CRect rectClient;
    GetClientRect(rectClient);
    ScrollToPosition(CPoint(max(0, (int)point.x * 2 - (int)rectClient.Width() / 2), max(0, (int)point.y * 2 - (int)rectClient.Height() / 2)));
  }
  Invalidate();
}

void CPreviewView::SetCurrentPage(UINT nPage, BOOL) {
  if (m_pPreviewInfo == NULL) return;
  if (nPage < m_pPreviewInfo->GetMinPage() || nPage > m_pPreviewInfo->GetMaxPage()) return;
  m_nCurrentPage = nPage;
  Invalidate();
}

BOOL CPreviewView::OnEraseBkgnd(CDC*) { return TRUE; }

void CPreviewView::OnSize(UINT nType, int cx, int cy) {
  CScrollView::OnSize(nType, cx, cy);
  if (m_nMapMode != 0) PositionPage();
}

void CPreviewView::OnDraw(CDC* pDC) {
  CRect rectClient;
  GetClientRect(rectClient);
  CPoint ptScroll = GetDeviceScrollPosition();
  CRect rectAll(0, 0, max(rectClient.right + ptScroll.x, m_rectPage.right + kMargin),
                max(rectClient.bottom + ptScroll.y, m_rectPage.bottom + kMargin));
  pDC->FillSolidRect(rectAll, ::GetSysColor(COLOR_APPWORKSPACE));
  CRect rectShadow(m_rectPage);
  rectShadow.OffsetRect(3, 3);
  pDC->FillSolidRect(rectShadow, RGB(0, 0, 0));
  pDC->FillSolidRect(m_rectPage, RGB(255, 255, 255));
  if (m_pPrintView == NULL || m_pPreviewDC == NULL || m_pPreviewDC->m_hAttribDC == NULL) return;

  // The printed page, drawn by the printing view through the preview DC.
  HDC hAttrib = m_pPreviewDC->m_hAttribDC;
  int nSavedOut = ::SaveDC(pDC->m_hDC);
  int nSavedAttrib = ::SaveDC(hAttrib);
  m_pPreviewDC->SetOutputDC(pDC->m_hDC);
  m_pPreviewDC->SetScaleRatio(m_sizeRatio.cx, m_sizeRatio.cy);
  m_pPreviewDC->SetTopLeftOffset(CSize(m_rectPage.left - ptScroll.x, m_rectPage.top - ptScroll.y));
  m_pPreviewDC->ClipToPage();
  m_pPreviewInfo->m_nCurPage = m_nCurrentPage;
  m_pPreviewInfo->m_bContinuePrinting = TRUE;
  m_pPrintView->OnPrepareDC(m_pPreviewDC, m_pPreviewInfo);
  m_pPreviewInfo->m_rectDraw.SetRect(0, 0, ::GetDeviceCaps(hAttrib, HORZRES), ::GetDeviceCaps(hAttrib, VERTRES));
  m_pPreviewDC->DPtoLP(&m_pPreviewInfo->m_rectDraw);
  m_pPrintView->OnPrint(m_pPreviewDC, m_pPreviewInfo);
  m_pPreviewDC->ReleaseOutputDC();
  ::RestoreDC(hAttrib, nSavedAttrib);
  ::RestoreDC(pDC->m_hDC, nSavedOut);
}

void CPreviewView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) {
  CScrollView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CPreviewView::OnLButtonDown(UINT, CPoint point) {
  CPoint ptDoc = point + GetDeviceScrollPosition();
  if (!m_rectPage.PtInRect(ptDoc)) return;
  SetZoomState(m_nZoomState == ZOOM_IN ? (UINT)ZOOM_OUT : m_nZoomState + 1, m_nCurrentPage, point);
}

void CPreviewView::OnZoomIn() {
  if (m_nZoomState != ZOOM_IN) SetZoomState(m_nZoomState + 1, 0, CPoint(0, 0));
}

void CPreviewView::OnZoomOut() {
  if (m_nZoomState != ZOOM_OUT) SetZoomState(m_nZoomState - 1, 0, CPoint(0, 0));
}

void CPreviewView::OnNextPage() { SetCurrentPage(m_nCurrentPage + 1, TRUE); }

void CPreviewView::OnPrevPage() {
  if (m_nCurrentPage > 1) SetCurrentPage(m_nCurrentPage - 1, TRUE);
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI) {
  // A document of unknown length shows one page.
  pCmdUI->Enable(m_pPreviewInfo != NULL && m_pPreviewInfo->GetMaxPage() != 0xFFFF &&
                 m_nCurrentPage < m_pPreviewInfo->GetMaxPage());
}

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pPreviewInfo != NULL && m_nCurrentPage > m_pPreviewInfo->GetMinPage());
}

void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState != ZOOM_IN); }

void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState != ZOOM_OUT); }

void CPreviewView::OnPreviewClose() { ClosePreview(); }

void CPreviewView::OnPreviewPrint() {
  // Printing starts from the view once the preview has given the frame back.
  CView* pView = m_pOrigView;
  ClosePreview();
  if (pView != NULL) pView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}

void CPreviewView::ClosePreview() {
  if (m_pToolBar != NULL) {
    m_pToolBar->DestroyWindow();  // deletes itself
    m_pToolBar = NULL;
  }
  if (m_pPreviewInfo != NULL) m_pPreviewInfo->m_nCurPage = m_nCurrentPage;
  m_pOrigView->OnEndPrintPreview(m_pPreviewDC, m_pPreviewInfo, CPoint(0, 0), this);
}

void AFXAPI AfxEndPrintPreview(CView*, CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView* pView) {
  if (pView->m_pPrintView != NULL && pDC != NULL) pView->m_pPrintView->OnEndPrinting(pDC, pInfo);
  CFrameWnd* pFrame = pView->GetParentFrame();
  pView->ShowWindow(SW_HIDE);
  pView->SetDlgCtrlID(0);
  if (pView->m_hWndOrigPane != NULL && ::IsWindow(pView->m_hWndOrigPane)) {
    ::SetWindowLong(pView->m_hWndOrigPane, GWL_ID, AFX_IDW_PANE_FIRST);
    ::ShowWindow(pView->m_hWndOrigPane, SW_SHOW);
  }
  if (pFrame != NULL) {
    for (INT_PTR i = 0; i < pView->m_arrHiddenBars.GetSize(); i++) {
      CControlBar* pBar = (CControlBar*)pView->m_arrHiddenBars[i];
      if (pFrame->m_listControlBars.Find(pBar) != NULL) AfxShowControlBar(pFrame, pBar, TRUE, TRUE);
    }
    CView* pViewOld = pView->m_pPreviewState != NULL ? pView->m_pPreviewState->pViewActiveOld : NULL;
    pFrame->SetActiveView(pViewOld != NULL ? pViewOld : pView->m_pOrigView);
    pFrame->OnSetPreviewMode(FALSE, pView->m_pPreviewState);
  }
  pView->DestroyWindow();  // deletes the preview with its printer DC and state
  if (pFrame != NULL) {
    pFrame->RecalcLayout();
    pFrame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
  }
}

/////////////////////////////////////////////////////////////////////////////
// Starting the preview

BOOL AFXAPI AfxDoPrintPreview(CView* pView, UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                              CPrintPreviewState* pState) {
  CFrameWnd* pFrame = pView != NULL ? pView->GetParentFrame() : NULL;
  if (pFrame == NULL || pPreviewViewClass == NULL || pState == NULL) return FALSE;
  CObject* pObject = pPreviewViewClass->CreateObject();
  if (pObject == NULL) return FALSE;
  if (!pObject->IsKindOf(RUNTIME_CLASS(CPreviewView))) {
    delete pObject;
    return FALSE;
  }
  CPreviewView* pPreview = static_cast<CPreviewView*>(pObject);
  pState->pViewActiveOld = pFrame->GetActiveView();
  pPreview->m_pOrigView = pView;

  CDialogBar* pBar = new CDialogBar;
  if (!pBar->Create(pFrame, nIDResource, CBRS_TOP, AFX_IDW_PREVIEW_BAR)) {
    delete pBar;
    delete pPreview;
    return FALSE;
  }
  pBar->m_bAutoDelete = TRUE;
  CCreateContext context;
  context.m_pCurrentFrame = pFrame;
  context.m_pLastView = pView;
  // A view that fails to be made deletes itself.
  if (!pPreview->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW & ~WS_VISIBLE, CRect(0, 0, 0, 0), pFrame, 0, &context)) {
    pBar->DestroyWindow();
    return FALSE;
  }
  pPreview->m_pToolBar = pBar;
  if (!pPreview->SetPrintView(pPrintView)) {
    pPreview->m_pPrintView = NULL;
    pBar->DestroyWindow();
    pPreview->m_pToolBar = NULL;
    pPreview->DestroyWindow();
    return FALSE;
  }
  pPreview->m_pPreviewState = pState;  // the preview owns it from here

  // The frame's bars step aside for the preview's own.
  POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
  while (pos != NULL) {
    CControlBar* pOther = (CControlBar*)pFrame->m_listControlBars.GetNext(pos);
    if (pOther == pBar || !pOther->IsVisible()) continue;
    pPreview->m_arrHiddenBars.Add(pOther);
    AfxShowControlBar(pFrame, pOther, FALSE, TRUE);
  }
  // The frame's pane (the view, or the splitter holding it) is put aside.
  HWND hWndPane = ::GetDlgItem(pFrame->m_hWnd, AFX_IDW_PANE_FIRST);
  if (hWndPane != NULL) {
    ::ShowWindow(hWndPane, SW_HIDE);
    ::SetWindowLong(hWndPane, GWL_ID, AFX_IDW_PANE_SAVE);
  }
  pPreview->m_hWndOrigPane = hWndPane;
  pPreview->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
  pFrame->OnSetPreviewMode(TRUE, pState);
  pFrame->SetActiveView(pPreview);
  pFrame->RecalcLayout();
  pPreview->ShowWindow(SW_SHOW);
  pPreview->PositionPage();
  pPreview->UpdateWindow();
  return TRUE;
}

void AFXAPI AfxViewFilePrintPreview(CView* pView) {
  CPrintPreviewState* pState = new CPrintPreviewState;
  if (!AfxDoPrintPreview(pView, AFX_IDD_PREVIEW_TOOLBAR, pView, RUNTIME_CLASS(CPreviewView), pState)) {
    AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
    delete pState;
  }
}

// The view's members for print preview.
BOOL CView::DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                           CPrintPreviewState* pState) {
  return AfxDoPrintPreview(this, nIDResource, pPrintView, pPreviewViewClass, pState);
}
void CView::OnFilePrintPreview() { AfxViewFilePrintPreview(this); }
void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView) {
  AfxEndPrintPreview(this, pDC, pInfo, point, pView);
}
