// Drawing read back from a memory DC: outlines, XOR feedback, fills and markers.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "afxwin.h"
#include "jvqEllipticObject.h"
#include "jvqGradientFill.h"
#include "jvqLineStyle.h"
#include "jvqPage.h"
#include "jvqPolylineObject.h"
#include "jvqRectObject.h"
#include "jvqRoundRectObject.h"
#include "jvqSolidFill.h"

namespace {

// A white 32-bit DIB section in a memory DC; one logical unit is one pixel.
class Canvas {
 public:
  Canvas(int w, int h) : m_w(w), m_h(h) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    HDC hScreen = ::GetDC(NULL);
    m_hDC = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(NULL, hScreen);
    m_hBitmap = ::CreateDIBSection(m_hDC, &bi, DIB_RGB_COLORS, (void**)&m_bits, NULL, 0);
    m_hOld = ::SelectObject(m_hDC, m_hBitmap);
    std::memset(m_bits, 0xFF, (size_t)w * h * 4);
    m_dc.Attach(m_hDC);
  }
  ~Canvas() {
    m_dc.Detach();
    ::SelectObject(m_hDC, m_hOld);
    ::DeleteObject(m_hBitmap);
    ::DeleteDC(m_hDC);
  }
  COLORREF At(int x, int y) const {
    ::GdiFlush();
    DWORD v = m_bits[y * m_w + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  std::vector<DWORD> Snapshot() const {
    ::GdiFlush();
    return std::vector<DWORD>(m_bits, m_bits + m_w * m_h);
  }
  int Count(COLORREF cr) const {
    int n = 0;
    for (int y = 0; y < m_h; y++)
      for (int x = 0; x < m_w; x++)
        if (At(x, y) == cr) n++;
    return n;
  }
  CDC* dc() { return &m_dc; }
  int m_w, m_h;

 private:
  HDC m_hDC;
  HBITMAP m_hBitmap;
  HGDIOBJ m_hOld;
  DWORD* m_bits = nullptr;
  CDC m_dc;
};

const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0);

TEST(OutlinePixels, SolidWidthsAndNoLine) {
  struct Case { int width; int style; int probeOffset; BOOL drawn; } cases[] = {
      {1, 0, 0, TRUE}, {6, 0, 2, TRUE}, {1, 5, 0, FALSE}, {0, 0, 0, FALSE},
  };
  for (const Case& k : cases) {
    Canvas c(200, 150);
    RECT rc = {20, 20, 180, 120};
    jvqRectObject o(&rc, NULL, 0x311);
    o.m_LineStyle.Set(k.width, kBlack, k.style, FALSE, 0, NULL);
    o.Render(c.dc());
    EXPECT_EQ(k.drawn ? kBlack : kWhite, c.At(20 + k.probeOffset, 70)) << k.width << "/" << k.style;
    EXPECT_EQ(kWhite, c.At(100, 70));
  }
}

// Counts the runs of ink along row y between x0 and x1.
int InkRuns(const Canvas& c, int y, int x0, int x1) {
  int runs = 0;
  BOOL inInk = FALSE;
  for (int x = x0; x < x1; x++) {
    BOOL ink = c.At(x, y) != kWhite;
    if (ink && !inInk) runs++;
    inInk = ink;
  }
  return runs;
}

TEST(OutlinePixels, DashedStylesBreakTheLine) {
  for (int style = 1; style <= 4; style++) {
    for (int width : {1, 4}) {
      Canvas c(400, 100);
      jvqLineStyle s(width, kBlack, style);
      POINT a = {10, 50}, b = {390, 50};
      s.DrawLine(c.dc(), &a, &b);
      EXPECT_GT(InkRuns(c, 50, 0, 400), 5) << style << "/" << width;
      EXPECT_LT(InkRuns(c, 50, 0, 400), 380) << style << "/" << width;
    }
  }
}

TEST(OutlinePixels, WideDashedCurvesAreStroked) {
  Canvas c(300, 300);
  jvqLineStyle s(4, kBlack, 1);
  RECT rc = {20, 20, 280, 280};
  s.DrawEllipse(c.dc(), &rc, 0);
  EXPECT_GT(c.Count(kBlack), 200);
  Canvas d(300, 300);
  s.DrawRoundRect(d.dc(), &rc, 60, 60, 0);
  EXPECT_GT(d.Count(kBlack), 200);
  Canvas e(300, 300);
  s.DrawArc(e.dc(), &rc, 0, 180, 0, 0);
  EXPECT_GT(e.Count(kBlack), 100);
}

// The line painter draws a run of segments in one call where the pen is one pixel wide; the
// pixels must be those of one LineTo a segment, also in XOR and for closed and crossing
// shapes. Wider pens keep LineTo (their joins would differ), so they must match too.
TEST(OutlinePixels, OneCallLaysTheSamePixelsAsLineToByLineTo) {
  const std::vector<POINT> shapes[] = {
      {{10, 10}, {150, 12}, {148, 110}, {12, 108}},                 // nearly a rectangle
      {{20, 100}, {60, 15}, {100, 100}, {140, 15}, {180, 100}},      // zigzag
      {{30, 30}, {170, 90}, {30, 90}, {170, 30}},                   // crossing itself
      {{100, 60}, {101, 60}, {101, 61}},                            // tiny steps
  };
  struct Case {
    int width;
    BOOL xorMode;
  } cases[] = {{1, FALSE}, {1, TRUE}, {3, FALSE}, {3, TRUE}};
  for (const Case& k : cases) {
    for (const std::vector<POINT>& pts : shapes) {
      for (BOOL open : {TRUE, FALSE}) {
        Canvas painted(200, 130), reference(200, 130);
        jvqLineStyle style(k.width, kRed, 0, k.xorMode, R2_NOTXORPEN);
        jvqPointList list;
        for (const POINT& p : pts) list.Add(&p);
        style.DrawPointList(painted.dc(), list, open);
        style.DrawPolyline(painted.dc(), pts.data(), (int)pts.size(), open);
        const RECT r = {40, 40, 120, 100};
        style.DrawRect(painted.dc(), &r);

        HDC h = reference.dc()->m_hDC;
        HPEN pen = ::CreatePen(PS_SOLID, k.width > 1 ? k.width : 0, kRed);
        HGDIOBJ old = ::SelectObject(h, pen);
        const int rop = k.xorMode ? ::SetROP2(h, R2_NOTXORPEN) : 0;
        auto trace = [h](const std::vector<POINT>& p, BOOL close) {
          ::MoveToEx(h, p[0].x, p[0].y, NULL);
          for (size_t i = 1; i < p.size(); i++) ::LineTo(h, p[i].x, p[i].y);
          if (close) ::LineTo(h, p[0].x, p[0].y);
        };
        trace(pts, !open && pts.size() > 2);
        trace(pts, !open);
        trace({{40, 40}, {40, 100}, {120, 100}, {120, 40}}, TRUE);
        if (k.xorMode) ::SetROP2(h, rop);
        ::SelectObject(h, old);
        ::DeleteObject(pen);
        EXPECT_TRUE(painted.Snapshot() == reference.Snapshot())
            << "width " << k.width << " xor " << k.xorMode << " open " << open << " first point " << pts[0].x;
      }
    }
  }
}

// The shapes whose brush fill may skip making regions, upright and turned, with the mappings
// the view uses (fit, zoomed, scrolled).
struct FillCase {
  const char* name;
  std::unique_ptr<jvqObject> object;
};

std::vector<FillCase> FillShapes() {
  std::vector<FillCase> v;
  const RECT rc = {37, 23, 151, 96}, thin = {40, 40, 41, 90}, flat = {60, 60, 60, 60};
  v.push_back({"rectangle", std::make_unique<jvqRectObject>(&rc, nullptr, 0x311)});
  v.push_back({"one unit wide rectangle", std::make_unique<jvqRectObject>(&thin, nullptr, 0x311)});
  v.push_back({"empty rectangle", std::make_unique<jvqRectObject>(&flat, nullptr, 0x311)});
  auto turned = std::make_unique<jvqRectObject>(&rc, nullptr, 0x311);
  turned->SetRotation(30);
  v.push_back({"turned rectangle", std::move(turned)});
  v.push_back({"ellipse", std::make_unique<jvqEllipseObject>(&rc, nullptr, 0x311)});
  auto turnedEllipse = std::make_unique<jvqEllipseObject>(&rc, nullptr, 0x311);
  turnedEllipse->SetRotation(45);
  v.push_back({"turned ellipse", std::move(turnedEllipse)});
  v.push_back({"rounded rectangle", std::make_unique<jvqRoundRectObject>(&rc, nullptr, 0x311)});
  const POINT corners[4] = {{30, 20}, {30, 100}, {160, 100}, {160, 20}};
  auto box = std::make_unique<jvqPolylineObject>(nullptr);
  box->SetPoints(corners, 4, nullptr, 0x351);
  v.push_back({"polyline of four upright corners", std::move(box)});
  const POINT zig[5] = {{30, 20}, {160, 20}, {160, 100}, {30, 100}, {50, 40}};
  auto poly = std::make_unique<jvqPolylineObject>(nullptr);
  poly->SetPoints(zig, 5, nullptr, 0x351);
  v.push_back({"polyline", std::move(poly)});
  v.push_back({"page", std::make_unique<jvqPage>(&rc, nullptr)});
  return v;
}

TEST(FillPixels, RegionRectAgreesWithTheRegion) {
  Canvas c(10, 10);
  const char* upright[] = {"rectangle", "one unit wide rectangle", "empty rectangle", "ellipse",
                           "rounded rectangle", "polyline of four upright corners", "page"};
  for (FillCase& k : FillShapes()) {
    RECT r;
    const BOOL bRect = k.object->GetRegionRect(c.dc(), &r);
    BOOL bExpected = FALSE;
    for (const char* n : upright) bExpected |= std::strcmp(n, k.name) == 0;
    EXPECT_EQ(bExpected, bRect) << k.name;
    if (!bRect) continue;
    EXPECT_LE(r.left, r.right);
    EXPECT_LE(r.top, r.bottom);
    CRgn region, rect;
    k.object->GetRegion(c.dc(), &region);
    rect.CreateRectRgn(r.left, r.top, r.right, r.bottom);
    EXPECT_TRUE(::EqualRgn((HRGN)region.m_hObject, (HRGN)rect.m_hObject)) << k.name;
  }
}

TEST(FillPixels, BrushFillLaysTheSamePixelsAsItsRegionClippedToItsOutline) {
  struct Mapping {
    int winX, winY, vpX, vpY, orgX, orgY;
  } mappings[] = {
      {1, 1, 1, 1, 0, 0},            // one unit a pixel
      {4200, 2970, 969, 685, 7, 3},  // an A3 page fitted to the view
      {1000, 1000, 2717, 2717, -90, -41},  // zoomed in and scrolled
      {3, 7, 2, 5, 1, -2},           // uneven axes
  };
  const LOGBRUSH brushes[] = {{BS_SOLID, RGB(40, 100, 200), 0},      {BS_HATCHED, kRed, HS_CROSS},
                              {BS_HATCHED, kRed, HS_DIAGCROSS},      {BS_HATCHED, kBlack, HS_BDIAGONAL},
                              {BS_HATCHED, RGB(0, 128, 0), HS_FDIAGONAL}, {BS_HATCHED, kBlack, HS_HORIZONTAL},
                              {BS_HATCHED, kBlack, HS_VERTICAL}};
  for (FillCase& k : FillShapes()) {
    for (const Mapping& m : mappings) {
      for (const LOGBRUSH& lb : brushes) {
        jvqSolidFill fill(lb.lbStyle, lb.lbColor, lb.lbHatch);
        Canvas painted(400, 300), reference(400, 300);
        for (Canvas* c : {&painted, &reference}) {
          c->dc()->SetMapMode(MM_ANISOTROPIC);
          c->dc()->SetWindowExt(m.winX, m.winY);
          c->dc()->SetViewportExt(m.vpX, m.vpY);
          c->dc()->SetViewportOrg(m.orgX, m.orgY);
        }
        fill.Paint(painted.dc(), k.object.get());
        // Painting as it always was: the region, clipped to the outline in device pixels.
        CRgn region, device;
        ASSERT_TRUE(k.object->GetRegion(reference.dc(), &region)) << k.name;
        fill.MakeDeviceRegion(reference.dc(), &device, k.object.get());
        fill.FillRegion(reference.dc(), &region, &device);
        EXPECT_TRUE(painted.Snapshot() == reference.Snapshot())
            << k.name << ", mapping " << m.winX << ":" << m.vpX << ", brush " << lb.lbStyle << "/" << lb.lbHatch;
        HRGN hRgn = ::CreateRectRgn(0, 0, 1, 1);
        EXPECT_EQ(0, ::GetClipRgn(painted.dc()->m_hDC, hRgn)) << k.name;
        ::DeleteObject(hRgn);
      }
    }
  }
}

TEST(FillPixels, BrushFillUnderAnotherMixModeStillPaintsItsRegion) {
  // XOR painting keeps the region's own way of painting.
  const RECT rc = {20, 20, 120, 80};
  jvqRectObject o(&rc, nullptr, 0x311);
  jvqSolidFill fill(kRed);
  Canvas painted(150, 100), reference(150, 100);
  for (Canvas* c : {&painted, &reference}) ::SetROP2(c->dc()->m_hDC, R2_XORPEN);
  fill.Paint(painted.dc(), &o);
  CRgn region, device;
  o.GetRegion(reference.dc(), &region);
  fill.MakeDeviceRegion(reference.dc(), &device, &o);
  fill.FillRegion(reference.dc(), &region, &device);
  EXPECT_TRUE(painted.Snapshot() == reference.Snapshot());
  EXPECT_NE(kRed, painted.At(50, 50));
}

TEST(OutlinePixels, KeptPensDrawEachStyleInItsOwnColourAndWidth) {
  // More styles than pens are kept, twice round, so pens are made again after being let go.
  Canvas c(200, 100);
  for (int round = 0; round < 2; round++) {
    for (int i = 0; i < 40; i++) {
      const COLORREF cr = RGB(i * 6, 255 - i * 6, (i * 37) % 256);
      const int width = 1 + i % 3;
      jvqLineStyle style(width, cr, 0, FALSE, R2_COPYPEN);
      const POINT a = {10 + i * 4, 10}, b = {10 + i * 4, 90};
      style.DrawLine(c.dc(), &a, &b);
      EXPECT_EQ(cr, c.At(a.x, 50)) << "style " << i << " round " << round;
    }
  }
  // The DC gets its own pen back.
  EXPECT_EQ(::GetStockObject(BLACK_PEN), ::GetCurrentObject(c.dc()->m_hDC, OBJ_PEN));
}

TEST(XorFeedback, DrawingTwiceRestoresTheScreen) {
  Canvas c(200, 200);
  for (int y = 0; y < 200; y += 7) {
    RECT band = {0, y, 200, y + 3};
    ::FillRect(c.dc()->m_hDC, &band, (HBRUSH)::GetStockObject(GRAY_BRUSH));
  }
  std::vector<DWORD> before = c.Snapshot();
  const POINT pts[4] = {{10, 10}, {190, 30}, {150, 180}, {20, 150}};
  jvqPointList l(pts, 4);
  theXorDotStyle.DrawPointList(c.dc(), l, FALSE);
  EXPECT_NE(before, c.Snapshot());
  theXorDotStyle.DrawPointList(c.dc(), l, FALSE);
  EXPECT_EQ(before, c.Snapshot());
  POINT a = {0, 0}, b = {199, 199};
  theXorSolidStyle.DrawLine(c.dc(), &a, &b);
  theXorSolidStyle.DrawLine(c.dc(), &a, &b);
  EXPECT_EQ(before, c.Snapshot());
}

TEST(FillPixels, EllipseFillStaysInside) {
  Canvas c(200, 200);
  RECT rc = {20, 20, 180, 180};
  jvqEllipseObject e(&rc, NULL, 0x311);
  e.SetFill(new jvqSolidFill(kRed));
  e.m_LineStyle.SetStyle(5);
  e.Render(c.dc());
  EXPECT_EQ(kRed, c.At(100, 100));
  EXPECT_EQ(kWhite, c.At(25, 25));
  EXPECT_EQ(kWhite, c.At(175, 175));
  EXPECT_EQ(kWhite, c.At(5, 100));
  // The screen DC leaves painting without a clip region.
  HRGN hRgn = ::CreateRectRgn(0, 0, 1, 1);
  EXPECT_EQ(0, ::GetClipRgn(c.dc()->m_hDC, hRgn));
  ::DeleteObject(hRgn);
}

TEST(FillPixels, TurnedRectangleFillMatchesItsOutline) {
  Canvas c(300, 300);
  RECT rc = {60, 100, 240, 200};
  jvqRectObject o(&rc, NULL, 0x311);
  o.SetFill(new jvqSolidFill(kRed));
  o.m_LineStyle.SetStyle(5);
  o.m_dRotation = 30;
  o.GetHandlePoints(o.m_FramePoints);
  o.Render(c.dc());
  int mismatches = 0, inside = 0;
  for (int y = 0; y < 300; y++)
    for (int x = 0; x < 300; x++) {
      POINT p = {x, y};
      BOOL in = o.m_FramePoints.PtInPolygon(&p);
      BOOL red = c.At(x, y) == kRed;
      if (in) inside++;
      if (in != red) mismatches++;
    }
  EXPECT_GT(inside, 10000);
  EXPECT_LT(mismatches, inside / 50);  // only along the border
}

TEST(FillPixels, GradientRunsAcrossTheBox) {
  Canvas c(300, 120);
  RECT rc = {10, 10, 290, 110};
  jvqRectObject o(&rc, NULL, 0x311);
  jvqGradientFill* g = new jvqGradientFill;
  g->SetColor1(kBlack);
  g->SetColor2(kWhite);
  g->SetKind(0);
  o.SetFill(g);
  o.m_LineStyle.SetStyle(5);
  o.Render(c.dc());
  EXPECT_LT(GetRValue(c.At(10, 50)), 8);  // each band takes the colour that ends it
  EXPECT_GT(GetRValue(c.At(288, 50)), 240);
  EXPECT_LT(GetRValue(c.At(100, 50)), GetRValue(c.At(200, 50)));
  EXPECT_EQ(kWhite, c.At(5, 50));
  EXPECT_EQ(kWhite, c.At(150, 5));
}

TEST(FillPixels, SolidPaintRectUsesTheColourAndKeepsTheBackground) {
  Canvas c(100, 100);
  ::SetBkColor(c.dc()->m_hDC, RGB(1, 2, 3));
  jvqSolidFill f(BS_HATCHED, kRed, HS_CROSS);
  RECT rc = {10, 10, 50, 50};
  f.PaintRect(c.dc(), &rc);
  EXPECT_EQ(kRed, c.At(20, 21));
  EXPECT_EQ(kWhite, c.At(60, 60));
  EXPECT_EQ(RGB(1, 2, 3), ::GetBkColor(c.dc()->m_hDC));
}

TEST(FillPixels, GradientLeavesNoClipRegionAndUnknownKindPaintsNothing) {
  Canvas c(100, 100);
  RECT rc = {10, 10, 90, 90};
  jvqRectObject o(&rc, NULL, 0x311);
  jvqGradientFill* g = new jvqGradientFill;
  g->SetKind(9);
  o.SetFill(g);
  o.m_LineStyle.SetStyle(5);
  o.Render(c.dc());
  EXPECT_EQ(kWhite, c.At(50, 50));
  HRGN hRgn = ::CreateRectRgn(0, 0, 1, 1);
  EXPECT_EQ(0, ::GetClipRgn(c.dc()->m_hDC, hRgn));
  ::DeleteObject(hRgn);
  g->SetKind(6);
  g->SetColor1(kRed);
  g->SetColor2(kRed);
  o.Render(c.dc());
  EXPECT_EQ(kRed, c.At(50, 50));  // equal colours: one solid box
  EXPECT_EQ(kWhite, c.At(5, 50));
}

TEST(LineEndPixels, ArrowheadBeyondTheLineEnd) {
  Canvas c(300, 100);
  jvqPolylineObject o(NULL);
  const POINT pts[2] = {{20, 50}, {200, 50}};
  o.SetPoints(pts, 2, NULL, 0x141);
  o.m_LineStyle.Set(2, kBlack, 0, FALSE, 0, NULL);
  o.m_EndLineEnd = *GetLineEnd(3);
  o.Render(c.dc());
  EXPECT_EQ(kBlack, c.At(210, 50));  // the triangle reaches past the end
  EXPECT_EQ(kBlack, c.At(195, 40));  // and is wider than the line
  EXPECT_EQ(kWhite, c.At(25, 40));   // no shape at the start
}

TEST(MarkerPixels, SelectedRectangleShowsGreenHandles) {
  Canvas c(200, 200);
  RECT rc = {40, 40, 160, 160};
  jvqRectObject o(&rc, NULL, 0x319);
  o.Draw(c.dc());
  EXPECT_EQ(RGB(0, 255, 0), c.At(160, 160));
  EXPECT_EQ(RGB(0, 255, 0), c.At(100, 42));
  EXPECT_EQ(kWhite, c.At(165, 165));  // 8 pixels: 4 either side
  Canvas d(200, 200);
  o.m_dwState &= ~JVQ_STATE_SELECTED;
  o.Draw(d.dc());
  EXPECT_NE(RGB(0, 255, 0), d.At(160, 160));
}

}  // namespace
