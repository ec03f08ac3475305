#include "FolderFrameButtons.h"

#include "FolderTabGeometry.h"
#include "qvzMessages.h"

#define IDC_FOLDER_SPLITTER 104

BEGIN_MESSAGE_MAP(CFolderSplitterButton, CButton)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CFolderSplitterButton::CFolderSplitterButton()
    : m_ptPointer(0, 0), m_ptLast(0, 0), m_nMinLeft(40), m_nMax(1000), m_bDragging(FALSE), m_hPrevCursor(NULL),
      m_hSplitCursor(NULL) {}

void CFolderSplitterButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  RECT rc = lpDIS->rcItem;
  ::DrawFrameControl(lpDIS->hDC, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (m_bDragging ? DFCS_PUSHED : 0));
}

void CFolderSplitterButton::DrawPushed(BOOL bPushed) {
  CClientDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  ::DrawFrameControl(dc.m_hDC, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (bPushed ? DFCS_PUSHED : 0));
}

void CFolderSplitterButton::OnLButtonDown(UINT nFlags, CPoint point) {
  Default();
  m_bDragging = TRUE;
  CPoint p = point;
  MapWindowPoints(GetParent(), &p, 1);
  m_ptLast = p;
  if (GetParent()->SendMessage(QVZM_SPLITTERDOWN, p.x, p.y)) DrawPushed(TRUE);
}

void CFolderSplitterButton::OnMouseMove(UINT nFlags, CPoint point) {
  CRect rcClient;
  GetClientRect(&rcClient);
  if (rcClient.PtInRect(point)) {
    if (m_hSplitCursor == NULL) m_hSplitCursor = AfxGetApp() ? AfxGetApp()->LoadCursor(IDC_FOLDER_SPLITTER) : NULL;
    HCURSOR prev = ::SetCursor(m_hSplitCursor ? m_hSplitCursor : ::LoadCursor(NULL, IDC_SIZEWE));
    if (prev != m_hSplitCursor) m_hPrevCursor = prev;
  } else if (!m_bDragging && m_hPrevCursor) {
    ::SetCursor(m_hPrevCursor);
  }
  if (!(nFlags & MK_LBUTTON)) {
    m_bDragging = FALSE;
    return;
  }
  if (!m_bDragging) return;
  CWnd* parent = GetParent();
  CPoint p = point;
  MapWindowPoints(parent, &p, 1);
  CRect rc;
  GetWindowRect(&rc);
  parent->ScreenToClient(&rc);
  rc.OffsetRect(p.x - m_ptLast.x, 0);
  CRect rcParent;
  parent->GetClientRect(&rcParent);
  if (!SplitterMoveAllowed(rc.left, rc.right, m_nMinLeft, rcParent.right)) return;
  MoveWindow(&rc);
  if (parent->SendMessage(QVZM_SPLITTERMOVE, p.x, p.y)) {
    DrawPushed(TRUE);
  } else {
    m_bDragging = FALSE;
    DrawPushed(FALSE);
    parent->SendMessage(QVZM_SPLITTERUP, p.x, p.y);
  }
  m_ptLast = p;
}

void CFolderSplitterButton::OnLButtonUp(UINT nFlags, CPoint point) {
  Default();
  if (!m_bDragging) return;
  m_bDragging = FALSE;
  DrawPushed(FALSE);
  GetParent()->SendMessage(QVZM_SPLITTERUP, m_ptLast.x, m_ptLast.y);
}

BEGIN_MESSAGE_MAP(CRepeatArrowButton, CButton)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_LBUTTONUP()
  ON_WM_TIMER()
  ON_CONTROL_REFLECT_EX(BN_CLICKED, OnReflectedClick)
END_MESSAGE_MAP()

void CRepeatArrowButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  RECT rc = lpDIS->rcItem;
  const int half = (rc.right - rc.left) / 2;
  const UINT inactive = (GetStyle() & WS_DISABLED) ? DFCS_INACTIVE : 0;
  for (int i = 0; i < 2; i++) {
    RECT r = {rc.left + i * half, rc.top, rc.left + (i + 1) * half, rc.bottom};
    ::DrawFrameControl(lpDIS->hDC, &r, DFC_SCROLL,
                       (i == 0 ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT) | inactive | (m_nPressed == i ? DFCS_PUSHED : 0));
  }
}

void CRepeatArrowButton::Press(CPoint point) {
  CRect rc;
  GetClientRect(&rc);
  if (!rc.PtInRect(point)) return;
  m_nPressed = point.x < rc.Width() / 2 ? 0 : 1;
  Invalidate(FALSE);
  SetCapture();
  SetTimer(GetDlgCtrlID(), 300, NULL);
  GetParent()->PostMessage(QVZM_SCROLLPAGETABS, m_nPressed, 0);
}

void CRepeatArrowButton::OnLButtonDown(UINT, CPoint point) { Press(point); }
void CRepeatArrowButton::OnLButtonDblClk(UINT, CPoint point) { Press(point); }

void CRepeatArrowButton::OnLButtonUp(UINT, CPoint) {
  if (m_nPressed < 0) return;
  m_nPressed = -1;
  KillTimer(GetDlgCtrlID());
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  Invalidate(FALSE);
}

void CRepeatArrowButton::OnTimer(UINT nIDEvent) {
  if (m_nPressed >= 0) GetParent()->PostMessage(QVZM_SCROLLPAGETABS, m_nPressed, 0);
}

// The parent hears only the posted scroll messages.
BOOL CRepeatArrowButton::OnReflectedClick() { return TRUE; }
