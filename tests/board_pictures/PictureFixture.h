// Pictures made in memory for the picture, pool and fill tests.
#pragma once

#include <cstring>
#include <string>

#include "DibFormat.h"
#include "DibImage.h"
#include "afx.h"
#include "afxfile.h"

// A new raster of w x h pixels at the given resolution (pixels per metre, 0 for none),
// each pixel coloured by `color(x, y)`.
template <typename F>
inline CDibImage* MakePicture(int w, int h, int bits, int ppm, F color) {
  pictal::Bytes dib;
  if (!pictal::CreateDib(w, h, bits, &dib)) return NULL;
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) pictal::DibSetColor(dib.data(), dib.size(), x, y, color(x, y));
  int32_t v = ppm;
  std::memcpy(&dib[24], &v, 4);  // biXPelsPerMeter
  std::memcpy(&dib[28], &v, 4);  // biYPelsPerMeter
  CMemFile f;
  f.Write(dib.data(), (UINT)dib.size());
  f.SeekToBegin();
  CDibImage* p = new CDibImage;
  if (!p->Read(&f, (DWORD)dib.size())) {
    delete p;
    return NULL;
  }
  return p;
}

inline CDibImage* MakePicture(int w, int h, int ppm = 0) {
  return MakePicture(w, h, 24, ppm, [](int x, int y) { return (COLORREF)((x * 7) & 0xFF) | ((COLORREF)((y * 5) & 0xFF) << 8); });
}

inline std::string BytesOf(CMemFile& f) {
  std::string s((size_t)f.GetLength(), '\0');
  f.SeekToBegin();
  if (!s.empty()) f.Read(&s[0], (UINT)s.size());
  return s;
}
