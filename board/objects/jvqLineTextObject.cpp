#include "jvqLineTextObject.h"

#include <algorithm>
#include <cstdint>

#include "afxarch.h"
#include "jvqHandleObject.h"
#include "jvqObjectDefaults.h"
#include "jvqPolylineObject.h"
#include "jvqRecordIO.h"
#include "jvqTextObject.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#endif

namespace {
const RECT kEmpty = {0, 0, 0, 0};
// The default frame before it is placed beside the leader.
const RECT kDefaultFrame = {0, 0, 800, 100};
const DWORD kFrameState = 0x311;

void SetShown(jvqObject* p, BOOL bShown) {
  if (bShown)
    p->m_dwState |= JVQ_STATE_VISIBLE;
  else
    p->m_dwState &= ~JVQ_STATE_VISIBLE;
}

RECT ExtremeRect(jvqObject* p) {
  jvqPointList* o = p->GetOutline();
  RECT r = {0, 0, 0, 0};
  if (o->GetCount() == 0) return r;
  POINT q;
  r.left = o->GetLeftPoint(&q)->x;
  r.top = o->GetTopPoint(&q)->y;
  r.right = o->GetRightPoint(&q)->x;
  r.bottom = o->GetBottomPoint(&q)->y;
  return r;
}

RECT Union(const RECT& a, const RECT& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}
}  // namespace

jvqLineTextObject::jvqLineTextObject() : jvqGroupObject(), m_pLeader(NULL), m_pFrame(NULL) {
  m_nClassCode = JVQ_OBJ_LINETEXT;
  m_nEditFlags = 1;
  m_LineStyle = theSolidLineStyle;
}

jvqLineTextObject::jvqLineTextObject(const jvqLineTextObject& src)
    : jvqGroupObject(src), m_pLeader(NULL), m_pFrame(NULL) {
  m_nClassCode = src.m_nClassCode;
  m_nEditFlags = src.m_nEditFlags;
  m_pView = src.m_pView;
  if (GetChildCount() >= 2) {
    m_pLeader = (jvqPolylineObject*)GetChild(0);
    m_pFrame = (jvqTextObject*)GetChild(1);
  }
  Recalc();
  m_dwState = src.m_dwState;
}

jvqObject* jvqLineTextObject::Clone() { return new jvqLineTextObject(*this); }

BOOL jvqLineTextObject::SetPoints(const POINT* pPoints, int nCount, jvqViewMapping* pView, DWORD dwState) {
  m_VertexMarkers.RemoveAll();
  m_ResizeHandles.RemoveAll();
  SetRect(&kEmpty, pView, dwState);
  m_LineStyle = theSolidLineStyle;
  m_pView = pView;
  m_dwState = dwState;
  GetObjectDefaults();

  jvqPolylineObject* pLeader = new jvqPolylineObject(pView);
  if (pPoints == NULL || nCount <= 0 || !pLeader->SetPoints(pPoints, nCount, pView, dwState)) {
    delete pLeader;
    return FALSE;
  }
  pLeader->m_dwState |= JVQ_STATE_OPEN;
  for (int i = 0; i < nCount; i++) {
    POINT c;
    pLeader->GetVertexMarker(i)->GetCenter(&c);
    m_VertexMarkers.Add(MakeMarker(&c, JVQ_HANDLE_VERTEX));
  }
  m_pLeader = pLeader;
  AddChild(pLeader);

  jvqTextAttributes a;
  jvqDefaultTextAttributes(&a);
  RECT r = kDefaultFrame;
  PlaceTextFrame(&r);
  jvqTextObject* pFrame = new jvqTextObject(&r, pView, &a, kFrameState);
  pFrame->SetFill(NULL);
  m_pFrame = pFrame;
  AddChild(pFrame);
  Recalc();
  return TRUE;
}

void jvqLineTextObject::ReplaceTextFrame(jvqTextObject* pFrame) {
  if (pFrame == NULL || GetChildCount() < 2) return;
  delete GetChild(1);
  SetChildAt(1, pFrame);
  pFrame->m_pParent = this;
  m_pFrame = pFrame;
  Recalc();
}

int jvqLineTextObject::PlaceTextFrame(RECT* pFrame) {
  if (m_pLeader == NULL || m_pLeader->GetPointCount() == 0) return 5;
  POINT e, l;
  m_pLeader->GetPoint(&e, m_pLeader->GetPointCount() - 1);
  m_pLeader->GetLeftPoint(&l);
  int dx, nSide;
  if (e.x == l.x && e.y == l.y) {
    dx = e.x - pFrame->right;
    nSide = 1;
  } else {
    dx = e.x - pFrame->left;
    nSide = 5;
  }
  const int dy = e.y - (pFrame->top + pFrame->bottom) / 2;
  pFrame->left += dx;
  pFrame->right += dx;
  pFrame->top += dy;
  pFrame->bottom += dy;
  return nSide;
}

