// The main frame in a real window under Wine: built by the application's document template
// as in QVZ.exe, driven by its commands and messages.
#include <gtest/gtest.h>

#include <functional>

#include "afxtest/ThreadPump.h"
#include "jvqBoard.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqTool.h"
#include "jvqView.h"
#include "Dib.h"
#include "jvqSolidFill.h"
#include "jvqUndoManager.h"
#include "qvzAllPageView.h"
#include "qvzApp.h"
#include "qvzDocument.h"
#include "qvzMainFrame.h"
#include "qvzMessages.h"
#include "qvzView.h"
#include "resource.h"

namespace {

class CFrameTestApp : public qvzApp {
 public:
  BOOL InitInstance() override { return TRUE; }
  int DoMessageBox(LPCTSTR, UINT, UINT) override { return m_nAnswer; }
  int m_nAnswer = IDOK;
};
CFrameTestApp theApp;

qvzMainFrame* Frame() { return DYNAMIC_DOWNCAST(qvzMainFrame, AfxGetMainWnd()); }
jvqBoard* Board() { return Frame()->GetBoardDocument()->GetBoard(); }

void IdleUpdate() {
  Frame()->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
  PumpPending();
}

// A board of n pages with page `current` (1-based) current.
void MakePages(int n, int current) {
  jvqBoard* b = Board();
  while (b->GetPageCount() > 1) {
    jvqPage* p = b->GetPage(b->GetPageCount() - 1);
    p->m_dwState &= ~JVQ_STATE_ALIVE;
  }
  b->SetCurrentPage(0);
  while (b->GetPageCount() < n) Frame()->SendMessage(WM_COMMAND, ID_INSERT_BLANKPAGE);
  b->SetCurrentPage(current - 1);
}

CString ComboItems(CComboBox& c, int* pSel) {
  CString all;
  for (int i = 0; i < c.GetCount(); i++) {
    CString s;
    c.GetLBText(i, s);
    all += (i ? "," : "") + s;
  }
  *pSel = c.GetCurSel();
  return all;
}

struct FrameTest : ::testing::Test {
  void SetUp() override {
    if (Frame() == NULL) {
      theApp.m_strAppFolder = CString(getenv("QVZ_BIN_DIR") ? getenv("QVZ_BIN_DIR") : ".") + "\\";
      theApp.m_strAppFolder.Replace('/', '\\');
      if (theApp.m_strAppFolder.Left(1) == "\\") theApp.m_strAppFolder = "Z:" + theApp.m_strAppFolder;
      theApp.m_Settings.nWindowStatus = 5;
      theApp.m_Settings.rcWindow = {0, 0, 1000, 740};
      theApp.AddDocTemplate(new CSingleDocTemplate(IDR_QVZTYPE, RUNTIME_CLASS(qvzDocument),
                                                   RUNTIME_CLASS(qvzMainFrame), RUNTIME_CLASS(qvzView)));
      theApp.OnFileNew();
    }
    ASSERT_NE(Frame(), nullptr);
    Frame()->m_nAutoAnswer = IDYES;
    PumpPending();
  }
};

TEST_F(FrameTest, ZoomBoxFollowsAToolsZoomThenAFixedChoice) {
  jvqView* v = Frame()->GetEditView();
  ASSERT_NE(v, nullptr);
  v->m_Mapping.m_bFitToWindow = FALSE;
  v->m_Mapping.m_dZoom = 137;
  IdleUpdate();
  CComboBox& c = Frame()->m_wndZoomCombo;
  int sel = -1;
  EXPECT_EQ(ComboItems(c, &sel), "137%,400%,200%,150%,100%,75%,50%,25%,全体表示");
  EXPECT_EQ(sel, 0);
  c.SetCurSel(4);
  Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ZOOM_COMBO, CBN_SELCHANGE), (LPARAM)c.m_hWnd);
  EXPECT_EQ(ComboItems(c, &sel), "400%,200%,150%,100%,75%,50%,25%,全体表示");
  EXPECT_EQ(sel, 3);
  EXPECT_EQ(theApp.m_Settings.nZoom, 100);
  // Fit from the menu selects the fit entry and leaves the setting.
  Frame()->SendMessage(WM_COMMAND, ID_VIEW_FITPAGE);
  EXPECT_EQ(ComboItems(c, &sel), "400%,200%,150%,100%,75%,50%,25%,全体表示");
  EXPECT_EQ(sel, 7);
  EXPECT_EQ(theApp.m_Settings.nZoom, 100);
}

