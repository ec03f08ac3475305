// The right pane's thumbnail and detail views in the browser's frame under Wine: folder
// thumbnails, item thumbnails, the detail form with its detail row, the picture at full size,
// and the drags out of them received by a drop target of the test.
#include <gtest/gtest.h>

#include <afxole.h>

#include <BaseImage.h>
#include <DibImage.h>
#include <JpegImage.h>
#include <TiffImage.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "CatalogFixture.h"
#include "DetailView.h"
#include "DirImgView.h"
#include "DragImage.h"
#include "HandOver.h"
#include "ImageDetailView.h"
#include "LeftView.h"
#include "MainFrame.h"
#include "TreeNode.h"
#include "VendaroExplorerApp.h"
#include "YQVDoc.h"
#include "afxtest/ThreadPump.h"
#include "resource.h"
#include "yqCatalog.h"
#include "yqItem.h"
#include "yqItemView.h"
#include "yqListView.h"

using namespace catalogtest;

namespace {

CVendaroExplorerApp& App() { return *GetVendaroApp(); }

// A w x h picture of one colour, in the format its ending names (BMP, JPG or TIF).
void WriteColourPicture(const std::string& path, int w, int h, COLORREF colour)
{
    CWindowDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, w, h);
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, w, h, colour);
    dc.SelectObject(old);
    std::string ending = path.substr(path.size() - 3);
    for (char& c : ending)
        c = char(toupper(c));
    std::unique_ptr<CDibImage> image(ending == "JPG"   ? new CJpegImage
                                     : ending == "TIF" ? new CTiffImage
                                                       : new CDibImage);
    ASSERT_TRUE(image->CreateFromBitmap(static_cast<HBITMAP>(bitmap.GetSafeHandle())));
    ASSERT_TRUE(image->Write(CatalogPath(path).c_str())) << path;
}

// Records what an OLE drop hands over: every format's bytes.
class DropRecorder : public IDropTarget {
public:
    std::map<CLIPFORMAT, std::string> formats;
    int drops = 0;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IDropTarget) {
            *ppv = static_cast<IDropTarget*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override
    {
        *effect = DROPEFFECT_COPY;
        return S_OK;
    }
    STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) override
    {
        *effect = DROPEFFECT_COPY;
        return S_OK;
    }
    STDMETHODIMP DragLeave() override { return S_OK; }
    STDMETHODIMP Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        ++drops;
        formats.clear();
        IEnumFORMATETC* list = nullptr;
        if (SUCCEEDED(data->EnumFormatEtc(DATADIR_GET, &list)) && list) {
            FORMATETC fe;
            while (list->Next(1, &fe, nullptr) == S_OK) {
                STGMEDIUM medium{};
                if (SUCCEEDED(data->GetData(&fe, &medium)) && medium.tymed == TYMED_HGLOBAL) {
                    const char* p = static_cast<const char*>(::GlobalLock(medium.hGlobal));
                    formats[fe.cfFormat] = std::string(p, ::GlobalSize(medium.hGlobal));
                    ::GlobalUnlock(medium.hGlobal);
                }
                ::ReleaseStgMedium(&medium);
            }
            list->Release();
        }
        *effect = DROPEFFECT_COPY;
        return S_OK;
    }
};

// The paths of a CF_HDROP block.
std::vector<std::string> HDropPaths(const std::string& block)
{
    std::vector<std::string> paths;
    if (block.size() < 20)
        return paths;
    for (size_t at = 20; at < block.size() && block[at]; at += paths.back().size() + 1)
        paths.emplace_back(block.c_str() + at);
    return paths;
}

class ViewsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::OleInitialize(nullptr);
        folder = MakeTempFolder("views");
        App().FreeLists();
        App().m_strHistoryPath = CatalogPath(folder + "/HISTORY.DAT").c_str();
        App().m_strConfigPath = CatalogPath(folder + "/CONFIG.DAT").c_str();
        App().m_rcProfileWindow = {100, 50, 900, 650};
        doc = new CYQVDoc;
        doc->m_bAutoDelete = FALSE;
        frame = new CMainFrame;
        CCreateContext context;
        context.m_pCurrentDoc = doc;
        context.m_pNewViewClass = RUNTIME_CLASS(CLeftView);
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, &context));
        App().m_pMainWnd = frame;
        frame->InitialUpdateFrame(doc, TRUE);
        frame->ShowWindow(SW_SHOW);
        PumpPending();
        tree = frame->GetLeftView();
    }
    void TearDown() override
    {
        if (sink.GetSafeHwnd()) {
            ::RevokeDragDrop(sink.GetSafeHwnd());
            sink.DestroyWindow();
        }
        App().m_bBusy = FALSE;
        App().m_pMainWnd = nullptr;
        if (::IsWindow(frame->GetSafeHwnd()))
            frame->DestroyWindow();
        App().FreeLists();
        delete doc;
        for (yqItem* item : items)
            delete item;
        RemoveFolder(folder);
    }

    std::string Status() const { return std::string(frame->m_wndStatusBar.GetPaneText(0)); }
    Manifest Load(const FixtureOptions& options)
    {
        Manifest m = GenerateCatalog(folder + "/cat", options);
        doc->m_catalogs.push_back(new yqCatalog((m.root + "\\").c_str()));
        tree->DeleteAllNodes();
        tree->AddRootNodes();
        PumpPending();
        return m;
    }
    void Select(CTreeNode* node)
    {
        tree->GetTreeCtrl().SelectItem(node->m_hItem);
        PumpPending();
    }
    // The leaf category with the most items, opened once so that it holds them.
    CTreeNode* FullestLeaf()
    {
        CTreeNode* best = nullptr;
        size_t most = 0;
        std::vector<CTreeNode*> leaves;
        tree->m_pVendaroRoot->ForEach([&](CTreeNode* n) {
            if (n->GetCategory() && n->m_nFlags == 3)
                leaves.push_back(n);
        });
        for (CTreeNode* leaf : leaves) {
            tree->FillCategoryNode(leaf);
            size_t n = 0;
            for (CTreeNode* c : leaf->m_children)
                n += c->GetItem() ? 1 : 0;
            if (n > most)
                most = n, best = leaf;
        }
        return best;
    }
    void Command(UINT id)
    {
        frame->SendMessage(WM_COMMAND, id);
        PumpPending();
    }
    BOOL Enabled(UINT id)
    {
        CTestCmdUI probe;
        probe.m_nID = id;
        probe.DoUpdate(frame, FALSE);
        return probe.m_bEnabled;
    }
    template <class V> V* Switch(int index) { return dynamic_cast<V*>(frame->SwitchRightView(index)); }

    // An item of `kind` whose picture is `file` in the test folder (written in `colour`
    // unless the colour is -1).
    yqItem* MakeItem(int kind, const std::string& number, const std::string& file, COLORREF colour)
    {
        auto* item = new yqItem;
        items.push_back(item);
        strings.push_back(std::make_unique<std::string>(number));
        item->m_nKind = kind;
        item->m_pszNumber = strings.back()->c_str();
        item->m_pszName = "名前";
        item->m_pszCaption = "平面図";
        item->m_dPrice = 1200;
        item->m_pszPriceSuffix = "円";
        item->m_strPicturePath = CatalogPath(folder + "/" + file).c_str();
        if (colour != COLORREF(-1))
            WriteColourPicture(folder + "/" + file, 60, 40, colour);
        return item;
    }

    // A drop target window at the screen's top left, under the cursor.
    void PlaceSink()
    {
        sink.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), "sink", WS_POPUP | WS_VISIBLE, CRect(0, 0, 60, 60),
                      nullptr, 0);
        ASSERT_EQ(S_OK, ::RegisterDragDrop(sink.GetSafeHwnd(), &recorder));
        ::SetCursorPos(20, 20);
        PumpPending();
    }
    // A press at `from` and a move to `to` (client points) on the view, as the mouse sends them.
    static void PressAndMove(CWnd* view, CPoint from, CPoint to, UINT keys = 0)
    {
        view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(from.x, from.y));
        view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON | keys, MAKELPARAM(to.x, to.y));
    }

    std::string folder;
    CYQVDoc* doc = nullptr;
    CMainFrame* frame = nullptr;
    CLeftView* tree = nullptr;
    std::vector<yqItem*> items;
    std::vector<std::unique_ptr<std::string>> strings;
    CWnd sink;
    DropRecorder recorder;
};

TEST_F(ViewsTest, FolderViewShowsPicturesOfTheListedEndingsAndCountsThem)
{
    WriteColourPicture(folder + "/a.bmp", 20, 20, RGB(255, 0, 0));
    WriteFile(folder + "/b.txt", "text");
    WriteColourPicture(folder + "/c.PnG.bmp", 20, 20, RGB(0, 0, 255));
    std::filesystem::rename(folder + "/c.PnG.bmp", folder + "/c.PnG");
    std::filesystem::create_directory(folder + "/empty");
    CTreeNode node("views", 3, 3, CTreeNode::kFolder | 2, CatalogPath(folder).c_str());
    auto* view = Switch<CDirImgView>(2);
    ASSERT_NE(nullptr, view);
    view->ShowNode(&node);
    view->LayoutCells();
    ASSERT_EQ(2u, view->m_cells.size());
    EXPECT_EQ("画像ファイル数 : 2", Status());
    std::vector<CString> names;
    for (CThumbImageItem* cell : view->m_cells)
        names.push_back(cell->GetFileName());
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<CString>{"a.bmp", "c.PnG"}), names);
    EXPECT_EQ(0, view->m_cells[0]->GetCaption(1)->m_bVisible);  // the size, for sorting only

    CTreeNode empty("empty", 3, 3, CTreeNode::kFolder | 2, CatalogPath(folder + "/empty").c_str());
    view = Switch<CDirImgView>(2);
    view->ShowNode(&empty);
    EXPECT_TRUE(view->m_cells.empty());
    EXPECT_EQ("画像ファイル数 : 0", Status());
}

