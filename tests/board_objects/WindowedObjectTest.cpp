// What needs a window or real device units: outline hit tolerance, invalidation and DIBs.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "afxwin.h"
#include "jvqBitmapGeometry.h"
#include "jvqRectObject.h"
#include "jvqViewMapping.h"

namespace {

// A mapping whose owner is a plain window of 400 x 300 pixels.
class WindowMapping {
 public:
  WindowMapping() {
    m_hWnd = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, NULL, NULL, NULL, NULL);
    m_wnd.m_hWnd = m_hWnd;
    m_view.m_pOwnerWnd = &m_wnd;
    m_view.m_nPageWidth = 2100;
    m_view.m_nPageHeight = 2970;
    m_view.m_nMinMarginX = m_view.m_nMinMarginY = 100;
  }
  ~WindowMapping() {
    m_wnd.m_hWnd = NULL;
    ::DestroyWindow(m_hWnd);
  }
  HWND m_hWnd;
  CWnd m_wnd;
  jvqViewMapping m_view;
};

TEST(OutlineHit, ToleranceIsTheLineWidthButAtLeastSixteenPixels) {
  WindowMapping w;
  ASSERT_TRUE(w.m_view.HasOwnerWindow());
  RECT rc = {0, 0, 1000, 1000};
  jvqRectObject o(&rc, &w.m_view, 0x311);
  SIZE px16 = {0, 16};
  w.m_view.SizeToLogical(&px16);
  EXPECT_EQ(px16.cy, o.GetHitTolerance());
  int t = o.GetHitTolerance();
  EXPECT_TRUE(o.HitTestOutline(500, t / 2 - 1));
  EXPECT_FALSE(o.HitTestOutline(500, t / 2));
  EXPECT_FALSE(o.HitTestOutline(1000, -1));  // level with the top edge, at its end
  o.m_LineStyle.SetWidth(400);
  EXPECT_EQ(400, o.GetHitTolerance());
  EXPECT_TRUE(o.HitTestOutline(500, 199));
  o.m_LineStyle.SetStyle(5);
  EXPECT_FALSE(o.HitTestOutline(500, 0));
}

TEST(OutlineHit, MarkersKeepTheirPixelSizeAtEveryZoom) {
  WindowMapping w;
  RECT rc = {0, 0, 1000, 1000};
  jvqRectObject o(&rc, &w.m_view, 0x319);
  RECT a;
  o.GetHandle(0)->GetGeometry()->GetBoundRect(&a);
  w.m_view.m_dZoom = 400;
  o.Recalc();
  RECT b;
  o.GetHandle(0)->GetGeometry()->GetBoundRect(&b);
  EXPECT_GT(a.right - a.left, 2 * (b.right - b.left));
  EXPECT_EQ(400, w.m_view.GetZoomPercent());
}

TEST(OutlineHit, InvalidateCoversTheExtentInTheOwnerWindow) {
  WindowMapping w;
  ::ShowWindow(w.m_hWnd, SW_SHOWNA);
  ::ValidateRect(w.m_hWnd, NULL);
  RECT rc = {200, 200, 400, 300};
  jvqRectObject o(&rc, &w.m_view, 0x311);
  o.Invalidate();
  RECT upd;
  ASSERT_TRUE(::GetUpdateRect(w.m_hWnd, &upd, FALSE));
  RECT dev = rc;
  w.m_view.RectToDevice(&dev);
  EXPECT_LE(upd.left, dev.left - 5);
  EXPECT_GE(upd.right, dev.right + 5);
  EXPECT_LT(upd.right - upd.left, 200);
}

TEST(ViewMapping, HundredPercentIsTheDisplaysOwnMillimetre) {
  jvqViewMapping m;  // no window: thumbnails use it like this
  m.m_nClientWidth = 4000;
  m.m_nClientHeight = 200;
  m.m_nPageWidth = 1000;
  m.m_nPageHeight = 1000;
  m.m_nMinMarginX = m.m_nMinMarginY = 100;
  HDC hScreen = ::GetDC(NULL);
  CDC dc;
  dc.Attach(::CreateCompatibleDC(hScreen));
  ::ReleaseDC(NULL, hScreen);
  ASSERT_TRUE(m.PrepareDC(&dc));
  EXPECT_EQ(MM_ANISOTROPIC, ::GetMapMode(dc.m_hDC));
  SIZE mm = {::GetDeviceCaps(dc.m_hDC, HORZSIZE) * 10, 0};
  dc.LPtoDP(&mm);
  EXPECT_NEAR(::GetDeviceCaps(dc.m_hDC, HORZRES), mm.cx, 2);
  // A wide window centres the page across; a low one keeps the margin.
  SIZE client = {4000, 0};
  dc.DPtoLP(&client);
  EXPECT_EQ((client.cx - 1000) / 2, m.m_nPageOffsetX);
  EXPECT_EQ(100, m.m_nPageOffsetY);
  EXPECT_EQ(1000 + 2 * m.m_nPageOffsetX, m.GetExtent().cx);
  POINT origin = {0, 0};
  dc.LPtoDP(&origin, 1);
  EXPECT_GT(origin.x, 0);
  ::DeleteDC(dc.Detach());
  m.m_dZoom = 0.4;
  EXPECT_EQ(1, m.GetZoomPercent());
}

