#include <gtest/gtest.h>

#include <memory>

#include "board_objects/RecordBytes.h"
#include "jvqFill.h"
#include "jvqGradientFill.h"
#include "jvqLineStyle.h"
#include "jvqPointList.h"
#include "jvqSolidFill.h"

namespace {

TEST(LineStyleRecord, TwentyBytesThatLeaveTheRestAlone) {
  jvqLineStyle s(5, 0x0A0B0C, 3, TRUE, 7, "名前");
  Bytes b = StoreBytes(s);
  ASSERT_EQ(20u, b.size());
  EXPECT_EQ(3, Int32At(b, 0));
  EXPECT_EQ(5, Int32At(b, 4));
  EXPECT_EQ(5, Int32At(b, 8));
  EXPECT_EQ(0x0A0B0C, Int32At(b, 12));
  EXPECT_EQ(1, Int32At(b, 16));

  jvqLineStyle t(1, 0, 0, FALSE, 13, "実線");
  t.m_bRoundEnds = FALSE;
  ASSERT_TRUE(LoadBytes(t, b));
  EXPECT_EQ(3, t.m_nPenStyle);
  EXPECT_EQ(5, t.m_nWidth);
  EXPECT_EQ(0x0A0B0Cu, t.m_crColor);
  EXPECT_TRUE(t.m_bRasterOp);
  EXPECT_EQ(13, t.m_nRop2);
  EXPECT_EQ(CString("実線"), t.GetName());
  EXPECT_FALSE(t.m_bRoundEnds);

  Bytes cut(b.begin(), b.begin() + 19);
  jvqLineStyle u(2, 0x10, 0);
  EXPECT_FALSE(LoadBytes(u, cut));
  EXPECT_EQ(2, u.m_nWidth);
}

TEST(LineStyle, NamedAndFeedbackStyles) {
  struct Case { const jvqLineStyle* s; int pen; BOOL rop; const char* name; } cases[] = {
      {&theXorDotStyle, 2, TRUE, ""},     {&theXorSolidStyle, 0, TRUE, ""},
      {&theNoLineStyle, 5, FALSE, "なし"}, {&theSolidLineStyle, 0, FALSE, "実線"},
      {&theDotLineStyle, 2, FALSE, "点線"}, {&theDashLineStyle, 1, FALSE, "破線"},
      {&theDash2LineStyle, 3, FALSE, "破線2"}, {&theDash3LineStyle, 4, FALSE, "破線3"},
  };
  for (const auto& k : cases) {
    EXPECT_EQ(k.pen, k.s->m_nPenStyle) << k.name;
    EXPECT_EQ(k.rop, k.s->m_bRasterOp) << k.name;
    EXPECT_EQ(k.rop ? 10 : 0, k.s->m_nRop2) << k.name;
    EXPECT_EQ(1, k.s->m_nWidth);
    EXPECT_EQ(CString(k.name), k.s->GetName());
  }
  jvqLineStyle mine(4, 0xFF, 0);
  mine = theDashLineStyle;
  EXPECT_EQ(1, mine.m_nPenStyle);
  EXPECT_EQ(CString("破線"), mine.GetName());
}

TEST(LineStyle, NothingToDrawReturnsAtOnce) {
  const POINT pts[3] = {{0, 0}, {10, 0}, {10, 10}};
  jvqPointList l(pts, 3);
  jvqLineStyle none(3, 0, 5);
  EXPECT_EQ(3, none.DrawPointList(NULL, l, FALSE));
  jvqLineStyle zero(0, 0, 0);
  EXPECT_EQ(0, zero.DrawPointList(NULL, l, FALSE));
}

TEST(MakeDashPattern, LengthsFollowTheWidth) {
  struct Case { BOOL round; int w; unsigned style; std::vector<int> want; } cases[] = {
      {TRUE, 2, 1, {4, 4}},
      {FALSE, 2, 1, {6, 2}},
      {TRUE, 3, 2, {1, 6}},
      {FALSE, 3, 3, {9, 3, 3, 3}},
      {TRUE, 2, 4, {4, 4, 1, 4, 1, 4}},
      {FALSE, 1, 5, {3, 1, 1, 1, 1, 1, 1, 1}},
      {FALSE, 2, 6, {6, 4}},
      {TRUE, 2, 0, {}},
  };
  for (const Case& k : cases) {
    int out[8];
    int n = MakeDashPattern(out, k.round, k.w, k.style);
    EXPECT_EQ(k.want, std::vector<int>(out, out + n)) << k.style;
  }
}

TEST(FillFactory, KindsByFlagBit) {
  EXPECT_EQ(nullptr, CreateFill(0));
  EXPECT_EQ(nullptr, CreateFill(0x10000));
  EXPECT_EQ(nullptr, CreateFill(0x8));
  std::unique_ptr<jvqFill> solid(CreateFill(0x30000));
  ASSERT_NE(nullptr, solid.get());
  EXPECT_EQ(0x30000u, solid->GetFlags());
  EXPECT_EQ(0xC0C0C0u, ((jvqSolidFill*)solid.get())->GetColor());
  EXPECT_EQ((UINT)BS_SOLID, ((jvqSolidFill*)solid.get())->GetBrushStyle());
  std::unique_ptr<jvqFill> grad(CreateFill(0x40000));
  ASSERT_NE(nullptr, grad.get());
  EXPECT_EQ(0x40000u, grad->GetFlags());
}

TEST(SolidFillRecord, FlagsBrushAndPatternIndex) {
  jvqSolidFill f(BS_HATCHED, 0x112233, 4);
  f.m_nPatternIndex = 9;
  Bytes b = StoreBytes(f);
  ASSERT_EQ(20u, b.size());
  EXPECT_EQ(0x30000, Int32At(b, 0));
  EXPECT_EQ(BS_HATCHED, Int32At(b, 4));
  EXPECT_EQ(0x112233, Int32At(b, 8));
  EXPECT_EQ(4, Int32At(b, 12));
  EXPECT_EQ(9, Int32At(b, 16));
  jvqSolidFill back(0);
  ASSERT_TRUE(LoadBytes(back, b, 4));
  EXPECT_EQ((UINT)BS_HATCHED, back.GetBrushStyle());
  EXPECT_EQ(0x112233u, back.GetColor());
  EXPECT_EQ(9, back.m_nPatternIndex);
  EXPECT_EQ(b, StoreBytes(back));
  std::unique_ptr<jvqFill> copy(back.Clone());
  EXPECT_EQ(b, StoreBytes(*(jvqSolidFill*)copy.get()));
  Bytes cut(b.begin(), b.end() - 1);
  EXPECT_FALSE(LoadBytes(back, cut, 4));
}

TEST(SolidFill, PatternIndexWithoutAPatternIsRefused) {
  jvqSolidFill f(0xFF);
  EXPECT_EQ(-1, f.m_nPatternIndex);
  f.SetPatternIndex(3);
  EXPECT_EQ((UINT)BS_DIBPATTERN, f.GetBrushStyle());
  EXPECT_FALSE(f.SetBrush(BS_DIBPATTERN, 0, 0));
  EXPECT_TRUE(f.SetBrush(BS_SOLID, 0x123, 0));
}

TEST(GradientFillRecord, KindThenColours) {
  jvqGradientFill g;
  EXPECT_EQ(0xFFFFFFu, g.m_crColor1);
  EXPECT_EQ(0xFF0000u, g.m_crColor2);
  g.SetKind(6);
  g.SetColor1(0x010203);
  Bytes b = StoreBytes(g);
  ASSERT_EQ(16u, b.size());
  EXPECT_EQ(0x40000, Int32At(b, 0));
  EXPECT_EQ(6, Int32At(b, 4));
  EXPECT_EQ(0x010203, Int32At(b, 8));
  EXPECT_EQ(0xFF0000, Int32At(b, 12));
  jvqGradientFill back;
  ASSERT_TRUE(LoadBytes(back, b, 4));
  EXPECT_EQ(b, StoreBytes(back));
}

}  // namespace
