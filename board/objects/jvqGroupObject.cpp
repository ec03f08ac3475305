#include "jvqGroupObject.h"

#include <algorithm>
#include <cstdint>

#include "afxarch.h"
#include "jvqGeometry.h"
#include "jvqHandleObject.h"
#include "jvqMadorizuObject.h"
#include "jvqObjectDefaults.h"
#include "jvqRecordIO.h"
#include "jvqViewMapping.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#endif

jvqReadProgressProc theReadProgressProc = NULL;
jvqGroupObject::HeaderQuery jvqGroupObject::s_pfnHeaderOf = NULL;

namespace {

// Every child needs at least its class code; a count is believed only that far.
const DWORD kMinChildBytes = 4;

void UnionRect(RECT& r, const RECT& m, bool& bFirst) {
  if (bFirst) {
    r = m;
    bFirst = false;
    return;
  }
  r.left = std::min(r.left, m.left);
  r.top = std::min(r.top, m.top);
  r.right = std::max(r.right, m.right);
  r.bottom = std::max(r.bottom, m.bottom);
}

void ChildExtent(jvqObject* p, RECT* pOut) {
  if (p->GetClassCode() & 2) {
    jvqPointList* o = p->GetOutline();
    if (o->GetCount() > 0) {
      POINT q;
      pOut->left = o->GetLeftPoint(&q)->x;
      pOut->right = o->GetRightPoint(&q)->x;
      pOut->top = o->GetTopPoint(&q)->y;
      pOut->bottom = o->GetBottomPoint(&q)->y;
      return;
    }
  }
  p->GetBoundRect(pOut);
}

void ThrowBadRecord() { AfxThrowArchiveException(CArchiveException::badIndex); }

int32_t ReadInt(CFile* pFile) {
  int32_t v = 0;
  if (!jvqReadExact(pFile, &v, 4)) AfxThrowArchiveException(CArchiveException::endOfFile);
  return v;
}

}  // namespace

void jvqGroupObject::InitGroup() {
  m_nClassCode |= 0x40;
  m_nEditFlags |= 3;
  m_nTrackWidth = m_nTrackHeight = 0;
  m_Children.m_bOwns = TRUE;
}

jvqGroupObject::jvqGroupObject() : jvqRectObject() {
  InitGroup();
  m_PointTypes.assign(8, 2);
  m_PointTypes[0] = 1;
  m_LineStyle = theNoLineStyle;
}

jvqGroupObject::jvqGroupObject(const RECT* pRect, jvqViewMapping* pView, DWORD dwState)
    : jvqRectObject(pRect, pView, dwState) {
  InitGroup();
  OnGeometrySet();
  m_LineStyle = theNoLineStyle;
}

void jvqGroupObject::CloneChildrenFrom(const jvqGroupObject& src) {
  for (jvqObject* c : src.m_Children.m_items) {
    jvqObject* p = c->Clone();
    if (p == NULL) continue;
    p->m_pParent = this;
    m_Children.Add(p);
  }
  m_RelX = src.m_RelX;
  m_RelY = src.m_RelY;
  m_nTrackWidth = src.m_nTrackWidth;
  m_nTrackHeight = src.m_nTrackHeight;
}

jvqGroupObject::jvqGroupObject(const jvqGroupObject& src) : jvqRectObject(src) {
  InitGroup();
  m_nClassCode = JVQ_OBJ_GROUP;
  m_nEditFlags = src.m_nEditFlags;
  CloneChildrenFrom(src);
  m_LineStyle = src.m_LineStyle;
  Recalc();
  OnGeometrySet();
}

jvqGroupObject::~jvqGroupObject() {}

jvqObject* jvqGroupObject::Clone() { return new jvqGroupObject(*this); }

int jvqGroupObject::FindChild(jvqObject* pObject) {
  for (int i = 0; i < m_Children.GetCount(); i++)
    if (m_Children.GetAt(i) == pObject) return i;
  return -1;
}

