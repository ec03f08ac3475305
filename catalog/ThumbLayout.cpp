#include "ThumbLayout.h"

#include <afxmbs.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "yqItem.h"
#include "yqText.h"

ThumbGrid ThumbGridFor(int count, int clientWidth, CSize cell, CSize margin)
{
    ThumbGrid grid;
    if (count <= 0)
        return grid;
    const int pitchX = cell.cx + margin.cx, pitchY = cell.cy + margin.cy;
    grid.columns = std::max(1, pitchX > 0 ? clientWidth / pitchX : 1);
    const int64_t height = int64_t(count) * pitchY + margin.cy;
    grid.columns = std::max<int64_t>(grid.columns, height / 65535 + 1);
    grid.rows = (count + grid.columns - 1) / grid.columns;
    grid.scroll = CSize(grid.columns * pitchX + margin.cx, grid.rows * pitchY + margin.cy);
    return grid;
}

CRect ThumbCellRect(int index, int columns, CSize cell, CSize margin)
{
    const int pitchX = cell.cx + margin.cx, pitchY = cell.cy + margin.cy;
    const int left = margin.cx + (index % columns) * pitchX;
    const int top = margin.cy + (index / columns) * pitchY;
    return CRect(left, top, left + cell.cx, top + cell.cy);
}

CRect ThumbCaptionLayout(const CRect& inner, const std::vector<int>& heights, std::vector<CRect>& captions)
{
    int total = 0;
    for (int h : heights)
        total += h;
    CRect area = inner;
    area.bottom -= total;
    captions.clear();
    int y = area.bottom;
    for (int h : heights) {
        captions.emplace_back(inner.left, y, inner.right, y + h);
        y += h;
    }
    return area;
}

CString FitCaptionText(const char* text, int width, const TextMeasurer& measure)
{
    const int length = text ? int(std::strlen(text)) : 0;
    if (length == 0 || measure(text, length) < width)
        return CString(text ? text : "");
    const int dots = measure("...", 3);
    const auto* start = reinterpret_cast<const unsigned char*>(text);
    int fits = 0;
    for (const unsigned char* p = start; *p;) {
        const unsigned char* next = _mbsinc(p);
        const int bytes = int(next - start);
        if (bytes > length || measure(text, bytes) + dots > width)
            break;
        fits = bytes;
        p = next;
    }
    return CString(text, fits) + "...";
}

CSize FitPictureSize(CSize picture, CSize area)
{
    if (picture == area || picture.cx <= 0 || picture.cy <= 0)
        return picture;
    // 64-bit products: a large picture in a large area must not overflow.
    const int64_t w = picture.cx, h = picture.cy;
    if (area.cx * h / w > area.cy)
        return CSize(int(area.cy * w / h), area.cy);
    return CSize(area.cx, int(area.cx * h / w));
}

CPoint CentreInArea(const CRect& area, CSize size)
{
    return CPoint(area.left + (area.Width() - size.cx) / 2, area.top + (area.Height() - size.cy) / 2);
}

CRect ThumbFrameRect(const CRect& pictureArea, int lineHeight, int margin)
{
    CRect frame = pictureArea;
    frame.bottom += 3 * lineHeight;
    frame.InflateRect(margin, margin);
    return frame;
}

double ParsePriceDigits(const char* text)
{
    // Shift-JIS trail bytes start at 0x40, so no trail byte reads as an ASCII digit.
    return DigitsToNumber(text);
}

