// Splitting, wrapping, alignment and hit testing of the layout, without drawing.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "GlyphChars.h"
#include "GlyphLayout.h"

using namespace glyphset;

namespace {

GlyphFontSpec Gothic() {
  GlyphFontSpec spec;
  spec.face = "ＭＳ ゴシック";
  return spec;
}

struct Laid {
  GlyphMetrics metrics{Gothic()};
  GlyphLayout layout;
  Laid(const char* text, double lineLength, int alignment = 1, bool wrap = true, int spacing = 1) {
    GlyphLayoutParams p;
    p.em = p.charWidth = 40;
    p.lineLength = lineLength;
    p.alignment = alignment;
    p.wrap = wrap;
    p.charSpacing = spacing;
    layout.Build(text, metrics, p);
  }
  std::vector<int> LineStarts() const {
    std::vector<int> s;
    for (const GlyphLine& l : layout.lines) s.push_back(l.startOffset);
    return s;
  }
};

TEST(GlyphChars, SplitsShiftJisBreaksAndTabs) {
  // "aあ\tb\r\nc\nd" : the tab stands at column 3 and fills to 16.
  std::vector<GlyphChar> c = SplitShiftJis("aあ\tb\r\nc\nd");
  ASSERT_EQ(c.size(), 8u);
  EXPECT_EQ(c[1].length, 2);
  EXPECT_EQ(c[1].wide, L"\x3042");
  EXPECT_EQ(c[2].kind, GLYPH_CHAR_TAB);
  EXPECT_EQ(c[2].tabColumns, 13);
  EXPECT_EQ(c[4].kind, GLYPH_CHAR_BREAK);
  EXPECT_EQ(c[4].length, 2);
  EXPECT_EQ(c[6].kind, GLYPH_CHAR_BREAK);
  EXPECT_EQ(c[7].offset, 9);

  // A lead byte cut off by the end of the text stays a single byte.
  std::vector<GlyphChar> cut = SplitShiftJis("a\x82");
  ASSERT_EQ(cut.size(), 2u);
  EXPECT_EQ(cut[1].length, 1);
  EXPECT_TRUE(SplitShiftJis(nullptr).empty());
}

TEST(GlyphLayout, WrapKeepsClosingPunctuationOffLineStart) {
  // Five characters fit; the full stop would start the second line, so "お" goes down with it.
  Laid l("あいうえお。かきく", 200);
  EXPECT_EQ(l.LineStarts(), (std::vector<int>{0, 8}));
  // Two closing marks in a row go down together with the character before them.
  Laid k("あいうえ」。かき", 160);
  EXPECT_EQ(k.LineStarts(), (std::vector<int>{0, 6, 14}));
}

TEST(GlyphLayout, WrapKeepsOpeningBracketOffLineEnd) {
  Laid l("あいう「えお」", 160);
  EXPECT_EQ(l.LineStarts(), (std::vector<int>{0, 6}));
}

TEST(GlyphLayout, WrapKeepsSingleByteWordWhole) {
  Laid l("間取3LDK", 150);
  ASSERT_EQ(l.layout.lines.size(), 2u);
  EXPECT_EQ(l.layout.lines[1].startOffset, 4);
}

TEST(GlyphLayout, WrapNeverSplitsDoubleByteCharacter) {
  const char* text = "aあbいcうdえeおfか1きxくyけ";
  std::set<int> starts;
  for (const GlyphChar& c : SplitShiftJis(text)) starts.insert(c.offset);
  for (double length : {0.0, 10.0, 45.0, 70.0, 100.0, 130.0, 250.0}) {
    Laid l(text, length);
    for (const GlyphLine& line : l.layout.lines) {
      EXPECT_TRUE(starts.count(line.startOffset)) << length;
      EXPECT_TRUE(line.width <= length + 1e-6 || line.end - line.first == 1) << length;
    }
  }
  // Narrower than one character: one character per line.
  Laid narrow("あいう", 5);
  EXPECT_EQ(narrow.LineStarts(), (std::vector<int>{0, 2, 4}));
}

TEST(GlyphLayout, LineBreaksAndTabsLayOutAsTheBoardExpandsThem) {
  Laid crlf("あ\r\nい\nう", 1000, 1, false);
  EXPECT_EQ(crlf.LineStarts(), (std::vector<int>{0, 4, 7}));
  Laid trailing("あ\r\n", 1000);
  EXPECT_EQ(trailing.layout.lines.size(), 2u);
  EXPECT_EQ(trailing.layout.lines[1].startOffset, 4);

  // The board draws with tabs expanded to 16 columns and measures without: both agree.
  Laid raw("ab\tc", 2000, 1, false);
  Laid expanded("ab              c", 2000, 1, false);
  EXPECT_DOUBLE_EQ(raw.layout.u[3], expanded.layout.u[16]);
  EXPECT_DOUBLE_EQ(raw.layout.textWidth, expanded.layout.textWidth);
}

TEST(GlyphLayout, AlignmentPlacesLines) {
  const double room = 400;
  struct Case {
    int alignment;
    double first, lastEnd;
  } cases[] = {{1, 0, 120}, {2, 140, 260}, {3, 280, 400}, {4, 0, 400}};
  for (const Case& c : cases) {
    Laid l("あいう", room, c.alignment);
    EXPECT_NEAR(l.layout.u[0], c.first, 1e-6) << c.alignment;
    EXPECT_NEAR(l.layout.u[2] + l.layout.advance[2], c.lastEnd, 1e-6) << c.alignment;
  }
  // Wide spacing widens the line, narrow spacing narrows it.
  Laid normal("あいう", 1000, 1, false, 1), wide("あいう", 1000, 1, false, 2), narrow("あいう", 1000, 1, false, 3);
  EXPECT_GT(wide.layout.textWidth, normal.layout.textWidth);
  EXPECT_LT(narrow.layout.textWidth, normal.layout.textWidth);
}

TEST(GlyphLayout, HitTestFindsCharactersAndLineEnds) {
  Laid l("あいう\r\nえ", 1000, 1, false);
  const double mid = l.layout.cellHeight / 2;
  EXPECT_EQ(l.layout.HitTest(60, mid), 2);
  EXPECT_EQ(l.layout.HitTest(500, mid), 6);  // past the end of the first line: its end
  EXPECT_EQ(l.layout.HitTest(-5, mid), 0);
  EXPECT_EQ(l.layout.HitTest(10, l.layout.lines[1].top + mid), 8);
  EXPECT_EQ(l.layout.HitTest(10, -1), -1);
  EXPECT_EQ(l.layout.HitTest(10, l.layout.textHeight + 1), -1);
}

TEST(GlyphFrame, TurnsClockwiseAndBack) {
  RECT r = {100, 100, 300, 200};
  GlyphFrame h = GlyphFrame::FromRect(r, false, 0, false);
  POINT p = h.PagePoint(0, 0);
  EXPECT_EQ(p.x, 100);
  EXPECT_EQ(p.y, 100);
  // Vertical: the frame runs down the rectangle's height and starts at its top right corner.
  GlyphFrame v = GlyphFrame::FromRect(r, true, 0, false);
  EXPECT_DOUBLE_EQ(v.width, 100);
  p = v.PagePoint(0, 0);
  EXPECT_EQ(p.x, 300);
  EXPECT_EQ(p.y, 100);
  EXPECT_EQ(v.escapement, 2700);
  // The board passes angles of 3600 to 7199 tenths; negative ones are folded too.
  EXPECT_EQ(GlyphFrame::FromRect(r, false, 3900, false).escapement, 3300);
  EXPECT_EQ(GlyphFrame::FromRect(r, false, -300, false).escapement, 300);
  GlyphFrame t = GlyphFrame::FromRect(r, false, 3300, false);
  double u, w, x, y;
  t.ToPage(37, 12, &x, &y);
  t.ToFrame(x, y, &u, &w);
  EXPECT_NEAR(u, 37, 1e-9);
  EXPECT_NEAR(w, 12, 1e-9);
}

}  // namespace