void jvqGroupObject::AddChild(jvqObject* pObject) {
  if (pObject == NULL || FindChild(pObject) >= 0) return;
  m_Children.Add(pObject);
  pObject->m_pParent = this;
  Recalc();
}

void jvqGroupObject::InsertChild(int nIndex, jvqObject* pObject) {
  if (pObject == NULL) return;
  int at = nIndex + 1;
  if (at < 0) at = 0;
  if (at >= m_Children.GetCount())
    m_Children.Add(pObject);
  else
    m_Children.InsertAt(at, pObject);
  pObject->m_pParent = this;
  Recalc();
}

void jvqGroupObject::RemoveChild(jvqObject* pObject, int bDelete) {
  int i = FindChild(pObject);
  if (i < 0) return;
  m_Children.m_items.erase(m_Children.m_items.begin() + i);
  if (bDelete == 1) delete pObject;
}

void jvqGroupObject::DeleteChildren() {
  for (jvqObject* p : m_Children.m_items) delete p;
  m_Children.m_items.clear();
}

void jvqGroupObject::SetChildAt(int nIndex, jvqObject* pObject) {
  if (nIndex >= 0 && nIndex < m_Children.GetCount()) m_Children.m_items[nIndex] = pObject;
}

void jvqGroupObject::ModifyChildState(int nClear, int nSet) {
  for (jvqObject* p : m_Children.m_items) {
    if (p->IsShown()) {
      p->m_dwState |= nSet;
      p->m_dwState &= ~(DWORD)nClear;
    }
    if (p->GetClassCode() & 0x40) ((jvqGroupObject*)p)->ModifyChildState(nClear, nSet);
  }
}

void SetOwnerRecursive(jvqGroupObject* pGroup, jvqViewMapping* pView) {
  if (pGroup == NULL) return;
  pGroup->m_pView = pView;
  for (jvqObject* p : pGroup->m_Children.m_items) {
    if (p->GetClassCode() & 0x40)
      SetOwnerRecursive((jvqGroupObject*)p, pView);
    else
      p->m_pView = pView;
  }
}

void jvqGroupObject::Recalc() {
  RECT u = {0, 0, 0, 0};
  bool bFirst = true;
  for (jvqObject* p : m_Children.m_items) {
    RECT r;
    ChildExtent(p, &r);
    UnionRect(u, r, bFirst);
  }
  const POINT pts[4] = {{u.left, u.top}, {u.left, u.bottom}, {u.right, u.bottom}, {u.right, u.top}};
  m_GeometryData.SetPoints(pts, 4);
  GetHandlePoints(m_FramePoints);
  for (int i = 0; i < m_ResizeHandles.GetCount() && i < m_FramePoints.GetCount(); i++)
    m_ResizeHandles.GetAt(i)->MoveTo(m_FramePoints.GetAt(i), 1);
  if (m_pView != NULL && m_PointTypes.size() <= 4) {
    m_PointTypes.assign(8, 2);
    m_PointTypes[0] = 1;
  }
}

void jvqGroupObject::OnGeometrySet() {
  // Only the four corner handles resize a group.
  for (int i = 1; i < m_ResizeHandles.GetCount(); i += 2)
    m_ResizeHandles.GetAt(i)->m_dwState |= JVQ_STATE_TOOLMODE;
}

void jvqGroupObject::OnToolChanged(int nToolId) {
  jvqRectObject::OnToolChanged(nToolId);
  for (int i = 1; i < m_ResizeHandles.GetCount(); i += 2)
    m_ResizeHandles.GetAt(i)->m_dwState |= JVQ_STATE_TOOLMODE;
  for (jvqObject* p : m_Children.m_items) p->OnToolChanged(nToolId);
}

BOOL jvqGroupObject::CanEdit(int nMode) { return jvqRectObject::CanEdit(nMode); }

void jvqGroupObject::Offset(const SIZE* pSize) {
  jvqRectObject::Offset(pSize);
  for (jvqObject* p : m_Children.m_items) p->Offset(pSize);
  Recalc();
}

