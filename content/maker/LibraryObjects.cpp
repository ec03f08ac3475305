// The palettes' library objects as favourite object files (".qzl"): the shapes (図形) in
// their nine categories as polygons, the symbols (シンボル) in their six categories as symbol
// objects whose vector shapes are line drawings, and a sample favourites category; each
// category with its order file and every object with its 60 x 60 thumbnail. The records
// are written as the board designer's object classes store themselves.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "ContentFile.h"
#include "ContentMaker.h"
#include "LibraryDrawing.h"

namespace {

const int32_t kObjectVersion = 91530;
const int32_t kPolygonCode = 0x5, kSymbolCode = 0x200003;
const uint32_t kShownAliveFilled = 0x311;
const uint32_t kSolidFill = 0x30000, kVectorFill = 0x1010000;
const int32_t kNullPen = 5;

struct Bytes {
  std::vector<uint8_t> b;
  void I(int32_t v) { b.insert(b.end(), (uint8_t*)&v, (uint8_t*)&v + 4); }
  void D(double v) { b.insert(b.end(), (uint8_t*)&v, (uint8_t*)&v + 8); }
  void Add(const std::vector<uint8_t>& more) { b.insert(b.end(), more.begin(), more.end()); }
};

// The common record: state, points, line style and fill (written by the caller), rotation.
void Head(Bytes& r, int32_t code, const std::vector<DrawPoint>& pts, int32_t penStyle, int32_t penWidth, uint32_t pen) {
  r.I(code);
  r.I((int32_t)kShownAliveFilled);
  r.I((int32_t)pts.size());
  for (const DrawPoint& p : pts) {
    r.I(p.x);
    r.I(p.y);
  }
  const int32_t style[5] = {penStyle, penWidth, penWidth, (int32_t)pen, 0};
  for (int32_t v : style) r.I(v);
}

std::vector<uint8_t> PolygonRecord(const DrawStroke& s) {
  Bytes r;
  Head(r, kPolygonCode, s.points, s.noPen ? kNullPen : 0, std::max<int32_t>(s.penWidth, 1), s.penColor);
  r.I((int32_t)kSolidFill);
  const int32_t brush[4] = {s.noBrush ? 1 : 0, (int32_t)s.brushColor, 0, -1};  // BS_SOLID or BS_NULL
  for (int32_t v : brush) r.I(v);
  r.D(0);
  r.I(0);  // no line ends
  r.I(0);
  return r.b;
}

std::vector<uint8_t> SymbolRecord(const std::vector<uint8_t>& tqz, int32_t w, int32_t h) {
  Bytes r;
  Head(r, kSymbolCode, {{0, 0}, {0, h}, {w, h}, {w, 0}}, kNullPen, 1, 0);
  r.I((int32_t)kVectorFill);
  r.I(0);  // angle
  r.Add(tqz);
  r.D(0);
  return r.b;
}

// A 60 x 60 picture of the drawing's strokes, fitted with a margin, as a packed 24-bit DIB.
std::vector<uint8_t> Thumbnail(const LineDrawing& d) {
  const int side = 60;
  ContentPicture pic(side, side);
  const double scale = 0.9 * side / std::max<int32_t>(1, std::max(d.width, d.height));
  const double ox = (side - d.width * scale) / 2, oy = (side - d.height * scale) / 2;
  auto X = [&](const DrawPoint& p) { return ox + p.x * scale; };
  auto Y = [&](const DrawPoint& p) { return oy + p.y * scale; };
  for (const DrawStroke& s : d.strokes) {
    const size_t n = s.points.size();
    if (s.closed && !s.noBrush && n >= 3) {
      // Even-odd fill of the pixel centres.
      for (int y = 0; y < side; y++) {
        const double cy = y + 0.5;
        std::vector<double> xs;
        for (size_t i = 0; i < n; i++) {
          const DrawPoint &a = s.points[i], &b = s.points[(i + 1) % n];
          const double ya = Y(a), yb = Y(b);
          if ((ya <= cy) != (yb <= cy)) xs.push_back(X(a) + (cy - ya) * (X(b) - X(a)) / (yb - ya));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t k = 0; k + 1 < xs.size(); k += 2)
          for (int x = std::max(0, (int)std::ceil(xs[k] - 0.5)); x < side && x + 0.5 <= xs[k + 1]; x++)
            pic.At(x, y) = s.brushColor;
      }
    }
    if (s.noPen || n < 2) continue;
    const size_t edges = s.closed ? n : n - 1;
    for (size_t i = 0; i < edges; i++) {
      const DrawPoint &a = s.points[i], &b = s.points[(i + 1) % n];
      const int steps = (int)std::ceil(std::max(std::fabs(X(b) - X(a)), std::fabs(Y(b) - Y(a)))) + 1;
      for (int k = 0; k <= steps; k++) {
        const int x = (int)(X(a) + (X(b) - X(a)) * k / steps), y = (int)(Y(a) + (Y(b) - Y(a)) * k / steps);
        if (x >= 0 && x < side && y >= 0 && y < side) pic.At(x, y) = s.penColor;
      }
    }
  }
  Bytes dib;
  const int32_t rowBytes = (side * 3 + 3) & ~3;
  const int32_t header[10] = {40, side, side, 1 | (24 << 16), 0, rowBytes * side, 0, 0, 0, 0};
  for (int32_t v : header) dib.I(v);
  for (int y = side - 1; y >= 0; y--) {
    for (int x = 0; x < side; x++) {
      const uint32_t c = pic.At(x, y);
      dib.b.push_back((uint8_t)(c >> 16));
      dib.b.push_back((uint8_t)(c >> 8));
      dib.b.push_back((uint8_t)c);
    }
    dib.b.resize(dib.b.size() + (rowBytes - side * 3), 0);
  }
  return dib.b;
}

bool WriteObjectFile(const std::string& path, const std::vector<uint8_t>& record, const LineDrawing& look,
                     const std::string& nameUtf8) {
  std::string name;
  if (!ToShiftJis(nameUtf8, &name)) return false;
  Bytes f;
  f.I(kObjectVersion);
  f.b.insert(f.b.end(), {'i', 'm', 'a', 'g', 'e'});
  const std::vector<uint8_t> thumb = Thumbnail(look);
  f.I((int32_t)thumb.size());
  f.Add(thumb);
  f.Add(record);
  for (int i = 0; i < 2; i++) {
    f.I((int32_t)name.size() + 1);
    f.b.insert(f.b.end(), name.begin(), name.end());
    f.b.push_back(0);
  }
  return WriteBytes(path, f.b);
}

struct Item {
  std::string name;  // UTF-8: file name and label
  LineDrawing drawing;
  bool symbol = false;  // a symbol object of the drawing, else the drawing's one polygon
  int32_t modelW = 0, modelH = 0;  // symbols: millimetres
};

bool WriteCategory(const std::string& folder, const std::vector<Item>& items) {
  if (!MakeFolder(folder)) return false;
  std::string order;
  for (const Item& it : items) {
    std::vector<uint8_t> record;
    if (it.symbol) {
      // Stored at 1 : 50; the symbol palette sets the user's scale when it is dragged.
      record = SymbolRecord(TqzBytes(it.drawing, it.modelW, it.modelH), it.modelW / 5, it.modelH / 5);
    } else {
      record = PolygonRecord(it.drawing.strokes[0]);
    }
    if (!WriteObjectFile(folder + "/" + it.name + ".qzl", record, it.drawing, it.name)) return false;
    order += it.name + "\n";
  }
  return WriteShiftJisText(folder + "/info.txt", order);
}

// Shapes: one polygon each, in 0.1 mm, about 3 cm across.
std::vector<DrawPoint> Regular(int n, double r, double rInner = 0, double turn = -M_PI / 2) {
  std::vector<DrawPoint> pts;
  const int k = rInner > 0 ? 2 * n : n;
  for (int i = 0; i < k; i++) {
    const double a = turn + i * 2 * M_PI / k, rr = rInner > 0 && i % 2 ? rInner : r;
    pts.push_back({(int32_t)std::lround(r + rr * std::cos(a)), (int32_t)std::lround(r + rr * std::sin(a))});
  }
  return pts;
}

Item Shape(const char* name, std::vector<DrawPoint> pts, uint32_t brush) {
  Item it;
  it.name = name;
  int32_t w = 0, h = 0;
  for (const DrawPoint& p : pts) {
    w = std::max(w, p.x);
    h = std::max(h, p.y);
  }
  it.drawing.width = w;
  it.drawing.height = h;
  it.drawing.Polygon(pts, brush, 0x202020, 3);
  return it;
}

std::vector<std::pair<const char*, std::vector<Item>>> ShapeCategories() {
  const std::vector<DrawPoint> balloon = {{0, 0},     {400, 0},   {400, 220}, {170, 220},
                                          {90, 320},  {110, 220}, {0, 220}};
  std::vector<DrawPoint> roundBalloon = Regular(24, 200);
  for (DrawPoint& p : roundBalloon) p.y = p.y * 3 / 4;
  roundBalloon.insert(roundBalloon.begin() + 8, {{150, 360}, {190, 300}});
  std::vector<DrawPoint> ellipse = Regular(36, 200);
  for (DrawPoint& p : ellipse) p.y = p.y / 2;
  std::vector<DrawPoint> rounded;
  for (int c = 0; c < 4; c++) {
    const double cx = c == 0 || c == 3 ? 320 : 80, cy = c < 2 ? 320 : 80;
    for (int i = 0; i <= 6; i++) {
      const double a = c * M_PI / 2 + i * M_PI / 12;
      rounded.push_back({(int32_t)std::lround(cx + 80 * std::cos(a)), (int32_t)std::lround(cy + 80 * std::sin(a))});
    }
  }
  std::vector<DrawPoint> heart;
  for (int i = 0; i < 40; i++) {
    const double t = i * 2 * M_PI / 40, x = 16 * std::pow(std::sin(t), 3),
                 y = 13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t);
    heart.push_back({(int32_t)std::lround(200 + x * 11), (int32_t)std::lround(190 - y * 11)});
  }
  return {
      {"タイトル",
       {Shape("リボン", {{0, 60}, {80, 60}, {80, 0}, {420, 0}, {420, 60}, {500, 60}, {460, 120}, {500, 180},
                         {340, 180}, {340, 140}, {160, 140}, {160, 180}, {0, 180}, {40, 120}},
              0x60A0F0),
        Shape("帯", {{0, 0}, {500, 0}, {470, 70}, {500, 140}, {0, 140}, {30, 70}}, 0xA0E0F8)}},
      {"コーナー",
       {Shape("角飾り", {{0, 0}, {300, 0}, {300, 60}, {60, 60}, {60, 300}, {0, 300}}, 0x5070C0),
        Shape("三角の角", {{0, 0}, {300, 0}, {0, 300}}, 0x90C060)}},
      {"吹き出し", {Shape("四角の吹き出し", balloon, 0xFFFFFF), Shape("丸い吹き出し", roundBalloon, 0xFFFFFF)}},
      {"円", {Shape("円", Regular(36, 200), 0x80C0FF), Shape("楕円", ellipse, 0xC0FFC0)}},
      {"四角", {Shape("正方形", {{0, 0}, {400, 0}, {400, 400}, {0, 400}}, 0xFFD080), Shape("角丸四角", rounded, 0xFFE0E0)}},
      {"多角",
       {Shape("三角形", Regular(3, 200), 0x80E0E0), Shape("五角形", Regular(5, 200), 0xE0A0E0),
        Shape("六角形", Regular(6, 200), 0xA0A0F0)}},
      {"星", {Shape("星", Regular(5, 200, 80), 0x30D0FF), Shape("六芒星", Regular(6, 200, 115), 0xFFC060)}},
      {"矢印",
       {Shape("右矢印", {{0, 100}, {260, 100}, {260, 0}, {400, 150}, {260, 300}, {260, 200}, {0, 200}}, 0x4080F0),
        Shape("両矢印", {{0, 150}, {120, 0}, {120, 100}, {280, 100}, {280, 0}, {400, 150}, {280, 300}, {280, 200},
                         {120, 200}, {120, 300}},
              0x40C080)}},
      {"装飾", {Shape("ハート", heart, 0x8060F0), Shape("ひし形", {{200, 0}, {400, 200}, {200, 400}, {0, 200}}, 0xF0A040)}},
  };
}

