// Control bars in a frame: a tool bar with a combo box in a separator slot, a status bar
// whose pane follows an update handler, dialog bars that float and dock again.
#include <gtest/gtest.h>

#include "BarsRes.h"
#include "BarsTestApp.h"

namespace {

class CBarFrame : public CFrameWnd {
 public:
  CToolBar m_wndToolBar;
  CComboBox m_wndCombo;
  CStatusBar m_wndStatusBar;
  CWnd m_wndPane;
  CDialogBar m_wndBar1;
  CDialogBar m_wndBar2;

  int m_nCommandA = 0;
  int m_nSelChange = 0;
  int m_nPage = 3;
  BOOL m_bPageEnabled = TRUE;
  int m_nCheck = 1;
  int m_nCheckUpdates = 0;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_TOOLTIPS | CBRS_FLYBY,
                               CRect(1, 1, 1, 1), AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_TOOLBAR))
      return -1;
    // The combo box takes the place of its button: a separator as wide as the box.
    int nIndex = m_wndToolBar.CommandToIndex(ID_TOOL_COMBO);
    m_wndToolBar.SetButtonInfo(nIndex, ID_TOOL_COMBO, TBBS_SEPARATOR, 120);
    CRect rect;
    m_wndToolBar.GetItemRect(nIndex, rect);
    rect.bottom = rect.top + 150;
    if (!m_wndCombo.Create(CBS_DROPDOWNLIST | WS_VSCROLL | WS_CHILD | WS_VISIBLE, rect, &m_wndToolBar, ID_TOOL_COMBO))
      return -1;
    m_wndCombo.AddString("一");
    m_wndCombo.AddString("二");

    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_PAGE};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 2)) return -1;
    if (!m_wndPane.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, AFX_IDW_PANE_FIRST))
      return -1;
    return 0;
  }
  afx_msg void OnToolA() { ++m_nCommandA; }
  afx_msg void OnUpdateToolB(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  afx_msg void OnComboChange() { ++m_nSelChange; }
  afx_msg void OnUpdatePage(CCmdUI* pCmdUI) {
    CString str;
    str.Format("ページ: %d/7", m_nPage);
    pCmdUI->SetText(str);
    pCmdUI->Enable(m_bPageEnabled);
  }
  afx_msg void OnUpdateBarCheck(CCmdUI* pCmdUI) {
    ++m_nCheckUpdates;
    pCmdUI->SetCheck(m_nCheck);
  }
  afx_msg void OnUpdateBarCombo(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_COMMAND(ID_TOOL_A, OnToolA)
  ON_UPDATE_COMMAND_UI(ID_TOOL_B, OnUpdateToolB)
  ON_CBN_SELCHANGE(ID_TOOL_COMBO, OnComboChange)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_PAGE, OnUpdatePage)
  ON_UPDATE_COMMAND_UI(IDC_BARCHECK, OnUpdateBarCheck)
  ON_UPDATE_COMMAND_UI(IDC_BARCOMBO, OnUpdateBarCombo)
END_MESSAGE_MAP()

class BarsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_pFrame = new CBarFrame;
    ASSERT_TRUE(m_pFrame->Create(NULL, "バーの試験", WS_OVERLAPPEDWINDOW, CRect(20, 20, 660, 500)));
    m_pFrame->ShowWindow(SW_SHOW);
    TheApp().m_pMainWnd = m_pFrame;
    m_pFrame->RecalcLayout();
    PumpPending();
  }
  void TearDown() override {
    // No longer the main window first: destroying that one would end the test's thread.
    TheApp().m_pMainWnd = NULL;
    if (::IsWindow(m_hFrame())) m_pFrame->DestroyWindow();
    PumpPending();
  }
  HWND m_hFrame() const { return m_pFrame->m_hWnd; }
  CRect Client() const {
    CRect rect;
    m_pFrame->GetClientRect(rect);
    return rect;
  }
  CBarFrame* m_pFrame = nullptr;
};

