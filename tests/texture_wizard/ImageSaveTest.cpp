#include "TextureFixtures.h"

#include "BmpFileImage.h"
#include "DibFunctions.h"
#include "Image.h"

#include <gtest/gtest.h>

#include "TemporaryFiles.h"

#include <cstdlib>

using namespace texture_test;

namespace {

// An image whose layer 1 (what Save and the constructors read) is the given layer.
CImage* Edited(const Layer& layer)
{
    CImage* image = new CImage;
    image->SetLayer(layer.info, layer.bits, 1);
    return image;
}

COLORREF Numbered(int x, int y)
{
    return RGB(10 * x + 1, 10 * y + 2, 3);
}

const COLORREF W = RGB(255, 255, 255);

} // namespace

TEST(CImageSave, TwentyFourBitsByteForByte)
{
    Layer layer = MakeLayer(3, 2, Numbered);
    layer.info->biXPelsPerMeter = 3780;
    layer.info->biYPelsPerMeter = 2835;
    CImage* image = Edited(layer);
    const std::string path = ScratchPath("out.bmp");
    ASSERT_TRUE(image->Save(path.c_str(), FALSE, nullptr));
    const Bytes file = ReadFile(path);

    Bytes expected = {'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
                      40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,
                      24, 0, 0, 0, 0xC4, 0x0E, 0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    // Bottom row first, blue green red, three zero bytes of padding.
    const BYTE rows[24] = {3, 12, 1, 3, 12, 11, 3, 12, 21, 0, 0, 0,
                           3, 2, 1, 3, 2, 11, 3, 2, 21, 0, 0, 0};
    expected.insert(expected.end(), rows, rows + 24);
    EXPECT_EQ(expected, file);
    EXPECT_EQ(TemporaryFilesBeside(path), 0);
    delete image;
}

TEST(CImageSave, EightBitsWithTheReducedPalette)
{
    // Two colours, both kept: the palette lists them in bit-path order, blue (child 1)
    // before red (child 4).
    const COLORREF red = RGB(200, 0, 0), blue = RGB(0, 0, 200);
    Layer layer = MakeLayer(5, 2, std::vector<COLORREF>{red, red, blue, red, blue, blue, blue, red, red, red});
    CImage* image = Edited(layer);
    const std::string path = ScratchPath("out8.bmp");
    RecordingNotify notify;
    ASSERT_TRUE(image->Save(path.c_str(), TRUE, nullptr));
    const Bytes file = ReadFile(path);
    Bytes expected = {'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,
                      40, 0, 0, 0, 5, 0, 0, 0, 2, 0, 0, 0, 1, 0, 8, 0, 0, 0, 0, 0,
                      16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,
                      200, 0, 0, 0, 0, 0, 200, 0};
    // Bottom row first, rows of 8 bytes with 3 of padding.
    const BYTE rows[16] = {0, 0, 1, 1, 1, 0, 0, 0, /* top */ 1, 1, 0, 1, 0, 0, 0, 0};
    expected.insert(expected.end(), rows, rows + 16);
    EXPECT_EQ(expected, file);
    EXPECT_EQ(118u, notify.caption);
    EXPECT_EQ(2, notify.range);
    EXPECT_EQ((std::vector<int>{1, 2}), notify.steps);
    EXPECT_TRUE(notify.ended);
    delete image;
}

TEST(CImageSave, EightBitsNeverExceed236Colours)
{
    Layer layer = MakeLayer(64, 64, [](int x, int y) { return RGB(x * 4, y * 4, (x ^ y) * 4); });
    CImage* image = Edited(layer);
    const std::string path = ScratchPath("many.bmp");
    ASSERT_TRUE(image->Save(path.c_str(), TRUE, nullptr));
    const Bytes file = ReadFile(path);
    const uint32_t count = Get32(file, 46);
    EXPECT_LE(count, 236u);
    EXPECT_GT(count, 100u);
    EXPECT_EQ(54 + 4 * count, Get32(file, 10));
    // Every pixel gets the entry the palette search gives for its colour.
    const RGBQUAD* palette = reinterpret_cast<const RGBQUAD*>(file.data() + 54);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const BYTE* p = layer.bits + 192 * y + 3 * x;
            ASSERT_EQ(NearestPaletteIndex(palette, static_cast<int>(count), p[0], p[1], p[2]),
                      file[Get32(file, 10) + 64 * y + x]) << x << "," << y;
        }
    }
    delete image;
}

TEST(CImageSave, NearestEntryIsTheFirstOfTheSmallestWeightedDistance)
{
    const RGBQUAD palette[] = {{0, 0, 100, 0}, {0, 0, 100, 0}, {100, 0, 0, 0}, {0, 40, 0, 0}, {0, 40, 0, 0}};
    // Exact colour: the first equal entry.
    EXPECT_EQ(0, NearestPaletteIndex(palette, 5, 0, 0, 100));
    // Red 100 away costs 19661 x 100; green 40 away 38666 x 40; blue 100 away 7209 x 100.
    EXPECT_EQ(2, NearestPaletteIndex(palette, 5, 0, 0, 0));
    EXPECT_EQ(3, NearestPaletteIndex(palette, 5, 0, 30, 0));
}

