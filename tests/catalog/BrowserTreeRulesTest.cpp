// The browser's tree bookkeeping, history ring and search and list rules, without a window.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "FileInfoRecord.h"
#include "ListRowCompare.h"
#include "NavigationHistory.h"
#include "SearchRules.h"
#include "TreeNode.h"

namespace {

_TREEITEM* Item(intptr_t n) { return reinterpret_cast<_TREEITEM*>(n); }

TEST(TreeNode, InsertGivesTheParentItsStateFromTheLastChildKeepingKindBits)
{
    struct Case {
        unsigned child;
        int parentState;
    } cases[] = {{1, 3}, {4, 5}, {6, 7}, {2, 2}, {3, 2}, {5, 2}, {7, 2}, {0x402, 2}};
    for (const Case& c : cases) {
        CTreeNode parent("p", 3, 3, 0x402, "C:\\p");
        parent.AddChild(new CTreeNode("c", 0, 0, c.child, nullptr));
        EXPECT_EQ(parent.GetState(), c.parentState) << c.child;
        EXPECT_EQ(parent.GetKind(), 0x400u);
    }
}

TEST(TreeNode, DeleteTakesTheStateFromTheFirstChildLeftAndFourWhenEmptyUnderSearches)
{
    CTreeNode parent("p", 7, 7, 2, nullptr);
    auto* message = new CTreeNode("m", 15, 15, 6, nullptr);
    auto* item = new CTreeNode("i", 8, 8, 4, nullptr);
    auto* folder = new CTreeNode("f", 3, 3, 2, nullptr);
    parent.AddChild(folder);
    parent.AddChild(message);
    parent.AddChild(item);
    parent.RemoveChild(folder, false);
    delete folder;
    EXPECT_EQ(parent.GetState(), 7);  // first left is the message row
    parent.RemoveChild(message, false);
    delete message;
    EXPECT_EQ(parent.GetState(), 5);
    parent.RemoveChild(item, true);
    delete item;
    EXPECT_EQ(parent.GetState(), 4);  // the last search gone below Vendaro検索
    EXPECT_EQ(parent.GetChildCount(), 0);
    auto* other = new CTreeNode("o", 3, 3, 3, nullptr);
    parent.AddChild(other);
    parent.RemoveChild(other, false);
    delete other;
    EXPECT_EQ(parent.GetState(), 2);
}

TEST(TreeNode, TopNodeStopsAtACatalogueFolderElseTheRoot)
{
    auto desktop = std::make_unique<CTreeNode>("desk", 2, 2, 0x202, "C:\\");
    auto* computer = new CTreeNode("pc", 2, 2, 0x202, nullptr);
    auto* drive = new CTreeNode("cat (D:)", 1, 1, 0x902, "D:\\");
    auto* category = new CTreeNode("椅子", 3, 3, 2, nullptr);
    auto* item = new CTreeNode("AB-1", 8, 8, 4, nullptr);
    desktop->AddChild(computer);
    computer->AddChild(drive);
    drive->AddChild(category);
    category->AddChild(item);
    EXPECT_EQ(CTreeNode::GetTopNode(item), drive);
    EXPECT_EQ(CTreeNode::GetTopNode(drive), drive);
    EXPECT_EQ(CTreeNode::GetTopNode(computer), desktop.get());
    EXPECT_EQ(CTreeNode::GetTopNode(desktop.get()), desktop.get());
    EXPECT_EQ(CTreeNode::GetTopNode(nullptr), nullptr);
    EXPECT_EQ(item->GetParent(), category);
    EXPECT_EQ(computer->GetChild(0), drive);
    EXPECT_EQ(computer->GetChild(1), nullptr);
}

TEST(TreeNode, CompareOrdersByFlagsThenText)
{
    CTreeNode computer("ﾏｲ ｺﾝﾋﾟｭｰﾀ", 0, 0, 0x202, nullptr), folder("Apps", 3, 3, 0x402, "C:\\Apps");
    CTreeNode filled("b", 3, 3, 2, nullptr), leaf("a", 3, 3, 3, nullptr), leaf2("c", 3, 3, 3, nullptr);
    EXPECT_LT(CTreeNode::CompareTreeNodes(&computer, &folder), 0);
    EXPECT_LT(CTreeNode::CompareTreeNodes(&filled, &leaf), 0);  // opened categories first
    EXPECT_LT(CTreeNode::CompareTreeNodes(&leaf, &leaf2), 0);
    EXPECT_EQ(CTreeNode::CompareTreeNodes(&leaf, &leaf), 0);
}

TEST(TreeNode, AttachedObjectIsReadOnlyAsWhatItIs)
{
    CTreeNode node("n", 7, 7, 3, nullptr);
    int dummy;
    node.Attach(CTreeNode::kCondition, &dummy);
    EXPECT_NE(node.GetCondition(), nullptr);
    EXPECT_EQ(node.GetImageSearch(), nullptr);
    EXPECT_EQ(node.GetItem(), nullptr);
}

TEST(NavigationHistory, BackAndForwardWalkTheSelections)
{
    CNavigationHistory h;
    EXPECT_FALSE(h.CanGoBack());
    for (intptr_t i = 1; i <= 10; ++i)
        h.Record(Item(i));
    for (intptr_t i = 9; i >= 1; --i)
        EXPECT_EQ(h.StepBack().hItem, Item(i));
    EXPECT_FALSE(h.CanGoBack());
    EXPECT_EQ(h.StepForward().hItem, Item(2));
    EXPECT_TRUE(h.CanGoForward());
    h.Record(Item(50));  // a new selection drops what Forward could reach
    EXPECT_FALSE(h.CanGoForward());
    EXPECT_EQ(h.StepBack().hItem, Item(2));
    EXPECT_EQ(h.StepBack().hItem, Item(1));
}

TEST(NavigationHistory, OldestStaysUntilTheRingIsFullThenAdvances)
{
    CNavigationHistory h;
    for (intptr_t i = 0; i < 100; ++i)
        h.Record(Item(i + 1));
    for (int k = 0; k < 60; ++k)
        h.StepBack();
    h.Record(Item(999));  // slots of oldest and current compare; the oldest entry stays
    EXPECT_EQ(h.GetOldest(), 0);
    int steps = 0;
    while (h.CanGoBack()) {
        h.StepBack();
        ++steps;
    }
    EXPECT_EQ(steps, 40);

    CNavigationHistory full;
    for (intptr_t i = 0; i < 300; ++i)
        full.Record(Item(i + 1));
    EXPECT_EQ(full.GetCurrent() - full.GetOldest(), 127);
    intptr_t last = 0;
    while (full.CanGoBack())
        last = reinterpret_cast<intptr_t>(full.StepBack().hItem);
    EXPECT_EQ(last, 300 - 127);
}

TEST(NavigationHistory, PictureEntryTakesTheNextPositionWithoutMovingNewest)
{
    CNavigationHistory h;
    h.Record(Item(1));
    h.Record(Item(2));
    h.RecordPicture("C:\\a.jpg");
    EXPECT_EQ(h.GetCurrent(), 2);
    EXPECT_EQ(h.GetNewest(), 1);
    h.UpdateNewest();
    EXPECT_EQ(h.GetNewest(), 2);
    CNavigationHistory::Entry e = h.StepBack();
    EXPECT_EQ(e.hItem, Item(2));
    EXPECT_TRUE(h.CanGoForward());
    e = h.StepForward();
    EXPECT_TRUE(e.IsPicture());
    EXPECT_EQ(e.strPicture, "C:\\a.jpg");
}

TEST(NavigationHistory, PictureEntryReplaysWithCurrentUnchanged)
{
    CNavigationHistory h;
    h.Record(Item(1));
    h.RecordPicture("C:\\a.jpg");  // at 1, shown at full size
    h.UpdateNewest();
    h.Record(Item(3));  // at 2
    // Back onto the picture: the full-size view shows it and records it again, as it does
    // every time it shows a picture.
    CNavigationHistory::Entry e = h.StepBack();
    ASSERT_TRUE(e.IsPicture());
    std::vector<CString> shown;
    h.ReplayPicture([&](const CString& path) {
        shown.push_back(path);
        h.RecordPicture(path);
    });
    EXPECT_EQ(std::vector<CString>{"C:\\a.jpg"}, shown);
    EXPECT_EQ(1, h.GetCurrent());
    EXPECT_EQ(0, h.GetOldest());
    EXPECT_EQ(2, h.GetNewest());
    EXPECT_EQ("C:\\a.jpg", h.At(1).strPicture);
    EXPECT_EQ(Item(3), h.StepForward().hItem);  // the later selection is still ahead
    EXPECT_EQ(Item(1), (h.StepBack(), h.StepBack()).hItem);

    // A picture shown last, beyond newest, survives the removal of a deleted item.
    CNavigationHistory p;
    p.Record(Item(1));
    p.Record(Item(2));
    p.RecordPicture("C:\\b.jpg");
    p.Forget([](_TREEITEM* item) { return item == Item(1); });
    EXPECT_EQ(1, p.GetCurrent());
    EXPECT_EQ(0, p.GetNewest());
    EXPECT_EQ("C:\\b.jpg", p.At(1).strPicture);
    EXPECT_EQ(Item(2), p.StepBack().hItem);
}

TEST(NavigationHistory, ForgetDropsDeletedItemsAndKeepsTheRestInOrder)
{
    CNavigationHistory h;
    for (intptr_t i = 1; i <= 6; ++i)
        h.Record(Item(i));
    h.StepBack();  // at 5
    h.Forget([](_TREEITEM* item) { return item == Item(2) || item == Item(4) || item == Item(6); });
    EXPECT_EQ(h.GetCurrent(), 2);  // 1, 3, 5: still at 5
    EXPECT_FALSE(h.CanGoForward());
    EXPECT_EQ(h.StepBack().hItem, Item(3));
    EXPECT_EQ(h.StepBack().hItem, Item(1));
    EXPECT_FALSE(h.CanGoBack());
    h.Forget([](_TREEITEM*) { return true; });
    EXPECT_FALSE(h.Exists());
}

TEST(SearchRules, UniqueNamesCountOnFromTheLargestNumber)
{
    EXPECT_EQ(MakeUniqueSearchName("abc", {}), "abc");
    EXPECT_EQ(MakeUniqueSearchName("abc", {"abcd", "ab"}), "abc");
    EXPECT_EQ(MakeUniqueSearchName("abc", {"abc"}), "abc");  // a twin is no number
    EXPECT_EQ(MakeUniqueSearchName("abc", {"abc", "abc (2)"}), "abc (3)");
    EXPECT_EQ(MakeUniqueSearchName("abc", {"abc (2)"}), "abc (3)");
    EXPECT_EQ(MakeUniqueSearchName("abc", {"abc (7)", "abc (2)", "abcd (9)", "abc (x)"}), "abc (8)");
    // The user's text is never a format.
    EXPECT_EQ(MakeUniqueSearchName("50%", {"50%", "50% (2)"}), "50% (3)");
    EXPECT_EQ(MakeUniqueSearchName("a%sb", {"a%sb", "a%sb (4)"}), "a%sb (5)");
    EXPECT_EQ(MakeUniqueSearchName("a%sb", {"a%sb (%d)"}), "a%sb");
    EXPECT_EQ(MakeUniqueSearchName("50%", {"50%"}), "50%");
}

TEST(SearchRules, FolderRule)
{
    struct Case {
        const char* text;
        bool ok;
        const char* check;
        const char* result;
        bool drive;
    } cases[] = {
        {"d:", true, "D:\\", "D:\\", true},
        {"D:\\PICS\\", true, "D:\\PICS", "D:\\PICS\\", false},
        {"c:\\pics", true, "C:\\PICS", "C:\\PICS\\", false},
        {"C:\\", true, "C:\\", "C:\\", true},
        {"1:\\", false, "", "", true},
        {"", false, "", "", false},
    };
    for (const Case& c : cases) {
        CString check, result;
        bool drive = false;
        EXPECT_EQ(NormaliseSearchFolder(c.text, check, result, drive), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(check, c.check) << c.text;
            EXPECT_EQ(result, c.result) << c.text;
            EXPECT_EQ(drive, c.drive) << c.text;
        }
    }
}

TEST(SearchRules, BoundsAndDescriptions)
{
    EXPECT_EQ(ParsePriceBound("1,000", "下限なし", -1), 1000);
    EXPECT_EQ(ParsePriceBound("下限なし", "下限なし", -1), -1);
    EXPECT_EQ(ParsePriceBound("上限なし", "上限なし", 2147483647), 2147483647);
    EXPECT_EQ(ParsePriceBound("99999999999", "上限なし", 2147483647), 2147483647);
    EXPECT_EQ(DescribeDataSearch(1, "品名", "chair", -1, 2147483647), "品名=chair");
    EXPECT_EQ(DescribeDataSearch(2, "品番", "AB", 1000, 2147483647), "品番=AB:1,000円～上限なし");
    EXPECT_EQ(DescribeDataSearch(2, "品番", "AB", -1, 500), "品番=AB:下限なし～500円");
    EXPECT_EQ(DescribeDataSearch(0, "品番", "AB", 5, 6), "AB");
    const int from[3] = {2000, 2, 1}, to[3] = {2001, 12, 31};
    EXPECT_EQ(DescribeImageSearch(0, "abc", "C:\\PICS\\", from, to), "ファイル名=abc (C:\\PICS\\)");
    EXPECT_EQ(DescribeImageSearch(1, "abc", "C:\\", from, to), "ファイル名=abc (C:\\):2000/2/1～2001/12/31");
}

TEST(SearchRules, MonthLengthsAndTypedDates)
{
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2004, 2), 29);
    EXPECT_EQ(DaysInMonth(2001, 2), 28);
    EXPECT_EQ(DaysInMonth(2001, 4), 30);
    EXPECT_TRUE(IsValidSearchDate(2000, 2, 29));
    EXPECT_FALSE(IsValidSearchDate(2001, 13, 1));
    EXPECT_FALSE(IsValidSearchDate(2001, 1, 32));
    EXPECT_FALSE(IsValidSearchDate(2001, 2, 29));
    EXPECT_FALSE(IsValidSearchDate(1979, 1, 1));
}

