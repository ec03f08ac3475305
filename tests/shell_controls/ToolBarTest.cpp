// A bitmap tool bar over a real tool-bar resource in a frame: slots, drop-down parts,
// pictures by state, combo boxes in slots, hover and check states.
#include <gtest/gtest.h>

#include "CDibToolBar.h"
#include "CLineEndCombo.h"
#include "ControlsTest.h"
#include "ControlsTestRes.h"

namespace {

const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGrey = RGB(128, 128, 128);
const COLORREF kMagenta = RGB(255, 0, 255);

class CTestToolBar : public CDibToolBar {
 public:
  int m_nDropDowns = 0;
  CPoint m_ptDropDown;
  void OnDropDown(CDibToolBarButton*, CPoint point) override {
    ++m_nDropDowns;
    m_ptDropDown = point;
  }
};

class CToolFrame : public CFrameWnd {
 public:
  CTestToolBar m_wndBar;
  CLineEndCombo m_wndShortCombo;
  CComboBox m_wndCombo;
  int m_nCommandA = 0;
  int m_nCommandDrop = 0;
  int m_nAddNoSlot = -1;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    if (!m_wndBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP) ||
        !m_wndBar.LoadToolBar(IDR_TESTBAR))
      return -1;
    static const DibButtonRow rows[] = {
        {ID_TB_A, 0, 22, IDB_TB_NORMAL, IDB_TB_HOT, 0},
        {ID_TB_NOSLOT, 0, 22, IDB_TB_NORMAL, IDB_TB_HOT, 0},
        {ID_TB_DROP, DIBBS_DROPDOWN, 22, IDB_TB_NORMAL, IDB_TB_HOT, 0},
        {ID_TB_B, 0, 22, IDB_TB_NORMAL, IDB_TB_HOT, IDB_TB_DISABLED},
        {ID_TB_C, 0, 22, IDB_TB_NORMAL, IDB_TB_HOT, 0},
    };
    m_wndBar.SetButtons(5, rows, 22);
    m_nAddNoSlot = m_wndBar.AddButton(ID_TB_NOSLOT, m_wndBar.GetButton(1), 0, 22, 22, IDB_TB_NORMAL, 0, 0);
    m_wndBar.AddComboBox(WS_CHILD | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | WS_VSCROLL, &m_wndShortCombo,
                         ID_TB_COMBO, 80, 120);
    m_wndBar.AddComboBox(WS_CHILD | CBS_DROPDOWNLIST | WS_VSCROLL, &m_wndCombo, ID_TB_COMBO2, 80, 120);
    return 0;
  }
  afx_msg void OnA() { ++m_nCommandA; }
  afx_msg void OnDrop() { ++m_nCommandDrop; }
  afx_msg void OnUpdateAny(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CToolFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_COMMAND(ID_TB_A, OnA)
  ON_COMMAND(ID_TB_DROP, OnDrop)
END_MESSAGE_MAP()

class ToolBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_pFrame = new CToolFrame;
    ASSERT_TRUE(m_pFrame->Create(NULL, "ツールバー", WS_OVERLAPPEDWINDOW, CRect(0, 0, 520, 200)));
    m_pFrame->ShowWindow(SW_SHOW);
    m_pFrame->RecalcLayout();
    PumpPending();
  }
  void TearDown() override { DestroyTestFrame(m_pFrame); }
  CDibToolBarButton* Button(UINT nID) {
    return static_cast<CDibToolBarButton*>(CWnd::FromHandlePermanent(::GetDlgItem(m_pFrame->m_wndBar.m_hWnd, nID)));
  }
  void Click(CWnd* pWnd, int x, int y) {
    pWnd->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    pWnd->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PumpPending();
  }
  CToolFrame* m_pFrame = nullptr;
};

