// The browser's byte formats and small rules against worked values: CONFIG.DAT, the hand-over
// blocks, the sort submenu, the progress bar's place and the drive icons.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "BrowserGeometry.h"
#include "ConfigFile.h"
#include "HandOverBlocks.h"
#include "SortMenu.h"
#include "yqItem.h"

namespace {

using Bytes = std::vector<unsigned char>;

void Int(Bytes& b, int32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<unsigned char>(static_cast<uint32_t>(v) >> (8 * i)));
}
void Str(Bytes& b, const char* s, size_t n) { b.insert(b.end(), s, s + n); }

struct Lists {
    CConfigHead head;
    std::vector<CCatalogCacheEntry*> entries;
    std::vector<CSearchCondition*> conditions;
    std::vector<CImageSearch*> images;
    std::vector<CString> dirs;
    ~Lists()
    {
        for (auto* p : entries) delete p;
        for (auto* p : conditions) delete p;
        for (auto* p : images) delete p;
    }
    CConfigFile::Result Read(const Bytes& b)
    {
        return CConfigFile::Read(b.data(), b.size(), head, entries, conditions, images, dirs);
    }
    Bytes Write() const { return CConfigFile::Write(head, entries, conditions, images, dirs); }
};

// One record of each list, written by hand from the file's layout.
Bytes GoldenConfig()
{
    Bytes b;
    Str(b, "CNF", 3);
    for (int32_t v : {10, 20, 630, 900, 180, 8})  // top, left, right, bottom, splitter, show
        Int(b, v);
    Int(b, 1);                                    // list 1
    Int(b, 4096); Int(b, 512); Int(b, 9); Int(b, 3); Int(b, 4);
    Str(b, "CAT00001\0", 9); Str(b, "AB\0", 3); Str(b, "D:\\\0", 4);
    Int(b, 1);                                    // list 2: empty name stored as length 1
    Int(b, 3); Int(b, 3); Int(b, 5); Int(b, 1); Int(b, 4);
    Int(b, -1); Int(b, 2147483647); Int(b, 2);
    Str(b, "*:\0", 3); Str(b, "0001\0", 5); Str(b, "\0", 1); Str(b, "ABC\0", 4);
    Int(b, 1);                                    // list 3
    Int(b, 2); Int(b, 4); Int(b, 4);
    Int(b, 0x11111111); Int(b, 0x01D00000); Int(b, 0x22222222); Int(b, 0x01E00000);
    Str(b, "N\0", 2); Str(b, "jpg\0", 4); Str(b, "C:\\\0", 4);
    Int(b, 1);                                    // list 4
    Int(b, 9); Str(b, "C:\\DATA\\\0", 9);
    return b;
}

TEST(ConfigFile, GoldenBytesReadBackAndWriteEqual)
{
    Lists l;
    ASSERT_EQ(CConfigFile::kComplete, l.Read(GoldenConfig()));
    EXPECT_EQ(10, l.head.rcWindow.top);
    EXPECT_EQ(20, l.head.rcWindow.left);
    EXPECT_EQ(630, l.head.rcWindow.right);
    EXPECT_EQ(900, l.head.rcWindow.bottom);
    EXPECT_EQ(180, l.head.nSplitterWidth);
    EXPECT_EQ(8, l.head.nShowState);
    ASSERT_EQ(1u, l.entries.size());
    EXPECT_EQ(4096, l.entries[0]->m_nCacheOffset);
    EXPECT_EQ(512, l.entries[0]->m_nCacheSize);
    EXPECT_STREQ("CAT00001", l.entries[0]->m_strId);
    EXPECT_STREQ("AB", l.entries[0]->m_strTitle);
    EXPECT_STREQ("D:\\", l.entries[0]->m_strRoot);
    EXPECT_FALSE(l.entries[0]->m_bNeedsWriting);
    ASSERT_EQ(1u, l.conditions.size());
    EXPECT_STREQ("", l.conditions[0]->m_strName);
    EXPECT_STREQ("0001", l.conditions[0]->m_strCode);
    EXPECT_EQ(2147483647, l.conditions[0]->m_nHighPrice);
    ASSERT_EQ(1u, l.images.size());
    EXPECT_STREQ("jpg", l.images[0]->m_strFileText);
    EXPECT_EQ(0x01E00000u, l.images[0]->m_endHigh);
    ASSERT_EQ(1u, l.dirs.size());
    EXPECT_STREQ("C:\\DATA\\", l.dirs[0]);
    EXPECT_EQ(GoldenConfig(), l.Write());
}

TEST(ConfigFile, OldLongerTailIsKeptAndStillRead)
{
    Bytes longer = GoldenConfig();
    longer.insert(longer.end(), 100, 0xEE);
    Lists l;
    ASSERT_EQ(CConfigFile::kComplete, l.Read(longer));
    Lists fewer;  // a close that writes no lists at all
    Bytes overlaid = CConfigFile::Overlay(fewer.Write(), longer);
    EXPECT_EQ(longer.size(), overlaid.size());
    Lists back;
    EXPECT_EQ(CConfigFile::kComplete, back.Read(overlaid));
    EXPECT_TRUE(back.entries.empty());
    EXPECT_TRUE(back.dirs.empty());
}

