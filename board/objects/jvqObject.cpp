#include "jvqObject.h"

#include <climits>
#include <cstdint>

#include "jvqFill.h"
#include "jvqGeometry.h"
#include "jvqHandleObject.h"
#include "jvqRecordIO.h"
#include "jvqViewMapping.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#include "jvqDeviceUnits.h"
#endif

void jvqObjectArray::InsertAt(int i, jvqObject* p) {
  if (i < 0 || i >= GetCount())
    m_items.push_back(p);
  else
    m_items.insert(m_items.begin() + i, p);
}

void jvqObjectArray::RemoveAt(int i) {
  if (i < 0 || i >= GetCount()) return;
  jvqObject* p = m_items[i];
  m_items.erase(m_items.begin() + i);
  if (m_bOwns) delete p;
}

void jvqObjectArray::RemoveAll() {
  std::vector<jvqObject*> items;
  items.swap(m_items);
  if (m_bOwns)
    for (jvqObject* p : items) delete p;
}

jvqObject::jvqObject(const POINT* pPoints, int nCount, jvqViewMapping* pView, DWORD dwState)
    : m_pView(NULL),
      m_pParent(NULL),
      m_dwState(0),
      m_pFill(NULL),
      m_nClassCode(JVQ_OBJ_BASE),
      m_pLabelMarker(NULL),
      m_dFrameAngle(0),
      m_dRotation(0),
      m_dScaleX(1.0),
      m_dScaleY(1.0),
      m_ptFramePivot{0, 0},
      m_ptTrackPivot{0, 0},
      m_ptTrackCentroid{0, 0},
      m_ptAnchorCenter{0, 0},
      m_dTrackAspect(1.0),
      m_nEditFlags(0),
      m_nTrackFlag(0),
      m_rcTrackBounds{0, 0, 0, 0},
      m_bNoFeedback(TRUE) {
  SetPoints(pPoints, nCount, pView, dwState);
  m_bNoFeedback = TRUE;
}

jvqObject::jvqObject(const jvqObject& src)
    : m_pView(src.m_pView),
      m_pParent(src.m_pParent),
      m_dwState(src.m_dwState),
      m_LineStyle(src.m_LineStyle),
      m_pFill(src.m_pFill ? src.m_pFill->Clone() : NULL),
      m_nClassCode(src.m_nClassCode),
      m_pLabelMarker(NULL),
      m_TrackGeometry(src.m_TrackGeometry),
      m_dFrameAngle(src.m_dFrameAngle),
      m_dRotation(src.m_dRotation),
      m_dScaleX(src.m_dScaleX),
      m_dScaleY(src.m_dScaleY),
      m_ptFramePivot(src.m_ptFramePivot),
      m_ptTrackPivot(src.m_ptTrackPivot),
      m_ptTrackCentroid(src.m_ptTrackCentroid),
      m_GeometryData(src.m_GeometryData),
      m_PointTypes(src.m_PointTypes),
      m_ptAnchorCenter(src.m_ptAnchorCenter),
      m_dTrackAspect(src.m_dTrackAspect),
      m_nEditFlags(src.m_nEditFlags),
      m_nTrackFlag(src.m_nTrackFlag),
      m_rcTrackBounds(src.m_rcTrackBounds),
      m_bNoFeedback(TRUE) {
  if (src.m_pLabelMarker) {
    m_pLabelMarker = (jvqHandleObject*)src.m_pLabelMarker->Clone();
    m_pLabelMarker->m_pParent = this;
  }
  for (jvqObject* p : src.m_VertexMarkers.m_items) {
    jvqObject* c = p->Clone();
    c->m_pParent = this;
    m_VertexMarkers.Add(c);
  }
  for (jvqObject* p : src.m_ResizeHandles.m_items) {
    jvqObject* c = p->Clone();
    c->m_pParent = this;
    m_ResizeHandles.Add(c);
  }
}

jvqObject::~jvqObject() {
  m_pParent = NULL;
  delete m_pFill;
  m_pFill = NULL;
  delete m_pLabelMarker;
  m_pLabelMarker = NULL;
  m_VertexMarkers.RemoveAll();
  m_ResizeHandles.RemoveAll();
}