TEST_F(BarsTest, LayoutPutsToolBarOnTopStatusBarBelowAndThePaneBetween) {
  CRect rectTool = RectInParent(m_pFrame->m_wndToolBar.m_hWnd);
  CRect rectStatus = RectInParent(m_pFrame->m_wndStatusBar.m_hWnd);
  CRect rectPane = RectInParent(m_pFrame->m_wndPane.m_hWnd);
  CRect rectClient = Client();
  EXPECT_EQ(rectTool.top, 0);
  EXPECT_EQ(rectTool.Height(), m_pFrame->m_wndToolBar.CalcFixedLayout(TRUE, TRUE).cy);
  EXPECT_EQ(rectStatus.bottom, rectClient.bottom);
  EXPECT_EQ(rectStatus.Width(), rectClient.Width());
  EXPECT_EQ(rectPane.top, rectTool.bottom);
  EXPECT_EQ(rectPane.bottom, rectStatus.top);
  EXPECT_EQ(rectPane.Width(), rectClient.Width());

  // A hidden bar gives its room back.
  AfxShowControlBar(m_pFrame, &m_pFrame->m_wndToolBar, FALSE, FALSE);
  EXPECT_EQ(RectInParent(m_pFrame->m_wndPane.m_hWnd).top, 0);
  AfxShowControlBar(m_pFrame, &m_pFrame->m_wndToolBar, TRUE, FALSE);
  EXPECT_EQ(RectInParent(m_pFrame->m_wndPane.m_hWnd).top, rectTool.bottom);
}

TEST_F(BarsTest, ToolBarButtonsSeparatorComboAndUpdates) {
  CToolBar& bar = m_pFrame->m_wndToolBar;
  ASSERT_EQ(bar.GetCount(), 5);
  EXPECT_EQ(bar.GetItemID(0), (UINT)ID_TOOL_A);
  EXPECT_EQ(bar.GetItemID(2), (UINT)ID_SEPARATOR);
  EXPECT_EQ(bar.CommandToIndex(ID_TOOL_C), 4);

  // The combo's slot is a separator of its width; the combo sits on it.
  int nIndex = bar.CommandToIndex(ID_TOOL_COMBO);
  ASSERT_EQ(nIndex, 3);
  UINT nID, nStyle;
  int iImage;
  bar.GetButtonInfo(nIndex, nID, nStyle, iImage);
  EXPECT_EQ(nID, (UINT)ID_TOOL_COMBO);
  EXPECT_TRUE(nStyle & TBBS_SEPARATOR);
  EXPECT_EQ(iImage, 120);
  CRect rectSlot;
  bar.GetItemRect(nIndex, rectSlot);
  EXPECT_EQ(rectSlot.Width(), 120);
  CRect rectCombo = RectInParent(m_pFrame->m_wndCombo.m_hWnd);
  EXPECT_EQ(rectCombo.left, rectSlot.left);
  CRect rectC;
  bar.GetItemRect(4, rectC);
  EXPECT_GE(rectC.left, rectSlot.right);

  // Idle time: a handler disables B, C has no handler, A has a command handler.
  PumpPending();
  EXPECT_TRUE(bar.SendMessage(TB_ISBUTTONENABLED, ID_TOOL_A));
  EXPECT_FALSE(bar.SendMessage(TB_ISBUTTONENABLED, ID_TOOL_B));
  EXPECT_FALSE(bar.SendMessage(TB_ISBUTTONENABLED, ID_TOOL_C));
  EXPECT_TRUE(bar.GetButtonStyle(1) & TBBS_DISABLED);
  EXPECT_TRUE(m_pFrame->m_wndCombo.IsWindowEnabled());

  // A click on A reaches the frame's handler.
  CRect rectA;
  bar.GetItemRect(0, rectA);
  CPoint pt = rectA.CenterPoint();
  bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
  bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
  PumpUntil([&] { return m_pFrame->m_nCommandA > 0; });
  EXPECT_EQ(m_pFrame->m_nCommandA, 1);

  // Tool tips: the text after the prompt in the button's string.
  HWND hWndTip = (HWND)bar.SendMessage(TB_GETTOOLTIPS);
  ASSERT_NE(hWndTip, (HWND)NULL);
  NMTTDISPINFOA info;
  memset(&info, 0, sizeof(info));
  info.hdr.hwndFrom = hWndTip;
  info.hdr.idFrom = ID_TOOL_A;
  info.hdr.code = TTN_GETDISPINFOA;
  bar.SendMessage(WM_NOTIFY, ID_TOOL_A, (LPARAM)&info);
  ASSERT_NE(info.lpszText, nullptr);
  EXPECT_STREQ(info.lpszText, "Ａ");

  // Fly-by: the button under the pointer prompts in the status bar, until the pointer leaves.
  bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
  EXPECT_EQ(m_pFrame->m_wndStatusBar.GetPaneText(0), CString("ボタンＡ"));
  bar.SendMessage(WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(m_pFrame->m_wndStatusBar.GetPaneText(0), CString("レディ"));

  // The combo's notifications go to its parent, the bar, which passes them to the frame.
  m_pFrame->m_wndCombo.SetCurSel(1);
  bar.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TOOL_COMBO, CBN_SELCHANGE), (LPARAM)m_pFrame->m_wndCombo.m_hWnd);
  EXPECT_EQ(m_pFrame->m_nSelChange, 1);
}