TEST_F(FrameTest, PageTabsStartBeforeTheCurrentPageOrWithItOnAnEmptyStrip) {
  MakePages(12, 7);
  Frame()->UpdatePageTabs();
  CFolderTabCtrl& tabs = Frame()->m_wndFolderFrame.GetFolderTabCtrl();
  EXPECT_EQ(tabs.GetTabTexts(), "6ページ|7ページ|8ページ|9ページ|10ページ|11ページ|12ページ");
  EXPECT_EQ(tabs.GetSelectedItem(), 1);
  tabs.DeleteAllItems();
  Frame()->UpdatePageTabs();
  EXPECT_EQ(tabs.GetItem(0)->m_strText, "7ページ");
  EXPECT_EQ(tabs.GetSelectedItem(), 0);
  // The arrows move the strip one page, never past its ends.
  Frame()->SendMessage(QVZM_SCROLLPAGETABS, 0);
  EXPECT_EQ(tabs.GetItem(0)->m_strText, "6ページ");
  Frame()->SendMessage(QVZM_SCROLLPAGETABS, 7);
  EXPECT_EQ(tabs.GetItem(0)->m_strText, "6ページ");
}

TEST_F(FrameTest, DeletingPagesChoosesTheNextPageAndMarksTheBoardModified) {
  struct { int pages, current, expected; } cases[] = {{3, 3, 2}, {3, 1, 1}, {2, 2, 1}};
  for (auto c : cases) {
    MakePages(c.pages, c.current);
    jvqPage* expected = Board()->GetPage(c.current == 1 ? 1 : c.expected - 1);
    Frame()->GetBoardDocument()->SetModifiedFlag(FALSE);
    Frame()->SendMessage(WM_COMMAND, ID_PAGE_DELETE);
    EXPECT_EQ(Board()->GetPageCount(), c.pages - 1);
    EXPECT_EQ(Board()->GetCurrentPage(), expected) << c.pages << " " << c.current;
    EXPECT_TRUE(Frame()->GetBoardDocument()->IsModified());
  }
  // The question names the page; No keeps it.
  MakePages(2, 2);
  Frame()->m_nAutoAnswer = IDNO;
  Frame()->SendMessage(WM_COMMAND, ID_PAGE_DELETE);
  EXPECT_EQ(Frame()->m_strLastMessage, "現在表示中のページ(2ページ)を削除します。よろしいですか？");
  EXPECT_EQ(Board()->GetPageCount(), 2);
}

TEST_F(FrameTest, ClosingWhileThePageListIsShownReturnsToTheEditingView) {
  MakePages(2, 1);
  Frame()->SendMessage(WM_COMMAND, ID_VIEW_PAGELIST);
  EXPECT_EQ(Frame()->GetEditView(), nullptr);
  EXPECT_FALSE(Frame()->m_wndStandardBar.IsWindowVisible());
  EXPECT_TRUE(Frame()->m_wndPageListBar.IsWindowVisible());
  CString text;
  Frame()->GetMenu()->GetSubMenu(2)->GetMenuString(ID_PAGELIST_BACK, text, MF_BYCOMMAND);
  EXPECT_EQ(text, "編集画面(&B)");
  // A page deleted in the page list is a change to the board, to be saved.
  Frame()->GetBoardDocument()->SetModifiedFlag(FALSE);
  Frame()->SendMessage(WM_COMMAND, ID_PAGE_DELETE);
  EXPECT_EQ(Frame()->m_strLastMessage, "選択ページを削除します。よろしいですか？");
  EXPECT_EQ(Board()->GetPageCount(), 1);
  EXPECT_TRUE(Frame()->GetBoardDocument()->IsModified());
  Frame()->SendMessage(WM_CLOSE);
  ASSERT_TRUE(::IsWindow(Frame()->m_hWnd));
  EXPECT_NE(Frame()->GetEditView(), nullptr);
  EXPECT_TRUE(Frame()->m_wndStandardBar.IsWindowVisible());
  EXPECT_FALSE(Frame()->m_wndPageListBar.IsWindowVisible());
}

