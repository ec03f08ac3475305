// The four calls as the board imports them from glyphset.dll, with the framework's DC,
// pen and brush in the blocks.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <stddef.h>

#include "GlyphCanvas.h"
#include "GlyphTestBlocks.h"
#include "glyphset.h"

namespace {

TEST(GlyphsetCalls, BlocksKeepTheBoardsLayout) {
  // The 32-bit layout is the one the board and the library share; the 64-bit test build has
  // the same fields in the same order with 8-byte pointers.
#ifdef _WIN64
  const size_t text[] = {80, 16, 28, 44, 52, 56, 72}, banner[] = {80, 16, 32, 36, 56, 72};
#else
  const size_t text[] = {68, 8, 20, 36, 44, 48, 64}, banner[] = {56, 8, 24, 28, 44, 52};
#endif
  EXPECT_EQ(sizeof(GlyphTextBlock), text[0]);
  EXPECT_EQ(offsetof(GlyphTextBlock, charWidth), text[1]);
  EXPECT_EQ(offsetof(GlyphTextBlock, underline), text[2]);
  EXPECT_EQ(offsetof(GlyphTextBlock, direction), text[3]);
  EXPECT_EQ(offsetof(GlyphTextBlock, wrap), text[4]);
  EXPECT_EQ(offsetof(GlyphTextBlock, rect), text[5]);
  EXPECT_EQ(offsetof(GlyphTextBlock, text), text[6]);
  EXPECT_EQ(sizeof(GlyphBannerBlock), banner[0]);
  EXPECT_EQ(offsetof(GlyphBannerBlock, horizontal), banner[1]);
  EXPECT_EQ(offsetof(GlyphBannerBlock, angle), banner[2]);
  EXPECT_EQ(offsetof(GlyphBannerBlock, rect), banner[3]);
  EXPECT_EQ(offsetof(GlyphBannerBlock, pPen), banner[4]);
  EXPECT_EQ(offsetof(GlyphBannerBlock, text), banner[5]);
}

TEST(GlyphsetCalls, ExportedByName) {
  HMODULE dll = ::GetModuleHandleA("glyphset.dll");
  ASSERT_NE(dll, nullptr);
  for (const char* name : {"qvzDrawText", "qvzGetDrawRect", "qvzGetCharPos", "qvzDrawBanner"})
    EXPECT_NE(::GetProcAddress(dll, name), nullptr) << name;
}

TEST(GlyphsetCalls, MeasureDrawAndFindThroughTheFrameworkDC) {
  GlyphCanvas canvas(500, 400);
  CDC dc;
  ASSERT_TRUE(dc.Attach(canvas.dc()));
  dc.SetTextColor(RGB(0, 0, 160));
  GlyphTextBlock b = MakeTextBlock("南向き\r\n角部屋", RECT{30, 30, 470, 370}, 40);
  b.pDC = &dc;
  ASSERT_EQ(qvzGetDrawRect(&b), 1);
  RECT need = b.rect;
  b.rect = need;
  InflateRect(&b.rect, -10, -10);
  GlyphDcState before = GlyphDcState::Of(canvas.dc());
  EXPECT_EQ(qvzDrawText(&b), 1);
  EXPECT_TRUE(GlyphDcState::Of(canvas.dc()) == before);
  RECT ink = canvas.Ink();
  EXPECT_GT(ink.right - ink.left, 60);
  EXPECT_GE(ink.left, need.left);
  EXPECT_LE(ink.right, need.right);
  EXPECT_LE(ink.bottom, need.bottom);
  EXPECT_GT(canvas.Count(RGB(0, 0, 160), 30), 100);
  // The second line's second character, and nothing above the text.
  EXPECT_EQ(qvzGetCharPos(&b, b.rect.left + 60, b.rect.top + 70), 10);
  EXPECT_EQ(qvzGetCharPos(&b, b.rect.left + 60, b.rect.top - 20), -1);
  dc.Detach();
}

TEST(GlyphsetCalls, BannerWithFrameworkPenAndBrush) {
  GlyphCanvas canvas(500, 400);
  CDC dc;
  ASSERT_TRUE(dc.Attach(canvas.dc()));
  CPen pen;
  pen.CreatePen(PS_SOLID, 3, RGB(0, 0, 255));
  CBrush brush;
  brush.CreateSolidBrush(RGB(255, 0, 0));
  GlyphBannerBlock b = {};
  b.pDC = &dc;
  b.face = "ＭＳ Ｐゴシック";
  b.horizontal = 1;
  b.shadow = 1;
  b.shape = 12;
  b.style = 1;
  b.rect = RECT{50, 100, 450, 250};
  b.pPen = &pen;
  b.pBrush = &brush;
  b.text = "タイトル";
  dc.SetTextColor(RGB(255, 255, 0));
  GlyphDcState before = GlyphDcState::Of(canvas.dc());
  EXPECT_EQ(qvzDrawBanner(&b, 0, 0), 1);
  EXPECT_TRUE(GlyphDcState::Of(canvas.dc()) == before);
  EXPECT_GT(canvas.Count(RGB(255, 0, 0), 20), 5000);
  EXPECT_GT(canvas.Count(RGB(0, 0, 255), 20), 200);
  EXPECT_GT(canvas.Count(RGB(255, 255, 0), 20), 300);
  canvas.Clear();
  EXPECT_EQ(qvzDrawBanner(&b, 0, GLYPH_BANNER_NO_OUTLINE | GLYPH_BANNER_NO_FILL), 1);
  EXPECT_EQ(canvas.Count(RGB(255, 0, 0), 20) + canvas.Count(RGB(0, 0, 255), 20), 0);
  dc.Detach();
}

TEST(GlyphsetCalls, MissingBlockOrDCIsRefused) {
  EXPECT_EQ(qvzDrawText(nullptr), 0);
  EXPECT_EQ(qvzGetDrawRect(nullptr), 0);
  EXPECT_EQ(qvzGetCharPos(nullptr, 0, 0), -1);
  EXPECT_EQ(qvzDrawBanner(nullptr, 0, 0), 0);
  GlyphTextBlock t = MakeTextBlock("文字", RECT{0, 0, 100, 100});
  EXPECT_EQ(qvzDrawText(&t), 0);
  GlyphBannerBlock b = {};
  EXPECT_EQ(qvzDrawBanner(&b, 0, 0), 0);
}

}  // namespace
