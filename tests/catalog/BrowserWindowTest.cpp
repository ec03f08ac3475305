// The browser's application pieces under Wine: discovery with the cache, the settings file
// through the application, the frame's bars, panes and progress, the small dialogs and the
// clipboard hand-over.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <filesystem>
#include <fstream>
#include <string>

#include "CatalogFixture.h"
#include "ConfirmDlg.h"
#include "HandOver.h"
#include "HandOverBlocks.h"
#include "LeftView.h"
#include "MainFrame.h"
#include "ProgressBar.h"
#include "VendaroExplorerApp.h"
#include "YQVDoc.h"
#include "afxtest/ThreadPump.h"
#include "resource.h"
#include "yqByteStream.h"

#include <dbt.h>
#include <shlobj.h>

using namespace catalogtest;
namespace fs = std::filesystem;

namespace {

CVendaroExplorerApp& App() { return *GetVendaroApp(); }

// Steps discovery reports, in place of the status bar.
class CRecordingProgress : public IDiscoveryProgress {
public:
    void BeginProgress(const char*, int total, int step) override { ++begins, this->total = total; }
    void StepProgress() override { ++steps; }
    void EndProgress() override { ++ends; }
    int begins = 0, steps = 0, ends = 0, total = 0;
};

UINT AllFixed(const char*) { return DRIVE_FIXED; }

class DiscoveryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = MakeTempFolder("browser");
        App().FreeLists();
        App().m_strHistoryPath = CatalogPath(folder + "/HISTORY.DAT").c_str();
        App().m_strConfigPath = CatalogPath(folder + "/CONFIG.DAT").c_str();
    }
    void TearDown() override
    {
        App().FreeLists();
        doc.DeleteAllCatalogs();
        RemoveFolder(folder);
    }
    std::string Root(const std::string& name)
    {
        Manifest m = GenerateCatalog(folder + "/" + name, options);
        return m.root + "\\";
    }
    // Stores the blocks of the entries made in this run, as closing does.
    void StoreBlocks()
    {
        for (CCatalogCacheEntry* e : App().m_cacheEntries) {
            if (!e->m_bNeedsWriting)
                continue;
            yqCatalog* c = doc.FindCatalog(e->m_strRoot);
            ASSERT_NE(nullptr, c);
            int offset, size;
            ASSERT_TRUE(c->SaveToCache(App().m_strHistoryPath, offset, size));
            e->m_nCacheOffset = offset;
            e->m_nCacheSize = size;
            e->m_bNeedsWriting = FALSE;
        }
    }
    std::string folder;
    FixtureOptions options;
    CYQVDoc doc;
};

TEST_F(DiscoveryTest, NoCatalogStillStepsOncePerLetter)
{
    CRecordingProgress progress;
    doc.DiscoverCatalogs(App(), 0, AllFixed, &progress);
    EXPECT_EQ(0, doc.GetCatalogCount());
    EXPECT_EQ(1, progress.begins);
    EXPECT_EQ(27, progress.total);
    EXPECT_EQ(26, progress.steps);
    EXPECT_EQ(1, progress.ends);
    EXPECT_FALSE(App().m_bBusy);
    EXPECT_EQ(nullptr, doc.FindCatalog("*:"));
}

TEST_F(DiscoveryTest, FirstReadMakesEntryAndNextStartRestoresFromCache)
{
    const std::string root = Root("cd");
    doc.LoadRoot(App(), root.c_str());
    ASSERT_EQ(1, doc.GetCatalogCount());
    ASSERT_EQ(1u, App().m_cacheEntries.size());
    EXPECT_TRUE(App().m_cacheEntries[0]->m_bNeedsWriting);
    EXPECT_STREQ(root.c_str(), App().m_cacheEntries[0]->m_strRoot);
    EXPECT_EQ(doc.GetCatalog(0), doc.FindCatalog("*:"));
    StoreBlocks();

    doc.DeleteAllCatalogs();
    doc.LoadRoot(App(), root.c_str());
    ASSERT_EQ(1, doc.GetCatalogCount());
    EXPECT_EQ(1u, App().m_cacheEntries.size());  // matched: no new entry
    EXPECT_STREQ(options.id.c_str(), doc.GetCatalog(0)->GetId());
    EXPECT_STREQ(root.c_str(), doc.GetCatalog(0)->GetRootPath());
}

