#include "jvqEllipticObject.h"

#include <cstdint>

#include "jvqFill.h"
#include "jvqGeometry.h"
#include "jvqPolylineObject.h"
#include "jvqRecordIO.h"
#include "jvqViewMapping.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#endif

int GetArcPointCount(int nStart, int nEnd) {
  // Angles come from records as they stand: the difference may not fit an int.
  const int64_t n = 3 * (((int64_t)nEnd - nStart) / 3);
  return (n >= 1 && n <= 60) ? (int)n : 60;
}

static int ReduceAngle(int nAngle) {
  int a = nAngle % 360;
  return a < 0 ? a + 360 : a;
}

// jvqEllipticObject

jvqEllipticObject::jvqEllipticObject() { m_nClassCode = JVQ_OBJ_ELLIPTIC; }

jvqEllipticObject::jvqEllipticObject(const jvqEllipticObject& src) : jvqRectObject(src), m_Curve(src.m_Curve) {
  m_FramePoints = src.m_FramePoints;
  m_bFreeResize = src.m_bFreeResize;
  m_nClassCode = src.m_nClassCode;
}

BOOL jvqEllipticObject::SetPointList(const jvqPointList& list, jvqViewMapping* pView, DWORD dwState) {
  m_Curve = list;
  RECT rc;
  list.GetBoundRect(&rc);
  return SetRect(&rc, pView, dwState);
}

jvqPointList* jvqEllipticObject::GetFillOutline() { return &m_Curve; }
jvqPointList* jvqEllipticObject::GetOutline() { return &m_Curve; }

void jvqEllipticObject::DrawSelectionFrame(CDC* pDC, jvqLineStyle* pStyle) {
  jvqPointList hp;
  GetHandlePoints(hp);
  if (pStyle) pStyle->DrawPointList(pDC, hp, FALSE);
}

void jvqEllipticObject::DrawOutline(CDC* pDC, jvqLineStyle* pStyle) {
  if (pStyle) pStyle->DrawPointList(pDC, m_Curve, FALSE);
}

void jvqEllipticObject::DrawFill(CDC* pDC, jvqFill* pFill) { jvqObject::DrawFill(pDC, pFill); }

BOOL jvqEllipticObject::HitTestInside(int x, int y) {
  if (!IsShown() || m_pFill == NULL || !(m_dwState & JVQ_STATE_FILLED)) return FALSE;
  POINT p = {x, y};
  return m_Curve.PtInPolygon(&p);
}

BOOL jvqEllipticObject::HitTestOutline(int x, int y) {
  if (!IsShown() || m_pView == NULL || !m_pView->HasOwnerWindow()) return FALSE;
  int t = GetHitTolerance();
  const int n = m_Curve.GetCount();
  for (int i = 0; i + 1 < n; i++) {
    const POINT* a = m_Curve.GetAt(i);
    const POINT* b = m_Curve.GetAt(i + 1);
    if (IsPointNearSegment(x, y, a->x, a->y, b->x, b->y, t)) return TRUE;
  }
  if (n > 0 && !(m_dwState & JVQ_STATE_OPEN)) {
    const POINT* a = m_Curve.GetAt(0);
    const POINT* b = m_Curve.GetAt(n - 1);
    if (IsPointNearSegment(x, y, a->x, a->y, b->x, b->y, t)) return TRUE;
  }
  return FALSE;
}

jvqObject* jvqEllipticObject::Clone() { return new jvqEllipticObject(*this); }

POINT* jvqEllipticObject::GetCenter(POINT* pOut) { return m_FramePoints.GetCentroid(pOut); }