TEST(CImageSave, NothingToWriteFailsWithoutAFile)
{
    CImage empty;
    const std::string path = ScratchPath("none.bmp");
    EXPECT_FALSE(empty.Save(path.c_str(), FALSE, nullptr));
    EXPECT_FALSE(empty.Save(path.c_str(), TRUE, nullptr));
    EXPECT_FALSE(FileExists(path));
}

TEST(CImageSave, AFailedSaveLeavesTheOldFile)
{
    Layer layer = MakeLayer(3, 2, Numbered);
    CImage* image = Edited(layer);
    const std::string folder = ScratchPath("missing-folder");
    EXPECT_FALSE(image->Save((folder + "/out.bmp").c_str(), FALSE, nullptr));

    // An unwritable picture (no pixels) leaves an existing file as it was.
    const std::string path = ScratchPath("keep.bmp");
    WriteFile(path, Bytes{1, 2, 3});
    image->SetLayer(layer.info, nullptr, 1);
    EXPECT_FALSE(image->Save(path.c_str(), FALSE, nullptr));
    EXPECT_EQ((Bytes{1, 2, 3}), ReadFile(path));
    image->SetLayer(layer.info, layer.bits, 1);
    ASSERT_TRUE(image->Save(path.c_str(), FALSE, nullptr));
    EXPECT_EQ(78u, ReadFile(path).size());
    delete image;
}

TEST(CImageSave, ReadsBackThroughTheBmpReader)
{
    Layer layer = MakeLayer(7, 3, Numbered);
    CImage* image = Edited(layer);
    const std::string path = ScratchPath("round.bmp");
    ASSERT_TRUE(image->Save(path.c_str(), FALSE, nullptr));
    CBmpFileImage read;
    ASSERT_TRUE(read.Load(path.c_str(), 0, nullptr));
    EXPECT_EQ(Pixels(layer.info, layer.bits), Pixels(read.GetInfo(0), read.GetBits(0)));
    delete image;
}

TEST(CImageConstructors, CopyTakesLayerOne)
{
    Layer layer = MakeLayer(3, 2, Numbered);
    CImage* source = Edited(layer);
    CImage copy(*source);
    ASSERT_NE(nullptr, copy.GetBits(0));
    EXPECT_NE(layer.bits, copy.GetBits(0));
    EXPECT_EQ(Pixels(layer.info, layer.bits), Pixels(copy.GetInfo(0), copy.GetBits(0)));
    EXPECT_EQ(nullptr, copy.GetBits(1));
    EXPECT_EQ(0, copy.GetSize().cx);
    delete source;
}

struct CropCase
{
    const char* name;
    RECT rect;
    int width, height;
    std::vector<COLORREF> pixels;
};

class CropTest : public ::testing::TestWithParam<CropCase> {};

TEST_P(CropTest, CutsLayerOne)
{
    // Source 3 x 2: top row (1,2,3) (11,2,3) (21,2,3), bottom row (1,12,3) (11,12,3) (21,12,3).
    Layer layer = MakeLayer(3, 2, Numbered);
    CImage* source = Edited(layer);
    const CropCase& c = GetParam();
    CImage crop(*source, c.rect);
    const BITMAPINFOHEADER* info = crop.GetInfo(0);
    ASSERT_NE(nullptr, info);
    EXPECT_EQ(c.width, info->biWidth);
    EXPECT_EQ(c.height, info->biHeight);
    EXPECT_EQ(c.pixels, Pixels(info, crop.GetBits(0)));
    EXPECT_TRUE(PaddingIsZero(info, crop.GetBits(0)));
    delete source;
}

INSTANTIATE_TEST_SUITE_P(Rects, CropTest, ::testing::Values(
    CropCase{"Inside", {1, 0, 3, 1}, 2, 1, {RGB(11, 2, 3), RGB(21, 2, 3)}},
    CropCase{"Empty", {0, 0, 0, 0}, 3, 2,
             {RGB(1, 2, 3), RGB(11, 2, 3), RGB(21, 2, 3), RGB(1, 12, 3), RGB(11, 12, 3), RGB(21, 12, 3)}},
    CropCase{"PastRightAndBottom", {2, 1, 4, 3}, 2, 2, {RGB(21, 12, 3), W, W, W}},
    CropCase{"BeforeLeftAndTop", {-1, -1, 1, 1}, 2, 2, {W, W, W, RGB(1, 2, 3)}}),
    [](const ::testing::TestParamInfo<CropCase>& info) { return std::string(info.param.name); });
