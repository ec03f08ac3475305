#include "qvzInputBoxDlg.h"

#define IDC_INPUT_TEXT 784
#define IDC_INPUT_PROMPT 1211

qvzInputBoxDlg::qvzInputBoxDlg(CWnd* pParent) : CDialog(IDD, pParent), m_pNames(NULL) {}

void qvzInputBoxDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_INPUT_TEXT, m_strText);
}

BOOL qvzInputBoxDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(m_strCaption);
  SetDlgItemText(IDC_INPUT_PROMPT, m_strPrompt);
  return TRUE;
}

void qvzInputBoxDlg::OnOK() {
  GetDlgItemText(IDC_INPUT_TEXT, m_strText);
  if (m_strText.IsEmpty()) {
    AfxMessageBox("分類名を入力してください", MB_ICONHAND);
    GetDlgItem(IDC_INPUT_TEXT)->SetFocus();
    return;
  }
  // The list box's exact search: the whole entry, letter case ignored.
  if (m_pNames && m_pNames->FindStringExact(-1, m_strText) != LB_ERR) {
    CString msg;
    msg.Format("%sは既に存在します", (LPCTSTR)m_strText);
    AfxMessageBox(msg, MB_ICONHAND);
    GetDlgItem(IDC_INPUT_TEXT)->SetFocus();
    return;
  }
  EndDialog(IDOK);
}
