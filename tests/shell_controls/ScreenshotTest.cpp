// A picture of the controls together for a person to look at: the bitmap tool bar, the font
// combo box with its tip, and the image menu open below. Written to controls_screenshot.bmp.
#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "CDibToolBar.h"
#include "CImageComboBox.h"
#include "CImageMenu.h"
#include "ControlsTest.h"
#include "ControlsTestRes.h"
#include "Dib.h"
#include "jvqDrawingResources.h"

namespace {

class CShotFrame : public CFrameWnd {
 public:
  CDibToolBar m_wndBar;
  CImageComboBox m_wndFonts;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    if (!m_wndBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP) ||
        !m_wndBar.LoadToolBar(IDR_TESTBAR))
      return -1;
    static const DibButtonRow rows[] = {
        {ID_TB_A, 0, 22, IDB_TB_NORMAL, IDB_TB_HOT, 0},
        {ID_TB_DROP, DIBBS_DROPDOWN, 22, IDB_TB_NORMAL, IDB_TB_HOT, 0},
        {ID_TB_B, 0, 22, IDB_TB_NORMAL, IDB_TB_HOT, IDB_TB_DISABLED},
        {ID_TB_C, 0, 22, IDB_TB_NORMAL, IDB_TB_HOT, 0},
    };
    m_wndBar.SetButtons(4, rows, 22);
    m_wndBar.SetButtonState(ID_TB_B, 1);
    m_wndFonts.m_pFontList = &theFontList;
    return 0;
  }
  // Handled, so that the menu shows its items enabled.
  afx_msg void OnShape(UINT) {}
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CShotFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_COMMAND_RANGE(ID_SHAPE_RECT, ID_SHAPE_ELLIPSE, OnShape)
END_MESSAGE_MAP()

void SaveScreen(const char* pszPath) {
  const int cx = ::GetSystemMetrics(SM_CXSCREEN) < 640 ? ::GetSystemMetrics(SM_CXSCREEN) : 640;
  const int cy = ::GetSystemMetrics(SM_CYSCREEN) < 400 ? ::GetSystemMetrics(SM_CYSCREEN) : 400;
  HDC hScreen = ::GetDC(NULL);
  HBITMAP hbm = ::CreateCompatibleBitmap(hScreen, cx, cy);
  HDC hMem = ::CreateCompatibleDC(hScreen);
  HGDIOBJ hOld = ::SelectObject(hMem, hbm);
  ::BitBlt(hMem, 0, 0, cx, cy, hScreen, 0, 0, SRCCOPY);
  ::SelectObject(hMem, hOld);
  ::DeleteDC(hMem);
  ::ReleaseDC(NULL, hScreen);
  CDib dib;
  if (dib.CreateFromBitmap(hbm)) dib.Write(pszPath);
  ::DeleteObject(hbm);
}

TEST(Screenshot, ToolBarFontTipAndOpenImageMenu) {
  theDrawingResources.Init();
  CShotFrame* pFrame = new CShotFrame;
  ASSERT_TRUE(pFrame->Create(NULL, "部品", WS_OVERLAPPEDWINDOW, CRect(0, 0, 620, 380)));
  pFrame->ShowWindow(SW_SHOW);
  pFrame->RecalcLayout();
  ASSERT_TRUE(pFrame->m_wndFonts.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                                            CBS_HASSTRINGS | WS_VSCROLL,
                                        CRect(380, 80, 600, 300), pFrame, 40));
  int nSel = pFrame->m_wndFonts.FindStringExact(-1, "ＭＳ ゴシック");
  pFrame->m_wndFonts.SetCurSel(nSel >= 0 ? nSel : 0);
  CRect rectCombo;
  pFrame->m_wndFonts.GetWindowRect(rectCombo);
  ::SetCursorPos(rectCombo.left + 30, rectCombo.top + 6);
  PumpUntil([&] { return pFrame->m_wndFonts.m_wndTip.IsWindowVisible() != FALSE; });

  CImageMenu menu;
  menu.AppendItem(ID_SHAPE_RECT, NewMenuItem("矩形", 0));
  menu.AppendItem(ID_SHAPE_ROUND, NewMenuItem("丸四角", 1));
  menu.AppendItem(ID_SHAPE_ELLIPSE, NewMenuItem("丸", 2));
  menu.LoadImages(IDB_MENUSTRIP, 3);
  HMENU hMenu = menu.m_hMenu;
  CDibToolBarButton* pDrop = pFrame->m_wndBar.GetButton(1);
  CRect rectDrop;
  pDrop->GetWindowRect(rectDrop);
  UINT nState = 0;
  RunWhenIdle([&] {
    nState = ::GetMenuState(hMenu, 0, MF_BYPOSITION);
    SaveScreen("controls_screenshot.bmp");
    ::EndMenu();
  }, 600);
  menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_TOPALIGN, rectDrop.left, rectDrop.bottom, pFrame);
  EXPECT_EQ(::GetFileAttributesA("controls_screenshot.bmp") != INVALID_FILE_ATTRIBUTES, true);
  EXPECT_FALSE(nState & MF_GRAYED);
  ::DestroyMenu(hMenu);
  pFrame->DestroyWindow();
  PumpPending();
  theFontList.DeleteAll();
  ::SetCursorPos(0, 0);
}

}  // namespace
