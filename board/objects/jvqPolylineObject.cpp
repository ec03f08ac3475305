#include "jvqPolylineObject.h"

#include <cmath>
#include <utility>

#include "jvqFill.h"
#include "jvqHandleObject.h"
#include "jvqViewMapping.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#endif

#ifndef MK_SHIFT
#define MK_SHIFT 0x0004
#endif

// Boxes narrower than this are not resized any further.
static const int kMinEdgeSize = 10;

jvqPolylineObject::jvqPolylineObject(jvqViewMapping* pView)
    : jvqObject(NULL, 0, pView, 0x301),
      m_EndLineEnd(&theLineEndDescriptors[0]),
      m_StartLineEnd(&theLineEndDescriptors[0]) {
  m_dwState = 0x301;
  m_pView = pView;
  m_nClassCode = JVQ_OBJ_POLYLINE;
}

jvqPolylineObject::jvqPolylineObject(const jvqPolylineObject& src)
    : jvqObject(src), m_EndLineEnd(src.m_EndLineEnd), m_StartLineEnd(src.m_StartLineEnd) {
  m_nClassCode = src.m_nClassCode;
}

jvqObject* jvqPolylineObject::Clone() { return new jvqPolylineObject(*this); }

BOOL jvqPolylineObject::IsOpen() const {
  return (m_dwState & JVQ_STATE_OPEN) || m_GeometryData.GetCount() < 3;
}

jvqObject* jvqPolylineObject::HitTest(POINT* pPoint) {
  if (!IsShown()) return NULL;
  return jvqObject::HitTest(pPoint);
}

void jvqPolylineObject::AddVertex(POINT* pPoint, int nType) {
  m_GeometryData.Add(pPoint);
  m_PointTypes.push_back(nType);
  m_VertexMarkers.Add(MakeMarker(pPoint, JVQ_HANDLE_VERTEX));
  Recalc();
}

void jvqPolylineObject::InsertVertex(int i, POINT* pPoint, int nType) {
  m_GeometryData.InsertAt(i, pPoint);
  if (i + 1 >= 0 && i + 1 < (int)m_PointTypes.size())
    m_PointTypes.insert(m_PointTypes.begin() + (i + 1), nType);
  else
    m_PointTypes.push_back(nType);
  jvqHandleObject* pMarker = MakeMarker(pPoint, JVQ_HANDLE_VERTEX);
  if (i + 1 >= 0 && i + 1 < m_VertexMarkers.GetCount())
    m_VertexMarkers.InsertAt(i + 1, pMarker);
  else
    m_VertexMarkers.Add(pMarker);
  Recalc();
}

void jvqPolylineObject::RemoveVertex(int i) {
  if (i < 0 || i >= m_GeometryData.GetCount()) return;
  m_GeometryData.RemoveAt(i);
  if (i < (int)m_PointTypes.size()) m_PointTypes.erase(m_PointTypes.begin() + i);
  m_VertexMarkers.RemoveAt(i);
  Recalc();
}

void jvqPolylineObject::ShowMarkers(jvqObjectArray& markers, BOOL bShow) {
  if (markers.GetCount() == 0) return;
  BOOL bShown = (markers.GetAt(0)->m_dwState & JVQ_STATE_VISIBLE) != 0;
  if (bShown == bShow) return;
  for (jvqObject* p : markers.m_items) {
    if (bShow)
      p->m_dwState |= JVQ_STATE_VISIBLE;
    else
      p->m_dwState &= ~JVQ_STATE_VISIBLE;
  }
}

void jvqPolylineObject::OnToolChanged(int nToolId) {
  BOOL bVertices = nToolId == TOOLID_VERTEX_INSERT || nToolId == TOOLID_ROTATE ||
                   nToolId == TOOLID_VERTEX_EDIT || m_GeometryData.GetCount() == 2;
  ShowMarkers(m_VertexMarkers, bVertices);
  ShowMarkers(m_ResizeHandles, !bVertices);
}

void jvqPolylineObject::Recalc() {
  jvqPointList F;
  m_GeometryData.GetBoundingFrame(F);
  for (int i = 0; i < m_VertexMarkers.GetCount() && i < m_GeometryData.GetCount(); i++)
    m_VertexMarkers.GetAt(i)->MoveTo(m_GeometryData.GetAt(i), 1);
  for (int i = 0; i < m_ResizeHandles.GetCount() && i < 8; i++) m_ResizeHandles.GetAt(i)->MoveTo(F.GetAt(i), 1);
}

