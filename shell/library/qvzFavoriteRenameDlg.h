// A new name for a favourite object file (template 380); refused while that file exists.
#pragma once

#include "afxwin.h"

class qvzFavoriteRenameDlg : public CDialog {
 public:
  enum { IDD = 380 };
  explicit qvzFavoriteRenameDlg(CWnd* pParent = NULL) : CDialog(IDD, pParent) {}

  CString m_strName;
  // The favourite's folder, ending in a backslash.
  CString m_strFolder;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
};
