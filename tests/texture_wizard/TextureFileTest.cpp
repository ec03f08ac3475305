#include "TextureFixtures.h"

#include "BmpFileImage.h"
#include "DibFunctions.h"
#include "TextureInfo.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace texture_test;

namespace {

// The pasting-method defaults the first wizard page stores.
void SetPasteDefaults(CTextureInfo& info)
{
    const int32_t head[6] = {1, 0xFFFF, 3, 3, 0, 0};
    const double scale[2] = {1.0, 1.0};
    const int32_t tail[7] = {0, 0, 0, 0, 1, 0, 0};
    memcpy(info.m_PasteMethod, head, 24);
    memcpy(info.m_PasteMethod + 24, scale, 16);
    memcpy(info.m_PasteMethod + 40, tail, 28);
}

CTextureInfo Filled()
{
    CTextureInfo info;
    SetPasteDefaults(info);
    info.m_nPrice = 12800;
    info.m_strComment = "木目の床";
    info.m_strName = "オーク";
    info.m_strModelNumber = "FL-20";
    info.m_strRemarks = "表面\\仕上げ";
    return info;
}

void ExpectSame(const CTextureInfo& a, const CTextureInfo& b)
{
    EXPECT_EQ(0, memcmp(a.m_PasteMethod, b.m_PasteMethod, CTextureInfo::PASTE_METHOD_SIZE));
    EXPECT_EQ(a.m_nPrice, b.m_nPrice);
    EXPECT_STREQ(static_cast<const char*>(a.m_strComment), static_cast<const char*>(b.m_strComment));
    EXPECT_STREQ(static_cast<const char*>(a.m_strName), static_cast<const char*>(b.m_strName));
    EXPECT_STREQ(static_cast<const char*>(a.m_strModelNumber), static_cast<const char*>(b.m_strModelNumber));
    EXPECT_STREQ(static_cast<const char*>(a.m_strRemarks), static_cast<const char*>(b.m_strRemarks));
}

Bytes Trailer(const CTextureInfo& info)
{
    DWORD length = 0;
    BYTE* block = BuildTextureTrailer(&info, &length);
    Bytes trailer(block, block + length);
    free(block);
    return trailer;
}

// A texture file: a small BMP and the trailer after it.
Bytes TextureFile(const Bytes& trailer)
{
    BmpSpec spec;
    spec.width = 2;
    spec.height = 2;
    spec.values = {RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9), RGB(10, 11, 12)};
    Bytes file = MakeBmp(spec);
    file.insert(file.end(), trailer.begin(), trailer.end());
    return file;
}

std::string Record(const Bytes& trailer, int index)
{
    return std::string(reinterpret_cast<const char*>(trailer.data() + 32 + 64 * index + 32));
}

} // namespace

TEST(TextureTrailer, LayoutOfTheSevenRecords)
{
    const CTextureInfo info = Filled();
    const Bytes t = Trailer(info);
    const uint32_t l1 = 9, l2 = 7, l3 = 6, l4 = 12; // Shift-JIS lengths with the NUL
    const uint32_t dataSize = l1 + l2 + l3 + l4 + 68;
    ASSERT_EQ(32 + 448 + dataSize, t.size());
    EXPECT_EQ((Bytes{'K', 'J', 'Q', 0}), Bytes(t.begin(), t.begin() + 4));
    EXPECT_EQ(1u, Get32(t, 4));
    EXPECT_EQ(32u, Get32(t, 8));
    EXPECT_EQ(1u, Get32(t, 12));
    EXPECT_EQ(448u, Get32(t, 16));
    EXPECT_EQ(1u, Get32(t, 20));
    EXPECT_EQ(7u, Get32(t, 24));
    EXPECT_EQ(dataSize, Get32(t, 28));

    struct { const char* name; uint32_t kind, type, offset, length, value; } records[] = {
        {"コメント", 1, 1, 0, l1, 0},
        {"名称", 1, 1, l1, l2, 0},
        {"型番", 1, 1, l1 + l2, l3, 0},
        {"金額", 1, 2, l1 + l2 + l3, 0, 12800},
        {"備考", 1, 1, l1 + l2 + l3, l4, 0},
        {"集計対象", 1, 2, l1 + l2 + l3 + l4, 0, 1},
        {"貼付方法", 2, 4, l1 + l2 + l3 + l4, 68, 0},
    };
    for (int i = 0; i < 7; ++i) {
        const size_t r = 32 + 64 * i;
        EXPECT_EQ(records[i].name, Record(t, i));
        EXPECT_EQ(records[i].kind, Get32(t, r));
        EXPECT_EQ(records[i].type, Get32(t, r + 4));
        EXPECT_EQ(1u, Get32(t, r + 8));
        EXPECT_EQ(records[i].offset, Get32(t, r + 12)) << i;
        EXPECT_EQ(records[i].length, Get32(t, r + 16)) << i;
        EXPECT_EQ(records[i].value, Get32(t, r + 20)) << i;
        EXPECT_EQ(0u, Get32(t, r + 24));
        EXPECT_EQ(0u, Get32(t, r + 28));
    }
    const char* data = reinterpret_cast<const char*>(t.data() + 480);
    EXPECT_STREQ("木目の床", data);
    EXPECT_STREQ("表面\\仕上げ", data + l1 + l2 + l3);
    EXPECT_EQ(0, memcmp(info.m_PasteMethod, data + l1 + l2 + l3 + l4, 68));
}

TEST(TextureTrailer, EmptyTextsTakeOneByteEach)
{
    // The layout gives 32 + 448 + 72 = 552 bytes; this is what is written.
    CTextureInfo info;
    const Bytes t = Trailer(info);
    EXPECT_EQ(552u, t.size());
    EXPECT_EQ(72u, Get32(t, 28));
}