TEST_F(FrameTest, StatusPanesEmptyOutsideTheView) {
  MakePages(3, 2);
  ::SetCursorPos(0, 0);
  Frame()->UpdateStatusBar();
  EXPECT_EQ(Frame()->m_wndStatusBar.GetPaneText(1), "ページ： 2/3 ");
  EXPECT_EQ(Frame()->m_wndStatusBar.GetPaneText(2), "");
  EXPECT_EQ(Frame()->m_wndStatusBar.GetPaneText(3), "");
}

TEST_F(FrameTest, ToolFamiliesShowTheirVariant) {
  qvzMainToolBar& bar = Frame()->m_wndMainToolBar;
  Frame()->ShowToolVariant(3012);
  EXPECT_EQ(bar.m_nRectVariantTool, 3012);
  EXPECT_EQ(bar.GetVariantTip(86), "円");
  Frame()->ShowToolVariant(3007);
  EXPECT_EQ(bar.GetVariantTip(86), "四角");
  Frame()->ShowToolVariant(4242);  // not a variant: nothing changes
  EXPECT_EQ(bar.m_nRectVariantTool, 3007);
  bar.SetButtonState(32854, 1);
  EXPECT_EQ(bar.GetButtonState(87), 1);
  bar.SetButtonState(32854, 0);
}

TEST_F(FrameTest, SplitterStopsOneAndAHalfArrowsFromTheLeft) {
  CFolderFrame& ff = Frame()->m_wndFolderFrame;
  CRect rc;
  ff.m_wndSplitter.GetWindowRect(&rc);
  ff.ScreenToClient(&rc);
  ff.m_wndSplitter.MoveWindow(59, rc.top, rc.Width(), rc.Height());
  ff.SendMessage(QVZM_SPLITTERMOVE, 59, rc.top);
  EXPECT_EQ(ff.m_nSplitterPos, 61);
  ff.m_wndSplitter.MoveWindow(200, rc.top, rc.Width(), rc.Height());
  ff.SendMessage(QVZM_SPLITTERMOVE, 200, rc.top);
  EXPECT_EQ(ff.m_nSplitterPos, 200);
}

