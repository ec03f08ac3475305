// GDI wrappers drawing into memory and metafile DCs, read back pixel by pixel.
#include <gtest/gtest.h>

#include "TestApp.h"

static CTestApp theApp;

static const COLORREF kRed = RGB(255, 0, 0);
static const COLORREF kBlue = RGB(0, 0, 255);
static const COLORREF kWhite = RGB(255, 255, 255);

// A 24-bit memory DC of the given size, white.
class MemoryCanvas {
 public:
  MemoryCanvas(int cx, int cy) {
    CClientDC screen(NULL);
    m_dc.CreateCompatibleDC(&screen);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* pBits = NULL;
    m_bitmap.Attach(::CreateDIBSection(screen.m_hDC, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0));
    m_pOld = m_dc.SelectObject(&m_bitmap);
    m_dc.FillSolidRect(0, 0, cx, cy, kWhite);
  }
  ~MemoryCanvas() { m_dc.SelectObject(m_pOld); }
  CDC m_dc;
  CBitmap m_bitmap;
  CBitmap* m_pOld;
};

TEST(GdiTest, ShapesWithPensAndBrushes) {
  MemoryCanvas canvas(64, 64);
  CDC& dc = canvas.m_dc;
  CPen pen(PS_SOLID, 1, kBlue);
  CBrush brush(kRed);
  CPen* pOldPen = dc.SelectObject(&pen);
  CBrush* pOldBrush = dc.SelectObject(&brush);
  ASSERT_NE(nullptr, pOldPen);
  ASSERT_NE(nullptr, pOldBrush);
  dc.Rectangle(10, 10, 30, 30);
  EXPECT_EQ(kBlue, dc.GetPixel(10, 10));  // the outline
  EXPECT_EQ(kRed, dc.GetPixel(20, 20));   // the inside
  EXPECT_EQ(kWhite, dc.GetPixel(30, 30)); // right and bottom edges excluded

  dc.MoveTo(40, 5);
  dc.LineTo(60, 5);
  EXPECT_EQ(kBlue, dc.GetPixel(50, 5));
  EXPECT_EQ(CPoint(60, 5), dc.GetCurrentPosition());

  // The objects selected before come back, and ours are selected no more.
  EXPECT_EQ(&pen, dc.SelectObject(pOldPen));
  EXPECT_EQ(&brush, dc.SelectObject(pOldBrush));
}

TEST(GdiTest, MappingModeAppliesToDrawing) {
  MemoryCanvas canvas(64, 64);
  CDC& dc = canvas.m_dc;
  dc.SetMapMode(MM_ANISOTROPIC);
  dc.SetWindowExt(100, 100);
  dc.SetViewportExt(50, 50);
  dc.SetViewportOrg(4, 4);
  CPoint pt(20, 40);
  dc.LPtoDP(&pt);
  EXPECT_EQ(CPoint(14, 24), pt);
  dc.FillSolidRect(CRect(20, 40, 40, 60), kRed);
  EXPECT_EQ(kRed, dc.GetPixel(20, 40));  // logical: mapped like the drawing
  dc.SetMapMode(MM_TEXT);
  dc.SetViewportOrg(0, 0);
  EXPECT_EQ(kRed, dc.GetPixel(14, 24));
  EXPECT_EQ(kWhite, dc.GetPixel(13, 24));
  CSize size(100, 50);
  dc.SetMapMode(MM_ANISOTROPIC);
  dc.SetWindowExt(100, 100);
  dc.SetViewportExt(50, 50);
  dc.LPtoDP(&size);
  EXPECT_EQ(CSize(50, 25), size);
}

TEST(GdiTest, MetafileDCRecordsAndPlaysBack) {
  CClientDC screen(NULL);
  CMetaFileDC mf;
  ASSERT_TRUE(mf.Create());
  EXPECT_EQ(NULL, mf.m_hAttribDC);
  mf.SetAttribDC(screen.m_hDC);  // queries answered by the screen
  EXPECT_GT(mf.GetDeviceCaps(LOGPIXELSX), 0);
  CBrush brush(kRed);
  CBrush* pOld = mf.SelectObject(&brush);
  mf.SelectStockObject(NULL_PEN);
  mf.Rectangle(5, 5, 21, 21);
  mf.SelectObject(pOld);
  mf.SetAttribDC(NULL);
  HMETAFILE hmf = mf.Close();
  ASSERT_NE(nullptr, hmf);

  MemoryCanvas canvas(32, 32);
  EXPECT_TRUE(canvas.m_dc.PlayMetaFile(hmf));
  EXPECT_EQ(kRed, canvas.m_dc.GetPixel(10, 10));
  EXPECT_EQ(kWhite, canvas.m_dc.GetPixel(25, 25));
  ::DeleteMetaFile(hmf);
}

TEST(GdiTest, EnhancedMetafilePlaysScaled) {
  CClientDC screen(NULL);
  CMetaFileDC mf;
  ASSERT_TRUE(mf.CreateEnhanced(&screen, NULL, NULL, NULL));
  EXPECT_EQ(mf.m_hDC, mf.m_hAttribDC);
  CBrush blue(kBlue), red(kRed);
  mf.FillRect(CRect(0, 0, 10, 10), &blue);
  mf.FillRect(CRect(10, 10, 20, 20), &red);
  HENHMETAFILE hemf = mf.CloseEnhanced();
  ASSERT_NE(nullptr, hemf);

  MemoryCanvas canvas(40, 40);
  CRect bounds(0, 0, 40, 40);  // twice the recorded size
  EXPECT_TRUE(canvas.m_dc.PlayMetaFile(hemf, &bounds));
  EXPECT_EQ(kBlue, canvas.m_dc.GetPixel(5, 5));
  EXPECT_EQ(kRed, canvas.m_dc.GetPixel(30, 30));
  ::DeleteEnhMetaFile(hemf);
}

