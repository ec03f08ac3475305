#include "jvqSelectTool.h"

#include "jvqGroupObject.h"
#include "jvqHandleObject.h"
#include "jvqPage.h"
#include "jvqSnap.h"
#include "jvqUndoManager.h"
#include "jvqView.h"
#include "jvqViewHost.h"
#include "qvzToolTipWnd.h"

int theShiftDown = 0;

static const char kSelectCaption[] = "選択・移動・サイズ変更";

jvqSelectTool::jvqSelectTool(jvqView* pView)
    : jvqTool(pView),
      m_pDragMarker(NULL),
      m_bOverFavorites(0),
      m_nMoveProgress(0),
      m_dwHitState(0),
      m_bButtonDown(0),
      m_pRotateGhost(NULL),
      m_pRotateClone(NULL),
      m_dAngleOffset(0),
      m_hSavedCursor(NULL),
      m_pScaleTip(NULL),
      m_dWidthRatio(1.0),
      m_dHeightRatio(1.0),
      m_nDragIndex(-1),
      m_bDragVertex(FALSE) {
  m_nToolId = TOOLID_SELECT;
  if (m_pView) m_pView->SetCursorId(0);
  m_strCaption = m_strSavedCaption = kSelectCaption;
  m_Work.m_bOwns = FALSE;
  m_Sources.m_bOwns = FALSE;
  m_FeedbackStyle = theXorDotStyle;
  m_ptGrabOffset.x = m_ptGrabOffset.y = 0;
}

jvqSelectTool::~jvqSelectTool() {
  // A tool replaced in the middle of a gesture leaves no clone and no open step behind.
  if (m_pView && (m_pRotateClone || m_pDragMarker || m_Sources.GetCount() > 0)) CancelGesture();
  delete m_pRotateGhost;
  delete m_pScaleTip;
}

jvqPage* jvqSelectTool::Page() { return m_pView ? m_pView->GetCurrentPage() : NULL; }

jvqObject* jvqSelectTool::HitAt(int x, int y) {
  jvqPage* p = Page();
  if (p == NULL) return NULL;
  POINT pt = {x, y};
  return p->HitTest(&pt);
}

void jvqSelectTool::Capture() {
  if (m_pView && m_pView->m_hWnd) m_pView->SetCapture();
}

void jvqSelectTool::Release() {
  if (m_pView && m_pView->m_hWnd && ::GetCapture() == m_pView->m_hWnd) ::ReleaseCapture();
}

void jvqSelectTool::InvalidateList(jvqObjectArray& list) {
  if (m_pView) m_pView->InvalidateObjects(list.m_items);
}

void jvqSelectTool::RemoveClones() {
  jvqPage* p = Page();
  for (jvqObject* c : m_Work.m_items) {
    if (p && p->FindChild(c) >= 0)
      p->RemoveChild(c, TRUE);
    else if (c->m_pParent == NULL)
      delete c;
  }
  m_Work.m_items.clear();
  m_Sources.m_items.clear();
}

static BOOL IsLocked(jvqObject* o) { return o && (o->GetState() & JVQ_STATE_LOCKED); }
static BOOL IsPage(jvqObject* o) { return o && (o->GetClassCode() & 8); }
static BOOL IsMarker(jvqObject* o) { return o && (o->GetClassCode() & JVQ_OBJ_HANDLE); }

void jvqSelectTool::CollectSelection(BOOL bWithLocked) {
  m_Work.m_items.clear();
  jvqPage* p = Page();
  if (p == NULL) return;
  const DWORD want = JVQ_STATE_SELECTED | JVQ_STATE_VISIBLE | JVQ_STATE_ALIVE;
  for (jvqObject* c : p->m_Children.m_items) {
    if ((c->GetState() & want) != want) continue;
    if (!bWithLocked && IsLocked(c)) continue;
    m_Work.Add(c);
  }
}

// Button down.

