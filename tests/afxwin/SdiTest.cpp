// The sample SDI program driven with real messages: command routing, update handlers,
// accelerators, timers, status prompts, the scroll view, saving and opening, the
// recent-file list, the resource chain, and closing down.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "SampleApp.h"

CSampleApp theApp;

static std::string TempPath(const char* name) {
  char szDir[MAX_PATH];
  ::GetTempPath(MAX_PATH, szDir);
  return std::string(szDir) + name;
}

static std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class SdiTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static std::string ini = TempPath("afxwin_sdi_test.ini");
    ::DeleteFile(ini.c_str());
    free((void*)theApp.m_pszProfileName);
    theApp.m_pszProfileName = _strdup(ini.c_str());
    theApp.m_bParseCommandLine = FALSE;
    ASSERT_TRUE(theApp.InitInstance());
    PumpPending(&theApp);
  }

  void SetUp() override { theApp.m_messages.clear(); }

  CMainFrame* Frame() { return static_cast<CMainFrame*>(theApp.m_pMainWnd); }
  CSampleView* View() { return static_cast<CSampleView*>(Frame()->GetActiveView()); }
  CSampleDoc* Doc() { return View()->GetDocument(); }
  CMenu* FileMenu() { return Frame()->GetMenu()->GetSubMenu(0); }
  UINT StateOf(UINT nID) { return FileMenu()->GetMenuState(nID, MF_BYCOMMAND); }
  void InitFileMenu() { Frame()->SendMessage(WM_INITMENUPOPUP, (WPARAM)FileMenu()->m_hMenu, 0); }
};

TEST_F(SdiTest, FrameDocumentAndViewComeFromRunTimeClasses) {
  ASSERT_NE(nullptr, Frame());
  EXPECT_TRUE(Frame()->IsKindOf(RUNTIME_CLASS(CMainFrame)));
  ASSERT_NE(nullptr, View());
  EXPECT_TRUE(View()->IsKindOf(RUNTIME_CLASS(CSampleView)));
  EXPECT_EQ(AFX_IDW_PANE_FIRST, View()->GetDlgCtrlID());
  EXPECT_TRUE(Doc()->IsKindOf(RUNTIME_CLASS(CSampleDoc)));
  EXPECT_EQ(Doc(), Frame()->GetActiveDocument());
  EXPECT_EQ(Frame(), View()->GetParentFrame());
  EXPECT_TRUE(Frame()->IsWindowVisible());
  EXPECT_NE(nullptr, Frame()->m_hAccelTable);
  // The frame's class carries the program's icon of the same resource id.
  HICON hIcon = (HICON)::GetClassLongPtr(Frame()->m_hWnd, GCLP_HICON);
  EXPECT_NE(nullptr, hIcon);
  EXPECT_NE(::LoadIcon(NULL, IDI_APPLICATION), hIcon);

  // Title from the template string, document first.
  CString strUntitled;
  strUntitled.LoadString(AFX_IDS_UNTITLED);
  EXPECT_EQ(CString("無題"), strUntitled);
  CString strTitle;
  Frame()->GetWindowText(strTitle);
  EXPECT_EQ(strUntitled + " - Sample", strTitle);

  // The view fills the client area left by the bars.
  CRect rcClient, rcView;
  Frame()->GetClientRect(&rcClient);
  View()->GetWindowRect(&rcView);
  EXPECT_EQ(rcClient.Width(), rcView.Width());
}

