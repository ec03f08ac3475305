// Generated catalogues against their manifests: loading, the category tree and its items,
// items with pictures, prices and information texts, the searches, and each damage switch.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CatalogFixture.h"
#include "yqCatalog.h"
#include "yqRecordset.h"

using namespace catalogtest;

namespace {

std::string Grouped(int n)
{
    std::string digits = std::to_string(n), out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

std::string Str(const char* p) { return p ? p : "(null)"; }

// The items of a category, made as the tree view makes them.
std::vector<ExpectedHit> CategoryItems(yqCatalog& catalog, const yqCategory* category)
{
    std::vector<ExpectedHit> hits;
    auto add = [&](yqItem* item) {
        if (item)
            hits.push_back({item->m_pszNumber, item->m_nKind});
    };
    yqTable* t07 = catalog.GetTable(7);
    yqTable* t08 = catalog.GetTable(8);
    if (yqRecordset* rows = catalog.GetTable(16)->FindRange("0D00", category->m_dLow, category->m_dHigh)) {
        do {
            const char* key = rows->GetFieldText("0000");
            const char* number = rows->GetFieldText("0001");
            if (!key || !number)
                break;
            for (yqTable* links : {t07, t08}) {
                yqRecordset* link = links->FindByKeyPair("0000", "0001", key, number);
                if (!link)
                    continue;
                do {
                    add(links == t07 ? catalog.BuildMainImageItem(link, key, number)
                                     : catalog.BuildDrawingItem(link, key, number));
                } while (link->MoveNext());
                delete link;
            }
        } while (rows->MoveNext());
        delete rows;
    }
    if (yqRecordset* rows = catalog.GetTable(17)->FindRange("0E00", category->m_dLow, category->m_dHigh)) {
        do {
            const char* key = rows->GetFieldText("0000");
            const char* number = rows->GetFieldText("0300");
            for (int t : {9, 10}) {
                yqRecordset* link = catalog.GetTable(t)->FindByKeyPair("0000", "0300", key, number);
                if (!link)
                    continue;
                do {
                    bool image = t == 9;
                    if (link->GetFieldText(image ? "0100" : "0200") &&
                        Str(link->GetFieldText(image ? "0810" : "0910")) == (image ? "MAIN" : "DRAW"))
                        add(catalog.GetItem(key, number, image ? 3 : 4));
                } while (link->MoveNext());
                delete link;
            }
        } while (rows->MoveNext());
        delete rows;
    }
    std::sort(hits.begin(), hits.end());
    return hits;
}

std::string ExpectedInfo(const ExpectedProduct& p)
{
    std::string info;
    if (p.inTable01) {
        if (p.price != 0 && !p.suffix.empty())
            info += "■価格 " + Grouped(static_cast<int>(p.price)) + p.suffix + "\r\n";
        if (p.hasSpec) {
            info += "■スペック\r\n";
            for (const std::string& e : p.spec)
                info += e + "\r\n";
        }
    }
    if (!p.comment.empty())
        info += "■コメント\r\n" + p.comment;
    if (!p.keywords.empty()) {
        std::vector<std::string> words = p.keywords;
        std::sort(words.begin(), words.end());
        info += "\r\n■キーワード\r\n";
        for (const std::string& w : words)
            info += w + "\r\n";
    }
    return info;
}

struct Size {
    const char* name;
    int products, sets, topCategories;
};

class GeneratedCatalogTest : public ::testing::TestWithParam<Size> {
protected:
    void SetUp() override
    {
        m_folder = MakeTempFolder(GetParam().name);
        FixtureOptions options;
        options.products = GetParam().products;
        options.sets = GetParam().sets;
        options.topCategories = GetParam().topCategories;
        m_manifest = GenerateCatalog(m_folder, options);
        ASSERT_EQ(m_catalog.Load(m_manifest.root.c_str()), 1);
    }
    void TearDown() override { RemoveFolder(m_folder); }

    std::string m_folder;
    Manifest m_manifest;
    yqCatalog m_catalog;
};

TEST_P(GeneratedCatalogTest, LoadsTablesAndTree)
{
    EXPECT_EQ(m_catalog.GetId(), m_manifest.id.c_str());
    EXPECT_EQ(m_catalog.GetTitle(), m_manifest.title.c_str());
    EXPECT_EQ(m_catalog.GetRootPath(), (m_manifest.root + (m_manifest.root.back() == '\\' ? "" : "\\")).c_str());
    ASSERT_EQ(m_catalog.GetTableCount(), static_cast<int>(m_manifest.rowCounts.size()));
    for (int i = 0; i < m_catalog.GetTableCount(); ++i) {
        yqTable* table = m_catalog.GetTableAt(i);
        EXPECT_EQ(table->GetRowCount(), m_manifest.rowCounts[static_cast<const char*>(table->GetName())])
            << table->GetName();
    }
    EXPECT_EQ(m_catalog.GetTable(11), nullptr);

    // Every node where the manifest puts it, with its id and range, in the sorted order.
    const yqCategory* root = m_catalog.GetCategoryRoot();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->m_strName, " ");
    EXPECT_EQ(root->m_nId, -1);
    EXPECT_EQ(root->m_dHigh, 4294967295.0);
    std::map<std::string, std::vector<std::string>> children;
    std::vector<std::string> order;
    std::function<void(const yqCategory*)> walk = [&](const yqCategory* node) {
        for (int i = 0; i < node->GetChildCount(); ++i) {
            const yqCategory* child = node->GetChild(i);
            children[static_cast<const char*>(node->m_strName)].push_back(static_cast<const char*>(child->m_strName));
            const ExpectedCategory* e = nullptr;
            for (const ExpectedCategory& c : m_manifest.categories)
                if (c.name == static_cast<const char*>(child->m_strName))
                    e = &c;
            ASSERT_NE(e, nullptr) << child->m_strName;
            EXPECT_EQ(e->parent, static_cast<const char*>(node->m_strName)) << e->name;
            EXPECT_EQ(child->m_nId, e->id) << e->name;
            EXPECT_EQ(child->m_dLow, e->low);
            EXPECT_EQ(child->m_dHigh, e->high);
            EXPECT_EQ(child->m_strPath, m_catalog.GetRootPath());
            EXPECT_EQ(m_catalog.FindCategoryById(e->id), child);
            walk(child);
        }
    };
    walk(root);
    std::map<std::string, std::vector<std::string>> expected;
    for (const ExpectedCategory& c : m_manifest.categories)
        expected[c.parent].push_back(c.name);
    EXPECT_EQ(children, expected);
}

TEST_P(GeneratedCatalogTest, CategoryItemsMatchTheManifest)
{
    int withItems = 0;
    std::function<void(const yqCategory*)> walk = [&](const yqCategory* node) {
        for (int i = 0; i < node->GetChildCount(); ++i) {
            const yqCategory* c = node->GetChild(i);
            auto expected = m_manifest.CategoryItems(c->m_dLow, c->m_dHigh);
            EXPECT_EQ(CategoryItems(m_catalog, c), expected) << c->m_strName;
            withItems += !expected.empty();
            walk(c);
        }
    };
    walk(m_catalog.GetCategoryRoot());
    EXPECT_GE(withItems, 3);
}

TEST_P(GeneratedCatalogTest, ProductItems)
{
    int checked = 0;
    for (const ExpectedProduct& p : m_manifest.products) {
        yqItem* item = m_catalog.GetItem(p.key.c_str(), p.number.c_str(), yqCatalog::kTypeProductImage);
        if (!p.hasImageLinks) {
            EXPECT_EQ(item, nullptr) << p.number;
            continue;
        }
        ASSERT_NE(item, nullptr) << p.number;
        ++checked;
        EXPECT_EQ(item->m_nKind, yqItem::kProductImage);
        EXPECT_EQ(Str(item->m_pszKey), p.key);
        EXPECT_EQ(Str(item->m_pszNumber), p.number);
        EXPECT_EQ(Str(item->m_pszName), p.inTable01 ? p.name : "(null)");
        EXPECT_EQ(item->m_dPrice, p.inTable01 ? p.price : -1) << p.number;
        EXPECT_EQ(Str(item->GetCatalogId()), m_manifest.id);
        EXPECT_EQ(std::string(item->m_strPicturePath), m_manifest.root + "\\" + p.mainImagePath);
        EXPECT_EQ(Str(item->m_pszCaption), p.mainImageCaption.empty() ? "(null)" : p.mainImageCaption);
        ASSERT_EQ(item->m_pictures.size(), p.furtherImagePaths.size()) << p.number;
        for (size_t i = 0; i < item->m_pictures.size(); ++i) {
            EXPECT_EQ(std::string(item->m_pictures[i].m_strPath), m_manifest.root + "\\" + p.furtherImagePaths[i]);
            EXPECT_EQ(std::string(item->m_pictures[i].m_strText), "別写真\r\n");
        }
        EXPECT_EQ(std::string(item->m_strInfo), ExpectedInfo(p)) << p.number;
        // The second request is answered from the cache.
        EXPECT_EQ(m_catalog.GetItem(p.key.c_str(), p.number.c_str(), 1), item);

        yqItem* drawing = m_catalog.GetItem(p.key.c_str(), p.number.c_str(), yqCatalog::kTypeProductDrawing);
        if (p.drawingKey.empty()) {
            EXPECT_EQ(drawing, nullptr);
        } else {
            ASSERT_NE(drawing, nullptr);
            EXPECT_EQ(drawing->m_nKind, yqItem::kProductDrawing);
            EXPECT_EQ(std::string(drawing->m_strPicturePath), m_manifest.root + "\\" + p.drawingPath);
            EXPECT_EQ(Str(drawing->m_pszCaption), p.drawingCaption);
            // A main image lookup after the drawing is cached still gets the image item.
            EXPECT_EQ(m_catalog.GetItem(p.key.c_str(), p.number.c_str(), 1), item);
        }
    }
    EXPECT_GT(checked, 3);
    EXPECT_EQ(m_catalog.GetItem("A100", "P00000", 5), nullptr);
    EXPECT_EQ(m_catalog.GetItem("A100", "NONE", 1), nullptr);
}

TEST_P(GeneratedCatalogTest, SetItems)
{
    for (const ExpectedSet& s : m_manifest.sets) {
        std::string info;
        if (!s.comment.empty())
            info += "■コメント\r\n" + s.comment;
        info += "\r\n■キーワード\r\n組合せ\r\n";
        yqItem* image = m_catalog.GetItem(s.key.c_str(), s.number.c_str(), yqCatalog::kTypeSetImage);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->m_nKind, yqItem::kSetImage);
        EXPECT_EQ(Str(image->m_pszName), s.name);
        EXPECT_EQ(image->m_dPrice, -1);
        EXPECT_EQ(std::string(image->m_strPicturePath), m_manifest.root + "\\" + s.imagePath);
        EXPECT_EQ(std::string(image->m_strInfo), info);
        EXPECT_EQ(m_catalog.GetItem(s.key.c_str(), s.number.c_str(), 3), image);
        yqItem* drawing = m_catalog.GetItem(s.key.c_str(), s.number.c_str(), yqCatalog::kTypeSetDrawing);
        ASSERT_NE(drawing, nullptr);
        EXPECT_EQ(drawing->m_nKind, yqItem::kSetDrawing);
        EXPECT_EQ(Str(drawing->m_pszName), s.name);
        EXPECT_EQ(drawing->m_dPrice, -1);
        EXPECT_EQ(std::string(drawing->m_strPicturePath), m_manifest.root + "\\" + s.drawingPath);
        EXPECT_EQ(std::string(drawing->m_strInfo), info);
    }
}

