#include "jvqVertexEditTool.h"

#include "jvqGeometry.h"
#include "jvqHandleObject.h"
#include "jvqPage.h"
#include "jvqPolylineObject.h"
#include "jvqToolMath.h"
#include "jvqUndoManager.h"
#include "jvqView.h"

#define VERTEX_EDIT_ID 9

jvqVertexEditTool::jvqVertexEditTool(jvqView* pView) : jvqSelectTool(pView), m_bDragging(0) {
  m_UnusedStyle.SetWidth(1);
  m_nToolId = TOOLID_VERTEX_EDIT;
  if (m_pView) m_pView->SetCursorId(VERTEX_EDIT_ID);
  m_strCaption = m_strSavedCaption = "頂点編集";
  m_pDragMarker = NULL;
  m_bDone = 0;
}

jvqObject* jvqVertexEditTool::OutlineAt(int x, int y) {
  jvqPage* page = Page();
  if (page == NULL) return NULL;
  for (int i = page->m_Children.GetCount() - 1; i >= 0; i--) {
    jvqObject* c = page->m_Children.GetAt(i);
    if (c->IsShown() && c->HitTestOutline(x, y)) return c;
  }
  return NULL;
}

static BOOL IsVertexMarkerOfOwner(jvqObject* hit) {
  return jvqIsMarkerObject(hit) && hit->m_pParent && hit->m_pParent->FindVertexMarker(hit) >= 0;
}

void jvqVertexEditTool::OnLButtonDown(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  jvqObject* hit = HitAt(x, y);
  if (hit == NULL || jvqIsPageObject(hit) || jvqIsLockedObject(hit)) return;
  if (IsVertexMarkerOfOwner(hit)) {
    BeginVertexDrag(nFlags, x, y);
    m_ptStart.x = m_ptPrev.x = x;
    m_ptStart.y = m_ptPrev.y = y;
    return;
  }
  jvqObject* child = OutlineAt(x, y);
  if (child && (child->GetClassCode() == JVQ_OBJ_POLYLINE || child->GetClassCode() == JVQ_OBJ_LINETEXT)) {
    child->m_dwState |= JVQ_STATE_SELECTED;
    if (InsertVertexAt(nFlags, x, y)) BeginVertexDrag(nFlags, x, y);
  }
  m_ptStart.x = m_ptPrev.x = x;
  m_ptStart.y = m_ptPrev.y = y;
}

BOOL jvqVertexEditTool::InsertVertexAt(UINT nFlags, int x, int y) {
  jvqObject* hit = HitAt(x, y);
  if (hit == NULL || jvqIsPageObject(hit) || jvqIsLockedObject(hit)) return FALSE;
  jvqObject* child = OutlineAt(x, y);
  // Leader lines come with the line-text objects; until then only polylines take vertices.
  if (child == NULL || !(child->GetClassCode() & 4) || (child->GetClassCode() & 0x40000)) return FALSE;
  jvqPolylineObject* target = (jvqPolylineObject*)child;
  HCURSOR old = s_hWait ? ::SetCursor(s_hWait) : NULL;
  const int widthPx = m_pView->WidthToDevice(target->m_LineStyle.m_nWidth);
  const int tolerance = widthPx < 17 ? m_pView->WidthToLogical(jvqVertexTolerance(widthPx)) : target->m_LineStyle.m_nWidth;
  const int n = target->GetPointCount();
  int after = -1;
  POINT a, b;
  for (int i = 0; i + 1 < n && after < 0; i++) {
    target->GetPoint(&a, i);
    target->GetPoint(&b, i + 1);
    if (IsPointNearSegment(x, y, a.x, a.y, b.x, b.y, tolerance)) after = i;
  }
  if (after < 0 && n > 1 && !(target->GetState() & JVQ_STATE_OPEN)) {
    target->GetPoint(&a, n - 1);
    target->GetPoint(&b, 0);
    if (IsPointNearSegment(x, y, a.x, a.y, b.x, b.y, tolerance)) after = n - 1;
  }
  if (after < 0) {
    if (old) ::SetCursor(old);
    return FALSE;
  }
  jvqPage* page = Page();
  theUndoManager.BeginStep();
  jvqPolylineObject* clone = (jvqPolylineObject*)target->Clone();
  target->m_dwState &= ~JVQ_STATE_ALIVE;
  page->InsertChild(page->FindChild(target), clone);
  POINT p = {x, y};
  clone->InsertVertex(after, &p, 2);
  jvqObject* marker = clone->GetVertexMarker(after + 1);
  if (marker) marker->m_dwState |= JVQ_STATE_VISIBLE;
  theUndoManager.RecordRemoved(target);
  theUndoManager.RecordAdded(clone);
  theUndoManager.EndStep();
  m_pView->Redraw();
  if (old) ::SetCursor(old);
  return TRUE;
}

