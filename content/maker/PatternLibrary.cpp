// The pattern library (パターン, PINDEX.DAT): black-and-white pictures that the pattern
// fill recolours, so black is the foreground and white the background.
#include <cmath>
#include <cstdint>

#include "ContentFile.h"
#include "ContentMaker.h"

namespace {

const uint32_t kInk = 0x000000;

ContentPicture Diagonal(int step) {
  ContentPicture p(16, 16);
  for (int y = 0; y < 16; y++)
    for (int x = 0; x < 16; x++)
      if ((x + y) % step == 0) p.At(x, y) = kInk;
  return p;
}

ContentPicture CrossHatch() {
  ContentPicture p(16, 16);
  for (int y = 0; y < 16; y++)
    for (int x = 0; x < 16; x++)
      if ((x + y) % 8 == 0 || (x - y + 16) % 8 == 0) p.At(x, y) = kInk;
  return p;
}

ContentPicture Dots() {
  ContentPicture p(16, 16);
  for (int y = 0; y < 16; y++)
    for (int x = 0; x < 16; x++) {
      // Two dots per tile, the second half a tile over: a staggered polka-dot grid.
      const int dx1 = x - 4, dy1 = y - 4, dx2 = x - 12, dy2 = y - 12;
      if (dx1 * dx1 + dy1 * dy1 <= 5 || dx2 * dx2 + dy2 * dy2 <= 5) p.At(x, y) = kInk;
    }
  return p;
}

ContentPicture Bricks() {
  ContentPicture p(16, 16);
  for (int x = 0; x < 16; x++) {
    p.At(x, 0) = kInk;
    p.At(x, 8) = kInk;
  }
  for (int y = 0; y < 8; y++) {
    p.At(0, y) = kInk;
    p.At(8, y + 8) = kInk;
  }
  return p;
}

ContentPicture Stripes(bool horizontal) {
  ContentPicture p(16, 16);
  for (int y = 0; y < 16; y++)
    for (int x = 0; x < 16; x++)
      if (((horizontal ? y : x) % 4) == 0) p.At(x, y) = kInk;
  return p;
}

ContentPicture Checker() {
  ContentPicture p(16, 16);
  for (int y = 0; y < 16; y++)
    for (int x = 0; x < 16; x++)
      if (((x / 4) + (y / 4)) % 2 == 0) p.At(x, y) = kInk;
  return p;
}

ContentPicture Grid() {
  ContentPicture p(16, 16);
  for (int i = 0; i < 16; i++) {
    p.At(i, 0) = kInk;
    p.At(0, i) = kInk;
  }
  return p;
}

ContentPicture Sand() {
  ContentPicture p(16, 16);
  uint32_t seed = 12345;
  for (int i = 0; i < 40; i++) {
    seed = seed * 1103515245u + 12345u;
    p.At((int)((seed >> 16) % 16), (int)((seed >> 8) % 16)) = kInk;
  }
  return p;
}

ContentPicture Waves() {
  ContentPicture p(16, 16);
  for (int x = 0; x < 16; x++) {
    const int y = (int)std::lround(3.0 + 2.5 * std::sin(x * 3.14159265358979 / 8.0));
    p.At(x, y) = kInk;
    p.At(x, y + 8) = kInk;
  }
  return p;
}

ContentPicture Scales() {
  ContentPicture p(16, 16);
  for (int y = 0; y < 16; y++)
    for (int x = 0; x < 16; x++) {
      const int cx = (y < 8) ? 8 : 0, cy = (y < 8) ? 8 : 16;
      const int dx = x - cx, dy = y - cy, d = dx * dx + dy * dy;
      if (d >= 42 && d <= 64) p.At(x, y) = kInk;
    }
  return p;
}

}  // namespace

bool MakePatternLibrary(const std::string& programFolder) {
  // File names follow the index order, so that sorting by path keeps that order.
  const std::vector<LibraryPicture> entries = {
      {"斜線", "p01_shasen.bmp", Diagonal(4)},
      {"細斜線", "p02_hososhasen.bmp", Diagonal(2)},
      {"綾目", "p03_ayame.bmp", CrossHatch()},
      {"水玉", "p04_mizutama.bmp", Dots()},
      {"レンガ", "p05_renga.bmp", Bricks()},
      {"横縞", "p06_yokojima.bmp", Stripes(true)},
      {"縦縞", "p07_tatejima.bmp", Stripes(false)},
      {"市松", "p08_ichimatsu.bmp", Checker()},
      {"格子", "p09_koushi.bmp", Grid()},
      {"砂目", "p10_sunome.bmp", Sand()},
      {"波", "p11_nami.bmp", Waves()},
      {"青海波", "p12_seigaiha.bmp", Scales()},
  };
  return WriteLibrary(programFolder + "/パターン", "PINDEX.DAT", entries, 1);
}
