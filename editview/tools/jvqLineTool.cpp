#include "jvqLineTool.h"

#include <stdlib.h>

#include "jvqGeometry.h"
#include "jvqHandleObject.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqPolylineObject.h"
#include "jvqUndoManager.h"
#include "jvqView.h"
#include "jvqViewHost.h"

#define DRAWING 1001

jvqLineTool::jvqLineTool(jvqView* pView) : jvqSelectTool(pView), m_pLine(NULL), m_pEndMarker(NULL) {
  m_nToolId = TOOLID_LINE;
  if (m_pView) m_pView->SetCursorId(DRAWING);
  m_strCaption = m_strSavedCaption = "直線の作成";
  m_bNothingDrawn = 1;
}

jvqLineTool::~jvqLineTool() { DropLine(); }

void jvqLineTool::DropLine() {
  DiscardObject(m_pLine);
  m_pLine = NULL;
  m_pEndMarker = NULL;
}

static BOOL IsOpenEnd(jvqObject* marker) {
  jvqObject* owner = marker->m_pParent;
  if (owner == NULL || !(owner->GetState() & JVQ_STATE_OPEN)) return FALSE;
  const int i = owner->FindVertexMarker(marker);
  return i == 0 || i == owner->m_VertexMarkers.GetCount() - 1;
}

void jvqLineTool::OnLButtonDown(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  m_ptStart.x = m_ptPrev.x = m_ptCurrent.x = x;
  m_ptStart.y = m_ptPrev.y = m_ptCurrent.y = y;
  m_bButtonDown = 1;
  jvqObject* hit = HitAt(x, y);
  if (hit == NULL || jvqIsPageObject(hit) || jvqIsLockedObject(hit)) {
    BeginLine(nFlags, x, y);
    return;
  }
  jvqObject* owner = jvqIsMarkerObject(hit) ? hit->m_pParent : NULL;
  if (jvqIsMarkerKind(hit, JVQ_HANDLE_RESIZE)) {
    BeginHandleResize(hit, nFlags, x, y);
    return;
  }
  if (!jvqIsMarkerObject(hit) && (hit->GetState() & JVQ_STATE_SELECTED)) {
    UINT f = nFlags;
    if (jvqIsKeyDown(VK_MENU)) {
      f |= JVQ_MK_ALT;
      SelectAt(f, x, y);
    }
    BeginMove(f, x, y);
    return;
  }
  if (jvqIsMarkerKind(hit, JVQ_HANDLE_VERTEX)) {
    if (IsOpenEnd(hit))
      BeginLine(nFlags, x, y);
    else
      BeginVertexDrag(nFlags, x, y);
    return;
  }
  if (jvqIsMarkerKind(hit, JVQ_HANDLE_LABEL)) {
    if (owner && !jvqIsLockedObject(owner)) BeginRotate(nFlags, x, y);
    return;
  }
  BeginLine(nFlags, x, y);
}

POINT jvqLineTool::LinePoint(UINT nFlags, int x, int y) {
  POINT p = {x, y};
  p = SnapPoint(nFlags, p);
  if ((nFlags & MK_SHIFT) && !(m_pView->m_dwOptions & JVQ_VIEW_SNAP)) {
    if (abs(m_ptStart.y - p.y) < abs(m_ptStart.x - p.x))
      p.y = m_ptStart.y;
    else
      p.x = m_ptStart.x;
  }
  return p;
}

void jvqLineTool::BeginLine(UINT nFlags, int x, int y) {
  jvqPage* page = Page();
  if (page == NULL) return;
  DropLine();
  m_pView->SetCursorId(DRAWING);
  Capture();
  POINT raw = {x, y};
  POINT p = SnapPoint(nFlags, raw);
  m_ptStart = m_ptPrev = m_ptCurrent = p;
  m_pLine = new jvqPolylineObject(&m_pView->m_Mapping);
  POINT pts[2] = {p, p};
  m_pLine->SetPoints(pts, 2, &m_pView->m_Mapping, 0x151);
  m_pEndMarker = m_pLine->GetVertexMarker(1);
  GetObjectDefaults()->ApplyDefaults(m_pLine);
  m_pLine->m_dwState |= JVQ_STATE_VISIBLE | JVQ_STATE_ALIVE;
  if (m_pLine->m_pLabelMarker) m_pLine->m_pLabelMarker->m_dwState &= ~JVQ_STATE_VISIBLE;
  page->AddChild(m_pLine);
  m_pView->Select(m_pLine, FALSE);
  if (m_pEndMarker) m_pEndMarker->m_dwState &= ~JVQ_STATE_VISIBLE;
  m_pLine->SetFill(NULL);
  m_bNothingDrawn = 1;
}

void jvqLineTool::OnMouseMove(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  m_ptCurrent.x = x;
  m_ptCurrent.y = y;
  if (!(nFlags & MK_LBUTTON) || DragGesture(nFlags, x, y)) return;
  const int id = m_pView->GetCursorId();
  if (id == 9) DragVertex(nFlags, x, y);
  else if (id == DRAWING) DragLine(nFlags, x, y);
}

