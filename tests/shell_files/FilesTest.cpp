// The file commands, previews, template dialogs and the start menu under Wine, on boards
// written by the program's own document into a program folder of Japanese names.
#include <gtest/gtest.h>

#include <stdio.h>

#include <functional>
#include <string>
#include <vector>

#include "BoardFilePreview.h"
#include "CSkinDialog.h"
#include "CViewFileDialog.h"
#include "qvzPictureFileSeam.h"
#include "Dib.h"
#include "StandardSheets.h"
#include "ThumbnailLayout.h"
#include "afxtest/ThreadPump.h"
#include "jvqBoard.h"
#include "jvqFileHeader.h"
#include "jvqObjectCodes.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqRectObject.h"
#include "jvqTool.h"
#include "jvqView.h"
#include "qvzApp.h"
#include "qvzDocument.h"
#include "qvzWaitDlg.h"
#include "qvzMainFrame.h"
#include "qvzOpenFileDlg.h"
#include "qvzPagePreviewView.h"
#include "qvzSelectToolBar.h"
#include "qvzTemplateDialog.h"
#include "qvzTemplateSaveAsDlg.h"
#include "qvzTemplateSaveDlg.h"
#include "qvzView.h"
#include "resource.h"

namespace {

class CFilesTestApp : public qvzApp {
 public:
  BOOL InitInstance() override { return TRUE; }
  int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) override {
    m_Messages.push_back(lpszPrompt);
    const UINT t = nType & MB_TYPEMASK;
    if (m_nAnswer) return m_nAnswer;
    return t == MB_YESNO ? IDYES : t == MB_YESNOCANCEL ? IDNO : IDOK;
  }
  std::vector<CString> m_Messages;
  int m_nAnswer = 0;
};
CFilesTestApp theApp;

// The dialogs as the tests see them: whether their modal loop still runs.
struct CSaveAsProbe : qvzTemplateSaveAsDlg {
  using qvzTemplateSaveAsDlg::qvzTemplateSaveAsDlg;
  BOOL Running() const { return (m_nFlags & WF_CONTINUEMODAL) != 0; }
};
struct CSkinProbe : CSkinDialog {
  using CSkinDialog::CSkinDialog;
  BOOL Running() const { return (m_nFlags & WF_CONTINUEMODAL) != 0; }
};

qvzMainFrame* Frame() { return DYNAMIC_DOWNCAST(qvzMainFrame, AfxGetMainWnd()); }
qvzDocument* Doc() { return Frame()->GetBoardDocument(); }

CString TempRoot() {
  char sz[MAX_PATH];
  ::GetTempPath(MAX_PATH, sz);
  CString s = sz;
  if (s.Right(1) != "\\") s += "\\";
  CString name;
  name.Format("ファイル試験%lu\\", ::GetCurrentProcessId());
  return s + name;
}

void MakeFolder(const CString& path) { ::CreateDirectory(path, NULL); }

void WriteBytes(const CString& path, const std::string& bytes) {
  FILE* f = fopen(path, "wb");
  ASSERT_NE(f, nullptr);
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
}

// The current board, with one rectangle, written by the document as a board or template.
void SaveBoard(const CString& path, BOOL bTemplate, LPCTSTR lpszDescription = NULL) {
  qvzDocument* d = Doc();
  jvqPage* page = d->GetBoard()->GetCurrentPage();
  if (page->GetChildCount() == 0) {
    const RECT r = {200, 200, 900, 700};
    page->AddChild(new jvqRectObject(&r, NULL, 0x311));
  }
  d->m_bTemplate = bTemplate;
  if (lpszDescription) d->GetHeader()->SetProperty("ひながた説明", lpszDescription);
  ASSERT_TRUE(d->OnSaveDocument(path)) << (LPCTSTR)path;
  d->m_bTemplate = 0;
}

struct FilesTest : ::testing::Test {
  static CString s_root;
  void SetUp() override {
    if (Frame() == NULL) {
      s_root = TempRoot();
      MakeFolder(s_root);
      theApp.m_strAppFolder = s_root;
      theApp.m_Settings.nWindowStatus = 5;
      theApp.m_Settings.rcWindow = {0, 0, 900, 700};
      theApp.m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", 4);
      theApp.AddDocTemplate(new CSingleDocTemplate(IDR_QVZTYPE, RUNTIME_CLASS(qvzDocument),
                                                   RUNTIME_CLASS(qvzMainFrame), RUNTIME_CLASS(qvzView)));
      theApp.m_bShowStartMenu = 0;
      theApp.OnFileNew();
    }
    ASSERT_NE(Frame(), nullptr);
    Frame()->m_nAutoAnswer = IDYES;
    theApp.m_Messages.clear();
    theApp.m_nAnswer = 0;
    Doc()->SetModifiedFlag(FALSE);
    PumpPending();
  }
};
CString FilesTest::s_root;

struct FindTitleArg {
  const char* title;
  HWND found;
};

BOOL CALLBACK FindTitleVisit(HWND h, LPARAM lp) {
  FindTitleArg* a = (FindTitleArg*)lp;
  char text[128] = "";
  ::GetWindowText(h, text, sizeof(text));
  if (::IsWindowVisible(h) && strcmp(text, a->title) == 0) a->found = h;
  return a->found == NULL;
}

HWND FindThreadDialog(const char* title) {
  FindTitleArg a = {title, NULL};
  ::EnumThreadWindows(::GetCurrentThreadId(), FindTitleVisit, (LPARAM)&a);
  return a.found;
}

void TypeAndConfirm(const char* title, const CString& text) {
  HWND h = FindThreadDialog(title);
  ASSERT_NE(h, (HWND)NULL);
  ::SetDlgItemText(h, 1152, text);
  ::PostMessage(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(h, IDOK));
}


// Runs fn on the dialog of that title once it is up (a fill may hold it back for a while).
void WhenShown(const char* title, std::function<void(HWND)> fn, int nTries = 60) {
  RunWhenIdle([title, fn, nTries] {
    HWND h = FindThreadDialog(title);
    if (h == NULL && nTries > 0)
      WhenShown(title, fn, nTries - 1);
    else
      fn(h);
  }, 100);
}

// What the paper dialog showed; it is answered with the sheet of that index, or Cancel (-1).
struct PaperRun {
  BOOL bShown = FALSE;
  BOOL bCancelShown = TRUE;
  BOOL bCloseBox = TRUE;
};

void AnswerPaperDialog(PaperRun* run, int nSheet) {
  WhenShown("用紙の設定", [run, nSheet](HWND h) {
    run->bShown = h != NULL;
    if (h == NULL) return;
    run->bCancelShown = ::IsWindowVisible(::GetDlgItem(h, IDCANCEL));
    run->bCloseBox = (::GetWindowLong(h, GWL_STYLE) & WS_SYSMENU) != 0;
    if (nSheet >= 0) {
      ::SendDlgItemMessage(h, 1145, CB_SETCURSEL, nSheet, 0);
      ::SendMessage(h, WM_COMMAND, MAKEWPARAM(1145, CBN_SELCHANGE), (LPARAM)::GetDlgItem(h, 1145));
    }
    const int id = nSheet >= 0 ? IDOK : IDCANCEL;
    ::PostMessage(h, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(h, id));
  });
}

BOOL CALLBACK FindSkinVisit(HWND h, LPARAM lp) {
  CSkinDialog* d = dynamic_cast<CSkinDialog*>(CWnd::FromHandlePermanent(h));
  if (d != NULL && d->IsWindowVisible()) *(CSkinDialog**)lp = d;
  return *(CSkinDialog**)lp == NULL;
}

