// A BMP picture file opened through the picture library, then sampled at its corners.
#include "DibImage.h"
#include "FuzzTarget.h"

void FuzzOne(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteScratch("picture.bmp", data, size);
  CDibImage image;
  if (!image.Read(path.c_str())) return;
  CDib* dib = image.GetDib();
  const int w = dib->GetWidth(), h = dib->GetHeight();
  dib->GetColor(0, 0);
  dib->GetColor(w - 1, h - 1);
  dib->GetColor(w, h);
  CBaseImage* copy = image.Clone();
  delete copy;
}