TEST_F(SdiTest, CommandsRouteViewThenDocumentThenApplication) {
  int nView = View()->m_nViewCmd, nDoc = Doc()->m_nDocCmd, nApp = theApp.m_nAppCmd;
  Frame()->PostMessage(WM_COMMAND, ID_VIEW_CMD);
  PumpPending(&theApp);
  EXPECT_EQ(nView + 1, View()->m_nViewCmd);
  EXPECT_EQ(nDoc, Doc()->m_nDocCmd);  // the document's own handler for it never ran

  Frame()->PostMessage(WM_COMMAND, ID_DOC_CMD);
  PumpPending(&theApp);
  EXPECT_EQ(nDoc + 1, Doc()->m_nDocCmd);

  Frame()->PostMessage(WM_COMMAND, ID_APP_CMD);
  PumpPending(&theApp);
  EXPECT_EQ(nApp + 1, theApp.m_nAppCmd);

  // A view handler that declines (ON_COMMAND_EX returning FALSE) lets the document have it.
  int nShared = Doc()->m_nSharedCmd;
  View()->m_bSharedPassOn = TRUE;
  Frame()->SendMessage(WM_COMMAND, ID_SHARED_CMD);
  EXPECT_EQ(nShared + 1, Doc()->m_nSharedCmd);
  View()->m_bSharedPassOn = FALSE;
  Frame()->SendMessage(WM_COMMAND, ID_SHARED_CMD);
  EXPECT_EQ(nShared + 1, Doc()->m_nSharedCmd);
}

TEST_F(SdiTest, UpdateHandlersDisableAndCheckMenuItems) {
  InitFileMenu();
  UINT nCheck = StateOf(ID_CHECK_CMD);
  EXPECT_TRUE(nCheck & MF_GRAYED);
  EXPECT_TRUE(nCheck & MF_CHECKED);
  EXPECT_TRUE(StateOf(ID_NOHANDLER_CMD) & MF_GRAYED);  // nobody handles it
  EXPECT_FALSE(StateOf(ID_VIEW_CMD) & MF_GRAYED);
  EXPECT_FALSE(StateOf(ID_DOC_CMD) & MF_GRAYED);
  EXPECT_FALSE(StateOf(ID_APP_CMD) & MF_GRAYED);

  // A command its update handler disables is not carried out.
  int nBefore = View()->m_nCheckCmd;
  Frame()->SendMessage(WM_COMMAND, ID_CHECK_CMD);
  EXPECT_EQ(nBefore, View()->m_nCheckCmd);
}

TEST_F(SdiTest, AcceleratorFiresItsCommand) {
  int nDoc = Doc()->m_nDocCmd;
  View()->PostMessage(WM_KEYDOWN, VK_F6, 0x00400001);
  PumpPending(&theApp);
  EXPECT_EQ(nDoc + 1, Doc()->m_nDocCmd);
}

TEST_F(SdiTest, TimerFires) {
  View()->SetTimer(5, 10, NULL);
  EXPECT_TRUE(PumpUntil(&theApp, [&] { return View()->m_nTimers > 0; }));
  View()->KillTimer(5);
}

TEST_F(SdiTest, MenuPromptsGoToTheStatusLine) {
  CString strText;
  PumpPending(&theApp);
  Frame()->m_wndStatus.GetWindowText(strText);
  EXPECT_EQ(CString("レディ"), strText);  // the idle prompt, posted at creation

  Frame()->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_VIEW_CMD, MF_STRING), (LPARAM)FileMenu()->m_hMenu);
  Frame()->SendMessage(WM_ENTERIDLE, MSGF_MENU, 0);
  Frame()->m_wndStatus.GetWindowText(strText);
  EXPECT_EQ(CString("ビューのコマンドを実行します"), strText);  // the part before the tool tip

  Frame()->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  Frame()->m_wndStatus.GetWindowText(strText);
  EXPECT_EQ(CString("レディ"), strText);
}

