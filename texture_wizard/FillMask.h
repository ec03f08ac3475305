// The black-fill mask: one byte a picture pixel, rows top-down, 255 keeps the picture and 0
// blackens it. The tools paint it; applying it blackens the picture where it is 0.
#pragma once

#include "DibTypes.h"

#include <vector>

class CFillMask
{
public:
    enum : BYTE { BLACK = 0, WHITE = 255 };

    CFillMask();
    // A white mask of that size; false (and empty) when the size is refused or memory runs out.
    bool Create(int width, int height);
    void Clear();
    bool IsEmpty() const { return m_bits.empty(); }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    BYTE* Bits() { return m_bits.data(); }
    const BYTE* Bits() const { return m_bits.data(); }

    void Fill(BYTE value);
    BYTE Get(int x, int y) const;
    void Set(int x, int y, BYTE value);
    // size x size pixels centred on (x, y): from (x - size / 2, y - size / 2); a size of 0
    // or less counts as 1.
    void Square(int x, int y, int size, BYTE value);
    // Every pixel of the line from a to b, both ends included.
    void Line(POINT a, POINT b, BYTE value);
    // The polygon white, everything outside it black (pixel centres, even-odd rule).
    void KeepPolygon(const POINT* points, int count);
    // Blackens the part of the picture connected to (x, y) whose pixels are similar to
    // seed; returns the number of pixels blackened.
    int FloodFill(const BITMAPINFOHEADER* info, const BYTE* bits, int x, int y, COLORREF seed, int tolerance);
    // A copy of the picture (24-bit, bottom-up) with the masked pixels black. The mask and
    // the picture must have the same size.
    bool ApplyTo(const BITMAPINFOHEADER* info, const BYTE* bits, BYTE* out) const;

    std::vector<BYTE> m_bits;

private:
    int m_nWidth;
    int m_nHeight;
};

// Whether a picture pixel belongs to a flood fill from a seed of that colour.
bool FillSimilar(BYTE blue, BYTE green, BYTE red, COLORREF seed, int tolerance);
// A polygon point within one pixel of the first point closes it.
inline bool PolygonCloses(POINT first, POINT point)
{
    const LONG dx = point.x - first.x, dy = point.y - first.y;
    return dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
}
// The tools' sizes: 0, 1, 2 give 1, 5, 15 pixels.
int BrushPixels(int sizeIndex);
