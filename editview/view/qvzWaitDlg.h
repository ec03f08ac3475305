// The small modeless dialog shown while a board file is read; the object readers refresh
// it once per object.
#pragma once

#include "afxwin.h"

#define IDD_QVZ_WAIT 470

class qvzWaitDlg : public CDialog {
 public:
  explicit qvzWaitDlg(CWnd* pParent = NULL);
  BOOL OnInitDialog() override;
  void Refresh();
  // Shows the dialog around every board read (through the object readers' progress
  // call) while installed; returns the previous state.
  static void Install(qvzWaitDlg* pDlg);
  // Opens the window before a read and closes it after.
  void BeginRead();
  void EndRead();

 protected:
  afx_msg LRESULT OnReadDone(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()
};
