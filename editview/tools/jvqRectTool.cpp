#include "jvqRectTool.h"

#include <stdlib.h>

#include "jvqEllipticObject.h"
#include "jvqHandleObject.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqRectObject.h"
#include "jvqRoundRectObject.h"
#include "jvqToolMath.h"
#include "jvqUndoManager.h"
#include "jvqView.h"
#include "jvqViewHost.h"

#define CREATING 1000

jvqRectTool::jvqRectTool(jvqView* pView)
    : jvqSelectTool(pView), m_nShapeType(0), m_bMoveOnlyUnlocked(FALSE), m_bLockedIsIdle(TRUE), m_nMinSize(10) {
  m_nToolId = TOOLID_RECT;
  if (m_pView) m_pView->SetCursorId(1000);
  m_strCaption = m_strSavedCaption = "四角の作成";
  m_hIdleCursor = s_hRect;
  m_bButtonDown = 0;
  m_bDone = 0;
  m_bBusy = 0;
}

jvqRoundRectTool::jvqRoundRectTool(jvqView* pView) : jvqRectTool(pView) {
  m_nToolId = TOOLID_ROUNDRECT;
  if (m_pView) m_pView->SetCursorId(1004);
  m_strCaption = m_strSavedCaption = "角の丸い四角の作成";
  m_hIdleCursor = s_hRoundRect;
  m_bMoveOnlyUnlocked = TRUE;
  m_bLockedIsIdle = FALSE;
}

jvqEllipseTool::jvqEllipseTool(jvqView* pView) : jvqRectTool(pView) {
  m_nToolId = TOOLID_ELLIPSE;
  if (m_pView) m_pView->SetCursorId(1005);
  m_strCaption = m_strSavedCaption = "円・楕円の作成";
  m_hIdleCursor = s_hEllipse;
  m_nMinSize = 1;
}

void jvqRectTool::OnLButtonDown(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  m_ptStart.x = m_ptPrev.x = m_ptCurrent.x = x;
  m_ptStart.y = m_ptPrev.y = m_ptCurrent.y = y;
  m_bButtonDown = 1;
  jvqObject* hit = HitAt(x, y);
  if (hit && !jvqIsPageObject(hit) && !jvqIsLockedObject(hit)) {
    const BOOL bAlt = jvqIsKeyDown(VK_MENU);
    const UINT f = bAlt ? (nFlags | JVQ_MK_ALT) : nFlags;
    if (jvqIsMarkerObject(hit)) {
      jvqObject* owner = hit->m_pParent;
      const BOOL bOwnerFree = owner && !jvqIsLockedObject(owner);
      if (jvqIsMarkerKind(hit, JVQ_HANDLE_RESIZE)) {
        BeginHandleResize(hit, nFlags, x, y);
        return;
      }
      if (jvqIsMarkerKind(hit, JVQ_HANDLE_LABEL)) {
        if (bOwnerFree) BeginRotate(nFlags, x, y);
        return;
      }
    } else if (hit->GetState() & JVQ_STATE_SELECTED) {
      BeginMove(f, x, y);
      return;
    } else if (bAlt) {
      SelectAt(f, x, y);
      BeginMove(f, x, y);
      return;
    }
  }
  BeginCreate();
}

void jvqRectTool::BeginCreate() {
  // Every tool of the family creates under one cursor id, whatever its constructor set.
  m_pView->SetCursorId(CREATING);
  Capture();
  m_bNothingDrawn = 1;
  m_bBusy = 1;
}

void jvqRectTool::OnMouseMove(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  m_ptCurrent.x = x;
  m_ptCurrent.y = y;
  if (!(nFlags & MK_LBUTTON) || DragGesture(nFlags, x, y)) return;
  if (m_pView->GetCursorId() == CREATING) DragCreate(nFlags, x, y);
}

void jvqRectTool::DragCreate(UINT nFlags, int x, int y) {
  POINT raw = {x, y};
  m_ptCurrent = SnapPoint(nFlags, raw);
  CClientDC dc(m_pView);
  m_pView->OnPrepareDC(&dc);
  if (m_bNothingDrawn) {
    m_ptStart = SnapPoint(nFlags, m_ptStart);
    if (!m_bButtonDown) {
      // The drag began before the tool saw a press: start here.
      m_ptStart = m_ptPrev = m_ptCurrent = raw;
      BeginCreate();
      m_bButtonDown = 1;
      return;
    }
  } else {
    RECT old = jvqNormalRect(m_ptStart, m_ptPrev);
    theXorDotStyle.DrawRect(&dc, &old);
  }
  RECT r = (nFlags & MK_SHIFT) ? MakeSquareRect(m_ptStart, m_ptCurrent) : jvqNormalRect(m_ptStart, m_ptCurrent);
  theXorDotStyle.DrawRect(&dc, &r);
  m_strCaption = m_strSavedCaption + jvqSizeCaption(r);
  m_ptCurrent.x = r.left == m_ptStart.x ? r.right : r.left;
  m_ptCurrent.y = r.top == m_ptStart.y ? r.bottom : r.top;
  m_ptPrev = m_ptCurrent;
  m_bNothingDrawn = 0;
}

