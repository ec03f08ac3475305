#include "jvqColorPicker.h"

#include <algorithm>

#include "jvqColorPopup.h"
#include "jvqDrawingResources.h"
#include "jvqSolidFill.h"

IMPLEMENT_DYNAMIC(jvqColorPicker, CButton)

BEGIN_MESSAGE_MAP(jvqColorPicker, CButton)
  ON_WM_CREATE()
  ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

void jvqColorPicker::InnerListener::Notify(UINT nCode, const jvqFill* pValue, UINT) {
  switch (nCode) {
    case QVZM_COLORSELCHANGE: m_pPicker->OnPopupSelChange(pValue); break;
    case QVZM_COLORCHANGED: m_pPicker->OnPopupColorChosen(pValue); break;
    case QVZM_COLORCANCEL: m_pPicker->OnPopupCancel(pValue); break;
  }
}

jvqColorPicker::jvqColorPicker()
    : m_pValue(new jvqSolidFill(::GetSysColor(COLOR_BTNFACE))),
      m_pfnTextCell(NULL),
      m_pOwnerListener(NULL),
      m_Inner(this),
      m_bOpen(FALSE),
      m_bLivePreview(FALSE),
      m_crText(::GetSysColor(COLOR_BTNTEXT)),
      m_nMode(2),
      m_rcArrow{0, 0, 0, 0},
      m_strCustomCaption("色の作成"),
      m_pPopup(NULL) {}

jvqColorPicker::~jvqColorPicker() {
  // A pop-up still open reports to no picker any more.
  if (m_pPopup && ::IsWindow(m_pPopup->m_hWnd)) {
    m_pPopup->m_pListener = NULL;
    m_pPopup->m_pPicker = NULL;
    m_pPopup->DestroyWindow();
  }
  delete m_pValue;
}

BOOL jvqColorPicker::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  if (!CWnd::Create("Button", "", dwStyle | WS_CHILD | BS_NOTIFY | BS_OWNERDRAW, rect, pParentWnd, nID)) return FALSE;
  SizeToContent();
  return TRUE;
}

int jvqColorPicker::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CButton::OnCreate(lpCreateStruct) == -1) return -1;
  SizeToContent();
  return 0;
}

void jvqColorPicker::PreSubclassWindow() {
  CButton::PreSubclassWindow();
  ModifyStyle(0, BS_OWNERDRAW);
  SizeToContent();
}

void jvqColorPicker::SizeToContent() {
  if (m_hWnd == NULL) return;
  SizeDropDownButton(this, &m_rcArrow);
}

void SizeDropDownButton(CWnd* pButton, RECT* pArrow) {
  const int cxe = ::GetSystemMetrics(SM_CXEDGE), cye = ::GetSystemMetrics(SM_CYEDGE);
  const int d = std::max({5 * cxe, ::GetSystemMetrics(SM_CXHTHUMB), 5 * cye, ::GetSystemMetrics(SM_CYVTHUMB)});
  CRect rc;
  pButton->GetWindowRect(&rc);
  CWnd* pParent = pButton->GetParent();
  if (pParent) pParent->ScreenToClient(&rc);
  const int w = std::max((int)rc.Width(), 2 * (cxe + d));
  const int h = d + 2 * cye;
  pButton->MoveWindow(rc.left, rc.top, w, h, TRUE);
  *pArrow = {w - d - cxe, cye, w - cxe, h - cye};
}

COLORREF jvqColorPicker::GetColor() const {
  if (m_nMode == 1) return m_crText;
  if (m_pValue && (m_pValue->GetFlags() & FILL_SOLID)) return ((jvqSolidFill*)m_pValue)->GetColor();
  return 0;
}

void jvqColorPicker::SetColor(COLORREF crColor) {
  if (m_nMode == 1) {
    SetTextColor(crColor);
    return;
  }
  jvqSolidFill f(crColor);
  SetFill(&f);
}

