// The arithmetic of snapping and of the select tool's gestures, apart from any window so
// that the tables run natively: grid and guide snapping, the snapping shift of a moved
// object, the cursor of a turned handle, Shift alignment of a vertex and the scale steps
// of floor plans.
#pragma once

#include <vector>

#include "afx.h"

// v moved to the nearest multiple of the step; halves go away from zero on the positive
// side and toward zero on the negative side (truncating division). s must be positive.
int jvqSnapToStep(int v, int s);

// The grid point g replaced by each guide strictly nearer to v than g is; the last such
// guide in list order wins.
int jvqSnapToGuides(int v, int g, const std::vector<int>& guides);

// The shift that snaps an object by one of its four corners: the first corner's shift,
// replaced by each later one whose |dx| and |dy| are both no larger.
SIZE jvqPickSnapOffset(const POINT corners[4], const POINT snapped[4]);

// The resize cursor of a handle: 0 north-south, 1 north-east/south-west, 2 west-east,
// 3 north-west/south-east. A turned rectangle-family owner takes the direction of the
// turned handle; others take it from the index; -1 for an index outside 0..7.
enum { JVQ_SIZE_NS = 0, JVQ_SIZE_NESW = 1, JVQ_SIZE_WE = 2, JVQ_SIZE_NWSE = 3 };
int jvqHandleCursorKind(double dAngle, int nIndex, BOOL bRectFamily);

// Shift during a vertex drag: aligned with one neighbour on the axis where it is nearer.
POINT jvqAlignToNeighbour(POINT pt, POINT ref);
// Between two neighbours: the one coordinate strictly nearest among the four takes that
// neighbour's value; otherwise the point stays.
POINT jvqAlignBetween(POINT pt, POINT prev, POINT next);

// Floor-plan scale steps (denominators N of 1:N).
extern const int theScaleSteps[];
extern const int theScaleStepCount;
extern const int theFineScaleSteps[];
extern const int theFineScaleStepCount;
// N rounded to a multiple of 5 (remainder 0 to 2 down, 3 and 4 up).
int jvqRoundScale(int n);
// The plan's denominator from its width on the board, the ratio of object to picture and
// the plan's own width; 0 when the picture or the plan has no size.
int jvqScaleDenominator(int nBoundWidth, double dWidthRatio, int nPlanWidth);
// The index of the step nearest to n; of two equally near the earlier.
int jvqNearestScaleStep(const int* pSteps, int nCount, int n);
// Of three candidate values, the one nearest to v (the earliest of equals).
int jvqNearestOf3(int v, const int c[3]);
