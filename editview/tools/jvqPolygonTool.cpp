#include "jvqPolygonTool.h"

#include <stdlib.h>

#include "jvqHandleObject.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqPolylineObject.h"
#include "jvqUndoManager.h"
#include "jvqView.h"
#include "jvqViewHost.h"

jvqPolygonTool::jvqPolygonTool(jvqView* pView)
    : jvqSelectTool(pView),
      m_nDrawState(0),
      m_pShape(NULL),
      m_bClosed(TRUE),
      m_nDrawCursorId(1011),
      m_dwDrawState(0x351),
      m_hEmptyCursor(s_hLine),
      m_bRubberShown(FALSE),
      m_bRubberClosing(FALSE) {
  m_nToolId = TOOLID_POLYGON;
  if (m_pView) m_pView->SetCursorId(m_nDrawCursorId);
  m_strCaption = m_strSavedCaption = "多角形の作成";
  m_bNothingDrawn = 1;
  m_ptRubberFrom = m_ptRubberFirst = m_ptRubberTo = m_ptStart;
}

jvqPolylineTool::jvqPolylineTool(jvqView* pView) : jvqPolygonTool(pView) {
  m_nToolId = TOOLID_POLYLINE;
  m_bClosed = FALSE;
  m_nDrawCursorId = 1010;
  m_dwDrawState = 0x151;
  m_hEmptyCursor = s_hRect;
  if (m_pView) m_pView->SetCursorId(m_nDrawCursorId);
  m_strCaption = m_strSavedCaption = "折れ線の作成";
}

jvqPolygonTool::~jvqPolygonTool() { DropShape(); }

void jvqPolygonTool::DropShape() {
  DiscardObject(m_pShape);
  m_pShape = NULL;
  m_bRubberShown = FALSE;
}

POINT jvqPolygonTool::Level(POINT p, POINT ref, UINT nFlags) {
  if (nFlags & MK_SHIFT) {
    if (abs(ref.y - p.y) < abs(ref.x - p.x))
      p.y = ref.y;
    else
      p.x = ref.x;
  }
  return p;
}

void jvqPolygonTool::OnLButtonDown(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  m_ptStart.x = m_ptPrev.x = m_ptCurrent.x = x;
  m_ptStart.y = m_ptPrev.y = m_ptCurrent.y = y;
  m_bButtonDown = 1;
  jvqObject* hit = HitAt(x, y);
  if (hit == NULL || jvqIsPageObject(hit) || jvqIsLockedObject(hit)) {
    if (m_pShape)
      AddVertex(nFlags, x, y);
    else
      BeginShape(nFlags, x, y);
    return;
  }
  jvqObject* owner = jvqIsMarkerObject(hit) ? hit->m_pParent : NULL;
  if (jvqIsMarkerKind(hit, JVQ_HANDLE_RESIZE)) {
    BeginHandleResize(hit, nFlags, x, y);
    return;
  }
  if (jvqIsMarkerKind(hit, JVQ_HANDLE_LABEL)) {
    if (owner && !jvqIsLockedObject(owner)) BeginRotate(nFlags, x, y);
    return;
  }
  const BOOL bAlt = jvqIsKeyDown(VK_MENU);
  if (!jvqIsMarkerObject(hit) && (hit->GetState() & JVQ_STATE_SELECTED)) {
    UINT f = nFlags;
    if (bAlt) {
      f |= JVQ_MK_ALT;
      SelectAt(f, x, y);
    }
    BeginMove(f, x, y);
    return;
  }
  if (m_nDrawState == 1) {
    AddVertex(nFlags, x, y);
  } else if (bAlt || (nFlags & MK_SHIFT)) {
    const UINT f = bAlt ? (nFlags | JVQ_MK_ALT) : nFlags;
    SelectAt(f, x, y);
    BeginMove(f, x, y);
  } else if (m_pShape) {
    AddVertex(nFlags, x, y);
  } else {
    BeginShape(nFlags, x, y);
  }
}

void jvqPolygonTool::BeginShape(UINT nFlags, int x, int y) {
  jvqPage* page = Page();
  if (page == NULL) return;
  m_pView->SetCursorId(m_nDrawCursorId);
  m_pView->ClearSelection();
  m_pView->Redraw();
  POINT raw = {x, y};
  POINT p = SnapPoint(nFlags, raw);
  m_pShape = new jvqPolylineObject(&m_pView->m_Mapping);
  m_pShape->SetPoints(&p, 1, &m_pView->m_Mapping, 0x311);
  GetObjectDefaults()->ApplyDefaults(m_pShape);
  m_pShape->m_dwState = m_dwDrawState & ~JVQ_STATE_VISIBLE;
  if (m_pShape->m_pLabelMarker) m_pShape->m_pLabelMarker->m_dwState &= ~JVQ_STATE_VISIBLE;
  page->AddChild(m_pShape);
  m_nDrawState = 1;
  Capture();
  if (s_hArrow) ::SetCursor(s_hArrow);
  m_ptPrev = p;
  m_bNothingDrawn = 1;
  m_bRubberShown = FALSE;
  m_bBusy = 1;
}

