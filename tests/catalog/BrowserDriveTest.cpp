// The tree on the drives of the browser tests' own prefix (tests/catalog/browser_prefix.sh):
// the catalogue on the CD-ROM drive d:, folders made and removed under C:\ while the drive
// watch runs, Back and Forward after a reload, and Cancel of a running search.
#include "FileInfoRecord.h"
#include "ImageSearchDlg.h"
#include "TreeFixture.h"

using namespace catalogtest;

namespace {

// Where d: and the floppy a: of the browser prefix point.
const char kDriveFolder[] = "C:\\vendaro_d";
const char kFloppyFolder[] = "C:\\vendaro_a";

class DriveTest : public TreeTest {
protected:
    void SetUp() override
    {
        TreeTest::SetUp();
        if (::GetDriveType("D:\\") != DRIVE_CDROM || ::GetFileAttributes(kDriveFolder) == INVALID_FILE_ATTRIBUTES)
            GTEST_SKIP() << "not in the browser prefix (no CD-ROM d: on " << kDriveFolder << ")";
    }
    void TearDown() override
    {
        TreeTest::TearDown();
        RemoveFolder(std::string(kDriveFolder) + "\\DISTRIB");
        RemoveFolder(std::string(kFloppyFolder) + "\\DISTRIB");
    }
    // A catalogue of more than six categories on d:, found as the program finds it.
    Manifest OnDriveD()
    {
        FixtureOptions options;
        options.products = 120;
        options.sets = 6;
        options.topCategories = 4;
        Manifest m = GenerateCatalog(kDriveFolder, options);
        doc->DeleteAllCatalogs();
        doc->DiscoverCatalogs();
        Rebuild();
        return m;
    }
    // The drive watch reports the catalogue just written to d: once its quiet period has
    // passed, and its rescan forgets the history of the nodes it rebuilds: it comes first.
    void SettleDriveWatch()
    {
        const DWORD end = ::GetTickCount() + 3000;
        while (::GetTickCount() < end) {
            PumpPending();
            ::Sleep(20);
        }
    }
    CTreeNode* DriveNode(const char* root) const
    {
        for (CTreeNode* d : tree->m_pComputer->m_children)
            if (d->m_strPath.CompareNoCase(root) == 0)
                return d;
        return nullptr;
    }
    void ExpectLeavesList(CTreeNode* top, const Manifest& m)
    {
        std::vector<CTreeNode*> leaves;
        Leaves(top, leaves);
        ASSERT_GT(leaves.size(), 6u);
        for (CTreeNode* leaf : leaves) {
            yqCategory* category = leaf->GetCategory();
            Select(leaf);
            std::vector<ExpectedHit> got;
            for (CTreeNode* c : leaf->m_children)
                if (yqItem* item = c->GetItem())
                    got.push_back({item->m_pszNumber, item->m_nKind});
            std::sort(got.begin(), got.end());
            EXPECT_EQ(m.CategoryItems(category->m_dLow, category->m_dHigh), got)
                << static_cast<const char*>(leaf->m_strText);
        }
    }
};

TEST_F(DriveTest, CatalogueOnTheCdRomShowsAsTitleWithItsDriveAndListsEveryLeaf)
{
    const Manifest m = OnDriveD();
    ASSERT_EQ(1, doc->GetCatalogCount());
    EXPECT_EQ("D:\\", doc->GetCatalog(0)->GetRootPath());
    ASSERT_NE(nullptr, Catalog());
    EXPECT_EQ(13, Catalog()->m_nImage);  // the CD-ROM icon under Vendaro
    CTreeNode* drive = DriveNode("D:\\");
    ASSERT_NE(nullptr, drive);
    EXPECT_EQ(CString(m.title.c_str()) + " (D:)", drive->m_strText);
    EXPECT_EQ(1, drive->m_nImage);
    EXPECT_TRUE(drive->HasKind(CTreeNode::kCatalogFolder));
    ExpectLeavesList(Catalog(), m);
    ExpectLeavesList(drive, m);
}

TEST_F(DriveTest, TheFloppyIsNeverProbedForItsCatalogue)
{
    if (::GetDriveType("A:\\") != DRIVE_REMOVABLE)
        GTEST_SKIP() << "no floppy a: in this prefix";
    FixtureOptions options;
    const Manifest m = GenerateCatalog(kFloppyFolder, options);
    // Loaded as if it had been found there: the drive still stays a plain drive.
    doc->m_catalogs.push_back(new yqCatalog("A:\\"));
    Rebuild();
    CTreeNode* floppy = DriveNode("A:\\");
    ASSERT_NE(nullptr, floppy);
    EXPECT_FALSE(floppy->HasKind(CTreeNode::kCatalogFolder));
    EXPECT_EQ(nullptr, floppy->GetCategory());
    EXPECT_EQ(0, floppy->GetChildCount());
    EXPECT_EQ(-1, floppy->m_strText.Find(m.title.c_str()));
    // Under Vendaro the catalogue is listed as any other.
    ASSERT_NE(nullptr, Catalog());
    EXPECT_STREQ(m.title.c_str(), Catalog()->m_strText);
}

TEST_F(DriveTest, FoldersMadeAndRemovedUnderCShowWithinSeconds)
{
    Rebuild();
    CTreeNode* c = DriveNode("C:\\");
    ASSERT_NE(nullptr, c);
    Select(c);
    tree->GetTreeCtrl().Expand(c->m_hItem, TVE_EXPAND);
    PumpPending();
    char name[64];
    std::snprintf(name, sizeof name, "qvz_watch_%lu", ::GetCurrentProcessId());
    const std::string path = std::string("C:\\") + name;
    auto child = [&]() -> CTreeNode* {
        for (CTreeNode* n : c->m_children)
            if (n->m_strText.CompareNoCase(name) == 0)
                return n;
        return nullptr;
    };
    auto wait = [](const std::function<bool()>& done) {
        const DWORD start = ::GetTickCount();
        while (!done() && ::GetTickCount() - start < 6000) {
            PumpPending();
            ::Sleep(20);
        }
        return ::GetTickCount() - start;
    };
    ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr));
    const DWORD made = wait([&] { return child() != nullptr; });
    std::printf("mkdir %s: node after %lu ms\n", path.c_str(), made);
    ASSERT_NE(nullptr, child());
    EXPECT_LE(made, 4000u);

    Select(child());
    ::RemoveDirectoryA(path.c_str());
    const DWORD gone = wait([&] { return child() == nullptr; });
    std::printf("rmdir %s: node gone after %lu ms\n", path.c_str(), gone);
    EXPECT_EQ(nullptr, child());
    EXPECT_EQ(c->m_hItem, tree->GetTreeCtrl().GetSelectedItem());
    EXPECT_EQ(c, tree->GetCurrentNode());
}

