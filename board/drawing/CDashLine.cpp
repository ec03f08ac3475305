#include "CDashLine.h"

#include <cmath>
#include <cstdlib>

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#endif

int theBezierDepth = 0;

static DoublePoint Mid(const DoublePoint& a, const DoublePoint& b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }
static double Dist(const DoublePoint& a, const DoublePoint& b) { return std::hypot(b.x - a.x, b.y - a.y); }
static int RoundCoord(double v) { return (int)(v + 0.5); }

void BezierCurve::Halve(BezierCurve& left, BezierCurve& right) const {
  DoublePoint m01 = Mid(P0, P1), m12 = Mid(P1, P2), m23 = Mid(P2, P3);
  DoublePoint m012 = Mid(m01, m12), m123 = Mid(m12, m23);
  DoublePoint m0123 = Mid(m012, m123);
  left = {P0, m01, m012, m0123};
  right = {m0123, m123, m23, P3};
}

BezierCurve BezierCurve::SplitAt(double t) {
  double u = 1 - t;
  auto lin = [](double a, double wa, double b, double wb) { return a * wa + b * wb; };
  BezierCurve piece;
  piece.P0 = P0;
  piece.P1 = {lin(P0.x, u, P1.x, t), lin(P0.y, u, P1.y, t)};
  piece.P2 = {u * u * P0.x + 2 * t * u * P1.x + t * t * P2.x, u * u * P0.y + 2 * t * u * P1.y + t * t * P2.y};
  piece.P3 = {u * u * u * P0.x + 3 * t * u * u * P1.x + 3 * t * t * u * P2.x + t * t * t * P3.x,
              u * u * u * P0.y + 3 * t * u * u * P1.y + 3 * t * t * u * P2.y + t * t * t * P3.y};
  BezierCurve rest;
  rest.P0 = piece.P3;
  rest.P1 = {u * u * P1.x + 2 * t * u * P2.x + t * t * P3.x, u * u * P1.y + 2 * t * u * P2.y + t * t * P3.y};
  rest.P2 = {lin(P2.x, u, P3.x, t), lin(P2.y, u, P3.y, t)};
  rest.P3 = P3;
  *this = rest;
  return piece;
}

void BezierCurve::ToPoints(POINT out[4]) const {
  const DoublePoint* p[4] = {&P0, &P1, &P2, &P3};
  for (int i = 0; i < 4; i++) {
    out[i].x = RoundCoord(p[i]->x);
    out[i].y = RoundCoord(p[i]->y);
  }
}

void MeasureBezierLength(const BezierCurve& c, double tol, double& target, double& t, double& length) {
  if (target == 0) return;
  double poly = Dist(c.P0, c.P1) + Dist(c.P1, c.P2) + Dist(c.P2, c.P3);
  double chord = Dist(c.P0, c.P3);
  // The depth bound only guards against rounding keeping a piece from ever flattening.
  if ((poly - chord <= tol && length + poly <= target + tol) || theBezierDepth >= 24) {
    length += poly;
    t += 1.0 / std::ldexp(1.0, theBezierDepth);
    if (std::fabs(length - target) <= tol) target = 0;
    return;
  }
  BezierCurve left, right;
  c.Halve(left, right);
  theBezierDepth++;
  MeasureBezierLength(left, tol, target, t, length);
  if (target != 0) MeasureBezierLength(right, tol, target, t, length);
  theBezierDepth--;
}

double BezierCurve::ParamAtLength(int& nRemaining) const {
  double target = nRemaining;
  double c = 0;
  if (nRemaining < 3) {
    DoublePoint r0 = {(double)RoundCoord(P0.x), (double)RoundCoord(P0.y)};
    c = Dist(P0, P3) - Dist(r0, P3);
    target += c;
  }
  double t = 0, length = 0;
  MeasureBezierLength(*this, 0.5, target, t, length);
  nRemaining -= (int)(length - c + 0.5);
  // An overshoot of the last half unit must not leave a negative length behind.
  if (nRemaining < 0) nRemaining = 0;
  return t;
}

CDashLine::CDashLine(CDC* pDC, const int* pPattern, int nCount)
    : m_pDC(pDC), m_nIndex(0), m_nCount(0), m_nRemaining(0), m_pPattern(NULL), m_ptCurrent{0, 0} {
  SetPattern(pPattern, nCount);
}