void jvqSelectTool::OnLButtonDown(UINT nFlags, int x, int y) {
  m_bButtonDown = 1;
  m_nKeyFlags = nFlags;
  m_ptStart.x = x;
  m_ptStart.y = y;
  jvqObject* hit = HitAt(x, y);
  const BOOL bAlt = jvqIsKeyDown(VK_MENU);
  if (hit == NULL || IsPage(hit)) {
    BeginRubberBand(nFlags, x, y);
    return;
  }
  if (IsLocked(hit) && !(nFlags & MK_SHIFT) && !bAlt) {
    BeginRubberBand(nFlags, x, y);
    return;
  }
  if (IsMarker(hit)) {
    jvqObject* owner = hit->m_pParent;
    if (owner == NULL || IsLocked(owner)) return;
    if ((DWORD)hit->GetClassCode() & JVQ_HANDLE_LABEL) {
      BeginRotate(nFlags, x, y);
    } else if (owner->FindVertexMarker(hit) >= 0) {
      BeginVertexDrag(nFlags, x, y);
    } else if (owner->GetClassCode() & 0x400000) {
      BeginScaledResize(nFlags, x, y);
    } else {
      BeginResize(nFlags, x, y);
    }
    return;
  }
  UINT f = bAlt ? (nFlags | JVQ_MK_ALT) : nFlags;
  if ((hit->GetState() & JVQ_STATE_SELECTED) && !(nFlags & (MK_SHIFT | MK_CONTROL)) && !bAlt) {
    m_dwHitState = hit->GetState();
    BeginMove(f, x, y);
  } else {
    SelectAt(f, x, y);
    BeginMove(f, x, y);
  }
}

void jvqSelectTool::OnLButtonDblClk(UINT nFlags, int x, int y) {
  jvqTool::OnLButtonDblClk(nFlags, x, y);
  m_ptStart.x = m_ptPrev.x = x;
  m_ptStart.y = m_ptPrev.y = y;
}

void jvqSelectTool::SelectAt(UINT nFlags, int x, int y) {
  jvqPage* page = Page();
  if (page == NULL) return;
  POINT pt = {x, y};
  jvqObject* target = NULL;
  if (nFlags & JVQ_MK_ALT) {
    // Alt cycles upwards through the objects stacked under the pointer, wrapping round.
    jvqObject* first = NULL;
    BOOL afterSelected = FALSE;
    for (jvqObject* c : page->m_Children.m_items) {
      if (!c->IsShown() || !c->GetGeometry()->PtInPolygon(&pt)) continue;
      if (first == NULL) first = c;
      if (afterSelected) {
        target = c;
        break;
      }
      if (c->GetState() & JVQ_STATE_SELECTED) afterSelected = TRUE;
    }
    if (target == NULL && first && !(first->GetState() & JVQ_STATE_SELECTED)) target = first;
  }
  if (target == NULL) target = page->HitTest(&pt);
  if (target && IsLocked(target) && !(nFlags & (MK_SHIFT | MK_CONTROL | JVQ_MK_ALT))) target = NULL;
  m_ptStart = m_ptPrev = pt;
  m_pView->SetCursorId(0);
  Release();
  if (target && IsMarker(target)) target = target->m_pParent;
  if (target && target != page && !IsPage(target)) {
    m_dwHitState = target->GetState();
    if (nFlags & (MK_SHIFT | MK_CONTROL)) {
      if (!(target->GetState() & JVQ_STATE_SELECTED)) m_pView->Select(target, FALSE);
    } else {
      if (!(target->GetState() & JVQ_STATE_SELECTED)) {
        CollectSelection(TRUE);
        m_pView->ClearSelection();
        InvalidateList(m_Work);
        m_Work.m_items.clear();
      }
      m_pView->Select(target, FALSE);
    }
    m_pView->OnSelect(target);
    if ((target->GetState() & JVQ_STATE_SELECTED) && m_pView->m_hWnd) {
      CClientDC dc(m_pView);
      m_pView->OnPrepareDC(&dc);
      target->DrawTracker(&dc);
      target->DrawSelectionFrame(&dc, &theXorDotStyle);
    }
    if (m_pView->m_hWnd) m_pView->UpdateWindow();
  } else {
    m_dwHitState = 0;
    CollectSelection(TRUE);
    m_pView->ClearSelection();
    InvalidateList(m_Work);
    if (m_pView->m_hWnd) m_pView->UpdateWindow();
    m_Work.m_items.clear();
  }
}