void jvqEllipticObject::Recalc() {
  if (m_GeometryData.GetCount() == 0) return;
  RECT rc;
  m_GeometryData.GetBoundRect(&rc);
  const POINT pts[4] = {{rc.left, rc.top}, {rc.left, rc.bottom}, {rc.right, rc.bottom}, {rc.right, rc.top}};
  m_GeometryData.SetPoints(pts, 4);
  if (m_ResizeHandles.GetCount() == 0) return;
  GetHandlePoints(m_FramePoints);
  jvqPointList curve;
  RecalcCurve(m_GeometryData, curve);
  m_Curve = curve;
  for (int i = 0; i < m_ResizeHandles.GetCount() && i < m_FramePoints.GetCount(); i++)
    m_ResizeHandles.GetAt(i)->MoveTo(m_FramePoints.GetAt(i), 1);
  POINT c;
  m_GeometryData.GetCentroid(&c);
  m_Curve.Rotate(c.x, c.y, (int)m_dRotation);
}

BOOL jvqEllipticObject::Load(CFile* pFile, jvqFileHeader* pHeader) {
  if (!jvqRectObject::Load(pFile, pHeader)) return FALSE;
  Recalc();
  return TRUE;
}

BOOL jvqEllipticObject::Store(CFile* pFile, jvqFileHeader* pHeader) {
  BOOL bOk = jvqObject::Store(pFile, pHeader);
  Recalc();
  return bOk;
}

#ifdef JVQ_HAVE_GDI
BOOL jvqEllipticObject::GetDeviceRegion(CDC* pDC, CRgn* pRgn) {
  jvqPointList device;
  m_Curve.ToDevice(pDC, device);
  return device.CreatePolygonRgn(pRgn);
}
#else
BOOL jvqEllipticObject::GetDeviceRegion(CDC*, CRgn*) { return FALSE; }
#endif

// jvqEllipseObject

jvqEllipseObject::jvqEllipseObject() { m_nClassCode = JVQ_OBJ_ELLIPSE; }

jvqEllipseObject::jvqEllipseObject(const RECT* pRect, jvqViewMapping* pView, DWORD dwState) {
  m_nClassCode = JVQ_OBJ_ELLIPSE;
  Create(pRect, pView, dwState);
}

jvqEllipseObject::jvqEllipseObject(const jvqEllipseObject& src) : jvqEllipticObject(src) {}

BOOL jvqEllipseObject::Create(const RECT* pRect, jvqViewMapping* pView, DWORD dwState) {
  if (!SetRect(pRect, pView, dwState)) return FALSE;
  m_Curve.SetArcPoints(*pRect, 0, 360, 0, 0, 120);
  m_nClassCode = JVQ_OBJ_ELLIPSE;
  return TRUE;
}

void jvqEllipseObject::RecalcCurve(const jvqPointList& src, jvqPointList& out) {
  RECT rc;
  src.GetBoundRect(&rc);
  jvqPointList arc;
  arc.SetArcPoints(rc, 0, 360, 0, 0, 120);
  for (int i = arc.GetCount() - 1; i >= 0; i--) out.Add(arc.GetAt(i));
}

void jvqEllipseObject::DrawOutline(CDC* pDC, jvqLineStyle* pStyle) {
  if (pStyle == NULL) return;
#ifdef JVQ_HAVE_GDI
  if (pDC && m_Curve.GetCount() > 0) ::MoveToEx(pDC->m_hDC, m_Curve.GetAt(0)->x, m_Curve.GetAt(0)->y, NULL);
#endif
  pStyle->DrawPointList(pDC, m_Curve, FALSE);
}

jvqObject* jvqEllipseObject::Clone() { return new jvqEllipseObject(*this); }

#ifdef JVQ_HAVE_GDI
BOOL jvqEllipseObject::GetRegion(CDC*, CRgn* pRgn) { return m_FramePoints.CreatePolygonRgn(pRgn); }
BOOL jvqEllipseObject::GetRegionRect(CDC*, RECT* pRect) { return m_FramePoints.IsUprightRect(pRect); }

