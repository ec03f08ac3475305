// Pictures read from files of every kind, drawn into memory DCs and checked by pixels;
// the clipboard and bitmap handles under Wine.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include <pictal.h>

#include "BmpFixtures.h"
#include "RasterFixtures.h"

using namespace fixtures;

namespace {

void WriteFile(const std::string& path, const Bytes& data)
{
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data.data()), (std::streamsize)data.size());
}

// A white 32-bit canvas with a DC, read back pixel by pixel.
class Canvas {
 public:
  Canvas(int w, int h) : m_w(w), m_h(h)
  {
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = w;
    bmi.bmiHeader.biHeight = -h;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    m_hdc = CreateCompatibleDC(NULL);
    m_bitmap = CreateDIBSection(m_hdc, &bmi, DIB_RGB_COLORS, (void**)&m_bits, NULL, 0);
    m_old = SelectObject(m_hdc, m_bitmap);
    std::memset(m_bits, 0xFF, (size_t)w * h * 4);
    m_dc.Attach(m_hdc);
  }
  ~Canvas()
  {
    m_dc.Detach();
    SelectObject(m_hdc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_hdc);
  }
  CDC* dc() { return &m_dc; }
  // 0xRRGGBB
  uint32_t at(int x, int y)
  {
    GdiFlush();
    return m_bits[(size_t)y * m_w + x] & 0xFFFFFF;
  }
  int Count(bool (*match)(uint32_t), int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1)
  {
    if (x1 < 0) x1 = m_w;
    if (y1 < 0) y1 = m_h;
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += match(at(x, y));
    return n;
  }

 private:
  int m_w, m_h;
  HDC m_hdc;
  HBITMAP m_bitmap;
  HGDIOBJ m_old;
  uint32_t* m_bits = nullptr;
  CDC m_dc;
};

int Distance(uint32_t a, uint32_t b)
{
  return std::abs((int)(a >> 16 & 0xFF) - (int)(b >> 16 & 0xFF)) + std::abs((int)(a >> 8 & 0xFF) - (int)(b >> 8 & 0xFF)) +
         std::abs((int)(a & 0xFF) - (int)(b & 0xFF));
}

bool IsRed(uint32_t c) { return (c >> 16 & 0xFF) > 180 && (c >> 8 & 0xFF) < 90 && (c & 0xFF) < 90; }
bool IsBlue(uint32_t c) { return (c >> 16 & 0xFF) < 90 && (c >> 8 & 0xFF) < 90 && (c & 0xFF) > 180; }
bool IsGreen(uint32_t c) { return (c >> 16 & 0xFF) < 90 && (c >> 8 & 0xFF) > 180 && (c & 0xFF) < 90; }

std::string SourcePath(const char* relative)
{
  const char* root = std::getenv("QVZ_SOURCE_DIR");
  std::string path = std::string(root ? root : "..") + "/" + relative;
  // Wine sees the Linux file system as drive Z:.
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  return path;
}

// A picture of two halves, red and blue, as a Windows metafile with a 100 x 50 window.
Bytes MakeWmf()
{
  HDC hdc = CreateMetaFileA(NULL);
  SetWindowOrgEx(hdc, 0, 0, NULL);
  SetWindowExtEx(hdc, 100, 50, NULL);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0)), blue = CreateSolidBrush(RGB(0, 0, 255));
  SelectObject(hdc, GetStockObject(NULL_PEN));
  SelectObject(hdc, red);
  Rectangle(hdc, 0, 0, 51, 51);
  SelectObject(hdc, blue);
  Rectangle(hdc, 50, 0, 101, 51);
  HMETAFILE hmf = CloseMetaFile(hdc);
  DeleteObject(red);
  DeleteObject(blue);
  UINT n = GetMetaFileBitsEx(hmf, 0, NULL);
  Bytes out(n);
  GetMetaFileBitsEx(hmf, n, out.data());
  DeleteMetaFile(hmf);
  return out;
}

