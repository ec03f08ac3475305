// The folder and catalogue tree with the report list in a frame under Wine: the roots, leaf
// categories against the generated catalogue, sorting by a header click, quick searches,
// Back and Forward, deleting searches.
#include "FileInfoRecord.h"
#include "ImageDetailView.h"
#include "ItemIdList.h"
#include "TreeFixture.h"

using namespace catalogtest;

namespace {

TEST_F(TreeTest, WithoutCatalogueOnlyTheDesktopAndImageSearchesAndSavedSearchesStayHidden)
{
    auto* kept = new CSearchCondition;
    kept->m_strName = "kept";
    kept->m_strCatalog = "*:";
    App().m_searchConditions.push_back(kept);
    Rebuild();
    const std::vector<CString> roots = Roots();
    ASSERT_EQ(2u, roots.size());
    EXPECT_EQ(tree->m_pDesktop->m_strText, roots[0]);
    EXPECT_EQ("画像検索", roots[1]);
    EXPECT_EQ(nullptr, tree->m_pSearchRoot);
    ASSERT_NE(nullptr, tree->m_pComputer);
    for (CTreeNode* drive : tree->m_pComputer->m_children)
        EXPECT_TRUE(drive->HasKind(CTreeNode::kDrive)) << static_cast<const char*>(drive->m_strText);
}

// Every row of the item list as the manifest has it: 品番, 品名, 価格 (the price with its
// suffix, only when it has a suffix), icon 8; a set "複数製品の組み合わせ" with its name and icon 10.
void ExpectItemRows(CListCtrl& list, const Manifest& m)
{
    auto digits = [](const std::string& text) {
        std::string d;
        for (char c : text)
            if (c >= '0' && c <= '9')
                d += c;
        return d;
    };
    for (int row = 0; row < list.GetItemCount(); ++row) {
        const std::string number(list.GetItemText(row, 0)), name(list.GetItemText(row, 1)),
            price(list.GetItemText(row, 2));
        LVITEM item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        list.GetItem(&item);
        if (number == "複数製品の組み合わせ") {
            EXPECT_EQ(10, item.iImage) << row;
            EXPECT_TRUE(std::any_of(m.sets.begin(), m.sets.end(), [&](const ExpectedSet& s) { return s.name == name; }))
                << name;
            continue;
        }
        EXPECT_EQ(8, item.iImage) << number;
        const ExpectedProduct* p = m.FindProduct(number);
        ASSERT_NE(nullptr, p) << number;
        EXPECT_EQ(p->name, name) << number;
        // A product without a price value reads 0; only one without its row has none.
        if (!p->hasSuffix || !p->inTable01) {
            EXPECT_EQ("", price) << number;
        } else {
            EXPECT_EQ(std::to_string(static_cast<long long>(p->price)), digits(price)) << number << " " << price;
            EXPECT_EQ(p->suffix, price.substr(price.size() - std::min(price.size(), p->suffix.size()))) << number;
        }
    }
}

class LeafTest : public TreeTest, public ::testing::WithParamInterface<int> {};

// With one top category the leaves sit at sorted positions 2 to 5; with four there are more
// than six categories.
INSTANTIATE_TEST_SUITE_P(TopCategories, LeafTest, ::testing::Values(1, 4));

TEST_P(LeafTest, EveryLeafCategoryListsExactlyItsItemsAndFillsAgainAfterAReload)
{
    FixtureOptions options;
    options.products = 60;
    options.sets = 6;
    options.topCategories = GetParam();
    const Manifest m = Load(options);
    const std::vector<CString> roots = Roots();
    ASSERT_EQ(4u, roots.size());
    EXPECT_EQ("Vendaro", roots[1]);
    EXPECT_EQ("Vendaro検索", roots[2]);
    ASSERT_NE(nullptr, Catalog());
    EXPECT_STREQ(m.title.c_str(), Catalog()->m_strText);

    std::vector<CTreeNode*> leaves;
    Leaves(Catalog(), leaves);
    ASSERT_GE(leaves.size(), GetParam() == 1 ? 4u : 7u);
    std::vector<int> ids;
    int empty = 0;
    for (CTreeNode* leaf : leaves) {
        yqCategory* category = leaf->GetCategory();
        ids.push_back(category->m_nId);
        Select(leaf);
        std::vector<ExpectedHit> got;
        for (CTreeNode* c : leaf->m_children)
            if (yqItem* item = c->GetItem()) {
                got.push_back({item->m_pszNumber, item->m_nKind});
                EXPECT_EQ(c->m_hItem, item->m_hTreeItem);
                EXPECT_EQ(item->IsProduct() ? 8 : 10, c->m_nImage);
            }
        std::sort(got.begin(), got.end());
        const std::vector<ExpectedHit> want = m.CategoryItems(category->m_dLow, category->m_dHigh);
        EXPECT_EQ(want, got) << static_cast<const char*>(leaf->m_strText);
        if (want.empty()) {
            ++empty;
            ASSERT_EQ(1, leaf->GetChildCount());
            EXPECT_EQ("貼り付け用画像がありません", leaf->GetChild(0)->m_strText);
            EXPECT_EQ(7u, leaf->m_nFlags);
            EXPECT_EQ(std::vector<std::string>{"貼り付け用画像がありません"}, Column(0));
        } else {
            EXPECT_EQ(5u, leaf->m_nFlags);
            EXPECT_EQ(got.size(), Column(0).size());
            EXPECT_EQ("データ数 : " + std::to_string(got.size()), Status());
            ExpectItemRows(List()->GetListCtrl(), m);
        }
    }
    if (GetParam() == 1)  // leaves at sorted positions 2 to 5 open like every other
        EXPECT_LE(2, std::count_if(ids.begin(), ids.end(), [](int id) { return id >= 2 && id <= 5; }))
            << ::testing::PrintToString(ids);

    // A reload from the cache: the item entries the fills appended are pruned (they carry
    // the kinds of their items), so the categories come back unfilled and fill again.
    const CString name = leaves.back()->m_strText;
    doc->m_catalogs[0]->PruneItemNodes(doc->m_catalogs[0]->GetCategoryRoot());
    Rebuild();
    leaves.clear();
    Leaves(Catalog(), leaves);
    auto again = std::find_if(leaves.begin(), leaves.end(), [&](CTreeNode* n) { return n->m_strText == name; });
    ASSERT_NE(leaves.end(), again);
    ASSERT_EQ(1, (*again)->GetChildCount());
    EXPECT_EQ("dummy", (*again)->GetChild(0)->m_strText);
    tree->GetTreeCtrl().Expand((*again)->m_hItem, TVE_EXPAND);
    PumpPending();
    EXPECT_TRUE((*again)->m_nFlags == 5 || (*again)->m_nFlags == 7);
    EXPECT_NE("dummy", (*again)->GetChild(0)->m_strText);
    (void)empty;
}

TEST_F(TreeTest, ALeafWhoseRangeHoldsNothingShowsItsMessageRow)
{
    // One product in each top category: the ranges of the second and third parts hold none.
    FixtureOptions options;
    options.products = 4;
    options.sets = 2;
    options.topCategories = 4;
    const Manifest m = Load(options);
    std::vector<CTreeNode*> leaves;
    Leaves(Catalog(), leaves);
    int empty = 0;
    for (CTreeNode* leaf : leaves) {
        if (!m.CategoryItems(leaf->GetCategory()->m_dLow, leaf->GetCategory()->m_dHigh).empty())
            continue;
        ++empty;
        Select(leaf);
        ASSERT_EQ(1, leaf->GetChildCount()) << static_cast<const char*>(leaf->m_strText);
        EXPECT_EQ("貼り付け用画像がありません", leaf->GetChild(0)->m_strText);
        EXPECT_EQ(15, leaf->GetChild(0)->m_nImage);
        EXPECT_EQ(7u, leaf->m_nFlags);
        EXPECT_EQ(std::vector<std::string>{"貼り付け用画像がありません"}, Column(0));
        LVITEM item{};
        item.mask = LVIF_IMAGE;
        List()->GetListCtrl().GetItem(&item);
        EXPECT_EQ(15, item.iImage);
    }
    EXPECT_GE(empty, 4);
}

TEST_F(TreeTest, HeaderClicksSortByPriceBothWays)
{
    FixtureOptions options;
    options.products = 80;
    const Manifest m = Load(options);
    std::vector<CTreeNode*> leaves;
    Leaves(Catalog(), leaves);
    CTreeNode* best = nullptr;
    size_t most = 0;
    for (CTreeNode* leaf : leaves) {
        const size_t n = m.CategoryItems(leaf->GetCategory()->m_dLow, leaf->GetCategory()->m_dHigh).size();
        if (n > most)
            most = n, best = leaf;
    }
    ASSERT_GT(most, 3u);
    Select(best);
    // The list's column click as its parent receives it.
    auto click = [&] {
        HWND list = List()->GetSafeHwnd();
        NMLISTVIEW nm{};
        nm.hdr.hwndFrom = list;
        nm.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(list));
        nm.hdr.code = LVN_COLUMNCLICK;
        nm.iItem = -1;
        nm.iSubItem = 2;
        ::SendMessage(::GetParent(list), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
        PumpPending();
    };
    auto prices = [&] {
        std::vector<double> out;
        for (const std::string& p : Column(2)) {
            std::string digits;
            for (char c : p)
                if (c >= '0' && c <= '9')
                    digits += c;
            out.push_back(digits.empty() ? -1 : std::stod(digits));
        }
        return out;
    };
    click();
    std::vector<double> up = prices();
    EXPECT_TRUE(std::is_sorted(up.begin(), up.end()));
    click();
    std::vector<double> down = prices();
    EXPECT_TRUE(std::is_sorted(down.rbegin(), down.rend()));
    EXPECT_EQ(2, frame->GetSortState(3).column);
    EXPECT_FALSE(frame->GetSortState(3).bAscending);
}

TEST_F(TreeTest, QuickSearchesSaveHitsNumberRepeatsAndDropEmptyResults)
{
    FixtureOptions options;
    options.products = 40;
    const Manifest m = Load(options);
    const char* text = "ユニットバス";
    const size_t hits = m.SearchHits("****", text, 3, -1, 2147483647).size();
    ASSERT_GT(hits, 0u);
    Select(Catalog());
    EXPECT_EQ("", QuickSearch(text));
    ASSERT_EQ(1u, SearchNames().size());
    CTreeNode* node = tree->m_pSearchRoot->GetChild(0);
    EXPECT_EQ(text, node->m_strText);
    EXPECT_EQ(hits, static_cast<size_t>(node->GetChildCount()));
    EXPECT_EQ("検索結果 : " + std::to_string(hits) + "件", Status());
    EXPECT_EQ(node, tree->GetCurrentNode());
    EXPECT_EQ(hits, Column(0).size());
    std::vector<ExpectedHit> got;
    for (CTreeNode* c : node->m_children) {
        EXPECT_EQ(c->m_hItem, c->GetItem()->m_hTreeItem);
        got.push_back({c->GetItem()->m_pszNumber, c->GetItem()->m_nKind});
    }
    std::sort(got.begin(), got.end());
    EXPECT_EQ(m.SearchHits("****", text, 3, -1, 2147483647), got);

    Select(Catalog());
    EXPECT_EQ("", QuickSearch(text));
    ASSERT_EQ(2u, SearchNames().size());
    // A twin is no number: both carry the text (numbers follow only an existing " (n)").
    EXPECT_EQ(text, SearchNames()[0]);
    EXPECT_EQ(text, SearchNames()[1]);
    EXPECT_EQ(hits, static_cast<size_t>(tree->m_pSearchRoot->GetChild(1)->GetChildCount()));
    ASSERT_EQ(2u, App().m_searchConditions.size());
    EXPECT_EQ(text, App().m_searchConditions[1]->m_strName);

    Select(Catalog());
    EXPECT_EQ("検索数が０でした。この結果は登録されません。", QuickSearch("該当なしの語"));
    EXPECT_EQ(2u, SearchNames().size());
    EXPECT_EQ(2u, App().m_searchConditions.size());
}

TEST_F(TreeTest, QuickSearchWithoutCatalogueKeepsNoCondition)
{
    Rebuild();
    Select(tree->m_pImageRoot);
    Select(tree->m_pDesktop->GetChild(0));  // a node of the desktop branch would search drives
    tree->SetCurrentNode(nullptr);
    EXPECT_EQ("CD-ROMの準備ができていません。", QuickSearch("abc"));
    EXPECT_TRUE(App().m_searchConditions.empty());
    EXPECT_FALSE(App().m_dlgSearchProgress.IsShown());
}

TEST_F(TreeTest, BackAndForwardWalkTheSelectionsAndSkipDeletedNodes)
{
    FixtureOptions options;
    const Manifest m = Load(options);
    std::vector<CTreeNode*> leaves;
    Leaves(Catalog(), leaves);
    std::vector<CTreeNode*> walk = {tree->m_pVendaroRoot, Catalog()};
    for (size_t i = 0; i < leaves.size() && walk.size() < 10; ++i)
        walk.push_back(leaves[i]);
    for (CTreeNode* n : walk)
        Select(n);
    CTreeCtrl& t = tree->GetTreeCtrl();
    for (size_t k = walk.size() - 1; k-- > 0;) {
        ASSERT_TRUE(tree->GoBack(FALSE));
        tree->GoBack(TRUE);
        PumpPending();
        EXPECT_EQ(walk[k]->m_hItem, t.GetSelectedItem()) << k;
    }
    EXPECT_FALSE(tree->GoBack(FALSE));
    tree->GoForward(TRUE);
    PumpPending();
    EXPECT_EQ(walk[1]->m_hItem, t.GetSelectedItem());
    Select(tree->m_pSearchRoot);  // a new selection: nothing ahead
    EXPECT_FALSE(tree->GoForward(FALSE));

    // A search node selected, then deleted: Back never reaches it.
    Select(Catalog());
    QuickSearch("ユニットバス");
    CTreeNode* search = tree->m_pSearchRoot->GetChild(0);
    ASSERT_NE(nullptr, search);
    yqItem* item = search->GetChild(0)->GetItem();
    ASSERT_NE(nullptr, item);
    Select(Catalog());
    tree->SetCurrentNode(search);
    tree->RemoveSearchNode(search);
    PumpPending();
    EXPECT_EQ(nullptr, item->m_hTreeItem);
    EXPECT_TRUE(tree->m_pSearchRoot->m_children.empty());
    EXPECT_EQ(4u, tree->m_pSearchRoot->m_nFlags);  // its last search gone
    while (tree->GoBack(FALSE)) {
        tree->GoBack(TRUE);
        PumpPending();
        EXPECT_NE(nullptr, tree->GetNode(t.GetSelectedItem()));
    }
}


TEST_F(TreeTest, DeleteResultCommandAsksAndRemovesTheSearchWithYes)
{
    FixtureOptions options;
    Load(options);
    Select(Catalog());
    QuickSearch("ユニットバス");
    Select(Catalog());
    QuickSearch("玄関ドア");
    ASSERT_EQ(2u, SearchNames().size());
    Select(tree->m_pSearchRoot->GetChild(0));
    // The report list is the active view (a click on it) and has no row selected: the command
    // is the tree's.
    frame->SetActiveView(List(), FALSE);
    for (int answer : {IDCANCEL, IDOK}) {
        std::string asked;
        RunWhenIdle([&asked, answer] {
            HWND box = ::GetActiveWindow();
            char text[256] = {};
            ::GetDlgItemText(box, IDC_CONFIRM_TEXT, text, sizeof text);
            asked = text;
            ::SendMessage(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        });
        frame->SendMessage(WM_COMMAND, ID_DELETE_RESULT);
        PumpPending();
        EXPECT_EQ("検索条件\"ユニットバス\"を削除しますよろしいですか?", asked);
        EXPECT_EQ(answer == IDOK ? 1u : 2u, SearchNames().size());
    }
    EXPECT_EQ("玄関ドア", SearchNames()[0]);
    ASSERT_EQ(1u, App().m_searchConditions.size());
    EXPECT_EQ("玄関ドア", App().m_searchConditions[0]->m_strName);
    EXPECT_EQ(tree->m_pSearchRoot->m_hItem, tree->GetTreeCtrl().GetSelectedItem());
}

}  // namespace

namespace {

// A 4 x 2 24-bit BMP.
std::string SmallBmp()
{
    std::string bmp = "BM";
    auto put32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) bmp.push_back(static_cast<char>(v >> (8 * i))); };
    auto put16 = [&](uint16_t v) { bmp.push_back(static_cast<char>(v)); bmp.push_back(static_cast<char>(v >> 8)); };
    put32(54 + 24); put32(0); put32(54);
    put32(40); put32(4); put32(2); put16(1); put16(24); put32(0); put32(24); put32(0); put32(0); put32(0); put32(0);
    bmp.append(24, '\x40');
    return bmp;
}

