// The fill pop-ups' arithmetic: tab choice, placement, cell rectangles, colour search and
// the paging of a library.
#include <gtest/gtest.h>

#include "FillPopupLayout.h"
#include "jvqFill.h"

namespace {

TEST(FillPopupLayout, TabChoice) {
  struct Case {
    BOOL has;
    DWORD flags;
    BOOL image;
    BOOL path;
    int tab;
  } cases[] = {
      {FALSE, 0, FALSE, FALSE, FILLTAB_COLOR},
      {TRUE, FILL_BASE | FILL_SOLID, FALSE, FALSE, FILLTAB_COLOR},
      {TRUE, FILL_GRADIENT, FALSE, FALSE, FILLTAB_GRADIENT},
      {TRUE, FILL_TEXTURE, FALSE, FALSE, FILLTAB_TEXTURE},
      {TRUE, FILL_TEXTURE, FALSE, TRUE, FILLTAB_TEXTURE},  // no file tab in the plain pop-up
      {TRUE, FILL_TEXTURE, TRUE, TRUE, FILLTAB_FILE},
      {TRUE, FILL_TEXTURE, TRUE, FALSE, FILLTAB_TEXTURE},
      {TRUE, FILL_PATTERN, FALSE, FALSE, FILLTAB_PATTERN},
      {TRUE, FILL_BANNER, FALSE, FALSE, FILLTAB_NONE},
      {TRUE, FILL_IMAGE, TRUE, FALSE, FILLTAB_NONE},
  };
  for (const Case& c : cases) EXPECT_EQ(c.tab, ChooseFillTab(c.has, c.flags, c.image, c.path)) << std::hex << c.flags;
}

TEST(FillPopupLayout, PlacementStaysOnTheScreen) {
  const SIZE popup = {200, 180}, screen = {1024, 768};
  struct Case {
    RECT button;
    POINT at;
  } cases[] = {
      {{100, 100, 180, 122}, {100, 122}},   // under the button
      {{900, 100, 980, 122}, {824, 122}},   // near the right edge: ends at it
      {{100, 700, 180, 722}, {100, 520}},   // near the bottom: above the button
      {{950, 700, 1020, 722}, {824, 520}},  // both
      {{824, 100, 900, 122}, {824, 122}},   // ends exactly at the edge: stays
  };
  for (const Case& c : cases) {
    const POINT at = PlaceFillPopup(c.button, popup, screen);
    EXPECT_EQ(c.at.x, at.x);
    EXPECT_EQ(c.at.y, at.y);
  }
}

TEST(FillPopupLayout, PaletteCells) {
  // A client of 220 x 160 and a caption of 60 x 12: gaps (220 - 160) / 9 = 6 across;
  // button height 24, usable bottom 132, (132 - 100) / 7 = 4 down.
  const RECT client = {0, 0, 220, 160};
  const SIZE caption = {60, 12};
  const RECT first = PaletteCellRect(client, caption, 0, 0);
  EXPECT_EQ(6, first.left);
  EXPECT_EQ(4, first.top);
  EXPECT_EQ(26, first.right);
  EXPECT_EQ(24, first.bottom);
  const RECT last = PaletteCellRect(client, caption, 4, 7);
  EXPECT_EQ(6 * 8 + 20 * 7, last.left);
  EXPECT_EQ(4 * 5 + 20 * 4, last.top);
  const RECT other = PaletteCellRect(client, caption, -1, -1);
  EXPECT_EQ(132 - 4 + 4, other.top);
  EXPECT_EQ(220 / 4 - 110 / 2, other.left);
  EXPECT_EQ(110, other.right - other.left);
  EXPECT_EQ(24, other.bottom - other.top);
  const RECT clear = PaletteTransparentRect(client, caption);
  EXPECT_EQ(other.right, clear.left);
  EXPECT_EQ(other.top, clear.top);
  EXPECT_EQ(110, clear.right - clear.left);
  // A tall caption makes a taller button.
  const RECT tall = PaletteOtherColorsRect(client, SIZE{60, 30});
  EXPECT_EQ(34, tall.bottom - tall.top);
}

TEST(FillPopupLayout, ColourSearch) {
  struct Case {
    COLORREF cr;
    int row, col;
  } cases[] = {
      {0xFFFFFF, 4, 7},    // "White"
      {0x000000, 0, 0},    // "Black"
      {0x0000FF, 2, 0},    // "Red"
      {0x123456, -1, -1},  // in no cell
      {0xFFFFFE, -1, -1},  // an exact match only
  };
  for (const Case& c : cases) {
    int r = 9, k = 9;
    EXPECT_EQ(c.row >= 0, !!FindPaletteColor(c.cr, &r, &k));
    EXPECT_EQ(c.row, r);
    EXPECT_EQ(c.col, k);
  }
}

TEST(FillPopupLayout, SampleCells) {
  // A client of 240 x 160 less 20: gaps (220 - 180) / 5 = 8 across, (140 - 90) / 4 = 12 down.
  const RECT client = {0, 0, 240, 160};
  const RECT a = SampleCellRect(client, 0, 0), b = SampleCellRect(client, 1, 3);
  EXPECT_EQ(8, a.left);
  EXPECT_EQ(12, a.top);
  EXPECT_EQ(45, a.right - a.left);
  EXPECT_EQ(8 * 4 + 45 * 3, b.left);
  EXPECT_EQ(12 * 2 + 45, b.top);
  EXPECT_EQ(45, b.bottom - b.top);
}

TEST(FillPopupLayout, Paging) {
  EXPECT_EQ(0, SamplePageCount(0));
  EXPECT_EQ(1, SamplePageCount(8));
  EXPECT_EQ(2, SamplePageCount(16));
  EXPECT_EQ(3, SamplePageCount(17));
  EXPECT_EQ(1, SamplePageOf(11));
  EXPECT_EQ(3, SampleCellOf(11));
  EXPECT_EQ(0, SamplePageOf(-1));
  EXPECT_EQ(-1, SampleCellOf(-1));
  // 17 entries, the last page holds one cell.
  EXPECT_EQ(16, 2 * kSamplesPerPage);
  EXPECT_EQ(2, SamplePageOf(16));
  EXPECT_EQ(0, SampleCellOf(16));

  struct Case {
    int code, pos, thumb, pages, to;
  } cases[] = {
      {0 /*SB_LINEUP*/, 0, 0, 2, 0},  // up on the first page stays there
      {2 /*SB_PAGEUP*/, 1, 0, 2, 0},
      {1 /*SB_LINEDOWN*/, 0, 0, 2, 1},
      {1 /*SB_LINEDOWN*/, 1, 0, 2, -1},  // down from the last page changes nothing
      {3 /*SB_PAGEDOWN*/, 1, 0, 3, 2},
      {4 /*SB_THUMBPOSITION*/, 0, 2, 3, 2},
      {4 /*SB_THUMBPOSITION*/, 0, 3, 3, -1},
      {5 /*SB_THUMBTRACK*/, 0, 2, 3, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(c.to, SampleScrollTarget(c.code, c.pos, c.thumb, c.pages)) << c.code << " " << c.pos;
}

}  // namespace