CDashLine::~CDashLine() { delete[] m_pPattern; }

void CDashLine::SetPattern(const int* pPattern, int nCount) {
  delete[] m_pPattern;
  m_pPattern = NULL;
  m_nCount = 0;
  if (pPattern && nCount > 0) {
    m_pPattern = new int[nCount];
    // An entry of 0 would never end; every entry is at least one step.
    for (int i = 0; i < nCount; i++) m_pPattern[i] = pPattern[i] > 0 ? pPattern[i] : 1;
    m_nCount = nCount;
  }
  Restart();
}

void CDashLine::Restart() {
  m_nIndex = 0;
  m_nRemaining = m_nCount > 0 ? m_pPattern[0] : 0;
}

void CDashLine::NextEntry() {
  m_nIndex = (m_nIndex + 1) % m_nCount;
  m_nRemaining = m_pPattern[m_nIndex];
}

#ifdef JVQ_HAVE_GDI

void CDashLine::MoveTo(int x, int y) {
  Restart();
  m_ptCurrent = {x, y};
  ::MoveToEx(m_pDC->m_hDC, x, y, NULL);
}

void CDashLine::LineTo(int x, int y) {
  if (m_nCount == 0) {
    ::LineTo(m_pDC->m_hDC, x, y);
    m_ptCurrent = {x, y};
    return;
  }
  DashTo(x, y);
}

void CDashLine::DashTo(int x, int y) {
  HDC hDC = m_pDC->m_hDC;
  int dx = x - m_ptCurrent.x, dy = y - m_ptCurrent.y;
  BOOL bMajorX = std::abs(dx) >= std::abs(dy);
  int n = bMajorX ? std::abs(dx) : std::abs(dy);
  int m = bMajorX ? std::abs(dy) : std::abs(dx);
  int sx = dx >= 0 ? 1 : -1, sy = dy >= 0 ? 1 : -1;
  int err = n;
  for (int i = 0; i < n; i++) {
    err -= m;
    if (err <= 0) {
      if (bMajorX)
        m_ptCurrent.y += sy;
      else
        m_ptCurrent.x += sx;
      err += n;
    }
    if (bMajorX)
      m_ptCurrent.x += sx;
    else
      m_ptCurrent.y += sy;
    if (--m_nRemaining == 0) {
      NextEntry();
      if (m_nIndex & 1)
        ::LineTo(hDC, m_ptCurrent.x, m_ptCurrent.y);
      else
        ::MoveToEx(hDC, m_ptCurrent.x, m_ptCurrent.y, NULL);
      if (i == n - 1) return;
    }
  }
  if ((m_nIndex & 1) == 0) ::LineTo(hDC, m_ptCurrent.x, m_ptCurrent.y);
}

void CDashLine::PolyBezierTo(const POINT pts[3]) {
  HDC hDC = m_pDC->m_hDC;
  if (m_nCount == 0) {
    ::PolyBezierTo(hDC, pts, 3);
    m_ptCurrent = pts[2];
    return;
  }
  BezierCurve curve = {{(double)m_ptCurrent.x, (double)m_ptCurrent.y},
                       {(double)pts[0].x, (double)pts[0].y},
                       {(double)pts[1].x, (double)pts[1].y},
                       {(double)pts[2].x, (double)pts[2].y}};
  for (;;) {
    double t = curve.ParamAtLength(m_nRemaining);
    BezierCurve piece = curve.SplitAt(t);
    POINT p[4];
    piece.ToPoints(p);
    m_ptCurrent = p[3];
    if (m_nIndex & 1)
      ::MoveToEx(hDC, p[3].x, p[3].y, NULL);
    else
      ::PolyBezierTo(hDC, &p[1], 3);
    if (m_nRemaining != 0) return;
    NextEntry();
  }
}

#else

void CDashLine::MoveTo(int x, int y) {
  Restart();
  m_ptCurrent = {x, y};
}
void CDashLine::LineTo(int x, int y) { m_ptCurrent = {x, y}; }
void CDashLine::DashTo(int x, int y) { m_ptCurrent = {x, y}; }
void CDashLine::PolyBezierTo(const POINT pts[3]) { m_ptCurrent = pts[2]; }

#endif
