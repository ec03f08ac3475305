#include "jvqFrameObject.h"

#include "jvqFill.h"
#include "jvqHandleObject.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#endif

jvqFrameObject::jvqFrameObject() {
  m_nClassCode |= 0x20;
  m_nEditFlags |= 5;
  OnGeometrySet();
}

jvqFrameObject::jvqFrameObject(const RECT* pRect, jvqViewMapping* pView, DWORD dwState)
    : jvqRectObject(pRect, pView, dwState) {
  m_nClassCode |= 0x20;
  m_nEditFlags |= 5;
  OnGeometrySet();
}

jvqFrameObject::jvqFrameObject(const jvqFrameObject& src) : jvqRectObject(src) {
  m_FramePoints = src.m_FramePoints;
  m_bFreeResize = src.m_bFreeResize;
  m_nClassCode = src.m_nClassCode | 0x20;
  OnGeometrySet();
}

jvqObject* jvqFrameObject::Clone() { return new jvqFrameObject(*this); }

void jvqFrameObject::OnGeometrySet() {
  SetFill(NULL);
  if (m_pLabelMarker) m_pLabelMarker->m_dwState &= ~JVQ_STATE_VISIBLE;
}

void jvqFrameObject::OnToolChanged(int nToolId) {
  for (jvqObject* h : m_ResizeHandles.m_items) h->OnToolChanged(nToolId);
  for (jvqObject* h : m_ResizeHandles.m_items) {
    if (nToolId == TOOLID_VERTEX_EDIT)
      h->m_dwState |= JVQ_STATE_TOOLMODE;
    else
      h->m_dwState &= ~JVQ_STATE_TOOLMODE;
  }
}

void jvqFrameObject::GetHandlePointBounds(RECT* pRect) {
  jvqPointList hp;
  GetHandlePoints(hp);
  hp.GetBoundRect(pRect);
}

void jvqFrameObject::SetFrameRect(const RECT* pRect) {
  if (m_pView == NULL || m_ResizeHandles.GetCount() == 0) return;
  const RECT& r = *pRect;
  const POINT pts[4] = {{r.left, r.top}, {r.left, r.bottom}, {r.right, r.bottom}, {r.right, r.top}};
  m_GeometryData.SetPoints(pts, 4);
  GetHandlePoints(m_FramePoints);
  for (int i = 0; i < m_ResizeHandles.GetCount() && i < m_FramePoints.GetCount(); i++)
    m_ResizeHandles.GetAt(i)->MoveTo(m_FramePoints.GetAt(i), 1);
}

#ifdef JVQ_HAVE_GDI
void jvqFrameObject::Draw(CDC* pDC) {
  if (!IsShown()) return;
  DrawOutline(pDC, &m_LineStyle);
  if ((m_dwState & JVQ_STATE_SELECTED) && !pDC->IsPrinting()) DrawTracker(pDC);
}
#else
void jvqFrameObject::Draw(CDC*) {}
#endif

void jvqFrameObject::Render(CDC* pDC) { DrawOutline(pDC, &m_LineStyle); }