TEST_F(SdiTest, ScrollViewShiftsTheDrawing) {
  CSampleView* pView = View();
  EXPECT_EQ(CSize(2000, 1500), pView->GetTotalSize());
  pView->ScrollToPosition(CPoint(50, 60));
  EXPECT_EQ(CPoint(50, 60), pView->GetScrollPosition());

  // The view draws through OnPrepareDC into a memory DC: logical (100,100) lands at (50,40).
  CClientDC screen(NULL);
  CDC dc;
  dc.CreateCompatibleDC(&screen);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&screen, 300, 300);
  CBitmap* pOld = dc.SelectObject(&bitmap);
  dc.FillSolidRect(0, 0, 300, 300, RGB(255, 255, 255));
  pView->OnPrepareDC(&dc);
  pView->OnDraw(&dc);
  dc.SetViewportOrg(0, 0);
  EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(50, 40));
  EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(149, 139));
  EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(49, 40));
  EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(150, 140));
  dc.SelectObject(pOld);

  // Scrolling by the bar's messages: one line down moves by the line size.
  CPoint ptBefore = pView->GetDeviceScrollPosition();
  pView->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
  EXPECT_GT(pView->GetDeviceScrollPosition().y, ptBefore.y);
  // Far beyond the end stops at the end.
  pView->ScrollToPosition(CPoint(100000, 100000));
  CRect rcClient;
  pView->GetClientRect(&rcClient);
  EXPECT_EQ(2000 - rcClient.Width(), pView->GetScrollPosition().x);
  EXPECT_EQ(1500 - rcClient.Height(), pView->GetScrollPosition().y);
  pView->ScrollToPosition(CPoint(0, 0));
}

TEST_F(SdiTest, MouseWheelScrollsTheViewByTheSystemsLinesANotch) {
  CSampleView* pView = View();
  pView->ScrollToPosition(CPoint(0, 0));
  UINT nLines = 3;
  ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
  int nMapMode;
  CSize sizeTotal, sizePage, sizeLine;
  pView->GetDeviceScrollSizes(nMapMode, sizeTotal, sizePage, sizeLine);
  const int nNotch = nLines == WHEEL_PAGESCROLL || (int)nLines * sizeLine.cy > sizePage.cy
                         ? sizePage.cy : (int)nLines * sizeLine.cy;
  ASSERT_GT(nNotch, 0);

  struct Case {
    short delta;
    UINT keys;
    int y;  // where the view stands after the wheel, from 0
  } cases[] = {
      {-WHEEL_DELTA, 0, nNotch},                   // towards the user: down
      {-2 * WHEEL_DELTA, 0, 2 * nNotch},           // two notches at once
      {-WHEEL_DELTA / 2, 0, ::MulDiv(nNotch, 1, 2)},  // half a notch from a fine wheel
      {WHEEL_DELTA, 0, 0},                         // away: up, stopping at the top
      {-WHEEL_DELTA, MK_CONTROL, 0},               // Ctrl is the view's own business
      {-WHEEL_DELTA, MK_SHIFT, 0},
  };
  for (const Case& c : cases) {
    pView->ScrollToPosition(CPoint(0, 0));
    pView->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(c.keys, (WORD)c.delta), MAKELPARAM(10, 10));
    EXPECT_EQ(c.y, pView->GetDeviceScrollPosition().y) << "delta " << c.delta << " keys " << c.keys;
    EXPECT_EQ(0, pView->GetDeviceScrollPosition().x);
  }
  // Many notches stop at the end.
  pView->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-30000), MAKELPARAM(10, 10));
  CRect rcClient;
  pView->GetClientRect(&rcClient);
  EXPECT_EQ(1500 - rcClient.Height(), pView->GetScrollPosition().y);
  pView->ScrollToPosition(CPoint(0, 0));
}

TEST_F(SdiTest, SaveGoesThroughATemporaryFile) {
  std::string path = TempPath("afxwin_sdi_save.smp");
  ::DeleteFile(path.c_str());
  Doc()->m_strText = "board";
  Doc()->m_nValue = 0x01020304;
  Doc()->SetModifiedFlag();
  ASSERT_TRUE(Doc()->OnSaveDocument(path.c_str()));
  EXPECT_FALSE(Doc()->IsModified());
  std::string saved = ReadAll(path);
  EXPECT_EQ(std::string("\x05" "board" "\x04\x03\x02\x01", 10), saved);

  // A save that fails half-way leaves the old file as it was and says so.
  Doc()->m_strText = "something else";
  Doc()->m_bFailStore = TRUE;
  Doc()->SetModifiedFlag();
  EXPECT_FALSE(Doc()->OnSaveDocument(path.c_str()));
  EXPECT_EQ(saved, ReadAll(path));
  EXPECT_EQ(1u, theApp.m_messages.size());
  EXPECT_TRUE(Doc()->IsModified());

  // No temporary files are left beside it.
  std::string pattern = TempPath("afx*.tmp");
  WIN32_FIND_DATA fd;
  HANDLE hFind = ::FindFirstFile(pattern.c_str(), &fd);
  EXPECT_EQ(INVALID_HANDLE_VALUE, hFind);
  if (hFind != INVALID_HANDLE_VALUE) ::FindClose(hFind);
  ::DeleteFile(path.c_str());
}