// The same with the placeable header: frame 0, 0, 100, 50 at 96 units per inch.
Bytes MakePlaceableWmf()
{
  Writer w;
  w.u32(0x9AC6CDD7); w.u16(0);
  w.u16(0); w.u16(0); w.u16(100); w.u16(50);
  w.u16(96); w.u32(0);
  uint16_t sum = 0;
  for (size_t i = 0; i < 20; i += 2) sum ^= (uint16_t)(w.b[i] | w.b[i + 1] << 8);
  w.u16(sum);
  Bytes wmf = MakeWmf();
  w.b.insert(w.b.end(), wmf.begin(), wmf.end());
  return w.b;
}

// An enhanced metafile of 1 x 0.5 inch with the two halves.
Bytes MakeEmf()
{
  HDC screen = GetDC(NULL);
  RECT frame = {0, 0, 2540, 1270};
  HDC hdc = CreateEnhMetaFileA(screen, NULL, &frame, NULL);
  int vx = 2540 * GetDeviceCaps(screen, HORZRES) / (GetDeviceCaps(screen, HORZSIZE) * 100);
  int vy = 1270 * GetDeviceCaps(screen, VERTRES) / (GetDeviceCaps(screen, VERTSIZE) * 100);
  ReleaseDC(NULL, screen);
  SetMapMode(hdc, MM_ANISOTROPIC);
  SetWindowExtEx(hdc, 100, 50, NULL);
  SetViewportExtEx(hdc, vx, vy, NULL);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0)), blue = CreateSolidBrush(RGB(0, 0, 255));
  RECT left = {0, 0, 50, 50}, right = {50, 0, 100, 50};
  FillRect(hdc, &left, red);
  FillRect(hdc, &right, blue);
  HENHMETAFILE hemf = CloseEnhMetaFile(hdc);
  DeleteObject(red);
  DeleteObject(blue);
  UINT n = GetEnhMetaFileBits(hemf, 0, NULL);
  Bytes out(n);
  GetEnhMetaFileBits(hemf, n, out.data());
  DeleteEnhMetaFile(hemf);
  return out;
}

// A floor-plan file: the signature, 4 bytes, width and height in mm, then the metafile.
Bytes MakeFloorPlan(const Bytes& metafile)
{
  Writer w;
  for (char c : {'k', 'x', 'q', '\0', '\0', '\0', '\0', '\0'}) w.u8((uint8_t)c);
  for (double mm : {10000.0, 8000.0}) {
    uint64_t bits;
    std::memcpy(&bits, &mm, sizeof bits);
    w.u32((uint32_t)bits);
    w.u32((uint32_t)(bits >> 32));
  }
  w.b.insert(w.b.end(), metafile.begin(), metafile.end());
  return w.b;
}

std::unique_ptr<CBaseImage> Load(const char* path)
{
  return std::unique_ptr<CBaseImage>(CBaseImage::CreateFromPath(path));
}

}  // namespace