void jvqObject::SetFill(jvqFill* pFill) {
  if (pFill == m_pFill) return;
  delete m_pFill;
  m_pFill = pFill;
}

void jvqObject::RotatePoint(POINT* pCenter, POINT* pPoint, int nAngle) {
  ::RotatePoint(pCenter, pPoint, nAngle);
}

jvqHandleObject* jvqObject::MakeMarker(const POINT* pCenter, DWORD dwKind) {
  jvqHandleObject* pMarker = new jvqHandleObject;
  POINT c = *pCenter;
  pMarker->Attach(&c, m_pView, this, dwKind);
  return pMarker;
}

void jvqObject::MakeResizeHandles(const RECT& rc) {
  m_ResizeHandles.RemoveAll();
  jvqPointList frame(rc);
  for (int i = 0; i < 8; i++) m_ResizeHandles.Add(MakeMarker(frame.GetAt(i), JVQ_HANDLE_RESIZE));
}

BOOL jvqObject::Flip(int nAxis) {
  if (nAxis != 1 && nAxis != 2) return FALSE;
  jvqPointList* pOutline = GetOutline();
  POINT left, top;
  pOutline->GetLeftPoint(&left);
  pOutline->GetTopPoint(&top);
  for (int i = 0; i < pOutline->GetCount(); i++) {
    POINT* p = pOutline->GetAt(i);
    if (nAxis == 1)
      p->x = -p->x;
    else
      p->y = -p->y;
  }
  Recalc();
  POINT target = {left.x, top.y};
  MoveTo(&target, 3);
  MoveTo(&target, 2);
  return TRUE;
}

BOOL jvqObject::SetPoints(const POINT* pPoints, int nCount, jvqViewMapping* pView, DWORD dwState) {
  if (pPoints == NULL || nCount < 1) return FALSE;
  std::vector<int> types((size_t)nCount, 2);
  types[0] = 1;
  return SetPath(pPoints, types.data(), nCount, pView, dwState);
}

BOOL jvqObject::SetPointList(const jvqPointList& list, jvqViewMapping* pView, DWORD dwState) {
  if (list.GetCount() < 1) return FALSE;
  std::vector<POINT> pts(list.GetData(), list.GetData() + list.GetCount());
  return SetPoints(pts.data(), (int)pts.size(), pView, dwState);
}

BOOL jvqObject::SetPath(const POINT* pPoints, const int* pTypes, int nCount, jvqViewMapping* pView,
                        DWORD dwState) {
  if (pPoints == NULL || nCount <= 0) return FALSE;
  m_PointTypes.clear();
  if (pTypes) m_PointTypes.assign(pTypes, pTypes + nCount);
  m_GeometryData.SetPoints(pPoints, nCount);
  m_pView = pView;
  m_dwState = dwState;
  if (!(dwState & JVQ_STATE_HANDLES)) return TRUE;

  m_VertexMarkers.RemoveAll();
  for (int i = 0; i < nCount; i++) m_VertexMarkers.Add(MakeMarker(&pPoints[i], JVQ_HANDLE_VERTEX));

  RECT rc;
  m_GeometryData.GetBoundRect(&rc);
  // Middles truncate toward zero: (0, 0) and (5, -5) give (2, -2).
  int mx = (int)(((int64_t)rc.left + rc.right) / 2);
  int my = (int)(((int64_t)rc.top + rc.bottom) / 2);
  const POINT h[8] = {{rc.left, rc.top},  {rc.left, my},       {rc.left, rc.bottom},
                      {mx, rc.bottom},    {rc.right, rc.bottom}, {rc.right, my},
                      {rc.right, rc.top}, {mx, rc.top}};
  m_ResizeHandles.RemoveAll();
  for (int i = 0; i < 8; i++) m_ResizeHandles.Add(MakeMarker(&h[i], JVQ_HANDLE_RESIZE));
  OnGeometrySet();
  Recalc();
  return TRUE;
}