TEST_F(BarsTest, LoadToolBarRefusesBadResources) {
  CToolBar bar;
  ASSERT_TRUE(bar.Create(m_pFrame, WS_CHILD | CBRS_TOP, AFX_IDW_TOOLBAR + 5));
  EXPECT_FALSE(bar.LoadToolBar(4242));            // no such resource
  EXPECT_FALSE(bar.LoadToolBar(IDR_BADTOOLBAR));  // a count the resource cannot hold
  EXPECT_EQ(bar.GetCount(), 0);
  // Without ids, the slots are separators.
  EXPECT_TRUE(bar.SetButtons(NULL, 3));
  EXPECT_EQ(bar.GetCount(), 3);
  EXPECT_EQ(bar.GetItemID(1), (UINT)ID_SEPARATOR);
  bar.DestroyWindow();
}

TEST_F(BarsTest, StatusPaneFollowsItsUpdateHandler) {
  CStatusBar& bar = m_pFrame->m_wndStatusBar;
  ASSERT_EQ(bar.GetCount(), 2);
  PumpPending();
  EXPECT_EQ(bar.GetPaneText(1), CString("ページ: 3/7"));
  char sz[64] = "";
  bar.SendMessage(SB_GETTEXT, 1, (LPARAM)sz);
  EXPECT_STREQ(sz, "ページ: 3/7");

  m_pFrame->m_nPage = 5;
  PumpPending();
  EXPECT_EQ(bar.GetPaneText(1), CString("ページ: 5/7"));

  // A disabled pane keeps its text but shows none.
  m_pFrame->m_bPageEnabled = FALSE;
  PumpPending();
  EXPECT_TRUE(bar.GetPaneStyle(1) & SBPS_DISABLED);
  bar.SendMessage(SB_GETTEXT, 1, (LPARAM)sz);
  EXPECT_STREQ(sz, "");

  // The frame's prompts go to the message pane.
  m_pFrame->SetMessageText("準備完了");
  EXPECT_EQ(bar.GetPaneText(0), CString("準備完了"));
  m_pFrame->SetMessageText(ID_TOOL_A);
  EXPECT_EQ(bar.GetPaneText(0), CString("ボタンＡ"));
  CString strWindow;
  bar.GetWindowText(strWindow);
  EXPECT_EQ(strWindow, CString("ボタンＡ"));

  // Pane 0 stretches, pane 1 fits its text.
  CRect rect0, rect1, rectBar;
  bar.GetItemRect(0, rect0);
  bar.GetItemRect(1, rect1);
  bar.GetClientRect(rectBar);
  EXPECT_GT(rect0.Width(), rect1.Width());
  EXPECT_LE(rect1.right, rectBar.right);
}

