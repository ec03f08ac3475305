// A JPEG opened in the texture wizard.
#include "FuzzTarget.h"
#include "JpegFileImage.h"

void FuzzOne(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteScratch("picture.jpg", data, size);
  CJpegFileImage image;
  image.Load(path.c_str(), 0, NULL);
}