TEST_F(DriveTest, TenStepsBackAndForwardAfterAReload)
{
    OnDriveD();
    SettleDriveWatch();
    std::vector<CTreeNode*> leaves;
    Leaves(Catalog(), leaves);
    ASSERT_GE(leaves.size(), 2u);
    Select(leaves[1]);  // a filled category, where the reload is to come back
    const CString filled = leaves[1]->m_strText;
    frame->Reload();
    PumpPending();
    SettleDriveWatch();
    CTreeNode* back = tree->GetNode(tree->GetTreeCtrl().GetSelectedItem());
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(filled, back->m_strText);
    EXPECT_GT(back->GetChildCount(), 0);
    EXPECT_NE("dummy", back->GetChild(0)->m_strText);  // filled again on opening

    leaves.clear();
    Leaves(Catalog(), leaves);
    std::vector<CTreeNode*> walk = {tree->m_pVendaroRoot, Catalog(), tree->m_pImageRoot};
    for (size_t i = 0; i < leaves.size() && walk.size() < 10; ++i)
        walk.push_back(leaves[i]);
    ASSERT_EQ(10u, walk.size());
    for (CTreeNode* n : walk)
        Select(n);
    CTreeCtrl& t = tree->GetTreeCtrl();
    for (size_t k = walk.size() - 1; k-- > 0;) {
        ASSERT_TRUE(tree->GoBack(TRUE)) << k;
        PumpPending();
        EXPECT_EQ(walk[k]->m_hItem, t.GetSelectedItem()) << k;
    }
    for (size_t k = 1; k < walk.size(); ++k) {
        ASSERT_TRUE(tree->GoForward(TRUE)) << k;
        PumpPending();
        EXPECT_EQ(walk[k]->m_hItem, t.GetSelectedItem()) << k;
    }
    EXPECT_FALSE(tree->GoForward(FALSE));
}

