// The trailer of a texture file alone, at the offset the BMP's own size field names, as the
// texture reader looks for it once the BMP has been read.
#include <cstring>

#include "FuzzTarget.h"
#include "TextureInfo.h"

void FuzzOne(const uint8_t* data, size_t size) {
  DWORD start = 0;
  if (size >= 6) std::memcpy(&start, data + 2, 4);
  CTextureInfo info;
  ReadTextureTrailer(data, (DWORD)size, start, &info);
}
