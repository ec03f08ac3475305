// Printing the board: two A3 pages to the PDF queue, the paper the printer is set to, the
// page range, the current page kept; print preview with its zoom, printable area and bars.
#include "ViewFixture.h"
#include "afxext.h"
#include "jvqPreviewView.h"
#include "jvqPrinter.h"
#include "jvqSolidFill.h"

namespace {

CViewTestApp& App() { return *(CViewTestApp*)AfxGetApp(); }

int CountPrinted(BOOL bDelete) {
  const char* psz = getenv("QVZ_PRINT_DIR");
  CString folder = "Z:";
  folder += psz && *psz ? psz : "/tmp/qvz-print";
  folder.Replace('/', '\\');
  WIN32_FIND_DATA fd;
  HANDLE h = ::FindFirstFile(folder + "\\*editview-print*.pdf", &fd);
  int n = 0;
  if (h == INVALID_HANDLE_VALUE) return 0;
  do {
    n++;
    if (bDelete) ::DeleteFile(folder + "\\" + fd.cFileName);
  } while (::FindNextFile(h, &fd));
  ::FindClose(h);
  return n;
}

class PrintTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    App().m_messages.clear();
    m_doc->SetTitle("editview-print");
    RECT rc = {0, 0, 4200, 2970};
    m_page2 = new jvqPage;
    jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(m_page2);
    m_page2->SetPageRect(&rc);
    m_view->GetBoard()->AddPage(m_page2);
    RECT sq = {100, 100, 200, 200};
    jvqRectObject* o = new jvqRectObject(&sq, &m_view->m_Mapping, 0x311);
    jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(o);
    o->SetFill(new jvqSolidFill(RGB(0, 0, 0)));
    o->m_dwState = 0x311 | JVQ_STATE_FILLED;
    m_page2->AddChild(o);
    m_view->GetBoard()->SetCurrentPage(0);
  }
  jvqPage* m_page2 = nullptr;
};

TEST_F(PrintTest, TwoA3PagesPrintAtTheOffsetAndTheCurrentPageStays) {
  if (!AfxHasDefaultPrinter()) GTEST_SKIP() << "no printer (scripts/lib/print-queue.sh makes one)";
  CountPrinted(TRUE);
  ASSERT_TRUE(thePrinter.CreateDefaultDC());
  const SIZE sheet = {4200, 2970};
  HGLOBAL hDevMode = (HGLOBAL)thePrinter.SelectPaperForSheet(&sheet);
  ASSERT_NE(nullptr, hDevMode);
  ASSERT_TRUE(thePrinter.CreateDefaultDC());
  DEVMODE* dm = (DEVMODE*)::GlobalLock(hDevMode);
  EXPECT_EQ(DMPAPER_A3, dm->dmPaperSize);
  EXPECT_EQ(DMORIENT_LANDSCAPE, dm->dmOrientation);
  ::GlobalUnlock(hDevMode);
  // The held DC is landscape A3: its printable size is within the paper and wider than tall.
  SIZE printable;
  thePrinter.GetPrintableSize(&printable);
  EXPECT_GT(printable.cx, printable.cy);
  EXPECT_LE(printable.cx, 4200);
  EXPECT_GT(printable.cx, 3800);
  POINT off;
  EXPECT_TRUE(thePrinter.GetPrintOffset(&off));

  // The dialog would offer pages 1 to 2.
  {
    CPrintInfo info;
    info.m_bDirect = TRUE;
    ASSERT_TRUE(m_view->OnPreparePrinting(&info));
    EXPECT_EQ(1u, info.GetMinPage());
    EXPECT_EQ(2u, info.GetMaxPage());
  }
  m_view->m_ptPrintOffset = P(50, 30);
  AfxViewFilePrint(m_view, TRUE);
  m_view->m_ptPrintOffset = P(0, 0);
  EXPECT_TRUE(App().m_messages.empty());
  EXPECT_EQ(0, m_view->GetBoard()->GetCurrentPageIndex());
  for (int i = 0; i < 300 && CountPrinted(FALSE) == 0; i++) ::Sleep(100);
  EXPECT_EQ(1, CountPrinted(FALSE));  // read back by check-print-pdf.sh
}