TEST(GdiTest, RegionsCombine) {
  CRgn a, b, c;
  a.CreateRectRgn(0, 0, 10, 10);
  b.CreateRectRgn(5, 5, 15, 15);
  c.CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(COMPLEXREGION, c.CombineRgn(&a, &b, RGN_OR));
  EXPECT_TRUE(c.PtInRegion(12, 12));
  EXPECT_FALSE(c.PtInRegion(12, 2));
  CRect box;
  c.GetRgnBox(&box);
  EXPECT_EQ(CRect(0, 0, 15, 15), box);

  MemoryCanvas canvas(20, 20);
  CBrush brush(kRed);
  canvas.m_dc.FillRgn(&c, &brush);
  EXPECT_EQ(kRed, canvas.m_dc.GetPixel(12, 12));
  EXPECT_EQ(kWhite, canvas.m_dc.GetPixel(12, 2));
}

TEST(GdiTest, FontsAndBitmapsDescribeThemselves) {
  CClientDC screen(NULL);
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(120, "ＭＳ ゴシック", &screen));
  LOGFONT lf;
  ASSERT_TRUE(font.GetLogFont(&lf));
  EXPECT_EQ(-::MulDiv(12, screen.GetDeviceCaps(LOGPIXELSY), 72), lf.lfHeight);

  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 7, 5));
  BITMAP bm;
  ASSERT_TRUE(bitmap.GetBitmap(&bm));
  EXPECT_EQ(7, bm.bmWidth);
  EXPECT_EQ(5, bm.bmHeight);

  HGDIOBJ hBitmap = bitmap.m_hObject;
  EXPECT_EQ(&bitmap, CGdiObject::FromHandle(hBitmap));
  EXPECT_TRUE(bitmap.DeleteObject());
  EXPECT_EQ(NULL, bitmap.m_hObject);
  EXPECT_EQ(0u, (UINT)::GetObjectType(hBitmap));  // gone from GDI too
}

TEST(GdiTest, TemporaryGdiWrappersBorrowTheirHandles) {
  HBRUSH hBrush = ::CreateSolidBrush(kBlue);
  CBrush* pTemp = CBrush::FromHandle(hBrush);
  ASSERT_NE(nullptr, pTemp);
  EXPECT_EQ(hBrush, (HBRUSH)*pTemp);
  HDC hDC = ::CreateCompatibleDC(NULL);
  CDC* pDC = CDC::FromHandle(hDC);
  EXPECT_EQ(hDC, pDC->m_hAttribDC);
  theApp.OnIdle(1);
  // Freed wrappers did not take the handles along.
  LOGBRUSH lb;
  EXPECT_EQ((int)sizeof(lb), ::GetObject(hBrush, sizeof(lb), &lb));
  EXPECT_NE(0, ::GetDeviceCaps(hDC, BITSPIXEL));
  ::DeleteDC(hDC);
  ::DeleteObject(hBrush);
}

TEST(GdiTest, MenuWrapper) {
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, 100, "&First");
  menu.AppendMenu(MF_SEPARATOR);
  menu.AppendMenu(MF_STRING, 101, "Second");
  EXPECT_EQ(3u, menu.GetMenuItemCount());
  EXPECT_EQ(101u, menu.GetMenuItemID(2));
  menu.EnableMenuItem(101, MF_BYCOMMAND | MF_GRAYED);
  menu.CheckMenuItem(100, MF_BYCOMMAND | MF_CHECKED);
  EXPECT_TRUE(menu.GetMenuState(101, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(menu.GetMenuState(100, MF_BYCOMMAND) & MF_CHECKED);
  CString str;
  menu.GetMenuString(100, str, MF_BYCOMMAND);
  EXPECT_EQ(CString("&First"), str);
  EXPECT_EQ(&menu, CMenu::FromHandle(menu.m_hMenu));
  HMENU hMenu = menu.Detach();
  EXPECT_NE(&menu, CMenu::FromHandle(hMenu));  // only a temporary wrapper now
  ::DestroyMenu(hMenu);
  theApp.OnIdle(1);
}

TEST(GdiTest, AttributeChangesReachBothDCs) {
  // Output to one DC, queries to another: the pair a print preview or metafile uses.
  HDC hOutput = ::CreateCompatibleDC(NULL);
  HDC hAttrib = ::CreateCompatibleDC(NULL);
  {
    CDC dc;
    dc.Attach(hOutput);
    dc.SetAttribDC(hAttrib);
    dc.SetMapMode(MM_LOMETRIC);
    dc.SetTextColor(kBlue);
    EXPECT_EQ(MM_LOMETRIC, ::GetMapMode(hOutput));
    EXPECT_EQ(MM_LOMETRIC, ::GetMapMode(hAttrib));
    EXPECT_EQ(kBlue, ::GetTextColor(hOutput));
    // Queries ask the attribute DC.
    ::SetMapMode(hOutput, MM_TEXT);
    EXPECT_EQ(MM_LOMETRIC, dc.GetMapMode());
    int nSaved = dc.SaveDC();
    dc.SetMapMode(MM_HIMETRIC);
    EXPECT_TRUE(dc.RestoreDC(nSaved));
    EXPECT_EQ(MM_LOMETRIC, ::GetMapMode(hAttrib));
    dc.SetAttribDC(NULL);
    dc.Detach();
  }
  ::DeleteDC(hOutput);
  ::DeleteDC(hAttrib);
}
