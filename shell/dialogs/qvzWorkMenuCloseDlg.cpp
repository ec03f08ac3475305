#include "qvzWorkMenuCloseDlg.h"

#define IDC_WORKMENU_ICON 1212
#define IDC_WORKMENU_TEXT 804

BEGIN_MESSAGE_MAP(qvzWorkMenuCloseDlg, CDialog)
  ON_BN_CLICKED(6, OnSave)
  ON_BN_CLICKED(7, OnDiscard)
END_MESSAGE_MAP()

qvzWorkMenuCloseDlg::qvzWorkMenuCloseDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

void qvzWorkMenuCloseDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_WORKMENU_ICON, m_icon);
}

BOOL qvzWorkMenuCloseDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_icon.SetIcon(::LoadIcon(NULL, IDI_EXCLAMATION));
  // The template's text is the format, so a translated template keeps its own wording.
  CString format, text;
  GetDlgItemText(IDC_WORKMENU_TEXT, format);
  text.Format(format, (LPCTSTR)m_strTitle);
  SetDlgItemText(IDC_WORKMENU_TEXT, text);
  return TRUE;
}

void qvzWorkMenuCloseDlg::OnSave() { EndDialog(6); }

void qvzWorkMenuCloseDlg::OnDiscard() { EndDialog(7); }
