// The texture library (テクスチャ, TINDEX.DAT): colour pictures tiled at their own size.
#include <cmath>
#include <cstdint>

#include "ContentFile.h"
#include "ContentMaker.h"

namespace {

const int kSize = 64;

uint32_t Rgb(int r, int g, int b) {
  auto c = [](int v) { return (uint32_t)(v < 0 ? 0 : v > 255 ? 255 : v); };
  return c(r) | (c(g) << 8) | (c(b) << 16);
}

// Smooth repeatable noise in 0..1 over a tile of kSize pixels with `cells` lattice cells.
double Noise(int x, int y, int cells, uint32_t seed) {
  auto lattice = [&](int i, int j) {
    i = ((i % cells) + cells) % cells;
    j = ((j % cells) + cells) % cells;
    uint32_t h = (uint32_t)(i * 374761393 + j * 668265263) ^ seed;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
  };
  const double fx = (double)x * cells / kSize, fy = (double)y * cells / kSize;
  const int ix = (int)fx, iy = (int)fy;
  const double tx = fx - ix, ty = fy - iy;
  const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
  const double a = lattice(ix, iy), b = lattice(ix + 1, iy), c = lattice(ix, iy + 1), d = lattice(ix + 1, iy + 1);
  return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

ContentPicture Shade(uint32_t seed, int cells, int r, int g, int b, int spread) {
  ContentPicture p(kSize, kSize);
  for (int y = 0; y < kSize; y++)
    for (int x = 0; x < kSize; x++) {
      const int v = (int)((Noise(x, y, cells, seed) - 0.5) * spread);
      p.At(x, y) = Rgb(r + v, g + v, b + v);
    }
  return p;
}

ContentPicture Wood(int r, int g, int b) {
  ContentPicture p(kSize, kSize);
  for (int y = 0; y < kSize; y++)
    for (int x = 0; x < kSize; x++) {
      const double ring = std::sin((x + 6.0 * Noise(x, y, 4, 7)) * 2 * 3.14159265358979 * 4 / kSize);
      const int v = (int)(ring * 22 + (Noise(x, y, 16, 3) - 0.5) * 16);
      p.At(x, y) = Rgb(r + v, g + v * 3 / 4, b + v / 2);
    }
  return p;
}

ContentPicture Tiles(int r, int g, int b, int tile) {
  ContentPicture p = Shade(11, 8, r, g, b, 24);
  for (int y = 0; y < kSize; y++)
    for (int x = 0; x < kSize; x++)
      if (x % tile == 0 || y % tile == 0) p.At(x, y) = Rgb(200, 200, 196);
  return p;
}

ContentPicture Marble() {
  ContentPicture p(kSize, kSize);
  for (int y = 0; y < kSize; y++)
    for (int x = 0; x < kSize; x++) {
      const double vein = std::fabs(std::sin((x + y) * 2 * 3.14159265358979 / kSize + 5.0 * Noise(x, y, 4, 21)));
      const int v = 235 - (int)((1.0 - vein) * (1.0 - vein) * 70);
      p.At(x, y) = Rgb(v, v, v - 4);
    }
  return p;
}

ContentPicture BrickWall() {
  ContentPicture p = Shade(5, 16, 168, 72, 48, 40);
  for (int y = 0; y < kSize; y++)
    for (int x = 0; x < kSize; x++) {
      const int row = y / 16, off = (row % 2) * 16;
      if (y % 16 == 0 || (x + off) % 32 == 0) p.At(x, y) = Rgb(210, 204, 190);
    }
  return p;
}

ContentPicture Tatami() {
  ContentPicture p(kSize, kSize);
  for (int y = 0; y < kSize; y++)
    for (int x = 0; x < kSize; x++) {
      const int weave = (y % 4 == 0) ? -14 : 0;
      const int v = weave + (int)((Noise(x, y, 32, 9) - 0.5) * 12);
      p.At(x, y) = Rgb(190 + v, 196 + v, 120 + v);
    }
  return p;
}

ContentPicture Cloth() {
  ContentPicture p(kSize, kSize);
  for (int y = 0; y < kSize; y++)
    for (int x = 0; x < kSize; x++) {
      const int v = ((x / 2 + y / 2) % 2) ? 12 : -12;
      p.At(x, y) = Rgb(70 + v, 90 + v, 150 + v);
    }
  return p;
}

}  // namespace

bool MakeTextureLibrary(const std::string& programFolder) {
  // File names follow the index order, so that sorting by path keeps that order.
  const std::vector<LibraryPicture> entries = {
      {"木目", "t01_mokume.bmp", Wood(170, 120, 70)},
      {"木目（濃）", "t02_mokume_koi.bmp", Wood(110, 70, 40)},
      {"石", "t03_ishi.bmp", Shade(1, 8, 140, 138, 132, 90)},
      {"砂利", "t04_jari.bmp", Shade(2, 32, 150, 144, 130, 110)},
      {"タイル", "t05_tairu.bmp", Tiles(236, 232, 222, 16)},
      {"タイル（青）", "t06_tairu_ao.bmp", Tiles(90, 130, 190, 32)},
      {"大理石", "t07_dairiseki.bmp", Marble()},
      {"レンガ", "t08_renga.bmp", BrickWall()},
      {"芝生", "t09_shibafu.bmp", Shade(3, 32, 70, 140, 60, 80)},
      {"畳", "t10_tatami.bmp", Tatami()},
      {"コンクリート", "t11_concrete.bmp", Shade(4, 16, 170, 170, 166, 40)},
      {"布", "t12_nuno.bmp", Cloth()},
  };
  return WriteLibrary(programFolder + "/テクスチャ", "TINDEX.DAT", entries, 24);
}
