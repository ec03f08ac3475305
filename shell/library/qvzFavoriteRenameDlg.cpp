#include "qvzFavoriteRenameDlg.h"

#include "qvzContentFolders.h"

#define IDC_RENAME_NAME 784

void qvzFavoriteRenameDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_RENAME_NAME, m_strName);
  DDV_MaxChars(pDX, m_strName, 30);
}

void qvzFavoriteRenameDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  if (FileExists(m_strFolder + m_strName + ".qzl")) {
    CString msg;
    msg.Format("%sは既に存在します。\n別の名前を入力してください。", (LPCTSTR)m_strName);
    MessageBox(msg, "お気に入りの名前変更", MB_OK);
    return;
  }
  EndDialog(IDOK);
}
