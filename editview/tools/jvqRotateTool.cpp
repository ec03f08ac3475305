#include "jvqRotateTool.h"

#include "BaseImage.h"
#include "jvqGeometry.h"
#include "jvqImageFill.h"
#include "jvqImageObject.h"
#include "jvqPage.h"
#include "jvqToolMath.h"
#include "jvqUndoManager.h"
#include "jvqView.h"
#include "jvqViewHost.h"
#include "qvzHelpers.h"

jvqRotateTool::jvqRotateTool(jvqView* pView) : jvqSelectTool(pView) {
  m_nToolId = TOOLID_ROTATE;
  if (m_pView) m_pView->SetCursorId(8);
  m_strCaption = m_strSavedCaption = "回転";
  m_bDone = 0;
}

static BOOL MayTurn(jvqObject* owner) {
  return owner && !jvqIsLockedObject(owner) && !(owner->GetEditFlags() & 1);
}

void jvqRotateTool::OnLButtonDown(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  m_bButtonDown = 1;
  m_ptStart.x = x;
  m_ptStart.y = y;
  jvqObject* hit = HitAt(x, y);
  if (hit == NULL || jvqIsPageObject(hit) || jvqIsLockedObject(hit)) {
    BeginRubberBand(nFlags, x, y);
    return;
  }
  if (jvqIsMarkerObject(hit)) {
    if (MayTurn(hit->m_pParent)) BeginRotate(nFlags, x, y);
    return;
  }
  if (jvqIsKeyDown(VK_MENU)) {
    SelectAt(nFlags | JVQ_MK_ALT, x, y);
    BeginMove(nFlags | JVQ_MK_ALT, x, y);
  } else if ((hit->GetState() & JVQ_STATE_SELECTED) && !(nFlags & MK_SHIFT)) {
    BeginMove(nFlags, x, y);
  } else {
    SelectAt(nFlags, x, y);
    BeginMove(nFlags, x, y);
  }
}

void jvqRotateTool::SelectAt(UINT nFlags, int x, int y) {
  jvqObject* hit = HitAt(x, y);
  m_ptStart.x = m_ptPrev.x = x;
  m_ptStart.y = m_ptPrev.y = y;
  m_pView->SetCursorId(0);
  Release();
  if (jvqIsMarkerObject(hit)) hit = hit->m_pParent;
  if (hit && !jvqIsPageObject(hit) && !jvqIsLockedObject(hit)) {
    if ((hit->GetState() & JVQ_STATE_SELECTED) && (nFlags & MK_SHIFT)) {
      m_pView->Deselect(hit);
      m_pView->Redraw();
      return;
    }
    if (!(nFlags & MK_SHIFT)) m_pView->ClearSelection();
    m_pView->Select(hit, FALSE);
    m_pView->Redraw();
    m_bDone = 1;
  } else {
    m_pView->ClearSelection();
    m_pView->Redraw();
  }
}

void jvqRotateTool::BeginRotate(UINT nFlags, int x, int y) {
  jvqObject* hit = HitAt(x, y);
  m_ptStart.x = m_ptPrev.x = x;
  m_ptStart.y = m_ptPrev.y = y;
  if (!jvqIsMarkerObject(hit) || hit->m_pParent == NULL) return;
  jvqObject* owner = hit->m_pParent;
  if (owner->GetClassCode() & 0x100) {
    jvqImageFill* fill = ((jvqImageObject*)owner)->GetImageFill();
    CBaseImage* image = fill ? fill->GetImage() : NULL;
    if (image) {
      CSize d = image->GetDimensions();
      if (d.cx >= JVQ_ROTATE_IMAGE_LIMIT && d.cy >= JVQ_ROTATE_IMAGE_LIMIT) {
        jvqGetViewHost()->MessageBox("画像サイズが大きいため回転に失敗しました。", MB_OK);
        return;
      }
    }
  }
  m_pView->SetCursorId(8);
  Capture();
  m_pRotateClone = theUndoManager.BeginEditObject(owner);
  if (m_pRotateClone == NULL) {
    Release();
    return;
  }
  m_pDragMarker = hit;
  m_pRotateClone->m_dwState &= ~JVQ_STATE_VISIBLE;
  m_bNothingDrawn = 1;
  m_bBusy = 1;
}

