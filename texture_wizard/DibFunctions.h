// Free functions on DIB headers and packed DIBs (header, colour table, pixels in one block).
#pragma once

#include "DibTypes.h"

#include <cstdint>

// Sizes as the wizard pages compute them from a header.
DWORD DibImageSize(const BITMAPINFOHEADER* info);
DWORD DibImageSize8(const BITMAPINFOHEADER* info);
SIZE DibGetSize(const BITMAPINFOHEADER* info);

// Largest side of a picture the wizard takes in: the view's sizes and zoom factors travel
// in 16 bits, and rotating a larger picture would overflow them.
enum : LONG { kDibMaxSide = 16384 };
inline bool DibSideAllowed(int64_t width, int64_t height)
{
    return width > 0 && height > 0 && width <= kDibMaxSide && height <= kDibMaxSide;
}

// Row stride of a bottom-up 24-bit DIB; 0 when the width is not positive or too large.
DWORD DibStride24(LONG width);
// Bytes of a 24-bit pixel array of that size; 0 when a side is not positive or the size
// does not fit in 31 bits.
DWORD DibBytes24(LONG width, LONG height);
// A new 40-byte 24-bit header of that size (malloc), or NULL.
BITMAPINFOHEADER* DibNewHeader24(const BITMAPINFOHEADER* model, LONG width, LONG height);

int DibNumColors(const BITMAPINFOHEADER* dib);
int DibColorTableSize(const BITMAPINFOHEADER* dib);
BYTE* DibFindBits(BITMAPINFOHEADER* dib);
const BYTE* DibFindBits(const BITMAPINFOHEADER* dib);
COLORREF DibGetPixel(int x, int y, const BITMAPINFOHEADER* dib);
BOOL DibSetPixel(int x, int y, COLORREF colour, BITMAPINFOHEADER* dib);
BITMAPINFOHEADER* CreateDib(int width, int height, int bitsPerPixel);
BOOL CopyDibPixels(BITMAPINFOHEADER* destination, const BITMAPINFOHEADER* source);

// Bytes a packed DIB of this header needs (header, colour table, pixels); 0 when the
// header is not one these functions read (depth, size, compression).
DWORD DibPackedSize(const BITMAPINFOHEADER* dib);

// A packed DIB stored top-down (negative height) as a new bottom-up block (malloc) of the
// same depth; NULL when it is no top-down DIB these functions read, does not fit in size
// bytes, or memory runs out.
BITMAPINFOHEADER* DibBottomUpCopy(const BITMAPINFOHEADER* dib, DWORD size);

// Colour (0x00BBGGRR) of pixel x of one stored row of any common depth; table entries of
// entrySize bytes (4 or 3), an index past the table gives black.
COLORREF DibRowPixel(const BYTE* row, int x, int bitCount, const BYTE* table, int entrySize, int entries);
