#include "jvqGeometry.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "jvqObject.h"
#include "jvqObjectCodes.h"
#include "jvqPointList.h"

void RotatePoint(const POINT* pCenter, POINT* pPoint, int nAngle) {
  if (nAngle % 360 == 0) return;
  double a = nAngle * JVQ_DEG2RAD;
  double dx = pPoint->x - pCenter->x;
  double dy = pPoint->y - pCenter->y;
  double c = std::cos(a), s = std::sin(a);
  pPoint->x = (LONG)(pCenter->x + dx * c - dy * s);
  pPoint->y = (LONG)(pCenter->y + dx * s + dy * c);
}

int GetLineAngle(const POINT* pFrom, const POINT* pTo) {
  // Dividing by the factor (a shade under pi / 180) keeps whole angles from truncating
  // one degree low.
  double deg = std::atan2((double)(pTo->y - pFrom->y), (double)(pTo->x - pFrom->x)) / JVQ_DEG2RAD;
  int n = ((int)deg + 90) % 360;
  if (n < 0) n += 360;
  return n;
}

int GetEllipsePointAngle(RECT rc, POINT pt) {
  if (rc.left > rc.right) std::swap(rc.left, rc.right);
  if (rc.top > rc.bottom) std::swap(rc.top, rc.bottom);
  POINT c = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  POINT p = pt;
  // A flat box has no proportions to even out.
  if (w != 0) p.x = c.x + (LONG)((double)(pt.x - c.x) * ((double)h / (double)w));
  return GetLineAngle(&c, &p);
}

void GetPointAtAngle(POINT* pOut, int cx, int cy, int nAngle, int nRadius) {
  double b = (nAngle - 90) * JVQ_DEG2RAD;
  pOut->x = (LONG)(nRadius * std::cos(b) + cx);
  pOut->y = (LONG)(nRadius * std::sin(b) + cy);
}

static POINT EllipsePoint(float u, float rx, float ry, float ct, float st) {
  float cu = std::cos(u), su = std::sin(u);
  POINT p;
  p.x = (LONG)(rx * cu * ct - ry * su * st);
  p.y = (LONG)(ry * su * ct + rx * cu * st);
  return p;
}

POINT* GetEllipseArcPoints(int* pCount, float fStart, float fEnd, int nPoints, float fRadiusX,
                           float fRadiusY, float fTilt) {
  int nMax = nPoints > 2 ? nPoints : 2;
  POINT* pts = new POINT[nMax];
  float ct = std::cos(fTilt), st = std::sin(fTilt);
  int n = 0;
  pts[n++] = EllipsePoint(fStart, fRadiusX, fRadiusY, ct, st);
  if (nPoints > 1) {
    float step = (fEnd - fStart) / (float)(nPoints - 1);
    for (float u = fStart + step; u < fEnd && n < nPoints - 1; u += step)
      pts[n++] = EllipsePoint(u, fRadiusX, fRadiusY, ct, st);
  }
  pts[n++] = EllipsePoint(fEnd, fRadiusX, fRadiusY, ct, st);
  *pCount = n;
  return pts;
}

void GetLineIntersection(POINT* pOut, double x1, double y1, double x2, double y2, double x3,
                         double y3, double x4, double y4) {
  double m1 = x2 != x1 ? (y2 - y1) / (x2 - x1) : 0.0;
  double b1 = y2 - m1 * x2;
  double m2 = x4 != x3 ? (y4 - y3) / (x4 - x3) : 0.0;
  double b2 = y4 - m2 * x4;
  double X, Y;
  if (x1 == x2) {
    X = (LONG)x1;
    Y = m2 * X + b2;
  } else if (x3 == x4) {
    X = (LONG)x3;
    Y = m1 * X + b1;
  } else if (y1 == y2) {
    Y = (LONG)y1;
    // Two level lines never meet: keep the start of the first.
    X = m2 != 0.0 ? (Y - b2) / m2 : x1;
  } else if (y3 == y4) {
    Y = (LONG)y3;
    X = (Y - b1) / m1;
  } else if (m1 == m2) {
    // Parallel slanted lines never meet: keep the start of the first.
    X = x1;
    Y = y1;
  } else {
    X = (LONG)((b2 - b1) / (m1 - m2));
    Y = m2 * X + b2;
  }
  pOut->x = (LONG)X;
  pOut->y = (LONG)Y;
}

BOOL SegmentsIntersect(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  int maxX = x1 > x2 ? x1 : x2, minX = x1 < x2 ? x1 : x2;
  int maxY = y1 > y2 ? y1 : y2, minY = y1 < y2 ? y1 : y2;
  if ((x3 > maxX && x4 > maxX) || (x3 < minX && x4 < minX)) return FALSE;
  if ((y3 > maxY && y4 > maxY) || (y3 < minY && y4 < minY)) return FALSE;
  int64_t d3 = (int64_t)(y3 - y1) * (x1 - x2) + (int64_t)(x1 - x3) * (y1 - y2);
  int64_t d4 = (int64_t)(y4 - y1) * (x1 - x2) + (int64_t)(x1 - x4) * (y1 - y2);
  if ((d3 > 0 && d4 > 0) || (d3 < 0 && d4 < 0)) return FALSE;
  int64_t d1 = (int64_t)(y1 - y3) * (x3 - x4) + (int64_t)(x3 - x1) * (y3 - y4);
  int64_t d2 = (int64_t)(y2 - y3) * (x3 - x4) + (int64_t)(x3 - x2) * (y3 - y4);
  if ((d1 > 0 && d2 > 0) || (d1 < 0 && d2 < 0)) return FALSE;
  return TRUE;
}