TEST_F(DiscoveryTest, MovedCatalogGetsNewEntry)
{
    const std::string d = Root("d"), e = Root("e");
    doc.LoadRoot(App(), d.c_str());
    StoreBlocks();
    doc.DeleteAllCatalogs();
    doc.LoadRoot(App(), e.c_str());
    ASSERT_EQ(1, doc.GetCatalogCount());
    ASSERT_EQ(2u, App().m_cacheEntries.size());
    EXPECT_STREQ(e.c_str(), App().m_cacheEntries[1]->m_strRoot);
}

TEST_F(DiscoveryTest, CorruptedOrMissingBlockIsReadFromFilesWithOneEntry)
{
    const std::string root = Root("cd");
    doc.LoadRoot(App(), root.c_str());
    StoreBlocks();
    for (int variant = 0; variant < 2; ++variant) {
        CCatalogCacheEntry* entry = App().m_cacheEntries[0];
        if (variant == 0) {
            // Garbage over the block.
            std::string garbage(static_cast<size_t>(entry->m_nCacheSize), '\x5A');
            std::fstream f(fs::path(folder) / "HISTORY.DAT", std::ios::in | std::ios::out | std::ios::binary);
            f.seekp(entry->m_nCacheOffset);
            f.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
        } else {
            // An entry whose block could not be appended.
            entry->m_nCacheOffset = -1;
            entry->m_nCacheSize = 0;
        }
        doc.DeleteAllCatalogs();
        doc.LoadRoot(App(), root.c_str());
        ASSERT_EQ(1, doc.GetCatalogCount()) << variant;
        EXPECT_EQ(1u, App().m_cacheEntries.size()) << variant;
        EXPECT_TRUE(App().m_cacheEntries[0]->m_bNeedsWriting) << variant;
        StoreBlocks();
    }
}

TEST_F(DiscoveryTest, RegisteredFolderLoadsAndGoneOneYieldsNothing)
{
    const std::string root = Root("reg");
    App().m_registeredDirs.push_back(root.c_str());
    App().m_registeredDirs.push_back(CatalogPath(folder + "/gone/").c_str());
    CRecordingProgress progress;
    doc.DiscoverCatalogs(App(), 0, AllFixed, &progress);
    EXPECT_EQ(1, doc.GetCatalogCount());
    EXPECT_EQ(2u, App().m_registeredDirs.size());
    EXPECT_EQ(26, progress.steps);  // none for registered folders
}

TEST_F(DiscoveryTest, SettingsWrittenWithoutWindowReadBackAndKeepLongerTail)
{
    CString old = App().m_strConfigPath;
    std::vector<unsigned char> tail(300, 0xEE);
    std::string bytes("CNF");
    bytes.append(reinterpret_cast<const char*>(tail.data()), tail.size());
    WriteFile(folder + "/CONFIG.DAT", bytes);
    App().ReadConfig();  // no list can be read from this: defaults and empty lists
    EXPECT_TRUE(App().m_cacheEntries.empty());

    const std::string root = Root("cd");
    doc.LoadRoot(App(), root.c_str());
    App().m_registeredDirs.push_back("C:\\REG\\");
    App().WriteConfig();  // no active document: the new entry is stored without a block
    EXPECT_EQ(bytes.size(), ReadFile(folder + "/CONFIG.DAT").size());
    App().FreeLists();
    App().ReadConfig();
    ASSERT_EQ(1u, App().m_cacheEntries.size());
    EXPECT_EQ(-1, App().m_cacheEntries[0]->m_nCacheOffset);
    EXPECT_STREQ(root.c_str(), App().m_cacheEntries[0]->m_strRoot);
    ASSERT_EQ(1u, App().m_registeredDirs.size());
    EXPECT_STREQ("C:\\REG\\", App().m_registeredDirs[0]);
    EXPECT_STREQ(old, App().m_strConfigPath);
}

TEST(BrowserRulesUnderWine, DriveIconsAndPrice)
{
    EXPECT_EQ(12, CVendaroExplorerApp::GetDriveIconIndex("C:\\"));
    EXPECT_EQ(3, CVendaroExplorerApp::GetDriveIconIndex("c:\\"));
    EXPECT_EQ(3, CVendaroExplorerApp::GetDriveIconIndex("C:\\DATA"));
    CString price;
    EXPECT_EQ(1, FormatPrice(12800, price));
    EXPECT_STREQ("12,800", price);
    EXPECT_TRUE(IsDriveReady("C:\\"));
}

