// Drawing text under Wine with the installed Japanese fonts: measured rectangles hold the
// drawing, hit tests find what was drawn, vertical text runs as Japanese is written.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string>
#include <vector>

#include "GlyphCanvas.h"
#include "GlyphChars.h"
#include "GlyphTextJob.h"
#include "GlyphTestBlocks.h"

using namespace glyphset;

namespace {

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

std::string Str(const RECT& r) {
  char buf[64];
  snprintf(buf, sizeof buf, "(%ld,%ld)-(%ld,%ld)", r.left, r.top, r.right, r.bottom);
  return buf;
}

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

TEST(GlyphDraw, MeasuredRectangleHoldsTheDrawing) {
  struct Case {
    const char* text;
    int direction, alignment, wrap, charSpacing, lineSpacing, style;
  } cases[] = {
      {"新築一戸建て　好評分譲中！\r\n最寄駅まで徒歩５分、南向きの明るいお部屋です。", 0, 1, 1, 1, 1, 1},
      {"価格 2,980万円（税込）\r\n3LDK＋ロフト", 0, 2, 1, 2, 2, 3},
      {"駐車場２台可。「閑静な住宅街」にあります。", 0, 3, 1, 3, 3, 2},
      {"均等割付の見出し", 0, 4, 1, 1, 1, 4},
      {"折り返さない長い一行の文字列です\r\n二行目", 0, 1, 0, 1, 1, 1},
      {"縦書きの文章です。\r\n二列目「かぎ括弧」も縦に。", 90, 1, 1, 1, 1, 1},
      {"縦書き中央揃え、Ａ棟 3LDK", 90, 2, 1, 2, 2, 3},
  };
  GlyphCanvas canvas(700, 700);
  for (const Case& c : cases) {
    GlyphTextBlock b = MakeTextBlock(c.text, RECT{40, 40, 420, 420}, 28, c.direction);
    b.alignment = c.alignment;
    b.wrap = c.wrap;
    b.charSpacing = c.charSpacing;
    b.lineSpacing = c.lineSpacing;
    b.style = c.style;
    ASSERT_EQ(MeasureTextBlock(b), 1);
    RECT need = b.rect;
    EXPECT_EQ(need.left, 40);
    EXPECT_EQ(need.top, 40);
    // As the board resizes its frame: vertical text takes the measured extents swapped.
    RECT frame = need;
    if (c.direction == 90) {
      frame.right = need.left + (need.bottom - need.top);
      frame.bottom = need.top + (need.right - need.left);
    }
    // Then it paints inside a margin of 10.
    b.rect = frame;
    InflateRect(&b.rect, -kGlyphMeasureMargin, -kGlyphMeasureMargin);
    canvas.Clear();
    ASSERT_EQ(DrawTextBlock(canvas.dc(), b), 1);
    RECT ink = canvas.Ink();
    EXPECT_GT(ink.right - ink.left, 20) << c.text;
    EXPECT_TRUE(Inside(ink, frame)) << c.text << " ink " << Str(ink) << " frame " << Str(frame);
    // The measured rectangle is tight: the ink reaches close to its far edges.
    EXPECT_GE(ink.bottom, frame.bottom - 2 * kGlyphMeasureMargin - 12) << c.text;
    EXPECT_GE(ink.right, frame.right - 2 * kGlyphMeasureMargin - 30) << c.text;
  }
}

struct HitCase {
  const char* text;
  int direction, angle;
};

// Draws each character alone at its place and asks for the character under its ink.
void ExpectHitsWhereDrawn(const HitCase& c) {
  GlyphCanvas canvas(600, 600);
  const std::string text = c.text;
  for (const GlyphChar& ch : SplitShiftJis(c.text)) {
    if (ch.kind != GLYPH_CHAR_TEXT || ch.length != 2) continue;
    std::string only = KeepOnly(text, ch.offset);
    GlyphTextBlock b = MakeTextBlock(only.c_str(), RECT{150, 150, 450, 450}, 36, c.direction, c.angle);
    canvas.Clear();
    ASSERT_EQ(DrawTextBlock(canvas.dc(), b), 1);
    RECT ink = canvas.Ink();
    ASSERT_GT(ink.right, ink.left) << c.text << " @" << ch.offset;
    POINT p = Centre(ink);
    b.text = c.text;
    EXPECT_EQ(CharAtTextBlock(b, p.x, p.y), ch.offset) << c.text << " dir " << c.direction << " angle " << c.angle;
  }
}

TEST(GlyphDraw, CharacterUnderPointIsTheOneDrawnThere) {
  const HitCase cases[] = {
      {"家具付き\r\n即入居可", 0, 0},
      {"家具付き\r\n即入居可", 90, 0},
      {"家具付き\r\n即入居可", 0, 3900},  // turned 30 degrees clockwise, as the board passes it
      {"家具付き\r\n即入居可", 90, 3300},
      {"南向き角部屋", 0, 1800},
  };
  for (const HitCase& c : cases) ExpectHitsWhereDrawn(c);
  GlyphTextBlock b = MakeTextBlock("家具", RECT{150, 150, 450, 450});
  EXPECT_EQ(CharAtTextBlock(b, 160, 100), -1);  // above the first line
  b.text = "";
  EXPECT_EQ(CharAtTextBlock(b, 160, 160), -1);
}

// Ink centre of one character of a text drawn alone at its place.
POINT InkOf(const std::string& text, size_t offset, int direction, int angle) {
  GlyphCanvas canvas(600, 600);
  std::string only = KeepOnly(text, offset);
  GlyphTextBlock b = MakeTextBlock(only.c_str(), RECT{150, 150, 450, 450}, 36, direction, angle);
  DrawTextBlock(canvas.dc(), b);
  return Centre(canvas.Ink());
}

TEST(GlyphDraw, VerticalTextRunsTopToBottomRightToLeft) {
  const std::string text = "あい\r\nう";
  POINT a = InkOf(text, 0, 90, 0), i = InkOf(text, 2, 90, 0), u = InkOf(text, 6, 90, 0);
  EXPECT_LT(a.y, i.y);
  EXPECT_NEAR(a.x, i.x, 3);
  EXPECT_GT(a.x, u.x);
  EXPECT_NEAR(a.y, u.y, 3);
  EXPECT_GT(a.x, 400);  // the first column stands at the right edge
  // Turned a quarter clockwise, horizontal text runs downwards.
  POINT h0 = InkOf("あい", 0, 0, 900), h1 = InkOf("あい", 2, 0, 900);
  EXPECT_LT(h0.y, h1.y);
  EXPECT_NEAR(h0.x, h1.x, 3);
}

TEST(GlyphDraw, VerticalFaceDrawsPunctuationInItsVerticalForm) {
  // The "@" face turns the prolonged sound mark to run down the column: its ink is tall and narrow.
  GlyphCanvas canvas(400, 400);
  GlyphTextBlock b = MakeTextBlock("ー", RECT{100, 100, 300, 300}, 60, 90);
  DrawTextBlock(canvas.dc(), b);
  RECT v = canvas.Ink();
  EXPECT_GT(v.bottom - v.top, 2 * (v.right - v.left)) << Str(v);
  canvas.Clear();
  b.direction = 0;
  DrawTextBlock(canvas.dc(), b);
  RECT h = canvas.Ink();
  EXPECT_GT(h.right - h.left, 2 * (h.bottom - h.top)) << Str(h);
}

TEST(GlyphDraw, EveryUnderlineKindDraws) {
  const int kinds[] = {0, 1, 2, 3, 4, -1, -2};
  for (int direction : {0, 90}) {
    GlyphCanvas plain(500, 500), lined(500, 500);
    GlyphTextBlock b = MakeTextBlock("あいうえ", RECT{100, 100, 400, 400}, 40, direction);
    DrawTextBlock(plain.dc(), b);
    const RECT glyphs = plain.Ink();
    std::vector<int> counts;
    for (int kind : kinds) {
      lined.Clear();
      b.underline = kind;
      DrawTextBlock(lined.dc(), b);
      // The pixels the underline added, and where they are.
      RECT added = {500, 500, 0, 0};
      int n = 0;
      for (int y = 0; y < 500; ++y)
        for (int x = 0; x < 500; ++x)
          if (lined.Pixel(x, y) != RGB(255, 255, 255) && plain.Pixel(x, y) == RGB(255, 255, 255)) {
            ++n;
            added.left = std::min<LONG>(added.left, x);
            added.top = std::min<LONG>(added.top, y);
            added.right = std::max<LONG>(added.right, x + 1);
            added.bottom = std::max<LONG>(added.bottom, y + 1);
          }
      ASSERT_GT(n, 20) << "kind " << kind << " direction " << direction;
      counts.push_back(n);
      if (direction == 0) {
        EXPECT_GT(added.top, (glyphs.top + glyphs.bottom) / 2) << kind;  // under the line
        EXPECT_GT(added.right - added.left, 130) << kind;
      } else {
        EXPECT_GT(added.left, (glyphs.left + glyphs.right) / 2) << kind;  // right of the column
        EXPECT_GT(added.bottom - added.top, 130) << kind;
      }
    }
    // Broken lines leave gaps: less ink than the solid one.
    for (int i = 1; i <= 4; ++i) EXPECT_LT(counts[i], counts[0]) << kinds[i];
  }
}

TEST(GlyphDraw, BoardMappingKeepsMeasureDrawingAndHitsTogether) {
  // The board draws in 0.1 mm units on an isotropic mapping; here 2.5 units to the pixel.
  GlyphCanvas canvas(600, 600);
  HDC dc = canvas.dc();
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, 10, 10, nullptr);
  SetViewportExtEx(dc, 4, 4, nullptr);
  SetWindowOrgEx(dc, -100, -50, nullptr);
  const std::string text = "敷地面積１２０㎡の角地\r\n建物面積９８㎡";
  for (int direction : {0, 90}) {
    GlyphTextBlock b = MakeTextBlock(text.c_str(), RECT{0, 0, 1000, 1000}, 70, direction);
    ASSERT_EQ(MeasureTextBlock(b), 1);
    RECT frame = b.rect;
    if (direction == 90) {
      frame.right = b.rect.left + (b.rect.bottom - b.rect.top);
      frame.bottom = b.rect.top + (b.rect.right - b.rect.left);
    }
    b.rect = frame;
    InflateRect(&b.rect, -kGlyphMeasureMargin, -kGlyphMeasureMargin);
    canvas.Clear();
    DrawTextBlock(dc, b);
    RECT device = frame;
    LPtoDP(dc, (POINT*)&device, 2);
    RECT ink = canvas.Ink();
    EXPECT_GT(ink.right - ink.left, 30);
    EXPECT_TRUE(Inside(ink, device)) << direction << " ink " << Str(ink) << " frame " << Str(device);

    // Each character alone, found again through logical coordinates.
    for (const GlyphChar& ch : SplitShiftJis(text.c_str())) {
      if (ch.kind != GLYPH_CHAR_TEXT) continue;
      std::string only = KeepOnly(text, ch.offset);
      GlyphTextBlock one = b;
      one.text = only.c_str();
      canvas.Clear();
      DrawTextBlock(dc, one);
      POINT p = Centre(canvas.Ink());
      DPtoLP(dc, &p, 1);
      EXPECT_EQ(CharAtTextBlock(b, p.x, p.y), ch.offset) << direction;
    }
  }
}