TEST_F(PrintTest, WithoutAPrinterTheFrameworkSaysSo) {
  static const char szNames[] = "winspool\0NoSuchPrinter\0LPT9:\0";
  HGLOBAL hDevNames = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + sizeof(szNames));
  LPDEVNAMES pNames = (LPDEVNAMES)::GlobalLock(hDevNames);
  pNames->wDriverOffset = sizeof(DEVNAMES);
  pNames->wDeviceOffset = sizeof(DEVNAMES) + 9;
  pNames->wOutputOffset = sizeof(DEVNAMES) + 9 + 14;
  memcpy(pNames + 1, szNames, sizeof(szNames));
  ::GlobalUnlock(hDevNames);
  HANDLE hOldNames = App().m_hDevNames, hOldMode = App().m_hDevMode;
  App().SelectPrinter(hDevNames, NULL, FALSE);
  // A printer that cannot be opened has no papers: nothing chosen, no crash.
  int nSizes = -1, nCodes = -1;
  EXPECT_FALSE(GetPrinterPapers("NoSuchPrinter", NULL, &nSizes, NULL, &nCodes));
  AfxViewFilePrint(m_view, TRUE);
  ASSERT_EQ(1u, App().m_messages.size());
  EXPECT_EQ("印刷ジョブを開始できませんでした。", App().m_messages[0]);
  m_view->DoFilePrintPreview();
  EXPECT_EQ(m_frame->GetActiveView(), m_view);
  EXPECT_EQ("コマンドを実行できませんでした。", App().m_messages.back());
  App().SelectPrinter(hOldNames, hOldMode, FALSE);
  ::GlobalFree(hDevNames);
}

TEST_F(PrintTest, PreviewHidesTheRulersZoomsAndShowsThePrintableArea) {
  if (!AfxHasDefaultPrinter()) GTEST_SKIP() << "no printer (scripts/lib/print-queue.sh makes one)";
  ASSERT_TRUE(thePrinter.CreateDefaultDC());
  m_view->GetBoard()->m_dwState |= JVQ_STATE_PRINTAREA;
  m_frame->ShowControlBar(&m_frame->m_wndHorzRuler, TRUE, FALSE);
  m_frame->ShowControlBar(&m_frame->m_wndVertRuler, TRUE, FALSE);
  m_view->DoFilePrintPreview();
  jvqPreviewView* pv = DYNAMIC_DOWNCAST(jvqPreviewView, m_frame->GetActiveView());
  ASSERT_NE(nullptr, pv);
  EXPECT_FALSE(m_frame->m_wndHorzRuler.IsWindowVisible());
  EXPECT_FALSE(m_frame->m_wndVertRuler.IsWindowVisible());
  PumpPending();

  // The preview is clipped to the printable area: a rectangle filling the page shows only
  // inside it, and the paper outside stays white.
  // Zoom: in to 2, once more changes nothing and leaves nothing to paint.
  m_frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);
  m_frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);
  EXPECT_EQ((UINT)CPreviewView::ZOOM_IN, pv->GetZoomState());
  CRect page = pv->m_rectPage;
  m_frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);
  EXPECT_EQ((UINT)CPreviewView::ZOOM_IN, pv->GetZoomState());
  EXPECT_EQ(page, pv->m_rectPage);
  EXPECT_FALSE(::GetUpdateRect(pv->m_hWnd, NULL, FALSE));
  for (int i = 0; i < 3; i++) m_frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMOUT);
  EXPECT_EQ((UINT)CPreviewView::ZOOM_OUT, pv->GetZoomState());
  EXPECT_FALSE(::GetUpdateRect(pv->m_hWnd, NULL, FALSE));

  // The printable area's clip: the printer's offset converted to the preview's screen.
  POINT off;
  SIZE size;
  thePrinter.GetPrintOffset(&off);
  thePrinter.GetPrintableSize(&size);
  RECT area = {off.x, off.y, off.x + size.cx, off.y + size.cy};
  CClientDC dc(pv);
  CPreviewDC* pdc = pv->GetPreviewDC();
  ASSERT_NE(nullptr, pdc);
  CRgn rgn;
  ASSERT_TRUE(jvqPreviewView::PrinterRectToRegion(pdc, &rgn, &area, FALSE));
  RECT box;
  rgn.GetRgnBox(&box);
  EXPECT_LT(box.left, box.right);
  EXPECT_LT(box.top, box.bottom);

  pv->ClosePreview();
  PumpPending();
  EXPECT_EQ(m_frame->GetActiveView(), m_view);
  EXPECT_TRUE(m_frame->m_wndHorzRuler.IsWindowVisible());
  EXPECT_TRUE(m_frame->m_wndVertRuler.IsWindowVisible());
  m_view->GetBoard()->m_dwState &= ~JVQ_STATE_PRINTAREA;
}