void jvqSelectTool::OnRButtonDown(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  jvqObject* hit = HitAt(x, y);
  if (hit == NULL || IsPage(hit) || (hit->GetState() & 0x28) || ((DWORD)hit->GetClassCode() & 0x50000000)) return;
  CollectSelection(TRUE);
  POINT pt = {x, y};
  for (jvqObject* o : m_Work.m_items)
    if (o->HitTest(&pt)) return;
  SelectAt(nFlags, x, y);
}

// Mouse move and button up.

void jvqSelectTool::OnMouseMove(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  m_ptCurrent.x = x;
  m_ptCurrent.y = y;
  const int id = m_pView->GetCursorId();
  if (id == 0) {
    if ((x != m_ptStart.x || y != m_ptStart.y) && (nFlags & MK_LBUTTON)) {
      jvqObject* hit = HitAt(x, y);
      if (hit && !IsPage(hit) && !IsMarker(hit) && (hit->GetState() & JVQ_STATE_SELECTED) && !IsLocked(hit)) {
        BeginMove(nFlags, x, y);
      }
    }
    return;
  }
  if (id == 9) DragVertex(nFlags, x, y);
  if (id == 1) DragRubberBand(nFlags, x, y);
  if (id >= 3 && id <= 7) DragResize(nFlags, x, y);
  if (id >= 104 && id <= 107) DragScaledResize(nFlags, x, y);
  if (id == 8) DragRotate(nFlags, x, y);
  if (id == 2 && (nFlags & MK_LBUTTON)) {
    if (IsOverFavoritesPalette(nFlags, x, y)) {
      DragOverFavorites(nFlags, x, y);
    } else {
      m_bOverFavorites = 0;
      POINT pt = {x, y};
      HCURSOR h = GetCursor(pt);
      if (h) ::SetCursor(h);
    }
    DragMove(nFlags, x, y);
  }
}

void jvqSelectTool::OnLButtonUp(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  m_ptCurrent.x = x;
  m_ptCurrent.y = y;
  const int id = m_pView->GetCursorId();
  if (id == 1) {
    EndRubberBand(nFlags, x, y);
  } else if (id >= 3 && id <= 7) {
    EndResize(nFlags, x, y);
  } else if (id >= 104 && id <= 107) {
    EndScaledResize(nFlags, x, y);
  } else if (id == 2) {
    if (m_bOverFavorites)
      DropOnFavorites(nFlags, x, y);
    else
      EndMove(nFlags, x, y);
  } else if (id == 8) {
    EndRotate(nFlags, x, y);
  } else if (id == 9) {
    EndVertexDrag(nFlags, x, y);
  } else {
    jvqObject* hit = HitAt(x, y);
    if (hit && !IsPage(hit) && IsLocked(hit) && (m_dwHitState & JVQ_STATE_SELECTED) &&
        (hit->GetState() & JVQ_STATE_SELECTED)) {
      hit->m_dwState &= ~JVQ_STATE_SELECTED;
      m_pView->OnSelect(hit);
    } else if (hit == NULL) {
      m_pView->ClearSelection();
    }
  }
  if (m_hSavedCursor) {
    ::SetCursor(m_hSavedCursor);
    m_hSavedCursor = NULL;
  }
  m_ptPrev = m_ptCurrent;
  m_bNothingDrawn = 1;
}

// Moving.

