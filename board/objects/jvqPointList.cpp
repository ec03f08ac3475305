#include "jvqPointList.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <utility>

#include "jvqGeometry.h"
#include "jvqObjectCodes.h"
#include "jvqRecordIO.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#include "jvqDeviceUnits.h"
#endif

jvqPointList::jvqPointList(const POINT* pPoints, int nCount) { SetPoints(pPoints, nCount); }

jvqPointList::jvqPointList(const RECT& rcIn) {
  RECT rc = rcIn;
  if (rc.left > rc.right) std::swap(rc.left, rc.right);
  if (rc.top > rc.bottom) std::swap(rc.top, rc.bottom);
  int mx = (int)(rc.left + ((int64_t)rc.right - rc.left) / 2);
  int my = (int)(rc.top + ((int64_t)rc.bottom - rc.top) / 2);
  const POINT f[8] = {{rc.left, rc.top},     {rc.left, my},     {rc.left, rc.bottom},
                      {mx, rc.bottom},       {rc.right, rc.bottom}, {rc.right, my},
                      {rc.right, rc.top},    {mx, rc.top}};
  m_points.assign(f, f + 8);
}

BOOL jvqPointList::Same(const jvqPointList& other) const {
  for (size_t i = 0; i < m_points.size(); i++)
    if (m_points[i].x != other.m_points[i].x || m_points[i].y != other.m_points[i].y) return FALSE;
  return TRUE;
}

BOOL jvqPointList::SetPoints(const POINT* pPoints, int nCount) {
  if (pPoints == NULL || nCount <= 0) return FALSE;
  m_points.assign(pPoints, pPoints + nCount);
  return TRUE;
}

void jvqPointList::InsertAt(int i, const POINT* pPoint) {
  if (i + 1 >= GetCount() || i + 1 < 0)
    m_points.push_back(*pPoint);
  else
    m_points.insert(m_points.begin() + (i + 1), *pPoint);
}

void jvqPointList::RemoveAt(int i) {
  if (i < 0 || i >= GetCount()) return;
  m_points.erase(m_points.begin() + i);
}

void jvqPointList::Offset(const SIZE* pSize) {
  for (POINT& p : m_points) {
    p.x += pSize->cx;
    p.y += pSize->cy;
  }
}

void jvqPointList::Scale(double sx, double sy) {
  for (POINT& p : m_points) {
    p.x = (LONG)(sx * p.x);
    p.y = (LONG)(sy * p.y);
  }
}

void jvqPointList::Rotate(int cx, int cy, int nAngle) {
  POINT c = {cx, cy};
  for (POINT& p : m_points) RotatePoint(&c, &p, nAngle);
}

void jvqPointList::RotateInto(int cx, int cy, int nAngle, jvqPointList& out) const {
  out.m_points = m_points;
  if (nAngle % 360 != 0) out.Rotate(cx, cy, nAngle);
}

POINT* jvqPointList::GetCentroid(POINT* pOut) const {
  pOut->x = pOut->y = 0;
  if (m_points.empty()) return pOut;
  int64_t sx = 0, sy = 0;
  for (const POINT& p : m_points) {
    sx += p.x;
    sy += p.y;
  }
  pOut->x = (LONG)(sx / (int64_t)m_points.size());
  pOut->y = (LONG)(sy / (int64_t)m_points.size());
  return pOut;
}

void jvqPointList::MoveCentroidTo(const POINT* pPoint) {
  POINT c;
  GetCentroid(&c);
  SIZE d = {pPoint->x - c.x, pPoint->y - c.y};
  Offset(&d);
}