TEST(ShellIcons, EachSystemIconIsCopiedOnceAndTheMapGrowsByItsRule)
{
    std::vector<int> map;
    CMyImageList::GrowIndexMap(map, 300);
    EXPECT_EQ(301u, map.size());
    map[300] = 5;
    CMyImageList::GrowIndexMap(map, 320);
    EXPECT_EQ(365u, map.size());
    EXPECT_EQ(5, map[300]);
    EXPECT_EQ(-1, map[364]);
    std::vector<int> small;
    CMyImageList::GrowIndexMap(small, 3);
    EXPECT_EQ(128u, small.size());

    CMyImageList list;
    ASSERT_TRUE(list.Create(16, 16, ILC_MASK | ILC_COLORDDB, 4, 4));
    const UINT flags = SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES;
    const int a = list.AddShellIcon("C:\\one.txt", flags), b = list.AddShellIcon("C:\\two.txt", flags);
    ASSERT_GE(a, 0);
    EXPECT_EQ(a, b);
    EXPECT_EQ(1, list.GetImageCount());
}

// --- the frame -------------------------------------------------------------------------

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = MakeTempFolder("frame");
        App().m_strHistoryPath = CatalogPath(folder + "/HISTORY.DAT").c_str();
        App().m_strConfigPath = CatalogPath(folder + "/CONFIG.DAT").c_str();
        App().m_rcProfileWindow = {100, 50, 740, 530};
        App().m_nSplitterWidth = 200;
        doc = new CYQVDoc;
        doc->m_bAutoDelete = FALSE;  // the test deletes it after the frame
        frame = new CMainFrame;
        CCreateContext context;
        context.m_pCurrentDoc = doc;
        context.m_pNewViewClass = RUNTIME_CLASS(CLeftView);
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, &context));
        App().m_pMainWnd = frame;
        frame->InitialUpdateFrame(doc, TRUE);
        frame->ShowWindow(SW_SHOW);
        PumpPending();
    }
    void TearDown() override
    {
        App().m_bBusy = FALSE;
        // Not the main window any more, so that its end does not end the test's loop.
        App().m_pMainWnd = nullptr;
        if (::IsWindow(frame->GetSafeHwnd()))
            frame->DestroyWindow();
        delete doc;
        RemoveFolder(folder);
    }
    std::string folder;
    CYQVDoc* doc = nullptr;
    CMainFrame* frame = nullptr;
};

TEST_F(FrameTest, ToolBarHoldsItsControlsAndPanesTheirWidths)
{
    EXPECT_TRUE(::IsWindow(frame->m_btnBack.GetSafeHwnd()));
    EXPECT_TRUE(::IsWindow(frame->m_btnReload.GetSafeHwnd()));
    EXPECT_TRUE(::IsWindow(frame->m_editSearch.GetSafeHwnd()));
    EXPECT_TRUE(::IsWindow(frame->m_btnSearch.GetSafeHwnd()));
    CString text;
    frame->m_btnBack.GetWindowText(text);
    EXPECT_STREQ("戻る", text);
    frame->m_btnSearch.GetWindowText(text);
    EXPECT_STREQ("検索", text);
    CRect rc;
    frame->m_btnBack.GetWindowRect(&rc);
    EXPECT_EQ(48, rc.Width());
    frame->m_editSearch.GetWindowRect(&rc);
    EXPECT_EQ(150, rc.Width());
    EXPECT_NE(nullptr, frame->GetLeftView());
    EXPECT_EQ(200, frame->GetTreePaneWidth(0));
    int h1, min1;
    frame->m_wndRightSplitter.GetRowInfo(1, h1, min1);
    EXPECT_EQ(0, h1);
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ("Vendaro エクスプローラ", title);
}

TEST_F(FrameTest, ProgressTakesTwentySixStepsThenReady)
{
    frame->BeginProgress("Vendaroを検索しています...", 27, 1);
    ASSERT_NE(nullptr, frame->GetProgressBar());
    for (int i = 0; i < 26; ++i)
        frame->StepProgress();
    EXPECT_EQ(962, frame->GetProgressPos());
    EXPECT_EQ(962, static_cast<int>(frame->GetProgressBar()->SendMessage(PBM_GETPOS)));
    EXPECT_STREQ("Vendaroを検索しています...", frame->m_wndStatusBar.GetPaneText(0));
    frame->EndProgress();
    EXPECT_EQ(nullptr, frame->GetProgressBar());
    EXPECT_STREQ("ﾚﾃﾞｨ", frame->m_wndStatusBar.GetPaneText(0));
}

