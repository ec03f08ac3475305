// Turning a packed DIB by an angle, and drawing a bitmap with one colour left out.
#pragma once

#include "afx.h"

class CDC;

// A new packed DIB (GlobalAlloc, fixed; the caller frees it) showing the picture turned by
// the angle, or NULL for a top-down or compressed picture or when memory runs out.
void* RotateDib(const void* pPackedDib, float fAngle, COLORREF crBackground);
void DrawTransparentBitmap(CDC* pDC, HBITMAP hBitmap, int x, int y, COLORREF crTransparent);
