// The arithmetic of the creation, rotate, zoom and vertex tools, apart from any window:
// the Shift square, the point of an ellipse at the pointer's angle, the rotation steps,
// the zoom steps and the zoom of a dragged frame, and the vertex tolerance.
#pragma once

#include "afx.h"

// The square on the larger of the two distances (the vertical one on a tie), with the
// start as one corner, in the quadrant the end was dragged into; normalised.
RECT MakeSquareRect(POINT ptStart, POINT ptEnd);

// The point of the ellipse inscribed in the rectangle at the angle of pt seen from its
// centre (the aspect taken into account).
POINT PointOnEllipseAtAngle(RECT rc, POINT pt);

// The angle of a rotate drag: the pointer's angle less the offset, within 0..359, down to
// a multiple of 15 degrees, or of 5 with Shift.
int jvqRotationStep(int nAngle, BOOL bShift);

// The next zoom of the table (entries holding "%", ended by an empty text) above (bIn) or
// below the current one; the limit itself at or beyond it; the current one when no entry
// qualifies.
int jvqStepZoom(const char* const* ppTable, int nCurrent, BOOL bIn);
// The largest and the smallest zoom of the table.
void jvqZoomLimits(const char* const* ppTable, int* pUpper, int* pLower);

// The zoom that shows a dragged frame of the given device size as large as the client
// allows with its own shape, from the current zoom; kept within lower..upper. 0 for a
// frame without area (the caller treats it as a click).
int jvqZoomForRect(SIZE szFrame, SIZE szClient, int nZoom, int nUpper, int nLower);

// The tolerance in pixels for hitting a segment when inserting a vertex: the line width,
// at least 16 pixels.
int jvqVertexTolerance(int nLineWidthPixels);

// The rectangle between two points, normalised.
RECT jvqNormalRect(POINT a, POINT b);

// " 幅: 1.5㎝ 高さ: 1.0㎝": a dragged rectangle's size in whole millimetres, as the status
// bar shows it.
CString jvqSizeCaption(const RECT& r);