TEST(PictureDraw, RastersOfEveryFormatDrawStretched)
{
  WriteFile("draw_a.bmp", MakeBmp(kV5, 7, 5, 24, true));
  WriteFile("draw_a.png", MakePng(7, 5, 3937));
  WriteFile("draw_b.png", MakePng(7, 5, 0));
  WriteFile("draw_a.tif", MakeTiff(7, 5, 300));
  WriteFile("draw_b.tif", MakeTiff(7, 5, 0));
  WriteFile("draw_c.tif", MakeTiff(7, 5, 40, 3));
  struct Case {
    const char* path;
    CRuntimeClass* cls;
    LONG ppm;
  } cases[] = {
      {"draw_a.bmp", RUNTIME_CLASS(CDibImage), 0},
      {"draw_a.png", RUNTIME_CLASS(CPngImage), 3937},
      {"draw_b.png", RUNTIME_CLASS(CPngImage), 0},
      {"draw_a.tif", RUNTIME_CLASS(CTiffImage), 11811},
      {"draw_b.tif", RUNTIME_CLASS(CTiffImage), 0},
      {"draw_c.tif", RUNTIME_CLASS(CTiffImage), 4000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    auto image = Load(c.path);
    ASSERT_NE(nullptr, image);
    EXPECT_EQ(c.cls, image->GetRuntimeClass());
    EXPECT_EQ(CSize(7, 5), image->GetDimensions());
    ASSERT_NE(nullptr, image->GetBI());
    EXPECT_EQ(c.ppm, image->GetBI()->biXPelsPerMeter);
    EXPECT_EQ(c.ppm, image->GetBI()->biYPelsPerMeter);
    Canvas canvas(30, 20);
    ASSERT_TRUE(image->Draw(canvas.dc(), CPoint(2, 3), CSize(21, 15)));
    EXPECT_EQ(0xFFFFFFu, canvas.at(1, 2));
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) ASSERT_EQ(PatternColor(x, y), canvas.at(2 + 3 * x + 1, 3 + 3 * y + 1)) << x << "," << y;
    EXPECT_EQ(0xFFFFFFu, canvas.at(23, 18));

    // Natural size at a point.
    Canvas small(10, 10);
    ASSERT_TRUE(image->Draw(small.dc(), CPoint(1, 1)));
    EXPECT_EQ(PatternColor(6, 4), small.at(7, 5));
    EXPECT_EQ(0xFFFFFFu, small.at(8, 6));
  }

  // A PNG's transparent half lands on white.
  WriteFile("draw_alpha.png", MakePng(8, 2, 0, true));
  auto alpha = Load("draw_alpha.png");
  ASSERT_NE(nullptr, alpha);
  EXPECT_EQ(PatternColor(1, 1), FromColorRef(static_cast<CDibImage*>(alpha.get())->GetDib()->GetColor(1, 1)));
  EXPECT_EQ(0xFFFFFFu, FromColorRef(static_cast<CDibImage*>(alpha.get())->GetDib()->GetColor(6, 1)));

  // Damaged files of the WIC formats fail cleanly.
  Bytes png = MakePng(7, 5, 0);
  png.resize(png.size() / 2);
  WriteFile("draw_bad.png", png);
  Bytes tiff = MakeTiff(7, 5, 72);
  WriteFile("draw_bad.tif", Bytes(tiff.begin(), tiff.begin() + 40));
  EXPECT_EQ(nullptr, Load("draw_bad.png"));
  EXPECT_EQ(nullptr, Load("draw_bad.tif"));
  for (const char* p : {"draw_a.bmp", "draw_a.png", "draw_b.png", "draw_a.tif", "draw_b.tif", "draw_c.tif", "draw_alpha.png", "draw_bad.png", "draw_bad.tif"})
    std::remove(p);
}

// A BMP meets our own bounded reader whatever its name says: named as a PNG or TIFF it is
// refused before the imaging component could pick its own BMP decoder, and one whose height
// overruns its pixels is refused under every name.
TEST(PictureDraw, BmpUnderAnyNameNeverReachesThePlatform)
{
  Bytes good = MakeBmp(kInfo, 8, 8, 24);
  Bytes overrun = good;
  overrun[22] = 0x00;
  overrun[23] = 0x10;  // 4096 rows in a file of 8
  for (const char* name : {"bmp_as.png", "bmp_as.tif", "bmp_as.tiff", "bmp_as.jpg", "bmp_as.bmp", "bmp_as"}) {
    SCOPED_TRACE(name);
    WriteFile(name, overrun);
    EXPECT_EQ(nullptr, Load(name));
    WriteFile(name, good);
    auto image = Load(name);
    // Names that call for no reader of their own leave it to the content: the BMP reader.
    const bool bmpReader = std::strcmp(name, "bmp_as.bmp") == 0 || std::strcmp(name, "bmp_as.tiff") == 0 ||
                           std::strcmp(name, "bmp_as") == 0;
    EXPECT_EQ(bmpReader, image != nullptr);
    std::remove(name);
  }
}