TEST_F(FrameTest, InsertImageFileIgnoresBlocksItDidNotMake) {
  MakePages(1, 1);
  char path[MAX_PATH];
  ::GetTempPath(MAX_PATH, path);
  lstrcat(path, "qvz_insert_probe.bmp");
  HANDLE h = ::CreateFile(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  ::CloseHandle(h);
  // A block of another sender: left as it is.
  HGLOBAL pathBlock = ::GlobalAlloc(GMEM_FIXED, MAX_PATH);
  lstrcpy((LPSTR)pathBlock, path);
  HGLOBAL block = ::GlobalAlloc(GMEM_FIXED, 2 * sizeof(void*));
  ((HGLOBAL*)block)[1] = pathBlock;
  const int before = Board()->GetCurrentPage()->GetChildCount();
  EXPECT_EQ(Frame()->SendMessage(QVZM_INSERTIMAGEFILE, 0, (LPARAM)block), 0);
  EXPECT_EQ(Board()->GetCurrentPage()->GetChildCount(), before);
  EXPECT_NE(::GetFileAttributes(path), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(::GlobalSize(block), 2 * sizeof(void*));
  ::GlobalFree(block);
  ::GlobalFree(pathBlock);
  // Our own blocks for a file that is not there: freed, nothing placed.
  Frame()->SendMessage(QVZM_INSERTIMAGEFILE, 0, (LPARAM)qvzMainFrame::MakeInsertImageBlocks("Z:\\no\\such.bmp"));
  EXPECT_EQ(Board()->GetCurrentPage()->GetChildCount(), before);
  ::DeleteFile(path);
}

TEST_F(FrameTest, CatalogueBrowserStartsFromTheProgramFolder) {
  struct Probe : CCmdUI {
    BOOL enabled = FALSE;
    void Enable(BOOL b) override { enabled = b; m_bEnableChanged = TRUE; }
  } probe;
  probe.m_nID = ID_INSERT_CATALOG;
  probe.DoUpdate(Frame(), FALSE);
  ASSERT_TRUE(probe.enabled) << (LPCTSTR)theApp.m_strAppFolder;
  Frame()->SendMessage(WM_COMMAND, ID_INSERT_CATALOG);
  HWND browser = NULL;
  PumpUntil([&] { return (browser = ::FindWindow(NULL, "VendaroExplorer")) != NULL; });
  ASSERT_NE(browser, nullptr);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(browser, &pid);
  EXPECT_NE(pid, ::GetCurrentProcessId());
  HANDLE proc = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
  ::PostMessage(browser, WM_CLOSE, 0, 0);
  if (proc && ::WaitForSingleObject(proc, 10000) != WAIT_OBJECT_0) ::TerminateProcess(proc, 1);
  if (proc) ::CloseHandle(proc);
}

}  // namespace

namespace {

BOOL CALLBACK FindWizardPage(HWND hwnd, LPARAM param) {
  // A page of the wizard: visible, with Next and Cancel.
  if (!::IsWindowVisible(hwnd) || !::GetDlgItem(hwnd, 12324) || !::GetDlgItem(hwnd, IDCANCEL)) return TRUE;
  *reinterpret_cast<HWND*>(param) = hwnd;
  return FALSE;
}

TEST_F(FrameTest, ACancelledWizardChangesNothing) {
  MakePages(1, 1);
  Frame()->GetBoardDocument()->SetModifiedFlag(FALSE);
  const int before = Board()->GetCurrentPage()->GetChildCount();
  // The user cancels on the first page and answers the question with Yes.
  int polls = 0;
  bool cancelled = false;
  std::function<void()> cancel = [&] {
    HWND page = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindWizardPage, reinterpret_cast<LPARAM>(&page));
    if (page == NULL) {
      if (++polls < 200) RunWhenIdle(cancel, 50);
      return;
    }
    cancelled = true;
    ::PostMessage(page, WM_COMMAND, IDCANCEL, 0);
  };
  RunWhenIdle(cancel, 50);
  theApp.m_nAnswer = IDYES;
  Frame()->SendMessage(WM_COMMAND, ID_IMAGE_WIZARD);
  theApp.m_nAnswer = IDOK;
  PumpPending();
  EXPECT_TRUE(cancelled) << "the wizard showed no page";
  EXPECT_EQ(Board()->GetCurrentPage()->GetChildCount(), before);
  EXPECT_FALSE(Frame()->GetBoardDocument()->IsModified());
}

}  // namespace

