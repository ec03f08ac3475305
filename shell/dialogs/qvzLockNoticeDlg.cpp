#include "qvzLockNoticeDlg.h"

#define IDC_LOCK_DONT_SHOW 683

void qvzLockNoticeDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_LOCK_DONT_SHOW, m_nDontShowAgain);
}

BOOL qvzLockNoticeDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CheckDlgButton(IDC_LOCK_DONT_SHOW, BST_UNCHECKED);
  return TRUE;
}