TEST_F(FrameTest, DetailRowHalvesAndHidingGivesRowZeroBoth)
{
    // The report list folds the row away whenever it is resized: a view that keeps it.
    frame->SwitchRightView(1);
    int h0, m0, h1, m1;
    frame->m_wndRightSplitter.GetRowInfo(0, h0, m0);
    frame->m_wndRightSplitter.GetRowInfo(1, h1, m1);
    ASSERT_EQ(0, h1);
    const int sum = h0 + h1;
    frame->ShowDetailRow(TRUE);
    EXPECT_TRUE(frame->IsDetailRowShown());
    frame->m_wndRightSplitter.GetRowInfo(0, h0, m0);
    frame->m_wndRightSplitter.GetRowInfo(1, h1, m1);
    EXPECT_EQ(sum / 2, h0);
    EXPECT_GT(h1, 0);  // the rest, less the splitter bar
    const int shownSum = h0 + h1;
    frame->ShowDetailRow(FALSE);
    frame->m_wndRightSplitter.GetRowInfo(0, h0, m0);
    frame->m_wndRightSplitter.GetRowInfo(1, h1, m1);
    EXPECT_EQ(shownSum, h0);
    EXPECT_EQ(0, h1);
    EXPECT_EQ(0, m1);
    EXPECT_FALSE(frame->IsDetailRowShown());
}

// A right-pane view that notes its initial update.
class CNotingView : public CView {
    DECLARE_DYNCREATE(CNotingView)
public:
    void OnInitialUpdate() override { ++s_updates; CView::OnInitialUpdate(); }
    static int s_updates;
protected:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CNotingView, CView)
int CNotingView::s_updates = 0;

TEST_F(FrameTest, SwitchingTheRightViewKeepsWidths)
{
    CRuntimeClass* old = CMainFrame::s_viewTable[3];
    CMainFrame::s_viewTable[3] = RUNTIME_CLASS(CNotingView);
    CNotingView::s_updates = 0;
    frame->m_wndSplitter.SetColumnInfo(0, 230, 10);
    frame->m_wndSplitter.RecalcLayout();
    CView* view = frame->SwitchRightView(3);
    CMainFrame::s_viewTable[3] = old;
    ASSERT_NE(nullptr, view);
    EXPECT_TRUE(view->IsKindOf(RUNTIME_CLASS(CNotingView)));
    EXPECT_EQ(1, CNotingView::s_updates);
    EXPECT_EQ(view, frame->GetRightView());
    EXPECT_EQ(3, frame->GetRightViewIndex());
    EXPECT_EQ(230, frame->GetTreePaneWidth(0));
    EXPECT_EQ(doc, view->GetDocument());
}