TEST_F(ViewsTest, FolderViewSelectionCopyAndTheDragThreshold)
{
    WriteColourPicture(folder + "/a.bmp", 20, 20, RGB(255, 0, 0));
    CTreeNode node("views", 3, 3, CTreeNode::kFolder | 2, CatalogPath(folder).c_str());
    auto* sub = new CTreeNode("sub", 3, 3, CTreeNode::kFolder | 2, CatalogPath(folder + "/sub").c_str());
    node.AddChild(sub);
    auto* view = Switch<CDirImgView>(2);
    view->ShowNode(&node);
    view->LayoutCells();
    ASSERT_EQ(2u, view->m_cells.size());
    CThumbImageItem* folderCell = view->m_cells[0];
    CThumbImageItem* fileCell = view->m_cells[1];
    ASSERT_NE(0u, folderCell->m_nKind);
    ASSERT_NE(nullptr, folderCell->m_pImage);  // the folder's icon, made at once
    const CPoint onFolder = folderCell->m_rect.CenterPoint(), onFile = fileCell->m_rect.CenterPoint();

    // A Ctrl-click highlights a folder, which copy leaves out.
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(onFolder.x, onFolder.y));
    view->SendMessage(WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(onFolder.x, onFolder.y));
    EXPECT_EQ(1, folderCell->m_nState);
    EXPECT_EQ(0, view->GetSelectedFileCount());
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(onFile.x, onFile.y));
    // Moving 2 pixels or less starts no drag: the view keeps the mouse.
    view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(onFile.x + 1, onFile.y - 1));
    EXPECT_EQ(view, CWnd::GetCapture());
    view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(onFile.x, onFile.y));
    EXPECT_EQ(1, view->GetSelectedFileCount());
    EXPECT_EQ((std::vector<CString>{CatalogPath(folder + "/a.bmp").c_str()}), view->SelectedFilePaths());

    // A resize clears the selection, and copy is disabled again.
    CRect r;
    view->GetClientRect(&r);
    view->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.Width() - 10, r.Height()));
    EXPECT_EQ(0, view->GetSelectedFileCount());
    EXPECT_EQ(2, fileCell->m_nState);
    CTestCmdUI probe;
    probe.m_nID = ID_EDIT_COPY;
    probe.DoUpdate(view, FALSE);
    EXPECT_FALSE(probe.m_bEnabled);
}

TEST_F(ViewsTest, ItemViewShowsEachProductsColourInOrderAndCountsEveryItem)
{
    const COLORREF colours[] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 220)};
    std::vector<yqItem*> shown = {MakeItem(2, "P1", "p1.jpg", colours[0]), MakeItem(4, "P2", "p2.bmp", colours[1]),
                                  MakeItem(2, "P3", "p3.gif", RGB(0, 0, 0)), MakeItem(3, "P4", "p4.tif", colours[2])};
    std::filesystem::rename(folder + "/p3.gif", folder + "/p3.PNG");
    shown[2]->m_strPicturePath = CatalogPath(folder + "/p3.PNG").c_str();
    shown.push_back(MakeItem(2, "P5", "p5.gif", COLORREF(-1)));
    auto* view = Switch<yqItemView>(3);
    ASSERT_NE(nullptr, view);
    view->ShowItems(shown);
    view->LayoutCells();
    view->Invalidate();
    view->UpdateWindow();
    EXPECT_EQ("データ数 : 5", Status());
    ASSERT_EQ(3u, view->m_cells.size());
    EXPECT_EQ("品番：P1", view->m_cells[0]->GetCaption(0)->m_strText);
    EXPECT_EQ("種類：平面図", view->m_cells[1]->GetCaption(1)->m_strText);
    EXPECT_EQ("品名：名前", view->m_cells[2]->GetCaption(1)->m_strText);
    EXPECT_EQ(0, std::string(view->m_cells[2]->GetCaption(2)->m_strText).find("価格："));
    CClientDC dc(view);
    for (size_t i = 0; i < 3; ++i) {
        const CPoint at = view->m_cells[i]->m_rcPicture.CenterPoint();
        const COLORREF got = dc.GetPixel(at);
        EXPECT_NEAR(GetRValue(colours[i]), GetRValue(got), 24) << i;
        EXPECT_NEAR(GetGValue(colours[i]), GetGValue(got), 24) << i;
        EXPECT_NEAR(GetBValue(colours[i]), GetBValue(got), 24) << i;
    }
}

