// The favourites organiser (template 465): adds, renames, reorders and deletes favourite
// categories. Folders change at once; the order file is written when the dialog closes.
#pragma once

#include "afxwin.h"

class qvzFavoriteOrganizerDlg : public CDialog {
 public:
  enum { IDD = 465 };
  explicit qvzFavoriteOrganizerDlg(CWnd* pParent = NULL);

  // The favourites folder, ending in a backslash (the program's unless a test sets another).
  CString m_strFolder;
  CListBox m_list;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void EnableButtons(BOOL bEnable);
  afx_msg void OnAdd();
  afx_msg void OnRename();
  afx_msg void OnMoveUp();
  afx_msg void OnMoveDown();
  afx_msg void OnDelete();
  afx_msg void OnDestroy();
  void Swap(int a, int b);
  DECLARE_MESSAGE_MAP()
};
