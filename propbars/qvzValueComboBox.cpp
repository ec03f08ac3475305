#include "qvzValueComboBox.h"

#include <stdlib.h>

#include "PropertyBarRules.h"
#include "qvzMessages.h"

BEGIN_MESSAGE_MAP(qvzValueComboBox, CComboBox)
  ON_CONTROL_REFLECT(CBN_SETFOCUS, OnSetFocus)
  ON_CONTROL_REFLECT(CBN_SELCHANGE, OnSelChange)
  ON_CONTROL_REFLECT(CBN_KILLFOCUS, OnKillFocus)
  ON_CONTROL_REFLECT(CBN_EDITCHANGE, OnNothing)
  ON_CONTROL_REFLECT(CBN_EDITUPDATE, OnNothing)
  ON_CONTROL_REFLECT(CBN_DROPDOWN, OnNothing)
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

qvzValueComboBox::qvzValueComboBox() : m_bEditing(0), m_bAnyNumber(FALSE) {}

qvzValueComboBox::~qvzValueComboBox() {}

void qvzValueComboBox::AddValue(const char* pszText) {
  m_Values.push_back(std::make_unique<CString>(pszText));
  if (m_hWnd) AddString(pszText);
}

void qvzValueComboBox::SelectValue(const char* pszText) {
  if (m_hWnd == NULL) return;
  const double v = atof(pszText);
  const int n = GetItemCount();
  for (int i = 0; i < n; i++) {
    CString s;
    GetLBText(i, s);
    if (!s.IsEmpty() && atof(s) == v) {
      SetCurSel(i);
      m_strShown = s;
      return;
    }
  }
  SetCurSel(AddString(pszText));
  m_strShown = pszText;
}

void qvzValueComboBox::ShowText(const char* pszText) {
  if (m_hWnd == NULL) return;
  SetCurSel(-1);
  SetWindowText(pszText);
  m_strShown = pszText;
}

CString qvzValueComboBox::GetText() const {
  CString s;
  if (m_hWnd) GetWindowText(s);
  return s;
}

int qvzValueComboBox::GetItemCount() const {
  char buf[260];
  int n = 0;
  while (m_hWnd && ::SendMessage(m_hWnd, CB_GETLBTEXTLEN, n, 0) != CB_ERR &&
         ::SendMessage(m_hWnd, CB_GETLBTEXTLEN, n, 0) < (LRESULT)sizeof(buf) &&
         ::SendMessage(m_hWnd, CB_GETLBTEXT, n, (LPARAM)buf) != CB_ERR)
    n++;
  return n;
}

void qvzValueComboBox::Report(const CString& strText) {
  m_strShown = strText;
  CString* p = new CString(strText);
  ::SendMessage(::GetParent(m_hWnd), QVZM_VALUECHANGED, (WPARAM)GetDlgCtrlID(), (LPARAM)p);
  delete p;
}

void qvzValueComboBox::ReportTyped() {
  CString t = GetText();
  // Clicking through a box leaves what it shows (a mixed "" or "0mm") as it was.
  if (t == m_strShown) return;
  if (m_bAnyNumber) {
    if (!TextHasNumber(t)) {
      SetWindowText(m_strShown);
      return;
    }
  } else if (atof(t) <= 0) {
    t = "0.1mm";
  }
  Report(t);
}

void qvzValueComboBox::OnSetFocus() { m_bEditing = 1; }

void qvzValueComboBox::OnSelChange() {
  const int i = GetCurSel();
  if (i < 0) return;
  CString s;
  GetLBText(i, s);
  // The edit part still holds the old text here; the pick is what leaving reports against.
  Report(s);
  m_bEditing = 1;
}

void qvzValueComboBox::OnKillFocus() {
  ReportTyped();
  m_bEditing = 0;
}

void qvzValueComboBox::OnNothing() {}

BOOL qvzValueComboBox::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && m_bEditing) {
    ReportTyped();
    return TRUE;
  }
  return CComboBox::PreTranslateMessage(pMsg);
}

void qvzValueComboBox::OnKeyDown(UINT nChar, UINT, UINT) {
  // Both Enter paths report alike.
  if (nChar == VK_RETURN) ReportTyped();
  Default();
}
