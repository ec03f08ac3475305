// DXF drawings read by dxflib and drawn into an enhanced metafile.
#pragma once

#include "DibFormat.h"

namespace pictal {

// The drawing's lines, arcs, circles, polylines and texts, fitted into a frame of the
// drawing's extent; false when the file cannot be read or holds nothing to draw.
bool DxfToEnhancedMetafile(const char* path, Bytes* emf);

}  // namespace pictal
