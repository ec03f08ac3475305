// The thumbnail views in the browser's own frame: the largest leaf category from サムネイル表示
// to the first page painted, page-down scrolling through the cells, and a folder of JPEGs
// shown as folder thumbnails; time per cell and the working set after each step.
//   browser_views_bench run <catalogue folder> <JPEG folder> [cells=2000]
// The pictures it needs are written with the project's own picture classes:
//   browser_views_bench pictures <folder> <count> [width=320] [height=240]   pic0000.jpg...
//   browser_views_bench recolour <folder>     every stub .jpg/.tif below it, 160 x 120
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <DibImage.h>
#include <JpegImage.h>
#include <TiffImage.h>

#include "BenchSupport.h"
#include "DirImgView.h"
#include "ImageView.h"
#include "LeftView.h"
#include "MainFrame.h"
#include "TreeNode.h"
#include "VendaroExplorerApp.h"
#include "YQVDoc.h"
#include "resource.h"
#include "yqCatalog.h"
#include "yqItem.h"
#include "yqItemView.h"

CVendaroExplorerApp theApp;

namespace {

// A colour of its own for each name, never near white.
COLORREF ColourOf(const std::string& name)
{
    unsigned h = 2166136261u;
    for (char c : name)
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return RGB(40 + h % 170, 40 + (h >> 8) % 170, 40 + (h >> 16) % 170);
}

// A w x h picture: its colour, a lighter band across and a dark frame, in the format the
// ending names (JPG, TIF, else BMP).
bool WritePicture(const std::string& path, int w, int h, COLORREF colour)
{
    CWindowDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, w, h);
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, w, h, RGB(30, 30, 30));
    dc.FillSolidRect(2, 2, w - 4, h - 4, colour);
    dc.FillSolidRect(2, h / 3, w - 4, h / 3,
                     RGB((GetRValue(colour) + 255) / 2, (GetGValue(colour) + 255) / 2, (GetBValue(colour) + 255) / 2));
    dc.SelectObject(old);
    std::string ending = path.substr(path.size() - 3);
    for (char& c : ending)
        c = char(toupper(c));
    std::unique_ptr<CDibImage> image(ending == "JPG"   ? new CJpegImage
                                     : ending == "TIF" ? new CTiffImage
                                                       : new CDibImage);
    return image->CreateFromBitmap(static_cast<HBITMAP>(bitmap.GetSafeHandle())) && image->Write(path.c_str());
}

int Pictures(const std::string& folder, int count, int w, int h)
{
    ::CreateDirectory(folder.c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "\\pic%04d.jpg", i);
        if (!WritePicture(folder + name, w, h, ColourOf(name))) {
            fprintf(stderr, "cannot write %s%s\n", folder.c_str(), name);
            return 1;
        }
    }
    printf("%d pictures of %d x %d in %s\n", count, w, h, folder.c_str());
    return 0;
}

// The generator's stand-in pictures (a few bytes each) become real ones.
int Recolour(const std::string& folder, int& written)
{
    WIN32_FIND_DATA fd;
    HANDLE find = ::FindFirstFile((folder + "\\*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        const std::string name = fd.cFileName, path = folder + "\\" + name;
        if (name == "." || name == "..")
            continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            Recolour(path, written);
            continue;
        }
        std::string ending = name.size() > 4 ? name.substr(name.size() - 4) : "";
        for (char& c : ending)
            c = char(toupper(c));
        if ((ending == ".JPG" || ending == ".TIF") && fd.nFileSizeLow < 64 && WritePicture(path, 160, 120, ColourOf(name)))
            ++written;
    } while (::FindNextFile(find, &fd));
    ::FindClose(find);
    return 0;
}

void Memory(const char* when)
{
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof pmc);
    printf("memory %s: working set %.0f MB, peak %.0f MB, committed %.0f MB\n", when, pmc.WorkingSetSize / 1048576.0,
           pmc.PeakWorkingSetSize / 1048576.0, BenchMemoryMb());
}

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

size_t LoadedCells(const CImageView* view)
{
    return std::count_if(view->m_cells.begin(), view->m_cells.end(),
                         [](const CThumbImageItem* c) { return c->m_pImage || c->m_bLoadFailed; });
}

// The command, then the pane painted: ms, and the cells whose pictures that paint read.
template <class V> V* ShowThumbnails(CMainFrame* frame, const char* what)
{
    auto t = std::chrono::steady_clock::now();
    frame->SendMessage(WM_COMMAND, ID_VIEW_THUMBNAILS);
    const double command = BenchMs(t);
    auto* view = dynamic_cast<V*>(frame->GetRightView());
    if (!view)
        return nullptr;
    view->UpdateWindow();
    const double painted = BenchMs(t);
    Pump();
    const size_t cells = LoadedCells(view);
    printf("%s: サムネイル表示 to the first page painted %.0f ms (command and layout %.0f ms, paint %.0f ms), %zu cells, "
           "%zu read by the paint, %.2f ms a painted cell\n",
           what, painted, command, painted - command, view->m_cells.size(), cells,
           cells ? (painted - command) / cells : 0.0);
    return view;
}

// Page down until `limit` cells have been read or the end is reached.
void ScrollPages(CImageView* view, size_t limit, const char* what)
{
    auto t = std::chrono::steady_clock::now();
    int pages = 0;
    double worst = 0;
    size_t before = LoadedCells(view);
    for (;;) {
        const int y = view->GetScrollPosition().y;
        auto p = std::chrono::steady_clock::now();
        view->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
        view->UpdateWindow();
        worst = std::max(worst, BenchMs(p));
        ++pages;
        if (view->GetScrollPosition().y == y || LoadedCells(view) >= limit)
            break;
    }
    const double took = BenchMs(t);
    const size_t read = LoadedCells(view) - before;
    printf("%s: %d pages down, %zu more cells read, %.0f ms, %.1f ms a page (slowest %.0f ms), %.2f ms a cell\n", what,
           pages, read, took, took / pages, worst, read ? took / read : 0.0);
}

