// Printing through the view's print loop to the real print queue, the failure when the
// printer cannot be reached, and print preview opened, zoomed and closed.
#include <gtest/gtest.h>

#include <cstdlib>

#include "BarsTestApp.h"

namespace {

// Draws a 10 mm black square 30 mm from the paper's left edge and 40 mm from its top.
class CMarkView : public CView {
  DECLARE_DYNCREATE(CMarkView)
 public:
  int m_nBegin = 0, m_nPrint = 0, m_nEnd = 0;
  CRect m_rectDraw;
  BOOL m_bPreviewSeen = FALSE;

  void OnDraw(CDC*) override {}
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override {
    pInfo->SetMaxPage(1);
    m_bPreviewSeen = pInfo->m_bPreview;
    return AfxDoPreparePrinting(this, pInfo);
  }
  void OnBeginPrinting(CDC*, CPrintInfo*) override { ++m_nBegin; }
  void OnEndPrinting(CDC*, CPrintInfo*) override { ++m_nEnd; }
  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) override {
    CView::OnPrepareDC(pDC, pInfo);
    if (!pDC->IsPrinting()) return;
    // One logical unit is 0.1 mm; the origin is the paper's corner.
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(254, 254);
    pDC->SetViewportExt(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
    pDC->SetViewportOrg(-pDC->GetDeviceCaps(PHYSICALOFFSETX), -pDC->GetDeviceCaps(PHYSICALOFFSETY));
  }
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override {
    ++m_nPrint;
    m_rectDraw = pInfo->m_rectDraw;
    CBrush brush;
    brush.CreateSolidBrush(RGB(0, 0, 0));
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    CGdiObject* pOldPen = pDC->SelectStockObject(NULL_PEN);
    pDC->Rectangle(300, 400, 401, 501);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
  }
};
IMPLEMENT_DYNCREATE(CMarkView, CView)

class CPrintFrame : public CFrameWnd {
 public:
  CStatusBar m_wndStatusBar;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    static const UINT indicators[] = {ID_SEPARATOR};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 1)) return -1;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPrintFrame, CFrameWnd)
  ON_WM_CREATE()
END_MESSAGE_MAP()

CString PrintFolder() {
  const char* psz = getenv("QVZ_PRINT_DIR");
  CString str = "Z:";
  str += psz != NULL && *psz != '\0' ? psz : "/tmp/qvz-print";
  str.Replace('/', '\\');
  return str;
}

int CountPrintedFiles(BOOL bDelete) {
  CString strFolder = PrintFolder();
  WIN32_FIND_DATA fd;
  HANDLE hFind = ::FindFirstFile(strFolder + "\\*afxbars-print*.pdf", &fd);
  int nCount = 0;
  if (hFind == INVALID_HANDLE_VALUE) return 0;
  do {
    if (bDelete)
      ::DeleteFile(strFolder + "\\" + fd.cFileName);
    else if (fd.nFileSizeLow > 0)
      nCount++;
  } while (::FindNextFile(hFind, &fd));
  ::FindClose(hFind);
  return nCount;
}

COLORREF ReadPixel(HWND hWnd, CPoint pt) {
  ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
  HDC hDC = ::GetDC(hWnd);
  COLORREF cr = ::GetPixel(hDC, pt.x, pt.y);
  ::ReleaseDC(hWnd, hDC);
  return cr;
}

class PrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_pFrame = new CPrintFrame;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CMarkView);
    ASSERT_TRUE(m_pFrame->Create(NULL, "afxbars-print", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 560), NULL, NULL, 0,
                                 &context));
    m_pFrame->ShowWindow(SW_SHOW);
    m_pView = static_cast<CMarkView*>(m_pFrame->GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE));
    ASSERT_NE(m_pView, nullptr);
    m_pFrame->SetActiveView(m_pView);
    TheApp().m_pMainWnd = m_pFrame;
    m_pFrame->RecalcLayout();
    PumpPending();
    TheApp().m_messages.clear();
  }
  void TearDown() override {
    // No longer the main window first: destroying that one would end the test's thread.
    TheApp().m_pMainWnd = NULL;
    if (m_pFrame != nullptr && ::IsWindow(m_pFrame->m_hWnd)) m_pFrame->DestroyWindow();
    PumpPending();
  }
  CPrintFrame* m_pFrame = nullptr;
  CMarkView* m_pView = nullptr;
};

