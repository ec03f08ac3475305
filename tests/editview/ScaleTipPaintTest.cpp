// What the floor plan's size tip looks like on the screen while its corner is dragged: the
// information colour inside a black frame, the scale written 4 pixels in from the top left.
#include <algorithm>
#include <cstdio>

#include "ViewFixture.h"
#include "board_shapes/ShapeFixture.h"
#include "jvqGroupObject.h"
#include "jvqHandleObject.h"
#include "jvqMadorizuObject.h"
#include "qvzToolTipWnd.h"

TEST_F(ViewTest, TheScaleTipShowsItsTextOnTheInfoColourFourPixelsIn) {
  const std::string path = "scale_tip_plan.kxq";
  ASSERT_TRUE(WriteFileBytes(path, PlanFileBytes(10000, 8000, TinyEmf())));
  jvqMadorizuObject* plan = new jvqMadorizuObject(path.c_str(), &m_view->m_Mapping, m_doc->GetImagePool(), 0x311);
  ASSERT_EQ(1, plan->GetChildCount());
  plan->SetScale(1.0 / 200);
  // Near the page's top left: the tip beside the bottom-right corner stays inside the view.
  SIZE d = {100, 100};
  plan->Offset(&d);
  m_page->AddChild(plan);
  SetOwnerRecursive(plan, &m_view->m_Mapping);
  plan->Recalc();
  m_view->ClearSelection();
  m_view->Select(plan, FALSE);
  POINT h;
  plan->GetHandle(4)->GetCenter(&h);
  Press(h);
  Move(P(h.x + 3, h.y + 2));
  Move(P(h.x + 6, h.y + 4));
  jvqSelectTool* tool = (jvqSelectTool*)m_view->m_pTool;
  ASSERT_NE(nullptr, tool->m_pScaleTip);
  CWnd* tip = tool->m_pScaleTip;
  ASSERT_TRUE(tip->IsWindowVisible());
  EXPECT_STREQ("縮尺 1：200", (LPCTSTR)tool->m_pScaleTip->m_strText);
  tip->RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
  PumpPending();

  RECT rc;
  tip->GetClientRect(&rc);
  ASSERT_GT(rc.right, 20);
  ASSERT_GT(rc.bottom, 10);
  CClientDC dc(tip);
  const COLORREF back = ::GetSysColor(COLOR_INFOBK);
  // The frame, then the background just inside it and in the text's margins.
  EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(dc.m_hDC, 0, rc.bottom / 2));
  EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(dc.m_hDC, rc.right / 2, 0));
  EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(dc.m_hDC, rc.right - 1, rc.bottom - 1));
  for (int y = 1; y < rc.bottom - 1; y++)
    for (int x : {1, 2, 3}) EXPECT_EQ(back, ::GetPixel(dc.m_hDC, x, y)) << x << "," << y;
  for (int x = 1; x < rc.right - 1; x++)
    for (int y : {1, 2, 3}) EXPECT_EQ(back, ::GetPixel(dc.m_hDC, x, y)) << x << "," << y;
  // The written text: its ink begins at the fourth pixel (a glyph may start a pixel into its
  // cell) and stays inside the frame.
  int left = rc.right, top = rc.bottom, right = -1, ink = 0, textColour = 0;
  for (int y = 1; y < rc.bottom - 1; y++)
    for (int x = 1; x < rc.right - 1; x++) {
      const COLORREF c = ::GetPixel(dc.m_hDC, x, y);
      if (c == back) continue;
      ink++;
      if (c == ::GetSysColor(COLOR_INFOTEXT)) textColour++;
      left = std::min(left, x);
      top = std::min(top, y);
      right = std::max(right, x);
    }
  EXPECT_GT(ink, 40);
  EXPECT_GT(textColour, 0);
  EXPECT_GE(left, 4);
  EXPECT_LE(left, 6);
  EXPECT_GE(top, 4);
  EXPECT_LT(right, rc.right - 1);
  Release(P(h.x + 6, h.y + 4));
  EXPECT_EQ(nullptr, tool->m_pScaleTip);
  std::remove(path.c_str());
}