// The operations kept for registered image folders (their root is never made by the program):
// a folder's pictures as child nodes, the folders' list, and tree items made again.
TEST_F(TreeTest, RegisteredFolderOperationsListPicturesAndReinsertItems)
{
    Rebuild();
    const std::string pics = CatalogPath(folder + "/pics"), none = CatalogPath(folder + "/none");
    ::CreateDirectoryA(pics.c_str(), nullptr);
    ::CreateDirectoryA(none.c_str(), nullptr);
    ::CreateDirectoryA((pics + "\\sub.bmp").c_str(), nullptr);  // a folder is never a picture
    for (const char* name : {"a.bmp", "b.JPG", "c.png", "d.dxf", "e.jpeg"})
        WriteFile(pics + "\\" + name, SmallBmp());
    CTreeNode* root = tree->InsertNode("registered", 5, 5, nullptr, 2, nullptr);
    CTreeNode* full = tree->InsertNode("pics", 3, 3, root, 2, pics.c_str());
    tree->InsertNode("dummy", 0, 0, full, 1, nullptr);
    CTreeNode* empty = tree->InsertNode("none", 3, 3, root, 2, none.c_str());
    tree->InsertNode("dummy", 0, 0, empty, 1, nullptr);

    tree->FillFolderFiles(full);
    std::vector<std::string> names, types;
    for (CTreeNode* c : full->m_children) {
        names.emplace_back(c->m_strText);
        ASSERT_NE(nullptr, c->GetRecord());
        types.emplace_back(c->GetRecord()->m_strType);
        EXPECT_EQ(4u, c->m_nFlags);
        EXPECT_EQ(8, c->m_nImage);
        EXPECT_EQ(CString((pics + "\\").c_str()) + c->m_strText, c->GetRecord()->m_strPath);
        EXPECT_EQ("0" + std::to_string(SmallBmp().size()), std::string(c->GetRecord()->m_strSize));
    }
    std::sort(names.begin(), names.end());
    std::sort(types.begin(), types.end());
    EXPECT_EQ((std::vector<std::string>{"a.bmp", "b.JPG", "d.dxf"}), names);
    EXPECT_EQ((std::vector<std::string>{"BMPファイル", "DXFファイル", "JPEGファイル"}), types);
    EXPECT_EQ(5u, full->m_nFlags);
    tree->FillFolderFiles(full);  // filled once: no placeholder left to replace
    EXPECT_EQ(3, full->GetChildCount());

    tree->ListImageFiles(empty);
    ASSERT_EQ(1, empty->GetChildCount());
    EXPECT_EQ("ファイルがありません", empty->GetChild(0)->m_strText);
    EXPECT_EQ(15, empty->GetChild(0)->m_nImage);
    EXPECT_EQ(7u, empty->m_nFlags);

    auto* list = dynamic_cast<yqListView*>(frame->SwitchRightView(0));
    ASSERT_NE(nullptr, list);
    list->ShowRegisteredFolders(root);
    EXPECT_EQ(yqListView::kFolders, list->GetKind());
    EXPECT_EQ((std::vector<std::string>{none, pics}), Column(0));  // sorted by path
    EXPECT_EQ("登録画像ディレクトリ数 : 2", Status());

    // Tree items made again for a subtree whose items went.
    CTreeCtrl& t = tree->GetTreeCtrl();
    for (CTreeNode* c : root->m_children)
        t.DeleteItem(c->m_hItem);
    EXPECT_EQ(nullptr, t.GetChildItem(root->m_hItem));
    tree->ReinsertSubtree(root);
    int items = 0;
    root->ForEach([&](CTreeNode* n) {
        if (n == root)
            return;
        ++items;
        EXPECT_EQ(n, tree->GetNode(n->m_hItem));
        EXPECT_EQ(n->m_strText, t.GetItemText(n->m_hItem));
        EXPECT_EQ(n->GetParent()->m_hItem, t.GetParentItem(n->m_hItem));
    });
    EXPECT_EQ(2 + 3 + 1, items);

    list->ShowRegisteredFolders(root);  // rows of the new items
    list->OpenRow(0);  // a row opens its folder's node
    PumpPending();
    EXPECT_EQ(empty->m_hItem, tree->GetTreeCtrl().GetSelectedItem());
    tree->DeleteNode(root);
}

