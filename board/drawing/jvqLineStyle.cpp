#include "jvqLineStyle.h"

#include <cmath>
#include <utility>
#include <cstdint>
#include <vector>

#include "CDashLine.h"
#include "jvqGeometry.h"
#include "jvqObject.h"
#include "jvqObjectCodes.h"
#include "jvqPointList.h"
#include "jvqRecordIO.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#endif

// The two XOR painters of every rubber band, then the six named styles in the order the
// property bars list them.
jvqLineStyle theXorDotStyle(1, 0, 2, TRUE, 10, NULL);
jvqLineStyle theXorSolidStyle(1, 0, 0, TRUE, 10, NULL);
jvqLineStyle theNoLineStyle(1, 0, 5, FALSE, 0, "なし");
jvqLineStyle theSolidLineStyle(1, 0, 0, FALSE, 0, "実線");
jvqLineStyle theDotLineStyle(1, 0, 2, FALSE, 0, "点線");
jvqLineStyle theDashLineStyle(1, 0, 1, FALSE, 0, "破線");
jvqLineStyle theDash2LineStyle(1, 0, 3, FALSE, 0, "破線2");
jvqLineStyle theDash3LineStyle(1, 0, 4, FALSE, 0, "破線3");

jvqLineStyle::jvqLineStyle(int nWidth, COLORREF crColor, int nPenStyle, BOOL bRasterOp, int nRop2,
                           const char* pszName)
    : m_hOldPen(NULL),
      m_hPen(NULL),
      m_nOldRop2(0),
      m_nOldBkMode(0),
      m_pDashLine(NULL),
      m_bRoundEnds(TRUE),
      m_bCloseFigure(TRUE),
      m_nDrawDepth(0) {
  Set(nWidth, crColor, nPenStyle, bRasterOp, nRop2, pszName);
}

jvqLineStyle::jvqLineStyle(const jvqLineStyle& src) : jvqLineStyle() { *this = src; }

jvqLineStyle& jvqLineStyle::operator=(const jvqLineStyle& src) {
  if (this == &src) return *this;
  m_bRasterOp = src.m_bRasterOp;
  m_nPenStyle = src.m_nPenStyle;
  m_nWidth = src.m_nWidth;
  m_nWidthCopy = src.m_nWidthCopy;
  m_crColor = src.m_crColor;
  m_nRop2 = src.m_nRop2;
  m_strName = src.m_strName;
  m_bRoundEnds = src.m_bRoundEnds;
  m_bCloseFigure = src.m_bCloseFigure;
  return *this;
}

BOOL jvqLineStyle::Set(int nWidth, COLORREF crColor, int nPenStyle, BOOL bRasterOp, int nRop2,
                       const char* pszName) {
  m_nWidth = m_nWidthCopy = nWidth;
  m_crColor = crColor;
  m_nPenStyle = nPenStyle;
  m_strName = pszName ? pszName : "";
  m_bRasterOp = bRasterOp;
  m_nRop2 = nRop2;
  return TRUE;
}

int MakeDashPattern(int* pOut, BOOL bRoundEnds, int w, unsigned nStyle) {
  int dash = bRoundEnds ? 2 * w : 3 * w;
  int dot = bRoundEnds ? 1 : w;
  int gap = bRoundEnds ? 2 * w : w;
  if (nStyle >= 6) gap *= 2;
  int nDots;
  switch (nStyle) {
    case 0: return 0;
    case 1:
    case 6:
      pOut[0] = dash;
      pOut[1] = gap;
      return 2;
    case 2:
    case 7:
      pOut[0] = dot;
      pOut[1] = gap;
      return 2;
    case 3:
    case 8: nDots = 1; break;
    case 4:
    case 9: nDots = 2; break;
    default: nDots = 3; break;
  }
  int n = 0;
  pOut[n++] = dash;
  pOut[n++] = gap;
  for (int i = 0; i < nDots; i++) {
    pOut[n++] = dot;
    pOut[n++] = gap;
  }
  return n;
}

