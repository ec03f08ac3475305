// Creates a favourite category while an object is registered (template 371); after IDOK
// m_strText is the new category's name, its folder made and its line appended.
#pragma once

#include "afxwin.h"

class qvzNewCategoryDlg : public CDialog {
 public:
  enum { IDD = 371 };
  explicit qvzNewCategoryDlg(CWnd* pParent = NULL);

  // The favourites folder, ending in a backslash (the program's unless a test sets another).
  CString m_strFolder;
  CListBox m_list;
  CEdit m_edit;
  CString m_strText;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnSelChangeList();
  DECLARE_MESSAGE_MAP()
};