TEST_F(ToolBarTest, ButtonsTakeTheirSlots) {
  CTestToolBar& bar = m_pFrame->m_wndBar;
  // A command without a slot: 0 and no window.
  EXPECT_EQ(m_pFrame->m_nAddNoSlot, 0);
  EXPECT_EQ(::GetDlgItem(bar.m_hWnd, ID_TB_NOSLOT), (HWND)NULL);

  CDibToolBarButton* pA = Button(ID_TB_A);
  ASSERT_NE(pA, nullptr);
  CRect rectSlot;
  bar.GetItemRect(bar.CommandToIndex(ID_TB_A), rectSlot);
  CRect rectA = RectInParent(pA->m_hWnd);
  EXPECT_EQ(rectA.TopLeft(), rectSlot.TopLeft());
  EXPECT_EQ(rectA.Size(), CSize(22, 22));

  // A drop-down slot is a separator of its width plus 12; the button is as wide.
  int nDrop = bar.CommandToIndex(ID_TB_DROP);
  UINT nID, nStyle;
  int iImage;
  bar.GetButtonInfo(nDrop, nID, nStyle, iImage);
  EXPECT_TRUE(nStyle & TBBS_SEPARATOR);
  EXPECT_EQ(iImage, 34);
  ASSERT_NE(Button(ID_TB_DROP), nullptr);
  EXPECT_EQ(RectInParent(Button(ID_TB_DROP)->m_hWnd).Width(), 34);
  // Buttons after it follow their slots.
  CRect rectB;
  bar.GetItemRect(bar.CommandToIndex(ID_TB_B), rectB);
  EXPECT_EQ(RectInParent(Button(ID_TB_B)->m_hWnd).left, rectB.left);

  // The true separator is drawn as a shadow line with a light one beside it.
  CRect rectSep;
  bar.GetItemRect(nDrop + 1, rectSep);
  int x = rectSep.left + rectSep.Width() / 2;
  EXPECT_EQ(ClientPixel(&bar, x, 8), ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(ClientPixel(&bar, x + 1, 8), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(ToolBarTest, DropDownPartOpensThePaletteAndSendsNoCommand) {
  CDibToolBarButton* pDrop = Button(ID_TB_DROP);
  ASSERT_NE(pDrop, nullptr);
  Click(pDrop, 28, 10);  // in the rightmost 12 pixels
  EXPECT_EQ(m_pFrame->m_wndBar.m_nDropDowns, 1);
  EXPECT_EQ(m_pFrame->m_wndBar.m_ptDropDown, CPoint(28, 10));
  EXPECT_EQ(m_pFrame->m_nCommandDrop, 0);
  Click(pDrop, 10, 10);
  EXPECT_EQ(m_pFrame->m_wndBar.m_nDropDowns, 1);
  EXPECT_EQ(m_pFrame->m_nCommandDrop, 1);
  Click(Button(ID_TB_A), 10, 10);
  EXPECT_EQ(m_pFrame->m_nCommandA, 1);
}

TEST_F(ToolBarTest, PicturesByStateWithTheTopRightColourTransparent) {
  CDibToolBarButton* pA = Button(ID_TB_A);
  CDibToolBarButton* pB = Button(ID_TB_B);
  CDibToolBarButton* pC = Button(ID_TB_C);
  ASSERT_TRUE(pA && pB && pC);
  // The picture at (3, 3): its square at (4, 4)-(11, 11), magenta around it shows the face.
  EXPECT_EQ(ClientPixel(pA, 3 + 6, 3 + 6), kBlue);
  COLORREF crAround = ClientPixel(pA, 3 + 1, 3 + 1);
  EXPECT_NE(crAround, kMagenta);
  EXPECT_EQ(crAround, ::GetSysColor(COLOR_BTNFACE));

  // Disabled: the disabled picture when there is one, else as enabled.
  pB->EnableWindow(FALSE);
  pC->EnableWindow(FALSE);
  PumpPending();
  EXPECT_EQ(ClientPixel(pB, 9, 9), kGrey);
  EXPECT_EQ(ClientPixel(pC, 9, 9), kBlue);

  // Hot while the mouse is over it; the 50 ms timer ends that once the cursor is away.
  CPoint pt(9, 9);
  ::ClientToScreen(pA->m_hWnd, &pt);
  ::SetCursorPos(pt.x, pt.y);
  pA->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(9, 9));
  EXPECT_EQ(pA->GetMouseState(), 1);
  EXPECT_EQ(ClientPixel(pA, 9, 9), kRed);
  ::SetCursorPos(500, 190);
  DWORD nStart = ::GetTickCount();
  EXPECT_TRUE(PumpUntil([&] { return pA->GetMouseState() == 0; }));
  EXPECT_LT(::GetTickCount() - nStart, 1000u);
  EXPECT_EQ(ClientPixel(pA, 9, 9), kBlue);
}

TEST_F(ToolBarTest, CheckStateRepaintsOnlyOnChange) {
  CTestToolBar& bar = m_pFrame->m_wndBar;
  CDibToolBarButton* pA = Button(ID_TB_A);
  ASSERT_NE(pA, nullptr);
  EXPECT_EQ(bar.GetButtonState(ID_TB_A), 0);
  bar.SetButtonState(ID_TB_A, 1);
  EXPECT_EQ(bar.GetButtonState(ID_TB_A), 1);
  PumpPending();
  // Pressed look: a sunken frame, shadow at the top left.
  EXPECT_EQ(ClientPixel(pA, 0, 0), ::GetSysColor(COLOR_BTNSHADOW));
  pA->UpdateWindow();
  bar.SetButtonState(ID_TB_A, 1);
  CRect rectUpdate;
  EXPECT_FALSE(::GetUpdateRect(pA->m_hWnd, &rectUpdate, FALSE));
  bar.SetButtonState(ID_TB_A, 0);
  EXPECT_TRUE(::GetUpdateRect(pA->m_hWnd, &rectUpdate, FALSE));

  EXPECT_EQ(bar.GetButtonState(ID_TB_NOSLOT), 0);
  EXPECT_EQ(bar.SetButtonBitmaps(ID_TB_NOSLOT, NULL, NULL, NULL), 0);
}

TEST_F(ToolBarTest, OneBitmapInSeveralSlotsIsDeletedOnce) {
  CTestToolBar& bar = m_pFrame->m_wndBar;
  HBITMAP h1 = ::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(IDB_TB_HOT));
  HBITMAP h2 = ::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(IDB_TB_DISABLED));
  ASSERT_TRUE(h1 && h2);
  EXPECT_EQ(bar.SetButtonBitmaps(ID_TB_A, h1, h1, h1), 1);
  PumpPending();
  EXPECT_EQ(ClientPixel(Button(ID_TB_A), 9, 9), kRed);
  // The same handle again in two slots stays alive.
  EXPECT_EQ(bar.SetButtonBitmaps(ID_TB_A, h1, h2, h1), 1);
  EXPECT_EQ(::GetObjectType(h1), (DWORD)OBJ_BITMAP);
  EXPECT_EQ(bar.SetButtonBitmaps(ID_TB_A, h2, h2, h2), 1);
  EXPECT_EQ(::GetObjectType(h1), 0u);
  EXPECT_EQ(::GetObjectType(h2), (DWORD)OBJ_BITMAP);
  PumpPending();
  EXPECT_EQ(ClientPixel(Button(ID_TB_A), 9, 9), kGrey);
  m_pFrame->DestroyWindow();
  PumpPending();
  // The bar's buttons went with the frame, and with them the bitmap.
  EXPECT_EQ(::GetObjectType(h2), 0u);
}

