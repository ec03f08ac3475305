#include "DibEditor.h"

#include "DibFunctions.h"
#include "Image.h"
#include "ImageNotify.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// Radians per hundredth of a degree, from the value of pi the wizard has always used.
const double kRadiansPerUnit = 0.00017453292516666667;

// A new header and pixel block of that size; FALSE (nothing allocated) on a refused
// size or a shortage.
BOOL NewLayer(const BITMAPINFOHEADER* model, LONG width, LONG height, BITMAPINFOHEADER** info, BYTE** bits)
{
    *info = NULL;
    *bits = NULL;
    const DWORD bytes = DibBytes24(width, height);
    if (bytes == 0)
        return FALSE;
    BITMAPINFOHEADER* header = DibNewHeader24(model, width, height);
    BYTE* pixels = static_cast<BYTE*>(malloc(bytes));
    if (header == NULL || pixels == NULL) {
        free(header);
        free(pixels);
        return FALSE;
    }
    *info = header;
    *bits = pixels;
    return TRUE;
}

inline BYTE* RowAt(BYTE* bits, DWORD stride, LONG storedRow)
{
    return bits + static_cast<size_t>(stride) * static_cast<size_t>(storedRow);
}

inline const BYTE* RowAt(const BYTE* bits, DWORD stride, LONG storedRow)
{
    return bits + static_cast<size_t>(stride) * static_cast<size_t>(storedRow);
}

void ZeroPadding(BYTE* row, LONG width, DWORD stride)
{
    memset(row + static_cast<size_t>(width) * 3, 0, stride - static_cast<size_t>(width) * 3);
}

bool ValidBase(const BITMAPINFOHEADER* info, const BYTE* bits)
{
    return info != NULL && bits != NULL && DibBytes24(info->biWidth, info->biHeight) != 0;
}

// Runs work(first, last) over [0, rows) in bands on several threads when the picture is
// large enough to gain from it; on one thread otherwise or when no thread can be started.
template <class Work>
void RunInBands(int64_t rows, int64_t columns, const Work& work)
{
    unsigned threads = std::thread::hardware_concurrency();
    threads = threads == 0 ? 1 : threads > 8 ? 8 : threads;
    if (rows * columns < 1000000 || threads < 2 || rows < threads) {
        work(0, rows);
        return;
    }
    std::vector<std::thread> pool;
    const int64_t band = (rows + threads - 1) / threads;
    int64_t next = band; // the first band is this thread's
    try {
        for (; next < rows; next += band) {
            const int64_t first = next, last = next + band < rows ? next + band : rows;
            pool.emplace_back([&work, first, last] { work(first, last); });
        }
    } catch (const std::exception&) {
        // No further thread: this one does what is left after its own band.
    }
    work(0, band);
    if (next < rows)
        work(next, rows);
    for (std::thread& t : pool)
        t.join();
}

} // namespace

BOOL DibRotateQuarter(const BITMAPINFOHEADER* info, const BYTE* bits, int quarters,
                      BITMAPINFOHEADER** newInfo, BYTE** newBits)
{
    *newInfo = NULL;
    *newBits = NULL;
    if (!ValidBase(info, bits))
        return FALSE;
    quarters = ((quarters % 4) + 4) % 4;
    const LONG w = info->biWidth, h = info->biHeight;
    const LONG newWidth = quarters % 2 ? h : w, newHeight = quarters % 2 ? w : h;
    if (!NewLayer(info, newWidth, newHeight, newInfo, newBits))
        return FALSE;
    const DWORD stride = DibStride24(w), newStride = DibStride24(newWidth);
    for (LONG y = 0; y < newHeight; ++y) {
        BYTE* target = RowAt(*newBits, newStride, newHeight - 1 - y);
        for (LONG x = 0; x < newWidth; ++x) {
            LONG sx, sy; // source pixel, counted from the top-left corner
            switch (quarters) {
            case 0: sx = x; sy = y; break;
            case 1: sx = w - 1 - y; sy = x; break;
            case 2: sx = w - 1 - x; sy = h - 1 - y; break;
            default: sx = y; sy = h - 1 - x; break;
            }
            memcpy(target + 3 * x, RowAt(bits, stride, h - 1 - sy) + 3 * sx, 3);
        }
        ZeroPadding(target, newWidth, newStride);
    }
    return TRUE;
}