void jvqSelectTool::BeginMove(UINT nFlags, int x, int y) {
  InvalidateList(m_Work);
  CollectSelection(FALSE);
  if (m_Work.GetCount() == 0) return;
  ResetPoints(x, y);
  Capture();
  jvqPage* page = Page();
  m_Sources.m_items = m_Work.m_items;
  m_Work.m_items.clear();
  for (jvqObject* s : m_Sources.m_items) {
    jvqObject* c = s->Clone();
    if (c == NULL) continue;
    page->InsertChild(page->FindChild(s), c);
    m_Work.Add(c);
    // The text-end flag of leader-line texts comes with the text objects.
  }
  if (m_Work.GetCount() != m_Sources.GetCount()) {
    RemoveClones();
    Release();
    return;
  }
  POINT c;
  m_Sources.GetAt(0)->GetCenter(&c);
  m_ptGrabOffset.x = c.x - x;
  m_ptGrabOffset.y = c.y - y;
  m_pView->SetCursorId(2);
  m_strCaption = "移動";
  m_nMoveProgress = 0;
}

void jvqSelectTool::DrawOutlines(CDC* pDC) {
  for (jvqObject* c : m_Work.m_items)
    if (!IsLocked(c)) c->DrawOutline(pDC, &theXorDotStyle);
}

void jvqSelectTool::SetMoveCaption(int dx, int dy) {
  CString s;
  s.Format("移動 移動距離 X:%.1f㎝ Y:%.1f㎝", (dx / 10) * 0.1, (dy / 10) * 0.1);
  m_strCaption = s;
}

void jvqSelectTool::DragMove(UINT nFlags, int x, int y) {
  if (m_pView->GetCursorId() != 2 || m_Work.GetCount() == 0) return;
  m_ptCurrent.x = x;
  m_ptCurrent.y = y;
  if (m_nMoveProgress == 0) {
    POINT a = m_ptStart, b = m_ptCurrent;
    m_pView->PointToDevice(&a, &a);
    m_pView->PointToDevice(&b, &b);
    if (abs(a.x - b.x) > 2 || abs(a.y - b.y) > 2) m_nMoveProgress = 1;
  }
  if ((nFlags & MK_CONTROL) && s_hCopy) {
    HCURSOR h = ::SetCursor(s_hCopy);
    if (m_hSavedCursor == NULL) m_hSavedCursor = h;
  }
  CClientDC dc(m_pView);
  m_pView->OnPrepareDC(&dc);
  if (m_nMoveProgress > 1) DrawOutlines(&dc);
  POINT c0, s0;
  m_Work.GetAt(0)->GetCenter(&c0);
  m_Sources.GetAt(0)->GetCenter(&s0);
  SIZE d;
  int showX, showY;
  if (nFlags & MK_SHIFT) {
    if (abs(m_ptStart.x - x) > abs(m_ptStart.y - y)) {
      d.cx = s0.x + (x - m_ptStart.x) - c0.x;
      d.cy = s0.y - c0.y;
      showX = x - m_ptStart.x;
      showY = 0;
    } else {
      d.cx = s0.x - c0.x;
      d.cy = s0.y + (y - m_ptStart.y) - c0.y;
      showX = 0;
      showY = y - m_ptStart.y;
    }
  } else {
    d.cx = m_ptGrabOffset.x + x - c0.x;
    d.cy = m_ptGrabOffset.y + y - c0.y;
    showX = x - m_ptStart.x;
    showY = y - m_ptStart.y;
  }
  // Below the threshold nothing moves on the screen.
  if (m_nMoveProgress == 0) d.cx = d.cy = 0;
  for (jvqObject* c : m_Work.m_items)
    if (!IsLocked(c)) c->Offset(&d);
  if (m_nMoveProgress != 0) DrawOutlines(&dc);
  SetMoveCaption(showX, showY);
  m_ptPrev = m_ptCurrent;
  m_pView->SetModifiedFlag(TRUE);
  if (m_nMoveProgress == 1) m_nMoveProgress = 2;
}

