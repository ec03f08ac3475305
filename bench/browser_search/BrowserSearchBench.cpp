// The browser's own frame, tree and report list over a generated catalogue: the quick search
// from Enter in the search box to the status text "検索結果 : N件" with the list shown, the
// core's search alone for the same text, the fill of every leaf category (the largest named),
// and the process's memory after each of N identical quick searches.
//   browser_search_bench <catalogue folder> [searches=50] [text=ユニットバス] [fill categories=1]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "LeftView.h"
#include "MainFrame.h"
#include "TreeNode.h"
#include "VendaroExplorerApp.h"
#include "YQVDoc.h"
#include "resource.h"
#include "yqCatalog.h"

CVendaroExplorerApp theApp;

namespace {

// The working set beside the committed memory of the shared support.
void Memory(const char* when)
{
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof pmc);
    printf("memory %s: working set %.0f MB, committed %.0f MB\n", when, pmc.WorkingSetSize / 1048576.0,
           BenchMemoryMb());
}

// The program's message loop, until its queue is empty.
void Pump()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!AfxGetApp()->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    for (LONG n = 0; AfxGetApp()->OnIdle(n); ++n) {
    }
}

void CALLBACK PressCancel(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    if (theApp.m_dlgSearchProgress.IsShown())
        theApp.m_dlgSearchProgress.SendMessage(WM_COMMAND, IDCANCEL);
}

void Leaves(CTreeNode* node, std::vector<CTreeNode*>& out)
{
    for (CTreeNode* c : node->m_children) {
        if (c->GetCategory() && c->m_nFlags == 3)
            out.push_back(c);
        Leaves(c, out);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: browser_search_bench <catalogue folder> [searches] [text] [fill 0|1] [report|thumbnails]\n");
        return 2;
    }
    std::string root = argv[1];
    if (root.back() != '\\')
        root += '\\';
    const int searches = argc > 2 ? atoi(argv[2]) : 50;
    // "-" keeps the default text (a Japanese argument depends on the prefix's code page).
    const char* text = argc > 3 && strcmp(argv[3], "-") != 0 ? argv[3] : "ユニットバス";
    const bool fill = argc > 4 ? atoi(argv[4]) != 0 : true;
    // The report list unless asked for the thumbnails the program starts with.
    const bool thumbnails = argc > 5 && strcmp(argv[5], "thumbnails") == 0;

    AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(""), SW_SHOWNORMAL);
    theApp.InitApplication();
    char temp[MAX_PATH] = {};
    ::GetTempPath(MAX_PATH, temp);
    theApp.m_strConfigPath = CString(temp) + "qvz_search_bench_CONFIG.DAT";
    theApp.m_strHistoryPath = CString(temp) + "qvz_search_bench_HISTORY.DAT";
    theApp.m_rcProfileWindow = {0, 0, 1000, 700};

    auto* doc = new CYQVDoc;
    doc->m_bAutoDelete = FALSE;
    auto t = std::chrono::steady_clock::now();
    doc->m_catalogs.push_back(new yqCatalog(root.c_str()));
    printf("catalogue load: %.0f ms\n", BenchMs(t));
    auto* frame = new CMainFrame;
    CCreateContext context;
    context.m_pCurrentDoc = doc;
    context.m_pNewViewClass = RUNTIME_CLASS(CLeftView);
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, &context))
        return 1;
    theApp.m_pMainWnd = frame;
    frame->InitialUpdateFrame(doc, TRUE);
    frame->ShowWindow(SW_SHOW);
    frame->m_nListMode = thumbnails ? 256 : LVS_REPORT;
    printf("right pane: %s\n", thumbnails ? "item thumbnails" : "report list");
    Pump();
    CLeftView* tree = frame->GetLeftView();
    tree->DeleteAllNodes();
    tree->AddRootNodes();
    Pump();
    CTreeNode* catalog = tree->m_pVendaroRoot->GetChild(0);
    Memory("after the load");

    // The core alone, for the figures of bench/catalog.
    int count = 0;
    t = std::chrono::steady_clock::now();
    yqItem** hits = doc->m_catalogs[0]->SearchItems("****", text, -1, 2147483647, 3, count);
    printf("core SearchItems(\"****\", contains): %d items, %.1f ms\n", count, BenchMs(t));
    delete[] hits;

    for (int i = 1; i <= searches; ++i) {
        tree->GetTreeCtrl().SelectItem(catalog->m_hItem);
        Pump();
        frame->m_editSearch.SetWindowText(text);
        t = std::chrono::steady_clock::now();
        frame->m_editSearch.PostMessage(WM_KEYDOWN, VK_RETURN, 0);
        Pump();
        const double took = BenchMs(t);
        const CString status = frame->m_wndStatusBar.GetPaneText(0);
        if (i <= 3 || i % 10 == 0) {
            printf("quick search %d: %.0f ms, status \"%s\"\n", i, took, static_cast<const char*>(status));
            char when[32];
            std::snprintf(when, sizeof when, "after search %d", i);
            Memory(when);
        }
    }

    // Cancel 50 ms into a search, with a close request waiting meanwhile: the node goes, the
    // condition stays, the window stays. The search takes the Cancel after the catalogue's own
    // search (a few hundred ms at 100k), not while it builds the result nodes and the list.
    const int nodes = tree->m_pSearchRoot->GetChildCount();
    const size_t conditions = theApp.m_searchConditions.size();
    tree->GetTreeCtrl().SelectItem(catalog->m_hItem);
    Pump();
    frame->m_editSearch.SetWindowText(text);
    ::SetTimer(nullptr, 0, 50, PressCancel);
    t = std::chrono::steady_clock::now();
    frame->m_editSearch.PostMessage(WM_KEYDOWN, VK_RETURN, 0);
    frame->PostMessage(WM_CLOSE);
    Pump();
    printf("cancel after 50 ms: back after %.0f ms; search nodes %d -> %d, conditions %zu -> %zu, window %s\n",
           BenchMs(t), nodes, tree->m_pSearchRoot->GetChildCount(), conditions, theApp.m_searchConditions.size(),
           ::IsWindow(frame->GetSafeHwnd()) ? "still open" : "closed");
    if (!::IsWindow(frame->GetSafeHwnd()))
        return 1;

    // Every leaf category filled in turn; the largest named.
    std::vector<CTreeNode*> leaves;
    if (fill)
        Leaves(catalog, leaves);
    double total = 0, largestTime = 0;
    int largest = -1;
    CString largestName;
    for (CTreeNode* leaf : leaves) {
        const auto t0 = std::chrono::steady_clock::now();
        tree->GetTreeCtrl().SelectItem(leaf->m_hItem);
        Pump();
        const double took = BenchMs(t0);
        total += took;
        if (leaf->GetChildCount() > largest) {
            largest = leaf->GetChildCount();
            largestTime = took;
            largestName = leaf->m_strText;
        }
    }
    if (fill) {
        printf("%zu leaf categories filled and shown: %.0f ms; the largest, %s (%d rows): %.0f ms\n", leaves.size(),
               total, static_cast<const char*>(largestName), largest, largestTime);
        Memory("after every category");
    }
    frame->DestroyWindow();
    ::DeleteFile(theApp.m_strConfigPath);
    ::DeleteFile(theApp.m_strHistoryPath);
    return 0;
}