TEST_F(FrameTest, SortMenuForAnItemList)
{
    frame->GetSortState(3) = SortState{FALSE, 2};
    frame->BuildSortMenu(3);
    CMenu* sort = frame->GetMenu()->GetSubMenu(2)->GetSubMenu(9);
    ASSERT_NE(nullptr, sort);
    ASSERT_EQ(6, sort->GetMenuItemCount());
    CString caption;
    sort->GetMenuString(0, caption, MF_BYPOSITION);
    EXPECT_STREQ("品番昇順", caption);
    EXPECT_EQ(MF_CHECKED, sort->GetMenuState(5, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_EQ(0u, sort->GetMenuState(0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_EQ(&frame->GetSortState(3), &frame->GetSortState(5));
}

TEST_F(FrameTest, ClickOnAnIconButtonLeavesTheFocusInTheFrame)
{
    frame->SetForegroundWindow();
    frame->m_btnBack.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    frame->m_btnBack.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    HWND focus = ::GetFocus();
    EXPECT_NE(frame->m_btnBack.GetSafeHwnd(), focus);
    EXPECT_TRUE(focus == frame->GetSafeHwnd() || ::IsChild(frame->GetSafeHwnd(), focus));
}

TEST_F(FrameTest, UpToTheParentAndFocusBetweenThePanes)
{
    CLeftView* left = frame->GetLeftView();
    ASSERT_NE(nullptr, left);
    CTreeCtrl& tree = left->GetTreeCtrl();
    HTREEITEM parent = tree.InsertItem("親");
    HTREEITEM child = tree.InsertItem("子", parent);
    tree.SelectItem(child);
    frame->SendMessage(WM_COMMAND, ID_GO_UP);
    EXPECT_EQ(parent, tree.GetSelectedItem());

    frame->SetForegroundWindow();
    left->SetFocus();
    frame->SendMessage(WM_COMMAND, ID_FOCUS_NEXT_PANE);
    EXPECT_EQ(frame->GetRightView()->GetSafeHwnd(), ::GetFocus());
    frame->SendMessage(WM_COMMAND, ID_FOCUS_NEXT_PANE);
    EXPECT_EQ(left->GetSafeHwnd(), ::GetFocus());
    frame->m_editSearch.SetFocus();
    frame->SendMessage(WM_COMMAND, ID_FOCUS_NEXT_PANE);
    EXPECT_EQ(left->GetSafeHwnd(), ::GetFocus());
}

TEST_F(FrameTest, CloseWhileBusyIsIgnored)
{
    App().m_bBusy = TRUE;
    frame->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(frame->GetSafeHwnd()));
    EXPECT_FALSE(fs::exists(fs::path(folder) / "CONFIG.DAT"));
}

TEST_F(FrameTest, VolumeWithMediaPostsOneReload)
{
    DEV_BROADCAST_VOLUME vol{};
    vol.dbcv_size = sizeof vol;
    vol.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    vol.dbcv_unitmask = 1 << 3;
    vol.dbcv_flags = DBTF_MEDIA;
    EXPECT_EQ(TRUE, frame->SendMessage(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&vol)));
    vol.dbcv_flags = 0;  // a volume without media: nothing
    frame->SendMessage(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&vol));
    int reloads = 0;
    MSG msg;
    while (::PeekMessage(&msg, frame->GetSafeHwnd(), WM_COMMAND, WM_COMMAND, PM_REMOVE))
        reloads += LOWORD(msg.wParam) == ID_VIEW_REFRESH;
    EXPECT_EQ(1, reloads);
}

// The system's folder picker, driven as a user would: the folder chosen, then OK; `then`
// runs in the next modal loop (the message box that may follow).
HWND FindActiveDialog()
{
    HWND w = ::GetActiveWindow();
    char cls[16] = {};
    ::GetClassName(w, cls, sizeof cls);
    return strcmp(cls, "#32770") == 0 ? w : nullptr;
}

// The label of the picker's selected folder.
std::string SelectedLabel(HWND tree)
{
    char text[MAX_PATH] = {};
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = TreeView_GetSelection(tree);
    item.pszText = text;
    item.cchTextMax = sizeof text;
    if (item.hItem)
        ::SendMessage(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return text;
}

void PickFolder(const std::string& path, std::function<void()> then, int tries = 50)
{
    RunWhenIdle([path, then, tries] {
        HWND picker = FindActiveDialog();
        HWND tree = picker ? ::FindWindowEx(picker, nullptr, WC_TREEVIEW, nullptr) : nullptr;
        ASSERT_TRUE(tree || tries > 0);
        std::string leaf = path.substr(path.find_last_of('\\') + 1);
        if (leaf.empty())
            leaf = path.substr(0, 2);  // a drive root shows as its letter and colon somewhere in its label
        const bool chosen = tree && SelectedLabel(tree).find(leaf) != std::string::npos;
        if (tree && !chosen) {
            char caption[128] = {};
            ::GetDlgItemText(picker, 0x3742, caption, sizeof caption);  // the picker's title line
            EXPECT_STREQ("Vendaroディレクトリの選択", caption);
            ::SendMessage(picker, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
        }
        // Again until the picker shows the folder as chosen (it fills its tree after showing).
        if (!chosen && tries > 0) {
            PickFolder(path, then, tries - 1);
            return;
        }
        if (then)
            RunWhenIdle(then, 300);
        ::SendMessage(picker, WM_COMMAND, IDOK, 0);
    }, 100);
}

// Notes the text of the message box that is up and answers OK.
std::function<void()> AnswerMessageBox(std::string& said)
{
    return [&said] {
        HWND box = FindActiveDialog();
        ASSERT_NE(nullptr, box);
        char text[512] = {};
        ::GetDlgItemText(box, 0xFFFF, text, sizeof text);
        said = text;
        ::SendMessage(box, WM_COMMAND, IDOK, 0);
    };
}

TEST_F(FrameTest, RegisterCommandThroughTheFolderPicker)
{
    const std::string dir = CatalogPath(folder + "/registered");
    FixtureOptions options;
    GenerateCatalog(folder + "/registered", options);
    const size_t entries = App().m_cacheEntries.size(), dirs = App().m_registeredDirs.size();

    // A catalogue folder: registered, loaded, with an entry whose block is still to be written.
    PickFolder(dir, nullptr);
    frame->SendMessage(WM_COMMAND, ID_REGISTER_DIRECTORY);
    ASSERT_EQ(dirs + 1, App().m_registeredDirs.size());
    EXPECT_STREQ((dir + "\\").c_str(), App().m_registeredDirs.back());
    ASSERT_EQ(entries + 1, App().m_cacheEntries.size());
    EXPECT_TRUE(App().m_cacheEntries.back()->m_bNeedsWriting);
    EXPECT_NE(nullptr, doc->FindCatalog((dir + "\\").c_str()));

    // The same folder again: its message, nothing more registered.
    std::string said;
    PickFolder(dir, AnswerMessageBox(said));
    frame->SendMessage(WM_COMMAND, ID_REGISTER_DIRECTORY);
    EXPECT_EQ("指定されたディレクトリは既に登録されています。", said);
    EXPECT_EQ(dirs + 1, App().m_registeredDirs.size());

    // A folder on a CD-ROM drive, when the prefix has one.
    char root[] = "A:\\";
    for (; root[0] <= 'Z' && ::GetDriveType(root) != DRIVE_CDROM; ++root[0]) {
    }
    if (root[0] > 'Z')
        GTEST_SKIP() << "no CD-ROM drive in this prefix (the browser prefix has d:)";
    said.clear();
    PickFolder(root, AnswerMessageBox(said));
    frame->SendMessage(WM_COMMAND, ID_REGISTER_DIRECTORY);
    EXPECT_EQ(0u, said.find("指定されたディレクトリはCD-ROMドライブです。"));
    EXPECT_EQ(dirs + 1, App().m_registeredDirs.size());
}

// --- small dialogs -----------------------------------------------------------------------

void ClickInActiveDialog(int id)
{
    RunWhenIdle([id] {
        HWND dlg = ::GetActiveWindow();
        ::SendMessage(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg, id)));
    });
}

TEST(SmallDialogs, ConfirmGivesOkOnlyForYes)
{
    for (int id : {IDOK, IDCANCEL}) {
        CConfirmDlg dlg;
        dlg.SetTexts("削除しますか？", "確認");
        ClickInActiveDialog(id);
        EXPECT_EQ(id, dlg.DoModal());
    }
}

TEST(SmallDialogs, CancelStaysUntilMadeAgain)
{
    CSearchProgressDlg dlg;
    ASSERT_TRUE(dlg.Create(nullptr));
    EXPECT_TRUE(dlg.IsShown());
    EXPECT_FALSE(dlg.IsCancelled());
    dlg.SendMessage(WM_COMMAND, IDCANCEL);
    PumpPending();
    EXPECT_FALSE(dlg.IsShown());
    EXPECT_TRUE(dlg.IsCancelled());
    ASSERT_TRUE(dlg.Create(nullptr));
    EXPECT_FALSE(dlg.IsCancelled());
    // The animation opened from the program's AVI, and it plays by itself.
    HWND animation = ::GetDlgItem(dlg.GetSafeHwnd(), IDC_SEARCH_ANIMATE);
    ASSERT_TRUE(::IsWindow(animation));
    // Its picture on the screen changes from frame to frame.
    auto picture = [animation] {
        RECT rc;
        ::GetWindowRect(animation, &rc);
        HDC screen = ::GetDC(nullptr);
        std::string px;
        for (LONG y = rc.top; y < rc.bottom; ++y)
            for (LONG x = rc.left; x < rc.right; ++x)
                px += std::to_string(::GetPixel(screen, x, y)) + ",";
        ::ReleaseDC(nullptr, screen);
        return px;
    };
    ::Sleep(200);  // past the first frame's painting
    PumpPending();
    const std::string first = picture();
    EXPECT_TRUE(PumpUntil([&] { return picture() != first; }));
    dlg.DestroyWindow();
}

// --- clipboard hand-over ------------------------------------------------------------------

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = MakeTempFolder("clip");
        RegisterVendaroClipboardFormat();
        picture = CatalogPath(folder + "/PIC.BMP");
        // A 4 x 2 24-bit BMP.
        std::string bmp = "BM";
        auto put32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) bmp.push_back(static_cast<char>(v >> (8 * i))); };
        auto put16 = [&](uint16_t v) { bmp.push_back(static_cast<char>(v)); bmp.push_back(static_cast<char>(v >> 8)); };
        put32(54 + 24); put32(0); put32(54);
        put32(40); put32(4); put32(2); put16(1); put16(24); put32(0); put32(24); put32(0); put32(0); put32(0); put32(0);
        bmp.append(24, '\x40');
        WriteFile(folder + "/PIC.BMP", bmp);
        WriteFile(folder + "/BAD.BMP", "BMxx");
        window.CreateEx(0, AfxRegisterWndClass(0), "clip", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0);
    }
    void TearDown() override
    {
        window.DestroyWindow();
        RemoveFolder(folder);
    }
    std::string Data(UINT format)
    {
        std::string out;
        if (HANDLE h = ::GetClipboardData(format)) {
            out.assign(static_cast<const char*>(::GlobalLock(h)), ::GlobalSize(h));
            ::GlobalUnlock(h);
        }
        return out;
    }
    template <class F>
    void Fill(F fill)
    {
        ASSERT_TRUE(::OpenClipboard(window.GetSafeHwnd()));
        ::EmptyClipboard();
        fill();
        ::CloseClipboard();
        ASSERT_TRUE(::OpenClipboard(window.GetSafeHwnd()));
    }
    std::string folder, picture;
    CWnd window;
};

