#pragma once

#include "ZBDepthBuffer.h"

#include <cstdint>
#include <memory>
#include <vector>

class ZBBackGround;

// The picture: bottom-up 24-bit BMP rows with the depth buffer beside them.
class ZBScreenBuffer {
public:
    explicit ZBScreenBuffer(ZBBackGround& back) : m_back(back) {}
    virtual ~ZBScreenBuffer() = default;

    bool SetUp(int width, int height, float nearZ, float farZ, float scale, const uint8_t* bgr);
    void PlaceBackgroundImage(float scale);
    void SetDepthBound(float bound);
    bool TestDepth(int column, int row, float depth) const { return m_pDepth && m_pDepth->Test(column, row, depth); }
    bool SetPixel(int column, int row, const float rgb[3], float depth, float opacity);
    bool SetPixelTested(int column, int row, const float rgb[3], float depth, float opacity);
    bool WriteBmp(const char* path) const;

    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    int GetStride() const { return ((3 * m_nWidth + 3) & ~3); }
    const uint8_t* GetPixels() const { return m_pixels.empty() ? nullptr : m_pixels.data(); }
    // Blue, green, red of pixel (column, row from the top).
    const uint8_t* PixelAt(int column, int row) const;
    ZBDepthBuffer* GetDepthBuffer() const { return m_pDepth.get(); }

private:
    void StoreColour(int column, int row, const float rgb[3], float depth, float opacity);

    ZBBackGround& m_back;
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<uint8_t> m_pixels;
    std::unique_ptr<ZBDepthBuffer> m_pDepth;
};
