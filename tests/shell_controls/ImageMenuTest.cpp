// The image menu shown by TrackPopupMenu, and the radio check mark the menu manager redraws.
#include <gtest/gtest.h>

#include <string.h>

#include "CCoolMenuManager.h"
#include "CImageMenu.h"
#include "ControlsTest.h"
#include "ControlsTestRes.h"

namespace {

struct MenuShot {
  CRect items[3];
  COLORREF crImage0 = CLR_INVALID;     // inside the first picture's shape
  COLORREF crAround0 = CLR_INVALID;    // the first picture's 192-grey background
  COLORREF crImage2 = CLR_INVALID;     // where the third item's (missing) picture would be
  bool bOpen = false;
};

// Opens the menu under the frame and reads it while it is showing.
MenuShot TrackAndRead(CFrameWnd* pFrame, CImageMenu& menu) {
  MenuShot shot;
  RunWhenIdle([&] {
    HWND hMenuWnd = ::FindWindow("#32768", NULL);
    shot.bOpen = hMenuWnd != NULL && ::IsWindowVisible(hMenuWnd);
    // Without a window, the rectangles are taken from the menu's own window.
    for (int i = 0; i < 3; i++) ::GetMenuItemRect(NULL, menu.m_hMenu, i, &shot.items[i]);
    if (hMenuWnd != NULL) {
      // The item rectangles are in screen coordinates; so are the screen's pixels.
      HDC hDC = ::GetDC(NULL);
      const CRect& r0 = shot.items[0];
      shot.crImage0 = ::GetPixel(hDC, r0.left + 2 + 40, (r0.top + r0.bottom) / 2);
      shot.crAround0 = ::GetPixel(hDC, r0.left + 2 + 3, r0.top + 2 + 1);
      const CRect& r2 = shot.items[2];
      shot.crImage2 = ::GetPixel(hDC, r2.left + 2 + 40, (r2.top + r2.bottom) / 2);
      ::ReleaseDC(NULL, hDC);
    }
    ::EndMenu();
  }, 300);
  menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_TOPALIGN, 60, 60, pFrame);
  return shot;
}

TEST(ImageMenu, ItemsAsWideAsTheWidestTextWithTheirPictures) {
  CFrameWnd* pFrame = NewTestFrame("メニュー", CRect(0, 0, 400, 300));
  ASSERT_NE(pFrame, nullptr);
  // A button face that is not 192-grey shows where the pictures' grey was.
  const int nFace = COLOR_BTNFACE;
  const COLORREF crOldFace = ::GetSysColor(COLOR_BTNFACE);
  const COLORREF crFace = RGB(220, 230, 200);
  ::SetSysColors(1, &nFace, &crFace);
  HMENU hMenu = NULL;
  {
    CImageMenu menu;
    menu.AppendItem(ID_SHAPE_RECT, NewMenuItem("矩形", 0));
    menu.AppendItem(ID_SHAPE_ROUND, NewMenuItem("丸四角を描くための長い名前", 1));
    menu.AppendItem(ID_SHAPE_ELLIPSE, NewMenuItem("丸", 5));  // no fifth picture: text only
    ASSERT_TRUE(menu.LoadImages(IDB_MENUSTRIP, 3));
    EXPECT_EQ(menu.m_cxImage, 100);
    EXPECT_EQ(menu.m_cyImage, 20);

    MenuShot shot = TrackAndRead(pFrame, menu);
    EXPECT_TRUE(shot.bOpen);
    EXPECT_GT(shot.items[0].Width(), menu.m_cxImage + 9);
    EXPECT_EQ(shot.items[0].Width(), shot.items[1].Width());
    EXPECT_EQ(shot.items[2].Width(), shot.items[1].Width());
    EXPECT_EQ(shot.items[0].Height(), menu.m_cyImage > menu.m_cyText ? menu.m_cyImage + 4 : menu.m_cyText + 4);
    EXPECT_EQ(shot.crImage0, RGB(0, 0, 160));
    EXPECT_EQ(shot.crAround0, crFace);
    EXPECT_NE(shot.crImage2, RGB(160, 0, 0));
    EXPECT_NE(shot.crImage2, RGB(0, 0, 160));
    hMenu = menu.m_hMenu;
  }
  // The handle outlives the object (it lives on in the menu it was inserted into).
  EXPECT_TRUE(::IsMenu(hMenu));
  ::DestroyMenu(hMenu);
  ::SetSysColors(1, &nFace, &crOldFace);
  DestroyTestFrame(pFrame);
}

TEST(CoolMenuManager, RedrawsTheSharedRadioMarkAsADot) {
  CCoolMenuManager manager;
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, 1, "一");
  CCmdUI state;
  state.m_pMenu = &menu;
  state.m_nIndex = 0;
  state.m_nIndexMax = 1;
  state.m_nID = 1;
  state.SetRadio(TRUE);
  MENUITEMINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_CHECKMARKS | MIIM_STATE;
  ASSERT_TRUE(menu.GetMenuItemInfo(0, &info, TRUE));
  ASSERT_NE(info.hbmpChecked, (HBITMAP)NULL);
  EXPECT_TRUE(info.fState & MFS_CHECKED);

  BITMAP bm;
  ASSERT_TRUE(::GetObject(info.hbmpChecked, sizeof bm, &bm));
  const int w = bm.bmWidth, h = bm.bmHeight;
  HDC hDC = ::CreateCompatibleDC(NULL);
  HGDIOBJ hOld = ::SelectObject(hDC, info.hbmpChecked);
  auto black = [&](int x, int y) { return ::GetPixel(hDC, x, y) == RGB(0, 0, 0); };
  // The dot spans (w/2 - 2, h/2 - 2) to (w - w/2 + 2, h - h/2 + 2): 4 to 9 on 13 x 13.
  const int left = w / 2 - 2, top = h / 2 - 2, right = w - w / 2 + 2, bottom = h - h / 2 + 2;
  EXPECT_TRUE(black((left + right) / 2, (top + bottom) / 2));
  EXPECT_TRUE(black(left, (top + bottom) / 2));
  EXPECT_FALSE(black(left - 1, (top + bottom) / 2));
  EXPECT_FALSE(black(right, (top + bottom) / 2));
  EXPECT_FALSE(black((left + right) / 2, top - 1));
  EXPECT_FALSE(black(0, 0));
  EXPECT_FALSE(black(w - 1, h - 1));
  ::SelectObject(hDC, hOld);
  ::DeleteDC(hDC);
}

}  // namespace