TEST_P(GeneratedCatalogTest, SearchesMatchTheManifest)
{
    const ExpectedProduct& p4 = m_manifest.products[4];
    struct Case {
        std::string code, text;
        int mode, low, high;
    } cases[] = {
        {"0001", "P00003", 1, -1, INT_MAX},
        {"0001", "P0000", 2, -1, INT_MAX},
        {"0001", "0002", 3, -1, INT_MAX},
        {"0001", "P", 2, 0, INT_MAX},
        {"0002", p4.name, 1, -1, INT_MAX},
        {"0002", "ユニットバス", 2, -1, INT_MAX},
        {"0002", "ドア", 3, -1, INT_MAX},
        {"0002", "型", 3, 1000, 2000},
        {"0002", "型", 3, 0, 0},
        {"0400", "木製", 1, -1, INT_MAX},  // includes the product without a TABLE01 row
        {"0400", "木製", 1, 0, INT_MAX},   // ...which has no price
        {"0400", "省", 2, -1, INT_MAX},
        {"0400", "エネ", 3, -1, INT_MAX},
        {"****", "P0000", 2, -1, INT_MAX},
        {"****", "白", 3, -1, INT_MAX},
        {"****", "P00002", 1, 5, 5},     // price bounds do not apply to every field
    };
    int answered = 0;
    for (const Case& c : cases) {
        int count = -1;
        yqItem** items = m_catalog.SearchItems(c.code.c_str(), c.text.c_str(), c.low, c.high, c.mode, count);
        std::vector<ExpectedHit> got;
        for (int i = 0; i < count; ++i)
            got.push_back({items[i]->m_pszNumber, items[i]->m_nKind});
        std::sort(got.begin(), got.end());
        auto expected = m_manifest.SearchHits(c.code, c.text, c.mode, c.low, c.high);
        EXPECT_EQ(got, expected) << c.code << " " << c.text << " " << c.mode << " " << c.low;
        if (!expected.empty()) {
            EXPECT_NE(items, nullptr);
            ++answered;
        }
        delete[] items;
    }

    EXPECT_GE(answered, 12);

    int count = -1;
    EXPECT_EQ(m_catalog.SearchItems("0021", "幅", -1, INT_MAX, 3, count), nullptr);  // not searchable
    EXPECT_EQ(count, 0);
    EXPECT_EQ(m_catalog.SearchItems("0001", "ZZZ", -1, INT_MAX, 1, count), nullptr);
    EXPECT_EQ(m_catalog.SearchItems("0001", "P00001", -1, INT_MAX, 4, count), nullptr);
    EXPECT_EQ(m_catalog.SearchItems("****", "ZZZ", -1, INT_MAX, 3, count), nullptr);
    // Rows found but no item taken: an empty array.
    yqItem** items = m_catalog.SearchItems("0001", "P00001", 5, 5, 1, count);
    EXPECT_NE(items, nullptr);
    EXPECT_EQ(count, 0);
    delete[] items;
}