void jvqSelectTool::EndGestureState() {
  m_pView->SetCursorId(0);
  m_ptPrev = m_ptCurrent;
  m_bNothingDrawn = 1;
  Release();
  m_strCaption = m_strSavedCaption;
}

void jvqSelectTool::EndMove(UINT nFlags, int x, int y) {
  if (m_pView->GetCursorId() != 2 || m_Work.GetCount() == 0) {
    EndGestureState();
    return;
  }
  CClientDC dc(m_pView);
  m_pView->OnPrepareDC(&dc);
  if (m_nMoveProgress > 1) DrawOutlines(&dc);
  const BOOL bClick = (x == m_ptStart.x && y == m_ptStart.y) || m_nMoveProgress == 0;
  if (!bClick) {
    // Each clone snaps by its own nearest corner.
    for (jvqObject* c : m_Work.m_items) {
      if (IsLocked(c)) continue;
      SIZE d = {m_ptCurrent.x - m_ptPrev.x, m_ptCurrent.y - m_ptPrev.y};
      c->Offset(&d);
      SIZE s = GetSnapOffset(c);
      c->Offset(&s);
    }
  }
  if (bClick) {
    InvalidateList(m_Work);
    InvalidateList(m_Sources);
    RemoveClones();
    jvqObject* hit = HitAt(x, y);
    if (hit && IsMarker(hit)) hit = hit->m_pParent;
    if (hit && !IsPage(hit) && !IsLocked(hit) && (nFlags & (MK_SHIFT | MK_CONTROL))) {
      if (m_dwHitState & JVQ_STATE_SELECTED)
        hit->m_dwState &= ~JVQ_STATE_SELECTED;
      else
        m_pView->Select(hit, FALSE);
      m_pView->InvalidateAll();
    }
    EndGestureState();
    m_pView->OnSelect(hit);
    return;
  }
  jvqPage* page = Page();
  if (nFlags & MK_CONTROL) {
    theUndoManager.BeginStep();
    for (jvqObject* c : m_Work.m_items) {
      c->m_dwState |= JVQ_STATE_VISIBLE | JVQ_STATE_ALIVE;
      theUndoManager.RecordAdded(c);
    }
    theUndoManager.EndStep();
    InvalidateList(m_Work);
    for (jvqObject* s : m_Sources.m_items) s->m_dwState &= ~JVQ_STATE_SELECTED;
    InvalidateList(m_Sources);
  } else {
    theUndoManager.BeginStep();
    InvalidateList(m_Sources);
    for (int i = 0; i < m_Work.GetCount(); i++) {
      jvqObject* c = m_Work.GetAt(i);
      jvqObject* s = m_Sources.GetAt(i);
      c->m_dwState |= JVQ_STATE_VISIBLE | JVQ_STATE_ALIVE;
      theUndoManager.RecordAdded(c);
      theUndoManager.RecordRemoved(s);
      s->m_dwState &= ~JVQ_STATE_ALIVE;
    }
    theUndoManager.EndStep();
    InvalidateList(m_Work);
  }
  m_Work.m_items.clear();
  m_Sources.m_items.clear();
  m_pView->SetCursorId(0);
  if (page && HitAt(x, y) == NULL) m_pView->ClearSelection();
  m_ptPrev = m_ptCurrent;
  m_bNothingDrawn = 1;
  m_pView->SetModifiedFlag(TRUE);
  Release();
  m_strCaption = m_strSavedCaption;
}

SIZE jvqSelectTool::GetSnapOffset(jvqObject* pObject) {
  POINT l, t, r, b;
  pObject->GetLeftPoint(&l);
  pObject->GetTopPoint(&t);
  pObject->GetRightPoint(&r);
  pObject->GetBottomPoint(&b);
  POINT corners[4] = {{l.x, t.y}, {l.x, b.y}, {r.x, b.y}, {r.x, t.y}};
  POINT snapped[4];
  for (int i = 0; i < 4; i++) snapped[i] = SnapPoint(m_nKeyFlags, corners[i]);
  return jvqPickSnapOffset(corners, snapped);
}

