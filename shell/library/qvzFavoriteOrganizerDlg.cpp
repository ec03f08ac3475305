#include "qvzFavoriteOrganizerDlg.h"

#include "qvzContentFolders.h"
#include "qvzInputBoxDlg.h"

#define IDC_ORGANIZER_LIST 801
#define IDC_ORGANIZER_ADD 1075
#define IDC_ORGANIZER_RENAME 1205
#define IDC_ORGANIZER_UP 1206
#define IDC_ORGANIZER_DOWN 1207
#define IDC_ORGANIZER_DELETE 800

BEGIN_MESSAGE_MAP(qvzFavoriteOrganizerDlg, CDialog)
  ON_BN_CLICKED(IDC_ORGANIZER_ADD, OnAdd)
  ON_BN_CLICKED(IDC_ORGANIZER_RENAME, OnRename)
  ON_BN_CLICKED(IDC_ORGANIZER_UP, OnMoveUp)
  ON_BN_CLICKED(IDC_ORGANIZER_DOWN, OnMoveDown)
  ON_BN_CLICKED(IDC_ORGANIZER_DELETE, OnDelete)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

qvzFavoriteOrganizerDlg::qvzFavoriteOrganizerDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_strFolder(qvzGetProgramFolder() + "お気に入り\\") {}

void qvzFavoriteOrganizerDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_ORGANIZER_LIST, m_list);
}

BOOL qvzFavoriteOrganizerDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CStringList names;
  ReadCategoryList(names, m_strFolder);
  for (POSITION p = names.GetHeadPosition(); p;) m_list.AddString(names.GetNext(p));
  m_list.SetCurSel(0);
  EnableButtons(m_list.GetCount() > 0);
  return TRUE;
}

void qvzFavoriteOrganizerDlg::EnableButtons(BOOL bEnable) {
  for (int id : {IDC_ORGANIZER_RENAME, IDC_ORGANIZER_UP, IDC_ORGANIZER_DOWN, IDC_ORGANIZER_DELETE}) {
    CWnd* w = GetDlgItem(id);
    if (w) w->EnableWindow(bEnable);
  }
}

void qvzFavoriteOrganizerDlg::OnAdd() {
  qvzInputBoxDlg input(this);
  input.SetTitle("お気に入りの分類の追加");
  input.SetLabel("新しい分類名を入力してください");
  input.SetText("");
  input.SetNameList(&m_list);
  if (input.DoModal() != IDOK) return;
  const CString name = input.GetText();
  // A name that climbs out of the folder or splits into two would later be deleted as a
  // category: only a plain folder name is made.
  if (!qvzIsValidCategoryName(name) || !::CreateDirectory(m_strFolder + name, NULL)) {
    AfxMessageBox("フォルダの作成に失敗しました\r\n不正な分類名が入力されました", MB_ICONHAND);
    return;
  }
  const int sel = m_list.GetCurSel();
  const int at = m_list.InsertString(sel, name);
  m_list.SetCurSel(at);
  EnableButtons(TRUE);
}

void qvzFavoriteOrganizerDlg::OnRename() {
  const int sel = m_list.GetCurSel();
  if (sel < 0) return;
  CString old;
  m_list.GetText(sel, old);
  qvzInputBoxDlg input(this);
  input.SetTitle("お気に入りの分類の名称変更");
  input.SetLabel("新しい分類名を入力してください");
  input.SetText(old);
  input.SetNameList(&m_list);
  if (input.DoModal() != IDOK) return;
  const CString name = input.GetText();
  if (!qvzIsValidCategoryName(name) || !::MoveFile(m_strFolder + old, m_strFolder + name)) {
    AfxMessageBox("フォルダの名前変更に失敗しました\r\n不正な分類名が入力されました", MB_ICONHAND);
    return;
  }
  m_list.DeleteString(sel);
  m_list.InsertString(sel, name);
  m_list.SetCurSel(sel);
}

void qvzFavoriteOrganizerDlg::Swap(int a, int b) {
  CString ta, tb;
  m_list.GetText(a, ta);
  m_list.GetText(b, tb);
  m_list.DeleteString(a);
  m_list.InsertString(a, tb);
  m_list.DeleteString(b);
  m_list.InsertString(b, ta);
}

void qvzFavoriteOrganizerDlg::OnMoveUp() {
  const int sel = m_list.GetCurSel();
  if (sel <= 0) return;
  Swap(sel - 1, sel);
  m_list.SetCurSel(sel - 1);
}

void qvzFavoriteOrganizerDlg::OnMoveDown() {
  const int sel = m_list.GetCurSel();
  if (sel < 0 || sel >= m_list.GetCount() - 1) return;
  Swap(sel, sel + 1);
  m_list.SetCurSel(sel + 1);
}

void qvzFavoriteOrganizerDlg::OnDelete() {
  const int sel = m_list.GetCurSel();
  if (sel < 0) return;
  CString name;
  m_list.GetText(sel, name);
  const CString folder = m_strFolder + name;
  // Never a path outside the favourites: "..\" would empty the program folder.
  if (qvzIsValidCategoryName(name) && FileExists(folder)) {
    CString msg;
    msg.Format("分類%sと、その中のお気に入りを全て削除します。よろしいですか？", (LPCTSTR)name);
    if (AfxMessageBox(msg, MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) != IDOK) return;
    CFileFind find;
    BOOL more = find.FindFile(folder + "\\*.*");
    while (more) {
      more = find.FindNextFile();
      if (!find.IsDirectory()) ::DeleteFile(find.GetFilePath());
    }
    find.Close();
    ::RemoveDirectory(folder);
  }
  m_list.DeleteString(sel);
  m_list.SetCurSel(-1);
  if (m_list.GetCount() == 0) EnableButtons(FALSE);
}

void qvzFavoriteOrganizerDlg::OnDestroy() {
  CStdioFile order;
  BOOL ok = order.Open(m_strFolder + "info.txt", CFile::modeCreate | CFile::modeWrite | CFile::typeText);
  if (ok) {
    try {
      for (int i = 0; i < m_list.GetCount(); i++) {
        CString name;
        m_list.GetText(i, name);
        order.WriteString(name + "\n");
      }
      order.Close();
    } catch (CFileException* e) {
      e->Delete();
      order.Abort();
      ok = FALSE;
    }
  }
  if (!ok) AfxMessageBox("インデックスファイルの書き込みに失敗しました", MB_ICONHAND);
  CDialog::OnDestroy();
}