TEST(BitmapGeometry, TransparentColourIsLeftOut) {
  HDC hScreen = ::GetDC(NULL);
  HDC hMem = ::CreateCompatibleDC(hScreen);
  HBITMAP hTarget = ::CreateCompatibleBitmap(hScreen, 40, 40);
  HBITMAP hPicture = ::CreateCompatibleBitmap(hScreen, 10, 10);
  ::ReleaseDC(NULL, hScreen);
  HDC hPic = ::CreateCompatibleDC(hMem);
  HGDIOBJ oPic = ::SelectObject(hPic, hPicture);
  RECT all = {0, 0, 10, 10}, mid = {3, 3, 7, 7};
  HBRUSH magenta = ::CreateSolidBrush(RGB(255, 0, 255));
  ::FillRect(hPic, &all, magenta);
  ::FillRect(hPic, &mid, (HBRUSH)::GetStockObject(BLACK_BRUSH));
  ::SelectObject(hPic, oPic);
  ::DeleteDC(hPic);
  HGDIOBJ oTarget = ::SelectObject(hMem, hTarget);
  RECT t = {0, 0, 40, 40};
  ::FillRect(hMem, &t, (HBRUSH)::GetStockObject(WHITE_BRUSH));
  CDC dc;
  dc.Attach(hMem);
  DrawTransparentBitmap(&dc, hPicture, 5, 5, RGB(255, 0, 255));
  EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(hMem, 5, 5));
  EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(hMem, 10, 10));
  EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(hMem, 20, 20));
  dc.Detach();
  ::SelectObject(hMem, oTarget);
  ::DeleteObject(hTarget);
  ::DeleteObject(hPicture);
  ::DeleteObject(magenta);
  ::DeleteDC(hMem);
}

TEST(BitmapGeometry, PathRegionOfDevicePoints) {
  HDC hScreen = ::GetDC(NULL);
  CDC dc;
  dc.Attach(::CreateCompatibleDC(hScreen));
  ::ReleaseDC(NULL, hScreen);
  const POINT pts[4] = {{10, 10}, {10, 90}, {90, 90}, {90, 10}};
  const int types[4] = {1, 2, 10, 2};
  jvqPointList l(pts, 4);
  CRgn rgn;
  ASSERT_TRUE(l.CreatePathRgn(&dc, &rgn, types));
  EXPECT_TRUE(rgn.PtInRegion(50, 50));
  EXPECT_FALSE(rgn.PtInRegion(95, 50));
  CRgn poly;
  ASSERT_TRUE(l.CreatePathRgn(NULL, &poly, types));
  EXPECT_TRUE(poly.PtInRegion(50, 50));
  jvqPointList two(pts, 2);
  EXPECT_FALSE(two.CreatePathRgn(&dc, &rgn, types));
  ::DeleteDC(dc.Detach());
}

// A bottom-up 24-bit DIB of w x h filled by a function of the pixel.
std::vector<BYTE> MakeDib(int w, int h, int bits, DWORD redMask = 0) {
  int stride = ((bits * w + 31) / 32) * 4;
  int header = 40 + (bits == 16 ? 12 : 0);
  std::vector<BYTE> dib(header + (size_t)stride * h);
  BITMAPINFOHEADER* bih = (BITMAPINFOHEADER*)dib.data();
  bih->biSize = 40;
  bih->biWidth = w;
  bih->biHeight = h;
  bih->biPlanes = 1;
  bih->biBitCount = (WORD)bits;
  bih->biCompression = bits == 16 ? BI_BITFIELDS : BI_RGB;
  if (bits == 16) std::memcpy(dib.data() + 40, &redMask, 4);
  for (size_t i = header; i < dib.size(); i++) dib[i] = (BYTE)(i * 7);
  return dib;
}

TEST(RotateDib, ZeroTurnKeepsTheSizeAndPixels) {
  std::vector<BYTE> dib = MakeDib(13, 7, 24);
  BYTE* out = (BYTE*)RotateDib(dib.data(), 0.0f, RGB(1, 2, 3));
  ASSERT_NE(nullptr, out);
  BITMAPINFOHEADER* bih = (BITMAPINFOHEADER*)out;
  EXPECT_EQ(13, bih->biWidth);
  EXPECT_EQ(7, bih->biHeight);
  for (int row = 0; row < 7; row++)  // the pixels of each row; padding is zeroed
    EXPECT_EQ(0, std::memcmp(dib.data() + 40 + row * 40, out + 40 + row * 40, 13 * 3)) << row;
  ::GlobalFree(out);
}

TEST(RotateDib, UncoveredPixelsGetTheBackgroundInTheirOwnLayout) {
  for (DWORD mask : {0x7C00u, 0xF800u}) {
    std::vector<BYTE> dib = MakeDib(20, 10, 16, mask);
    BYTE* out = (BYTE*)RotateDib(dib.data(), 0.5f, RGB(255, 0, 0));
    ASSERT_NE(nullptr, out);
    BITMAPINFOHEADER* bih = (BITMAPINFOHEADER*)out;
    EXPECT_GT(bih->biHeight, 10);
    WORD corner;
    std::memcpy(&corner, out + 52, 2);  // first stored pixel lies outside the turned picture
    EXPECT_EQ(mask == 0x7C00 ? 0x7C00 : 0xF800, corner);
    ::GlobalFree(out);
  }
  std::vector<BYTE> topDown = MakeDib(4, 4, 24);
  ((BITMAPINFOHEADER*)topDown.data())->biHeight = -4;
  EXPECT_EQ(nullptr, RotateDib(topDown.data(), 0.5f, 0));
  std::vector<BYTE> rle = MakeDib(4, 4, 24);
  ((BITMAPINFOHEADER*)rle.data())->biCompression = BI_RLE8;
  EXPECT_EQ(nullptr, RotateDib(rle.data(), 0.5f, 0));
}

}  // namespace
