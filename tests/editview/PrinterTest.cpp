// The printer arithmetic: the paper table, the nearest paper and its orientation, and the
// printable offset.
#include <gtest/gtest.h>

#include "jvqPrinter.h"

static SIZE Paper(short code) {
  SIZE s;
  return *jvqPrinter::PaperSizeFromCode(&s, code);
}

TEST(PrinterTest, PaperTable) {
  EXPECT_EQ(2970, Paper(8).cx);
  EXPECT_EQ(4200, Paper(8).cy);
  EXPECT_EQ(2970, Paper(67).cx);
  EXPECT_EQ(4200, Paper(67).cy);
  EXPECT_EQ(Paper(68).cx, Paper(63).cx);
  EXPECT_EQ(Paper(68).cy, Paper(63).cy);
  EXPECT_EQ(3220, Paper(63).cx);
  for (short code : {0, 2, 48, 49, 50, 51, 54, 56, 66, 119, -1}) {
    EXPECT_EQ(0, Paper(code).cx) << code;
    EXPECT_EQ(0, Paper(code).cy) << code;
  }
  // Inch papers at 25.4 mm: letter 8.5 x 11 in, 11 x 17 in, legal 8.5 x 14 in.
  EXPECT_EQ(2159, Paper(1).cx);
  EXPECT_EQ(2794, Paper(1).cy);
  EXPECT_EQ(4318, Paper(17).cy);
  EXPECT_EQ(3556, Paper(5).cy);
  // Every other code from 1 to 118 has a size.
  for (short code = 1; code <= 118; code++) {
    if (code == 2 || (code >= 48 && code <= 51) || code == 54 || code == 56 || code == 66) continue;
    EXPECT_GT(Paper(code).cx, 0) << code;
  }
}

TEST(PrinterTest, NearestPaperAndOrientation) {
  const POINT a4a3b4[] = {{2100, 2970}, {2970, 4200}, {2570, 3640}};
  const WORD codes[] = {9, 8, 12};
  const SIZE a3Landscape = {4200, 2970};
  jvqPaperChoice c = jvqPrinter::ChoosePaper(&a3Landscape, a4a3b4, 3, codes, 3);
  EXPECT_TRUE(c.bHasCode);
  EXPECT_EQ(8, c.nCode);
  EXPECT_EQ(2970, c.size.cx);
  EXPECT_EQ(4200, c.size.cy);
  EXPECT_TRUE(c.bLandscape);

  // Areas 100 below and 100 above the sheet's: the later paper wins.
  const POINT tie[] = {{10, 90}, {10, 110}};
  const WORD tieCodes[] = {1, 3};
  const SIZE sheet = {10, 100};
  EXPECT_EQ(3, jvqPrinter::ChoosePaper(&sheet, tie, 2, tieCodes, 2).nCode);

  // A square sheet is landscape; a square paper is always turned.
  const SIZE square = {2000, 2000};
  const POINT squarePaper[] = {{2000, 2000}};
  EXPECT_TRUE(jvqPrinter::ChoosePaper(&square, NULL, 0, NULL, 0).bLandscape);
  EXPECT_TRUE(jvqPrinter::ChoosePaper(&square, squarePaper, 1, codes, 1).bLandscape);
  const SIZE portrait = {2100, 2970};
  EXPECT_TRUE(jvqPrinter::ChoosePaper(&portrait, squarePaper, 1, codes, 1).bLandscape);
  EXPECT_FALSE(jvqPrinter::ChoosePaper(&portrait, a4a3b4, 3, codes, 3).bLandscape);

  // Codes only: sizes from the table.
  c = jvqPrinter::ChoosePaper(&a3Landscape, NULL, 0, codes, 3);
  EXPECT_EQ(8, c.nCode);
  EXPECT_EQ(2970, c.size.cx);
  EXPECT_EQ(4200, c.size.cy);
  EXPECT_TRUE(c.bLandscape);

  // Nothing: the orientation only.
  c = jvqPrinter::ChoosePaper(&portrait, NULL, 0, NULL, 0);
  EXPECT_FALSE(c.bHasCode);
  EXPECT_FALSE(c.bLandscape);
  // Sizes without codes: no code to write.
  EXPECT_FALSE(jvqPrinter::ChoosePaper(&portrait, a4a3b4, 3, NULL, 0).bHasCode);
}

TEST(PrinterTest, PrintOffset) {
  struct Case {
    jvqPrinterMetrics m;
    BOOL ok;
    int x, y;
  } cases[] = {
      {{100, 46, 23 * 200, 23 * 280, 200, 280}, TRUE, 43, 20},  // 23 whole pixels per mm
      {{100, 46, 23 * 200 + 199, 23 * 280, 200, 280}, TRUE, 43, 20},
      {{100, 46, 4600, 6440, 0, 280}, FALSE, 0, 0},  // no HORZSIZE
      {{100, 46, 4600, 6440, 200, 0}, FALSE, 0, 0},
      {{100, 46, 100, 6440, 200, 280}, FALSE, 0, 0},  // under one pixel per mm
  };
  for (const Case& c : cases) {
    POINT p = {-1, -1};
    EXPECT_EQ(c.ok, jvqPrinter::CalcPrintOffset(c.m, &p)) << c.m.nHorzRes;
    EXPECT_EQ(c.x, p.x);
    EXPECT_EQ(c.y, p.y);
  }
  EXPECT_EQ(0, jvqPrinter::PixelsPerCM(4600, 0));
  EXPECT_EQ(230, jvqPrinter::PixelsPerCM(4600, 200));
}
