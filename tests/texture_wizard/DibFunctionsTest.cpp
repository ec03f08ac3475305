#include "TextureFixtures.h"

#include "DibFunctions.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace texture_test;

namespace {

// A packed DIB in an aligned block, as GlobalLock would give it.
struct PackedDib
{
    explicit PackedDib(const Bytes& bytes) : block(static_cast<BITMAPINFOHEADER*>(malloc(bytes.size())))
    {
        memcpy(block, bytes.data(), bytes.size());
    }
    ~PackedDib() { free(block); }
    BITMAPINFOHEADER* block;
};

} // namespace

TEST(DibFunctions, SizesFollowTheHeader)
{
    BITMAPINFOHEADER info = {};
    info.biSize = 40;
    info.biWidth = 3;
    info.biHeight = 5;
    info.biBitCount = 24;
    EXPECT_EQ(12u * 5, DibImageSize(&info));
    EXPECT_EQ(4u * 5, DibImageSize8(&info));
    info.biWidth = 4;
    EXPECT_EQ(12u * 5, DibImageSize(&info));
    EXPECT_EQ(4u * 5, DibImageSize8(&info));
    info.biWidth = 100000;
    info.biHeight = 100000;
    EXPECT_EQ(0xFFFFFFFFu, DibImageSize(&info)); // 30 GB does not wrap to a small size
    EXPECT_EQ(0xFFFFFFFFu, DibImageSize8(&info));
    info.biWidth = 4;
    info.biHeight = 5;
    const SIZE size = DibGetSize(&info);
    EXPECT_EQ(4, size.cx);
    EXPECT_EQ(5, size.cy);

    EXPECT_EQ(0u, DibBytes24(0, 5));
    EXPECT_EQ(0u, DibBytes24(5, 0));
    EXPECT_EQ(0u, DibBytes24(-1, 5));
    EXPECT_EQ(0u, DibBytes24(0x7FFFFFFF, 0x7FFFFFFF));
    EXPECT_EQ(0u, DibBytes24(100000, 100000)); // 30 GB
}

struct PixelCase
{
    int bitCount;
    std::vector<COLORREF> palette;
    std::vector<uint32_t> values; // 9 pixels, 9 x 1
    std::vector<COLORREF> expected;
};

class DibGetPixelTest : public ::testing::TestWithParam<PixelCase> {};

TEST_P(DibGetPixelTest, ReadsEveryDepthTopDown)
{
    const PixelCase& c = GetParam();
    BmpSpec spec;
    spec.width = 9;
    spec.height = 2;
    spec.bitCount = c.bitCount;
    spec.palette = c.palette;
    spec.clrUsed = static_cast<DWORD>(c.palette.size());
    spec.values = c.values;
    spec.values.resize(18, 0); // second row zeros
    PackedDib dib(MakePackedDib(spec));
    for (int x = 0; x < 9; ++x)
        EXPECT_EQ(c.expected[x], DibGetPixel(x, 0, dib.block)) << "x " << x;
    EXPECT_EQ(0u, DibGetPixel(9, 0, dib.block));
    EXPECT_EQ(0u, DibGetPixel(0, 2, dib.block));
    EXPECT_EQ(0u, DibGetPixel(-1, 0, dib.block));
}

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGrey = RGB(10, 20, 30);

INSTANTIATE_TEST_SUITE_P(Depths, DibGetPixelTest, ::testing::Values(
    PixelCase{1, {kRed, kBlue}, {0, 1, 1, 0, 0, 0, 0, 0, 1},
              {kRed, kBlue, kBlue, kRed, kRed, kRed, kRed, kRed, kBlue}},
    PixelCase{4, {kRed, kBlue, kGrey}, {2, 1, 0, 2, 1, 0, 2, 1, 0},
              {kGrey, kBlue, kRed, kGrey, kBlue, kRed, kGrey, kBlue, kRed}},
    // Index 5 is past a table of 3 entries: black.
    PixelCase{8, {kRed, kBlue, kGrey}, {0, 1, 2, 5, 0, 1, 2, 0, 0},
              {kRed, kBlue, kGrey, 0, kRed, kBlue, kGrey, kRed, kRed}},
    PixelCase{16, {}, {0x7C00, 0x03E0, 0x001F, 0x7FFF, 0, 0x4210, 0, 0, 0},
              {RGB(0xF8, 0, 0), RGB(0, 0xF8, 0), RGB(0, 0, 0xF8), RGB(0xF8, 0xF8, 0xF8), 0,
               RGB(0x80, 0x80, 0x80), 0, 0, 0}},
    PixelCase{24, {}, {kRed, kBlue, kGrey, 0, 0, 0, 0, 0, kGrey},
              {kRed, kBlue, kGrey, 0, 0, 0, 0, 0, kGrey}},
    PixelCase{32, {}, {kRed, kBlue, kGrey, 0, 0, 0, 0, 0, kGrey},
              {kRed, kBlue, kGrey, 0, 0, 0, 0, 0, kGrey}}));