TEST_P(GeneratedCatalogTest, RepeatedSearchesTakeTheItemsBuiltBefore)
{
    // The same "****" search again gives the same items in the same order, built once.
    int first = 0, again = 0;
    yqItem** a = m_catalog.SearchItems("****", "白", -1, INT_MAX, 3, first);
    yqItem** b = m_catalog.SearchItems("****", "白", -1, INT_MAX, 3, again);
    ASSERT_GT(first, 0);
    ASSERT_EQ(first, again);
    for (int i = 0; i < first; ++i)
        EXPECT_EQ(a[i], b[i]) << i;
    delete[] a;
    delete[] b;
    int count = 0;
    yqItem** c = m_catalog.SearchItems("****", "P0000", -1, INT_MAX, 2, count);
    yqItem** d = m_catalog.SearchItems("****", "P0000", -1, INT_MAX, 2, again);
    ASSERT_EQ(count, again);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(c[i], d[i]) << i;
        EXPECT_EQ(c[i]->m_strPicturePath, d[i]->m_strPicturePath);
    }
    delete[] c;
    delete[] d;
}

TEST_P(GeneratedCatalogTest, RestoresTheGeneratorsCacheBlock)
{
    // A block made from the manifest alone is read as the catalogue's own.
    std::string block = CacheBlockBytes(m_manifest);
    std::string cacheFile = m_folder + "/HISTORY.DAT";
    WriteFile(cacheFile, "padding" + block);
    int offset, size;
    ASSERT_EQ(m_catalog.SaveToCache(CatalogPath(cacheFile).c_str(), offset, size), 1);
    EXPECT_EQ(offset, static_cast<int>(7 + block.size()));
    EXPECT_EQ(size, static_cast<int>(block.size()));
    // The reader stores the same tree, byte for byte.
    auto treePart = [](const std::string& b) {
        uint32_t size = 0;
        for (int i = 3; i >= 0; --i)
            size = size << 8 | static_cast<unsigned char>(b[3 + i]);
        return b.substr(0, 7 + size);
    };
    EXPECT_EQ(treePart(ReadFile(cacheFile).substr(offset)), treePart(block));

    yqCatalog restored;
    ASSERT_EQ(restored.LoadFromCache(m_manifest.root.c_str(), CatalogPath(cacheFile).c_str(), 7,
                                     static_cast<int>(block.size())), 1);
    ASSERT_EQ(restored.GetTableCount(), 13);
    std::function<void(const yqCategory*)> walk = [&](const yqCategory* node) {
        for (int i = 0; i < node->GetChildCount(); ++i) {
            const yqCategory* c = node->GetChild(i);
            EXPECT_EQ(CategoryItems(restored, c), m_manifest.CategoryItems(c->m_dLow, c->m_dHigh)) << c->m_strName;
            walk(c);
        }
    };
    walk(restored.GetCategoryRoot());
    for (const char* text : {"P0001", "型", "白"}) {
        int count;
        yqItem** items = restored.SearchItems("****", text, -1, INT_MAX, 3, count);
        std::vector<ExpectedHit> got;
        for (int i = 0; i < count; ++i)
            got.push_back({items[i]->m_pszNumber, items[i]->m_nKind});
        delete[] items;
        std::sort(got.begin(), got.end());
        EXPECT_EQ(got, m_manifest.SearchHits("****", text, 3, -1, INT_MAX)) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, GeneratedCatalogTest,
                         ::testing::Values(Size{"tiny", 6, 2, 1}, Size{"small", 90, 4, 3}),
                         [](const ::testing::TestParamInfo<Size>& info) { return info.param.name; });

// ---------------------------------------------------------------------------------------

class DamagedCatalogTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (const std::string& f : m_folders)
            RemoveFolder(f);
    }
    Manifest Generate(Damage damage)
    {
        m_folders.push_back(MakeTempFolder("damaged"));
        FixtureOptions options;
        options.damage = damage;
        return GenerateCatalog(m_folders.back(), options);
    }
    std::vector<std::string> m_folders;
};