// Runs fn on the start menu once it is up (NULL when it never comes).
void WhenStartMenuShown(std::function<void(CSkinDialog*)> fn, int nTries = 60) {
  RunWhenIdle([fn, nTries] {
    CSkinDialog* menu = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindSkinVisit, (LPARAM)&menu);
    if (menu == NULL && nTries > 0)
      WhenStartMenuShown(fn, nTries - 1);
    else
      fn(menu);
  }, 100);
}

void ClickStartButton(CSkinDialog* menu, int x, int y) {
  menu->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  menu->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

SIZE SheetOfBoard() {
  SIZE sz = {0, 0};
  Doc()->GetBoard()->GetCurrentPageSize(&sz);
  return sz;
}

// A header of the direct route's layout with a property count and nothing after it.
std::string HeaderBytes(int32_t nVersion, int32_t nProperties) {
  std::string s = std::string("\x04vask", 5);
  s.append((const char*)&nVersion, 4);
  const int32_t pages = 1;
  s.append((const char*)&pages, 4);
  s.append(105, '\0');
  s.append((const char*)&nProperties, 4);
  return s;
}

TEST_F(FilesTest, PreviewsOfOurBoardsAndNoneOfBrokenFiles) {
  const CString board = s_root + "見本.vqd";
  Doc()->GetHeader()->SetProperty("物件名", "山田邸");
  SaveBoard(board, FALSE);
  SIZE sheet;
  Doc()->GetBoard()->GetCurrentPageSize(&sheet);

  CString text;
  CDib* p = ReadBoardFilePreview(board, PREVIEW_TEXT_BOARD, text);
  ASSERT_NE(p, nullptr);
  EXPECT_GT(p->GetWidth(), 0);
  delete p;
  CString expected = "用紙サイズ：";
  expected += SheetSizeText(sheet.cx, sheet.cy) + "\r\n物件名：山田邸";
  EXPECT_EQ(text, expected);
  text.Empty();
  p = ReadBoardFilePreview(board, PREVIEW_TEXT_SAMPLE, text);
  delete p;
  EXPECT_EQ(text, "見本.vqd");
  // The open dialog's form takes .vqd in any case and nothing else.
  const CString upper = s_root + "大文字.VqD", other = s_root + "見本.txt";
  ASSERT_TRUE(::CopyFile(board, upper, FALSE));
  ASSERT_TRUE(::CopyFile(board, other, FALSE));
  text.Empty();
  delete (p = ReadBoardFilePreview(upper, PREVIEW_TEXT_BOARD, text));
  EXPECT_NE(p, nullptr);
  EXPECT_EQ(ReadBoardFilePreview(other, PREVIEW_TEXT_BOARD, text), nullptr);
  Doc()->GetHeader()->SetProperty("物件名", "");

  std::string straddling(1021, 'x');
  straddling += "\x04vask";
  std::string huge = HeaderBytes(91530, 0x7FFFFFFF);
  struct {
    const char* name;
    std::string bytes;
  } broken[] = {
      {"空.vqd", ""},
      {"署名なし.vqd", std::string(3000, 'a')},
      {"境目.vqd", straddling + std::string(3000, 'y')},
      {"長さ違い.vqd", std::string("\x05vask", 5) + std::string(400, '\0')},
      {"巨大な数.vqd", huge},
      {"途切れ.vqd", HeaderBytes(91530, 0) + std::string("\xFF\xFF\xFF\x7F", 4)},
  };
  for (auto& b : broken) {
    const CString path = s_root + b.name;
    WriteBytes(path, b.bytes);
    CString desc = "そのまま";
    EXPECT_EQ(ReadBoardFilePreview(path, PREVIEW_TEXT_TEMPLATE, desc), nullptr) << b.name;
    EXPECT_EQ(desc, "そのまま") << b.name;
  }
}

TEST_F(FilesTest, OldBoardsAreDrawnAndDescribedByTheirTemplateTextAlone) {
  const CString board = s_root + "旧版.vqd";
  Doc()->GetHeader()->SetProperty("ひながた説明", "古い説明");
  Doc()->GetHeader()->m_nVersion = 91399;
  SaveBoard(board, FALSE);
  Doc()->GetHeader()->m_nVersion = JVQ_VERSION_CURRENT;
  Doc()->GetHeader()->SetProperty("ひながた説明", "");
  for (PreviewTextForm form : {PREVIEW_TEXT_TEMPLATE, PREVIEW_TEXT_SAMPLE, PREVIEW_TEXT_BOARD}) {
    CString text;
    CDib* p = ReadBoardFilePreview(board, form, text);
    ASSERT_NE(p, nullptr) << form;
    EXPECT_EQ(p->GetWidth(), 147);
    EXPECT_EQ(p->GetHeight(), 158);
    EXPECT_EQ(text, "古い説明");
    delete p;
  }
}

TEST_F(FilesTest, BoardsOpenThroughACopyUnderTheirOwnName) {
  const CString board = s_root + "開く.vqd";
  SaveBoard(board, FALSE);
  ASSERT_NE(theApp.OpenDocumentFile(board), nullptr);
  EXPECT_EQ(Doc()->GetPathName(), board);
  EXPECT_EQ((*theApp.m_pRecentFileList)[0], board);
  for (int i = 0; i < theApp.m_pRecentFileList->GetSize(); i++)
    EXPECT_EQ((*theApp.m_pRecentFileList)[i].Find("qvz"), -1) << (LPCTSTR)(*theApp.m_pRecentFileList)[i];
  const CString copy = theApp.m_szCurrentOpenCopy;
  EXPECT_NE(copy.Find("qvz"), -1);
  EXPECT_NE(::GetFileAttributes(copy), INVALID_FILE_ATTRIBUTES);

  // The auto-save file, named in another letter case, is untitled: no path, no recent entry.
  theApp.m_Settings.strAutoSavePath = s_root + "自動保存.VQD";
  ASSERT_TRUE(::CopyFile(board, theApp.m_Settings.strAutoSavePath, FALSE));
  CString lower = s_root + "自動保存.vqd";
  ASSERT_NE(theApp.OpenDocumentFile(lower), nullptr);
  EXPECT_EQ(Doc()->GetTitle(), "無題");
  EXPECT_TRUE(Doc()->GetPathName().IsEmpty());
  EXPECT_EQ((*theApp.m_pRecentFileList)[0], board);
  // The earlier copy went once the new one opened.
  EXPECT_EQ(::GetFileAttributes(copy), INVALID_FILE_ATTRIBUTES);
  theApp.m_Settings.strAutoSavePath.Empty();

  // A file that does not read is named as the user chose it, never as its copy.
  const CString broken = s_root + "壊れた.vqd";
  WriteBytes(broken, HeaderBytes(91530, 0) + std::string(64, '\x01'));
  theApp.m_Messages.clear();
  EXPECT_EQ(theApp.OpenDocumentFile(broken), nullptr);
  ASSERT_FALSE(theApp.m_Messages.empty());
  EXPECT_NE(theApp.m_Messages.back().Find("壊れた.vqd"), -1) << (LPCTSTR)theApp.m_Messages.back();
  EXPECT_EQ(theApp.m_Messages.back().Find(".tmp"), -1);
  // A file that cannot be copied is reported too.
  theApp.m_Messages.clear();
  EXPECT_EQ(theApp.OpenDocumentFile(s_root + "ない.vqd"), nullptr);
  ASSERT_EQ(theApp.m_Messages.size(), 1u);
  EXPECT_NE(theApp.m_Messages[0].Find("ない.vqd"), -1);
  theApp.RemoveFromRecentFiles(board);
  EXPECT_NE((*theApp.m_pRecentFileList)[0], board);
}

// The program folder as the build fills it.
CString ProgramFolder() {
  CString s = getenv("QVZ_BIN_DIR") ? getenv("QVZ_BIN_DIR") : ".";
  s.Replace('/', '\\');
  if (s.Left(1) == "\\") s = "Z:" + s;
  return s + "\\";
}

// A new board and an opened one both save automatically to the settings' file, and keep
// their own names.
TEST_F(FilesTest, BoardsSaveAutomaticallyToTheFileTheSettingsName) {
  const CString autosave = s_root + "自動保存先.vqd";
  theApp.m_Settings.strAutoSavePath = autosave;
  theApp.m_bShowStartMenu = 0;
  theApp.OnFileNew();
  const CString title = Doc()->GetTitle();
  Doc()->AutoSave();
  EXPECT_NE(::GetFileAttributes(autosave), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(Doc()->GetPathName().IsEmpty());
  EXPECT_EQ(Doc()->GetTitle(), title);
  ::DeleteFile(autosave);

  const CString board = s_root + "自動で保存.vqd";
  SaveBoard(board, FALSE);
  ASSERT_NE(theApp.OpenDocumentFile(board), nullptr);
  Doc()->AutoSave();
  EXPECT_NE(::GetFileAttributes(autosave), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(Doc()->GetPathName(), board);
  theApp.RemoveFromRecentFiles(board);
  theApp.m_Settings.strAutoSavePath.Empty();
  ::DeleteFile(autosave);
}

TEST_F(FilesTest, ShippedSampleTemplatesCoverEverySheetAndTheSampleBoardsDescribeThemselves) {
  // Six sheets a folder: one grid page, the scroll bar off.
  for (const char* side : {"横", "縦"}) {
    WIN32_FIND_DATA fd;
    int n = 0;
    HANDLE h = ::FindFirstFile(ProgramFolder() + "ひな型\\サンプル\\" + side + "\\*.vqd", &fd);
    for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = ::FindNextFile(h, &fd)) n++;
    if (h != INVALID_HANDLE_VALUE) ::FindClose(h);
    EXPECT_EQ(n, 6) << side;
  }
  for (int i = 0; i < STANDARD_SHEET_COUNT; i++) {
    const StandardSheet& sheet = STANDARD_SHEETS[i];
    const CString path = ProgramFolder() + "ひな型\\サンプル\\" + (sheet.cx > sheet.cy ? "横" : "縦") + "\\" +
                         sheet.pszName + ".vqd";
    CString text;
    CDib* p = ReadBoardFilePreview(path, PREVIEW_TEXT_SAMPLE, text);
    ASSERT_NE(p, nullptr) << (LPCTSTR)path;
    delete p;
    // The sample page names the file: the stored thumbnail was read after the header.
    EXPECT_EQ(text, CString(sheet.pszName) + ".vqd");
    // A template: its objects come locked onto the board, sized to the sheet it is made for.
    theApp.NewBoardFromTemplate(path, sheet.cx, sheet.cy);
    jvqPage* page = Doc()->GetBoard()->GetCurrentPage();
    EXPECT_GT(page->GetChildCount(), 0);
    EXPECT_EQ(SheetOfBoard().cx, sheet.cx);
    EXPECT_EQ(SheetOfBoard().cy, sheet.cy);
  }
  const struct {
    const char* name;
    const char* line;
  } boards[] = {{"店舗レイアウトの見本.vqd", "\r\n物件名：見本の店舗"}, {"事務所レイアウトの見本.vqd", "\r\n物件名：見本の事務所"}};
  for (auto b : boards) {
    CString text;
    CDib* p = ReadBoardFilePreview(ProgramFolder() + "サンプル\\" + b.name, PREVIEW_TEXT_BOARD, text);
    ASSERT_NE(p, nullptr) << b.name;
    delete p;
    EXPECT_EQ(text.Find("用紙サイズ："), 0) << (LPCTSTR)text;
    EXPECT_NE(text.Find(b.line), -1) << (LPCTSTR)text;
  }
}

TEST_F(FilesTest, ABoardFromATemplateIsLockedAndUntitled) {
  MakeFolder(s_root + "ひな型");
  const CString tmpl = s_root + "ひな型\\錠前.VQD";
  SaveBoard(tmpl, TRUE, "説明");
  // The wait window a template read opens goes with the read.
  qvzWaitDlg::Install(&theApp.m_WaitDlg);
  theApp.NewBoardFromTemplate(tmpl, 4200, 2970);
  qvzWaitDlg::Install(NULL);
  EXPECT_EQ(theApp.m_WaitDlg.m_hWnd, (HWND)NULL);
  jvqPage* page = Doc()->GetBoard()->GetCurrentPage();
  ASSERT_GT(page->GetChildCount(), 0);
  for (int i = 0; i < page->GetChildCount(); i++) EXPECT_TRUE(page->GetChild(i)->m_dwState & JVQ_STATE_LOCKED);
  EXPECT_EQ(Doc()->m_bTemplate, 0);
  EXPECT_TRUE(Doc()->GetPathName().IsEmpty());
  // Saving it asks for a name: the proposed one is the title's, never a file "無題".
  Doc()->SetUntitled("無題");
  EXPECT_EQ(Doc()->GetTitle(), "無題");
  EXPECT_TRUE(Doc()->GetPathName().IsEmpty());
  ::DeleteFile(tmpl);
}

TEST_F(FilesTest, ACancelledSaveQuestionKeepsTheBoardAndSuppressesTheStartMenu) {
  Doc()->SetModifiedFlag(TRUE);
  theApp.m_nAnswer = IDCANCEL;
  theApp.m_bShowStartMenu = 1;
  qvzDocument* before = Doc();
  jvqPage* page = before->GetBoard()->GetCurrentPage();
  theApp.OnFileNewBlank();
  EXPECT_EQ(theApp.m_bShowStartMenu, 0);
  EXPECT_EQ(theApp.m_bCloseConfirmed, 0);
  EXPECT_EQ(Doc()->GetBoard()->GetCurrentPage(), page);
  EXPECT_TRUE(Doc()->IsModified());
  // No: the board is replaced, and the question was the standard one, naming the board.
  // The new board asks for its sheet with OK alone and no size question; a changed sheet
  // leaves it modified.
  theApp.m_nAnswer = IDNO;
  theApp.m_Messages.clear();
  const int chosen = (FindStandardSheet(SheetOfBoard().cx, SheetOfBoard().cy) + 1) % STANDARD_SHEET_COUNT;
  PaperRun paper;
  AnswerPaperDialog(&paper, chosen);
  theApp.OnFileNewBlank();
  EXPECT_EQ(theApp.m_bShowStartMenu, 1);
  ASSERT_EQ(theApp.m_Messages.size(), 1u);
  EXPECT_NE(theApp.m_Messages[0].Find("変更を保存しますか"), -1);
  EXPECT_TRUE(paper.bShown);
  EXPECT_FALSE(paper.bCancelShown);
  EXPECT_FALSE(paper.bCloseBox);
  EXPECT_EQ(SheetOfBoard().cx, STANDARD_SHEETS[chosen].cx);
  EXPECT_EQ(SheetOfBoard().cy, STANDARD_SHEETS[chosen].cy);
  EXPECT_TRUE(Doc()->IsModified());
}

// The template sheet on a folder of n templates, driven while it runs.
struct SheetRun {
  int nGridPages = -1;
  BOOL bScrollEnabled = TRUE;
  int nPosAfterLineDown = -1;
  BOOL bOK = FALSE;
};

void MakeTemplates(const CString& folder, int n) {
  MakeFolder(folder);
  WIN32_FIND_DATA fd;
  HANDLE h = ::FindFirstFile(folder + "\\*.VQD", &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do ::DeleteFile(folder + "\\" + fd.cFileName);
    while (::FindNextFile(h, &fd));
    ::FindClose(h);
  }
  for (int i = 0; i < n; i++) {
    CString name;
    name.Format("\\ひな型%d.VQD", i + 1);
    SaveBoard(folder + name, TRUE, "説明");
  }
}

TEST_F(FilesTest, TemplateSheetPagesThroughSixCellsAndRemembersItsPage) {
  const CString user = s_root + "ひな型";
  struct {
    int n;
    int pages;
    BOOL scroll;
  } cases[] = {{7, 2, TRUE}, {6, 1, FALSE}, {0, 0, FALSE}};
  for (auto c : cases) {
    MakeTemplates(user, c.n);
    qvzTemplateDialog::s_nLastPage = 1;
    qvzTemplateDialog sheet("ひな型を元に作成", Frame());
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    SheetRun run;
    RunWhenIdle([&] {
      qvzCustomTempPage& p = sheet.m_CustomPage;
      run.nGridPages = p.GetGridPageCount();
      CScrollBar* bar = (CScrollBar*)p.GetDlgItem(713);
      run.bScrollEnabled = bar->IsWindowEnabled();
      for (int i = 0; i < 3; i++) p.SendMessage(WM_VSCROLL, SB_LINEDOWN, (LPARAM)bar->m_hWnd);
      run.nPosAfterLineDown = run.bScrollEnabled ? bar->GetScrollPos() : 0;
      run.bOK = sheet.GetDlgItem(IDOK)->IsWindowEnabled();
      if (run.bOK)
        sheet.PressButton(PSBTN_OK);
      else
        sheet.PressButton(PSBTN_CANCEL);
    });
    const int r = sheet.DoModal();
    EXPECT_EQ(run.nGridPages, c.pages) << c.n;
    EXPECT_EQ(run.bScrollEnabled, c.scroll) << c.n;
    EXPECT_EQ(run.nPosAfterLineDown, c.pages > 1 ? c.pages - 1 : 0) << c.n;
    EXPECT_EQ(run.bOK, c.n > 0) << c.n;
    if (c.n == 7) {
      EXPECT_EQ(r, IDOK);
      // Page 1 shows the seventh alone; its first cell was selected.
      EXPECT_EQ(sheet.m_strPath, user + "\\ひな型7.VQD");
      EXPECT_EQ(sheet.m_nSheetWidth, 0);
      EXPECT_EQ(sheet.m_strDescription, "ひな型7.VQD");
      EXPECT_EQ(qvzTemplateDialog::s_nLastPage, 1);
    }
  }
}

TEST_F(FilesTest, SamplePageFollowsTheChosenPaper) {
  MakeTemplates(s_root + "ひな型\\サンプル", 0);
  MakeTemplates(s_root + "ひな型\\サンプル\\縦", 2);
  MakeTemplates(s_root + "ひな型\\サンプル\\横", 0);
  qvzTemplateDialog::s_nLastPage = 0;
  struct {
    int item;
    int w, h;
    BOOL ok;
  } cases[] = {{4, 2100, 2970, TRUE}, {9, 3640, 2570, FALSE}};
  for (auto c : cases) {
    qvzTemplateDialog sheet("ひな型を元に作成", Frame());
    BOOL bOKAtStart = TRUE, bOK = FALSE;
    RunWhenIdle([&] {
      qvzDefaultTempPage& p = sheet.m_DefaultPage;
      bOKAtStart = sheet.GetDlgItem(IDOK)->IsWindowEnabled();  // A3(横): the empty 横 folder
      CComboBox* combo = (CComboBox*)p.GetDlgItem(1145);
      combo->SetCurSel(c.item);
      p.SendMessage(WM_COMMAND, MAKEWPARAM(1145, CBN_SELCHANGE), (LPARAM)combo->m_hWnd);
      bOK = sheet.GetDlgItem(IDOK)->IsWindowEnabled();
      sheet.PressButton(bOK ? PSBTN_OK : PSBTN_CANCEL);
    });
    const int r = sheet.DoModal();
    EXPECT_FALSE(bOKAtStart);
    EXPECT_EQ(bOK, c.ok);
    if (c.ok) {
      ASSERT_EQ(r, IDOK);
      EXPECT_EQ(sheet.m_nSheetWidth, c.w);
      EXPECT_EQ(sheet.m_nSheetHeight, c.h);
      EXPECT_EQ(sheet.m_strPath, s_root + "ひな型\\サンプル\\縦\\ひな型1.VQD");
    }
  }
}

// What the select bar shows: its paper text and its page cells, each the document's own
// thumbnail of that page.
struct SelectBarShows {
  CString strInfo;
  int nCells = -1;
  BOOL bOwnThumbnails = FALSE;
};

SelectBarShows ReadSelectBar() {
  SelectBarShows shown;
  qvzSelectToolBar* bar = Frame()->GetSelectToolBar();
  if (bar == NULL) return shown;
  bar->m_wndInfo.GetWindowText(shown.strInfo);
  qvzPagePreviewView* pages = DYNAMIC_DOWNCAST(qvzPagePreviewView, bar->m_pPagePreview);
  if (pages == NULL) return shown;
  shown.nCells = pages->GetItemCount();
  shown.bOwnThumbnails = (int)Doc()->m_PageThumbnails.size() == shown.nCells;
  for (int i = 0; i < shown.nCells && shown.bOwnThumbnails; i++)
    shown.bOwnThumbnails = pages->GetItem(i)->m_pPicture == Doc()->m_PageThumbnails[i];
  return shown;
}

TEST_F(FilesTest, TheSelectBarShowsTheBoardMadeFromATemplate) {
  // A sample template of three pages for B4(横); then a board of one page on another sheet.
  Doc()->InsertPage(0);
  Doc()->InsertPage(0);
  MakeTemplates(s_root + "ひな型\\サンプル\\横", 1);
  theApp.m_bShowStartMenu = 0;
  theApp.OnFileNew();
  ASSERT_EQ(Doc()->GetBoard()->GetPageCount(), 1);
  ASSERT_NE(SheetOfBoard().cx, 3640);
  Frame()->SwitchBar(TRUE);
  PumpPending();
  ASSERT_NE(Frame()->GetSelectToolBar(), nullptr);
  const SelectBarShows before = ReadSelectBar();
  EXPECT_EQ(before.nCells, 1);
  // ひな型から新規作成 on the sample page, B4(横).
  qvzTemplateDialog::s_nLastPage = 0;
  BOOL sheetShown = FALSE;
  WhenShown("ひな型を元に作成", [&](HWND h) {
    sheetShown = h != NULL;
    if (h == NULL) return;
    HWND page = PropSheet_GetCurrentPageHwnd(h);
    ::SendDlgItemMessage(page, 1145, CB_SETCURSEL, 9, 0);
    ::SendMessage(page, WM_COMMAND, MAKEWPARAM(1145, CBN_SELCHANGE), (LPARAM)::GetDlgItem(page, 1145));
    PropSheet_PressButton(h, PSBTN_OK);
  });
  theApp.OnFileNewFromTemplate();
  PumpPending();
  EXPECT_TRUE(sheetShown);
  ASSERT_EQ(Doc()->GetBoard()->GetPageCount(), 3);
  EXPECT_EQ(SheetOfBoard().cx, 3640);
  const SelectBarShows after = ReadSelectBar();
  EXPECT_EQ(after.strInfo.Find("用紙サイズ：B4(横)"), 0) << (LPCTSTR)after.strInfo;
  EXPECT_NE(after.strInfo, before.strInfo);
  EXPECT_EQ(after.nCells, 3);
  EXPECT_TRUE(after.bOwnThumbnails);
  // Back to a plain board of one page for those after.
  theApp.m_bShowStartMenu = 0;
  theApp.OnFileNew();
}

TEST_F(FilesTest, TemplateSaveAsRefusesBadNamesAndAsksBeforeOverwriting) {
  MakeTemplates(s_root + "ひな型", 1);
  struct {
    const char* name;
    int answer;
    int result;
    const char* message;  // part of the last message, or ""
  } cases[] = {
      {"a:b", 0, -1, "含むことはできません"},
      {"", 0, -1, "入力されていません"},
      {"ひな型1", IDNO, -1, "上書きしますか"},
      {"ひな型1", IDYES, IDOK, "上書きしますか"},
      {"新 しい", 0, IDOK, ""},
  };
  for (auto c : cases) {
    CSaveAsProbe dlg(Frame());
    dlg.m_strAppFolder = s_root;
    dlg.m_strName = c.name;
    theApp.m_Messages.clear();
    theApp.m_nAnswer = c.answer;
    BOOL bStillUp = FALSE;
    RunWhenIdle([&] {
      dlg.SendMessage(WM_COMMAND, IDOK);
      bStillUp = dlg.Running();
      if (bStillUp) dlg.EndDialog(-1);
    });
    EXPECT_EQ(dlg.DoModal(), c.result) << c.name;
    if (*c.message) {
      ASSERT_FALSE(theApp.m_Messages.empty()) << c.name;
      EXPECT_NE(theApp.m_Messages.back().Find(c.message), -1) << c.name;
    } else {
      EXPECT_TRUE(theApp.m_Messages.empty()) << c.name;
      EXPECT_EQ(dlg.m_strPath, s_root + "ひな型\\新 しい.VQD");
    }
  }
  // Without the template folder the dialog says where it must be and cancels.
  qvzTemplateSaveAsDlg dlg(Frame());
  dlg.m_strAppFolder = s_root + "ない\\";
  dlg.m_strName = "plan";
  theApp.m_Messages.clear();
  RunWhenIdle([&] { dlg.SendMessage(WM_COMMAND, IDOK); });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  ASSERT_EQ(theApp.m_Messages.size(), 1u);
  EXPECT_EQ(theApp.m_Messages[0], "ひな型ファイルを保存するには" + s_root + "ない\\フォルダ内にひな型フォルダが必要です。");
}

// The framework's old-style file dialog with a template of the program and its hook: the
// hidden folder controls, Enter swallowed, a name confirmed elsewhere noticed.
TEST_F(FilesTest, OldStyleTemplateSaveDialogKeepsToItsFolder) {
  const CString folder = s_root + "ひな型";
  MakeFolder(folder);
  MakeFolder(s_root + "よそ");
  qvzTemplateSaveDlg dlg(FALSE, "vqd", NULL, OFN_NONETWORKBUTTON | OFN_ENABLETEMPLATE | OFN_OVERWRITEPROMPT,
                         "ひな型ファイル(*.VQD)|*.VQD|", Frame());
  dlg.m_ofn.Flags &= ~OFN_EXPLORER;
  dlg.m_ofn.hInstance = ::GetModuleHandle(NULL);
  dlg.m_ofn.lpTemplateName = MAKEINTRESOURCE(IDD_TEMPLATE_SAVE);
  dlg.m_ofn.lpstrInitialDir = folder;
  dlg.m_strTemplateFolder = folder;
  BOOL bFolderListHidden = FALSE, bUpAfterEnter = FALSE, bUpAfterBadName = FALSE;
  CString caption;
  RunWhenIdle([&] {
    HWND h = dlg.m_hWnd;
    ::GetWindowText(h, caption.GetBuffer(64), 64);
    caption.ReleaseBuffer();
    bFolderListHidden = !::IsWindowVisible(::GetDlgItem(h, 1121));
    ::SetDlgItemText(h, 1152, "計画");
    // Enter in the name box: the dialog stays.
    HWND edit = ::GetDlgItem(h, 1152);
    ::SetFocus(edit);
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_RETURN] = 0x80;
    ::SetKeyboardState(keys);
    ::SendMessage(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(h, IDOK));
    keys[VK_RETURN] = 0;
    ::SetKeyboardState(keys);
    bUpAfterEnter = dlg.m_ofn.lpstrFile[0] == 0 && theApp.m_Messages.empty();
    // A forbidden character is refused.
    ::SetDlgItemText(h, 1152, "a;b");
    ::SendMessage(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(h, IDOK));
    bUpAfterBadName = theApp.m_Messages.size() == 1;
    // A path into another folder ends the dialog, noticed.
    CString other = s_root + "よそ\\計画.vqd";
    ::SetDlgItemText(h, 1152, other);
    ::PostMessage(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(h, IDOK));
  });
  theApp.m_Messages.clear();
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(caption, "ひな型として保存");
  EXPECT_TRUE(bFolderListHidden);
  EXPECT_TRUE(bUpAfterEnter);
  EXPECT_TRUE(bUpAfterBadName);
  ASSERT_EQ(theApp.m_Messages.size(), 1u);
  EXPECT_NE(theApp.m_Messages[0].Find("含むことはできません"), -1);
  EXPECT_FALSE(dlg.m_bInTemplateFolder);
  EXPECT_EQ(dlg.GetPathName(), s_root + "よそ\\計画.vqd");
}

TEST_F(FilesTest, OpenDialogListsFoldersFirstThenBoardsAndEntersFoldersOnOK) {
  const CString top = s_root + "開く試験";
  MakeFolder(top);
  MakeFolder(top + "\\部屋A");
  MakeFolder(top + "\\部屋B");
  MakeFolder(top + "\\部屋B\\空");
  for (const char* name : {"\\c.vqd", "\\a.VQD", "\\b.Vqd"}) SaveBoard(top + name, FALSE);
  WriteBytes(top + "\\d.vqd", "not a board");
  qvzOpenFileDlg dlg(Frame());
  dlg.SetStartFolder(top);
  std::vector<CString> names;
  int nAfterFolder = -1, nInEmpty = -1;
  CString folderAfterOK, pathShown;
  RunWhenIdle([&] {
    for (int i = 0; i < dlg.m_Grid.GetCount(); i++) names.push_back(dlg.m_Grid.m_Names[i]);
    // OK on the folder cell B enters B, whose one sub-folder is the only cell.
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(1138, STN_CLICKED), (LPARAM)dlg.GetDlgItem(1138)->m_hWnd);
    dlg.SendMessage(WM_COMMAND, IDOK);
    PumpUntil([&] { return dlg.GetCurrentFolder().Right(5) == "部屋B"; });
    folderAfterOK = dlg.GetCurrentFolder();
    nAfterFolder = dlg.m_Grid.GetCount();
    // Into the empty folder: OK does nothing there.
    dlg.SendMessage(WM_COMMAND, IDOK);
    PumpUntil([&] { return dlg.GetCurrentFolder().Right(2) == "空"; });
    nInEmpty = dlg.m_Grid.GetCount();
    dlg.SendMessage(WM_COMMAND, IDOK);
    dlg.GetDlgItemText(768, pathShown);
    dlg.SendMessage(WM_COMMAND, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  ASSERT_EQ(names.size(), 5u);
  EXPECT_EQ(names[0], "部屋A");
  EXPECT_EQ(names[1], "部屋B");
  EXPECT_EQ(names[2], "a.VQD");
  EXPECT_EQ(names[3], "b.Vqd");
  EXPECT_EQ(names[4], "c.vqd");
  EXPECT_EQ(folderAfterOK, top + "\\部屋B");
  EXPECT_EQ(nAfterFolder, 1);
  EXPECT_EQ(nInEmpty, 0);
  // A board is chosen by a double-click.
  qvzOpenFileDlg again(Frame());
  again.SetStartFolder(top);
  RunWhenIdle([&] { again.SendMessage(WM_COMMAND, MAKEWPARAM(739, STN_DBLCLK), (LPARAM)again.GetDlgItem(739)->m_hWnd); });
  EXPECT_EQ(again.DoModal(), IDOK);
  EXPECT_EQ(again.GetSelectedPath(), top + "\\a.VQD");
  EXPECT_EQ(again.GetCurrentFolder(), top);
}


// A 24-bit picture of one colour, written as the bytes of a BMP file.
void WriteSolidBmp(const CString& path, int w, int h, COLORREF colour) {
  const int stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER fh = {};
  BITMAPINFOHEADER bi = {};
  bi.biSize = sizeof(bi);
  bi.biWidth = w;
  bi.biHeight = h;
  bi.biPlanes = 1;
  bi.biBitCount = 24;
  bi.biSizeImage = stride * h;
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof(fh) + sizeof(bi);
  fh.bfSize = fh.bfOffBits + bi.biSizeImage;
  std::string bytes((const char*)&fh, sizeof(fh));
  bytes.append((const char*)&bi, sizeof(bi));
  std::string row(stride, '\0');
  for (int x = 0; x < w; x++) {
    row[x * 3] = (char)GetBValue(colour);
    row[x * 3 + 1] = (char)GetGValue(colour);
    row[x * 3 + 2] = (char)GetRValue(colour);
  }
  for (int y = 0; y < h; y++) bytes += row;
  WriteBytes(path, bytes);
}

COLORREF ThumbnailPixel(ThumbnailItem* item, int x, int y) {
  HDC hdc = ::CreateCompatibleDC(NULL);
  HGDIOBJ old = ::SelectObject(hdc, item->hThumbnail);
  const COLORREF c = ::GetPixel(hdc, x, y);
  ::SelectObject(hdc, old);
  ::DeleteDC(hdc);
  return c;
}

int WindowHeight(HWND h) {
  RECT r;
  ::GetWindowRect(h, &r);
  return r.bottom - r.top;
}

void TogglePreview(CViewFileDialog& dlg, BOOL bOn) {
  dlg.CheckDlgButton(IDC_PICTURE_PREVIEW, bOn ? BST_CHECKED : BST_UNCHECKED);
  dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PICTURE_PREVIEW, BN_CLICKED), (LPARAM)dlg.GetDlgItem(IDC_PICTURE_PREVIEW)->m_hWnd);
}

void ChooseType(CViewFileDialog& dlg, int nIndex) {
  HWND frame = dlg.Frame();
  ::SendDlgItemMessage(frame, 0x470, CB_SETCURSEL, nIndex - 1, 0);
  ::SendMessage(frame, WM_COMMAND, MAKEWPARAM(0x470, CBN_SELENDOK), (LPARAM)::GetDlgItem(frame, 0x470));
  PumpPending();
}

// Runs fn once the dialog is up and no fill is running (a fill handles messages, timers too).
void WhenFilled(CViewFileDialog& dlg, std::function<void()> fn, int nTries = 100) {
  RunWhenIdle([&dlg, fn, nTries] {
    if ((dlg.m_hWnd == NULL || dlg.IsFilling()) && nTries > 0)
      WhenFilled(dlg, fn, nTries - 1);
    else
      fn();
  }, 100);
}

const char kPictureFilter[] = "貼り付けられるすべてのファイル|*.BMP;*.WMF;*.JPG;*.TIF;*.PNG|ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.BMP)|*.BMP|PNGﾌｧｲﾙ(*.PNG)|*.PNG|";

TEST_F(FilesTest, PictureDialogShowsThumbnailsPicksByClickAndRemembersThePreviewSwitch) {
  const CString folder = s_root + "絵の試験";
  MakeFolder(folder);
  WriteSolidBmp(folder + "\\B.BMP", 50, 30, RGB(0, 0, 255));
  WriteSolidBmp(folder + "\\a.bmp", 400, 200, RGB(255, 0, 0));
  WriteBytes(folder + "\\c.bmp.txt", "not a picture");
  WriteBytes(folder + "\\壊れ.bmp", "BM broken");
  CViewFileDialog::s_bPreview = TRUE;
  CViewFileDialog dlg(TRUE, NULL, NULL, 0, kPictureFilter, Frame(), folder);
  std::vector<CString> names;
  CString caption, typed;
  COLORREF inside = 0, above = 0, small = 0;
  int fillsBefore = 0, fillsOther = 0, fillsSame = 0, heightOn = 0, heightOff = 0, heightAgain = 0;
  size_t itemsOff = 1, itemsPng = 1;
  BOOL enabledOnPng = TRUE, brokenEmpty = FALSE;
  WhenFilled(dlg, [&] {
    if (dlg.m_List.m_Items.size() != 3) {
      ::PostMessage(dlg.Frame(), WM_COMMAND, IDCANCEL, 0);
      return;
    }
    ::GetWindowText(dlg.Frame(), caption.GetBuffer(64), 64);
    caption.ReleaseBuffer();
    for (ThumbnailItem* item : dlg.m_List.m_Items) names.push_back(item->strName);
    // The first row is read at once: 400 x 200 fills 106 x 53 from (2, 32); 50 x 30 keeps its size.
    inside = ThumbnailPixel(dlg.m_List.m_Items[0], 50, 50);
    above = ThumbnailPixel(dlg.m_List.m_Items[0], 50, 20);
    small = ThumbnailPixel(dlg.m_List.m_Items[1], 50, 50);
    brokenEmpty = dlg.m_List.m_Items[2]->bLoaded && ThumbnailPixel(dlg.m_List.m_Items[2], 50, 50) == above;
    // Another filter refills; the same one again does not.
    fillsBefore = dlg.m_nFills;
    ChooseType(dlg, 2);
    fillsOther = dlg.m_nFills;
    ChooseType(dlg, 2);
    fillsSame = dlg.m_nFills;
    ChooseType(dlg, 3);
    itemsPng = dlg.m_List.m_Items.size();
    enabledOnPng = dlg.GetDlgItem(IDC_PICTURE_PREVIEW)->IsWindowEnabled();
    ChooseType(dlg, 1);
    // A click names the file in the dialog's name box.
    ASSERT_EQ(dlg.m_List.m_Items.size(), 3u);
    if (dlg.m_List.m_Items.size() == 3u) dlg.m_List.m_Items[1]->pCell->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::GetDlgItemText(dlg.Frame(), 1152, typed.GetBuffer(MAX_PATH), MAX_PATH);
    typed.ReleaseBuffer();
    // Preview off shrinks the dialog and frees the thumbnails; on again grows and refills.
    heightOn = WindowHeight(dlg.Frame());
    TogglePreview(dlg, FALSE);
    heightOff = WindowHeight(dlg.Frame());
    itemsOff = dlg.m_List.m_Items.size();
    TogglePreview(dlg, TRUE);
    heightAgain = WindowHeight(dlg.Frame());
    // A double-click opens the file.
    if (dlg.m_List.m_Items.size() != 3u) {
      ::PostMessage(dlg.Frame(), WM_COMMAND, IDCANCEL, 0);
      return;
    }
    // A double-click, as the system gives it: a button-down first.
    dlg.m_List.m_Items[0]->pCell->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    dlg.m_List.m_Items[0]->pCell->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(caption, "画像ファイルを開く");
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[0], "a.bmp");
  EXPECT_EQ(names[1], "B.BMP");
  EXPECT_EQ(names[2], "壊れ.bmp");
  EXPECT_EQ(inside, RGB(255, 0, 0));
  EXPECT_NE(above, RGB(255, 0, 0));
  EXPECT_EQ(small, RGB(0, 0, 255));
  EXPECT_TRUE(brokenEmpty);
  EXPECT_EQ(fillsOther, fillsBefore + 1);
  EXPECT_EQ(fillsSame, fillsOther);
  EXPECT_EQ(itemsPng, 0u);
  EXPECT_FALSE(enabledOnPng);
  EXPECT_EQ(typed, "B.BMP");
  EXPECT_EQ(heightOn - heightOff, dlg.m_nPreviewHeight);
  EXPECT_EQ(itemsOff, 0u);
  EXPECT_EQ(heightAgain, heightOn);
  EXPECT_EQ(dlg.GetPathName(), folder + "\\a.bmp");
  EXPECT_TRUE(CViewFileDialog::s_bPreview);

  // Closed with the preview off, the next dialog opens without it.
  CViewFileDialog off(TRUE, NULL, NULL, 0, kPictureFilter, Frame(), folder);
  WhenFilled(off, [&] {
    TogglePreview(off, FALSE);
    off.Frame() ? (void)::PostMessage(off.Frame(), WM_COMMAND, IDCANCEL, 0) : (void)0;
  });
  EXPECT_EQ(off.DoModal(), IDCANCEL);
  EXPECT_FALSE(CViewFileDialog::s_bPreview);
  CViewFileDialog next(TRUE, NULL, NULL, 0, kPictureFilter, Frame(), folder);
  BOOL listShown = TRUE, ticked = TRUE;
  RunWhenIdle([&] {
    listShown = next.m_List.IsWindowVisible();
    ticked = next.IsDlgButtonChecked(IDC_PICTURE_PREVIEW);
    ::PostMessage(next.Frame(), WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(next.DoModal(), IDCANCEL);
  EXPECT_FALSE(listShown);
  EXPECT_FALSE(ticked);
  CViewFileDialog::s_bPreview = TRUE;
}

// Where a cell is within its list's client area.
CRect CellInList(CThumbnailList& list, ThumbnailItem* item) {
  CRect r;
  item->pCell->GetWindowRect(&r);
  list.ScreenToClient(&r);
  return r;
}

// 3,000 pictures, 750 rows, far past the 32,767 pixels a window's place holds: the list's bar
// runs over every row, paging moves the cells up by whole rows, any row scrolled to comes to
// the top, and at the end the last picture comes into view and is chosen by a click.
TEST_F(FilesTest, PictureListScrollsByRowsToItsLastPicture) {
  const int kPictures = 3000;
  const CString folder = s_root + "多くの絵";
  MakeFolder(folder);
  for (int i = 0; i < kPictures; i++) {
    CString name;
    name.Format("\\絵%04d.bmp", i);
    WriteSolidBmp(folder + name, 8, 8, RGB(0, i % 256, 0));
  }
  CViewFileDialog::s_bPreview = TRUE;
  CViewFileDialog dlg(TRUE, NULL, NULL, 0, kPictureFilter, Frame(), folder);
  size_t count = 0;
  int nMax = -1, posDown = -1, posPast = -1;
  long shift = 0;
  // Each row scrolled to: the top row afterwards and where the first cell of that row sits.
  struct Jump {
    UINT code;
    int track, row;
    int pos = -1;
    CRect cell;
  } jumps[] = {{SB_THUMBTRACK, 300, 300}, {SB_THUMBTRACK, 600, 600}, {SB_TOP, 0, 0}, {SB_THUMBTRACK, 240, 240}};
  CRect client, last;
  BOOL lastHit = FALSE;
  CString typed;
  WhenFilled(dlg, [&] {
    CThumbnailList& list = dlg.m_List;
    count = list.m_Items.size();
    if (count != (size_t)kPictures) {
      ::PostMessage(dlg.Frame(), WM_COMMAND, IDCANCEL, 0);
      return;
    }
    int nMin = 0;
    list.GetScrollRange(SB_VERT, &nMin, &nMax);
    const CRect before = CellInList(list, list.m_Items[8]);
    list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0));
    list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0));
    list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0));
    list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0));
    PumpPending();
    posDown = list.GetScrollPos(SB_VERT);
    shift = before.top - CellInList(list, list.m_Items[8]).top;
    for (Jump& j : jumps) {
      list.SendMessage(WM_VSCROLL, MAKEWPARAM(j.code, j.track));
      list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0));
      PumpPending();
      j.pos = list.GetScrollPos(SB_VERT);
      j.cell = CellInList(list, list.m_Items[j.row * THUMBNAIL_COLUMNS]);
    }
    list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0));
    list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0));
    PumpPending();
    posPast = list.GetScrollPos(SB_VERT);
    // The bar runs one row past the last: one line up brings that row to the top.
    list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0));
    list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0));
    PumpPending();
    list.GetClientRect(&client);
    ThumbnailItem* item = list.m_Items[kPictures - 1];
    last = CellInList(list, item);
    // What lies under the middle of its place is the last cell itself.
    lastHit = ::ChildWindowFromPointEx(list.m_hWnd, last.CenterPoint(), CWP_SKIPINVISIBLE) == item->pCell->m_hWnd;
    item->pCell->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::GetDlgItemText(dlg.Frame(), 1152, typed.GetBuffer(MAX_PATH), MAX_PATH);
    typed.ReleaseBuffer();
    item->pCell->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  }, 600);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  ASSERT_EQ(count, (size_t)kPictures);
  EXPECT_EQ(nMax, kPictures / THUMBNAIL_COLUMNS);
  EXPECT_EQ(posDown, 2);
  EXPECT_EQ(shift, 2 * 146);  // whole rows
  for (const Jump& j : jumps) {
    EXPECT_EQ(j.pos, j.row);
    EXPECT_EQ(j.cell.top, 0) << j.row;
    EXPECT_EQ(j.cell.left, 2) << j.row;
  }
  EXPECT_EQ(posPast, nMax);
  // In view at the bottom, and the one picked.
  EXPECT_EQ(last.top, 0);
  EXPECT_EQ(last.left, 338);
  EXPECT_GT(client.bottom, 0);
  EXPECT_TRUE(lastHit);
  EXPECT_EQ(typed, "絵2999.bmp");
  EXPECT_EQ(dlg.GetPathName(), folder + "\\絵2999.bmp");
}

