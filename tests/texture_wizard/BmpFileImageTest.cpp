#include "TextureFixtures.h"

#include "BmpFileImage.h"
#include "DibFunctions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

using namespace texture_test;

namespace {

const COLORREF kRed = RGB(255, 0, 0), kLime = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
const COLORREF kPeach = RGB(250, 200, 150), kInk = RGB(5, 10, 20);

// 5 x 3 pixels, top row first, that each depth can hold.
BmpSpec Picture(int bitCount, DWORD headerSize = 40)
{
    BmpSpec spec;
    spec.width = 5;
    spec.height = 3;
    spec.bitCount = bitCount;
    spec.headerSize = headerSize;
    const std::vector<COLORREF> colours = {kRed, kLime, kBlue, kPeach, kInk};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const int index = (x + y) % (bitCount == 1 ? 2 : 5);
            if (bitCount <= 8)
                spec.values.push_back(static_cast<uint32_t>(index));
            else if (bitCount == 16) // 5-5-5 words of the same colours, low bits dropped
                spec.values.push_back(((GetRValue(colours[index]) >> 3) << 10) | ((GetGValue(colours[index]) >> 3) << 5)
                                      | (GetBValue(colours[index]) >> 3));
            else
                spec.values.push_back(colours[index]);
        }
    }
    if (bitCount <= 8)
        spec.palette = bitCount == 1 ? std::vector<COLORREF>{kRed, kLime} : colours;
    return spec;
}

COLORREF Expected(const BmpSpec& spec, int x, int y)
{
    const COLORREF colours[] = {kRed, kLime, kBlue, kPeach, kInk};
    const int index = (x + y) % (spec.bitCount == 1 ? 2 : 5);
    const COLORREF c = colours[index];
    if (spec.bitCount == 16)
        return RGB(GetRValue(c) & 0xF8, GetGValue(c) & 0xF8, GetBValue(c) & 0xF8);
    return c;
}

BOOL LoadBytes(CBmpFileImage& image, const Bytes& file, const char* name = "picture.bmp")
{
    const std::string path = ScratchPath(name);
    WriteFile(path, file);
    return image.Load(path.c_str(), 0, nullptr);
}

} // namespace

struct DepthCase
{
    int bitCount;
    DWORD headerSize;
};

class BmpDepthTest : public ::testing::TestWithParam<DepthCase> {};

TEST_P(BmpDepthTest, LoadsAs24Bits)
{
    const BmpSpec spec = Picture(GetParam().bitCount, GetParam().headerSize);
    CBmpFileImage image;
    ASSERT_TRUE(LoadBytes(image, MakeBmp(spec)));
    const BITMAPINFOHEADER* info = image.GetInfo(0);
    ASSERT_NE(nullptr, info);
    EXPECT_EQ(40u, info->biSize);
    EXPECT_EQ(24, info->biBitCount);
    EXPECT_EQ(0u, info->biClrUsed);
    EXPECT_EQ(5, info->biWidth);
    EXPECT_EQ(3, info->biHeight);
    EXPECT_EQ(5, image.GetSize().cx);
    EXPECT_EQ(3, image.GetSize().cy);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(Expected(spec, x, y), PixelAt(info, image.GetBits(0), x, y)) << x << "," << y;
    EXPECT_TRUE(PaddingIsZero(info, image.GetBits(0)));
    EXPECT_EQ(nullptr, image.GetBits(1));
}

INSTANTIATE_TEST_SUITE_P(DepthsAndHeaders, BmpDepthTest, ::testing::Values(
    DepthCase{1, 40}, DepthCase{4, 40}, DepthCase{8, 40}, DepthCase{16, 40}, DepthCase{24, 40}, DepthCase{32, 40},
    DepthCase{8, 12}, DepthCase{24, 12}, DepthCase{4, 12},
    DepthCase{8, 108}, DepthCase{24, 124}));

TEST(CBmpFileImage, ReservedWordsRefuseOnlyWhenBothAreSet)
{
    BmpSpec spec = Picture(24);
    spec.reserved1 = 7;
    CBmpFileImage one;
    EXPECT_TRUE(LoadBytes(one, MakeBmp(spec)));
    spec.reserved1 = 0;
    spec.reserved2 = 7;
    CBmpFileImage other;
    EXPECT_TRUE(LoadBytes(other, MakeBmp(spec)));
    spec.reserved1 = 7;
    CBmpFileImage both;
    EXPECT_FALSE(LoadBytes(both, MakeBmp(spec)));
}

TEST(CBmpFileImage, EightBitsTakeTheirPaletteColoursExactly)
{
    BmpSpec spec = Picture(8);
    spec.clrUsed = 5;
    CBmpFileImage image;
    ASSERT_TRUE(LoadBytes(image, MakeBmp(spec)));
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(spec.palette[x], PixelAt(image.GetInfo(0), image.GetBits(0), x, 0));
}

// Each malformed file is refused quietly, with nothing read past its end.
struct MalformedCase
{
    const char* name;
    Bytes (*make)();
};

class MalformedBmpTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedBmpTest, IsRefused)
{
    RecordingNotify notify;
    CBmpFileImage image;
    EXPECT_FALSE(LoadBytes(image, GetParam().make()));
    EXPECT_EQ(nullptr, image.GetInfo(0));
    EXPECT_EQ(nullptr, image.GetBits(0));
    EXPECT_TRUE(notify.errors.empty());
}

namespace {

Bytes Modified(int bitCount, void (*change)(Bytes&))
{
    Bytes file = MakeBmp(Picture(bitCount));
    change(file);
    return file;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Files, MalformedBmpTest, ::testing::Values(
    MalformedCase{"Empty", [] { return Bytes(); }},
    MalformedCase{"NoSignature", [] { return Modified(24, [](Bytes& f) { f[0] = 'X'; }); }},
    MalformedCase{"ShorterThanHeaders", [] { Bytes f = MakeBmp(Picture(24)); f.resize(30); return f; }},
    MalformedCase{"TopDown", [] { BmpSpec s = Picture(24); s.height = -3; return MakeBmp(s); }},
    MalformedCase{"Rle8", [] { BmpSpec s = Picture(8); s.compression = 1; return MakeBmp(s); }},
    MalformedCase{"Bitfields", [] { BmpSpec s = Picture(16); s.compression = 3; return MakeBmp(s); }},
    MalformedCase{"ZeroWidth", [] { return Modified(24, [](Bytes& f) { Put32(f, 18, 0); }); }},
    MalformedCase{"ZeroHeight", [] { return Modified(24, [](Bytes& f) { Put32(f, 22, 0); }); }},
    MalformedCase{"OddDepth", [] { return Modified(24, [](Bytes& f) { f[28] = 7; }); }},
    MalformedCase{"PixelsCutShort", [] { Bytes f = MakeBmp(Picture(24)); f.resize(f.size() - 1); return f; }},
    MalformedCase{"HugeWidth", [] { return Modified(24, [](Bytes& f) { Put32(f, 18, 0x40000000); }); }},
    MalformedCase{"HugeHeight", [] { return Modified(8, [](Bytes& f) { Put32(f, 22, 0x7FFFFFFF); }); }},
    MalformedCase{"OverflowingSize", [] { return Modified(32, [](Bytes& f) { Put32(f, 18, 0x10000001); Put32(f, 22, 16); }); }},
    MalformedCase{"PixelsPastTheEnd", [] { return Modified(24, [](Bytes& f) { Put32(f, 10, 0xFFFFFFF0); }); }},
    MalformedCase{"HeaderSizePastTheEnd", [] { return Modified(24, [](Bytes& f) { Put32(f, 14, 0x7FFFFFFF); }); }},
    MalformedCase{"UnknownHeaderSize", [] { return Modified(24, [](Bytes& f) { Put32(f, 14, 20); }); }}),
    [](const ::testing::TestParamInfo<MalformedCase>& info) { return std::string(info.param.name); });

TEST(CBmpFileImage, AShortColourTableReadsMissingEntriesAsBlack)
{
    // biClrUsed claims 200 entries and the table holds 5; pixels follow at once.
    BmpSpec spec = Picture(8);
    spec.clrUsed = 200;
    spec.values[0] = 150;
    CBmpFileImage image;
    ASSERT_TRUE(LoadBytes(image, MakeBmp(spec)));
    EXPECT_EQ(0u, PixelAt(image.GetInfo(0), image.GetBits(0), 0, 0));
    EXPECT_EQ(kLime, PixelAt(image.GetInfo(0), image.GetBits(0), 1, 0));
}

TEST(CBmpFileImage, ALoadReplacesTheEarlierPicture)
{
    CBmpFileImage image;
    ASSERT_TRUE(LoadBytes(image, MakeBmp(Picture(24)), "first.bmp"));
    BmpSpec second = Picture(8);
    second.width = 2;
    second.height = 1;
    second.values = {1, 0};
    ASSERT_TRUE(LoadBytes(image, MakeBmp(second), "second.bmp"));
    EXPECT_EQ(2, image.GetInfo(0)->biWidth);
    EXPECT_EQ(kLime, PixelAt(image.GetInfo(0), image.GetBits(0), 0, 0));
}

TEST(CBmpFileImage, MissingFileFails)
{
    CBmpFileImage image;
    EXPECT_FALSE(image.Load(ScratchPath("absent.bmp").c_str(), 0, nullptr));
}

namespace {

BOOL Attach(CBmpFileImage& image, const Bytes& dib, size_t size)
{
    BITMAPINFOHEADER* block = static_cast<BITMAPINFOHEADER*>(malloc(dib.size() < 40 ? 40 : dib.size()));
    memcpy(block, dib.data(), dib.size());
    const BOOL done = image.AttachDibBlock(block, static_cast<DWORD>(size));
    free(block);
    return done;
}

} // namespace

TEST(CBmpFileImage, PackedDibsOfEveryDepthBecome24Bits)
{
    for (int bitCount : {1, 4, 8, 16, 24, 32}) {
        BmpSpec spec = Picture(bitCount);
        spec.clrUsed = static_cast<DWORD>(spec.palette.size());
        const Bytes dib = MakePackedDib(spec);
        CBmpFileImage image;
        ASSERT_TRUE(Attach(image, dib, dib.size())) << bitCount;
        const BITMAPINFOHEADER* info = image.GetInfo(0);
        EXPECT_EQ(24, info->biBitCount);
        EXPECT_EQ(5, info->biWidth);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(Expected(spec, x, y), PixelAt(info, image.GetBits(0), x, y)) << bitCount;
        EXPECT_TRUE(PaddingIsZero(info, image.GetBits(0)));
    }
}

TEST(CBmpFileImage, PackedDibsShorterThanTheyClaimAreRefused)
{
    BmpSpec spec = Picture(8);
    spec.clrUsed = 5;
    const Bytes dib = MakePackedDib(spec);
    CBmpFileImage whole;
    EXPECT_TRUE(Attach(whole, dib, dib.size()));
    CBmpFileImage image;
    EXPECT_FALSE(Attach(image, dib, dib.size() - 1));
    EXPECT_FALSE(Attach(image, dib, 39));
    Bytes huge = dib;
    Put32(huge, 32, 0x40000000); // biClrUsed
    EXPECT_FALSE(Attach(image, huge, huge.size()));
    Bytes wide = MakePackedDib(Picture(24));
    Put32(wide, 4, 0x7FFFFFFF);
    EXPECT_FALSE(Attach(image, wide, wide.size()));
    EXPECT_EQ(nullptr, image.GetBits(0));
    // A top-down picture one byte short is refused like a bottom-up one.
    Bytes topDown = MakePackedDib(Picture(24));
    Put32(topDown, 8, static_cast<uint32_t>(-3));
    EXPECT_FALSE(Attach(image, topDown, topDown.size() - 1));
    EXPECT_EQ(nullptr, image.GetBits(0));
}

// Scanners may hand over top-down pictures: the same picture as stored bottom-up.
TEST(CBmpFileImage, TopDownPackedDibsAreTheSamePicture)
{
    for (int bitCount : {4, 8, 24}) {
        BmpSpec spec = Picture(bitCount);
        spec.clrUsed = static_cast<DWORD>(spec.palette.size());
        const Bytes bottomUp = MakePackedDib(spec);
        Bytes topDown = bottomUp;
        const size_t stride = ((static_cast<size_t>(bitCount) * 5 + 31) / 32) * 4;
        const size_t head = bottomUp.size() - 3 * stride;
        for (size_t y = 0; y < 3; ++y)
            std::copy(bottomUp.begin() + head + y * stride, bottomUp.begin() + head + (y + 1) * stride,
                      topDown.begin() + head + (2 - y) * stride);
        Put32(topDown, 8, static_cast<uint32_t>(-3));
        CBmpFileImage a, b;
        ASSERT_TRUE(Attach(a, bottomUp, bottomUp.size())) << bitCount;
        ASSERT_TRUE(Attach(b, topDown, topDown.size())) << bitCount;
        EXPECT_EQ(3, b.GetInfo(0)->biHeight);
        EXPECT_EQ(0, memcmp(a.GetBits(0), b.GetBits(0), DibBytes24(5, 3))) << bitCount;
    }
}

#ifdef _WIN32
TEST(CBmpFileImage, AttachPackedDibTakesOverTheHandle)
{
    BmpSpec spec = Picture(4);
    spec.clrUsed = 5;
    const Bytes dib = MakePackedDib(spec);
    HGLOBAL handle = ::GlobalAlloc(GMEM_MOVEABLE, dib.size());
    memcpy(::GlobalLock(handle), dib.data(), dib.size());
    ::GlobalUnlock(handle);
    CBmpFileImage image;
    ASSERT_TRUE(image.AttachPackedDib(handle));
    EXPECT_EQ(Expected(spec, 4, 2), PixelAt(image.GetInfo(0), image.GetBits(0), 4, 2));

    CBmpFileImage none;
    EXPECT_FALSE(none.AttachPackedDib(NULL));

    // A handle smaller than its header claims is refused, and still released.
    HGLOBAL shortHandle = ::GlobalAlloc(GMEM_MOVEABLE, 60);
    memcpy(::GlobalLock(shortHandle), dib.data(), 60);
    ::GlobalUnlock(shortHandle);
    CBmpFileImage refused;
    EXPECT_FALSE(refused.AttachPackedDib(shortHandle));
    EXPECT_EQ(nullptr, refused.GetBits(0));
}
#endif

TEST(CBmpFileImage, PicturesOverTheSideLimitAreRefused)
{
    // A 24-bit packed DIB one row high: 16384 pixels wide is taken, 16385 is not.
    for (LONG width : {16384L, 16385L}) {
        const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t(3);
        Bytes dib(sizeof(BITMAPINFOHEADER) + stride, 0);
        BITMAPINFOHEADER header = {};
        header.biSize = sizeof(header);
        header.biWidth = width;
        header.biHeight = 1;
        header.biPlanes = 1;
        header.biBitCount = 24;
        memcpy(dib.data(), &header, sizeof(header));
        CBmpFileImage image;
        EXPECT_EQ(width <= 16384, Attach(image, dib, dib.size()) != FALSE) << width;
    }
}
