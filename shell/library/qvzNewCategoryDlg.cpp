#include "qvzNewCategoryDlg.h"

#include "qvzContentFolders.h"

#define IDC_NEWCAT_LIST 723
#define IDC_NEWCAT_EDIT 783

BEGIN_MESSAGE_MAP(qvzNewCategoryDlg, CDialog)
  ON_LBN_SELCHANGE(IDC_NEWCAT_LIST, OnSelChangeList)
END_MESSAGE_MAP()

qvzNewCategoryDlg::qvzNewCategoryDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_strFolder(qvzGetProgramFolder() + "お気に入り\\") {}

void qvzNewCategoryDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_NEWCAT_LIST, m_list);
  DDX_Control(pDX, IDC_NEWCAT_EDIT, m_edit);
  DDX_Text(pDX, IDC_NEWCAT_EDIT, m_strText);
  DDV_MaxChars(pDX, m_strText, 50);
}

BOOL qvzNewCategoryDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_edit.SetFocus();
  CStringList names;
  ReadCategoryList(names, m_strFolder);
  for (POSITION p = names.GetHeadPosition(); p;) m_list.AddString(names.GetNext(p));
  return FALSE;
}

void qvzNewCategoryDlg::OnSelChangeList() {
  const int sel = m_list.GetCurSel();
  if (sel < 0) return;
  CString text;
  m_list.GetText(sel, text);
  m_edit.SetWindowText(text);
}

void qvzNewCategoryDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  if (m_strText.IsEmpty()) {
    AfxMessageBox("分類名が入力されていません。", MB_OK);
    m_edit.SetFocus();
    return;
  }
  if (m_list.FindStringExact(-1, m_strText) != LB_ERR) {
    CString msg;
    msg.Format("%sは既に存在します。別の分類名を入力してください。", (LPCTSTR)m_strText);
    AfxMessageBox(msg, MB_OK);
    m_edit.SetFocus();
    return;
  }
  if (!qvzIsValidCategoryName(m_strText) || !::CreateDirectory(m_strFolder + m_strText, NULL)) {
    AfxMessageBox("指定された分類名は不正です。再度分類名を指定してください。", MB_OK);
    m_edit.SetFocus();
    return;
  }
  const CString order = m_strFolder + "info.txt";
  if (FileExists(order)) {
    CStdioFile file;
    if (file.Open(order, CFile::modeWrite | CFile::modeNoTruncate | CFile::typeText)) {
      try {
        file.SeekToEnd();
        file.WriteString(m_strText + "\n");
        file.Close();
      } catch (CFileException* e) {
        e->Delete();
        file.Abort();
      }
    }
  }
  EndDialog(IDOK);
}
