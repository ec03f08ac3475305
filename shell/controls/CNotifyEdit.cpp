#include "CNotifyEdit.h"

#include "qvzMessages.h"

BEGIN_MESSAGE_MAP(CNotifyEdit, CEdit)
  ON_WM_KEYDOWN()
  ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

void CNotifyEdit::NotifyParent() {
  CString strText;
  GetWindowText(strText);
  ::SendMessage(::GetParent(m_hWnd), QVZM_EDITNOTIFY, (WPARAM)GetDlgCtrlID(), (LPARAM)(LPCTSTR)strText);
}

BOOL CNotifyEdit::PreTranslateMessage(MSG* pMsg) {
  // Enter is taken here, before the dialog could press its default button with it.
  if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd && pMsg->wParam == VK_RETURN) {
    NotifyParent();
    return TRUE;
  }
  return CEdit::PreTranslateMessage(pMsg);
}

void CNotifyEdit::OnKeyDown(UINT nChar, UINT, UINT) {
  Default();
  if (nChar == VK_RETURN) NotifyParent();
}

void CNotifyEdit::OnKillFocus(CWnd*) {
  Default();
  NotifyParent();
}
