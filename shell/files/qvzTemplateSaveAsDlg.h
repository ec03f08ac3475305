// "ひな型として保存" of a template board: the template's name and description.
#pragma once

#include "afxwin.h"

class qvzTemplateSaveAsDlg : public CDialog {
 public:
  explicit qvzTemplateSaveAsDlg(CWnd* pParent = NULL);

  CString m_strName;
  CString m_strDescription;
  CString m_strAppFolder;  // ends in a backslash
  CString m_strPath;       // worked out on OK

  BOOL ConfirmOverwrite(LPCTSTR lpszPath);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
};
