// The cache file HISTORY.DAT: storing a catalogue's tree and indexes and restoring them
// without sorting, and refusing damaged blocks.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "CatalogFixture.h"
#include "yqCatalog.h"
#include "yqRecordset.h"

using namespace catalogtest;

namespace {

std::string Shape(const yqCategory* node)
{
    std::string out = static_cast<const char*>(node->m_strName);
    out += "(" + std::to_string(node->m_nId) + "," + std::to_string(node->m_nKind) + "," +
           std::to_string(node->m_dLow) + "," + std::to_string(node->m_dHigh) + ")";
    if (node->GetChildCount()) {
        out += "[";
        for (int i = 0; i < node->GetChildCount(); ++i)
            out += (i ? " " : "") + Shape(node->GetChild(i));
        out += "]";
    }
    return out;
}

void Put32(std::string& bytes, size_t at, int32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
}

int32_t Get32(const std::string& bytes, size_t at)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
    return static_cast<int32_t>(v);
}

// The table names of the groups of a block.
std::vector<std::string> GroupNames(const std::string& block)
{
    std::vector<std::string> names;
    size_t pos = 7 + Get32(block, 3);
    while (pos < block.size()) {
        names.push_back(block.substr(pos, 7));
        pos += 8 + 4 + Get32(block, pos + 8);
    }
    return names;
}

class CacheTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = MakeTempFolder("cache");
        m_cacheFile = m_folder + "/HISTORY.DAT";
        FixtureOptions options;
        options.products = 40;
        m_manifest = GenerateCatalog(m_folder + "/cat1", options);
        ASSERT_EQ(m_catalog.Load(m_manifest.root.c_str()), 1);
    }
    void TearDown() override { RemoveFolder(m_folder); }

    std::string Cache() const { return CatalogPath(m_cacheFile); }
    long FileSize() const { return static_cast<long>(ReadFile(m_cacheFile).size()); }

    std::string m_folder;
    std::string m_cacheFile;
    Manifest m_manifest;
    yqCatalog m_catalog;
};

TEST_F(CacheTest, RoundTripRestoresTreeAndIndexesWithoutSorting)
{
    // Item nodes hung by the tree view are not stored.
    auto* itemNode = new yqCategory;
    itemNode->m_nKind = 2;
    m_catalog.AppendChildNode(m_catalog.GetCategoryRoot()->GetChild(0), itemNode);

    int offset = -1, size = -1;
    ASSERT_EQ(m_catalog.SaveToCache(Cache().c_str(), offset, size), 1);
    EXPECT_EQ(offset, 0);
    EXPECT_EQ(size, FileSize());
    std::string shape = Shape(m_catalog.GetCategoryRoot());
    EXPECT_EQ(shape.find(",2,"), std::string::npos);

    // The tree comes from the block: TABLE15 is gone when the catalogue is restored.
    RemoveFolder(m_manifest.distrib + "/TABLE15");
    yqCatalog restored;
    ASSERT_EQ(restored.LoadFromCache(m_manifest.root.c_str(), Cache().c_str(), offset, size), 1);
    ASSERT_NE(restored.GetCategoryRoot(), nullptr);
    EXPECT_EQ(Shape(restored.GetCategoryRoot()), shape);
    EXPECT_EQ(restored.GetTable(15), nullptr);
    ASSERT_EQ(restored.GetTableCount(), m_catalog.GetTableCount() - 1);
    for (int i = 0; i < restored.GetTableCount(); ++i) {
        yqTable* table = restored.GetTableAt(i);
        yqTable* original = m_catalog.GetTable(std::atoi(static_cast<const char*>(table->GetName()) + 5));
        ASSERT_EQ(table->GetIndexCount(), original->GetIndexCount()) << table->GetName();
        for (int k = 0; k < table->GetIndexCount(); ++k) {
            EXPECT_FALSE(table->GetIndex(k)->HasComparator());
            EXPECT_STREQ(table->GetIndex(k)->GetCode1(), original->GetIndex(k)->GetCode1());
            EXPECT_STREQ(table->GetIndex(k)->GetCode2(), original->GetIndex(k)->GetCode2());
            EXPECT_EQ(table->GetIndex(k)->GetRowNumbers(), original->GetIndex(k)->GetRowNumbers());
        }
    }
    // The caller sets ID, title and root afterwards; the searches answer as before.
    EXPECT_TRUE(restored.GetId().IsEmpty());
    int count;
    yqItem** items = restored.SearchItems("****", "P0001", -1, INT_MAX, 2, count);
    std::vector<ExpectedHit> got;
    for (int i = 0; i < count; ++i)
        got.push_back({items[i]->m_pszNumber, items[i]->m_nKind});
    delete[] items;
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, m_manifest.SearchHits("****", "P0001", 2, -1, INT_MAX));
    EXPECT_FALSE(got.empty());
    yqRecordset* placed = restored.GetTable(16)->FindRange("0D00", 0, 999);
    ASSERT_NE(placed, nullptr);
    delete placed;
}