TEST_F(DamagedCatalogTest, DamagedSchemaFailsTheLoad)
{
    for (Damage d : {Damage::DrbBadMagic, Damage::DrbTruncated, Damage::DrbTextEndPastFile, Damage::DrbTextEndBelowHead}) {
        Manifest m = Generate(d);
        yqCatalog catalog;
        EXPECT_EQ(catalog.Load(m.root.c_str()), 0) << static_cast<int>(d);
        EXPECT_EQ(catalog.GetTableCount(), 0);
        EXPECT_EQ(catalog.GetCategoryRoot(), nullptr);
        EXPECT_TRUE(catalog.GetId().IsEmpty());
    }
    yqCatalog catalog;
    EXPECT_EQ(catalog.Load(""), 0);
    EXPECT_EQ(catalog.Load(CatalogPath(m_folders.back() + "/nothing").c_str()), 0);
}

TEST_F(DamagedCatalogTest, MissingHeaderFileLeavesNoId)
{
    Manifest m = Generate(Damage::HeaderFileMissing);
    yqCatalog catalog;
    EXPECT_EQ(catalog.Load(m.root.c_str()), 1);
    EXPECT_TRUE(catalog.GetId().IsEmpty());
    EXPECT_TRUE(catalog.GetTitle().IsEmpty());
    EXPECT_EQ(catalog.m_pHeader, nullptr);
    EXPECT_EQ(catalog.GetTableCount(), 13);
}