void jvqLineTool::DragLine(UINT nFlags, int x, int y) {
  if (m_pLine == NULL) {
    BeginLine(nFlags, x, y);
    return;
  }
  POINT p = LinePoint(nFlags, x, y);
  const int i = m_pLine->FindVertexMarker(m_pEndMarker);
  m_pLine->SetPoint(i >= 0 ? i : 1, &p);
  if (m_pEndMarker) m_pEndMarker->MoveTo(&p, 1);
  CClientDC dc(m_pView);
  m_pView->OnPrepareDC(&dc);
  POINT first;
  m_pLine->GetPoint(&first, 0);
  if (!m_bNothingDrawn) theXorSolidStyle.DrawLine(&dc, &first, &m_ptPrev);
  theXorSolidStyle.DrawLine(&dc, &first, &p);
  CString s;
  s.Format(" 長さ:%.1f㎝", GetDistance(m_ptStart.x, m_ptStart.y, p.x, p.y) * 0.01);
  m_strCaption = m_strSavedCaption + s;
  m_ptPrev = p;
  m_bNothingDrawn = 0;
}

void jvqLineTool::OnLButtonUp(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  m_ptCurrent.x = x;
  m_ptCurrent.y = y;
  const int id = m_pView->GetCursorId();
  if (id >= 3 && id <= 7) {
    EndResize(nFlags, x, y);
  } else if (id >= 104 && id <= 107) {
    EndScaledResize(nFlags, x, y);
  } else if (id == 2) {
    EndMove(nFlags, x, y);
    if ((abs(x - m_ptStart.x) < 10 && abs(y - m_ptStart.y) < 10) || (nFlags & (MK_SHIFT | MK_CONTROL))) {
      SelectAt(nFlags, x, y);
      m_pView->SetCursorId(0);
      m_bDone = 1;
    }
  } else if (id == 8) {
    EndRotate(nFlags, x, y);
  } else if (id == 9) {
    EndVertexDrag(nFlags, x, y);
  } else if (id == DRAWING) {
    if (m_pLine && (abs(x - m_ptStart.x) > 10 || abs(y - m_ptStart.y) > 10)) {
      EndLine(nFlags, x, y);
    } else {
      DropLine();
      Release();
      m_pView->InvalidateAll();
      SelectAt(nFlags, x, y);
      m_strCaption = m_strSavedCaption;
    }
    m_pView->SetCursorId(0);
    m_bBusy = 0;
    m_bDone = 1;
  }
  m_ptPrev = m_ptCurrent;
  m_bNothingDrawn = 1;
}

void jvqLineTool::EndLine(UINT nFlags, int x, int y) {
  Release();
  m_pView->SetModifiedFlag(TRUE);
  jvqPolylineObject* line = m_pLine;
  POINT p = LinePoint(nFlags, x, y);
  const int i = line->FindVertexMarker(m_pEndMarker);
  line->SetPoint(i >= 0 ? i : 1, &p);
  POINT first;
  line->GetPoint(&first, 0);
  m_pView->ClearSelection();
  if (first.x == p.x && first.y == p.y) {
    // Both ends snapped to one point: nothing to keep.
    DropLine();
    m_pView->InvalidateAll();
    m_strCaption = m_strSavedCaption;
    return;
  }
  theUndoManager.RecordAdded(line);
  m_pView->Select(line, FALSE);
  line->m_dwState |= JVQ_STATE_OPEN;
  jvqObject* firstMarker = line->GetVertexMarker(0);
  if (firstMarker && line->GetPointCount() > 2) {
    RECT r;
    firstMarker->GetBoundRect(&r);
    if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) {
      line->m_dwState &= ~JVQ_STATE_OPEN;
      line->RemoveVertex(0);
    }
  }
  for (jvqObject* m : line->m_VertexMarkers.m_items) m->m_dwState |= JVQ_STATE_VISIBLE;
  if (line->m_pLabelMarker) line->m_pLabelMarker->m_dwState |= JVQ_STATE_VISIBLE;
  line->Recalc();
  m_pView->Select(line, FALSE);
  for (jvqObject* h : line->m_ResizeHandles.m_items) h->m_dwState &= ~JVQ_STATE_VISIBLE;
  jvqGetViewHost()->SwitchBar(FALSE);
  m_pLine = NULL;
  m_pEndMarker = NULL;
  m_pView->Redraw();
  m_strCaption = m_strSavedCaption;
}

void jvqLineTool::CancelLine() {
  DropLine();
  Release();
  m_pView->SetCursorId(0);
  m_bBusy = 0;
  m_bNothingDrawn = 1;
  m_strCaption = m_strSavedCaption;
  m_pView->InvalidateAll();
}

HCURSOR jvqLineTool::GetCursor(POINT pt) {
  if (m_pView->GetCursorId() == 9) return s_hCross;
  if (HCURSOR h = GestureCursor()) return h;
  jvqObject* hit = HitAt(pt.x, pt.y);
  if (hit == NULL || jvqIsPageObject(hit) || jvqIsLockedObject(hit) || hit == m_pLine) return s_hLine;
  if (jvqIsMarkerKind(hit, JVQ_HANDLE_RESIZE)) return GetHandleCursor(hit);
  if (jvqIsMarkerKind(hit, JVQ_HANDLE_LABEL)) return s_hRotate;
  if (jvqIsMarkerKind(hit, JVQ_HANDLE_VERTEX)) return IsOpenEnd(hit) ? s_hLine : s_hVertex;
  if ((hit->GetState() & JVQ_STATE_SELECTED)) return s_hMove;
  return s_hLine;
}