TEST(GlyphDraw, RawTabsDrawAsTheBoardsExpandedText) {
  GlyphCanvas raw(600, 200), expanded(600, 200);
  GlyphTextBlock b = MakeTextBlock("間取\tあ", RECT{10, 10, 590, 190}, 24);
  DrawTextBlock(raw.dc(), b);
  b.text = "間取            あ";
  DrawTextBlock(expanded.dc(), b);
  EXPECT_GT(raw.CountInk(), 50);
  EXPECT_EQ(Str(raw.Ink()), Str(expanded.Ink()));
  EXPECT_EQ(raw.CountInk(), expanded.CountInk());
}

TEST(GlyphDraw, BoldDrawsHeavierThanRegular) {
  GlyphCanvas canvas(500, 300);
  GlyphTextBlock b = MakeTextBlock("太字の見出し", RECT{20, 20, 480, 280}, 40);
  DrawTextBlock(canvas.dc(), b);
  int regular = canvas.CountInk();
  canvas.Clear();
  b.style = 3;
  DrawTextBlock(canvas.dc(), b);
  EXPECT_GT(canvas.CountInk(), regular * 11 / 10);
}

TEST(GlyphDraw, DeviceContextComesBackAsItWas) {
  GlyphCanvas canvas(400, 400);
  HDC dc = canvas.dc();
  SetTextColor(dc, RGB(10, 20, 30));
  SetBkMode(dc, OPAQUE);
  SetTextAlign(dc, TA_BASELINE | TA_CENTER);
  MoveToEx(dc, 7, 9, nullptr);
  GlyphDcState before = GlyphDcState::Of(dc);
  GlyphTextBlock b = MakeTextBlock("状態\r\nを戻す", RECT{20, 20, 380, 380}, 30, 90, 450);
  b.underline = -1;
  DrawTextBlock(dc, b);
  EXPECT_TRUE(GlyphDcState::Of(dc) == before);
  // The text takes the DC's text colour.
  EXPECT_GT(canvas.Count(RGB(10, 20, 30), 8), 50);
}

TEST(GlyphDraw, NothingToDrawIsRefused) {
  GlyphCanvas canvas(200, 200);
  GlyphTextBlock b = MakeTextBlock("文字", RECT{0, 0, 200, 200});
  b.charHeight = 0;
  EXPECT_EQ(DrawTextBlock(canvas.dc(), b), 0);
  b.charHeight = 20;
  b.text = nullptr;
  EXPECT_EQ(DrawTextBlock(canvas.dc(), b), 0);
  EXPECT_EQ(canvas.CountInk(), 0);
  // Measuring an empty text leaves only the margins.
  b.text = "";
  b.rect = RECT{5, 6, 200, 200};
  EXPECT_EQ(MeasureTextBlock(b), 1);
  EXPECT_EQ(b.rect.right - b.rect.left, 2 * kGlyphMeasureMargin);
}

}  // namespace
