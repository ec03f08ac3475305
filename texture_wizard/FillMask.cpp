#include "FillMask.h"

#include "DibFunctions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

CFillMask::CFillMask() : m_nWidth(0), m_nHeight(0)
{
}

bool CFillMask::Create(int width, int height)
{
    Clear();
    // The working layer may be a rotation of the largest picture, so its own limit applies.
    if (DibBytes24(width, height) == 0)
        return false;
    try {
        m_bits.assign(static_cast<size_t>(width) * static_cast<size_t>(height), WHITE);
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_nWidth = width;
    m_nHeight = height;
    return true;
}

void CFillMask::Clear()
{
    std::vector<BYTE>().swap(m_bits);
    m_nWidth = m_nHeight = 0;
}

void CFillMask::Fill(BYTE value)
{
    std::fill(m_bits.begin(), m_bits.end(), value);
}

BYTE CFillMask::Get(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return WHITE;
    return m_bits[static_cast<size_t>(y) * m_nWidth + x];
}

void CFillMask::Set(int x, int y, BYTE value)
{
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return;
    m_bits[static_cast<size_t>(y) * m_nWidth + x] = value;
}

void CFillMask::Square(int x, int y, int size, BYTE value)
{
    if (size <= 0)
        size = 1;
    const int left = std::max(x - size / 2, 0), top = std::max(y - size / 2, 0);
    const int right = std::min(x - size / 2 + size, m_nWidth), bottom = std::min(y - size / 2 + size, m_nHeight);
    for (int row = top; row < bottom; ++row) {
        if (left < right)
            memset(&m_bits[static_cast<size_t>(row) * m_nWidth + left], value, static_cast<size_t>(right - left));
    }
}

void CFillMask::Line(POINT a, POINT b, BYTE value)
{
    int x = a.x, y = a.y;
    const int dx = std::abs(static_cast<int>(b.x - a.x)), sx = a.x < b.x ? 1 : -1;
    const int dy = -std::abs(static_cast<int>(b.y - a.y)), sy = a.y < b.y ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Set(x, y, value);
        if (x == b.x && y == b.y)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void CFillMask::KeepPolygon(const POINT* points, int count)
{
    if (count < 3) {
        Fill(BLACK);
        return;
    }
    std::vector<double> crossings;
    for (int row = 0; row < m_nHeight; ++row) {
        const double cy = row + 0.5;
        crossings.clear();
        for (int i = 0; i < count; ++i) {
            const POINT& p = points[i];
            const POINT& q = points[(i + 1) % count];
            if ((p.y <= cy) != (q.y <= cy))
                crossings.push_back(p.x + (cy - p.y) * (q.x - p.x) / static_cast<double>(q.y - p.y));
        }
        std::sort(crossings.begin(), crossings.end());
        BYTE* line = &m_bits[static_cast<size_t>(row) * m_nWidth];
        int x = 0;
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            // Pixel centres x + 0.5 inside [crossings[i], crossings[i + 1]).
            int from = static_cast<int>(std::ceil(crossings[i] - 0.5));
            int to = static_cast<int>(std::ceil(crossings[i + 1] - 0.5));
            from = std::clamp(from, 0, m_nWidth);
            to = std::clamp(to, 0, m_nWidth);
            if (from > x)
                memset(line + x, BLACK, static_cast<size_t>(from - x));
            if (to > from && to > x)
                memset(line + std::max(from, x), WHITE, static_cast<size_t>(to - std::max(from, x)));
            x = std::max(x, to);
        }
        if (x < m_nWidth)
            memset(line + x, BLACK, static_cast<size_t>(m_nWidth - x));
    }
}

bool FillSimilar(BYTE blue, BYTE green, BYTE red, COLORREF seed, int tolerance)
{
    if (tolerance >= 255)
        return true;
    const int db = std::abs(blue - static_cast<int>(GetBValue(seed)));
    const int dg = std::abs(green - static_cast<int>(GetGValue(seed)));
    const int dr = std::abs(red - static_cast<int>(GetRValue(seed)));
    if (tolerance <= 0)
        return db == 0 && dg == 0 && dr == 0;
    return (7209 * db + 38666 * dg + 19661 * dr + 32768) / 65536 <= tolerance;
}

int CFillMask::FloodFill(const BITMAPINFOHEADER* info, const BYTE* bits, int x, int y, COLORREF seed, int tolerance)
{
    if (info == NULL || bits == NULL || info->biWidth != m_nWidth || info->biHeight != m_nHeight
        || x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return 0;
    const DWORD stride = DibStride24(m_nWidth);
    auto similar = [&](int px, int py) {
        const BYTE* p = bits + static_cast<size_t>(stride) * static_cast<size_t>(m_nHeight - 1 - py) + 3 * px;
        return FillSimilar(p[0], p[1], p[2], seed, tolerance);
    };
    auto black = [&](int px, int py) { return m_bits[static_cast<size_t>(py) * m_nWidth + px] == BLACK; };

    int filled = 0;
    std::vector<POINT> stack;
    stack.reserve(256);
    stack.push_back(POINT{x, y});
    while (!stack.empty()) {
        const POINT p = stack.back();
        stack.pop_back();
        if (!similar(p.x, p.y))
            continue;
        // The span follows the picture alone; the mask only keeps rows from being pushed again.
        int left = p.x;
        while (left > 0 && similar(left - 1, p.y))
            --left;
        bool pushedAbove = false, pushedBelow = false;
        for (int cx = left; cx < m_nWidth && similar(cx, p.y); ++cx) {
            BYTE& cell = m_bits[static_cast<size_t>(p.y) * m_nWidth + cx];
            filled += cell != BLACK;
            cell = BLACK;
            for (int side = 0; side < 2; ++side) {
                const int ny = side == 0 ? p.y - 1 : p.y + 1;
                bool& pushed = side == 0 ? pushedAbove : pushedBelow;
                if (ny < 0 || ny >= m_nHeight)
                    continue;
                const bool candidate = !black(cx, ny) && similar(cx, ny);
                if (candidate && !pushed)
                    stack.push_back(POINT{cx, ny});
                pushed = candidate;
            }
        }
    }
    return filled;
}

bool CFillMask::ApplyTo(const BITMAPINFOHEADER* info, const BYTE* bits, BYTE* out) const
{
    if (info == NULL || bits == NULL || out == NULL || info->biWidth != m_nWidth || info->biHeight != m_nHeight)
        return false;
    const DWORD stride = DibStride24(m_nWidth);
    for (int row = 0; row < m_nHeight; ++row) {
        const size_t offset = static_cast<size_t>(stride) * static_cast<size_t>(m_nHeight - 1 - row);
        const BYTE* in = bits + offset;
        BYTE* target = out + offset;
        const BYTE* mask = &m_bits[static_cast<size_t>(row) * m_nWidth];
        for (int col = 0; col < m_nWidth; ++col) {
            const BYTE keep = mask[col] == BLACK ? 0 : 0xFF;
            target[3 * col] = in[3 * col] & keep;
            target[3 * col + 1] = in[3 * col + 1] & keep;
            target[3 * col + 2] = in[3 * col + 2] & keep;
        }
        memset(target + 3 * static_cast<size_t>(m_nWidth), 0, stride - 3 * static_cast<size_t>(m_nWidth));
    }
    return true;
}

int BrushPixels(int sizeIndex)
{
    return sizeIndex <= 0 ? 1 : sizeIndex == 1 ? 5 : 15;
}
