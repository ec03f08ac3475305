#include "qvzPaletteToolBar.h"

IMPLEMENT_DYNAMIC(qvzPaletteToolBar, CToolBar)

BEGIN_MESSAGE_MAP(qvzPaletteToolBar, CToolBar)
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDOWN()
  ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

qvzPaletteToolBar::qvzPaletteToolBar() : m_nColumns(2), m_bPopup(FALSE), m_rectOwnerButton(0, 0, 0, 0), m_bCaptionRemoved(FALSE) {
  m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = 5;
  m_cyBottomBorder = 50;
}

void qvzPaletteToolBar::SetColumns(int nColumns) {
  m_nColumns = nColumns;
  if (m_hWnd == NULL || nColumns <= 0) return;
  const int n = (int)SendMessage(TB_BUTTONCOUNT);
  for (int i = 0; i < n; i++) {
    TBBUTTON tb = {};
    SendMessage(TB_GETBUTTON, i, (LPARAM)&tb);
    BYTE state = tb.fsState;
    if ((i + 1) % nColumns == 0)
      state |= TBSTATE_WRAP;
    else
      state &= ~TBSTATE_WRAP;
    SendMessage(TB_SETSTATE, tb.idCommand, MAKELPARAM(state, 0));
  }
  Invalidate();
  if (CFrameWnd* f = GetParentFrame()) f->RecalcLayout();
}

BOOL qvzPaletteToolBar::InActiveArea(CPoint pt) {
  CRect rc;
  GetWindowRect(&rc);
  rc.top = m_rectOwnerButton.bottom;
  return rc.PtInRect(pt);
}

void qvzPaletteToolBar::HidePopup() {
  m_bPopup = FALSE;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  if (CFrameWnd* f = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd())) f->ShowControlBar(this, FALSE, FALSE);
}

void qvzPaletteToolBar::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_bPopup) {
    CPoint pt = point;
    ClientToScreen(&pt);
    if (!InActiveArea(pt) && !m_rectOwnerButton.PtInRect(pt)) {
      HidePopup();
      return;
    }
  }
  Default();
}

void qvzPaletteToolBar::OnLButtonUp(UINT nFlags, CPoint point) {
  Default();
  CPoint pt = point;
  ClientToScreen(&pt);
  if (m_bPopup && InActiveArea(pt)) HidePopup();
}

void qvzPaletteToolBar::OnLButtonDown(UINT nFlags, CPoint point) {
  CRect rc;
  GetClientRect(&rc);
  if (rc.PtInRect(point)) Default();
}

// A floating palette shows no caption of its own.
void qvzPaletteToolBar::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
  CToolBar::OnWindowPosChanged(lpwndpos);
  if (IsFloating()) {
    CWnd* mini = GetParentFrame();
    if (!m_bCaptionRemoved && mini) {
      mini->ModifyStyle(WS_CAPTION | WS_SYSMENU, 0, SWP_FRAMECHANGED);
      m_bCaptionRemoved = TRUE;
    }
  } else {
    m_bCaptionRemoved = FALSE;
  }
}