static BOOL StrictlyBetween(int v, int a, int b) {
  return (a < v && v < b) || (b < v && v < a);
}

BOOL IsPointNearSegment(int px, int py, int x1, int y1, int x2, int y2, int nWidth) {
  if (!StrictlyBetween(px, x1, x2) && !StrictlyBetween(py, y1, y2)) return FALSE;
  double len = GetDistance(x1, y1, x2, y2);
  if (len == 0.0) return FALSE;
  double d = std::fabs((double)px * (y2 - y1) + (double)py * (x1 - x2) -
                       ((double)x1 * y2 - (double)x2 * y1)) /
             len;
  return (double)(nWidth / 2) > d;
}

double GetDistance(int x1, int y1, int x2, int y2) {
  int64_t dx = (int64_t)x2 - x1, dy = (int64_t)y2 - y1;
  return std::sqrt((double)(dx * dx + dy * dy));
}

// The compass angle of a point from the centre, with 0 read as 360 when asked.
static int AngleFrom(const POINT& c, const POINT& p, BOOL bZeroIs360) {
  int a = GetLineAngle(&c, &p);
  if (bZeroIs360 && a == 0) a = 360;
  return a;
}

static BOOL Brackets(int d, int s1, int s2) {
  int lo = s1 < s2 ? s1 : s2, hi = s1 < s2 ? s2 : s1;
  return hi - lo == std::abs(lo - d) + std::abs(hi - d);
}

BOOL GetOutlinePointAtAngle(jvqObject* pObject, int nAngle, POINT* pOut, int* pIndex) {
  if (pObject == NULL) return FALSE;
  jvqPointList* pList = pObject->GetOutline();
  if (pList == NULL || pList->GetCount() == 0) return FALSE;
  int n = pList->GetCount();
  POINT c;
  pObject->GetCenter(&c);
  RECT rb;
  pList->GetBoundRect(&rb);
  int w = rb.right - rb.left, h = rb.bottom - rb.top;
  POINT r;
  GetPointAtAngle(&r, c.x, c.y, nAngle, 2 * (w > h ? w : h));
  int d = AngleFrom(c, r, TRUE);

  int code = pObject->GetClassCode();
  auto take = [&](int i) {
    const POINT* a = pList->GetAt(i);
    const POINT* b = pList->GetAt((i + 1) % n);
    GetLineIntersection(pOut, a->x, a->y, b->x, b->y, c.x, c.y, r.x, r.y);
    *pIndex = i;
    return TRUE;
  };
  if (code == JVQ_OBJ_ROUNDRECT) {
    if (n > 90) {
      int a0 = AngleFrom(c, *pList->GetAt(0), FALSE);
      int a90 = AngleFrom(c, *pList->GetAt(90), FALSE);
      if (d >= a0 && a90 >= d) {
        for (int i = 90; i < n; i++) {
          int s1 = AngleFrom(c, *pList->GetAt(i), TRUE);
          int s2 = AngleFrom(c, *pList->GetAt((i + 1) % n), TRUE);
          if (Brackets(d, s1, s2)) return take(i);
        }
      }
    }
    for (int i = 0; i < n; i++) {
      int s1 = AngleFrom(c, *pList->GetAt(i), TRUE);
      int s2 = AngleFrom(c, *pList->GetAt((i + 1) % n), TRUE);
      if (s2 > s1 || Brackets(d, s1, s2)) return take(i);
    }
    return FALSE;
  }
  BOOL bRect = code == JVQ_OBJ_RECT;
  for (int i = 0; i < n; i++) {
    int s1 = AngleFrom(c, *pList->GetAt(i), !bRect);
    int s2 = AngleFrom(c, *pList->GetAt((i + 1) % n), !bRect);
    if ((bRect && s2 > s1) || Brackets(d, s1, s2)) return take(i);
  }
  return FALSE;
}

void FitRectToAspect(RECT* pRect, const RECT* pTarget) {
  int rw = pRect->right - pRect->left, rh = pRect->bottom - pRect->top;
  int tw = pTarget->right - pTarget->left, th = pTarget->bottom - pTarget->top;
  int w, h;
  if (rw == 0 || rh == 0) {
    // A flat rectangle keeps its flat side and fills the other.
    w = rw != 0 ? tw : 0;
    h = rh != 0 ? th : 0;
  } else {
    double a = (double)rw / (double)rh;
    w = (int)(a * th);
    h = th;
    if (w > tw) {
      w = tw;
      h = (int)(tw / a);
    }
  }
  pRect->left = (tw - w) / 2;
  pRect->top = (th - h) / 2;
  pRect->right = pRect->left + w;
  pRect->bottom = pRect->top + h;
}
