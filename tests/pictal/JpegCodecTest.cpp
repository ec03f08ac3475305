#include <gtest/gtest.h>

#include <cstdlib>

#include "BmpFixtures.h"
#include "DibFormat.h"
#include "JpegCodec.h"

#include <cstdio>
#include <jpeglib.h>

using namespace fixtures;

namespace {

// A smooth picture, so that JPEG keeps its colours close.
pictal::Bytes Gradient(int w, int h, int bits, LONG xppm, LONG yppm)
{
  pictal::Bytes dib;
  EXPECT_TRUE(pictal::CreateDib(w, h, bits, &dib));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      pictal::DibSetColor(dib.data(), dib.size(), x, y, RGB(x * 255 / w, y * 255 / h, 128));
  BITMAPINFOHEADER* bi = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
  bi->biXPelsPerMeter = xppm;
  bi->biYPelsPerMeter = yppm;
  return dib;
}

int Distance(COLORREF a, COLORREF b)
{
  return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
         std::abs(GetBValue(a) - GetBValue(b));
}

}  // namespace

TEST(JpegCodec, RoundTripKeepsSizeColoursAndResolution)
{
  struct Case { int bits; LONG ppm; } cases[] = {{24, 3937}, {32, 11811}, {8, 0}, {16, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits);
    pictal::Bytes dib = Gradient(37, 21, c.bits, c.ppm, c.ppm), jpeg, back;
    ASSERT_TRUE(pictal::EncodeJpeg(dib.data(), dib.size(), 100, &jpeg));
    ASSERT_TRUE(pictal::DecodeJpeg(jpeg.data(), jpeg.size(), &back));
    const BITMAPINFOHEADER* bi = reinterpret_cast<const BITMAPINFOHEADER*>(back.data());
    EXPECT_EQ(37, bi->biWidth);
    EXPECT_EQ(21, bi->biHeight);
    EXPECT_EQ(24, bi->biBitCount);
    EXPECT_EQ(c.ppm, bi->biXPelsPerMeter);
    EXPECT_EQ(c.ppm, bi->biYPelsPerMeter);
    for (int y = 0; y < 21; y += 5)
      for (int x = 0; x < 37; x += 6)
        EXPECT_LE(Distance(pictal::DibGetColor(dib.data(), dib.size(), x, y), pictal::DibGetColor(back.data(), back.size(), x, y)), 24)
            << x << "," << y;
  }
}

TEST(JpegCodec, RefusesDamagedData)
{
  pictal::Bytes dib = Gradient(64, 64, 24, 0, 0), jpeg, back;
  ASSERT_TRUE(pictal::EncodeJpeg(dib.data(), dib.size(), 90, &jpeg));
  EXPECT_FALSE(pictal::DecodeJpeg(jpeg.data(), jpeg.size() / 2, &back));
  EXPECT_TRUE(back.empty());
  EXPECT_FALSE(pictal::DecodeJpeg(jpeg.data(), 3, &back));
  pictal::Bytes garbage(500, 0x5A);
  EXPECT_FALSE(pictal::DecodeJpeg(garbage.data(), garbage.size(), &back));
  // A header that declares a picture far beyond what the library makes.
  pictal::Bytes huge = jpeg;
  for (size_t i = 0; i + 8 < huge.size(); ++i)
    if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
      huge[i + 5] = 0xFF; huge[i + 6] = 0xF0;  // height 65520
      huge[i + 7] = 0xFF; huge[i + 8] = 0xF0;  // width 65520
      break;
    }
  EXPECT_FALSE(pictal::DecodeJpeg(huge.data(), huge.size(), &back));
  EXPECT_FALSE(pictal::EncodeJpeg(dib.data(), dib.size(), 101, &jpeg));
  EXPECT_FALSE(pictal::EncodeJpeg(dib.data(), 100, 90, &jpeg));
}

TEST(JpegCodec, ReadsAdobeCmyk)
{
  // Left half white, right half cyan, stored as Adobe writes CMYK (255 = no ink).
  jpeg_compress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  unsigned char* buffer = NULL;
  unsigned long length = 0;
  jpeg_mem_dest(&info, &buffer, &length);
  info.image_width = 16;
  info.image_height = 8;
  info.input_components = 4;
  info.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  JSAMPLE row[16 * 4];
  for (int x = 0; x < 16; ++x) {
    row[x * 4] = x < 8 ? 255 : 0;
    row[x * 4 + 1] = row[x * 4 + 2] = row[x * 4 + 3] = 255;
  }
  JSAMPROW rows[1] = {row};
  for (int y = 0; y < 8; ++y) jpeg_write_scanlines(&info, rows, 1);
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  pictal::Bytes dib;
  bool ok = pictal::DecodeJpeg(buffer, length, &dib);
  free(buffer);
  ASSERT_TRUE(ok);
  EXPECT_LE(Distance(RGB(255, 255, 255), pictal::DibGetColor(dib.data(), dib.size(), 2, 4)), 12);
  EXPECT_LE(Distance(RGB(0, 255, 255), pictal::DibGetColor(dib.data(), dib.size(), 13, 4)), 12);
}