TEST_F(BarsTest, DialogBarDocksFloatsAndComesBackToItsPlace) {
  CBarFrame* pFrame = m_pFrame;
  AfxEnableDocking(pFrame, CBRS_ALIGN_ANY);
  const UINT nStyle = WS_CHILD | CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
  ASSERT_TRUE(pFrame->m_wndBar1.Create(pFrame, IDD_BAR1, nStyle, IDD_BAR1));
  ASSERT_TRUE(pFrame->m_wndBar2.Create(pFrame, IDD_BAR2, nStyle, IDD_BAR2));
  EXPECT_TRUE(pFrame->m_wndBar1.GetStyle() & WS_VISIBLE);  // shown once made
  EXPECT_EQ(pFrame->m_wndBar1.GetDlgCtrlID(), IDD_BAR1);
  EXPECT_EQ(AfxGetControlBar(pFrame, IDD_BAR1), &pFrame->m_wndBar1);
  // Dialog-init data filled the combo box.
  EXPECT_EQ(::SendDlgItemMessage(pFrame->m_wndBar1.m_hWnd, IDC_BARCOMBO, CB_GETCOUNT, 0, 0), 2);

  CSize sizeDefault = pFrame->m_wndBar1.m_sizeDefault;
  ASSERT_GT(sizeDefault.cx, 0);
  pFrame->m_wndBar1.EnableDocking(CBRS_ALIGN_ANY);
  pFrame->m_wndBar2.EnableDocking(CBRS_ALIGN_ANY);
  AfxDockControlBar(pFrame, &pFrame->m_wndBar1);
  AfxDockControlBar(pFrame, &pFrame->m_wndBar2);
  CDockBar* pRight = AfxGetDockBar(pFrame, AFX_IDW_DOCKBAR_RIGHT);
  ASSERT_NE(pRight, nullptr);
  EXPECT_EQ(pFrame->m_wndBar1.m_pDockBar, pRight);
  EXPECT_FALSE(pFrame->m_wndBar1.IsFloating());

  CRect rectClient = Client();
  CRect rectDock = RectInParent(pRight->m_hWnd);
  CRect rectPane = RectInParent(pFrame->m_wndPane.m_hWnd);
  EXPECT_EQ(rectDock.right, rectClient.right);
  EXPECT_EQ(rectDock.Width(), sizeDefault.cx + pFrame->m_wndBar2.m_sizeDefault.cx);
  EXPECT_EQ(rectPane.right, rectDock.left);
  CRect rectBar1 = RectInParent(pFrame->m_wndBar1.m_hWnd);
  CRect rectBar2 = RectInParent(pFrame->m_wndBar2.m_hWnd);
  EXPECT_LT(rectBar1.left, rectBar2.left);

  // Update handlers reach the docked bar's controls.
  PumpPending();
  EXPECT_EQ(pFrame->m_wndBar1.IsDlgButtonChecked(IDC_BARCHECK), 1u);

  // Float: the bar goes to a small frame of its own, the pane takes the room back.
  AfxFloatControlBar(pFrame, &pFrame->m_wndBar1, CPoint(100, 120), CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
  ASSERT_TRUE(pFrame->m_wndBar1.IsFloating());
  CFrameWnd* pMini = pFrame->m_wndBar1.GetParentFrame();
  ASSERT_NE(pMini, nullptr);
  ASSERT_TRUE(pMini->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
  HWND hMini = pMini->m_hWnd;
  EXPECT_TRUE(::IsWindowVisible(hMini));
  EXPECT_EQ(::GetWindow(hMini, GW_OWNER), m_hFrame());
  CRect rectMini;
  pMini->GetClientRect(rectMini);
  EXPECT_EQ(rectMini.Size(), sizeDefault);
  CRect rectMiniWnd;
  pMini->GetWindowRect(rectMiniWnd);
  EXPECT_EQ(rectMiniWnd.TopLeft(), CPoint(100, 120));
  EXPECT_EQ(RectInParent(pRight->m_hWnd).Width(), pFrame->m_wndBar2.m_sizeDefault.cx);
  EXPECT_EQ(pFrame->m_wndBar1.GetDockingFrame(), pFrame);

  // Floating, it is still updated at idle time, and its controls still talk to the frame.
  pFrame->m_nCheck = 0;
  PumpPending();
  EXPECT_EQ(pFrame->m_wndBar1.IsDlgButtonChecked(IDC_BARCHECK), 0u);

  // The close box hides it; showing it brings the small frame back.
  ::SendMessage(hMini, WM_CLOSE, 0, 0);
  EXPECT_FALSE(pFrame->m_wndBar1.IsVisible());
  EXPECT_FALSE(::IsWindowVisible(hMini));
  AfxShowControlBar(pFrame, &pFrame->m_wndBar1, TRUE, FALSE);
  EXPECT_TRUE(::IsWindowVisible(hMini));
  EXPECT_TRUE(pFrame->m_wndBar1.IsFloating());

  // Docked again without a place: back at the right side, before the second bar.
  AfxDockControlBar(pFrame, &pFrame->m_wndBar1);
  EXPECT_FALSE(pFrame->m_wndBar1.IsFloating());
  EXPECT_EQ(pFrame->m_wndBar1.m_pDockBar, pRight);
  EXPECT_FALSE(::IsWindow(hMini));
  EXPECT_EQ(pRight->FindBar(&pFrame->m_wndBar1), 0);
  rectBar1 = RectInParent(pFrame->m_wndBar1.m_hWnd);
  rectBar2 = RectInParent(pFrame->m_wndBar2.m_hWnd);
  EXPECT_LT(rectBar1.left, rectBar2.left);
  EXPECT_EQ(RectInParent(pRight->m_hWnd).Width(), sizeDefault.cx + pFrame->m_wndBar2.m_sizeDefault.cx);

  // A double click on the floating frame's caption docks it too.
  AfxFloatControlBar(pFrame, &pFrame->m_wndBar1, CPoint(80, 80), CBRS_ALIGN_TOP);
  hMini = pFrame->m_wndBar1.GetParentFrame()->m_hWnd;
  ::SendMessage(hMini, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(90, 85));
  EXPECT_FALSE(::IsWindow(hMini));
  EXPECT_EQ(pFrame->m_wndBar1.m_pDockBar, pRight);

  // Removed from the frame's list when destroyed.
  pFrame->m_wndBar2.DestroyWindow();
  EXPECT_EQ(AfxGetControlBar(pFrame, IDD_BAR2), nullptr);
  EXPECT_EQ(pRight->FindBar(&pFrame->m_wndBar2), -1);
}

TEST_F(BarsTest, ToolBarDocksAtTheTopAndWorksWhileFloating) {
  CBarFrame* pFrame = m_pFrame;
  CToolBar& bar = pFrame->m_wndToolBar;
  AfxEnableDocking(pFrame, CBRS_ALIGN_ANY);
  bar.EnableDocking(CBRS_ALIGN_ANY);
  AfxDockControlBar(pFrame, &bar, AFX_IDW_DOCKBAR_TOP);
  CDockBar* pTop = AfxGetDockBar(pFrame, AFX_IDW_DOCKBAR_TOP);
  ASSERT_EQ(bar.m_pDockBar, pTop);
  EXPECT_EQ(bar.GetParent(), pTop);
  CRect rectTop = RectInParent(pTop->m_hWnd);
  EXPECT_EQ(rectTop.top, 0);
  EXPECT_EQ(rectTop.Height(), bar.CalcFixedLayout(FALSE, TRUE).cy);
  EXPECT_EQ(RectInParent(bar.m_hWnd).Width(), bar.CalcFixedLayout(FALSE, TRUE).cx);
  EXPECT_EQ(RectInParent(pFrame->m_wndPane.m_hWnd).top, rectTop.bottom);

  // Floating: still updated at idle time, and a click still reaches the frame.
  AfxFloatControlBar(pFrame, &bar, CPoint(200, 200), CBRS_ALIGN_TOP);
  ASSERT_TRUE(bar.IsFloating());
  EXPECT_EQ(RectInParent(pTop->m_hWnd).Height(), 0);
  bar.SendMessage(TB_ENABLEBUTTON, ID_TOOL_B, TRUE);
  PumpPending();
  EXPECT_FALSE(bar.SendMessage(TB_ISBUTTONENABLED, ID_TOOL_B));
  CRect rectA;
  bar.GetItemRect(0, rectA);
  CPoint pt = rectA.CenterPoint();
  bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
  bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
  PumpUntil([&] { return pFrame->m_nCommandA > 0; });
  EXPECT_EQ(pFrame->m_nCommandA, 1);
  // The combo box went along and still talks to the frame.
  EXPECT_EQ(pFrame->m_wndCombo.GetParent(), &bar);
  bar.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TOOL_COMBO, CBN_SELCHANGE), (LPARAM)pFrame->m_wndCombo.m_hWnd);
  EXPECT_EQ(pFrame->m_nSelChange, 1);

  AfxDockControlBar(pFrame, &bar);
  EXPECT_EQ(bar.m_pDockBar, pTop);
}

