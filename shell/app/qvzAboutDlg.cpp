#include "qvzAboutDlg.h"

#include "qvzDocument.h"
#include "qvzWebPages.h"
#include "resource.h"

qvzAboutDlg::qvzAboutDlg() : CDialog(IDD_QVZ_ABOUTBOX) {}

CString qvzAboutDlg::MakeInfoText(LPCTSTR lpszProgramPath) {
  return "バージョン： " + GetFileVersionString(lpszProgramPath) + "\r\n" + "作成日付  ： " +
         FormatFileTime(lpszProgramPath) + "\r\n" +
         "Portions of this software are based in part on the work of the Independent JPEG Group.";
}

BOOL qvzAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_wndInfo.SubclassDlgItem(IDC_ABOUT_INFO, this);
  char szPath[MAX_PATH] = "";
  ::GetModuleFileName(AfxGetInstanceHandle(), szPath, MAX_PATH);
  m_wndInfo.SetWindowText(MakeInfoText(szPath));
  return TRUE;
}
