#include "GlyphLayout.h"

#include <math.h>
#include <string.h>

namespace glyphset {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kFitSlack = 1e-6;

double SpacingFactor(int kind) {
  switch (kind) {
    case 2: return 0.25;
    case 3: return -0.1;
    default: return 0.0;
  }
}

double LineGapFactor(int kind) {
  switch (kind) {
    case 2: return 0.5;
    case 3: return 0.0;
    default: return 0.15;
  }
}
}  // namespace

int NormalizeTenths(int angle) {
  int a = angle % 3600;
  return a < 0 ? a + 3600 : a;
}

GlyphFrame GlyphFrame::FromRect(const RECT& r, bool vertical, int angleTenths, bool turned) {
  GlyphFrame f;
  double left = r.left < r.right ? r.left : r.right, right = r.left < r.right ? r.right : r.left;
  double top = r.top < r.bottom ? r.top : r.bottom, bottom = r.top < r.bottom ? r.bottom : r.top;
  f.cx = (left + right) / 2;
  f.cy = (top + bottom) / 2;
  f.width = right - left;
  f.height = bottom - top;
  if (vertical && !turned) {
    f.width = bottom - top;
    f.height = right - left;
  }
  int turn = NormalizeTenths(angleTenths + (vertical ? 900 : 0));
  double a = turn * kPi / 1800.0;
  f.cosA = cos(a);
  f.sinA = sin(a);
  // Quarter turns exactly, so upright text lands on whole units.
  if (turn % 900 == 0) {
    f.cosA = turn == 0 ? 1 : turn == 1800 ? -1 : 0;
    f.sinA = turn == 900 ? 1 : turn == 2700 ? -1 : 0;
  }
  f.escapement = NormalizeTenths(3600 - turn);
  return f;
}

void GlyphFrame::ToPage(double u, double v, double* x, double* y) const {
  double du = u - width / 2, dv = v - height / 2;
  *x = cx + du * cosA - dv * sinA;
  *y = cy + du * sinA + dv * cosA;
}

POINT GlyphFrame::PagePoint(double u, double v) const {
  double x, y;
  ToPage(u, v, &x, &y);
  return POINT{(LONG)floor(x + 0.5), (LONG)floor(y + 0.5)};
}

void GlyphFrame::ToFrame(double x, double y, double* u, double* v) const {
  double dx = x - cx, dy = y - cy;
  *u = dx * cosA + dy * sinA + width / 2;
  *v = -dx * sinA + dy * cosA + height / 2;
}

void GlyphLayout::Build(const char* text, GlyphMetrics& metrics, const GlyphLayoutParams& p) {
  chars = SplitShiftJis(text);
  advance.assign(chars.size(), 0.0);
  u.assign(chars.size(), 0.0);
  lines.clear();
  originU = p.originU;
  originV = p.originV;
  cellHeight = metrics.cellHeight * p.em;
  ascent = metrics.ascent * p.em;
  lineGap = LineGapFactor(p.lineSpacing) * p.em;
  m_spacing = SpacingFactor(p.charSpacing) * p.charWidth;

  const double space = metrics.Advance(L" ") * p.charWidth;
  for (size_t i = 0; i < chars.size(); ++i) {
    const GlyphChar& c = chars[i];
    if (c.kind == GLYPH_CHAR_TEXT) advance[i] = metrics.Advance(c.wide) * p.charWidth;
    else if (c.kind == GLYPH_CHAR_TAB) advance[i] = c.tabColumns * space;
  }

  // Paragraphs end at line breaks; the break itself belongs to no line.
  int first = 0;
  for (int i = 0; i <= (int)chars.size(); ++i) {
    if (i == (int)chars.size() || chars[i].kind == GLYPH_CHAR_BREAK) {
      int endOffset = i < (int)chars.size() ? chars[i].offset : (text ? (int)strlen(text) : 0);
      BreakParagraph(first, i, endOffset, p);
      first = i + 1;
    }
  }

  textWidth = 0;
  for (size_t n = 0; n < lines.size(); ++n) {
    GlyphLine& line = lines[n];
    line.top = originV + n * (cellHeight + lineGap);
    if (line.width > textWidth) textWidth = line.width;

    // Characters that take room (control bytes take none).
    int count = 0;
    for (int i = line.first; i < line.end; ++i)
      if (chars[i].kind == GLYPH_CHAR_TEXT || chars[i].kind == GLYPH_CHAR_TAB) ++count;
    double start = 0, extra = 0;
    double room = p.lineLength - line.width;
    switch (p.alignment) {
      case 2: start = room / 2; break;
      case 3: start = room; break;
      case 4:
        if (count >= 2 && room > 0) extra = room / (count - 1);
        else if (count == 1) start = room / 2;
        break;
      default: break;
    }
    double pos = originU + start;
    bool any = false;
    for (int i = line.first; i < line.end; ++i) {
      if (advance[i] == 0 && chars[i].kind != GLYPH_CHAR_TEXT) { u[i] = pos; continue; }
      if (any) pos += m_spacing + extra;
      u[i] = pos;
      pos += advance[i];
      any = true;
    }
  }
  const size_t n = lines.size();
  textHeight = n ? n * cellHeight + (n - 1) * lineGap : 0;
}

