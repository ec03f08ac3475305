// Recognising metafile bytes without any window system: enhanced metafiles, Windows
// metafiles with or without the placeable header, and floor-plan files that wrap either.
#pragma once

#include "DibFormat.h"

namespace pictal {

enum MetafileKind { kNotMetafile, kEnhanced, kWindows, kPlaceable };

struct MetafileInfo {
  MetafileKind kind = kNotMetafile;
  size_t offset = 0;  // where the metafile proper starts (after a placeable or floor-plan header)
  size_t length = 0;  // its bytes
  // Placeable: the logical frame and units per inch; Windows: the window origin and
  // extent its records set, when they set one.
  RECT frame = {0, 0, 0, 0};
  int unitsPerInch = 0;
  bool hasFrame = false;
};

const size_t kFloorPlanHeader = 24;

// What the bytes hold; a floor-plan header ("kxq" and 0, then 20 bytes) is stepped over.
MetafileInfo ClassifyMetafile(const BYTE* data, size_t size);

// Whole, consistent enhanced metafile; `length` gets its stated byte count.
bool CheckEnhancedMetafile(const BYTE* data, size_t size, size_t* length);

// An enhanced metafile's frame as screen pixels (96 per inch).
SIZE EnhancedMetafileSize(const BYTE* data, size_t size);

}  // namespace pictal
