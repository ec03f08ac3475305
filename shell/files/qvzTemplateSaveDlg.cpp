#include "qvzTemplateSaveDlg.h"

#include <string.h>

#include "TemplateNames.h"

qvzTemplateSaveDlg::qvzTemplateSaveDlg(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                                       LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CFileDialog(bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd),
      m_bInTemplateFolder(TRUE) {
  // The system's dialog puts its own title over the template's caption.
  m_ofn.lpstrTitle = "ひな型として保存";
}

BOOL qvzTemplateSaveDlg::OnFileNameOK() {
  const CString path = m_ofn.lpstrFile;
  const CString name = m_ofn.nFileOffset < (WORD)path.GetLength() ? path.Mid(m_ofn.nFileOffset) : CString();
  const CString folder = path.Left(m_ofn.nFileOffset);
  if (strcmp(folder, m_strTemplateFolder + "\\") != 0) m_bInTemplateFolder = FALSE;
  if (name.IsEmpty()) {
    AfxMessageBox(kTemplateNameMissing, MB_OK);
    return TRUE;
  }
  if (HasForbiddenTemplateChar(name)) {
    AfxMessageBox(kTemplateNameForbidden, MB_OK);
    return TRUE;
  }
  return FALSE;
}

// The dialog ends only through its buttons.
BOOL qvzTemplateSaveDlg::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) return TRUE;
  return CFileDialog::PreTranslateMessage(pMsg);
}

LRESULT qvzTemplateSaveDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN && wParam == VK_RETURN) return 0;
  // The system's dialog loop turns Enter into the default button's command before any
  // key reaches us: a command of OK while Enter is held is that key.
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK && (::GetKeyState(VK_RETURN) & 0x8000)) return 0;
  return CFileDialog::WindowProc(message, wParam, lParam);
}