TEST_F(TreeTest, OpeningAPictureRowShowsItAtFullSize)
{
    Rebuild();
    const std::string pics = CatalogPath(folder + "/open");
    ::CreateDirectoryA(pics.c_str(), nullptr);
    WriteFile(pics + "\\one.bmp", SmallBmp());
    CTreeNode* node = tree->InsertNode("open", 3, 3, tree->m_pDesktop, 0x402, pics.c_str());
    Select(node);
    ASSERT_NE(nullptr, List());
    ASSERT_EQ(yqListView::kFiles, List()->GetKind());
    ASSERT_EQ((std::vector<std::string>{"one.bmp"}), Column(0));
    List()->GetListCtrl().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    List()->OpenRow(0);
    PumpPending();
    auto* full = dynamic_cast<CImageDetailView*>(frame->GetRightView());
    ASSERT_NE(nullptr, full);
    EXPECT_EQ(CString((pics + "\\one.bmp").c_str()), full->m_strPath);
    EXPECT_NE(nullptr, full->m_pImage);
}

// Item id lists: a path parsed below the desktop, named again, measured, split and joined.
TEST(ItemIdLists, ParsedPathIsNamedAgainAndJoinsFromItsParts)
{
    IShellFolder* desktop = nullptr;
    IMalloc* malloc = nullptr;
    ASSERT_TRUE(SUCCEEDED(::SHGetDesktopFolder(&desktop)));
    ASSERT_TRUE(SUCCEEDED(::SHGetMalloc(&malloc)));
    LPITEMIDLIST list = ParseDisplayName(desktop, "C:\\windows");
    ASSERT_NE(nullptr, list);
    char name[512];
    ASSERT_TRUE(GetDisplayName(desktop, list, SHGDN_FORPARSING, name));
    EXPECT_EQ(0, _stricmp("C:\\windows", name)) << name;

    UINT items = 0, bytes = 2;
    for (LPCITEMIDLIST i = list; i; i = NextItemId(i)) {
        ++items;
        bytes += i->mkid.cb;
    }
    EXPECT_GE(items, 2u);
    EXPECT_EQ(bytes, ItemIdListSize(list));
    EXPECT_EQ(0u, ItemIdListSize(nullptr));

    // The first item alone, then the rest: joined they are the list again.
    const UINT first = list->mkid.cb;
    LPITEMIDLIST head = AllocItemIdList(malloc, first + 2);
    ASSERT_NE(nullptr, head);
    EXPECT_EQ(0, reinterpret_cast<BYTE*>(head)[first]);  // zero-filled: terminated
    memcpy(head, list, first);
    LPITEMIDLIST joined = ConcatItemIdLists(malloc, head, NextItemId(list));
    ASSERT_NE(nullptr, joined);
    ASSERT_EQ(ItemIdListSize(list), ItemIdListSize(joined));
    EXPECT_EQ(0, memcmp(list, joined, ItemIdListSize(list)));
    LPITEMIDLIST copy = ConcatItemIdLists(malloc, nullptr, list);
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(0, memcmp(list, copy, ItemIdListSize(list)));

    EXPECT_EQ(nullptr, ParseDisplayName(desktop, "C:\\qvz no such folder\\deeper"));
    for (LPITEMIDLIST p : {list, head, joined, copy})
        malloc->Free(p);
    malloc->Release();
    desktop->Release();
}

}  // namespace
