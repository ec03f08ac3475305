// Metafile conversion (EMF, placeable and plain WMF made by our own GDI code) and the
// drawing of shapes and symbols, checked on pixels.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "ShapeFixture.h"
#include "afxwin.h"
#include "jvqImagePool.h"
#include "jvqMadorizuObject.h"
#include "jvqSymbolObject.h"
#include "jvqViewMapping.h"
#include "jvqVectorFill.h"

namespace {

// An EMF drawn by `draw` on a frame of w x h hundredths of a millimetre, in MM_TEXT.
std::string MakeEmf(const std::string& path, int w, int h, const std::function<void(HDC)>& draw) {
  const RECT frame = {0, 0, w, h};
  HDC dc = ::CreateEnhMetaFileA(NULL, path.c_str(), &frame, NULL);
  draw(dc);
  ::DeleteEnhMetaFile(::CloseEnhMetaFile(dc));
  return path;
}

// A plain Windows metafile made by GDI.
std::string MakeWmfBytes(const std::function<void(HDC)>& draw) {
  HDC dc = ::CreateMetaFileA(NULL);
  draw(dc);
  HMETAFILE h = ::CloseMetaFile(dc);
  const UINT n = ::GetMetaFileBitsEx(h, 0, NULL);
  std::string b(n, '\0');
  ::GetMetaFileBitsEx(h, n, &b[0]);
  ::DeleteMetaFile(h);
  return b;
}

// The placeable header, written by hand: key, handle, box, units per inch, reserved, checksum.
std::string Placeable(short l, short t, short r, short b, WORD inch) {
  std::string h(22, '\0');
  const DWORD key = 0x9AC6CDD7;
  std::memcpy(&h[0], &key, 4);
  const short box[4] = {l, t, r, b};
  std::memcpy(&h[6], box, 8);
  std::memcpy(&h[14], &inch, 2);
  WORD sum = 0;
  for (int i = 0; i < 20; i += 2) {
    WORD w;
    std::memcpy(&w, &h[i], 2);
    sum ^= w;
  }
  std::memcpy(&h[20], &sum, 2);
  return h;
}

void TwoSquaresSharingACorner(HDC dc) {
  HPEN pen = ::CreatePen(PS_SOLID, 3, RGB(0, 0, 255));
  HBRUSH brush = ::CreateSolidBrush(RGB(0, 255, 0));
  ::SelectObject(dc, pen);
  ::SelectObject(dc, brush);
  ::SetPolyFillMode(dc, WINDING);
  const POINT a[4] = {{10, 10}, {50, 10}, {50, 50}, {10, 50}};
  const POINT b[4] = {{50, 50}, {90, 50}, {90, 90}, {50, 90}};
  ::Polygon(dc, a, 4);
  ::Polygon(dc, b, 4);
  const POINT line[3] = {{10, 90}, {30, 70}, {10, 50}};
  ::Polyline(dc, line, 3);
  ::Rectangle(dc, 60, 10, 90, 30);
  ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
  ::SelectObject(dc, ::GetStockObject(WHITE_BRUSH));
  ::DeleteObject(pen);
  ::DeleteObject(brush);
}

class Metafile : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) {
    m_Paths.push_back("shape_metafile_" + name);
    return m_Paths.back();
  }
  void TearDown() override {
    for (const std::string& p : m_Paths) std::remove(p.c_str());
  }
  std::vector<std::string> m_Paths;
};

