#include "NumberField.h"

#include <climits>
#include <cstring>

namespace {

const size_t kFieldChars = 16;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool ReadFieldInt(const char* text, long long* value)
{
    size_t i = 0;
    bool negative = false;
    if (text[i] == '-' || text[i] == '+') {
        negative = text[i] == '-';
        ++i;
    }
    long long v = 0;
    for (; i < kFieldChars && IsDigit(text[i]); ++i) {
        const int digit = text[i] - '0';
        if (v > (LLONG_MAX - digit) / 10)
            return false;
        v = v * 10 + digit;
    }
    *value = negative ? -v : v;
    return true;
}

bool ReadFieldDecimal(const char* text, double* value)
{
    size_t i = 0;
    bool negative = false;
    if (text[i] == '-' || text[i] == '+') {
        negative = text[i] == '-';
        ++i;
    }
    double v = 0, scale = 1;
    bool point = false;
    for (; i < kFieldChars; ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            if (point) {
                scale /= 10;
                v += (c - '0') * scale;
            } else {
                v = v * 10 + (c - '0');
            }
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    *value = negative ? -v : v;
    return true;
}

bool NumFieldAccepts(const char* textAfter, UINT ch, int minimum, int maximum)
{
    if (ch != '\b' && !(ch >= '0' && ch <= '9') && !(ch == '-' && minimum < 0))
        return false;
    if (strlen(textAfter) > 1 && textAfter[0] == '0')
        return false;
    long long value;
    return ReadFieldInt(textAfter, &value) && value <= maximum;
}

bool FloatFieldAccepts(const char* textAfter, UINT ch, double minimum, double maximum)
{
    if (ch != '\b' && !(ch >= '0' && ch <= '9') && ch != '.' && !(ch == '-' && minimum < 0.0))
        return false;
    const size_t length = strlen(textAfter);
    if (length > 1) {
        if (textAfter[0] == '0' && textAfter[1] != '.')
            return false;
        if (textAfter[1] == '.' && strchr(textAfter + 2, '.') != NULL)
            return false;
        // The caret was put in front of the digits: a number never starts with its point.
        if (textAfter[0] == '.')
            return false;
    }
    double value;
    return ReadFieldDecimal(textAfter, &value) && value <= maximum;
}

bool FloatSpinStep(double shown, int direction, double minimum, double maximum, double* next)
{
    const double value = direction > 0 ? shown + 1.0 : shown - 1.0;
    if (direction > 0 ? value > maximum : value < minimum)
        return false;
    *next = value;
    return true;
}