void jvqObject::AddPointType(int nType) { m_PointTypes.push_back(nType); }
jvqPointList* jvqObject::GetFillOutline() { return GetOutline(); }
int jvqObject::GetEditFlags() { return m_nEditFlags; }
jvqPointList* jvqObject::GetOutline() { return &m_GeometryData; }
jvqPointList* jvqObject::GetGeometry() { return &m_GeometryData; }

void jvqObject::GetBoundRect(RECT* pRect) { m_GeometryData.GetBoundRect(pRect); }

jvqObject* jvqObject::GetRootParent() {
  jvqObject* p = m_pParent;
  while (p && p->m_pParent) p = p->m_pParent;
  return p;
}

jvqViewMapping* jvqObject::GetView() { return m_pView; }

jvqObject* jvqObject::HitTest(POINT* pPoint) {
  if (!IsShown()) return NULL;
  if (jvqObject* pMarker = HitTestMarkers(pPoint->x, pPoint->y)) return pMarker;
  if (HitTestInside(pPoint->x, pPoint->y) || HitTestOutline(pPoint->x, pPoint->y)) return this;
  return NULL;
}

void jvqObject::DrawTracker(CDC* pDC) {
  for (jvqObject* p : m_VertexMarkers.m_items) p->Draw(pDC);
  for (jvqObject* p : m_ResizeHandles.m_items) p->Draw(pDC);
  if (m_pLabelMarker && !(m_dwState & JVQ_STATE_LOCKED)) m_pLabelMarker->Draw(pDC);
}

void jvqObject::DrawOutline(CDC* pDC, jvqLineStyle* pStyle) {
  if (pStyle) pStyle->DrawObjectOutline(pDC, this);
}

void jvqObject::DrawFill(CDC* pDC, jvqFill* pFill) {
  if (pFill) pFill->Paint(pDC, this);
}

BOOL jvqObject::HitTestInside(int x, int y) {
  if (!IsShown() || m_GeometryData.GetCount() <= 2) return FALSE;
  if ((m_dwState & JVQ_STATE_OPEN) || m_pFill == NULL || !(m_dwState & JVQ_STATE_FILLED)) return FALSE;
  POINT p = {x, y};
  return GetFillOutline()->PtInPolygon(&p);
}

int jvqObject::GetHitTolerance() {
  int w = m_LineStyle.m_nWidth;
  SIZE sz = {0, w};
  m_pView->SizeToDevice(&sz);
  if (sz.cy > 16) return w;
  SIZE px = {0, 16};
  m_pView->SizeToLogical(&px);
  return px.cy;
}

BOOL jvqObject::HitTestOutline(int x, int y) {
  if (!IsShown() || m_pView == NULL || !m_pView->HasOwnerWindow()) return FALSE;
  int t = GetHitTolerance();
  const int n = m_GeometryData.GetCount();
  for (int i = 0; i + 1 < n; i++) {
    const POINT* a = m_GeometryData.GetAt(i);
    const POINT* b = m_GeometryData.GetAt(i + 1);
    if (IsPointNearSegment(x, y, a->x, a->y, b->x, b->y, t)) return TRUE;
  }
  if (n > 0 && !(m_dwState & JVQ_STATE_OPEN)) {
    const POINT* a = m_GeometryData.GetAt(0);
    const POINT* b = m_GeometryData.GetAt(n - 1);
    if (IsPointNearSegment(x, y, a->x, a->y, b->x, b->y, t)) return TRUE;
  }
  return FALSE;
}

jvqObject* jvqObject::HitTestMarkers(int x, int y) {
  if (!IsShown()) return NULL;
  if (m_pLabelMarker)
    if (jvqObject* p = m_pLabelMarker->HitTestMarker(x, y)) return p;
  for (int i = m_VertexMarkers.GetCount() - 1; i >= 0; i--)
    if (jvqObject* p = ((jvqHandleObject*)m_VertexMarkers.GetAt(i))->HitTestMarker(x, y)) return p;
  for (int i = m_ResizeHandles.GetCount() - 1; i >= 0; i--)
    if (jvqObject* p = ((jvqHandleObject*)m_ResizeHandles.GetAt(i))->HitTestMarker(x, y)) return p;
  return NULL;
}