TEST_F(PrintTest, PrintsOnePageToTheQueue) {
  CountPrintedFiles(TRUE);
  if (!AfxHasDefaultPrinter()) GTEST_SKIP() << "no printer (scripts/lib/print-queue.sh makes one)";
  AfxViewFilePrint(m_pView, TRUE);
  EXPECT_TRUE(TheApp().m_messages.empty());
  EXPECT_EQ(m_pView->m_nBegin, 1);
  EXPECT_EQ(m_pView->m_nPrint, 1);
  EXPECT_EQ(m_pView->m_nEnd, 1);
  // The page's printable area in 0.1 mm: A4 less the printer's margins.
  EXPECT_EQ(m_pView->m_rectDraw.left, 0);
  EXPECT_GT(m_pView->m_rectDraw.right, 1900);
  EXPECT_LE(m_pView->m_rectDraw.right, 2101);
  EXPECT_GT(m_pView->m_rectDraw.bottom, 2700);
  EXPECT_LE(m_pView->m_rectDraw.bottom, 2971);
  // The queue turns the job into a PDF file; the page itself is checked from Linux.
  for (int i = 0; i < 300 && CountPrintedFiles(FALSE) == 0; i++) ::Sleep(100);
  EXPECT_EQ(CountPrintedFiles(FALSE), 1);
}

TEST_F(PrintTest, PrinterDCFollowsTheApplicationsDevMode) {
  if (!AfxHasDefaultPrinter()) GTEST_SKIP() << "no printer (scripts/lib/print-queue.sh makes one)";
  CDC dcPortrait;
  ASSERT_TRUE(AfxCreatePrinterDC(dcPortrait));
  int cx = dcPortrait.GetDeviceCaps(HORZRES), cy = dcPortrait.GetDeviceCaps(VERTRES);
  ASSERT_LT(cx, cy);
  // Turned to landscape in the application's DEVMODE, as the paper set-up does it.
  PRINTDLG pd;
  memset(&pd, 0, sizeof(pd));
  ASSERT_TRUE(TheApp().GetPrinterDeviceDefaults(&pd));
  LPDEVMODE pDevMode = (LPDEVMODE)::GlobalLock(pd.hDevMode);
  ASSERT_NE(pDevMode, nullptr);
  short nOld = pDevMode->dmOrientation;
  pDevMode->dmOrientation = DMORIENT_LANDSCAPE;
  ::GlobalUnlock(pd.hDevMode);
  CDC dcLandscape;
  ASSERT_TRUE(AfxCreatePrinterDC(dcLandscape));
  EXPECT_EQ(dcLandscape.GetDeviceCaps(HORZRES), cy);
  EXPECT_EQ(dcLandscape.GetDeviceCaps(VERTRES), cx);
  pDevMode = (LPDEVMODE)::GlobalLock(pd.hDevMode);
  pDevMode->dmOrientation = nOld;
  ::GlobalUnlock(pd.hDevMode);
}

TEST_F(PrintTest, APrinterThatCannotBeReachedPrintsNothingAndSaysSo) {
  // The application's printer is one that does not exist.
  static const char szNames[] = "winspool\0NoSuchPrinter\0LPT9:\0";
  HGLOBAL hDevNames = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + sizeof(szNames));
  LPDEVNAMES pNames = (LPDEVNAMES)::GlobalLock(hDevNames);
  pNames->wDriverOffset = sizeof(DEVNAMES);
  pNames->wDeviceOffset = sizeof(DEVNAMES) + 9;
  pNames->wOutputOffset = sizeof(DEVNAMES) + 9 + 14;
  memcpy(pNames + 1, szNames, sizeof(szNames));
  ::GlobalUnlock(hDevNames);
  TheApp().SelectPrinter(hDevNames, NULL);
  AfxViewFilePrint(m_pView, TRUE);
  EXPECT_EQ(m_pView->m_nBegin, 0);
  EXPECT_EQ(m_pView->m_nPrint, 0);
  ASSERT_EQ(TheApp().m_messages.size(), 1u);
  EXPECT_EQ(TheApp().m_messages[0], "印刷ジョブを開始できませんでした。");
  // Preview cannot start either, and the view stays as it was.
  AfxViewFilePrintPreview(m_pView);
  EXPECT_EQ(m_pFrame->GetActiveView(), m_pView);
  EXPECT_TRUE(m_pView->IsWindowVisible());
  EXPECT_EQ(AfxGetControlBar(m_pFrame, AFX_IDW_PREVIEW_BAR), nullptr);
  EXPECT_EQ(TheApp().m_messages.back(), "コマンドを実行できませんでした。");
  TheApp().SelectPrinter(NULL, NULL);
}

