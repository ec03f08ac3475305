#include "qvzAutoSaveDlg.h"

#include <stdlib.h>

#define IDC_AUTOSAVE_ON 752
#define IDC_AUTOSAVE_SPIN 761
#define IDC_AUTOSAVE_MINUTES 758
#define IDC_AUTOSAVE_LABEL 726
#define IDC_AUTOSAVE_UNIT 1149

BEGIN_MESSAGE_MAP(qvzAutoSaveDlg, CDialog)
  ON_BN_CLICKED(IDC_AUTOSAVE_ON, OnClickOn)
  ON_EN_KILLFOCUS(IDC_AUTOSAVE_MINUTES, OnKillFocusMinutes)
END_MESSAGE_MAP()

qvzAutoSaveDlg::qvzAutoSaveDlg(CWnd* pParent) : CDialog(IDD, pParent), m_nMinutes(10), m_bOn(FALSE) {}

void qvzAutoSaveDlg::SetInterval(UINT nMillis) {
  if (nMillis == 0) {
    m_bOn = FALSE;
    m_nMinutes = 10;
    return;
  }
  m_bOn = TRUE;
  UINT n = nMillis / 60000;
  if (n == 0) n = 1;
  if (n > 60) n = 60;
  m_nMinutes = (int)n;
}

UINT qvzAutoSaveDlg::GetInterval() const { return m_bOn ? (UINT)m_nMinutes * 60000 : 0; }

void qvzAutoSaveDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_AUTOSAVE_ON, m_btnOn);
  DDX_Control(pDX, IDC_AUTOSAVE_SPIN, m_spin);
  DDX_Text(pDX, IDC_AUTOSAVE_MINUTES, m_nMinutes);
}

BOOL qvzAutoSaveDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_spin.SetRange(1, 60);
  m_btnOn.SetCheck(m_bOn ? 1 : 0);
  EnableInterval();
  return TRUE;
}

void qvzAutoSaveDlg::EnableInterval() {
  for (int id : {IDC_AUTOSAVE_LABEL, IDC_AUTOSAVE_UNIT, IDC_AUTOSAVE_MINUTES}) {
    CWnd* w = GetDlgItem(id);
    if (w) w->EnableWindow(m_bOn);
  }
}

void qvzAutoSaveDlg::OnClickOn() {
  m_bOn = m_btnOn.GetCheck() == 1;
  EnableInterval();
}

void qvzAutoSaveDlg::OnKillFocusMinutes() {
  CString text;
  GetDlgItemText(IDC_AUTOSAVE_MINUTES, text);
  const char* p = text;
  while (*p == ' ') p++;
  char* end = NULL;
  const unsigned long n = (*p >= '0' && *p <= '9') ? strtoul(p, &end, 10) : 0;
  const BOOL bNumber = end != NULL && end != p && *end == '\0';
  if (bNumber && n >= 1 && n <= 60) {
    m_nMinutes = (int)n;
    return;
  }
  CString msg;
  msg.Format("入力値は%d～%dの範囲で指定してください", 1, 60);
  AfxMessageBox(msg);
  SetDlgItemInt(IDC_AUTOSAVE_MINUTES, m_nMinutes, FALSE);
  GetDlgItem(IDC_AUTOSAVE_MINUTES)->SetFocus();
}
