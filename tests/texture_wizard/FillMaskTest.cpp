#include <gtest/gtest.h>

#include "DibFunctions.h"
#include "FillMask.h"

#include <cstdlib>
#include <vector>

namespace {

// A 24-bit bottom-up picture the tests paint by top-down coordinates.
struct Picture {
    BITMAPINFOHEADER info;
    std::vector<BYTE> bits;

    Picture(int w, int h, COLORREF colour) : info(), bits(DibBytes24(w, h))
    {
        info.biSize = sizeof(info);
        info.biWidth = w;
        info.biHeight = h;
        info.biPlanes = 1;
        info.biBitCount = 24;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                Set(x, y, colour);
    }
    BYTE* At(int x, int y) { return bits.data() + DibStride24(info.biWidth) * (info.biHeight - 1 - y) + 3 * x; }
    void Set(int x, int y, COLORREF c)
    {
        BYTE* p = At(x, y);
        p[0] = GetBValue(c);
        p[1] = GetGValue(c);
        p[2] = GetRValue(c);
    }
};

int CountBlack(const CFillMask& mask)
{
    int n = 0;
    for (BYTE b : mask.m_bits)
        n += b == CFillMask::BLACK;
    return n;
}

TEST(FillMask, FloodFillTolerance)
{
    // Left half grey 100, right half grey 110 (luma distance 10), a white wall in column 5.
    Picture picture(12, 4, RGB(100, 100, 100));
    for (int y = 0; y < 4; ++y) {
        for (int x = 6; x < 12; ++x)
            picture.Set(x, y, RGB(110, 110, 110));
        picture.Set(5, y, RGB(255, 255, 255));
    }
    picture.Set(5, 3, RGB(100, 100, 100)); // a gap at the bottom of the wall

    struct Case {
        int tolerance;
        int filled;
    } cases[] = {
        {0, 5 * 4 + 1},       // exactly equal: the left half and the gap
        {9, 5 * 4 + 1},       // under the distance of the right half
        {10, 5 * 4 + 1 + 24}, // luma distance 10 joins the right half through the gap
        {255, 48},            // everything connected
    };
    for (const Case& c : cases) {
        CFillMask mask;
        ASSERT_TRUE(mask.Create(12, 4));
        EXPECT_EQ(mask.FloodFill(&picture.info, picture.bits.data(), 0, 0, RGB(100, 100, 100), c.tolerance), c.filled)
            << c.tolerance;
        EXPECT_EQ(CountBlack(mask), c.filled);
    }
    EXPECT_TRUE(FillSimilar(110, 110, 110, RGB(100, 100, 100), 10));
    EXPECT_FALSE(FillSimilar(110, 110, 110, RGB(100, 100, 100), 9));
    EXPECT_FALSE(FillSimilar(100, 100, 101, RGB(100, 100, 100), 0));
}

TEST(FillMask, FloodFillStopsAtBlackMaskAndOutside)
{
    Picture picture(8, 8, RGB(50, 60, 70));
    CFillMask mask;
    ASSERT_TRUE(mask.Create(8, 8));
    // A row already black keeps the fill from spreading past it.
    mask.Line(POINT{0, 3}, POINT{7, 3}, CFillMask::BLACK);
    EXPECT_EQ(mask.FloodFill(&picture.info, picture.bits.data(), 0, 0, RGB(50, 60, 70), 0), 24);
    EXPECT_EQ(mask.Get(4, 4), CFillMask::WHITE);
    EXPECT_EQ(mask.FloodFill(&picture.info, picture.bits.data(), 8, 0, RGB(50, 60, 70), 0), 0);
}

TEST(FillMask, BrushSquaresAndLines)
{
    struct Case {
        int sizeIndex, pixels, left, top;
    } cases[] = {{0, 1, 10, 10}, {1, 5, 8, 8}, {2, 15, 3, 3}};
    for (const Case& c : cases) {
        CFillMask mask;
        ASSERT_TRUE(mask.Create(30, 30));
        const int size = BrushPixels(c.sizeIndex);
        EXPECT_EQ(size, c.pixels);
        mask.Square(10, 10, size, CFillMask::BLACK);
        EXPECT_EQ(CountBlack(mask), size * size);
        EXPECT_EQ(mask.Get(c.left, c.top), CFillMask::BLACK);
        EXPECT_EQ(mask.Get(c.left - 1, c.top), CFillMask::WHITE);
        EXPECT_EQ(mask.Get(c.left + size, c.top), CFillMask::WHITE);
    }
    CFillMask mask;
    ASSERT_TRUE(mask.Create(10, 10));
    mask.Square(0, 0, 15, CFillMask::BLACK); // cut at the picture's edges
    EXPECT_EQ(CountBlack(mask), 8 * 8);
    mask.Fill(CFillMask::WHITE);
    mask.Line(POINT{1, 1}, POINT{8, 4}, CFillMask::BLACK);
    EXPECT_EQ(CountBlack(mask), 8);
    EXPECT_EQ(mask.Get(1, 1), CFillMask::BLACK);
    EXPECT_EQ(mask.Get(8, 4), CFillMask::BLACK);
}

TEST(FillMask, PolygonKeepsInsideAndClosesWithinOnePixel)
{
    CFillMask mask;
    ASSERT_TRUE(mask.Create(20, 20));
    const POINT square[] = {{5, 5}, {15, 5}, {15, 15}, {5, 15}};
    mask.KeepPolygon(square, 4);
    EXPECT_EQ(400 - CountBlack(mask), 100);
    EXPECT_EQ(mask.Get(5, 5), CFillMask::WHITE);
    EXPECT_EQ(mask.Get(14, 14), CFillMask::WHITE);
    EXPECT_EQ(mask.Get(15, 10), CFillMask::BLACK);
    EXPECT_EQ(mask.Get(4, 10), CFillMask::BLACK);

    EXPECT_TRUE(PolygonCloses(POINT{5, 5}, POINT{6, 4}));
    EXPECT_TRUE(PolygonCloses(POINT{5, 5}, POINT{5, 5}));
    EXPECT_FALSE(PolygonCloses(POINT{5, 5}, POINT{7, 5}));
}

TEST(FillMask, ApplyBlackensExactlyTheMask)
{
    Picture picture(5, 3, RGB(10, 20, 30));
    CFillMask mask;
    ASSERT_TRUE(mask.Create(5, 3));
    mask.Set(1, 0, CFillMask::BLACK);
    mask.Set(4, 2, CFillMask::BLACK);
    std::vector<BYTE> out(picture.bits.size(), 0xCD);
    ASSERT_TRUE(mask.ApplyTo(&picture.info, picture.bits.data(), out.data()));
    const DWORD stride = DibStride24(5);
    for (int y = 0; y < 3; ++y) {
        const BYTE* row = out.data() + stride * (2 - y);
        for (int x = 0; x < 5; ++x) {
            const bool black = (x == 1 && y == 0) || (x == 4 && y == 2);
            EXPECT_EQ(row[3 * x + 2], black ? 0 : 10) << x << "," << y;
        }
        EXPECT_EQ(row[15], 0); // padding
    }
    CFillMask other;
    ASSERT_TRUE(other.Create(4, 3));
    EXPECT_FALSE(other.ApplyTo(&picture.info, picture.bits.data(), out.data()));
}

} // namespace
