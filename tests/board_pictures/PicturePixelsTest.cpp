// Pictures, patterns and textures read back from a memory DC mapped as the editing view
// maps it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "PictureFixture.h"
#include "afxwin.h"
#include "jvqImageFileList.h"
#include "jvqImageFill.h"
#include "jvqImageObject.h"
#include "jvqImagePool.h"
#include "jvqPage.h"
#include "jvqPatternFill.h"
#include "jvqRectObject.h"
#include "jvqTextureFill.h"
#include "jvqViewMapping.h"

namespace {

// A white 32-bit DIB section in a memory DC.
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
  int Count(COLORREF cr) const {
    int n = 0;
    for (int y = 0; y < m_h; y++)
      for (int x = 0; x < m_w; x++)
        if (At(x, y) == cr) n++;
    return n;
  }
  // The distance between the first two columns of the first row holding the colour.
  int Period(COLORREF cr) const {
    for (int y = 0; y < m_h; y++) {
      int first = -1;
      for (int x = 0; x < m_w; x++) {
        if (At(x, y) != cr) continue;
        if (first < 0) {
          first = x;
        } else if (x > first + 1) {
          return x - first;
        }
      }
    }
    return -1;
  }
  CDC* dc() { return &m_dc; }
  int m_w, m_h;

 private:
  HDC m_hDC;
  HBITMAP m_hBitmap;
  HGDIOBJ m_hOld;
  DWORD* m_bits;
  CDC m_dc;
};

void MapAsView(CDC* dc, jvqViewMapping* view, int zoom, int w, int h) {
  view->m_dZoom = zoom;
  view->m_nClientWidth = w;
  view->m_nClientHeight = h;
  view->m_nPageWidth = 100;
  view->m_nPageHeight = 100;
  view->PrepareDC(dc);
}

// A 16 x 16 tile with one marked pixel at its top left.
CDibImage* MarkedTile(COLORREF mark) {
  return MakePicture(16, 16, 24, 0, [mark](int x, int y) -> COLORREF { return (x == 0 && y == 0) ? mark : 0xFFFFFF; });
}

}  // namespace

TEST(PicturePixels, PatternTilesKeepTheirPixelsTextureTilesGrowWithTheZoom) {
  jvqImageFileList lib;
  CImageLibraryEntry* e = new CImageLibraryEntry(1, "点", NULL);
  e->m_pImage = MarkedTile(0x000000);
  lib.Add(e);
  CImageLibraryEntry* t = new CImageLibraryEntry(1, "点", NULL);
  t->m_pImage = MarkedTile(0x0000FF);
  jvqImageFileList textures;
  textures.Add(t);
  jvqTextureFill::SetLibrary(&textures);
  int pattern[2] = {0, 0}, texture[2] = {0, 0};
  for (int i = 0; i < 2; i++) {
    const int zoom = i == 0 ? 100 : 200;
    jvqViewMapping view;
    const RECT r = {0, 0, 600, 600};
    {
      Canvas c(400, 300);
      MapAsView(c.dc(), &view, zoom, 400, 300);
      jvqPatternFill f;
      ASSERT_TRUE(f.SetPattern(&lib, 0, 0xFFFFFF, 0x00FF00));
      f.PaintRect(c.dc(), &r);
      pattern[i] = c.Period(0x00FF00);
    }
    {
      Canvas c(400, 300);
      MapAsView(c.dc(), &view, zoom, 400, 300);
      jvqTextureFill f;
      f.m_nIndex = 0;
      f.PaintRect(c.dc(), &r);
      texture[i] = c.Period(0x0000FF);
    }
  }
  jvqTextureFill::SetLibrary(NULL);
  jvqPatternFill::SetLibrary(NULL);
  EXPECT_EQ(16, pattern[0]);
  EXPECT_EQ(16, pattern[1]);
  ASSERT_GT(texture[0], 0);
  EXPECT_NEAR(2 * texture[0], texture[1], 2);
}