// Symbols: line drawings in 0.1 mm with their real sizes in millimetres.
Item Symbol(const char* name, int32_t w, int32_t h, void (*draw)(LineDrawing&)) {
  Item it;
  it.name = name;
  it.symbol = true;
  it.modelW = w;
  it.modelH = h;
  it.drawing.unitsPerMm = 10;
  it.drawing.width = w * 10;
  it.drawing.height = h * 10;
  draw(it.drawing);
  return it;
}

Item PlanSymbol(const char* name, const char* id) {
  Item it;
  it.name = name;
  it.symbol = true;
  PlanSymbolDrawing(id, &it.drawing, &it.modelW, &it.modelH);
  return it;
}

const uint32_t kLine = 0x303030, kWhite = 0xFFFFFF;

std::vector<DrawPoint> Oval(int32_t cx, int32_t cy, int32_t rx, int32_t ry, int n = 24) {
  std::vector<DrawPoint> pts;
  for (int i = 0; i < n; i++) {
    const double a = i * 2 * M_PI / n;
    pts.push_back({(int32_t)std::lround(cx + rx * std::cos(a)), (int32_t)std::lround(cy + ry * std::sin(a))});
  }
  return pts;
}

void Toilet(LineDrawing& d) {
  d.Rect(0, 0, 4000, 2000, kWhite, kLine, 20);
  d.Polygon(Oval(2000, 4500, 1800, 2500), kWhite, kLine, 20);
  d.Polygon(Oval(2000, 4700, 1100, 1600), 0xF0E8D8, kLine, 10);
}

