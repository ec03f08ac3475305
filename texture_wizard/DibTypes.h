// Win32 bitmap types for the image classes. Windows has them; the native build gets the
// least it needs here, beside the framework's own types.
#pragma once

#include <afx.h>

#ifndef _WIN32
#include <cstdint>

typedef struct tagBITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
} BITMAPINFOHEADER, *LPBITMAPINFOHEADER;

typedef struct tagRGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
} RGBQUAD;

#ifndef BI_RGB
#define BI_RGB 0L
#endif
#ifndef GENERIC_READ
#define GENERIC_READ 0x80000000UL
#endif
#ifndef GENERIC_WRITE
#define GENERIC_WRITE 0x40000000UL
#endif
#endif // !_WIN32

static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER must be 40 bytes");
static_assert(sizeof(RGBQUAD) == 4, "RGBQUAD must be 4 bytes");
