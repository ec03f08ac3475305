#include "qvzScaleDlg.h"

#include <stdlib.h>

#include "CTokenString.h"

#define IDC_SCALE_EDIT 1082
#define IDC_SCALE_SPIN 1009

BEGIN_MESSAGE_MAP(qvzScaleBaseDlg, CDialog)
  ON_EN_CHANGE(IDC_SCALE_EDIT, OnChangeScale)
END_MESSAGE_MAP()

qvzScaleBaseDlg::qvzScaleBaseDlg(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent), m_nScale(0) {}

void qvzScaleBaseDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_SCALE_SPIN, m_spin);
}

BOOL qvzScaleBaseDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CWnd* edit = GetDlgItem(IDC_SCALE_EDIT);
  m_spin.SetBuddy(edit);
  m_spin.SetRange(10, 10000);
  // Each arrow step moves the scale by ten.
  UDACCEL accel;
  m_spin.GetAccel(1, &accel);
  accel.nInc = 10;
  m_spin.SetAccel(1, &accel);
  SetDlgItemInt(IDC_SCALE_EDIT, m_nScale, TRUE);
  edit->SetFocus();
  return FALSE;
}

// The up-down control writes thousands separators; the number is kept without them.
void qvzScaleBaseDlg::OnChangeScale() {
  CString text;
  GetDlgItemText(IDC_SCALE_EDIT, text);
  CTokenString plain(text);
  plain.RemoveChar(',');
  if (text != plain.GetText()) SetDlgItemText(IDC_SCALE_EDIT, plain.GetText());
}

void qvzScaleBaseDlg::OnOK() {
  CString text;
  GetDlgItemText(IDC_SCALE_EDIT, text);
  const int n = atoi(text);
  if (n < 10 || n > 10000) {
    AfxMessageBox("間取り図の縮尺は1/10～1/10000の範囲で入力してください。", MB_OK);
    GetDlgItem(IDC_SCALE_EDIT)->SetFocus();
    return;
  }
  m_nScale = n;
  EndDialog(IDOK);
}

qvzScaleDlg::qvzScaleDlg(const int* pPlacementScale, CWnd* pParent)
    : qvzScaleBaseDlg(IDD, pParent), m_pPlacementScale(pPlacementScale) {}

BOOL qvzScaleDlg::OnInitDialog() {
  if (m_pPlacementScale) m_nScale = *m_pPlacementScale;
  return qvzScaleBaseDlg::OnInitDialog();
}