void jvqRectTool::OnLButtonUp(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  m_ptCurrent.x = x;
  m_ptCurrent.y = y;
  const int id = m_pView->GetCursorId();
  if (id >= 3 && id <= 7) {
    EndResize(nFlags, x, y);
  } else if (id >= 104 && id <= 107) {
    EndScaledResize(nFlags, x, y);
  } else if (id == CREATING) {
    if (abs(m_ptStart.x - m_ptCurrent.x) > 10 || abs(m_ptStart.y - m_ptCurrent.y) > 10) {
      FinishCreate(nFlags, x, y);
    } else {
      // A click: the feedback goes and the click selects.
      if (!m_bNothingDrawn) m_pView->InvalidateAll();
      if (nFlags & (MK_SHIFT | MK_CONTROL)) {
        jvqObject* hit = HitAt(x, y);
        if (jvqIsMarkerObject(hit)) hit = hit->m_pParent;
        if (hit && !jvqIsPageObject(hit) && x == m_ptStart.x && y == m_ptStart.y) {
          hit->m_dwState |= JVQ_STATE_SELECTED;
          m_pView->OnSelect(hit);
          m_pView->InvalidateAll();
        }
        m_pView->SetCursorId(0);
        Release();
      } else {
        SelectAt(nFlags, x, y);
      }
      m_strCaption = m_strSavedCaption;
      m_bDone = 1;
    }
    m_bBusy = 0;
  } else if (id == 2) {
    EndMove(nFlags, x, y);
  } else if (id == 8) {
    EndRotate(nFlags, x, y);
  } else {
    m_pView->SetCursorId(0);
  }
  m_ptPrev = m_ptCurrent;
  m_bNothingDrawn = 1;
}

void jvqRectTool::FinishCreate(UINT nFlags, int x, int y) {
  POINT raw = {x, y};
  m_ptCurrent = SnapPoint(nFlags, raw);
  CollectSelection(FALSE);
  m_pView->ClearSelection();
  InvalidateList(m_Work);
  m_Work.m_items.clear();
  if (nFlags & MK_SHIFT) {
    RECT r = MakeSquareRect(m_ptStart, m_ptCurrent);
    m_ptStart.x = r.left;
    m_ptStart.y = r.top;
    m_ptCurrent.x = r.right;
    m_ptCurrent.y = r.bottom;
  }
  if (CreateObject(&m_ptStart, &m_ptCurrent))
    jvqGetViewHost()->SwitchBar(FALSE);
  else
    SelectAt(m_nKeyFlags, x, y);
  m_pView->SetModifiedFlag(TRUE);
  m_strCaption = m_strSavedCaption;
  Release();
  m_bDone = 1;
  m_bBusy = 0;
  m_pView->Redraw();
}

void jvqRectTool::CancelDrag() {
  m_ptStart = m_ptCurrent;
  m_bDone = 0;
  Release();
  m_pView->Redraw();
  m_pView->SetCursorId(0);
  m_bBusy = 0;
  m_bNothingDrawn = 1;
  m_strCaption = m_strSavedCaption;
}

void jvqRectTool::PlaceNewObject(jvqObject* o) {
  jvqPage* page = Page();
  page->AddChild(o);
  m_pView->Select(o, FALSE);
  m_pView->SetModifiedFlag(TRUE);
  theUndoManager.RecordAdded(o);
  m_pView->OnObjectCreated(o);
}

BOOL jvqRectTool::CreateObject(POINT* pStart, POINT* pEnd) {
  RECT r = jvqNormalRect(*pStart, *pEnd);
  if (Page() == NULL || r.right - r.left < m_nMinSize || r.bottom - r.top < m_nMinSize) return FALSE;
  jvqRectObject* o = new jvqRectObject(&r, &m_pView->m_Mapping, 0x311);
  GetObjectDefaults()->ApplyDefaults(o);
  PlaceNewObject(o);
  m_pView->OnSelect(o);
  return TRUE;
}

BOOL jvqRoundRectTool::CreateObject(POINT* pStart, POINT* pEnd) {
  RECT r = jvqNormalRect(*pStart, *pEnd);
  if (Page() == NULL || r.right - r.left < m_nMinSize || r.bottom - r.top < m_nMinSize) return FALSE;
  jvqRoundRectObject* o = new jvqRoundRectObject();
  o->Create(&r, &m_pView->m_Mapping, 0x311);
  GetObjectDefaults()->ApplyDefaults(o);
  PlaceNewObject(o);
  m_pView->Redraw();
  return TRUE;
}

BOOL jvqEllipseTool::CreateObject(POINT* pStart, POINT* pEnd) {
  RECT r = jvqNormalRect(*pStart, *pEnd);
  if (Page() == NULL || r.right - r.left < m_nMinSize || r.bottom - r.top < m_nMinSize) return FALSE;
  jvqEllipseObject* o = new jvqEllipseObject();
  o->Create(&r, &m_pView->m_Mapping, 0x311);
  GetObjectDefaults()->ApplyDefaults(o);
  PlaceNewObject(o);
  m_pView->Redraw();
  return TRUE;
}

HCURSOR jvqRectTool::GetCursor(POINT pt) {
  if (HCURSOR h = GestureCursor()) return h;
  jvqObject* hit = HitAt(pt.x, pt.y);
  if (hit == NULL || jvqIsPageObject(hit)) return m_hIdleCursor;
  if (m_bLockedIsIdle && jvqIsLockedObject(hit)) return m_hIdleCursor;
  if (jvqIsMarkerObject(hit)) return GetHandleCursor(hit);
  if ((hit->GetState() & JVQ_STATE_SELECTED) && !(m_bMoveOnlyUnlocked && jvqIsLockedObject(hit))) return s_hMove;
  return m_hIdleCursor;
}