TEST_F(ViewsTest, ItemViewToolsCoverTheCellsInViewWhereTheyAreShown)
{
    std::vector<yqItem*> shown;
    for (int i = 0; i < 40; ++i)
        shown.push_back(MakeItem(2, "P" + std::to_string(i), "p.bmp", i == 0 ? RGB(0, 0, 200) : COLORREF(-1)));
    auto* view = Switch<yqItemView>(3);
    ASSERT_NE(nullptr, view);
    view->ShowItems(shown);
    view->LayoutCells();
    ASSERT_NE(nullptr, view->m_pToolTip);
    const size_t inView = view->VisibleCells().size();
    ASSERT_GT(inView, 0u);
    ASSERT_LT(inView, 40u);
    EXPECT_EQ(int(inView), view->m_pToolTip->GetToolCount());
    EXPECT_FALSE(view->m_cells.back()->IsLaidOut());  // measured once it comes into view

    // At the end: the last cell's tool lies where the cell is shown and holds its captions.
    view->SendMessage(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(int(view->VisibleCells().size()), view->m_pToolTip->GetToolCount());
    CThumbImageItem* last = view->m_cells.back();
    EXPECT_TRUE(last->IsLaidOut());
    char text[256] = {};
    TOOLINFO ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = view->GetSafeHwnd();
    ti.uId = reinterpret_cast<UINT_PTR>(last);
    ti.lpszText = text;
    ASSERT_TRUE(view->m_pToolTip->SendMessage(TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&ti)));
    CRect where = last->m_rect;
    where.OffsetRect(-view->GetScrollPosition());
    EXPECT_EQ(where, CRect(ti.rect));
    view->m_pToolTip->SendMessage(TTM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(0u, std::string(text).find("品番：P39\n品名：名前\n価格：")) << text;
}

TEST_F(ViewsTest, DetailFormLabelsByKindAndTheDetailRowFollowsTheFurtherPictures)
{
    yqItem* set = MakeItem(3, "S1", "s1.bmp", RGB(10, 10, 10));
    yqItem* drawing = MakeItem(4, "D1", "d1.bmp", RGB(10, 10, 10));
    for (const char* name : {"f1.bmp", "f2.jpg"}) {
        WriteColourPicture(folder + "/" + name, 30, 30, RGB(90, 90, 90));
        drawing->m_pictures.push_back({"別写真\r\nコメント", CatalogPath(folder + "/" + name).c_str()});
    }
    auto text = [](CWnd& w) {
        CString s;
        w.GetWindowText(s);
        return std::string(s);
    };
    auto* form = Switch<CDetailView>(1);
    ASSERT_NE(nullptr, form);
    form->ShowItem(set);
    EXPECT_EQ("品名", text(form->m_label1));
    EXPECT_EQ("名前", text(form->m_value1));
    EXPECT_EQ("品番", text(form->m_label2));
    EXPECT_EQ("S1", text(form->m_value2));
    EXPECT_FALSE(frame->IsDetailRowShown());
    ASSERT_NE(nullptr, form->m_preview.m_pImage);

    form = Switch<CDetailView>(1);
    form->ShowItem(drawing);
    EXPECT_EQ("品番", text(form->m_label1));
    EXPECT_EQ("D1", text(form->m_value1));
    EXPECT_EQ("種類", text(form->m_label2));
    EXPECT_EQ("平面図", text(form->m_value2));
    EXPECT_TRUE(frame->IsDetailRowShown());
    auto* row = dynamic_cast<yqSubItemView*>(frame->GetDetailPane());
    ASSERT_NE(nullptr, row);
    ASSERT_EQ(2u, row->m_cells.size());
    ASSERT_EQ(2u, row->m_cells[0]->m_captions.size());
    EXPECT_EQ("コメント", row->m_cells[0]->GetCaption(1)->m_strText);
    EXPECT_EQ("別写真\nコメント", yqSubItemView::JoinCaptions(row->m_cells[0]));

    form = Switch<CDetailView>(1);
    form->ShowItem(set);
    EXPECT_FALSE(frame->IsDetailRowShown());
    EXPECT_TRUE(row->m_cells.empty());
}

TEST_F(ViewsTest, FullSizeScrollsOverThePictureAndAnUnreadableOneGivesTheReportList)
{
    WriteColourPicture(folder + "/big.bmp", 640, 480, RGB(0, 128, 255));
    auto* full = Switch<CImageDetailView>(4);
    ASSERT_NE(nullptr, full);
    full->SetImage(CatalogPath(folder + "/big.bmp").c_str(), nullptr);
    EXPECT_EQ(CSize(650, 490), full->GetTotalSize());
    full->UpdateWindow();
    CClientDC dc(full);
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(5, 5));
    EXPECT_EQ(RGB(0, 128, 255), dc.GetPixel(20, 20));

    WriteFile(folder + "/bad.jpg", "not a picture");
    full = Switch<CImageDetailView>(4);
    full->SetImage(CatalogPath(folder + "/bad.jpg").c_str(), nullptr);
    full->UpdateWindow();  // paints without the picture: no switch inside the paint
    EXPECT_EQ(4, frame->GetRightViewIndex());
    PumpPending();
    EXPECT_EQ(0, frame->GetRightViewIndex());
    EXPECT_NE(nullptr, dynamic_cast<yqListView*>(frame->GetRightView()));
}