// A printer that cannot reach the outer 30 mm across and 20 mm down the sheet.
BOOL MarginedArea(RECT* pOut) {
  *pOut = {300, 200, 3900, 2770};
  return TRUE;
}

TEST_F(PrintTest, PreviewPaintsOnlyWhereThePrinterReaches) {
  if (!AfxHasDefaultPrinter()) GTEST_SKIP() << "no printer (scripts/lib/print-queue.sh makes one)";
  ASSERT_TRUE(thePrinter.CreateDefaultDC());
  const SIZE sheet = {4200, 2970};
  ASSERT_NE(nullptr, thePrinter.SelectPaperForSheet(&sheet));
  ASSERT_TRUE(thePrinter.CreateDefaultDC());
  // The whole sheet black: only the printable part of it may show.
  RECT all = {0, 0, 4200, 2970};
  jvqRectObject* o = new jvqRectObject(&all, &m_view->m_Mapping, 0x311);
  jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(o);
  o->SetFill(new jvqSolidFill(RGB(0, 0, 0)));
  o->m_dwState = 0x311 | JVQ_STATE_FILLED;
  m_page->AddChild(o);
  jvqPage::PrintableAreaQuery old = jvqPage::s_pfnPrintableArea;
  jvqPage::s_pfnPrintableArea = MarginedArea;

  // "DrawArea" on, in the view: a dotted line where the area's left edge lies, none beside it.
  o->m_dwState &= ~JVQ_STATE_ALIVE;
  const DWORD state = m_view->GetBoard()->m_dwState;
  m_view->GetBoard()->m_dwState = (state & ~JVQ_STATE_GRID) | JVQ_STATE_PRINTAREA;
  m_view->Redraw();
  PumpPending();
  int onEdge = 0, beside = 0;
  for (int y = 300; y < 500; y++) {
    onEdge += PixelAt(P(300, y)) != RGB(255, 255, 255);
    beside += PixelAt(P(306, y)) != RGB(255, 255, 255);
  }
  EXPECT_GT(onEdge, 50);
  EXPECT_EQ(0, beside);
  m_view->GetBoard()->m_dwState = state;
  o->m_dwState |= JVQ_STATE_ALIVE;

  m_view->DoFilePrintPreview();
  jvqPreviewView* pv = DYNAMIC_DOWNCAST(jvqPreviewView, m_frame->GetActiveView());
  ASSERT_NE(nullptr, pv);
  pv->UpdateWindow();
  PumpPending();
  const CRect page = pv->m_rectPage;
  ASSERT_GT(page.Width(), 100);
  // Points of the sheet in 0.1 mm, read on the preview's screen.
  auto at = [&](int x, int y) {
    CClientDC dc(pv);
    return dc.GetPixel(page.left + MulDiv(page.Width(), x, 4200), page.top + MulDiv(page.Height(), y, 2970));
  };
  struct Case {
    int x, y;
    COLORREF want;
  } cases[] = {
      {150, 1500, RGB(255, 255, 255)},   // left margin
      {4050, 1500, RGB(255, 255, 255)},  // right margin
      {2100, 100, RGB(255, 255, 255)},   // top margin
      {2100, 2870, RGB(255, 255, 255)},  // bottom margin
      {450, 1500, RGB(0, 0, 0)},
      {3750, 1500, RGB(0, 0, 0)},
      {2100, 350, RGB(0, 0, 0)},
      {2100, 2620, RGB(0, 0, 0)},
  };
  for (const Case& c : cases) EXPECT_EQ(c.want, at(c.x, c.y)) << c.x << ", " << c.y;
  pv->ClosePreview();
  PumpPending();
  jvqPage::s_pfnPrintableArea = old;
}

}  // namespace
