// The category tree: nesting of TABLE15's ranges, item nodes and the packed form.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CatalogFixture.h"
#include "yqByteStream.h"
#include "yqCatalog.h"

using namespace catalogtest;

namespace {

Value T(const char* code, const std::string& text)
{
    Value v;
    v.code = code;
    v.text = text;
    return v;
}

Row Category(const char* name, const char* order, const char* low, const char* high)
{
    Row row;
    if (name)
        row.push_back(T("0C00", name));
    if (order)
        row.push_back(T("0C01", order));
    if (low)
        row.push_back(T("0C02", low));
    if (high)
        row.push_back(T("0C03", high));
    return row;
}

// The tree as text: name(id)[children...].
std::string Shape(const yqCategory* node)
{
    std::string out = static_cast<const char*>(node->m_strName);
    out += "(" + std::to_string(node->m_nId) + ")";
    if (node->GetChildCount()) {
        out += "[";
        for (int i = 0; i < node->GetChildCount(); ++i)
            out += (i ? " " : "") + Shape(node->GetChild(i));
        out += "]";
    }
    return out;
}

class CategoryTest : public ::testing::Test {
protected:
    void SetUp() override { m_folder = MakeTempFolder("category"); }
    void TearDown() override { RemoveFolder(m_folder); }

    // Builds the tree of the rows under a fresh root.
    std::string Build(const std::vector<Row>& rows)
    {
        std::string path = m_folder + "/TABLE15";
        WriteFile(path, TableBytes(rows));
        yqTable table("TABLE15");
        EXPECT_EQ(table.Load(CatalogPath(path).c_str(), nullptr), 1);
        m_root = std::make_unique<yqCategory>();
        m_root->m_strName = " ";
        m_root->m_dHigh = 4294967295.0;
        EXPECT_EQ(m_catalog.BuildCategoryTree(&table, m_root.get()), 1);
        return Shape(m_root.get());
    }

