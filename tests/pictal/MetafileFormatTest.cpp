#include <gtest/gtest.h>

#include <algorithm>

#include "MetafileFixtures.h"
#include "MetafileFormat.h"

using namespace fixtures;

namespace {

// A Windows metafile that sets its window to (-10, -20) and 100 x 50, draws nothing, ends.
Bytes MakeWmf()
{
  Writer w;
  w.u16(1); w.u16(9); w.u16(0x300);
  w.u32(0);  // size in words, set below
  w.u16(0); w.u32(5); w.u16(0);
  w.u32(5); w.u16(0x020B); w.u16((uint16_t)-20); w.u16((uint16_t)-10);  // SetWindowOrg (y, x)
  w.u32(5); w.u16(0x020C); w.u16(50); w.u16(100);                        // SetWindowExt (y, x)
  w.u32(3); w.u16(0);                                                     // end
  uint32_t words = (uint32_t)w.b.size() / 2;
  for (int i = 0; i < 4; ++i) w.b[6 + i] = (uint8_t)(words >> (8 * i));
  return w.b;
}

Bytes Placeable(const Bytes& wmf, int inch)
{
  Writer w;
  w.u32(0x9AC6CDD7); w.u16(0); w.u16(0); w.u16(0); w.u16(200); w.u16(100); w.u16(inch); w.u32(0); w.u16(0);
  w.b.insert(w.b.end(), wmf.begin(), wmf.end());
  return w.b;
}

Bytes FloorPlan(const Bytes& metafile)
{
  Writer w;
  w.u8('k'); w.u8('x'); w.u8('q');
  while (w.b.size() < 24) w.u8(0);
  w.b.insert(w.b.end(), metafile.begin(), metafile.end());
  return w.b;
}

}  // namespace

TEST(MetafileFormat, RecognisesEveryKind)
{
  Bytes emf = MakeTinyEmf(2540, 1270), wmf = MakeWmf();
  pictal::MetafileInfo info = pictal::ClassifyMetafile(emf.data(), emf.size());
  EXPECT_EQ(pictal::kEnhanced, info.kind);
  EXPECT_EQ(emf.size(), info.length);
  SIZE s = pictal::EnhancedMetafileSize(emf.data(), emf.size());
  EXPECT_EQ(96, s.cx);
  EXPECT_EQ(48, s.cy);

  info = pictal::ClassifyMetafile(wmf.data(), wmf.size());
  EXPECT_EQ(pictal::kWindows, info.kind);
  EXPECT_TRUE(info.hasFrame);
  EXPECT_EQ(-10, info.frame.left);
  EXPECT_EQ(-20, info.frame.top);
  EXPECT_EQ(90, info.frame.right);
  EXPECT_EQ(30, info.frame.bottom);

  Bytes placeable = Placeable(wmf, 1440);
  info = pictal::ClassifyMetafile(placeable.data(), placeable.size());
  EXPECT_EQ(pictal::kPlaceable, info.kind);
  EXPECT_EQ(22u, info.offset);
  EXPECT_EQ(1440, info.unitsPerInch);
  EXPECT_EQ(200, info.frame.right);

  Bytes plan = FloorPlan(placeable);
  info = pictal::ClassifyMetafile(plan.data(), plan.size());
  EXPECT_EQ(pictal::kPlaceable, info.kind);
  EXPECT_EQ(24u + 22u, info.offset);
  plan = FloorPlan(emf);
  info = pictal::ClassifyMetafile(plan.data(), plan.size());
  EXPECT_EQ(pictal::kEnhanced, info.kind);
  EXPECT_EQ(24u, info.offset);
}

TEST(MetafileFormat, RefusesDamagedMetafiles)
{
  Bytes emf = MakeTinyEmf(100, 100), wmf = MakeWmf();
  auto set32 = [](Bytes b, size_t at, uint32_t v) {
    Writer w;
    w.u32(v);
    std::copy(w.b.begin(), w.b.end(), b.begin() + (std::ptrdiff_t)at);
    return b;
  };
  struct Case { const char* name; Bytes bytes; } cases[] = {
      {"emf cut short", Bytes(emf.begin(), emf.end() - 1)},
      {"emf size beyond the data", set32(emf, 48, 0x7FFFFFFF)},
      {"emf record of size 0", set32(emf, 92, 0)},
      {"emf record beyond the end", set32(emf, 92, 4000)},
      {"emf without signature", set32(emf, 40, 0)},
      {"wmf record beyond the end", set32(wmf, 18, 0x40000000)},
      {"wmf record of size 0", set32(wmf, 18, 0)},
      {"wmf without end record", Bytes(wmf.begin(), wmf.end() - 6)},
      {"placeable with zero units", Placeable(wmf, 0)},
      {"floor plan with another signature", [&] { Bytes p = FloorPlan(emf); p[3] = 1; return p; }()},
      {"floor plan header only", [&] { Bytes p = FloorPlan(emf); p.resize(24); return p; }()},
  };
  for (const Case& c : cases)
    EXPECT_EQ(pictal::kNotMetafile, pictal::ClassifyMetafile(c.bytes.data(), c.bytes.size()).kind) << c.name;
}
