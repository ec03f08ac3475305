// Packed DIBs and BMP files, without any window system.
//
// The library keeps every raster in one normal form: a 40-byte BITMAPINFOHEADER, the three
// colour masks for BI_BITFIELDS, the full colour table (2, 16 or 256 entries) for 1, 4 and
// 8 bits per pixel, then the rows bottom-up, uncompressed, each padded to 4 bytes. Readers
// accept every header kind (core, info, v2 to v5), RLE and top-down rows, and bring them into
// that form; nothing is read beyond the bytes given.
#pragma once

#include <cstddef>
#include <vector>

#include "PictalTypes.h"

namespace pictal {

typedef std::vector<BYTE> Bytes;

// Largest pixel block the library makes, so that a count read from a file cannot ask for
// more memory than a 32-bit process can give.
const size_t kMaxDibBits = 256u * 1024u * 1024u;

// Where the parts of a normal-form DIB lie.
struct DibLayout {
  int width = 0;
  int height = 0;
  int bitCount = 0;
  DWORD compression = BI_RGB;  // BI_RGB or BI_BITFIELDS
  int colors = 0;              // colour table entries
  size_t rowBytes = 0;
  size_t bitsOffset = 0;       // header, masks and colour table
  size_t totalBytes = 0;
};

// Bytes of one row of `width` pixels, padded to 4 bytes; 0 when it would not fit.
size_t DibRowBytes(int width, int bitCount);

// Describes a DIB that is already in the normal form; false unless it is, and whole.
bool DescribeDib(const BYTE* dib, size_t size, DibLayout* layout);

// Brings any packed DIB into the normal form. `bitsOffset` is where the pixels start,
// counted from the header, or 0 when they follow the colour table.
bool NormalizeDib(const BYTE* dib, size_t size, size_t bitsOffset, Bytes* out);

// A BMP file's bytes into a normal-form DIB.
bool ParseBmpFile(const BYTE* data, size_t size, Bytes* out);

// A normal-form DIB as a BMP file.
bool MakeBmpFile(const BYTE* dib, size_t size, Bytes* out);

// A new black DIB; 1, 4 and 8 bits get a grey scale colour table.
bool CreateDib(int width, int height, int bitCount, Bytes* out);

// One pixel of a normal-form DIB, (0, 0) the top left; CLR_INVALID outside.
COLORREF DibGetColor(const BYTE* dib, size_t size, int x, int y);
// The same for a DIB already described, with x and y inside it.
COLORREF DibPixelAt(const BYTE* dib, const DibLayout& layout, int x, int y);
// Sets one pixel; indexed DIBs take the nearest colour of their table.
bool DibSetColor(BYTE* dib, size_t size, int x, int y, COLORREF color);

// Files: a whole file of at most `limit` bytes, and a file written through a temporary copy
// that replaces the target only once it is complete.
bool ReadWholeFile(const char* path, size_t limit, Bytes* out);
bool WriteFileReplacing(const char* path, const BYTE* data, size_t size);

}  // namespace pictal

#ifndef CLR_INVALID
#define CLR_INVALID 0xFFFFFFFF
#endif
