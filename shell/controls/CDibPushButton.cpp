#include "CDibPushButton.h"

#include "Dib.h"
#include "LoadDibFromResource.h"

BEGIN_MESSAGE_MAP(CDibPushButton, CButton)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

namespace {
const UINT kHoverInterval = 300;
}

CDibPushButton::CDibPushButton() : m_nMouseState(0), m_rectClient(0, 0, 0, 0), m_pImages{} {}

CDibPushButton::~CDibPushButton() {
  for (CDib*& p : m_pImages) {
    delete p;
    p = NULL;
  }
}

void CDibPushButton::SetImage(int nKind, LPCTSTR lpszName, LPCTSTR lpszType) {
  if (nKind < 0 || nKind > 2) return;
  delete m_pImages[nKind];
  m_pImages[nKind] = LoadDibFromResource(lpszName, lpszType);
}

void CDibPushButton::StartTracking() {
  GetClientRect(m_rectClient);
  SetTimer(GetDlgCtrlID(), kHoverInterval, NULL);
}

void CDibPushButton::PreSubclassWindow() {
  CButton::PreSubclassWindow();
  StartTracking();
}

int CDibPushButton::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CButton::OnCreate(lpCreateStruct) == -1) return -1;
  StartTracking();
  return 0;
}

void CDibPushButton::OnSize(UINT nType, int cx, int cy) {
  CButton::OnSize(nType, cx, cy);
  GetClientRect(m_rectClient);
}

void CDibPushButton::SetMouseState(int nState, BOOL bRepaint) {
  if (m_nMouseState == nState) return;
  m_nMouseState = nState;
  if (bRepaint) Invalidate(TRUE);
}

void CDibPushButton::OnTimer(UINT nIDEvent) {
  if (nIDEvent != (UINT)GetDlgCtrlID()) {
    Default();
    return;
  }
  CPoint pt;
  ::GetCursorPos(&pt);
  ScreenToClient(&pt);
  if (!m_rectClient.PtInRect(pt) && m_nMouseState != 0) SetMouseState(0, TRUE);
}

void CDibPushButton::OnMouseMove(UINT nFlags, CPoint) {
  SetMouseState((nFlags & MK_LBUTTON) ? 2 : 1, TRUE);
  Default();
}

void CDibPushButton::OnLButtonDown(UINT, CPoint) {
  SetMouseState(2, FALSE);
  Default();
}

void CDibPushButton::OnLButtonDblClk(UINT, CPoint) {
  SetMouseState(2, TRUE);
  Default();
}

void CDibPushButton::OnLButtonUp(UINT, CPoint) {
  SetMouseState(1, TRUE);
  Default();
}

void CDibPushButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (m_nMouseState < 0 || m_nMouseState > 2) return;
  CDib* pDib = m_pImages[m_nMouseState];
  if (pDib == NULL) return;  // no picture for this state: nothing at all
  CRect rect = m_rectClient;
  pDib->Draw(CDC::FromHandle(lpDrawItemStruct->hDC), rect);
}
