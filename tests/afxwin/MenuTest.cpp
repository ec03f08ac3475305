// Menus: radio items share one check-mark bitmap, and the owner of a tracked pop-up hands
// WM_MEASUREITEM and WM_DRAWITEM of owner-drawn items to the menu object.
#include <gtest/gtest.h>

#include "TestApp.h"

namespace {

TEST(MenuRadio, RadioItemsShareOneCheckMarkBitmap) {
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, 1, "一");
  menu.AppendMenu(MF_STRING, 2, "二");
  HBITMAP marks[2] = {};
  for (UINT i = 0; i < 2; i++) {
    CCmdUI state;
    state.m_pMenu = &menu;
    state.m_nIndex = i;
    state.m_nIndexMax = 2;
    state.m_nID = i + 1;
    state.SetRadio(i == 0);
    MENUITEMINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_CHECKMARKS | MIIM_STATE;
    ASSERT_TRUE(menu.GetMenuItemInfo(i, &info, TRUE));
    marks[i] = info.hbmpChecked;
    EXPECT_EQ((info.fState & MFS_CHECKED) != 0, i == 0);
  }
  ASSERT_NE(marks[0], (HBITMAP)NULL);
  EXPECT_EQ(marks[0], marks[1]);
  BITMAP bm;
  ASSERT_TRUE(::GetObject(marks[0], sizeof bm, &bm));
  EXPECT_EQ(bm.bmWidth, ::GetSystemMetrics(SM_CXMENUCHECK));
}

class COwnerDrawnMenu : public CMenu {
 public:
  int m_nMeasured = 0;
  int m_nDrawn = 0;
  void MeasureItem(LPMEASUREITEMSTRUCT p) override {
    ++m_nMeasured;
    p->itemWidth = 120;
    p->itemHeight = 30;
  }
  void DrawItem(LPDRAWITEMSTRUCT) override { ++m_nDrawn; }
};

TEST(MenuOwnerDraw, TrackedPopupReachesTheMenuObject) {
  CFrameWnd* pFrame = new CFrameWnd;
  ASSERT_TRUE(pFrame->Create(NULL, "メニュー", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
  pFrame->ShowWindow(SW_SHOW);
  COwnerDrawnMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  ::AppendMenu(menu.m_hMenu, MF_OWNERDRAW, 501, (LPCTSTR)1);
  ::AppendMenu(menu.m_hMenu, MF_OWNERDRAW, 502, (LPCTSTR)2);
  // The menu loop runs its own messages; a thread timer ends it once it is showing.
  struct Closer {
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
      ::KillTimer(NULL, id);
      ::EndMenu();
    }
  };
  ::SetTimer(NULL, 0, 300, Closer::Fire);
  menu.TrackPopupMenu(TPM_LEFTALIGN, 40, 40, pFrame);
  EXPECT_EQ(menu.m_nMeasured, 2);
  EXPECT_GE(menu.m_nDrawn, 2);

  // Shown by the system call itself, inside another pop-up: found through WM_INITMENUPOPUP.
  COwnerDrawnMenu inner;
  ASSERT_TRUE(inner.CreatePopupMenu());
  ::AppendMenu(inner.m_hMenu, MF_OWNERDRAW, 601, (LPCTSTR)1);
  CMenu outer;
  ASSERT_TRUE(outer.CreatePopupMenu());
  ::AppendMenu(outer.m_hMenu, MF_POPUP, (UINT_PTR)inner.m_hMenu, "形");
  struct Opener {
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
      ::KillTimer(NULL, id);
      HWND hMenuWnd = ::FindWindow("#32768", NULL);
      // Right arrow opens the sub-menu of the highlighted first item.
      ::PostMessage(hMenuWnd, WM_KEYDOWN, VK_DOWN, 0);
      ::PostMessage(hMenuWnd, WM_KEYDOWN, VK_RIGHT, 0);
      ::SetTimer(NULL, 0, 300, Closer::Fire);
    }
  };
  ::SetTimer(NULL, 0, 300, Opener::Fire);
  ::TrackPopupMenu(outer.m_hMenu, TPM_LEFTALIGN, 40, 40, 0, pFrame->m_hWnd, NULL);
  EXPECT_EQ(inner.m_nMeasured, 1);
  outer.RemoveMenu(0, MF_BYPOSITION);
  pFrame->DestroyWindow();
}

}  // namespace
