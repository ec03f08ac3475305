// The page list's rows, its scroll size, the targets of clicks and drops in the gaps, the
// row ends and the list end, and the moves a drop makes.
#include <gtest/gtest.h>

#include "qvzPageListLayout.h"

TEST(PageListLayoutTest, RowsAndScrollSize) {
  struct Case {
    int n, width, cx, cy, columns, placed;
  } cases[] = {
      {6, 1000, 1000, 680, 3, 6},
      {7, 1000, 360, 1000, 3, 7},
      {3, 960, 1000, 360, 3, 3},  // the third column is placed too
      {2, 300, 360, 680, 1, 2},  // narrower than one item: one column still placed
  };
  for (const Case& c : cases) {
    qvzPageListLayout l;
    std::vector<RECT> rects;
    SIZE s = l.Place(c.n, c.width, rects);
    EXPECT_EQ(c.cx, s.cx) << c.n << "@" << c.width;
    EXPECT_EQ(c.cy, s.cy) << c.n << "@" << c.width;
    EXPECT_EQ(c.columns, l.nColumns);
    int placed = 0;
    for (const RECT& r : rects) placed += r.right > r.left;
    EXPECT_EQ(c.placed, placed);
  }
  qvzPageListLayout l;
  std::vector<RECT> rects;
  l.Place(3, 960, rects);
  EXPECT_EQ(660, rects[2].left);
  EXPECT_EQ(960, rects[2].right);
  EXPECT_EQ(0, l.Place(0, 1000, rects).cx);
}

TEST(PageListLayoutTest, GapsRowEndsAndListEnd) {
  qvzPageListLayout l;
  std::vector<RECT> r;
  l.Place(5, 1000, r);  // row 0: items 0..2 at x 20, 340, 660; row 1: items 3, 4
  const RECT client = {0, 0, 1000, 700};
  auto hits = [&](POINT p, int S) {
    std::vector<int> out;
    for (int i = 0; i < 5; i++)
      if (l.Hit(r[i], p, i, S, 5, client)) out.push_back(i);
    return out;
  };
  // The gap between items 0 and 1 (x 320..340): an item before the selection owns the gap
  // on its left, any other the gap on its right.
  EXPECT_EQ(std::vector<int>{1}, hits(POINT{330, 100}, 2));
  EXPECT_EQ(std::vector<int>{0}, hits(POINT{330, 100}, 0));
  // Right of the last of a row, beyond the client's edge.
  EXPECT_EQ(std::vector<int>{2}, hits(POINT{1500, 100}, 0));
  // Left of the first of a row.
  EXPECT_EQ(std::vector<int>{3}, hits(POINT{5, 400}, 4));
  // The list end: right of the last item and below it.
  EXPECT_EQ(std::vector<int>{4}, hits(POINT{700, 400}, 0));
  EXPECT_EQ(std::vector<int>{4}, hits(POINT{100, 680}, 0));
  // Between rows: nothing.
  EXPECT_TRUE(hits(POINT{100, 330}, 0).empty());
  // An item never placed is never hit.
  EXPECT_FALSE(l.Hit(RECT{0, 0, 0, 0}, POINT{0, 0}, 0, 0, 1, client));
}

TEST(PageListLayoutTest, Drops) {
  std::vector<char> v = {'a', 'b', 'c', 'd'};
  EXPECT_TRUE(qvzMoveListItem(v, 2, 0));
  EXPECT_EQ((std::vector<char>{'c', 'a', 'b', 'd'}), v);
  v = {'a', 'b', 'c', 'd'};
  EXPECT_TRUE(qvzMoveListItem(v, 0, 2));
  EXPECT_EQ((std::vector<char>{'b', 'c', 'a', 'd'}), v);
  EXPECT_FALSE(qvzMoveListItem(v, 1, 1));
  EXPECT_FALSE(qvzMoveListItem(v, -1, 1));
  EXPECT_EQ((std::vector<char>{'b', 'c', 'a', 'd'}), v);
}
