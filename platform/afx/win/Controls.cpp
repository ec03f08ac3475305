#include "WinState.h"

#include "afxwin_dlg.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

static BOOL CreateControl(CWnd* pWnd, LPCTSTR lpszClass, LPCTSTR lpszText, DWORD dwStyle, const RECT& rect,
                          CWnd* pParentWnd, UINT nID) {
  return pWnd->CreateEx(0, lpszClass, lpszText, dwStyle, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), (HMENU)(UINT_PTR)nID);
}

/////////////////////////////////////////////////////////////////////////////
// CStatic

CStatic::~CStatic() = default;

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateControl(this, "STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (pResult != NULL) *pResult = TRUE;
  return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CButton

CButton::~CButton() = default;

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateControl(this, "BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (pResult != NULL) *pResult = TRUE;
  return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CListBox

CListBox::~CListBox() = default;

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateControl(this, "LISTBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

void CListBox::GetText(int nIndex, CString& rString) const {
  rString.Empty();
  int nLen = GetTextLen(nIndex);
  if (nLen <= 0) return;
  ::SendMessage(m_hWnd, LB_GETTEXT, nIndex, (LPARAM)rString.GetBufferSetLength(nLen));
  rString.ReleaseBuffer();
}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT lResult = 0;
  switch (message) {
    case WM_DRAWITEM:
      DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      lResult = TRUE;
      break;
    case WM_MEASUREITEM:
      MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
      lResult = TRUE;
      break;
    case WM_COMPAREITEM:
      lResult = CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
      break;
    case WM_DELETEITEM:
      DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
      lResult = TRUE;
      break;
    case WM_VKEYTOITEM:
      lResult = VKeyToItem(LOWORD(wParam), HIWORD(wParam));
      break;
    case WM_CHARTOITEM:
      lResult = CharToItem(LOWORD(wParam), HIWORD(wParam));
      break;
    default:
      return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  }
  if (pResult != NULL) *pResult = lResult;
  return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CComboBox

CComboBox::~CComboBox() = default;

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateControl(this, "COMBOBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
  rString.Empty();
  int nLen = GetLBTextLen(nIndex);
  if (nLen <= 0) return;
  ::SendMessage(m_hWnd, CB_GETLBTEXT, nIndex, (LPARAM)rString.GetBufferSetLength(nLen));
  rString.ReleaseBuffer();
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT lResult = 0;
  switch (message) {
    case WM_DRAWITEM:
      DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      lResult = TRUE;
      break;
    case WM_MEASUREITEM:
      MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
      lResult = TRUE;
      break;
    case WM_COMPAREITEM:
      lResult = CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
      break;
    case WM_DELETEITEM:
      DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
      lResult = TRUE;
      break;
    default:
      return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  }
  if (pResult != NULL) *pResult = lResult;
  return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CEdit

CEdit::~CEdit() = default;

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateControl(this, "EDIT", NULL, dwStyle, rect, pParentWnd, nID);
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const {
  if (nMaxLength < (int)sizeof(WORD)) return 0;  // no room for the size the system reads
  *(WORD*)lpszBuffer = (WORD)(nMaxLength > 0xFFFF ? 0xFFFF : nMaxLength);
  return (int)::SendMessage(m_hWnd, EM_GETLINE, nIndex, (LPARAM)lpszBuffer);
}

/////////////////////////////////////////////////////////////////////////////
// CScrollBar

CScrollBar::~CScrollBar() = default;

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateControl(this, "SCROLLBAR", NULL, dwStyle, rect, pParentWnd, nID);
}
