#include "ZBSceneStream.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <sstream>

namespace ZBSceneStream {

static bool IsBlank(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

int PeekNonBlank(std::istream& is)
{
    if (!is.good())
        return EOF;
    // Straight on the buffer: the scans for keywords walk whole files several times.
    std::streambuf* sb = is.rdbuf();
    int c = sb->sgetc();
    while (c != EOF && IsBlank(c)) {
        sb->sbumpc();
        c = sb->sgetc();
    }
    if (c == EOF)
        is.setstate(std::ios::eofbit);
    return c;
}

bool ReadWord(std::istream& is, std::string& word, size_t limit)
{
    word.clear();
    int c = PeekNonBlank(is);
    if (c == EOF) {
        is.setstate(std::ios::failbit | std::ios::eofbit);
        return false;
    }
    std::streambuf* sb = is.rdbuf();
    while (word.size() < limit) {
        c = sb->sgetc();
        if (c == EOF) {
            is.setstate(std::ios::eofbit);
            break;
        }
        if (IsBlank(c))
            break;
        word.push_back(static_cast<char>(sb->sbumpc()));
    }
    return true;
}

bool FindWord(std::istream& is, const char* keyword)
{
    std::string word;
    while (ReadWord(is, word)) {
        if (word.find(keyword) != std::string::npos)
            return true;
    }
    return false;
}

bool FindLine(std::istream& is, const char* keyword)
{
    char line[255];
    while (is.getline(line, sizeof line)) {
        if (std::strstr(line, keyword))
            return true;
    }
    return false;
}

bool ReadName(std::istream& is, std::string& name, size_t limit)
{
    name.clear();
    int c = PeekNonBlank(is);
    if (c == EOF) {
        is.setstate(std::ios::failbit | std::ios::eofbit);
        return false;
    }
    if (c != '"')
        return ReadWord(is, name, limit);
    is.get();
    for (;;) {
        c = is.get();
        if (c == EOF) {
            is.setstate(std::ios::failbit);
            return false;
        }
        if (c == '"')
            return true;
        // Longer names are cut; the rest up to the closing quote is skipped.
        if (name.size() < limit)
            name.push_back(static_cast<char>(c));
    }
}

void Rewind(std::istream& is)
{
    is.clear();
    is.seekg(0, std::ios::beg);
}

namespace {

bool IsDigit(int c)
{
    return c >= '0' && c <= '9';
}

// The characters formatted extraction takes for a number: sign, digits and, for floating point,
// a fraction and an exponent. Short numbers stay in the caller's buffer.
class NumberChars {
public:
    void Take(std::streambuf* sb, int c)
    {
        if (m_n < sizeof m_short)
            m_short[m_n] = static_cast<char>(c);
        else {
            if (m_long.empty())
                m_long.assign(m_short, m_n);
            m_long.push_back(static_cast<char>(c));
        }
        ++m_n;
        sb->sbumpc();
    }
    const char* Begin() const { return m_long.empty() ? m_short : m_long.data(); }
    size_t Size() const { return m_n; }

private:
    char m_short[48];
    size_t m_n = 0;
    std::string m_long;
};

void TakeNumberChars(std::istream& is, bool floating, NumberChars& out)
{
    std::streambuf* sb = is.rdbuf();
    bool mantissa = false;
    auto digits = [&] {
        int c;
        while ((c = sb->sgetc()) != EOF && IsDigit(c)) {
            out.Take(sb, c);
            mantissa = true;
        }
    };
    int c = sb->sgetc();
    if (c == '+' || c == '-')
        out.Take(sb, c);
    digits();
    if (floating) {
        if (sb->sgetc() == '.') {
            out.Take(sb, '.');
            digits();
        }
        c = sb->sgetc();
        // Extraction takes an exponent only after a digit.
        if (mantissa && (c == 'e' || c == 'E')) {
            out.Take(sb, c);
            c = sb->sgetc();
            if (c == '+' || c == '-')
                out.Take(sb, c);
            digits();
        }
    }
    if (sb->sgetc() == EOF)
        is.setstate(std::ios::eofbit);
}

// What from_chars does not settle (a lone sign, a cut exponent, out of range) goes through the
// stream's own extraction, so the value and the failure stay exactly as before.
template <class T>
bool ReadSlow(std::istream& is, const char* text, size_t n, T& v)
{
    std::istringstream one(std::string(text, n));
    if (!(one >> v) || one.peek() != EOF) {
        is.setstate(std::ios::failbit);
        return false;
    }
    return true;
}

template <class T>
bool ReadNumber(std::istream& is, T& v, bool floating)
{
    if (!is.good() || PeekNonBlank(is) == EOF) {
        is.setstate(std::ios::failbit);
        return false;
    }
    NumberChars chars;
    TakeNumberChars(is, floating, chars);
    if (chars.Size() == 0) {
        is.setstate(std::ios::failbit);
        return false;
    }
    const char* first = chars.Begin();
    const char* last = first + chars.Size();
    const char* digits = *first == '+' ? first + 1 : first; // from_chars takes no plus
    T x{};
    auto [end, ec] = std::from_chars(digits, last, x);
    if (ec == std::errc() && end == last && digits != last) {
        v = x;
        return true;
    }
    return ReadSlow(is, first, chars.Size(), v);
}

} // namespace

bool ReadTextNumber(std::istream& is, float& v)
{
    return ReadNumber(is, v, true);
}

bool ReadTextNumber(std::istream& is, int& v)
{
    return ReadNumber(is, v, false);
}

bool ReadInt32(std::istream& is, int32_t& v)
{
    unsigned char b[4];
    if (!is.read(reinterpret_cast<char*>(b), 4))
        return false;
    v = static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                             static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24);
    return true;
}

bool ReadFloat(std::istream& is, float& v)
{
    int32_t bits;
    if (!ReadInt32(is, bits))
        return false;
    std::memcpy(&v, &bits, 4);
    return true;
}

uint64_t Remaining(std::istream& is)
{
    if (!is.good())
        return 0;
    std::streampos here = is.tellg();
    if (here < 0)
        return 0;
    is.seekg(0, std::ios::end);
    std::streampos end = is.tellg();
    is.seekg(here);
    if (end < here)
        return 0;
    return static_cast<uint64_t>(end - here);
}

bool ReadStr(std::istream& is, std::string& s, size_t limit)
{
    s.clear();
    int32_t len;
    if (!ReadInt32(is, len))
        return false;
    if (len < 0 || static_cast<uint64_t>(len) > limit || static_cast<uint64_t>(len) > Remaining(is)) {
        is.setstate(std::ios::failbit);
        return false;
    }
    s.resize(static_cast<size_t>(len));
    if (len > 0 && !is.read(&s[0], len))
        return false;
    return true;
}

} // namespace ZBSceneStream
