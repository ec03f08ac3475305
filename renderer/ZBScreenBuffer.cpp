#include "ZBScreenBuffer.h"

#include "TBitmapForPng.h"
#include "ZBBackGround.h"
#include "ZBFileSystem.h"

#include <cstring>
#include <new>

namespace {
// Pictures above this many bytes are refused rather than allocated.
constexpr int64_t kMaxPictureBytes = 1LL << 30;

uint8_t ToByte(float c)
{
    if (!(c > 0.0f))
        return 0;  // below 0 (linear fog past its end) stores 0
    if (c > 1.0f)
        c = 1.0f;
    return static_cast<uint8_t>(c * 255.0f);
}
} // namespace

bool ZBScreenBuffer::SetUp(int width, int height, float nearZ, float farZ, float scale, const uint8_t* bgr)
{
    m_pixels.clear();
    m_nWidth = m_nHeight = 0;
    if (width <= 0 || height <= 0)
        return false;
    const int64_t stride = (3LL * width + 3) & ~3LL;
    if (stride * height > kMaxPictureBytes || static_cast<int64_t>(width) * height * 4 > kMaxPictureBytes)
        return false;
    try {
        m_pixels.resize(static_cast<size_t>(stride * height));
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_nWidth = width;
    m_nHeight = height;
    const uint8_t black[3] = {0, 0, 0};
    if (!bgr)
        bgr = black;
    for (int c = 0; c < width; ++c)
        std::memcpy(&m_pixels[static_cast<size_t>(3 * c)], bgr, 3);
    for (int r = 1; r < height; ++r)
        std::memcpy(&m_pixels[static_cast<size_t>(r * stride)], &m_pixels[0], static_cast<size_t>(stride));
    PlaceBackgroundImage(scale);
    m_pDepth.reset();
    m_pDepth = std::make_unique<ZBDepthBuffer>(width, height, nearZ, farZ);
    if (!m_pDepth->IsValid()) {
        // Without depth cells nothing can be drawn: the set-up fails.
        m_pDepth.reset();
        m_pixels.clear();
        return false;
    }
    return true;
}

void ZBScreenBuffer::PlaceBackgroundImage(float scale)
{
    m_back.ScaleImage(scale);
    int iw, ih;
    m_back.GetImageSize(iw, ih);
    if (iw == 0 || ih == 0)
        return;
    const int dx = (m_nWidth - iw) / 2, dy = (m_nHeight - ih) / 2;
    int sx, cx, tx, sy, cy, ty;
    if (iw <= m_nWidth) {
        sx = 0, cx = iw, tx = dx;
    } else {
        sx = -dx, cx = m_nWidth, tx = 0;
    }
    if (ih <= m_nHeight) {
        sy = 0, cy = ih, ty = dy;
    } else {
        sy = -dy, cy = m_nHeight, ty = 0;
    }
    const int stride = GetStride();
    for (int i = 0; i < cy; ++i) {
        uint8_t* dst = &m_pixels[static_cast<size_t>(m_nHeight - (ty + i) - 1) * stride + 3 * tx];
        m_back.GetImageRow(sx, sy + i, cx, dst);
    }
}

void ZBScreenBuffer::SetDepthBound(float bound)
{
    if (m_pDepth)
        m_pDepth->SetLowerBound(bound);
}

const uint8_t* ZBScreenBuffer::PixelAt(int column, int row) const
{
    if (m_pixels.empty() || column < 0 || row < 0 || column >= m_nWidth || row >= m_nHeight)
        return nullptr;
    return &m_pixels[static_cast<size_t>(m_nHeight - row - 1) * GetStride() + 3 * column];
}

void ZBScreenBuffer::StoreColour(int column, int row, const float rgb[3], float depth, float opacity)
{
    uint8_t* p = &m_pixels[static_cast<size_t>(m_nHeight - row - 1) * GetStride() + 3 * column];
    float r = rgb[0], g = rgb[1], b = rgb[2];
    if (opacity >= 1.0f) {
        m_back.ApplyFog(depth, r, g, b);
    } else {
        const float oldB = p[0] * 0.003921569f, oldG = p[1] * 0.003921569f, oldR = p[2] * 0.003921569f;
        m_back.ApplyFog(depth, r, g, b);
        r = r * opacity + oldR * (1.0f - opacity);
        g = g * opacity + oldG * (1.0f - opacity);
        b = b * opacity + oldB * (1.0f - opacity);
    }
    p[0] = ToByte(b);
    p[1] = ToByte(g);
    p[2] = ToByte(r);
}

bool ZBScreenBuffer::SetPixel(int column, int row, const float rgb[3], float depth, float opacity)
{
    if (!m_pDepth || !m_pDepth->Set(column, row, depth))
        return false;
    StoreColour(column, row, rgb, depth, opacity);
    return true;
}

bool ZBScreenBuffer::SetPixelTested(int column, int row, const float rgb[3], float depth, float opacity)
{
    if (!m_pDepth || !m_pDepth->TestAndSet(column, row, depth))
        return false;
    StoreColour(column, row, rgb, depth, opacity);
    return true;
}

bool ZBScreenBuffer::WriteBmp(const char* path) const
{
    if (m_pixels.empty() || !path)
        return false;
    return ZBFileSystem::WriteWhole(path, [&](std::ostream& os) {
        return ZBWriteBmp24(os, m_nWidth, m_nHeight, m_pixels.data(), m_pixels.size());
    });
}
