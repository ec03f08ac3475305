// The search dialogs 161, 162 and 132 in a frame under Wine (pages, labels, Ctrl+Tab, each
// check's message, histories), the frame's commands 32771, 32814 and 32815 that store what
// they give, and the tree's rescan and repeated search.
#include <direct.h>

#include "DataSearchDlg.h"
#include "ImageSearchDlg.h"
#include "SavedSearchDlg.h"
#include "TreeFixture.h"

using namespace catalogtest;

namespace {

bool Shown(CWnd& dlg, UINT id) { return ::IsWindowVisible(::GetDlgItem(dlg.m_hWnd, id)) != FALSE; }
bool Enabled(CWnd& dlg, UINT id) { return ::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, id)) != FALSE; }
std::string Text(HWND dlg, UINT id)
{
    char text[512] = {};
    ::GetDlgItemText(dlg, id, text, sizeof text);
    return text;
}
std::string Text(CWnd& dlg, UINT id) { return Text(dlg.m_hWnd, id); }

// Types into a drop-down or edit as the user would: the text, then the box's notification.
void Type(HWND dlg, UINT id, const char* text)
{
    HWND box = ::GetDlgItem(dlg, id);
    ::SetWindowText(box, text);
    char cls[32] = {};
    ::GetClassName(box, cls, sizeof cls);
    if (_stricmp(cls, "ComboBox") == 0)
        ::SendMessage(dlg, WM_COMMAND, MAKEWPARAM(id, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(box));
    PumpPending();
}
void Type(CWnd& dlg, UINT id, const char* text) { Type(dlg.m_hWnd, id, text); }

void Pick(HWND dlg, UINT id, int index)
{
    HWND box = ::GetDlgItem(dlg, id);
    ::SendMessage(box, CB_SETCURSEL, index, 0);
    ::SendMessage(dlg, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    PumpPending();
}
void Pick(CWnd& dlg, UINT id, int index) { Pick(dlg.m_hWnd, id, index); }

std::vector<std::string> Entries(CWnd& dlg, UINT id)
{
    std::vector<std::string> out;
    HWND box = ::GetDlgItem(dlg.m_hWnd, id);
    const int n = static_cast<int>(::SendMessage(box, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char text[512] = {};
        ::SendMessage(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        out.emplace_back(text);
    }
    return out;
}
int Selected(CWnd& dlg, UINT id) { return static_cast<int>(::SendDlgItemMessage(dlg.m_hWnd, id, CB_GETCURSEL, 0, 0)); }

// Ctrl+Tab as the keyboard gives it to the focused control.
void CtrlTab(CWnd& dlg)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    const BYTE was = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    HWND focus = ::GetFocus();
    ::PostMessage(focus && ::IsChild(dlg.m_hWnd, focus) ? focus : dlg.m_hWnd, WM_KEYDOWN, VK_TAB, 0);
    PumpPending();
    keys[VK_CONTROL] = was;
    ::SetKeyboardState(keys);
}

int Page(CWnd& dlg, UINT tabs) { return static_cast<int>(::SendDlgItemMessage(dlg.m_hWnd, tabs, TCM_GETCURSEL, 0, 0)); }

class SearchDialogTest : public TreeTest {
protected:
    // Opens a kept dialog modeless over the frame, as DoModal would show it.
    template <class Dlg> void Open(Dlg& dlg, UINT id)
    {
        ASSERT_TRUE(dlg.Create(id, frame));
        dlg.ShowWindow(SW_SHOW);
        PumpPending();
    }
    // OK; gives the text of a message the dialog showed (then it stays open).
    std::string Ok(CWnd& dlg)
    {
        return Answering([&dlg] { dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); });
    }
    // A modal command whose dialog `fill` drives and then confirms; gives a message's text.
    std::string Command(UINT id, std::function<void(HWND)> fill)
    {
        RunWhenIdle([fill] {
            HWND dlg = ::GetActiveWindow();
            fill(dlg);
            ::SendMessage(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        return Answering([this, id] { frame->SendMessage(WM_COMMAND, id); });
    }
};

TEST_F(SearchDialogTest, DataSearchPagesShowTheirControlsAndLabelsAndCtrlTabWraps)
{
    CDataSearchDlg dlg;
    Open(dlg, IDD_DATA_SEARCH);
    struct PageView {
        bool cdrom, field, folder, price;
        const char* labels[5];
    };
    const PageView pages[3] = {
        {true, false, false, false, {"", "を含むデータを", "", "", ""}},
        {false, true, true, false, {"に", "を含むデータを", "", "", "から"}},
        {false, true, true, true, {"に", "を含み", "円以上", "円以下", "から"}},
    };
    const UINT labels[5] = {IDC_SEARCH_LABEL_FIELD, IDC_SEARCH_LABEL_TEXT, IDC_SEARCH_LABEL_LOWER,
                            IDC_SEARCH_LABEL_UPPER, IDC_SEARCH_LABEL_FOLDER};
    EXPECT_EQ((std::vector<std::string>{"品番", "品名", "キーワード"}), Entries(dlg, IDC_SEARCH_FIELD));
    for (int step = 0; step < 4; ++step) {
        const int page = step % 3;
        const PageView& want = pages[page];
        EXPECT_EQ(page, Page(dlg, IDC_SEARCH_TABS));
        EXPECT_EQ(want.cdrom, Shown(dlg, IDC_SEARCH_CDROM_LABEL)) << page;
        EXPECT_TRUE(Shown(dlg, IDC_SEARCH_TEXT));
        EXPECT_EQ(want.field, Shown(dlg, IDC_SEARCH_FIELD)) << page;
        EXPECT_EQ(want.folder, Shown(dlg, IDC_SEARCH_FOLDER)) << page;
        EXPECT_EQ(want.folder, Shown(dlg, IDC_SEARCH_BROWSE)) << page;
        EXPECT_EQ(want.price, Shown(dlg, IDC_SEARCH_LOWER)) << page;
        EXPECT_EQ(want.price, Shown(dlg, IDC_SEARCH_UPPER)) << page;
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(want.labels[i], Text(dlg, labels[i])) << page << " label " << i;
        // 検索(&S) wants a text, and on pages 1 and 2 a folder too.
        Type(dlg, IDC_SEARCH_TEXT, "");
        Type(dlg, IDC_SEARCH_FOLDER, "");
        EXPECT_FALSE(Enabled(dlg, IDOK));
        Type(dlg, IDC_SEARCH_TEXT, "abc");
        EXPECT_EQ(page == 0, Enabled(dlg, IDOK)) << page;
        Type(dlg, IDC_SEARCH_FOLDER, "C:\\");
        EXPECT_TRUE(Enabled(dlg, IDOK));
        CtrlTab(dlg);
        EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_SEARCH_TABS), ::GetFocus());
    }
    dlg.DestroyWindow();
}

TEST_F(SearchDialogTest, DataSearchChecksResultsAndHistoriesNewestFirst)
{
    CDataSearchDlg dlg;
    dlg.SetDocument(doc);
    // Page 0 without a catalogue: the message, and the dialog stays.
    Open(dlg, IDD_DATA_SEARCH);
    Type(dlg, IDC_SEARCH_TEXT, "abc");
    EXPECT_EQ("CD-ROMの準備ができていません。", Ok(dlg));
    EXPECT_TRUE(dlg.IsWindowVisible());
    dlg.DestroyWindow();

    FixtureOptions options;
    Load(options);
    // Page 0 ignores the price boxes: every field, every catalogue, no bounds.
    Open(dlg, IDD_DATA_SEARCH);
    Type(dlg, IDC_SEARCH_TEXT, "abc");
    Type(dlg, IDC_SEARCH_LOWER, "1,000");
    EXPECT_EQ("", Ok(dlg));
    EXPECT_EQ("****", dlg.m_strCode);
    EXPECT_EQ("*:", dlg.m_strFolder);
    EXPECT_EQ(-1, dlg.m_nLower);
    EXPECT_EQ(2147483647, dlg.m_nUpper);
    EXPECT_EQ("abc", dlg.m_strDescription);
    dlg.DestroyWindow();

    // Page 2: "1,000" is the bound 1000, "c:" the folder C:\.
    dlg.m_nPage = 2;
    Open(dlg, IDD_DATA_SEARCH);
    EXPECT_EQ((std::vector<std::string>{"下限なし", "1,000"}), Entries(dlg, IDC_SEARCH_LOWER));
    EXPECT_EQ(0, Selected(dlg, IDC_SEARCH_LOWER));  // the kept bound is none
    Type(dlg, IDC_SEARCH_TEXT, "AB");
    Pick(dlg, IDC_SEARCH_LOWER, 1);
    for (const char* bad : {"C:\\NO SUCH FOLDER", "1:"}) {
        Type(dlg, IDC_SEARCH_FOLDER, bad);
        EXPECT_EQ("入力されたフォルダが正しくありません。", Ok(dlg)) << bad;
        EXPECT_TRUE(dlg.IsWindowVisible());
    }
    Type(dlg, IDC_SEARCH_FOLDER, "c:");
    EXPECT_EQ("", Ok(dlg));
    EXPECT_EQ("0001", dlg.m_strCode);
    EXPECT_EQ("C:\\", dlg.m_strFolder);
    EXPECT_EQ(1000, dlg.m_nLower);
    EXPECT_EQ(2147483647, dlg.m_nUpper);
    EXPECT_EQ("品番=AB:1,000円～上限なし", dlg.m_strDescription);
    dlg.DestroyWindow();

    // Kept: the page, the histories newest first, the bound and the field.
    Open(dlg, IDD_DATA_SEARCH);
    EXPECT_EQ(2, Page(dlg, IDC_SEARCH_TABS));
    // "AB" is a prefix of "abc", not the same text: both stay.
    EXPECT_EQ((std::vector<std::string>{"AB", "abc"}), Entries(dlg, IDC_SEARCH_TEXT));
    EXPECT_EQ("AB", Text(dlg, IDC_SEARCH_TEXT));
    EXPECT_EQ(1, Selected(dlg, IDC_SEARCH_LOWER));
    EXPECT_EQ((std::vector<std::string>{"C:\\"}), Entries(dlg, IDC_SEARCH_FOLDER));
    // Page 1 on a folder with a trailing backslash, by 品名: no bounds, the folder kept whole.
    dlg.m_nPage = 1;
    ::SendDlgItemMessage(dlg.m_hWnd, IDC_SEARCH_TABS, TCM_SETCURSEL, 1, 0);
    NMHDR nm{::GetDlgItem(dlg.m_hWnd, IDC_SEARCH_TABS), IDC_SEARCH_TABS, static_cast<UINT>(TCN_SELCHANGE)};
    dlg.SendMessage(WM_NOTIFY, IDC_SEARCH_TABS, reinterpret_cast<LPARAM>(&nm));
    Pick(dlg, IDC_SEARCH_FIELD, 1);
    Type(dlg, IDC_SEARCH_TEXT, "chair");
    Type(dlg, IDC_SEARCH_FOLDER, "c:\\windows\\");
    EXPECT_EQ("", Ok(dlg));
    EXPECT_EQ("C:\\WINDOWS\\", dlg.m_strFolder);
    EXPECT_EQ("品名=chair", dlg.m_strDescription);
    EXPECT_EQ("0002", dlg.m_strCode);
    EXPECT_EQ(-1, dlg.m_nLower);
    EXPECT_EQ((std::vector<CString>{"chair", "AB", "abc"}), dlg.m_textHistory);
    EXPECT_EQ((std::vector<CString>{"C:\\WINDOWS\\", "C:\\"}), dlg.m_folderHistory);
    dlg.DestroyWindow();
    // Cancel keeps nothing it was given.
    Open(dlg, IDD_DATA_SEARCH);
    Type(dlg, IDC_SEARCH_TEXT, "dropped");
    dlg.SendMessage(WM_COMMAND, IDCANCEL);
    PumpPending();
    EXPECT_EQ(3u, dlg.m_textHistory.size());
    dlg.DestroyWindow();
}

TEST_F(SearchDialogTest, ImageSearchPagesMonthLengthsAndDateChecks)
{
    CImageSearchDlg dlg;
    Open(dlg, IDD_IMAGE_SEARCH);
    // No kept date yet: today in both.
    SYSTEMTIME today;
    ::GetLocalTime(&today);
    EXPECT_EQ(std::to_string(today.wYear), Text(dlg, IDC_IMAGE_FROM_YEAR));
    EXPECT_EQ(std::to_string(today.wDay), Text(dlg, IDC_IMAGE_TO_DAY));
    for (int step = 0; step < 3; ++step) {
        const bool dates = step % 2 == 1;
        EXPECT_EQ(dates ? 1 : 0, Page(dlg, IDC_IMAGE_TABS));
        for (UINT id : {IDC_IMAGE_FROM_YEAR, IDC_IMAGE_TO_DAY_SPIN, IDC_IMAGE_LABEL_FROM, IDC_IMAGE_LABEL_TO})
            EXPECT_EQ(dates, Shown(dlg, id)) << step << " " << id;
        EXPECT_EQ(dates ? "を含み" : "を含むデータを", Text(dlg, IDC_IMAGE_LABEL_FILE));
        EXPECT_TRUE(Shown(dlg, IDC_IMAGE_FOLDER));
        CtrlTab(dlg);
    }
    // 検索(&S) wants both the file name and the folder.
    Type(dlg, IDC_IMAGE_FILE, "abc");
    Type(dlg, IDC_IMAGE_FOLDER, "");
    EXPECT_FALSE(Enabled(dlg, IDOK));
    Type(dlg, IDC_IMAGE_FOLDER, "c:");
    EXPECT_TRUE(Enabled(dlg, IDOK));

    // February: 29 days in 2000, 28 in 1900 (typed, below the buttons' range).
    Type(dlg, IDC_IMAGE_FROM_DAY, "31");
    Type(dlg, IDC_IMAGE_FROM_YEAR, "2000");
    Type(dlg, IDC_IMAGE_FROM_MONTH, "2");
    EXPECT_EQ("29", Text(dlg, IDC_IMAGE_FROM_DAY));
    Type(dlg, IDC_IMAGE_FROM_YEAR, "1900");
    EXPECT_EQ("28", Text(dlg, IDC_IMAGE_FROM_DAY));
    int low = 0, high = 0;
    ::SendDlgItemMessage(dlg.m_hWnd, IDC_IMAGE_FROM_DAY_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                         reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(1, low);
    EXPECT_EQ(28, high);
    // Dates outside the ranges are refused and the dialog stays.
    EXPECT_EQ("入力された日付が正しくありません。", Ok(dlg));
    Type(dlg, IDC_IMAGE_FROM_YEAR, "2000");
    Type(dlg, IDC_IMAGE_TO_MONTH, "13");
    EXPECT_EQ("入力された日付が正しくありません。", Ok(dlg));
    EXPECT_TRUE(dlg.IsWindowVisible());
    Type(dlg, IDC_IMAGE_TO_YEAR, "2000");
    Type(dlg, IDC_IMAGE_TO_MONTH, "3");
    Type(dlg, IDC_IMAGE_TO_DAY, "1");
    Type(dlg, IDC_IMAGE_FOLDER, "C:\\NO SUCH FOLDER");
    EXPECT_EQ("入力されたフォルダが正しくありません。", Ok(dlg));
    Type(dlg, IDC_IMAGE_FOLDER, "c:");
    dlg.m_nPage = 1;
    EXPECT_EQ("", Ok(dlg));
    EXPECT_EQ("C:\\", dlg.m_strFolder);
    EXPECT_EQ("ファイル名=abc (C:\\):2000/2/28～2000/3/1", dlg.m_strDescription);
    dlg.DestroyWindow();
    // Kept: the dates and the histories.
    Open(dlg, IDD_IMAGE_SEARCH);
    EXPECT_EQ("2000", Text(dlg, IDC_IMAGE_FROM_YEAR));
    EXPECT_EQ("28", Text(dlg, IDC_IMAGE_FROM_DAY));
    EXPECT_EQ((std::vector<std::string>{"abc"}), Entries(dlg, IDC_IMAGE_FILE));
    EXPECT_EQ((std::vector<std::string>{"C:\\"}), Entries(dlg, IDC_IMAGE_FOLDER));
    dlg.DestroyWindow();
}

TEST_F(SearchDialogTest, SavedSearchOffersThisDocumentsNamesAndChecksInOrder)
{
    FixtureOptions options;
    const Manifest m = Load(options);
    const CString root = doc->GetCatalog(0)->GetRootPath();
    std::vector<CSearchCondition*> saved;
    auto add = [&saved](const char* catalog, const char* name, const char* code, const char* text, int method) {
        auto* c = new CSearchCondition;
        c->m_strCatalog = catalog;
        c->m_strName = name;
        c->m_strCode = code;
        c->m_strText = text;
        c->m_nMethod = method;
        saved.push_back(c);
    };
    add(root, "玄関", "0002", "玄関ドア", 2);
    add("Q:\\ELSEWHERE\\", "よそ", "0001", "x", 1);

    CSavedSearchDlg dlg;
    dlg.SetDocument(doc);
    dlg.SetConditions(&saved);
    Open(dlg, IDD_SAVED_SEARCH);
    EXPECT_EQ((std::vector<std::string>{static_cast<const char*>(root)}), Entries(dlg, IDC_SAVED_CATALOG));
    EXPECT_FALSE(Enabled(dlg, IDC_SAVED_CATALOG));  // the only catalogue
    EXPECT_EQ((std::vector<std::string>{"玄関"}), Entries(dlg, IDC_SAVED_NAME));
    EXPECT_EQ((std::vector<std::string>{"品番", "品名", "スペック", "キーワード"}), Entries(dlg, IDC_SAVED_FIELD));
    EXPECT_EQ((std::vector<std::string>{"と完全に一致する", "を先頭に持つ", "を含む"}), Entries(dlg, IDC_SAVED_METHOD));

    Pick(dlg, IDC_SAVED_NAME, 0);
    EXPECT_EQ("玄関ドア", Text(dlg, IDC_SAVED_TEXT));
    EXPECT_EQ(1, Selected(dlg, IDC_SAVED_FIELD));
    EXPECT_EQ(1, Selected(dlg, IDC_SAVED_METHOD));
    EXPECT_EQ("同名の検索条件が既に登録されています。別の名前を指定してください", Ok(dlg));

    Type(dlg, IDC_SAVED_NAME, "");
    EXPECT_EQ("検索名を入力してください", Ok(dlg));
    Type(dlg, IDC_SAVED_NAME, "新しい");
    Pick(dlg, IDC_SAVED_FIELD, -1);
    EXPECT_EQ("検索する項目を指定してください", Ok(dlg));
    Type(dlg, IDC_SAVED_TEXT, "");
    Pick(dlg, IDC_SAVED_FIELD, 2);
    EXPECT_EQ("検索する文字列を指定してください", Ok(dlg));
    EXPECT_TRUE(dlg.IsWindowVisible());
    // スペック: contains, and the method list off; another field gives it back.
    EXPECT_EQ(2, Selected(dlg, IDC_SAVED_METHOD));
    EXPECT_FALSE(Enabled(dlg, IDC_SAVED_METHOD));
    Pick(dlg, IDC_SAVED_FIELD, 0);
    EXPECT_TRUE(Enabled(dlg, IDC_SAVED_METHOD));
    Pick(dlg, IDC_SAVED_METHOD, 0);
    Pick(dlg, IDC_SAVED_FIELD, 2);
    Type(dlg, IDC_SAVED_TEXT, "木");
    EXPECT_EQ("", Ok(dlg));
    EXPECT_EQ("新しい", dlg.m_strName);
    EXPECT_EQ("0021", dlg.m_strCode);
    EXPECT_EQ(3, dlg.m_nMethod);
    EXPECT_EQ("木", dlg.m_strText);
    EXPECT_EQ(root, dlg.m_strCatalog);
    dlg.DestroyWindow();
    for (CSearchCondition* c : saved)
        delete c;
    (void)m;
}

// The frame's update of a command, as the idle update or a menu would ask it.
class EnableProbe : public CCmdUI {
public:
    explicit EnableProbe(UINT id) { m_nID = id; }
    void Enable(BOOL on) override
    {
        enabled = on;
        m_bEnableChanged = TRUE;
    }
    BOOL enabled = -1;
};

TEST_F(SearchDialogTest, SavedConditionCommandStoresAndRunsEvenWithoutHits)
{
    EnableProbe off(ID_SEARCH_DATA_QUICK);
    off.DoUpdate(frame, FALSE);
    EXPECT_FALSE(off.enabled);

    FixtureOptions options;
    const Manifest m = Load(options);
    EnableProbe on(ID_SEARCH_DATA_QUICK);
    on.DoUpdate(frame, FALSE);
    EXPECT_TRUE(on.enabled);
    const char* text = "ユニットバス";
    const size_t hits = m.SearchHits("0002", text, 3, -1, 2147483647).size();
    ASSERT_GT(hits, 0u);
    auto fill = [](const char* name, const char* searched) {
        return [name, searched](HWND dlg) {
            Type(dlg, IDC_SAVED_NAME, name);
            Pick(dlg, IDC_SAVED_FIELD, 1);
            Pick(dlg, IDC_SAVED_METHOD, 2);
            Type(dlg, IDC_SAVED_TEXT, searched);
        };
    };
    EXPECT_EQ("", Command(ID_SEARCH_DATA_QUICK, fill("mine", text)));
    ASSERT_EQ((std::vector<CString>{"mine"}), SearchNames());
    CTreeNode* node = tree->m_pSearchRoot->GetChild(0);
    EXPECT_EQ(hits, static_cast<size_t>(node->GetChildCount()));
    EXPECT_EQ(node, tree->GetCurrentNode());
    ASSERT_EQ(1u, App().m_searchConditions.size());
    const CSearchCondition* c = App().m_searchConditions[0];
    EXPECT_EQ(doc->GetCatalog(0)->GetRootPath(), c->m_strCatalog);
    EXPECT_EQ("0002", c->m_strCode);
    EXPECT_EQ(3, c->m_nMethod);
    EXPECT_EQ(-1, c->m_nLowPrice);
    EXPECT_EQ(0, c->m_nKind);
    // Nothing found: the node stays, with its empty result.
    EXPECT_EQ("", Command(ID_SEARCH_DATA_QUICK, fill("none", "該当なしの語")));
    EXPECT_EQ((std::vector<CString>{"mine", "none"}), SearchNames());
    EXPECT_EQ(2u, App().m_searchConditions.size());
    EXPECT_EQ("該当するデータは見つかりませんでした", tree->m_pSearchRoot->GetChild(1)->GetChild(0)->m_strText);
}

TEST_F(SearchDialogTest, DataSearchCommandNamesByDescriptionAndDropsEmptyResults)
{
    // Without a catalogue the condition is kept without a node, and no progress dialog stays.
    frame->m_dlgDataSearch.m_nPage = 1;
    EXPECT_EQ("", Command(ID_SEARCH_DATA, [](HWND dlg) {
                  Type(dlg, IDC_SEARCH_TEXT, "abc");
                  Type(dlg, IDC_SEARCH_FOLDER, "c:");
              }));
    EXPECT_EQ(1u, App().m_searchConditions.size());
    EXPECT_FALSE(App().m_dlgSearchProgress.IsShown());
    App().FreeLists();

    FixtureOptions options;
    options.products = 60;
    const Manifest m = Load(options);
    const char* text = "ドア";
    const auto want = m.SearchHits("0002", text, 3, 1000, 2147483647);
    ASSERT_FALSE(want.empty());
    frame->m_dlgDataSearch.m_nPage = 2;
    const std::string folder = m.root;
    EXPECT_EQ("", Command(ID_SEARCH_DATA, [&folder, text](HWND dlg) {
                  Pick(dlg, IDC_SEARCH_FIELD, 1);
                  Type(dlg, IDC_SEARCH_TEXT, text);
                  Type(dlg, IDC_SEARCH_LOWER, "1,000");
                  Type(dlg, IDC_SEARCH_FOLDER, folder.c_str());
              }));
    ASSERT_EQ(1u, SearchNames().size());
    EXPECT_EQ("品名=ドア:1,000円～上限なし", SearchNames()[0]);
    CTreeNode* node = tree->m_pSearchRoot->GetChild(0);
    std::vector<ExpectedHit> got;
    for (CTreeNode* c : node->m_children)
        if (yqItem* item = c->GetItem())
            got.push_back({item->m_pszNumber, item->m_nKind});
    std::sort(got.begin(), got.end());
    EXPECT_EQ(want, got);
    ASSERT_EQ(1u, App().m_searchConditions.size());
    EXPECT_EQ(2, App().m_searchConditions[0]->m_nKind);
    EXPECT_EQ(1000, App().m_searchConditions[0]->m_nLowPrice);

    // Nothing found: the message, and neither node nor condition stays.
    frame->m_dlgDataSearch.m_nPage = 0;
    EXPECT_EQ("検索数が０でした。この結果は登録されません。",
              Command(ID_SEARCH_DATA, [](HWND dlg) { Type(dlg, IDC_SEARCH_TEXT, "該当なしの語"); }));
    EXPECT_EQ(1u, SearchNames().size());
    EXPECT_EQ(1u, App().m_searchConditions.size());

    // A quick search puts the dialog back on its first page, every catalogue, no bounds.
    frame->m_dlgDataSearch.m_nPage = 2;
    Select(Catalog());
    QuickSearch("ドア");
    EXPECT_EQ(0, frame->m_dlgDataSearch.m_nPage);
    EXPECT_EQ("****", frame->m_dlgDataSearch.m_strCode);
    EXPECT_EQ("*:", frame->m_dlgDataSearch.m_strFolder);
    EXPECT_EQ(-1, frame->m_dlgDataSearch.m_nLower);
    EXPECT_EQ("ドア", frame->m_dlgDataSearch.m_strText);
}

TEST_F(SearchDialogTest, ImageSearchCommandKeepsItsNodeWithOrWithoutFiles)
{
    Rebuild();
    const std::string pictures = CatalogPath(folder + "/pics");
    ::CreateDirectoryA(pictures.c_str(), nullptr);
    WriteFile(pictures + "\\abc1.bmp", "BM");
    WriteFile(pictures + "\\other.jpg", "x");
    for (const char* searched : {"abc", "zzz"}) {
        EXPECT_EQ("", Command(ID_SEARCH_IMAGE, [&pictures, searched](HWND dlg) {
                      Type(dlg, IDC_IMAGE_FILE, searched);
                      Type(dlg, IDC_IMAGE_FOLDER, pictures.c_str());
                  }));
    }
    CTreeNode* root = tree->m_pImageRoot;
    ASSERT_EQ(2, root->GetChildCount());
    CString upper = pictures.c_str();
    upper.MakeUpper();
    EXPECT_EQ("ファイル名=abc (" + upper + "\\)", root->GetChild(0)->m_strText);
    ASSERT_EQ(1, root->GetChild(0)->GetChildCount());
    EXPECT_EQ("abc1.bmp", root->GetChild(0)->GetChild(0)->m_strText);
    EXPECT_EQ(0, root->GetChild(1)->GetChildCount());
    ASSERT_EQ(2u, App().m_imageSearches.size());
    // The kept range: from 1980-01-01 to 2099-12-31 at its day's last millisecond.
    const CImageSearch* s = App().m_imageSearches[0];
    FILETIME local{};
    const FILETIME end{s->m_endLow, s->m_endHigh};
    ::FileTimeToLocalFileTime(&end, &local);
    SYSTEMTIME st{};
    ::FileTimeToSystemTime(&local, &st);
    EXPECT_EQ(2099, st.wYear);
    EXPECT_EQ(23, st.wHour);
    EXPECT_EQ(999, st.wMilliseconds);
    EXPECT_EQ(root->GetChild(1), tree->GetCurrentNode());
}

TEST_F(SearchDialogTest, RunSearchAgainListsTheResultsOrRunsAPlaceholder)
{
    FixtureOptions options;
    const Manifest m = Load(options);
    Select(Catalog());
    QuickSearch("ユニットバス");
    CTreeNode* node = tree->m_pSearchRoot->GetChild(0);
    ASSERT_NE(nullptr, node);
    const int hits = node->GetChildCount();
    ASSERT_GT(hits, 0);
    Select(Catalog());
    tree->SetCurrentNode(node);
    tree->RunSearchAgain(node);
    EXPECT_EQ(static_cast<size_t>(hits), frame->m_itemList.size());
    EXPECT_EQ(static_cast<size_t>(hits), Column(0).size());
    // A search not run yet (its placeholder only) runs now.
    auto* c = new CSearchCondition;
    c->m_strName = c->m_strText = "玄関ドア";
    c->m_strCode = "****";
    c->m_strCatalog = "*:";
    App().m_searchConditions.push_back(c);
    CTreeNode* fresh = tree->InsertNode("玄関ドア", 7, 7, tree->m_pSearchRoot, 3, nullptr);
    fresh->Attach(CTreeNode::kCondition, c);
    tree->InsertNode("dummy", 0, 0, fresh, 1, nullptr);
    App().m_dlgSearchProgress.Create(frame);
    tree->SetCurrentNode(fresh);
    tree->RunSearchAgain(fresh);
    const size_t want = m.SearchHits("****", "玄関ドア", 3, -1, 2147483647).size();
    EXPECT_EQ(want, static_cast<size_t>(fresh->GetChildCount()));
    EXPECT_EQ(want, Column(0).size());
    EXPECT_FALSE(App().m_dlgSearchProgress.IsShown());
}

TEST_F(SearchDialogTest, RescanFolderAddsNewFoldersAndDropsARemovedOne)
{
    Rebuild();
    const std::string base = CatalogPath(folder + "/scan");
    ::CreateDirectoryA(base.c_str(), nullptr);
    ::CreateDirectoryA((base + "\\b").c_str(), nullptr);
    CTreeNode* node = tree->InsertNode("scan", 3, 4, tree->m_pDesktop, 0x402, base.c_str());
    EXPECT_EQ(1, tree->RescanFolder(node));
    ASSERT_EQ(0, node->GetChildCount());  // an unopened folder only learns it has some
    tree->FillShellFolder(node);
    ASSERT_EQ(1, node->GetChildCount());
    ::CreateDirectoryA((base + "\\a").c_str(), nullptr);
    EXPECT_EQ(1, tree->RescanFolder(node));
    ASSERT_EQ(2, node->GetChildCount());
    EXPECT_EQ("a", node->GetChild(0)->m_strText);  // sorted
    // The selected folder removed: its node goes and the parent is selected.
    CTreeNode* a = node->GetChild(0);
    Select(a);
    ::RemoveDirectoryA((base + "\\a").c_str());
    tree->RescanFolder(node);
    PumpPending();
    ASSERT_EQ(1, node->GetChildCount());
    EXPECT_EQ(node->m_hItem, tree->GetTreeCtrl().GetSelectedItem());
    EXPECT_EQ(node, tree->GetCurrentNode());
}

}  // namespace
