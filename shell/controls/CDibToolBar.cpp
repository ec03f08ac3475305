#include "CDibToolBar.h"

IMPLEMENT_DYNCREATE(CDibToolBar, CToolBar)

BEGIN_MESSAGE_MAP(CDibToolBar, CToolBar)
  ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {
const int kDropDownWidth = 12;
}

CDibToolBar::CDibToolBar() : m_pButtons(NULL), m_nButtons(0) {}

CDibToolBar::~CDibToolBar() {
  // The buttons' windows are children of the bar and go with it.
  delete[] m_pButtons;
}

void CDibToolBar::SetButtons(int nCount, const DibButtonRow* pRows, int nHeight) {
  if (nCount <= 0 || pRows == NULL) return;
  delete[] m_pButtons;
  m_pButtons = new CDibToolBarButton[nCount];
  m_nButtons = nCount;
  for (int i = 0; i < nCount; i++) {
    const DibButtonRow& row = pRows[i];
    AddButton(row.nID, &m_pButtons[i], row.nStyle, row.nWidth, nHeight, row.nNormal, row.nHot, row.nDisabled);
  }
}

int CDibToolBar::AddButton(UINT nID, CDibToolBarButton* pButton, UINT nStyle, int nWidth, int nHeight, UINT nNormal,
                           UINT nHot, UINT nDisabled) {
  int nIndex = CommandToIndex(nID);
  if (nIndex < 0 || pButton == NULL) return 0;
  CRect rectSlot;
  GetItemRect(nIndex, rectSlot);
  CRect rect(rectSlot.left, rectSlot.top, rectSlot.left + nWidth, rectSlot.top + nHeight);

  if (nStyle & DIBBS_DROPDOWN) {
    rect.right += kDropDownWidth;
    pButton->SetDropDown(1);
    SetButtonInfo(nIndex, nID, TBBS_SEPARATOR, nWidth + kDropDownWidth);
  } else {
    TBBUTTONINFO info = {};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_SIZE;
    SendMessage(TB_GETBUTTONINFO, nID, (LPARAM)&info);
    info.dwMask = TBIF_SIZE;
    info.cx = (WORD)nWidth;
    SendMessage(TB_SETBUTTONINFO, nID, (LPARAM)&info);
  }
  SendMessage(TB_AUTOSIZE);

  if (!pButton->Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rect, this, nID)) return 0;
  pButton->SetWindowPos(NULL, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  pButton->LoadBitmaps(nNormal, nHot, nDisabled);
  pButton->ShowWindow(SW_SHOW);
  RepositionButtons(nIndex);
  return 1;
}

int CDibToolBar::AddComboBox(DWORD dwStyle, CComboBox* pCombo, UINT nID, int nWidth, int nDropHeight) {
  int nIndex = CommandToIndex(nID);
  if (nIndex < 0 || pCombo == NULL) return 0;
  SetButtonInfo(nIndex, nID, TBBS_SEPARATOR, nWidth);
  if (!pCombo->Create(dwStyle, CRect(-nWidth, -nDropHeight, -2, 0), this, nID)) return 0;

  CRect rectSlot;
  GetItemRect(nIndex, rectSlot);
  int x = rectSlot.left + 2;
  int h = (int)pCombo->SendMessage(CB_GETITEMHEIGHT, (WPARAM)-1);
  int y = rectSlot.Height() > h + 2 ? rectSlot.top + (rectSlot.Height() - (h + 2)) : rectSlot.top;
  pCombo->SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  pCombo->ShowWindow(SW_SHOW);
  RepositionButtons(nIndex);
  return 1;
}

void CDibToolBar::RepositionButtons(int nIndex) {
  const int nCount = (int)SendMessage(TB_BUTTONCOUNT);
  for (int i = nIndex + 1; i < nCount; i++) {
    if (GetButtonStyle(i) & TBBS_SEPARATOR) continue;
    CRect rect;
    GetItemRect(i, rect);
    HWND hChild = ::GetDlgItem(m_hWnd, (int)GetItemID(i));
    if (hChild != NULL)
      ::SetWindowPos(hChild, NULL, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

CDibToolBarButton* CDibToolBar::FindChildButton(UINT nID) const {
  CWnd* pWnd = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, (int)nID));
  if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CDibToolBarButton))) return NULL;
  return static_cast<CDibToolBarButton*>(pWnd);
}

void CDibToolBar::SetButtonState(UINT nID, int nState) {
  CDibToolBarButton* pButton = FindChildButton(nID);
  if (pButton != NULL && pButton->GetCheck() != nState) pButton->SetCheck(nState);
}

int CDibToolBar::GetButtonState(UINT nID) {
  CDibToolBarButton* pButton = FindChildButton(nID);
  return pButton != NULL ? pButton->GetCheck() : 0;
}

int CDibToolBar::SetButtonBitmaps(UINT nID, HBITMAP hNormal, HBITMAP hHot, HBITMAP hDisabled) {
  for (int i = 0; i < m_nButtons; i++) {
    CDibToolBarButton& button = m_pButtons[i];
    if (!::IsWindow(button.m_hWnd) || (UINT)button.GetDlgCtrlID() != nID) continue;
    button.SetBitmaps(hNormal, hHot, hDisabled);
    button.Invalidate(TRUE);
    return 1;
  }
  return 0;
}

void CDibToolBar::OnDropDown(CDibToolBarButton*, CPoint) {}

void CDibToolBar::OnPaint() {
  CPaintDC dc(this);
  // The bar's own face: a flat tool bar leaves what lies between its button windows unpainted.
  CRect rcClient;
  GetClientRect(&rcClient);
  dc.FillSolidRect(&rcClient, ::GetSysColor(COLOR_BTNFACE));
  CPen penShadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
  CPen penLight(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
  CPen* pOldPen = dc.SelectObject(&penShadow);
  const int nCount = (int)SendMessage(TB_BUTTONCOUNT);
  for (int i = 0; i < nCount; i++) {
    if (GetItemID(i) != 0) continue;  // only true separators; buttons paint themselves
    CRect rect;
    GetItemRect(i, rect);
    int x = rect.left + (rect.right - rect.left) / 2;
    dc.SelectObject(&penShadow);
    dc.MoveTo(x, 2);
    dc.LineTo(x, rect.Height() - 2);
    dc.SelectObject(&penLight);
    dc.MoveTo(x + 1, 2);
    dc.LineTo(x + 1, rect.Height() - 2);
  }
  dc.SelectObject(pOldPen);
}
