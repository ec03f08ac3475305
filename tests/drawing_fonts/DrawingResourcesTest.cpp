// Fonts and text metrics: the font list's character-set preference and order, the default
// GUI font, and the measure of multi-line text, under Wine with the Japanese fonts.
#include <gtest/gtest.h>

#include <string.h>
#include <string>
#include <vector>

#include "jvqDrawingResources.h"

namespace {

ENUMLOGFONTEXA Family(const char* face, BYTE charset) {
  ENUMLOGFONTEXA e = {};
  strcpy(e.elfLogFont.lfFaceName, face);
  e.elfLogFont.lfCharSet = charset;
  return e;
}

void Screen(const char* face, BYTE charset) {
  ENUMLOGFONTEXA e = Family(face, charset);
  EXPECT_EQ(EnumScreenFontProc(&e, nullptr, TRUETYPE_FONTTYPE, 0), 1);
}

void Printer(const char* face, BYTE charset) {
  ENUMLOGFONTEXA e = Family(face, charset);
  EXPECT_EQ(EnumPrinterFontProc(&e, nullptr, DEVICE_FONTTYPE, 0), 1);
}

std::vector<std::string> Faces() {
  std::vector<std::string> out;
  for (jvqFontEntry* e : theFontList) out.push_back(e->lf.lfFaceName);
  return out;
}

TEST(DrawingResources, CharsetRankDiff) {
  struct Case {
    BYTE a, b;
    int diff;
  } cases[] = {
      {SHIFTJIS_CHARSET, ANSI_CHARSET, 1}, {ANSI_CHARSET, SHIFTJIS_CHARSET, -1},
      {SHIFTJIS_CHARSET, TURKISH_CHARSET, 13}, {MAC_CHARSET, OEM_CHARSET, 1},
      {SYMBOL_CHARSET, DEFAULT_CHARSET, 3}, {200, 201, -1},  // unlisted: their own value, below all listed
      {255, 200, 10004 - 200}, {200, TURKISH_CHARSET, 200 - 10002}, {HANGUL_CHARSET, HANGUL_CHARSET, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(CharsetRankDiff(c.a, c.b), c.diff) << (int)c.a << " " << (int)c.b;
}

TEST(DrawingResources, OneEntryPerFaceWithThePreferredCharset) {
  theFontList.DeleteAll();
  Screen("Face A", ANSI_CHARSET);
  Screen("Face A", SHIFTJIS_CHARSET);
  Screen("Face A", RUSSIAN_CHARSET);
  Screen("Face B", ANSI_CHARSET);
  Screen("Face C", SHIFTJIS_CHARSET);
  Printer("Face B", SHIFTJIS_CHARSET);
  Printer("Face C", SHIFTJIS_CHARSET);  // equal rank: the screen's entry stays
  ASSERT_EQ(theFontList.size(), 3u);
  // Face B's better entry replaced the old one and moved to the end.
  EXPECT_EQ(Faces(), (std::vector<std::string>{"Face A", "Face C", "Face B"}));
  EXPECT_EQ(theFontList[0]->lf.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_EQ(theFontList[0]->nSource, 0);
  EXPECT_EQ(theFontList[2]->lf.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_EQ(theFontList[2]->nSource, 1);
  EXPECT_EQ(theFontList[2]->nFontType, DEVICE_FONTTYPE);
  EXPECT_EQ(theFontList[1]->nSource, 0);
  theFontList.DeleteAll();
}

TEST(DrawingResources, SortsFaceNamesByTheirBytes) {
  theFontList.DeleteAll();
  for (const char* face : {"ＭＳ ゴシック", "Zeta", "@ＭＳ ゴシック", "Arial", "arial", "ＭＳ Ｐゴシック"}) Screen(face, SHIFTJIS_CHARSET);
  SortFontList();
  EXPECT_EQ(Faces(), (std::vector<std::string>{"@ＭＳ ゴシック", "Arial", "Zeta", "arial", "ＭＳ Ｐゴシック", "ＭＳ ゴシック"}));
  theFontList.DeleteAll();
}

TEST(DrawingResources, InitTakesTheDefaultGuiFontAndListsTheFonts) {
  theDrawingResources.Init();
  ASSERT_NE(theDefaultGuiFont.GetSafeHandle(), nullptr);
  EXPECT_NE(theDefaultGuiFont.GetSafeHandle(), ::GetStockObject(DEFAULT_GUI_FONT));  // a private copy
  LOGFONTA mine, stock;
  ASSERT_EQ(::GetObjectA(theDefaultGuiFont.GetSafeHandle(), sizeof mine, &mine), (int)sizeof mine);
  ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock);
  EXPECT_STREQ(mine.lfFaceName, stock.lfFaceName);
  EXPECT_EQ(mine.lfHeight, stock.lfHeight);
  EXPECT_EQ(theLineEndList.size(), 10u);  // kinds 0 to 9, once however often Init runs

  std::vector<std::string> faces = Faces();
  ASSERT_GT(faces.size(), 3u);
  // Sorted by bytes (strcmp compares them unsigned) and each face once.
  for (size_t i = 1; i < faces.size(); ++i) EXPECT_LT(strcmp(faces[i - 1].c_str(), faces[i].c_str()), 0) << faces[i];
  bool gothic = false;
  for (jvqFontEntry* e : theFontList)
    if (strcmp(e->lf.lfFaceName, "ＭＳ ゴシック") == 0) gothic = e->lf.lfCharSet == SHIFTJIS_CHARSET;
  EXPECT_TRUE(gothic);

  // Enumerating again gives the same list.
  theDrawingResources.EnumFonts();
  EXPECT_EQ(Faces(), faces);
}

TEST(DrawingResources, MultiLineTextExtent) {
  if (!theDefaultGuiFont.GetSafeHandle()) theDrawingResources.Init();
  CDC dc;
  ASSERT_TRUE(dc.Attach(::CreateCompatibleDC(NULL)));
  HGDIOBJ before = ::GetCurrentObject(dc.m_hDC, OBJ_FONT);

  CFont* font = &theDefaultGuiFont;
  HGDIOBJ old = ::SelectObject(dc.m_hDC, font->GetSafeHandle());
  SIZE shortLine, longLine, whole, empty;
  ::GetTextExtentPoint32A(dc.m_hDC, "", 0, &empty);
  ::GetTextExtentPoint32A(dc.m_hDC, "短い", 4, &shortLine);
  ::GetTextExtentPoint32A(dc.m_hDC, "ずっと長い二行目です", 20, &longLine);
  ::GetTextExtentPoint32A(dc.m_hDC, "短い\nずっと長い二行目です", 25, &whole);
  ::SelectObject(dc.m_hDC, old);

  SIZE s;
  EXPECT_EQ(GetMultiLineTextExtent(&s, &dc, "短い\r\nずっと長い二行目です", NULL), &s);
  EXPECT_EQ(s.cx, longLine.cx);
  EXPECT_EQ(s.cy, shortLine.cy + longLine.cy);
  // A lone line feed does not split.
  GetMultiLineTextExtent(&s, &dc, "短い\nずっと長い二行目です", NULL);
  EXPECT_EQ(s.cx, whole.cx);
  EXPECT_EQ(s.cy, whole.cy);
  // A closing "\r\n" adds an empty line, measured as GDI measures an empty text.
  GetMultiLineTextExtent(&s, &dc, "短い\r\n", font);
  EXPECT_EQ(s.cx, shortLine.cx);
  EXPECT_EQ(s.cy, shortLine.cy + empty.cy);
  EXPECT_EQ(::GetCurrentObject(dc.m_hDC, OBJ_FONT), before);

  // With another font the lines measure in that font.
  CFont big;
  LOGFONTA lf = {};
  lf.lfHeight = -40;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  strcpy(lf.lfFaceName, "ＭＳ ゴシック");
  ASSERT_TRUE(big.Attach(::CreateFontIndirectA(&lf)));
  GetMultiLineTextExtent(&s, &dc, "あ\r\nあ", &big);
  EXPECT_EQ(s.cx, 40);
  EXPECT_GE(s.cy, 80);
  EXPECT_EQ(::GetCurrentObject(dc.m_hDC, OBJ_FONT), before);
  ::DeleteDC(dc.Detach());
}

}  // namespace
