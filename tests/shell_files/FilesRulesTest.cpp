// Template names and sheet names, without a window.
#include <gtest/gtest.h>

#include "StandardSheets.h"
#include "TemplateNames.h"
#include "ThumbnailLayout.h"

TEST(TemplateNamesTest, EveryForbiddenCharacterIsRefusedAndDoubleByteTrailBytesAreNot) {
  for (const char* p = TEMPLATE_NAME_FORBIDDEN_CHARS; *p; p++) {
    char name[8] = {'a', *p, 'b', 0};
    EXPECT_TRUE(HasForbiddenTemplateChar(name)) << name;
  }
  // "ソ" and "表" end in the byte of a backslash; "|" hides in no Japanese character here.
  for (const char* ok : {"新 しい", "ソ表示", "plan", "計画1"}) EXPECT_FALSE(HasForbiddenTemplateChar(ok)) << ok;
  EXPECT_TRUE(HasForbiddenTemplateChar("ソ\\"));
}

TEST(StandardSheetsTest, SizesNameTheirSheetOrTheUserDefinedOne) {
  struct {
    int w, h;
    const char* text;
  } cases[] = {{2970, 4200, "A3(縦)"},
               {4200, 2970, "A3(横)"},
               {2570, 1820, "B5(横)"},
               {1005, 1509, "ユーザー定義用紙(100mm×150mm)"},
               {0, 0, "ユーザー定義用紙(0mm×0mm)"}};
  for (auto c : cases) EXPECT_EQ(SheetSizeText(c.w, c.h), c.text) << c.w << "x" << c.h;
}

TEST(ThumbnailLayoutTest, PicturesAreScaledIntoTheBoxOrKeptAtTheirOwnSize) {
  struct {
    int w, h;
    RECT r;
  } cases[] = {{400, 200, {2, 32, 108, 85}},    // 106 x 53, centred down
               {200, 400, {28, 6, 81, 112}},    // 53 x 106, centred across
               {50, 30, {28, 38, 78, 68}},      // own size
               {106, 106, {2, 6, 108, 112}},
               {0, 30, {0, 0, 0, 0}},           // nothing to divide by
               {30000, 1, {2, 59, 108, 59}}};
  for (auto c : cases) {
    const RECT r = ThumbnailPictureRect(c.w, c.h);
    EXPECT_EQ(r.left, c.r.left) << c.w << "x" << c.h;
    EXPECT_EQ(r.top, c.r.top) << c.w << "x" << c.h;
    EXPECT_EQ(r.right, c.r.right) << c.w << "x" << c.h;
    EXPECT_EQ(r.bottom, c.r.bottom) << c.w << "x" << c.h;
  }
  // Nine files: the third row holds one cell, at the left.
  const RECT ninth = ThumbnailCellRect(8);
  EXPECT_EQ(ninth.left, 2);
  EXPECT_EQ(ninth.top, 292);
  EXPECT_EQ(ninth.right - ninth.left, 110);
  EXPECT_EQ(ninth.bottom - ninth.top, 142);
  EXPECT_EQ(ThumbnailCellRect(3).left, 338);
  // Placed from the top row: far rows wait parked, so no place passes 32,767 pixels.
  struct {
    int n, top, y;
  } places[] = {
      {2999, 749, 0},       // the last row at the top
      {2999, 0, 32 * 146},  // 749 rows down: parked below
      {0, 749, -32 * 146},  // parked above
      {1203, 280, 20 * 146},
      {1203, 332, -32 * 146},
  };
  for (auto p : places) {
    const RECT r = ThumbnailCellRect(p.n, p.top);
    EXPECT_EQ(r.top, p.y) << p.n << " at " << p.top;
    EXPECT_EQ(r.bottom - r.top, 142);
    EXPECT_EQ(r.left, ThumbnailCellRect(p.n).left);
  }
}

