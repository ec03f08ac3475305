#include "Image.h"

#include "DibFunctions.h"
#include "ImageNotify.h"
#include "MappedFile.h"
#include "OctreeQuantizer.h"
#include "TextureInfo.h"
#include "afxreplace.h"
#ifdef _WIN32
#include <afxwin.h>
#endif

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

inline void Put16(BYTE* p, uint32_t value)
{
    p[0] = static_cast<BYTE>(value);
    p[1] = static_cast<BYTE>(value >> 8);
}

inline void Put32(BYTE* p, uint32_t value)
{
    Put16(p, value);
    Put16(p + 2, value >> 16);
}

BITMAPINFOHEADER* CopyHeader(const BITMAPINFOHEADER* info)
{
    if (info == NULL)
        return NULL;
    BITMAPINFOHEADER* copy = static_cast<BITMAPINFOHEADER*>(malloc(sizeof(BITMAPINFOHEADER)));
    if (copy != NULL) {
        *copy = *info;
        copy->biSize = sizeof(BITMAPINFOHEADER);
    }
    return copy;
}

} // namespace

int NearestPaletteIndex(const RGBQUAD* palette, int count, BYTE blue, BYTE green, BYTE red)
{
    int best = 0;
    uint32_t bestDistance = UINT32_MAX;
    for (int i = 0; i < count; ++i) {
        const RGBQUAD& entry = palette[i];
        if (entry.rgbBlue == blue && entry.rgbGreen == green && entry.rgbRed == red)
            return i;
        const uint32_t distance = 38666u * static_cast<uint32_t>(abs(entry.rgbGreen - green))
            + 19661u * static_cast<uint32_t>(abs(entry.rgbRed - red))
            + 7209u * static_cast<uint32_t>(abs(entry.rgbBlue - blue));
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

CImage::CImage() : m_pView(NULL), m_pBits{}, m_pInfo{}, m_nWidth(0), m_nHeight(0)
{
}

CImage::CImage(const CImage& source) : CImage()
{
    const BITMAPINFOHEADER* info = source.m_pInfo[1];
    m_pInfo[0] = CopyHeader(info);
    if (info != NULL && source.m_pBits[1] != NULL) {
        const DWORD bytes = DibBytes24(info->biWidth, info->biHeight);
        m_pBits[0] = bytes != 0 ? static_cast<BYTE*>(malloc(bytes)) : NULL;
        if (m_pBits[0] != NULL)
            memcpy(m_pBits[0], source.m_pBits[1], bytes);
    }
}

CImage::CImage(const CImage& source, const RECT& rect) : CImage()
{
    const BITMAPINFOHEADER* info = source.m_pInfo[1];
    const BYTE* sourceBits = source.m_pBits[1];
    m_pInfo[0] = CopyHeader(info);
    if (m_pInfo[0] == NULL || sourceBits == NULL)
        return;
    if (rect.right <= rect.left || rect.bottom <= rect.top) {
        const DWORD bytes = DibBytes24(info->biWidth, info->biHeight);
        m_pBits[0] = bytes != 0 ? static_cast<BYTE*>(malloc(bytes)) : NULL;
        if (m_pBits[0] != NULL)
            memcpy(m_pBits[0], sourceBits, bytes);
        return;
    }
    const int64_t width = static_cast<int64_t>(rect.right) - rect.left;
    const int64_t height = static_cast<int64_t>(rect.bottom) - rect.top;
    const DWORD bytes = width > 0x7FFFFFFF || height > 0x7FFFFFFF
        ? 0 : DibBytes24(static_cast<LONG>(width), static_cast<LONG>(height));
    m_pInfo[0]->biWidth = static_cast<LONG>(width);
    m_pInfo[0]->biHeight = static_cast<LONG>(height);
    if (bytes == 0)
        return;
    m_pBits[0] = static_cast<BYTE*>(malloc(bytes));
    if (m_pBits[0] == NULL)
        return;

    const LONG sourceWidth = info->biWidth, sourceHeight = info->biHeight;
    const DWORD sourceStride = DibStride24(sourceWidth);
    const DWORD stride = DibStride24(static_cast<LONG>(width));
    for (int64_t y = 0; y < height; ++y) {
        BYTE* row = m_pBits[0] + static_cast<size_t>(stride) * static_cast<size_t>(height - 1 - y);
        memset(row, 255, static_cast<size_t>(width) * 3);
        memset(row + width * 3, 0, stride - static_cast<size_t>(width) * 3);
        const int64_t sy = rect.top + y;
        if (sy < 0 || sy >= sourceHeight)
            continue;
        // Columns of the source that fall inside both the rectangle and the source row.
        const int64_t first = rect.left < 0 ? 0 : rect.left;
        const int64_t last = rect.right < sourceWidth ? rect.right : sourceWidth;
        if (first >= last)
            continue;
        const BYTE* sourceRow = sourceBits + static_cast<size_t>(sourceStride) * static_cast<size_t>(sourceHeight - 1 - sy);
        memcpy(row + (first - rect.left) * 3, sourceRow + first * 3, static_cast<size_t>(last - first) * 3);
    }
}

CImage::~CImage()
{
    // Layers may share blocks: free each distinct block once.
    for (int i = 0; i < 3; ++i) {
        bool sharedBits = false, sharedInfo = false;
        for (int j = 0; j < i; ++j) {
            sharedBits = sharedBits || m_pBits[j] == m_pBits[i];
            sharedInfo = sharedInfo || m_pInfo[j] == m_pInfo[i];
        }
        if (!sharedBits)
            free(m_pBits[i]);
        if (!sharedInfo)
            free(m_pInfo[i]);
    }
}

void CImage::FreeLayer0()
{
    for (int i = 1; i < 3; ++i) {
        if (m_pBits[i] == m_pBits[0])
            m_pBits[i] = NULL;
        if (m_pInfo[i] == m_pInfo[0])
            m_pInfo[i] = NULL;
    }
    free(m_pBits[0]);
    free(m_pInfo[0]);
    m_pBits[0] = NULL;
    m_pInfo[0] = NULL;
}

BOOL CImage::Load(const char*, int, CTextureInfo*)
{
    return FALSE;
}

BOOL CImage::Acquire()
{
    return FALSE;
}

SIZE CImage::GetSize()
{
    SIZE size;
    size.cx = m_nWidth;
    size.cy = m_nHeight;
    return size;
}

int CImage::BuildPalette(RGBQUAD** palette)
{
    return QuantizeOctree(m_pInfo[1], m_pBits[1], palette);
}

BYTE* CImage::GetBits(int layer)
{
    return m_pBits[layer];
}

BITMAPINFOHEADER* CImage::GetInfo(int layer)
{
    return m_pInfo[layer];
}

void CImage::SetLayer(BITMAPINFOHEADER* info, BYTE* bits, int layer)
{
    m_pInfo[layer] = info;
    m_pBits[layer] = bits;
}

BOOL CImage::Save(const char* path, BOOL eightBit, CTextureInfo* info)
{
    const BITMAPINFOHEADER* layer = m_pInfo[1];
    const BYTE* bits = m_pBits[1];
    if (layer == NULL || bits == NULL)
        return FALSE;
    const LONG width = layer->biWidth, height = layer->biHeight;
    const DWORD stride24 = DibStride24(width);
    const DWORD size24 = DibBytes24(width, height);
    if (size24 == 0)
        return FALSE;

    RGBQUAD* palette = NULL;
    int count = 0;
    uint64_t pixelSize = size24;
    DWORD offBits = 54;
    if (eightBit) {
        count = BuildPalette(&palette);
        if (count <= 0)
            return FALSE;
        pixelSize = static_cast<uint64_t>((width + 3) & ~3) * static_cast<uint64_t>(height);
        offBits = 54 + 4 * static_cast<DWORD>(count);
    }

    BYTE* trailer = NULL;
    DWORD trailerSize = 0;
    if (info != NULL) {
        trailer = BuildTextureTrailer(info, &trailerSize);
        if (trailer == NULL) {
            free(palette);
            GetImageNotify()->ReportError(IDS_IMAGE_NO_MEMORY);
            return FALSE;
        }
    }

    const uint64_t fileSize = offBits + pixelSize;
    // Written beside the target and put in its place only when whole.
    return AfxReplaceFile(path, [&](LPCTSTR temp) -> BOOL {
        CMappedFile file;
        if (fileSize + trailerSize > 0x7FFFFFFF || !file.Open(temp, GENERIC_WRITE)) {
            free(palette);
            free(trailer);
            return FALSE;
        }
        if (!file.Map(static_cast<DWORD>(fileSize + trailerSize))) {
            file.Close();
            free(palette);
            free(trailer);
            return FALSE;
        }
        m_pView = static_cast<BYTE*>(file.GetView());
        BYTE* out = m_pView;

        out[0] = 'B';
        out[1] = 'M';
        Put32(out + 2, static_cast<uint32_t>(fileSize));
        Put32(out + 6, 0);
        Put32(out + 10, offBits);

        BYTE* header = out + 14;
        Put32(header + 0, 40);
        Put32(header + 4, static_cast<uint32_t>(width));
        Put32(header + 8, static_cast<uint32_t>(height));
        Put16(header + 12, 1);
        Put16(header + 14, eightBit ? 8 : 24);
        Put32(header + 16, BI_RGB);
        Put32(header + 20, static_cast<uint32_t>(pixelSize));
        Put32(header + 24, static_cast<uint32_t>(layer->biXPelsPerMeter));
        Put32(header + 28, static_cast<uint32_t>(layer->biYPelsPerMeter));
        Put32(header + 32, static_cast<uint32_t>(count));
        Put32(header + 36, 0);

        if (!eightBit) {
            memcpy(out + offBits, bits, size24);
        } else {
            memcpy(out + 54, palette, 4 * static_cast<size_t>(count));
            const DWORD stride8 = static_cast<DWORD>((width + 3) & ~3);
            CImageNotify* notify = GetImageNotify();
            notify->BeginProgress(IDS_IMAGE_REDUCING, height);
            // The search is memoised per colour in a small direct-mapped table: photographs
            // repeat colours, and the answer for a colour never changes.
            const int kCacheSize = 1 << 14;
            uint32_t* cacheKeys = static_cast<uint32_t*>(malloc(sizeof(uint32_t) * kCacheSize));
            BYTE* cacheIndex = static_cast<BYTE*>(malloc(kCacheSize));
            if (cacheKeys != NULL)
                memset(cacheKeys, 0xFF, sizeof(uint32_t) * kCacheSize);
            for (LONG y = 0; y < height; ++y) {
                const BYTE* source = bits + static_cast<size_t>(stride24) * static_cast<size_t>(y);
                BYTE* target = out + offBits + static_cast<size_t>(stride8) * static_cast<size_t>(y);
                for (LONG x = 0; x < width; ++x) {
                    const BYTE blue = source[3 * x], green = source[3 * x + 1], red = source[3 * x + 2];
                    const uint32_t key = static_cast<uint32_t>(blue) | (green << 8) | (red << 16);
                    if (cacheKeys == NULL || cacheIndex == NULL) {
                        target[x] = static_cast<BYTE>(NearestPaletteIndex(palette, count, blue, green, red));
                        continue;
                    }
                    const uint32_t slot = ((key * 2654435761u) >> 18) & (kCacheSize - 1);
                    if (cacheKeys[slot] != key) {
                        cacheKeys[slot] = key;
                        cacheIndex[slot] = static_cast<BYTE>(NearestPaletteIndex(palette, count, blue, green, red));
                    }
                    target[x] = cacheIndex[slot];
                }
                memset(target + width, 0, stride8 - static_cast<DWORD>(width));
                notify->StepProgress(y + 1);
            }
            free(cacheKeys);
            free(cacheIndex);
            notify->EndProgress();
            free(palette);
        }

        if (trailer != NULL) {
            memcpy(out + fileSize, trailer, trailerSize);
            free(trailer);
        }
        m_pView = NULL;
        file.Close();
        return TRUE;
    });
}

#ifdef _WIN32
CBitmap* CImage::CreateBitmap()
{
    const BITMAPINFOHEADER* info = m_pInfo[0];
    const BYTE* bits = m_pBits[0];
    if (info == NULL || bits == NULL)
        return NULL;
    // Layer 0 is 24-bit BI_RGB whatever its header's plane count says.
    BITMAPINFOHEADER header = *info;
    header.biSize = sizeof(header);
    header.biPlanes = 1;
    header.biCompression = BI_RGB;
    HDC screen = ::CreateDCA("DISPLAY", NULL, NULL, NULL);
    if (screen == NULL)
        return NULL;
    HBITMAP made = ::CreateDIBitmap(screen, &header, CBM_INIT, bits, reinterpret_cast<const BITMAPINFO*>(&header),
                                    DIB_RGB_COLORS);
    ::DeleteDC(screen);
    if (made == NULL)
        return NULL;
    CBitmap* bitmap = new CBitmap;
    bitmap->Attach(made);
    return bitmap;
}
#endif
