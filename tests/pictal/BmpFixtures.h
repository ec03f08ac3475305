#pragma once
// Small BMP files of every header kind and depth, written byte by byte.
#include <cstdint>
#include <vector>

namespace fixtures {

typedef std::vector<uint8_t> Bytes;

struct Writer {
  Bytes b;
  void u8(unsigned v) { b.push_back((uint8_t)v); }
  void u16(unsigned v) { u8(v & 0xFF); u8((v >> 8) & 0xFF); }
  void u32(uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); }
  void pad4(size_t rowStart) { while ((b.size() - rowStart) % 4) u8(0); }
};

enum HeaderKind { kCore = 12, kInfo = 40, kV4 = 108, kV5 = 124 };

// The pattern every fixture shows: pixel colours as 0xRRGGBB.
inline uint32_t PatternColor(int x, int y) { return ((x * 40) & 0xFF) << 16 | ((y * 60) & 0xFF) << 8 | ((x + y) * 25 & 0xFF); }
// Indexed fixtures: palette entry i and the index at (x, y).
inline uint32_t PaletteColor(int i) { return (uint32_t)((i * 37) & 0xFF) << 16 | (uint32_t)((255 - i * 11) & 0xFF) << 8 | (uint32_t)((i * 5) & 0xFF); }
inline int PatternIndex(int x, int y, int colors) { return (x + 3 * y) % colors; }

// Expected colour of a fixture pixel after 5- or 6-bit quantisation of a 16-bit fixture.
inline uint32_t Quantise(uint32_t c, int rBits, int gBits, int bBits)
{
  auto q = [](uint32_t v, int bits) {
    uint32_t x = v >> (8 - bits);
    uint32_t out = 0;
    int filled = 0;
    while (filled < 8) { out = (out << bits) | x; filled += bits; }
    return out >> (filled - 8);
  };
  return q(c >> 16 & 0xFF, rBits) << 16 | q(c >> 8 & 0xFF, gBits) << 8 | q(c & 0xFF, bBits);
}

// A BMP file of the pattern. 16 bits: 5-5-5, or 5-6-5 bit fields with `bitFields`; 32 bits
// with `bitFields` uses 8-8-8 masks in the order B, G, R swapped to show they are honoured.
inline Bytes MakeBmp(HeaderKind kind, int w, int h, int bits, bool topDown = false, bool bitFields = false,
                     uint32_t xppm = 0, uint32_t yppm = 0)
{
  Writer dib;
  int colors = bits <= 8 ? 1 << bits : 0;
  uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
  if (bits == 16 && bitFields) masks[0] = 0xF800, masks[1] = 0x07E0, masks[2] = 0x001F;
  if (bits == 32) masks[0] = 0x000000FF, masks[1] = 0x0000FF00, masks[2] = 0x00FF0000;
  bool fields = bitFields && (bits == 16 || bits == 32);
  if (kind == kCore) {
    dib.u32(12); dib.u16(w); dib.u16(h); dib.u16(1); dib.u16(bits);
  } else {
    dib.u32(kind); dib.u32(w); dib.u32(topDown ? -h : h); dib.u16(1); dib.u16(bits);
    dib.u32(fields ? 3 : 0); dib.u32(0); dib.u32(xppm); dib.u32(yppm); dib.u32(0); dib.u32(0);
    if (kind != kInfo) {
      for (uint32_t m : masks) dib.u32(fields ? m : 0);
      dib.u32(0);
      while (dib.b.size() < (size_t)kind) dib.u8(0);
    } else if (fields) {
      for (uint32_t m : masks) dib.u32(m);
    }
  }
  for (int i = 0; i < colors; ++i) {
    uint32_t c = PaletteColor(i);
    dib.u8(c & 0xFF); dib.u8(c >> 8 & 0xFF); dib.u8(c >> 16 & 0xFF);
    if (kind != kCore) dib.u8(0);
  }
  size_t bitsAt = dib.b.size();
  for (int r = 0; r < h; ++r) {
    int y = topDown ? r : h - 1 - r;
    size_t start = dib.b.size();
    uint32_t acc = 0;
    int accBits = 0;
    for (int x = 0; x < w; ++x) {
      uint32_t c = PatternColor(x, y);
      uint32_t R = c >> 16 & 0xFF, G = c >> 8 & 0xFF, B = c & 0xFF;
      if (bits <= 8) {
        acc = acc << bits | (uint32_t)PatternIndex(x, y, colors);
        accBits += bits;
        if (accBits == 8) { dib.u8(acc); acc = 0; accBits = 0; }
      } else if (bits == 16) {
        if (fields) dib.u16((R >> 3) << 11 | (G >> 2) << 5 | B >> 3);
        else dib.u16((R >> 3) << 10 | (G >> 3) << 5 | B >> 3);
      } else if (bits == 24) {
        dib.u8(B); dib.u8(G); dib.u8(R);
      } else if (fields) {
        dib.u8(R); dib.u8(G); dib.u8(B); dib.u8(0);
      } else {
        dib.u8(B); dib.u8(G); dib.u8(R); dib.u8(0);
      }
    }
    if (accBits) dib.u8(acc << (8 - accBits));
    dib.pad4(start);
  }
  Writer file;
  file.u8('B'); file.u8('M'); file.u32(14 + (uint32_t)dib.b.size()); file.u32(0); file.u32(14 + (uint32_t)bitsAt);
  file.b.insert(file.b.end(), dib.b.begin(), dib.b.end());
  return file.b;
}

// The colour a reader must give for pixel (x, y) of MakeBmp's picture.
inline uint32_t ExpectedColor(int x, int y, int bits, bool bitFields = false)
{
  if (bits <= 8) return PaletteColor(PatternIndex(x, y, 1 << bits));
  if (bits == 16) return bitFields ? Quantise(PatternColor(x, y), 5, 6, 5) : Quantise(PatternColor(x, y), 5, 5, 5);
  return PatternColor(x, y);
}

// 0xRRGGBB of a COLORREF.
inline uint32_t FromColorRef(uint32_t c) { return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF); }

}  // namespace fixtures
