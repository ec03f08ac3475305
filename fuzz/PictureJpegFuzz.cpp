// A JPEG picture file opened through the picture library, then sampled.
#include "FuzzTarget.h"
#include "JpegImage.h"

void FuzzOne(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteScratch("picture.jpg", data, size);
  CJpegImage image;
  if (!image.Read(path.c_str())) return;
  image.GetDib()->GetColor(0, 0);
}