TEST_F(SdiTest, OpenDocumentFileReusesTheDocument) {
  std::string path = TempPath("afxwin_sdi_open.smp");
  {
    std::ofstream out(path, std::ios::binary);
    out << std::string("\x04" "open" "\x2A\x00\x00\x00", 9);
  }
  Doc()->SetModifiedFlag(FALSE);
  CDocument* pBefore = Doc();
  CDocument* pDoc = theApp.OpenDocumentFile(path.c_str());
  ASSERT_EQ(pBefore, pDoc);  // one document in a single-document program
  EXPECT_EQ(CString("open"), Doc()->m_strText);
  EXPECT_EQ(42, Doc()->m_nValue);
  CString strTitle;
  Frame()->GetWindowText(strTitle);
  EXPECT_EQ(0, strTitle.Find("afxwin_sdi_open"));
  EXPECT_EQ(CString(" - Sample"), strTitle.Right(9));

  // The file joined the recent-file list, which the File menu shows.
  InitFileMenu();
  CString strItem;
  FileMenu()->GetMenuString(ID_FILE_MRU_FILE1, strItem, MF_BYCOMMAND);
  EXPECT_EQ(0, strItem.Find("&1 "));
  EXPECT_NE(-1, strItem.Find("afxwin_sdi_open.smp"));
  EXPECT_FALSE(StateOf(ID_FILE_MRU_FILE1) & MF_GRAYED);

  // A truncated file: the message, and the document is left empty.
  {
    std::ofstream out(path, std::ios::binary);
    out << std::string("\x09" "abc", 4);
  }
  Doc()->SetModifiedFlag(FALSE);
  EXPECT_EQ(nullptr, theApp.OpenDocumentFile(TempPath("afxwin_sdi_other.smp").c_str()));  // missing
  EXPECT_EQ(1u, theApp.m_messages.size());
  Doc()->m_strPathName.Empty();  // so that the broken file is not "already open"
  EXPECT_EQ(nullptr, theApp.OpenDocumentFile(path.c_str()));
  EXPECT_EQ(2u, theApp.m_messages.size());
  EXPECT_TRUE(Doc()->m_strText.IsEmpty());
  ::DeleteFile(path.c_str());
}

TEST_F(SdiTest, SaveAsProposesTheTitleWithTheDefaultExtension) {
  // A new document: File > New reuses the one document after asking about its changes.
  Doc()->m_strText = "old";
  Doc()->SetModifiedFlag();
  CDocument* pBefore = Doc();
  theApp.m_nMessageBoxAnswer = IDNO;
  Frame()->SendMessage(WM_COMMAND, ID_FILE_NEW);
  theApp.m_nMessageBoxAnswer = IDOK;
  ASSERT_EQ(1u, theApp.m_messages.size());
  EXPECT_EQ(pBefore, Doc());
  EXPECT_TRUE(Doc()->m_strText.IsEmpty());
  EXPECT_EQ(CString("無題"), Doc()->GetTitle());
  EXPECT_TRUE(Doc()->GetPathName().IsEmpty());

  // Save with no path asks for a name: the title plus the template's extension.
  theApp.m_strPromptAnswer.Empty();
  Frame()->SendMessage(WM_COMMAND, ID_FILE_SAVE);
  EXPECT_EQ(CString("無題.smp"), theApp.m_strPromptProposed);
  EXPECT_EQ((UINT)AFX_IDS_SAVEFILE, theApp.m_nPromptTitle);
  EXPECT_TRUE(Doc()->GetPathName().IsEmpty());  // cancelled

  // A title with characters a file name should not start from is cut there.
  Doc()->SetTitle("plan #2");
  std::string path = TempPath("afxwin_sdi_saveas.smp");
  theApp.m_strPromptAnswer = path.c_str();
  Frame()->SendMessage(WM_COMMAND, ID_FILE_SAVE);
  EXPECT_EQ(CString("plan.smp"), theApp.m_strPromptProposed);
  EXPECT_EQ(0, Doc()->GetPathName().CompareNoCase(path.c_str()));
  EXPECT_EQ(CString("afxwin_sdi_saveas.smp"), Doc()->GetTitle());
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributes(path.c_str()));
  theApp.m_strPromptAnswer.Empty();
  Doc()->SetModifiedFlag(FALSE);
  ::DeleteFile(path.c_str());
}