BOOL jvqEllipseObject::GetDeviceRegion(CDC* pDC, CRgn* pRgn) {
  jvqLineStyle plain(1, 0, 0);
  RECT rc;
  m_GeometryData.GetBoundRect(&rc);
  return plain.MakeEllipseRegion(pDC, pRgn, &rc, (int)m_dRotation);
}
#else
BOOL jvqEllipseObject::GetRegion(CDC*, CRgn*) { return FALSE; }
BOOL jvqEllipseObject::GetRegionRect(CDC*, RECT*) { return FALSE; }
BOOL jvqEllipseObject::GetDeviceRegion(CDC*, CRgn*) { return FALSE; }
#endif

// jvqPieObject

jvqPieObject::jvqPieObject() : m_nStartAngle(0), m_nEndAngle(180) { m_nClassCode = JVQ_OBJ_PIE; }

jvqPieObject::jvqPieObject(const jvqPieObject& src)
    : jvqEllipticObject(src), m_nStartAngle(src.m_nStartAngle), m_nEndAngle(src.m_nEndAngle) {}

jvqObject* jvqPieObject::Clone() { return new jvqPieObject(*this); }

void jvqPieObject::SetFourPoints(const RECT* pRect) {
  const RECT& r = *pRect;
  const POINT pts[4] = {{r.left, r.top}, {r.left, r.bottom}, {r.right, r.bottom}, {r.right, r.top}};
  m_GeometryData.SetPoints(pts, 4);
}

BOOL jvqPieObject::Create(const RECT* pRect, jvqViewMapping* pView, DWORD dwState, int nStart, int nEnd) {
  if (!SetRect(pRect, pView, dwState)) return FALSE;
  m_nStartAngle = nStart;
  m_nEndAngle = nEnd;
  SetFourPoints(pRect);
  jvqPointList frame(*pRect);
  for (int i = 0; i < m_ResizeHandles.GetCount() && i < 8; i++) m_ResizeHandles.GetAt(i)->MoveTo(frame.GetAt(i), 1);
  m_Curve.RemoveAll();
  RecalcCurve(m_GeometryData, m_Curve);
  m_nClassCode = JVQ_OBJ_PIE;
  return TRUE;
}

void jvqPieObject::SetShapeWhileDragging(const RECT* pRect, jvqViewMapping* pView, DWORD dwState, int nStart,
                                         int nEnd) {
  if (!SetRect(pRect, pView, dwState)) return;
  m_Curve.RemoveAll();
  SetFourPoints(pRect);
  m_nStartAngle = nStart;
  m_nEndAngle = nEnd;
  RecalcCurve(m_GeometryData, m_Curve);
  m_nClassCode = (m_nClassCode == JVQ_OBJ_CHORD) ? JVQ_OBJ_CHORD : JVQ_OBJ_PIE;
}

void jvqPieObject::SetStartAngle(int nAngle) {
  m_nStartAngle = ReduceAngle(nAngle);
  Recalc();
}

void jvqPieObject::SetEndAngle(int nAngle) {
  m_nEndAngle = ReduceAngle(nAngle);
  Recalc();
}

void jvqPieObject::RecalcCurve(const jvqPointList& src, jvqPointList& out) {
  RECT rc;
  src.GetBoundRect(&rc);
  jvqPointList arc;
  arc.SetArcPoints(rc, m_nStartAngle, m_nEndAngle, 0, 0, GetArcPointCount(m_nStartAngle, m_nEndAngle));
  for (int i = 0; i < arc.GetCount(); i++) out.Add(arc.GetAt(i));
  POINT c;
  m_GeometryData.GetCentroid(&c);
  out.Add(&c);
}

BOOL jvqPieObject::Flip(int nAxis) {
  if (!jvqRectObject::Flip(nAxis)) return FALSE;
  int nStart = m_nStartAngle, nEnd = m_nEndAngle;
  SetStartAngle(180 - nEnd);
  SetEndAngle(180 - nStart);
  return TRUE;
}

