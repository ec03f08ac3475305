// The picture push button and the toggle static in real windows.
#include <gtest/gtest.h>

#include "CDibPushButton.h"
#include "CToggleStatic.h"
#include "ControlsTest.h"

namespace {

const COLORREF kNormal = RGB(0, 160, 0);
const COLORREF kHot = RGB(255, 200, 0);
const COLORREF kPressed = RGB(200, 0, 0);

class ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override { m_pFrame = NewTestFrame("ボタン", CRect(0, 0, 300, 200)); }
  void TearDown() override { DestroyTestFrame(m_pFrame); }
  CFrameWnd* m_pFrame = nullptr;
};

TEST_F(ButtonTest, PicturePushButtonFollowsTheMouse) {
  ASSERT_NE(m_pFrame, nullptr);
  CDibPushButton with, without;
  with.SetImage(0, "TEST_PB_NORMAL", "DIB");
  with.SetImage(1, "TEST_PB_HOT", "DIB");
  with.SetImage(2, "TEST_PB_PRESSED", "DIB");
  with.SetImage(7, "TEST_PB_PRESSED", "DIB");  // no such kind: nothing happens
  without.SetImage(0, "TEST_PB_NORMAL", "DIB");
  without.SetImage(2, "TEST_PB_PRESSED", "DIB");
  ASSERT_TRUE(with.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 34, 34), m_pFrame, 4));
  ASSERT_TRUE(without.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(50, 10, 74, 34), m_pFrame, 5));
  PumpPending();
  EXPECT_EQ(ClientPixel(&with, 12, 12), kNormal);
  EXPECT_EQ(ClientPixel(&without, 12, 12), kNormal);

  // The mouse over them: the hot picture, and nothing at all without one.
  CPoint pt(12, 12);
  ::ClientToScreen(with.m_hWnd, &pt);
  ::SetCursorPos(pt.x, pt.y);
  with.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(12, 12));
  without.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(12, 12));
  EXPECT_EQ(with.GetMouseState(), 1);
  EXPECT_EQ(ClientPixel(&with, 12, 12), kHot);
  COLORREF crBlank = ClientPixel(&without, 12, 12);
  EXPECT_NE(crBlank, kNormal);
  EXPECT_NE(crBlank, kHot);
  EXPECT_NE(crBlank, kPressed);

  // Pressed while the button is held.
  with.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(12, 12));
  EXPECT_EQ(ClientPixel(&with, 12, 12), kPressed);

  // The cursor elsewhere: the 300 ms timer brings both back to normal.
  ::SetCursorPos(250, 180);
  EXPECT_TRUE(PumpUntil([&] { return with.GetMouseState() == 0 && without.GetMouseState() == 0; }));
  PumpPending();
  EXPECT_EQ(ClientPixel(&with, 12, 12), kNormal);
  EXPECT_EQ(ClientPixel(&without, 12, 12), kNormal);
}

TEST_F(ButtonTest, ToggleStaticPressedBeforeItsWindowExists) {
  ASSERT_NE(m_pFrame, nullptr);
  CToggleStatic pressed, plain;
  pressed.SetPressed(1);  // only stored: there is no window yet
  ASSERT_TRUE(pressed.Create("B", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, CRect(10, 60, 40, 90), m_pFrame, 10));
  ASSERT_TRUE(plain.Create("B", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, CRect(50, 60, 80, 90), m_pFrame, 11));
  PumpPending();
  // A pushed frame is dark at its top left, a raised one light.
  COLORREF crPressed = ClientPixel(&pressed, 1, 1);
  COLORREF crPlain = ClientPixel(&plain, 1, 1);
  EXPECT_NE(crPressed, crPlain);
  EXPECT_LT(GetRValue(crPressed) + GetGValue(crPressed), GetRValue(crPlain) + GetGValue(crPlain));
  // The letter is drawn in the middle.
  bool bText = false;
  for (int y = 5; y < 25 && !bText; y++)
    for (int x = 5; x < 25 && !bText; x++) bText = ClientPixel(&plain, x, y) == RGB(0, 0, 0);
  EXPECT_TRUE(bText);

  plain.SetPressed(1);
  PumpPending();
  EXPECT_EQ(ClientPixel(&plain, 1, 1), crPressed);
}

}  // namespace
