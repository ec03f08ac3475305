// The application object in the test process: key routing into the in-place editor, the
// command line, the extraction and help commands, the About box texts, the progress window.
#include <gtest/gtest.h>

#include "BinDir.h"

#include <stdio.h>

#include <string>
#include <vector>

#include "CProgressWnd.h"
#include "afxtest/ThreadPump.h"
#include "jvqDocument.h"
#include "jvqObjectDefaults.h"
#include "jvqTool.h"
#include "jvqView.h"
#include "qvzAboutDlg.h"
#include "qvzApp.h"
#include "qvzCommandLineInfo.h"
#include "qvzDocument.h"
#include "qvzEditorKeys.h"
#include "qvzMainFrame.h"
#include "qvzStartMode.h"
#include "qvzView.h"
#include "qvzWebPages.h"
#include "resource.h"

namespace {

class CAppTestApp : public qvzApp {
 public:
  BOOL InitInstance() override { return TRUE; }
  int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override {
    m_strLastMessage = lpszPrompt;
    return IDOK;
  }
  CString m_strLastMessage;
};
CAppTestApp theApp;

qvzMainFrame* Frame() { return DYNAMIC_DOWNCAST(qvzMainFrame, AfxGetMainWnd()); }

struct AppTest : ::testing::Test {
  void SetUp() override {
    if (Frame() == NULL) {
      theApp.m_strAppFolder = BinDir().c_str();
      theApp.m_Settings.nWindowStatus = 5;
      theApp.m_Settings.rcWindow = {0, 0, 900, 700};
      theApp.m_bShowStartMenu = 0;  // a board without the start menu
      theApp.AddDocTemplate(new CSingleDocTemplate(IDR_QVZTYPE, RUNTIME_CLASS(qvzDocument),
                                                   RUNTIME_CLASS(qvzMainFrame), RUNTIME_CLASS(qvzView)));
      theApp.OnFileNew();
    }
    ASSERT_NE(Frame(), nullptr);
    PumpPending();
  }
};

// A plain multi-line edit standing in for the view's in-place editor (control 115).
struct EditorKeys : AppTest {
  CEdit edit;
  HWND viewEditor = NULL;
  void SetUp() override {
    AppTest::SetUp();
    jvqView* view = theApp.GetActiveBoardView();
    ASSERT_NE(view, nullptr);
    // The view's own editor steps aside while the stand-in takes its id.
    viewEditor = ::GetDlgItem(view->m_hWnd, QVZ_TEXT_EDITOR_ID);
    if (viewEditor) ::SetWindowLongPtr(viewEditor, GWLP_ID, 0);
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, CRect(10, 10, 300, 200), view,
                            QVZ_TEXT_EDITOR_ID));
  }
  void TearDown() override {
    if (edit.m_hWnd) edit.DestroyWindow();
    if (viewEditor) ::SetWindowLongPtr(viewEditor, GWLP_ID, QVZ_TEXT_EDITOR_ID);
  }
  BOOL Key(UINT vk) {
    MSG msg = {edit.m_hWnd, WM_KEYDOWN, vk, 0};
    return theApp.PreTranslateMessage(&msg);
  }
  CString Text() {
    CString s;
    edit.GetWindowText(s);
    return s;
  }
  int Caret() {
    int a = 0, b = 0;
    edit.GetSel(a, b);
    return a;
  }
};

TEST_F(EditorKeys, DeleteTakesCrLfAndDoubleByteCharactersWhole) {
  struct { const char* text; int caret; const char* left; } cases[] = {
      {"ab\r\ncd", 2, "abcd"},      // CR LF goes as one
      {"a表b", 1, "ab"},            // so does a double-byte character
      {"x\r\n表", 1, "x表"},
      {"ab表", 2, "ab"},
      {"abc", 1, "ac"},
      {"abc", 3, "abc"},            // at the end nothing happens
      {"", 0, ""},
  };
  for (auto c : cases) {
    edit.SetWindowText(c.text);
    edit.SetSel(c.caret, c.caret);
    EXPECT_TRUE(Key(VK_DELETE)) << c.text;  // consumed in every case
    EXPECT_STREQ(c.left, (LPCTSTR)Text()) << c.text;
  }
  edit.SetWindowText("abcdef");
  edit.SetSel(1, 4);
  EXPECT_TRUE(Key(VK_DELETE));
  EXPECT_STREQ("aef", (LPCTSTR)Text());
}