    std::string m_folder;
    yqCatalog m_catalog;
    std::unique_ptr<yqCategory> m_root;
};

TEST_F(CategoryTest, RangesNest)
{
    struct Case {
        const char* what;
        std::vector<Row> rows;
        const char* shape;
    } cases[] = {
        {"nesting",
         {Category("D", "1", "50", "60"), Category("C", "1", "15", "18"), Category("A", "1", "0", "100"),
          Category("B", "1", "10", "20")},
         " (-1)[A(0)[B(1)[C(2)] D(3)]]"},
        {"equal ranges nest under the earlier",
         {Category("B", "1", "0", "10"), Category("A", "1", "0", "10")},
         " (-1)[A(0)[B(1)]]"},
        {"a nameless row still takes an id",
         {Category("A", "1", "0", "100"), Category(nullptr, "1", "0", "100"), Category("C", "2", "5", "6")},
         " (-1)[A(1)[C(2)]]"},
        {"order before name; a later category cannot hold an earlier one",
         {Category("A", "2", "0", "100"), Category("Z", "1", "10", "20")},
         " (-1)[Z(0) A(1)]"},
        {"missing bounds give [0, 0]",
         {Category("A", "1", nullptr, nullptr), Category("B", "2", "0", "0"), Category("C", "3", "0", "5")},
         " (-1)[A(0)[B(1)] C(2)]"},
        {"ranges outside the root hang under the root",
         {Category("A", "1", "-5", "10"), Category("B", "2", "0", "5000000000"), Category("C", "3", "0", "3")},
         " (-1)[A(0)[C(2)] B(1)]"},
        {"signs and fractions are kept",
         {Category("A", "1", "0.5", "1.5"), Category("B", "2", "1", "1.25")},
         " (-1)[A(0)[B(1)]]"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Build(c.rows), c.shape) << c.what;

    Build({Category("A", "1.5", "-2.5", "7")});
    const yqCategory* a = m_root->GetChild(0);
    EXPECT_EQ(a->m_dOrder, 1.5);
    EXPECT_EQ(a->m_dLow, -2.5);
    EXPECT_EQ(a->m_dHigh, 7);
    EXPECT_EQ(a->m_nKind, 1);
}

TEST_F(CategoryTest, DeepNestingStopsWhereAStoredTreeCanBeRead)
{
    std::vector<Row> rows;
    for (int i = 0; i < 400; ++i) {
        char name[16], order[16], high[16];
        std::snprintf(name, sizeof name, "C%d", i);
        std::snprintf(order, sizeof order, "%d", i);
        std::snprintf(high, sizeof high, "%d", 100000 - i);
        rows.push_back(Category(name, order, order, high));
    }
    Build(rows);
    int depth = 0;
    for (const yqCategory* node = m_root.get(); node->GetChildCount(); node = node->GetChild(0))
        ++depth;
    EXPECT_EQ(depth, yqCategory::kMaxDepth - 1);
    std::vector<unsigned char> packed;
    yqByteWriter out(packed);
    m_root->StorePacked(out);
    yqCategory loaded;
    yqByteReader in(packed.data(), packed.size());
    EXPECT_TRUE(loaded.LoadPacked(in));
}

TEST_F(CategoryTest, FindContaining)
{
    Build({Category("A", "1", "0", "100"), Category("B", "1", "10", "20")});
    EXPECT_EQ(m_root->FindContaining(12, 13)->m_strName, "B");
    EXPECT_EQ(m_root->FindContaining(30, 40)->m_strName, "A");
    EXPECT_EQ(m_root->FindContaining(200, 300), m_root.get());
    EXPECT_EQ(m_root->GetChild(0)->FindContaining(200, 300), nullptr);
    EXPECT_EQ(m_catalog.FindCategoryById(0), nullptr);  // the catalogue has no tree of its own
}

TEST_F(CategoryTest, PrunedTreePacksAndLoadsTheSame)
{
    Build({Category("分類A", "1", "0", "100"), Category("分類B", "1", "10", "20"), Category("C", "2", "50", "60")});
    m_root->m_strPath = "D:\\";
    // Item nodes as the tree view adds them.
    for (int kind = 2; kind <= 5; ++kind) {
        auto* item = new yqCategory;
        item->m_strName = "P0001";
        item->m_nKind = kind;
        m_catalog.AppendChildNode(kind % 2 ? m_root->GetChild(0) : m_root->GetChild(0)->GetChild(0), item);
    }
    EXPECT_EQ(m_root->GetChild(0)->GetChildCount(), 4);
    m_catalog.PruneItemNodes(m_root.get());
    std::string shape = Shape(m_root.get());
    EXPECT_EQ(shape, " (-1)[分類A(0)[分類B(1) C(2)]]");

    std::vector<unsigned char> packed;
    yqByteWriter out(packed);
    m_root->StorePacked(out);
    ASSERT_EQ(static_cast<int>(packed.size()), m_root->GetPackedSize());
    // 44 bytes per node plus the texts.
    EXPECT_EQ(packed.size(), 4 * 44u + 1 + 3 + 5 + 5 + 1);  // root " " with "D:\", then 分類A, 分類B, C

    yqCategory loaded;
    yqByteReader in(packed.data(), packed.size());
    ASSERT_TRUE(loaded.LoadPacked(in));
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(Shape(&loaded), shape);
    std::function<void(const yqCategory*, const yqCategory*)> same = [&](const yqCategory* a, const yqCategory* b) {
        EXPECT_EQ(a->m_strPath, b->m_strPath);
        EXPECT_EQ(a->m_dOrder, b->m_dOrder);
        EXPECT_EQ(a->m_dLow, b->m_dLow);
        EXPECT_EQ(a->m_dHigh, b->m_dHigh);
        EXPECT_EQ(a->m_nKind, b->m_nKind);
        ASSERT_EQ(a->GetChildCount(), b->GetChildCount());
        for (int i = 0; i < a->GetChildCount(); ++i)
            same(a->GetChild(i), b->GetChild(i));
    };
    same(m_root.get(), &loaded);
}

TEST_F(CategoryTest, DamagedPackedTreesAreRefused)
{
    Build({Category("A", "1", "0", "100"), Category("B", "1", "10", "20")});
    std::vector<unsigned char> packed;
    yqByteWriter out(packed);
    m_root->StorePacked(out);
    auto load = [](std::vector<unsigned char> bytes) {
        yqCategory node;
        yqByteReader in(bytes.data(), bytes.size());
        return node.LoadPacked(in);
    };
    auto patched = [&](size_t at, int32_t value) {
        std::vector<unsigned char> bytes = packed;
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<unsigned char>(static_cast<uint32_t>(value) >> (8 * i));
        return bytes;
    };
    const size_t rootCount = 4 + 1 + 4 + 0 + 24 + 8;  // the root's child count
    EXPECT_TRUE(load(packed));
    EXPECT_FALSE(load(patched(0, 0x7FFFFFFF)));     // name length
    EXPECT_FALSE(load(patched(0, -1)));
    EXPECT_FALSE(load(patched(5, 0x10000000)));     // path length
    EXPECT_FALSE(load(patched(rootCount, 0x7FFFFFFF)));  // child count
    EXPECT_FALSE(load(patched(rootCount, 2)));      // more children than follow
    EXPECT_FALSE(load(patched(rootCount, -3)));
    for (size_t cut = 0; cut < packed.size(); cut += 7)
        EXPECT_FALSE(load(std::vector<unsigned char>(packed.begin(), packed.begin() + cut))) << cut;

    // A chain deeper than any catalogue nests is refused rather than read recursively.
    std::vector<unsigned char> chain;
    yqByteWriter w(chain);
    for (int i = 0; i < 100000; ++i) {
        w.WriteInt32(0);
        w.WriteInt32(0);
        w.WriteDouble(0);
        w.WriteDouble(0);
        w.WriteDouble(0);
        w.WriteInt32(i);
        w.WriteInt32(1);
        w.WriteInt32(i + 1 < 100000 ? 1 : 0);
    }
    EXPECT_FALSE(load(chain));
}

}  // namespace