TEST_F(ViewsTest, DragsHandOverTheirBlocks)
{
    yqItem* item = MakeItem(2, "P1", "p1.bmp", RGB(200, 0, 0));
    PlaceSink();
    const UINT privateFormat = CF_VENDAROEXPLORER;

    // One item out of the item view: its record and two closing NULs, and CF_HDROP.
    auto* view = Switch<yqItemView>(3);
    view->ShowItems({item});
    view->LayoutCells();
    view->UpdateWindow();
    ASSERT_EQ(1u, view->m_cells.size());
    CRect cell = view->m_cells[0]->m_rect;
    PressAndMove(view, cell.CenterPoint(), cell.CenterPoint() + CPoint(1, 2));
    EXPECT_EQ(0, recorder.drops);  // within 2 pixels: no drag
    view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(cell.CenterPoint().x + 5, cell.CenterPoint().y));
    ASSERT_EQ(1, recorder.drops);
    ASSERT_EQ(1u, recorder.formats.count(CLIPFORMAT(privateFormat)));
    const std::string block = recorder.formats[CLIPFORMAT(privateFormat)];
    ASSERT_GE(block.size(), 2u);
    EXPECT_EQ(std::string(2, '\0'), block.substr(block.size() - 2));
    EXPECT_EQ(0u, block.find(std::string(item->m_strPicturePath)));
    EXPECT_EQ(std::vector<std::string>{std::string(item->m_strPicturePath)}, HDropPaths(recorder.formats[CF_HDROP]));

    // A further picture: CF_HDROP only.
    WriteColourPicture(folder + "/f1.bmp", 30, 30, RGB(90, 90, 90));
    item->m_pictures.push_back({"別写真", CatalogPath(folder + "/f1.bmp").c_str()});
    auto* form = Switch<CDetailView>(1);
    form->ShowItem(item);
    auto* row = dynamic_cast<yqSubItemView*>(frame->GetDetailPane());
    row->UpdateWindow();
    ASSERT_EQ(1u, row->m_cells.size());
    cell = row->m_cells[0]->m_rect;
    PressAndMove(row, cell.CenterPoint(), cell.CenterPoint() + CPoint(6, 0));
    ASSERT_EQ(2, recorder.drops);
    EXPECT_EQ(0u, recorder.formats.count(CLIPFORMAT(privateFormat)));
    EXPECT_EQ(std::vector<std::string>{CatalogPath(folder + "/f1.bmp")}, HDropPaths(recorder.formats[CF_HDROP]));

    // The detail form's preview: the item.
    CRect preview;
    form->m_preview.GetWindowRect(&preview);
    form->ScreenToClient(&preview);
    PressAndMove(form, preview.CenterPoint(), preview.CenterPoint() + CPoint(0, 6));
    ASSERT_EQ(3, recorder.drops);
    EXPECT_EQ(1u, recorder.formats.count(CLIPFORMAT(privateFormat)));

    // Picture files out of the folder view: CF_HDROP only.
    CTreeNode node("views", 3, 3, CTreeNode::kFolder | 2, CatalogPath(folder).c_str());
    auto* dir = Switch<CDirImgView>(2);
    dir->ShowNode(&node);
    dir->LayoutCells();
    dir->UpdateWindow();
    ASSERT_EQ(2u, dir->m_cells.size());
    const CPoint a = dir->m_cells[0]->m_rect.CenterPoint(), b = dir->m_cells[1]->m_rect.CenterPoint();
    dir->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a.x, a.y));
    dir->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(a.x, a.y));
    PressAndMove(dir, b, b + CPoint(8, 8), MK_CONTROL);
    ASSERT_EQ(4, recorder.drops);
    EXPECT_EQ(0u, recorder.formats.count(CLIPFORMAT(privateFormat)));
    EXPECT_EQ(2u, HDropPaths(recorder.formats[CF_HDROP]).size());

    // Nothing pending: no drag.
    EXPECT_EQ(DWORD(DROPEFFECT_NONE), DoDragDropPending(nullptr));
    EXPECT_EQ(4, recorder.drops);
}

