#include "qvzSaveObjectDialog.h"

#define IDD_SAVE_OBJECT_CHILD 260
#define IDC_SAVE_OBJECT_TITLE 1121

IMPLEMENT_DYNAMIC(qvzSaveObjectDialog, CFileDialog)

qvzSaveObjectDialog::qvzSaveObjectDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName,
                                         DWORD dwFlags, LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CFileDialog(bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd),
      m_strTitle(" "),
      m_strComment(" ") {
  m_ofn.hInstance = AfxGetResourceHandle();
  m_ofn.Flags |= OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK |
                 OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  m_ofn.lpTemplateName = MAKEINTRESOURCE(IDD_SAVE_OBJECT_CHILD);
  m_ofn.nFilterIndex = 1;
  m_ofn.lpstrTitle = "オブジェクトの登録";
}

BOOL qvzSaveObjectDialog::OnFileNameOK() {
  const BOOL refused = CFileDialog::OnFileNameOK();
  char text[256] = "";
  // The child dialog is the window the hook runs on.
  ::GetDlgItemText(m_hWnd, IDC_SAVE_OBJECT_TITLE, text, sizeof text);
  m_strTitle = text;
  return refused;
}
