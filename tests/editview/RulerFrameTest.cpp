// The rulers and the frame: labels, guides made with the mouse, their menus, their
// journey through the file, and the frame's creation.
#include <fstream>

#include "ViewFixture.h"
#include "jvqGuideLine.h"
#include "qvzWaitDlg.h"

static POINT RulerPoint(jvqRulerBar& r, int logicalAlong) {
  const int c = r.LogicalToRuler(logicalAlong);
  RECT rc;
  r.GetClientRect(&rc);
  return r.IsHorizontal() ? POINT{c, rc.bottom / 2} : POINT{rc.right / 2, c};
}

static void SendRuler(jvqRulerBar& r, UINT msg, UINT flags, POINT p) { r.SendMessage(msg, flags, MAKELPARAM(p.x, p.y)); }

TEST_F(ViewTest, RulerLabelsRunOverThePageInMillimetres) {
  jvqRulerBar& h = m_frame->m_wndHorzRuler;
  ShowPageAt(100.0);
  ASSERT_TRUE(h.IsWindowVisible());
  h.Invalidate();
  h.UpdateWindow();
  ASSERT_FALSE(h.m_LastLabels.empty());
  EXPECT_EQ(0, h.m_LastLabels.front());
  EXPECT_EQ(430, h.m_LastLabels.back());
  EXPECT_EQ(44u, h.m_LastLabels.size());
  EXPECT_EQ(10, h.m_nMinorStep);
}

TEST_F(ViewTest, AGuidePulledOutOfARulerSnapsAndAClickWithGuidesHiddenMakesNone) {
  jvqRulerBar& h = m_frame->m_wndHorzRuler;
  ShowPageAt(100.0);
  h.Invalidate();
  h.UpdateWindow();
  SendRuler(h, WM_LBUTTONDOWN, MK_LBUTTON, RulerPoint(h, 1234));
  SendRuler(h, WM_MOUSEMOVE, MK_LBUTTON, RulerPoint(h, 1500));
  SendRuler(h, WM_LBUTTONUP, 0, RulerPoint(h, 1500));
  ASSERT_EQ(1u, h.m_Guides.size());
  EXPECT_EQ(0, h.m_Guides[0]->m_ptPos.x % 10);
  EXPECT_NEAR(1500, h.m_Guides[0]->m_ptPos.x, 10);
  EXPECT_EQ(m_page, h.m_Guides[0]->m_pPage);
  EXPECT_EQ(NULL, ::GetCapture());
  h.m_bGuidesShown = FALSE;
  SendRuler(h, WM_LBUTTONDOWN, MK_LBUTTON, RulerPoint(h, 2000));
  SendRuler(h, WM_LBUTTONUP, 0, RulerPoint(h, 2000));
  EXPECT_EQ(1u, h.m_Guides.size());
  // A right click still opens a menu, here 228 since a guide is under the point; the
  // menu is closed as soon as it runs.
  RunWhenIdle([] { ::EndMenu(); });
  SendRuler(h, WM_RBUTTONDOWN, MK_RBUTTON, RulerPoint(h, h.m_Guides[0]->m_ptPos.x));
  EXPECT_EQ(228u, h.m_nLastMenu);
  EXPECT_EQ(h.m_Guides[0], h.m_pContextGuide);
  RunWhenIdle([] { ::EndMenu(); });
  SendRuler(h, WM_RBUTTONDOWN, MK_RBUTTON, RulerPoint(h, 2200));
  EXPECT_EQ(229u, h.m_nLastMenu);
  EXPECT_EQ(nullptr, h.m_pContextGuide);
  // Outside the scale a right click does nothing.
  h.m_nLastMenu = 0;
  SendRuler(h, WM_RBUTTONDOWN, MK_RBUTTON, POINT{h.m_rcScale.right + 2, 10});
  EXPECT_EQ(0u, h.m_nLastMenu);
  h.m_bGuidesShown = TRUE;
}

TEST_F(ViewTest, AGuideSurvivesASaveAndReopen) {
  m_frame->m_wndHorzRuler.AddGuide(1230, 0);
  m_frame->m_wndVertRuler.AddGuide(800, 0);
  char dir[MAX_PATH], path[MAX_PATH];
  ::GetTempPath(MAX_PATH, dir);
  ::GetTempFileName(dir, "qvg", 0, path);
  ASSERT_TRUE(m_doc->OnSaveDocument(path));
  m_frame->m_wndHorzRuler.DeleteAllGuides();
  m_frame->m_wndVertRuler.DeleteAllGuides();
  ASSERT_TRUE(m_doc->OnOpenDocument(path));
  ::DeleteFile(path);
  ASSERT_EQ(1u, m_frame->m_wndHorzRuler.m_Guides.size());
  EXPECT_EQ(1230, m_frame->m_wndHorzRuler.m_Guides[0]->m_ptPos.x);
  ASSERT_EQ(1u, m_frame->m_wndVertRuler.m_Guides.size());
  EXPECT_EQ(800, m_frame->m_wndVertRuler.m_Guides[0]->m_ptPos.y);
  m_view->ResetView();
}