BOOL jvqPointList::IsUprightRect(RECT* pRect) const {
  // Points part way along a side (a frame's middle points) leave the shape as it is.
  std::vector<POINT> c;
  const size_t n = m_points.size();
  if (n < 4 || n > 16) return FALSE;
  for (size_t i = 0; i < n; i++) {
    const POINT& a = m_points[(i + n - 1) % n];
    const POINT& p = m_points[i];
    const POINT& b = m_points[(i + 1) % n];
    const BOOL bAlongX = a.y == p.y && p.y == b.y && std::min(a.x, b.x) < p.x && p.x < std::max(a.x, b.x);
    const BOOL bAlongY = a.x == p.x && p.x == b.x && std::min(a.y, b.y) < p.y && p.y < std::max(a.y, b.y);
    if (!bAlongX && !bAlongY) c.push_back(p);
  }
  if (c.size() != 4) return FALSE;
  const POINT* q = c.data();
  const BOOL bAcrossFirst = q[0].y == q[1].y && q[1].x == q[2].x && q[2].y == q[3].y && q[3].x == q[0].x;
  const BOOL bDownFirst = q[0].x == q[1].x && q[1].y == q[2].y && q[2].x == q[3].x && q[3].y == q[0].y;
  if (!bAcrossFirst && !bDownFirst) return FALSE;
  pRect->left = std::min(q[0].x, q[2].x);
  pRect->right = std::max(q[0].x, q[2].x);
  pRect->top = std::min(q[0].y, q[2].y);
  pRect->bottom = std::max(q[0].y, q[2].y);
  return TRUE;
}

int jvqPointList::GetBoundRect(RECT* pRect) const {
  pRect->left = pRect->top = INT_MAX;
  pRect->right = pRect->bottom = INT_MIN;
  for (const POINT& p : m_points) {
    if (p.x < pRect->left) pRect->left = p.x;
    if (p.x > pRect->right) pRect->right = p.x;
    if (p.y < pRect->top) pRect->top = p.y;
    if (p.y > pRect->bottom) pRect->bottom = p.y;
  }
  return GetCount();
}

void jvqPointList::GetBoundingFrame(jvqPointList& out) const {
  RECT rc;
  GetBoundRect(&rc);
  out = jvqPointList(rc);
}

POINT* jvqPointList::GetLeftPoint(POINT* pOut) const {
  pOut->x = pOut->y = 0;
  for (size_t i = 0; i < m_points.size(); i++)
    if (i == 0 || m_points[i].x < pOut->x) *pOut = m_points[i];
  return pOut;
}

POINT* jvqPointList::GetRightPoint(POINT* pOut) const {
  pOut->x = pOut->y = 0;
  for (size_t i = 0; i < m_points.size(); i++)
    if (i == 0 || m_points[i].x > pOut->x) *pOut = m_points[i];
  return pOut;
}

POINT* jvqPointList::GetTopPoint(POINT* pOut) const {
  pOut->x = pOut->y = 0;
  for (size_t i = 0; i < m_points.size(); i++)
    if (i == 0 || m_points[i].y < pOut->y) *pOut = m_points[i];
  return pOut;
}

POINT* jvqPointList::GetBottomPoint(POINT* pOut) const {
  pOut->x = pOut->y = 0;
  for (size_t i = 0; i < m_points.size(); i++)
    if (i == 0 || m_points[i].y > pOut->y) *pOut = m_points[i];
  return pOut;
}

BOOL jvqPointList::PtInPolygon(const POINT* pPoint) const {
  const int n = GetCount();
  if (n == 0) return FALSE;
  const LONG px = pPoint->x, py = pPoint->y;
  int nCross = 0;
  // Counts a crossing at a vertex on the ray's level when the outline arrived there
  // from the side given by bFromAbove.
  auto walkBack = [&](int i, BOOL bFromAbove) {
    int j = (i - 1 + n) % n;
    while (j != i) {
      if (m_points[j].y != py) {
        if (bFromAbove ? m_points[j].y < py : m_points[j].y > py) nCross++;
        return;
      }
      j = (j - 1 + n) % n;
    }
  };
  // 1: on the edge; 0: counted or nothing.
  auto classify = [&](const POINT& P, const POINT& Q) -> int {
    auto compute = [&]() -> int {
      double x = P.x + (double)(Q.x - P.x) * (py - P.y) / (double)(Q.y - P.y);
      if (x < px) nCross++;
      else if (x == px) return 1;
      return 0;
    };
    if (P.x < px) {
      if (Q.x <= px) nCross++;
      else return compute();
    } else if (P.x == px) {
      if (Q.x < px) nCross++;
      else if (Q.x == px) return 1;
    } else if (Q.x < px) {
      return compute();
    }
    return 0;
  };
  for (int i = 0; i < n; i++) {
    const POINT& P = m_points[i];
    const POINT& Q = m_points[(i + 1) % n];
    if (P.y < Q.y) {
      if (P.y == py) {
        if (P.x < px) walkBack(i, TRUE);
        else if (P.x == px) return TRUE;
      } else if (P.y < py && py < Q.y) {
        if (classify(P, Q)) return TRUE;
      }
    } else if (P.y == Q.y) {
      if (P.y == py && ((P.x <= px && px <= Q.x) || (Q.x <= px && px <= P.x))) return TRUE;
    } else {
      if (P.y == py) {
        if (P.x < px) walkBack(i, FALSE);
        else if (P.x == px) return TRUE;
      } else if (Q.y < py && py < P.y) {
        if (classify(P, Q)) return TRUE;
      }
    }
  }
  return (nCross & 1) != 0;
}