TEST_F(Metafile, PolygonsLinesAndRectanglesBecomePrimitivesOverSharedPoints) {
  const std::string emf = MakeEmf(Path("squares.emf"), 2540, 2540, TwoSquaresSharingACorner);
  CVectorShapeEx s;
  ASSERT_TRUE(s.LoadMetafile(emf.c_str()));
  ASSERT_EQ(4, s.GetPrimitiveCount());
  // 4 + 3 new corners of the second square + 2 new points of the line + 4 of the rectangle
  // ((60,10),(60,30),(90,30),(90,10)): the corner (50,50) is stored once, (10,50) too.
  EXPECT_EQ(4 + 3 + 2 + 4, s.GetPointCount());
  EXPECT_EQ(s.GetPrimitive(0)->m_Indexes[2], s.GetPrimitive(1)->m_Indexes[0]);
  const int kinds[4] = {VECTOR_KIND_POLYGON, VECTOR_KIND_POLYGON, VECTOR_KIND_POLYLINE, VECTOR_KIND_POLYGON};
  for (int i = 0; i < 4; i++) {
    CVectorPrimitive* p = s.GetPrimitive(i);
    EXPECT_EQ(kinds[i], p->m_nKind) << i;
    EXPECT_EQ((COLORREF)RGB(0, 0, 255), p->m_Pen.lopnColor) << i;
    EXPECT_EQ(3, p->m_Pen.lopnWidth.x) << i;
    EXPECT_EQ((COLORREF)RGB(0, 255, 0), p->m_Brush.lbColor) << i;
    EXPECT_EQ(VECTOR_FILL_WINDING, p->m_nFillMode) << i;
  }
  EXPECT_EQ(4, s.GetPrimitive(3)->GetIndexCount());
  // The frame is the header's: an inch in the reference device's pixels; the points' box
  // (80 wide) is centred in it.
  EXPECT_EQ(254, s.m_Header.m_nPhysWidth);
  const int W = (int)s.m_Header.m_nFrameWidth;
  EXPECT_GT(W, 80);
  EXPECT_EQ((W - 80) / 2, s.m_Header.m_Bounds[0]);
  EXPECT_EQ(s.m_Header.m_Bounds[0] + 80, s.m_Header.m_Bounds[2]);
  // Written and read back, the shape is the same.
  s.m_Header.m_nModelWidth = 900;
  CVectorShapeEx back;
  const std::string tqz = Path("squares.tqz");
  ASSERT_TRUE(s.SaveFile(tqz.c_str()));
  ASSERT_TRUE(back.LoadFile(tqz.c_str()));
  EXPECT_EQ(StreamOf(s), StreamOf(back));
}

TEST_F(Metafile, CurvesEllipsesAndWidePolygonsGiveNoPrimitives) {
  const std::string emf = MakeEmf(Path("curves.emf"), 2540, 2540, [](HDC dc) {
    ::Ellipse(dc, 0, 0, 50, 50);
    const POINT bez[4] = {{0, 0}, {10, 40}, {40, 10}, {50, 50}};
    ::PolyBezier(dc, bez, 4);
    const POINT wide[3] = {{0, 0}, {70000, 0}, {0, 70000}};  // needs 32-bit records
    ::Polygon(dc, wide, 3);
    ::Arc(dc, 0, 0, 40, 40, 0, 20, 40, 20);
  });
  CVectorShapeEx s;
  ASSERT_TRUE(s.LoadMetafile(emf.c_str()));
  EXPECT_EQ(0, s.GetPrimitiveCount());
  EXPECT_EQ(0, s.GetPointCount());
  HDC dc = ::CreateCompatibleDC(NULL);
  CDC* pDC = CDC::FromHandle(dc);
  const RECT r = {0, 0, 10, 10};
  EXPECT_FALSE(s.Draw(pDC, &r, 0));
  ::DeleteDC(dc);
}

TEST_F(Metafile, PlaceableAndPlainWindowsMetafiles) {
  const std::string wmf = MakeWmfBytes(TwoSquaresSharingACorner);
  ASSERT_GT(wmf.size(), 18u);
  const std::string placeable = Path("placeable.wmf");
  ASSERT_TRUE(WriteFileBytes(placeable, Placeable(0, 0, 1000, 500, 1000) + wmf));
  CVectorShapeEx s;
  ASSERT_TRUE(s.LoadMetafile(placeable.c_str()));
  EXPECT_EQ(4, s.GetPrimitiveCount());
  EXPECT_EQ(13, s.GetPointCount());
  EXPECT_EQ(1000u, s.m_Header.m_nFrameWidth);
  EXPECT_EQ(500u, s.m_Header.m_nFrameHeight);
  EXPECT_EQ(254, s.m_Header.m_nPhysWidth);
  EXPECT_EQ(127, s.m_Header.m_nPhysHeight);
  EXPECT_EQ(0, s.m_Header.m_nModelWidth);
  EXPECT_EQ((1000 - 80) / 2, s.m_Header.m_Bounds[0]);

  // Without the placeable header the frame is the points' own span.
  const std::string plain = Path("plain.wmf");
  ASSERT_TRUE(WriteFileBytes(plain, wmf));
  CVectorShapeEx p;
  ASSERT_TRUE(p.LoadMetafile(plain.c_str()));
  EXPECT_EQ(4, p.GetPrimitiveCount());
  EXPECT_EQ(80u, p.m_Header.m_nFrameWidth);
  EXPECT_EQ(0, p.m_Header.m_Bounds[0]);
  EXPECT_EQ(80, p.m_Header.m_Bounds[2]);
  EXPECT_EQ(0, p.m_Header.m_nPhysWidth);
}