BOOL DibRotateArbitrary(const BITMAPINFOHEADER* info, const BYTE* bits, int angle,
                        BITMAPINFOHEADER** newInfo, BYTE** newBits)
{
    *newInfo = NULL;
    *newBits = NULL;
    if (!ValidBase(info, bits))
        return FALSE;
    const LONG w = info->biWidth, h = info->biHeight;
    const double theta = angle * kRadiansPerUnit;
    const double cosT = cos(theta), sinT = sin(theta);
    const double corners[4][2] = {{0, 0}, {double(w - 1), 0}, {double(w - 1), double(h - 1)}, {0, double(h - 1)}};
    int64_t minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (const auto& c : corners) {
        const int64_t x = static_cast<int64_t>(c[0] * cosT - c[1] * sinT);
        const int64_t y = static_cast<int64_t>(c[0] * sinT + c[1] * cosT);
        minX = x < minX ? x : minX;
        maxX = x > maxX ? x : maxX;
        minY = y < minY ? y : minY;
        maxY = y > maxY ? y : maxY;
    }
    --minX;
    ++maxX;
    --minY;
    ++maxY;
    const int64_t newWidth = maxX - minX + 1, newHeight = maxY - minY + 1;
    if (newWidth > 0x7FFFFFFF || newHeight > 0x7FFFFFFF
        || !NewLayer(info, static_cast<LONG>(newWidth), static_cast<LONG>(newHeight), newInfo, newBits))
        return FALSE;

    const double back = (36000 - angle) * kRadiansPerUnit;
    const double cosB = cos(back), sinB = sin(back);
    const DWORD stride = DibStride24(w), newStride = DibStride24(static_cast<LONG>(newWidth));
    // x cos and x sin of every column, made once: the same products the per-pixel formula
    // takes, so the pixels do not change.
    std::vector<double> columnCos(static_cast<size_t>(newWidth)), columnSin(static_cast<size_t>(newWidth));
    for (int64_t c = 0; c < newWidth; ++c) {
        const double x = static_cast<double>(minX + c);
        columnCos[static_cast<size_t>(c)] = x * cosB;
        columnSin[static_cast<size_t>(c)] = x * sinB;
    }
    auto rows = [&](int64_t first, int64_t last) {
    for (int64_t r = first; r < last; ++r) {
        BYTE* target = RowAt(*newBits, newStride, static_cast<LONG>(r));
        const double y = static_cast<double>(minY + r);
        const double ySin = y * sinB, yCos = y * cosB;
        for (int64_t c = 0; c < newWidth; ++c) {
            const double sx = columnCos[static_cast<size_t>(c)] - ySin;
            const double sy = columnSin[static_cast<size_t>(c)] + yCos;
            const int64_t l = static_cast<int64_t>(sx + 0.5);
            const int64_t n = static_cast<int64_t>(sy + 0.5);
            BYTE* out = target + 3 * c;
            if (l < 0 || l >= w || n < 0 || n >= h) {
                out[0] = out[1] = out[2] = 255;
                continue;
            }
            const BYTE* p00 = RowAt(bits, stride, static_cast<LONG>(n)) + 3 * l;
            if (l > sx || n > sy) {
                memcpy(out, p00, 3);
                continue;
            }
            // Both fractions below one half: blend with the right-hand column (x fraction)
            // and the row above (y fraction). Here sx and sy are not negative, so taking off
            // the whole part is exact and equals fmod(s, 1).
            const double fx = sx - static_cast<double>(static_cast<int64_t>(sx));
            const double fy = sy - static_cast<double>(static_cast<int64_t>(sy));
            const bool right = l + 1 < w, up = n + 1 < h;
            const BYTE* p10 = right ? p00 + 3 : p00;
            const BYTE* p01 = up ? RowAt(bits, stride, static_cast<LONG>(n + 1)) + 3 * l : p00;
            const BYTE* p11 = right && up ? p01 + 3 : p00;
            for (int k = 0; k < 3; ++k) {
                const double v = (1 - fy) * ((1 - fx) * p00[k] + fx * p10[k]) + fy * ((1 - fx) * p01[k] + fx * p11[k]);
                const int64_t t = static_cast<int64_t>(v);
                out[k] = static_cast<BYTE>(t < 0 ? 0 : t > 255 ? 255 : t);
            }
        }
        ZeroPadding(target, static_cast<LONG>(newWidth), newStride);
    }
    };
    // Rows are independent: large pictures are shared out in bands, each pixel computed
    // exactly as one thread would.
    RunInBands(newHeight, newWidth, rows);
    return TRUE;
}

