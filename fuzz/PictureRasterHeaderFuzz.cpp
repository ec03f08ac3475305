// The resolution a PNG or TIFF file states, read from its bytes before the platform's
// imaging component decodes it (the decoding itself is replayed from this corpus under Wine).
#include "FuzzTarget.h"
#include "WicCodec.h"

void FuzzOne(const uint8_t* data, size_t size) {
  LONG x = 0, y = 0;
  pictal::PngResolution(data, size, &x, &y);
  pictal::TiffResolution(data, size, &x, &y);
}
