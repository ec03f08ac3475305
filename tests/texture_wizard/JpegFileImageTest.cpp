#include "TextureFixtures.h"

#include "JpegFileImage.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace texture_test;

namespace {

// Top half red, bottom half blue: the orientation survives compression.
COLORREF RedOverBlue(int, int y)
{
    return y < 8 ? RGB(255, 0, 0) : RGB(0, 0, 255);
}

COLORREF GreyRamp(int x, int)
{
    const BYTE v = static_cast<BYTE>(x < 8 ? 40 : 200);
    return RGB(v, v, v);
}

bool Near(COLORREF a, COLORREF b, int tolerance = 8)
{
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance
        && abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

BOOL LoadBytes(CJpegFileImage& image, const Bytes& file)
{
    const std::string path = ScratchPath("picture.jpg");
    WriteFile(path, file);
    return image.Load(path.c_str(), 0, nullptr);
}

} // namespace

struct JpegCase
{
    const char* name;
    int components;
    bool progressive;
};

class JpegLoadTest : public ::testing::TestWithParam<JpegCase> {};

TEST_P(JpegLoadTest, LoadsBottomUpIn24Bits)
{
    JpegSpec spec;
    spec.width = 17; // rows of 51 bytes and one of padding
    spec.height = 16;
    spec.components = GetParam().components;
    spec.progressive = GetParam().progressive;
    spec.colour = spec.components == 1 ? GreyRamp : RedOverBlue;
    CJpegFileImage image;
    ASSERT_TRUE(LoadBytes(image, MakeJpeg(spec)));
    const BITMAPINFOHEADER* info = image.GetInfo(0);
    ASSERT_NE(nullptr, info);
    EXPECT_EQ(40u, info->biSize);
    EXPECT_EQ(17, info->biWidth);
    EXPECT_EQ(16, info->biHeight);
    EXPECT_EQ(1, info->biPlanes);
    EXPECT_EQ(24, info->biBitCount);
    EXPECT_EQ(0u, info->biSizeImage);
    EXPECT_TRUE(PaddingIsZero(info, image.GetBits(0)));
    if (spec.components == 1) {
        EXPECT_TRUE(Near(RGB(40, 40, 40), PixelAt(info, image.GetBits(0), 2, 5)));
        EXPECT_TRUE(Near(RGB(200, 200, 200), PixelAt(info, image.GetBits(0), 14, 5)));
    } else {
        // The first decoded line is the last stored row.
        const BYTE* lastRow = image.GetBits(0) + 52 * 15;
        EXPECT_GT(lastRow[2 * 3 + 2], 240);  // red byte of a red pixel
        EXPECT_LT(lastRow[2 * 3 + 0], 16);   // blue byte
        EXPECT_TRUE(Near(RGB(0, 0, 255), PixelAt(info, image.GetBits(0), 3, 13)));
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, JpegLoadTest, ::testing::Values(
    JpegCase{"Colour", 3, false}, JpegCase{"Progressive", 3, true},
    JpegCase{"Grey", 1, false}, JpegCase{"GreyProgressive", 1, true}),
    [](const ::testing::TestParamInfo<JpegCase>& info) { return std::string(info.param.name); });

struct BadJpegCase
{
    const char* name;
    Bytes (*make)();
};

class BadJpegTest : public ::testing::TestWithParam<BadJpegCase> {};

TEST_P(BadJpegTest, FailsQuietly)
{
    RecordingNotify notify;
    CJpegFileImage image;
    EXPECT_FALSE(LoadBytes(image, GetParam().make()));
    EXPECT_EQ(nullptr, image.GetInfo(0));
    EXPECT_EQ(nullptr, image.GetBits(0));
    EXPECT_TRUE(notify.errors.empty());
}

namespace {

Bytes Colour()
{
    JpegSpec spec;
    spec.width = 32;
    spec.height = 32;
    spec.colour = RedOverBlue;
    return MakeJpeg(spec);
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Files, BadJpegTest, ::testing::Values(
    BadJpegCase{"Empty", [] { return Bytes(); }},
    BadJpegCase{"NotAJpeg", [] { return MakeBmp(BmpSpec()); }},
    BadJpegCase{"Cmyk", [] { JpegSpec s; s.components = 4; s.colour = RedOverBlue; return MakeJpeg(s); }},
    BadJpegCase{"HeaderOnly", [] { Bytes f = Colour(); f.resize(200); return f; }},
    BadJpegCase{"Truncated", [] { Bytes f = Colour(); f.resize(f.size() * 2 / 3); return f; }},
    // Found by fuzzing: a marker halfway through the picture's data ends it (the rest would be
    // grey); a frame of 10761 x 10496 pixels then decoded grey for seconds.
    BadJpegCase{"MarkerInsideTheData", [] {
        Bytes f = Colour();
        size_t sos = 0;
        for (size_t i = 0; i + 3 < f.size(); ++i)
            if (f[i] == 0xFF && f[i + 1] == 0xDA) { sos = i; break; }
        const size_t data = sos + 2 + ((f[sos + 2] << 8) | f[sos + 3]);
        const size_t mid = data + (f.size() - 2 - data) / 2;
        f[mid] = 0xFF;
        f[mid + 1] = 0xD9;
        return f; }},
    BadJpegCase{"TruncatedProgressive", [] {
        JpegSpec s; s.width = 32; s.height = 32; s.progressive = true; s.colour = RedOverBlue;
        Bytes f = MakeJpeg(s); f.resize(f.size() / 2); return f; }}),
    [](const ::testing::TestParamInfo<BadJpegCase>& info) { return std::string(info.param.name); });

TEST(CJpegFileImage, APictureOverTheSideLimitIsRefusedQuietly)
{
    // The frame header claims 65000 x 65000 pixels: past what the view's 16-bit sizes
    // carry, refused like an unreadable file.
    Bytes file = Colour();
    size_t sof = 0;
    for (size_t i = 0; i + 1 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == 0xC0) {
            sof = i;
            break;
        }
    ASSERT_NE(0u, sof);
    file[sof + 5] = 0xFD;
    file[sof + 6] = 0xE8;
    file[sof + 7] = 0xFD;
    file[sof + 8] = 0xE8;
    RecordingNotify notify;
    CJpegFileImage image;
    EXPECT_FALSE(LoadBytes(image, file));
    EXPECT_TRUE(notify.errors.empty());
    EXPECT_EQ(nullptr, image.GetBits(0));
}

TEST(CJpegFileImage, MissingFileFails)
{
    CJpegFileImage image;
    EXPECT_FALSE(image.Load(ScratchPath("absent.jpg").c_str(), 0, nullptr));
}
