// The select tool's gestures that change shapes: resizing by a handle (also at fixed
// floor-plan scales), turning by the label marker and dragging a vertex.
#include "jvqGeometry.h"
#include "jvqHandleObject.h"
#include "jvqMadorizuObject.h"
#include "jvqPage.h"
#include "jvqPolylineObject.h"
#include "jvqSelectTool.h"
#include "jvqSnap.h"
#include "jvqUndoManager.h"
#include "jvqView.h"
#include "jvqViewHost.h"
#include "qvzToolTipWnd.h"

static BOOL IsLockedObj(jvqObject* o) { return o && (o->GetState() & JVQ_STATE_LOCKED); }

// Resizing.

void jvqSelectTool::BeginResize(UINT nFlags, int x, int y) {
  jvqObject* hit = HitAt(x, y);
  if (hit == NULL || !(hit->GetClassCode() & JVQ_OBJ_HANDLE) || hit->m_pParent == NULL) return;
  jvqObject* owner = hit->m_pParent;
  jvqPage* page = Page();
  Capture();
  ResetPoints(x, y);
  m_pView->SetCursorId(GetHandleCursorId(hit));
  m_pDragMarker = hit;
  if (owner == page) return;
  const int vi = owner->FindVertexMarker(hit);
  const int ri = owner->FindHandle(hit);
  m_bDragVertex = vi >= 0;
  m_nDragIndex = vi >= 0 ? vi : ri;
  InvalidateList(m_Work);
  CollectSelection(FALSE);
  std::vector<jvqObject*> targets;
  if (!m_bDragVertex && ri >= 0 && (ri % 2) == 1) {
    // An edge handle resizes the whole selection, each by its own handle.
    targets = m_Work.m_items;
  } else {
    targets.push_back(owner);
  }
  m_Work.m_items.clear();
  m_Sources.m_items.clear();
  for (jvqObject* s : targets) {
    jvqObject* c = s->Clone();
    if (c == NULL) continue;
    jvqObject* marker = m_bDragVertex ? (m_nDragIndex < c->m_VertexMarkers.GetCount() ? c->GetVertexMarker(m_nDragIndex) : NULL)
                                      : (m_nDragIndex < c->m_ResizeHandles.GetCount() ? c->GetHandle(m_nDragIndex) : NULL);
    if (marker == NULL) {
      delete c;
      continue;
    }
    page->InsertChild(page->FindChild(s), c);
    m_Work.Add(c);
    m_Sources.Add(s);
    if (s == owner) m_pDragMarker = marker;
    c->BeginTrack(m_pView->GetCursorId(), marker);
  }
  if (m_Work.GetCount() == 0) {
    CancelGesture();
    return;
  }
  m_strCaption = "サイズ変更";
  m_pDragMarker->GetCenter(&m_ptPrev);
  POINT p = {x, y};
  m_ptCurrent = SnapPoint(nFlags, p);
  m_pView->Redraw();
  DragResize(nFlags, x, y);
}

void jvqSelectTool::DragResize(UINT nFlags, int x, int y) {
  POINT p = {x, y};
  m_ptCurrent = SnapPoint(nFlags, p);
  if (m_ptCurrent.x == m_ptPrev.x && m_ptCurrent.y == m_ptPrev.y) return;
  CClientDC dc(m_pView);
  m_pView->OnPrepareDC(&dc);
  for (jvqObject* c : m_Work.m_items) {
    jvqObject* marker = m_bDragVertex ? c->GetVertexMarker(m_nDragIndex) : c->GetHandle(m_nDragIndex);
    c->Track(&m_ptPrev, &m_ptCurrent, nFlags, marker, &dc);
  }
  if (m_pDragMarker && m_pDragMarker->m_pParent) {
    RECT r;
    m_pDragMarker->m_pParent->GetBoundRect(&r);
    CString s;
    s.Format("サイズ変更 幅: %.1f㎝ 高さ: %.1f㎝", ((r.right - r.left) / 10) * 0.1, ((r.bottom - r.top) / 10) * 0.1);
    m_strCaption = s;
  }
  m_ptPrev = m_ptCurrent;
}