TEST(FileInfoRecord, SizesAndTimes)
{
    struct Case {
        uint64_t size;
        const char* list;
    } cases[] = {
        {0, "1KB"}, {1023, "1KB"}, {1024, "1KB"}, {1535, "1KB"}, {1536, "2KB"}, {1048576, "1MB"},
        {1572864 - 1, "1MB"}, {1572864, "2MB"}, {3ull << 30, "3072MB"}, {5ull << 30, "5120MB"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatListSize(c.size), c.list) << c.size;
        EXPECT_EQ(ParseRecordSize(FormatRecordSize(c.size)), c.size) << c.size;
    }
    EXPECT_EQ(FormatRecordSize(1535), "01535");
    EXPECT_EQ(FormatRecordSize(5ull << 30), "5368709120");
    EXPECT_EQ(FormatModifiedText(2001, 6, 6, 17, 56), "2001/06/06 午後 05:56");
    EXPECT_EQ(FormatModifiedText(2001, 6, 6, 0, 5), "2001/06/06 午前 00:05");
    EXPECT_STREQ(ImageSearchTypeName("a.jpg"), "JPEGファイル");
    EXPECT_EQ(ImageSearchTypeName("a.JPEG"), nullptr);
    EXPECT_STREQ(ImageSearchTypeName("x.kjq"), "KJQファイル");
    EXPECT_EQ(FolderListTypeName("x.kjq"), nullptr);
    EXPECT_STREQ(FolderListTypeName("x.Png"), "PNGファイル");
}

