// The favourites organiser and the favourite dialogs on a favourites folder of their own.
#include <gtest/gtest.h>

#include <string>

#include "ScriptedDialog.h"
#include "ViewTestApp.h"
#include "qvzFavoriteOrganizerDlg.h"
#include "qvzFavoriteRenameDlg.h"
#include "qvzInputBoxDlg.h"
#include "qvzNewCategoryDlg.h"

namespace {

// A fresh favourites folder under the temporary folder, removed afterwards.
class FavoritesFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmp[MAX_PATH];
    ::GetTempPath(MAX_PATH, tmp);
    m_folder.Format("%sqvzfav%lu\\", tmp, ::GetCurrentProcessId());
    Clear();
    ::CreateDirectory(m_folder, NULL);
    TestApp()->m_messages.clear();
    TestApp()->m_nAnswer = IDOK;
  }
  void TearDown() override { Clear(); }
  void Clear() {
    CFileFind f;
    for (BOOL more = f.FindFile(m_folder + "*.*"); more;) {
      more = f.FindNextFile();
      if (f.IsDots()) continue;
      if (f.IsDirectory()) {
        CFileFind g;
        for (BOOL m2 = g.FindFile(f.GetFilePath() + "\\*.*"); m2;) {
          m2 = g.FindNextFile();
          if (!g.IsDirectory()) ::DeleteFile(g.GetFilePath());
        }
        g.Close();
        ::RemoveDirectory(f.GetFilePath());
      } else {
        ::DeleteFile(f.GetFilePath());
      }
    }
    f.Close();
    ::RemoveDirectory(m_folder);
  }
  void Write(const char* name, const std::string& bytes) {
    CFile f(m_folder + name, CFile::modeCreate | CFile::modeWrite);
    f.Write(bytes.data(), (UINT)bytes.size());
  }
  std::string Read(const char* name) {
    CFile f;
    if (!f.Open(m_folder + name, CFile::modeRead)) return "<none>";
    std::string s((size_t)f.GetLength(), '\0');
    f.Read(&s[0], (UINT)s.size());
    return s;
  }
  void Folder(const char* name) { ::CreateDirectory(m_folder + name, NULL); }
  BOOL Exists(const char* name) { return ::GetFileAttributes(m_folder + name) != INVALID_FILE_ATTRIBUTES; }
  static std::string Items(CListBox& list) {
    std::string all;
    for (int i = 0; i < list.GetCount(); i++) {
      CString s;
      list.GetText(i, s);
      all += (i ? "," : "") + std::string((LPCTSTR)s);
    }
    return all;
  }
  CString m_folder;
};

