#include "LibraryDrawing.h"

#include <iconv.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

#include "DibFormat.h"

namespace {

struct Out {
  std::vector<uint8_t> b;
  void u16(uint32_t v) {
    b.push_back((uint8_t)v);
    b.push_back((uint8_t)(v >> 8));
  }
  void u32(uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  }
  void i32(int32_t v) { u32((uint32_t)v); }
  void at32(size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); }
};

std::u16string Utf16(const std::string& utf8) {
  iconv_t cd = iconv_open("UTF-16LE", "UTF-8");
  std::string in = utf8, out(utf8.size() * 4 + 8, '\0');
  char* pi = in.data();
  char* po = out.data();
  size_t li = in.size(), lo = out.size();
  if (cd != (iconv_t)-1) {
    iconv(cd, &pi, &li, &po, &lo);
    iconv_close(cd);
  }
  out.resize(out.size() - lo);
  return std::u16string((const char16_t*)out.data(), out.size() / 2);
}

const uint32_t kStockNullBrush = 0x80000005, kStockNullPen = 0x80000008;

}  // namespace

DrawStroke& LineDrawing::Polygon(std::vector<DrawPoint> pts, uint32_t brush, uint32_t pen, int32_t penWidth) {
  DrawStroke s;
  s.points = std::move(pts);
  s.brushColor = brush;
  s.penColor = pen;
  s.penWidth = penWidth;
  strokes.push_back(s);
  return strokes.back();
}

DrawStroke& LineDrawing::Polyline(std::vector<DrawPoint> pts, uint32_t pen, int32_t penWidth) {
  DrawStroke s;
  s.points = std::move(pts);
  s.closed = false;
  s.noBrush = true;
  s.penColor = pen;
  s.penWidth = penWidth;
  strokes.push_back(s);
  return strokes.back();
}

DrawStroke& LineDrawing::Rect(int32_t l, int32_t t, int32_t r, int32_t b, uint32_t brush, uint32_t pen, int32_t w) {
  return Polygon({{l, t}, {l, b}, {r, b}, {r, t}}, brush, pen, w);
}

DrawStroke& LineDrawing::Arc(DrawPoint c, int32_t radius, double fromDeg, double toDeg, uint32_t pen, int32_t w) {
  std::vector<DrawPoint> pts;
  const int n = 12;
  for (int i = 0; i <= n; i++) {
    const double a = (fromDeg + (toDeg - fromDeg) * i / n) * M_PI / 180;
    pts.push_back({(int32_t)std::lround(c.x + radius * std::cos(a)), (int32_t)std::lround(c.y + radius * std::sin(a))});
  }
  return Polyline(pts, pen, w);
}

// Records as GDI writes them for MM_TEXT drawing: each stroke makes and selects its own pen
// and brush, sets the fill mode and draws with 16-bit points.
std::vector<uint8_t> EmfBytes(const LineDrawing& d) {
  Out o;
  const int32_t frameW = (int32_t)std::lround(d.width * 100 / d.unitsPerMm);
  const int32_t frameH = (int32_t)std::lround(d.height * 100 / d.unitsPerMm);
  // Header: bounds, frame (0.01 mm), signature, version, bytes, records, handles, reserved,
  // description, palette, device size in units and in millimetres.
  o.u32(1);
  o.u32(88);
  o.i32(0); o.i32(0); o.i32(d.width); o.i32(d.height);
  o.i32(0); o.i32(0); o.i32(frameW); o.i32(frameH);
  o.u32(0x464D4520);
  o.u32(0x10000);
  o.u32(0);  // bytes, set at the end
  o.u32(0);  // records
  o.u16(4);  // handles: 0 and three of ours
  o.u16(0);
  o.u32(0); o.u32(0); o.u32(0);
  const int32_t mmW = (int32_t)std::lround(d.width / d.unitsPerMm), mmH = (int32_t)std::lround(d.height / d.unitsPerMm);
  o.i32(d.width); o.i32(d.height); o.i32(mmW); o.i32(mmH);
  uint32_t records = 1;
  auto rec = [&](uint32_t type, uint32_t size) {
    o.u32(type);
    o.u32(size);
    records++;
  };
  auto select = [&](uint32_t h) { rec(37, 12); o.u32(h); };
  auto del = [&](uint32_t h) { rec(40, 12); o.u32(h); };
  rec(19, 12);  // EMR_SETPOLYFILLMODE
  o.u32(1);     // ALTERNATE
  for (const DrawStroke& s : d.strokes) {
    if (!s.noPen) {
      rec(38, 28);  // EMR_CREATEPEN: handle 1, style, width, colour
      o.u32(1); o.u32(0); o.i32(s.penWidth); o.i32(0); o.u32(s.penColor);
      select(1);
    } else {
      select(kStockNullPen);
    }
    if (!s.noBrush) {
      rec(39, 24);  // EMR_CREATEBRUSHINDIRECT: handle 2, style, colour, hatch
      o.u32(2); o.u32(0); o.u32(s.brushColor); o.u32(0);
      select(2);
    } else {
      select(kStockNullBrush);
    }
    const uint32_t n = (uint32_t)s.points.size();
    rec(s.closed ? 86 : 87, 28 + 4 * n);  // EMR_POLYGON16 / EMR_POLYLINE16
    int32_t l = 0x7FFFFFFF, t = 0x7FFFFFFF, r = -0x7FFFFFFF, btm = -0x7FFFFFFF;
    for (const DrawPoint& p : s.points) {
      l = std::min(l, p.x); t = std::min(t, p.y); r = std::max(r, p.x); btm = std::max(btm, p.y);
    }
    o.i32(l); o.i32(t); o.i32(r); o.i32(btm);
    o.u32(n);
    for (const DrawPoint& p : s.points) {
      o.u16((uint16_t)(int16_t)p.x);
      o.u16((uint16_t)(int16_t)p.y);
    }
    select(kStockNullPen);
    select(kStockNullBrush);
    if (!s.noPen) del(1);
    if (!s.noBrush) del(2);
  }
  for (const DrawText& t : d.texts) {
    // EMR_EXTCREATEFONTINDIRECTW: handle 3 and a LOGFONTW.
    rec(82, 104);
    o.u32(3);
    o.i32(-t.height); o.i32(0); o.i32(0); o.i32(0); o.i32(400);
    o.b.insert(o.b.end(), {0, 0, 0, 128 /* SHIFTJIS_CHARSET */, 0, 0, 0, 0});
    std::u16string face = Utf16("ＭＳ ゴシック");
    face.resize(32, u'\0');
    for (char16_t c : face) o.u16(c);
    select(3);
    rec(24, 12);  // EMR_SETTEXTCOLOR
    o.u32(t.color);
    rec(18, 12);  // EMR_SETBKMODE TRANSPARENT
    o.u32(1);
    rec(22, 12);  // EMR_SETTEXTALIGN TA_CENTER | TA_BASELINE
    o.u32(6 | 24);
    const std::u16string s = Utf16(t.utf8);
    const uint32_t n = (uint32_t)s.size();
    const uint32_t strAt = 76, strBytes = ((n * 2) + 3) & ~3u, dxAt = strAt + strBytes;
    rec(84, dxAt + 4 * n);  // EMR_EXTTEXTOUTW
    o.i32(t.at.x - n * t.height / 2); o.i32(t.at.y - t.height); o.i32(t.at.x + n * t.height / 2); o.i32(t.at.y);
    o.u32(1);  // GM_COMPATIBLE
    o.u32(0); o.u32(0);  // scales (floats 0)
    o.i32(t.at.x); o.i32(t.at.y + t.height / 3);
    o.u32(n); o.u32(strAt); o.u32(0);
    o.i32(0); o.i32(0); o.i32(-1); o.i32(-1);
    o.u32(dxAt);
    for (char16_t c : s) o.u16(c);
    while (o.b.size() % 4) o.b.push_back(0);
    for (uint32_t i = 0; i < n; i++) o.i32(t.height);
    select(0x8000000D);  // SYSTEM_FONT
    del(3);
  }
  rec(14, 20);  // EMR_EOF
  o.u32(0); o.u32(16); o.u32(20);
  o.at32(48, (uint32_t)o.b.size());
  o.at32(52, records);
  return o.b;
}

