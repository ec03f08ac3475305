#include "RendererTestFiles.h"
#include "SceneGenerator.h"
#include "TBitmapForPng.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace SceneGenerator;

namespace {

void Patch32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
}

TEST(Bitmap, FourBitRowsExpandToEightBit)
{
    TestFile f("rt_four.bmp");
    // Width 5: 3 bytes rounded up to 4 per file row; the first byte is 0xA3.
    std::vector<uint8_t> px = {10, 3, 1, 2, 15, 0, 0, 0, 0, 0};
    std::vector<uint32_t> pal(16);
    for (int i = 0; i < 16; ++i)
        pal[i] = static_cast<uint32_t>(i * 16);
    ASSERT_TRUE(SaveFile(f.Path(), MakeBmp(5, 2, 4, px, pal)));
    TBitmapForPng b;
    ASSERT_TRUE(b.LoadBmp(f.c_str()));
    EXPECT_EQ(b.GetBitCount(), 8);
    EXPECT_EQ(b.GetStride(), 8);
    const uint8_t* top = b.GetRow(0);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top[0], 10);
    EXPECT_EQ(top[1], 3);
    EXPECT_EQ(top[4], 15);
    uint8_t bgr[3];
    ASSERT_TRUE(b.GetPixels(4, 0, 1, bgr));
    EXPECT_EQ(bgr[0], 15 * 16);

    TBitmapForBack back;
    ASSERT_TRUE(back.Load(f.c_str()));
    EXPECT_EQ(back.GetBitCount(), 24);
    EXPECT_EQ(back.GetRow(0)[0], 10 * 16);
}

TEST(Bitmap, PaletteCountComesFromTheOffsetAndLargerHeadersAreHonoured)
{
    struct Case {
        uint32_t infoSize;
        int paletteEntries;
    } cases[] = {{40, 256}, {40, 10}, {108, 4}, {124, 16}};
    for (const Case& c : cases) {
        TestFile f("rt_pal.bmp");
        std::vector<uint32_t> pal(static_cast<size_t>(c.paletteEntries));
        for (int i = 0; i < c.paletteEntries; ++i)
            pal[i] = 0x010203u * static_cast<uint32_t>(i);
        ASSERT_TRUE(SaveFile(f.Path(), MakeBmp(2, 1, 8, {static_cast<uint8_t>(c.paletteEntries - 1), 1}, pal, c.infoSize)));
        TBitmapForPng b;
        ASSERT_TRUE(b.LoadBmp(f.c_str())) << c.infoSize;
        EXPECT_EQ(b.GetPaletteCount(), c.paletteEntries) << c.infoSize;
        uint8_t bgr[6];
        ASSERT_TRUE(b.GetPixels(0, 0, 2, bgr));
        EXPECT_EQ(bgr[0], (3 * (c.paletteEntries - 1)) & 0xFF) << c.infoSize;
        EXPECT_EQ(bgr[3], 3) << c.infoSize;
    }
}

TEST(Bitmap, RowsAndPixelRunsAreBounded)
{
    TestFile f("rt_24.bmp");
    std::vector<uint8_t> px(4 * 3 * 3);
    for (size_t i = 0; i < px.size(); ++i)
        px[i] = static_cast<uint8_t>(i);
    ASSERT_TRUE(SaveFile(f.Path(), MakeBmp(4, 3, 24, px)));
    TBitmapForPng b;
    ASSERT_TRUE(b.LoadBmp(f.c_str()));
    EXPECT_EQ(b.GetRow(0)[0], 0);  // top row of the picture is the last stored
    EXPECT_EQ(b.GetRow(2)[0], 24);
    EXPECT_EQ(b.GetRow(3), nullptr);
    uint8_t out[12];
    EXPECT_TRUE(b.GetPixels(1, 0, 3, out));
    EXPECT_EQ(out[0], 3);
    EXPECT_FALSE(b.GetPixels(1, 0, 4, out));
    EXPECT_FALSE(b.GetPixels(-1, 0, 1, out));
    EXPECT_FALSE(b.GetPixels(0, 0, -1, out));
    EXPECT_FALSE(b.GetPixels(0, 0, 1, nullptr));
}

