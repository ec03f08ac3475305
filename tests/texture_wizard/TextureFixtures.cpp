#include "TextureFixtures.h"

#include "DibFunctions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

extern "C" {
#include <jpeglib.h>
}

namespace texture_test {

namespace {

void Put16(Bytes& data, size_t offset, uint32_t value)
{
    data[offset] = static_cast<BYTE>(value);
    data[offset + 1] = static_cast<BYTE>(value >> 8);
}

size_t Stride(int bitCount, int width)
{
    return ((static_cast<size_t>(bitCount) * width + 31) / 32) * 4;
}

// The pixel rows of a fixture, in the order the file stores them.
Bytes PackRows(const BmpSpec& spec)
{
    const int height = spec.height < 0 ? -spec.height : spec.height;
    const size_t stride = Stride(spec.bitCount, spec.width);
    Bytes rows(stride * height, 0);
    for (int y = 0; y < height; ++y) {
        const int stored = spec.height < 0 ? y : height - 1 - y;
        BYTE* row = rows.data() + stride * stored;
        for (int x = 0; x < spec.width; ++x) {
            const size_t i = static_cast<size_t>(y) * spec.width + x;
            const uint32_t v = i < spec.values.size() ? spec.values[i] : 0;
            switch (spec.bitCount) {
            case 1: row[x / 8] |= static_cast<BYTE>((v & 1) << (7 - x % 8)); break;
            case 4: row[x / 2] |= static_cast<BYTE>((v & 15) << (x % 2 ? 0 : 4)); break;
            case 8: row[x] = static_cast<BYTE>(v); break;
            case 16: row[2 * x] = static_cast<BYTE>(v); row[2 * x + 1] = static_cast<BYTE>(v >> 8); break;
            case 24:
            case 32: {
                BYTE* p = row + x * (spec.bitCount / 8);
                p[0] = GetBValue(v);
                p[1] = GetGValue(v);
                p[2] = GetRValue(v);
                if (spec.bitCount == 32)
                    p[3] = 0x7F;
                break;
            }
            }
        }
    }
    return rows;
}

Bytes PackTable(const BmpSpec& spec, int entrySize)
{
    Bytes table;
    for (COLORREF c : spec.palette) {
        table.push_back(GetBValue(c));
        table.push_back(GetGValue(c));
        table.push_back(GetRValue(c));
        if (entrySize == 4)
            table.push_back(0);
    }
    return table;
}

Bytes MakeHeader(const BmpSpec& spec, DWORD size, size_t imageSize)
{
    Bytes header(size, 0);
    Put32(header, 0, size);
    if (size == 12) {
        Put16(header, 4, static_cast<uint32_t>(spec.width));
        Put16(header, 6, static_cast<uint32_t>(spec.height));
        Put16(header, 8, 1);
        Put16(header, 10, static_cast<uint32_t>(spec.bitCount));
        return header;
    }
    Put32(header, 4, static_cast<uint32_t>(spec.width));
    Put32(header, 8, static_cast<uint32_t>(spec.height));
    Put16(header, 12, 1);
    Put16(header, 14, static_cast<uint32_t>(spec.bitCount));
    Put32(header, 16, spec.compression);
    Put32(header, 20, static_cast<uint32_t>(imageSize));
    Put32(header, 24, 2835);
    Put32(header, 28, 2835);
    Put32(header, 32, spec.clrUsed);
    return header;
}

} // namespace

uint32_t Get32(const Bytes& data, size_t offset)
{
    return data[offset] | (data[offset + 1] << 8) | (data[offset + 2] << 16) | (static_cast<uint32_t>(data[offset + 3]) << 24);
}

uint16_t Get16(const Bytes& data, size_t offset)
{
    return static_cast<uint16_t>(data[offset] | (data[offset + 1] << 8));
}

void Put32(Bytes& data, size_t offset, uint32_t value)
{
    Put16(data, offset, value & 0xFFFF);
    Put16(data, offset + 2, value >> 16);
}

Bytes MakeBmp(const BmpSpec& spec)
{
    const Bytes rows = PackRows(spec);
    const Bytes table = PackTable(spec, spec.headerSize == 12 ? 3 : 4);
    const Bytes header = MakeHeader(spec, spec.headerSize, rows.size());
    const size_t offBits = 14 + header.size() + table.size();
    Bytes file(offBits + rows.size(), 0);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, static_cast<uint32_t>(file.size()));
    Put16(file, 6, spec.reserved1);
    Put16(file, 8, spec.reserved2);
    Put32(file, 10, static_cast<uint32_t>(offBits));
    std::copy(header.begin(), header.end(), file.begin() + 14);
    std::copy(table.begin(), table.end(), file.begin() + 14 + header.size());
    std::copy(rows.begin(), rows.end(), file.begin() + offBits);
    return file;
}