TEST_F(CacheTest, TwoCataloguesGiveTwoBlocks)
{
    FixtureOptions options;
    options.products = 7;
    options.id = "CAT00002";
    options.damage = Damage::Table06Missing;
    Manifest second = GenerateCatalog(m_folder + "/cat2", options);
    yqCatalog other;
    ASSERT_EQ(other.Load(second.root.c_str()), 1);

    int offset1, size1, offset2, size2;
    ASSERT_EQ(m_catalog.SaveToCache(Cache().c_str(), offset1, size1), 1);
    long before = FileSize();
    ASSERT_EQ(other.SaveToCache(Cache().c_str(), offset2, size2), 1);
    EXPECT_EQ(offset2, before);
    EXPECT_EQ(size2, FileSize() - before);

    std::string file = ReadFile(m_cacheFile);
    std::vector<std::string> names = GroupNames(file.substr(offset2, size2));
    EXPECT_EQ(std::count(names.begin(), names.end(), "TABLE06"), 0);
    EXPECT_EQ(names.size(), 12u);
    EXPECT_EQ(GroupNames(file.substr(offset1, size1)).size(), 13u);

    for (auto [offset, size, source] : {std::tuple{offset1, size1, &m_catalog}, std::tuple{offset2, size2, &other}}) {
        yqCatalog restored;
        ASSERT_EQ(restored.LoadFromCache(source->GetRootPath(), Cache().c_str(), offset, size), 1);
        EXPECT_EQ(Shape(restored.GetCategoryRoot()), Shape(source->GetCategoryRoot()));
        for (int i = 0; i < restored.GetTableCount(); ++i)
            EXPECT_EQ(restored.GetTableAt(i)->GetIndexCount(), source->GetTableAt(i)->GetIndexCount());
    }
}

TEST_F(CacheTest, StoringAnUnchangedCatalogueAgainDoesNotGrowTheFile)
{
    int offset, size;
    ASSERT_EQ(m_catalog.SaveToCache(Cache().c_str(), offset, size), 1);
    long length = FileSize();
    int offset2, size2;
    ASSERT_EQ(m_catalog.SaveToCache(Cache().c_str(), offset2, size2), 1);
    EXPECT_EQ(offset2, offset);
    EXPECT_EQ(size2, size);
    EXPECT_EQ(FileSize(), length);

    // Nor at the next start, when the catalogue came back from its block.
    yqCatalog restored;
    ASSERT_EQ(restored.LoadFromCache(m_manifest.root.c_str(), Cache().c_str(), offset, size), 1);
    ASSERT_EQ(restored.SaveToCache(Cache().c_str(), offset2, size2), 1);
    EXPECT_EQ(offset2, offset);
    EXPECT_EQ(FileSize(), length);

    // A block overwritten since is not trusted: a new one is appended.
    std::string file = ReadFile(m_cacheFile);
    file[offset + 7 + 4] = 'X';
    WriteFile(m_cacheFile, file);
    ASSERT_EQ(m_catalog.SaveToCache(Cache().c_str(), offset2, size2), 1);
    EXPECT_EQ(offset2, length);
    EXPECT_EQ(FileSize(), length + size);
}

