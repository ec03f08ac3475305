#include "DibFunctions.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

inline COLORREF MakeColour(BYTE red, BYTE green, BYTE blue)
{
    return static_cast<COLORREF>(red) | (static_cast<COLORREF>(green) << 8) | (static_cast<COLORREF>(blue) << 16);
}

// Standard DIB stride of any depth, in 64 bits so that no width overflows it.
inline uint64_t StandardStride(uint64_t bitCount, uint64_t width)
{
    return ((bitCount * width + 31) / 32) * 4;
}

bool KnownDepth(int bitCount)
{
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

// Stored row of pixel (x, y), y counted from the top; NULL outside the picture.
const BYTE* RowOf(int x, int y, const BITMAPINFOHEADER* dib)
{
    if (dib == NULL || x < 0 || y < 0 || x >= dib->biWidth || y >= dib->biHeight)
        return NULL;
    const uint64_t stride = StandardStride(dib->biBitCount, static_cast<uint64_t>(dib->biWidth));
    return DibFindBits(dib) + stride * static_cast<uint64_t>(dib->biHeight - y - 1);
}

const COLORREF kStandardColours[16] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

} // namespace

// Both sizes saturate instead of wrapping, so that a size limit compared against them
// refuses a huge picture rather than letting it pass as a small one.
DWORD DibImageSize(const BITMAPINFOHEADER* info)
{
    if (info->biWidth < 0 || info->biHeight < 0)
        return 0xFFFFFFFF;
    const uint64_t row = (static_cast<uint64_t>(info->biBitCount) * static_cast<uint64_t>(info->biWidth) / 8 + 3) & ~3ull;
    const uint64_t size = row * static_cast<uint64_t>(info->biHeight);
    return size > 0xFFFFFFFF ? 0xFFFFFFFF : static_cast<DWORD>(size);
}

DWORD DibImageSize8(const BITMAPINFOHEADER* info)
{
    if (info->biWidth < 0 || info->biHeight < 0)
        return 0xFFFFFFFF;
    const uint64_t size = ((static_cast<uint64_t>(info->biWidth) + 3) & ~3ull) * static_cast<uint64_t>(info->biHeight);
    return size > 0xFFFFFFFF ? 0xFFFFFFFF : static_cast<DWORD>(size);
}

SIZE DibGetSize(const BITMAPINFOHEADER* info)
{
    SIZE size;
    size.cx = info->biWidth;
    size.cy = info->biHeight;
    return size;
}

DWORD DibStride24(LONG width)
{
    if (width <= 0 || width > 0x7FFFFFFF / 3 - 3)
        return 0;
    return (static_cast<DWORD>(width) * 3 + 3) & ~3u;
}

DWORD DibBytes24(LONG width, LONG height)
{
    const uint64_t stride = DibStride24(width);
    if (stride == 0 || height <= 0)
        return 0;
    const uint64_t bytes = stride * static_cast<uint64_t>(height);
    return bytes > 0x7FFFFFFF ? 0 : static_cast<DWORD>(bytes);
}

BITMAPINFOHEADER* DibNewHeader24(const BITMAPINFOHEADER* model, LONG width, LONG height)
{
    BITMAPINFOHEADER* info = static_cast<BITMAPINFOHEADER*>(malloc(sizeof(BITMAPINFOHEADER)));
    if (info == NULL)
        return NULL;
    if (model != NULL) {
        *info = *model;
    } else {
        memset(info, 0, sizeof(BITMAPINFOHEADER));
        info->biPlanes = 1;
    }
    info->biSize = sizeof(BITMAPINFOHEADER);
    info->biWidth = width;
    info->biHeight = height;
    info->biBitCount = 24;
    info->biCompression = BI_RGB;
    info->biClrUsed = 0;
    return info;
}

