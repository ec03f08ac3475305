// A BMP the renderer reads for textures and backgrounds: loaded both ways (as it is, and
// turned into 24 bits), sampled, and resampled into a new file as a background is.
#include <cstdint>

#include "FuzzTarget.h"
#include "TBitmapForPng.h"

void FuzzOne(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteScratch("bitmap.bmp", data, size);
  {
    TBitmapForPng bmp;
    if (bmp.LoadBmp(path.c_str()) && bmp.GetWidth() > 0 && bmp.GetHeight() != 0) {
      uint8_t px[4 * 4];
      bmp.GetPixels(0, 0, 1, px);
      const int w = bmp.GetWidth(), h = bmp.GetHeight() < 0 ? -bmp.GetHeight() : bmp.GetHeight();
      bmp.GetPixels(w - 1, h - 1, 1, px);
      if (bmp.IsPaletted()) bmp.PaletteColour(255);
    }
  }
  StretchBitmap back;
  if (back.Load(path.c_str())) back.SaveScaled(7, 5, (fuzz::ScratchDir() + "/bitmap-scaled.bmp").c_str());
}