static void Cover(RECT& r, const RECT& add) {
  if (add.left < r.left) r.left = add.left;
  if (add.top < r.top) r.top = add.top;
  if (add.right > r.right) r.right = add.right;
  if (add.bottom > r.bottom) r.bottom = add.bottom;
}

void jvqObject::GetExtent(RECT* pRect) {
  RECT r;
  m_GeometryData.GetBoundRect(&r);
  for (jvqObject* p : m_VertexMarkers.m_items) {
    RECT m;
    p->GetExtent(&m);
    Cover(r, m);
  }
  r.left -= 1;
  r.top -= 1;
  r.right += 1;
  r.bottom += 1;
  *pRect = r;
}

jvqObject* jvqObject::Clone() { return new jvqObject(*this); }

int jvqObject::BeginTrack(int, jvqObject*) {
  m_bNoFeedback = TRUE;
  return 0;
}

void jvqObject::EndTrack(int, jvqObject*) { m_bNoFeedback = FALSE; }

BOOL jvqObject::IntersectsRect(const RECT* pRect, int) {
  jvqPointList* pList = GetOutline();
  const int n = pList->GetCount();
  for (int i = 0; i < n; i++) {
    const POINT* p = pList->GetAt(i);
    if (p->x >= pRect->left && p->x < pRect->right && p->y >= pRect->top && p->y < pRect->bottom)
      return TRUE;
  }
  const RECT& r = *pRect;
  auto crosses = [&](const POINT* a, const POINT* b) {
    return SegmentsIntersect(a->x, a->y, b->x, b->y, r.left, r.top, r.left, r.bottom) ||
           SegmentsIntersect(a->x, a->y, b->x, b->y, r.left, r.bottom, r.right, r.bottom) ||
           SegmentsIntersect(a->x, a->y, b->x, b->y, r.right, r.bottom, r.right, r.top) ||
           SegmentsIntersect(a->x, a->y, b->x, b->y, r.right, r.top, r.left, r.top);
  };
  for (int i = 0; i + 1 < n; i++)
    if (crosses(pList->GetAt(i), pList->GetAt(i + 1))) return TRUE;
  if (n > 1 && !(m_dwState & JVQ_STATE_OPEN) && crosses(pList->GetAt(n - 1), pList->GetAt(0))) return TRUE;
  return FALSE;
}

void jvqObject::MoveLabelTo(POINT* pPoint) {
  if (m_pLabelMarker) m_pLabelMarker->MoveTo(pPoint, 1);
}

void jvqObject::MoveTo(POINT* pPoint, int nAnchor) {
  POINT ref = *pPoint;
  POINT p;
  jvqPointList* pOutline = GetOutline();
  switch (nAnchor) {
    case 1: GetCenter(&ref); break;
    case 2: ref.y = pOutline->GetTopPoint(&p)->y; break;
    case 3: ref.x = pOutline->GetLeftPoint(&p)->x; break;
    case 4: ref.x = pOutline->GetRightPoint(&p)->x; break;
    case 5: ref.y = pOutline->GetBottomPoint(&p)->y; break;
    default: break;
  }
  SIZE d = {pPoint->x - ref.x, pPoint->y - ref.y};
  Offset(&d);
}

POINT* jvqObject::GetCenter(POINT* pOut) { return m_GeometryData.GetCentroid(pOut); }

int jvqObject::FindHandle(jvqObject* pObject) {
  for (int i = 0; i < m_ResizeHandles.GetCount(); i++)
    if (m_ResizeHandles.GetAt(i) == pObject) return i;
  return -1;
}

int jvqObject::FindVertexMarker(jvqObject* pObject) {
  for (int i = 0; i < m_VertexMarkers.GetCount(); i++)
    if (m_VertexMarkers.GetAt(i) == pObject) return i;
  return -1;
}