void GlyphLayout::BreakParagraph(int first, int end, int endOffset, const GlyphLayoutParams& p) {
  auto width = [&](int a, int b) {
    double w = 0;
    bool any = false;
    for (int i = a; i < b; ++i) {
      if (advance[i] == 0 && chars[i].kind != GLYPH_CHAR_TEXT) continue;
      if (any) w += m_spacing;
      w += advance[i];
      any = true;
    }
    return w;
  };
  auto addLine = [&](int a, int b, int startOffset, int stopOffset) {
    GlyphLine line;
    line.first = a;
    line.end = b;
    line.width = width(a, b);
    line.startOffset = startOffset;
    line.endOffset = stopOffset;
    lines.push_back(line);
  };
  int startOffset = first < end ? chars[first].offset : endOffset;
  if (!p.wrap || first >= end) {
    addLine(first, end, startOffset, endOffset);
    return;
  }
  int start = first;
  while (start < end) {
    double pos = 0;
    bool any = false;
    int i = start;
    for (; i < end; ++i) {
      bool takesRoom = !(advance[i] == 0 && chars[i].kind != GLYPH_CHAR_TEXT);
      double add = takesRoom ? (any ? m_spacing : 0) + advance[i] : 0;
      if (i > start && takesRoom && pos + add > p.lineLength + kFitSlack) break;
      pos += add;
      any = any || takesRoom;
    }
    int brk = i;
    if (brk < end) {
      int b = brk;
      // Closing punctuation goes down with the character before it.
      while (b > start + 1 && IsNoLineStart(chars[b].wide)) --b;
      // An opening bracket goes down with what it opens.
      while (b > start + 1 && IsNoLineEnd(chars[b - 1].wide)) --b;
      // A single-byte word stays whole when the line has room before it.
      if (IsWordByte(chars[b - 1]) && IsWordByte(chars[b])) {
        int s = b - 1;
        while (s > start && IsWordByte(chars[s - 1])) --s;
        if (s > start) b = s;
      }
      brk = b > start ? b : brk;
    }
    addLine(start, brk, chars[start].offset, brk < end ? chars[brk].offset : endOffset);
    start = brk;
  }
}

int GlyphLayout::HitTest(double hu, double hv) const {
  if (lines.empty()) return -1;
  const double pitch = cellHeight + lineGap;
  if (hv < originV || hv >= originV + textHeight || pitch <= 0) return -1;
  int n = (int)floor((hv - originV + lineGap / 2) / pitch);
  if (n < 0) n = 0;
  if (n >= (int)lines.size()) n = (int)lines.size() - 1;
  const GlyphLine& line = lines[n];
  int last = -1;
  for (int i = line.first; i < line.end; ++i) {
    if (advance[i] == 0) continue;
    if (last < 0 && hu < u[i]) return line.startOffset;
    if (hu >= u[i] && hu < u[i] + advance[i]) return chars[i].offset;
    last = i;
  }
  // Between two characters (extra spacing) the one before counts; past the end, the line's end.
  for (int i = line.end - 1; i >= line.first; --i) {
    if (advance[i] == 0) continue;
    if (hu >= u[i] + advance[i]) {
      for (int j = i + 1; j < line.end; ++j)
        if (advance[j] != 0) return chars[i].offset;
      return line.endOffset;
    }
  }
  return line.startOffset;
}

}  // namespace glyphset
