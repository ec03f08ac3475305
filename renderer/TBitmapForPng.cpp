#include "TBitmapForPng.h"

#include "ZBFileSystem.h"

#include <cstring>
#include <fstream>

namespace {
const uint8_t kBlack[4] = {0, 0, 0, 0};
constexpr int64_t kMaxPixelBytes = 512LL * 1024 * 1024;

int64_t RoundUp4(int64_t v) { return (v + 3) & ~int64_t(3); }
}

TBitmapForPng::TBitmapForPng() : m_nPixelSize(0), m_nPaletteEntries(0), m_nStride(0)
{
    std::memset(&m_file, 0, sizeof m_file);
    std::memset(&m_info, 0, sizeof m_info);
}

const uint8_t* TBitmapForPng::PaletteColour(unsigned i) const
{
    if (i >= static_cast<unsigned>(m_nPaletteEntries))
        return kBlack;
    return &m_palette[i * 4];
}

bool TBitmapForPng::LoadBmp(const char* path)
{
    m_palette.clear();
    m_pixels.clear();
    m_nPixelSize = 0;
    m_nPaletteEntries = 0;
    m_nStride = 0;
    if (!path)
        return false;
    std::ifstream is(path, std::ios::binary);
    if (!is)
        return false;
    is.seekg(0, std::ios::end);
    const int64_t fileSize = static_cast<int64_t>(is.tellg());
    is.seekg(0);
    if (!is.read(reinterpret_cast<char*>(&m_file), sizeof m_file) || m_file.bfType != 0x4D42)
        return false;
    if (!is.read(reinterpret_cast<char*>(&m_info), sizeof m_info))
        return false;
    if (m_info.biCompression != 0)
        return false;
    // Larger headers (V4, V5) put the palette after their own length.
    if (m_info.biSize < 40 || m_info.biWidth <= 0 || m_info.biHeight <= 0)
        return false;
    const int64_t headerEnd = 14 + static_cast<int64_t>(m_info.biSize);
    const int depth = m_info.biBitCount;
    if (depth < 9) {
        if (depth < 2)
            return false;
        int64_t room = static_cast<int64_t>(m_file.bfOffBits) - headerEnd;
        int64_t entries = room > 0 ? room / 4 : 0;
        if (entries > (1LL << depth))
            entries = 1LL << depth;
        m_palette.resize(static_cast<size_t>(entries) * 4);
        is.seekg(headerEnd);
        if (entries > 0 && !is.read(reinterpret_cast<char*>(m_palette.data()), entries * 4))
            return false;
        m_nPaletteEntries = static_cast<int>(entries);
    }
    int64_t stride;
    if (depth == 4 || depth == 8)
        stride = RoundUp4(m_info.biWidth);
    else if (depth == 24)
        stride = RoundUp4(3LL * m_info.biWidth);
    else
        return false;
    const int64_t height = m_info.biHeight;
    if (depth == 4) {
        const int64_t k = RoundUp4((m_info.biWidth + 1LL) / 2);
        const int64_t rowsAt = headerEnd + m_nPaletteEntries * 4LL;
        // Every count is bounded by what the file holds.
        if (k * height > fileSize - rowsAt || 2 * k * height > kMaxPixelBytes)
            return false;
        stride = 2 * k;
        m_pixels.resize(static_cast<size_t>(stride * height));
        is.seekg(rowsAt);
        std::vector<uint8_t> row(static_cast<size_t>(k));
        for (int64_t r = 0; r < height; ++r) {
            if (!is.read(reinterpret_cast<char*>(row.data()), k))
                return false;
            uint8_t* out = &m_pixels[static_cast<size_t>(r * stride)];
            for (int64_t i = 0; i < k; ++i) {
                out[2 * i] = row[i] >> 4;
                out[2 * i + 1] = row[i] & 0x0F;
            }
        }
        m_info.biBitCount = 8;
    } else {
        if (stride * height > fileSize - static_cast<int64_t>(m_file.bfOffBits) || stride * height > kMaxPixelBytes)
            return false;
        m_pixels.resize(static_cast<size_t>(stride * height));
        is.seekg(m_file.bfOffBits);
        if (!is.read(reinterpret_cast<char*>(m_pixels.data()), stride * height))
            return false;
    }
    m_nStride = static_cast<int>(stride);
    m_nPixelSize = static_cast<int>(stride * height);
    return is.good();
}

const uint8_t* TBitmapForPng::GetRow(int row) const
{
    if (m_pixels.empty() || row < 0 || row >= m_info.biHeight)
        return nullptr;
    if (m_info.biBitCount != 8 && m_info.biBitCount != 24)
        return nullptr;
    return &m_pixels[static_cast<size_t>(m_info.biHeight - row - 1) * m_nStride];
}

