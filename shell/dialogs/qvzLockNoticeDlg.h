// Shown before the selected objects are locked (template 443), with a box that turns the
// notice off for the future.
#pragma once

#include "afxwin.h"

class qvzLockNoticeDlg : public CDialog {
 public:
  enum { IDD = 443 };
  explicit qvzLockNoticeDlg(CWnd* pParent = NULL) : CDialog(IDD, pParent), m_nDontShowAgain(0) {}

  int m_nDontShowAgain;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
};