TEST_F(PrintTest, PreviewOpensZoomsAndClosesBackToTheView) {
  if (!AfxHasDefaultPrinter()) GTEST_SKIP() << "no printer (scripts/lib/print-queue.sh makes one)";
  AfxViewFilePrintPreview(m_pView);
  ASSERT_TRUE(TheApp().m_messages.empty());
  CView* pActive = m_pFrame->GetActiveView();
  ASSERT_NE(pActive, nullptr);
  ASSERT_TRUE(pActive->IsKindOf(RUNTIME_CLASS(CPreviewView)));
  CPreviewView* pPreview = static_cast<CPreviewView*>(pActive);
  HWND hPreview = pPreview->m_hWnd;
  EXPECT_TRUE(m_pView->m_bPreviewSeen);
  EXPECT_FALSE(m_pView->IsWindowVisible());
  EXPECT_FALSE(m_pFrame->m_wndStatusBar.IsWindowVisible());
  CControlBar* pBar = AfxGetControlBar(m_pFrame, AFX_IDW_PREVIEW_BAR);
  ASSERT_NE(pBar, nullptr);
  EXPECT_EQ(RectInParent(pBar->m_hWnd).top, 0);
  EXPECT_EQ(RectInParent(hPreview).top, RectInParent(pBar->m_hWnd).bottom);
  PumpPending();

  auto markOnScreen = [&](CPoint ptLP) {
    // Printer device units of the mark, then the preview's scale and the page's place.
    HDC hAttrib = pPreview->GetPreviewDC()->m_hAttribDC;
    CPoint pt(::MulDiv(ptLP.x, ::GetDeviceCaps(hAttrib, LOGPIXELSX), 254) - ::GetDeviceCaps(hAttrib, PHYSICALOFFSETX),
              ::MulDiv(ptLP.y, ::GetDeviceCaps(hAttrib, LOGPIXELSY), 254) - ::GetDeviceCaps(hAttrib, PHYSICALOFFSETY));
    pPreview->GetPreviewDC()->PrinterDPtoScreenDP(&pt);
    return pt + pPreview->m_rectPage.TopLeft() - pPreview->GetDeviceScrollPosition();
  };
  CRect rectPageOut = pPreview->m_rectPage;
  EXPECT_EQ(pPreview->GetZoomState(), (UINT)CPreviewView::ZOOM_OUT);
  EXPECT_EQ(ReadPixel(hPreview, markOnScreen(CPoint(350, 450))), RGB(0, 0, 0));
  EXPECT_EQ(ReadPixel(hPreview, markOnScreen(CPoint(700, 450))), RGB(255, 255, 255));
  // Outside the page: the preview's background.
  EXPECT_EQ(ReadPixel(hPreview, CPoint(2, 2)), ::GetSysColor(COLOR_APPWORKSPACE));

  // Zoom in through the bar's button: the page grows, the mark still lands where it belongs.
  ::SendMessage(::GetDlgItem(pBar->m_hWnd, AFX_ID_PREVIEW_ZOOMIN), BM_CLICK, 0, 0);
  EXPECT_EQ(pPreview->GetZoomState(), (UINT)CPreviewView::ZOOM_MIDDLE);
  EXPECT_GT(pPreview->m_rectPage.Width(), rectPageOut.Width());
  EXPECT_EQ(ReadPixel(hPreview, markOnScreen(CPoint(350, 450))), RGB(0, 0, 0));
  m_pFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);
  EXPECT_EQ(pPreview->GetZoomState(), (UINT)CPreviewView::ZOOM_IN);
  PumpPending();
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(pBar->m_hWnd, AFX_ID_PREVIEW_ZOOMIN)));
  m_pFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMOUT);
  m_pFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMOUT);
  EXPECT_EQ(pPreview->m_rectPage, rectPageOut);

  // Close through the bar: the view, its bars and its place come back.
  ::SendMessage(::GetDlgItem(pBar->m_hWnd, AFX_ID_PREVIEW_CLOSE), BM_CLICK, 0, 0);
  PumpPending();
  EXPECT_FALSE(::IsWindow(hPreview));
  EXPECT_EQ(AfxGetControlBar(m_pFrame, AFX_IDW_PREVIEW_BAR), nullptr);
  EXPECT_EQ(m_pFrame->GetActiveView(), m_pView);
  EXPECT_TRUE(m_pView->IsWindowVisible());
  EXPECT_EQ(m_pView->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
  EXPECT_TRUE(m_pFrame->m_wndStatusBar.IsWindowVisible());
  EXPECT_EQ(m_pView->m_nBegin, 1);
  EXPECT_EQ(m_pView->m_nEnd, 1);
  CRect rectClient;
  m_pFrame->GetClientRect(rectClient);
  EXPECT_EQ(RectInParent(m_pView->m_hWnd).top, 0);
  EXPECT_EQ(RectInParent(m_pView->m_hWnd).bottom, RectInParent(m_pFrame->m_wndStatusBar.m_hWnd).top);
}

}  // namespace