TEST(ListRowCompare, FoldersFirstTimesAndPrices)
{
    ListRowTexts folder{"b", "b", ""}, file{"a", "a", "JPEGファイル"};
    EXPECT_LT(CompareListRows(folder, file, 0, false, true), 0);
    EXPECT_GT(CompareListRows(folder, file, 0, false, false), 0);  // after files descending
    ListRowTexts am{"x", "2001/06/06 午前 10:00", "BMPファイル"}, pm{"y", "2001/06/06 午後 01:00", "BMPファイル"};
    EXPECT_LT(CompareListRows(am, pm, 3, false, true), 0);
    ListRowTexts cheap{"a", "980円", ""}, dear{"b", "1,200円", ""};
    EXPECT_GT(CompareListRows(dear, cheap, 2, true, true), 0);
    EXPECT_LT(CompareListRows(dear, cheap, 2, true, false), 0);
    ListRowTexts kb{"a", "900KB", "BMPファイル"}, mb{"b", "2MB", "BMPファイル"};
    EXPECT_LT(CompareListRows(kb, mb, 1, false, true), 0);
    ListRowTexts big{"a", "5120MB", "BMPファイル"};
    EXPECT_GT(CompareListRows(big, mb, 1, false, true), 0);
    EXPECT_LT(CompareListRows(ListRowTexts{"Abc", "", ""}, ListRowTexts{"abd", "", ""}, 1, false, true), 0);
}

}  // namespace