// A pattern fill painted for an object lays its tile in its own two colours, as its region
// painting does, and not the plain brush of the solid fill it derives from.
TEST(PicturePixels, PatternFillOfAnObjectPaintsItsTileInItsColours) {
  jvqImageFileList lib;
  CImageLibraryEntry* e = new CImageLibraryEntry(1, "点", NULL);
  e->m_pImage = MarkedTile(0x000000);
  lib.Add(e);
  jvqPatternFill f;
  const COLORREF back = RGB(255, 255, 0), fore = RGB(0, 0, 255);
  ASSERT_TRUE(f.SetPattern(&lib, 0, back, fore));
  const RECT rc = {10, 10, 190, 130};
  jvqRectObject o(&rc, nullptr, 0x311);
  Canvas painted(200, 150), reference(200, 150);
  f.Paint(painted.dc(), &o);
  f.PaintRect(reference.dc(), &rc);
  jvqPatternFill::SetLibrary(NULL);
  EXPECT_GT(painted.Count(fore), 0);
  EXPECT_GT(painted.Count(back), 100 * 100);
  EXPECT_EQ(16, painted.Period(fore));
  EXPECT_EQ(reference.Count(fore), painted.Count(fore));
}

TEST(PicturePixels, TurnedRasterFillsItsOutlineOneCopyPerZoom) {
  jvqImagePool pool;
  jvqViewMapping view;
  jvqImageObject o(&pool, NULL, &view);
  ASSERT_TRUE(o.SetPicture(&pool, MakePicture(100, 100, 24, 0, [](int, int) -> COLORREF { return 0x0000FF; }), FALSE));
  const RECT r = {60, 60, 300, 200};
  o.SetRect(&r, &view, 0x311);
  o.SetRotation(30);
  jvqImageFill* f = o.GetImageFill();
  int red[2] = {0, 0};
  for (int i = 0; i < 2; i++) {
    Canvas c(500, 400);
    MapAsView(c.dc(), &view, 100 + 100 * i, 500, 400);
    o.Draw(c.dc());
    o.Draw(c.dc());  // the same zoom and angle: no new copy
    EXPECT_EQ(i + 1, f->GetTurnedCopyCount());
    red[i] = c.Count(0x0000FF);
    // The outline's centre is red; the corners of its upright box are not.
    POINT centre = {180, 130};
    c.dc()->LPtoDP(&centre);
    EXPECT_EQ(0x0000FFu, c.At(centre.x, centre.y));
    POINT corner = {60, 60};
    c.dc()->LPtoDP(&corner);
    EXPECT_NE(0x0000FFu, c.At(corner.x + 1, corner.y + 1));
  }
  // Filled outline: four times the pixels at twice the zoom (the picture is all red).
  ASSERT_GT(red[0], 1000);
  EXPECT_NEAR(4.0, (double)red[1] / red[0], 0.3);
  // Printing takes the copy made for the screen.
  Canvas p(500, 400);
  MapAsView(p.dc(), &view, 300, 500, 400);
  p.dc()->m_bPrinting = TRUE;
  o.Draw(p.dc());
  EXPECT_EQ(2, f->GetTurnedCopyCount());
  p.dc()->m_bPrinting = FALSE;
}

TEST(PicturePixels, HugeTurnedCopyPaintsNothing) {
  jvqImagePool pool;
  jvqViewMapping view;
  jvqImageObject o(&pool, NULL, &view);
  ASSERT_TRUE(o.SetPicture(&pool, MakePicture(8, 8), FALSE));
  const RECT r = {0, 0, 400000, 400000};
  o.SetRect(&r, &view, 0x311);
  o.SetRotation(45);
  Canvas c(200, 200);
  MapAsView(c.dc(), &view, 800, 200, 200);
  o.Draw(c.dc());
  EXPECT_FALSE(o.GetImageFill()->HasTurnedCopy());
  EXPECT_EQ(200 * 200, c.Count(0xFFFFFF));  // not the upright picture either
}

TEST(PicturePixels, HimetricConversionsOfTheFramework) {
  CDC display;
  ASSERT_TRUE(display.CreateDC("DISPLAY", NULL, NULL, NULL));
  const int dpi = display.GetDeviceCaps(LOGPIXELSX);
  CSize s(2540, 2540);  // one inch
  display.HIMETRICtoDP(&s);
  EXPECT_EQ(dpi, s.cx);
  display.DPtoHIMETRIC(&s);
  EXPECT_EQ(2540, s.cx);
  // In MM_LOMETRIC a logical unit is 0.1 mm: 10 HIMETRIC.
  display.SetMapMode(MM_LOMETRIC);
  CSize l(1000, 500);
  // (through device pixels, so within one pixel's rounding)
  display.HIMETRICtoLP(&l);
  EXPECT_NEAR(100, l.cx, 1);
  EXPECT_NEAR(50, l.cy, 1);
  display.LPtoHIMETRIC(&l);
  EXPECT_NEAR(1000, l.cx, 10);
  EXPECT_NEAR(500, l.cy, 10);
}

