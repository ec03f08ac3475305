// String literals reach the programs as Shift-JIS bytes, whichever build compiled them.
#include <gtest/gtest.h>
#include <cstring>
#include <string>

TEST(Charset, LiteralsAreShiftJis)
{
    struct Case { const char* text; std::string bytes; };
    const Case cases[] = {
        {"表", "\x95\x5C"},                       // trail byte is a backslash
        {"ソ", "\x83\x5C"},
        {"全体表示", "\x91\x53\x91\xCC\x95\x5C\x8E\xA6"},
        {"ｱ", "\xB1"},                            // half-width katakana is one byte
        {"A表B", "A\x95\x5C" "B"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(c.text), c.bytes) << c.bytes;
}
