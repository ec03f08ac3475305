// Texts and titles drawn and measured through Glyphset on memory DCs: the screen, a
// printer-sized mapping and print preview.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "afxext.h"
#include "afxwin.h"
#include "jvqBannerObject.h"
#include "jvqTextObject.h"
#include "jvqViewMapping.h"
#include "TextFixtures.h"

namespace {

// A white DIB in a memory DC.
class Canvas {
 public:
  Canvas(int w, int h) : m_w(w), m_h(h) {
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    m_hDC = ::CreateCompatibleDC(NULL);
    m_hBitmap = ::CreateDIBSection(m_hDC, &bi, DIB_RGB_COLORS, (void**)&m_bits, NULL, 0);
    m_hOld = ::SelectObject(m_hDC, m_hBitmap);
    std::memset(m_bits, 0xFF, (size_t)w * h * 4);
  }
  ~Canvas() {
    ::SelectObject(m_hDC, m_hOld);
    ::DeleteObject(m_hBitmap);
    ::DeleteDC(m_hDC);
  }
  // The box around every pixel that is not white; empty when there is none.
  RECT Ink() const {
    ::GdiFlush();
    RECT r = {m_w, m_h, 0, 0};
    for (int y = 0; y < m_h; y++)
      for (int x = 0; x < m_w; x++)
        if ((m_bits[y * m_w + x] & 0xFFFFFF) != 0xFFFFFF) {
          r.left = std::min<LONG>(r.left, x);
          r.top = std::min<LONG>(r.top, y);
          r.right = std::max<LONG>(r.right, x + 1);
          r.bottom = std::max<LONG>(r.bottom, y + 1);
        }
    return r;
  }
  HDC m_hDC;
  int m_w, m_h;