void jvqPolylineObject::RotateAbout(int nAngle, POINT* pPivot) { jvqObject::RotateAbout(nAngle, pPivot); }

void jvqPolylineObject::DrawTracker(CDC* pDC) { jvqObject::DrawTracker(pDC); }

void jvqPolylineObject::DrawSelectionFrame(CDC* pDC, jvqLineStyle* pStyle) {
  if (pStyle == NULL || m_ResizeHandles.GetCount() == 0) return;
  if (!(m_ResizeHandles.GetAt(0)->m_dwState & JVQ_STATE_VISIBLE) || !(m_dwState & JVQ_STATE_SELECTED)) return;
  jvqPointList F;
  m_GeometryData.GetBoundingFrame(F);
  pStyle->DrawPointList(pDC, F, FALSE);
}

int jvqPolylineObject::BeginTrack(int nState, jvqObject* pAnchor) {
  if (pAnchor) pAnchor->GetCenter(&m_ptAnchorCenter);
  RECT R;
  m_GeometryData.GetBoundRect(&R);
  m_nTrackFlag = 0;
  int w = R.right - R.left, h = R.bottom - R.top;
  // A box without width or height has no proportions to keep.
  m_dTrackAspect = (w > 0 && h > 0) ? (double)h / w : 0.0;
  if (nState >= 3 && nState <= 7) {
    m_GeometryData.GetBoundingFrame(m_TrackGeometry);
    m_rcTrackBounds = R;
  }
  m_bNoFeedback = TRUE;
  return 0;
}

void jvqPolylineObject::DrawFeedback(CDC* pDC) {
  theXorDotStyle.SetColor(0xA6A6A6);
  DrawOutline(pDC, &theXorDotStyle);
  theXorDotStyle.SetColor(0);
  DrawSelectionFrame(pDC, &theXorDotStyle);
}

void jvqPolylineObject::Track(POINT* pStart, POINT* pCurrent, UINT nFlags, jvqObject* pMarker, CDC* pDC) {
  const POINT P = *pStart, C = *pCurrent;
  int iVertex = FindVertexMarker(pMarker);
  const int n = m_GeometryData.GetCount();
  if (iVertex >= 0 && iVertex < n) {
    if (C.x == P.x && C.y == P.y) return;
    POINT c = C;
    pMarker->MoveTo(&c, 1);
    if (m_nClassCode == JVQ_OBJ_POLYLINE) {
      POINT* v = m_GeometryData.GetAt(iVertex);
      v->x += C.x - P.x;
      v->y += C.y - P.y;
    }
    POINT prev = *m_GeometryData.GetAt(iVertex == 0 ? n - 1 : iVertex - 1);
    POINT next = *m_GeometryData.GetAt(iVertex == n - 1 ? 0 : iVertex + 1);
    BOOL bOpen = IsOpen();
    BOOL bToNext = !(bOpen && iVertex == n - 1);
    BOOL bToPrev = !(bOpen && iVertex == 0);
    if (!m_bNoFeedback) {
      if (bToNext) theXorDotStyle.DrawLine(pDC, &next, &P);
      if (bToPrev) theXorDotStyle.DrawLine(pDC, &prev, &P);
    }
    if (bToNext) theXorDotStyle.DrawLine(pDC, &next, &C);
    if (bToPrev) theXorDotStyle.DrawLine(pDC, &prev, &C);
    m_bNoFeedback = FALSE;
    return;
  }

  int d = FindHandle(pMarker);
  if (d < 0) return;
  if (C.x == P.x && C.y == P.y) return;
  int dx = C.x - P.x, dy = C.y - P.y;
  if (!m_bNoFeedback) DrawFeedback(pDC);

  const double a = m_dTrackAspect;
  BOOL bFree = (d % 2) == 1 || (nFlags & MK_SHIFT) || !(a > 0.0) || !std::isfinite(a);
  const LONG L = m_rcTrackBounds.left, T = m_rcTrackBounds.top;
  const LONG Rt = m_rcTrackBounds.right, B = m_rcTrackBounds.bottom;
  if (bFree) {
    switch (d) {
      case 0: MoveLeftEdge(dx); MoveTopEdge(dy); break;
      case 1: MoveLeftEdge(dx); break;
      case 2: MoveLeftEdge(dx); MoveBottomEdge(dy); break;
      case 3: MoveBottomEdge(dy); break;
      case 4: MoveRightEdge(dx); MoveBottomEdge(dy); break;
      case 5: MoveRightEdge(dx); break;
      case 6: MoveRightEdge(dx); MoveTopEdge(dy); break;
      case 7: MoveTopEdge(dy); break;
    }
  } else {
    RECT t = {0, 0, 0, 0};
    switch (d) {
      case 0: {
        int u = C.x - Rt, w = C.y - B, A = (int)(w / a);
        if (u < A) {
          A = u;
          w = (int)(a * u);
        }
        t = {Rt + A, B + w, Rt, B};
        break;
      }
      case 2: {
        int A = Rt - C.x, w = C.y - T, A2 = (int)(w / a);
        if (A2 < A)
          w = (int)(a * A);
        else
          A = A2;
        t = {Rt - A, T, Rt, T + w};
        break;
      }
      case 4: {
        int u = C.x - L, w = C.y - T, A = (int)(w / a);
        if (A < u) {
          A = u;
          w = (int)(a * u);
        }
        t = {L, T, L + A, T + w};
        break;
      }
      case 6: {
        int w = C.x - L, A = B - C.y, B2 = (int)(A / a);
        if (B2 < w)
          A = (int)(w * a);
        else
          w = B2;
        t = {L, B - A, L + w, B};
        break;
      }
    }
    if (t.left > t.right) std::swap(t.left, t.right);
    if (t.top > t.bottom) std::swap(t.top, t.bottom);
    ScaleToRect(t);
  }
  DrawFeedback(pDC);
  m_bNoFeedback = FALSE;
}