void Basin(LineDrawing& d) {
  d.Rect(0, 0, 6000, 4500, kWhite, kLine, 20);
  d.Polygon(Oval(3000, 2500, 2200, 1500), 0xF8F0E0, kLine, 15);
  d.Rect(2800, 300, 3200, 900, kLine);
}

void Sofa(LineDrawing& d) {
  d.Rect(0, 0, 18000, 2000, 0xB0C8E0, kLine, 20);
  d.Rect(0, 2000, 2000, 8000, 0xB0C8E0, kLine, 20);
  d.Rect(16000, 2000, 18000, 8000, 0xB0C8E0, kLine, 20);
  for (int x : {2000, 6700, 11400}) d.Rect(x, 2000, x + 4600, 8000, 0xD0E0F0, kLine, 15);
}

void Car(LineDrawing& d) {
  d.Polygon({{800, 0}, {17000, 0}, {18000, 1500}, {18000, 5500}, {17000, 7000}, {800, 7000}, {0, 5500}, {0, 1500}},
            0xE0D0C0, kLine, 25);
  d.Polygon({{4500, 600}, {8000, 600}, {8000, 6400}, {4500, 6400}, {3800, 3500}}, 0xF0E8B0, kLine, 15);
  d.Polygon({{12500, 800}, {15000, 1200}, {15000, 5800}, {12500, 6200}}, 0xF0E8B0, kLine, 15);
}

