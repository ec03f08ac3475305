#include "jvqRectObject.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "jvqFill.h"
#include "jvqGeometry.h"
#include "jvqHandleObject.h"
#include "jvqViewMapping.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#endif

#ifndef MK_SHIFT
#define MK_SHIFT 0x0004
#endif

jvqRectObject::jvqRectObject() : jvqObject(NULL, 0, NULL, 0x301), m_bFreeResize(FALSE) {
  m_dwState = 0x301;
  m_nClassCode = JVQ_OBJ_RECT;
}

jvqRectObject::jvqRectObject(const RECT* pRect, jvqViewMapping* pView, DWORD dwState)
    : jvqRectObject() {
  SetRect(pRect, pView, dwState);
}

jvqRectObject::jvqRectObject(const jvqRectObject& src)
    : jvqObject(src), m_FramePoints(src.m_FramePoints), m_bFreeResize(FALSE) {
  m_nClassCode = JVQ_OBJ_RECT;
  Recalc();
}

void jvqRectObject::SetRectTypes() {
  m_PointTypes.assign(8, 2);
  m_PointTypes[0] = 1;
}

BOOL jvqRectObject::SetRect(const RECT* pRect, jvqViewMapping* pView, DWORD dwState) {
  RECT rc = *pRect;
  if (rc.left > rc.right) std::swap(rc.left, rc.right);
  if (rc.top > rc.bottom) std::swap(rc.top, rc.bottom);
  const POINT pts[4] = {{rc.left, rc.top}, {rc.left, rc.bottom}, {rc.right, rc.bottom}, {rc.right, rc.top}};
  const int types[4] = {1, 2, 2, 2};
  BOOL bResult = SetPath(pts, types, 4, pView, dwState);
  SetRectTypes();
  m_VertexMarkers.RemoveAll();
  Recalc();
  return bResult;
}

void jvqRectObject::GetHandlePoints(jvqPointList& out) {
  if (m_GeometryData.GetCount() == 0) {
    out.RemoveAll();
    return;
  }
  POINT c;
  m_GeometryData.GetCentroid(&c);
  jvqPointList F;
  m_GeometryData.GetBoundingFrame(F);
  int a = ((int)m_dRotation) % 360;
  if (a < 0) a += 360;
  if (a == 0) {
    out = F;
    return;
  }
  auto swapped = [&](const int* k) {
    jvqPointList r;
    for (int j = 0; j < 8; j++) {
      const POINT* f = F.GetAt(k[j]);
      POINT p = {f->y, f->x};
      r.Add(&p);
    }
    return r;
  };
  if (a % 180 == 0) {
    jvqPointList r;
    for (int j = 0; j < 8; j++) r.Add(F.GetAt((j + 4) % 8));
    out = r;
  } else if (a % 270 == 0) {
    static const int k[8] = {6, 5, 4, 3, 2, 1, 0, 7};
    out = swapped(k);
  } else if (a % 90 != 0) {
    F.RotateInto(c.x, c.y, a, out);
  } else {
    static const int k[8] = {2, 1, 0, 7, 6, 5, 4, 3};
    out = swapped(k);
  }
  POINT c2;
  out.GetCentroid(&c2);
  if (c2.x != c.x || c2.y != c.y) {
    SIZE d = {c.x - c2.x, c.y - c2.y};
    out.Offset(&d);
  }
}

void jvqRectObject::Recalc() {
  if (m_GeometryData.GetCount() == 0) return;
  RECT rc;
  m_GeometryData.GetBoundRect(&rc);
  const POINT pts[4] = {{rc.left, rc.top}, {rc.left, rc.bottom}, {rc.right, rc.bottom}, {rc.right, rc.top}};
  m_GeometryData.SetPoints(pts, 4);
  if (m_ResizeHandles.GetCount() > 0) {
    GetHandlePoints(m_FramePoints);
    for (int i = 0; i < m_ResizeHandles.GetCount() && i < m_FramePoints.GetCount(); i++)
      m_ResizeHandles.GetAt(i)->MoveTo(m_FramePoints.GetAt(i), 1);
  }
}

jvqPointList* jvqRectObject::GetOutline() { return &m_FramePoints; }

void jvqRectObject::GetBoundRect(RECT* pRect) { m_GeometryData.GetBoundRect(pRect); }

void jvqRectObject::DrawSelectionFrame(CDC* pDC, jvqLineStyle* pStyle) {
  if (pStyle) pStyle->DrawPointList(pDC, m_FramePoints, FALSE);
}

BOOL jvqRectObject::HitTestInside(int x, int y) {
  if (!IsShown() || m_pFill == NULL || !(m_dwState & JVQ_STATE_FILLED)) return FALSE;
  POINT p = {x, y};
  return m_FramePoints.PtInPolygon(&p);
}