TEST_F(Metafile, CountsAreBoundedByTheRecordAndTheFile) {
  const std::string good = MakeWmfBytes(TwoSquaresSharingACorner);
  struct Case { const char* what; std::string bytes; } cases[] = {
      {"size past the file", [&] { std::string b = good; DWORD n = 0x10000000; std::memcpy(&b[6], &n, 4); return b; }()},
      {"size one word past the file", [&] { std::string b = good; DWORD n = (DWORD)good.size() / 2 + 1; std::memcpy(&b[6], &n, 4); return b; }()},
      {"size below the header", [&] { std::string b = good; DWORD n = 4; std::memcpy(&b[6], &n, 4); return b; }()},
      {"type 3", [&] { std::string b = good; b[0] = 3; return b; }()},
      {"cut header", good.substr(0, 10)},
      {"placeable header alone", Placeable(0, 0, 10, 10, 1440).substr(0, 20)},
  };
  for (const Case& c : cases) {
    const std::string path = Path("bad.wmf");
    ASSERT_TRUE(WriteFileBytes(path, c.bytes));
    CVectorShapeEx s;
    EXPECT_FALSE(s.LoadMetafile(path.c_str())) << c.what;
    EXPECT_EQ(0, s.GetPrimitiveCount()) << c.what;
  }
  // An EMF polygon record whose point count exceeds its record is skipped, not read past.
  const std::string emf = MakeEmf(Path("count.emf"), 2540, 2540, [](HDC dc) {
    const POINT a[3] = {{0, 0}, {40, 0}, {0, 40}};
    ::Polygon(dc, a, 3);
    const POINT b[3] = {{50, 50}, {90, 50}, {50, 90}};
    ::Polygon(dc, b, 3);
  });
  std::string bytes = ReadFileBytes(emf);
  size_t at = 0, found = 0;
  while (at + 8 <= bytes.size()) {
    DWORD type, size;
    std::memcpy(&type, &bytes[at], 4);
    std::memcpy(&size, &bytes[at + 4], 4);
    if (type == EMR_POLYGON16 && found++ == 0) {
      const DWORD huge = 0x3FFFFFFF;
      std::memcpy(&bytes[at + 24], &huge, 4);
    }
    if (size == 0) break;
    at += size;
  }
  ASSERT_EQ(2u, found);
  const std::string patched = Path("patched.emf");
  ASSERT_TRUE(WriteFileBytes(patched, bytes));
  CVectorShapeEx s;
  ASSERT_TRUE(s.LoadMetafile(patched.c_str()));
  EXPECT_EQ(1, s.GetPrimitiveCount());
  EXPECT_EQ(3, s.GetPointCount());
}

// A 24-bit canvas of w x h white pixels in MM_TEXT.
struct Canvas {
  HDC dc;
  HBITMAP bmp, old;
  BYTE* bits;
  int w, h;
  Canvas(int cw, int ch) : w(cw), h(ch) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    dc = ::CreateCompatibleDC(NULL);
    bmp = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, (void**)&bits, NULL, 0);
    old = (HBITMAP)::SelectObject(dc, bmp);
    ::PatBlt(dc, 0, 0, w, h, WHITENESS);
  }
  ~Canvas() {
    ::SelectObject(dc, old);
    ::DeleteObject(bmp);
    ::DeleteDC(dc);
  }
  COLORREF At(int x, int y) const {
    ::GdiFlush();
    const BYTE* p = bits + (y * w + x) * 4;
    return RGB(p[2], p[1], p[0]);
  }
};

