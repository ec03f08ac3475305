#include <gtest/gtest.h>

#include "TemporaryFiles.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "DibFormat.h"
#include "JpegCodec.h"
#include "JpegWriter.h"

namespace {

std::vector<BYTE> ReadAll(const char* path)
{
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Exists(const char* path) { return std::ifstream(path).good(); }

pictal::Bytes MakeDib(int w, int h, int bits)
{
  pictal::Bytes dib;
  EXPECT_TRUE(pictal::CreateDib(w, h, bits, &dib));
  return dib;
}

// Top half red, bottom half blue, so that the order of the rows shows in the file.
pictal::Bytes TwoBands(int bits)
{
  pictal::Bytes dib = MakeDib(32, 32, bits);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      pictal::DibSetColor(dib.data(), dib.size(), x, y, y < 16 ? RGB(255, 0, 0) : RGB(0, 0, 255));
  return dib;
}

int Distance(COLORREF a, COLORREF b)
{
  return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) + std::abs(GetBValue(a) - GetBValue(b));
}

}  // namespace

TEST(JpegWriter, WritesEveryDepthTopRowFirst)
{
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    SCOPED_TRACE(bits);
    pictal::Bytes dib = TwoBands(bits);
    const char* path = "jpeg_writer_out.jpg";
    CString error = "left over";
    ASSERT_TRUE(WriteDibAsJpeg(dib.data(), 100, path, &error)) << (LPCTSTR)error;
    EXPECT_TRUE(error.IsEmpty());
    std::vector<BYTE> file = ReadAll(path);
    pictal::Bytes back;
    ASSERT_TRUE(pictal::DecodeJpeg(file.data(), file.size(), &back));
    const BITMAPINFOHEADER* bi = reinterpret_cast<const BITMAPINFOHEADER*>(back.data());
    EXPECT_EQ(32, bi->biWidth);
    EXPECT_EQ(32, bi->biHeight);
    COLORREF red = bits == 1 || bits == 4 || bits == 8 ? pictal::DibGetColor(dib.data(), dib.size(), 0, 0) : RGB(255, 0, 0);
    COLORREF blue = bits == 1 || bits == 4 || bits == 8 ? pictal::DibGetColor(dib.data(), dib.size(), 0, 31) : RGB(0, 0, 255);
    EXPECT_LE(Distance(red, pictal::DibGetColor(back.data(), back.size(), 8, 4)), 24);
    EXPECT_LE(Distance(blue, pictal::DibGetColor(back.data(), back.size(), 8, 28)), 24);
    std::remove(path);
  }
}

TEST(JpegWriter, RowsFollowTheDibLayout)
{
  // Width 5 at 24 bits: rows of 16 bytes; output row 0 is the DIB's last stored row.
  pictal::Bytes dib = MakeDib(5, 2, 24);
  pictal::DibSetColor(dib.data(), dib.size(), 4, 0, RGB(1, 2, 3));
  pictal::DibSetColor(dib.data(), dib.size(), 0, 1, RGB(7, 8, 9));
  std::vector<JSAMPLE> a(15), b(15);
  JSAMPROW rows[2] = {a.data(), b.data()};
  CString error;
  ASSERT_TRUE(DibRowsToRgb(dib.data(), 15, rows, &error));
  EXPECT_EQ((std::vector<JSAMPLE>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3}), a);
  EXPECT_EQ(7, b[0]);
  EXPECT_EQ(9, b[2]);

  // 8 bits: index 3 takes bytes 2, 1, 0 of the fourth table entry.
  pictal::Bytes dib8 = MakeDib(1, 1, 8);
  BYTE* entry = dib8.data() + 40 + 3 * 4;
  entry[0] = 30, entry[1] = 20, entry[2] = 10;
  dib8[40 + 256 * 4] = 3;
  std::vector<JSAMPLE> c(3);
  JSAMPROW row8[1] = {c.data()};
  ASSERT_TRUE(DibRowsToRgb(dib8.data(), 3, row8, &error));
  EXPECT_EQ((std::vector<JSAMPLE>{10, 20, 30}), c);

  // 16 bits: 5-5-5 widened by the fixed table.
  pictal::Bytes dib16 = MakeDib(2, 1, 16);
  dib16[40] = 0xFF, dib16[41] = 0x7F, dib16[42] = 0x21, dib16[43] = 0x04;
  std::vector<JSAMPLE> d(6);
  JSAMPROW row16[1] = {d.data()};
  ASSERT_TRUE(DibRowsToRgb(dib16.data(), 6, row16, &error));
  EXPECT_EQ((std::vector<JSAMPLE>{255, 255, 255, 16, 16, 16}), d);

  // Rows too short for the picture are refused instead of overrun.
  EXPECT_FALSE(DibRowsToRgb(dib.data(), 14, rows, &error));
  EXPECT_EQ(CString("Invalid input data"), error);
}

TEST(JpegWriter, Rgb555Table)
{
  EXPECT_EQ(0xFFFFFF, Rgb555ToRgb(0x7FFF));
  EXPECT_EQ(0x101010, Rgb555ToRgb(0x0421));
  EXPECT_EQ(0x000000, Rgb555ToRgb(0));
  EXPECT_EQ(0x180000, Rgb555ToRgb(2 << 10));
  EXPECT_EQ(0x0000F8, Rgb555ToRgb(30));
}

TEST(JpegWriter, FailuresLeaveNoFile)
{
  pictal::Bytes dib = TwoBands(24);
  const char* path = "jpeg_writer_fail.jpg";
  std::remove(path);
  CString error;
  for (int quality : {101, -1}) {
    EXPECT_FALSE(WriteDibAsJpeg(dib.data(), quality, path, &error));
    EXPECT_EQ(CString("Invalid input data"), error);
  }
  EXPECT_FALSE(WriteDibAsJpeg(NULL, 100, path, &error));
  EXPECT_EQ(CString("Invalid input data"), error);
  EXPECT_FALSE(WriteDibAsJpeg(dib.data(), 100, path, NULL));
  EXPECT_FALSE(WriteDibAsJpeg(dib.data(), 100, "", &error));
  EXPECT_FALSE(Exists(path));

  EXPECT_FALSE(WriteDibAsJpeg(dib.data(), 100, "no_such_folder/out.jpg", &error));
  EXPECT_EQ(CString("Cannot open no_such_folder/out.jpg"), error);

  // A picture that fails midway, or that libjpeg refuses, leaves an existing file as it was.
  { std::ofstream(path, std::ios::binary) << "old"; }
  pictal::Bytes bad = dib;
  reinterpret_cast<BITMAPINFOHEADER*>(bad.data())->biBitCount = 2;
  EXPECT_FALSE(WriteDibAsJpeg(bad.data(), 100, path, &error));
  EXPECT_EQ(CString("Invalid bitmap bit count"), error);
  pictal::Bytes flat = dib;
  reinterpret_cast<BITMAPINFOHEADER*>(flat.data())->biHeight = 0;
  EXPECT_FALSE(WriteDibAsJpeg(flat.data(), 100, path, &error));
  EXPECT_FALSE(error.IsEmpty());
  std::vector<BYTE> kept = ReadAll(path);
  EXPECT_EQ(std::string("old"), std::string(kept.begin(), kept.end()));
  EXPECT_EQ(0, TemporaryFilesBeside(path));
  std::remove(path);
}