BOOL DibResample(const BITMAPINFOHEADER* info, const BYTE* bits, LONG width, LONG height,
                 BITMAPINFOHEADER** newInfo, BYTE** newBits)
{
    *newInfo = NULL;
    *newBits = NULL;
    if (!ValidBase(info, bits) || !NewLayer(info, width, height, newInfo, newBits))
        return FALSE;
    // Nearest neighbour, as a colour-on-colour stretch picks pixels, counted top-down.
    const LONG w = info->biWidth, h = info->biHeight;
    const DWORD stride = DibStride24(w), newStride = DibStride24(width);
    for (LONG y = 0; y < height; ++y) {
        const LONG sy = static_cast<LONG>(static_cast<int64_t>(y) * h / height);
        const BYTE* source = RowAt(bits, stride, h - 1 - sy);
        BYTE* target = RowAt(*newBits, newStride, height - 1 - y);
        for (LONG x = 0; x < width; ++x) {
            const LONG sx = static_cast<LONG>(static_cast<int64_t>(x) * w / width);
            memcpy(target + 3 * x, source + 3 * sx, 3);
        }
        ZeroPadding(target, width, newStride);
    }
    return TRUE;
}

BOOL DibColorBalance(const BITMAPINFOHEADER* info, const BYTE* bits, int red, int green, int blue,
                     BITMAPINFOHEADER** newInfo, BYTE** newBits)
{
    *newInfo = NULL;
    *newBits = NULL;
    if (!ValidBase(info, bits) || !NewLayer(info, info->biWidth, info->biHeight, newInfo, newBits))
        return FALSE;
    const LONG w = info->biWidth, h = info->biHeight;
    const DWORD stride = DibStride24(w);
    const int delta[3] = {blue, green, red};
    for (LONG y = 0; y < h; ++y) {
        const BYTE* source = RowAt(bits, stride, y);
        BYTE* target = RowAt(*newBits, stride, y);
        for (LONG x = 0; x < w; ++x) {
            const BYTE* in = source + 3 * x;
            BYTE* out = target + 3 * x;
            // Black stays black: it marks what the texture leaves transparent.
            if (in[0] == 0 && in[1] == 0 && in[2] == 0) {
                out[0] = out[1] = out[2] = 0;
                continue;
            }
            for (int k = 0; k < 3; ++k) {
                const int v = in[k] + delta[k];
                out[k] = static_cast<BYTE>(v < 0 ? 0 : v > 255 ? 255 : v);
            }
        }
        ZeroPadding(target, w, stride);
    }
    return TRUE;
}

CDibEditor::CDibEditor()
    : m_nAngle(0), m_nUndoAngle(0), m_rcRange{}, m_rcUndoRange{}, m_bHasUndo(FALSE),
      m_nImageWidth(0), m_nImageHeight(0), m_pImage(NULL), m_pInfo{}, m_pBits{}
{
}

CDibEditor::~CDibEditor()
{
    // Still attached: the edits were never handed back, so they are dropped here.
    if (m_pImage != NULL) {
        ReleaseWorking();
        ReleaseUndo();
    }
}