namespace {

qvzAllPageView* ShowPageList() {
  Frame()->SendMessage(WM_COMMAND, ID_VIEW_PAGELIST);
  qvzAllPageView* list = DYNAMIC_DOWNCAST(qvzAllPageView, Frame()->GetActiveView());
  if (list) list->m_bNoPopup = TRUE;
  PumpPending();
  return list;
}

void Click(CWnd* w, UINT msg, int x, int y, UINT flags = 0) { w->SendMessage(msg, flags, MAKELPARAM(x, y)); }

TEST_F(FrameTest, PageListShowsEachPageAndPicksByClicksInItsGaps) {
  MakePages(3, 1);
  const COLORREF colors[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
  jvqPage* pages[3];
  for (int i = 0; i < 3; i++) {
    pages[i] = Board()->GetPage(i);
    pages[i]->SetFill(new jvqSolidFill(colors[i]));
  }
  qvzAllPageView* list = ShowPageList();
  ASSERT_NE(nullptr, list);
  ASSERT_EQ(3, list->GetAliveCount());
  for (int i = 0; i < 3; i++) {
    qvzPageThumbnail* t = list->GetAliveItem(i);
    ASSERT_NE(nullptr, t->m_pDib);
    EXPECT_EQ(colors[i], t->m_pDib->GetColor(150, 150)) << i;
    EXPECT_EQ(20 + 320 * i, t->GetRect().left);
  }
  // What the window shows: the middle of each item.
  PumpPending();
  list->UpdateWindow();
  CClientDC dc(list);
  for (int i = 0; i < 3; i++) EXPECT_EQ(colors[i], dc.GetPixel(170 + 320 * i, 170)) << i;

  // A right click in the gap between the first two items shows no menu; on an item it does.
  Click(list, WM_RBUTTONDOWN, 330, 100);
  EXPECT_EQ(0, list->m_nPopupShown);
  EXPECT_EQ(pages[0], Board()->GetCurrentPage());
  // A left click there picks the neighbour on the current page's side.
  Board()->SetCurrentPage(2);
  Click(list, WM_LBUTTONDOWN, 330, 100, MK_LBUTTON);
  Click(list, WM_LBUTTONUP, 330, 100);
  EXPECT_EQ(pages[1], Board()->GetCurrentPage());
  // Now the gap is neither page's (the first owns its right gap only when after the
  // current one): the current page stays.
  Click(list, WM_LBUTTONDOWN, 330, 100, MK_LBUTTON);
  Click(list, WM_LBUTTONUP, 330, 100);
  EXPECT_EQ(pages[1], Board()->GetCurrentPage());
  Board()->SetCurrentPage(0);
  Click(list, WM_LBUTTONDOWN, 330, 100, MK_LBUTTON);
  Click(list, WM_LBUTTONUP, 330, 100);
  EXPECT_EQ(pages[0], Board()->GetCurrentPage());
  Click(list, WM_RBUTTONDOWN, 500, 100);
  EXPECT_EQ(1, list->m_nPopupShown);
  EXPECT_EQ(pages[1], Board()->GetCurrentPage());
  Frame()->SendMessage(WM_COMMAND, ID_PAGELIST_BACK);
  EXPECT_NE(nullptr, Frame()->GetEditView());
  for (int i = 0; i < 3; i++) pages[i]->SetFill(new jvqSolidFill(RGB(255, 255, 255)));
}

TEST_F(FrameTest, APageDeletedInThePageListAndUndoneKeepsItsPlace) {
  MakePages(3, 2);
  jvqPage* p[3] = {Board()->GetPage(0), Board()->GetPage(1), Board()->GetPage(2)};
  qvzAllPageView* list = ShowPageList();
  ASSERT_NE(nullptr, list);
  Frame()->SendMessage(WM_COMMAND, ID_PAGE_DELETE);
  EXPECT_EQ(2, Board()->GetPageCount());
  EXPECT_EQ(2, list->GetAliveCount());
  // The deleted page's item is hidden; the third page moves up into its place.
  EXPECT_EQ(p[2], list->GetAliveItem(1)->m_pPage);
  EXPECT_EQ(340, list->GetAliveItem(1)->GetRect().left);
  theUndoManager.Undo();
  list->RecalcLayout();
  EXPECT_EQ(3, list->GetAliveCount());
  EXPECT_EQ(p[1], list->GetAliveItem(1)->m_pPage);
  EXPECT_EQ(340, list->GetAliveItem(1)->GetRect().left);
  Frame()->SendMessage(WM_COMMAND, ID_PAGELIST_BACK);
  for (int i = 0; i < 3; i++) EXPECT_EQ(p[i], Board()->GetPage(i));
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
  theApp.InitApplication();
  jvqObjectDefaults::GetObjectDefaults()->CreatePrototypes();
  jvqRegisterClipboardFormat();
  jvqTool::LoadCursors();
  return RUN_ALL_TESTS();
}
