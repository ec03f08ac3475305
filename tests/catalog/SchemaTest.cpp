// The schema file DRB and the header file.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CatalogFixture.h"
#include "yqSchema.h"

using namespace catalogtest;

namespace {

class SchemaTest : public ::testing::Test {
protected:
    void SetUp() override { m_folder = MakeTempFolder("schema"); }
    void TearDown() override { RemoveFolder(m_folder); }
    std::string Write(const std::string& bytes)
    {
        std::string path = m_folder + "/DRB";
        WriteFile(path, bytes);
        return CatalogPath(path);
    }
    std::string m_folder;
};

TEST_F(SchemaTest, ReadsTextHeaderListAndDescriptions)
{
    std::string text = SjisToEucJp("説明テキスト ABC");
    std::string drb = DrbBytes("dbdc", text, "HEADER",
                               {HeaderRecordBytes("CAT00001", "メーカー", "カタログ"), HeaderRecordBytes("CAT00002", "B", "T2")});
    yqSchema schema;
    int end = schema.ReadFile(Write(drb).c_str());
    EXPECT_EQ(end, static_cast<int>(drb.size()));
    ASSERT_NE(schema.GetText(), nullptr);
    EXPECT_STREQ(schema.GetText(), "説明テキスト ABC");
    EXPECT_EQ(std::strlen(schema.GetText()), text.size());  // same byte length
    EXPECT_STREQ(schema.GetHeaderFileName(), "HEADER");
    ASSERT_EQ(schema.m_headers.size(), 2u);
    EXPECT_STREQ(schema.m_headers[0]->m_szId, "CAT00001");
    EXPECT_STREQ(schema.m_headers[0]->m_szName, "メーカー");
    EXPECT_STREQ(schema.m_headers[0]->m_szTitle, "カタログ");
    EXPECT_STREQ(schema.m_headers[1]->m_szTitle, "T2");
    ASSERT_EQ(schema.m_tableDefs.size(), 1u);
    EXPECT_STREQ(schema.m_tableDefs[0]->m_szName, "TABLE01");
    EXPECT_EQ(schema.FindTableDef("TABLE01"), schema.m_tableDefs[0].get());
    EXPECT_EQ(schema.m_tableDefs[0]->FindField("0002"), 1);
    EXPECT_EQ(schema.m_tableDefs[0]->FindField("0003"), -1);

    schema.Clear();
    EXPECT_EQ(schema.GetText(), nullptr);
    EXPECT_TRUE(schema.m_headers.empty());
    EXPECT_TRUE(schema.m_tableDefs.empty());
}

TEST_F(SchemaTest, NoTextBlockAndNoHeaderRecords)
{
    std::string drb = DrbBytes("dbdc", "", "HDR", {});
    EXPECT_EQ(drb.substr(9, 6), "000016");
    EXPECT_EQ(drb.substr(16, 3), "HDR");  // the header-file name starts at 16
    yqSchema schema;
    EXPECT_GT(schema.ReadFile(Write(drb).c_str()), 0);
    EXPECT_EQ(schema.GetText(), nullptr);
    EXPECT_STREQ(schema.GetHeaderFileName(), "HDR");
    EXPECT_TRUE(schema.m_headers.empty());
}

TEST_F(SchemaTest, TitleOfThirtyTwoBytesKeepsItsEnd)
{
    std::string title = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
    std::string record = HeaderRecordBytes("CAT00001", "N", title);
    WriteFile(m_folder + "/HEADER", record);
    yqHeaderRecord header;
    ASSERT_EQ(header.ReadFile(CatalogPath(m_folder + "/HEADER").c_str()), 1);
    EXPECT_EQ(std::string(header.m_szTitle), title);
    EXPECT_STREQ(header.m_szId, "CAT00001");
}

TEST_F(SchemaTest, HeaderFileFailures)
{
    yqHeaderRecord header;
    EXPECT_EQ(header.ReadFile(CatalogPath(m_folder + "/MISSING").c_str()), 0);
    WriteFile(m_folder + "/ZERO", std::string(77, '\0'));
    EXPECT_EQ(header.ReadFile(CatalogPath(m_folder + "/ZERO").c_str()), 0);
    WriteFile(m_folder + "/SHORT", HeaderRecordBytes("CAT00001", "N", "T").substr(0, 40));
    EXPECT_EQ(header.ReadFile(CatalogPath(m_folder + "/SHORT").c_str()), 0);
}

TEST_F(SchemaTest, DamagedFilesFailCleanly)
{
    std::string text = SjisToEucJp("説明");
    std::string good = DrbBytes("dbdc", text, "HEADER", {HeaderRecordBytes("CAT00001", "N", "T")});
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"wrong magic", DrbBytes("DBDC", text, "HEADER", {HeaderRecordBytes("CAT00001", "N", "T")})},
        {"empty", ""},
        {"cut in the head", good.substr(0, 10)},
        {"cut in the text block", good.substr(0, 18)},
        {"cut in the header-file name", good.substr(0, 16 + text.size() + 10)},
        {"cut in a header record", good.substr(0, 16 + text.size() + 32 + 50)},
        {"header list without its end", good.substr(0, 16 + text.size() + 32 + 77)},
        {"text end past the file", good.substr(0, 9) + "999999" + good.substr(15)},
        {"text end below the head", good.substr(0, 9) + "000008" + good.substr(15)},
        {"text end not a number", good.substr(0, 9) + "ABCDEF" + good.substr(15)},
    };
    for (const Case& c : cases) {
        yqSchema schema;
        EXPECT_EQ(schema.ReadFile(Write(c.bytes).c_str()), 0) << c.what;
        EXPECT_EQ(schema.GetText(), nullptr) << c.what;
    }
    yqSchema schema;
    EXPECT_EQ(schema.ReadFile(CatalogPath(m_folder + "/NOFILE").c_str()), 0);
}

TEST_F(SchemaTest, FileEndingInsideTheDescriptionsDropsTheLastOne)
{
    std::string good = DrbBytes("dbdc", "", "HEADER", {});
    // Cut inside the second field entry: the description is dropped, the read succeeds.
    std::string cut = good.substr(0, good.size() - 4);
    yqSchema schema;
    EXPECT_GT(schema.ReadFile(Write(cut).c_str()), 0);
    EXPECT_TRUE(schema.m_tableDefs.empty());
}

}  // namespace