TEST(PictureDraw, JpegPngAndTiffWriteAndReadBack)
{
  CDib dib;
  ASSERT_TRUE(dib.Create(32, 16, 24));
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) dib.SetColor(x, y, x < 16 ? RGB(220, 20, 20) : RGB(20, 20, 220));
  dib.GetBI()->biXPelsPerMeter = dib.GetBI()->biYPelsPerMeter = 3937;
  struct Case {
    const char* path;
    CDibImage* image;
    int tolerance;
  } cases[] = {{"rt.jpg", new CJpegImage, 24}, {"rt.png", new CPngImage, 0}, {"rt.tif", new CTiffImage, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    std::unique_ptr<CDibImage> owner(c.image);
    ASSERT_TRUE(c.image->GetDib()->CreateFromPacked(dib.GetBI(), dib.GetSize()));
    ASSERT_TRUE(c.image->Write(c.path));
    auto back = Load(c.path);
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(c.image->GetRuntimeClass(), back->GetRuntimeClass());
    EXPECT_EQ(CSize(32, 16), back->GetDimensions());
    EXPECT_NEAR(3937, back->GetBI()->biXPelsPerMeter, 1);
    Canvas canvas(32, 16);
    back->Draw(canvas.dc(), CPoint(0, 0), CSize(32, 16));
    EXPECT_LE(Distance(0xDC1414, canvas.at(4, 8)), c.tolerance);
    EXPECT_LE(Distance(0x1414DC, canvas.at(28, 8)), c.tolerance);
    std::remove(c.path);
  }
}

