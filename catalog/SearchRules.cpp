#include "SearchRules.h"

#include <cctype>

#include "yqText.h"

CString MakeUniqueSearchName(const CString& name, const std::vector<CString>& siblings)
{
    const int length = name.GetLength();
    long long largest = 0;
    for (const CString& s : siblings) {
        if (s.GetLength() <= length + 3 || s.Left(length) != name)
            continue;
        const char* p = static_cast<const char*>(s) + length;
        if (p[0] != ' ' || p[1] != '(')
            continue;
        p += 2;
        long long k = 0;
        int digits = 0;
        while (*p >= '0' && *p <= '9' && digits < 10) {
            k = k * 10 + (*p - '0');
            ++p;
            ++digits;
        }
        if (digits == 0 || p[0] != ')' || p[1] != '\0')
            continue;
        if (k > largest)
            largest = k;
    }
    if (largest <= 0)
        return name;
    CString out;
    out.Format("%s (%lld)", static_cast<const char*>(name), largest + 1);
    return out;
}

bool NormaliseSearchFolder(const CString& text, CString& check, CString& result, bool& isDrive)
{
    CString folder = text;
    folder.MakeUpper();
    if (folder.IsEmpty())
        return false;
    if (folder.GetLength() < 3 && folder.Right(1) != "\\")
        folder += "\\";
    else if (folder.GetLength() > 3 && folder.Right(1) == "\\")
        folder = folder.Left(folder.GetLength() - 1);
    check = folder;
    isDrive = folder.GetLength() == 3;
    if (isDrive && !(folder[0] >= 'A' && folder[0] <= 'Z' && folder[1] == ':' && folder[2] == '\\'))
        return false;
    result = folder;
    if (result.Right(1) != "\\")
        result += "\\";
    return true;
}

int ParsePriceBound(const CString& text, const char* noneText, int none)
{
    if (text == noneText)
        return none;
    long long value = 0;
    bool any = false;
    for (const char* p = text; *p; ++p) {
        if (*p >= '0' && *p <= '9') {
            any = true;
            if (value < 2147483647LL)
                value = value * 10 + (*p - '0');
        } else if (static_cast<unsigned char>(*p) >= 0x80 && p[1]) {
            ++p;  // a double-byte character holds no single-byte digit
        }
    }
    if (!any)
        return none;
    return value > 2147483647LL ? 2147483647 : static_cast<int>(value);
}

CString DescribeDataSearch(int page, const CString& fieldLabel, const CString& text, int low, int high)
{
    if (page == 0)
        return text;
    CString out = fieldLabel + "=" + text;
    if (page == 2) {
        out += ":";
        out += low < 0 ? CString("下限なし～") : FormatPriceText(low) + "円～";
        out += high >= 2147483647 ? CString("上限なし") : FormatPriceText(high) + "円";
    }
    return out;
}

CString DescribeImageSearch(int page, const CString& fileText, const CString& folder, const int from[3],
                            const int to[3])
{
    CString out = "ファイル名=" + fileText + " (" + folder + ")";
    if (page == 1) {
        CString dates;
        dates.Format(":%d/%d/%d～%d/%d/%d", from[0], from[1], from[2], to[0], to[1], to[2]);
        out += dates;
    }
    return out;
}

int DaysInMonth(int year, int month)
{
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 31;
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0))
        return 29;
    return lengths[month - 1];
}

bool IsValidSearchDate(int year, int month, int day)
{
    return year >= 1980 && year <= 2099 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}
