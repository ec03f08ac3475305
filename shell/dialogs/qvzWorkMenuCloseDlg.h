// Asked before the start menu comes back over a board with changes (template 467): save (6),
// discard (7) or go back to work without the menu (IDCANCEL).
#pragma once

#include "afxwin.h"

class qvzWorkMenuCloseDlg : public CDialog {
 public:
  enum { IDD = 467 };
  explicit qvzWorkMenuCloseDlg(CWnd* pParent = NULL);

  CString m_strTitle;
  CStatic m_icon;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnSave();
  afx_msg void OnDiscard();
  DECLARE_MESSAGE_MAP()
};
