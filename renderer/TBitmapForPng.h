#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#pragma pack(push, 1)
struct ZBBitmapFileHeader {
    uint16_t bfType;
    uint32_t bfSize;
    uint16_t bfReserved1;
    uint16_t bfReserved2;
    uint32_t bfOffBits;
};
struct ZBBitmapInfoHeader {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};
#pragma pack(pop)
static_assert(sizeof(ZBBitmapFileHeader) == 14 && sizeof(ZBBitmapInfoHeader) == 40);

// Uncompressed BMP in memory: rows as in the file, bottom row first.
class TBitmapForPng {
public:
    TBitmapForPng();
    virtual ~TBitmapForPng() = default;

    bool LoadBmp(const char* path);
    const uint8_t* GetRow(int row) const;
    bool GetPixels(int x, int row, int count, uint8_t* target) const;
    bool IsPaletted() const { return m_info.biBitCount < 9; }
    int GetBitCount() const { return m_info.biBitCount; }
    int GetWidth() const { return m_info.biWidth; }
    int GetHeight() const { return m_info.biHeight; }
    int GetStride() const { return m_nStride; }
    int GetPaletteCount() const { return m_nPaletteEntries; }
    const uint8_t* GetBits() const { return m_pixels.empty() ? nullptr : m_pixels.data(); }
    int GetPixelSize() const { return m_nPixelSize; }
    // Blue, green, red of palette entry i; black for an index past the entries read.
    const uint8_t* PaletteColour(unsigned i) const;

protected:
    std::ostringstream m_name;
    ZBBitmapFileHeader m_file;
    ZBBitmapInfoHeader m_info;
    std::vector<uint8_t> m_palette;  // 4 bytes per entry
    std::vector<uint8_t> m_pixels;
    int m_nPixelSize;
    int m_nPaletteEntries;
    int m_nStride;
};

// Palette images converted to 24 bits on loading.
class TBitmapForBack : public TBitmapForPng {
public:
    bool Load(const char* path);
};

class TTrueColorBmp : public TBitmapForBack {
};

// 24-bit image resampled with an integer box filter and written as a new BMP.
class StretchBitmap : public TTrueColorBmp {
public:
    bool SaveScaled(int newWidth, int newHeight, const char* path);
    // Resamples n values spaced by step in src to m values spaced by dstStep in dst, per channel.
    static void ResampleRow(const uint8_t* src, int n, uint8_t* dst, int m);
    static void ResampleColumn(const uint8_t* src, int srcStride, int n, uint8_t* dst, int dstStride, int m);
};

// 24-bit bottom-up BMP: headers and rows; true when every byte was written.
bool ZBWriteBmp24(std::ostream& os, int width, int height, const uint8_t* rows, size_t size);