TEST(Bitmap, MalformedFilesAreRefused)
{
    std::vector<uint8_t> good = MakeBmp(4, 4, 24, std::vector<uint8_t>(48, 7));
    std::vector<uint32_t> pal(256, 0x00FFFFFF);
    std::vector<uint8_t> good8 = MakeBmp(4, 4, 8, std::vector<uint8_t>(16, 200), pal);
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases;
    auto with = [&](const char* name, std::vector<uint8_t> b, auto change) {
        change(b);
        cases.push_back({name, b});
    };
    with("signature", good, [](auto& b) { b[0] = 'X'; });
    with("1 bit", good, [](auto& b) { b[28] = 1; });
    with("16 bit", good, [](auto& b) { b[28] = 16; });
    with("compressed", good, [](auto& b) { b[30] = 1; });
    with("truncated pixels", good, [](auto& b) { b.resize(b.size() - 5); });
    with("truncated header", good, [](auto& b) { b.resize(30); });
    with("huge width", good, [](auto& b) { Patch32(b, 18, 0x7FFFFFFF); });
    with("huge height", good, [](auto& b) { Patch32(b, 22, 0x40000000); });
    with("negative width", good, [](auto& b) { Patch32(b, 18, 0xFFFFFFFF); });
    with("offset past the end", good, [](auto& b) { Patch32(b, 10, 0xFFFFFF00); });
    with("small info header", good, [](auto& b) { Patch32(b, 14, 12); });
    with("palette past the end", good8, [](auto& b) { b.resize(14 + 40 + 100); });
    with("four bit huge height", MakeBmp(5, 2, 4, std::vector<uint8_t>(10, 1), std::vector<uint32_t>(16)),
         [](auto& b) { Patch32(b, 22, 0x10000000); });
    for (const Case& c : cases) {
        TestFile f("rt_bad.bmp");
        ASSERT_TRUE(SaveFile(f.Path(), c.bytes));
        TBitmapForBack b;
        EXPECT_FALSE(b.Load(f.c_str())) << c.name;
    }
    TBitmapForPng missing;
    EXPECT_FALSE(missing.LoadBmp("rt_no_such_file.bmp"));
}

TEST(Bitmap, IndexPastAShortPaletteReadsBlack)
{
    TestFile f("rt_short.bmp");
    ASSERT_TRUE(SaveFile(f.Path(), MakeBmp(2, 1, 8, {0, 200}, {0x00FFFFFF, 0x00FFFFFF})));
    TBitmapForBack b;
    ASSERT_TRUE(b.Load(f.c_str()));
    const uint8_t* row = b.GetRow(0);
    EXPECT_EQ(row[0], 255);
    EXPECT_EQ(row[3], 0);
}

std::vector<uint8_t> Resample(std::vector<uint8_t> values, int m)
{
    std::vector<uint8_t> src;
    for (uint8_t v : values)
        src.insert(src.end(), {v, v, v});
    std::vector<uint8_t> dst(static_cast<size_t>(m) * 3);
    StretchBitmap::ResampleRow(src.data(), static_cast<int>(values.size()), dst.data(), m);
    std::vector<uint8_t> out;
    for (int j = 0; j < m; ++j)
        out.push_back(dst[static_cast<size_t>(j) * 3]);
    return out;
}

TEST(Bitmap, BoxFilterResampling)
{
    EXPECT_EQ(Resample({10, 20, 30, 40}, 2), (std::vector<uint8_t>{15, 35}));
    EXPECT_EQ(Resample({10, 20, 30, 40}, 8), (std::vector<uint8_t>{10, 10, 20, 20, 30, 30, 40, 40}));
    EXPECT_EQ(Resample({0, 0, 255}, 2), (std::vector<uint8_t>{0, 170}));

    TestFile in("rt_stretch_in.bmp"), out("rt_stretch_out.bmp");
    std::vector<uint8_t> px(640 * 480 * 3, 90);
    ASSERT_TRUE(SaveFile(in.Path(), MakeBmp(640, 480, 24, px)));
    StretchBitmap s;
    ASSERT_TRUE(s.Load(in.c_str()));
    ASSERT_TRUE(s.SaveScaled(320, 240, out.c_str()));
    TBitmapForPng r;
    ASSERT_TRUE(r.LoadBmp(out.c_str()));
    EXPECT_EQ(r.GetWidth(), 320);
    EXPECT_EQ(r.GetHeight(), 240);
    EXPECT_EQ(r.GetRow(100)[30], 90);
    EXPECT_FALSE(s.SaveScaled(0, 10, out.c_str()));
}

} // namespace