int DibNumColors(const BITMAPINFOHEADER* dib)
{
    if (dib->biSize == sizeof(BITMAPINFOHEADER) && dib->biClrUsed != 0)
        return dib->biClrUsed > 0x7FFFFFFF / 4 ? 0x7FFFFFFF / 4 : static_cast<int>(dib->biClrUsed);
    switch (dib->biBitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

int DibColorTableSize(const BITMAPINFOHEADER* dib)
{
    return DibNumColors(dib) * (dib->biSize == sizeof(BITMAPINFOHEADER) ? 4 : 3);
}

BYTE* DibFindBits(BITMAPINFOHEADER* dib)
{
    return reinterpret_cast<BYTE*>(dib) + dib->biSize + DibColorTableSize(dib);
}

const BYTE* DibFindBits(const BITMAPINFOHEADER* dib)
{
    return reinterpret_cast<const BYTE*>(dib) + dib->biSize + DibColorTableSize(dib);
}

COLORREF DibRowPixel(const BYTE* row, int x, int bitCount, const BYTE* table, int entrySize, int entries)
{
    int index;
    switch (bitCount) {
    case 1:
        index = (row[x / 8] >> (7 - x % 8)) & 1;
        break;
    case 4:
        index = (x % 2 == 0) ? (row[x / 2] >> 4) : (row[x / 2] & 0x0F);
        break;
    case 8:
        index = row[x];
        break;
    case 16: {
        const unsigned word = row[2 * x] | (row[2 * x + 1] << 8);
        return MakeColour(static_cast<BYTE>((word >> 7) & 0xF8), static_cast<BYTE>((word >> 2) & 0xF8),
                          static_cast<BYTE>((word << 3) & 0xF8));
    }
    case 24:
        return MakeColour(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    case 32:
        return MakeColour(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
    default:
        return 0;
    }
    if (table == NULL || index >= entries)
        return 0;
    const BYTE* entry = table + index * entrySize;
    return MakeColour(entry[2], entry[1], entry[0]);
}

COLORREF DibGetPixel(int x, int y, const BITMAPINFOHEADER* dib)
{
    const BYTE* row = RowOf(x, y, dib);
    if (row == NULL)
        return 0;
    const BYTE* table = reinterpret_cast<const BYTE*>(dib) + dib->biSize;
    const int entrySize = dib->biSize == sizeof(BITMAPINFOHEADER) ? 4 : 3;
    return DibRowPixel(row, x, dib->biBitCount, table, entrySize, DibNumColors(dib));
}

BOOL DibSetPixel(int x, int y, COLORREF colour, BITMAPINFOHEADER* dib)
{
    BYTE* row = const_cast<BYTE*>(RowOf(x, y, dib));
    if (row == NULL)
        return FALSE;
    const BYTE red = static_cast<BYTE>(colour & 0xFF);
    const BYTE green = static_cast<BYTE>((colour >> 8) & 0xFF);
    const BYTE blue = static_cast<BYTE>((colour >> 16) & 0xFF);
    switch (dib->biBitCount) {
    case 16: {
        const unsigned word = ((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3);
        row[2 * x] = static_cast<BYTE>(word & 0xFF);
        row[2 * x + 1] = static_cast<BYTE>(word >> 8);
        return TRUE;
    }
    case 24:
        row[3 * x] = blue;
        row[3 * x + 1] = green;
        row[3 * x + 2] = red;
        return TRUE;
    case 32: {
        const uint32_t value = (static_cast<uint32_t>(red) << 16) | (static_cast<uint32_t>(green) << 8) | blue;
        memcpy(row + 4 * x, &value, 4);
        return TRUE;
    }
    default:
        // Indexed depths would need a palette search; nothing sets pixels there.
        return FALSE;
    }
}

BITMAPINFOHEADER* CreateDib(int width, int height, int bitsPerPixel)
{
    if (width <= 0 || height <= 0 || !KnownDepth(bitsPerPixel))
        return NULL;
    const uint64_t rowSize = StandardStride(bitsPerPixel, width);
    const uint64_t total = 1064 + rowSize * static_cast<uint64_t>(height);
    if (total > 0x7FFFFFFF)
        return NULL;
    BITMAPINFOHEADER* dib = static_cast<BITMAPINFOHEADER*>(calloc(1, static_cast<size_t>(total)));
    if (dib == NULL)
        return NULL;
    dib->biSize = sizeof(BITMAPINFOHEADER);
    dib->biWidth = width;
    dib->biHeight = height;
    dib->biPlanes = 1;
    dib->biBitCount = static_cast<WORD>(bitsPerPixel);
    dib->biCompression = BI_RGB;
    dib->biSizeImage = static_cast<DWORD>(rowSize * static_cast<uint64_t>(height));
    dib->biClrUsed = bitsPerPixel == 4 ? 16 : bitsPerPixel == 8 ? 256 : 0;
    if (bitsPerPixel <= 8) {
        RGBQUAD* table = reinterpret_cast<RGBQUAD*>(dib + 1);
        const int entries = DibNumColors(dib);
        for (int i = 0; i < entries; ++i) {
            const COLORREF c = kStandardColours[i % 16];
            table[i].rgbRed = static_cast<BYTE>(c & 0xFF);
            table[i].rgbGreen = static_cast<BYTE>((c >> 8) & 0xFF);
            table[i].rgbBlue = static_cast<BYTE>((c >> 16) & 0xFF);
            table[i].rgbReserved = 0;
        }
    }
    return dib;
}

BOOL CopyDibPixels(BITMAPINFOHEADER* destination, const BITMAPINFOHEADER* source)
{
    const int width = destination->biWidth < source->biWidth ? destination->biWidth : source->biWidth;
    const int height = destination->biHeight < source->biHeight ? destination->biHeight : source->biHeight;
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            DibSetPixel(x, y, DibGetPixel(x, y, source), destination);
    return TRUE;
}

DWORD DibPackedSize(const BITMAPINFOHEADER* dib)
{
    if (dib->biSize != sizeof(BITMAPINFOHEADER) || dib->biWidth <= 0 || dib->biHeight <= 0
        || !KnownDepth(dib->biBitCount) || dib->biCompression != BI_RGB)
        return 0;
    const uint64_t total = sizeof(BITMAPINFOHEADER) + static_cast<uint64_t>(DibColorTableSize(dib))
        + StandardStride(dib->biBitCount, static_cast<uint64_t>(dib->biWidth)) * static_cast<uint64_t>(dib->biHeight);
    return total > 0x7FFFFFFF ? 0 : static_cast<DWORD>(total);
}

BITMAPINFOHEADER* DibBottomUpCopy(const BITMAPINFOHEADER* dib, DWORD size)
{
    if (dib == NULL || size < sizeof(BITMAPINFOHEADER) || dib->biHeight >= 0 || dib->biHeight == INT32_MIN)
        return NULL;
    BITMAPINFOHEADER header = *dib;
    header.biHeight = -dib->biHeight;
    const DWORD needed = DibPackedSize(&header);
    if (needed == 0 || needed > size)
        return NULL;
    BITMAPINFOHEADER* copy = static_cast<BITMAPINFOHEADER*>(malloc(needed));
    if (copy == NULL)
        return NULL;
    const DWORD head = sizeof(BITMAPINFOHEADER) + static_cast<DWORD>(DibColorTableSize(&header));
    memcpy(copy, dib, head);
    copy->biHeight = header.biHeight;
    const uint64_t stride = StandardStride(header.biBitCount, static_cast<uint64_t>(header.biWidth));
    const BYTE* from = reinterpret_cast<const BYTE*>(dib) + head;
    BYTE* to = reinterpret_cast<BYTE*>(copy) + head;
    for (LONG y = 0; y < header.biHeight; ++y)
        memcpy(to + stride * static_cast<uint64_t>(header.biHeight - 1 - y), from + stride * static_cast<uint64_t>(y),
               static_cast<size_t>(stride));
    return copy;
}
