#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "jvqGradientFill.h"

namespace {

struct Recorder : jvqGradientSink {
  struct Strip { RECT rc; COLORREF cr; };
  std::vector<Strip> strips;
  std::vector<std::vector<POINT>> bands;
  std::vector<COLORREF> bandColours;
  void Strip(const RECT& rc, COLORREF cr) override { strips.push_back({rc, cr}); }
  void Band(const POINT pts[4], COLORREF cr) override {
    bands.emplace_back(pts, pts + 4);
    bandColours.push_back(cr);
  }
};

int Distance(COLORREF a, COLORREF b) {
  return std::abs((int)(a & 0xFF) - (int)(b & 0xFF)) + std::abs((int)((a >> 8) & 0xFF) - (int)((b >> 8) & 0xFF)) +
         std::abs((int)((a >> 16) & 0xFF) - (int)((b >> 16) & 0xFF));
}

TEST(GradientColorAt, TruncatesPerChannelAndEmptySpanKeepsTheStart) {
  EXPECT_EQ(0x000000u, GradientColorAt(0, 0xFFFFFF, 0, 1000));
  EXPECT_EQ(0x7F7F7Fu, GradientColorAt(0, 0xFFFFFF, 500, 1000));
  EXPECT_EQ(0x0000FEu, GradientColorAt(0x0000FF, 0, 1, 255));
  EXPECT_EQ(0x123456u, GradientColorAt(0x123456, 0xFFFFFF, 3, 0));
}

TEST(GradientBands, ScreenSweepChangesBandsAboveThreeSteps) {
  jvqGradientFill g;
  g.SetKind(0);
  g.SetColor1(0x000000);
  g.SetColor2(0xFFFFFF);
  RECT box = {0, 0, 1000, 50};
  Recorder screen;
  g.ComputeBands(&box, FALSE, screen);
  ASSERT_GT(screen.strips.size(), 10u);
  EXPECT_EQ(1000, screen.strips.back().rc.right);
  EXPECT_EQ(0, screen.strips.front().rc.left);
  for (size_t i = 0; i + 1 < screen.strips.size(); i++) {
    EXPECT_EQ(screen.strips[i].rc.right, screen.strips[i + 1].rc.left);
    EXPECT_GT(Distance(screen.strips[i].cr, i ? screen.strips[i - 1].cr : 0), 3) << i;
    EXPECT_EQ(0, screen.strips[i].rc.top);
    EXPECT_EQ(50, screen.strips[i].rc.bottom);
  }
  Recorder printer;
  g.ComputeBands(&box, TRUE, printer);
  EXPECT_GT(printer.strips.size(), screen.strips.size());
  EXPECT_EQ(1000, printer.strips.back().rc.right);
}

TEST(GradientBands, MirroredSweepSplitsAnOddWidth) {
  jvqGradientFill g;
  g.SetKind(1);
  g.SetColor1(0x000000);
  g.SetColor2(0x0000FF);
  RECT box = {10, 0, 111, 20};  // 101 wide
  Recorder r;
  g.ComputeBands(&box, TRUE, r);
  int split = -1;
  for (size_t i = 0; i < r.strips.size(); i++)
    if (r.strips[i].rc.right == 60) split = (int)i;
  ASSERT_GE(split, 0);  // left part 50 wide, right part 51
  EXPECT_EQ(111, r.strips.back().rc.right);
}

TEST(GradientBands, BoxesUnderTwoUnitsStaySound) {
  for (int kind = 0; kind <= 8; kind++) {
    jvqGradientFill g;
    g.SetKind(kind);
    g.SetColor1(0x000000);
    g.SetColor2(0xFFFFFF);
    for (RECT box : {RECT{0, 0, 1, 1}, RECT{0, 0, 1, 40}, RECT{0, 0, 40, 1}, RECT{0, 0, 0, 0}, RECT{5, 5, 3, 3}}) {
      Recorder r;
      g.ComputeBands(&box, FALSE, r);
      for (const auto& s : r.strips) {
        EXPECT_GE(s.rc.left, box.left) << kind;
        EXPECT_LE(s.rc.right, box.right > box.left ? box.right : box.left + 1) << kind;
      }
    }
  }
}

TEST(GradientBands, CornerKindStartsInTheFirstColour) {
  jvqGradientFill g;
  g.SetKind(4);
  g.SetColor1(0x000000);
  g.SetColor2(0xFFFFFF);
  RECT box = {0, 0, 100, 50};
  Recorder r;
  g.ComputeBands(&box, FALSE, r);
  ASSERT_FALSE(r.strips.empty());
  EXPECT_EQ(0u, r.strips[0].cr);
  // The row strip along the top edge is in colour 1.
  bool topRow = false;
  for (const auto& s : r.strips)
    if (s.rc.top == 0 && s.rc.bottom == 1 && s.rc.right == 100 && s.cr == 0) topRow = true;
  EXPECT_TRUE(topRow);
  EXPECT_GT(r.strips.back().cr & 0xFF, 0xF0u);  // the far rows near colour 2
}

TEST(GradientBands, DiagonalKindsDrawBandsAndOthersNothing) {
  jvqGradientFill g;
  g.SetColor1(0x000000);
  g.SetColor2(0xFFFFFF);
  RECT box = {0, 0, 200, 100};
  for (int kind : {7, 8}) {
    g.SetKind(kind);
    Recorder r;
    g.ComputeBands(&box, FALSE, r);
    EXPECT_GT(r.bands.size(), 4u) << kind;
    EXPECT_TRUE(r.strips.empty());
  }
  g.SetKind(9);
  Recorder r;
  g.ComputeBands(&box, FALSE, r);
  EXPECT_TRUE(r.strips.empty());
  EXPECT_TRUE(r.bands.empty());
}

}  // namespace