TEST(ConfigFile, NoSignatureKeepsDefaults)
{
    for (Bytes b : {Bytes{}, Bytes{'C', 'N'}, Bytes{'X', 'N', 'F', 1, 2, 3, 4}}) {
        Lists l;
        EXPECT_EQ(CConfigFile::kNotConfig, l.Read(b));
        EXPECT_EQ(200, l.head.nSplitterWidth);
        EXPECT_EQ(2, l.head.nShowState);
        EXPECT_EQ(100, l.head.rcWindow.left);
    }
}

// Every cut of the golden file: nothing past the cut, only whole records, never a crash.
TEST(ConfigFile, EveryTruncationKeepsWholeRecordsOnly)
{
    const Bytes full = GoldenConfig();
    for (size_t n = 3; n < full.size(); ++n) {
        Lists l;
        Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
        ASSERT_EQ(CConfigFile::kCut, l.Read(cut)) << n;
        if (n < 27) {
            EXPECT_EQ(200, l.head.nSplitterWidth) << n;  // a cut head changes nothing
        }
        for (auto* e : l.entries)
            EXPECT_STREQ("D:\\", e->m_strRoot) << n;
        EXPECT_TRUE(l.dirs.empty()) << n;
    }
}

TEST(ConfigFile, HugeOrNegativeCountsAndLengthsAreRefused)
{
    Bytes head;
    Str(head, "CNF", 3);
    for (int i = 0; i < 6; ++i)
        Int(head, 1);
    for (int32_t count : {INT32_MIN, -1, 0x7FFFFFFF}) {
        Bytes b = head;
        Int(b, count);
        Lists l;
        EXPECT_EQ(CConfigFile::kCut, l.Read(b)) << count;
        EXPECT_TRUE(l.entries.empty());
    }
    // A string length past the end, and a negative one.
    for (int32_t len : {1000, -5}) {
        Bytes b = head;
        Int(b, 1);
        Int(b, 0); Int(b, 0); Int(b, len); Int(b, 1); Int(b, 1);
        Str(b, "A\0\0\0", 4);
        Lists l;
        EXPECT_EQ(CConfigFile::kCut, l.Read(b)) << len;
        EXPECT_TRUE(l.entries.empty());
    }
}

TEST(ConfigFile, EntryWithoutBlockRoundTripsAsNoBlock)
{
    Lists l;
    auto* e = new CCatalogCacheEntry;
    e->m_strId = "X";
    e->m_strRoot = "E:\\";
    l.entries.push_back(e);
    EXPECT_FALSE(e->HasBlock());
    Lists back;
    ASSERT_EQ(CConfigFile::kComplete, back.Read(l.Write()));
    EXPECT_EQ(-1, back.entries[0]->m_nCacheOffset);
    EXPECT_EQ(0, back.entries[0]->m_nCacheSize);
    EXPECT_FALSE(back.entries[0]->HasBlock());
}

unsigned FakeDriveType(const char* root)
{
    switch (root[0]) {
    case 'C': return 3;  // fixed
    case 'D': return 5;  // CD-ROM
    case 'N': return 4;  // network
    case 'A': return 2;  // removable
    default: return 1;
    }
}

TEST(BrowserRules, DriveIconIndex)
{
    struct { const char* path; int index; } cases[] = {
        {"C:\\", 12}, {"D:\\", 13}, {"N:\\", 14}, {"A:\\", 3}, {"Q:\\", 3},
        {"c:\\", 3},  {"C:\\DATA", 3}, {"C:", 3}, {"", 3},
    };
    for (auto& c : cases)
        EXPECT_EQ(c.index, DriveIconIndex(c.path, FakeDriveType)) << c.path;
}

TEST(BrowserRules, ProgressBarPlace)
{
    RECT pane{10, 2, 610, 22};
    RECT rc = ProgressBarRect(pane, 150, 4, true, 37);
    EXPECT_EQ(pane.left + 166, rc.left);
    EXPECT_EQ(pane.right - 273, rc.right);
    EXPECT_EQ(4, rc.top);
    EXPECT_EQ(20, rc.bottom);
    EXPECT_EQ(pane.left, ProgressBarRect(pane, 0, 4, false, 37).left);
    // A label wider than the pane: the bar has no width, never a negative one.
    RECT narrow = ProgressBarRect(pane, 900, 4, true, 37);
    EXPECT_EQ(narrow.left, narrow.right);
}

TEST(BrowserRules, ShowStateCodes)
{
    EXPECT_EQ(4, ShowStateFromShowCmd(6));
    EXPECT_EQ(8, ShowStateFromShowCmd(3));
    EXPECT_EQ(2, ShowStateFromShowCmd(1));
}