TEST(DibFunctions, SetPixelWritesTheDepthsItKnows)
{
    for (int bitCount : {16, 24, 32}) {
        BITMAPINFOHEADER* dib = CreateDib(3, 2, bitCount);
        ASSERT_NE(nullptr, dib);
        EXPECT_TRUE(DibSetPixel(2, 1, RGB(0xF8, 0x80, 0x08), dib));
        EXPECT_EQ(RGB(0xF8, 0x80, 0x08), DibGetPixel(2, 1, dib)) << bitCount;
        EXPECT_EQ(0u, DibGetPixel(1, 1, dib));
        EXPECT_FALSE(DibSetPixel(3, 0, RGB(1, 2, 3), dib));
        free(dib);
    }
    BITMAPINFOHEADER* dib = CreateDib(3, 2, 24);
    DibSetPixel(0, 0, RGB(1, 2, 3), dib);
    // (0, 0) is the top row, stored last.
    const BYTE* top = DibFindBits(dib) + 12;
    EXPECT_EQ(3, top[0]);
    EXPECT_EQ(2, top[1]);
    EXPECT_EQ(1, top[2]);
    free(dib);
}

TEST(DibFunctions, CreateDibLaysOutHeaderTableAndPixels)
{
    BITMAPINFOHEADER* dib = CreateDib(5, 3, 4);
    ASSERT_NE(nullptr, dib);
    EXPECT_EQ(40u, dib->biSize);
    EXPECT_EQ(1, dib->biPlanes);
    EXPECT_EQ(4, dib->biBitCount);
    EXPECT_EQ(4u * 3, dib->biSizeImage);
    EXPECT_EQ(16u, dib->biClrUsed);
    EXPECT_EQ(16, DibNumColors(dib));
    EXPECT_EQ(64, DibColorTableSize(dib));
    EXPECT_EQ(reinterpret_cast<BYTE*>(dib) + 40 + 64, DibFindBits(dib));
    const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(dib + 1);
    EXPECT_EQ(0x80, table[1].rgbRed);   // maroon
    EXPECT_EQ(0x80, table[4].rgbBlue);  // navy
    EXPECT_EQ(0xC0, table[7].rgbGreen); // silver
    EXPECT_EQ(0xFF, table[15].rgbBlue); // white
    EXPECT_EQ(RGB(0, 0, 0), DibGetPixel(4, 2, dib));
    free(dib);

    dib = CreateDib(2, 2, 8);
    EXPECT_EQ(256u, dib->biClrUsed);
    const RGBQUAD* table8 = reinterpret_cast<const RGBQUAD*>(dib + 1);
    EXPECT_EQ(0xFF, table8[16 + 9].rgbRed); // red, second repetition
    free(dib);

    EXPECT_EQ(nullptr, CreateDib(0, 5, 24));
    EXPECT_EQ(nullptr, CreateDib(5, 5, 7));
    EXPECT_EQ(nullptr, CreateDib(100000, 100000, 32));
}

TEST(DibFunctions, CopyDibPixelsConvertsTheCommonPart)
{
    BmpSpec spec;
    spec.width = 3;
    spec.height = 2;
    spec.bitCount = 8;
    spec.palette = {kRed, kBlue, kGrey};
    spec.clrUsed = 3;
    spec.values = {0, 1, 2, 2, 1, 0};
    PackedDib source(MakePackedDib(spec));
    BITMAPINFOHEADER* target = CreateDib(2, 3, 24);
    EXPECT_TRUE(CopyDibPixels(target, source.block));
    EXPECT_EQ(kRed, DibGetPixel(0, 0, target));
    EXPECT_EQ(kBlue, DibGetPixel(1, 0, target));
    EXPECT_EQ(kGrey, DibGetPixel(0, 1, target));
    EXPECT_EQ(0u, DibGetPixel(0, 2, target));
    free(target);
}