void jvqGroupObject::SetRotation(int nAngle) {
  POINT c;
  GetCenter(&c);
  jvqRectObject::SetRotation(nAngle);
  for (jvqObject* p : m_Children.m_items) p->RotateAbout(nAngle, &c);
  Recalc();
}

void jvqGroupObject::RotateAbout(int nAngle, POINT* pPivot) {
  jvqRectObject::RotateAbout(nAngle, pPivot);
  for (jvqObject* p : m_Children.m_items) p->RotateAbout(nAngle, pPivot);
  Recalc();
}

void jvqGroupObject::SetScale(double sx, double sy) {
  m_dScaleX = sx;
  m_dScaleY = sy;
  for (jvqObject* p : m_Children.m_items) p->SetScale(sx, sy);
  m_GeometryData.Scale(sx, sy);
  m_FramePoints.Scale(sx, sy);
}

void jvqGroupObject::Deactivate() {
  for (jvqObject* p : m_Children.m_items) p->Deactivate();
}

BOOL jvqGroupObject::Flip(int nAxis) {
  POINT c;
  GetCenter(&c);
  for (jvqObject* p : m_Children.m_items) {
    if (!p->IsShown()) continue;
    POINT q;
    p->GetCenter(&q);
    p->Flip(nAxis);
    if (nAxis == 1) q.x = 2 * c.x - q.x;
    if (nAxis == 2) q.y = 2 * c.y - q.y;
    p->MoveTo(&q, 1);
  }
  MoveTo(&c, 1);
  Recalc();
  return TRUE;
}

int jvqGroupObject::BeginTrack(int nHandle, jvqObject* pAnchor) {
  int r = jvqRectObject::BeginTrack(nHandle, pAnchor);
  RECT f;
  m_FramePoints.GetBoundRect(&f);
  m_nTrackWidth = f.right - f.left;
  m_nTrackHeight = f.bottom - f.top;
  m_RelX.clear();
  m_RelY.clear();
  for (jvqObject* p : m_Children.m_items) {
    POINT c;
    p->GetCenter(&c);
    m_RelX.push_back(m_nTrackWidth ? (double)(c.x - f.left) / m_nTrackWidth : 0.0);
    m_RelY.push_back(m_nTrackHeight ? (double)(c.y - f.top) / m_nTrackHeight : 0.0);
  }
  Recalc();
  return r;
}

void jvqGroupObject::Track(POINT* pStart, POINT* pCurrent, UINT nFlags, jvqObject* pMarker, CDC* pDC) {
  jvqRectObject::Track(pStart, pCurrent, nFlags & ~4u, pMarker, pDC);
}

void jvqGroupObject::EndTrack(int nHandle, jvqObject* pObject) {
  // The tracked rectangle is the new frame; the rectangle part's end would recompute the
  // geometry from the children before they are placed.
  RECT f;
  GetHandlePoints(m_FramePoints);
  m_FramePoints.GetBoundRect(&f);
  const int W = f.right - f.left, H = f.bottom - f.top;
  // A zero start size would divide by zero; such a group keeps its children's scale.
  const double sx = m_nTrackWidth ? (double)W / m_nTrackWidth : 1.0;
  const double sy = m_nTrackHeight ? (double)H / m_nTrackHeight : 1.0;
  for (size_t i = 0; i < m_Children.m_items.size(); i++) {
    jvqObject* p = m_Children.m_items[i];
    POINT t = {f.left, f.top};
    if (i < m_RelX.size() && i < m_RelY.size()) {
      t.x = (int)(f.left + W * m_RelX[i]);
      t.y = (int)(f.top + H * m_RelY[i]);
    }
    p->SetScale(sx, sy);
    p->MoveTo(&t, 1);
  }
  Recalc();
}

BOOL jvqGroupObject::HitTestInside(int x, int y) {
  if (!IsShown()) return FALSE;
  for (jvqObject* p : m_Children.m_items)
    if (p->HitTestInside(x, y)) return TRUE;
  return FALSE;
}

