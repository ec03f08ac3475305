#include "ListRowCompare.h"

#include <cstring>

#include "yqText.h"

bool IsFileRowType(const char* type)
{
    static const char suffix[] = "ファイル";
    const size_t n = type ? std::strlen(type) : 0, m = sizeof suffix - 1;
    return n >= m && std::memcmp(type + n - m, suffix, m) == 0;
}

namespace {

int Sign(double d) { return d < 0 ? -1 : d > 0 ? 1 : 0; }

// Case-insensitive over single-byte letters; double-byte characters compare as they are.
int CompareNoCase(const char* a, const char* b)
{
    const auto* p = reinterpret_cast<const unsigned char*>(a);
    const auto* q = reinterpret_cast<const unsigned char*>(b);
    for (;;) {
        unsigned c = *p, d = *q;
        const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        if (!lead && c >= 'A' && c <= 'Z')
            c += 'a' - 'A';
        if (!((d >= 0x81 && d <= 0x9F) || (d >= 0xE0 && d <= 0xFC)) && d >= 'A' && d <= 'Z')
            d += 'a' - 'A';
        if (c != d)
            return c < d ? -1 : 1;
        if (c == 0)
            return 0;
        if (lead) {
            ++p;
            ++q;
            if (*p != *q)
                return *p < *q ? -1 : 1;
            if (*p == 0)
                return 0;
        }
        ++p;
        ++q;
    }
}

CString TimeKey(CString text)
{
    // Morning before afternoon: the hour reads 00 to 11 in both halves.
    if (text.Find("午前") >= 0)
        text.Replace("午前", "００");
    else
        text.Replace("午後", "０１");
    return text;
}

int CompareText(const CString& a, const CString& b, int column)
{
    if (column == 3)
        return CompareNoCase(TimeKey(a), TimeKey(b));
    return CompareNoCase(a, b);
}

double SizeValue(CString text)
{
    if (text.Right(2) == "KB")
        text = text.Left(text.GetLength() - 2) + "000";
    else if (text.Right(2) == "MB")
        text = text.Left(text.GetLength() - 2) + "000000";
    else if (!text.IsEmpty())
        text = text.Left(text.GetLength() - 1);
    return DigitsToNumber(text);
}

}  // namespace

int CompareListRows(const ListRowTexts& a, const ListRowTexts& b, int column, bool itemList, bool ascending)
{
    const bool fileA = IsFileRowType(a.type), fileB = IsFileRowType(b.type);
    if (fileA != fileB)
        return (fileA ? 1 : -1) * (ascending ? 1 : -1);
    int result;
    if (column == 1) {
        if (!fileA)
            result = CompareText(a.name, b.name, 0);
        else
            result = Sign(SizeValue(a.column) - SizeValue(b.column));
    } else if (column == 2 && itemList) {
        result = Sign(DigitsToNumber(a.column) - DigitsToNumber(b.column));
    } else {
        result = CompareText(a.column, b.column, column);
    }
    return ascending ? result : -result;
}