BOOL jvqLineStyle::Load(CFile* pFile, jvqFileHeader*) {
  if (pFile == NULL) return FALSE;
  try {
    int32_t v[5];
    if (!jvqReadExact(pFile, v, sizeof(v))) return FALSE;
    m_nPenStyle = v[0];
    m_nWidth = v[1];
    m_nWidthCopy = v[2];
    m_crColor = (COLORREF)v[3];
    m_bRasterOp = v[4];
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

BOOL jvqLineStyle::Store(CFile* pFile, jvqFileHeader*) {
  if (pFile == NULL) return FALSE;
  try {
    int32_t v[5] = {m_nPenStyle, m_nWidth, m_nWidthCopy, (int32_t)m_crColor, m_bRasterOp};
    pFile->Write(v, 16);
    pFile->Write(&v[4], 4);
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

jvqLineStyle::~jvqLineStyle() {
#ifdef JVQ_HAVE_GDI
  if (m_hPen) ::DeleteObject((HGDIOBJ)m_hPen);
#endif
  delete m_pDashLine;
}

int jvqLineStyle::DrawPointList(CDC* pDC, const jvqPointList& list, BOOL bOpen) {
  const int n = list.GetCount();
  if (m_nWidth == 0) return 0;
  if (m_nPenStyle == LINE_STYLE_NONE || n < 2 || pDC == NULL) return n;
  BeginDraw(pDC);
  BOOL bDashed = m_pDashLine != NULL;
  const POINT* pts = list.GetAt(0);
  MoveTo(pDC, pts[0].x, pts[0].y);
  LineThrough(pDC, pts + 1, n - 1);
  if (!bOpen && (bDashed || n > 2)) LineTo(pDC, pts[0].x, pts[0].y);
  EndDraw(pDC);
  return n;
}

int jvqLineStyle::DrawObjectOutline(CDC* pDC, jvqObject* pObject) {
  jvqPointList* pList = pObject->GetOutline();
  if (pList == NULL) return 0;
  return DrawPointList(pDC, *pList, (pObject->m_dwState & JVQ_STATE_OPEN) != 0);
}

void jvqLineStyle::DrawPolyline(CDC* pDC, const POINT* pPoints, int nCount, BOOL bOpen) {
  if (DrawsNothing() || nCount < 1 || pDC == NULL) return;
  BeginDraw(pDC);
  MoveTo(pDC, pPoints[0].x, pPoints[0].y);
  LineThrough(pDC, pPoints + 1, nCount - 1);
  if (!bOpen) LineTo(pDC, pPoints[0].x, pPoints[0].y);
  EndDraw(pDC);
}

void jvqLineStyle::DrawRect(CDC* pDC, const RECT* pRect) {
  if (DrawsNothing() || pDC == NULL) return;
  const RECT& r = *pRect;
  BeginDraw(pDC);
  MoveTo(pDC, r.left, r.top);
  const POINT corners[4] = {{r.left, r.bottom}, {r.right, r.bottom}, {r.right, r.top}, {r.left, r.top}};
  LineThrough(pDC, corners, 4);
  EndDraw(pDC);
}

void jvqLineStyle::DrawLine(CDC* pDC, const POINT* pFrom, const POINT* pTo) {
  if (DrawsNothing() || pDC == NULL) return;
  BeginDraw(pDC);
  MoveTo(pDC, pFrom->x, pFrom->y);
  LineTo(pDC, pTo->x, pTo->y);
  EndDraw(pDC);
}

void jvqLineStyle::DrawBezierPointList(CDC* pDC, const jvqPointList& list, BOOL bCloseFigure) {
  std::vector<POINT> pts(list.GetData(), list.GetData() + list.GetCount());
  DrawBezier(pDC, pts.data(), (int)pts.size(), bCloseFigure);
}

void jvqLineStyle::TraceRoundRect(CDC* pDC, const RECT* pRect, int nCornerWidth, int nCornerHeight,
                                  int nRotation) {
  jvqPointList list;
  list.SetRoundRectPoints(*pRect, nCornerWidth, nCornerHeight, 0);
  list.Rotate((pRect->left + pRect->right) / 2, (pRect->top + pRect->bottom) / 2, nRotation);
  if (list.GetCount() == 0) return;
  MoveTo(pDC, list.GetAt(0)->x, list.GetAt(0)->y);
  DrawBezierPointList(pDC, list, TRUE);
}

void jvqLineStyle::DrawRoundRect(CDC* pDC, const RECT* pRect, int nCornerWidth, int nCornerHeight,
                                 int nRotation) {
  if (DrawsNothing() || pDC == NULL) return;
  // Wide dashed styles go through the stroker like every other shape.
  BeginDraw(pDC);
  TraceRoundRect(pDC, pRect, nCornerWidth, nCornerHeight, nRotation);
  EndDraw(pDC);
}

void jvqLineStyle::DrawArc(CDC* pDC, const RECT* pRect, int nStart, int nEnd, int nRotation,
                           int nCloseKind) {
  if (DrawsNothing() || pDC == NULL) return;
  POINT c = {(pRect->left + pRect->right) / 2, (pRect->top + pRect->bottom) / 2};
  BeginDraw(pDC);
  TraceArcByDegrees(pDC, pRect, nStart, nEnd, nRotation, c, TRUE, nCloseKind);
  EndDraw(pDC);
}

void jvqLineStyle::TraceArcByDegrees(CDC* pDC, const RECT* pRect, int nStart, int nEnd, int nRotation,
                                     POINT ptCenter, BOOL bMoveFirst, int nCloseKind) {
  int s = (nStart - 90) % 360, e = (nEnd - 90) % 360;
  if (s < 0) s += 360;
  if (e < 0) e += 360;
  if (s >= e) e += 360;
  RECT r = *pRect;
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  int rx = (r.right - r.left) / 2, ry = (r.bottom - r.top) / 2;
  int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  auto at = [&](int a) {
    POINT p = {(LONG)(cx + rx * std::cos(a * JVQ_DEG2RAD)), (LONG)(cy + ry * std::sin(a * JVQ_DEG2RAD))};
    ::RotatePoint(&ptCenter, &p, nRotation);
    return p;
  };
  POINT first = at(s);
  if (bMoveFirst) MoveTo(pDC, first.x, first.y);
  for (int a = s; a <= e; a++) {
    POINT p = at(a);
    LineTo(pDC, p.x, p.y);
  }
  if (std::abs(s - e) == 0 || std::abs(s - e) == 360) LineTo(pDC, first.x, first.y);
  if (nCloseKind == 2) {
    LineTo(pDC, cx, cy);
    LineTo(pDC, first.x, first.y);
  } else if (nCloseKind == 3) {
    LineTo(pDC, first.x, first.y);
  }
}

#ifdef JVQ_HAVE_GDI

void jvqLineStyle::MoveTo(CDC* pDC, int x, int y) {
  if (m_pDashLine)
    m_pDashLine->MoveTo(x, y);
  else
    ::MoveToEx(pDC->m_hDC, x, y, NULL);
}

void jvqLineStyle::LineTo(CDC* pDC, int x, int y) {
  if (m_pDashLine)
    m_pDashLine->LineTo(x, y);
  else
    ::LineTo(pDC->m_hDC, x, y);
}

void jvqLineStyle::LineThrough(CDC* pDC, const POINT* pPoints, int nCount) {
  if (nCount <= 0) return;
  // A one-pixel pen lays the same pixels in one call; wider pens would join the segments
  // where LineTo caps each one, so they keep LineTo.
  if (m_pDashLine == NULL && m_nWidth <= 1) {
    ::PolylineTo(pDC->m_hDC, pPoints, (DWORD)nCount);
    return;
  }
  for (int i = 0; i < nCount; i++) LineTo(pDC, pPoints[i].x, pPoints[i].y);
}

// Plain pens kept across objects: a page draws thousands of outlines with a few pens.
// The oldest goes first when the table is full; a page never holds one selected that long.
static HPEN KeptPen(int nStyle, int nWidth, COLORREF crColor) {
  struct Kept {
    int nStyle, nWidth;
    COLORREF crColor;
    HPEN hPen;
  };
  static Kept s_kept[16];
  static int s_nNext = 0;
  for (Kept& k : s_kept)
    if (k.hPen && k.nStyle == nStyle && k.nWidth == nWidth && k.crColor == crColor) return k.hPen;
  HPEN hPen = ::CreatePen(nStyle, nWidth, crColor);
  if (hPen == NULL) return NULL;
  Kept& k = s_kept[s_nNext];
  s_nNext = (s_nNext + 1) % 16;
  if (k.hPen) ::DeleteObject(k.hPen);
  k = {nStyle, nWidth, crColor, hPen};
  return hPen;
}

void jvqLineStyle::BeginDraw(CDC* pDC) {
  if (DrawsNothing() || pDC == NULL) return;
  // An inner bracket (a shape drawn through DrawBezier) keeps the outer one's DC state.
  if (m_nDrawDepth++ > 0) return;
  HDC hDC = pDC->m_hDC;
  if (m_bRasterOp) m_nOldRop2 = ::SetROP2(hDC, m_nRop2);
  if (UsesPlainPen()) {
    if (m_hPen) ::DeleteObject((HGDIOBJ)m_hPen);
    m_hPen = NULL;
    m_hOldPen = ::SelectObject(hDC, KeptPen(m_nPenStyle, m_nWidth > 1 ? m_nWidth : 0, m_crColor));
    m_nOldBkMode = ::SetBkMode(hDC, TRANSPARENT);
  } else {
    delete m_pDashLine;
    int pattern[8];
    int n = MakeDashPattern(pattern, m_bRoundEnds, m_nWidth, (unsigned)m_nPenStyle);
    m_hOldPen = ::GetCurrentObject(hDC, OBJ_PEN);
    m_pDashLine = new CDashLine(pDC, pattern, n);
    ::BeginPath(hDC);
  }
}

void jvqLineStyle::EndDraw(CDC* pDC) {
  if (DrawsNothing() || pDC == NULL) return;
  if (m_nDrawDepth == 0 || --m_nDrawDepth > 0) return;
  HDC hDC = pDC->m_hDC;
  if (m_bRasterOp) ::SetROP2(hDC, m_nOldRop2);
  if (m_pDashLine) {
    if (m_bCloseFigure) ::CloseFigure(hDC);
    ::EndPath(hDC);
    StrokeDashPath(m_crColor, pDC, m_bRoundEnds);
    ::AbortPath(hDC);
  }
  ::SelectObject(hDC, (HGDIOBJ)m_hOldPen);
  if (!m_pDashLine) ::SetBkMode(hDC, m_nOldBkMode);
  if (m_hPen) ::DeleteObject((HGDIOBJ)m_hPen);
  m_hPen = NULL;
  delete m_pDashLine;
  m_pDashLine = NULL;
}

void jvqLineStyle::StrokeDashPath(COLORREF crColor, CDC* pDC, BOOL bRoundEnds) {
  LOGBRUSH lb = {BS_SOLID, crColor, 0};
  DWORD dwStyle = bRoundEnds ? (PS_GEOMETRIC | PS_INSIDEFRAME)
                             : (PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_JOIN_MITER | PS_INSIDEFRAME);
  HPEN hPen = ::ExtCreatePen(dwStyle, m_nWidth > 1 ? m_nWidth : 0, &lb, 0, NULL);
  HGDIOBJ hOld = ::SelectObject(pDC->m_hDC, hPen);
  ::StrokePath(pDC->m_hDC);
  ::SelectObject(pDC->m_hDC, hOld);
  ::DeleteObject(hPen);
}

void jvqLineStyle::DrawBezier(CDC* pDC, const POINT* pPoints, int nCount, BOOL bCloseFigure) {
  if (DrawsNothing() || nCount < 1 || pDC == NULL) return;
  m_bCloseFigure = bCloseFigure;
  BeginDraw(pDC);
  if (m_pDashLine) {
    m_pDashLine->MoveTo(pPoints[0].x, pPoints[0].y);
    for (int g = 0; g + 3 <= nCount; g += 3) m_pDashLine->PolyBezierTo(&pPoints[g]);
  } else {
    ::PolyBezierTo(pDC->m_hDC, pPoints, (DWORD)(nCount - nCount % 3));
  }
  EndDraw(pDC);
}

void jvqLineStyle::DrawEllipse(CDC* pDC, const RECT* pRect, double dRotation) {
  if (DrawsNothing() || pDC == NULL) return;
  BeginDraw(pDC);
  if ((int)dRotation == 0 && !m_pDashLine) {
    HGDIOBJ hOld = ::SelectObject(pDC->m_hDC, ::GetStockObject(NULL_BRUSH));
    ::Ellipse(pDC->m_hDC, pRect->left, pRect->top, pRect->right, pRect->bottom);
    ::SelectObject(pDC->m_hDC, hOld);
  } else {
    POINT c = {(pRect->left + pRect->right) / 2, (pRect->top + pRect->bottom) / 2};
    TraceArcByDegrees(pDC, pRect, 0, 360, (int)dRotation, c, TRUE, 1);
  }
  EndDraw(pDC);
}

BOOL jvqLineStyle::BeginRegionPath(CDC* pDC) {
  if (m_hPen) ::DeleteObject((HGDIOBJ)m_hPen);
  m_hPen = ::CreatePen(PS_INSIDEFRAME, 1, m_crColor);
  m_hOldPen = ::SelectObject(pDC->m_hDC, (HGDIOBJ)m_hPen);
  m_nDrawDepth++;
  return ::BeginPath(pDC->m_hDC);
}

BOOL jvqLineStyle::EndRegionPath(CDC* pDC, CRgn* pRgn) {
  HDC hDC = pDC->m_hDC;
  m_nDrawDepth--;
  ::CloseFigure(hDC);
  BOOL bOk = ::EndPath(hDC);
  HRGN hRgn = bOk ? ::PathToRegion(hDC) : NULL;
  ::AbortPath(hDC);
  // The pen goes back whatever happened to the path.
  ::SelectObject(hDC, (HGDIOBJ)m_hOldPen);
  ::DeleteObject((HGDIOBJ)m_hPen);
  m_hPen = NULL;
  if (hRgn == NULL) return FALSE;
  pRgn->DeleteObject();
  return pRgn->Attach(hRgn);
}

BOOL jvqLineStyle::MakeEllipseRegion(CDC* pDC, CRgn* pRgn, const RECT* pRect, int nRotation) {
  BeginRegionPath(pDC);
  jvqPointList list;
  list.SetArcPoints(*pRect, 0, 360, 0, 0, 120);
  list.Rotate((pRect->left + pRect->right) / 2, (pRect->top + pRect->bottom) / 2, nRotation);
  ::MoveToEx(pDC->m_hDC, list.GetAt(0)->x, list.GetAt(0)->y, NULL);
  DrawBezierPointList(pDC, list, TRUE);
  return EndRegionPath(pDC, pRgn);
}

BOOL jvqLineStyle::MakeRoundRectRegion(CDC* pDC, CRgn* pRgn, const RECT* pRect, int nCornerWidth,
                                       int nCornerHeight, int nRotation) {
  BeginRegionPath(pDC);
  jvqPointList list;
  list.SetRoundRectPoints(*pRect, nCornerWidth, nCornerHeight, 0);
  list.Rotate((pRect->left + pRect->right) / 2, (pRect->top + pRect->bottom) / 2, nRotation);
  ::MoveToEx(pDC->m_hDC, list.GetAt(0)->x, list.GetAt(0)->y, NULL);
  DrawBezierPointList(pDC, list, TRUE);
  return EndRegionPath(pDC, pRgn);
}

#else

void jvqLineStyle::MoveTo(CDC*, int, int) {}
void jvqLineStyle::LineTo(CDC*, int, int) {}
void jvqLineStyle::LineThrough(CDC*, const POINT*, int) {}
void jvqLineStyle::BeginDraw(CDC*) {}
void jvqLineStyle::EndDraw(CDC*) {}
void jvqLineStyle::StrokeDashPath(COLORREF, CDC*, BOOL) {}
void jvqLineStyle::DrawBezier(CDC*, const POINT*, int, BOOL bCloseFigure) { m_bCloseFigure = bCloseFigure; }
void jvqLineStyle::DrawEllipse(CDC*, const RECT*, double) {}
BOOL jvqLineStyle::BeginRegionPath(CDC*) { return FALSE; }
BOOL jvqLineStyle::EndRegionPath(CDC*, CRgn*) { return FALSE; }
BOOL jvqLineStyle::MakeEllipseRegion(CDC*, CRgn*, const RECT*, int) { return FALSE; }
BOOL jvqLineStyle::MakeRoundRectRegion(CDC*, CRgn*, const RECT*, int, int, int) { return FALSE; }

#endif
