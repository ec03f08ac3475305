// "オブジェクトの登録": the save dialog of a favourite object file, with its title below the
// file name (child template 260).
#pragma once

#include "afxdlgs.h"

class qvzSaveObjectDialog : public CFileDialog {
  DECLARE_DYNAMIC(qvzSaveObjectDialog)
 public:
  qvzSaveObjectDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                      DWORD dwFlags = 0, LPCTSTR lpszFilter = NULL, CWnd* pParentWnd = NULL);

  CString m_strTitle;
  CString m_strComment;

 protected:
  BOOL OnFileNameOK() override;
};