Bytes MakePackedDib(const BmpSpec& spec)
{
    const Bytes rows = PackRows(spec);
    const Bytes table = PackTable(spec, 4);
    Bytes dib = MakeHeader(spec, 40, rows.size());
    dib.insert(dib.end(), table.begin(), table.end());
    dib.insert(dib.end(), rows.begin(), rows.end());
    return dib;
}

Bytes MakeJpeg(const JpegSpec& spec)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = spec.width;
    cinfo.image_height = spec.height;
    cinfo.input_components = spec.components;
    cinfo.in_color_space = spec.components == 1 ? JCS_GRAYSCALE : spec.components == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, spec.quality, TRUE);
    if (spec.progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(spec.width) * spec.components);
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = static_cast<int>(cinfo.next_scanline);
        for (int x = 0; x < spec.width; ++x) {
            const COLORREF c = spec.colour ? spec.colour(x, y) : 0;
            JSAMPLE* p = row.data() + static_cast<size_t>(x) * spec.components;
            if (spec.components == 1) {
                p[0] = GetRValue(c);
            } else {
                p[0] = GetRValue(c);
                p[1] = GetGValue(c);
                p[2] = GetBValue(c);
                if (spec.components == 4)
                    p[3] = 0;
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes result(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    free(buffer);
    return result;
}

std::string ScratchDir()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string leaf = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : leaf)
        if (c == '/')
            c = '_';
    const std::string name = "texture_scratch/" + leaf;
    std::filesystem::remove_all(name);
    std::filesystem::create_directories(name);
    return name;
}

std::string ScratchPath(const char* name)
{
    static std::string dir;
    static const ::testing::TestInfo* owner = nullptr;
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (owner != info) {
        dir = ScratchDir();
        owner = info;
    }
    return dir + "/" + name;
}

void WriteFile(const std::string& path, const Bytes& data)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path)
{
    return std::filesystem::exists(path);
}

Layer MakeLayer(int width, int height, const std::vector<COLORREF>& topDown)
{
    Layer layer;
    layer.info = DibNewHeader24(nullptr, width, height);
    const DWORD stride = DibStride24(width);
    layer.bits = static_cast<BYTE*>(calloc(1, DibBytes24(width, height)));
    for (int y = 0; y < height; ++y) {
        BYTE* row = layer.bits + static_cast<size_t>(stride) * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const COLORREF c = topDown[static_cast<size_t>(y) * width + x];
            row[3 * x] = GetBValue(c);
            row[3 * x + 1] = GetGValue(c);
            row[3 * x + 2] = GetRValue(c);
        }
    }
    return layer;
}

Layer MakeLayer(int width, int height, COLORREF (*colour)(int x, int y))
{
    std::vector<COLORREF> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y) * width + x] = colour(x, y);
    return MakeLayer(width, height, pixels);
}

COLORREF PixelAt(const BITMAPINFOHEADER* info, const BYTE* bits, int x, int y)
{
    const BYTE* p = bits + static_cast<size_t>(DibStride24(info->biWidth)) * (info->biHeight - 1 - y) + 3 * x;
    return RGB(p[2], p[1], p[0]);
}

std::vector<COLORREF> Pixels(const BITMAPINFOHEADER* info, const BYTE* bits)
{
    std::vector<COLORREF> pixels;
    for (int y = 0; y < info->biHeight; ++y)
        for (int x = 0; x < info->biWidth; ++x)
            pixels.push_back(PixelAt(info, bits, x, y));
    return pixels;
}

bool PaddingIsZero(const BITMAPINFOHEADER* info, const BYTE* bits)
{
    const DWORD stride = DibStride24(info->biWidth);
    for (int y = 0; y < info->biHeight; ++y)
        for (DWORD i = static_cast<DWORD>(info->biWidth) * 3; i < stride; ++i)
            if (bits[static_cast<size_t>(stride) * y + i] != 0)
                return false;
    return true;
}

RecordingNotify::RecordingNotify() : m_pPrevious(SetImageNotify(this))
{
}

RecordingNotify::~RecordingNotify()
{
    SetImageNotify(m_pPrevious);
}

} // namespace texture_test

namespace {

// No test may stop on a message box: unexpected messages are recorded and fail the test
// that caused them.
class QuietNotify : public texture_test::RecordingNotify
{
public:
    void ReportError(UINT nID) override { ADD_FAILURE() << "unexpected message " << nID; }
};

class QuietEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { m_pNotify = new QuietNotify; }
    void TearDown() override { delete m_pNotify; }

private:
    QuietNotify* m_pNotify = nullptr;
};

::testing::Environment* const g_quiet = ::testing::AddGlobalTestEnvironment(new QuietEnvironment);

} // namespace