void jvqPolylineObject::EndTrack(int, jvqObject*) {
  m_bNoFeedback = FALSE;
  Recalc();
}

void jvqPolylineObject::MoveTopEdge(int d) {
  RECT R;
  m_GeometryData.GetBoundRect(&R);
  int h = R.bottom - R.top, h2 = h - d;
  if (h2 < kMinEdgeSize || h <= 0) return;
  m_GeometryData.Scale(1.0, (double)h2 / h);
  RECT N;
  m_GeometryData.GetBoundRect(&N);
  SIZE off = {0, R.bottom - N.bottom};
  m_GeometryData.Offset(&off);
  Recalc();
}

void jvqPolylineObject::MoveBottomEdge(int d) {
  RECT R;
  m_GeometryData.GetBoundRect(&R);
  int h = R.bottom - R.top, h2 = h + d;
  if (h2 < kMinEdgeSize || h <= 0) return;
  m_GeometryData.Scale(1.0, (double)h2 / h);
  RECT N;
  m_GeometryData.GetBoundRect(&N);
  SIZE off = {0, R.top - N.top};
  m_GeometryData.Offset(&off);
  Recalc();
}

void jvqPolylineObject::MoveLeftEdge(int d) {
  RECT R;
  m_GeometryData.GetBoundRect(&R);
  int w = R.right - R.left, w2 = w - d;
  if (w2 < kMinEdgeSize || w <= 0) return;
  m_GeometryData.Scale((double)w2 / w, 1.0);
  RECT N;
  m_GeometryData.GetBoundRect(&N);
  SIZE off = {R.right - N.right, 0};
  m_GeometryData.Offset(&off);
  Recalc();
}

void jvqPolylineObject::MoveRightEdge(int d) {
  RECT R;
  m_GeometryData.GetBoundRect(&R);
  int w = R.right - R.left, w2 = w + d;
  if (w2 < kMinEdgeSize || w <= 0) return;
  m_GeometryData.Scale((double)w2 / w, 1.0);
  RECT N;
  m_GeometryData.GetBoundRect(&N);
  SIZE off = {R.left - N.left, 0};
  m_GeometryData.Offset(&off);
  Recalc();
}

