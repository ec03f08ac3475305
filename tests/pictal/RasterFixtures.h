#pragma once
// PNG and TIFF files of the BMP fixtures' pattern, written byte by byte (PNG through zlib).
#include <zlib.h>

#include "BmpFixtures.h"

namespace fixtures {

struct BigEndian {
  Bytes b;
  void u8(unsigned v) { b.push_back((uint8_t)v); }
  void u32(uint32_t v) { u8(v >> 24); u8(v >> 16 & 0xFF); u8(v >> 8 & 0xFF); u8(v & 0xFF); }
};

inline void PngChunk(Bytes& out, const char* type, const Bytes& data)
{
  BigEndian c;
  c.u32((uint32_t)data.size());
  Bytes body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  c.b.insert(c.b.end(), body.begin(), body.end());
  c.u32((uint32_t)crc32(0, body.data(), (uInt)body.size()));
  out.insert(out.end(), c.b.begin(), c.b.end());
}

// An 8-bit RGB PNG (RGBA with `alpha` for the right half's transparency), with a pHYs chunk
// when ppm is not 0.
inline Bytes MakePng(int w, int h, uint32_t ppm, bool alpha = false)
{
  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  BigEndian ihdr;
  ihdr.u32(w); ihdr.u32(h); ihdr.u8(8); ihdr.u8(alpha ? 6 : 2); ihdr.u8(0); ihdr.u8(0); ihdr.u8(0);
  PngChunk(out, "IHDR", ihdr.b);
  if (ppm) {
    BigEndian phys;
    phys.u32(ppm); phys.u32(ppm); phys.u8(1);
    PngChunk(out, "pHYs", phys.b);
  }
  Bytes raw;
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);
    for (int x = 0; x < w; ++x) {
      uint32_t c = PatternColor(x, y);
      raw.push_back(c >> 16 & 0xFF); raw.push_back(c >> 8 & 0xFF); raw.push_back(c & 0xFF);
      if (alpha) raw.push_back(x < w / 2 ? 255 : 0);
    }
  }
  uLongf size = compressBound((uLong)raw.size());
  Bytes packed(size);
  compress(packed.data(), &size, raw.data(), (uLong)raw.size());
  packed.resize(size);
  PngChunk(out, "IDAT", packed);
  PngChunk(out, "IEND", Bytes());
  return out;
}

// An uncompressed little-endian RGB TIFF in one strip, with its resolution in dots per
// `unit` (2 inch, 3 centimetre), or none when dpi is 0.
inline Bytes MakeTiff(int w, int h, uint32_t dpi, int unit = 2)
{
  Writer t;
  const int entries = dpi ? 12 : 9;
  uint32_t ifd = 8, extra = ifd + 2 + entries * 12 + 4;
  uint32_t bitsAt = extra, resAt = extra + 6, pixelsAt = resAt + 16;
  t.u8('I'); t.u8('I'); t.u16(42); t.u32(ifd);
  t.u16(entries);
  auto entry = [&](uint16_t tag, uint16_t type, uint32_t count, uint32_t value) { t.u16(tag); t.u16(type); t.u32(count); t.u32(value); };
  entry(256, 4, 1, w);                 // width
  entry(257, 4, 1, h);                 // height
  entry(258, 3, 3, bitsAt);            // bits per sample
  entry(259, 3, 1, 1);                 // no compression
  entry(262, 3, 1, 2);                 // RGB
  entry(273, 4, 1, pixelsAt);          // strip offset
  entry(277, 3, 1, 3);                 // samples per pixel
  entry(278, 4, 1, h);                 // rows per strip
  entry(279, 4, 1, (uint32_t)(w * h * 3));
  if (dpi) {
    entry(282, 5, 1, resAt);           // x resolution
    entry(283, 5, 1, resAt + 8);       // y resolution
    entry(296, 3, 1, unit);
  }
  t.u32(0);
  t.u16(8); t.u16(8); t.u16(8);
  t.u32(dpi); t.u32(1); t.u32(dpi); t.u32(1);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t c = PatternColor(x, y);
      t.u8(c >> 16 & 0xFF); t.u8(c >> 8 & 0xFF); t.u8(c & 0xFF);
    }
  return t.b;
}

}  // namespace fixtures