TEST_F(FilesTest, PicturesInsertedAndFillPicturesAreAskedForWithThePictureDialog) {
  EXPECT_NE(g_pfnAskPictureFile, qvzAskPictureFilePlain);
  const CString folder = s_root + "挿入絵";
  MakeFolder(folder);
  WriteSolidBmp(folder + "\\写真.bmp", 40, 20, RGB(0, 128, 0));
  jvqPage* page = Doc()->GetBoard()->GetCurrentPage();
  const int before = page->GetChildCount();
  BOOL asked = FALSE;
  WhenShown("画像ファイルを開く", [&](HWND h) {
    asked = h != NULL;
    if (h == NULL) return;
    ::SetDlgItemText(h, 1152, folder + "\\写真.bmp");
    ::PostMessage(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(h, IDOK));
  });
  Frame()->SendMessage(WM_COMMAND, 32865);
  EXPECT_TRUE(asked);
  EXPECT_EQ(page->GetChildCount(), before + 1);
  // The fill pop-up's picture page asks through the same dialog.
  BOOL askedForFill = FALSE;
  WhenShown("画像ファイルを開く", [&](HWND h) {
    askedForFill = h != NULL;
    if (h) ::PostMessage(h, WM_COMMAND, IDCANCEL, 0);
  });
  CString path;
  EXPECT_FALSE(g_pfnAskPictureFile(Frame(), kPictureFilter, &path));
  EXPECT_TRUE(askedForFill);
}