BOOL jvqGroupObject::HitTestOutline(int x, int y) {
  return IsShown() ? jvqRectObject::HitTestOutline(x, y) : FALSE;
}

void jvqGroupObject::GetExtent(RECT* pRect) {
  RECT u;
  m_GeometryData.GetBoundRect(&u);
  bool bFirst = false;
  for (jvqObject* p : m_ResizeHandles.m_items) {
    RECT r;
    p->GetExtent(&r);
    UnionRect(u, r, bFirst);
  }
  for (jvqObject* p : m_Children.m_items) {
    RECT r;
    p->GetExtent(&r);
    UnionRect(u, r, bFirst);
  }
  u.left -= 1;
  u.top -= 1;
  u.right += 1;
  u.bottom += 1;
  *pRect = u;
}

BOOL jvqGroupObject::IntersectsRectDeep(const RECT* pRect) {
  if (m_pView == NULL) return FALSE;
  if (m_dwState & JVQ_STATE_SELECTED) {
    RECT b;
    m_GeometryData.GetBoundRect(&b);
    if (b.left < pRect->right && pRect->left < b.right && b.top < pRect->bottom && pRect->top < b.bottom)
      return TRUE;
    for (int i = m_Children.GetCount() - 1; i >= 0; i--)
      if (m_Children.GetAt(i)->IntersectsRect(pRect, 1)) return TRUE;
    for (int i = 0; i < m_GeometryData.GetCount(); i++) {
      const POINT* p = m_GeometryData.GetAt(i);
      if (p->x >= pRect->left && p->x < pRect->right && p->y >= pRect->top && p->y < pRect->bottom) return TRUE;
    }
    return FALSE;
  }
  for (jvqObject* p : m_Children.m_items)
    if (p->IntersectsRect(pRect, 1)) return TRUE;
  return FALSE;
}

void jvqGroupObject::GetContentsRect(RECT* pOut) {
  RECT R;
  GetBoundRect(&R);
  RECT U = R;
  for (int i = m_Children.GetCount() - 1; i >= 0; i--) {
    jvqObject* p = m_Children.GetAt(i);
    if (!p->IsShown()) continue;
    RECT r;
    p->GetOutline()->GetBoundRect(&r);
    U.left = std::min(U.left, r.left);
    U.top = std::min(U.top, r.top);
    U.right = std::max(U.right, r.right);
    U.bottom = std::max(U.bottom, r.bottom);
  }
  if ((U.left == R.left && U.top == R.top && U.right == R.right && U.bottom == R.bottom) || R.bottom == R.top) {
    *pOut = U;
    return;
  }
  const double x = (double)(R.right - R.left) / (R.bottom - R.top);
  int w = U.right - U.left, h = U.bottom - U.top;
  const int d = (int)(x * h);
  if (d < w)
    h = x != 0 ? (int)(w / x) : h;
  else
    w = d;
  *pOut = {U.left, U.top, U.left + w, U.top + h};
}

int jvqGroupObject::CompareStacking(jvqObject* a, jvqObject* b) {
  const int ia = FindChild(a), ib = FindChild(b);
  RECT ra, rb;
  a->GetOutline()->GetBoundRect(&ra);
  b->GetOutline()->GetBoundRect(&rb);
  auto contains = [](const RECT& o, const RECT& i) {
    return i.left >= o.left && i.left <= o.right && i.top >= o.top && i.top <= o.bottom &&
           i.right >= o.left && i.right <= o.right && i.bottom >= o.top && i.bottom <= o.bottom;
  };
  if (contains(ra, rb) || contains(rb, ra)) return ia - ib;
  if (ia == -1 || ib == -1 || ia == ib) return 0;
  jvqPointList* pa = a->GetOutline();
  jvqPointList* pb = b->GetOutline();
  const int na = pa->GetCount(), nb = pb->GetCount();
  const int sa = (a->GetState() & JVQ_STATE_OPEN) ? na - 1 : na;
  const int sb = (b->GetState() & JVQ_STATE_OPEN) ? nb - 1 : nb;
  for (int i = 0; i < sa; i++)
    for (int j = 0; j < sb; j++)
    {
      const POINT *a1 = pa->GetAt(i), *a2 = pa->GetAt((i + 1) % na);
      const POINT *b1 = pb->GetAt(j), *b2 = pb->GetAt((j + 1) % nb);
      if (SegmentsIntersect(a1->x, a1->y, a2->x, a2->y, b1->x, b1->y, b2->x, b2->y)) return ia - ib;
    }
  return 0;
}