BOOL jvqRectObject::HitTestOutline(int x, int y) {
  if (!IsShown() || m_pView == NULL || !m_pView->HasOwnerWindow()) return FALSE;
  int t = GetHitTolerance();
  if (m_LineStyle.DrawsNothing()) return FALSE;
  if (m_GeometryData.GetCount() < 4) return FALSE;
  POINT c;
  GetCenter(&c);
  int nEdges = (m_dwState & JVQ_STATE_OPEN) ? 3 : 4;
  for (int i = 0; i < nEdges; i++) {
    POINT a = *m_GeometryData.GetAt(i), b = *m_GeometryData.GetAt((i + 1) % 4);
    ::RotatePoint(&c, &a, (int)m_dRotation);
    ::RotatePoint(&c, &b, (int)m_dRotation);
    if (IsPointNearSegment(x, y, a.x, a.y, b.x, b.y, t)) return TRUE;
  }
  return FALSE;
}

void jvqRectObject::GetExtent(RECT* pRect) {
  jvqPointList hp;
  GetHandlePoints(hp);
  RECT r;
  hp.GetBoundRect(&r);
  auto cover = [&](jvqObject* p) {
    RECT m;
    p->GetExtent(&m);
    if (m.left < r.left) r.left = m.left;
    if (m.top < r.top) r.top = m.top;
    if (m.right > r.right) r.right = m.right;
    if (m.bottom > r.bottom) r.bottom = m.bottom;
  };
  for (jvqObject* p : m_VertexMarkers.m_items) cover(p);
  if (m_pLabelMarker) cover(m_pLabelMarker);
  r.left -= 1;
  r.top -= 1;
  r.right += 1;
  r.bottom += 1;
  *pRect = r;
}

jvqObject* jvqRectObject::Clone() { return new jvqRectObject(*this); }

int jvqRectObject::BeginTrack(int, jvqObject* pAnchor) {
  GetCenter(&m_ptTrackPivot);
  m_GeometryData.GetCentroid(&m_ptTrackCentroid);
  if (m_GeometryData.GetCount() >= 4) {
    const POINT* p0 = m_GeometryData.GetAt(0);
    const POINT* p1 = m_GeometryData.GetAt(1);
    const POINT* p3 = m_GeometryData.GetAt(3);
    int h = (int)std::hypot((double)(p1->x - p0->x), (double)(p1->y - p0->y));
    int w = (int)std::hypot((double)(p3->x - p0->x), (double)(p3->y - p0->y));
    // A flat rectangle has no proportions to keep; its corner drags are free.
    m_dTrackAspect = w != 0 ? (double)h / w : 0.0;
  }
  m_TrackGeometry = m_GeometryData;
  if (pAnchor) pAnchor->GetCenter(&m_ptAnchorCenter);
  m_bNoFeedback = TRUE;
  return 0;
}

void jvqRectObject::GetTrackOutline(jvqPointList& out) {
  out = m_GeometryData;
  out.Rotate(m_ptFramePivot.x, m_ptFramePivot.y, (int)m_dFrameAngle);
  out.Rotate(m_ptTrackPivot.x, m_ptTrackPivot.y, (int)m_dRotation);
}

