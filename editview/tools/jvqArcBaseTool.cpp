#include "jvqArcBaseTool.h"

#include <stdlib.h>

#include "jvqGeometry.h"
#include "jvqHandleObject.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqToolMath.h"
#include "jvqUndoManager.h"
#include "jvqView.h"
#include "jvqViewHost.h"
#include "qvzHelpers.h"

#define SECTOR_CURSOR_ID 1013

jvqArcBaseTool::jvqArcBaseTool(jvqView* pView, int nToolId, const char* pszCaption, int nClassCode)
    : jvqSelectTool(pView), m_nStage(0), m_pMaking(NULL), m_bMouseSeen(0), m_nMakeCode(nClassCode) {
  m_nToolId = nToolId;
  m_strCaption = m_strSavedCaption = pszCaption;
  m_CirclePainter = nClassCode == JVQ_OBJ_PIE ? theSolidLineStyle : theDotLineStyle;
  m_SectorPainter = theXorSolidStyle;
  m_RadiusPainter = theXorDotStyle;
  if (m_pView) m_pView->SetCursorId(SECTOR_CURSOR_ID);
  m_bNothingDrawn = 1;
  ::SetRectEmpty(&m_rcFrame);
  m_ptStartPoint.x = m_ptStartPoint.y = 0;
  m_ptFinish = m_ptStartPoint;
}

jvqPieTool::jvqPieTool(jvqView* pView) : jvqArcBaseTool(pView, TOOLID_PIE, "扇形の作成", JVQ_OBJ_PIE) {}
jvqArcTool::jvqArcTool(jvqView* pView) : jvqArcBaseTool(pView, TOOLID_ARC, "円弧の作成", JVQ_OBJ_ARC) {}
jvqChordTool::jvqChordTool(jvqView* pView) : jvqArcBaseTool(pView, TOOLID_CHORD, "弓形の作成", JVQ_OBJ_CHORD) {}

jvqArcBaseTool::~jvqArcBaseTool() { DropMaking(); }

void jvqArcBaseTool::DropMaking() {
  delete m_pMaking;
  m_pMaking = NULL;
}

int jvqArcBaseTool::AngleOf(POINT pt) { return GetEllipsePointAngle(m_rcFrame, pt); }

POINT jvqArcBaseTool::FrameCenter() {
  POINT c = {(m_rcFrame.left + m_rcFrame.right) / 2, (m_rcFrame.top + m_rcFrame.bottom) / 2};
  return c;
}

void jvqArcBaseTool::OnLButtonDblClk(UINT nFlags, int x, int y) {
  m_ptStart.x = m_ptPrev.x = x;
  m_ptStart.y = m_ptPrev.y = y;
}

void jvqArcBaseTool::OnLButtonDown(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  m_ptStart.x = m_ptPrev.x = m_ptCurrent.x = x;
  m_ptStart.y = m_ptPrev.y = m_ptCurrent.y = y;
  m_bMouseSeen = 1;
  jvqObject* hit = HitAt(x, y);
  jvqObject* target = jvqIsMarkerObject(hit) ? hit->m_pParent : hit;
  if (hit && target && !jvqIsPageObject(target) && !jvqIsLockedObject(hit) &&
      (target->GetState() & JVQ_STATE_SELECTED)) {
    const BOOL bOwnerFree = !jvqIsLockedObject(target);
    if (jvqIsMarkerKind(hit, JVQ_HANDLE_RESIZE)) {
      DropMaking();
      m_nStage = 0;
      if (bOwnerFree) BeginResize(nFlags, x, y);
      return;
    }
    if (jvqIsMarkerKind(hit, JVQ_HANDLE_LABEL)) {
      DropMaking();
      m_nStage = 0;
      if (bOwnerFree) BeginRotate(nFlags, x, y);
      return;
    }
    if (!jvqIsMarkerObject(hit)) {
      DropMaking();
      m_nStage = 0;
      UINT f = nFlags;
      if (jvqIsKeyDown(VK_MENU)) {
        f |= JVQ_MK_ALT;
        SelectAt(f, x, y);
      }
      BeginMove(f, x, y);
      return;
    }
  }
  POINT pt = {x, y};
  switch (m_nStage) {
    case 0:
      BeginCircle(x, y);
      break;
    case 1:
      SetStartPoint(x, y);
      CreateSector(pt);
      DragEndAngle(nFlags, x, y);
      break;
    case 2:
      Finish(nFlags, x, y);
      m_nStage = 10;
      break;
    default:
      m_nStage = 0;
      BeginCircle(x, y);
      break;
  }
}

void jvqArcBaseTool::BeginCircle(int x, int y) {
  m_pView->SetCursorId(SECTOR_CURSOR_ID);
  Capture();
  m_ptStart.x = x;
  m_ptStart.y = y;
  m_bNothingDrawn = 1;
  m_bBusy = 1;
}