void jvqColorPicker::SetFill(const jvqFill* pFill) {
  delete m_pValue;
  m_pValue = pFill ? const_cast<jvqFill*>(pFill)->Clone() : new jvqSolidFill(BS_SOLID, 0, 0);
  if (m_hWnd) RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

void jvqColorPicker::SetTextColor(COLORREF crColor) {
  m_crText = crColor;
  if (m_hWnd) RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

void jvqColorPicker::NotifyOwner(UINT nCode, const jvqFill* pValue) {
  if (m_hWnd && ::GetParent(m_hWnd) && m_pOwnerListener) m_pOwnerListener->Notify(nCode, pValue, GetDlgCtrlID());
}

jvqColorPopup* jvqColorPicker::MakePopup(int x, int y) {
  jvqColorPopup* p = new jvqColorPopup(m_pValue, this, m_strCustomCaption, m_strTextCaption);
  return p;
}

void jvqColorPicker::OnClicked() {
  m_bOpen = TRUE;
  CRect rc;
  GetWindowRect(&rc);
  jvqColorPopup* p = MakePopup(rc.left, rc.bottom);
  p->m_pfnTextCell = m_pfnTextCell;
  p->m_pListener = &m_Inner;
  m_pPopup = p;
  if (!p->Open(rc.left, rc.bottom)) {
    m_pPopup = NULL;
    delete p;
    m_bOpen = FALSE;
    return;
  }
  Invalidate();
  // The picker's colour travels as a solid fill of it.
  jvqSolidFill colour(GetColor());
  NotifyOwner(QVZM_COLORDROPDOWN, &colour);
}

void jvqColorPicker::OnPopupSelChange(const jvqFill* pValue) {
  if (m_bLivePreview) SetFill(pValue);
  NotifyOwner(QVZM_COLORSELCHANGE, pValue);
  Invalidate();
}

void jvqColorPicker::OnPopupColorChosen(const jvqFill* pValue) {
  m_bOpen = FALSE;
  m_pPopup = NULL;
  SetFill(pValue);
  NotifyOwner(QVZM_COLORCLOSEUP, pValue);
  NotifyOwner(QVZM_COLORCHANGED, pValue);
  NotifyOwner(QVZM_COLORSELCHANGE, pValue);
}

void jvqColorPicker::OnPopupCancel(const jvqFill* pValue) {
  m_bOpen = FALSE;
  m_pPopup = NULL;
  Invalidate();
  NotifyOwner(QVZM_COLORCLOSEUP, pValue);
  NotifyOwner(QVZM_COLORCANCEL, pValue);
}

void jvqColorPicker::DrawFace(CDC* pDC, const RECT& rcFace, BOOL bDisabled) {
  HDC hDC = pDC->m_hDC;
  if (IsTransparent() && m_pValue == NULL) {
    ::FillRect(hDC, &rcFace, ::GetSysColorBrush(bDisabled ? COLOR_BTNFACE : COLOR_WINDOW));
    CFont* pFont = theDefaultGuiFont.m_hObject ? &theDefaultGuiFont : NULL;
    HGDIOBJ hOld = ::SelectObject(hDC, pFont ? (HGDIOBJ)pFont->m_hObject : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetTextColor(hDC, ::GetSysColor(bDisabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    ::SetBkColor(hDC, 0xFFFFFF);
    const CString s("透明");
    SIZE ext;
    ::GetTextExtentPoint32A(hDC, s, s.GetLength(), &ext);
    const int x = (rcFace.left + rcFace.right) / 2 - ext.cx / 2, y = (rcFace.top + rcFace.bottom) / 2 - ext.cy / 2;
    ::ExtTextOutA(hDC, x, y, ETO_OPAQUE, NULL, s, s.GetLength(), NULL);
    ::SelectObject(hDC, hOld);
    return;
  }
  if (bDisabled)
    pDC->FillSolidRect(&rcFace, ::GetSysColor(COLOR_BTNFACE));
  else if (m_pValue)
    m_pValue->PaintRect(pDC, &rcFace);
}

void jvqColorPicker::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  HDC hDC = lpDIS->hDC;
  const BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) || m_bOpen;
  const BOOL bDisabled = (lpDIS->itemState & ODS_DISABLED) != 0;
  RECT rcArrow = m_rcArrow;
  ::DrawFrameControl(hDC, &rcArrow, DFC_SCROLL,
                     DFCS_SCROLLDOWN | (bSelected ? DFCS_PUSHED : 0) | (bDisabled ? DFCS_INACTIVE : 0));
  RECT rc = lpDIS->rcItem;
  ::DrawEdge(hDC, &rc, EDGE_SUNKEN, BF_RECT);
  RECT face = rc;
  ::InflateRect(&face, -::GetSystemMetrics(SM_CXEDGE), -::GetSystemMetrics(SM_CYEDGE));
  face.right -= m_rcArrow.right - m_rcArrow.left;
  const int nSaved = ::SaveDC(hDC);
  ::SelectObject(hDC, ::GetStockObject(NULL_PEN));
  DrawFace(pDC, face, bDisabled);
  CString text;
  GetWindowText(text);
  if (!IsTransparent() && !text.IsEmpty()) {
    ::SetBkMode(hDC, TRANSPARENT);
    if (bDisabled) {
      RECT off = face;
      ::OffsetRect(&off, 1, 1);
      ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNHIGHLIGHT));
      ::DrawTextA(hDC, text, -1, &off, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNSHADOW));
    } else {
      ::SetTextColor(hDC, m_crText == 0xFF000000 ? 0 : m_crText);
    }
    ::DrawTextA(hDC, text, -1, &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  if (lpDIS->itemState & ODS_FOCUS) {
    RECT f = face;
    ::InflateRect(&f, -1, -1);
    ::DrawFocusRect(hDC, &f);
  }
  ::RestoreDC(hDC, nSaved);
}

jvqTransparentColorPicker::jvqTransparentColorPicker() {
  delete m_pValue;
  m_pValue = NULL;
}

void jvqTransparentColorPicker::SetFill(const jvqFill* pFill) {
  if (pFill) {
    jvqColorPicker::SetFill(pFill);
    return;
  }
  delete m_pValue;
  m_pValue = NULL;
  if (m_hWnd) RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

jvqColorPopup* jvqTransparentColorPicker::MakePopup(int x, int y) {
  return new jvqTransparentColorPopup(m_pValue, this, m_strCustomCaption, "透明");
}
