// Damaged copies of good files, made by a fixed random sequence: the readers either refuse
// them or give a picture that is whole (the sanitizers watch every byte they touch).
#include <gtest/gtest.h>

#include "BmpFixtures.h"
#include "DibFormat.h"
#include "JpegCodec.h"
#include "MetafileFixtures.h"
#include "MetafileFormat.h"

using namespace fixtures;

namespace {

struct Random {
  uint32_t state = 2463534242u;
  uint32_t Next()
  {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  }
};

// Changes a few bytes near the start (where the counts are) and sometimes cuts the end.
Bytes Mutate(const Bytes& good, Random& r)
{
  Bytes b = good;
  int changes = 1 + r.Next() % 3;
  for (int i = 0; i < changes; ++i) {
    size_t at = r.Next() % std::min<size_t>(b.size(), 128);
    b[at] = (r.Next() % 4 == 0) ? 0xFF : (uint8_t)r.Next();
  }
  if (r.Next() % 4 == 0) b.resize(r.Next() % b.size());
  return b;
}

void ExpectWhole(const pictal::Bytes& dib)
{
  pictal::DibLayout l;
  ASSERT_TRUE(pictal::DescribeDib(dib.data(), dib.size(), &l));
  EXPECT_NE(CLR_INVALID, pictal::DibGetColor(dib.data(), dib.size(), 0, 0));
  EXPECT_NE(CLR_INVALID, pictal::DibGetColor(dib.data(), dib.size(), l.width - 1, l.height - 1));
}

}  // namespace

TEST(Mutation, BmpReaderStaysInBounds)
{
  Writer rle;
  rle.u8('B'); rle.u8('M'); rle.u32(0); rle.u32(0); rle.u32(0);
  rle.u32(40); rle.u32(6); rle.u32(3); rle.u16(1); rle.u16(8); rle.u32(1); rle.u32(0); rle.u32(0); rle.u32(0); rle.u32(2); rle.u32(0);
  rle.u32(0xFF0000); rle.u32(0x00FF00);
  for (uint8_t v : {3, 1, 0, 3, 1, 0, 1, 0, 0, 0, 0, 2, 2, 1, 4, 1, 0, 1}) rle.u8(v);
  const Bytes seeds[] = {MakeBmp(kInfo, 9, 7, 8), MakeBmp(kCore, 5, 4, 4), MakeBmp(kV5, 6, 3, 16, true, true),
                         MakeBmp(kInfo, 3, 3, 1), rle.b};
  Random r;
  for (const Bytes& seed : seeds)
    for (int i = 0; i < 3000; ++i) {
      Bytes b = Mutate(seed, r);
      pictal::Bytes dib;
      if (pictal::ParseBmpFile(b.data(), b.size(), &dib)) ExpectWhole(dib);
    }
}

TEST(Mutation, JpegReaderStaysInBounds)
{
  pictal::Bytes dib, jpeg;
  ASSERT_TRUE(pictal::CreateDib(24, 16, 24, &dib));
  for (int x = 0; x < 24; ++x) pictal::DibSetColor(dib.data(), dib.size(), x, x % 16, RGB(x * 10, 255 - x * 10, 90));
  ASSERT_TRUE(pictal::EncodeJpeg(dib.data(), dib.size(), 80, &jpeg));
  Random r;
  for (int i = 0; i < 1500; ++i) {
    Bytes b = Mutate(jpeg, r);
    pictal::Bytes out;
    if (pictal::DecodeJpeg(b.data(), b.size(), &out)) ExpectWhole(out);
  }
}

TEST(Mutation, MetafileHeadersStayInBounds)
{
  Bytes emf = MakeTinyEmf(2540, 1270);
  Random r;
  for (int i = 0; i < 3000; ++i) {
    Bytes b = Mutate(emf, r);
    pictal::MetafileInfo info = pictal::ClassifyMetafile(b.data(), b.size());
    if (info.kind != pictal::kNotMetafile) {
      EXPECT_LE(info.offset + info.length, b.size());
    }
    pictal::EnhancedMetafileSize(b.data(), b.size());
  }
}