// Rubber band.

void jvqSelectTool::BeginRubberBand(UINT nFlags, int x, int y) {
  ResetPoints(x, y);
  m_pView->SetCursorId(1);
  m_pView->ClearSelection();
  m_pView->InvalidateAll();
  Capture();
}

static RECT Normalized(POINT a, POINT b) {
  RECT r = {a.x < b.x ? a.x : b.x, a.y < b.y ? a.y : b.y, a.x < b.x ? b.x : a.x, a.y < b.y ? b.y : a.y};
  return r;
}

void jvqSelectTool::DragRubberBand(UINT nFlags, int x, int y) {
  CClientDC dc(m_pView);
  m_pView->OnPrepareDC(&dc);
  if (m_bNothingDrawn == 0) {
    RECT r = Normalized(m_ptStart, m_ptPrev);
    theXorDotStyle.DrawRect(&dc, &r);
  }
  m_ptCurrent.x = x;
  m_ptCurrent.y = y;
  RECT r = Normalized(m_ptStart, m_ptCurrent);
  theXorDotStyle.DrawRect(&dc, &r);
  m_ptPrev = m_ptCurrent;
  m_bNothingDrawn = 0;
}

void jvqSelectTool::EndRubberBand(UINT nFlags, int x, int y) {
  m_pView->ClearSelection();
  m_ptCurrent.x = x;
  m_ptCurrent.y = y;
  RECT r = Normalized(m_ptStart, m_ptCurrent);
  jvqPage* page = Page();
  const BOOL bShiftCtrl = (nFlags & (MK_SHIFT | MK_CONTROL)) != 0;
  if (::IsRectEmpty(&r)) {
    jvqObject* hit = HitAt(x, y);
    if (hit && IsMarker(hit)) hit = hit->m_pParent;
    if (hit && !IsPage(hit) && (bShiftCtrl || !IsLocked(hit))) m_pView->Select(hit, FALSE);
  } else if (page) {
    if (m_bNothingDrawn == 0) {
      CClientDC dc(m_pView);
      m_pView->OnPrepareDC(&dc);
      RECT p = Normalized(m_ptStart, m_ptPrev);
      m_FeedbackStyle.DrawRect(&dc, &p);
    }
    for (jvqObject* c : page->m_Children.m_items) {
      if (!c->IsShown()) continue;
      if (IsLocked(c) && !bShiftCtrl) continue;
      if (c->IntersectsRect(&r, TRUE)) m_pView->Select(c, FALSE);
    }
  }
  m_pView->SetCursorId(0);
  m_pView->Redraw();
  m_ptPrev = m_ptCurrent;
  m_bNothingDrawn = 1;
  Release();
}

// Cursor.

HCURSOR jvqSelectTool::GetCursor(POINT pt) {
  if (HCURSOR h = GestureCursor()) return h;
  jvqObject* hit = HitAt(pt.x, pt.y);
  if (hit == NULL || IsPage(hit) || IsLocked(hit)) return s_hArrow;
  if (IsMarker(hit)) return GetHandleCursor(hit);
  if (hit->GetState() & JVQ_STATE_SELECTED) return s_hMove;
  return s_hArrow;
}

HCURSOR jvqSelectTool::GestureCursor() {
  switch (m_pView->GetCursorId()) {
    case 3: return s_hCross;
    case 4: case 104: return s_hSizeNWSE;
    case 5: case 105: return s_hSizeWE;
    case 6: case 106: return s_hSizeNESW;
    case 7: case 107: return s_hSizeNS;
    case 8: return s_hRotate;
    case 2: return s_hMove;
  }
  return NULL;
}