TEST_F(ToolBarTest, ComboBoxesSitInTheirSlots) {
  CTestToolBar& bar = m_pFrame->m_wndBar;
  for (UINT nID : {ID_TB_COMBO, ID_TB_COMBO2}) {
    int nIndex = bar.CommandToIndex(nID);
    CRect rectSlot;
    bar.GetItemRect(nIndex, rectSlot);
    UINT nGotID, nStyle;
    int iImage;
    bar.GetButtonInfo(nIndex, nGotID, nStyle, iImage);
    EXPECT_TRUE(nStyle & TBBS_SEPARATOR);
    EXPECT_EQ(iImage, 80);
    CComboBox* pCombo = nID == ID_TB_COMBO ? (CComboBox*)&m_pFrame->m_wndShortCombo : &m_pFrame->m_wndCombo;
    CRect rect = RectInParent(pCombo->m_hWnd);
    EXPECT_EQ(rect.left, rectSlot.left + 2);
    EXPECT_EQ(rect.Width(), 78);
    int h = (int)pCombo->SendMessage(CB_GETITEMHEIGHT, (WPARAM)-1);
    if (rectSlot.Height() > h + 2)
      EXPECT_EQ(rect.top, rectSlot.top + rectSlot.Height() - (h + 2)) << nID;
    else
      EXPECT_EQ(rect.top, rectSlot.top) << nID;  // a short slot: at the top
  }
  // The owner-drawn one measures 20 pixels (its field is taller still): the short case.
  CRect rectSlot;
  bar.GetItemRect(bar.CommandToIndex(ID_TB_COMBO), rectSlot);
  EXPECT_LE(rectSlot.Height(), (int)m_pFrame->m_wndShortCombo.SendMessage(CB_GETITEMHEIGHT, (WPARAM)-1) + 2);
  EXPECT_EQ(m_pFrame->m_wndShortCombo.GetItemHeight(0), 20);
}

}  // namespace