TEST_F(FilesTest, SaveAsTemplateAsksAgainUntilTheTemplateFolderAndListsTheBoard) {
  MakeTemplates(s_root + "ひな型", 0);
  MakeFolder(s_root + "よそ");
  RunWhenIdle([&] {
    TypeAndConfirm("ひな型として保存", s_root + "よそ\\plan");
    RunWhenIdle([&] { TypeAndConfirm("ひな型として保存", "plan"); }, 400);
  });
  theApp.m_Messages.clear();
  Frame()->SendMessage(WM_COMMAND, ID_SAVE_TEMPLATE);
  ASSERT_EQ(theApp.m_Messages.size(), 1u);
  EXPECT_EQ(theApp.m_Messages[0], "ファイル保存位置が異なります。");
  const CString saved = s_root + "ひな型\\plan.vqd";
  EXPECT_NE(::GetFileAttributes(saved), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(::GetFileAttributes(s_root + "よそ\\plan.vqd"), INVALID_FILE_ATTRIBUTES);
  // The user page lists it with its name and sheet.
  SIZE sheet;
  Doc()->GetBoard()->GetCurrentPageSize(&sheet);
  CString text;
  CDib* p = ReadBoardFilePreview(saved, PREVIEW_TEXT_TEMPLATE, text);
  ASSERT_NE(p, nullptr);
  delete p;
  EXPECT_EQ(text, "plan.vqd\r\n用紙サイズ：" + SheetSizeText(sheet.cx, sheet.cy));
}

TEST_F(FilesTest, StartMenuChoosesTheButtonReleasedOverAndFallsBackToItsSize) {
  struct {
    POINT down, up;
    int chosen;  // 0: still up afterwards
  } cases[] = {
      {{100, 130}, {100, 400}, 0},     // pressed on one, released on none
      {{100, 130}, {100, 200}, 1134},  // released over another button
      {{420, 390}, {420, 390}, 737},
  };
  for (auto c : cases) {
    CSkinProbe menu(IDD_START_MENU, Frame());
    EXPECT_FALSE(menu.SetBackground("NO_SUCH_PICTURE", "DIB"));
    RECT rcTemplate = {44, 107, 434, 167}, rcBlank = {44, 179, 434, 239}, rcEnd = {387, 378, 467, 402};
    EXPECT_FALSE(menu.AddButton(&rcTemplate, 0, "ID_FROMTEMP_OFF", "ID_FROMTEMP_ON", "ID_FROMTEMP_DOWN", "DIB"));
    menu.AddButton(&rcTemplate, 1130, "ID_FROMTEMP_OFF", "ID_FROMTEMP_ON", "ID_FROMTEMP_DOWN", "DIB");
    menu.AddButton(&rcBlank, 1134, "ID_FROMNEWOFF", "ID_FROMNEWON", "ID_FROMNEWDOWN", "DIB");
    menu.AddButton(&rcEnd, 737, "ID_ENDOFF", "ID_ENDON", "ID_ENDDOWN", "DIB");
    CRect rc;
    BOOL bStillUp = FALSE;
    int nPressedState = -1;
    RunWhenIdle([&] {
      menu.GetWindowRect(&rc);
      menu.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.down.x, c.down.y));
      for (CSkinButtonArea* a : menu.m_Areas)
        if (a->Contains(c.down)) nPressedState = a->m_nState;
      menu.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(c.up.x, c.up.y));
      bStillUp = menu.Running();
      if (bStillUp) menu.SendMessage(WM_COMMAND, IDCANCEL);
    });
    const int r = menu.DoModal();
    EXPECT_EQ(rc.Width(), 480);
    EXPECT_EQ(rc.Height(), 415);
    EXPECT_EQ(nPressedState, CSkinButtonArea::STATE_PRESSED);
    EXPECT_EQ(menu.GetChosenCommand(), c.chosen);
    EXPECT_EQ(r, c.chosen ? IDOK : IDCANCEL);
    EXPECT_EQ(bStillUp, c.chosen == 0);
  }
}

