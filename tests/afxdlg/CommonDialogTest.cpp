// Common dialogs: the explorer-style file dialog with the program's child template and its
// notifications, the file list of a multiple selection, colour and print dialogs.
#include <gtest/gtest.h>

#include <cstring>

#include "DlgRes.h"
#include "DlgTestApp.h"
#include "afxcmn.h"
#include "afxdlgs.h"

#include <dlgs.h>

namespace {

class CTestFileDialog : public CFileDialog {
 public:
  CTestFileDialog() : CFileDialog(TRUE, NULL, NULL, OFN_HIDEREADONLY, "テキスト (*.txt)|*.txt|すべて (*.*)|*.*||") {
    m_ofn.Flags |= OFN_ENABLETEMPLATE;
    m_ofn.hInstance = ::GetModuleHandle(NULL);
    m_ofn.lpTemplateName = MAKEINTRESOURCE(IDD_FILECHILD);
    m_ofn.lpstrTitle = "ファイルを選ぶ";
  }

  int m_nInitDone = 0;
  int m_nInitDialog = 0;
  std::vector<CString> m_folders;
  BOOL m_bChildControlSeen = FALSE;
  BOOL m_bAttachedToChild = FALSE;
  CString m_strSubFolder;

 protected:
  BOOL OnInitDialog() override {
    ++m_nInitDialog;
    return CFileDialog::OnInitDialog();
  }
  void OnInitDone() override {
    ++m_nInitDone;
    m_bChildControlSeen = ::GetDlgItem(m_hWnd, IDC_CHILD_CHECK) != NULL;
    m_bAttachedToChild = (GetStyle() & WS_CHILD) != 0;
    SetDlgItemText(IDC_CHILD_TEXT, "準備完了");
    CFileDialog::OnInitDone();
  }
  void OnFolderChange() override {
    m_folders.push_back(GetFolderPath());
    HWND hWndExplorer = ::GetParent(m_hWnd);
    if (m_folders.size() == 1) {
      // Into the sub-folder, as a user typing its name and pressing Open would.
      CString strSub = m_strSubFolder;
      RunWhenIdle([hWndExplorer, strSub] {
        ::SetDlgItemText(hWndExplorer, edt1, strSub);
        ::SendMessage(hWndExplorer, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hWndExplorer, IDOK));
      });
    } else if (m_folders.size() == 2) {
      // The file there selected in the list, as a click would.
      RunWhenIdle([hWndExplorer] {
        HWND hWndView = ::FindWindowEx(hWndExplorer, NULL, "SHELLDLL_DefView", NULL);
        HWND hWndList = ::FindWindowEx(hWndView, NULL, WC_LISTVIEW, NULL);
        ::SetFocus(hWndList);
        LVITEM item = {};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessage(hWndList, LVM_SETITEMSTATE, 0, (LPARAM)&item);
      });
    }
  }
  void OnFileNameChange() override {
    if (m_nNameChanges++ > 0) return;
    // What the dialog would give for a typed name, while it is up.
    HWND hWndExplorer = ::GetParent(m_hWnd);
    RunWhenIdle([this, hWndExplorer] {
      ::SetDlgItemText(hWndExplorer, edt1, "メモ.txt");
      m_strChosen = GetPathName();
      m_strChosenName = GetFileName();
      ::PostMessage(hWndExplorer, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
  }

 public:
  CString m_strChosen;
  int m_nNameChanges = 0;
  CString m_strChosenName;
};

CString TempFolder(const char* name) {
  char szTemp[MAX_PATH];
  ::GetTempPath(sizeof(szTemp), szTemp);
  CString str = szTemp;
  if (str.Right(1) != "\\") str += "\\";
  str += name;
  return str;
}

}  // namespace

TEST(FileDialogTest, ChildTemplateNotificationsAndCancel) {
  CString strFolder = TempFolder("afxdlg_files");
  CString strSub = strFolder + "\\sub";
  ::CreateDirectory(strFolder, NULL);
  ::CreateDirectory(strSub, NULL);
  CString strFile = strSub + "\\メモ.txt";
  HANDLE hFile = ::CreateFile(strFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
  ::CloseHandle(hFile);

  CTestFileDialog dlg;
  dlg.m_ofn.lpstrInitialDir = strFolder;
  dlg.m_strSubFolder = "sub";
  // A safety net: the dialog never stays up longer than the test.
  RunWhenIdle(
      [&dlg] {
        if (dlg.m_hWnd != NULL) ::PostMessage(::GetParent(dlg.m_hWnd), WM_COMMAND, IDCANCEL, 0);
      },
      10000);
  EXPECT_EQ(IDCANCEL, dlg.DoModal());

  EXPECT_EQ(1, dlg.m_nInitDialog);
  EXPECT_EQ(1, dlg.m_nInitDone);
  EXPECT_TRUE(dlg.m_bChildControlSeen);
  EXPECT_TRUE(dlg.m_bAttachedToChild);
  ASSERT_EQ(2u, dlg.m_folders.size());
  EXPECT_EQ(0, dlg.m_folders[0].CompareNoCase(strFolder));
  EXPECT_EQ(0, dlg.m_folders[1].CompareNoCase(strSub));
  EXPECT_GE(dlg.m_nNameChanges, 1);
  EXPECT_EQ(0, dlg.m_strChosen.CompareNoCase(strFile));
  EXPECT_EQ("メモ.txt", dlg.m_strChosenName);
  EXPECT_EQ(NULL, dlg.m_hWnd);

  ::DeleteFile(strFile);
  ::RemoveDirectory(strSub);
  ::RemoveDirectory(strFolder);
}

// Old style (no OFN_EXPLORER): the object is the dialog itself and sees its commands.
TEST(FileDialogTest, OldStyleIsAttachedToTheDialog) {
  class COldStyleDialog : public CFileDialog {
   public:
    COldStyleDialog() : CFileDialog(FALSE, "txt", "名前.txt", OFN_HIDEREADONLY, "テキスト (*.txt)|*.txt||") {
      m_ofn.Flags &= ~OFN_EXPLORER;
    }
    int m_nInit = 0;
    int m_nCancel = 0;
    BOOL m_bChild = TRUE;
    CString m_strNameShown;

   protected:
    BOOL OnInitDialog() override {
      ++m_nInit;
      m_bChild = (GetStyle() & WS_CHILD) != 0;
      GetDlgItemText(edt1, m_strNameShown);
      HWND hWnd = m_hWnd;
      RunWhenIdle([hWnd] { ::PostMessage(hWnd, WM_COMMAND, IDCANCEL, 0); }, 300);
      return CFileDialog::OnInitDialog();
    }
    void OnCancel() override {
      ++m_nCancel;
      CFileDialog::OnCancel();
    }
  };
  COldStyleDialog dlg;
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
  EXPECT_EQ(1, dlg.m_nInit);
  EXPECT_EQ(1, dlg.m_nCancel);
  EXPECT_FALSE(dlg.m_bChild);
  EXPECT_EQ("名前.txt", dlg.m_strNameShown);
  EXPECT_EQ(NULL, dlg.m_hWnd);
}

// Old style with the program's template and the hook: the object is the dialog, its own
// controls are there, and the name check refuses a name before the dialog ends.
TEST(FileDialogTest, OldStyleWithTemplateAndNameCheck) {
  class COldTemplateDialog : public CFileDialog {
   public:
    COldTemplateDialog() : CFileDialog(FALSE, "txt", NULL, OFN_HIDEREADONLY | OFN_ENABLETEMPLATE, "テキスト (*.txt)|*.txt||") {
      m_ofn.Flags &= ~OFN_EXPLORER;
      m_ofn.hInstance = ::GetModuleHandle(NULL);
      m_ofn.lpTemplateName = MAKEINTRESOURCE(IDD_OLDFILE);
    }
    CString m_strNote;
    std::vector<CString> m_Checked;

   protected:
    BOOL OnInitDialog() override {
      GetDlgItemText(IDC_OLD_NOTE, m_strNote);
      HWND hWnd = m_hWnd;
      RunWhenIdle([hWnd] {
        for (const char* name : {"拒否", "受理"}) {
          ::SetDlgItemText(hWnd, edt1, name);
          ::SendMessage(hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hWnd, IDOK));
        }
      });
      return CFileDialog::OnInitDialog();
    }
    BOOL OnFileNameOK() override {
      m_Checked.push_back(GetFileName());
      return m_Checked.size() == 1;  // the first name is refused
    }
  };
  const CString strFolder = TempFolder("古い形試験");
  ::CreateDirectory(strFolder, NULL);
  COldTemplateDialog dlg;
  dlg.m_ofn.lpstrInitialDir = strFolder;
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ("独自の注記", dlg.m_strNote);
  ASSERT_EQ(2u, dlg.m_Checked.size());
  // The system's old-style dialog may or may not add the default extension.
  EXPECT_EQ(0, dlg.m_Checked[0].Find("拒否")) << (LPCTSTR)dlg.m_Checked[0];
  EXPECT_EQ(0, dlg.m_Checked[1].Find("受理")) << (LPCTSTR)dlg.m_Checked[1];
  EXPECT_EQ(0, dlg.GetPathName().Find(strFolder + "\\受理"));
  EXPECT_EQ(0, dlg.GetFileName().Find("受理"));
  ::RemoveDirectory(strFolder);
}

TEST(FileDialogTest, MultipleSelectionList) {
  CFileDialog dlg(TRUE);
  char buffer[64];
  auto setBuffer = [&](const char* data, size_t len, DWORD dwFlags) {
    memset(buffer, 0, sizeof(buffer));
    memcpy(buffer, data, len);
    dlg.m_ofn.lpstrFile = buffer;
    dlg.m_ofn.nMaxFile = sizeof(buffer);
    dlg.m_ofn.Flags = dwFlags;
  };
  auto names = [&] {
    std::vector<CString> v;
    POSITION pos = dlg.GetStartPosition();
    while (pos != NULL && v.size() < 10) v.push_back(dlg.GetNextPathName(pos));
    return v;
  };

  setBuffer("C:\\dir\0a.txt\0b.txt\0", 20, OFN_EXPLORER | OFN_ALLOWMULTISELECT);
  std::vector<CString> v = names();
  ASSERT_EQ(2u, v.size());
  EXPECT_EQ("C:\\dir\\a.txt", v[0]);
  EXPECT_EQ("C:\\dir\\b.txt", v[1]);

  setBuffer("C:\\dir\\one.txt", 14, OFN_EXPLORER | OFN_ALLOWMULTISELECT);
  v = names();
  ASSERT_EQ(1u, v.size());
  EXPECT_EQ("C:\\dir\\one.txt", v[0]);

  setBuffer("C:\\dir a.txt b.txt", 18, OFN_ALLOWMULTISELECT);
  v = names();
  ASSERT_EQ(2u, v.size());
  EXPECT_EQ("C:\\dir\\b.txt", v[1]);

  // A list filling the whole buffer without its end: nothing read past it.
  memset(buffer, 'x', sizeof(buffer));
  buffer[3] = '\0';
  dlg.m_ofn.lpstrFile = buffer;
  dlg.m_ofn.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT;
  v = names();
  ASSERT_EQ(1u, v.size());
  EXPECT_EQ(3 + 1 + 60, v[0].GetLength());
}

TEST(FileDialogTest, FilterWithDoubleByteBar) {
  // "ポ" ends with the byte of '|': it must stay part of the description.
  CFileDialog dlg(TRUE, NULL, NULL, 0, "ポスター (*.p)|*.p||");
  const char* p = dlg.m_ofn.lpstrFilter;
  EXPECT_STREQ("ポスター (*.p)", p);
  p += strlen(p) + 1;
  EXPECT_STREQ("*.p", p);
  p += strlen(p) + 1;
  EXPECT_STREQ("", p);
}

TEST(ColorDialogTest, CancelledThroughItsWindow) {
  CColorDialog dlg(RGB(10, 20, 30));
  HWND hWndSeen = NULL;
  RunWhenIdle(
      [&] {
        hWndSeen = dlg.m_hWnd;
        if (hWndSeen != NULL) ::PostMessage(hWndSeen, WM_COMMAND, IDCANCEL, 0);
      },
      300);
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
  EXPECT_NE((HWND)NULL, hWndSeen);
  EXPECT_EQ(RGB(10, 20, 30), dlg.GetColor());
  EXPECT_EQ(NULL, dlg.m_hWnd);
}

TEST(PrintDialogTest, DefaultsWithoutShowing) {
  CPrintDialog dlg(FALSE);
  EXPECT_TRUE(dlg.m_pd.Flags & PD_RETURNDC);
  EXPECT_TRUE(dlg.PrintAll());
  if (dlg.GetDefaults()) {
    EXPECT_FALSE(dlg.GetDeviceName().IsEmpty());
  } else {
    EXPECT_TRUE(dlg.GetDeviceName().IsEmpty());  // no printer here
    EXPECT_EQ((HDC)NULL, dlg.CreatePrinterDC());
  }
}

// DEVNAMES as the application keeps it: three strings at offsets inside the block. An
// offset pointing outside the block reads nothing.
TEST(PrintDialogTest, DeviceNamesAndPrinterDC) {
  auto makeDevNames = [](WORD wDriver, WORD wDevice, WORD wOutput) {
    HGLOBAL h = ::GlobalAlloc(GHND, 64);
    char* p = (char*)::GlobalLock(h);
    DEVNAMES* pdn = (DEVNAMES*)p;
    pdn->wDriverOffset = wDriver;
    pdn->wDeviceOffset = wDevice;
    pdn->wOutputOffset = wOutput;
    strcpy(p + 8, "DISPLAY");
    strcpy(p + 16, "DISPLAY");
    strcpy(p + 24, "");
    ::GlobalUnlock(h);
    return h;
  };
  CPrintDialog dlg(FALSE);
  dlg.m_pd.hDevNames = makeDevNames(8, 16, 24);
  EXPECT_EQ("DISPLAY", dlg.GetDriverName());
  EXPECT_EQ("DISPLAY", dlg.GetDeviceName());
  EXPECT_EQ("", dlg.GetPortName());
  HDC hDC = dlg.CreatePrinterDC();
  EXPECT_NE((HDC)NULL, hDC);
  EXPECT_EQ(hDC, dlg.GetPrinterDC());
  if (hDC != NULL) ::DeleteDC(hDC);
  ::GlobalFree(dlg.m_pd.hDevNames);

  dlg.m_pd.hDevNames = makeDevNames(8, 5000, 24);
  EXPECT_EQ("", dlg.GetDeviceName());
  ::GlobalFree(dlg.m_pd.hDevNames);
  dlg.m_pd.hDevNames = NULL;
}
