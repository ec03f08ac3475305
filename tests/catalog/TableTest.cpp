// Table files, rows, values, indexes and searches.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "CatalogFixture.h"
#include "yqByteStream.h"
#include "yqRecordset.h"
#include "yqTable.h"

using namespace catalogtest;

namespace {

Value T(const char* code, const std::string& text, char type = 't')
{
    Value v;
    v.type = type;
    v.code = code;
    v.text = text;
    return v;
}

class TableTest : public ::testing::Test {
protected:
    void SetUp() override { m_folder = MakeTempFolder("table"); }
    void TearDown() override { RemoveFolder(m_folder); }

    std::string WriteBytes(const std::string& bytes)
    {
        std::string path = m_folder + "/TABLE" + std::to_string(++m_count);
        WriteFile(path, bytes);
        return CatalogPath(path);
    }
    // A loaded table of the rows with the given indexes.
    std::unique_ptr<yqTable> Load(const std::vector<Row>& rows)
    {
        auto table = std::make_unique<yqTable>("TABLE01");
        EXPECT_EQ(table->Load(WriteBytes(TableBytes(rows)).c_str(), nullptr), 1);
        return table;
    }
    // The values of one code in a recordset's order; "-" for a row that lacks it.
    static std::vector<std::string> Values(yqRecordset* set, const char* code)
    {
        std::vector<std::string> out;
        if (!set)
            return out;
        set->SetAbsolutePosition(0);
        do {
            const char* text = set->GetFieldText(code);
            out.push_back(text ? text : "-");
        } while (set->MoveNext());
        delete set;
        return out;
    }

