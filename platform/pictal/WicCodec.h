// PNG and TIFF through the platform's imaging component (WIC), as normal-form DIBs.
#pragma once

#include "DibFormat.h"

namespace pictal {

enum WicContainer { kWicPng, kWicTiff };

// The file's first frame as a 24-bit DIB (transparent parts over white) with its resolution.
bool WicDecode(const char* path, WicContainer container, Bytes* dib);
// Writes a DIB as PNG or TIFF through a temporary copy.
bool WicEncode(const char* path, WicContainer container, const BYTE* dib, size_t size);

// The resolution a PNG file states in its pHYs chunk, or a TIFF file in its first image's
// tags, in pixels per metre; false when the file states none (or only an aspect ratio).
bool PngResolution(const BYTE* data, size_t size, LONG* xppm, LONG* yppm);
bool TiffResolution(const BYTE* data, size_t size, LONG* xppm, LONG* yppm);

}  // namespace pictal