void Conifer(LineDrawing& d) {
  std::vector<DrawPoint> crown;
  for (int i = 0; i < 24; i++) {
    const double a = i * 2 * M_PI / 24;
    const int r = i % 2 ? 3000 : 5000;
    crown.push_back({(int32_t)std::lround(5000 + r * std::cos(a)), (int32_t)std::lround(5000 + r * std::sin(a))});
  }
  d.Polygon(crown, 0x308840, 0x184020, 20);
  d.Polygon(Oval(5000, 5000, 600, 600, 12), 0x305070, 0x184020, 10);
}

void NorthArrow(LineDrawing& d) {
  d.Polygon(Oval(5000, 5000, 4800, 4800, 36), kWhite, kLine, 20);
  d.Polygon({{5000, 300}, {6500, 7500}, {5000, 6200}}, kLine, kLine, 10);
  d.Polygon({{5000, 300}, {3500, 7500}, {5000, 6200}}, kWhite, kLine, 10);
  d.Polyline({{4300, 8100}, {4300, 9500}, {5700, 8100}, {5700, 9500}}, kLine, 30);  // N
}

std::vector<std::pair<const char*, std::vector<Item>>> SymbolCategories() {
  return {
      {"水廻り", {PlanSymbol("浴槽", "bathtub"), Symbol("便器", 400, 700, Toilet), Symbol("洗面台", 600, 450, Basin)}},
      {"家具等", {PlanSymbol("ベッド", "bed"), PlanSymbol("テーブル", "table"), Symbol("ソファ", 1800, 800, Sofa)}},
      {"車", {Symbol("乗用車", 1800, 700, Car)}},
      {"樹木A", {PlanSymbol("広葉樹", "tree")}},
      {"樹木B", {Symbol("針葉樹", 1000, 1000, Conifer)}},
      {"方位", {Symbol("方位記号", 1000, 1000, NorthArrow)}},
  };
}

}  // namespace

bool MakeLibraryObjects(const std::string& programFolder) {
  for (const auto& [category, items] : ShapeCategories())
    if (!WriteCategory(programFolder + "/図形/" + category, items)) return false;
  for (const auto& [category, items] : SymbolCategories())
    if (!WriteCategory(programFolder + "/シンボル/" + category, items)) return false;
  // The favourites: the category list and one sample category; the user's own favourites
  // in a program folder that already has them are left alone.
  const std::string favorites = programFolder + "/お気に入り";
  if (!MakeFolder(favorites)) return false;
  FILE* existing = std::fopen((favorites + "/info.txt").c_str(), "rb");
  if (existing) {
    std::fclose(existing);
    return true;
  }
  std::vector<Item> sample = {ShapeCategories()[6].second[0], SymbolCategories()[3].second[0]};
  return WriteCategory(favorites + "/サンプル", sample) && WriteShiftJisText(favorites + "/info.txt", "サンプル\n");
}