BOOL jvqPieObject::Load(CFile* pFile, jvqFileHeader* pHeader) {
  if (!jvqEllipticObject::Load(pFile, pHeader)) return FALSE;
  try {
    int32_t a[2];
    if (!jvqReadExact(pFile, a, 8)) return FALSE;
    m_nStartAngle = a[0];
    m_nEndAngle = a[1];
    Recalc();
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

BOOL jvqPieObject::Store(CFile* pFile, jvqFileHeader* pHeader) {
  if (!jvqEllipticObject::Store(pFile, pHeader)) return FALSE;
  try {
    int32_t a[2] = {m_nStartAngle, m_nEndAngle};
    pFile->Write(a, 8);
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

// jvqChordObject

jvqChordObject::jvqChordObject() { m_nClassCode = JVQ_OBJ_CHORD; }
jvqChordObject::jvqChordObject(const jvqChordObject& src) : jvqPieObject(src) {}
jvqObject* jvqChordObject::Clone() { return new jvqChordObject(*this); }

BOOL jvqChordObject::Create(const RECT* pRect, jvqViewMapping* pView, DWORD dwState, int nStart, int nEnd) {
  if (!SetRect(pRect, pView, dwState)) return FALSE;
  m_nStartAngle = nStart;
  m_nEndAngle = nEnd;
  m_Curve.RemoveAll();
  RecalcCurve(m_GeometryData, m_Curve);
  m_nClassCode = JVQ_OBJ_CHORD;
  return TRUE;
}

void jvqChordObject::RecalcCurve(const jvqPointList& src, jvqPointList& out) {
  RECT rc;
  src.GetBoundRect(&rc);
  jvqPointList arc;
  arc.SetArcPoints(rc, m_nStartAngle, m_nEndAngle, 0, 0, GetArcPointCount(m_nStartAngle, m_nEndAngle));
  for (int i = 0; i < arc.GetCount(); i++) out.Add(arc.GetAt(i));
}

// jvqArcObject

jvqArcObject::jvqArcObject()
    : m_EndLineEnd(&theLineEndDescriptors[0]),
      m_StartLineEnd(&theLineEndDescriptors[0]),
      m_nStartAngle(0),
      m_nEndAngle(180) {
  m_nClassCode = JVQ_OBJ_ARC;
}

jvqArcObject::jvqArcObject(const RECT* pRect, jvqViewMapping* pView, DWORD dwState, int nStart, int nEnd)
    : jvqArcObject() {
  Create(pRect, pView, dwState, nStart, nEnd);
}

jvqArcObject::jvqArcObject(const jvqArcObject& src)
    : jvqEllipticObject(src),
      m_EndLineEnd(src.m_EndLineEnd),
      m_StartLineEnd(src.m_StartLineEnd),
      m_nStartAngle(src.m_nStartAngle),
      m_nEndAngle(src.m_nEndAngle) {}

jvqObject* jvqArcObject::Clone() { return new jvqArcObject(*this); }

BOOL jvqArcObject::Create(const RECT* pRect, jvqViewMapping* pView, DWORD dwState, int nStart, int nEnd) {
  if (!SetRect(pRect, pView, dwState)) return FALSE;
  m_Curve.SetArcPoints(*pRect, nStart, nEnd, 0, 0, GetArcPointCount(nStart, nEnd));
  m_nStartAngle = nStart;
  m_nEndAngle = nEnd;
  if (jvqLineEnd* pNone = GetLineEnd(0)) {
    m_StartLineEnd = *pNone;
    m_EndLineEnd = *pNone;
  }
  m_nClassCode = JVQ_OBJ_ARC;
  return TRUE;
}

void jvqArcObject::SetShapeWhileDragging(const RECT* pRect, jvqViewMapping* pView, DWORD dwState, int nStart,
                                         int nEnd) {
  if (!SetRect(pRect, pView, dwState)) return;
  m_Curve.RemoveAll();
  m_Curve.SetArcPoints(*pRect, nStart, nEnd, 0, 0, GetArcPointCount(nStart, nEnd));
  const RECT& r = *pRect;
  const POINT pts[4] = {{r.left, r.top}, {r.left, r.bottom}, {r.right, r.bottom}, {r.right, r.top}};
  m_GeometryData.SetPoints(pts, 4);
  m_nStartAngle = nStart;
  m_nEndAngle = nEnd;
  m_nClassCode = JVQ_OBJ_ARC;
}

void jvqArcObject::SetStartAngle(int nAngle) {
  m_nStartAngle = ReduceAngle(nAngle);
  Recalc();
}

void jvqArcObject::SetEndAngle(int nAngle) {
  m_nEndAngle = ReduceAngle(nAngle);
  Recalc();
}

void jvqArcObject::RecalcCurve(const jvqPointList& src, jvqPointList& out) {
  RECT rc;
  src.GetBoundRect(&rc);
  jvqPointList arc;
  arc.SetArcPoints(rc, m_nStartAngle, m_nEndAngle, 0, 0, GetArcPointCount(m_nStartAngle, m_nEndAngle));
  for (int i = 0; i < arc.GetCount(); i++) out.Add(arc.GetAt(i));
}

BOOL jvqArcObject::Flip(int nAxis) {
  if (!jvqRectObject::Flip(nAxis)) return FALSE;
  int nStart = m_nStartAngle, nEnd = m_nEndAngle;
  SetStartAngle(180 - nEnd);
  SetEndAngle(180 - nStart);
  return TRUE;
}

void jvqArcObject::GetEndPoints(POINT* pFirst, POINT* pSecond, POINT* pBeforeLast, POINT* pLast) {
  const int n = m_Curve.GetCount();
  if (n == 0) return;
  *pFirst = *m_Curve.GetAt(0);
  *pSecond = *pFirst;
  for (int i = 1; i < n; i++) {
    const POINT* p = m_Curve.GetAt(i);
    if (p->x != pFirst->x || p->y != pFirst->y) {
      *pSecond = *p;
      break;
    }
  }
  *pBeforeLast = *m_Curve.GetAt(n >= 2 ? n - 2 : 0);
  *pLast = *m_Curve.GetAt(n - 1);
}

void jvqArcObject::DrawOutline(CDC* pDC, jvqLineStyle* pStyle) {
  if (pStyle == NULL) return;
  if (!pStyle->m_bRasterOp && m_Curve.GetCount() > 0) {
    jvqPolylineObject ends(m_pView);
    POINT pts[4];
    GetEndPoints(&pts[0], &pts[1], &pts[2], &pts[3]);
    ends.SetPoints(pts, 4, m_pView, JVQ_STATE_VISIBLE | JVQ_STATE_OPEN | JVQ_STATE_ALIVE);
    ends.m_LineStyle = *pStyle;
    ends.m_StartLineEnd = m_StartLineEnd;
    ends.m_EndLineEnd = m_EndLineEnd;
    ends.DrawLineEnds(pDC);
  }
  pStyle->DrawPointList(pDC, m_Curve, TRUE);
}

BOOL jvqArcObject::Load(CFile* pFile, jvqFileHeader* pHeader) {
  if (!jvqEllipticObject::Load(pFile, pHeader)) return FALSE;
  try {
    int32_t a[2];
    if (!jvqReadExact(pFile, a, 8)) return FALSE;
    jvqLineEnd start(m_StartLineEnd), end(m_EndLineEnd);
    if (!start.Load(pFile, pHeader) || !end.Load(pFile, pHeader)) return FALSE;
    m_nStartAngle = a[0];
    m_nEndAngle = a[1];
    m_StartLineEnd = start;
    m_EndLineEnd = end;
    Recalc();
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

BOOL jvqArcObject::Store(CFile* pFile, jvqFileHeader* pHeader) {
  if (!jvqEllipticObject::Store(pFile, pHeader)) return FALSE;
  try {
    int32_t a[2] = {m_nStartAngle, m_nEndAngle};
    pFile->Write(a, 8);
    return m_StartLineEnd.Store(pFile, pHeader) && m_EndLineEnd.Store(pFile, pHeader);
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}
