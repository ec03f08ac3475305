#include "qvzFillButton.h"

#include <algorithm>

#include "qvzFillChildWnd.h"
#include "jvqFill.h"
#include "qvzFillPopupDlg.h"

IMPLEMENT_DYNAMIC(qvzFillButton, CButton)
IMPLEMENT_DYNAMIC(qvzImageFillButton, qvzFillButton)

BEGIN_MESSAGE_MAP(qvzFillButton, CButton)
  ON_WM_CREATE()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

qvzFillButton::qvzFillButton() : m_pPopup(NULL), m_pFill(NULL), m_rcArrow{0, 0, 0, 0} {}

qvzFillButton::~qvzFillButton() {
  delete m_pPopup;
  delete m_pFill;
}

void qvzFillButton::SetFill(const jvqFill* pFill) {
  delete m_pFill;
  m_pFill = pFill ? const_cast<jvqFill*>(pFill)->Clone() : NULL;
  if (m_hWnd) Invalidate();
}

jvqFill* qvzFillButton::GetFill() { return m_pFill; }

int qvzFillButton::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CButton::OnCreate(lpCreateStruct) == -1) return -1;
  SizeToArrow();
  return 0;
}

void qvzFillButton::PreSubclassWindow() {
  CButton::PreSubclassWindow();
  SizeToArrow();
}

void qvzFillButton::SizeToArrow() {
  if (m_hWnd == NULL) return;
  const int cxe = ::GetSystemMetrics(SM_CXEDGE), cye = ::GetSystemMetrics(SM_CYEDGE);
  const int w = std::max(5 * cxe, ::GetSystemMetrics(SM_CXHTHUMB));
  const int h = std::max(5 * cye, ::GetSystemMetrics(SM_CYVTHUMB));
  const int side = std::max(w, h);
  CRect rc;
  GetWindowRect(&rc);
  if (CWnd* pParent = GetParent()) pParent->ScreenToClient(&rc);
  const int width = std::max((int)rc.Width(), 2 * (cxe + side));
  const int height = side + 2 * cye;
  MoveWindow(rc.left, rc.top, width, height, TRUE);
  m_rcArrow = RECT{width - side - cxe, cye, width - cxe, height - cye};
}

void qvzFillButton::DrawSample(CDC* pDC, const RECT& rcSample, BOOL bDisabled) {
  if (bDisabled)
    pDC->FillSolidRect(&rcSample, ::GetSysColor(COLOR_BTNFACE));
  else if (m_pFill)
    m_pFill->PaintRect(pDC, &rcSample);
}

void qvzImageFillButton::DrawSample(CDC* pDC, const RECT& rcSample, BOOL bDisabled) {
  // The page background is shown as it is even when the dialog disables the button.
  if (m_pFill) m_pFill->PaintRect(pDC, &rcSample);
}

void qvzFillButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  HDC hDC = lpDIS->hDC;
  const int nSaved = ::SaveDC(hDC);
  const BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) || m_pPopup != NULL;
  const BOOL bDisabled = (lpDIS->itemState & ODS_DISABLED) != 0;
  RECT rcArrow = m_rcArrow;
  ::DrawFrameControl(hDC, &rcArrow, DFC_SCROLL,
                     DFCS_SCROLLDOWN | (bSelected ? DFCS_PUSHED : 0) | (bDisabled ? DFCS_INACTIVE : 0));
  RECT rc = lpDIS->rcItem;
  ::DrawEdge(hDC, &rc, EDGE_SUNKEN, BF_RECT);
  ::InflateRect(&rc, -::GetSystemMetrics(SM_CXEDGE), -::GetSystemMetrics(SM_CYEDGE));
  rc.right -= m_rcArrow.right - m_rcArrow.left;
  ::SelectObject(hDC, ::GetStockObject(NULL_PEN));
  DrawSample(pDC, rc, bDisabled);
  if (lpDIS->itemState & ODS_FOCUS) {
    ::InflateRect(&rc, -1, -1);
    ::DrawFocusRect(hDC, &rc);
  }
  if (m_pFill == NULL) {
    HGDIOBJ hFont = FillPageFont();
    ::SelectObject(hDC, hFont);
    ::SetBkMode(hDC, TRANSPARENT);
    ::FillRect(hDC, &rc, bDisabled ? ::GetSysColorBrush(COLOR_BTNFACE) : (HBRUSH)::GetStockObject(WHITE_BRUSH));
    ::SetTextColor(hDC, ::GetSysColor(bDisabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    ::DrawTextA(hDC, "透明", -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  ::RestoreDC(hDC, nSaved);
}

qvzFillPopupDlg* qvzFillButton::MakePopup() { return new qvzFillPopupDlg(this, IDD_FILL_POPUP); }

qvzFillPopupDlg* qvzImageFillButton::MakePopup() { return new qvzImageFillPopupDlg(this); }

void qvzFillButton::OnLButtonDown(UINT nFlags, CPoint point) {
  CButton::OnLButtonDown(nFlags, point);
  // The button took the capture for its push; the pop-up needs the mouse.
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  delete m_pPopup;
  m_pPopup = MakePopup();
  Invalidate();
  // OK without a pick changes nothing: the fill the button shows (for several objects a mere
  // placeholder) must not reach the objects.
  if (m_pPopup->DoModal() == IDOK && m_pPopup->HasPick()) {
    jvqFill* pPick = m_pPopup->GetFill();
    jvqFill* pNew = pPick ? pPick->Clone() : NULL;
    delete m_pFill;
    m_pFill = pNew;
    delete m_pPopup;
    m_pPopup = NULL;
    Invalidate();
    if (CWnd* pParent = GetParent()) pParent->SendMessage(QVZM_FILLCHANGED, (WPARAM)GetDlgCtrlID(), 0);
    return;
  }
  delete m_pPopup;
  m_pPopup = NULL;
  Invalidate();
}