void jvqVertexEditTool::BeginVertexDrag(UINT nFlags, int x, int y) {
  jvqObject* hit = HitAt(x, y);
  if (!IsVertexMarkerOfOwner(hit) || jvqIsLockedObject(hit) || jvqIsLockedObject(hit->m_pParent)) return;
  jvqSelectTool::BeginVertexDrag(nFlags, x, y);
  if (m_pView->GetCursorId() != 9 || m_pDragMarker == NULL) {
    m_pView->SetCursorId(VERTEX_EDIT_ID);
    return;
  }
  m_bDragging = 1;
  HCURSOR prev = s_hVertex ? ::SetCursor(s_hVertex) : NULL;
  if (m_hSavedCursor == NULL) m_hSavedCursor = prev;
}

void jvqVertexEditTool::OnMouseMove(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  m_ptCurrent.x = x;
  m_ptCurrent.y = y;
  if (m_bDragging) DragVertex(nFlags, x, y);
}

void jvqVertexEditTool::OnLButtonUp(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  if (m_bDragging) EndVertexDrag(nFlags, x, y);
}

void jvqVertexEditTool::EndVertexDrag(UINT nFlags, int x, int y) {
  jvqObject* owner = m_pDragMarker ? m_pDragMarker->m_pParent : NULL;
  const BOOL bWasOpen = owner && (owner->GetState() & JVQ_STATE_OPEN);
  jvqSelectTool::EndVertexDrag(nFlags, x, y);
  if (owner && bWasOpen && !(owner->GetState() & JVQ_STATE_OPEN) && owner->GetClassCode() == JVQ_OBJ_POLYLINE) {
    // Closed into a polygon: filled, without the painter of the open line.
    owner->m_dwState |= JVQ_STATE_FILLED;
    owner->SetFill(NULL);
  }
  if (m_hSavedCursor) ::SetCursor(m_hSavedCursor);
  m_hSavedCursor = NULL;
  m_bDragging = 0;
  m_Work.m_items.clear();
  m_pView->SetCursorId(VERTEX_EDIT_ID);
}

void jvqVertexEditTool::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (m_bDragging) {
    CancelGesture();
    m_pView->InvalidateAll();
    m_pView->SetModifiedFlag(TRUE);
  }
  Release();
  if (m_hSavedCursor) ::SetCursor(m_hSavedCursor);
  m_hSavedCursor = NULL;
  m_bDragging = 0;
  m_bNothingDrawn = 1;
  m_pView->SetCursorId(VERTEX_EDIT_ID);
}

HCURSOR jvqVertexEditTool::GetCursor(POINT pt) {
  jvqObject* hit = HitAt(pt.x, pt.y);
  if (IsVertexMarkerOfOwner(hit)) return s_hVertex;
  if (jvqIsMarkerObject(hit)) return NULL;
  if (hit && !jvqIsPageObject(hit) && !jvqIsLockedObject(hit)) return s_hVertexEdit;
  return NULL;
}
