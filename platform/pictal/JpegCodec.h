// JPEG to and from normal-form DIBs through libjpeg's IJG 6b interface. Library errors come
// back as false; a damaged or truncated file never yields a picture.
#pragma once

#include "DibFormat.h"

namespace pictal {

// A 24-bit DIB (8-bit grey for one-component files) with the file's resolution in pixels
// per metre, or none when the file gives only an aspect ratio.
bool DecodeJpeg(const BYTE* data, size_t size, Bytes* dib);

// A baseline JFIF file of the given quality (0 to 100) carrying the DIB's resolution.
bool EncodeJpeg(const BYTE* dib, size_t size, int quality, Bytes* out);

}  // namespace pictal
