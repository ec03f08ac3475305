// Draws a sample board of texts and all twelve banners in the board's units (0.1 mm,
// isotropic mapping) and keeps it as a picture beside the tests: glyphset_sample_board.bmp and .png.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string>

#include "GlyphBanner.h"
#include "GlyphCanvas.h"
#include "GlyphPng.h"
#include "GlyphTestBlocks.h"
#include "GlyphTextJob.h"

using namespace glyphset;

namespace {

void Frame(HDC dc, RECT r) {
  HGDIOBJ old = SelectObject(dc, GetStockObject(NULL_BRUSH));
  HPEN pen = CreatePen(PS_SOLID, 0, RGB(180, 180, 180));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
  SelectObject(dc, oldPen);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void Text(HDC dc, GlyphTextBlock b, COLORREF color) {
  Frame(dc, b.rect);
  SetTextColor(dc, color);
  DrawTextBlock(dc, b);
}

TEST(GlyphSampleBoard, DrawsTextsAndAllBanners) {
  GlyphCanvas canvas(1500, 1100);
  HDC dc = canvas.dc();
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, 10, 10, nullptr);
  SetViewportExtEx(dc, 4, 4, nullptr);  // 2.5 units of 0.1 mm to the pixel

  GlyphTextBlock head = MakeTextBlock("新築分譲住宅　見学会のご案内", RECT{100, 80, 2300, 300}, 130);
  head.style = 3;
  head.underline = -2;
  Text(dc, head, RGB(20, 40, 120));

  GlyphTextBlock body = MakeTextBlock(
      "閑静な住宅街に全６棟の新築一戸建てが誕生しました。南向きの明るいリビング、"
      "広々とした対面キッチン、各居室に収納を備えています。\r\n"
      "価格 2,980万円（税込）〜　間取り 3LDK＋ロフト\r\n"
      "最寄駅まで徒歩５分。「現地案内所」へお気軽にお越しください。",
      RECT{100, 340, 1500, 1100}, 55);
  Text(dc, body, RGB(0, 0, 0));

  GlyphTextBlock vertical = MakeTextBlock("縦書きの案内文です。\r\n「見学会」は毎週末、\r\n午前十時より開催。",
                                          RECT{1560, 340, 1960, 1100}, 60, 90);
  vertical.charSpacing = 2;
  Text(dc, vertical, RGB(120, 20, 20));

  GlyphTextBlock turned = MakeTextBlock("三十度回転した文字", RECT{2050, 500, 2950, 620}, 60, 0, 3900);
  turned.alignment = 2;
  Text(dc, turned, RGB(0, 100, 0));

  const int kinds[] = {0, 1, 2, 3, 4, -1, -2};
  const char* names[] = {"直線の下線", "破線の下線", "点線の下線", "破線1の下線", "破線2の下線", "波線の下線", "二重線の下線"};
  for (int i = 0; i < 7; ++i) {
    GlyphTextBlock u = MakeTextBlock(names[i], RECT{100 + (i % 4) * 700, 1150 + (i / 4) * 120, 760 + (i % 4) * 700, 1260 + (i / 4) * 120}, 50);
    u.underline = kinds[i];
    Text(dc, u, RGB(0, 0, 0));
  }
  GlyphTextBlock justified = MakeTextBlock("均等割付", RECT{2200, 1270, 2900, 1380}, 60);
  justified.alignment = 4;
  Text(dc, justified, RGB(0, 0, 0));

  const COLORREF fills[] = {RGB(220, 30, 40), RGB(250, 200, 30), RGB(30, 110, 200), RGB(40, 160, 80)};
  const char* words[] = {"好評分譲中", "オープンハウス", "新築", "値下げ", "駅近", "角地", "完成間近",
                         "特価", "大好評", "SALE", "限定３区画", "タイトル"};
  for (int shape = 1; shape <= 12; ++shape) {
    int col = (shape - 1) % 4, row = (shape - 1) / 4;
    RECT r = {100 + col * 720, 1450 + row * 330, 720 + col * 720, 1700 + row * 330};
    Frame(dc, r);
    HPEN pen = CreatePen(PS_SOLID, 6, RGB(60, 20, 20));
    HBRUSH brush = CreateSolidBrush(fills[shape % 4]);
    GlyphBannerBlock b = {};
    b.face = "ＭＳ Ｐゴシック";
    b.horizontal = 1;
    b.shadow = 1;
    b.shape = shape;
    b.style = shape % 2 ? 3 : 4;
    b.rect = r;
    b.text = words[shape - 1];
    SetTextColor(dc, shape % 4 == 1 ? RGB(140, 0, 0) : RGB(255, 255, 255));  // dark letters on yellow
    DrawBannerBlock(dc, b, pen, brush, shape == 11 ? GLYPH_BANNER_NO_FILL : 0);
    DeleteObject(pen);
    DeleteObject(brush);
  }
  // Two vertical banners at the right edge.
  for (int i = 0; i < 2; ++i) {
    RECT page = {3000 + i * 230, 300, 3200 + i * 230, 1350};
    Frame(dc, page);
    int cx = (page.left + page.right) / 2, cy = (page.top + page.bottom) / 2;
    int w = page.right - page.left, h = page.bottom - page.top;
    GlyphBannerBlock b = {};
    b.face = "ＭＳ 明朝";
    b.horizontal = 0;
    b.shadow = 1;
    b.shape = i ? 7 : 12;
    b.style = 3;
    b.rect = RECT{cx - h / 2, cy - w / 2, cx + h / 2, cy + w / 2};
    b.text = i ? "売地あり" : "モデルハウス";
    HBRUSH brush = CreateSolidBrush(i ? RGB(30, 110, 200) : RGB(220, 30, 40));
    SetTextColor(dc, RGB(255, 255, 255));
    DrawBannerBlock(dc, b, (HPEN)GetStockObject(BLACK_PEN), brush, 0);
    DeleteObject(brush);
  }

  EXPECT_GT(canvas.CountInk(), 100000);
  // The test's working folder is the build tree's bin folder.
  const std::string base = "glyphset_sample_board";
  EXPECT_TRUE(canvas.SaveBmp(base + ".bmp")) << base;
  EXPECT_TRUE(WriteGlyphPng(base + ".png", canvas.Bits(), canvas.width(), canvas.height())) << base;
}

}  // namespace
