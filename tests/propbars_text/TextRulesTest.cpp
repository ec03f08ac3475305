// The style rules, underline list, size boxes, title preview cells and title trimming.
#include <gtest/gtest.h>

#include "qvzTextRules.h"

TEST(TextRules, BoldAndItalicRules) {
  struct Row {
    int style, on, off;
  };
  const Row bold[] = {{1, 3, 1}, {2, 4, 2}, {3, 3, 1}, {4, 4, 2}, {0, 1, 1}, {7, 1, 1}};
  for (const Row& r : bold) {
    EXPECT_EQ(r.on, qvzBoldRule(r.style, TRUE)) << r.style;
    EXPECT_EQ(r.off, qvzBoldRule(r.style, FALSE)) << r.style;
  }
  const Row italic[] = {{1, 2, 1}, {2, 2, 1}, {3, 4, 3}, {4, 4, 3}, {-1, 1, 1}};
  for (const Row& r : italic) {
    EXPECT_EQ(r.on, qvzItalicRule(r.style, TRUE)) << r.style;
    EXPECT_EQ(r.off, qvzItalicRule(r.style, FALSE)) << r.style;
  }
}

TEST(TextRules, StyleBitsBothWays) {
  const int bits[] = {0, 0, 4, 2, 6, 0};  // style 0..5
  for (int s = 0; s <= 5; s++) EXPECT_EQ(bits[s], qvzStyleBits(s)) << s;
  for (int s = 1; s <= 4; s++) EXPECT_EQ(s, qvzStyleFromBits(qvzStyleBits(s)));
  // The title dialog: bold pressed on italic gives 4, released gives 2.
  EXPECT_EQ(4, qvzStyleFromBits(qvzStyleBits(2) | 2));
  EXPECT_EQ(2, qvzStyleFromBits(qvzStyleBits(4) & ~2));
}

TEST(TextRules, UnderlineKindsAndItems) {
  const int kinds[] = {5, 0, 1, 2, 3, 4, -1, -2};
  for (int i = 0; i < 8; i++) {
    EXPECT_EQ(i, qvzUnderlineItem(kinds[i]));
    EXPECT_EQ(kinds[i], qvzUnderlineKind(i));
  }
  EXPECT_EQ(6, qvzUnderlineItem(-1));
  EXPECT_EQ(0, qvzUnderlineItem(99));
  EXPECT_EQ(5, qvzUnderlineKind(8));
  EXPECT_EQ(5, qvzUnderlineKind(-1));
}

TEST(TextRules, SizeBoxes) {
  struct Row {
    const char* text;
    int bar;
    int dialog;  // opened with 77
  };
  const Row rows[] = {
      {"12mm", 120, 120}, {"10.5", 105, 105}, {"12.35", 123, 123}, {"12.96", 129, 129}, {"0.04mm", 1, 1},
      {"abc", 1, 77},     {"-3mm", 1, 77},    {"", 1, 77},         {" 7mm", 70, 70},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(r.bar, qvzBarSizeFromText(r.text)) << r.text;
    EXPECT_EQ(r.dialog, qvzDialogSizeFromText(r.text, 77)) << r.text;
  }
  EXPECT_STREQ("10.5mm", qvzSizeText(105));
  EXPECT_STREQ("12.0mm", qvzSizeText(120));
  EXPECT_STREQ("0.1mm", qvzSizeText(0));
  EXPECT_STREQ("0.1mm", qvzSizeText(-4));
}

TEST(TextRules, TitlePreviewCells) {
  // A group box of 270 x 180 pixels with 17-pixel scroll bars: 251 x 161 inside.
  const qvzTitleCells h = qvzTitlePreviewCells(270, 180, 17, 17, TRUE);
  EXPECT_EQ(55, h.cx);   // (251 / 4) * 0.9 = 62 * 0.9
  EXPECT_EQ(6, h.gapX);  // (251 - 220) / 5
  EXPECT_EQ(47, h.cy);   // (161 / 3) * 0.9 = 53 * 0.9
  EXPECT_EQ(5, h.gapY);  // (161 - 141) / 4
  const qvzTitleCells v = qvzTitlePreviewCells(270, 180, 17, 17, FALSE);
  EXPECT_EQ(32, v.cx);   // (251 / 6) * 0.8 = 41 * 0.8
  EXPECT_EQ(9, v.gapX);  // (251 - 192) / 6
  EXPECT_EQ(72, v.cy);   // (161 / 2) * 0.9 = 80 * 0.9
  EXPECT_EQ(5, v.gapY);  // (161 - 144) / 3
}

TEST(TextRules, TitleTextTrimmed) {
  CString s;
  EXPECT_TRUE(qvzTrimTitleText("  ＡＢ  ", &s));
  EXPECT_STREQ("ＡＢ", s);
  EXPECT_TRUE(qvzTrimTitleText("\t\r\nモデル ハウス\r\n", &s));
  EXPECT_STREQ("モデル ハウス", s);
  EXPECT_FALSE(qvzTrimTitleText(" \t\r\n ", &s));
  EXPECT_FALSE(qvzTrimTitleText("", &s));
}