BOOL jvqPointList::SetArcPoints(RECT rc, int nStart, int nEnd, int, int, int nPoints) {
  RemoveAll();
  // Reduced first: angles read from a record may lie anywhere in the int range.
  int s = (nStart % 360 - 90) % 360;
  int e = (nEnd % 360 - 90) % 360;
  if (s < 0) s += 360;
  if (e < 0) e += 360;
  if (s >= e) e += 360;
  if (rc.left > rc.right) std::swap(rc.left, rc.right);
  if (rc.top > rc.bottom) std::swap(rc.top, rc.bottom);
  int nCount = 0;
  POINT* pts = GetEllipseArcPoints(&nCount, (float)(s * JVQ_DEG2RAD), (float)(e * JVQ_DEG2RAD),
                                   nPoints, (float)(((double)rc.right - rc.left) * 1000 * 0.5),
                                   (float)(((double)rc.bottom - rc.top) * 1000 * 0.5), 0.0f);
  const LONG cx = (LONG)(((int64_t)rc.right + rc.left) / 2), cy = (LONG)(((int64_t)rc.bottom + rc.top) / 2);
  for (int i = 0; i < nCount; i++) {
    POINT p = {pts[i].x / 1000 + cx, pts[i].y / 1000 + cy};
    m_points.push_back(p);
  }
  delete[] pts;
  return TRUE;
}

BOOL jvqPointList::SetRoundRectPoints(RECT rc, int w, int h, int) {
  RemoveAll();
  struct Corner {
    int a0, a1;
    LONG cx, cy;
    int clampY, clampX;  // -1: at most top/left edge raised, +1: at least bottom/right lowered
  };
  const Corner corners[4] = {
      {180, 270, (2 * rc.left + w) / 2, (2 * rc.top + h) / 2, -1, -1},
      {270, 360, (2 * rc.right - w) / 2, (2 * rc.top + h) / 2, -1, 1},
      {0, 90, (2 * rc.right - w) / 2, (2 * rc.bottom - h) / 2, 1, 1},
      {90, 180, (2 * rc.left + w) / 2, (2 * rc.bottom - h) / 2, 1, -1},
  };
  std::vector<POINT> work;
  for (const Corner& k : corners) {
    int nCount = 0;
    POINT* pts = GetEllipseArcPoints(&nCount, (float)(k.a0 * JVQ_DEG2RAD), (float)(k.a1 * JVQ_DEG2RAD),
                                     30, (float)(w * 1000 * 0.5), (float)(h * 1000 * 0.5), 0.0f);
    for (int i = 0; i < nCount; i++) {
      POINT p = {pts[i].x / 1000 + k.cx, pts[i].y / 1000 + k.cy};
      if (k.clampY < 0 && p.y <= rc.top) p.y = rc.top + 1;
      if (k.clampY > 0 && p.y >= rc.bottom) p.y = rc.bottom - 1;
      if (k.clampX < 0 && p.x <= rc.left) p.x = rc.left + 1;
      if (k.clampX > 0 && p.x >= rc.right) p.x = rc.right - 1;
      work.push_back(p);
    }
    delete[] pts;
  }
  m_points.assign(work.rbegin(), work.rend());
  return TRUE;
}

