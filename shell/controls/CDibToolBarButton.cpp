#include "CDibToolBarButton.h"

#include "CDibToolBar.h"
#include "DrawTransparent.h"

IMPLEMENT_DYNAMIC(CDibToolBarButton, CButton)

BEGIN_MESSAGE_MAP(CDibToolBarButton, CButton)
  ON_WM_CREATE()
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

namespace {
const UINT kHoverInterval = 50;
const int kDropDownWidth = 12;
enum { kNormal, kHot, kDisabled };
}

CDibToolBarButton::CDibToolBarButton()
    : m_nImageX(3), m_nImageY(3), m_bDropDown(0), m_rectClient(0, 0, 0, 0), m_nMouseState(0), m_hBitmaps{}, m_nCheck(0) {}

CDibToolBarButton::~CDibToolBarButton() { DeleteBitmaps(NULL, NULL, NULL); }

void CDibToolBarButton::DeleteBitmaps(HBITMAP hKeep1, HBITMAP hKeep2, HBITMAP hKeep3) {
  // A handle may sit in several slots and may be handed in again: each goes once, and
  // never one that stays.
  for (int i = 0; i < 3; i++) {
    HBITMAP h = m_hBitmaps[i];
    if (h == NULL) continue;
    bool bSeen = false;
    for (int j = 0; j < i; j++) bSeen = bSeen || m_hBitmaps[j] == h;
    if (!bSeen && h != hKeep1 && h != hKeep2 && h != hKeep3) ::DeleteObject(h);
  }
  for (HBITMAP& h : m_hBitmaps) h = NULL;
}

void CDibToolBarButton::LoadBitmaps(UINT nNormal, UINT nHot, UINT nDisabled) {
  const UINT ids[3] = {nNormal, nHot, nDisabled};
  for (int i = 0; i < 3; i++) {
    if (m_hBitmaps[i] != NULL || ids[i] == 0) continue;
    LPCTSTR lpszName = MAKEINTRESOURCE(ids[i]);
    m_hBitmaps[i] = ::LoadBitmap(AfxFindResourceHandle(lpszName, RT_BITMAP), lpszName);
  }
}

void CDibToolBarButton::SetBitmaps(HBITMAP hNormal, HBITMAP hHot, HBITMAP hDisabled) {
  DeleteBitmaps(hNormal, hHot, hDisabled);
  m_hBitmaps[kNormal] = hNormal;
  m_hBitmaps[kHot] = hHot;
  m_hBitmaps[kDisabled] = hDisabled;
}

void CDibToolBarButton::SetCheck(int nCheck) {
  if (m_nCheck == nCheck) return;
  m_nCheck = nCheck;
  if (::IsWindow(m_hWnd)) Invalidate(TRUE);
}

int CDibToolBarButton::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CButton::OnCreate(lpCreateStruct) == -1) return -1;
  GetClientRect(m_rectClient);
  SetTimer(GetDlgCtrlID(), kHoverInterval, NULL);
  return 0;
}

void CDibToolBarButton::OnTimer(UINT nIDEvent) {
  if (nIDEvent != (UINT)GetDlgCtrlID()) {
    Default();
    return;
  }
  CPoint pt;
  ::GetCursorPos(&pt);
  ScreenToClient(&pt);
  if (!m_rectClient.PtInRect(pt) && m_nMouseState != 0) {
    m_nMouseState = 0;
    Invalidate(TRUE);
  }
}

void CDibToolBarButton::OnLButtonDown(UINT, CPoint point) {
  if (m_bDropDown) {
    CRect rect;
    GetClientRect(rect);
    if (point.x >= rect.right - kDropDownWidth && point.x < rect.right) {
      CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
      if (pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CDibToolBar)))
        static_cast<CDibToolBar*>(pParent)->OnDropDown(this, point);
      return;  // the drop-down part is no click
    }
  }
  m_nMouseState = 2;
  Default();
}

void CDibToolBarButton::OnLButtonUp(UINT, CPoint) {
  if (m_nMouseState != 0) {
    m_nMouseState = 0;
    Invalidate(TRUE);
  }
  Default();
}

void CDibToolBarButton::OnMouseMove(UINT nFlags, CPoint) {
  int nState = (nFlags & MK_LBUTTON) ? 2 : 1;
  if (nState != m_nMouseState) {
    m_nMouseState = nState;
    Invalidate(TRUE);
  }
  Default();
}

void CDibToolBarButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  const BOOL bPressed = m_nMouseState == 2 || m_nCheck != 0;

  HBITMAP hBitmap = NULL;
  if ((lpDrawItemStruct->itemState & ODS_DISABLED) && m_hBitmaps[kDisabled] != NULL)
    hBitmap = m_hBitmaps[kDisabled];
  else if (bPressed && m_hBitmaps[kNormal] != NULL)
    hBitmap = m_hBitmaps[kNormal];
  else if (m_nMouseState == 1 && m_hBitmaps[kHot] != NULL)
    hBitmap = m_hBitmaps[kHot];
  else if (m_nMouseState == 0 && m_hBitmaps[kNormal] != NULL)
    hBitmap = m_hBitmaps[kNormal];
  if (hBitmap != NULL) DrawTransparent(pDC, hBitmap, m_nImageX, m_nImageY);

  CRect rectMain = lpDrawItemStruct->rcItem;
  CRect rectArrow = rectMain;
  if (m_bDropDown) {
    rectArrow.left = rectArrow.right - kDropDownWidth;
    rectMain.right = rectArrow.left;
    pDC->DrawFrameControl(rectArrow, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_FLAT);
    ::FrameRect(pDC->m_hDC, rectArrow, (HBRUSH)::GetCurrentObject(pDC->m_hDC, OBJ_BRUSH));
  }

  const COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW);
  const COLORREF crLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  if (bPressed)
    pDC->Draw3dRect(rectMain, crShadow, crLight);
  else if (m_nMouseState == 1)
    pDC->Draw3dRect(rectMain, crLight, crShadow);
  if (m_bDropDown && m_nMouseState == 1) pDC->Draw3dRect(rectArrow, crLight, crShadow);
}
