#include "GlyphTextJob.h"

#include <math.h>
#include <utility>

#include "GlyphPainter.h"

namespace glyphset {

namespace {
constexpr int kMaxCharSize = 20000;  // 2 m: bounds font and layout arithmetic
constexpr double kItalicLean = 0.2;

int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

GlyphFontSpec SpecOf(const GlyphTextBlock& b) {
  GlyphFontSpec spec;
  const char* face = b.face ? b.face : "";
  if (face[0] == '@') ++face;
  spec.face = face;
  spec.bold = b.style == 3 || b.style == 4;
  spec.italic = b.style == 2 || b.style == 4;
  spec.vertical = b.direction == 90;
  return spec;
}

// Lays the block's text out in rect; false when the block has nothing to lay out.
bool Lay(const GlyphTextBlock& b, const RECT& rect, GlyphMetrics& metrics, GlyphLayout& layout, GlyphFrame& frame) {
  if (b.charHeight <= 0) return false;
  const double em = Clamp(b.charHeight, 1, kMaxCharSize);
  const double cw = b.charWidth > 0 ? Clamp(b.charWidth, 1, kMaxCharSize) : em;
  frame = GlyphFrame::FromRect(rect, b.direction == 90, b.angle, false);
  GlyphLayoutParams p;
  p.em = em;
  p.charWidth = cw;
  p.charSpacing = b.charSpacing;
  p.lineSpacing = b.lineSpacing;
  p.alignment = b.alignment;
  p.wrap = b.wrap != 0;
  p.lineLength = frame.width > 0 ? frame.width : 0;
  layout.Build(b.text ? b.text : "", metrics, p);
  return true;
}
}  // namespace

int DrawTextBlock(HDC hdc, const GlyphTextBlock& b) {
  if (!hdc || !b.text) return 0;
  GlyphFontSpec spec = SpecOf(b);
  GlyphMetrics metrics(spec);
  GlyphLayout layout;
  GlyphFrame frame;
  if (!Lay(b, b.rect, metrics, layout, frame)) return 0;
  GlyphPaintStyle style;
  style.font = spec;
  style.em = Clamp(b.charHeight, 1, kMaxCharSize);
  style.charWidth = b.charWidth > 0 ? Clamp(b.charWidth, 1, kMaxCharSize) : style.em;
  style.aveWidth = metrics.aveWidth;
  style.underline = b.underline;
  style.color = GetTextColor(hdc);
  PaintLayout(hdc, layout, frame, style);
  return 1;
}

int MeasureTextBlock(GlyphTextBlock& b) {
  RECT r = b.rect;
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  RECT inner = r;
  InflateRect(&inner, -kGlyphMeasureMargin, -kGlyphMeasureMargin);
  if (inner.right < inner.left) inner.right = inner.left;
  if (inner.bottom < inner.top) inner.bottom = inner.top;
  GlyphMetrics metrics(SpecOf(b));
  GlyphLayout layout;
  GlyphFrame frame;
  double w = 0, h = 0;
  if (Lay(b, inner, metrics, layout, frame)) {
    w = layout.textWidth;
    h = layout.textHeight;
    // Slanted letters lean past their advance.
    if ((b.style == 2 || b.style == 4) && w > 0) w += Clamp(b.charHeight, 1, kMaxCharSize) * kItalicLean;
  }
  // Along the lines first: for vertical text the width runs down the columns.
  b.rect.left = r.left;
  b.rect.top = r.top;
  b.rect.right = r.left + (LONG)ceil(w - 1e-6) + 2 * kGlyphMeasureMargin;
  b.rect.bottom = r.top + (LONG)ceil(h - 1e-6) + 2 * kGlyphMeasureMargin;
  return 1;
}

int CharAtTextBlock(const GlyphTextBlock& b, int x, int y) {
  if (!b.text || !b.text[0]) return -1;
  GlyphMetrics metrics(SpecOf(b));
  GlyphLayout layout;
  GlyphFrame frame;
  if (!Lay(b, b.rect, metrics, layout, frame)) return -1;
  double u, v;
  frame.ToFrame(x, y, &u, &v);
  return layout.HitTest(u, v);
}

}  // namespace glyphset
