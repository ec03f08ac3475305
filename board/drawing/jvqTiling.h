// Tiling a picture over a box, shared by the pattern and texture fills.
#pragma once

#include "afx.h"

class CDC;
class CDib;

// Columns and rows of tiles of tw x th units that cover a box of w x h units (the last ones
// cut by the clip region); 0 for an empty box or tile.
int jvqTileCount(int nLength, int nTile);

#ifdef _WIN32
// The factor per axis from the display's physical size to the target DC's: pictures keep
// their physical size on printers and in zoomed views. 1.0 unless the target maps
// MM_LOMETRIC or MM_ANISOTROPIC.
void jvqTileScaleRatio(CDC* pDC, double* pRatioX, double* pRatioY);
// Draws the DIB into tiles of tw x th logical units from the box's top left, row by row.
void jvqTileDib(CDC* pDC, CDib* pDib, const RECT& box, int tw, int th);
#endif