TEST_F(ClipboardTest, CopyGivesPictureAndFileListOnly)
{
    Fill([&] { EXPECT_TRUE(SetClipboardHDrop(picture.c_str())); });
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_DIB) || ::IsClipboardFormatAvailable(CF_BITMAP));
    std::string hdrop = Data(CF_HDROP);
    ASSERT_GE(hdrop.size(), 20 + picture.size() + 2);
    EXPECT_EQ(BuildHDropBlock({CString(picture.c_str())}), hdrop.substr(0, 20 + picture.size() + 2));
    EXPECT_FALSE(::IsClipboardFormatAvailable(CF_VENDAROEXPLORER));
    ::CloseClipboard();
}

TEST_F(ClipboardTest, PlainPictureAsPrivateFormat)
{
    Fill([&] { EXPECT_TRUE(SetClipboardImageFile(picture.c_str())); });
    std::string priv = Data(CF_VENDAROEXPLORER);
    ASSERT_GE(priv.size(), picture.size() + 7);
    EXPECT_EQ(picture + std::string(7, '\0'), priv.substr(0, picture.size() + 7));
    ::CloseClipboard();
}

TEST_F(ClipboardTest, UnreadablePictureGivesNothingOfOurs)
{
    const std::string bad = CatalogPath(folder + "/BAD.BMP");
    yqItem item;
    item.m_strPicturePath = bad.c_str();
    Fill([&] {
        EXPECT_FALSE(SetClipboardImageFile(bad.c_str()));
        EXPECT_FALSE(SetClipboardItem(item));
    });
    EXPECT_FALSE(::IsClipboardFormatAvailable(CF_HDROP));
    EXPECT_FALSE(::IsClipboardFormatAvailable(CF_VENDAROEXPLORER));
    ::CloseClipboard();
}

TEST(DragBlocks, NothingPendingStartsNoDrag)
{
    HGLOBAL priv, hdrop;
    EXPECT_FALSE(TakeDragBlocks(priv, hdrop));
    EXPECT_EQ(nullptr, hdrop);
    AddDragFilePath("C:\\A.BMP");
    ASSERT_TRUE(TakeDragBlocks(priv, hdrop));
    EXPECT_EQ(nullptr, priv);
    EXPECT_EQ(20u + 8 + 2, ::GlobalSize(hdrop));
    ::GlobalFree(hdrop);
    EXPECT_FALSE(TakeDragBlocks(priv, hdrop));
}

}  // namespace
