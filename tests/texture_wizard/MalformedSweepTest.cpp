// Every byte of the headers set to edge values, and every truncation: the readers must
// refuse or read a whole picture, never past the data (the native build runs this under
// the address sanitizer).
#include "TextureFixtures.h"

#include "BmpFileImage.h"
#include "DibFunctions.h"
#include "JpegFileImage.h"
#include "TextureInfo.h"

#include <gtest/gtest.h>

using namespace texture_test;

namespace {

const BYTE kEdgeValues[] = {0x00, 0x01, 0x7F, 0x80, 0xFF};

BmpSpec Paletted()
{
    BmpSpec spec;
    spec.width = 5;
    spec.height = 3;
    spec.bitCount = 8;
    spec.clrUsed = 3;
    spec.palette = {RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9)};
    spec.values = {0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2};
    return spec;
}

Bytes TextureFile()
{
    CTextureInfo info;
    info.m_strComment = "コメント";
    info.m_strName = "名称";
    DWORD length = 0;
    BYTE* trailer = BuildTextureTrailer(&info, &length);
    Bytes file = MakeBmp(Paletted());
    file.insert(file.end(), trailer, trailer + length);
    free(trailer);
    return file;
}

// Loads data; a picture that loads must be whole.
template <class Image>
void LoadAndCheck(const std::string& path, const Bytes& data, CTextureInfo* info)
{
    WriteFile(path, data);
    Image image;
    if (image.Load(path.c_str(), 0, info)) {
        const BITMAPINFOHEADER* header = image.GetInfo(0);
        ASSERT_NE(nullptr, header);
        ASSERT_NE(nullptr, image.GetBits(0));
        ASSERT_GT(header->biWidth, 0);
        ASSERT_GT(header->biHeight, 0);
        // Touch the last pixel byte: it must be inside the block.
        volatile BYTE last = image.GetBits(0)[DibBytes24(header->biWidth, header->biHeight) - 1];
        (void)last;
    } else {
        ASSERT_EQ(nullptr, image.GetBits(0));
    }
}

} // namespace

TEST(MalformedSweep, BmpHeaderBytes)
{
    RecordingNotify notify;
    const std::string path = ScratchPath("sweep.bmp");
    BmpSpec depth24 = Paletted();
    depth24.bitCount = 24;
    depth24.palette.clear();
    depth24.clrUsed = 0;
    depth24.values.assign(15, RGB(9, 8, 7));
    for (const Bytes& original : {MakeBmp(Paletted()), MakeBmp(depth24)}) {
        for (size_t offset = 0; offset < 54 + 12 && offset < original.size(); ++offset) {
            for (BYTE value : kEdgeValues) {
                Bytes file = original;
                file[offset] = value;
                SCOPED_TRACE(testing::Message() << "offset " << offset << " value " << int(value));
                LoadAndCheck<CBmpFileImage>(path, file, nullptr);
            }
        }
        for (size_t size = 0; size < original.size(); ++size)
            LoadAndCheck<CBmpFileImage>(path, Bytes(original.begin(), original.begin() + size), nullptr);
    }
}

TEST(MalformedSweep, TextureTrailerBytes)
{
    RecordingNotify notify;
    const std::string path = ScratchPath("sweep.kjq");
    const Bytes original = TextureFile();
    const size_t trailer = original.size() - (552 + 8 + 4);
    for (size_t offset = trailer; offset < trailer + 32 + 448; offset += (offset - trailer < 32 ? 1 : 4)) {
        for (BYTE value : kEdgeValues) {
            Bytes file = original;
            file[offset] = value;
            SCOPED_TRACE(testing::Message() << "offset " << offset << " value " << int(value));
            CTextureInfo info;
            LoadAndCheck<CBmpFileImage>(path, file, &info);
        }
    }
    for (size_t size = trailer; size < original.size(); ++size) {
        CTextureInfo info;
        LoadAndCheck<CBmpFileImage>(path, Bytes(original.begin(), original.begin() + size), &info);
    }
}

TEST(MalformedSweep, JpegTruncations)
{
    RecordingNotify notify;
    const std::string path = ScratchPath("sweep.jpg");
    for (bool progressive : {false, true}) {
        JpegSpec spec;
        spec.width = 24;
        spec.height = 16;
        spec.progressive = progressive;
        spec.colour = [](int x, int y) { return RGB(x * 10, y * 15, 128); };
        const Bytes original = MakeJpeg(spec);
        for (size_t size = 0; size < original.size(); size += 7)
            LoadAndCheck<CJpegFileImage>(path, Bytes(original.begin(), original.begin() + size), nullptr);
        LoadAndCheck<CJpegFileImage>(path, original, nullptr);
    }
}