jvqObject* jvqObject::GetVertexMarker(int i) { return m_VertexMarkers.GetAt(i); }
jvqObject* jvqObject::GetHandle(int i) { return m_ResizeHandles.GetAt(i); }
BOOL jvqObject::GetHitRegion(CDC* pDC, CRgn* pRgn) { return GetRegion(pDC, pRgn); }

void jvqObject::Offset(const SIZE* pSize) {
  if (pSize->cx == 0 && pSize->cy == 0) return;
  m_GeometryData.Offset(pSize);
  for (jvqObject* p : m_VertexMarkers.m_items) p->Offset(pSize);
  for (jvqObject* p : m_ResizeHandles.m_items) p->Offset(pSize);
  if (m_pLabelMarker) m_pLabelMarker->Offset(pSize);
}

int jvqObject::GetPointCount() { return m_GeometryData.GetCount(); }

POINT* jvqObject::GetPoint(POINT* pOut, int i) {
  *pOut = *m_GeometryData.GetAt(i);
  return pOut;
}

void jvqObject::SetPoint(int i, POINT* pPoint) { m_GeometryData.SetAt(i, pPoint); }

void jvqObject::SetPointType(int i, int nType) { m_PointTypes[i] = nType; }

void jvqObject::SetRotation(int nAngle) {
  POINT c;
  m_GeometryData.GetCentroid(&c);
  jvqPointList copy(m_GeometryData);
  copy.Rotate(c.x, c.y, (int)(360 - m_dRotation));
  m_dRotation = nAngle;
  copy.Rotate(c.x, c.y, nAngle);
  POINT c2;
  copy.GetCentroid(&c2);
  m_GeometryData = copy;
  if (c2.x != c.x || c2.y != c.y) {
    SIZE d = {c.x - c2.x, c.y - c2.y};
    m_GeometryData.Offset(&d);
  }
  Recalc();
}

void jvqObject::RotateAbout(int nAngle, POINT* pPivot) {
  m_GeometryData.Rotate(pPivot->x, pPivot->y, (int)(360 - m_dFrameAngle));
  m_dFrameAngle = nAngle;
  m_ptFramePivot = *pPivot;
  if (m_pLabelMarker) m_pLabelMarker->MoveTo(pPivot, 1);
  m_GeometryData.Rotate(pPivot->x, pPivot->y, nAngle);
  Recalc();
}

void jvqObject::SetScale(double sx, double sy) {
  m_dScaleX = sx;
  m_dScaleY = sy;
  m_GeometryData.Scale(sx, sy);
  Recalc();
}

void jvqObject::OnToolChanged(int nToolId) {
  for (int i = m_VertexMarkers.GetCount() - 1; i >= 0; i--) m_VertexMarkers.GetAt(i)->OnToolChanged(nToolId);
}

POINT* jvqObject::GetRotationCenter(POINT* pOut) { return GetCenter(pOut); }

BOOL jvqObject::LoadBase(CFile* pFile, jvqFileHeader* pHeader) {
  if (pFile == NULL) return FALSE;
  jvqFill* pFill = NULL;
  try {
    uint32_t dwState = 0;
    if (!jvqReadExact(pFile, &dwState, 4)) return FALSE;
    jvqPointList points;
    if (!points.Load(pFile, pHeader)) return FALSE;
    jvqLineStyle style(m_LineStyle);
    if (!style.Load(pFile, pHeader)) return FALSE;
    uint32_t dwFlags = 0;
    if (!jvqReadExact(pFile, &dwFlags, 4)) return FALSE;
    pFill = CreateFill(dwFlags);
    // A fill of a kind without a painter here has a body nobody can measure: reading on
    // would take its bytes for the rotation, so the record fails as an unknown class does.
    // So does a bit of no kind known here: only a word without any kind bit has no body.
    if (pFill == NULL && (dwFlags & ~(DWORD)(FILL_BASE | 0xFFFF)) != 0) return FALSE;
    if (pFill && !pFill->Load(pFile, pHeader)) {
      delete pFill;
      return FALSE;
    }
    double dRotation = 0;
    if (!jvqReadExact(pFile, &dRotation, 8)) {
      delete pFill;
      return FALSE;
    }
    // Whole: only now does the object take what was read.
    m_dwState = dwState;
    m_GeometryData = points;
    m_PointTypes.assign((size_t)points.GetCount(), 2);
    if (!m_PointTypes.empty()) m_PointTypes[0] = 1;
    m_LineStyle = style;
    SetFill(pFill);
    m_dRotation = dRotation;
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    delete pFill;
    return FALSE;
  }
}