void jvqRectObject::Track(POINT* pStart, POINT* pCurrent, UINT nFlags, jvqObject* pMarker, CDC* pDC) {
  int i = FindHandle(pMarker);
  if (i < 0 || m_GeometryData.GetCount() < 4 || m_TrackGeometry.GetCount() < 4) return;
  auto turnBack = [&](POINT& q) {
    ::RotatePoint(&m_ptTrackPivot, &q, (int)(360 - m_dRotation));
    ::RotatePoint(&m_ptFramePivot, &q, (int)(360 - m_dFrameAngle));
  };
  POINT p = *pStart, c = *pCurrent;
  turnBack(p);
  turnBack(c);
  int dx = c.x - p.x, dy = c.y - p.y;
  if (dx == 0 && dy == 0) return;

  jvqPointList outline;
  GetTrackOutline(outline);
  if (!m_bNoFeedback) theXorDotStyle.DrawPointList(pDC, outline, FALSE);

  POINT a = m_ptAnchorCenter;
  turnBack(a);
  int ex = c.x - a.x, ey = c.y - a.y;
  if (ex == 0 && ey == 0) {
    // Back where the drag began: show the unchanged outline again so that the next step
    // erases exactly what is on the screen.
    theXorDotStyle.DrawPointList(pDC, outline, FALSE);
    m_bNoFeedback = FALSE;
    return;
  }

  const double k = m_dTrackAspect;
  BOOL bCorner = (i % 2) == 0;
  BOOL bShift = (nFlags & MK_SHIFT) != 0;
  BOOL bFree = !bCorner || (m_bFreeResize ? !bShift : bShift) || !(k > 0.0) || !std::isfinite(k);
  if (bFree) {
    switch (i) {
      case 0: OffsetLeft(dx); OffsetTop(dy); break;
      case 1: OffsetLeft(dx); break;
      case 2: OffsetLeft(dx); OffsetBottom(dy); break;
      case 3: OffsetBottom(dy); break;
      case 4: OffsetRight(dx); OffsetBottom(dy); break;
      case 5: OffsetRight(dx); break;
      case 6: OffsetRight(dx); OffsetTop(dy); break;
      case 7: OffsetTop(dy); break;
    }
  } else {
    switch (i) {
      case 0: {
        int X = (int)(ey / k);
        if (X <= ex) { TrackLeft(X); TrackTop(ey); }
        else { TrackLeft(ex); TrackTop((int)(ex * k)); }
        break;
      }
      case 2: {
        int Y = (int)(-ex * k);
        if (Y >= ey) { TrackLeft(ex); TrackBottom(Y); }
        else { TrackLeft((int)(-ey / k)); TrackBottom(ey); }
        break;
      }
      case 4: {
        int X = (int)(ey / k);
        if (X >= ex) { TrackRight(X); TrackBottom(ey); }
        else { TrackRight(ex); TrackBottom((int)(ex * k)); }
        break;
      }
      case 6: {
        int Y = (int)(-ex * k);
        if (Y <= ey) { TrackRight(ex); TrackTop(Y); }
        else { TrackRight((int)(-ey / k)); TrackTop(ey); }
        break;
      }
    }
  }
  GetTrackOutline(outline);
  theXorDotStyle.DrawPointList(pDC, outline, FALSE);
  m_bNoFeedback = FALSE;
}

void jvqRectObject::EndTrack(int nState, jvqObject*) {
  if (nState >= 3 && nState <= 7 && (int)m_dRotation != 0 && m_GeometryData.GetCount() > 0) {
    jvqPointList L;
    m_GeometryData.RotateInto(m_ptTrackPivot.x, m_ptTrackPivot.y, (int)m_dRotation, L);
    POINT g, l;
    m_GeometryData.GetCentroid(&g);
    L.GetCentroid(&l);
    ::RotatePoint(&m_ptFramePivot, &l, (int)(360 - m_dFrameAngle));
    SIZE d = {l.x - g.x, l.y - g.y};
    m_GeometryData.Offset(&d);
  }
  Recalc();
}

void jvqRectObject::MoveTo(POINT* pPoint, int nAnchor) { jvqObject::MoveTo(pPoint, nAnchor); }
POINT* jvqRectObject::GetCenter(POINT* pOut) { return m_GeometryData.GetCentroid(pOut); }

void jvqRectObject::Offset(const SIZE* pSize) {
  jvqObject::Offset(pSize);
  Recalc();
}

void jvqRectObject::SetRotation(int nAngle) {
  m_dRotation = nAngle;
  GetHandlePoints(m_FramePoints);
  Recalc();
}

void jvqRectObject::RotateAbout(int nAngle, POINT* pPivot) {
  m_dFrameAngle = nAngle;
  m_ptFramePivot = *pPivot;
  Recalc();
}

void jvqRectObject::SetScale(double sx, double sy) {
  m_dScaleX = sx;
  m_dScaleY = sy;
  m_GeometryData.Scale(sx, sy);
  m_FramePoints.Scale(sx, sy);
  Recalc();
}

BOOL jvqRectObject::Flip(int nAxis) {
  if (nAxis == 1)
    SetRotation((int)(180 - m_dRotation));
  else if (nAxis == 2)
    SetRotation((int)(360 - m_dRotation));
  else
    return FALSE;
  return TRUE;
}

void jvqRectObject::OnToolChanged(int nToolId) {
  jvqObject::OnToolChanged(nToolId);
  BOOL bVertexTool = nToolId == TOOLID_VERTEX_EDIT || nToolId == TOOLID_VERTEX_INSERT;
  for (int i = m_ResizeHandles.GetCount() - 1; i >= 0; i--) {
    jvqObject* h = m_ResizeHandles.GetAt(i);
    if (bVertexTool)
      h->m_dwState |= JVQ_STATE_TOOLMODE;
    else
      h->m_dwState &= ~JVQ_STATE_TOOLMODE;
  }
}

BOOL jvqRectObject::CanEdit(int nMode) { return nMode != 9 && nMode != 10; }