TEST_F(FilesTest, StartMenuPicturesAreThereAndItsBlankButtonMakesANewBoard) {
  CSkinDialog probe(IDD_START_MENU, Frame());
  ASSERT_TRUE(probe.SetBackground("ID_BKG", "DIB"));
  EXPECT_EQ(probe.GetSkinSize().cx, 480);
  EXPECT_EQ(probe.GetSkinSize().cy, 415);
  const RECT r = {0, 0, 10, 10};
  Doc()->GetBoard()->GetCurrentPage()->AddChild(new jvqRectObject(&r, NULL, 0x311));
  Doc()->SetModifiedFlag(FALSE);
  // 白紙から作成, Cancel on the paper: the menu again; 白紙から作成, A4(縦) and OK without
  // the size question: the new board.
  int nButtons = -1, nMenus = 0;
  PaperRun cancelled, chosen;
  WhenStartMenuShown([&](CSkinDialog* menu) {
    if (menu == NULL) return;
    nMenus++;
    nButtons = (int)menu->m_Areas.size();
    AnswerPaperDialog(&cancelled, -1);
    ClickStartButton(menu, 239, 209);
    WhenStartMenuShown([&](CSkinDialog* again) {
      if (again == NULL) return;
      nMenus++;
      AnswerPaperDialog(&chosen, 4);
      ClickStartButton(again, 239, 209);
    });
  });
  theApp.OnFileNewCommand();
  EXPECT_EQ(nButtons, 5);
  EXPECT_EQ(nMenus, 2);
  EXPECT_TRUE(cancelled.bShown);
  EXPECT_TRUE(cancelled.bCancelShown);
  EXPECT_TRUE(chosen.bShown);
  EXPECT_TRUE(theApp.m_Messages.empty());
  EXPECT_EQ(theApp.m_nStartMenuResult, 3);
  EXPECT_EQ(Doc()->GetBoard()->GetCurrentPage()->GetChildCount(), 0);
  EXPECT_EQ(SheetOfBoard().cx, 2100);
  EXPECT_EQ(SheetOfBoard().cy, 2970);
  EXPECT_TRUE(Frame()->IsWindowVisible());
}