bool TBitmapForPng::GetPixels(int x, int row, int count, uint8_t* target) const
{
    if (!target || m_pixels.empty())
        return false;
    if (x < 0 || row < 0 || count < 0 || x >= m_info.biWidth || row >= m_info.biHeight ||
        static_cast<int64_t>(x) + count > m_info.biWidth)
        return false;
    const uint8_t* src = GetRow(row);
    if (!src)
        return false;
    if (IsPaletted()) {
        for (int i = 0; i < count; ++i)
            std::memcpy(target + 3 * i, PaletteColour(src[x + i]), 3);
    } else {
        std::memcpy(target, src + 3 * x, static_cast<size_t>(count) * 3);
    }
    return true;
}

bool TBitmapForBack::Load(const char* path)
{
    if (!LoadBmp(path))
        return false;
    if (m_info.biBitCount == 24)
        return true;
    const int64_t stride = RoundUp4(3LL * m_info.biWidth);
    const int64_t size = stride * m_info.biHeight;
    if (size > kMaxPixelBytes)
        return false;
    std::vector<uint8_t> out(static_cast<size_t>(size));
    for (int r = 0; r < m_info.biHeight; ++r) {
        const uint8_t* src = &m_pixels[static_cast<size_t>(r) * m_nStride];
        uint8_t* dst = &out[static_cast<size_t>(r * stride)];
        for (int c = 0; c < m_info.biWidth; ++c)
            std::memcpy(dst + 3 * c, PaletteColour(src[c]), 3);
    }
    m_pixels.swap(out);
    m_palette.clear();
    m_nPaletteEntries = 0;
    m_info.biBitCount = 24;
    m_nStride = static_cast<int>(stride);
    m_nPixelSize = static_cast<int>(size);
    return true;
}

// Box filter: source value i covers [i*m, (i+1)*m), target j covers [j*n, (j+1)*n).
static void Resample(const uint8_t* src, int srcStep, int n, uint8_t* dst, int dstStep, int m)
{
    int i = 0;
    int64_t srcEnd = m;  // end of source value i, in units
    for (int j = 0; j < m; ++j) {
        const int64_t lo = static_cast<int64_t>(j) * n, hi = lo + n;
        uint64_t sum[3] = {0, 0, 0};
        int64_t at = lo;
        while (at < hi && i < n) {
            const int64_t take = (srcEnd < hi ? srcEnd : hi) - at;
            const uint8_t* p = src + static_cast<ptrdiff_t>(i) * srcStep;
            for (int ch = 0; ch < 3; ++ch)
                sum[ch] += static_cast<uint64_t>(take) * p[ch];
            at += take;
            if (at >= srcEnd) {
                ++i;
                srcEnd += m;
            }
        }
        uint8_t* q = dst + static_cast<ptrdiff_t>(j) * dstStep;
        for (int ch = 0; ch < 3; ++ch)
            q[ch] = static_cast<uint8_t>(sum[ch] / static_cast<uint64_t>(n));
    }
}

void StretchBitmap::ResampleRow(const uint8_t* src, int n, uint8_t* dst, int m)
{
    Resample(src, 3, n, dst, 3, m);
}

void StretchBitmap::ResampleColumn(const uint8_t* src, int srcStride, int n, uint8_t* dst, int dstStride, int m)
{
    Resample(src, srcStride, n, dst, dstStride, m);
}

bool StretchBitmap::SaveScaled(int m, int q, const char* path)
{
    const int w = m_info.biWidth, h = m_info.biHeight;
    if (m_info.biBitCount != 24 || m_pixels.empty() || w <= 0 || h <= 0 || m <= 0 || q <= 0 || !path)
        return false;
    const int64_t srcStride = RoundUp4(3LL * w);
    const int64_t g = RoundUp4(3LL * m);
    if (g * h > kMaxPixelBytes || g * q > kMaxPixelBytes)
        return false;
    std::vector<uint8_t> tmp(static_cast<size_t>(g * h));
    std::vector<uint8_t> out(static_cast<size_t>(g * q));
    for (int r = 0; r < h; ++r)
        ResampleRow(&m_pixels[static_cast<size_t>(r * srcStride)], w, &tmp[static_cast<size_t>(r * g)], m);
    for (int c = 0; c < m; ++c)
        ResampleColumn(&tmp[static_cast<size_t>(3 * c)], static_cast<int>(g), h, &out[static_cast<size_t>(3 * c)],
                       static_cast<int>(g), q);
    return ZBFileSystem::WriteWhole(path, [&](std::ostream& os) {
        return ZBWriteBmp24(os, m, q, out.data(), out.size());
    });
}

bool ZBWriteBmp24(std::ostream& os, int width, int height, const uint8_t* rows, size_t size)
{
    ZBBitmapFileHeader fh{};
    ZBBitmapInfoHeader ih{};
    fh.bfType = 0x4D42;
    fh.bfSize = static_cast<uint32_t>(54 + size);
    fh.bfOffBits = 54;
    ih.biSize = 40;
    ih.biWidth = width;
    ih.biHeight = height;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    os.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    os.write(reinterpret_cast<const char*>(&ih), sizeof ih);
    if (size)
        os.write(reinterpret_cast<const char*>(rows), static_cast<std::streamsize>(size));
    return os.good();
}