TEST(ThumbnailLayoutTest, ScrollingStopsAtTheEndsAndKeysStayInsideTheItems) {
  EXPECT_EQ(ThumbnailScrollTarget(SB_LINEDOWN, 3, 0, 3, SB_LINEDOWN, 0), 3);  // last page: ignored
  EXPECT_EQ(ThumbnailScrollTarget(SB_PAGEDOWN, 1, 0, 3, SB_LINEDOWN, 0), 2);
  EXPECT_EQ(ThumbnailScrollTarget(SB_LINEUP, 0, 0, 3, SB_LINEDOWN, 0), 0);
  EXPECT_EQ(ThumbnailScrollTarget(SB_BOTTOM, 0, 0, 3, SB_LINEDOWN, 0), 3);
  EXPECT_EQ(ThumbnailScrollTarget(SB_THUMBTRACK, 0, 0, 3, SB_LINEDOWN, 0), 0);  // only remembered
  EXPECT_EQ(ThumbnailScrollTarget(SB_ENDSCROLL, 0, 0, 3, SB_THUMBTRACK, 2), 2);
  EXPECT_EQ(ThumbnailScrollTarget(SB_ENDSCROLL, 1, 0, 3, SB_LINEDOWN, 2), 1);
  struct {
    UINT key;
    int i, n, target;
  } keys[] = {{VK_UP, 5, 9, 1},   {VK_RIGHT, 8, 9, -1}, {VK_LEFT, 0, 9, -1}, {VK_NEXT, 4, 9, 8},
              {VK_DOWN, 5, 9, -1}, {VK_END, 2, 9, 8},   {VK_HOME, 7, 9, 0},  {'A', 1, 9, -2}};
  for (auto k : keys) EXPECT_EQ(ThumbnailKeyTarget(k.key, k.i, k.n), k.target) << k.key << " from " << k.i;
}

TEST(ThumbnailLayoutTest, OnlyTheCurrentFiltersPatternsMatch) {
  const char* filter = "すべて|*.BMP;*.WMF;*.jpg|ﾋﾞｯﾄﾏｯﾌﾟ(*.BMP)|*.BMP|すべてのファイル|*.*|";
  struct {
    int index;
    const char* ext;
    BOOL match;
  } cases[] = {{1, ".bmp", TRUE}, {1, ".JPG", TRUE}, {1, ".png", FALSE}, {2, ".Bmp", TRUE},
               {2, ".wmf", FALSE}, {3, ".bmp", FALSE}, {4, ".bmp", FALSE}, {0, ".bmp", FALSE}};
  for (auto c : cases) EXPECT_EQ(MatchesPictureFilter(c.index, filter, c.ext), c.match) << c.index << c.ext;
  EXPECT_FALSE(MatchesPictureFilter(1, filter, PictureExtension("c.bmp.txt")));
  CStringArray names;
  for (const char* n : {"c.bmp", "B.BMP", "a.bmp", "写真.bmp"}) names.Add(n);
  SortPictureNames(names);
  EXPECT_EQ(names[0], "a.bmp");
  EXPECT_EQ(names[1], "B.BMP");
  EXPECT_EQ(names[2], "c.bmp");
}

TEST(ThumbnailLayoutTest, NamesAreCutByWholeCharactersAndFoldersLoseTheirOwnBackslash) {
  auto upTo = [](int n) { return [n](const CString& s) { return s.GetLength() <= n; }; };
  EXPECT_EQ(ShortenThumbnailName("写真の名前.bmp", upTo(20)), "写真の名前.bmp");
  EXPECT_EQ(ShortenThumbnailName("a写真の名前.bmp", upTo(8)), "a写真...");  // never half of a character
  EXPECT_EQ(ShortenThumbnailName("写真", upTo(2)), "...");
  EXPECT_EQ(ThumbnailFolder("C:\\絵\\"), "C:\\絵");
  EXPECT_EQ(ThumbnailFolder("C:\\ソ"), "C:\\ソ");  // 0x83 0x5C: the backslash byte belongs to ソ
  EXPECT_EQ(ThumbnailFolder("C:\\"), "C:");
}