BOOL jvqSelectTool::DragGesture(UINT nFlags, int x, int y) {
  const int id = m_pView->GetCursorId();
  if (id >= 3 && id <= 7) DragResize(nFlags, x, y);
  else if (id >= 104 && id <= 107) DragScaledResize(nFlags, x, y);
  else if (id == 2) DragMove(nFlags, x, y);
  else if (id == 8) DragRotate(nFlags, x, y);
  else return FALSE;
  return TRUE;
}

void jvqSelectTool::BeginHandleResize(jvqObject* pHandle, UINT nFlags, int x, int y) {
  jvqObject* owner = pHandle ? pHandle->m_pParent : NULL;
  if (owner == NULL || IsLocked(owner)) return;
  if (owner->GetClassCode() & 0x400000)
    BeginScaledResize(nFlags, x, y);
  else
    BeginResize(nFlags, x, y);
}

void jvqSelectTool::DiscardObject(jvqObject* pObject) {
  if (pObject == NULL) return;
  jvqPage* page = Page();
  if (page && page->FindChild(pObject) >= 0)
    page->RemoveChild(pObject, TRUE);
  else
    delete pObject;
}

HCURSOR jvqSelectTool::GetHandleCursor(jvqObject* pMarker) {
  jvqObject* owner = pMarker->m_pParent;
  const int index = owner ? owner->FindHandle(pMarker) : -1;
  if (index < 0) return ((DWORD)pMarker->GetClassCode() & JVQ_HANDLE_LABEL) ? s_hRotate : s_hVertex;
  const int kind = jvqHandleCursorKind(owner->m_dRotation, index, (owner->GetClassCode() & 2) != 0);
  switch (kind) {
    case JVQ_SIZE_NS: return s_hSizeNS;
    case JVQ_SIZE_NESW: return s_hSizeNESW;
    case JVQ_SIZE_WE: return s_hSizeWE;
    default: return s_hSizeNWSE;
  }
}

int jvqSelectTool::GetHandleCursorId(jvqObject* pMarker) {
  jvqObject* owner = pMarker ? pMarker->m_pParent : NULL;
  if (owner == NULL) return 3;
  const int i = owner->FindHandle(pMarker);
  if (owner->GetClassCode() & 0x400000) {
    switch (i) {
      case 0: case 4: return 104;
      case 1: case 5: return 105;
      case 2: case 6: return 106;
      default: return 107;
    }
  }
  if (!(owner->GetClassCode() & 2)) return 3;
  switch (i) {
    case 0: case 4: return 4;
    case 1: case 5: return 5;
    case 2: case 6: return 6;
    case 3: case 7: return 7;
  }
  return 3;
}

// Keys.

void jvqSelectTool::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  const int id = m_pView->GetCursorId();
  if (id == 9 || (id >= 104 && id <= 107) || nChar != VK_SHIFT) return;
  if (theShiftDown) return;
  POINT pt;
  ::GetCursorPos(&pt);
  if (m_pView->m_hWnd) m_pView->ScreenToClient(&pt);
  m_pView->PointToLogical(&pt, &pt);
  OnMouseMove(m_nKeyFlags | MK_SHIFT, pt.x, pt.y);
  theShiftDown = 1;
}

void jvqSelectTool::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_SHIFT) {
    POINT pt;
    ::GetCursorPos(&pt);
    if (m_pView->m_hWnd) m_pView->ScreenToClient(&pt);
    m_pView->PointToLogical(&pt, &pt);
    OnMouseMove(m_nKeyFlags & ~MK_SHIFT, pt.x, pt.y);
    theShiftDown = 0;
  } else if (nChar == VK_ESCAPE) {
    const int id = m_pView->GetCursorId();
    // Only a gesture under way is cancelled; outside one the working list holds the
    // selection itself, which Esc must leave alone.
    if (id == 2 || (id >= 3 && id <= 7) || (id >= 104 && id <= 107) || id == 8 || id == 9) {
      CancelGesture();
      m_pView->SetModifiedFlag(TRUE);
      m_pView->InvalidateAll();
    }
  }
}