void CDibEditor::SetImage(CImage* image)
{
    if (m_pImage != NULL)
        DetachImage();
    if (image == NULL)
        return;
    m_pImage = image;
    for (int i = 0; i < 3; ++i) {
        m_pInfo[i] = image->GetInfo(i);
        m_pBits[i] = image->GetBits(i);
    }
    // The editor owns the working and undo layers until it hands them back.
    image->SetLayer(NULL, NULL, 1);
    image->SetLayer(NULL, NULL, 2);
    if (m_pInfo[1] == NULL || m_pBits[1] == NULL) {
        m_pInfo[1] = m_pInfo[0];
        m_pBits[1] = m_pBits[0];
    }
    if (m_pInfo[1] != NULL) {
        m_nImageWidth = m_pInfo[1]->biWidth;
        m_nImageHeight = m_pInfo[1]->biHeight;
    }
    m_bHasUndo = m_pInfo[2] != NULL && m_pBits[2] != NULL;
    if (m_bHasUndo)
        OnUndoSet();
    OnPictureChanged();
}

void CDibEditor::DetachImage()
{
    if (m_pImage == NULL)
        return;
    m_pImage->SetLayer(m_pInfo[1], m_pBits[1], 1);
    m_pImage->SetLayer(m_pInfo[2], m_pBits[2], 2);
    m_pImage = NULL;
    for (int i = 0; i < 3; ++i) {
        m_pInfo[i] = NULL;
        m_pBits[i] = NULL;
    }
    m_bHasUndo = FALSE;
}

void CDibEditor::ReleaseWorking()
{
    if (m_pInfo[1] != m_pInfo[0] && m_pInfo[1] != m_pInfo[2])
        free(m_pInfo[1]);
    if (m_pBits[1] != m_pBits[0] && m_pBits[1] != m_pBits[2])
        free(m_pBits[1]);
    m_pInfo[1] = NULL;
    m_pBits[1] = NULL;
}

void CDibEditor::ReleaseUndo()
{
    if (m_pInfo[2] != m_pInfo[0] && m_pInfo[2] != m_pInfo[1])
        free(m_pInfo[2]);
    if (m_pBits[2] != m_pBits[0] && m_pBits[2] != m_pBits[1])
        free(m_pBits[2]);
    m_pInfo[2] = NULL;
    m_pBits[2] = NULL;
}

void CDibEditor::SetWorking(BITMAPINFOHEADER* info, BYTE* bits)
{
    ReleaseWorking();
    m_pInfo[1] = info;
    m_pBits[1] = bits;
    m_nImageWidth = info->biWidth;
    m_nImageHeight = info->biHeight;
}

void CDibEditor::UseBaseAsWorking()
{
    ReleaseWorking();
    m_pInfo[1] = m_pInfo[0];
    m_pBits[1] = m_pBits[0];
    if (m_pInfo[1] != NULL) {
        m_nImageWidth = m_pInfo[1]->biWidth;
        m_nImageHeight = m_pInfo[1]->biHeight;
    }
}

void CDibEditor::InstallPicture(BITMAPINFOHEADER* info, BYTE* bits, int angle)
{
    SaveUndo(TRUE);
    SetWorking(info, bits);
    m_nAngle = angle;
    OnSizeChanged(m_nImageWidth, m_nImageHeight);
    OnPictureChanged();
}

void CDibEditor::RotateQuarter(int quarters)
{
    BITMAPINFOHEADER* info;
    BYTE* bits;
    // The new picture is made before anything is given up, so a shortage leaves the
    // current one in place.
    if (!DibRotateQuarter(m_pInfo[0], m_pBits[0], quarters, &info, &bits)) {
        if (m_pInfo[0] != NULL)
            GetImageNotify()->ReportError(IDS_IMAGE_NO_MEMORY);
        return;
    }
    InstallPicture(info, bits, (((quarters % 4) + 4) % 4) * 9000);
}

void CDibEditor::RotateArbitrary(int angle)
{
    BITMAPINFOHEADER* info;
    BYTE* bits;
    if (!DibRotateArbitrary(m_pInfo[0], m_pBits[0], angle, &info, &bits)) {
        if (m_pInfo[0] != NULL)
            GetImageNotify()->ReportError(IDS_IMAGE_NO_MEMORY);
        return;
    }
    InstallPicture(info, bits, angle);
}

