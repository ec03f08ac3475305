// Writes a packed DIB as a baseline JPEG file through libjpeg.
#pragma once

#include <afx.h>
#include <PictalTypes.h>

#include <cstdio>

#include <jpeglib.h>

// TRUE when the whole file was written; otherwise `error` holds the reason and the file at
// `path` is as it was before.
BOOL WriteDibAsJpeg(const void* dib, int quality, CString path, CString* error);

// Fills `rows` (as many as the DIB's height, top row first, `rowBytes` each) with the DIB's
// pixels as R, G, B bytes.
BOOL DibRowsToRgb(const void* dib, int rowBytes, JSAMPARRAY rows, CString* error);

// A 5-5-5 pixel as 0xRRGGBB.
int Rgb555ToRgb(unsigned pixel);