void jvqPolylineObject::ScaleToRect(const RECT& rc) {
  RECT R;
  m_GeometryData.GetBoundRect(&R);
  int w = R.right - R.left, h = R.bottom - R.top;
  int tw = rc.right - rc.left, th = rc.bottom - rc.top;
  // Keep the edge moves' minimum so that the box can always be scaled back; an axis
  // without extent keeps its size.
  if (tw < kMinEdgeSize && w > 0) return;
  if (th < kMinEdgeSize && h > 0) return;
  double sx = w > 0 ? (double)tw / w : 1.0;
  double sy = h > 0 ? (double)th / h : 1.0;
  m_GeometryData.Scale(sx, sy);
  for (int i = 0; i < m_VertexMarkers.GetCount() && i < m_GeometryData.GetCount(); i++)
    m_VertexMarkers.GetAt(i)->MoveTo(m_GeometryData.GetAt(i), 1);
  RECT N;
  m_GeometryData.GetBoundRect(&N);
  SIZE off = {rc.left - N.left, rc.top - N.top};
  m_GeometryData.Offset(&off);
  Recalc();
}

BOOL jvqPolylineObject::Load(CFile* pFile, jvqFileHeader* pHeader) {
  if (!jvqObject::Load(pFile, pHeader)) return FALSE;
  jvqLineEnd start(m_StartLineEnd), end(m_EndLineEnd);
  if (!start.Load(pFile, pHeader) || !end.Load(pFile, pHeader)) return FALSE;
  m_StartLineEnd = start;
  m_EndLineEnd = end;
  m_VertexMarkers.RemoveAll();
  for (int i = 0; i < m_GeometryData.GetCount(); i++) {
    jvqHandleObject* p = MakeMarker(m_GeometryData.GetAt(i), JVQ_HANDLE_VERTEX);
    p->m_dwState &= ~JVQ_STATE_VISIBLE;
    m_VertexMarkers.Add(p);
  }
  RECT R;
  m_GeometryData.GetBoundRect(&R);
  if (m_GeometryData.GetCount() == 0) R = {0, 0, 0, 0};
  MakeResizeHandles(R);
  delete m_pLabelMarker;
  POINT c = {(R.left + R.right) / 2, (R.top + R.bottom) / 2};
  m_pLabelMarker = MakeMarker(&c, JVQ_HANDLE_LABEL);
  m_pLabelMarker->m_dwState &= ~JVQ_STATE_VISIBLE;
  return TRUE;
}

BOOL jvqPolylineObject::Store(CFile* pFile, jvqFileHeader* pHeader) {
  if (!jvqObject::Store(pFile, pHeader)) return FALSE;
  BOOL bStart = m_StartLineEnd.Store(pFile, pHeader);
  BOOL bEnd = m_EndLineEnd.Store(pFile, pHeader);
  return bStart && bEnd;
}

void jvqPolylineObject::DrawLineEnds(CDC* pDC) {
  m_EndLineEnd.Draw(pDC, this, FALSE);
  m_StartLineEnd.Draw(pDC, this, TRUE);
}

void jvqPolylineObject::Render(CDC* pDC) {
  if (!IsShown()) return;
  if (m_pFill && !(m_dwState & JVQ_STATE_OPEN) && (m_dwState & JVQ_STATE_FILLED)) DrawFill(pDC, m_pFill);
  DrawLineEnds(pDC);
  DrawOutline(pDC, &m_LineStyle);
}

#ifdef JVQ_HAVE_GDI
void jvqPolylineObject::Draw(CDC* pDC) {
  if (!IsShown()) return;
  if (m_pView) {
    int nTool = m_pView->GetCurrentToolId();
    if (nTool >= 0) OnToolChanged(nTool);
  }
  if (m_pFill && !(m_dwState & JVQ_STATE_OPEN) && (m_dwState & JVQ_STATE_FILLED)) DrawFill(pDC, m_pFill);
  DrawLineEnds(pDC);
  DrawOutline(pDC, &m_LineStyle);
  if (m_ResizeHandles.GetCount() > 0 && (m_ResizeHandles.GetAt(0)->m_dwState & JVQ_STATE_VISIBLE)) {
    if (!(m_dwState & JVQ_STATE_SELECTED)) return;
    DrawSelectionFrame(pDC, &theXorDotStyle);
  }
  if ((m_dwState & JVQ_STATE_SELECTED) && !pDC->IsPrinting()) DrawTracker(pDC);
}
#else
void jvqPolylineObject::Draw(CDC*) {}
#endif