void jvqPolygonTool::AddVertex(UINT nFlags, int x, int y) {
  if (m_pShape == NULL) {
    BeginShape(nFlags, x, y);
    return;
  }
  EraseRubber();
  POINT raw = {x, y};
  POINT p = SnapPoint(nFlags, raw);
  POINT last;
  m_pShape->GetPoint(&last, m_pShape->GetPointCount() - 1);
  p = Level(p, last, nFlags);
  m_pShape->m_dwState |= JVQ_STATE_VISIBLE;
  m_pShape->AddVertex(&p, 2);
  for (jvqObject* m : m_pShape->m_VertexMarkers.m_items) m->m_dwState &= ~JVQ_STATE_VISIBLE;
  if (m_pShape->m_pLabelMarker) m_pShape->m_pLabelMarker->m_dwState &= ~JVQ_STATE_VISIBLE;
  // The open outline drawn so far, painted at once without the closing side.
  m_pShape->Invalidate();
  m_pView->InvalidateAll();
  m_ptPrev = p;
  m_bNothingDrawn = 1;
}

void jvqPolygonTool::DrawRubber() {
  CClientDC dc(m_pView);
  m_pView->OnPrepareDC(&dc);
  theXorSolidStyle.DrawLine(&dc, &m_ptRubberFrom, &m_ptRubberTo);
  if (m_bRubberClosing) theXorSolidStyle.DrawLine(&dc, &m_ptRubberFirst, &m_ptRubberTo);
}

void jvqPolygonTool::EraseRubber() {
  if (!m_bRubberShown) return;
  DrawRubber();
  m_bRubberShown = FALSE;
}

void jvqPolygonTool::OnMouseMove(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  m_ptCurrent.x = x;
  m_ptCurrent.y = y;
  const int id = m_pView->GetCursorId();
  if (id >= 3 && id <= 7) {
    if (nFlags & MK_LBUTTON) DragResize(nFlags, x, y);
    return;
  }
  if (id >= 104 && id <= 107) {
    if (nFlags & MK_LBUTTON) DragScaledResize(nFlags, x, y);
    return;
  }
  if (id == 2) {
    if (nFlags & MK_LBUTTON) DragMove(nFlags, x, y);
    return;
  }
  if (id == 8) {
    DragRotate(nFlags, x, y);
    return;
  }
  if (id != m_nDrawCursorId || m_pShape == NULL || m_nDrawState != 1) return;
  POINT raw = {x, y};
  POINT p = SnapPoint(nFlags, raw);
  const int n = m_pShape->GetPointCount();
  POINT from = p, first = p;
  if (n > 0) {
    m_pShape->GetPoint(&from, n - 1);
    m_pShape->GetPoint(&first, 0);
  }
  p = Level(p, from, nFlags);
  EraseRubber();
  m_ptRubberFrom = from;
  m_ptRubberFirst = first;
  m_ptRubberTo = p;
  m_bRubberClosing = m_bClosed && n > 1;
  if (m_pView->m_hWnd) {
    // The shape's own painting may be pending; the band goes on top of it.
    m_pView->UpdateWindow();
    DrawRubber();
    m_bRubberShown = TRUE;
  }
  m_ptPrev = p;
  m_bNothingDrawn = 0;
}

void jvqPolygonTool::OnLButtonUp(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  m_ptCurrent.x = x;
  m_ptCurrent.y = y;
  const int id = m_pView->GetCursorId();
  if (id >= 3 && id <= 7) {
    EndResize(nFlags, x, y);
    return;
  }
  if (id >= 104 && id <= 107) {
    EndScaledResize(nFlags, x, y);
    return;
  }
  if (id == 2) {
    EndMove(nFlags, x, y);
  } else if (id == 8) {
    EndRotate(nFlags, x, y);
  } else if (id == m_nDrawCursorId) {
    EraseRubber();
    if ((nFlags & MK_SHIFT) && x == m_ptStart.x && y == m_ptStart.y) {
      jvqObject* hit = HitAt(x, y);
      if (hit && !jvqIsPageObject(hit) && hit != m_pShape) {
        hit->m_dwState |= JVQ_STATE_SELECTED;
        m_pView->Redraw();
      }
    }
  }
  m_ptPrev = m_ptCurrent;
  m_bNothingDrawn = 1;
  if (m_bClosed) OnMouseMove(nFlags, x, y);
}

