// A packed DIB taken from the clipboard (CF_DIB) into the texture wizard.
#include <cstdlib>
#include <cstring>

#include "BmpFileImage.h"
#include "FuzzTarget.h"

void FuzzOne(const uint8_t* data, size_t size) {
  // The clipboard's block is aligned memory of its own.
  void* block = std::malloc(size ? size : 1);
  std::memcpy(block, data, size);
  CBmpFileImage image;
  image.AttachDibBlock(static_cast<const BITMAPINFOHEADER*>(block), (DWORD)size);
  std::free(block);
}