void jvqArcBaseTool::OnMouseMove(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  m_ptCurrent.x = x;
  m_ptCurrent.y = y;
  if (!m_bMouseSeen) {
    // Hovering only takes the place: the mouse is captured by a press, so that a pointer
    // passing over the view on its way to a menu leaves the menu working.
    m_ptStart = m_ptPrev = m_ptCurrent;
    m_bMouseSeen = 1;
    m_pView->SetCursorId(SECTOR_CURSOR_ID);
    m_bBusy = 1;
    return;
  }
  const int id = m_pView->GetCursorId();
  if (id >= 3 && id <= 7) {
    if (nFlags & MK_LBUTTON) DragResize(nFlags, x, y);
  } else if (id == 2) {
    DragMove(nFlags, x, y);
  } else if (id == 8) {
    if (nFlags & MK_LBUTTON) DragRotate(nFlags, x, y);
  } else if (id == SECTOR_CURSOR_ID) {
    if (m_nStage == 0) {
      if (nFlags & MK_LBUTTON) DragCircle(nFlags, x, y);
    } else if (m_nStage == 1) {
      DragStartAngle(nFlags, x, y);
    } else if (m_nStage == 2) {
      DragEndAngle(nFlags, x, y);
    }
    if (s_hSector) ::SetCursor(s_hSector);
  }
}

void jvqArcBaseTool::OnLButtonUp(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  m_ptCurrent.x = x;
  m_ptCurrent.y = y;
  const int id = m_pView->GetCursorId();
  if (id >= 3 && id <= 7) {
    EndResize(nFlags, x, y);
    m_ptPrev = m_ptCurrent;
    return;
  }
  POINT a = m_ptStart, b = m_ptCurrent;
  m_pView->PointToDevice(&a, &a);
  m_pView->PointToDevice(&b, &b);
  const BOOL bMoved = abs(a.x - b.x) > 1 || abs(a.y - b.y) > 1;
  if (id == SECTOR_CURSOR_ID) {
    if (m_nStage == 0) {
      if (bMoved) {
        EndCircle(nFlags, x, y);
      } else {
        if (nFlags & (MK_SHIFT | MK_CONTROL)) {
          jvqObject* hit = HitAt(x, y);
          if (jvqIsMarkerObject(hit)) hit = hit->m_pParent;
          if (hit && !jvqIsPageObject(hit) && a.x == b.x && a.y == b.y) {
            hit->m_dwState |= JVQ_STATE_SELECTED;
            m_pView->Redraw();
          }
        } else {
          SelectAt(nFlags, x, y);
        }
        Reset();
        m_ptPrev = m_ptCurrent;
        m_bDone = 1;
      }
    } else if (m_nStage == 1) {
      SetStartPoint(x, y);
    } else if (m_nStage == 2) {
      if (bMoved) Finish(nFlags, x, y);
    }
  } else if (id == 2) {
    EndMove(nFlags, x, y);
  } else if (id == 8) {
    EndRotate(nFlags, x, y);
  } else if (m_nStage != 10) {
    if (nFlags & MK_SHIFT) {
      jvqObject* hit = HitAt(x, y);
      if (hit && !jvqIsPageObject(hit)) {
        hit->m_dwState |= JVQ_STATE_SELECTED;
        m_pView->Redraw();
      }
    } else {
      SelectAt(nFlags, x, y);
    }
  }
  m_ptPrev = m_ptCurrent;
}

void jvqArcBaseTool::DragCircle(UINT nFlags, int x, int y) {
  POINT raw = {x, y};
  POINT p = SnapPoint(nFlags, raw);
  CClientDC dc(m_pView);
  m_pView->OnPrepareDC(&dc);
  if (m_bNothingDrawn) {
    m_ptStart = SnapPoint(nFlags, m_ptStart);
  } else {
    RECT old = jvqNormalRect(m_ptStart, m_ptPrev);
    theXorDotStyle.DrawRect(&dc, &old);
  }
  RECT r = (nFlags & MK_SHIFT) ? MakeSquareRect(m_ptStart, p) : jvqNormalRect(m_ptStart, p);
  theXorDotStyle.DrawRect(&dc, &r);
  m_strCaption = m_strSavedCaption + jvqSizeCaption(r);
  m_ptPrev.x = r.left == m_ptStart.x ? r.right : r.left;
  m_ptPrev.y = r.top == m_ptStart.y ? r.bottom : r.top;
  m_bNothingDrawn = 0;
}