// A table cut inside its last value keeps every row; only the cut value loses its end.
TEST_F(DamagedCatalogTest, TableCutInItsLastValueKeepsEveryRow)
{
    Manifest m = Generate(Damage::Table01Truncated);
    yqCatalog catalog;
    ASSERT_EQ(catalog.Load(m.root.c_str()), 1);
    ASSERT_NE(catalog.GetTable(1), nullptr);
    EXPECT_EQ(catalog.GetTableCount(), 13);
    EXPECT_EQ(catalog.GetTable(1)->GetRowCount(), static_cast<int>(m.tables.at("TABLE01").size()));
    // The last row is the first product; its last value, the list of product details (0021), lost its
    // last element with the cut.
    const ExpectedProduct& cut = m.products[0];
    ASSERT_TRUE(cut.hasSpec && cut.hasImageLinks);
    ExpectedProduct expected = cut;
    expected.spec.pop_back();
    yqItem* item = catalog.GetItem(cut.key.c_str(), cut.number.c_str(), 1);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(Str(item->m_pszName), cut.name);
    EXPECT_EQ(std::string(item->m_strInfo), ExpectedInfo(expected));
    for (size_t i = 1; i < m.products.size(); ++i) {
        const ExpectedProduct& p = m.products[i];
        if (!p.inTable01 || !p.hasImageLinks)
            continue;
        yqItem* other = catalog.GetItem(p.key.c_str(), p.number.c_str(), 1);
        ASSERT_NE(other, nullptr) << p.number;
        EXPECT_EQ(std::string(other->m_strInfo), ExpectedInfo(p)) << p.number;
    }
    // Searches through TABLE01 find what they find in the whole catalogue.
    Manifest whole = Generate(Damage::None);
    yqCatalog reference;
    ASSERT_EQ(reference.Load(whole.root.c_str()), 1);
    int count, wholeCount;
    yqItem** items = catalog.SearchItems("0001", "P", -1, INT_MAX, 2, count);
    yqItem** wholeItems = reference.SearchItems("0001", "P", -1, INT_MAX, 2, wholeCount);
    EXPECT_GT(count, 0);
    EXPECT_EQ(count, wholeCount);
    delete[] items;
    delete[] wholeItems;
}

