// Text conversion and the small text routines of the catalogue reader.
#include <gtest/gtest.h>

#include <string>

#include "CatalogFixture.h"
#include "yqRecord.h"
#include "yqText.h"

namespace {

std::string Convert(const std::string& euc)
{
    std::string out(euc.size() + 2, 'Z');
    int n = EucToSjis(euc.data(), out.data(), static_cast<int>(euc.size()));
    EXPECT_EQ(out[n], '\0');
    out.resize(n);
    return out;
}

TEST(EucToSjis, ConvertsCharactersAndKeepsTheLength)
{
    struct Case {
        const char* euc;
        const char* sjis;
    } cases[] = {
        {"\xA4\xA2", "\x82\xA0"},                  // あ
        {"\xB0\xA1", "\x88\x9F"},                  // 亜, first kanji
        {"\xC9\xBD", "\x95\x5C"},                  // 表, trail byte '\'
        {"\xA5\xBD", "\x83\x5C"},                  // ソ
        {"\xF4\xA6", "\xEA\xA4"},                  // last row of JIS X 0208
        {"\xA1\xA1", "\x81\x40"},                  // ideographic space
        {"AB\xB0\xA1" "12", "AB\x88\x9F" "12"},  // mixed with ASCII
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Convert(c.euc), c.sjis) << c.euc;

    // The generator's own converter and the reader agree on a longer text.
    std::string sjis = "カタログ説明 catalogue 価格表ソ";
    EXPECT_EQ(Convert(catalogtest::SjisToEucJp(sjis)), sjis);
}

TEST(EucToSjis, DamagedSequencesNeverSwallowTheirNeighbours)
{
    struct Case {
        std::string euc;
        std::string sjis;
    } cases[] = {
        {"\x8E\xB1", "\xB1"},                       // half-width katakana ｱ
        {"\x8E\xB1\x8E\xDF" "A", "\xB1\xDF" "A"},
        {"\xB0" "A", "?A"},                         // lead byte before ASCII
        {"A\xB0", "A?"},                            // lead byte at the end
        {"\x8E" "A", "?A"},                         // single shift without kana
        {"\x8E\xE0\xA1", "?\xE0\x9F"},              // 0x8E before a kanji: the kanji stays
        {"\x8F\xB0\xA1" "B", "\x81\xAC" "B"},        // JIS X 0212: one geta mark
        {"\x8F\xB0", "??"},                         // cut short
        {"\x80\xFF\xA0" "C", "???C"},
        {std::string("\xB0\x00\xA1", 3), std::string("?\0?", 3)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Convert(c.euc), c.sjis);
}

TEST(SjisToEuc, IsTheInverse)
{
    std::string sjis = "品番ABC表ｱ";
    std::string euc(sjis.size() * 2 + 1, 'Z');
    int n = SjisToEuc(sjis.data(), euc.data(), static_cast<int>(sjis.size()));
    euc.resize(n);
    EXPECT_EQ(euc, catalogtest::SjisToEucJp(sjis));
    EXPECT_EQ(Convert(euc), sjis);
}

TEST(TextRoutines, PrefixCompareDigitsAndPrices)
{
    EXPECT_EQ(PrefixCompare("0001", "0001"), 0);
    EXPECT_EQ(PrefixCompare("", "0001"), 0);
    EXPECT_EQ(PrefixCompare("00", "0001"), 0);
    EXPECT_EQ(PrefixCompare("0001", "0002"), 1);

    struct {
        const char* text;
        double value;
    } numbers[] = {{"1,980円", 1980}, {"12.5", 125}, {"-3", 3}, {"", 0}, {"なし", 0}, {"0", 0}};
    for (const auto& c : numbers)
        EXPECT_EQ(DigitsToNumber(c.text), c.value) << c.text;

    EXPECT_STREQ(FormatPriceText(12800), "12,800");
    EXPECT_STREQ(FormatPriceText(1980), "1,980");
    EXPECT_STREQ(FormatPriceText(999), "999");
    EXPECT_STREQ(FormatPriceText(1234567), "1,234,567");
    EXPECT_EQ(TruncateToInt(1e30), 2147483647);
    EXPECT_EQ(TruncateToInt(-1e30), -2147483647 - 1);
    EXPECT_EQ(TruncateToInt(12.9), 12);
}

TEST(FieldList, SplitsElementsAndTabs)
{
    struct Case {
        std::string text;
        std::vector<std::string> elements;
    } cases[] = {
        {"tA\x1EtB\x1E", {"A", "B"}},
        {"tA\x1FtB\x1E", {"A\tB"}},
        {"tA\x1F\x1EtB\x1E", {"A", "B"}},    // 0x1F 0x1E 't' is a separator
        {"A\x1F" "B\x1E", {"A", "B"}},         // so is a bare 0x1F
        {"tAB", {}},                           // no separator, no element
        {"t\x1E\x1E", {"", ""}},               // empty elements count
        {"tA\x1E" "rest", {"A"}},              // text after the last separator is dropped
        {"", {}},
    };
    for (const Case& c : cases) {
        CStringList list;
        SplitFieldList(c.text.c_str(), list);
        std::vector<std::string> got;
        POSITION pos = list.GetHeadPosition();
        while (pos)
            got.push_back(static_cast<const char*>(list.GetNext(pos)));
        EXPECT_EQ(got, c.elements) << c.text;
    }

    CStringList list;
    list.AddTail("A");
    list.AddTail("B");
    CString joined;
    JoinLines(list, joined);
    EXPECT_STREQ(joined, "A\r\nB\r\n");
}

TEST(CopyWholeFile, ReplacesTheWholeTarget)
{
    using namespace catalogtest;
    std::string folder = MakeTempFolder("copy");
    WriteFile(folder + "/source", "short");
    WriteFile(folder + "/target", "a much longer old content");
    EXPECT_EQ(CopyWholeFile(CatalogPath(folder + "/target").c_str(), CatalogPath(folder + "/source").c_str()), 1);
    EXPECT_EQ(ReadFile(folder + "/target"), "short");
    WriteFile(folder + "/empty", "");
    EXPECT_EQ(CopyWholeFile(CatalogPath(folder + "/target").c_str(), CatalogPath(folder + "/empty").c_str()), 1);
    EXPECT_EQ(ReadFile(folder + "/target"), "short");  // nothing written
    EXPECT_EQ(CopyWholeFile(CatalogPath(folder + "/target").c_str(), CatalogPath(folder + "/none").c_str()), 0);
    RemoveFolder(folder);
}

}  // namespace
