#include "yqText.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "yqByteStream.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

inline bool IsEucByte(unsigned char b) { return b >= 0xA1 && b <= 0xFE; }

}  // namespace

int EucToSjis(const char* source, char* destination, int length)
{
    const unsigned char* src = reinterpret_cast<const unsigned char*>(source);
    unsigned char* dst = reinterpret_cast<unsigned char*>(destination);
    int i = 0, o = 0;
    while (i < length) {
        unsigned char b = src[i];
        if (IsEucByte(b) && i + 1 < length && IsEucByte(src[i + 1])) {
            int j1 = b - 0x80, j2 = src[i + 1] - 0x80;
            dst[o] = static_cast<unsigned char>(((j1 + 1) >> 1) + (j1 <= 0x5E ? 0x70 : 0xB0));
            if (j1 % 2 == 0)
                dst[o + 1] = static_cast<unsigned char>(j2 + 0x7E);
            else
                dst[o + 1] = static_cast<unsigned char>(j2 + 0x1F + (j2 >= 0x60 ? 1 : 0));
            i += 2;
            o += 2;
        } else if (b == 0x8E && i + 1 < length && src[i + 1] >= 0xA1 && src[i + 1] <= 0xDF) {
            // Half-width katakana: Shift-JIS holds the kana byte alone.
            dst[o++] = src[i + 1];
            i += 2;
        } else if (b == 0x8F && i + 2 < length && IsEucByte(src[i + 1]) && IsEucByte(src[i + 2])) {
            // JIS X 0212 has no Shift-JIS form: one geta mark stands for the character.
            dst[o++] = 0x81;
            dst[o++] = 0xAC;
            i += 3;
        } else if (b >= 0x80) {
            // A byte that starts no whole character becomes '?' on its own, so that it cannot
            // pair with the byte after it.
            dst[o++] = '?';
            i += 1;
        } else {
            dst[o++] = b;
            i += 1;
        }
    }
    dst[o] = 0;
    return o;
}

int SjisToEuc(const char* source, char* destination, int length)
{
    const unsigned char* src = reinterpret_cast<const unsigned char*>(source);
    unsigned char* dst = reinterpret_cast<unsigned char*>(destination);
    int i = 0, o = 0;
    while (i < length && src[i] != 0) {
        unsigned char b = src[i];
        if (AfxIsLeadByte(b) && i + 1 < length && src[i + 1] >= 0x40 && src[i + 1] <= 0xFC && src[i + 1] != 0x7F) {
            int s1 = b, s2 = src[i + 1];
            int j1 = (s1 - (s1 <= 0x9F ? 0x70 : 0xB0)) * 2;
            int j2;
            if (s2 >= 0x9F) {
                j2 = s2 - 0x7E;
            } else {
                j1 -= 1;
                j2 = s2 - (s2 >= 0x80 ? 0x20 : 0x1F);
            }
            dst[o++] = static_cast<unsigned char>(j1 + 0x80);
            dst[o++] = static_cast<unsigned char>(j2 + 0x80);
            i += 2;
        } else if (b >= 0xA1 && b <= 0xDF) {
            dst[o++] = 0x8E;
            dst[o++] = b;
            i += 1;
        } else {
            dst[o++] = b;
            i += 1;
        }
    }
    dst[o] = 0;
    return o;
}

int PrefixCompare(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b)
        if (*a != *b)
            return 1;
    return 0;
}

double DigitsToNumber(const char* text)
{
    std::string digits;
    for (; text && *text; ++text)
        if (*text >= '0' && *text <= '9')
            digits += *text;
    if (digits.empty())
        return 0;
    return std::strtod(digits.c_str(), nullptr);
}

void JoinLines(const CStringList& list, CString& out)
{
    out.Empty();
    POSITION pos = list.GetHeadPosition();
    while (pos) {
        out += list.GetNext(pos);
        out += "\r\n";
    }
}

int TruncateToInt(double value)
{
    if (!(value == value))
        return 0;
    if (value >= 2147483647.0)
        return INT_MAX;
    if (value <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(value);
}

CString FormatPriceText(int price)
{
    char number[16];
    std::snprintf(number, sizeof number, "%d", price);
#ifdef _WIN32
    char digits[8] = "0", leadingZero[8] = "1", grouping[16] = "3", decimalSep[8] = ".", thousandSep[8] = ",";
    char negativeOrder[8] = "1", positiveOrder[8] = "0";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ICURRDIGITS, digits, sizeof digits);
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ILZERO, leadingZero, sizeof leadingZero);
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONGROUPING, grouping, sizeof grouping);
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONDECIMALSEP, decimalSep, sizeof decimalSep);
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONTHOUSANDSEP, thousandSep, sizeof thousandSep);
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_INEGCURR, negativeOrder, sizeof negativeOrder);
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ICURRENCY, positiveOrder, sizeof positiveOrder);
    char symbol[1] = "";
    CURRENCYFMTA format{};
    format.NumDigits = std::atoi(digits);
    format.LeadingZero = std::atoi(leadingZero);
    format.Grouping = grouping[0] >= '0' && grouping[0] <= '9' ? grouping[0] - '0' : 3;
    format.lpDecimalSep = decimalSep;
    format.lpThousandSep = thousandSep;
    format.NegativeOrder = std::atoi(negativeOrder);
    format.PositiveOrder = std::atoi(positiveOrder);
    format.lpCurrencySymbol = symbol;
    char out[64];
    if (GetCurrencyFormatA(LOCALE_USER_DEFAULT, 0, number, &format, out, sizeof out) > 0)
        return CString(out);
    return CString(number);
#else
    // No locale service here: the Japanese locale's form (no decimals, groups of three).
    std::string text = number;
    size_t start = text[0] == '-' ? 1 : 0;
    for (size_t pos = text.size(); pos > start + 3; pos -= 3)
        text.insert(pos - 3, ",");
    return CString(text.c_str());
#endif
}

void WriteTraceLine(const char* text)
{
    static CFile* s_pTrace = nullptr;
    static bool s_bTried = false;
    if (!s_bTried) {
        s_bTried = true;
        CFile* file = new CFile;
        if (file->Open(yqFilePath("c:\\Temp\\output.dat"),
                       CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite | CFile::shareDenyNone))
            s_pTrace = file;
        else
            delete file;
    }
    if (!s_pTrace || !text)
        return;
    try {
        s_pTrace->Write(text, static_cast<UINT>(std::strlen(text)));
    } catch (CException* e) {
        e->Delete();
    }
}

int CopyWholeFile(const char* target, const char* source)
{
    std::vector<unsigned char> data;
    if (!yqReadWholeFile(source, data))
        return 0;
    if (data.empty())
        return 1;
    return yqReplaceFile(target, data.data(), data.size()) ? 1 : 0;
}