BOOL jvqRectObject::Load(CFile* pFile, jvqFileHeader* pHeader) {
  if (!jvqObject::Load(pFile, pHeader)) return FALSE;
  // Everything of the rectangle family works on exactly four points.
  if (m_GeometryData.GetCount() != 4) return FALSE;
  m_VertexMarkers.RemoveAll();
  RECT rc;
  m_GeometryData.GetBoundRect(&rc);
  GetHandlePoints(m_FramePoints);
  MakeResizeHandles(rc);
  if (m_pLabelMarker) {
    POINT c = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    m_pLabelMarker->MoveTo(&c, 1);
  }
  SetRectTypes();
  return TRUE;
}

#ifdef JVQ_HAVE_GDI

void jvqRectObject::DrawRectFamily(CDC* pDC, BOOL bTrackers) {
  if (!IsShown()) return;
  RECT rc;
  m_FramePoints.GetBoundRect(&rc);
  int w = m_LineStyle.m_nWidth;
  ::InflateRect(&rc, w, w);
  if (!pDC->RectVisible(&rc)) return;
  if (m_pFill && (m_dwState & JVQ_STATE_FILLED)) DrawFill(pDC, m_pFill);
  DrawOutline(pDC, &m_LineStyle);
  if (bTrackers && (m_dwState & JVQ_STATE_SELECTED) && !pDC->IsPrinting()) DrawTracker(pDC);
}

BOOL jvqRectObject::GetRegion(CDC* pDC, CRgn* pRgn) {
  if (m_dRotation != 0 || (pDC && pDC->IsPrinting())) return m_FramePoints.CreatePolygonRgn(pRgn);
  if (m_GeometryData.GetCount() < 4) return FALSE;
  pRgn->DeleteObject();
  const POINT* p0 = m_GeometryData.GetAt(0);
  const POINT* p2 = m_GeometryData.GetAt(2);
  return pRgn->CreateRectRgn(p0->x, p0->y, p2->x, p2->y);
}

BOOL jvqRectObject::GetRegionRect(CDC* pDC, RECT* pRect) {
  if (m_dRotation != 0 || (pDC && pDC->IsPrinting())) return m_FramePoints.IsUprightRect(pRect);
  if (m_GeometryData.GetCount() < 4) return FALSE;
  const POINT* p0 = m_GeometryData.GetAt(0);
  const POINT* p2 = m_GeometryData.GetAt(2);
  ::SetRect(pRect, std::min(p0->x, p2->x), std::min(p0->y, p2->y), std::max(p0->x, p2->x), std::max(p0->y, p2->y));
  return TRUE;
}

#else

void jvqRectObject::DrawRectFamily(CDC*, BOOL) {}
BOOL jvqRectObject::GetRegion(CDC*, CRgn*) { return FALSE; }
BOOL jvqRectObject::GetRegionRect(CDC*, RECT*) { return FALSE; }

#endif

void jvqRectObject::Draw(CDC* pDC) { DrawRectFamily(pDC, TRUE); }
void jvqRectObject::Render(CDC* pDC) { DrawRectFamily(pDC, FALSE); }

void jvqRectObject::OffsetTop(int dy) {
  m_GeometryData.GetAt(0)->y += dy;
  m_GeometryData.GetAt(3)->y += dy;
}
void jvqRectObject::OffsetBottom(int dy) {
  m_GeometryData.GetAt(1)->y += dy;
  m_GeometryData.GetAt(2)->y += dy;
}
void jvqRectObject::OffsetLeft(int dx) {
  m_GeometryData.GetAt(0)->x += dx;
  m_GeometryData.GetAt(1)->x += dx;
}
void jvqRectObject::OffsetRight(int dx) {
  m_GeometryData.GetAt(2)->x += dx;
  m_GeometryData.GetAt(3)->x += dx;
}
void jvqRectObject::TrackTop(int dy) {
  m_GeometryData.GetAt(0)->y = m_TrackGeometry.GetAt(0)->y + dy;
  m_GeometryData.GetAt(3)->y = m_TrackGeometry.GetAt(3)->y + dy;
}
void jvqRectObject::TrackBottom(int dy) {
  m_GeometryData.GetAt(1)->y = m_TrackGeometry.GetAt(1)->y + dy;
  m_GeometryData.GetAt(2)->y = m_TrackGeometry.GetAt(2)->y + dy;
}
void jvqRectObject::TrackLeft(int dx) {
  m_GeometryData.GetAt(0)->x = m_TrackGeometry.GetAt(0)->x + dx;
  m_GeometryData.GetAt(1)->x = m_TrackGeometry.GetAt(1)->x + dx;
}
void jvqRectObject::TrackRight(int dx) {
  m_GeometryData.GetAt(2)->x = m_TrackGeometry.GetAt(2)->x + dx;
  m_GeometryData.GetAt(3)->x = m_TrackGeometry.GetAt(3)->x + dx;
}