void CDibEditor::ResizeImage(int width, int height)
{
    RECT range = m_rcRange;
    range.right = width;
    range.bottom = height;
    BITMAPINFOHEADER* info;
    BYTE* bits;
    // A size of nothing is refused; the picture and the range box stay.
    if (range.right - range.left <= 0 || range.bottom - range.top <= 0)
        return;
    if (!DibResample(m_pInfo[0], m_pBits[0], range.right - range.left, range.bottom - range.top, &info, &bits)) {
        if (m_pInfo[0] != NULL)
            GetImageNotify()->ReportError(IDS_IMAGE_NO_MEMORY);
        return;
    }
    SaveUndo(TRUE);
    m_rcRange = range;
    SetWorking(info, bits);
    OnPictureChanged();
}

BOOL CDibEditor::ResampleToRange()
{
    const LONG width = m_rcRange.right - m_rcRange.left, height = m_rcRange.bottom - m_rcRange.top;
    if (width <= 0 || height <= 0 || m_pInfo[0] == NULL)
        return FALSE;
    BITMAPINFOHEADER* info;
    BYTE* bits;
    if (!DibResample(m_pInfo[0], m_pBits[0], width, height, &info, &bits)) {
        GetImageNotify()->ReportError(IDS_IMAGE_NO_MEMORY);
        return FALSE;
    }
    SetWorking(info, bits);
    return TRUE;
}

BOOL CDibEditor::ApplySize()
{
    if (!ResampleToRange())
        return FALSE;
    OnPictureChanged();
    return TRUE;
}

void CDibEditor::SetColorBalance(int red, int green, int blue)
{
    BITMAPINFOHEADER* info;
    BYTE* bits;
    if (!DibColorBalance(m_pInfo[0], m_pBits[0], red, green, blue, &info, &bits)) {
        if (m_pInfo[0] != NULL)
            GetImageNotify()->ReportError(IDS_IMAGE_NO_MEMORY);
        return;
    }
    SetWorking(info, bits);
    OnPictureChanged();
}

void CDibEditor::SaveUndo(BOOL takeLayer)
{
    ReleaseUndo();
    if (takeLayer) {
        if (m_pInfo[1] != NULL && m_pInfo[1] == m_pInfo[0]) {
            BITMAPINFOHEADER* info;
            BYTE* bits;
            if (NewLayer(m_pInfo[0], m_pInfo[0]->biWidth, m_pInfo[0]->biHeight, &info, &bits)) {
                memcpy(bits, m_pBits[0], DibBytes24(info->biWidth, info->biHeight));
                m_pInfo[2] = info;
                m_pBits[2] = bits;
            }
        } else {
            m_pInfo[2] = m_pInfo[1];
            m_pBits[2] = m_pBits[1];
        }
        // The operation that follows puts its picture here.
        m_pInfo[1] = NULL;
        m_pBits[1] = NULL;
    }
    m_nUndoAngle = m_nAngle;
    m_rcUndoRange = m_rcRange;
    m_bHasUndo = TRUE;
    OnUndoSet();
}

void CDibEditor::Revert()
{
    if (!m_bHasUndo)
        return;
    if (m_pInfo[2] != NULL && m_pBits[2] != NULL) {
        ReleaseWorking();
        m_pInfo[1] = m_pInfo[2];
        m_pBits[1] = m_pBits[2];
        m_pInfo[2] = NULL;
        m_pBits[2] = NULL;
        m_nImageWidth = m_pInfo[1]->biWidth;
        m_nImageHeight = m_pInfo[1]->biHeight;
    }
    m_nAngle = m_nUndoAngle;
    m_bHasUndo = FALSE;
    m_rcRange = m_rcUndoRange;
    m_rcUndoRange = RECT{0, 0, 0, 0};
    OnSizeChanged(m_rcRange.right - m_rcRange.left, m_rcRange.bottom - m_rcRange.top);
    OnReverted();
    OnPictureChanged();
}