TEST_F(BarsTest, DraggingABarDocksItAtTheSideItIsDroppedNearOrFloatsIt) {
  CBarFrame* pFrame = m_pFrame;
  AfxEnableDocking(pFrame, CBRS_ALIGN_ANY);
  CDialogBar& bar = pFrame->m_wndBar1;
  ASSERT_TRUE(bar.Create(pFrame, IDD_BAR1, WS_CHILD | CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT, IDD_BAR1));
  bar.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
  AfxDockControlBar(pFrame, &bar);
  ASSERT_EQ(bar.m_pDockBar, AfxGetDockBar(pFrame, AFX_IDW_DOCKBAR_RIGHT));

  // Mouse messages as the bar gets them, at screen points turned into its client's.
  auto drag = [&](CPoint ptFrom, CPoint ptTo) {
    CPoint pt = ptFrom;
    bar.ScreenToClient(&pt);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    pt = ptTo;
    bar.ScreenToClient(&pt);
    bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
  };
  CRect rectClient;
  pFrame->GetClientRect(rectClient);
  pFrame->ClientToScreen(rectClient);
  CRect rectBar;
  bar.GetWindowRect(rectBar);
  CPoint ptGrab(rectBar.left + 2, rectBar.bottom - 3);  // an empty place of the bar

  // Near the left side: docks there. A side it may not dock at (top) is not taken.
  drag(ptGrab, CPoint(rectClient.left + 10, rectClient.CenterPoint().y));
  EXPECT_EQ(bar.m_pDockBar, AfxGetDockBar(pFrame, AFX_IDW_DOCKBAR_LEFT));
  EXPECT_EQ(RectInParent(pFrame->m_wndPane.m_hWnd).left, bar.m_sizeDefault.cx);
  EXPECT_EQ(bar.DockSideFromPoint(CPoint(rectClient.CenterPoint().x, rectClient.top + 5)), 0u);

  // In the middle of the frame: floats there.
  bar.GetWindowRect(rectBar);
  ptGrab = CPoint(rectBar.left + 2, rectBar.bottom - 3);
  CPoint ptDrop(rectClient.CenterPoint());
  drag(ptGrab, ptDrop);
  ASSERT_TRUE(bar.IsFloating());
  CRect rectMini;
  bar.GetParentFrame()->GetWindowRect(rectMini);
  EXPECT_EQ(rectMini.TopLeft(), rectBar.TopLeft() + (ptDrop - ptGrab));

  // A click that does not move does nothing.
  AfxDockControlBar(pFrame, &bar);
  bar.GetWindowRect(rectBar);
  ptGrab = CPoint(rectBar.left + 2, rectBar.bottom - 3);
  drag(ptGrab, ptGrab);
  EXPECT_EQ(bar.m_pDockBar, AfxGetDockBar(pFrame, AFX_IDW_DOCKBAR_LEFT));
}

}  // namespace
