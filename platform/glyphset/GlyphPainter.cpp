#include "GlyphPainter.h"

#include <math.h>
#include <vector>

namespace glyphset {

namespace {
constexpr double kPi = 3.14159265358979323846;

struct Dash {
  double length;  // in em; 0 means a dot as long as the line is thick
  bool ink;
};

// The pattern of an underline kind, repeated along the line.
std::vector<Dash> DashPattern(int kind) {
  switch (kind) {
    case 1: return {{0.35, true}, {0.2, false}};
    case 2: return {{0, true}, {-1.5, false}};
    case 3: return {{0.35, true}, {0.12, false}, {0, true}, {0.12, false}};
    case 4: return {{0.35, true}, {0.12, false}, {0, true}, {0.12, false}, {0, true}, {0.12, false}};
    default: return {};
  }
}

class UnderlinePainter {
 public:
  UnderlinePainter(HDC hdc, const GlyphFrame& frame, const GlyphPaintStyle& style) : m_dc(hdc), m_frame(frame), m_style(style) {}

  // A band [u0, u1] along the line, thickness th centred on v.
  void Bar(double u0, double u1, double v, double th) {
    if (u1 <= u0) return;
    POINT pts[4] = {Point(u0, v - th / 2), Point(u1, v - th / 2), Point(u1, v + th / 2), Point(u0, v + th / 2)};
    Polygon(m_dc, pts, 4);
  }

  void Line(int kind, double u0, double u1, double v, double th) {
    const double em = m_style.em;
    switch (kind) {
      case 0: Bar(u0, u1, v, th); return;
      case -2:
        Bar(u0, u1, v - th * 0.75, th * 0.6);
        Bar(u0, u1, v + th * 0.75, th * 0.6);
        return;
      case -1: Wave(u0, u1, v, th); return;
      default: break;
    }
    std::vector<Dash> pattern = DashPattern(kind);
    if (pattern.empty()) return;
    double pos = u0;
    for (size_t i = 0; pos < u1; i = (i + 1) % pattern.size()) {
      const Dash& d = pattern[i];
      double len = d.length > 0 ? d.length * em : d.length == 0 ? th : -d.length * th;
      if (d.ink) Bar(pos, pos + len < u1 ? pos + len : u1, v, th);
      pos += len;
    }
  }

 private:
  POINT Point(double u, double v) const {
    POINT p = m_frame.PagePoint(u, v);
    p.x += m_style.offsetX;
    p.y += m_style.offsetY;
    return p;
  }

  void Wave(double u0, double u1, double v, double th) {
    const double wavelength = m_style.em * 0.3;
    const double amplitude = th;
    std::vector<POINT> pts;
    const int steps = (int)((u1 - u0) / wavelength * 12) + 1;
    for (int i = 0; i <= steps && i < 100000; ++i) {
      double uu = u0 + (u1 - u0) * i / steps;
      pts.push_back(Point(uu, v + amplitude * sin((uu - u0) / wavelength * 2 * kPi)));
    }
    LOGBRUSH lb = {BS_SOLID, m_style.color, 0};
    DWORD width = (DWORD)floor(th * 0.8 + 0.5);
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND, width ? width : 1, &lb, 0, nullptr);
    HGDIOBJ old = SelectObject(m_dc, pen);
    Polyline(m_dc, pts.data(), (int)pts.size());
    SelectObject(m_dc, old);
    DeleteObject(pen);
  }

  HDC m_dc;
  const GlyphFrame& m_frame;
  const GlyphPaintStyle& m_style;
};
}  // namespace

void PaintLayout(HDC hdc, const GlyphLayout& layout, const GlyphFrame& frame, const GlyphPaintStyle& style) {
  const int saved = SaveDC(hdc);
  int width = 0;
  if (style.charWidth != style.em) {
    width = (int)floor(style.aveWidth * style.charWidth + 0.5);
    if (width < 1) width = 1;
  }
  LOGFONTA lf = MakeGlyphLogFont(style.font, (int)floor(style.em + 0.5), width, frame.escapement);
  HFONT font = CreateFontIndirectA(&lf);
  SelectObject(hdc, font);
  SetBkMode(hdc, TRANSPARENT);
  SetTextAlign(hdc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
  SetTextColor(hdc, style.color);

  for (const GlyphLine& line : layout.lines) {
    for (int i = line.first; i < line.end; ++i) {
      const GlyphChar& c = layout.chars[i];
      if (c.kind != GLYPH_CHAR_TEXT || c.wide.empty() || (c.wide.size() == 1 && c.wide[0] == L' ')) continue;
      POINT p = frame.PagePoint(layout.u[i], line.top);
      TextOutW(hdc, p.x + style.offsetX, p.y + style.offsetY, c.wide.c_str(), (int)c.wide.size());
    }
  }

  if (style.underline != 5 && (style.underline >= -2 && style.underline <= 4)) {
    HBRUSH brush = CreateSolidBrush(style.color);
    HPEN pen = CreatePen(PS_SOLID, 0, style.color);
    SelectObject(hdc, brush);
    SelectObject(hdc, pen);
    UnderlinePainter painter(hdc, frame, style);
    const double th = style.em / 20;
    for (const GlyphLine& line : layout.lines) {
      double u0 = 0, u1 = 0;
      bool any = false;
      for (int i = line.first; i < line.end; ++i) {
        if (layout.advance[i] == 0) continue;
        if (!any) u0 = layout.u[i];
        u1 = layout.u[i] + layout.advance[i];
        any = true;
      }
      if (!any) continue;
      // Horizontal lines are underlined in the descent; vertical columns get the line on their right.
      double v = style.font.vertical ? line.top + th * 1.2 : line.top + (layout.ascent + layout.cellHeight) / 2;
      painter.Line(style.underline, u0, u1, v, th);
    }
    RestoreDC(hdc, saved);
    DeleteObject(pen);
    DeleteObject(brush);
  } else {
    RestoreDC(hdc, saved);
  }
  DeleteObject(font);
}

}  // namespace glyphset