BOOL jvqPointList::Load(CFile* pFile, jvqFileHeader*) {
  if (pFile == NULL) return FALSE;
  try {
    int32_t n = 0;
    if (!jvqReadExact(pFile, &n, 4)) return FALSE;
    // The count is only believed when the rest of the file holds that many points.
    if (n < 0 || (DWORD)n > jvqBytesLeft(pFile) / 8) return FALSE;
    std::vector<POINT> pts((size_t)n);
    if (n > 0 && !jvqReadExact(pFile, pts.data(), (UINT)n * 8)) return FALSE;
    for (const POINT& p : pts)
      if (p.x < -JVQ_MAX_COORDINATE || p.x > JVQ_MAX_COORDINATE || p.y < -JVQ_MAX_COORDINATE || p.y > JVQ_MAX_COORDINATE)
        return FALSE;
    m_points.insert(m_points.end(), pts.begin(), pts.end());
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

BOOL jvqPointList::Store(CFile* pFile, jvqFileHeader*) {
  if (pFile == NULL) return FALSE;
  try {
    int32_t n = GetCount();
    pFile->Write(&n, 4);
    if (n > 0) pFile->Write(m_points.data(), (UINT)n * 8);
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

#ifdef JVQ_HAVE_GDI

BOOL jvqPointList::CreatePolygonRgn(CRgn* pRgn) const {
  pRgn->DeleteObject();
  if (GetCount() < 3) return FALSE;
  return pRgn->CreatePolygonRgn((LPPOINT)m_points.data(), GetCount(), WINDING);
}

BOOL jvqPointList::CreatePathRgn(CDC* pDC, CRgn* pRgn, const int* pTypes) {
  pRgn->DeleteObject();
  if (GetCount() < 3) return FALSE;
  if (pDC == NULL) return pRgn->CreatePolygonRgn(m_points.data(), GetCount(), WINDING);
  HDC hAttrib = pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC;
  std::vector<POINT> pts = m_points;
  ::DPtoLP(hAttrib, pts.data(), (int)pts.size());
  HPEN hPen = ::CreatePen(PS_INSIDEFRAME, 1, RGB(0, 0, 0));
  HGDIOBJ hOld = ::SelectObject(pDC->m_hDC, hPen);
  ::BeginPath(pDC->m_hDC);
  const int n = (int)pts.size();
  for (int i = 0; i < n; i++) {
    switch (pTypes ? pTypes[i] : (i == 0 ? 1 : 2)) {
      case 1: ::MoveToEx(pDC->m_hDC, pts[i].x, pts[i].y, NULL); break;
      case 2:
      case 10: ::LineTo(pDC->m_hDC, pts[i].x, pts[i].y); break;
      case 4:
      case 12:
        if (i + 2 < n) ::PolyBezierTo(pDC->m_hDC, &pts[i], 3);
        i += 2;
        break;
      default: break;
    }
  }
  ::LineTo(pDC->m_hDC, pts[0].x, pts[0].y);
  ::CloseFigure(pDC->m_hDC);
  BOOL bOk = ::EndPath(pDC->m_hDC);
  HRGN hRgn = bOk ? ::PathToRegion(pDC->m_hDC) : NULL;
  ::SelectObject(pDC->m_hDC, hOld);
  ::DeleteObject(hPen);
  if (hRgn == NULL) return FALSE;
  return pRgn->Attach(hRgn);
}

void jvqPointList::ToDevice(CDC* pDC, jvqPointList& out) {
  out.m_points = m_points;
  jvqLogicalToDevice(pDC, out.m_points.data(), out.GetCount());
}

#else

BOOL jvqPointList::CreatePolygonRgn(CRgn*) const { return FALSE; }
BOOL jvqPointList::CreatePathRgn(CDC*, CRgn*, const int*) { return FALSE; }
void jvqPointList::ToDevice(CDC*, jvqPointList& out) { out.RemoveAll(); }

#endif
