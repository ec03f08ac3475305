#include "qvzTemplateSaveAsDlg.h"

#include "TemplateNames.h"
#include "resource.h"

qvzTemplateSaveAsDlg::qvzTemplateSaveAsDlg(CWnd* pParent) : CDialog(IDD_TEMPLATE_SAVEAS, pParent) {}

void qvzTemplateSaveAsDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_TEMPLATE_NAME, m_strName);
  DDX_Text(pDX, IDC_TEMPLATE_DESCRIPTION, m_strDescription);
  DDV_MaxChars(pDX, m_strDescription, 1024);
}

BOOL qvzTemplateSaveAsDlg::ConfirmOverwrite(LPCTSTR lpszPath) {
  const DWORD a = ::GetFileAttributes(lpszPath);
  if (a == INVALID_FILE_ATTRIBUTES) {
    const DWORD e = ::GetLastError();
    return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND;
  }
  return AfxMessageBox("同名のひな型ファイルが既に存在します。上書きしますか?", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void qvzTemplateSaveAsDlg::OnOK() {
  CString name;
  GetDlgItemText(IDC_TEMPLATE_NAME, name);
  if (name.IsEmpty()) {
    AfxMessageBox(kTemplateNameMissing, MB_OK);
    return;
  }
  if (HasForbiddenTemplateChar(name)) {
    AfxMessageBox(kTemplateNameForbidden, MB_OK);
    return;
  }
  const CString folder = m_strAppFolder + "ひな型";
  const DWORD a = ::GetFileAttributes(folder);
  if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY)) {
    CString msg;
    msg.Format("ひな型ファイルを保存するには%sフォルダ内に%sフォルダが必要です。", (LPCTSTR)m_strAppFolder, "ひな型");
    AfxMessageBox(msg, MB_OK);
    EndDialog(IDCANCEL);
    return;
  }
  const CString path = folder + "\\" + name + ".VQD";
  if (!ConfirmOverwrite(path)) return;
  if (!UpdateData(TRUE)) return;
  m_strPath = path;
  EndDialog(IDOK);
}
