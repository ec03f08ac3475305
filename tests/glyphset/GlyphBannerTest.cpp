// Title banners: every shape in both modes, vertical banners, the DC given back.
#include <gtest/gtest.h>

#include "GlyphBanner.h"
#include "GlyphCanvas.h"

using namespace glyphset;

namespace {

const COLORREF kFill = RGB(230, 30, 30);
const COLORREF kLine = RGB(20, 40, 220);
const COLORREF kText = RGB(20, 160, 40);

GlyphBannerBlock MakeBanner(int shape, RECT rect, int horizontal = 1) {
  GlyphBannerBlock b = {};
  b.face = "ＭＳ Ｐゴシック";
  b.horizontal = horizontal;
  b.shadow = 1;
  b.shape = shape;
  b.style = 3;
  b.rect = rect;
  b.text = "タイトル";
  return b;
}

struct Drawn {
  int fill, line, text, shadow;
  RECT ink;
};

Drawn Draw(const GlyphBannerBlock& b, int mode) {
  GlyphCanvas canvas(500, 500);
  SetTextColor(canvas.dc(), kText);
  HPEN pen = CreatePen(PS_SOLID, 3, kLine);
  HBRUSH brush = CreateSolidBrush(kFill);
  GlyphDcState before = GlyphDcState::Of(canvas.dc());
  EXPECT_EQ(DrawBannerBlock(canvas.dc(), b, pen, brush, mode), 1);
  EXPECT_TRUE(GlyphDcState::Of(canvas.dc()) == before) << "shape " << b.shape << " mode " << mode;
  Drawn d = {canvas.Count(kFill, 30), canvas.Count(kLine, 30), canvas.Count(kText, 30), canvas.Count(RGB(96, 96, 96), 8),
             canvas.Ink()};
  DeleteObject(pen);
  DeleteObject(brush);
  return d;
}

TEST(GlyphBanner, EveryShapeDrawsInBothModes) {
  const RECT frame = {50, 150, 450, 300};
  for (int shape = 1; shape <= kBannerShapeCount; ++shape) {
    GlyphBannerBlock b = MakeBanner(shape, frame);
    Drawn filled = Draw(b, 0);
    EXPECT_GT(filled.fill, 2000) << shape;
    EXPECT_GT(filled.line, 200) << shape;
    EXPECT_GT(filled.text, 300) << shape;
    EXPECT_GT(filled.shadow, 100) << shape;
    // The shape keeps to its frame; only the shadow may reach past its lower right edges.
    EXPECT_GE(filled.ink.left, frame.left - 2) << shape;
    EXPECT_GE(filled.ink.top, frame.top - 2) << shape;
    EXPECT_LE(filled.ink.right, frame.right + 12) << shape;
    EXPECT_LE(filled.ink.bottom, frame.bottom + 12) << shape;

    Drawn hollow = Draw(b, GLYPH_BANNER_NO_FILL);
    EXPECT_EQ(hollow.fill, 0) << shape;
    EXPECT_GT(hollow.line, 200) << shape;
    EXPECT_GT(hollow.text, 300) << shape;

    Drawn bare = Draw(b, GLYPH_BANNER_NO_OUTLINE);
    EXPECT_EQ(bare.line, 0) << shape;
    EXPECT_GT(bare.fill, 2000) << shape;

    Drawn textOnly = Draw(b, GLYPH_BANNER_NO_OUTLINE | GLYPH_BANNER_NO_FILL);
    EXPECT_EQ(textOnly.line + textOnly.fill, 0) << shape;
    EXPECT_GT(textOnly.text, 300) << shape;
  }
}

TEST(GlyphBanner, ShapeNumbersOutsideTheRangeDrawTheBox) {
  Drawn box = Draw(MakeBanner(1, RECT{50, 150, 450, 300}), 0);
  Drawn odd = Draw(MakeBanner(40, RECT{50, 150, 450, 300}), 0);
  EXPECT_EQ(odd.fill, box.fill);
}

TEST(GlyphBanner, VerticalBannerStandsInTheTurnedFrame) {
  // A tall frame 100 x 300 on the page reaches the banner turned: 300 x 100 about the same centre.
  GlyphBannerBlock b = MakeBanner(12, RECT{100, 200, 400, 300}, 0);
  b.shadow = 0;
  Drawn d = Draw(b, 0);
  EXPECT_GE(d.ink.left, 198);
  EXPECT_LE(d.ink.right, 302);
  EXPECT_GE(d.ink.top, 98);
  EXPECT_LE(d.ink.bottom, 402);
  EXPECT_GT(d.ink.bottom - d.ink.top, 2 * (d.ink.right - d.ink.left));
  EXPECT_GT(d.text, 300);
}

TEST(GlyphBanner, LetteringGrowsWithTheFrame) {
  GlyphBannerBlock small = MakeBanner(1, RECT{100, 200, 300, 260});
  GlyphBannerBlock large = MakeBanner(1, RECT{20, 150, 480, 300});
  EXPECT_GT(Draw(large, GLYPH_BANNER_NO_FILL).text, 3 * Draw(small, GLYPH_BANNER_NO_FILL).text);
}

TEST(GlyphBanner, TurnedBannerIsDrawnAboutItsCentre) {
  GlyphBannerBlock b = MakeBanner(1, RECT{100, 200, 400, 300});
  b.shadow = 0;
  b.angle = 900;
  Drawn d = Draw(b, 0);
  EXPECT_NEAR((d.ink.left + d.ink.right) / 2, 250, 3);
  EXPECT_NEAR((d.ink.top + d.ink.bottom) / 2, 250, 3);
  EXPECT_GT(d.ink.bottom - d.ink.top, 2 * (d.ink.right - d.ink.left));
}

}  // namespace