TEST_F(ViewsTest, ViewModeCommandsSwitchBetweenTheListAndThumbnails)
{
    FixtureOptions options;
    options.products = 60;
    Load(options);
    frame->m_nListMode = LVS_REPORT;
    CTreeNode* leaf = FullestLeaf();
    ASSERT_NE(nullptr, leaf);
    Select(leaf);
    ASSERT_NE(nullptr, dynamic_cast<yqListView*>(frame->GetRightView()));
    EXPECT_FALSE(Enabled(ID_VIEW_ARRANGE));  // grey in report style

    Command(ID_VIEW_THUMBNAILS);
    auto* thumbs = dynamic_cast<yqItemView*>(frame->GetRightView());
    ASSERT_NE(nullptr, thumbs);
    EXPECT_EQ(256, frame->m_nListMode);
    EXPECT_FALSE(thumbs->m_cells.empty());
    EXPECT_EQ(0u, Status().find("データ数 : "));
    EXPECT_TRUE(Enabled(ID_VIEW_ARRANGE));

    // The same sort twice sorts once.
    Command(ID_SORT_FIRST + 5);  // 価格降順
    std::reverse(thumbs->m_cells.begin(), thumbs->m_cells.end());
    const CThumbImageItem* first = thumbs->m_cells.front();
    Command(ID_SORT_FIRST + 5);
    EXPECT_EQ(first, thumbs->m_cells.front());
    EXPECT_EQ(2, frame->GetSortState(3).column);
    EXPECT_FALSE(frame->GetSortState(3).bAscending);

    Command(ID_VIEW_DETAIL);
    auto* list = dynamic_cast<yqListView*>(frame->GetRightView());
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(DWORD(LVS_REPORT), list->GetStyle() & LVS_TYPEMASK);
    EXPECT_EQ(LVS_REPORT, frame->m_nListMode);
    EXPECT_EQ(frame->m_itemList.size(), size_t(list->GetListCtrl().GetItemCount()));
    Command(ID_VIEW_LIST);
    EXPECT_EQ(DWORD(LVS_LIST), list->GetStyle() & LVS_TYPEMASK);
    EXPECT_FALSE(Enabled(ID_VIEW_ARRANGE));  // grey in list style too

    // A desktop folder of pictures: folder thumbnails, then a picture at full size.
    WriteColourPicture(folder + "/a.bmp", 64, 48, RGB(255, 0, 0));
    WriteColourPicture(folder + "/b.bmp", 64, 48, RGB(0, 255, 0));
    CTreeNode* pictures = tree->InsertNode("pictures", 3, 3, tree->m_pDesktop, CTreeNode::kFolder | 2,
                                           CatalogPath(folder).c_str());
    Select(pictures);
    ASSERT_NE(nullptr, dynamic_cast<yqListView*>(frame->GetRightView()));
    Command(ID_VIEW_THUMBNAILS);
    auto* dir = dynamic_cast<CDirImgView*>(frame->GetRightView());
    ASSERT_NE(nullptr, dir);
    EXPECT_EQ(2u, std::count_if(dir->m_cells.begin(), dir->m_cells.end(),
                                [](CThumbImageItem* c) { return c->m_nKind == 0; }));
    CThumbImageItem* cell = dir->m_cells.back();
    const CPoint at = cell->m_rect.CenterPoint();
    dir->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PumpPending();
    ASSERT_EQ(4, frame->GetRightViewIndex());
    auto* full = dynamic_cast<CImageDetailView*>(frame->GetRightView());
    ASSERT_NE(nullptr, full);
    EXPECT_NE(nullptr, full->m_pDragImage);
    EXPECT_EQ(CSize(74, 58), full->GetTotalSize());
    // 並び替え is grey while a detail view is shown.
    frame->SendMessage(WM_INITMENU, reinterpret_cast<WPARAM>(frame->GetMenu()->GetSafeHmenu()));
    EXPECT_TRUE(frame->GetMenu()->GetSubMenu(2)->GetMenuState(9, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(Enabled(ID_VIEW_THUMBNAILS));
}

TEST_F(ViewsTest, ThumbnailModeRowsShowItemsAndAnItemsDetailForm)
{
    FixtureOptions options;
    options.products = 60;
    Load(options);
    frame->m_nListMode = 256;
    CTreeNode* leaf = FullestLeaf();
    ASSERT_NE(nullptr, leaf);
    Select(leaf);
    auto* thumbs = dynamic_cast<yqItemView*>(frame->GetRightView());
    ASSERT_NE(nullptr, thumbs);
    ASSERT_FALSE(thumbs->m_cells.empty());
    auto* item = static_cast<yqItem*>(thumbs->m_cells[0]->m_pData);
    const CPoint at = thumbs->m_cells[0]->m_rect.CenterPoint();
    thumbs->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PumpPending();
    auto* form = dynamic_cast<CDetailView*>(frame->GetRightView());
    ASSERT_NE(nullptr, form);
    EXPECT_EQ(item, form->m_pItem);
    EXPECT_EQ(item->m_hTreeItem, tree->GetTreeCtrl().GetSelectedItem());

    // Back to the category: its thumbnails again; an item node: its form.
    Select(leaf);
    EXPECT_NE(nullptr, dynamic_cast<yqItemView*>(frame->GetRightView()));
    CTreeNode* itemNode = nullptr;
    for (CTreeNode* c : leaf->m_children)
        if (c->GetItem() && !itemNode)
            itemNode = c;
    Select(itemNode);
    ASSERT_NE(nullptr, dynamic_cast<CDetailView*>(frame->GetRightView()));
    EXPECT_EQ(itemNode->GetItem(), dynamic_cast<CDetailView*>(frame->GetRightView())->m_pItem);
}

// Absolute input as the user's hand gives it, at a screen point.
void Hand(CPoint screen, DWORD flags)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>((screen.x * 65535LL) / (::GetSystemMetrics(SM_CXSCREEN) - 1));
    in.mi.dy = static_cast<LONG>((screen.y * 65535LL) / (::GetSystemMetrics(SM_CYSCREEN) - 1));
    in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
    ::SendInput(1, &in, sizeof in);
}

// The same, then this thread's messages handled as its loop would.
void Mouse(CPoint screen, DWORD flags)
{
    Hand(screen, flags);
    PumpPending();
    ::Sleep(30);
    PumpPending();
}

TEST_F(ViewsTest, RealDoubleClickOnACellOpensThatCellsForm)
{
    FixtureOptions options;
    options.products = 60;
    Load(options);
    frame->m_nListMode = 256;
    CTreeNode* leaf = FullestLeaf();
    ASSERT_NE(nullptr, leaf);
    Select(leaf);
    frame->SetForegroundWindow();
    PumpPending();
    auto* thumbs = dynamic_cast<yqItemView*>(frame->GetRightView());
    ASSERT_NE(nullptr, thumbs);
    thumbs->UpdateWindow();
    ASSERT_GE(thumbs->m_cells.size(), 3u);
    auto* item = static_cast<yqItem*>(thumbs->m_cells[1]->m_pData);
    CPoint at = thumbs->m_cells[1]->m_rect.CenterPoint();
    thumbs->ClientToScreen(&at);
    Mouse(at, 0);
    for (int i = 0; i < 2; ++i) {
        Mouse(at, MOUSEEVENTF_LEFTDOWN);
        Mouse(at, MOUSEEVENTF_LEFTUP);
    }
    ASSERT_TRUE(PumpUntil([&] { return dynamic_cast<CDetailView*>(frame->GetRightView()) != nullptr; }));
    auto* form = dynamic_cast<CDetailView*>(frame->GetRightView());
    EXPECT_EQ(item, form->m_pItem);
    EXPECT_EQ(item->m_hTreeItem, tree->GetTreeCtrl().GetSelectedItem());
}

TEST_F(ViewsTest, RealPressAndMovesOnTheFormsPreviewDragTheItemOntoATarget)
{
    yqItem* item = MakeItem(2, "P1", "p1.bmp", RGB(200, 0, 0));
    PlaceSink();
    auto* form = Switch<CDetailView>(1);
    ASSERT_NE(nullptr, form);
    form->ShowItem(item);
    frame->SetForegroundWindow();
    form->UpdateWindow();
    PumpPending();
    CRect preview;
    form->m_preview.GetWindowRect(&preview);
    const CPoint from = preview.CenterPoint(), to(30, 30);
    Mouse(from, 0);
    Mouse(from, MOUSEEVENTF_LEFTDOWN);
    // Another hand moves to the target and lets go while the drag's own loop runs here.
    std::thread hand([from, to] {
        for (int i = 1; i <= 10; ++i) {
            Hand(from + CSize((to.x - from.x) * i / 10, (to.y - from.y) * i / 10), 0);
            ::Sleep(60);
        }
        ::Sleep(200);
        Hand(to, MOUSEEVENTF_LEFTUP);
    });
    const bool dropped = PumpUntil([&] { return recorder.drops > 0; });
    hand.join();
    PumpPending();
    ASSERT_TRUE(dropped) << "a press and moves on the preview started no drag";
    EXPECT_EQ(1u, recorder.formats.count(CLIPFORMAT(CF_VENDAROEXPLORER)));
    EXPECT_EQ(std::vector<std::string>{std::string(item->m_strPicturePath)}, HDropPaths(recorder.formats[CF_HDROP]));
}

TEST_F(ViewsTest, ListAndTreeDragsHandOverTheirRowsAndNothingFromOtherLists)
{
    FixtureOptions options;
    options.products = 60;
    Load(options);
    frame->m_nListMode = LVS_REPORT;
    CTreeNode* leaf = FullestLeaf();
    Select(leaf);
    auto* list = dynamic_cast<yqListView*>(frame->GetRightView());
    ASSERT_NE(nullptr, list);
    CListCtrl& ctrl = list->GetListCtrl();
    ASSERT_GE(ctrl.GetItemCount(), 3);
    PlaceSink();
    for (int r = 0; r < 3; ++r)
        ctrl.SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
    auto beginDrag = [&](CWnd* from, UINT code, int row) {
        NMLISTVIEW nm{};
        nm.hdr.hwndFrom = from->GetSafeHwnd();
        nm.hdr.idFrom = UINT_PTR(from->GetDlgCtrlID());
        nm.hdr.code = code;
        nm.iItem = row;
        frame->SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
    };
    beginDrag(list, LVN_BEGINDRAG, 0);
    ASSERT_EQ(1, recorder.drops);
    const std::string block = recorder.formats[CLIPFORMAT(CF_VENDAROEXPLORER)];
    EXPECT_EQ(3u, HDropPaths(recorder.formats[CF_HDROP]).size());
    EXPECT_EQ(std::string(2, '\0'), block.substr(block.size() - 2));

    // Large icons: no drag; a list of categories (kind 2): no drag.
    ctrl.ModifyStyle(LVS_TYPEMASK, LVS_ICON);
    beginDrag(list, LVN_BEGINDRAG, 0);
    EXPECT_EQ(1, recorder.drops);
    Select(leaf->GetParent());
    list = dynamic_cast<yqListView*>(frame->GetRightView());
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(yqListView::kChildren, list->GetKind());
    list->GetListCtrl().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    beginDrag(list, LVN_BEGINDRAG, 0);
    EXPECT_EQ(1, recorder.drops);

    // An item node of the tree: its record, privately.
    CTreeNode* itemNode = nullptr;
    for (CTreeNode* c : leaf->m_children)
        if (c->GetItem() && !itemNode)
            itemNode = c;
    // The tree makes a drag image only with its image list (the program's comes from InitInstance).
    CImageList icons;
    icons.Create(16, 16, ILC_COLOR24, 1, 1);
    CBitmap dot;
    CWindowDC screen(nullptr);
    dot.CreateCompatibleBitmap(&screen, 16, 16);
    icons.Add(&dot, static_cast<CBitmap*>(nullptr));
    tree->GetTreeCtrl().SetImageList(&icons, TVSIL_NORMAL);
    tree->GetTreeCtrl().EnsureVisible(itemNode->m_hItem);
    NMTREEVIEW nt{};
    nt.hdr.hwndFrom = tree->GetSafeHwnd();
    nt.hdr.idFrom = UINT_PTR(tree->GetDlgCtrlID());
    nt.hdr.code = TVN_BEGINDRAG;
    nt.itemNew.hItem = itemNode->m_hItem;
    frame->SendMessage(WM_NOTIFY, nt.hdr.idFrom, reinterpret_cast<LPARAM>(&nt));
    ASSERT_EQ(2, recorder.drops);
    EXPECT_EQ(1u, recorder.formats.count(CLIPFORMAT(CF_VENDAROEXPLORER)));
    EXPECT_EQ(std::vector<std::string>{std::string(itemNode->GetItem()->m_strPicturePath)},
              HDropPaths(recorder.formats[CF_HDROP]));
    EXPECT_EQ(nullptr, tree->GetTreeCtrl().GetDropHilightItem());
    tree->GetTreeCtrl().SetImageList(nullptr, TVSIL_NORMAL);
}

TEST(DragFrame, RefusesASecondEnterAndALeaveWithoutEnter)
{
    CWnd window;
    window.CreateEx(0, AfxRegisterWndClass(0), "frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 200), nullptr, 0);
    std::unique_ptr<CDragFrame> image(CreateOutlineDragImage({{CRect(0, 0, 40, 30), CRect()}}, CSize(40, 30)));
    ASSERT_NE(nullptr, image);
    EXPECT_FALSE(image->DragLeave(&window));
    EXPECT_FALSE(image->IsShown());
    image->BeginDrag(5, 5);
    CWindowDC dc(&window);
    dc.FillSolidRect(0, 0, 200, 200, RGB(255, 255, 255));
    // The checkerboard inverts every other pixel of an edge.
    // Read through the frame's own DC while it holds the window locked.
    auto corner = [&] {
        CDC& d = image->IsShown() ? image->m_dcWindow : dc;
        return std::make_pair(d.GetPixel(15, 15), d.GetPixel(16, 15));
    };
    const auto before = corner();
    ASSERT_TRUE(image->DragEnter(&window, 20, 20));
    EXPECT_EQ(CPoint(15, 15), image->GetPosition());
    EXPECT_FALSE(image->DragEnter(&window, 30, 30));
    EXPECT_NE(before, corner());  // the outline's corner is inverted
    EXPECT_TRUE(image->DragMove(40, 40));
    EXPECT_EQ(before, corner());  // and inverted back when it moves on
    EXPECT_TRUE(image->DragLeave(&window));
    EXPECT_FALSE(image->IsShown());
    window.DestroyWindow();
}

}  // namespace