TEST_F(FilesTest, WorkMenuAsksWithItsOwnDialogAndCancelGoesBackToWork) {
  const RECT r = {0, 0, 10, 10};
  Doc()->GetBoard()->GetCurrentPage()->AddChild(new jvqRectObject(&r, NULL, 0x311));
  Doc()->SetUntitled("無題");
  // Cancel: back to the board, no start menu; 破棄する: the start menu, closed here, leaves
  // a new blank board.
  for (int answer : {IDCANCEL, 7}) {
    Doc()->SetModifiedFlag(TRUE);
    jvqPage* page = Doc()->GetBoard()->GetCurrentPage();
    CString text;
    WhenShown("Zenbora", [&](HWND h) {
      if (h == NULL) return;
      ::GetDlgItemText(h, 804, text.GetBuffer(256), 256);
      text.ReleaseBuffer();
      ::PostMessage(h, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), (LPARAM)::GetDlgItem(h, answer));
    });
    if (answer != IDCANCEL)
      WhenStartMenuShown([](CSkinDialog* menu) {
        if (menu) menu->SendMessage(WM_COMMAND, IDCANCEL);
      });
    theApp.OnShowStartMenu();
    EXPECT_NE(text.Find("\"無題\""), -1) << (LPCTSTR)text;
    EXPECT_TRUE(theApp.m_Messages.empty());
    EXPECT_FALSE(theApp.m_bWorkMenu);
    if (answer == IDCANCEL) {
      EXPECT_EQ(theApp.m_nStartMenuResult, 1);  // the menu never ran
      EXPECT_EQ(Doc()->GetBoard()->GetCurrentPage(), page);
      EXPECT_TRUE(Doc()->IsModified());
    } else {
      EXPECT_EQ(theApp.m_nStartMenuResult, 3);
      EXPECT_EQ(Doc()->GetBoard()->GetCurrentPage()->GetChildCount(), 0);
      EXPECT_FALSE(Doc()->IsModified());
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
  theApp.InitApplication();
  jvqObjectDefaults::GetObjectDefaults()->CreatePrototypes();
  jvqTool::LoadCursors();
  return RUN_ALL_TESTS();
}