// Pages draw pictures as grey boxes (mode 2) or as grey boxes with a 30-pixel thumbnail
// (mode 1), where a picture 30 pixels wide still draws in full.
TEST(PicturePixels, DisplayModesDrawPlaceholders) {
  jvqImagePool pool;
  auto page = [&](int w, int h) {
    jvqPage* pg = new jvqPage;
    jvqImageObject* o = new jvqImageObject(&pool, NULL, NULL);
    EXPECT_TRUE(o->SetPicture(&pool, MakePicture(8, 8, 24, 0, [](int, int) -> COLORREF { return 0x0000FF; }), FALSE));
    const RECT r = {10, 10, 10 + w, 10 + h};
    o->SetRect(&r, NULL, 0x311);
    pg->AddChild(o);
    return std::unique_ptr<jvqPage>(pg);
  };
  const struct {
    int mode, w;
    bool grey, fullRed;
  } cases[] = {{0, 31, false, true}, {1, 30, false, true}, {1, 31, true, false}, {2, 31, true, false}, {2, 30, true, false}};
  for (const auto& c : cases) {
    std::unique_ptr<jvqPage> pg = page(c.w, 80);
    Canvas canvas(200, 200);
    PictureDisplayMode = c.mode;
    pg->DrawChildren(canvas.dc());
    PictureDisplayMode = 0;
    const int red = canvas.Count(0x0000FF);
    EXPECT_EQ(c.grey, canvas.Count(0xF0F0F0) > 0) << c.mode << " " << c.w;
    if (c.fullRed)
      EXPECT_GE(red, c.w * 80 - 2 * (c.w + 80)) << c.mode << " " << c.w;
    else if (c.mode == 1)
      EXPECT_TRUE(red > 0 && red < c.w * 80) << c.mode << " " << c.w << " red " << red;  // the thumbnail only
    else
      EXPECT_EQ(0, red) << c.mode << " " << c.w;
  }
}

// The program folder's two libraries, as QVZ.exe loads them at start-up: more than eight
// pictures each, all readable, 1-bit patterns and colour textures, and files named so that
// the path order the fills use is the order of the index file.
TEST(PicturePixels, ProgramFolderLibrariesAreInIndexOrder) {
  char exe[MAX_PATH] = "";
  ::GetModuleFileNameA(NULL, exe, MAX_PATH);
  CString folder(exe);
  folder = folder.Left(folder.ReverseFind('\\') + 1);
  const struct {
    const char* dir;
    const char* index;
    int bits;
    const char* names[3];
  } libraries[] = {{"パターン", "PINDEX.DAT", 1, {"斜線", "水玉", "レンガ"}},
                   {"テクスチャ", "TINDEX.DAT", 24, {"木目", "石", "タイル"}}};
  for (const auto& lib : libraries) {
    jvqImageFileList list;
    ASSERT_TRUE(LoadImageLibraryIndex(folder + lib.dir, &list, lib.index)) << lib.index;
    ASSERT_GT(list.GetCount(), 8) << lib.index;
    list.SortByPath();
    std::vector<std::string> names;
    for (int i = 0; i < list.GetCount(); i++) {
      CImageLibraryEntry* e = list.GetAt(i);
      EXPECT_EQ(i + 1, e->m_nNumber) << (LPCTSTR)e->m_strPath;  // read, and sorted as listed
      ASSERT_TRUE(e->m_pImage && e->m_pImage->GetBI()) << (LPCTSTR)e->m_strPath;
      EXPECT_EQ(lib.bits, e->m_pImage->GetBI()->biBitCount) << (LPCTSTR)e->m_strPath;
      names.push_back((LPCTSTR)e->m_strName);
    }
    for (const char* n : lib.names) EXPECT_NE(names.end(), std::find(names.begin(), names.end(), n)) << n;
  }
}