TEST_F(EditorKeys, HomeGoesToTheLineStartAndF2PassesUntranslated) {
  edit.SetWindowText("first\r\nsecond line");
  edit.SetSel(12, 12);
  EXPECT_TRUE(Key(VK_HOME));
  EXPECT_EQ(7, Caret());
  EXPECT_FALSE(Key(VK_F2));
  // Another key goes on to the standard handling; the text stays.
  Key('A');
  EXPECT_STREQ("first\r\nsecond line", (LPCTSTR)Text());
  // A hidden editor is not served.
  edit.ShowWindow(SW_HIDE);
  edit.SetSel(0, 0);
  Key(VK_DELETE);
  EXPECT_STREQ("first\r\nsecond line", (LPCTSTR)Text());
}

TEST_F(EditorKeys, CtrlKeysGoToTheEditorAndEscOnAnEmptyTextLeavesIt) {
  edit.SetWindowText("abc");
  edit.SetSel(3, 3);
  EXPECT_EQ(qvzEditorKeyConsumed, RouteEditorKey(edit.m_hWnd, 'A', TRUE));
  int a = -1, b = -1;
  edit.GetSel(a, b);
  EXPECT_EQ(0, a);
  EXPECT_EQ(3, b);
  EXPECT_EQ(qvzEditorKeyConsumed, RouteEditorKey(edit.m_hWnd, 'X', TRUE));
  EXPECT_STREQ("", (LPCTSTR)Text());
  EXPECT_EQ(qvzEditorKeyConsumed, RouteEditorKey(edit.m_hWnd, 'V', TRUE));
  EXPECT_EQ(qvzEditorKeyConsumed, RouteEditorKey(edit.m_hWnd, 'V', TRUE));
  EXPECT_STREQ("abcabc", (LPCTSTR)Text());
  edit.SetSel(0, 2);
  EXPECT_EQ(qvzEditorKeyConsumed, RouteEditorKey(edit.m_hWnd, 'C', TRUE));
  edit.SetSel(6, 6);
  RouteEditorKey(edit.m_hWnd, 'V', TRUE);
  EXPECT_STREQ("abcabcab", (LPCTSTR)Text());
  // Without Ctrl the letters are typing.
  EXPECT_EQ(qvzEditorKeyStandard, RouteEditorKey(edit.m_hWnd, 'V', FALSE));
  // Esc ends an empty text only: the focus goes back to the view first.
  EXPECT_EQ(qvzEditorKeyStandard, RouteEditorKey(edit.m_hWnd, VK_ESCAPE, FALSE));
  edit.SetWindowText("");
  EXPECT_EQ(qvzEditorKeyEscapeEmpty, RouteEditorKey(edit.m_hWnd, VK_ESCAPE, FALSE));
  edit.SetFocus();
  Key(VK_ESCAPE);
  EXPECT_EQ(theApp.GetActiveBoardView()->m_hWnd, ::GetFocus());
}

// The command line as CWinApp::ParseCommandLine hands it over.
void Parse(qvzCommandLineInfo& info, std::vector<const char*> args) {
  std::vector<char*> argv = {(char*)"QVZ.exe"};
  for (const char* a : args) argv.push_back((char*)a);
  const int oldArgc = __argc;
  char** oldArgv = __argv;
  __argc = (int)argv.size();
  __argv = argv.data();
  theApp.ParseCommandLine(info);
  __argc = oldArgc;
  __argv = oldArgv;
}

TEST(CommandLine, HandOverPathsMustBeSwitchesAndDocumentsMustBeBoards) {
  qvzCommandLineInfo plain;
  Parse(plain, {"/B", "C:\\p\\pic.bmp"});
  EXPECT_EQ(qvzStartHandOver, ChooseStartMode(plain.GetParam(0)));
  EXPECT_STREQ("C:\\p\\pic.bmp", (LPCTSTR)plain.m_strFileName);  // taken as the document: refused
  EXPECT_FALSE(IsBoardDocumentPath(plain.m_strFileName));

  qvzCommandLineInfo switches;
  Parse(switches, {"-b", "/C:\\p\\pic.bmp", "/C:\\t\\a.TQF"});
  EXPECT_TRUE(switches.m_strFileName.IsEmpty());
  EXPECT_EQ(qvzStartHandOver, ChooseStartMode(switches.GetParam(0)));
  EXPECT_STREQ("C:\\p\\pic.bmp", (LPCTSTR)switches.GetParam(1));
  EXPECT_TRUE(IsTemplatePath(switches.GetParam(2)));
  EXPECT_STREQ("", (LPCTSTR)switches.GetParam(3));
  EXPECT_STREQ("", (LPCTSTR)switches.GetParam(-1));

  qvzCommandLineInfo doc;
  Parse(doc, {"C:\\b\\x.VqD"});
  EXPECT_EQ(CCommandLineInfo::FileOpen, doc.m_nShellCommand);
  EXPECT_TRUE(IsBoardDocumentPath(doc.m_strFileName));
  EXPECT_EQ(qvzStartPlain, ChooseStartMode(doc.GetParam(0)));

  qvzCommandLineInfo server;
  Parse(server, {"/Embedding"});
  EXPECT_TRUE(server.m_bRunEmbedded);
  EXPECT_STREQ("Embedding", (LPCTSTR)server.GetParam(0));
}