void jvqSelectTool::EndResize(UINT nFlags, int x, int y) {
  BOOL bAsk = FALSE;
  if (!m_bDragVertex && (m_nDragIndex % 2) == 1)
    for (jvqObject* s : m_Sources.m_items)
      if (s->GetClassCode() & 0x100) bAsk = TRUE;
  if (bAsk && jvqGetViewHost()->MessageBox("画像ファイルの縦横比が変更されます。よろしいですか？",
                                           MB_YESNO | MB_DEFBUTTON2) != IDYES) {
    CancelGesture();
    m_pView->Redraw();
    return;
  }
  theUndoManager.BeginStep();
  for (jvqObject* s : m_Sources.m_items) {
    s->m_dwState &= ~JVQ_STATE_ALIVE;
    theUndoManager.RecordRemoved(s);
  }
  InvalidateList(m_Sources);
  for (jvqObject* c : m_Work.m_items) {
    theUndoManager.RecordAdded(c);
    c->EndTrack(m_nDragIndex, m_bDragVertex ? c->GetVertexMarker(m_nDragIndex) : c->GetHandle(m_nDragIndex));
    c->Recalc();
  }
  theUndoManager.EndStep();
  InvalidateList(m_Work);
  m_Work.m_items.clear();
  m_Sources.m_items.clear();
  m_pDragMarker = NULL;
  m_pView->SetCursorId(0);
  m_ptPrev = m_ptCurrent;
  m_bNothingDrawn = 1;
  m_pView->SetModifiedFlag(TRUE);
  m_strCaption = m_strSavedCaption;
  Release();
}

// Fixed-scale resize of floor plans.

static jvqObject* PlanPicture(jvqObject* pPlan) {
  if (pPlan == NULL || pPlan->GetClassCode() != JVQ_OBJ_MADORIZU) return NULL;
  return ((jvqMadorizuObject*)pPlan)->GetPicture();
}

void jvqSelectTool::BeginScaledResize(UINT nFlags, int x, int y) {
  delete m_pScaleTip;
  m_pScaleTip = new qvzToolTipWnd;
  if (!m_pView->m_hWnd || !m_pScaleTip->Create(m_pView, 0, 0, "あいうえ", WS_CHILD, 500)) {
    delete m_pScaleTip;
    m_pScaleTip = NULL;
  }
  m_dWidthRatio = m_dHeightRatio = 1.0;
  jvqObject* hit = HitAt(x, y);
  jvqObject* owner = hit ? hit->m_pParent : NULL;
  if (jvqObject* pic = PlanPicture(owner)) {
    RECT o, p;
    owner->GetBoundRect(&o);
    pic->GetBoundRect(&p);
    if (p.right > p.left) m_dWidthRatio = (double)(o.right - o.left) / (p.right - p.left);
    if (p.bottom > p.top) m_dHeightRatio = (double)(o.bottom - o.top) / (p.bottom - p.top);
  }
  BeginResize(nFlags, x, y);
}

int jvqSelectTool::GetScaleDenominator(jvqObject* pPlan) {
  if (pPlan == NULL || pPlan->GetClassCode() != JVQ_OBJ_MADORIZU) return 0;
  RECT r;
  pPlan->GetBoundRect(&r);
  return jvqScaleDenominator(r.right - r.left, m_dWidthRatio, ((jvqMadorizuObject*)pPlan)->m_nPlanWidth);
}

POINT jvqSelectTool::SnapScaledCorner(jvqObject* pPlan, UINT nFlags, POINT pt) {
  const int i = m_nDragIndex;
  if (pPlan == NULL || pPlan->GetClassCode() != JVQ_OBJ_MADORIZU || m_bDragVertex || (i % 2) != 0) return pt;
  const jvqMadorizuObject* plan = (const jvqMadorizuObject*)pPlan;
  const BOOL bFine = (nFlags & MK_SHIFT) != 0;
  const int* steps = bFine ? theFineScaleSteps : theScaleSteps;
  const int count = bFine ? theFineScaleStepCount : theScaleStepCount;
  const int n0 = GetScaleDenominator(pPlan);
  if (n0 <= 0) return pt;
  const int k = jvqNearestScaleStep(steps, count, n0);
  const int ns[3] = {steps[k > 0 ? k - 1 : k], steps[k], steps[k + 1 < count ? k + 1 : k]};
  RECT r;
  pPlan->GetBoundRect(&r);
  int cx[3], cy[3];
  for (int j = 0; j < 3; j++) {
    const int w = (int)((plan->m_nPlanWidth / ns[j]) * m_dWidthRatio);
    const int h = (int)((plan->m_nPlanHeight / ns[j]) * m_dHeightRatio);
    // The opposite corner stays where it is.
    cx[j] = (i == 0 || i == 2) ? r.right - w : r.left + w;
    cy[j] = (i == 0 || i == 6) ? r.bottom - h : r.top + h;
  }
  // The drag moves the handle, whose centre may stand off the corner by a little.
  POINT off = {0, 0};
  if (jvqObject* h = pPlan->GetHandle(i)) {
    POINT c;
    h->GetCenter(&c);
    off.x = c.x - ((i == 0 || i == 2) ? r.left : r.right);
    off.y = c.y - ((i == 0 || i == 6) ? r.top : r.bottom);
  }
  return POINT{jvqNearestOf3(pt.x - off.x, cx) + off.x, jvqNearestOf3(pt.y - off.y, cy) + off.y};
}

