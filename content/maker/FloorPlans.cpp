// The floor plans of the floor-plan folder (間取り図): walls, doors and room names drawn at
// 1 mm a unit inside a margin of site, each file the plan's size in millimetres and its
// metafile.
#include <cstring>

#include "ContentFile.h"
#include "ContentMaker.h"
#include "LibraryDrawing.h"

namespace {

const uint32_t kWall = 0x202020, kDoor = 0x404040, kText = 0x000000;
const int32_t kMargin = 500, kWallThick = 150;

struct Room {
  int32_t l, t, r, b;
  const char* name;
};

struct Plan {
  const char* name;
  int32_t w, h;      // millimetres, the margin included
  uint32_t site;     // the colour of the margin around the house
  uint32_t floor;
  std::vector<Room> rooms;
};

void Wall(LineDrawing& d, int32_t l, int32_t t, int32_t r, int32_t b) { d.Rect(l, t, r, b, kWall); }

LineDrawing Draw(const Plan& p) {
  LineDrawing d;
  d.width = p.w;
  d.height = p.h;
  d.Rect(0, 0, p.w, p.h, p.site);
  const int32_t L = kMargin, T = kMargin, R = p.w - kMargin, B = p.h - kMargin;
  d.Rect(L, T, R, B, p.floor);
  for (const Room& r : p.rooms) {
    // Each room's walls, with a door gap in its bottom wall and the door's swing.
    const int32_t gap = (r.l + r.r) / 2;
    Wall(d, r.l, r.t, r.r, r.t + kWallThick);
    Wall(d, r.l, r.t, r.l + kWallThick, r.b);
    Wall(d, r.r - kWallThick, r.t, r.r, r.b);
    Wall(d, r.l, r.b - kWallThick, gap - 400, r.b);
    Wall(d, gap + 400, r.b - kWallThick, r.r, r.b);
    d.Polyline({{gap - 400, r.b}, {gap - 400, r.b - 800}}, kDoor, 20);
    d.Arc({gap - 400, r.b}, 800, -90, 0, kDoor, 10);
    d.texts.push_back({{(r.l + r.r) / 2, (r.t + r.b) / 2}, r.name, 400, kText});
  }
  return d;
}

const Plan kPlans[] = {
    {"2LDK", 10000, 8000, 0xB0E0C0, 0xC0E8F8,
     {{500, 500, 5500, 4500, "LDK"}, {5350, 500, 9500, 4500, "洋室"}, {500, 4350, 4000, 7500, "和室"},
      {3850, 4350, 6500, 7500, "浴室"}, {6350, 4350, 9500, 7500, "玄関"}}},
    {"3LDK", 12000, 9000, 0xA8D8B8, 0xD0ECF8,
     {{500, 500, 6500, 4800, "LDK"}, {6350, 500, 9300, 4800, "洋室"}, {9150, 500, 11500, 4800, "洋室"},
      {500, 4650, 4200, 8500, "和室"}, {4050, 4650, 7000, 8500, "浴室"}, {6850, 4650, 11500, 8500, "玄関"}}},
    {"1K", 6000, 5000, 0xC8D8B0, 0xD8F0FF, {{500, 500, 5500, 3200, "洋室"}, {500, 3050, 3200, 4500, "玄関"}, {3050, 3050, 5500, 4500, "浴室"}}},
};

}  // namespace

bool MakeFloorPlans(const std::string& programFolder) {
  const std::string folder = programFolder + "/間取り図";
  if (!MakeFolder(folder)) return false;
  for (const Plan& p : kPlans) {
    std::vector<uint8_t> file(24, 0);
    std::memcpy(file.data(), "kxq", 4);
    const double size[2] = {(double)p.w, (double)p.h};
    std::memcpy(file.data() + 8, size, 16);
    const std::vector<uint8_t> emf = EmfBytes(Draw(p));
    file.insert(file.end(), emf.begin(), emf.end());
    if (!WriteBytes(folder + "/" + p.name + ".kxq", file)) return false;
  }
  return true;
}