BOOL jvqObject::Load(CFile* pFile, jvqFileHeader* pHeader) { return LoadBase(pFile, pHeader); }

BOOL jvqObject::StoreBase(CFile* pFile, jvqFileHeader* pHeader) {
  if (pFile == NULL) return FALSE;
  try {
    int32_t nCode = m_nClassCode;
    uint32_t dwState = m_dwState;
    pFile->Write(&nCode, 4);
    pFile->Write(&dwState, 4);
    if (!m_GeometryData.Store(pFile, pHeader)) return FALSE;
    if (!m_LineStyle.Store(pFile, pHeader)) return FALSE;
    pFile->Flush();
    if (m_pFill) {
      if (!m_pFill->Store(pFile, pHeader)) return FALSE;
    } else {
      int32_t nNone = 0;
      pFile->Write(&nNone, 4);
    }
    pFile->Flush();
    pFile->Write(&m_dRotation, 8);
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

BOOL jvqObject::Store(CFile* pFile, jvqFileHeader* pHeader) { return StoreBase(pFile, pHeader); }

void jvqObject::Serialize(CArchive& ar, jvqDocument*) {
  // Leaf records carry no version-dependent fields at this level; containers replace this
  // with their own, which hand the document's header to their children.
  if (ar.IsLoading()) {
    ar.Flush();
    Load(ar.GetFile(), NULL);
    ar.Flush();
  } else {
    Store(ar.GetFile(), NULL);
  }
}

POINT* jvqObject::GetBottomPoint(POINT* pOut) { return GetOutline()->GetBottomPoint(pOut); }
POINT* jvqObject::GetTopPoint(POINT* pOut) { return GetOutline()->GetTopPoint(pOut); }
POINT* jvqObject::GetRightPoint(POINT* pOut) { return GetOutline()->GetRightPoint(pOut); }
POINT* jvqObject::GetLeftPoint(POINT* pOut) { return GetOutline()->GetLeftPoint(pOut); }

BOOL jvqObject::GetHandleBounds(RECT* pRect) {
  if (m_ResizeHandles.GetCount() == 0) return FALSE;
  jvqPointList centres;
  for (jvqObject* p : m_ResizeHandles.m_items) {
    POINT c;
    p->GetCenter(&c);
    centres.Add(&c);
  }
  centres.GetBoundRect(pRect);
  return TRUE;
}

#ifdef JVQ_HAVE_GDI

BOOL jvqObject::GetRegion(CDC*, CRgn* pRgn) { return GetOutline()->CreatePolygonRgn(pRgn); }
BOOL jvqObject::GetRegionRect(CDC*, RECT* pRect) { return GetOutline()->IsUprightRect(pRect); }

BOOL jvqObject::GetDeviceRegion(CDC* pDC, CRgn* pRgn) {
  jvqPointList device;
  GetOutline()->ToDevice(pDC, device);
  return device.CreatePolygonRgn(pRgn);
}

void jvqObject::Invalidate() {
  if (m_pView == NULL || !m_pView->HasOwnerWindow()) return;
  RECT rc;
  GetExtent(&rc);
  m_pView->RectToDevice(&rc);
  ::InflateRect(&rc, 5, 5);
  m_pView->InvalidateOwner(&rc);
}

#else

BOOL jvqObject::GetRegion(CDC*, CRgn*) { return FALSE; }
BOOL jvqObject::GetRegionRect(CDC*, RECT*) { return FALSE; }
BOOL jvqObject::GetDeviceRegion(CDC*, CRgn*) { return FALSE; }
void jvqObject::Invalidate() {}

#endif