TEST_F(SdiTest, RecentFilesPersistInTheProfile) {
  theApp.AddToRecentFileList("C:\\first.smp");
  theApp.AddToRecentFileList("C:\\second.smp");
  theApp.AddToRecentFileList("c:\\FIRST.smp");  // the same file moves up
  EXPECT_EQ(CString("c:\\FIRST.smp"), (*theApp.m_pRecentFileList)[0]);
  EXPECT_EQ(CString("C:\\second.smp"), (*theApp.m_pRecentFileList)[1]);
  theApp.m_pRecentFileList->WriteList();
  EXPECT_EQ(CString("c:\\FIRST.smp"), theApp.GetProfileString("Recent File List", "File1"));

  BYTE data[] = {0x00, 0x7F, 0xFF, 0x10};
  ASSERT_TRUE(theApp.WriteProfileBinary("Settings", "Blob", data, sizeof(data)));
  LPBYTE pData = NULL;
  UINT nBytes = 0;
  ASSERT_TRUE(theApp.GetProfileBinary("Settings", "Blob", &pData, &nBytes));
  ASSERT_EQ(sizeof(data), nBytes);
  EXPECT_EQ(0, memcmp(data, pData, nBytes));
  delete[] pData;
  theApp.WriteProfileString("Settings", "Blob", "AZ");  // not a value we wrote
  EXPECT_FALSE(theApp.GetProfileBinary("Settings", "Blob", &pData, &nBytes));
  EXPECT_EQ(nullptr, pData);
}

TEST_F(SdiTest, ExtensionLibraryResourcesComeThroughTheChain) {
  CString str;
  EXPECT_FALSE(str.LoadString(IDS_EXT_STRING));
  HMODULE hExt = ::LoadLibrary("afxwin_testext.dll");
  ASSERT_NE(nullptr, hExt);
  EXPECT_EQ(hExt, AfxFindResourceHandle(MAKEINTRESOURCE(IDB_EXT_BITMAP), RT_BITMAP));
  ASSERT_TRUE(str.LoadString(IDS_EXT_STRING));
  EXPECT_EQ(CString("拡張ライブラリの文字列"), str);

  CBitmap bitmap;
  ASSERT_TRUE(bitmap.LoadBitmap(IDB_EXT_BITMAP));
  BITMAP bm;
  bitmap.GetBitmap(&bm);
  EXPECT_EQ(8, bm.bmWidth);
  CDC dc;
  dc.CreateCompatibleDC(NULL);
  CBitmap* pOld = dc.SelectObject(&bitmap);
  EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(3, 3));
  dc.SelectObject(pOld);

  // The program's own resources come first, the framework's last.
  EXPECT_EQ(AfxGetInstanceHandle(), AfxFindResourceHandle(MAKEINTRESOURCE(IDR_MAINFRAME), RT_MENU));
  EXPECT_TRUE(str.LoadString(AFX_IDS_IDLEMESSAGE));

  ::FreeLibrary(hExt);
  EXPECT_FALSE(str.LoadString(IDS_EXT_STRING));  // it left the chain
}

