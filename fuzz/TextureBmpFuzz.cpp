// A texture file (.kjq: a BMP followed by its catalogue trailer) or a plain BMP, read by
// the texture wizard both ways.
#include "BmpFileImage.h"
#include "FuzzTarget.h"
#include "TextureInfo.h"

void FuzzOne(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteScratch("texture.kjq", data, size);
  {
    CBmpFileImage image;
    CTextureInfo info;
    image.Load(path.c_str(), 0, &info);
  }
  CBmpFileImage plain;
  plain.Load(path.c_str(), 0, NULL);
}
