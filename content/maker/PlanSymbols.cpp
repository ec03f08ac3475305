// The plan symbols of the symbol folder (シンボル/平面記号): doors, windows, furniture and
// trees seen from above, drawn as line drawings at 0.1 mm a unit and kept as shape files
// with their real sizes. Each is also written as the metafile it converts from, beside the
// maker, so that the board designer's own conversion can be checked against it.
#include <cmath>

#include "ContentFile.h"
#include "ContentMaker.h"
#include "LibraryDrawing.h"

namespace {

const uint32_t kLine = 0x303030, kWhite = 0xFFFFFF;

struct PlanSymbol {
  const char* name;  // UTF-8, the file's name
  const char* id;    // the metafile's name
  int32_t w, h;      // millimetres
  void (*draw)(LineDrawing& d);
};

void Door(LineDrawing& d) {
  // A leaf hinged at the bottom left, open by 90 degrees, and its swing.
  d.Rect(0, 0, 400, 9000, 0xC8E0F0, kLine, 20);
  d.Arc({0, 9000}, 9000, -90, 0, kLine, 10);
  d.Polyline({{0, 9000}, {9000, 9000}}, kLine, 30);
}

void Window(LineDrawing& d) {
  d.Rect(0, 0, 18000, 1500, kWhite, kLine, 20);
  d.Polyline({{0, 750}, {18000, 750}}, kLine, 10);
  d.Polyline({{9000, 300}, {9000, 1200}}, kLine, 10);
}

void Bed(LineDrawing& d) {
  d.Rect(0, 0, 10000, 20000, 0xF0F0F0, kLine, 20);
  d.Rect(1500, 800, 8500, 4000, kWhite, kLine, 15);
  d.Polygon({{0, 7000}, {10000, 6000}, {10000, 20000}, {0, 20000}}, 0xE8C8A0, kLine, 15);
}

void Bathtub(LineDrawing& d) {
  d.Rect(0, 0, 8000, 14000, kWhite, kLine, 20);
  std::vector<DrawPoint> inner;
  for (int i = 0; i < 24; i++) {
    const double a = i * 2 * M_PI / 24;
    inner.push_back({(int32_t)std::lround(4000 + 3000 * std::cos(a)), (int32_t)std::lround(7000 + 6000 * std::sin(a))});
  }
  d.Polygon(inner, 0xF8E8C0, kLine, 15);
  d.Polygon({{3800, 11800}, {4200, 11800}, {4200, 12200}, {3800, 12200}}, kLine);
}

void Tree(LineDrawing& d) {
  std::vector<DrawPoint> crown, star;
  for (int i = 0; i < 16; i++) {
    const double a = i * 2 * M_PI / 16;
    const int r = i % 2 ? 6500 : 7500;
    crown.push_back({(int32_t)std::lround(7500 + r * std::cos(a)), (int32_t)std::lround(7500 + r * std::sin(a))});
  }
  for (int i = 0; i < 8; i++) {
    const double a = i * M_PI / 4;
    star.push_back({7500, 7500});
    star.push_back({(int32_t)std::lround(7500 + 5000 * std::cos(a)), (int32_t)std::lround(7500 + 5000 * std::sin(a))});
  }
  d.Polygon(crown, 0x50B050, 0x206020, 20);
  d.Polyline(star, 0x206020, 10);
}

void Table(LineDrawing& d) {
  d.Rect(2000, 1500, 10000, 6500, 0x9CC8E8, kLine, 20);
  for (int x : {3000, 7000}) {
    d.Rect(x, 0, x + 2000, 1200, kWhite, kLine, 15);
    d.Rect(x, 6800, x + 2000, 8000, kWhite, kLine, 15);
  }
}

const PlanSymbol kSymbols[] = {
    {"ドア", "door", 900, 900, Door},         {"窓", "window", 1800, 150, Window},
    {"ベッド", "bed", 1000, 2000, Bed},       {"浴槽", "bathtub", 800, 1400, Bathtub},
    {"樹木", "tree", 1500, 1500, Tree},       {"テーブル", "table", 1200, 800, Table},
};

}  // namespace

bool PlanSymbolDrawing(const std::string& id, LineDrawing* d, int32_t* modelW, int32_t* modelH) {
  for (const PlanSymbol& s : kSymbols) {
    if (id != s.id) continue;
    d->unitsPerMm = 10;
    d->width = s.w * 10;
    d->height = s.h * 10;
    s.draw(*d);
    *modelW = s.w;
    *modelH = s.h;
    return true;
  }
  return false;
}

bool MakePlanSymbols(const std::string& programFolder, const std::string& sourceFolder) {
  const std::string folder = programFolder + "/シンボル/平面記号";
  if (!MakeFolder(folder) || (!sourceFolder.empty() && !MakeFolder(sourceFolder))) return false;
  for (const PlanSymbol& s : kSymbols) {
    LineDrawing d;
    d.unitsPerMm = 10;
    d.width = s.w * 10;
    d.height = s.h * 10;
    s.draw(d);
    const std::vector<uint8_t> tqz = TqzBytes(d, s.w, s.h);
    if (!WriteBytes(folder + "/" + s.name + ".tqz", tqz)) return false;
    if (!sourceFolder.empty() && (!WriteBytes(sourceFolder + "/" + s.id + ".emf", EmfBytes(d)) ||
                                  !WriteBytes(sourceFolder + "/" + s.id + ".tqz", tqz)))
      return false;
  }
  return true;
}
