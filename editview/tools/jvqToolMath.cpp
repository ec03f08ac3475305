#include "jvqToolMath.h"

#include <math.h>
#include <stdlib.h>
#include <string.h>

#include "jvqGeometry.h"

static RECT Normalized(int x1, int y1, int x2, int y2) {
  RECT r = {x1 < x2 ? x1 : x2, y1 < y2 ? y1 : y2, x1 < x2 ? x2 : x1, y1 < y2 ? y2 : y1};
  return r;
}

RECT MakeSquareRect(POINT a, POINT b) {
  const int dx = b.x - a.x, dy = b.y - a.y;
  int x2 = b.x, y2 = b.y;
  if (abs(dx) > abs(dy)) {
    const int dir = dy != 0 ? dy : dx;
    y2 = a.y + (dir < 0 ? -abs(dx) : abs(dx));
  } else {
    const int dir = dx != 0 ? dx : dy;
    x2 = a.x + (dir < 0 ? -abs(dy) : abs(dy));
  }
  return Normalized(a.x, a.y, x2, y2);
}

POINT PointOnEllipseAtAngle(RECT rc, POINT pt) {
  RECT r = Normalized(rc.left, rc.top, rc.right, rc.bottom);
  const int theta = GetEllipsePointAngle(r, pt);
  const double phi = (theta - 90) * 0.01745329251994;
  POINT p;
  p.x = (int)(cos(phi) * ((r.right - r.left) / 2) + (r.left + r.right) / 2);
  p.y = (int)(sin(phi) * ((r.bottom - r.top) / 2) + (r.top + r.bottom) / 2);
  return p;
}

int jvqRotationStep(int nAngle, BOOL bShift) {
  int a = ((nAngle + 720) % 360 + 360) % 360;
  const int step = bShift ? 5 : 15;
  return a - a % step;
}

static int EntryValue(const char* s) { return (s && strchr(s, '%')) ? atoi(s) : 0; }

void jvqZoomLimits(const char* const* t, int* pUpper, int* pLower) {
  int hi = 0, lo = 0;
  for (int i = 0; t[i][0]; i++) {
    const int v = EntryValue(t[i]);
    if (v == 0) continue;
    if (hi == 0 || v > hi) hi = v;
    if (lo == 0 || v < lo) lo = v;
  }
  *pUpper = hi;
  *pLower = lo;
}

int jvqStepZoom(const char* const* t, int nCurrent, BOOL bIn) {
  int hi, lo;
  jvqZoomLimits(t, &hi, &lo);
  int n = 0;
  while (t[n][0]) n++;
  if (bIn) {
    if (nCurrent >= hi) return hi;
    for (int i = n - 1; i >= 0; i--) {
      const int v = EntryValue(t[i]);
      if (v != 0 && v > nCurrent) return v;
    }
  } else {
    if (nCurrent <= lo) return lo;
    for (int i = 0; i < n; i++) {
      const int v = EntryValue(t[i]);
      if (v != 0 && v < nCurrent) return v;
    }
  }
  return nCurrent;
}

int jvqZoomForRect(SIZE f, SIZE c, int nZoom, int nUpper, int nLower) {
  if (f.cx <= 0 || f.cy <= 0 || c.cx <= 0 || c.cy <= 0) return 0;
  RECT r = {0, 0, f.cx, f.cy};
  RECT client = {0, 0, c.cx, c.cy};
  FitRectToAspect(&r, &client);
  const int a = MulDiv(r.right - r.left, nZoom, 100);
  const int b = MulDiv(r.bottom - r.top, nZoom, 100);
  int z = MulDiv(100, a, f.cx);
  const int zy = MulDiv(100, b, f.cy);
  if (zy < z) z = zy;
  if (nUpper < z) z = nUpper;
  if (z < nLower) z = nLower;
  return z;
}

int jvqVertexTolerance(int nLineWidthPixels) { return nLineWidthPixels < 17 ? 16 : nLineWidthPixels; }

RECT jvqNormalRect(POINT a, POINT b) { return Normalized(a.x, a.y, b.x, b.y); }

CString jvqSizeCaption(const RECT& r) {
  CString s;
  s.Format(" 幅: %.1f㎝ 高さ: %.1f㎝", ((r.right - r.left) / 10) * 0.1, ((r.bottom - r.top) / 10) * 0.1);
  return s;
}