TEST_F(ViewTest, CreatingTheRulersAgainDoesNothing) {
  HWND h = m_frame->m_wndHorzRuler.m_hWnd;
  EXPECT_TRUE(m_frame->CreateRulers());
  EXPECT_EQ(h, m_frame->m_wndHorzRuler.m_hWnd);
  EXPECT_EQ(1002, ::GetDlgCtrlID(m_frame->m_wndVertRuler.m_hWnd));
  EXPECT_EQ(1004, ::GetDlgCtrlID(m_frame->m_wndHorzRuler.m_hWnd));
}

static int theRulerCreations = 0;
static LRESULT CALLBACK RefuseVerticalRuler(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode == HCBT_CREATEWND) {
    CBT_CREATEWND* c = (CBT_CREATEWND*)lParam;
    const UINT_PTR id = (UINT_PTR)c->lpcs->hMenu;
    if ((c->lpcs->style & WS_CHILD) && (id == 1002 || id == 1004)) {
      theRulerCreations++;
      if (id == 1002) return 1;
    }
  }
  return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

TEST(FrameTest, AFailingVerticalRulerFailsTheFrame) {
  theRulerCreations = 0;
  HHOOK hook = ::SetWindowsHookEx(WH_CBT, RefuseVerticalRuler, NULL, ::GetCurrentThreadId());
  CTestFrame* f = new CTestFrame;
  const BOOL ok = f->Create(NULL, "ruler test");
  ::UnhookWindowsHookEx(hook);
  EXPECT_FALSE(ok);
  // The horizontal one is not even tried.
  EXPECT_EQ(1, theRulerCreations);
}

TEST_F(ViewTest, ReadingABoardShowsTheWaitDialog) {
  for (int i = 0; i < 49; i++) m_doc->InsertPage(0);
  for (int i = 0; i < 50; i++) {
    RECT r = {100, 100, 500, 500};
    m_view->GetBoard()->GetPage(i)->AddChild(new jvqRectObject(&r, &m_view->m_Mapping, 0x311));
  }
  char dir[MAX_PATH], path[MAX_PATH];
  ::GetTempPath(MAX_PATH, dir);
  ::GetTempFileName(dir, "qvw", 0, path);
  ASSERT_TRUE(m_doc->OnSaveDocument(path));
  qvzWaitDlg dlg;
  qvzWaitDlg::Install(&dlg);
  static int shown = 0;
  shown = 0;
  jvqReadProgressProc base = theReadProgressProc;
  static jvqReadProgressProc s_base;
  s_base = base;
  static qvzWaitDlg* s_dlg;
  s_dlg = &dlg;
  theReadProgressProc = [] {
    s_base();
    if (s_dlg->m_hWnd && s_dlg->IsWindowVisible()) shown++;
  };
  EXPECT_TRUE(m_doc->OnOpenDocument(path));
  theReadProgressProc = base;
  EXPECT_GE(shown, 50);
  dlg.EndRead();
  EXPECT_EQ(NULL, dlg.m_hWnd);
  dlg.Refresh();  // without a window: nothing
  qvzWaitDlg::Install(NULL);
  ::DeleteFile(path);
  EXPECT_EQ(50, m_view->GetBoard()->GetPageCount());
  m_view->ResetView();
}

TEST_F(ViewTest, AReadOutsideABoardTakesItsWaitDialogAwayOnceMessagesRunAgain) {
  // An object file, the clipboard or a palette reads groups with nobody to end the read.
  qvzWaitDlg dlg;
  qvzWaitDlg::Install(&dlg);
  theReadProgressProc();
  theReadProgressProc();
  ASSERT_NE((HWND)NULL, dlg.m_hWnd);
  EXPECT_TRUE(dlg.IsWindowVisible());
  MSG msg;
  for (int i = 0; i < 50 && dlg.m_hWnd; i++)
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessage(&msg);
    }
  EXPECT_EQ(NULL, dlg.m_hWnd);
  qvzWaitDlg::Install(NULL);
}

TEST_F(ViewTest, TheViewAnswersForItsToolAndResetsToTheSelectTool) {
  EXPECT_EQ(TOOLID_SELECT, m_view->m_Mapping.GetCurrentToolId());
  EXPECT_TRUE(m_view->m_Mapping.m_pOwnerWnd == m_view);
  m_view->m_dwOptions |= JVQ_VIEW_SNAP;
  m_host.m_calls.clear();
  m_view->ResetView();
  EXPECT_EQ(0u, m_view->m_dwOptions & JVQ_VIEW_SNAP);
  EXPECT_TRUE(m_view->m_Mapping.m_bFitToWindow);
  EXPECT_EQ(1, m_host.Count("SelectFitInZoomBox"));
  EXPECT_EQ(1, m_host.Count("ShowFolderControls"));
  // Keys go to the tool, then to the frame's key handler.
  m_view->SendMessage(WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(1, m_host.Count("HandleKey"));
  EXPECT_EQ(1, m_view->ToolBackStep());
  EXPECT_EQ(1, m_view->ToolCancel());
}