void jvqSelectTool::CancelGesture() {
  int id = m_pView->GetCursorId();
  // A tool replaced mid-gesture may find the view's state already reset.
  if (id == 0 && m_pRotateClone) id = 8;
  if (id == 0 && m_pDragMarker && m_Sources.GetCount() == 0) id = 9;
  if (id == 0 && m_Sources.GetCount() > 0) id = m_pDragMarker ? 3 : 2;
  if (id == 8 || id == 9) {
    delete m_pRotateGhost;
    m_pRotateGhost = NULL;
    if (id == 9 && m_pDragMarker && m_pDragMarker->m_pParent) m_pDragMarker->m_pParent->EndTrack(9, m_pDragMarker);
    theUndoManager.CancelEdit();
    m_pRotateClone = NULL;
  } else if (id == 2 || (id >= 3 && id <= 7) || (id >= 104 && id <= 107)) {
    if (id != 2)
      for (jvqObject* c : m_Work.m_items) c->EndTrack(m_nDragIndex, m_pDragMarker);
    RemoveClones();
  }
  if (m_pDragMarker && m_pDragMarker->m_pParent) m_pDragMarker->m_pParent->m_dwState &= ~JVQ_STATE_SCALED_RESIZE;
  delete m_pScaleTip;
  m_pScaleTip = NULL;
  m_pDragMarker = NULL;
  m_Work.m_items.clear();
  m_Sources.m_items.clear();
  m_bNothingDrawn = 1;
  m_pView->SetCursorId(0);
  m_ptPrev = m_ptCurrent;
  m_strCaption = m_strSavedCaption;
  Release();
}

// Favourites.

BOOL jvqSelectTool::IsOverFavoritesPalette(UINT nFlags, int x, int y) {
  if (m_pView->m_hWnd == NULL) return FALSE;
  POINT pt = {x, y};
  m_pView->PointToDevice(&pt, &pt);
  m_pView->ClientToScreen(&pt);
  return jvqGetViewHost()->IsOverFavoritesList(pt);
}

void jvqSelectTool::DragOverFavorites(UINT nFlags, int x, int y) {
  const BOOL bRefuse = m_Work.GetCount() > 1 || (m_Work.GetCount() == 1 && m_Work.GetAt(0)->GetClassCode() == JVQ_OBJ_OLE);
  HCURSOR h = bRefuse ? s_hNo : s_hFavorite;
  if (h) ::SetCursor(h);
  m_bOverFavorites = 1;
  m_strCaption = "お気に入りへの登録";
}

void jvqSelectTool::DropOnFavorites(UINT nFlags, int x, int y) {
  jvqViewHost* host = jvqGetViewHost();
  host->ReloadFavoriteCategories();
  if (m_Work.GetCount() == 1 && m_Work.GetAt(0)->GetClassCode() != JVQ_OBJ_OLE) {
    // Without a chosen category there is nothing to register into.
    const int sel = host->GetFavoriteCategory();
    if (sel >= 0 && m_pView->m_hWnd) m_pView->PostMessage(WM_COMMAND, 1524 + sel, 0);
  } else if (m_Work.GetCount() > 1) {
    host->MessageBox("複数オブジェクトのお気に入りへの登録はできません。", MB_OK);
  } else if (m_Work.GetCount() == 1) {
    host->MessageBox("OLEオブジェクトのお気に入りへの登録はできません。", MB_OK);
  }
  RemoveClones();
  m_pView->Redraw();
  m_ptPrev = m_ptCurrent;
  m_bOverFavorites = 0;
  m_bNothingDrawn = 1;
  m_pView->SetCursorId(0);
  Release();
  m_strCaption = m_strSavedCaption;
  m_pView->m_bFavoritesDrop = TRUE;
}
