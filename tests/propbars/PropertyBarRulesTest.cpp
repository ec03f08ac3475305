// Which bar a selection or a tool gets, and the texts the bars show and read back.
#include <gtest/gtest.h>

#include "PropertyBarRules.h"
#include "jvqObjectCodes.h"

namespace {

BarChoiceItem Item(int code, BOOL open = FALSE, int body = 0) { return BarChoiceItem{code, open, body}; }

TEST(PropertyBarRules, ChooseBarBySelectionThenByTool) {
  const BarChoiceItem rect = Item(JVQ_OBJ_RECT), ellipse = Item(JVQ_OBJ_ELLIPSE), symbol = Item(JVQ_OBJ_SYMBOL);
  const BarChoiceItem open = Item(JVQ_OBJ_POLYLINE, TRUE), closed = Item(JVQ_OBJ_POLYLINE, FALSE);
  const BarChoiceItem round = Item(JVQ_OBJ_BALLOON, FALSE, JVQ_OBJ_ROUNDRECT), square = Item(JVQ_OBJ_BALLOON, FALSE, JVQ_OBJ_RECT);
  struct {
    int tool;
    std::vector<BarChoiceItem> sel;
    int row;
  } cases[] = {
      {3002, {}, BARROW_SELECT},
      {3002, {rect}, BARROW_RECT},
      {3002, {rect, rect}, BARROW_RECT},
      {3002, {rect, ellipse}, BARROW_MULTI},
      {3002, {rect, ellipse, symbol}, BARROW_SELECT},
      {3002, {symbol, rect}, BARROW_SELECT},
      {3002, {open}, BARROW_LINE},
      {3002, {closed}, BARROW_POLYGON},
      {3002, {open, closed}, BARROW_MULTI},
      {3002, {open, open}, BARROW_LINE},
      {3002, {round, square}, BARROW_ROUNDRECT_BALLOON},  // by the first body
      {3002, {square, round}, BARROW_RECT_BALLOON},
      {3002, {Item(JVQ_OBJ_MADORIZU)}, BARROW_SELECT},
      {3002, {Item(0x12345)}, BARROW_NONE},
      {3003, {rect, ellipse}, BARROW_KEEP},  // zoom keeps the bar
      {1021, {rect}, BARROW_SYMBOL_PALETTE},
      {1022, {}, BARROW_SYMBOL_PALETTE},
      {3009, {rect, ellipse}, BARROW_SYMBOL_PALETTE},
      {3008, {}, BARROW_NONE},  // rotate: no bar
      {3007, {}, BARROW_RECT},
      {3004, {}, BARROW_LINE_TOOL},
      {3006, {}, BARROW_LINE_TOOL},
      {3005, {}, BARROW_POLYGON},
      {1019, {}, BARROW_ROUNDRECT_BALLOON},
      {1020, {}, BARROW_RECT_BALLOON},
      {3017, {}, BARROW_ARC},
      {3007, {ellipse}, BARROW_ELLIPSE},
  };
  for (auto& c : cases)
    EXPECT_EQ(ChooseBarRow(c.tool, c.sel.data(), (int)c.sel.size()), c.row) << c.tool << " / " << c.sel.size();
}

TEST(PropertyBarRules, WidthTextsAndTypedWidths) {
  struct { int w; const char* text; } shown[] = {{0, "0mm"}, {5, "0.5mm"}, {20, "2mm"}, {25, "2.5mm"}, {3, "0.3mm"}, {100, "10mm"}};
  for (auto c : shown) EXPECT_STREQ(LineWidthText(c.w), c.text) << c.w;
  struct { const char* text; int w; } typed[] = {{"1.25mm", 12}, {"0.04mm", 0}, {"2mm", 20}, {"abc", 0}, {"0.3mm", 3}};
  for (auto c : typed) EXPECT_EQ(ParseLineWidth(c.text), c.w) << c.text;
}

TEST(PropertyBarRules, AnglesRunTheOtherWayAndRefuseNonNumbers) {
  EXPECT_EQ(ShownAngle(90), 270);
  EXPECT_EQ(ShownAngle(0), 0);
  EXPECT_EQ(ShownAngle(180), 180);
  struct { const char* text; int stored; } typed[] = {{"45", 315}, {"30", 330}, {"800", 280}, {"-90", 90}, {"0", 0}, {"360", 0}};
  for (auto c : typed) {
    int a = -1;
    EXPECT_TRUE(StoredAngleFromText(c.text, &a)) << c.text;
    EXPECT_EQ(a, c.stored) << c.text;
  }
  for (const char* bad : {"", "abc", "-", "mm"}) {
    int a = 7;
    EXPECT_FALSE(StoredAngleFromText(bad, &a)) << bad;
    EXPECT_EQ(a, 7);
  }
}

TEST(PropertyBarRules, LineEndItemsAndKinds) {
  const int kinds[10] = {0, 1, 9, 2, 3, 4, 5, 6, 7, 8};
  for (int i = 0; i < 10; i++) {
    EXPECT_EQ(LineEndIndexToKind(i), kinds[i]);
    EXPECT_EQ(LineEndKindToIndex(kinds[i]), i);
  }
  EXPECT_EQ(LineEndIndexToKind(2), 9);
  EXPECT_EQ(LineEndIndexToKind(10), 0);
  EXPECT_EQ(LineEndIndexToKind(-1), 0);
  EXPECT_EQ(LineEndKindToIndex(10), -1);
}

TEST(PropertyBarRules, CornerAndPaperTexts) {
  EXPECT_STREQ(CornerText(75), "7");
  EXPECT_STREQ(CornerText(30), "3");
  EXPECT_STREQ(CornerText(-1), "");
  EXPECT_STREQ(PaperSizeName(2970, 2100), "A4(横)");
  EXPECT_STREQ(PaperSizeName(2100, 2970), "A4(縦)");
  EXPECT_STREQ(PaperSizeName(2000, 3000), "ユーザー定義");
  EXPECT_STREQ(PaperSizeName(0, 0), "ユーザー定義");
  EXPECT_STREQ(DocumentInfoText(2970, 2100, "", "山田"), "用紙サイズ：A4(横)\r\n施主名：山田");
  EXPECT_STREQ(DocumentInfoText(2570, 1820, "現場", ""), "用紙サイズ：B5(横)\r\n物件名：現場\r\n");
}

}  // namespace