void jvqSelectTool::UpdateScaleTip(jvqObject* pPlan, POINT ptCorner) {
  if (m_pScaleTip == NULL || m_pScaleTip->m_hWnd == NULL) return;
  CString text;
  text.Format("縮尺 1：%d", GetScaleDenominator(pPlan));
  POINT d = ptCorner;
  m_pView->PointToDevice(&d, &ptCorner);
  CRect tr;
  m_pScaleTip->GetWindowRect(&tr);
  const int w = tr.Width(), h = tr.Height();
  POINT at = d;
  switch (m_nDragIndex) {
    case 0: at = {d.x - w - 5, d.y - h - 5}; break;
    case 2: at = {d.x - w - 5, d.y + h + 5}; break;
    case 4: at = {d.x + 5, d.y + h + 5}; break;
    case 6: at = {d.x + 5, d.y - h - 5}; break;
  }
  CRect now;
  m_pScaleTip->GetWindowRect(&now);
  m_pView->ScreenToClient(&now);
  CString old;
  m_pScaleTip->GetWindowText(old);
  const BOOL bMoved = now.left != at.x || now.top != at.y;
  const BOOL bChanged = old != text;
  if (bMoved) m_pScaleTip->SetWindowPos(NULL, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (bChanged) m_pScaleTip->SetText(text);
  m_pScaleTip->ShowWindow(SW_SHOW);
  if (bMoved || bChanged) m_pScaleTip->RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

void jvqSelectTool::DragScaledResize(UINT nFlags, int x, int y) {
  jvqObject* owner = m_pDragMarker ? m_pDragMarker->m_pParent : NULL;
  if (owner == NULL) return;
  // The plan is not recalculated while it is dragged: a group's Recalc would take its frame
  // back to its children's, which only follow at the end of the drag.
  owner->m_dwState |= JVQ_STATE_SCALED_RESIZE;
  POINT p = {x, y};
  // The scale steps replace the grid here.
  m_ptCurrent = SnapScaledCorner(owner, nFlags, p);
  if (m_ptCurrent.x != m_ptPrev.x || m_ptCurrent.y != m_ptPrev.y) {
    CClientDC dc(m_pView);
    m_pView->OnPrepareDC(&dc);
    for (jvqObject* c : m_Work.m_items) {
      jvqObject* marker = m_bDragVertex ? c->GetVertexMarker(m_nDragIndex) : c->GetHandle(m_nDragIndex);
      // Floor plans always keep their proportions.
      const UINT f = (c->GetClassCode() & 0x400000) ? (nFlags & ~MK_SHIFT) : nFlags;
      c->Track(&m_ptPrev, &m_ptCurrent, f, marker, &dc);
    }
    m_ptPrev = m_ptCurrent;
  }
  RECT r;
  owner->GetBoundRect(&r);
  POINT corner;
  switch (m_nDragIndex) {
    case 0: corner = {r.left, r.top}; break;
    case 2: corner = {r.left, r.bottom}; break;
    case 4: corner = {r.right, r.bottom}; break;
    case 6: corner = {r.right, r.top}; break;
    default: return;
  }
  CString caption;
  caption.Format("サイズ変更 幅: %.1f㎝ 高さ: %.1f㎝", ((r.right - r.left) / 10) * 0.1, ((r.bottom - r.top) / 10) * 0.1);
  m_strCaption = caption;
  if (!m_bDragVertex) UpdateScaleTip(owner, corner);
}

void jvqSelectTool::EndScaledResize(UINT nFlags, int x, int y) {
  delete m_pScaleTip;
  m_pScaleTip = NULL;
  if (m_pDragMarker && m_pDragMarker->m_pParent) m_pDragMarker->m_pParent->m_dwState &= ~JVQ_STATE_SCALED_RESIZE;
  EndResize(nFlags, x, y);
  m_pView->Redraw();
}

// Turning by the label marker.

void jvqSelectTool::BeginRotate(UINT nFlags, int x, int y) {
  jvqObject* hit = HitAt(x, y);
  m_ptStart.x = m_ptPrev.x = x;
  m_ptStart.y = m_ptPrev.y = y;
  if (hit == NULL || !(hit->GetClassCode() & JVQ_OBJ_HANDLE) || hit->m_pParent == NULL ||
      hit->m_pParent->m_pLabelMarker != hit)
    return;
  jvqObject* owner = hit->m_pParent;
  m_pView->SetCursorId(8);
  Capture();
  m_pRotateClone = theUndoManager.BeginEditObject(owner);
  if (m_pRotateClone == NULL) {
    m_pView->SetCursorId(0);
    Release();
    return;
  }
  m_pDragMarker = m_pRotateClone->m_pLabelMarker;
  m_pRotateClone->m_dwState &= ~JVQ_STATE_VISIBLE;
  m_bNothingDrawn = 1;
}

void jvqSelectTool::DragRotate(UINT nFlags, int x, int y) {
  if (!(nFlags & MK_LBUTTON) || m_pRotateClone == NULL) return;
  CClientDC dc(m_pView);
  m_pView->OnPrepareDC(&dc);
  POINT centre;
  m_pRotateClone->GetCenter(&centre);
  if (m_pRotateGhost) {
    m_pRotateGhost->DrawOutline(&dc, &theXorDotStyle);
    theXorSolidStyle.DrawLine(&dc, &centre, &m_ptPrev);
    delete m_pRotateGhost;
    m_pRotateGhost = NULL;
  }
  m_pRotateGhost = m_pRotateClone->Clone();
  if (m_pRotateGhost == NULL) return;
  m_pRotateGhost->m_dwState |= JVQ_STATE_VISIBLE;
  if (m_bNothingDrawn) {
    m_dAngleOffset = GetLineAngle(&centre, &m_ptStart) - m_pRotateClone->m_dRotation;
    m_bNothingDrawn = 0;
  }
  POINT gc;
  m_pRotateGhost->GetCenter(&gc);
  POINT p = {x, y};
  m_pRotateGhost->SetRotation((int)(GetLineAngle(&gc, &p) - m_dAngleOffset));
  m_pRotateGhost->DrawOutline(&dc, &theXorDotStyle);
  theXorSolidStyle.DrawLine(&dc, &centre, &p);
  m_ptPrev = p;
}

void jvqSelectTool::EndRotate(UINT nFlags, int x, int y) {
  if (m_pRotateGhost && m_pRotateClone) {
    m_pRotateClone->m_dwState |= JVQ_STATE_VISIBLE;
    m_pRotateClone->SetRotation((int)m_pRotateGhost->m_dRotation);
    theUndoManager.EndEdit();
    delete m_pRotateGhost;
    m_pRotateGhost = NULL;
    m_pView->InvalidateAll();
    m_pView->SetModifiedFlag(TRUE);
  } else if (m_pRotateClone) {
    // Released without turning: the hidden clone goes and no step stays open.
    theUndoManager.CancelEdit();
  }
  m_pView->SetCursorId(0);
  m_dAngleOffset = 0;
  m_bNothingDrawn = 1;
  m_pRotateClone = NULL;
  m_pDragMarker = NULL;
  Release();
}

// Dragging a vertex.

void jvqSelectTool::BeginVertexDrag(UINT nFlags, int x, int y) {
  jvqObject* hit = HitAt(x, y);
  POINT p = {x, y};
  m_ptStart = SnapPoint(nFlags, p);
  if (hit == NULL || !(hit->GetClassCode() & JVQ_OBJ_HANDLE) || hit->m_pParent == NULL) return;
  jvqObject* owner = hit->m_pParent;
  const int i = owner->FindVertexMarker(hit);
  if (i < 0 || IsLockedObj(owner)) return;
  Capture();
  m_pView->SetCursorId(9);
  hit->GetCenter(&m_ptPrev);
  jvqObject* clone = theUndoManager.BeginEditObject(owner);
  if (clone == NULL || i >= clone->m_VertexMarkers.GetCount()) {
    if (clone) theUndoManager.CancelEdit();
    m_pView->SetCursorId(0);
    Release();
    return;
  }
  m_nDragIndex = i;
  m_pDragMarker = clone->GetVertexMarker(i);
  clone->BeginTrack(9, m_pDragMarker);
  m_bNothingDrawn = 1;
}

POINT jvqSelectTool::AlignVertex(POINT pt) {
  jvqObject* owner = m_pDragMarker ? m_pDragMarker->m_pParent : NULL;
  if (owner == NULL) return pt;
  const int c = owner->GetPointCount();
  const int i = m_nDragIndex;
  const BOOL bOpen = (owner->GetState() & JVQ_STATE_OPEN) != 0;
  if (c == 1) return jvqAlignToNeighbour(pt, m_ptStart);
  if (bOpen && (i == 0 || i == c - 1)) {
    POINT ref;
    owner->GetPoint(&ref, i == 0 ? 1 : c - 2);
    return jvqAlignToNeighbour(pt, ref);
  }
  const int n = owner->m_VertexMarkers.GetCount();
  if (n < 2) return pt;
  POINT prev, next;
  owner->GetVertexMarker((i + n - 1) % n)->GetCenter(&prev);
  owner->GetVertexMarker((i + 1) % n)->GetCenter(&next);
  return jvqAlignBetween(pt, prev, next);
}

void jvqSelectTool::DragVertex(UINT nFlags, int x, int y) {
  POINT p = {x, y};
  m_ptCurrent = SnapPoint(nFlags, p);
  if (nFlags & MK_SHIFT) m_ptCurrent = AlignVertex(m_ptCurrent);
  if (!(nFlags & MK_LBUTTON) || m_pDragMarker == NULL) return;
  jvqObject* owner = m_pDragMarker->m_pParent;
  if (owner == NULL) return;
  // The balloon's own points follow the pointer unsnapped; balloons come with the text
  // objects.
  if (owner->GetClassCode() == JVQ_OBJ_BALLOON) m_ptCurrent = p;
  if (m_bNothingDrawn && (owner->GetClassCode() & 4) && !(owner->GetClassCode() & 8)) {
    m_bNothingDrawn = 0;
    return;
  }
  m_bNothingDrawn = 0;
  CClientDC dc(m_pView);
  m_pView->OnPrepareDC(&dc);
  owner->Track(&m_ptPrev, &m_ptCurrent, nFlags, m_pDragMarker, &dc);
  m_ptPrev = m_ptCurrent;
}

void jvqSelectTool::EndVertexDrag(UINT nFlags, int x, int y) {
  POINT p = {x, y};
  m_ptCurrent = SnapPoint(nFlags, p);
  if (m_pDragMarker && m_pDragMarker->m_pParent) {
    jvqObject* owner = m_pDragMarker->m_pParent;
    const int code = owner->GetClassCode();
    if (m_bNothingDrawn) {
      // Released without a drag step: nothing changed, so the edit is dropped.
      owner->EndTrack(9, m_pDragMarker);
      theUndoManager.CancelEdit();
    } else {
      if (code == JVQ_OBJ_POLYLINE || code == JVQ_OBJ_LINETEXT) {
        const int n = owner->m_VertexMarkers.GetCount();
        int i = m_nDragIndex;
        if (code == JVQ_OBJ_POLYLINE && n > 3 && (i == 0 || i == n - 1) && (owner->GetState() & JVQ_STATE_OPEN)) {
          RECT a, b, r;
          owner->GetVertexMarker(0)->GetBoundRect(&a);
          owner->GetVertexMarker(n - 1)->GetBoundRect(&b);
          // The other end is where the dragged one now stands.
          RECT& moved = (i == 0) ? a : b;
          const int w = (moved.right - moved.left) / 2, h = (moved.bottom - moved.top) / 2;
          moved.left = m_ptCurrent.x - w;
          moved.right = m_ptCurrent.x + w;
          moved.top = m_ptCurrent.y - h;
          moved.bottom = m_ptCurrent.y + h;
          if (::IntersectRect(&r, &a, &b)) {
            owner->m_dwState &= ~JVQ_STATE_OPEN;
            ((jvqPolylineObject*)owner)->RemoveVertex(n - 1);
            if (i == n - 1) i = -1;
          }
        }
        owner->EndTrack(9, m_pDragMarker);
        jvqPointList* outline = owner->GetGeometry();
        if (i >= 0 && i < outline->GetCount()) outline->SetAt(i, &m_ptCurrent);
        owner->Recalc();
      } else {
        owner->EndTrack(9, m_pDragMarker);
        owner->Recalc();
      }
      theUndoManager.EndEdit();
      m_pView->SetModifiedFlag(TRUE);
    }
    m_pView->Redraw();
    m_bNothingDrawn = 1;
    m_pDragMarker = NULL;
  }
  m_pView->SetCursorId(0);
  Release();
}
