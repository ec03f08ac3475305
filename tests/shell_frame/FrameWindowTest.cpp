// The main frame in a real window under Wine: built by the application's document template
// as in QVZ.exe, driven by its commands and messages.
#include <gtest/gtest.h>

#include <stdio.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "Dib.h"
#include "Patinor.h"
#include "afxtest/ThreadPump.h"
#include "jvqGuideLine.h"
#include "jvqImageObject.h"
#include "jvqSelectTool.h"
#include "jvqUndoManager.h"
#include "jvqBoard.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqRectObject.h"
#include "jvqSolidFill.h"
#include "jvqTool.h"
#include "jvqView.h"
#include "Dib.h"
#include "jvqSolidFill.h"
#include "jvqUndoManager.h"
#include "qvzAllPageView.h"
#include "qvzApp.h"
#include "qvzContentFolders.h"
#include "qvzDocument.h"
#include "qvzMainFrame.h"
#include "qvzMessages.h"
#include "qvzView.h"
#include "resource.h"

namespace {

class CFrameTestApp : public qvzApp {
 public:
  BOOL InitInstance() override { return TRUE; }
  int DoMessageBox(LPCTSTR, UINT nType, UINT) override { return (nType & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK; }
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

struct FindTopArg {
  const char* part;
  BOOL own;
  HWND found;
};

BOOL CALLBACK FindTopVisit(HWND h, LPARAM lp) {
  FindTopArg* a = (FindTopArg*)lp;
  DWORD pid = 0;
  ::GetWindowThreadProcessId(h, &pid);
  char title[256] = "";
  ::GetWindowText(h, title, sizeof(title));
  if (::IsWindowVisible(h) && (pid == ::GetCurrentProcessId()) == (a->own != FALSE) && strstr(title, a->part)) {
    a->found = h;
    return FALSE;
  }
  return TRUE;
}

// A visible top-level window whose title holds part, of this process or of another one.
HWND FindTopWindow(const char* part, BOOL bOwnProcess) {
  FindTopArg arg = {part, bOwnProcess, NULL};
  ::EnumWindows(FindTopVisit, (LPARAM)&arg);
  return arg.found;
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
      theApp.m_bShowStartMenu = 0;  // a board without the start menu
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

TEST_F(FrameTest, NewPagesAreBlankWhiteOrKeepTheLockedShapesOrCopyEverything) {
  MakePages(1, 1);
  jvqPage* first = Board()->GetCurrentPage();
  first->SetFill(new jvqSolidFill(RGB(255, 255, 200)));
  const RECT r = {100, 100, 500, 400};
  first->AddChild(new jvqRectObject(&r, NULL, 0x311 | JVQ_STATE_LOCKED));
  first->AddChild(new jvqRectObject(&r, NULL, 0x311));
  struct {
    UINT command;
    int children;
    COLORREF paper;
  } cases[] = {{ID_INSERT_BLANKPAGE, 0, RGB(255, 255, 255)},
               {ID_INSERT_TEMPLATEPAGE, 1, RGB(255, 255, 200)},
               {ID_INSERT_PAGECOPY, 2, RGB(255, 255, 200)}};
  for (auto c : cases) {
    Board()->SetCurrentPage(0);
    Frame()->GetBoardDocument()->SetModifiedFlag(FALSE);
    Frame()->SendMessage(WM_COMMAND, c.command);
    jvqPage* page = Board()->GetCurrentPage();
    ASSERT_EQ(page, Board()->GetPage(1)) << c.command;  // after the current page, and current
    EXPECT_EQ(page->GetChildCount(), c.children) << c.command;
    if (c.command == ID_INSERT_TEMPLATEPAGE) EXPECT_TRUE(page->GetChild(0)->GetState() & JVQ_STATE_LOCKED);
    jvqSolidFill* paper = dynamic_cast<jvqSolidFill*>(page->GetFill());
    ASSERT_NE(paper, nullptr);
    EXPECT_EQ(paper->GetColor(), c.paper) << c.command;
    EXPECT_TRUE(Frame()->GetBoardDocument()->IsModified());
  }
  first->DeleteChildren();
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

// Commands sent to the main frame while it lives (the family drop-down's rows send theirs).
std::vector<WPARAM> theFrameCommands;
LRESULT CALLBACK RecordFrameCommand(int code, WPARAM wParam, LPARAM lParam) {
  const CWPSTRUCT* m = (const CWPSTRUCT*)lParam;
  if (code == HC_ACTION && m->message == WM_COMMAND && m->hwnd == Frame()->m_hWnd) theFrameCommands.push_back(m->wParam);
  return ::CallNextHookEx(NULL, code, wParam, lParam);
}

TEST_F(FrameTest, TheFamilyButtonShowsTheToolInUseAndItsDropDownSendsARow) {
  qvzMainToolBar& bar = Frame()->m_wndMainToolBar;
  jvqView* view = Frame()->GetEditView();
  // The view's tool becomes the ellipse: button 86 shows it.
  Frame()->SendMessage(WM_COMMAND, ID_TOOL_ELLIPSE);
  EXPECT_EQ(bar.m_nRectVariantTool, 3012);
  EXPECT_EQ(bar.GetVariantTip(86), "円");
  Frame()->SendMessage(WM_COMMAND, ID_TOOL_SELECT);
  EXPECT_EQ(bar.m_nRectVariantTool, 3012);  // the select tool is no variant
  Frame()->SendMessage(WM_COMMAND, ID_TOOL_RECT);
  EXPECT_EQ(bar.GetVariantTip(86), "四角");
  Frame()->SendMessage(WM_COMMAND, ID_TOOL_SELECT);

  // The drop-down part opens three rows under the button; a row sends its command to the
  // frame and closes; a click beside it closes it too.
  CWnd* button = bar.GetDlgItem(86);
  ASSERT_NE(button, nullptr);
  CRect rc;
  button->GetClientRect(&rc);
  POINT at = {rc.right - 4, rc.bottom / 2};
  button->ClientToScreen(&at);
  ::SetCursorPos(at.x, at.y);
  button->ScreenToClient(&at);
  qvzDropDownBitmapMenu& menu = Frame()->m_menuRectVariants;
  HHOOK hook = ::SetWindowsHookEx(WH_CALLWNDPROC, RecordFrameCommand, NULL, ::GetCurrentThreadId());
  for (int row : {2, -1}) {
    theFrameCommands.clear();
    button->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ASSERT_TRUE(menu.m_hWnd && menu.IsWindowVisible());
    CRect window, below;
    menu.GetWindowRect(&window);
    bar.GetItemRect(bar.CommandToIndex(86), &below);
    bar.ClientToScreen(&below);
    EXPECT_EQ(window.TopLeft(), CPoint(below.left, below.bottom));
    POINT p = row >= 0 ? menu.GetRowRect(row).CenterPoint() : CPoint(window.Width() + 40, 5);
    menu.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    PumpPending();
    EXPECT_EQ(menu.m_hWnd, nullptr);
    const std::vector<WPARAM> ellipse = {ID_TOOL_ELLIPSE};
    if (row >= 0) EXPECT_EQ(theFrameCommands, ellipse);
    else EXPECT_TRUE(theFrameCommands.empty());
  }
  ::UnhookWindowsHookEx(hook);
  // The row's command made the ellipse the view's tool.
  EXPECT_EQ(view->m_pTool->m_nToolId, 3012);
  EXPECT_EQ(bar.GetVariantTip(86), "円");
  Frame()->SendMessage(WM_COMMAND, ID_TOOL_SELECT);
}

// Every key a menu item names after its tab runs that item's command.
void CheckMenuKeys(CMenu* menu, const std::vector<ACCEL>& keys, int* pChecked) {
  for (int i = 0; i < (int)menu->GetMenuItemCount(); i++) {
    if (CMenu* sub = menu->GetSubMenu(i)) {
      CheckMenuKeys(sub, keys, pChecked);
      continue;
    }
    CString text;
    menu->GetMenuString(i, text, MF_BYPOSITION);
    const int tab = text.Find('\t');
    if (tab < 0) continue;
    CString name = text.Mid(tab + 1);
    BYTE fVirt = FVIRTKEY;
    for (const char* mod : {"Ctrl+", "Shift+"}) {
      if (name.Find(mod) == 0) {
        fVirt |= mod[0] == 'C' ? FCONTROL : FSHIFT;
        name = name.Mid(lstrlen(mod));
      }
    }
    WORD key = name.GetLength() == 1 ? (WORD)name[0] : name == "Del" ? VK_DELETE : name == "Home" ? VK_HOME
               : name[0] == 'F' ? (WORD)(VK_F1 + atoi(name.Mid(1)) - 1) : 0;
    const UINT id = menu->GetMenuItemID(i);
    bool found = false;
    for (const ACCEL& a : keys) found |= a.key == key && (a.fVirt & ~FNOINVERT) == fVirt && a.cmd == id;
    EXPECT_TRUE(found) << (LPCTSTR)text;
    (*pChecked)++;
  }
}

TEST_F(FrameTest, MenuBarKeysAndTheFavouritesSubmenu) {
  CMenu* bar = Frame()->GetMenu();
  ASSERT_NE(bar, nullptr);
  HACCEL table = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_QVZTYPE));
  std::vector<ACCEL> keys(::CopyAcceleratorTable(table, NULL, 0));
  ::CopyAcceleratorTable(table, keys.data(), (int)keys.size());
  int checked = 0;
  CheckMenuKeys(bar, keys, &checked);
  EXPECT_GE(checked, 20);
  // The third menu holds the page list; the fifth the favourites submenu: the shipped
  // categories, a separator and the new-category item.
  EXPECT_NE(bar->GetSubMenu(2)->GetMenuState(ID_VIEW_PAGELIST, MF_BYCOMMAND), (UINT)-1);
  Frame()->SendMessage(WM_INITMENU, (WPARAM)bar->m_hMenu);
  CMenu* shapes = bar->GetSubMenu(4);
  CMenu* favourites = NULL;
  for (int i = 0; i < (int)shapes->GetMenuItemCount(); i++) {
    CString text;
    shapes->GetMenuString(i, text, MF_BYPOSITION);
    if (text == "お気に入りの登録(&F)") favourites = shapes->GetSubMenu(i);
  }
  ASSERT_NE(favourites, nullptr);
  CStringList shipped;
  ReadCategoryList(shipped);
  const UINT n = (UINT)shipped.GetCount();
  ASSERT_EQ(favourites->GetMenuItemCount(), n ? n + 2 : 1u);
  EXPECT_EQ(favourites->GetMenuItemID(n ? n + 1 : 0), (UINT)ID_FAVORITE_FIRST + n);
  CString text;
  favourites->GetMenuString(n ? n + 1 : 0, text, MF_BYPOSITION);
  EXPECT_EQ(text, "新規分類追加...");
}

// A command's enabled and checked state as the menu would show it.
struct CmdState : CCmdUI {
  BOOL enabled = -1, checked = -1;
  void Enable(BOOL b) override {
    enabled = b;
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int n) override { checked = n; }
  void SetRadio(BOOL b) override { checked = b; }
};
CmdState StateOf(UINT nID) {
  CmdState s;
  s.m_nID = nID;
  s.DoUpdate(Frame(), FALSE);
  return s;
}

TEST_F(FrameTest, RulersGuidesAndPictureDisplay) {
  MakePages(1, 1);
  qvzMainFrame* f = Frame();
  // Rulers: the frame's bit, the bars and the check mark go together.
  ASSERT_TRUE(f->m_nFlags & 1);
  f->SendMessage(WM_COMMAND, ID_VIEW_RULER);
  EXPECT_FALSE(f->m_nFlags & 1);
  EXPECT_FALSE(f->m_wndHorzRuler.IsWindowVisible());
  EXPECT_EQ(StateOf(ID_VIEW_RULER).checked, 0);
  f->SendMessage(WM_COMMAND, ID_VIEW_RULER);
  EXPECT_TRUE(f->m_wndVertRuler.IsWindowVisible());
  EXPECT_EQ(StateOf(ID_VIEW_RULER).checked, 1);
  // Guides: both rulers and the setting follow the horizontal ruler's flag.
  const BOOL shown = f->m_wndHorzRuler.m_bGuidesShown;
  f->SendMessage(WM_COMMAND, ID_GUIDE_SHOW);
  EXPECT_EQ(f->m_wndVertRuler.m_bGuidesShown, !shown);
  EXPECT_EQ(theApp.m_Settings.nShowGuide, !shown);
  f->SendMessage(WM_COMMAND, ID_GUIDE_SHOW);
  // Delete the selected guide, then all: nothing to delete leaves the commands grey.
  jvqGuideLine* a = f->m_wndHorzRuler.AddGuide(1000, 0);
  f->m_wndHorzRuler.AddGuide(2000, 0);
  f->m_wndVertRuler.AddGuide(500, 0);
  EXPECT_FALSE(StateOf(ID_GUIDE_DELETE).enabled);
  a->m_bSelected = TRUE;
  EXPECT_TRUE(StateOf(ID_GUIDE_DELETE).enabled);
  f->SendMessage(WM_COMMAND, ID_GUIDE_DELETE);
  EXPECT_EQ(f->m_wndHorzRuler.m_Guides.size(), 1u);
  EXPECT_EQ(f->m_wndVertRuler.m_Guides.size(), 1u);
  f->SendMessage(WM_COMMAND, ID_GUIDE_DELETE_ALL);
  EXPECT_TRUE(f->m_wndHorzRuler.m_Guides.empty() && f->m_wndVertRuler.m_Guides.empty());
  EXPECT_FALSE(StateOf(ID_GUIDE_DELETE_ALL).enabled);
  // Picture display: the setting and the radio mark.
  f->SendMessage(WM_COMMAND, ID_IMAGE_GREY);
  EXPECT_EQ(theApp.m_Settings.nImageDisplayType, 2);
  EXPECT_EQ(StateOf(ID_IMAGE_GREY).checked, 1);
  EXPECT_EQ(StateOf(ID_IMAGE_NORMAL).checked, 0);
  f->SendMessage(WM_COMMAND, ID_IMAGE_NORMAL);
  EXPECT_EQ(theApp.m_Settings.nImageDisplayType, 0);
  // Deselect needs a selection.
  EXPECT_FALSE(StateOf(ID_EDIT_DESELECT).enabled);
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
  // Without the browser's program file beside this one the command is grey.
  const CString program = theApp.m_strAppFolder + "VendaroExplorer.exe";
  ASSERT_TRUE(::MoveFile(program, program + ".away"));
  probe.enabled = TRUE;
  probe.DoUpdate(Frame(), FALSE);
  EXPECT_FALSE(probe.enabled);
  ASSERT_TRUE(::MoveFile(program + ".away", program));
  probe.DoUpdate(Frame(), FALSE);
  ASSERT_TRUE(probe.enabled) << (LPCTSTR)theApp.m_strAppFolder;
  Frame()->SendMessage(WM_COMMAND, ID_INSERT_CATALOG);
  HWND browser = NULL;
  PumpUntil([&] { return (browser = FindTopWindow("Vendaro エクスプローラ", FALSE)) != NULL; });
  ASSERT_NE(browser, nullptr);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(browser, &pid);
  HANDLE proc = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
  ::PostMessage(browser, WM_CLOSE, 0, 0);
  if (proc && ::WaitForSingleObject(proc, 10000) != WAIT_OBJECT_0) ::TerminateProcess(proc, 1);
  if (proc) ::CloseHandle(proc);
}

}  // namespace

namespace {

// A small picture file of w x h in two colours, written as a user's picture would be.
CString WritePicture(const char* name, int w, int h) {
  char path[MAX_PATH];
  ::GetTempPath(MAX_PATH, path);
  lstrcat(path, name);
  CDib dib;
  EXPECT_TRUE(dib.Create(w, h, 24));
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) dib.SetColor(x, y, x < w / 2 ? RGB(200, 30, 30) : RGB(30, 30, 200));
  EXPECT_TRUE(dib.Write(path));
  return path;
}

BOOL Exists(LPCTSTR path) { return ::GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES; }

// Clicks through the texture wizard from a second thread, as a user would: the file
// choice on the first page, the picture named in the open dialog, Next on the pages
// between and the take-in button on the last; or Cancel on the first page. Questions are
// answered Yes, notices OK.
class WizardDriver {
 public:
  WizardDriver(const CString& path, BOOL bCancel) : m_path(path), m_bCancel(bCancel) {
    m_hThread = ::CreateThread(NULL, 0, Run, this, 0, NULL);
  }
  ~WizardDriver() { Stop(); }
  // Ends the driving thread and waits for it. The thread reads the dialogs' captions with
  // messages this thread answers: a plain wait could leave it blocked in one, and a wait that
  // gave up would leave it running on a driver that is gone, clicking later tests' dialogs.
  void Stop() {
    if (m_hThread == NULL) return;
    m_bStop = TRUE;
    while (::MsgWaitForMultipleObjects(1, &m_hThread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
      MSG msg;
      ::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    ::CloseHandle(m_hThread);
    m_hThread = NULL;
  }
  std::vector<CString> m_seen;  // the pages' captions, in order; read once stopped

 private:
  static void Click(HWND d, int id) { ::PostMessage(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(d, id)); }

  static BOOL CALLBACK Visit(HWND h, LPARAM lp) {
    WizardDriver* self = (WizardDriver*)lp;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(h, &pid);
    char cls[64] = "";
    ::GetClassName(h, cls, sizeof(cls));
    if (pid != ::GetCurrentProcessId() || !::IsWindowVisible(h) || strcmp(cls, "#32770") != 0) return TRUE;
    if (std::find(self->m_done.begin(), self->m_done.end(), h) != self->m_done.end()) return TRUE;
    self->m_done.push_back(h);
    char title[256] = "";
    ::GetWindowText(h, title, sizeof(title));
    if (::GetDlgItem(h, 0x47C) || ::GetDlgItem(h, 0x480)) {  // the open dialog
      for (int id : {0x47C, 0x480})
        if (HWND e = ::GetDlgItem(h, id)) ::SendMessage(e, WM_SETTEXT, 0, (LPARAM)(LPCTSTR)self->m_path);
      Click(h, IDOK);
    } else if (::GetDlgItem(h, 12324) || ::GetDlgItem(h, 12325)) {  // a wizard page
      self->m_seen.push_back(title);
      if (self->m_bCancel) {
        Click(h, IDCANCEL);
      } else if (::GetDlgItem(h, 12325)) {
        Click(h, 12325);
      } else {
        if (::GetDlgItem(h, 1009)) {
          ::SendDlgItemMessage(h, 1009, BM_SETCHECK, BST_CHECKED, 0);
          ::SendDlgItemMessage(h, 1010, BM_SETCHECK, BST_UNCHECKED, 0);
        }
        Click(h, 12324);
      }
    } else if (::GetDlgItem(h, IDYES)) {
      Click(h, IDYES);
    } else if (::GetDlgItem(h, IDOK)) {
      Click(h, IDOK);
    }
    return TRUE;
  }

  static DWORD WINAPI Run(LPVOID p) {
    WizardDriver* self = (WizardDriver*)p;
    for (int i = 0; i < 600 && !self->m_bStop; i++) {
      ::EnumWindows(Visit, (LPARAM)self);
      ::Sleep(100);
    }
    return 0;
  }

  CString m_path;
  BOOL m_bCancel;
  volatile BOOL m_bStop = FALSE;
  std::vector<HWND> m_done;
  HANDLE m_hThread;
};

TEST_F(FrameTest, TheImageWizardPlacesItsPictureWithoutAnUndoStep) {
  MakePages(1, 1);
  jvqPage* page = Board()->GetCurrentPage();
  const CString source = WritePicture("qvz_wizard_source.bmp", 64, 48);
  // Cancelled on its first page: nothing changes.
  Frame()->GetBoardDocument()->SetModifiedFlag(FALSE);
  const int before = page->GetChildCount();
  {
    WizardDriver driver(source, TRUE);
    Frame()->SendMessage(WM_COMMAND, ID_IMAGE_WIZARD);
    driver.Stop();
    EXPECT_EQ(driver.m_seen.size(), 1u);
  }
  EXPECT_EQ(page->GetChildCount(), before);
  EXPECT_FALSE(Frame()->GetBoardDocument()->IsModified());
  // Through all four pages: the picture lands on the page, as large as the picture, not
  // selected and not undoable; the wizard's file is gone.
  const int step = theUndoManager.GetCurrentStep();
  {
    WizardDriver driver(source, FALSE);
    Frame()->SendMessage(WM_COMMAND, ID_IMAGE_WIZARD);
    driver.Stop();
    EXPECT_EQ(driver.m_seen.size(), 4u);
  }
  ASSERT_EQ(page->GetChildCount(), before + 1);
  jvqObject* picture = page->GetChild(before);
  EXPECT_TRUE(picture->GetClassCode() & 0x100);  // a picture
  EXPECT_FALSE(picture->GetState() & JVQ_STATE_SELECTED);
  EXPECT_EQ(theUndoManager.GetCurrentStep(), step);
  EXPECT_TRUE(Frame()->GetBoardDocument()->IsModified());
  EXPECT_FALSE(CTextureWizard::m_strSaveFileName.IsEmpty());
  EXPECT_FALSE(Exists(CTextureWizard::m_strSaveFileName));
  CRect rc;
  picture->GetBoundRect(&rc);
  ASSERT_GT(rc.Height(), 0);
  EXPECT_NEAR(rc.Width() * 48.0 / (rc.Height() * 64.0), 1.0, 0.05);
  ::DeleteFile(source);
}

// The path the export's file dialog answers with.
CString theExportPath;
BOOL AnswerExportPath(CWnd*, CString& strPath) {
  strPath = theExportPath;
  return TRUE;
}

TEST_F(FrameTest, ImageExportChoosesItsFormatByTheNameAndReportsAFailure) {
  MakePages(1, 1);
  theImageSavePathProc = AnswerExportPath;
  char folder[MAX_PATH];
  ::GetTempPath(MAX_PATH, folder);
  struct {
    const char* name;
    const char* written;
    const char* magic;
  } cases[] = {{"qvz_export.png", "qvz_export.png.BMP", "BM"}, {"qvz_export.jpg", "qvz_export.jpg", "\xff\xd8"},
               {"qvz_export.Bmp", "qvz_export.Bmp", "BM"}};
  for (auto c : cases) {
    theExportPath = CString(folder) + c.name;
    const CString written = CString(folder) + c.written;
    ::DeleteFile(written);
    Frame()->m_strLastMessage.Empty();
    Frame()->SendMessage(WM_COMMAND, ID_SAVE_IMAGE);
    FILE* f = fopen(written, "rb");
    ASSERT_NE(f, nullptr) << c.written;
    char magic[2] = {};
    fread(magic, 1, 2, f);
    fclose(f);
    EXPECT_EQ(std::string(magic, 2), std::string(c.magic, 2)) << c.written;
    EXPECT_TRUE(Frame()->m_strLastMessage.IsEmpty());
    ::DeleteFile(written);
  }
  // A folder that is not there: the user is told, and nothing is written.
  theExportPath = CString(folder) + "qvz_no_such_folder\\x.bmp";
  Frame()->SendMessage(WM_COMMAND, ID_SAVE_IMAGE);
  EXPECT_EQ(Frame()->m_strLastMessage, "イメージを保存できませんでした。");
  EXPECT_FALSE(Exists(theExportPath));
}

TEST_F(FrameTest, InsertImageFilePlacesAPictureAsOneUndoStepAndDeletesTheFile) {
  MakePages(1, 1);
  jvqPage* page = Board()->GetCurrentPage();
  const int before = page->GetChildCount();
  const CString path = WritePicture("qvz_insert_image.bmp", 40, 20);
  const int step = theUndoManager.GetCurrentStep();
  EXPECT_EQ(Frame()->SendMessage(QVZM_INSERTIMAGEFILE, 0, (LPARAM)qvzMainFrame::MakeInsertImageBlocks(path)), 0);
  ASSERT_EQ(page->GetChildCount(), before + 1);
  EXPECT_FALSE(page->GetChild(before)->GetState() & JVQ_STATE_SELECTED);
  EXPECT_EQ(theUndoManager.GetCurrentStep(), step + 1);
  EXPECT_FALSE(Exists(path));
  // A file that is no picture: the notice, and the file stays.
  const CString text = WritePicture("qvz_insert_text.bmp", 4, 4);
  FILE* f = fopen(text, "wb");
  fputs("not a picture", f);
  fclose(f);
  Frame()->SendMessage(QVZM_INSERTIMAGEFILE, 0, (LPARAM)qvzMainFrame::MakeInsertImageBlocks(text));
  EXPECT_EQ(page->GetChildCount(), before + 1);
  EXPECT_EQ(Frame()->m_strLastMessage, "TWAIN機器からの画像の読み込みに失敗しました。");
  EXPECT_TRUE(Exists(text));
  ::DeleteFile(text);
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

// ---- Settings dialogs through the frame ----
// Drives the modal dialog with the caption once it is up.
void WhenDialogShows(const char* caption, std::function<void(HWND)> script) {
  RunWhenIdle([caption, script] {
    HWND h = FindTopWindow(caption, TRUE);
    if (h)
      script(h);
    else
      WhenDialogShows(caption, script);
  });
}

TEST_F(FrameTest, PrintOffsetDialogThroughTheHost) {
  POINT offset = {15, 27};
  WhenDialogShows("印字位置の調整", [](HWND h) {
    char right[16] = "", down[16] = "";
    ::GetDlgItemText(h, 735, right, sizeof right);
    ::GetDlgItemText(h, 696, down, sizeof down);
    EXPECT_STREQ("1", right);
    EXPECT_STREQ("2", down);
    ::SetDlgItemText(h, 696, "-3");
    ::SendMessage(h, WM_COMMAND, IDOK, 0);
  });
  ASSERT_TRUE(Frame()->EditPrintOffset(&offset));
  EXPECT_EQ(10, offset.x);
  EXPECT_EQ(-30, offset.y);
  EXPECT_EQ(-30, theApp.m_Settings.ptPrintOffset.y);
  WhenDialogShows("印字位置の調整", [](HWND h) { ::SendMessage(h, WM_COMMAND, IDCANCEL, 0); });
  POINT kept = {40, 40};
  EXPECT_FALSE(Frame()->EditPrintOffset(&kept));
  EXPECT_EQ(40, kept.x);
}

TEST_F(FrameTest, AutoSaveSwitchedOffStopsTheTimer) {
  theApp.m_Settings.nAutoSaveInterval = 300000;
  Frame()->SetTimer(QVZ_AUTOSAVE_TIMER, 300000, NULL);
  WhenDialogShows("自動保存の設定", [](HWND h) {
    ::CheckDlgButton(h, 752, BST_UNCHECKED);
    ::SendMessage(h, WM_COMMAND, MAKEWPARAM(752, BN_CLICKED), (LPARAM)::GetDlgItem(h, 752));
    ::SendMessage(h, WM_COMMAND, IDOK, 0);
  });
  Frame()->SendMessage(WM_COMMAND, ID_AUTOSAVE_SETTINGS);
  EXPECT_EQ(0, theApp.m_Settings.nAutoSaveInterval);
  EXPECT_FALSE(Frame()->KillTimer(QVZ_AUTOSAVE_TIMER)) << "no auto-save timer runs";
  // Cancel keeps the interval and starts the timer again.
  theApp.m_Settings.nAutoSaveInterval = 120000;
  WhenDialogShows("自動保存の設定", [](HWND h) { ::SendMessage(h, WM_COMMAND, IDCANCEL, 0); });
  Frame()->SendMessage(WM_COMMAND, ID_AUTOSAVE_SETTINGS);
  EXPECT_EQ(120000, theApp.m_Settings.nAutoSaveInterval);
  EXPECT_TRUE(Frame()->KillTimer(QVZ_AUTOSAVE_TIMER));
}

TEST_F(FrameTest, GridAndScaleCommandsKeepTheProgramWideValues) {
  Board()->m_nGridSpacing = 50;
  WhenDialogShows("グリッドの設定", [](HWND h) {
    ::SetDlgItemText(h, 1151, "4");
    ::SendMessage(h, WM_COMMAND, IDOK, 0);
  });
  Frame()->SendMessage(WM_COMMAND, ID_GRID_SETTINGS);
  EXPECT_EQ(20, Board()->m_nGridSpacing);
  EXPECT_EQ(20, theApp.m_Settings.nGridSpacing);
  theApp.m_Settings.nSymbolScale = 100;
  WhenDialogShows("間取り図とシンボルの縮尺の設定", [](HWND h) {
    ::SetDlgItemText(h, 1082, "50");
    ::SendMessage(h, WM_COMMAND, IDOK, 0);
  });
  Frame()->SendMessage(WM_COMMAND, ID_SCALE_SETTINGS);
  EXPECT_EQ(50, theApp.m_Settings.nSymbolScale);
}
TEST_F(FrameTest, FavouritesSubmenuListsAtMostNinetyNineCategories) {
  const CString folder = qvzGetProgramFolder() + "お気に入り";
  auto submenu = [] {
    CMenu* bar = Frame()->GetMenu();
    Frame()->SendMessage(WM_INITMENU, (WPARAM)bar->m_hMenu);
    CMenu* shapes = bar->GetSubMenu(4);
    for (int i = 0; i < (int)shapes->GetMenuItemCount(); i++) {
      CString text;
      shapes->GetMenuString(i, text, MF_BYPOSITION);
      if (text == "お気に入りの登録(&F)") return shapes->GetSubMenu(i);
    }
    return (CMenu*)NULL;
  };
  ::CreateDirectory(folder, NULL);
  // The shipped order file and sample category step aside meanwhile.
  const CString order = folder + "\\info.txt", kept = folder + "\\info.txt.kept";
  const CString sample = folder + "\\サンプル", keptSample = qvzGetProgramFolder() + "サンプル.kept";
  ::MoveFile(order, kept);
  ::MoveFile(sample, keptSample);
  for (int i = 0; i < 100; i++) {
    CString name;
    name.Format("%s\\分類%03d", (LPCTSTR)folder, i);
    ::CreateDirectory(name, NULL);
  }
  CMenu* sub = submenu();
  ASSERT_NE(sub, nullptr);
  ASSERT_EQ(101u, sub->GetMenuItemCount());
  CString text;
  sub->GetMenuString(0, text, MF_BYPOSITION);
  EXPECT_EQ("分類000", text);
  EXPECT_EQ((UINT)ID_FAVORITE_FIRST + 98, sub->GetMenuItemID(98));
  EXPECT_EQ(0u, sub->GetMenuItemID(99)) << "a separator";
  EXPECT_EQ((UINT)ID_FAVORITE_FIRST + 99, sub->GetMenuItemID(100)) << "the new-category item, id 1623 at most";
  sub->GetMenuString(100, text, MF_BYPOSITION);
  EXPECT_EQ("新規分類追加...", text);
  for (int i = 0; i < 100; i++) {
    CString name;
    name.Format("%s\\分類%03d", (LPCTSTR)folder, i);
    ::RemoveDirectory(name);
  }
  ::MoveFile(kept, order);
  ::MoveFile(keptSample, sample);
  ::RemoveDirectory(folder);
}
// ---- end of settings dialogs ----

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
