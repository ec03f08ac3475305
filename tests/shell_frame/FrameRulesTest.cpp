// The main frame's worked values: zoom box contents, status texts, tab strips, tab hits,
// the splitter's limit, greyed palette pictures and the page current after a deletion.
#include <gtest/gtest.h>

#include "FolderTabGeometry.h"
#include "PageTabStrip.h"
#include "RecolorToolBarBitmap.h"
#include "StatusTexts.h"
#include "ZoomComboTexts.h"

namespace {

TEST(ZoomBox, AZoomOfAToolComesFirstAndSelectedThenLeavesWithAFixedEntry) {
  ZoomComboList a = BuildZoomComboList(137, FALSE);
  ASSERT_EQ(a.items.size(), 9u);
  EXPECT_EQ(a.items[0], "137%");
  EXPECT_EQ(a.nSelected, 0);
  ZoomComboList b = BuildZoomComboList(100, FALSE);
  const char* expected[] = {"400%", "200%", "150%", "100%", "75%", "50%", "25%", "全体表示"};
  ASSERT_EQ(b.items.size(), 8u);
  for (int i = 0; i < 8; i++) EXPECT_EQ(b.items[i], expected[i]);
  EXPECT_EQ(b.items[b.nSelected], "100%");
  ZoomComboList fit = BuildZoomComboList(0, TRUE);
  EXPECT_EQ(fit.items[fit.nSelected], "全体表示");
  EXPECT_EQ(ZoomTextValue("全体表示"), 0);
}

TEST(StatusTexts, PageAndCoordinates) {
  EXPECT_EQ(PageStatusText(1, 1), "ページ： 1/1 ");
  EXPECT_EQ(PageStatusText(0, 3), "ページ： 0/3 ");
  EXPECT_EQ(CoordStatusText(TRUE, 1234), "X： 12.3㎝");
  EXPECT_EQ(CoordStatusText(FALSE, -50), "Y： -0.5㎝");
}

TEST(PageTabs, StripStartScrollAndAdjustment) {
  // Twelve pages, page 7 current: tabs 6-12, or 7-12 from an empty strip.
  EXPECT_EQ(PageTabStripStart(7, FALSE) + 1, 6);
  EXPECT_EQ(PageTabStripStart(7, TRUE) + 1, 7);
  EXPECT_EQ(PageTabStripStart(1, FALSE), 0);
  EXPECT_EQ(ScrollPageTabStrip(1, 12, 0), 1);
  EXPECT_EQ(ScrollPageTabStrip(12, 12, 1), 12);
  EXPECT_EQ(ScrollPageTabStrip(5, 12, 1), 6);
  EXPECT_EQ(ScrollPageTabStrip(5, 12, 2), 5);
  // The first tab of a strip at 5 moves it to 4; at page 1 it stays.
  EXPECT_EQ(AdjustPageTabStrip(5, 0, FALSE), 4);
  EXPECT_EQ(AdjustPageTabStrip(1, 0, FALSE), 1);
  EXPECT_EQ(AdjustPageTabStrip(5, 3, TRUE), 6);
  EXPECT_EQ(PageNumberOfTab("12ページ"), 12);
  EXPECT_EQ(PageNumberOfTab("x"), 0);
  EXPECT_EQ(PageTabText(3), "3ページ");
}

TEST(PageTabs, AClickWhereTwoTabsOverlapGoesToTheEarlierOne) {
  std::vector<FolderTabShape> shapes;
  EXPECT_EQ(LayoutFolderTabs({30, 30, 30}, shapes), 50 + 42 + 42);
  EXPECT_EQ(shapes[1].rect.left, 42);
  const RECT client = {0, 0, 200, 15};
  EXPECT_EQ(FolderTabHitTest(shapes, client, POINT{45, 1}), 0);  // in both: the earlier
  EXPECT_EQ(FolderTabHitTest(shapes, client, POINT{52, 12}), 1);
  EXPECT_EQ(FolderTabHitTest(shapes, client, POINT{1, 12}), -1);  // outside the slanted edge
  EXPECT_EQ(FolderTabHitTest(shapes, client, POINT{300, 1}), -1);
}

TEST(Splitter, NeverCloserThanOneAndAHalfArrowWidths) {
  EXPECT_EQ(ClampSplitterPosition(59, 40), 61);
  EXPECT_EQ(ClampSplitterPosition(60, 40), 60);
  EXPECT_TRUE(SplitterMoveAllowed(41, 46, 40, 500));
  EXPECT_FALSE(SplitterMoveAllowed(40, 45, 40, 500));
  EXPECT_FALSE(SplitterMoveAllowed(390, 400, 40, 500));
}

TEST(ToolBarPictures, GreyForDisabledAndFaceForBackground) {
  BYTE px[6] = {0, 0, 255, 192, 192, 192};  // pure red, then background (B, G, R)
  RecolorToolBarPixels(px, 2, FALSE, RGB(10, 20, 30));
  EXPECT_EQ(px[0], 76);
  EXPECT_EQ(px[1], 76);
  EXPECT_EQ(px[2], 76);
  EXPECT_EQ(px[3], 30);
  EXPECT_EQ(px[5], 10);
  BYTE kept[3] = {0, 0, 255};
  RecolorToolBarPixels(kept, 1, TRUE, 0);
  EXPECT_EQ(kept[2], 255);
}

TEST(PageDeletion, TheNextCurrentPage) {
  // Last of three: the second; first of three: the old second; two pages: the other.
  EXPECT_EQ(NextCurrentPageAfterDelete({TRUE, TRUE, FALSE}, 2, 3), 1);
  EXPECT_EQ(NextCurrentPageAfterDelete({FALSE, TRUE, TRUE}, 0, 3), 1);
  EXPECT_EQ(NextCurrentPageAfterDelete({TRUE, FALSE}, 1, 2), 0);
  EXPECT_EQ(NextCurrentPageAfterDelete({FALSE, TRUE}, 0, 2), 1);
  // Dead pages between are skipped both ways.
  EXPECT_EQ(NextCurrentPageAfterDelete({TRUE, FALSE, FALSE, TRUE, TRUE}, 2, 3), 3);
  EXPECT_EQ(NextCurrentPageAfterDelete({TRUE, FALSE, TRUE, FALSE, FALSE}, 4, 3), 2);
}

}  // namespace