TEST_F(DamagedCatalogTest, DamagedTablesAreLeftOut)
{
    {
        Manifest m = Generate(Damage::Table02Empty);
        yqCatalog catalog;
        ASSERT_EQ(catalog.Load(m.root.c_str()), 1);
        EXPECT_EQ(catalog.GetTable(2), nullptr);
        EXPECT_EQ(catalog.GetItem("A100", "P00000", 1), nullptr);
        yqRecordset* links = catalog.GetTable(7)->FindByKeyPair("0000", "0001", "A100", "P00000");
        ASSERT_NE(links, nullptr);
        EXPECT_EQ(catalog.BuildMainImageItem(links, "A100", "P00000"), nullptr);
        delete links;
    }
    {
        Manifest m = Generate(Damage::Table06Missing);
        yqCatalog catalog;
        ASSERT_EQ(catalog.Load(m.root.c_str()), 1);
        EXPECT_EQ(catalog.GetTable(6), nullptr);
        yqItem* set = catalog.GetItem("A100", "S000", 3);
        ASSERT_NE(set, nullptr);
        EXPECT_EQ(std::string(set->m_strInfo), "■コメント\r\nセットコメント0");
    }
}

TEST_F(DamagedCatalogTest, BrokenEucTextConvertsPredictably)
{
    Manifest m = Generate(Damage::BrokenEucText);
    yqCatalog catalog;
    ASSERT_EQ(catalog.Load(m.root.c_str()), 1);
    yqItem* item = catalog.GetItem("B200", "P00001", 1);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(Str(item->m_pszName), m.products[1].name);
    EXPECT_EQ(Str(item->m_pszName), "ユニットバス?X\xB1型1");
    int count;
    yqItem** items = catalog.SearchItems("0002", "?X\xB1", -1, INT_MAX, 3, count);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(items[0], item);
    delete[] items;
}