void jvqArcBaseTool::EndCircle(UINT nFlags, int x, int y) {
  POINT raw = {x, y};
  POINT p = SnapPoint(nFlags, raw);
  CollectSelection(TRUE);
  m_pView->ClearSelection();
  InvalidateList(m_Work);
  m_Work.m_items.clear();
  m_strCaption = m_strSavedCaption;
  if (nFlags & MK_SHIFT) {
    RECT r = MakeSquareRect(m_ptStart, p);
    m_ptStart.x = r.left;
    m_ptStart.y = r.top;
    p.x = r.right;
    p.y = r.bottom;
  }
  if (CreateCircle(m_ptStart, p)) {
    m_nStage = 1;
    m_bNothingDrawn = 1;
  } else {
    // Too small for an ellipse: a click at the release, and the tool waits for a frame.
    m_pView->InvalidateAll();
    SelectAt(nFlags, x, y);
    Release();
    m_bBusy = 0;
    m_pView->SetCursorId(SECTOR_CURSOR_ID);
    m_bNothingDrawn = 1;
  }
}

BOOL jvqArcBaseTool::CreateCircle(POINT ptStart, POINT ptEnd) {
  m_rcFrame = jvqNormalRect(ptStart, ptEnd);
  if (m_rcFrame.right - m_rcFrame.left < 10 || m_rcFrame.bottom - m_rcFrame.top < 10) return FALSE;
  jvqEllipseObject* e = (jvqEllipseObject*)jvqObjectDefaults::CreateObject(JVQ_OBJ_ELLIPSE);
  if (e == NULL) return FALSE;
  e->Create(&m_rcFrame, &m_pView->m_Mapping, 0x311);
  m_FrameEllipse.Create(&m_rcFrame, &m_pView->m_Mapping, 0x311);
  m_pView->SetModifiedFlag(TRUE);
  m_pView->Redraw();
  if (m_pView->m_hWnd) m_pView->UpdateWindow();
  CClientDC dc(m_pView);
  m_pView->OnPrepareDC(&dc);
  e->DrawOutline(&dc, &theDotLineStyle);
  DropMaking();
  m_pMaking = e;
  return TRUE;
}

void jvqArcBaseTool::DragStartAngle(UINT nFlags, int x, int y) {
  POINT p = {x, y};
  CClientDC dc(m_pView);
  m_pView->OnPrepareDC(&dc);
  POINT c = FrameCenter();
  jvqLineStyle& radius = IsPie() ? m_SectorPainter : theXorDotStyle;
  if (!m_bNothingDrawn) {
    POINT old = PointOnEllipseAtAngle(m_rcFrame, m_ptPrev);
    radius.DrawLine(&dc, &c, &old);
  }
  POINT now = PointOnEllipseAtAngle(m_rcFrame, p);
  radius.DrawLine(&dc, &c, &now);
  if (m_pMaking) m_pMaking->DrawOutline(&dc, IsPie() ? &m_CirclePainter : &theDotLineStyle);
  CString s;
  s.Format(" 角度 開始:%d度", NormalizeAngle(AngleOf(p)));
  m_strCaption = m_strSavedCaption + s;
  m_ptPrev = p;
  m_bNothingDrawn = 0;
}

void jvqArcBaseTool::SetStartPoint(int x, int y) {
  POINT p = {x, y};
  m_ptStartPoint = PointOnEllipseAtAngle(m_rcFrame, p);
  m_nStage = 2;
  m_pView->Redraw();
  if (m_pView->m_hWnd) m_pView->UpdateWindow();
  m_bNothingDrawn = 1;
  m_bBusy = 1;
}

void jvqArcBaseTool::CreateSector(POINT pt) {
  m_pView->SetCursorId(SECTOR_CURSOR_ID);
  if (!IsPie()) pt = SnapPoint(m_nKeyFlags, pt);
  const int a = AngleOf(pt);
  jvqObject* o = jvqObjectDefaults::CreateObject(m_nMakeCode);
  if (o == NULL) return;
  if (IsPie()) {
    jvqPieObject* pie = (jvqPieObject*)o;
    pie->Create(&m_rcFrame, &m_pView->m_Mapping, pie->m_dwState, a, a);
    GetObjectDefaults()->ApplyDefaults(pie);
    m_bBusy = 1;
  } else if (m_nMakeCode == JVQ_OBJ_ARC) {
    jvqArcObject* arc = (jvqArcObject*)o;
    arc->Create(&m_rcFrame, &m_pView->m_Mapping, 0x151, 0, 180);
    GetObjectDefaults()->ApplyDefaults(arc);
    arc->SetStartAngle(a);
  } else {
    jvqChordObject* chord = (jvqChordObject*)o;
    chord->Create(&m_rcFrame, &m_pView->m_Mapping, 0x151, 0, 180);
    GetObjectDefaults()->ApplyDefaults(chord);
    chord->SetStartAngle(a);
  }
  DropMaking();
  m_pMaking = o;
  m_ptStart = m_ptPrev = pt;
}