 private:
  HBITMAP m_hBitmap;
  HGDIOBJ m_hOld;
  DWORD* m_bits = nullptr;
};

bool Inside(const RECT& ink, const RECT& frame) {
  return ink.left < ink.right && ink.left >= frame.left && ink.top >= frame.top && ink.right <= frame.right &&
         ink.bottom <= frame.bottom;
}

std::unique_ptr<jvqTextObject> MakeText(const RECT& r, const char* text, int direction = 0) {
  jvqTextAttributes a = MakeAttributes(text, "ＭＳ ゴシック");
  a.charWidth = a.charHeight = 40;
  a.direction = direction;
  std::unique_ptr<jvqTextObject> t(new jvqTextObject(&r, NULL, &a, 0x311));
  t->m_LineStyle = theNoLineStyle;
  t->SetFill(NULL);
  return t;
}

TEST(TextPaint, BlockIsFilledInAndLeftPointingAtTheObjectsOwnText) {
  Canvas c(400, 200);
  CDC dc;
  dc.Attach(c.m_hDC);
  const RECT r = {20, 20, 380, 180};
  const struct { int rotation; const char* face; int angle; const char* drawn; } cases[] = {
      {30, "System", 3900, "ＭＳ ゴシック"}, {-30, "system", 3300, "system"}, {0, "FixedSys", 3600, "ＭＳ ゴシック"}};
  for (const auto& k : cases) {
    auto t = MakeText(r, "a\tb\r\n\t漢字");
    t->GetTextFill()->m_strFace = k.face;
    t->SetRotation(k.rotation);
    t->Render(&dc);
    const jvqTextAttributes& a = t->GetTextFill()->m_Attributes;
    EXPECT_EQ(k.angle, a.angle) << k.rotation;
    EXPECT_STREQ(k.drawn, a.face);
    EXPECT_STREQ(k.face, t->GetTextFill()->m_strFace);
    // Not the tab-expanded copy, which is gone after painting.
    EXPECT_EQ((const char*)t->GetTextFill()->m_strText, a.text);
    EXPECT_EQ(nullptr, a.pDC);
  }
  dc.Detach();
}

TEST(TextPaint, TextStaysInsideItsFrameOnScreenPrinterAndPreview) {
  const RECT frame = {40, 30, 300, 130};
  for (int kind = 0; kind < 3; kind++) {
    SCOPED_TRACE(kind);
    Canvas c(600, 400);
    std::unique_ptr<CDC> dc(kind == 2 ? new CPreviewDC : new CDC);
    RECT expect = frame;
    if (kind == 2) {
      CPreviewDC* pv = (CPreviewDC*)dc.get();
      pv->SetAttribDC(c.m_hDC);
      pv->SetOutputDC(c.m_hDC);
      pv->SetScaleRatio(1, 1);
      pv->SetTopLeftOffset(CSize(0, 0));
      pv->m_bPrinting = TRUE;
    } else {
      dc->Attach(c.m_hDC);
    }
    if (kind == 1) {
      // A printer's many dots to the unit.
      dc->m_bPrinting = TRUE;
      dc->SetMapMode(MM_ANISOTROPIC);
      dc->SetWindowExt(1, 1);
      dc->SetViewportExt(2, 2);
      expect = {frame.left * 2, frame.top * 2, frame.right * 2, frame.bottom * 2};
    }
    // Long enough to wrap and to run out of the frame at the bottom: the clip keeps it in.
    auto t = MakeText(frame, "あいうえおかきくけこさしすせそたちつてとなにぬねの");
    HRGN before = ::CreateRectRgn(0, 0, 0, 0);
    const int nBefore = ::GetClipRgn(c.m_hDC, before);
    t->Render(dc.get());
    EXPECT_TRUE(Inside(c.Ink(), expect)) << c.Ink().left << "," << c.Ink().top << "," << c.Ink().right << ","
                                         << c.Ink().bottom;
    // The clip is as it was: none on screen and printer, the preview's page afterwards too.
    HRGN after = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(nBefore, ::GetClipRgn(c.m_hDC, after));
    if (nBefore > 0) EXPECT_TRUE(::EqualRgn(before, after));
    ::DeleteObject(before);
    ::DeleteObject(after);
    if (kind != 2) dc->Detach();
  }
}

TEST(TextPaint, VerticalTextRunsDown) {
  Canvas c(400, 400);
  CDC dc;
  dc.Attach(c.m_hDC);
  const RECT frame = {20, 20, 380, 380};
  auto t = MakeText(frame, "縦書き", JVQ_TEXT_VERTICAL);
  t->Render(&dc);
  const RECT ink = c.Ink();
  EXPECT_TRUE(Inside(ink, frame));
  EXPECT_GT(ink.bottom - ink.top, 2 * (ink.right - ink.left));
  dc.Detach();
}

TEST(TextLayout, FrameTakesTheTextsSize) {
  jvqViewMapping screen;
  const RECT wide = {0, 0, 3000, 100};
  const struct { int width; int style; int margin; int direction; } cases[] = {
      {5, 0, 30, 0},                     // a 0.5 mm line: 2 x 10 + 10
      {20, 0, 50, 0},                    // a thick line's own width
      {5, LINE_STYLE_NONE, 0, 0},        // no line, no margin
      {5, 0, 30, JVQ_TEXT_VERTICAL},     // vertical: the extents swapped
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(testing::Message() << k.width << " " << k.style << " " << k.direction);
    jvqTextAttributes a = MakeAttributes("短い文", "ＭＳ ゴシック");
    a.direction = k.direction;
    jvqTextObject t(&wide, NULL, &a, 0x311);
    t.m_LineStyle.Set(k.width, 0, k.style, FALSE, 0, NULL);
    ASSERT_TRUE(t.RecalcLayout());
    RECT needed;
    {
      jvqMappingDC dc(&screen);
      jvqTextAttributes* b = t.GetTextFill()->RefreshPointers();
      b->rect = wide;
      MeasureTextRect(&needed, b, &dc.m_dc);
    }
    RECT r;
    t.GetBoundRect(&r);
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(0, r.top);
    const int nw = needed.right - needed.left, nh = needed.bottom - needed.top;
    if (k.direction == 0) {
      EXPECT_EQ(nh + k.margin, r.bottom);
      EXPECT_EQ(std::min(nw, 3000) + k.margin, r.right);
    } else {
      EXPECT_EQ(nh + k.margin, r.right);
      EXPECT_EQ(nw + k.margin, r.bottom);
    }
  }
}

TEST(TextLayout, CharIndexComesFromFreshPointers) {
  const RECT r = {0, 0, 3000, 400};
  auto t = MakeText(r, "abcdef");
  t->GetTextFill()->m_Attributes.text = "stale";  // as a freed copy would leave it
  t->GetTextFill()->m_Attributes.face = NULL;
  EXPECT_GE(t->GetCharIndexAt(30, 30), 0);
  t->SetText("");
  EXPECT_EQ(-1, t->GetCharIndexAt(30, 30));
}

TEST(BannerPaint, DrawsAndLeavesThePrintersMappingAsItWas) {
  Canvas c(600, 300);
  CDC dc;
  dc.Attach(c.m_hDC);
  dc.m_bPrinting = TRUE;
  dc.SetMapMode(MM_ANISOTROPIC);
  dc.SetWindowExt(2, 2);
  dc.SetViewportExt(1, 1);
  dc.SetWindowOrg(10, 20);
  dc.SetViewportOrg(5, 7);
  const RECT r = {100, 100, 900, 400};
  jvqBannerStyle s;
  s.m_Block.horizontal = 1;
  jvqBannerObject o(&r, NULL, &s, 0x311);
  o.SetRotation(-30);
  o.Render(&dc);
  EXPECT_EQ(MM_ANISOTROPIC, ::GetMapMode(c.m_hDC));
  POINT w, v;
  ::GetWindowOrgEx(c.m_hDC, &w);
  ::GetViewportOrgEx(c.m_hDC, &v);
  EXPECT_EQ(10, w.x);
  EXPECT_EQ(20, w.y);
  EXPECT_EQ(5, v.x);
  EXPECT_EQ(7, v.y);
  EXPECT_EQ(1, o.m_nLastResult);
  EXPECT_EQ(3300, o.GetBannerStyle()->m_Block.angle);
  EXPECT_LT(c.Ink().left, c.Ink().right);
  dc.Detach();
}

}  // namespace