TEST(SortMenu, ItemListHasSixEntriesWithStateChecked)
{
    auto entries = BuildSortMenuEntries(3, SortState{FALSE, 1});
    const char* captions[] = {"品番昇順", "品番降順", "品名昇順", "品名降順", "価格昇順", "価格降順"};
    ASSERT_EQ(6u, entries.size());
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_STREQ(captions[i], entries[i].caption) << i;
        EXPECT_EQ(32806u + i, entries[i].id);
        EXPECT_EQ(i == 3, entries[i].checked) << i;
    }
    EXPECT_EQ(6u, BuildSortMenuEntries(5, SortState{}).size());
    EXPECT_TRUE(BuildSortMenuEntries(0, SortState{}).empty());
}

TEST(SortMenu, FifthColumnHasIdsOfItsOwn)
{
    auto entries = BuildSortMenuEntries(4, SortState{TRUE, 4});
    ASSERT_EQ(10u, entries.size());
    EXPECT_EQ(32818u, entries[8].id);
    EXPECT_EQ(32819u, entries[9].id);
    EXPECT_TRUE(entries[8].checked);
    for (const auto& e : entries) {
        EXPECT_NE(32814u, e.id);
        EXPECT_NE(32815u, e.id);
        int column;
        BOOL asc;
        ASSERT_TRUE(SortCommandFromId(e.id, column, asc));
        EXPECT_EQ(e.id, SortCommandId(column, asc));
    }
    int column;
    BOOL asc;
    EXPECT_FALSE(SortCommandFromId(32814, column, asc));
}

void MakeItem(yqItem& item, const char* path, const char* key, const char* number, const char* name,
              const char* caption, const char* info)
{
    item.m_strPicturePath = path;
    item.m_pszKey = key;
    item.m_pszNumber = number;
    item.m_pszName = name;
    item.m_pszCaption = caption;
    item.m_strInfo = info;
}

TEST(HandOver, ItemWithoutNameGivesSixStrings)
{
    yqItem item;
    MakeItem(item, "D:\\P\\1.JPG", "K1", "N-1", nullptr, nullptr, "12,800円");
    std::string block;
    AppendCatalogItemBlock(block, item);
    const std::string head("D:\\P\\1.JPG\0K1\0N-1\0\0\0", 20);
    EXPECT_EQ(head + "12,800円" + std::string(1, '\0'), block);
    EXPECT_EQ(6, std::count(block.begin(), block.end(), '\0'));
}

TEST(HandOver, PlainPictureIsPathAndSevenZeros)
{
    std::string block;
    AppendPlainFileBlock(block, "C:\\A.BMP");
    block.push_back('\0');  // the run's closing NUL
    EXPECT_EQ(std::string("C:\\A.BMP") + std::string(7, '\0'), block);
}

TEST(HandOver, HDropOfOnePathIsTwentyPlusLengthPlusTwo)
{
    std::string hdrop = BuildHDropBlock({CString("C:\\A.BMP")});
    ASSERT_EQ(20u + 8 + 2, hdrop.size());
    HDropHead head;
    memcpy(&head, hdrop.data(), sizeof head);
    EXPECT_EQ(20u, head.pFiles);
    EXPECT_EQ(0, head.x | head.y | head.fNC | head.fWide);
    EXPECT_EQ(std::string("C:\\A.BMP\0\0", 10), hdrop.substr(20));
}

TEST(HandOver, TwoDraggedItems)
{
    yqItem a, b;
    MakeItem(a, "D:\\1.BMP", "K1", "N1", "A", "c", "i");
    MakeItem(b, "D:\\2.BMP", "K2", "N2", "B", nullptr, "j");
    CPendingDrag drag;
    drag.AddItem(a);
    drag.AddItem(b);
    std::string priv, hdrop;
    bool hasPrivate;
    ASSERT_TRUE(drag.Take(priv, hasPrivate, hdrop));
    ASSERT_TRUE(hasPrivate);
    std::string expect;
    AppendCatalogItemBlock(expect, a);
    expect.push_back('\0');
    AppendCatalogItemBlock(expect, b);
    expect.append(2, '\0');
    EXPECT_EQ(expect, priv);
    EXPECT_EQ(BuildHDropBlock({CString("D:\\1.BMP"), CString("D:\\2.BMP")}), hdrop);
    EXPECT_FALSE(drag.HasHDrop());
    EXPECT_FALSE(drag.HasPrivate());
}

TEST(HandOver, FileDragOffersHDropOnlyAndEmptyDragNothing)
{
    CPendingDrag drag;
    std::string priv, hdrop;
    bool hasPrivate = true;
    EXPECT_FALSE(drag.Take(priv, hasPrivate, hdrop));
    EXPECT_FALSE(hasPrivate);
    drag.AddFilePath("C:\\A.BMP");
    drag.AddFilePath("C:\\B.BMP");
    ASSERT_TRUE(drag.Take(priv, hasPrivate, hdrop));
    EXPECT_FALSE(hasPrivate);
    EXPECT_EQ(BuildHDropBlock({CString("C:\\A.BMP"), CString("C:\\B.BMP")}), hdrop);
}

}  // namespace