TEST(TextureFile, RoundTripThroughSaveAndLoad)
{
    BmpSpec spec;
    spec.width = 3;
    spec.height = 2;
    spec.values = {RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9), RGB(10, 11, 12), RGB(13, 14, 15), RGB(16, 17, 18)};
    const std::string bmp = ScratchPath("source.bmp");
    WriteFile(bmp, MakeBmp(spec));
    CBmpFileImage source;
    ASSERT_TRUE(source.Load(bmp.c_str(), 0, nullptr));
    source.SetLayer(source.GetInfo(0), source.GetBits(0), 1);

    for (BOOL eightBit : {FALSE, TRUE}) {
        CTextureInfo written = Filled();
        const std::string path = ScratchPath(eightBit ? "eight.kjq" : "full.kjq");
        ASSERT_TRUE(source.Save(path.c_str(), eightBit, &written));
        const Bytes file = ReadFile(path);
        const uint32_t bfSize = Get32(file, 2);
        EXPECT_EQ((Bytes{'K', 'J', 'Q', 0}), Bytes(file.begin() + bfSize, file.begin() + bfSize + 4));
        EXPECT_EQ(Trailer(written), Bytes(file.begin() + bfSize, file.end()));

        CTextureInfo read;
        CBmpFileImage image;
        ASSERT_TRUE(image.Load(path.c_str(), 0, &read));
        ExpectSame(written, read);
        EXPECT_EQ(RGB(13, 14, 15), PixelAt(image.GetInfo(0), image.GetBits(0), 1, 1));

        // Any BMP reader sees the picture alone.
        CBmpFileImage plain;
        EXPECT_TRUE(plain.Load(path.c_str(), 0, nullptr));
    }
}

TEST(TextureFile, RecordsInAnyOrderFillOnlyWhatTheyHold)
{
    Bytes t = Trailer(Filled());
    // Keep only price (3) and name (1), in that order, and say there are two records.
    Bytes records(t.begin() + 32 + 64 * 3, t.begin() + 32 + 64 * 4);
    records.insert(records.end(), t.begin() + 32 + 64, t.begin() + 32 + 128);
    Bytes trailer(t.begin(), t.begin() + 32);
    Put32(trailer, 24, 2);
    trailer.insert(trailer.end(), records.begin(), records.end());
    trailer.insert(trailer.end(), t.begin() + 480, t.end());
    const std::string path = ScratchPath("partial.kjq");
    WriteFile(path, TextureFile(trailer));

    CTextureInfo read;
    read.m_strComment = "前のコメント";
    read.m_nPrice = 5;
    CBmpFileImage image;
    ASSERT_TRUE(image.Load(path.c_str(), 0, &read));
    EXPECT_EQ(12800, read.m_nPrice);
    EXPECT_STREQ("オーク", static_cast<const char*>(read.m_strName));
    EXPECT_STREQ("前のコメント", static_cast<const char*>(read.m_strComment));
    EXPECT_STREQ("", static_cast<const char*>(read.m_strRemarks));
}

struct BadTrailerCase
{
    const char* name;
    void (*damage)(Bytes& trailer);
    bool cut; // the file ends inside the trailer
};

class BadTrailerTest : public ::testing::TestWithParam<BadTrailerCase> {};

TEST_P(BadTrailerTest, FailsTheLoadAndKeepsTheRecord)
{
    Bytes trailer = Trailer(Filled());
    GetParam().damage(trailer);
    Bytes file = TextureFile(trailer);
    if (GetParam().cut)
        file.resize(file.size() - 40);
    const std::string path = ScratchPath("bad.kjq");
    WriteFile(path, file);

    CTextureInfo read;
    read.m_strName = "元の名前";
    read.m_nPrice = 77;
    RecordingNotify notify;
    CBmpFileImage image;
    EXPECT_FALSE(image.Load(path.c_str(), 0, &read));
    // A refused file is no shortage: the input page says the type cannot be read.
    EXPECT_TRUE(notify.errors.empty());
    EXPECT_EQ(nullptr, image.GetBits(0));
    EXPECT_STREQ("元の名前", static_cast<const char*>(read.m_strName));
    EXPECT_EQ(77, read.m_nPrice);
}

INSTANTIATE_TEST_SUITE_P(Trailers, BadTrailerTest, ::testing::Values(
    BadTrailerCase{"WrongMagic", [](Bytes& t) { t[0] = 'X'; }, false},
    BadTrailerCase{"NoTrailer", [](Bytes& t) { t.clear(); }, false},
    BadTrailerCase{"CutShort", [](Bytes&) {}, true},
    BadTrailerCase{"HugeRecordCount", [](Bytes& t) { Put32(t, 24, 0x7FFFFFFF); }, false},
    BadTrailerCase{"RecordsPastTheEnd", [](Bytes& t) { Put32(t, 8, 0xFFFFFFF0); }, false},
    BadTrailerCase{"HugeDataSize", [](Bytes& t) { Put32(t, 28, 0xFFFFFFFF); }, false},
    BadTrailerCase{"TextOffsetOutside", [](Bytes& t) { Put32(t, 32 + 64 + 12, 100000); }, false},
    BadTrailerCase{"TextWithoutNul", [](Bytes& t) {
        // Name record points at the last byte of the paste block, which is not a NUL.
        t[t.size() - 1] = 'A';
        Put32(t, 32 + 64 + 12, Get32(t, 28) - 1); }, false},
    BadTrailerCase{"PasteBlockOutside", [](Bytes& t) { Put32(t, 32 + 6 * 64 + 12, Get32(t, 28) - 10); }, false}),
    [](const ::testing::TestParamInfo<BadTrailerCase>& info) { return std::string(info.param.name); });
