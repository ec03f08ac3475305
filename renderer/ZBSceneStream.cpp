#include "ZBSceneStream.h"

#include <cctype>
#include <cmath>
#include <cstring>

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