int Run(std::string root, const std::string& jpegs, size_t cells)
{
    if (root.back() != '\\')
        root += '\\';
    AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(""), SW_SHOWNORMAL);
    theApp.InitApplication();
    char temp[MAX_PATH] = {};
    ::GetTempPath(MAX_PATH, temp);
    theApp.m_strConfigPath = CString(temp) + "qvz_views_bench_CONFIG.DAT";
    theApp.m_strHistoryPath = CString(temp) + "qvz_views_bench_HISTORY.DAT";
    theApp.m_rcProfileWindow = {0, 0, 1024, 768};

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
    frame->ShowWindow(SW_SHOWMAXIMIZED);
    Pump();
    CLeftView* tree = frame->GetLeftView();
    tree->DeleteAllNodes();
    tree->AddRootNodes();
    Pump();
    Memory("after the load");

    // The leaf category with the most items.
    std::vector<CTreeNode*> leaves;
    tree->m_pVendaroRoot->ForEach([&](CTreeNode* n) {
        if (n->GetCategory() && n->m_nFlags == 3)
            leaves.push_back(n);
    });
    CTreeNode* best = nullptr;
    size_t most = 0;
    for (CTreeNode* leaf : leaves) {
        tree->FillCategoryNode(leaf);
        size_t n = 0;
        for (CTreeNode* c : leaf->m_children)
            n += c->GetItem() ? 1 : 0;
        if (n > most)
            most = n, best = leaf;
    }
    if (!best)
        return 1;
    // Its pictures real, so that the paint decodes and stretches as it would on a CD.
    int written = 0;
    for (CTreeNode* c : best->m_children)
        if (yqItem* item = c->GetItem()) {
            WIN32_FILE_ATTRIBUTE_DATA data;
            const std::string path = static_cast<const char*>(item->m_strPicturePath);
            if (::GetFileAttributesEx(path.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeLow < 64 &&
                WritePicture(path, 160, 120, ColourOf(path)))
                ++written;
        }
    printf("largest leaf of %zu leaves: %s, %zu items (%d stand-in pictures made real, 160 x 120)\n", leaves.size(),
           static_cast<const char*>(best->m_strText), most, written);

    frame->m_nListMode = LVS_REPORT;
    tree->GetTreeCtrl().SelectItem(best->m_hItem);
    Pump();
    Memory("with the category's report list");
    auto* items = ShowThumbnails<yqItemView>(frame, "item thumbnails");
    if (!items)
        return 1;
    Memory("after the first page");
    // Where the first page's time goes: layout alone, and reading the pictures alone.
    t = std::chrono::steady_clock::now();
    items->LayoutCells();
    printf("item thumbnails: LayoutCells of %zu cells %.1f ms\n", items->m_cells.size(), BenchMs(t));
    t = std::chrono::steady_clock::now();
    int decoded = 0;
    for (size_t i = 0; i < items->m_cells.size() && i < 40; ++i)
        if (CBaseImage* image = items->LoadCellImage(items->m_cells[i]->m_strPath)) {
            ++decoded;
            delete image;
        }
    printf("item thumbnails: reading %d pictures again %.1f ms, %.2f ms each\n", decoded, BenchMs(t),
           decoded ? BenchMs(t) / decoded : 0.0);
    ScrollPages(items, cells, "item thumbnails");
    Memory("after scrolling the items");

    // The folder of JPEGs under the desktop, as a registered folder is.
    frame->m_nListMode = LVS_REPORT;
    CTreeNode* pictures = tree->InsertNode("pictures", 3, 3, tree->m_pDesktop, CTreeNode::kFolder | 2, jpegs.c_str());
    t = std::chrono::steady_clock::now();
    tree->GetTreeCtrl().SelectItem(pictures->m_hItem);
    Pump();
    printf("JPEG folder: report list %.0f ms, status \"%s\"\n", BenchMs(t),
           static_cast<const char*>(frame->m_wndStatusBar.GetPaneText(0)));
    auto* files = ShowThumbnails<CDirImgView>(frame, "folder thumbnails");
    if (!files)
        return 1;
    printf("folder thumbnails: status \"%s\"\n", static_cast<const char*>(frame->m_wndStatusBar.GetPaneText(0)));
    Memory("after the folder's first page");
    ScrollPages(files, files->m_cells.size(), "folder thumbnails");
    Memory("after scrolling the folder");

    frame->DestroyWindow();
    delete doc;
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "pictures" && argc > 3) {
        AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(""), SW_HIDE);
        return Pictures(argv[2], atoi(argv[3]), argc > 4 ? atoi(argv[4]) : 320, argc > 5 ? atoi(argv[5]) : 240);
    }
    if (mode == "recolour" && argc > 2) {
        AfxWinInit(::GetModuleHandle(nullptr), nullptr, const_cast<LPTSTR>(""), SW_HIDE);
        int written = 0;
        Recolour(argv[2], written);
        printf("%d pictures made real\n", written);
        return 0;
    }
    if (mode == "run" && argc > 3)
        return Run(argv[2], argv[3], argc > 4 ? size_t(atoi(argv[4])) : 2000);
    fprintf(stderr, "usage: browser_views_bench run <catalogue> <JPEG folder> [cells] | pictures <folder> <count> "
                    "[w] [h] | recolour <folder>\n");
    return 2;
}