TEST(ShapePixels, MirroredAndTurnedShapesStayInTheirRectangle) {
  // The fixture's red triangle fills the top-left half of its frame.
  struct Case { int mirror, angle; POINT red, white; } cases[] = {
      {0, 0, {20, 10}, {180, 90}},    {2, 0, {180, 10}, {40, 90}},   {1, 0, {20, 90}, {180, 10}},
      {3, 0, {180, 90}, {40, 10}},    {0, 360, {20, 10}, {180, 90}}, {0, -360, {20, 10}, {180, 90}},
      {0, 180, {180, 90}, {40, 10}},
  };
  for (const Case& c : cases) {
    Canvas cv(220, 120);
    CDC* pDC = CDC::FromHandle(cv.dc);
    std::unique_ptr<CVectorShapeEx> s(MakeShape());
    s->m_nMirror = c.mirror;
    // The canvas in MM_TEXT: the shape's rectangle is given in pixels.
    const RECT r = {5, 5, 205, 105};
    ASSERT_TRUE(s->Draw(pDC, &r, c.angle));
    EXPECT_EQ((COLORREF)0x0000FF, cv.At(c.red.x, c.red.y)) << "mirror " << c.mirror << " angle " << c.angle;
    EXPECT_EQ((COLORREF)0xFFFFFF, cv.At(c.white.x, c.white.y)) << "mirror " << c.mirror << " angle " << c.angle;
    EXPECT_EQ(MM_TEXT, ::GetMapMode(cv.dc));
  }
}

TEST(ShapePixels, ASymbolPaintsItsShapeThroughTheVectorFill) {
  Canvas cv(220, 120);
  CDC* pDC = CDC::FromHandle(cv.dc);
  const RECT rc = {10, 10, 210, 110};
  jvqSymbolObject sym(&rc, NULL, 0x311);
  jvqVectorFill* f = new jvqVectorFill;
  f->SetShape(MakeShape());
  sym.SetFill(f);
  f->Paint(pDC, &sym);
  EXPECT_EQ((COLORREF)0x0000FF, cv.At(30, 20));
  EXPECT_EQ((COLORREF)0xFFFFFF, cv.At(190, 100));
  sym.Flip(1);
  ::PatBlt(cv.dc, 0, 0, 220, 120, WHITENESS);
  f->Paint(pDC, &sym);
  EXPECT_EQ((COLORREF)0x0000FF, cv.At(190, 20));
  EXPECT_EQ((COLORREF)0xFFFFFF, cv.At(30, 100));
  // The painter's own rectangle drawing keeps the angle of its last paint.
  ::PatBlt(cv.dc, 0, 0, 220, 120, WHITENESS);
  f->PaintRect(pDC, &rc);
  EXPECT_EQ((COLORREF)0x0000FF, cv.At(190, 20));
}

}  // namespace

namespace {

// The program folder's plan symbols are what the board designer's conversion makes of the
// metafiles they were drawn as.
TEST(LibraryContent, PlanSymbolsAreTheConversionsOfTheirMetafiles) {
  int n = 0;
  for (const char* id : {"door", "window", "bed", "bathtub", "tree", "table"}) {
    const std::string base = std::string("../maker/shapes/") + id;
    const std::string made = ReadFileBytes(base + ".tqz");
    ASSERT_GT(made.size(), 75u) << id;
    CVectorShapeEx s;
    ASSERT_TRUE(s.LoadMetafile((base + ".emf").c_str())) << id;
    s.m_Header.m_nModelWidth = IntIn(made, 11);
    s.m_Header.m_nModelHeight = IntIn(made, 15);
    EXPECT_EQ(made, StreamOf(s)) << id;
    EXPECT_GT(s.GetPrimitiveCount(), 1) << id;
    n++;
  }
  EXPECT_EQ(6, n);
  CVectorShapeEx door;
  ASSERT_TRUE(door.LoadFile("シンボル/平面記号/ドア.tqz"));
  EXPECT_EQ(900, door.m_Header.m_nModelWidth);
}

TEST(LibraryContent, FloorPlansOpenAtTheirSize) {
  jvqImagePool pool;
  jvqViewMapping view;
  struct Case { const char* file; int w, h; } cases[] = {{"間取り図/2LDK.kxq", 100000, 80000}, {"間取り図/1K.kxq", 60000, 50000}};
  for (const Case& c : cases) {
    jvqMadorizuObject plan(c.file, &view, &pool, 0x311);
    ASSERT_EQ(1, plan.GetChildCount()) << c.file;
    EXPECT_EQ(c.w, plan.m_nPlanWidth);
    EXPECT_EQ(c.h, plan.m_nPlanHeight);
    plan.SetScale(0.01);
    RECT r;
    plan.GetBoundRect(&r);
    EXPECT_EQ(c.w / 100, r.right - r.left);
    EXPECT_EQ(100, plan.GetScaleDenominator());
  }
}

}  // namespace
