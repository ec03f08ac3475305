// The old-style save dialog of "ひな型として保存" (template 1050): it keeps the user in the
// template folder by hiding the folder controls, and tells its caller when a name was
// confirmed elsewhere.
#pragma once

#include "afxdlgs.h"

class qvzTemplateSaveDlg : public CFileDialog {
 public:
  qvzTemplateSaveDlg(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                     LPCTSTR lpszFilter, CWnd* pParentWnd);

  CString m_strTemplateFolder;  // without its closing backslash
  BOOL m_bInTemplateFolder;

  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  BOOL OnFileNameOK() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