void jvqLineTextObject::Recalc() {
  if (m_pLeader == NULL || m_pFrame == NULL) return;
  m_pLeader->Recalc();
  for (jvqObject* p : m_pLeader->m_ResizeHandles.m_items) SetShown(p, FALSE);
  for (jvqObject* p : m_pLeader->m_VertexMarkers.m_items) SetShown(p, FALSE);

  jvqPointList* pLeaderPoints = m_pLeader->GetOutline();
  const int n = pLeaderPoints->GetCount();
  for (int k = 0; m_VertexMarkers.GetCount() < n; k++) {
    const POINT zero = {0, 0};
    jvqHandleObject* p = MakeMarker(&zero, JVQ_HANDLE_VERTEX);
    if (k < m_VertexMarkers.GetCount()) p->m_dwState = m_VertexMarkers.GetAt(k)->m_dwState;
    m_VertexMarkers.Add(p);
  }
  for (int i = 0; i < n; i++) {
    jvqObject* p = m_VertexMarkers.GetAt(i);
    p->MoveTo(pLeaderPoints->GetAt(i), 1);
    p->m_pParent = this;
  }

  m_pFrame->Recalc();
  RECT r;
  m_pFrame->GetOutline()->GetBoundRect(&r);
  const int nSide = PlaceTextFrame(&r);
  POINT c = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  m_pFrame->MoveTo(&c, 1);

  for (int i = 0; i < 8 && i < m_ResizeHandles.GetCount() && i < m_pFrame->m_ResizeHandles.GetCount(); i++) {
    jvqObject* h = m_ResizeHandles.GetAt(i);
    SetShown(h, TRUE);
    POINT hc;
    m_pFrame->GetHandle(i)->GetCenter(&hc);
    h->MoveTo(&hc, 1);
    if (i != 3 && i != 7 && i != nSide) SetShown(h, FALSE);
  }

  RECT leader;
  m_pLeader->GetBoundRect(&leader);
  const RECT b = Union(ExtremeRect(m_pFrame), leader);
  const POINT pts[4] = {{b.left, b.top}, {b.left, b.bottom}, {b.right, b.bottom}, {b.right, b.top}};
  m_GeometryData.SetPoints(pts, 4);
  GetHandlePoints(m_FramePoints);
}

jvqObject* jvqLineTextObject::HitTest(POINT* pPoint) {
  if (!IsShown()) return NULL;
  return jvqObject::HitTest(pPoint);
}

BOOL jvqLineTextObject::HitTestOutline(int x, int y) {
  if (!IsShown() || m_pLeader == NULL || m_pFrame == NULL) return FALSE;
  return m_pLeader->HitTestOutline(x, y) || m_pFrame->HitTestOutline(x, y);
}

BOOL jvqLineTextObject::HitTestInside(int x, int y) {
  if (!IsShown() || m_pLeader == NULL || m_pFrame == NULL) return FALSE;
  return m_pLeader->HitTestOutline(x, y) || m_pFrame->HitTestInside(x, y);
}

BOOL jvqLineTextObject::IntersectsRect(const RECT* pRect, int nUnused) {
  if (!IsShown() || m_pLeader == NULL || m_pFrame == NULL) return FALSE;
  return m_pLeader->IntersectsRect(pRect, nUnused) || m_pFrame->IntersectsRect(pRect, nUnused);
}

BOOL jvqLineTextObject::GetHandleBounds(RECT* pRect) {
  bool bFirst = true;
  RECT r = {0, 0, 0, 0};
  for (jvqObject* p : m_Children.m_items) {
    RECT m;
    if (p->GetClassCode() & 2)
      m = ExtremeRect(p);
    else
      p->GetBoundRect(&m);
    r = bFirst ? m : Union(r, m);
    bFirst = false;
  }
  *pRect = r;
  return TRUE;
}

void jvqLineTextObject::DrawOutline(CDC* pDC, jvqLineStyle* pStyle) {
  for (jvqObject* p : m_Children.m_items) p->DrawOutline(pDC, pStyle);
}

void jvqLineTextObject::DrawLineText(CDC* pDC, BOOL bTrackers) {
  if (!IsShown() || m_pLeader == NULL || m_pFrame == NULL) return;
  m_pLeader->m_LineStyle = m_LineStyle;
  if (bTrackers && (m_dwState & JVQ_STATE_SELECTED))
    for (int i : {3, 5, 7})
      if (i < m_pFrame->m_ResizeHandles.GetCount()) m_pFrame->GetHandle(i)->Draw(pDC);
  m_pLeader->DrawLineEnds(pDC);
  m_pLeader->DrawOutline(pDC, &m_pLeader->m_LineStyle);
  // The frame never keeps a fill of its own: the object's fill paints it.
  m_pFrame->SetFill(NULL);
  if (m_pFill && m_pFrame->IsShown()) m_pFill->Paint(pDC, m_pFrame);
  m_pFrame->Render(pDC);
}

void jvqLineTextObject::Draw(CDC* pDC) { DrawLineText(pDC, TRUE); }
void jvqLineTextObject::Render(CDC* pDC) { DrawLineText(pDC, FALSE); }

