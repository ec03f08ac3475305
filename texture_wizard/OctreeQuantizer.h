// Octree colour reduction of a 24-bit bottom-up DIB.
#pragma once

#include "DibTypes.h"

// Reduces the picture to at most maxColours colours (1 to 236 by default) and returns the
// count with *palette set to a new block (malloc) of that many entries; 0 when there are
// no pixels or memory runs out.
int QuantizeOctree(const BITMAPINFOHEADER* info, const BYTE* bits, RGBQUAD** palette, int maxColours = 236);