TEST(PictureDraw, MetafilesOfEveryKindDraw)
{
  WriteFile("meta.emf", MakeEmf());
  WriteFile("meta.wmf", MakePlaceableWmf());
  WriteFile("plain.wmf", MakeWmf());
  WriteFile("plan.kxq", MakeFloorPlan(MakePlaceableWmf()));
  WriteFile("plan_emf.kxq", MakeFloorPlan(MakeEmf()));
  // The placeable header's 100 x 50 units at 96 per inch, the plain metafile's window taken
  // as pixels, and the enhanced metafile's frame of 1 x 0.5 inch.
  struct Case { const char* path; CSize size; } cases[] = {
      {"meta.emf", CSize(96, 48)}, {"meta.wmf", CSize(100, 50)}, {"plain.wmf", CSize(100, 50)},
      {"plan.kxq", CSize(100, 50)}, {"plan_emf.kxq", CSize(96, 48)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    auto image = Load(c.path);
    ASSERT_NE(nullptr, image);
    EXPECT_TRUE(image->IsKindOf(RUNTIME_CLASS(CMetafileImage)));
    EXPECT_EQ(nullptr, image->GetBI());
    EXPECT_EQ(c.size, image->GetDimensions());
    Canvas canvas(200, 100);
    ASSERT_TRUE(image->Draw(canvas.dc(), CPoint(0, 0), CSize(200, 100)));
    EXPECT_TRUE(IsRed(canvas.at(50, 50))) << std::hex << canvas.at(50, 50);
    EXPECT_TRUE(IsBlue(canvas.at(150, 50))) << std::hex << canvas.at(150, 50);

    // The stream form keeps the drawing.
    CMemFile file;
    CMetafileImage* meta = static_cast<CMetafileImage*>(image.get());
    ASSERT_TRUE(meta->WriteforSerialize(&file));
    EXPECT_EQ(meta->GetSize(), file.GetLength());
    file.SeekToBegin();
    CMetafileImage back;
    ASSERT_TRUE(back.ReadforSerialize(&file));
    Canvas again(200, 100);
    back.Draw(again.dc(), CPoint(0, 0), CSize(200, 100));
    EXPECT_TRUE(IsBlue(again.at(150, 50)));
  }
  // A floor-plan file whose signature is off by one byte, and one with nothing after its header.
  Bytes plan = MakeFloorPlan(MakeEmf());
  plan[2] = 'Q';
  WriteFile("bad.kxq", plan);
  WriteFile("empty.kxq", Bytes(plan.begin(), plan.begin() + 24));
  Bytes wmf = MakePlaceableWmf();
  wmf.resize(wmf.size() - 10);
  WriteFile("cut.wmf", wmf);
  EXPECT_EQ(nullptr, Load("bad.kxq"));
  EXPECT_EQ(nullptr, Load("empty.kxq"));
  EXPECT_EQ(nullptr, Load("cut.wmf"));
  for (const char* p : {"meta.emf", "meta.wmf", "plain.wmf", "plan.kxq", "plan_emf.kxq", "bad.kxq", "empty.kxq", "cut.wmf"})
    std::remove(p);
}

TEST(PictureDraw, DxfDrawingIsReadAndDrawn)
{
  std::string path = SourcePath("tests/pictal/fixtures/plan.dxf");
  auto image = Load(path.c_str());
  ASSERT_NE(nullptr, image) << path;
  EXPECT_TRUE(image->IsKindOf(RUNTIME_CLASS(CMetafileImage)));
  // 100 x 50 mm at 96 pixels per inch.
  CSize size = image->GetDimensions();
  EXPECT_NEAR(378, size.cx, 1);
  EXPECT_NEAR(189, size.cy, 1);
  Canvas canvas(378, 189);
  ASSERT_TRUE(image->Draw(canvas.dc(), CPoint(0, 0), size));
  // The red frame along the top and bottom edges, the blue diagonal through the middle,
  // and the green crosses of the block inserted at (80, 15) and (80, 35).
  EXPECT_GT(canvas.Count(IsRed, 0, 0, 378, 3), 300);
  EXPECT_GT(canvas.Count(IsRed, 0, 186, 378, 189), 300);
  EXPECT_GT(canvas.Count(IsBlue, 184, 89, 194, 100), 0);
  EXPECT_GT(canvas.Count(IsGreen, 280, 120, 325, 140), 20);
  EXPECT_GT(canvas.Count(IsGreen, 260, 40, 345, 90), 60);  // twice the size
  EXPECT_EQ(0, canvas.Count(IsGreen, 0, 0, 200, 189));

  WriteFile("broken.dxf", Bytes{'0', '\n', 'S', 'E', 'C'});
  EXPECT_EQ(nullptr, Load("broken.dxf"));
  // A polyline whose vertex count is far beyond the file: the line beside it still draws.
  const char huge[] =
      "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n10\n21\n10\n"
      "0\nLWPOLYLINE\n8\n0\n90\n2000000000\n10\n1\n20\n1\n10\n2\n20\n3\n0\nENDSEC\n0\nEOF\n";
  WriteFile("huge.dxf", Bytes(huge, huge + sizeof huge - 1));
  auto line = Load("huge.dxf");
  ASSERT_NE(nullptr, line);
  EXPECT_NEAR(38, line->GetDimensions().cx, 1);
  std::remove("broken.dxf");
  std::remove("huge.dxf");
}

TEST(PictureDraw, DibDrawsASourcePartAndMakesBitmaps)
{
  WriteFile("part.bmp", MakeBmp(kInfo, 7, 5, 24));
  CDib dib;
  ASSERT_TRUE(dib.Read("part.bmp"));
  std::remove("part.bmp");
  Canvas canvas(12, 8);
  CRect dest(0, 0, 6, 4), src(2, 1, 5, 3);
  ASSERT_TRUE(dib.Draw(canvas.dc(), dest, src, NULL, TRUE));
  EXPECT_EQ(PatternColor(2, 1), canvas.at(0, 0));
  EXPECT_EQ(PatternColor(4, 2), canvas.at(5, 3));
  EXPECT_EQ(0xFFFFFFu, canvas.at(6, 4));
  // Without stretching the part keeps its size.
  Canvas plain(12, 8);
  CRect wide(1, 1, 12, 8);
  ASSERT_TRUE(dib.Draw(plain.dc(), wide, src, NULL, FALSE));
  EXPECT_EQ(PatternColor(4, 2), plain.at(3, 2));
  EXPECT_EQ(0xFFFFFFu, plain.at(4, 2));

  // A bitmap made from the DIB and a DIB made from that bitmap hold the same pixels.
  std::unique_ptr<CBitmap> bitmap(dib.CreateBitmap());
  ASSERT_NE(nullptr, bitmap);
  CDibImage fromBitmap;
  ASSERT_TRUE(fromBitmap.CreateFromBitmap((HBITMAP)bitmap->GetSafeHandle()));
  EXPECT_EQ(CSize(7, 5), fromBitmap.GetDimensions());
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) ASSERT_EQ(PatternColor(x, y), FromColorRef(fromBitmap.GetDib()->GetColor(x, y)));

  // A metafile picture made from the bitmap draws the same pixels and is known by its class.
  CMetafileImage meta;
  ASSERT_TRUE(meta.CreateFromBitmap((HBITMAP)bitmap->GetSafeHandle()));
  EXPECT_TRUE(meta.IsKindOf(RUNTIME_CLASS(CMetafileImage)));
  Canvas played(7, 5);
  ASSERT_TRUE(meta.Draw(played.dc(), CRect(0, 0, 7, 5), CRect()));
  EXPECT_EQ(PatternColor(0, 0), played.at(0, 0));
  EXPECT_EQ(PatternColor(6, 4), played.at(6, 4));

  // CDib::Read over a stream takes exactly the bytes it is given, as a board's pictures need.
  CMemFile stream;
  ASSERT_TRUE(dib.Write(&stream));
  stream.Write("END", 3);
  stream.SeekToBegin();
  CDib again;
  ASSERT_TRUE(again.Read(&stream, dib.GetSize()));
  char marker[3] = {};
  ASSERT_EQ(3u, stream.Read(marker, 3));
  EXPECT_EQ(0, std::memcmp(marker, "END", 3));
  EXPECT_EQ(PatternColor(6, 4), FromColorRef(again.GetColor(6, 4)));

  // A packed DIB in global memory is taken over.
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, dib.GetSize());
  std::memcpy(GlobalLock(h), dib.GetBI(), dib.GetSize());
  GlobalUnlock(h);
  CDibImage adopted;
  ASSERT_TRUE(adopted.CreateFromHandle(h));
  EXPECT_EQ(PatternColor(3, 3), FromColorRef(adopted.GetDib()->GetColor(3, 3)));
}