#define JVQ_FORWARD_MOUSE(Name)                                   \
  void jvqGroupObject::Name(UINT nFlags, int x, int y) {          \
    for (jvqObject* p : m_Children.m_items)                       \
      if (p->IsShown()) p->Name(nFlags, x, y);                    \
  }
JVQ_FORWARD_MOUSE(OnLButtonDblClk)
JVQ_FORWARD_MOUSE(OnLButtonDown)
JVQ_FORWARD_MOUSE(OnLButtonUp)
JVQ_FORWARD_MOUSE(OnMouseMove)
JVQ_FORWARD_MOUSE(OnRButtonDown)
JVQ_FORWARD_MOUSE(OnRButtonUp)
JVQ_FORWARD_MOUSE(OnRButtonDblClk)
#undef JVQ_FORWARD_MOUSE

void jvqGroupObject::DrawOutline(CDC* pDC, jvqLineStyle* pStyle) { jvqRectObject::DrawOutline(pDC, pStyle); }

void jvqGroupObject::DrawChildren(CDC* pDC) {
  for (jvqObject* p : m_Children.m_items) {
    DWORD sel = p->m_dwState & JVQ_STATE_SELECTED;
    p->m_dwState &= ~JVQ_STATE_SELECTED;
    p->Draw(pDC);
    p->m_dwState |= sel;
  }
}

void jvqGroupObject::Draw(CDC* pDC) {
#ifdef JVQ_HAVE_GDI
  if (!IsShown() || pDC == NULL) return;
  RECT b;
  GetOutline()->GetBoundRect(&b);
  const int w = m_LineStyle.GetWidth();
  InflateRect(&b, w, w);
  if (!pDC->RectVisible(&b)) return;
  DrawOutline(pDC, &m_LineStyle);
  DrawChildren(pDC);
  if ((m_dwState & JVQ_STATE_SELECTED) && !pDC->IsPrinting()) DrawTracker(pDC);
#endif
}

void jvqGroupObject::Render(CDC* pDC) {
#ifdef JVQ_HAVE_GDI
  if (!IsShown() || pDC == NULL) return;
  RECT b;
  GetOutline()->GetBoundRect(&b);
  const int w = m_LineStyle.GetWidth();
  InflateRect(&b, w, w);
  if (!pDC->RectVisible(&b)) return;
  DrawOutline(pDC, &m_LineStyle);
  for (jvqObject* p : m_Children.m_items) p->Render(pDC);
#endif
}

