#include "TPatternLayer.h"

#include <cstring>
#include <new>
#include <string>
#include <vector>

TPatternLayer::TPatternLayer(int width, int height, const char* text, unsigned long colour)
    : m_bValid(true), m_hDisplayDC(nullptr), m_hMemDC(nullptr), m_hBitmap(nullptr), m_hPen(nullptr),
      m_hFont(nullptr), m_pPixels(nullptr), m_nPixelSize(0), m_pText(nullptr), m_colour(colour)
{
    if (text) {
        const size_t n = std::strlen(text);
        m_pText = new (std::nothrow) char[n + 1];
        if (m_pText)
            std::memcpy(m_pText, text, n + 1);
        else
            m_bValid = false;
    }
    std::memset(&m_info, 0, sizeof m_info);
    m_info.biSize = sizeof m_info;
    m_info.biWidth = width;
    m_info.biHeight = height;
    m_info.biPlanes = 1;
    m_info.biBitCount = 24;
    m_info.biCompression = BI_RGB;
}

TPatternLayer::~TPatternLayer()
{
    if (m_hMemDC) {
        // Put the stock objects back so that ours can be deleted.
        SelectObject(m_hMemDC, GetStockObject(SYSTEM_FONT));
        SelectObject(m_hMemDC, GetStockObject(BLACK_PEN));
    }
    if (m_hFont)
        DeleteObject(m_hFont);
    if (m_hPen)
        DeleteObject(m_hPen);
    if (m_hMemDC)
        DeleteDC(m_hMemDC);
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
    if (m_hDisplayDC)
        DeleteDC(m_hDisplayDC);
    delete[] m_pPixels;
    delete[] m_pText;
}

void TPatternLayer::Initialize()
{
    const int width = m_info.biWidth, height = m_info.biHeight;
    m_hDisplayDC = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (!m_hDisplayDC) {
        m_bValid = false;
        return;
    }
    m_hMemDC = CreateCompatibleDC(m_hDisplayDC);
    if (!m_hMemDC) {
        m_bValid = false;
        return;
    }
    m_hBitmap = CreateCompatibleBitmap(m_hDisplayDC, width, height);
    if (!m_hBitmap) {
        m_bValid = false;
        return;
    }
    SelectObject(m_hMemDC, m_hBitmap);
    const long long stride = ((3LL * width + 3) & ~3LL);
    if (width <= 0 || height <= 0 || stride * height > 0x7FFFFFFF) {
        m_bValid = false;
        return;
    }
    m_nPixelSize = static_cast<int>(stride * height);
    m_pPixels = new (std::nothrow) unsigned char[m_nPixelSize];
    if (!m_pPixels) {
        m_nPixelSize = 0;
        m_bValid = false;
        return;
    }
    std::memset(m_pPixels, 0, m_nPixelSize);
    BITMAPINFO bi;
    std::memset(&bi, 0, sizeof bi);
    bi.bmiHeader = m_info;
    if (SetDIBits(m_hDisplayDC, m_hBitmap, 0, height, m_pPixels, &bi, DIB_RGB_COLORS) == 0) {
        m_bValid = false;
        return;
    }
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof lf);
    std::strcpy(lf.lfFaceName, "ＭＳ ゴシック");
    lf.lfHeight = -24;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    m_hFont = CreateFontIndirectA(&lf);
    SelectObject(m_hMemDC, m_hFont);
    SetBkMode(m_hMemDC, TRANSPARENT);
    m_hPen = CreatePen(PS_SOLID, 1, m_colour);
    SelectObject(m_hMemDC, m_hPen);
    SetTextColor(m_hMemDC, m_colour);
    GetDIBits(m_hMemDC, m_hBitmap, 0, height, m_pPixels, &bi, DIB_RGB_COLORS);
}

void TPatternLayer::Draw(HDC dc, const char* text, const RECT& rc)
{
    if (!m_pText || !text || !m_hMemDC)
        return;
    SIZE size = {30, 30};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    const int x = (rc.right - size.cx) / 2, y = (rc.bottom - size.cy) / 2;
    RECT at = {x, y, x, y};
    DrawTextA(m_hMemDC, text, -1, &at, DT_NOCLIP);
    MoveToEx(m_hMemDC, 0, 0, nullptr);
    LineTo(m_hMemDC, rc.right, rc.bottom);
    MoveToEx(m_hMemDC, 0, rc.bottom, nullptr);
    LineTo(m_hMemDC, rc.right, 0);
}

void TPatternLayer::Draw2(HDC dc, const char* text, const RECT& rc)
{
    if (!m_pText || !text || !m_hMemDC)
        return;
    std::vector<std::string> lines;
    std::string all = text;
    size_t start = 0;
    for (;;) {
        const size_t lf = all.find('\n', start);
        lines.push_back(all.substr(start, lf == std::string::npos ? std::string::npos : lf - start));
        if (lf == std::string::npos)
            break;
        start = lf + 1;
    }
    std::vector<int> heights;
    int total = 0;
    for (const std::string& line : lines) {
        SIZE size = {0, 0};
        GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
        heights.push_back(size.cy);
        total += size.cy;
    }
    const int b = (rc.bottom - rc.top - total) / 2;
    int h = 0;
    for (size_t k = 0; k < lines.size(); ++k) {
        RECT r = {rc.left, rc.top + b + h, rc.right, rc.bottom - b + h};
        DrawTextA(m_hMemDC, lines[k].c_str(), -1, &r, DT_CENTER | DT_SINGLELINE | DT_NOCLIP);
        h += heights[k];
    }
}

COLORREF TPatternLayer::GetPixelColor(int x, int y) const
{
    if (!m_pPixels || m_nPixelSize == 0 || x < 0 || y < 0 || x >= m_info.biWidth || y >= m_info.biHeight)
        return 0;
    const int stride = (3 * m_info.biWidth + 3) & ~3;
    const unsigned char* p = m_pPixels + static_cast<size_t>(m_info.biHeight - 1 - y) * stride + 3 * x;
    return RGB(p[2], p[1], p[0]);
}

bool TPatternLayer::IsValid() const
{
    return m_bValid;
}