TEST(PictureDraw, ClipboardRoundTrips)
{
  CDibImage raster;
  ASSERT_TRUE(raster.GetDib()->Create(6, 4, 24));
  raster.GetDib()->SetColor(5, 3, RGB(10, 200, 30));
  ASSERT_TRUE(OpenClipboard(NULL));
  EmptyClipboard();
  EXPECT_TRUE(raster.SetClipboard());
  CloseClipboard();
  CDibImage pasted;
  ASSERT_TRUE(pasted.CreateFromClipboard());
  EXPECT_EQ(CSize(6, 4), pasted.GetDimensions());
  EXPECT_EQ(RGB(10, 200, 30), pasted.GetDib()->GetColor(5, 3));
  CMetafileImage none;
  EXPECT_FALSE(none.CreateFromClipboard());

  // A bitmap alone on the clipboard.
  HDC screen = GetDC(NULL);
  HBITMAP hbm = CreateCompatibleBitmap(screen, 3, 2);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, hbm);
  RECT all = {0, 0, 3, 2};
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
  FillRect(mem, &all, brush);
  DeleteObject(brush);
  SelectObject(mem, old);
  DeleteDC(mem);
  ReleaseDC(NULL, screen);
  ASSERT_TRUE(OpenClipboard(NULL));
  EmptyClipboard();
  ASSERT_TRUE(SetClipboardData(CF_BITMAP, hbm));
  CloseClipboard();
  CDibImage fromBitmap;
  ASSERT_TRUE(fromBitmap.CreateFromClipboard());
  EXPECT_EQ(CSize(3, 2), fromBitmap.GetDimensions());
  EXPECT_EQ(RGB(0, 0, 255), fromBitmap.GetDib()->GetColor(2, 1));

  // A metafile goes as CF_ENHMETAFILE.
  WriteFile("clip.emf", MakeEmf());
  CMetafileImage meta;
  ASSERT_TRUE(meta.Read("clip.emf"));
  std::remove("clip.emf");
  ASSERT_TRUE(OpenClipboard(NULL));
  EmptyClipboard();
  EXPECT_TRUE(meta.SetClipboard());
  CloseClipboard();
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_ENHMETAFILE));
  CMetafileImage back;
  ASSERT_TRUE(back.CreateFromClipboard());
  Canvas canvas(100, 50);
  back.Draw(canvas.dc(), CPoint(0, 0), CSize(100, 50));
  EXPECT_TRUE(IsRed(canvas.at(20, 25)));
  EXPECT_TRUE(IsBlue(canvas.at(80, 25)));
  ASSERT_TRUE(OpenClipboard(NULL));
  EmptyClipboard();
  CloseClipboard();
}
