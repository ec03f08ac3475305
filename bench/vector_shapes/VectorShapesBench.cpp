// Vector shapes under Wine: 500 symbols painted with the transformation cache hit and with
// every drawing transforming again, and the conversion of a metafile of 100,000 polygons.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "afxwin.h"
#include "jvqSymbolObject.h"
#include "jvqVectorFill.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
  const char* shapeFile = argc > 1 ? argv[1] : "シンボル\\平面記号\\ベッド.tqz";
  HDC dc = ::CreateCompatibleDC(NULL);
  BITMAPINFO bi = {};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 1024, -768, 1, 32, BI_RGB};
  void* bits = NULL;
  HBITMAP bmp = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
  ::SelectObject(dc, bmp);
  CDC* pDC = CDC::FromHandle(dc);

  std::vector<std::unique_ptr<jvqSymbolObject>> symbols;
  for (int i = 0; i < 500; i++) {
    const RECT r = {(i % 25) * 40, (i / 25) * 38, (i % 25) * 40 + 36, (i / 25) * 38 + 34};
    auto s = std::make_unique<jvqSymbolObject>(&r, nullptr, 0x311);
    jvqVectorFill* f = new jvqVectorFill(shapeFile);
    if (f->GetShape() == NULL || f->GetShape()->GetPrimitiveCount() == 0) {
      std::fprintf(stderr, "cannot read %s\n", shapeFile);
      return 1;
    }
    s->SetFill(f);
    if (i % 3 == 1) s->SetRotation(30);
    symbols.push_back(std::move(s));
  }
  const int primitives = ((jvqVectorFill*)symbols[0]->GetFill())->GetShape()->GetPrimitiveCount();
  const int points = ((jvqVectorFill*)symbols[0]->GetFill())->GetShape()->GetPointCount();
  auto paintAll = [&](bool force) {
    for (auto& s : symbols) {
      jvqVectorFill* f = (jvqVectorFill*)s->GetFill();
      if (force) f->GetShape()->m_nCachedAngle = VECTOR_ANGLE_STALE;
      f->Paint(pDC, s.get());
    }
  };
  paintAll(false);
  const int frames = 40;
  for (bool force : {false, true}) {
    const auto t0 = std::chrono::steady_clock::now();
    for (int k = 0; k < frames; k++) paintAll(force);
    ::GdiFlush();
    const double t = Seconds(t0);
    std::printf("| 500 symbols (%d primitives, %d points each), %s | %.2f ms a frame | %.1f us a symbol |\n", primitives,
                points, force ? "transformed every time" : "cache hit", t * 1000 / frames, t * 1e6 / frames / 500);
  }

  // What the drawing costs apart from the primitives: the mapping-mode round trip of each
  // drawing, and the three pens and brushes made and selected.
  {
    const auto t0 = std::chrono::steady_clock::now();
    for (int k = 0; k < frames * 500; k++) {
      SIZE we, ve;
      POINT c[2] = {{0, 0}, {36, 34}};
      ::LPtoDP(dc, c, 2);
      ::SetMapMode(dc, MM_HIMETRIC);
      ::GetWindowExtEx(dc, &we);
      ::GetViewportExtEx(dc, &ve);
      ::SetMapMode(dc, MM_ANISOTROPIC);
      ::SetWindowExtEx(dc, (int)(0.05 * we.cy), (int)(0.05 * we.cy), NULL);
      ::SetViewportExtEx(dc, -ve.cy, -ve.cy, NULL);
      ::DPtoLP(dc, c, 2);
      ::SetMapMode(dc, MM_TEXT);
    }
    const double t = Seconds(t0);
    std::printf("| mapping round trip alone | | %.1f us a symbol |\n", t * 1e6 / frames / 500);
    const auto t1 = std::chrono::steady_clock::now();
    for (int k = 0; k < frames * 500 * primitives; k++) {
      LOGBRUSH lb = {BS_SOLID, 0xF0F0F0, 0};
      LOGPEN lp = {PS_SOLID, {1, 0}, 0};
      HBRUSH b = ::CreateBrushIndirect(&lb);
      HPEN p = ::CreatePenIndirect(&lp);
      HGDIOBJ ob = ::SelectObject(dc, b), op = ::SelectObject(dc, p);
      ::SelectObject(dc, ob);
      ::SelectObject(dc, op);
      ::DeleteObject(b);
      ::DeleteObject(p);
    }
    std::printf("| pens and brushes alone | | %.1f us a symbol |\n", Seconds(t1) * 1e6 / frames / 500);
    const auto t2 = std::chrono::steady_clock::now();
    for (int k = 0; k < frames * 500; k++) {
      ::SetMapMode(dc, MM_HIMETRIC);
      ::SetMapMode(dc, MM_TEXT);
    }
    std::printf("| MM_HIMETRIC and back alone | | %.1f us a symbol |\n", Seconds(t2) * 1e6 / frames / 500);
    const auto t4 = std::chrono::steady_clock::now();
    int sink = 0;
    for (int k = 0; k < frames * 500; k++)
      sink += ::GetDeviceCaps(dc, HORZSIZE) + ::GetDeviceCaps(dc, VERTSIZE) + ::GetDeviceCaps(dc, HORZRES) +
              ::GetDeviceCaps(dc, VERTRES);
    std::printf("| four device sizes alone (%d) | | %.1f us a symbol |\n", sink & 1, Seconds(t4) * 1e6 / frames / 500);
    {
      SIZE we, ve;
      ::SetMapMode(dc, MM_HIMETRIC);
      ::GetWindowExtEx(dc, &we);
      ::GetViewportExtEx(dc, &ve);
      ::SetMapMode(dc, MM_TEXT);
      std::printf("| MM_HIMETRIC extents %ld x %ld over %ld x %ld; caps %d %d %d %d | | |\n", we.cx, we.cy, ve.cx, ve.cy,
                  ::GetDeviceCaps(dc, HORZSIZE), ::GetDeviceCaps(dc, VERTSIZE), ::GetDeviceCaps(dc, HORZRES),
                  ::GetDeviceCaps(dc, VERTRES));
    }
    const auto t3 = std::chrono::steady_clock::now();
    for (int k = 0; k < frames * 500; k++) {
      ::SetMapMode(dc, MM_ANISOTROPIC);
      ::SetWindowExtEx(dc, 100, 100, NULL);
      ::SetViewportExtEx(dc, 37, 37, NULL);
      ::SetMapMode(dc, MM_TEXT);
    }
    std::printf("| MM_ANISOTROPIC extents and back alone | | %.1f us a symbol |\n", Seconds(t3) * 1e6 / frames / 500);
  }

  // A metafile of 100,000 triangles over a grid of shared corners.
  const char* emf = "vector_shapes_bench.emf";
  const RECT frame = {0, 0, 100000, 100000};
  HDC mdc = ::CreateEnhMetaFileA(NULL, emf, &frame, NULL);
  HBRUSH brush = ::CreateSolidBrush(RGB(200, 220, 240));
  ::SelectObject(mdc, brush);
  int made = 0;
  for (int y = 0; made < 100000; y++)
    for (int x = 0; x < 250 && made < 100000; x++, made++) {
      const POINT t[3] = {{x * 10, y * 10}, {x * 10 + 10, y * 10}, {x * 10, y * 10 + 10}};
      ::Polygon(mdc, t, 3);
    }
  ::DeleteEnhMetaFile(::CloseEnhMetaFile(mdc));
  ::DeleteObject(brush);
  CVectorShapeEx shape;
  const auto t0 = std::chrono::steady_clock::now();
  const BOOL ok = shape.LoadMetafile(emf);
  const double t = Seconds(t0);
  std::printf("| convert a metafile of 100,000 polygons (%s, %d primitives, %d points) | %.0f ms | |\n",
              ok ? "ok" : "failed", shape.GetPrimitiveCount(), shape.GetPointCount(), t * 1000);
  ::DeleteFileA(emf);
  ::DeleteDC(dc);
  ::DeleteObject(bmp);
  return ok ? 0 : 1;
}