int jvqLineTextObject::BeginTrack(int nHandle, jvqObject* pAnchor) {
  if (m_pLeader == NULL || m_pFrame == NULL) return 0;
  const int k = FindVertexMarker(pAnchor);
  if (k >= 0) {
    m_pLeader->BeginTrack(nHandle, m_pLeader->GetVertexMarker(k));
  } else {
    const int h = FindHandle(pAnchor);
    if (h >= 0) m_pFrame->BeginTrack(nHandle, m_pFrame->GetHandle(h));
  }
  Recalc();
  m_bNoFeedback = TRUE;
  return 0;
}

void jvqLineTextObject::Track(POINT* pStart, POINT* pCurrent, UINT nFlags, jvqObject* pMarker, CDC* pDC) {
  if (m_pLeader == NULL || m_pFrame == NULL) return;
  const int k = FindVertexMarker(pMarker);
  if (k >= 0) {
    m_pLeader->Track(pStart, pCurrent, nFlags, m_pLeader->GetVertexMarker(k), pDC);
    Recalc();
  } else {
    const int h = FindHandle(pMarker);
    if (h < 0 || h >= m_pFrame->m_ResizeHandles.GetCount()) return;
    RECT before;
    m_pFrame->GetBoundRect(&before);
    m_pFrame->Track(pStart, pCurrent, nFlags, m_pFrame->GetHandle(h), pDC);
    const int n = m_pLeader->GetPointCount();
    if (n > 0) {
      POINT e;
      m_pLeader->GetPoint(&e, n - 1);
      if (h == 3 || h == 7) {
        // The leader's end follows the frame's vertical middle, which moves by half the
        // drag; taken from the frame itself so that odd steps do not lose their halves.
        RECT after;
        m_pFrame->GetBoundRect(&after);
        e.y += (after.top + after.bottom) / 2 - (before.top + before.bottom) / 2;
      }
      m_pLeader->SetPoint(n - 1, &e);
      m_pLeader->GetVertexMarker(n - 1)->MoveTo(&e, 1);
    }
  }
  m_bNoFeedback = FALSE;
}

void jvqLineTextObject::EndTrack(int, jvqObject*) { Recalc(); }

void jvqLineTextObject::OnToolChanged(int nToolId) {
  for (int i = m_ResizeHandles.GetCount() - 1; i >= 0; i--) {
    jvqObject* h = m_ResizeHandles.GetAt(i);
    if (nToolId == TOOLID_VERTEX_EDIT)
      h->m_dwState |= JVQ_STATE_TOOLMODE;
    else
      h->m_dwState &= ~JVQ_STATE_TOOLMODE;
  }
}

BOOL jvqLineTextObject::Load(CFile* pFile, jvqFileHeader* pHeader) {
  if (pFile == NULL) return FALSE;
  DeleteChildren();
  m_pLeader = NULL;
  m_pFrame = NULL;
  // Only a leader and its frame make a leader text; anything else is refused whole.
  if (!jvqGroupObject::Load(pFile, pHeader)) return FALSE;
  if (GetChildCount() != 2 || GetChild(0)->GetClassCode() != JVQ_OBJ_POLYLINE ||
      GetChild(1)->GetClassCode() != JVQ_OBJ_TEXT) {
    DeleteChildren();
    return FALSE;
  }
  m_pLeader = (jvqPolylineObject*)GetChild(0);
  m_pFrame = (jvqTextObject*)GetChild(1);
  m_pView = GetObjectDefaults()->GetDefaultView();

  const int nMarkers = std::max(m_pLeader->m_VertexMarkers.GetCount(), m_pLeader->GetPointCount());
  m_pLeader->m_VertexMarkers.RemoveAll();
  for (int i = 0; i < nMarkers && i < m_pLeader->GetPointCount(); i++) {
    POINT p;
    m_pLeader->GetPoint(&p, i);
    jvqHandleObject* h = new jvqHandleObject;
    h->Attach(&p, m_pView, m_pLeader, JVQ_HANDLE_VERTEX);
    h->m_dwState &= ~JVQ_STATE_VISIBLE;
    m_pLeader->m_VertexMarkers.Add(h);
  }
  m_VertexMarkers.RemoveAll();
  for (jvqObject* p : m_pLeader->m_VertexMarkers.m_items) {
    POINT c;
    p->GetCenter(&c);
    m_VertexMarkers.Add(MakeMarker(&c, JVQ_HANDLE_VERTEX));
  }
  m_ResizeHandles.RemoveAll();
  const POINT zero = {0, 0};
  for (int i = 0; i < 8; i++) m_ResizeHandles.Add(MakeMarker(&zero, JVQ_HANDLE_RESIZE));
  Recalc();
  return TRUE;
}

BOOL jvqLineTextObject::Store(CFile* pFile, jvqFileHeader* pHeader) {
  return jvqGroupObject::Store(pFile, pHeader) ? TRUE : FALSE;
}

void jvqLineTextObject::Serialize(CArchive& ar, jvqDocument* pDocument) {
  jvqFileHeader* pHeader = s_pfnHeaderOf ? s_pfnHeaderOf(pDocument) : NULL;
  ar.Flush();
  BOOL bOk = ar.IsLoading() ? Load(ar.GetFile(), pHeader) : Store(ar.GetFile(), pHeader);
  if (!bOk) AfxThrowArchiveException(CArchiveException::badIndex);
}