TEST_F(DriveTest, CancelDuringASearchRemovesTheNodeKeepsTheConditionAndIgnoresClose)
{
    OnDriveD();
    Select(Catalog());
    frame->m_editSearch.SetWindowText("ドア");
    // Queued while the search runs; taken between its steps.
    frame->PostMessage(WM_CLOSE);
    RunWhenIdle([] {
        HWND progress = ::GetActiveWindow();
        if (::GetDlgItem(progress, IDC_SEARCH_ANIMATE))
            ::SendMessage(progress, WM_COMMAND, IDCANCEL, 0);
    }, 1);
    frame->QuickSearch();
    PumpPending();
    EXPECT_TRUE(::IsWindow(frame->GetSafeHwnd()));
    EXPECT_TRUE(tree->m_pSearchRoot->m_children.empty());
    ASSERT_EQ(1u, App().m_searchConditions.size());
    EXPECT_EQ("ドア", App().m_searchConditions[0]->m_strName);
    EXPECT_FALSE(App().m_dlgSearchProgress.IsShown());
    EXPECT_FALSE(App().m_bBusy);
}

TEST_F(DriveTest, QuickSearchOnTheDesktopBranchSearchesEachDriveKeepingThoseWithFinds)
{
    Rebuild();
    // Only C: (the pictures) and the empty d: are walked: t: and s: hold the build and the
    // sources.
    for (CTreeNode* d : std::vector<CTreeNode*>(tree->m_pComputer->m_children))
        if (d->m_strPath.CompareNoCase("C:\\") != 0 && d->m_strPath.CompareNoCase("D:\\") != 0)
            tree->DeleteNode(d);
    ASSERT_EQ(2, tree->m_pComputer->GetChildCount());
    Select(DriveNode("C:\\"));
    EXPECT_EQ("", QuickSearch("OLD"));
    ASSERT_EQ(1, tree->m_pImageRoot->GetChildCount());
    CTreeNode* node = tree->m_pImageRoot->GetChild(0);
    EXPECT_EQ("OLD(C:\\)", node->m_strText);
    bool picture = false;
    for (CTreeNode* f : node->m_children)
        picture = picture || (f->GetRecord() && f->GetRecord()->m_strPath.CompareNoCase("C:\\pictures\\OLD.BMP") == 0);
    EXPECT_TRUE(picture);
    ASSERT_EQ(1u, App().m_imageSearches.size());
    EXPECT_EQ("OLD", App().m_imageSearches[0]->m_strName);
    EXPECT_EQ("C:\\", App().m_imageSearches[0]->m_strFolder);

    // Found on no drive: the message, and nothing more kept.
    Select(DriveNode("C:\\"));
    EXPECT_EQ("検索数が０でした。この結果は登録されません。", QuickSearch("qvz_nowhere_at_all"));
    EXPECT_EQ(1, tree->m_pImageRoot->GetChildCount());
    EXPECT_EQ(1u, App().m_imageSearches.size());
}

TEST_F(DriveTest, ImageSearchesOverThePicturesOfKnownDatesTakeWholeDays)
{
    Rebuild();
    struct Case {
        int from[3], to[3];
        std::vector<CString> found;
    } cases[] = {
        {{2001, 2, 3}, {2001, 2, 3}, {"OLD.BMP"}},
        {{2001, 2, 4}, {2020, 6, 6}, {}},
        {{2020, 6, 7}, {2099, 12, 31}, {"NEW.JPG"}},
        {{1980, 1, 1}, {2099, 12, 31}, {"NEW.JPG", "OLD.BMP"}},
    };
    CImageSearchDlg& dlg = frame->m_dlgImageSearch;
    for (const Case& c : cases) {
        // The kept entries: the dialog opens on them, and OK takes them.
        dlg.m_nPage = 1;
        dlg.m_fileHistory = {"."};
        dlg.m_folderHistory = {"C:\\PICTURES\\"};
        dlg.m_bDatesKept = TRUE;
        std::copy(c.from, c.from + 3, dlg.m_from);
        std::copy(c.to, c.to + 3, dlg.m_to);
        RunWhenIdle([] { ::SendMessage(::GetActiveWindow(), WM_COMMAND, IDOK, 0); });
        frame->SendMessage(WM_COMMAND, ID_SEARCH_IMAGE);
        PumpPending();
        CTreeNode* node = tree->m_pImageRoot->m_children.back();
        std::vector<CString> found;
        for (CTreeNode* f : node->m_children)
            found.push_back(f->m_strText);
        std::sort(found.begin(), found.end());
        EXPECT_EQ(c.found, found) << static_cast<const char*>(node->m_strText);
    }
    EXPECT_EQ(4, tree->m_pImageRoot->GetChildCount());  // kept with or without files
}

}  // namespace
