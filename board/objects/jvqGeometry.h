// Plane geometry shared by objects, tools and painters. Points are logical units with y
// growing downwards; compass angles count clockwise from straight up; every conversion
// from floating point to integer truncates toward zero.
#pragma once

#include "afx.h"

class jvqObject;

void RotatePoint(const POINT* pCenter, POINT* pPoint, int nAngle);
int GetLineAngle(const POINT* pFrom, const POINT* pTo);
int GetEllipsePointAngle(RECT rc, POINT pt);
void GetPointAtAngle(POINT* pOut, int cx, int cy, int nAngle, int nRadius);
// A new array (the caller deletes it with delete[]); its count comes back in *pCount.
POINT* GetEllipseArcPoints(int* pCount, float fStart, float fEnd, int nPoints, float fRadiusX,
                           float fRadiusY, float fTilt);
void GetLineIntersection(POINT* pOut, double x1, double y1, double x2, double y2, double x3,
                         double y3, double x4, double y4);
BOOL SegmentsIntersect(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
BOOL IsPointNearSegment(int px, int py, int x1, int y1, int x2, int y2, int nWidth);
double GetDistance(int x1, int y1, int x2, int y2);
BOOL GetOutlinePointAtAngle(jvqObject* pObject, int nAngle, POINT* pOut, int* pIndex);
void FitRectToAspect(RECT* pRect, const RECT* pTarget);