void jvqPolygonTool::OnLButtonDblClk(UINT nFlags, int x, int y) { Finish(nFlags, x, y); }

void jvqPolygonTool::OnRButtonDown(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  Finish(nFlags, x, y);
}

void jvqPolygonTool::Finish(UINT nFlags, int x, int y) {
  EraseRubber();
  Release();
  if (s_hArrow) ::SetCursor(s_hArrow);
  m_pView->SetModifiedFlag(TRUE);
  m_nDrawState = 2;
  jvqPolylineObject* s = m_pShape;
  if (s == NULL) {
    m_bDone = 1;
    m_bBusy = 0;
    return;
  }
  RECT r;
  s->GetOutline()->GetBoundRect(&r);
  if (s->GetPointCount() <= 1 || (r.right == r.left && r.bottom == r.top)) {
    // Nothing to keep; the tool stays current and no longer counts as busy.
    DropShape();
    m_bBusy = 0;
    m_pView->InvalidateAll();
    return;
  }
  m_pView->ClearSelection();
  theUndoManager.BeginStep();
  theUndoManager.RecordAdded(s);
  theUndoManager.EndStep();
  if (s->IsShown()) {
    m_pView->Select(s, FALSE);
    for (jvqObject* m : s->m_VertexMarkers.m_items) m->m_dwState |= JVQ_STATE_VISIBLE;
    if (s->m_pLabelMarker) s->m_pLabelMarker->m_dwState |= JVQ_STATE_VISIBLE;
    if (m_bClosed) s->m_dwState &= ~JVQ_STATE_OPEN;
    s->Recalc();
    m_pView->Select(s, FALSE);
  }
  m_pView->InvalidateAll();
  m_pShape = NULL;
  m_bDone = 1;
  m_bBusy = 0;
  m_strCaption = m_strSavedCaption;
}

void jvqPolygonTool::BackStep() {
  if (m_pShape == NULL) return;
  EraseRubber();
  if (m_pShape->GetPointCount() <= 1) {
    DropShape();
    Release();
    m_nDrawState = 0;
    m_bBusy = 0;
    m_pView->InvalidateAll();
    return;
  }
  m_pShape->RemoveVertex(m_pShape->GetPointCount() - 1);
  if (m_pShape->GetPointCount() < 2) m_pShape->m_dwState &= ~JVQ_STATE_VISIBLE;
  m_pView->InvalidateAll();
  if (m_pView->m_hWnd) m_pView->UpdateWindow();
  m_bNothingDrawn = 1;
}

void jvqPolygonTool::Cancel() {
  EraseRubber();
  Release();
  DropShape();
  m_nDrawState = 0;
  m_bBusy = 0;
  m_bNothingDrawn = 1;
  m_pView->InvalidateAll();
}

void jvqPolygonTool::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar != VK_SHIFT || m_pView->m_hWnd == NULL) return;
  POINT pt;
  ::GetCursorPos(&pt);
  m_pView->ScreenToClient(&pt);
  m_pView->PointToLogical(&pt, &pt);
  OnMouseMove(m_nKeyFlags | MK_SHIFT, pt.x, pt.y);
}

void jvqPolygonTool::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar != VK_SHIFT || m_pView->m_hWnd == NULL) return;
  POINT pt;
  ::GetCursorPos(&pt);
  m_pView->ScreenToClient(&pt);
  m_pView->PointToLogical(&pt, &pt);
  OnMouseMove(m_nKeyFlags & ~MK_SHIFT, pt.x, pt.y);
}

HCURSOR jvqPolygonTool::GetHandleCursor(jvqObject* pMarker) {
  jvqObject* owner = pMarker->m_pParent;
  switch (owner ? owner->FindHandle(pMarker) : -1) {
    case 0: case 4: return s_hSizeNWSE;
    case 1: case 5: return s_hSizeWE;
    case 2: case 6: return s_hSizeNESW;
    case 3: case 7: return s_hSizeNS;
  }
  return jvqIsMarkerKind(pMarker, JVQ_HANDLE_LABEL) ? s_hRotate : s_hCross;
}

HCURSOR jvqPolygonTool::GetCursor(POINT pt) {
  if (HCURSOR h = GestureCursor()) return h;
  if (Page() == NULL) return s_hLine;
  jvqObject* hit = HitAt(pt.x, pt.y);
  if (hit == NULL || jvqIsPageObject(hit)) return m_hEmptyCursor;
  if (jvqIsLockedObject(hit)) return s_hLine;
  if (jvqIsMarkerObject(hit)) return GetHandleCursor(hit);
  if (hit->GetState() & JVQ_STATE_SELECTED) return s_hMove;
  return s_hLine;
}
