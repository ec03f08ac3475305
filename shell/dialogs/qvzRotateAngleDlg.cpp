#include "qvzRotateAngleDlg.h"

#include "qvzHelpers.h"

#define IDC_ROTATE_ANGLE 733

void qvzRotateAngleDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_ROTATE_ANGLE, m_nAngle);
}

BOOL qvzRotateAngleDlg::OnInitDialog() {
  m_nAngle = NormalizeAngle(m_nAngle);
  CDialog::OnInitDialog();
  GetDlgItem(IDC_ROTATE_ANGLE)->SetFocus();
  return FALSE;
}

void qvzRotateAngleDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
  m_nAngle = NormalizeAngle(m_nAngle);
}
