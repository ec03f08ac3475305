// The thumbnail grid's arithmetic, without a window.
#include <gtest/gtest.h>

#include "qvzPreviewGridLayout.h"

TEST(PreviewGridLayoutTest, ColumnsAndCellOriginsFollowTheClientWidth) {
  struct Case {
    int width, columns;
  } cases[] = {{240, 2}, {239, 1}, {100, 1}, {0, 1}, {360, 3}};
  for (const Case& c : cases) {
    qvzPreviewGridLayout g = CalcPreviewGrid(4, 100, 100, 20, 20, c.width);
    EXPECT_EQ(c.columns, g.nColumns) << c.width;
  }
  qvzPreviewGridLayout g = CalcPreviewGrid(3, 100, 100, 20, 20, 240);
  int x = 0, y = 0;
  PreviewCellOrigin(g, 0, 100, 100, 20, 20, &x, &y);
  EXPECT_EQ(20, x);
  EXPECT_EQ(20, y);
  PreviewCellOrigin(g, 1, 100, 100, 20, 20, &x, &y);
  EXPECT_EQ(140, x);
  EXPECT_EQ(20, y);
  PreviewCellOrigin(g, 2, 100, 100, 20, 20, &x, &y);
  EXPECT_EQ(20, x);
  EXPECT_EQ(140, y);
}

TEST(PreviewGridLayoutTest, ScrollSizeCountsRowsAndTheCellsOfTheLastRow) {
  // Ten cells in three columns: four rows, one cell in the last.
  qvzPreviewGridLayout g = CalcPreviewGrid(10, 100, 100, 20, 20, 360);
  EXPECT_EQ(3, g.nColumns);
  EXPECT_EQ(4, g.nRows);
  EXPECT_EQ(520, g.nScrollHeight);
  EXPECT_EQ(140, g.nScrollWidth);
  qvzPreviewGridLayout none = CalcPreviewGrid(0, 100, 100, 20, 20, 360);
  EXPECT_EQ(0, none.nRows);
  EXPECT_EQ(0, none.nScrollHeight);
}

TEST(PreviewGridLayoutTest, PictureIsTheSquareAboveTheLabel) {
  EXPECT_EQ(60, PreviewPictureSide(75, 75, 15));  // the palettes' cells: side = text + 62 less 2
  EXPECT_EQ(80, PreviewPictureSide(80, 100, 16));
  EXPECT_EQ(84, PreviewPictureSide(100, 100, 16));
}