// Answers the input box that the organiser opens next with a text (NULL: cancel).
void AnswerInputBox(const char* text, const char* caption) {
  RunWhenIdle([text, caption] {
    HWND h = ::GetActiveWindow();
    char c[128] = "";
    ::GetWindowText(h, c, sizeof c);
    if (strcmp(c, caption) != 0 || !::IsWindowVisible(h)) {
      AnswerInputBox(text, caption);
      return;
    }
    if (text == NULL) {
      ::SendMessage(h, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    ::SetDlgItemText(h, 784, text);
    ::SendMessage(h, WM_COMMAND, IDOK, 0);
    // A refused name keeps the box open: close it.
    PumpPending();
    if (::IsWindow(h) && ::IsWindowVisible(h)) ::SendMessage(h, WM_COMMAND, IDCANCEL, 0);
  });
}

TEST_F(FavoritesFolder, OrganiserAddsRenamesReordersAndDeletes) {
  Folder("家具");
  Folder("植物");
  Write("家具\\a.qzl", "x");
  // An order line that climbs out of the folder is never listed (nor deleted later).
  Write("info.txt", "植物\r\n..\r\n家具\r\nnone\r\n");
  Scripted<qvzFavoriteOrganizerDlg> dlg([this](Scripted<qvzFavoriteOrganizerDlg>& d) {
    EXPECT_EQ("植物,家具", Items(d.m_list));
    EXPECT_EQ(0, d.m_list.GetCurSel());
    const char* add = "お気に入りの分類の追加";
    // A duplicate in another letter case, then a name no folder can have.
    Folder("Door");
    d.m_list.AddString("Door");
    AnswerInputBox("door", add);
    d.Click(1075);
    AnswerInputBox("a*b", add);
    d.Click(1075);
    EXPECT_EQ("植物,家具,Door", Items(d.m_list));
    d.m_list.SetCurSel(1);
    AnswerInputBox("照明", add);
    d.Click(1075);
    EXPECT_EQ("植物,照明,家具,Door", Items(d.m_list));
    EXPECT_EQ(1, d.m_list.GetCurSel());
    EXPECT_TRUE(Exists("照明"));
    // Renaming to its own name is refused; to a new one moves the folder.
    const char* rename = "お気に入りの分類の名称変更";
    AnswerInputBox("照明", rename);
    d.Click(1205);
    AnswerInputBox("灯り", rename);
    d.Click(1205);
    EXPECT_EQ("植物,灯り,家具,Door", Items(d.m_list));
    EXPECT_TRUE(Exists("灯り"));
    EXPECT_FALSE(Exists("照明"));
    d.Click(1207);
    EXPECT_EQ("植物,家具,灯り,Door", Items(d.m_list));
    EXPECT_EQ(2, d.m_list.GetCurSel());
    d.m_list.SetCurSel(0);
    d.Click(1206);
    EXPECT_EQ("植物,家具,灯り,Door", Items(d.m_list)) << "the first stays first";
    d.m_list.SetCurSel(3);
    d.Click(1207);
    EXPECT_EQ("植物,家具,灯り,Door", Items(d.m_list)) << "the last stays last";
    // Delete asks; Cancel keeps everything.
    d.m_list.SetCurSel(1);
    TestApp()->m_nAnswer = IDCANCEL;
    d.Click(800);
    EXPECT_TRUE(Exists("家具\\a.qzl"));
    TestApp()->m_nAnswer = IDOK;
    d.Click(800);
    EXPECT_FALSE(Exists("家具"));
    EXPECT_EQ(-1, d.m_list.GetCurSel());
    while (d.m_list.GetCount() > 0) {
      d.m_list.SetCurSel(0);
      EXPECT_TRUE(d.Enabled(800));
      d.Click(800);
    }
    for (int id : {1205, 1206, 1207, 800}) EXPECT_FALSE(d.Enabled(id)) << id;
    EXPECT_FALSE(Exists("植物"));
    d.Click(IDOK);
  });
  dlg.m_strFolder = m_folder;
  dlg.DoModal();
  const std::vector<std::string>& m = TestApp()->m_messages;
  ASSERT_GE(m.size(), 4u);
  EXPECT_EQ("doorは既に存在します", m[0]);
  EXPECT_EQ("フォルダの作成に失敗しました\r\n不正な分類名が入力されました", m[1]);
  EXPECT_EQ("照明は既に存在します", m[2]);
  EXPECT_EQ("分類家具と、その中のお気に入りを全て削除します。よろしいですか？", m[3]);
  EXPECT_EQ("", Read("info.txt")) << "the order file is written empty";
}

TEST_F(FavoritesFolder, OrganiserWritesTheOrderWithLineEndsWhenClosed) {
  Folder("B");
  Folder("A");
  Scripted<qvzFavoriteOrganizerDlg> dlg([](Scripted<qvzFavoriteOrganizerDlg>& d) {
    d.m_list.SetCurSel(1);
    d.Click(1206);
    d.SendMessage(WM_CLOSE);
  });
  dlg.m_strFolder = m_folder;
  dlg.DoModal();
  EXPECT_EQ("B\r\nA\r\n", Read("info.txt"));
}

TEST_F(FavoritesFolder, NewCategoryRefusesEmptyLongAndDuplicateNames) {
  Folder("Tables");
  Write("info.txt", "Tables\r\n");
  Scripted<qvzNewCategoryDlg> dlg([](Scripted<qvzNewCategoryDlg>& d) {
    EXPECT_EQ(1, d.m_list.GetCount());
    EXPECT_EQ(d.m_edit.m_hWnd, ::GetFocus());
    d.m_list.SetCurSel(0);
    d.SendMessage(WM_COMMAND, MAKEWPARAM(723, LBN_SELCHANGE), (LPARAM)d.m_list.m_hWnd);
    EXPECT_EQ("Tables", d.Text(783));
    const std::string tooLong(51, 'x');
    for (const char* bad : {"", "tables", "..", tooLong.c_str()}) {
      d.SetDlgItemText(783, bad);
      d.Click(IDOK);
      EXPECT_TRUE(::IsWindowVisible(d.m_hWnd)) << bad;
    }
    d.SetDlgItemText(783, "新規");
    d.Click(IDOK);
  });
  dlg.m_strFolder = m_folder;
  ASSERT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ("新規", dlg.m_strText);
  EXPECT_TRUE(Exists("新規"));
  EXPECT_EQ("Tables\r\n新規\r\n", Read("info.txt"));
  const std::vector<std::string>& m = TestApp()->m_messages;
  ASSERT_EQ(4u, m.size());
  EXPECT_EQ("分類名が入力されていません。", m[0]);
  EXPECT_EQ("tablesは既に存在します。別の分類名を入力してください。", m[1]);
  EXPECT_EQ("指定された分類名は不正です。再度分類名を指定してください。", m[2]);
}

// Once a message box is up over the dialog: its text is checked and it is closed.
void CloseMessageBoxOver(HWND hDialog, const char* expected) {
  RunWhenIdle([hDialog, expected] {
    HWND box = ::GetActiveWindow();
    if (box == hDialog || box == NULL || !::IsWindowVisible(box)) {
      CloseMessageBoxOver(hDialog, expected);
      return;
    }
    char text[128] = "", caption[64] = "";
    ::GetDlgItemText(box, 0xFFFF, text, sizeof text);
    ::GetWindowText(box, caption, sizeof caption);
    EXPECT_STREQ(expected, text);
    EXPECT_STREQ("お気に入りの名前変更", caption);
    ::SendMessage(box, WM_COMMAND, IDOK, 0);
  });
}

TEST_F(FavoritesFolder, RenameRefusesANameWhoseFileExistsInAnyCase) {
  Write("Chair.QZL", "x");
  Scripted<qvzFavoriteRenameDlg> dlg([](Scripted<qvzFavoriteRenameDlg>& d) {
    d.SetDlgItemText(784, "chair");
    CloseMessageBoxOver(d.m_hWnd, "chairは既に存在します。\n別の名前を入力してください。");
    d.Click(IDOK);
    EXPECT_TRUE(::IsWindowVisible(d.m_hWnd));
    d.SetDlgItemText(784, "table");
    d.Click(IDOK);
  });
  dlg.m_strFolder = m_folder;
  ASSERT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ("table", dlg.m_strName);
}

}  // namespace
