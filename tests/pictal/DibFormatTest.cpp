#include <gtest/gtest.h>

#include "BmpFixtures.h"
#include "DibFormat.h"

using namespace fixtures;

namespace {

struct Case {
  const char* name;
  HeaderKind kind;
  int bits;
  bool topDown;
  bool bitFields;
};

void ExpectPattern(const pictal::Bytes& dib, int w, int h, int bits, bool bitFields)
{
  pictal::DibLayout l;
  ASSERT_TRUE(pictal::DescribeDib(dib.data(), dib.size(), &l));
  EXPECT_EQ(w, l.width);
  EXPECT_EQ(h, l.height);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      ASSERT_EQ(ExpectedColor(x, y, bits, bitFields), FromColorRef(pictal::DibGetColor(dib.data(), dib.size(), x, y)))
          << "pixel " << x << "," << y;
}

}  // namespace

TEST(DibFormat, ReadsEveryHeaderKindAndDepth)
{
  const Case cases[] = {
      {"core 1", kCore, 1, false, false},   {"core 4", kCore, 4, false, false},
      {"core 8", kCore, 8, false, false},   {"core 24", kCore, 24, false, false},
      {"info 1", kInfo, 1, false, false},   {"info 4", kInfo, 4, false, false},
      {"info 8", kInfo, 8, false, false},   {"info 16", kInfo, 16, false, false},
      {"info 24", kInfo, 24, false, false}, {"info 32", kInfo, 32, false, false},
      {"info 16 565", kInfo, 16, false, true}, {"info 32 fields", kInfo, 32, false, true},
      {"info 24 top-down", kInfo, 24, true, false}, {"info 8 top-down", kInfo, 8, true, false},
      {"v4 16 565", kV4, 16, false, true},  {"v4 24", kV4, 24, false, false},
      {"v5 32 fields", kV5, 32, true, true}, {"v5 4", kV5, 4, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Odd widths exercise row padding and partial bytes.
    Bytes file = MakeBmp(c.kind, 7, 5, c.bits, c.topDown, c.bitFields);
    pictal::Bytes dib;
    ASSERT_TRUE(pictal::ParseBmpFile(file.data(), file.size(), &dib));
    ExpectPattern(dib, 7, 5, c.bits, c.bitFields);
  }
}

TEST(DibFormat, NormalFormIsBottomUpWithFullTable)
{
  Bytes file = MakeBmp(kCore, 3, 2, 4);
  pictal::Bytes dib;
  ASSERT_TRUE(pictal::ParseBmpFile(file.data(), file.size(), &dib));
  pictal::DibLayout l;
  ASSERT_TRUE(pictal::DescribeDib(dib.data(), dib.size(), &l));
  EXPECT_EQ(16, l.colors);
  EXPECT_EQ(40u + 16 * 4, l.bitsOffset);
  EXPECT_EQ(dib.size(), l.totalBytes);

  // Plain masks come back as BI_RGB so that every caller can read them.
  file = MakeBmp(kV4, 3, 2, 32, true, false);
  ASSERT_TRUE(pictal::ParseBmpFile(file.data(), file.size(), &dib));
  ASSERT_TRUE(pictal::DescribeDib(dib.data(), dib.size(), &l));
  EXPECT_EQ((DWORD)BI_RGB, l.compression);
  EXPECT_GT(l.height, 0);
}

TEST(DibFormat, WritesAndReadsBackWithResolution)
{
  Bytes file = MakeBmp(kInfo, 9, 4, 8, false, false, 3937, 11811);
  pictal::Bytes dib, again;
  ASSERT_TRUE(pictal::ParseBmpFile(file.data(), file.size(), &dib));
  pictal::Bytes written;
  ASSERT_TRUE(pictal::MakeBmpFile(dib.data(), dib.size(), &written));
  ASSERT_TRUE(pictal::ParseBmpFile(written.data(), written.size(), &again));
  EXPECT_EQ(dib, again);
  const BITMAPINFOHEADER* bi = reinterpret_cast<const BITMAPINFOHEADER*>(again.data());
  EXPECT_EQ(3937, bi->biXPelsPerMeter);
  EXPECT_EQ(11811, bi->biYPelsPerMeter);
}

TEST(DibFormat, ReadsRle8AndRle4)
{
  // 6 x 3, 8 bits: a run, a literal, an end of line, a delta and the end mark.
  Writer d;
  d.u32(40); d.u32(6); d.u32(3); d.u16(1); d.u16(8); d.u32(1); d.u32(0); d.u32(0); d.u32(0); d.u32(4); d.u32(0);
  for (int i = 0; i < 4; ++i) d.u32(PaletteColor(i));
  const uint8_t rle8[] = {3, 1, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 2, 1, 1, 1, 0, 1};
  d.b.insert(d.b.end(), rle8, rle8 + sizeof rle8);
  pictal::Bytes dib;
  ASSERT_TRUE(pictal::NormalizeDib(d.b.data(), d.b.size(), 0, &dib));
  auto at = [&](int x, int y) { return FromColorRef(pictal::DibGetColor(dib.data(), dib.size(), x, y)); };
  uint32_t pal[4];
  for (int i = 0; i < 4; ++i) {
    uint32_t c = PaletteColor(i);  // stored as B, G, R, 0 by u32 of 0xRRGGBB
    pal[i] = c;
  }
  // Bottom row (y = 2 from the top): 1 1 1 2 3 2.
  const int bottom[] = {1, 1, 1, 2, 3, 2};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(pal[bottom[x]], at(x, 2)) << x;
  // Delta (2, 1) skips to the top row, column 2, where one pixel of index 1 follows.
  EXPECT_EQ(pal[0], at(0, 0));
  EXPECT_EQ(pal[1], at(2, 0));
  EXPECT_EQ(pal[0], at(3, 1));

  // 5 x 1, 4 bits: a run of alternating nibbles and a literal of three.
  Writer e;
  e.u32(40); e.u32(5); e.u32(1); e.u16(1); e.u16(4); e.u32(2); e.u32(0); e.u32(0); e.u32(0); e.u32(4); e.u32(0);
  for (int i = 0; i < 4; ++i) e.u32(PaletteColor(i));
  const uint8_t rle4[] = {2, 0x12, 0, 3, 0x32, 0x10, 0, 1};
  e.b.insert(e.b.end(), rle4, rle4 + sizeof rle4);
  ASSERT_TRUE(pictal::NormalizeDib(e.b.data(), e.b.size(), 0, &dib));
  const int row[] = {1, 2, 3, 2, 1};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(pal[row[x]], at(x, 0)) << x;
}

TEST(DibFormat, RefusesDamagedFiles)
{
  Bytes good = MakeBmp(kInfo, 8, 8, 24);
  auto with = [&](size_t offset, uint32_t value, int bytes = 4) {
    Bytes b = good;
    for (int i = 0; i < bytes; ++i) b[offset + i] = (uint8_t)(value >> (8 * i));
    return b;
  };
  struct Bad {
    const char* name;
    Bytes bytes;
  } cases[] = {
      {"truncated pixels", Bytes(good.begin(), good.end() - 1)},
      {"header only", Bytes(good.begin(), good.begin() + 30)},
      {"wrong signature", with(0, 'B' | 'A' << 8, 2)},
      {"unknown header size", with(14, 64)},
      {"header beyond the file", with(14, 0x7FFFFFFF)},
      {"huge width", with(18, 0x7FFFFFFF)},
      {"huge height", with(22, 0x10000000)},
      {"zero width", with(18, 0)},
      {"zero height", with(22, 0)},
      {"bit count 7", with(28, 7, 2)},
      {"unknown compression", with(30, 4)},
      {"RLE8 on 24 bits", with(30, 1)},
      {"colour count beyond the file", with(46, 0x40000000)},
  };
  for (const Bad& c : cases) {
    SCOPED_TRACE(c.name);
    pictal::Bytes dib;
    EXPECT_FALSE(pictal::ParseBmpFile(c.bytes.data(), c.bytes.size(), &dib));
  }
  // A literal run that claims more bytes than remain stops cleanly.
  Writer d;
  d.u32(40); d.u32(4); d.u32(1); d.u16(1); d.u16(8); d.u32(1); d.u32(0); d.u32(0); d.u32(0); d.u32(0); d.u32(0);
  for (int i = 0; i < 256; ++i) d.u32(0);
  const uint8_t bad[] = {0, 200, 1, 2};
  d.b.insert(d.b.end(), bad, bad + sizeof bad);
  pictal::Bytes dib;
  EXPECT_FALSE(pictal::NormalizeDib(d.b.data(), d.b.size(), 0, &dib));
}

TEST(DibFormat, BitFieldMaskOfAllThirtyTwoBits)
{
  // Found by fuzzing: measuring a mask that covers every bit shifted a 32-bit value by 32.
  Bytes file = MakeBmp(kInfo, 3, 2, 32, false, true);
  for (int i = 0; i < 4; ++i) file[54 + i] = 0xFF;  // the red mask, right after the header
  pictal::Bytes dib;
  ASSERT_TRUE(pictal::ParseBmpFile(file.data(), file.size(), &dib));
  // Red is the pixel's top byte.
  const uint32_t pixel = file[file.size() - 4] | file[file.size() - 3] << 8 | file[file.size() - 2] << 16 |
                         (uint32_t)file[file.size() - 1] << 24;
  EXPECT_EQ(pixel >> 24, pictal::DibGetColor(dib.data(), dib.size(), 2, 0) & 0xFF);
}

TEST(DibFormat, SetColorOnEveryDepth)
{
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    SCOPED_TRACE(bits);
    pictal::Bytes dib;
    ASSERT_TRUE(pictal::CreateDib(5, 3, bits, &dib));
    EXPECT_EQ(0x000000u, FromColorRef(pictal::DibGetColor(dib.data(), dib.size(), 4, 2)));
    ASSERT_TRUE(pictal::DibSetColor(dib.data(), dib.size(), 4, 2, RGB(255, 255, 255)));
    EXPECT_EQ(0xFFFFFFu, FromColorRef(pictal::DibGetColor(dib.data(), dib.size(), 4, 2)));
    EXPECT_EQ(0x000000u, FromColorRef(pictal::DibGetColor(dib.data(), dib.size(), 3, 2)));
    EXPECT_FALSE(pictal::DibSetColor(dib.data(), dib.size(), 5, 0, 0));
    EXPECT_EQ(CLR_INVALID, pictal::DibGetColor(dib.data(), dib.size(), 0, 3));
  }
  pictal::Bytes dib;
  ASSERT_TRUE(pictal::CreateDib(2, 2, 24, &dib));
  ASSERT_TRUE(pictal::DibSetColor(dib.data(), dib.size(), 1, 0, RGB(10, 20, 30)));
  EXPECT_EQ(RGB(10, 20, 30), pictal::DibGetColor(dib.data(), dib.size(), 1, 0));
  EXPECT_FALSE(pictal::CreateDib(0, 2, 24, &dib));
  EXPECT_FALSE(pictal::CreateDib(100000, 100000, 24, &dib));
  EXPECT_FALSE(pictal::CreateDib(2, 2, 2, &dib));
}