void jvqRotateTool::DragRotate(UINT nFlags, int x, int y) {
  m_ptCurrent.x = x;
  m_ptCurrent.y = y;
  int angle = 0;
  if (m_pRotateClone && m_pDragMarker && (nFlags & MK_LBUTTON)) {
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
    m_pRotateGhost = m_pDragMarker->m_pParent->Clone();
    if (m_pRotateGhost) {
      m_pRotateGhost->m_dwState |= JVQ_STATE_VISIBLE;
      if (m_bNothingDrawn) {
        m_dAngleOffset = GetLineAngle(&centre, &m_ptStart) - m_pRotateClone->m_dRotation;
        m_bNothingDrawn = 0;
      }
      POINT gc;
      m_pRotateGhost->GetCenter(&gc);
      angle = jvqRotationStep((int)(GetLineAngle(&gc, &m_ptCurrent) - m_dAngleOffset), (nFlags & MK_SHIFT) != 0);
      m_pRotateGhost->SetRotation(angle);
      m_pRotateGhost->DrawOutline(&dc, &theXorDotStyle);
      theXorSolidStyle.DrawLine(&dc, &centre, &m_ptCurrent);
    }
  }
  CString s;
  s.Format(": %d度", NormalizeAngle(angle));
  m_strCaption = m_strSavedCaption + s;
  m_ptPrev = m_ptCurrent;
}

void jvqRotateTool::EndRotate(UINT nFlags, int x, int y) {
  m_ptCurrent.x = x;
  m_ptCurrent.y = y;
  if (m_pDragMarker && m_pRotateGhost && m_pRotateClone) {
    m_pRotateGhost->m_dwState &= ~JVQ_STATE_VISIBLE;
    m_pRotateClone->m_dwState |= JVQ_STATE_VISIBLE;
    m_pRotateClone->SetRotation((int)m_pRotateGhost->m_dRotation);
    theUndoManager.EndEdit();
    m_pView->InvalidateAll();
    m_pView->SetModifiedFlag(TRUE);
  } else if (m_pRotateClone) {
    // Pressed and released without turning: the hidden clone goes and no step stays open.
    theUndoManager.CancelEdit();
    m_pView->InvalidateAll();
  }
  delete m_pRotateGhost;
  m_pRotateGhost = NULL;
  m_pView->SetCursorId(8);
  m_dAngleOffset = 0;
  m_bNothingDrawn = 1;
  m_pRotateClone = NULL;
  m_pDragMarker = NULL;
  m_pView->SetModifiedFlag(TRUE);
  Release();
  m_strCaption = m_strSavedCaption;
  m_bDone = 1;
  m_bBusy = 0;
}

void jvqRotateTool::OnLButtonUp(UINT nFlags, int x, int y) {
  jvqSelectTool::OnLButtonUp(nFlags, x, y);
  m_pView->SetCursorId(8);
  m_bDone = 1;
}

HCURSOR jvqRotateTool::GetCursor(POINT pt) {
  if (m_pView->GetCursorId() == 2) return s_hMove;
  jvqObject* hit = HitAt(pt.x, pt.y);
  if (hit == NULL || jvqIsPageObject(hit) || jvqIsLockedObject(hit)) return s_hArrow;
  if (jvqIsMarkerObject(hit)) return (hit->m_pParent && !(hit->m_pParent->GetEditFlags() & 1)) ? s_hRotate : s_hArrow;
  if (hit->GetState() & JVQ_STATE_SELECTED) return s_hMove;
  return s_hArrow;
}