TEST_F(CacheTest, DamagedBlocksAreRefusedAndLeaveAnEmptyCatalogue)
{
    int offset, size;
    ASSERT_EQ(m_catalog.SaveToCache(Cache().c_str(), offset, size), 1);
    const std::string good = ReadFile(m_cacheFile);
    const int32_t treeSize = Get32(good, 3);
    const size_t rootPathLength = Get32(good, 12);
    const size_t rootChildCount = 7 + 4 + 1 + 4 + rootPathLength + 24 + 8;
    const size_t group = 7 + treeSize;  // TABLE01's group
    ASSERT_EQ(good.substr(group, 8), std::string("TABLE01", 8));

    struct Case {
        const char* what;
        std::function<void(std::string&)> damage;
        int offset, size;
    } cases[] = {
        {"wrong magic", [](std::string& b) { b[0] = 'X'; }, offset, size},
        {"tree size too large", [](std::string& b) { Put32(b, 3, 0x7FFFFFFF); }, offset, size},
        {"negative tree size", [](std::string& b) { Put32(b, 3, -8); }, offset, size},
        {"tree size off by one", [&](std::string& b) { Put32(b, 3, treeSize - 1); }, offset, size},
        {"child count too large", [&](std::string& b) { Put32(b, rootChildCount, 0x7FFFFFFF); }, offset, size},
        {"name length too large", [](std::string& b) { Put32(b, 7, 0x10000000); }, offset, size},
        {"table name without its end", [&](std::string& b) { b[group + 7] = 'X'; }, offset, size},
        {"index size too large", [&](std::string& b) { Put32(b, group + 8, 0x7FFFFFFF); }, offset, size},
        {"index count too large", [&](std::string& b) { Put32(b, group + 12, 0x7FFFFFFF); }, offset, size},
        {"row count too large", [&](std::string& b) { Put32(b, group + 26, 0x3FFFFFFF); }, offset, size},
        {"row number out of range", [&](std::string& b) { Put32(b, group + 30, 1 << 20); }, offset, size},
        {"negative row number", [&](std::string& b) { Put32(b, group + 30, -1); }, offset, size},
        {"file cut inside a group", [&](std::string& b) { b.resize(group + 20); }, offset, size},
        {"offset where no block begins", [](std::string&) {}, offset + 5, size},
        {"offset past the file", [](std::string&) {}, offset + size + 100, size},
        {"size too small", [](std::string&) {}, offset, 6},
    };
    for (const Case& c : cases) {
        std::string bytes = good;
        c.damage(bytes);
        WriteFile(m_cacheFile, bytes);
        yqCatalog restored;
        EXPECT_EQ(restored.LoadFromCache(m_manifest.root.c_str(), Cache().c_str(), c.offset, c.size), 0) << c.what;
        EXPECT_EQ(restored.GetCategoryRoot(), nullptr) << c.what;
        EXPECT_EQ(restored.GetTableCount(), 0) << c.what;
        // The caller then reads the catalogue from its tables, into the same object.
        ASSERT_EQ(restored.Load(m_manifest.root.c_str()), 1) << c.what;
        EXPECT_EQ(restored.GetTableCount(), 13) << c.what;
        EXPECT_EQ(Shape(restored.GetCategoryRoot()), Shape(m_catalog.GetCategoryRoot()));
    }
    yqCatalog restored;
    EXPECT_EQ(restored.LoadFromCache(m_manifest.root.c_str(), CatalogPath(m_folder + "/NONE.DAT").c_str(), 0, size), 0);
}

TEST_F(CacheTest, BlockOfChangedTablesIsRefused)
{
    int offset, size;
    ASSERT_EQ(m_catalog.SaveToCache(Cache().c_str(), offset, size), 1);
    // TABLE01 rewritten with the same rows in another order: the stored order no longer holds.
    std::vector<Row> rows = m_manifest.tables.at("TABLE01");
    std::swap(rows.front(), rows.back());
    WriteFile(m_manifest.distrib + "/TABLE01", TableBytes(rows));
    {
        yqCatalog changed;
        EXPECT_EQ(changed.LoadFromCache(m_manifest.root.c_str(), Cache().c_str(), offset, size), 0);
        EXPECT_EQ(changed.GetTableCount(), 0);
    }

    // The catalogue at that root now has other tables: the stored row numbers do not fit.
    RemoveFolder(m_folder + "/cat1");
    FixtureOptions options;
    options.products = 12;
    GenerateCatalog(m_folder + "/cat1", options);
    yqCatalog restored;
    EXPECT_EQ(restored.LoadFromCache(m_manifest.root.c_str(), Cache().c_str(), offset, size), 0);
    EXPECT_EQ(restored.GetTableCount(), 0);

    // A table that loads now but had no group when the block was written.
    RemoveFolder(m_folder + "/cat1");
    options.products = 40;
    options.damage = Damage::Table06Missing;
    Manifest m = GenerateCatalog(m_folder + "/cat1", options);
    yqCatalog without;
    ASSERT_EQ(without.Load(m.root.c_str()), 1);
    ASSERT_EQ(without.SaveToCache(Cache().c_str(), offset, size), 1);
    RemoveFolder(m_folder + "/cat1");
    options.damage = Damage::None;
    GenerateCatalog(m_folder + "/cat1", options);
    EXPECT_EQ(restored.LoadFromCache(m.root.c_str(), Cache().c_str(), offset, size), 0);
}

}  // namespace