// What the main window finds in its queue, WM_COMMAND ids in order.
std::vector<UINT> PostedCommands() {
  std::vector<UINT> ids;
  MSG msg;
  while (::PeekMessage(&msg, Frame()->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) ids.push_back(LOWORD(msg.wParam));
  return ids;
}

TEST_F(AppTest, FloorPlanCommandPostsTheSelectToolThenThePalette) {
  PostedCommands();
  Frame()->SendMessage(WM_COMMAND, ID_EXTRACT_FLOORPLAN);
  EXPECT_EQ((std::vector<UINT>{ID_TOOL_SELECT, ID_PALETTE_FLOORPLAN}), PostedCommands());
}

TEST_F(AppTest, PerspectiveCommandWithoutAScenePostsTheSelectToolAndTheRedraw) {
  // The test folder has no "パース図" scene: nothing is rendered, nothing reported.
  theApp.m_strLastMessage.Empty();
  PostedCommands();
  Frame()->SendMessage(WM_COMMAND, ID_EXTRACT_PERSPECTIVE);
  EXPECT_EQ((std::vector<UINT>{ID_TOOL_SELECT, ID_PERSPECTIVE_REDRAW}), PostedCommands());
  EXPECT_TRUE(theApp.m_strLastMessage.IsEmpty()) << (LPCTSTR)theApp.m_strLastMessage;
  EXPECT_TRUE(Frame()->IsWindowEnabled());
  EXPECT_EQ(nullptr, ::GetModuleHandle("depthra.dll"));
  EXPECT_EQ(nullptr, ::GetModuleHandle("tracel.dll"));
}

TEST_F(AppTest, FontListsLeaveOutSystem) {
  theApp.RebuildFontList();
  ASSERT_FALSE(theApp.m_AllFontList.empty());
  for (const jvqFontEntry* e : theApp.m_AllFontList) EXPECT_STRNE("System", e->lf.lfFaceName);
  EXPECT_EQ(theFontList.size() - (size_t)std::count_if(theFontList.begin(), theFontList.end(),
                                                         [](jvqFontEntry* e) {
                                                           return !strcmp(e->lf.lfFaceName, "System");
                                                         }),
            theApp.m_AllFontList.size());
}

TEST_F(AppTest, APrinterChangeRebuildsTheAllFontListOnly) {
  theApp.m_strDefaultPrinter = "a printer of the past";
  theApp.m_AllFontList.DeleteAll();
  theApp.m_TrueTypeFontList.DeleteAll();
  theApp.RefreshFontsIfPrinterChanged();
  EXPECT_FALSE(theApp.m_AllFontList.empty());
  EXPECT_TRUE(theApp.m_TrueTypeFontList.empty());
  EXPECT_EQ(qvzApp::ReadDefaultPrinterName(), theApp.m_strDefaultPrinter);
  // The same printer again: nothing is enumerated.
  theApp.m_AllFontList.DeleteAll();
  theApp.RefreshFontsIfPrinterChanged();
  EXPECT_TRUE(theApp.m_AllFontList.empty());
  theApp.RebuildFontList();
}

// A file whose last write is the given local time.
void SetLocalWriteTime(const std::string& path, WORD hour, WORD minute) {
  SYSTEMTIME st = {2003, 4, 0, 5, hour, minute, 0, 0};
  FILETIME local, utc;
  ::SystemTimeToFileTime(&st, &local);
  ::LocalFileTimeToFileTime(&local, &utc);
  HANDLE h = ::CreateFile(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  ::SetFileTime(h, NULL, NULL, &utc);
  ::CloseHandle(h);
}

TEST(AboutBox, VersionAndDateTexts) {
  char temp[MAX_PATH];
  ::GetTempPath(MAX_PATH, temp);
  const std::string file = std::string(temp) + "qvz_about_date.txt";
  struct { WORD h, m; const char* text; } cases[] = {
      {12, 5, "2003/04/05 午後 00:05"}, {11, 59, "2003/04/05 午前 11:59"}, {0, 0, "2003/04/05 午前 00:00"},
      {23, 30, "2003/04/05 午後 11:30"},
  };
  for (auto c : cases) {
    SetLocalWriteTime(file, c.h, c.m);
    EXPECT_STREQ(c.text, (LPCTSTR)FormatFileTime(file.c_str()));
  }
  // A file without a version block: the version is empty, the date stays.
  EXPECT_STREQ("バージョン： \r\n作成日付  ： 2003/04/05 午後 11:30\r\n"
               "Portions of this software are based in part on the work of the Independent JPEG Group.",
               (LPCTSTR)qvzAboutDlg::MakeInfoText(file.c_str()));
  ::DeleteFile(file.c_str());
  EXPECT_STREQ("1, 12, 0, 0", (LPCTSTR)GetFileVersionString((BinDir() + "QVZ.exe").c_str()));
  EXPECT_STREQ("", (LPCTSTR)GetFileVersionString((BinDir() + "missing.exe").c_str()));
}

TEST_F(AppTest, AboutBoxShowsTheProgramsVersion) {
  RunWhenIdle([] {
    HWND box = ::GetActiveWindow();
    char caption[100] = "";
    ::GetWindowText(box, caption, sizeof(caption));
    EXPECT_STREQ("Zenboraのバージョン情報", caption);
    char info[400] = "";
    ::GetDlgItemText(box, IDC_ABOUT_INFO, info, sizeof(info));
    // The test program carries QVZ's resources, its version block among them.
    EXPECT_EQ(0, strncmp(info, "バージョン： 1, 12, 0, 0\r\n作成日付  ： ", 30)) << info;
    ::PostMessage(box, WM_COMMAND, IDOK, 0);
  });
  Frame()->SendMessage(WM_COMMAND, ID_APP_ABOUT);
}

// A browser registered for an extension of the test's own under HKEY_CLASSES_ROOT.
struct Browser : ::testing::Test {
  const char* ext = ".qvztesthtm";
  const char* type = "qvztesthtmfile";
  std::string out;
  void SetUp() override {
    char temp[MAX_PATH];
    ::GetTempPath(MAX_PATH, temp);
    out = std::string(temp) + "qvz_stub_browser.txt";
    ::DeleteFile(out.c_str());
    ::SetEnvironmentVariable("QVZ_STUB_BROWSER_OUT", out.c_str());
  }
  void TearDown() override {
    ::RegDeleteKey(HKEY_CLASSES_ROOT, (std::string(type) + "\\shell\\open\\command").c_str());
    ::RegDeleteKey(HKEY_CLASSES_ROOT, (std::string(type) + "\\shell\\open").c_str());
    ::RegDeleteKey(HKEY_CLASSES_ROOT, (std::string(type) + "\\shell").c_str());
    ::RegDeleteKey(HKEY_CLASSES_ROOT, type);
    ::RegDeleteKey(HKEY_CLASSES_ROOT, ext);
    ::DeleteFile(out.c_str());
  }
  void SetDefault(const std::string& key, const std::string& value) {
    HKEY h;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKey(HKEY_CLASSES_ROOT, key.c_str(), &h));
    ::RegSetValueEx(h, NULL, 0, REG_SZ, (const BYTE*)value.c_str(), (DWORD)value.size() + 1);
    ::RegCloseKey(h);
  }
  std::string StubGot() {
    for (int i = 0; i < 500; i++) {
      FILE* f = fopen(out.c_str(), "rb");
      if (f) {
        char buf[1000] = "";
        size_t n = fread(buf, 1, sizeof(buf) - 1, f);
        fclose(f);
        if (n > 0 && buf[n - 1] == '\n') return std::string(buf, n - 1);
      }
      ::Sleep(20);
    }
    return "";
  }
};

TEST_F(Browser, RegisteredCommandGetsTheAddressOrACodeSaysWhatIsMissing) {
  EXPECT_EQ(1, OpenUrlInBrowser("http://h/", ext));  // no key for the extension
  SetDefault(ext, type);
  EXPECT_EQ(2, OpenUrlInBrowser("http://h/", ext));  // no open command
  const std::string stub = BinDir() + "shell_app_stub_browser.exe";
  SetDefault(std::string(type) + "\\shell\\open\\command", "\"" + stub + "\" \"%1\"");
  EXPECT_EQ(0, OpenUrlInBrowser("http://www.talvik.example/products/qvz/", ext));
  EXPECT_EQ("http://www.talvik.example/products/qvz/", StubGot());
  ::DeleteFile(out.c_str());
  SetDefault(std::string(type) + "\\shell\\open\\command", BinDir() + "no_such_browser.exe %1");
  EXPECT_EQ(4, OpenUrlInBrowser("http://h/", ext));
  char value[MAX_PATH] = "untouched";
  EXPECT_NE(ERROR_SUCCESS, ReadRegistryDefaultValue(HKEY_CLASSES_ROOT, ".qvz_never_registered", value));
  EXPECT_STREQ("untouched", value);
  EXPECT_EQ(ERROR_SUCCESS, ReadRegistryDefaultValue(HKEY_CLASSES_ROOT, ext, value));
  EXPECT_STREQ(type, value);
}

TEST_F(AppTest, ProgressWindowKeepsAStoredPlaceOnScreenAndCentresOtherwise) {
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  struct { int x, y; bool kept; } cases[] = {{40, 30, true}, {cx + 10, 30, false}, {-1, -1, false}, {40, cy, false}};
  for (auto c : cases) {
    theApp.WriteProfileInt("Settings", "X", c.x);
    theApp.WriteProfileInt("Settings", "Y", c.y);
    CProgressWnd* p = new CProgressWnd(Frame(), "Zenbora", FALSE);
    CRect rc, owner;
    p->GetWindowRect(rc);
    Frame()->GetWindowRect(owner);
    if (c.kept) {
      EXPECT_EQ(CPoint(c.x, c.y), rc.TopLeft());
    } else {
      EXPECT_NEAR(owner.CenterPoint().x, rc.CenterPoint().x, 1) << c.x;
      EXPECT_NEAR(owner.CenterPoint().y, rc.CenterPoint().y, 1) << c.y;
    }
    EXPECT_TRUE(p->GetExStyle() & WS_EX_TOPMOST);
    p->SetRange(0, 4, 1);
    p->StepIt();
    char caption[64];
    p->GetWindowText(caption, sizeof(caption));
    EXPECT_STREQ("Zenbora [25%]", caption);
    p->DestroyWindow();  // the place is written back
    EXPECT_EQ(rc.left, (int)theApp.GetProfileInt("Settings", "X", -5));
    delete p;
  }
}

TEST_F(AppTest, ProgressWindowCancelHidesItAndKeepsItsPlace) {
  theApp.WriteProfileInt("Settings", "X", 40);
  theApp.WriteProfileInt("Settings", "Y", 30);
  {
    // The Cancel button's command.
    CProgressWnd p(Frame(), "Zenbora", FALSE);
    p.SetWindowPos(NULL, 60, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    p.SendMessage(WM_COMMAND, MAKEWPARAM(10, BN_CLICKED), (LPARAM)p.m_wndCancel.m_hWnd);
    EXPECT_TRUE(p.m_bCancelled);
    EXPECT_FALSE(p.IsWindowVisible());
    EXPECT_EQ(60, (int)theApp.GetProfileInt("Settings", "X", -5));
    EXPECT_EQ(50, (int)theApp.GetProfileInt("Settings", "Y", -5));
  }
  for (BOOL onEscape : {TRUE, FALSE}) {
    // Esc typed while the work pumps messages cancels when asked to.
    CProgressWnd p(Frame(), "Zenbora", FALSE);
    p.PostMessage(WM_CHAR, VK_ESCAPE, 0);
    p.PeekAndPump(onEscape);
    EXPECT_EQ(onEscape, p.m_bCancelled);
    EXPECT_EQ(!onEscape, p.IsWindowVisible());
  }
}

TEST(TempFiles, OneShellOperationDeletesEveryCopy) {
  char temp[MAX_PATH];
  ::GetTempPath(MAX_PATH, temp);
  CStringList list;
  for (const char* n : {"qvzopen_a.tmp", "qvzopen_表.tmp", "qvzopen_c.tmp"}) {
    const CString p = CString(temp) + n;
    FILE* f = fopen(p, "w");
    ASSERT_TRUE(f);
    fclose(f);
    list.AddTail(p);
  }
  list.AddTail(CString(temp) + "qvzopen_already_gone.tmp");
  DeleteFilesInOneOperation(list);
  for (POSITION pos = list.GetHeadPosition(); pos;) EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributes(list.GetNext(pos)));
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
  theApp.InitApplication();
  free((void*)theApp.m_pszProfileName);
  char temp[MAX_PATH];
  ::GetTempPath(MAX_PATH, temp);
  theApp.m_pszProfileName = _strdup((std::string(temp) + "qvz_app_test.ini").c_str());
  jvqObjectDefaults::GetObjectDefaults()->CreatePrototypes();
  jvqRegisterClipboardFormat();
  jvqTool::LoadCursors();
  theDrawingResources.Init();
  return RUN_ALL_TESTS();
}