TEST_F(SdiTest, CommandLineSwitches) {
  struct Case {
    std::vector<std::pair<const char*, BOOL>> args;
    int nShellCommand;
    const char* pszFile;
    BOOL bSelfTest;
  } cases[] = {
      {{}, CCommandLineInfo::FileNew, "", FALSE},
      {{{"doc.smp", FALSE}}, CCommandLineInfo::FileOpen, "doc.smp", FALSE},
      {{{"p", TRUE}, {"doc.smp", FALSE}}, CCommandLineInfo::FilePrint, "doc.smp", FALSE},
      {{{"P", TRUE}}, CCommandLineInfo::FileNew, "", FALSE},  // shell switches are case sensitive
      {{{"selftest", TRUE}}, CCommandLineInfo::FileNew, "", TRUE},
  };
  for (const Case& c : cases) {
    CSampleCommandLineInfo info;
    for (size_t i = 0; i < c.args.size(); i++) info.ParseParam(c.args[i].first, c.args[i].second, i + 1 == c.args.size());
    EXPECT_EQ(c.nShellCommand, (int)info.m_nShellCommand);
    EXPECT_EQ(CString(c.pszFile), info.m_strFileName);
    EXPECT_EQ(c.bSelfTest, info.m_bSelfTest);
  }
  CCommandLineInfo embedded;
  embedded.ParseParam("Embedding", TRUE, TRUE);
  EXPECT_TRUE(embedded.m_bRunEmbedded);
  EXPECT_FALSE(embedded.m_bShowSplash);
}

TEST_F(SdiTest, SampleProgramRunsOnItsOwn) {
  // The program has no WinMain of its own: the framework library's runs it.
  std::string exe = "afxwin_sample.exe";  // beside the tests
  STARTUPINFO si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi;
  std::string cmd = exe + " /selftest";
  ASSERT_TRUE(::CreateProcess(NULL, &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
  EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pi.hProcess, 60000));
  DWORD dwExit = 1;
  ::GetExitCodeProcess(pi.hProcess, &dwExit);
  EXPECT_EQ(0u, dwExit);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
}

static UINT AFX_CDECL ReportMainWindow(LPVOID pParam) {
  CWnd* pMain = AfxGetMainWnd();
  *static_cast<HWND*>(pParam) = pMain != NULL ? pMain->m_hWnd : NULL;
  return 0;
}

TEST_F(SdiTest, WorkerThreadSeesTheMainWindow) {
  HWND hSeen = NULL;
  CWinThread* pThread = AfxBeginThread(ReportMainWindow, &hSeen, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(nullptr, pThread);
  pThread->m_bAutoDelete = FALSE;
  pThread->ResumeThread();
  ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pThread->m_hThread, 10000));
  delete pThread;
  EXPECT_EQ(Frame()->m_hWnd, hSeen);
  EXPECT_EQ(Frame(), CWnd::FromHandlePermanent(Frame()->m_hWnd));  // still ours on this thread
  EXPECT_TRUE(::IsWindow(Frame()->m_hWnd));
}

// Last: closing the main window asks about changes, then takes everything down.
TEST_F(SdiTest, ClosingAsksThenEndsTheLoop) {
  Doc()->SetModifiedFlag();
  theApp.m_nMessageBoxAnswer = IDCANCEL;
  Frame()->SendMessage(WM_CLOSE);
  ASSERT_EQ(1u, theApp.m_messages.size());  // "save changes?"
  ASSERT_NE(nullptr, theApp.m_pMainWnd);    // cancelled: still open

  theApp.m_nMessageBoxAnswer = IDNO;
  HWND hFrame = Frame()->m_hWnd;
  Frame()->SendMessage(WM_CLOSE);
  EXPECT_FALSE(::IsWindow(hFrame));
  EXPECT_EQ(nullptr, theApp.m_pMainWnd);
  EXPECT_EQ(0, CSampleDoc::s_nLive);
  MSG msg;
  EXPECT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));  // the loop would end
}
