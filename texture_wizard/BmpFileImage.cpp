#include "BmpFileImage.h"

#include "DibFunctions.h"
#include "ImageNotify.h"
#include "MappedFile.h"
#include "TextureInfo.h"
#ifdef _WIN32
#include "Twain.h"
#endif

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

const DWORD kFileHeaderSize = 14;
const DWORD kCoreHeaderSize = 12;

inline uint32_t Get16(const BYTE* p)
{
    return p[0] | (p[1] << 8);
}

inline uint32_t Get32(const BYTE* p)
{
    return Get16(p) | (Get16(p + 2) << 16);
}

// What the reader needs of a BMP, every part checked to lie inside the file.
struct BmpLayout
{
    BITMAPINFOHEADER header; // as a 40-byte info header, whatever the file's kind
    const BYTE* table;
    int tableEntrySize;
    int tableEntries;
    const BYTE* pixels;
    DWORD sourceStride;
    DWORD bfSize;
};

bool ParseBmp(const BYTE* file, DWORD size, BmpLayout& layout)
{
    if (size < kFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M')
        return false;
    if (Get16(file + 6) != 0 && Get16(file + 8) != 0)
        return false;
    layout.bfSize = Get32(file + 2);
    const DWORD offBits = Get32(file + 10);
    const DWORD headerSize = Get32(file + 14);
    if ((headerSize != kCoreHeaderSize && headerSize < sizeof(BITMAPINFOHEADER)) || headerSize > size - kFileHeaderSize)
        return false;

    const BYTE* h = file + kFileHeaderSize;
    BITMAPINFOHEADER& header = layout.header;
    memset(&header, 0, sizeof(header));
    header.biSize = sizeof(BITMAPINFOHEADER);
    int64_t width, height;
    int bitCount;
    DWORD colours = 0;
    if (headerSize == kCoreHeaderSize) {
        width = Get16(h + 4);
        height = Get16(h + 6);
        bitCount = static_cast<int>(Get16(h + 10));
        header.biPlanes = 1;
        layout.tableEntrySize = 3;
    } else {
        memcpy(&header, h, sizeof(header));
        header.biSize = sizeof(BITMAPINFOHEADER);
        width = static_cast<int32_t>(Get32(h + 4));
        height = static_cast<int32_t>(Get32(h + 8));
        bitCount = static_cast<int>(Get16(h + 14));
        if (Get32(h + 16) != BI_RGB)
            return false;
        colours = Get32(h + 32);
        layout.tableEntrySize = 4;
    }
    // A top-down picture (negative height) is refused, as is any empty or oversized one.
    if (!DibSideAllowed(width, height))
        return false;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return false;

    layout.table = NULL;
    layout.tableEntries = 0;
    if (bitCount <= 8) {
        const DWORD maxEntries = 1u << bitCount;
        const DWORD entries = colours == 0 || colours > maxEntries ? maxEntries : colours;
        const uint64_t tableStart = kFileHeaderSize + headerSize;
        // A table cut short by the pixels or the file end keeps what it has; the other
        // indexes read as black.
        const uint64_t limit = offBits > tableStart && offBits < size ? offBits : size;
        const uint64_t available = limit > tableStart ? (limit - tableStart) / layout.tableEntrySize : 0;
        layout.table = file + tableStart;
        layout.tableEntries = static_cast<int>(available < entries ? available : entries);
    }

    const uint64_t stride = ((static_cast<uint64_t>(bitCount) * static_cast<uint64_t>(width) + 31) / 32) * 4;
    if (offBits >= size || stride * static_cast<uint64_t>(height) > size - offBits)
        return false;
    if (DibBytes24(static_cast<LONG>(width), static_cast<LONG>(height)) == 0)
        return false;
    layout.pixels = file + offBits;
    layout.sourceStride = static_cast<DWORD>(stride);
    header.biWidth = static_cast<LONG>(width);
    header.biHeight = static_cast<LONG>(height);
    header.biBitCount = static_cast<WORD>(bitCount);
    return true;
}

// Rows of the file into 24-bit rows, bottom-up as they are stored.
void ConvertRows(const BmpLayout& layout, BYTE* bits)
{
    const LONG width = layout.header.biWidth, height = layout.header.biHeight;
    const int bitCount = layout.header.biBitCount;
    const DWORD stride = DibStride24(width);
    for (LONG y = 0; y < height; ++y) {
        const BYTE* source = layout.pixels + static_cast<size_t>(layout.sourceStride) * static_cast<size_t>(y);
        BYTE* target = bits + static_cast<size_t>(stride) * static_cast<size_t>(y);
        if (bitCount == 24) {
            memcpy(target, source, static_cast<size_t>(width) * 3);
        } else {
            for (LONG x = 0; x < width; ++x) {
                const COLORREF c = DibRowPixel(source, x, bitCount, layout.table, layout.tableEntrySize, layout.tableEntries);
                target[3 * x] = GetBValue(c);
                target[3 * x + 1] = GetGValue(c);
                target[3 * x + 2] = GetRValue(c);
            }
        }
        memset(target + static_cast<size_t>(width) * 3, 0, stride - static_cast<size_t>(width) * 3);
    }
}

} // namespace