namespace {

int Sign(double d) { return d < 0 ? -1 : d > 0 ? 1 : 0; }

int CompareText(const char* a, const char* b)
{
    return Sign(_mbscmp(reinterpret_cast<const unsigned char*>(a ? a : ""),
        reinterpret_cast<const unsigned char*>(b ? b : "")));
}

// Empty texts first in both directions; 2 when neither is empty.
int CompareEmpty(const char* a, const char* b)
{
    const bool emptyA = !a || !*a, emptyB = !b || !*b;
    if (emptyA && emptyB)
        return 0;
    if (emptyA || emptyB)
        return emptyA ? -1 : 1;
    return 2;
}

double SizeValue(const char* text)
{
    CString t(text);
    if (t.Right(2) == "KB")
        t = t.Left(t.GetLength() - 2) + "000";
    else if (t.Right(2) == "MB")
        t = t.Left(t.GetLength() - 2) + "000000";
    else if (!t.IsEmpty() && (t.Right(1)[0] < '0' || t.Right(1)[0] > '9'))
        t = t.Left(t.GetLength() - 1);  // a unit letter, never a digit of the number
    return ParsePriceDigits(t);
}

}  // namespace

int CompareThumbCaptions(unsigned kindA, const char* a, unsigned kindB, const char* b, bool ascending)
{
    if ((kindA != 0) != (kindB != 0))
        return kindA != 0 ? -1 : 1;
    // Folder and drive cells form one group ordered by text, so the order stays a strict weak
    // one even where their kinds share only some bits of 0x300.
    const unsigned groupA = (kindA & 0x300) ? 0 : kindA, groupB = (kindB & 0x300) ? 0 : kindB;
    if (groupA != groupB)
        return groupA < groupB ? -1 : 1;
    const int result = CompareText(a, b);
    return ascending ? result : -result;
}

int CompareThumbPrices(const char* a, const char* b, bool ascending)
{
    const int empty = CompareEmpty(a, b);
    if (empty != 2)
        return empty;
    const int result = Sign(ParsePriceDigits(a) - ParsePriceDigits(b));
    return ascending ? result : -result;
}

int CompareThumbSizes(const char* a, const char* b, bool ascending)
{
    const int empty = CompareEmpty(a, b);
    if (empty != 2)
        return empty;
    const int result = Sign(SizeValue(a) - SizeValue(b));
    return ascending ? result : -result;
}

CRect PreviewPictureRect(CSize picture, CSize client)
{
    if (picture.cx <= 0 || picture.cy <= 0)
        return CRect(0, 0, 0, 0);
    const int64_t w = picture.cx, h = picture.cy;
    int64_t a = client.cx - 2, b = a * h / w;
    if (b > client.cy - 2) {
        b = client.cy - 2;
        a = b * w / h;
    }
    const int x = int((client.cx - a) / 2), y = int((client.cy - b) / 2);
    return CRect(x, y, x + int(a), y + int(b));
}

std::vector<CString> SplitPictureCaption(const char* text)
{
    std::vector<CString> lines;
    CString line;
    const size_t n = text ? strlen(text) : 0;
    size_t i = 0;
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\r' && i + 1 < n) {
            lines.push_back(line);
            line.Empty();
            i += text[i + 1] == '\n' ? 2 : 1;
            continue;
        }
        const size_t width = _ismbblead(c) && i + 1 < n ? 2 : 1;
        line += CString(text + i, int(width));
        i += width;
        if (c != '\r' && i < n && text[i] == '\n') {
            lines.push_back(line);
            line = "\n";
            ++i;
        }
    }
    lines.push_back(line);
    return lines;
}

std::vector<CString> ItemCellCaptions(const yqItem& item, const char* priceText)
{
    auto text = [](const char* s) { return CString(s ? s : ""); };
    std::vector<CString> out(3);
    out[0] = "品番：" + text(item.m_pszNumber);
    if (item.m_nKind == yqItem::kProductDrawing || item.m_nKind == yqItem::kSetDrawing)
        out[1] = "種類：" + text(item.m_pszCaption);
    else
        out[1] = "品名：" + text(item.m_pszName);
    if (item.m_dPrice != 0 && item.m_pszPriceSuffix)
        out[2].Format("価格：%s%s", priceText ? priceText : "", item.m_pszPriceSuffix);
    return out;
}