// What the board designer's conversion makes of EmfBytes: one primitive per stroke over a
// table of distinct points in order of first appearance, centred in the frame.
std::vector<uint8_t> TqzBytes(const LineDrawing& d, int32_t modelW, int32_t modelH) {
  std::vector<DrawPoint> pool;
  std::map<std::pair<int32_t, int32_t>, int32_t> index;
  std::vector<std::vector<int32_t>> runs;
  for (const DrawStroke& s : d.strokes) {
    std::vector<int32_t> run;
    for (const DrawPoint& p : s.points) {
      auto it = index.find({p.x, p.y});
      if (it == index.end()) {
        it = index.emplace(std::make_pair(p.x, p.y), (int32_t)pool.size()).first;
        pool.push_back(p);
      }
      run.push_back(it->second);
    }
    runs.push_back(run);
  }
  int32_t minX = 0x7FFFFFFF, minY = 0x7FFFFFFF, maxX = -0x7FFFFFFF - 1, maxY = -0x7FFFFFFF - 1;
  for (const DrawPoint& p : pool) {
    minX = std::min(minX, p.x); minY = std::min(minY, p.y); maxX = std::max(maxX, p.x); maxY = std::max(maxY, p.y);
  }
  const int32_t ox = (int32_t)(((int64_t)d.width - (maxX - minX)) / 2 - minX);
  const int32_t oy = (int32_t)(((int64_t)d.height - (maxY - minY)) / 2 - minY);
  Out o;
  o.b = {'t', 'q', 'z'};
  o.i32(1000); o.i32(0); o.i32(modelW); o.i32(modelH);
  o.i32((int32_t)std::lround(d.width * 10 / d.unitsPerMm));
  o.i32((int32_t)std::lround(d.height * 10 / d.unitsPerMm));
  o.i32(d.width); o.i32(d.height);
  o.i32(minX + ox); o.i32(minY + oy); o.i32(maxX + ox); o.i32(maxY + oy);
  o.i32((int32_t)d.strokes.size()); o.i32((int32_t)pool.size());
  o.i32(75); o.i32(0); o.i32(0); o.i32(64);
  for (size_t i = 0; i < d.strokes.size(); i++) {
    const DrawStroke& s = d.strokes[i];
    if (s.noBrush) { o.u32(1); o.u32(0); o.u32(0); } else { o.u32(0); o.u32(s.brushColor); o.u32(0); }
    o.u32(1);  // ALTERNATE
    if (s.noPen) { o.u32(5); o.i32(0); o.i32(0); o.u32(0); } else { o.u32(0); o.i32(s.penWidth); o.i32(0); o.u32(s.penColor); }
    o.u32(0);
    o.u32(s.closed ? 8 : 4);
    o.u32((uint32_t)runs[i].size());
    for (int32_t k : runs[i]) o.i32(k);
  }
  o.at32(63, (uint32_t)o.b.size());
  for (const DrawPoint& p : pool) {
    o.i32(p.x + ox);
    o.i32(p.y + oy);
  }
  o.at32(67, (uint32_t)o.b.size());
  o.b.resize(o.b.size() + 64, 0);
  return o.b;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  return pictal::WriteFileReplacing(path.c_str(), bytes.data(), bytes.size());
}
