#include "GlyphBanner.h"

#include <math.h>

#include "GlyphLayout.h"
#include "GlyphPainter.h"

namespace glyphset {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr int kMaxBannerEm = 20000;
constexpr COLORREF kShadowColor = RGB(96, 96, 96);

using Ring = std::vector<BannerPoint>;

Ring Box(double u0, double v0, double u1, double v1) { return {{u0, v0}, {u1, v0}, {u1, v1}, {u0, v1}}; }

Ring Ellipse(double cu, double cv, double ru, double rv, int n) {
  Ring r;
  for (int i = 0; i < n; ++i) {
    double a = 2 * kPi * i / n;
    r.push_back({cu + ru * cos(a), cv + rv * sin(a)});
  }
  return r;
}

Ring RoundBox(double w, double h, double radius) {
  Ring r;
  const double c[4][3] = {{w - radius, radius, -90}, {w - radius, h - radius, 0}, {radius, h - radius, 90}, {radius, radius, 180}};
  for (const auto& k : c)
    for (int i = 0; i <= 8; ++i) {
      double a = (k[2] + 90.0 * i / 8) * kPi / 180;
      r.push_back({k[0] + radius * cos(a), k[1] + radius * sin(a)});
    }
  return r;
}

void SetText(BannerShape& s, double l, double t, double r, double b) {
  s.textLeft = l;
  s.textTop = t;
  s.textRight = r;
  s.textBottom = b;
}
}  // namespace

BannerShape MakeBannerShape(int shape, double w, double h) {
  BannerShape s;
  auto body = [&](Ring r) { s.parts.push_back({BANNER_BODY, {std::move(r)}}); };
  const double m = w < h ? w : h;
  switch (shape) {
    case 2: {  // rounded box
      double radius = fmin(h * 0.3, w / 2);
      body(RoundBox(w, h, radius));
      SetText(s, radius * 0.5, h * 0.14, w - radius * 0.5, h * 0.86);
      break;
    }
    case 3:  // oval
      body(Ellipse(w / 2, h / 2, w / 2, h / 2, 72));
      SetText(s, w * 0.15, h * 0.2, w * 0.85, h * 0.8);
      break;
    case 4: {  // slanted band
      double sl = fmin(h * 0.35, w * 0.25);
      body({{sl, 0}, {w, 0}, {w - sl, h}, {0, h}});
      SetText(s, sl, h * 0.14, w - sl, h * 0.86);
      break;
    }
    case 5: {  // hexagon
      double p = fmin(h * 0.35, w * 0.25);
      body({{p, 0}, {w - p, 0}, {w, h / 2}, {w - p, h}, {p, h}, {0, h / 2}});
      SetText(s, p * 0.8, h * 0.14, w - p * 0.8, h * 0.86);
      break;
    }
    case 6: {  // arrow to the right
      double p = fmin(h * 0.45, w * 0.3);
      body({{0, 0}, {w - p, 0}, {w, h / 2}, {w - p, h}, {0, h}});
      SetText(s, w * 0.05, h * 0.14, w - p, h * 0.86);
      break;
    }
    case 7: {  // swallowtail flag
      double n = fmin(h * 0.3, w * 0.2);
      body({{0, 0}, {w, 0}, {w - n, h / 2}, {w, h}, {0, h}, {n, h / 2}});
      SetText(s, n, h * 0.14, w - n, h * 0.86);
      break;
    }
    case 8: {  // price tag with its hole
      double p = fmin(h * 0.4, w * 0.3);
      double hole = fmin(h * 0.1, p * 0.3);
      s.parts.push_back({BANNER_BODY, {{{p, 0}, {w, 0}, {w, h}, {p, h}, {0, h / 2}}, Ellipse(p * 0.7, h / 2, hole, hole, 24)}});
      SetText(s, p * 1.05, h * 0.14, w * 0.96, h * 0.86);
      break;
    }
    case 9: {  // waving flag
      double a = h * 0.08;
      Ring r;
      for (int i = 0; i <= 32; ++i) r.push_back({w * i / 32, a + a * sin(2 * kPi * i / 32)});
      for (int i = 32; i >= 0; --i) r.push_back({w * i / 32, h - a + a * sin(2 * kPi * i / 32)});
      body(r);
      SetText(s, w * 0.06, a * 2 + h * 0.06, w * 0.94, h - a * 2 - h * 0.06);
      break;
    }
    case 10: {  // burst
      Ring r;
      const int spikes = 28;
      for (int i = 0; i < spikes * 2; ++i) {
        double a = kPi * i / spikes - kPi / 2;
        double k = i % 2 ? 0.78 : 1.0;
        r.push_back({w / 2 + w / 2 * k * cos(a), h / 2 + h / 2 * k * sin(a)});
      }
      body(r);
      SetText(s, w * 0.2, h * 0.25, w * 0.8, h * 0.75);
      break;
    }
    case 11: {  // double frame
      double d = m * 0.08;
      body(Box(0, 0, w, h));
      s.parts.push_back({BANNER_FRAME, {Box(d, d, w - d, h - d)}});
      SetText(s, d * 2, d * 2, w - d * 2, h - d * 2);
      break;
    }
    case 12: {  // ribbon with folded tails
      s.parts.push_back({BANNER_BACK, {{{0, h * 0.28}, {w * 0.2, h * 0.28}, {w * 0.2, h}, {0, h}, {w * 0.07, h * 0.64}}}});
      s.parts.push_back({BANNER_BACK, {{{w, h * 0.28}, {w * 0.8, h * 0.28}, {w * 0.8, h}, {w, h}, {w * 0.93, h * 0.64}}}});
      s.parts.push_back({BANNER_SHADE, {{{w * 0.12, h * 0.72}, {w * 0.2, h * 0.72}, {w * 0.2, h * 0.88}}}});
      s.parts.push_back({BANNER_SHADE, {{{w * 0.88, h * 0.72}, {w * 0.8, h * 0.72}, {w * 0.8, h * 0.88}}}});
      body(Box(w * 0.12, 0, w * 0.88, h * 0.72));
      SetText(s, w * 0.16, h * 0.08, w * 0.84, h * 0.64);
      break;
    }
    default:  // box
      body(Box(0, 0, w, h));
      SetText(s, w * 0.06, h * 0.14, w * 0.94, h * 0.86);
      break;
  }
  return s;
}

