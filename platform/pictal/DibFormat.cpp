#include "DibFormat.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "afxreplace.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace pictal {

namespace {

const size_t kInfoSize = 40;
const size_t kCoreSize = 12;
const size_t kFileHeaderSize = 14;
const size_t kMaskBytes = 12;

uint32_t Le32(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | ((uint32_t)p[3] << 24); }
uint16_t Le16(const BYTE* p) { return (uint16_t)(p[0] | (p[1] << 8)); }
void Put32(BYTE* p, uint32_t v) { p[0] = (BYTE)v; p[1] = (BYTE)(v >> 8); p[2] = (BYTE)(v >> 16); p[3] = (BYTE)(v >> 24); }
void Put16(BYTE* p, uint16_t v) { p[0] = (BYTE)v; p[1] = (BYTE)(v >> 8); }

bool ValidBitCount(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

// A channel of a bit-field pixel, widened or narrowed to 8 bits.
BYTE MaskChannel(uint32_t pixel, uint32_t mask)
{
  if (mask == 0) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  uint32_t m = mask >> shift;
  int width = 0;
  while ((m >> width) & 1) ++width;
  uint32_t v = (pixel & mask) >> shift;
  v &= (width >= 32) ? 0xFFFFFFFFu : ((1u << width) - 1);
  if (width >= 8) return (BYTE)(v >> (width - 8));
  // Repeat the bits to fill 8, so that the largest value becomes 255.
  uint32_t out = 0;
  int filled = 0;
  while (filled < 8) {
    out = (out << width) | v;
    filled += width;
  }
  return (BYTE)(out >> (filled - 8));
}

// Reads one RLE-compressed picture into bottom-up rows of 8 or 4 bits.
bool DecodeRle(const BYTE* src, size_t size, int width, int height, int bits, size_t rowBytes, BYTE* dst)
{
  auto put = [&](int x, int y, BYTE index) {
    if (x < 0 || x >= width || y < 0 || y >= height) return;
    BYTE* row = dst + (size_t)y * rowBytes;
    if (bits == 8) {
      row[x] = index;
    } else {
      BYTE& b = row[x >> 1];
      b = (x & 1) ? (BYTE)((b & 0xF0) | (index & 0x0F)) : (BYTE)((b & 0x0F) | (index << 4));
    }
  };
  size_t i = 0;
  int x = 0, y = 0;
  while (i + 1 < size) {
    BYTE count = src[i], value = src[i + 1];
    i += 2;
    if (count > 0) {
      for (int k = 0; k < count && x < width; ++k, ++x)
        put(x, y, bits == 8 ? value : (BYTE)((k & 1) ? (value & 0x0F) : (value >> 4)));
      continue;
    }
    switch (value) {
      case 0:  // end of line
        x = 0;
        if (++y >= height) return true;
        break;
      case 1:  // end of picture
        return true;
      case 2:  // move right and up
        if (i + 1 >= size) return false;
        x += src[i];
        y += src[i + 1];
        i += 2;
        if (y >= height) return true;
        break;
      default: {  // literal pixels, padded to a word
        size_t n = value;
        size_t bytes = bits == 8 ? n : (n + 1) / 2;
        if (i + bytes > size) return false;
        for (size_t k = 0; k < n; ++k, ++x) {
          BYTE index = bits == 8 ? src[i + k] : (BYTE)((k & 1) ? (src[i + k / 2] & 0x0F) : (src[i + k / 2] >> 4));
          put(x, y, index);
        }
        i += (bytes + 1) & ~(size_t)1;
        break;
      }
    }
  }
  // A picture that ends without its end mark keeps the rows it has.
  return true;
}

}  // namespace

size_t DibRowBytes(int width, int bitCount)
{
  if (width <= 0 || !ValidBitCount(bitCount)) return 0;
  uint64_t bits = (uint64_t)width * (uint64_t)bitCount;
  uint64_t bytes = ((bits + 31) / 32) * 4;
  if (bytes > kMaxDibBits) return 0;
  return (size_t)bytes;
}

bool DescribeDib(const BYTE* dib, size_t size, DibLayout* layout)
{
  if (!dib || size < kInfoSize || Le32(dib) != kInfoSize) return false;
  DibLayout l;
  l.width = (int32_t)Le32(dib + 4);
  l.height = (int32_t)Le32(dib + 8);
  l.bitCount = Le16(dib + 14);
  l.compression = Le32(dib + 16);
  if (l.width <= 0 || l.height <= 0) return false;
  l.rowBytes = DibRowBytes(l.width, l.bitCount);
  if (l.rowBytes == 0 || (uint64_t)l.rowBytes * (uint64_t)l.height > kMaxDibBits) return false;
  size_t masks = 0;
  if (l.compression == BI_BITFIELDS) {
    if (l.bitCount != 16 && l.bitCount != 32) return false;
    masks = kMaskBytes;
  } else if (l.compression != BI_RGB) {
    return false;
  }
  uint32_t used = Le32(dib + 32);
  l.colors = l.bitCount <= 8 ? (1 << l.bitCount) : 0;
  if (used != 0 && (int64_t)used != l.colors) return false;
  l.bitsOffset = kInfoSize + masks + (size_t)l.colors * 4;
  l.totalBytes = l.bitsOffset + l.rowBytes * (size_t)l.height;
  if (size < l.totalBytes) return false;
  *layout = l;
  return true;
}

bool NormalizeDib(const BYTE* dib, size_t size, size_t bitsOffset, Bytes* out)
{
  if (!dib || size < 4) return false;
  uint32_t headerSize = Le32(dib);
  if (headerSize > size) return false;
  int64_t width, height;
  int bits;
  uint32_t compression = BI_RGB;
  int32_t xppm = 0, yppm = 0;
  uint64_t used = 0;
  size_t entrySize = 4;
  uint32_t masks[3] = {0, 0, 0};
  size_t afterHeader = headerSize;
  if (headerSize == kCoreSize) {
    width = Le16(dib + 4);
    height = Le16(dib + 6);
    bits = Le16(dib + 10);
    entrySize = 3;
  } else if (headerSize == kInfoSize || headerSize == 52 || headerSize == 56 || headerSize == 108 || headerSize == 124) {
    width = (int32_t)Le32(dib + 4);
    height = (int32_t)Le32(dib + 8);
    bits = Le16(dib + 14);
    compression = Le32(dib + 16);
    xppm = (int32_t)Le32(dib + 24);
    yppm = (int32_t)Le32(dib + 28);
    used = Le32(dib + 32);
    if (compression == BI_BITFIELDS || compression == 6 /* alpha bit fields */) {
      const BYTE* m = dib + kInfoSize;
      if (headerSize == kInfoSize) {
        size_t n = compression == 6 ? 16 : kMaskBytes;
        if (size < kInfoSize + n) return false;
        afterHeader += n;
      }
      masks[0] = Le32(m);
      masks[1] = Le32(m + 4);
      masks[2] = Le32(m + 8);
      compression = BI_BITFIELDS;
    }
  } else {
    return false;
  }
  if (!ValidBitCount(bits) || width <= 0 || height == 0) return false;
  bool topDown = height < 0;
  if (topDown) height = -height;
  if (width > 0x7FFFFFFF || height > 0x7FFFFFFF) return false;
  switch (compression) {
    case BI_RGB: break;
    case BI_RLE8: if (bits != 8 || topDown) return false; break;
    case BI_RLE4: if (bits != 4 || topDown) return false; break;
    case BI_BITFIELDS: if (bits != 16 && bits != 32) return false; break;
    default: return false;
  }
  size_t rowBytes = DibRowBytes((int)width, bits);
  if (rowBytes == 0 || (uint64_t)rowBytes * (uint64_t)height > kMaxDibBits) return false;
  // RLE can state any size in a few bytes; a real picture does not pack 1024 to 1.
  if ((compression == BI_RLE8 || compression == BI_RLE4) &&
      (uint64_t)rowBytes * (uint64_t)height > ((uint64_t)size << 10) + (1u << 16))
    return false;

  // Colour table: only as many entries as the bytes present can hold.
  int colors = bits <= 8 ? (1 << bits) : 0;
  uint64_t tableEntries = used ? used : (uint64_t)colors;
  uint64_t tableBytes = tableEntries * entrySize;
  if (afterHeader + tableBytes > size) return false;
  size_t bitsAt = afterHeader + (size_t)tableBytes;
  if (bitsOffset != 0) {
    if (bitsOffset < afterHeader || bitsOffset > size) return false;
    bitsAt = bitsOffset;
  }

  // Bit fields that say plain 5-5-5 or 8-8-8 are kept as BI_RGB.
  if (compression == BI_BITFIELDS) {
    if ((bits == 16 && masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F) ||
        (bits == 32 && masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF))
      compression = BI_RGB;
  }
  bool rle = compression == BI_RLE8 || compression == BI_RLE4;
  if (!rle && size - bitsAt < rowBytes * (size_t)height) return false;
  size_t outMasks = compression == BI_BITFIELDS ? kMaskBytes : 0;
  size_t outBitsAt = kInfoSize + outMasks + (size_t)colors * 4;
  size_t imageBytes = rowBytes * (size_t)height;
  try {
    out->assign(outBitsAt + imageBytes, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  BYTE* o = out->data();
  Put32(o, kInfoSize);
  Put32(o + 4, (uint32_t)width);
  Put32(o + 8, (uint32_t)height);
  Put16(o + 12, 1);
  Put16(o + 14, (uint16_t)bits);
  Put32(o + 16, compression == BI_BITFIELDS ? BI_BITFIELDS : BI_RGB);
  Put32(o + 20, (uint32_t)imageBytes);
  Put32(o + 24, (uint32_t)xppm);
  Put32(o + 28, (uint32_t)yppm);
  if (outMasks) {
    Put32(o + kInfoSize, masks[0]);
    Put32(o + kInfoSize + 4, masks[1]);
    Put32(o + kInfoSize + 8, masks[2]);
  }
  int copyColors = (int)(tableEntries < (uint64_t)colors ? tableEntries : (uint64_t)colors);
  for (int i = 0; i < copyColors; ++i) {
    const BYTE* e = dib + afterHeader + (size_t)i * entrySize;
    BYTE* q = o + kInfoSize + outMasks + (size_t)i * 4;
    q[0] = e[0];
    q[1] = e[1];
    q[2] = e[2];
    q[3] = 0;
  }
  BYTE* outBits = o + outBitsAt;
  if (rle) {
    size_t avail = size - bitsAt;
    uint32_t stated = headerSize >= kInfoSize ? Le32(dib + 20) : 0;
    if (stated != 0 && stated < avail) avail = stated;
    return DecodeRle(dib + bitsAt, avail, (int)width, (int)height, bits, rowBytes, outBits);
  }
  for (int64_t y = 0; y < height; ++y) {
    int64_t from = topDown ? height - 1 - y : y;
    std::memcpy(outBits + (size_t)y * rowBytes, dib + bitsAt + (size_t)from * rowBytes, rowBytes);
  }
  return true;
}

bool ParseBmpFile(const BYTE* data, size_t size, Bytes* out)
{
  if (!data || size < kFileHeaderSize + kCoreSize || data[0] != 'B' || data[1] != 'M') return false;
  uint32_t off = Le32(data + 10);
  size_t bitsOffset = 0;
  if (off > kFileHeaderSize && off < size) bitsOffset = off - kFileHeaderSize;
  return NormalizeDib(data + kFileHeaderSize, size - kFileHeaderSize, bitsOffset, out);
}

bool MakeBmpFile(const BYTE* dib, size_t size, Bytes* out)
{
  DibLayout l;
  if (!DescribeDib(dib, size, &l)) return false;
  try {
    out->assign(kFileHeaderSize + l.totalBytes, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  BYTE* o = out->data();
  o[0] = 'B';
  o[1] = 'M';
  Put32(o + 2, (uint32_t)out->size());
  Put32(o + 10, (uint32_t)(kFileHeaderSize + l.bitsOffset));
  std::memcpy(o + kFileHeaderSize, dib, l.totalBytes);
  return true;
}

bool CreateDib(int width, int height, int bitCount, Bytes* out)
{
  size_t rowBytes = DibRowBytes(width, bitCount);
  if (rowBytes == 0 || height <= 0 || (uint64_t)rowBytes * (uint64_t)height > kMaxDibBits) return false;
  int colors = bitCount <= 8 ? (1 << bitCount) : 0;
  size_t bitsAt = kInfoSize + (size_t)colors * 4;
  try {
    out->assign(bitsAt + rowBytes * (size_t)height, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  BYTE* o = out->data();
  Put32(o, kInfoSize);
  Put32(o + 4, (uint32_t)width);
  Put32(o + 8, (uint32_t)height);
  Put16(o + 12, 1);
  Put16(o + 14, (uint16_t)bitCount);
  Put32(o + 20, (uint32_t)(rowBytes * (size_t)height));
  for (int i = 0; i < colors; ++i) {
    BYTE grey = (BYTE)(i * 255 / (colors - 1));
    BYTE* q = o + kInfoSize + (size_t)i * 4;
    q[0] = q[1] = q[2] = grey;
  }
  return true;
}

COLORREF DibGetColor(const BYTE* dib, size_t size, int x, int y)
{
  DibLayout l;
  if (!DescribeDib(dib, size, &l) || x < 0 || y < 0 || x >= l.width || y >= l.height) return CLR_INVALID;
  return DibPixelAt(dib, l, x, y);
}

COLORREF DibPixelAt(const BYTE* dib, const DibLayout& l, int x, int y)
{
  const BYTE* row = dib + l.bitsOffset + (size_t)(l.height - 1 - y) * l.rowBytes;
  const BYTE* table = dib + kInfoSize;
  int index;
  switch (l.bitCount) {
    case 1: index = (row[x >> 3] >> (7 - (x & 7))) & 1; break;
    case 4: index = (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4); break;
    case 8: index = row[x]; break;
    case 16: {
      uint32_t v = Le16(row + (size_t)x * 2);
      if (l.compression == BI_BITFIELDS) {
        const BYTE* m = dib + kInfoSize;
        return RGB(MaskChannel(v, Le32(m)), MaskChannel(v, Le32(m + 4)), MaskChannel(v, Le32(m + 8)));
      }
      return RGB(MaskChannel(v, 0x7C00), MaskChannel(v, 0x03E0), MaskChannel(v, 0x001F));
    }
    case 24: {
      const BYTE* p = row + (size_t)x * 3;
      return RGB(p[2], p[1], p[0]);
    }
    default: {
      const BYTE* p = row + (size_t)x * 4;
      if (l.compression == BI_BITFIELDS) {
        uint32_t v = Le32(p);
        const BYTE* m = dib + kInfoSize;
        return RGB(MaskChannel(v, Le32(m)), MaskChannel(v, Le32(m + 4)), MaskChannel(v, Le32(m + 8)));
      }
      return RGB(p[2], p[1], p[0]);
    }
  }
  const BYTE* e = table + (size_t)index * 4;
  return RGB(e[2], e[1], e[0]);
}

bool DibSetColor(BYTE* dib, size_t size, int x, int y, COLORREF color)
{
  DibLayout l;
  if (!DescribeDib(dib, size, &l) || x < 0 || y < 0 || x >= l.width || y >= l.height) return false;
  BYTE* row = dib + l.bitsOffset + (size_t)(l.height - 1 - y) * l.rowBytes;
  int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  if (l.bitCount <= 8) {
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < l.colors; ++i) {
      const BYTE* e = dib + kInfoSize + (size_t)i * 4;
      long d = (long)(e[2] - r) * (e[2] - r) + (long)(e[1] - g) * (e[1] - g) + (long)(e[0] - b) * (e[0] - b);
      if (bestDistance < 0 || d < bestDistance) {
        best = i;
        bestDistance = d;
      }
    }
    if (l.bitCount == 1) {
      BYTE bit = (BYTE)(0x80 >> (x & 7));
      row[x >> 3] = best ? (BYTE)(row[x >> 3] | bit) : (BYTE)(row[x >> 3] & ~bit);
    } else if (l.bitCount == 4) {
      BYTE& v = row[x >> 1];
      v = (x & 1) ? (BYTE)((v & 0xF0) | best) : (BYTE)((v & 0x0F) | (best << 4));
    } else {
      row[x] = (BYTE)best;
    }
    return true;
  }
  auto pack = [&](uint32_t mask, int value) -> uint32_t {
    if (mask == 0) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    uint32_t m = mask >> shift;
    int width = 0;
    while ((m >> width) & 1) ++width;
    uint32_t v = width >= 8 ? ((uint32_t)value << (width - 8)) : ((uint32_t)value >> (8 - width));
    return (v << shift) & mask;
  };
  if (l.bitCount == 24) {
    BYTE* p = row + (size_t)x * 3;
    p[0] = (BYTE)b;
    p[1] = (BYTE)g;
    p[2] = (BYTE)r;
    return true;
  }
  uint32_t rm = 0x7C00, gm = 0x03E0, bm = 0x001F;
  if (l.bitCount == 32) rm = 0xFF0000, gm = 0xFF00, bm = 0xFF;
  if (l.compression == BI_BITFIELDS) {
    const BYTE* m = dib + kInfoSize;
    rm = Le32(m);
    gm = Le32(m + 4);
    bm = Le32(m + 8);
  }
  uint32_t v = pack(rm, r) | pack(gm, g) | pack(bm, b);
  if (l.bitCount == 16)
    Put16(row + (size_t)x * 2, (uint16_t)v);
  else
    Put32(row + (size_t)x * 4, v);
  return true;
}

bool ReadWholeFile(const char* path, size_t limit, Bytes* out)
{
  if (!path || !*path) return false;
  FILE* f = std::fopen(path, "rb");
  if (!f) return false;
  bool ok = false;
  if (std::fseek(f, 0, SEEK_END) == 0) {
    long length = std::ftell(f);
    if (length >= 0 && (uint64_t)length <= limit && std::fseek(f, 0, SEEK_SET) == 0) {
      try {
        out->resize((size_t)length);
        ok = std::fread(out->data(), 1, out->size(), f) == out->size();
      } catch (const std::bad_alloc&) {
        ok = false;
      }
    }
  }
  std::fclose(f);
  return ok;
}

bool WriteFileReplacing(const char* path, const BYTE* data, size_t size)
{
  return path && *path && AfxReplaceFileData(path, data, size);
}

}  // namespace pictal