static void SetEnd(jvqObject* o, int a) {
  if (o->GetClassCode() == JVQ_OBJ_ARC)
    ((jvqArcObject*)o)->SetEndAngle(a);
  else
    ((jvqPieObject*)o)->SetEndAngle(a);
}

static void GetAngles(jvqObject* o, int* s, int* e) {
  if (o->GetClassCode() == JVQ_OBJ_ARC) {
    *s = ((jvqArcObject*)o)->GetStartAngle();
    *e = ((jvqArcObject*)o)->GetEndAngle();
  } else {
    *s = ((jvqPieObject*)o)->GetStartAngle();
    *e = ((jvqPieObject*)o)->GetEndAngle();
  }
}

void jvqArcBaseTool::DragEndAngle(UINT nFlags, int x, int y) {
  if (m_pMaking == NULL || m_pMaking->GetClassCode() == JVQ_OBJ_ELLIPSE) return;
  POINT p = {x, y};
  const int a = AngleOf(p);
  CClientDC dc(m_pView);
  m_pView->OnPrepareDC(&dc);
  POINT c = FrameCenter();
  if (!m_bNothingDrawn) {
    m_pMaking->DrawOutline(&dc, &m_SectorPainter);
    if (!IsPie()) {
      POINT old = PointOnEllipseAtAngle(m_rcFrame, m_ptPrev);
      m_RadiusPainter.DrawLine(&dc, &c, &old);
    }
  }
  SetEnd(m_pMaking, a);
  m_ptPrev = p;
  m_pMaking->DrawOutline(&dc, &m_SectorPainter);
  if (!IsPie()) {
    POINT now = PointOnEllipseAtAngle(m_rcFrame, p);
    m_RadiusPainter.DrawLine(&dc, &c, &now);
    theDotLineStyle.DrawLine(&dc, &c, &m_ptStartPoint);
  }
  int s, e;
  GetAngles(m_pMaking, &s, &e);
  CString t;
  t.Format(" 角度 開始:%d度 終了:%d度", NormalizeAngle(s), NormalizeAngle(e));
  m_strCaption = m_strSavedCaption + t;
  m_bNothingDrawn = 0;
}

void jvqArcBaseTool::Finish(UINT nFlags, int x, int y) {
  jvqPage* page = Page();
  jvqObject* o = m_pMaking;
  if (o == NULL || page == NULL || o->GetClassCode() == JVQ_OBJ_ELLIPSE) return;
  int s, e;
  GetAngles(o, &s, &e);
  if (o->GetClassCode() == JVQ_OBJ_ARC)
    ((jvqArcObject*)o)->SetShapeWhileDragging(&m_rcFrame, &m_pView->m_Mapping, o->m_dwState, s, e);
  else
    ((jvqPieObject*)o)->SetShapeWhileDragging(&m_rcFrame, &m_pView->m_Mapping, o->m_dwState, s, e);
  GetObjectDefaults()->ApplyDefaults(o);
  o->Recalc();
  m_pMaking = NULL;
  theUndoManager.RecordAdded(o);
  page->AddChild(o);
  m_pView->Select(o, FALSE);
  m_pView->Redraw();
  if (m_pView->m_hWnd) m_pView->UpdateWindow();
  m_pView->SetModifiedFlag(TRUE);
  m_nStage = 0;
  Release();
  m_bNothingDrawn = 1;
  jvqGetViewHost()->SwitchBar(FALSE);
  m_strCaption = m_strSavedCaption;
  m_ptFinish.x = x;
  m_ptFinish.y = y;
  m_bDone = 1;
  m_bBusy = 0;
}

void jvqArcBaseTool::Reset() {
  m_strCaption = m_strSavedCaption;
  DropMaking();
  m_pView->Redraw();
  if (m_pView->m_hWnd) m_pView->UpdateWindow();
  m_pView->SetModifiedFlag(TRUE);
  m_nStage = 0;
  Release();
  m_bNothingDrawn = 1;
  jvqGetViewHost()->SwitchBar(FALSE);
  m_ptStart = m_ptPrev;
  m_pView->SetCursorId(0);
  m_bBusy = 0;
}

HCURSOR jvqArcBaseTool::GetCursor(POINT pt) {
  if (m_pView == NULL || Page() == NULL) return NULL;
  if (HCURSOR h = GestureCursor()) return h;
  jvqObject* hit = HitAt(pt.x, pt.y);
  if (hit == NULL || jvqIsPageObject(hit) || jvqIsLockedObject(hit)) return s_hSector;
  if (jvqIsMarkerObject(hit)) {
    if (!IsPie()) {
      const int i = hit->m_pParent ? hit->m_pParent->FindHandle(hit) : -1;
      if (i < 0 || i > 7) return NULL;
    }
    return GetHandleCursor(hit);
  }
  if (hit->GetState() & JVQ_STATE_SELECTED) return s_hMove;
  return s_hSector;
}
