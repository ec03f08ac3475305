#pragma once

#include <cstdint>
#include <istream>
#include <string>

// Token and record helpers shared by the scene readers of both scene forms.
namespace ZBSceneStream {

// Text form.
constexpr size_t kWordLimit = 255;
// Reads the next run of non-blank characters, at most limit of them.
bool ReadWord(std::istream& is, std::string& word, size_t limit = kWordLimit);
// Reads words until one contains keyword; false at the end of the stream.
bool FindWord(std::istream& is, const char* keyword);
// Reads lines (of at most 254 characters) until one contains keyword.
bool FindLine(std::istream& is, const char* keyword);
// A double-quoted text or one word.
bool ReadName(std::istream& is, std::string& name, size_t limit);
// Skips blanks and returns the next character without taking it (EOF at the end).
int PeekNonBlank(std::istream& is);
// Back to the start with the error state cleared.
void Rewind(std::istream& is);
// A formatted number, as `is >> v` reads it (same characters taken, same value, same stream
// state), parsed straight off the buffer: the triangle lists of text scenes are mostly numbers.
bool ReadTextNumber(std::istream& is, float& v);
bool ReadTextNumber(std::istream& is, int& v);

// Binary form: little-endian 32-bit values.
bool ReadInt32(std::istream& is, int32_t& v);
bool ReadFloat(std::istream& is, float& v);
// int32 length and that many bytes; refused when longer than limit or than what is left.
bool ReadStr(std::istream& is, std::string& s, size_t limit);
// Bytes left between the read position and the end (0 when unknown).
uint64_t Remaining(std::istream& is);

// float -> int32 truncating toward zero, limited to the int32 range (NaN gives 0).
inline int32_t TruncToInt(double v)
{
    if (v != v)
        return 0;
    if (v >= 2147483647.0)
        return 2147483647;
    if (v <= -2147483648.0)
        return INT32_MIN;
    return static_cast<int32_t>(v);
}

} // namespace ZBSceneStream
