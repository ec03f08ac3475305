// Logical points to device points of a DC as the object regions need them: through the
// attribute DC, then from printer to screen units on a print-preview DC, or scaled down by
// the printer's scaling factors on a printing DC.
#pragma once

#include "afx.h"

class CDC;

void jvqLogicalToDevice(CDC* pDC, POINT* pPoints, int nCount);
BOOL jvqIsPreviewDC(CDC* pDC);