namespace {
void DrawPart(HDC hdc, const BannerPart& part, const GlyphFrame& frame, int dx, int dy) {
  std::vector<POINT> pts;
  std::vector<INT> counts;
  for (const Ring& ring : part.rings) {
    for (const BannerPoint& p : ring) {
      POINT q = frame.PagePoint(p.u, p.v);
      pts.push_back({q.x + dx, q.y + dy});
    }
    counts.push_back((INT)ring.size());
  }
  if (counts.size() == 1) Polygon(hdc, pts.data(), counts[0]);
  else if (!counts.empty()) PolyPolygon(hdc, pts.data(), counts.data(), (int)counts.size());
}

COLORREF Darker(HBRUSH brush) {
  LOGBRUSH lb;
  if (brush && GetObjectA(brush, sizeof lb, &lb) == sizeof lb && lb.lbStyle == BS_SOLID)
    return RGB(GetRValue(lb.lbColor) * 3 / 5, GetGValue(lb.lbColor) * 3 / 5, GetBValue(lb.lbColor) * 3 / 5);
  return RGB(64, 64, 64);
}
}  // namespace

int DrawBannerBlock(HDC hdc, const GlyphBannerBlock& b, HPEN pen, HBRUSH brush, int mode) {
  if (!hdc) return 0;
  const bool vertical = b.horizontal == 0;
  GlyphFrame frame = GlyphFrame::FromRect(b.rect, vertical, b.angle, true);
  BannerShape shape = MakeBannerShape(b.shape, frame.width, frame.height);
  const bool fill = !(mode & GLYPH_BANNER_NO_FILL);
  const bool outline = !(mode & GLYPH_BANNER_NO_OUTLINE);
  const COLORREF textColor = GetTextColor(hdc);
  const double m = frame.width < frame.height ? frame.width : frame.height;
  const int shadow = b.shadow ? (int)fmax(1.0, floor(m * 0.06 + 0.5)) : 0;

  const int saved = SaveDC(hdc);
  SetPolyFillMode(hdc, ALTERNATE);
  HBRUSH shadowBrush = CreateSolidBrush(kShadowColor);
  HBRUSH shadeBrush = CreateSolidBrush(Darker(brush));
  HGDIOBJ nullPen = GetStockObject(NULL_PEN);
  HGDIOBJ nullBrush = GetStockObject(NULL_BRUSH);
  HGDIOBJ drawPen = outline ? (pen ? (HGDIOBJ)pen : GetStockObject(BLACK_PEN)) : nullPen;
  HGDIOBJ drawBrush = fill ? (brush ? (HGDIOBJ)brush : GetStockObject(WHITE_BRUSH)) : nullBrush;

  if (shadow && fill) {
    SelectObject(hdc, nullPen);
    SelectObject(hdc, shadowBrush);
    for (const BannerPart& part : shape.parts)
      if (part.kind == BANNER_BACK || part.kind == BANNER_BODY) DrawPart(hdc, part, frame, shadow, shadow);
  }
  for (BannerPartKind kind : {BANNER_BACK, BANNER_SHADE, BANNER_BODY, BANNER_FRAME}) {
    for (const BannerPart& part : shape.parts) {
      if (part.kind != kind) continue;
      if (kind == BANNER_SHADE) {
        if (!fill) continue;
        SelectObject(hdc, nullPen);
        SelectObject(hdc, shadeBrush);
      } else if (kind == BANNER_FRAME) {
        SelectObject(hdc, drawPen);
        SelectObject(hdc, nullBrush);
      } else {
        SelectObject(hdc, drawPen);
        SelectObject(hdc, drawBrush);
      }
      DrawPart(hdc, part, frame, 0, 0);
    }
  }

  if (b.text && b.text[0]) {
    GlyphPaintStyle style;
    const char* face = b.face ? b.face : "";
    if (face[0] == '@') ++face;
    style.font.face = face;
    style.font.bold = b.style == 3 || b.style == 4;
    style.font.italic = b.style == 2 || b.style == 4;
    style.font.vertical = vertical;
    GlyphMetrics metrics(style.font);
    const double areaW = shape.textRight - shape.textLeft, areaH = shape.textBottom - shape.textTop;
    GlyphLayoutParams p;
    p.alignment = 2;
    GlyphLayout probe;
    probe.Build(b.text, metrics, p);
    if (probe.textWidth > 0 && probe.textHeight > 0 && areaW > 0 && areaH > 0) {
      // The lettering as large as the shape's text area lets it be.
      double k = fmin(areaW / probe.textWidth, areaH / probe.textHeight);
      p.em = p.charWidth = fmin(fmax(floor(p.em * k), 1.0), (double)kMaxBannerEm);
      GlyphLayout layout;
      p.lineLength = areaW;
      p.originU = shape.textLeft;
      layout.Build(b.text, metrics, p);
      p.originV = shape.textTop + (areaH - layout.textHeight) / 2;
      layout.Build(b.text, metrics, p);
      style.em = style.charWidth = p.em;
      style.aveWidth = metrics.aveWidth;
      style.underline = 5;
      if (shadow && !fill) {
        style.color = kShadowColor;
        style.offsetX = style.offsetY = (int)fmax(1.0, floor(p.em * 0.06 + 0.5));
        PaintLayout(hdc, layout, frame, style);
        style.offsetX = style.offsetY = 0;
      }
      style.color = textColor;
      PaintLayout(hdc, layout, frame, style);
    }
  }

  RestoreDC(hdc, saved);
  DeleteObject(shadowBrush);
  DeleteObject(shadeBrush);
  return 1;
}

}  // namespace glyphset