CBmpFileImage::CBmpFileImage() : m_dwFileSize(0)
{
}

BOOL CBmpFileImage::Load(const char* path, int flag, CTextureInfo* info)
{
    // Flag 1 is the file dialog's preview: it fails silently.
    const bool quiet = flag != 0;
    CMappedFile file;
    if (!file.Open(path, GENERIC_READ) || !file.Map(0))
        return FALSE;
    const BYTE* data = static_cast<const BYTE*>(file.GetView());
    const DWORD size = file.GetViewSize();
    m_dwFileSize = size;

    BmpLayout layout;
    if (!ParseBmp(data, size, layout))
        return FALSE;

    FreeLayer0();
    BITMAPINFOHEADER* header = static_cast<BITMAPINFOHEADER*>(malloc(sizeof(BITMAPINFOHEADER)));
    BYTE* bits = static_cast<BYTE*>(malloc(DibBytes24(layout.header.biWidth, layout.header.biHeight)));
    if (header == NULL || bits == NULL) {
        free(header);
        free(bits);
        if (!quiet)
            GetImageNotify()->ReportError(IDS_IMAGE_NO_MEMORY);
        return FALSE;
    }
    *header = layout.header;
    header->biBitCount = 24;
    header->biClrUsed = 0;
    ConvertRows(layout, bits);

    // A trailer that is missing or points outside the file fails the load like a wrong
    // magic, leaving the record as it was. That is a refused file, not a shortage: the
    // caller says so.
    if (info != NULL && !ReadTextureTrailer(data, size, layout.bfSize, info)) {
        free(header);
        free(bits);
        return FALSE;
    }
    m_nWidth = header->biWidth;
    m_nHeight = header->biHeight;
    SetLayer(header, bits, 0);
    return TRUE;
}

BOOL CBmpFileImage::AttachDibBlock(const BITMAPINFOHEADER* dib, DWORD size)
{
    if (dib == NULL || size < sizeof(BITMAPINFOHEADER))
        return FALSE;
    if (dib->biHeight < 0) {
        // Sources may hand over top-down pictures: taken as the same picture stored
        // bottom-up.
        BITMAPINFOHEADER* bottomUp = DibBottomUpCopy(dib, size);
        if (bottomUp == NULL)
            return FALSE;
        const BOOL done = AttachDibBlock(bottomUp, DibPackedSize(bottomUp));
        free(bottomUp);
        return done;
    }
    const DWORD needed = DibPackedSize(dib);
    if (needed == 0 || needed > size || !DibSideAllowed(dib->biWidth, dib->biHeight))
        return FALSE;
    FreeLayer0();
    const LONG width = dib->biWidth, height = dib->biHeight;
    const DWORD bytes = DibBytes24(width, height);
    BITMAPINFOHEADER* header = bytes != 0 ? DibNewHeader24(dib, width, height) : NULL;
    BYTE* bits = bytes != 0 ? static_cast<BYTE*>(malloc(bytes)) : NULL;
    BITMAPINFOHEADER* converted = NULL;
    const BYTE* source = DibFindBits(dib);
    if (header != NULL && bits != NULL && dib->biBitCount != 24) {
        converted = CreateDib(width, height, 24);
        if (converted != NULL) {
            CopyDibPixels(converted, dib);
            source = DibFindBits(converted);
        }
    }
    if (header == NULL || bits == NULL || (dib->biBitCount != 24 && converted == NULL)) {
        free(header);
        free(bits);
        GetImageNotify()->ReportError(IDS_IMAGE_NO_MEMORY);
        return FALSE;
    }
    // Both strides are the 24-bit DIB stride; padding is zeroed row by row.
    const DWORD stride = DibStride24(width);
    for (LONG y = 0; y < height; ++y) {
        BYTE* target = bits + static_cast<size_t>(stride) * static_cast<size_t>(y);
        memcpy(target, source + static_cast<size_t>(stride) * static_cast<size_t>(y), static_cast<size_t>(width) * 3);
        memset(target + static_cast<size_t>(width) * 3, 0, stride - static_cast<size_t>(width) * 3);
    }
    free(converted);
    SetLayer(header, bits, 0);
    return TRUE;
}

#ifdef _WIN32
BOOL CBmpFileImage::Acquire()
{
    // The source manager is let go on every path with the object.
    CTwain twain;
    if (!twain.LoadManager(FALSE) || !twain.OpenManager() || !twain.Acquire())
        return FALSE;
    twain.CloseManager();
    HGLOBAL dib = twain.m_hImage;
    twain.m_hImage = NULL;
    return AttachPackedDib(dib);
}

BOOL CBmpFileImage::AttachPackedDib(HGLOBAL dib)
{
    if (dib == NULL)
        return FALSE;
    const BITMAPINFOHEADER* block = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(dib));
    if (block == NULL)
        return FALSE;
    const SIZE_T size = ::GlobalSize(dib);
    const BOOL done = AttachDibBlock(block, size > 0xFFFFFFFF ? 0xFFFFFFFF : static_cast<DWORD>(size));
    // The image owns the picture from now on, taken or not.
    ::GlobalUnlock(dib);
    ::GlobalFree(dib);
    return done;
}
#endif