// Random cuts and byte changes in the schema, a table, the category table and a cache block:
// whatever the reader makes of them, it stays inside the data (the native build checks every
// access) and what it loads can be used.
TEST_F(DamagedCatalogTest, RandomDamageIsReadSafely)
{
    Manifest m = Generate(Damage::None);
    yqCatalog original(m.root.c_str());
    std::string cacheFile = m_folders.back() + "/HISTORY.DAT";
    int offset, size;
    ASSERT_EQ(original.SaveToCache(CatalogPath(cacheFile).c_str(), offset, size), 1);
    const std::string files[] = {m.distrib + "/DRB", m.distrib + "/TABLE01", m.distrib + "/TABLE15",
                                 m.distrib + "/TABLE07", cacheFile};
    std::map<std::string, std::string> good;
    for (const std::string& f : files)
        good[f] = ReadFile(f);

    unsigned seed = 12345;
    auto next = [&seed](unsigned n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % n;
    };
    for (int round = 0; round < 150; ++round) {
        const std::string& f = files[round % 5];
        std::string bytes = good[f];
        if (round % 3 == 0) {
            bytes.resize(next(static_cast<unsigned>(bytes.size())));
        } else {
            for (int k = 0; k < 1 + round % 4; ++k)
                bytes[next(static_cast<unsigned>(bytes.size()))] = static_cast<char>(next(256));
        }
        WriteFile(f, bytes);
        yqCatalog catalog;
        if (f == cacheFile)
            catalog.LoadFromCache(m.root.c_str(), CatalogPath(cacheFile).c_str(), offset, size);
        else
            catalog.Load(m.root.c_str());
        int count;
        delete[] catalog.SearchItems("****", "P", -1, INT_MAX, 2, count);
        if (yqCategory* root = catalog.GetCategoryRoot()) {
            std::function<void(const yqCategory*)> walk = [&](const yqCategory* node) {
                for (int i = 0; i < node->GetChildCount(); ++i) {
                    CategoryItems(catalog, node->GetChild(i));
                    walk(node->GetChild(i));
                }
            };
            if (catalog.GetTable(16) && catalog.GetTable(17) && catalog.GetTable(7) && catalog.GetTable(8) &&
                catalog.GetTable(9) && catalog.GetTable(10))
                walk(root);
        }
        WriteFile(f, good[f]);
    }
}

TEST_F(DamagedCatalogTest, LoadingAgainReplacesEverything)
{
    Manifest m = Generate(Damage::None);
    Manifest bad = Generate(Damage::DrbBadMagic);
    yqCatalog catalog(m.root.c_str());
    ASSERT_EQ(catalog.GetTableCount(), 13);
    ASSERT_NE(catalog.GetItem("A100", "P00000", 1), nullptr);
    EXPECT_EQ(catalog.Load(m.root.c_str()), 1);
    EXPECT_EQ(catalog.GetTableCount(), 13);
    EXPECT_EQ(catalog.Load(bad.root.c_str()), 0);
    EXPECT_EQ(catalog.GetTableCount(), 0);
    EXPECT_EQ(catalog.GetCategoryRoot(), nullptr);
}

}  // namespace

namespace {

TEST(CatalogRoot, EndsWithOneBackslash)
{
    struct Case {
        const char* root;
        const char* expected;
    } cases[] = {
        {"D:\\", "D:\\"},
        {"D:", "D:\\"},
        {"C:\\カタログ\\表", "C:\\カタログ\\表\\"},  // 表 ends in the byte 0x5C
        {"C:\\カタログ\\表\\", "C:\\カタログ\\表\\"},
    };
    for (const Case& c : cases) {
        yqCatalog catalog;
        EXPECT_EQ(catalog.Load(c.root), 0);  // nothing there
        EXPECT_STREQ(catalog.GetRootPath(), c.expected);
    }
}

}  // namespace