    std::string m_folder;
    int m_count = 0;
};

using Strings = std::vector<std::string>;

TEST_F(TableTest, ReadsRowsValuesAndPaths)
{
    Row pathRow{T("0110", "images\\a.jpg", 'p'), T("0111", "", 'p')};
    pathRow[1].hasRaw = true;
    pathRow[1].raw = "12345678";  // exactly the dropped prefix
    auto table = Load({{T("0000", "K1"), T("0001", "品番1"), T("0010", "1,980")}, {}, pathRow});
    ASSERT_EQ(table->GetRowCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(table->GetRow(i)->m_nRow, i);
    const yqRecord* row = table->GetRow(0);
    EXPECT_STREQ(row->GetFieldText("0001"), "品番1");
    EXPECT_EQ(row->GetFieldLength("0001"), 5);
    EXPECT_EQ(row->GetFieldNumber("0010"), 1980);
    EXPECT_EQ(row->GetFieldNumber("0020"), 0);
    EXPECT_EQ(row->GetFieldText("0020"), nullptr);
    EXPECT_EQ(row->GetFieldList("0021"), nullptr);
    EXPECT_EQ(row->GetFieldLength("0020"), 0);
    EXPECT_STREQ(row->GetFieldText(""), "K1");  // codes agree over the shorter length
    EXPECT_EQ(row->m_pTable, table.get());
    EXPECT_TRUE(table->GetRow(1)->m_fields.empty());
    EXPECT_STREQ(table->GetRow(2)->GetFieldText("0110"), "images\\a.jpg");
    EXPECT_STREQ(table->GetRow(2)->GetFieldText("0111"), "");
}

// A file cut short keeps every row it holds: the end of the buffer ends the last row, which
// keeps the values read so far, a value cut in its text with what it holds.
TEST_F(TableTest, CutFilesKeepEveryRowRead)
{
    std::string good = TableBytes({{T("0000", "K1"), T("0001", "N1")}, {T("0000", "K2"), T("0001", "N2")}});
    struct Case {
        const char* what;
        std::string bytes;
        int rows;
        const char* lastKey;   // the last row's 0000, nullptr when it has none
        const char* lastName;  // the last row's 0001, nullptr when it has none
    } cases[] = {
        {"row without its end", good.substr(0, good.size() - 1), 2, "K2", "N2"},
        {"value text without its end", good.substr(0, good.size() - 2), 2, "K2", "N2"},
        {"cut inside a text", good.substr(0, good.size() - 3), 2, "K2", "N"},
        {"cut right after a code", good.substr(0, good.size() - 4), 2, "K2", ""},
        {"cut inside a code", good.substr(0, good.size() - 6), 2, "K2", nullptr},
        {"cut after a value's end", good.substr(0, good.size() - 9), 2, "K2", nullptr},
        {"cut inside the first value of the last row", good.substr(0, good.size() - 11), 2, "K", nullptr},
        {"only a type byte", "t", 1, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        yqTable table("TABLE01");
        ASSERT_EQ(table.Load(WriteBytes(c.bytes).c_str(), nullptr), 1) << c.what;
        ASSERT_EQ(table.GetRowCount(), c.rows) << c.what;
        if (c.rows == 2) {
            EXPECT_STREQ(table.GetRow(0)->GetFieldText("0000"), "K1") << c.what;
            EXPECT_STREQ(table.GetRow(0)->GetFieldText("0001"), "N1") << c.what;
        }
        const yqRecord* last = table.GetRow(c.rows - 1);
        EXPECT_EQ(last->m_nRow, c.rows - 1) << c.what;
        for (auto [code, want] : {std::pair{"0000", c.lastKey}, std::pair{"0001", c.lastName}}) {
            const char* got = last->GetFieldText(code);
            if (want) {
                EXPECT_STREQ(got, want) << c.what << " " << code;
                EXPECT_EQ(last->GetFieldLength(code), (int)std::strlen(want)) << c.what << " " << code;
            } else {
                EXPECT_EQ(got, nullptr) << c.what << " " << code;
            }
        }
    }
    yqTable table("TABLE01");
    EXPECT_EQ(table.Load(WriteBytes("").c_str(), nullptr), 0);
    EXPECT_EQ(table.GetRowCount(), 0);
    EXPECT_EQ(table.Load(CatalogPath(m_folder + "/NONE").c_str(), nullptr), 0);
    EXPECT_EQ(table.Load("", nullptr), 0);
}

TEST_F(TableTest, ExactAndPrefixSearches)
{
    // Written unsorted, with a row that lacks the code.
    auto table = Load({{T("0001", "AC")}, {T("0001", "AB2")}, {T("0002", "x")}, {T("0001", "AA")}, {T("0001", "AB1")}});
    table->AddIndex("0001", nullptr, yqCompareText);
    table->BuildIndexes();

    EXPECT_EQ(Values(table->GetAllRows("0001"), "0001"), (Strings{"-", "AA", "AB1", "AB2", "AC"}));
    EXPECT_EQ(Values(table->Search("0001", "AB", yqTable::kPrefix), "0001"), (Strings{"AB1", "AB2"}));
    EXPECT_EQ(Values(table->Search("0001", "AA", yqTable::kExact), "0001"), (Strings{"AA"}));  // first value
    EXPECT_EQ(Values(table->Search("0001", "AC", yqTable::kExact), "0001"), (Strings{"AC"}));  // last value
    EXPECT_EQ(Values(table->Search("0001", "", yqTable::kPrefix), "0001"), (Strings{"AA", "AB1", "AB2", "AC"}));
    EXPECT_EQ(Values(table->Search("0001", "B", yqTable::kContains), "0001"), (Strings{"AB2", "AB1"}));  // file order
    struct {
        const char* text;
        int mode;
    } none[] = {{"A", 1}, {"ZZ", 1}, {"0", 1}, {"AB", 1}, {"AD", 2}, {"Q", 3}, {"AA", 4}, {"AA", 0}};
    for (const auto& c : none)
        EXPECT_EQ(table->Search("0001", c.text, c.mode), nullptr) << c.text << " " << c.mode;
    // No index on the code: nothing, never an empty recordset.
    EXPECT_EQ(table->Search("0002", "x", yqTable::kExact), nullptr);
    EXPECT_EQ(Values(table->Search("0002", "x", yqTable::kContains), "0002"), (Strings{"x"}));
}

TEST_F(TableTest, TextSearchOnANumberIndexStopsAtTheFirstMismatch)
{
    // In number order 1, 2, 10, 11 the prefix "1" matches, fails, then matches again: only
    // an index ordered by the code's text may have its run's end bisected.
    auto table = Load({{T("0D00", "11")}, {T("0D00", "2")}, {T("0D00", "10")}, {T("0D00", "1")}});
    table->AddIndex("0D00", nullptr, yqCompareNumber);
    table->BuildIndexes();
    EXPECT_EQ(Values(table->Search("0D00", "1", yqTable::kPrefix), "0D00"), (Strings{"1"}));
}

TEST_F(TableTest, SearchesWorkOnOneRowAndOnDuplicates)
{
    auto one = Load({{T("0000", "K"), T("0001", "N")}});
    one->AddIndex("0000", "0001", yqCompareText);
    one->AddIndex("0001", nullptr, yqCompareText);
    one->BuildIndexes();
    EXPECT_EQ(Values(one->Search("0001", "N", yqTable::kExact), "0001"), (Strings{"N"}));
    EXPECT_EQ(Values(one->FindByKeyPair("0000", "0001", "K", "N"), "0001"), (Strings{"N"}));

    auto dup = Load({{T("0001", "B")}, {T("0001", "A")}, {T("0001", "B")}, {T("0001", "A")}, {T("0001", "C")}});
    dup->AddIndex("0001", nullptr, yqCompareText);
    dup->BuildIndexes();
    EXPECT_EQ(Values(dup->Search("0001", "A", yqTable::kExact), "0001"), (Strings{"A", "A"}));
    EXPECT_EQ(Values(dup->Search("0001", "B", yqTable::kExact), "0001"), (Strings{"B", "B"}));
}

TEST_F(TableTest, KeyPairSearch)
{
    auto table = Load({{T("0000", "K2"), T("0001", "N1"), T("0100", "c")},
                       {T("0000", "K1"), T("0001", "N2"), T("0100", "b")},
                       {T("0000", "K1"), T("0100", "lacks 0001")},
                       {T("0000", "K1"), T("0001", "N1"), T("0100", "a")},
                       {T("0001", "N1"), T("0100", "lacks 0000")},
                       {T("0000", "K1"), T("0001", "N1"), T("0100", "a2")}});
    table->AddIndex("0000", "0001", yqCompareText);
    table->BuildIndexes();
    auto hits = Values(table->FindByKeyPair("0000", "0001", "K1", "N1"), "0100");
    std::sort(hits.begin(), hits.end());
    EXPECT_EQ(hits, (Strings{"a", "a2"}));
    EXPECT_EQ(Values(table->FindByKeyPair("0000", "0001", "K2", "N1"), "0100"), (Strings{"c"}));
    EXPECT_EQ(table->FindByKeyPair("0000", "0001", "K1", "N3"), nullptr);
    EXPECT_EQ(table->FindByKeyPair("0000", "0001", "K0", "N1"), nullptr);
    EXPECT_EQ(table->FindByKeyPair("0000", "0300", "K1", "N1"), nullptr);  // no such index
    EXPECT_EQ(table->FindByKeyPair("0000", "0001", nullptr, "N1"), nullptr);
}

TEST_F(TableTest, RangeAndNumberSearches)
{
    auto table = Load({{T("0D00", "5")}, {T("0D00", "2")}, {T("0000", "lacks")}, {T("0D00", "4")}, {T("0D00", "1")},
                       {T("0D00", "2")}});
    table->AddIndex("0D00", nullptr, yqCompareNumber);
    table->BuildIndexes();
    EXPECT_EQ(Values(table->FindRange("0D00", 1, 5), "0D00"), (Strings{"1", "2", "2", "4", "5"}));
    EXPECT_EQ(Values(table->FindRange("0D00", 5, 1), "0D00"), (Strings{"1", "2", "2", "4", "5"}));
    EXPECT_EQ(Values(table->FindRange("0D00", 2, 4), "0D00"), (Strings{"2", "2", "4"}));
    EXPECT_EQ(Values(table->FindRange("0D00", 2, 2), "0D00"), (Strings{"2", "2"}));
    // Both ends must occur; the row lacking the code is never part of a result.
    EXPECT_EQ(table->FindRange("0D00", 3, 5), nullptr);
    EXPECT_EQ(table->FindRange("0D00", 0, 5), nullptr);
    EXPECT_EQ(table->FindRange("0D00", 1, 6), nullptr);
    EXPECT_EQ(Values(table->FindNumber("0D00", 4), "0D00"), (Strings{"4"}));
    EXPECT_EQ(table->FindNumber("0D00", 0), nullptr);
    EXPECT_EQ(table->FindRange("0E00", 1, 5), nullptr);
}

TEST_F(TableTest, ListSearches)
{
    auto table = Load({{T("0021", "t幅900\x1Et高さ\x1E")}, {T("0021", "t幅600\x1Et幅900\x1E")}, {T("0001", "none")},
                       {T("0021", "t\x1E")}});
    // Exact and prefix take a row once per matching element.
    EXPECT_EQ(Values(table->Search("0021", "幅900", yqTable::kExact), "0021").size(), 2u);
    EXPECT_EQ(Values(table->Search("0021", "幅", yqTable::kPrefix), "0021").size(), 3u);
    EXPECT_EQ(Values(table->Search("0021", "900", yqTable::kContains), "0021").size(), 2u);
    EXPECT_EQ(table->Search("0021", "", yqTable::kExact), nullptr);  // empty elements never match
    EXPECT_EQ(table->Search("0021", "奥行", yqTable::kContains), nullptr);
    EXPECT_EQ(table->Search("0021", "幅", 4), nullptr);
}

TEST_F(TableTest, Recordset)
{
    auto table = Load({{T("0001", "A")}, {T("0001", "B")}});
    yqRecord* rows[] = {table->GetRow(0), table->GetRow(1)};
    yqRecordset one;
    ASSERT_EQ(one.Attach(rows, 1), 1);
    EXPECT_EQ(one.MoveNext(), 0);
    yqRecordset two;
    ASSERT_EQ(two.Attach(rows, 2), 1);
    EXPECT_EQ(two.GetRecordCount(), 2);
    EXPECT_TRUE(two.IsBOF());
    EXPECT_EQ(two.MoveNext(), 1);
    EXPECT_STREQ(two.GetFieldText("0001"), "B");
    EXPECT_EQ(two.MoveNext(), 0);
    EXPECT_EQ(two.SetAbsolutePosition(2), 0);
    EXPECT_EQ(two.GetAbsolutePosition(), 1);
    EXPECT_EQ(two.SetAbsolutePosition(0), 1);
    EXPECT_STREQ(two.GetFieldText("0001"), "A");
    yqRecordset empty;
    EXPECT_EQ(empty.Attach(rows, 0), 0);
    EXPECT_EQ(empty.GetRecordCount(), 0);
    EXPECT_EQ(empty.GetFieldText("0001"), nullptr);
    EXPECT_EQ(empty.MoveNext(), 0);
    EXPECT_TRUE(two.IsKindOf(RUNTIME_CLASS(yqRecordset)));
    CObject* made = RUNTIME_CLASS(yqRecord)->CreateObject();
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(yqRecord)));
    delete made;
}

TEST_F(TableTest, PackedIndexesRoundTripAndDamageIsRefused)
{
    std::vector<Row> rows = {{T("0000", "K"), T("0001", "C")}, {T("0000", "K"), T("0001", "A")},
                             {T("0000", "K"), T("0001", "B")}};
    auto table = Load(rows);
    table->AddIndex("0000", "0001", yqCompareText);
    table->AddIndex("0001", nullptr, yqCompareText);
    table->BuildIndexes();
    std::vector<unsigned char> packed;
    yqByteWriter out(packed);
    table->PackIndexes(out);
    ASSERT_EQ(static_cast<int>(packed.size()), table->GetIndexesPackedSize());
    EXPECT_EQ(packed.size(), 4u + 2 * (14 + 4 * 3));

    auto copy = Load(rows);
    yqByteReader in(packed.data(), packed.size());
    ASSERT_TRUE(copy->UnpackIndexes(in));
    ASSERT_EQ(copy->GetIndexCount(), 2);
    EXPECT_FALSE(copy->GetIndex(0)->HasComparator());
    EXPECT_EQ(copy->GetIndex(1)->GetRowNumbers(), table->GetIndex(1)->GetRowNumbers());
    EXPECT_EQ(Values(copy->Search("0001", "B", yqTable::kExact), "0001"), (Strings{"B"}));
    EXPECT_EQ(Values(copy->FindByKeyPair("0000", "0001", "K", "A"), "0001"), (Strings{"A"}));

    auto damaged = [&](size_t at, int32_t value) {
        std::vector<unsigned char> bytes = packed;
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<unsigned char>(static_cast<uint32_t>(value) >> (8 * i));
        auto target = Load(rows);
        yqByteReader reader(bytes.data(), bytes.size());
        bool ok = target->UnpackIndexes(reader);
        EXPECT_EQ(target->GetIndexCount(), 0);
        return ok;
    };
    EXPECT_FALSE(damaged(0, 0x7FFFFFFF));  // index count
    EXPECT_FALSE(damaged(0, -1));
    EXPECT_FALSE(damaged(4 + 10, 0x40000000));  // row count larger than the data
    EXPECT_FALSE(damaged(4 + 10, 2));            // fewer rows than the table: stale
    EXPECT_FALSE(damaged(4 + 14, 3));            // row number out of range
    EXPECT_FALSE(damaged(4 + 14, -5));
    EXPECT_FALSE(damaged(4 + 18, table->GetIndex(0)->GetRowNumbers()[0]));  // a row twice
    EXPECT_FALSE(damaged(4 + 26 + 10, 4));       // the second index is damaged: neither is kept
    {
        std::vector<unsigned char> cut(packed.begin(), packed.end() - 2);
        auto target = Load(rows);
        yqByteReader reader(cut.data(), cut.size());
        EXPECT_FALSE(target->UnpackIndexes(reader));
    }
}

}  // namespace
