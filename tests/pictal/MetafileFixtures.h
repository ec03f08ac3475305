#pragma once
// The smallest enhanced metafile: a header record of the given frame and an end record.
#include "BmpFixtures.h"

namespace fixtures {

inline Bytes MakeTinyEmf(int frameRight, int frameBottom)
{
  Writer w;
  w.u32(1); w.u32(88);                              // EMR_HEADER, size
  w.u32(0); w.u32(0); w.u32(10); w.u32(10);         // bounds
  w.u32(0); w.u32(0); w.u32(frameRight); w.u32(frameBottom);  // frame, 0.01 mm
  w.u32(0x464D4520); w.u32(0x10000);                // signature, version
  w.u32(88 + 20); w.u32(2);                         // bytes, records
  w.u16(1); w.u16(0);                               // handles, reserved
  w.u32(0); w.u32(0); w.u32(0);                     // description, palette entries
  w.u32(1024); w.u32(768); w.u32(320); w.u32(240);  // device pixels and millimetres
  w.u32(14); w.u32(20); w.u32(0); w.u32(16); w.u32(20);  // EMR_EOF
  return w.b;
}

}  // namespace fixtures