// Record form: every child, alive or not.
BOOL jvqGroupObject::Store(CFile* pFile, jvqFileHeader* pHeader) {
  if (!jvqRectObject::Store(pFile, pHeader)) return FALSE;
  try {
    int32_t n = m_Children.GetCount();
    pFile->Write(&n, 4);
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
  for (jvqObject* p : m_Children.m_items)
    if (!p->Store(pFile, pHeader)) return FALSE;
  return TRUE;
}

BOOL jvqGroupObject::Load(CFile* pFile, jvqFileHeader* pHeader) {
  if (!jvqObject::Load(pFile, pHeader)) return FALSE;
  if (m_GeometryData.GetCount() < 4) return FALSE;
  try {
    int32_t n = 0;
    if (!jvqReadExact(pFile, &n, 4)) return FALSE;
    if (n < 0 || (DWORD)n > jvqBytesLeft(pFile) / kMinChildBytes) return FALSE;
    for (int32_t i = 0; i < n; i++) {
      if (theReadProgressProc) theReadProgressProc();
      int32_t code = 0;
      if (!jvqReadExact(pFile, &code, 4)) return FALSE;
      // The stream has no record lengths: an unknown class cannot be stepped over.
      jvqObject* p = jvqObjectDefaults::CreateObject(code);
      if (p == NULL) return FALSE;
      if (!p->Load(pFile, pHeader)) {
        delete p;
        return FALSE;
      }
      p->m_pParent = this;
      m_Children.Add(p);
      p->Recalc();
    }
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
  GetHandlePoints(m_FramePoints);
  m_PointTypes.assign(8, 2);
  m_PointTypes[0] = 1;
  return TRUE;
}

void jvqGroupObject::Serialize(CArchive& ar, jvqDocument* pDocument) {
  SerializeContainer(ar, s_pfnHeaderOf ? s_pfnHeaderOf(pDocument) : NULL);
}

// A child of a page or a board: pages nest in the archive form, anything else is its
// plain record.
static BOOL IsArchiveContainer(jvqObject* p) {
  return (p->GetClassCode() & 0x40) && (p->GetClassCode() & (0x8 | 0x200));
}

void jvqGroupObject::SerializeContainer(CArchive& ar, jvqFileHeader* pHeader) {
  CFile* pFile = ar.GetFile();
  if (!ar.IsLoading()) {
    ar.Flush();
    if (!jvqObject::Store(pFile, pHeader)) AfxThrowFileException(CFileException::generic);
    ar.Flush();
    int32_t n = 0;
    for (jvqObject* p : m_Children.m_items)
      if (p->m_dwState & JVQ_STATE_ALIVE) n++;
    pFile->Write(&n, 4);
    for (jvqObject* p : m_Children.m_items) {
      if (!(p->m_dwState & JVQ_STATE_ALIVE)) continue;
      if (IsArchiveContainer(p)) {
        ((jvqGroupObject*)p)->SerializeContainer(ar, pHeader);
      } else if (p->GetClassCode() == JVQ_OBJ_MADORIZU) {
        ((jvqMadorizuObject*)p)->SerializeArchive(ar, pHeader);
      } else if (!p->Store(pFile, pHeader)) {
        AfxThrowFileException(CFileException::generic);
      }
      ar.Flush();
    }
    return;
  }
  ar.Flush();
  if (!jvqObject::Load(pFile, pHeader) || m_GeometryData.GetCount() < 4) ThrowBadRecord();
  const int32_t n = ReadInt(pFile);
  if (n < 0 || (DWORD)n > jvqBytesLeft(pFile) / kMinChildBytes) ThrowBadRecord();
  for (int32_t i = 0; i < n; i++) {
    if (theReadProgressProc) theReadProgressProc();
    const int32_t code = ReadInt(pFile);
    if (code == JVQ_OBJ_ELLIPTIC) continue;
    jvqObject* p = jvqObjectDefaults::CreateObject(code);
    // Records carry no length: after an unknown class nothing further can be read.
    if (p == NULL) ThrowBadRecord();
    if (IsArchiveContainer(p)) {
      jvqGroupObject* g = (jvqGroupObject*)p;
      g->DeleteChildren();  // a new board comes with a page; the stream brings its own
      try {
        g->SerializeContainer(ar, pHeader);
      } catch (...) {
        delete p;
        throw;
      }
    } else if (p->GetClassCode() == JVQ_OBJ_MADORIZU) {
      try {
        ((jvqMadorizuObject*)p)->SerializeArchive(ar, pHeader);
      } catch (...) {
        delete p;
        throw;
      }
    } else if (!p->Load(pFile, pHeader)) {
      delete p;
      ThrowBadRecord();
    }
    p->m_pParent = this;
    m_Children.Add(p);
    p->Recalc();
  }
  m_FramePoints = m_GeometryData;
}
