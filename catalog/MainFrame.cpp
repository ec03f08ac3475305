#include "MainFrame.h"

#include <dbt.h>
#include <shlobj.h>

#include <memory>

#include "DetailView.h"
#include "DirImgView.h"
#include "EmptyPaneView.h"
#include "ImageDetailView.h"
#include "yqItemView.h"
#include "yqListView.h"
#include "LeftView.h"
#include "ProgressBar.h"
#include "VendaroExplorerApp.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

CRuntimeClass* CMainFrame::s_viewTable[5] = {RUNTIME_CLASS(yqListView), RUNTIME_CLASS(CDetailView),
                                             RUNTIME_CLASS(CDirImgView), RUNTIME_CLASS(yqItemView),
                                             RUNTIME_CLASS(CImageDetailView)};

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_DEVICECHANGE()
    ON_COMMAND(ID_VIEW_REFRESH, OnReload)
    ON_UPDATE_COMMAND_UI(ID_VIEW_REFRESH, OnUpdateReload)
    ON_COMMAND(ID_GO_BACK, OnGoBack)
    ON_UPDATE_COMMAND_UI(ID_GO_BACK, OnUpdateGoBack)
    ON_COMMAND(ID_GO_FORWARD, OnGoForward)
    ON_UPDATE_COMMAND_UI(ID_GO_FORWARD, OnUpdateGoForward)
    ON_COMMAND(ID_GO_UP, OnGoUp)
    ON_UPDATE_COMMAND_UI(ID_GO_UP, OnUpdateGoUp)
    ON_COMMAND(ID_FOCUS_NEXT_PANE, OnFocusNextPane)
    ON_COMMAND(ID_REGISTER_DIRECTORY, OnRegisterDirectory)
    ON_COMMAND(ID_SEARCH_BUTTON, OnSearchButton)
    ON_UPDATE_COMMAND_UI(ID_SEARCH_BOX, OnUpdateSearchBox)
    ON_COMMAND(ID_EMPTY_COMMAND, OnEmptyCommand)
    ON_UPDATE_COMMAND_UI(ID_EMPTY_COMMAND, OnUpdateEmptyCommand)
    // View modes, sorting and drags of the right pane (MainFrameViews.cpp).
    ON_COMMAND_RANGE(ID_VIEW_SMALLICON, ID_VIEW_LINEUP, OnViewMode)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_SMALLICON, ID_VIEW_LINEUP, OnUpdateViewMode)
    ON_COMMAND_RANGE(ID_SORT_FIRST, ID_SORT_LAST, OnSortCommand)
    ON_WM_INITMENU()
    ON_NOTIFY(TVN_BEGINDRAG, AFX_IDW_PANE_FIRST, OnTreeBeginDrag)
    ON_NOTIFY(LVN_BEGINDRAG, AFX_IDW_PANE_FIRST, OnListBeginDrag)
    // The search dialogs' commands (MainFrameSearch.cpp).
    ON_COMMAND(ID_SEARCH_DATA_QUICK, OnSavedSearch)
    ON_UPDATE_COMMAND_UI(ID_SEARCH_DATA_QUICK, OnUpdateSavedSearch)
    ON_COMMAND(ID_SEARCH_DATA, OnDataSearch)
    ON_COMMAND(ID_SEARCH_IMAGE, OnImageSearch)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() { delete m_pProgressBar; }

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    static bool registered = false;
    WNDCLASS wc{};
    if (!registered && ::GetClassInfo(AfxGetInstanceHandle(), cs.lpszClass, &wc)) {
        wc.style &= ~(CS_HREDRAW | CS_VREDRAW);
        wc.hIcon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_MAINFRAME));
        wc.lpszClassName = "YQEWndClass";
        registered = ::RegisterClass(&wc) != 0;
    }
    if (registered)
        cs.lpszClass = "YQEWndClass";
    if (CVendaroExplorerApp* app = GetVendaroApp()) {
        const RECT& rc = app->m_rcProfileWindow;
        if (rc.right > rc.left && rc.bottom > rc.top) {
            cs.x = rc.left;
            cs.y = rc.top;
            cs.cx = rc.right - rc.left;
            cs.cy = rc.bottom - rc.top;
        }
    }
    cs.style &= ~FWS_ADDTOTITLE;
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_BORDER_BOTTOM | CBRS_TOOLTIPS | CBRS_FLYBY |
                                   CBRS_SIZE_DYNAMIC,
                               CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;

    // Every embedded control must exist: a frame without one has nothing to route to it.
    CRect rc = m_wndToolBar.MakeRoomFor(ID_GO_BACK, 48);
    if (!m_btnBack.Create("戻る", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rc, &m_wndToolBar, ID_GO_BACK))
        return -1;
    m_btnBack.SetIcon(IDI_BACK_PRESSED, IDI_BACK, 40, 16);
    m_btnBack.ShowCaption(FALSE);
    rc = m_wndToolBar.MakeRoomFor(ID_VIEW_REFRESH, 64);
    if (!m_btnReload.Create("再読込", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rc, &m_wndToolBar, ID_VIEW_REFRESH))
        return -1;
    m_btnReload.SetIcon(IDI_RELOAD_PRESSED, IDI_RELOAD, 56, 16);
    m_btnReload.ShowCaption(FALSE);
    if (!m_wndToolBar.AddEditControl(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, &m_editSearch, ID_SEARCH_BOX,
                                     150, 22))
        return -1;
    m_editSearch.ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    m_editSearch.ModifyStyle(0, WS_BORDER);
    CFont* font = &GetVendaroApp()->m_font;
    CSize text(40, 12);
    {
        CClientDC dc(this);
        CFont* old = font->GetSafeHandle() ? dc.SelectObject(font) : nullptr;
        text = dc.GetTextExtent("検索");
        if (old)
            dc.SelectObject(old);
    }
    if (!m_wndToolBar.AddButtonControl("検索", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, &m_btnSearch, ID_SEARCH_BUTTON,
                                       text.cx + 14, text.cy + 10))
        return -1;
    if (font->GetSafeHandle()) {
        m_btnBack.SetFont(font);
        m_editSearch.SetFont(font);
        m_btnSearch.SetFont(font);
    }

    static const UINT indicators[] = {ID_SEPARATOR};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 1))
        return -1;
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_TOP);
    EnableDocking(CBRS_ALIGN_TOP);
    DockControlBar(&m_wndToolBar);
    return 0;
}

BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* context)
{
    CVendaroExplorerApp* app = GetVendaroApp();
    const int treeWidth = app ? app->m_nSplitterWidth : 200;
    if (!m_wndSplitter.CreateStatic(this, 1, 2))
        return FALSE;
    CRuntimeClass* treeClass = context && context->m_pNewViewClass ? context->m_pNewViewClass : RUNTIME_CLASS(CLeftView);
    if (!m_wndSplitter.CreateView(0, 0, treeClass, CSize(treeWidth, 100), context)) {
        m_wndSplitter.DestroyWindow();
        return FALSE;
    }
    if (!m_wndRightSplitter.CreateStatic(&m_wndSplitter, 2, 1, WS_CHILD | WS_VISIBLE | WS_BORDER,
                                         m_wndSplitter.IdFromRowCol(0, 1)))
        return FALSE;
    const int height = lpcs->cy > 20 ? lpcs->cy : 20;
    if (!m_wndRightSplitter.CreateView(0, 0, s_viewTable[m_nRightViewIndex], CSize(0, height), context) ||
        !m_wndRightSplitter.CreateView(1, 0, RUNTIME_CLASS(yqSubItemView), CSize(0, 0), context))
        return FALSE;
    m_wndRightSplitter.SetRowInfo(1, 0, 0);
    return TRUE;
}

CLeftView* CMainFrame::GetLeftView() const
{
    return m_wndSplitter.GetSafeHwnd() ? dynamic_cast<CLeftView*>(m_wndSplitter.GetPane(0, 0)) : nullptr;
}

CView* CMainFrame::GetRightView() const
{
    return m_wndRightSplitter.GetSafeHwnd() ? dynamic_cast<CView*>(m_wndRightSplitter.GetPane(0, 0)) : nullptr;
}

CView* CMainFrame::GetDetailPane() const
{
    return m_wndRightSplitter.GetSafeHwnd() ? dynamic_cast<CView*>(m_wndRightSplitter.GetPane(1, 0)) : nullptr;
}

int CMainFrame::GetTreePaneWidth(int fallback) const
{
    if (!m_wndSplitter.GetSafeHwnd())
        return fallback;
    int cx, cxMin;
    m_wndSplitter.GetColumnInfo(0, cx, cxMin);
    return cx;
}

CView* CMainFrame::SwitchRightView(int index)
{
    if (index < 0 || index >= 5)
        return nullptr;
    CWnd* focus = GetFocus();
    CRuntimeClass* cls = s_viewTable[index];
    const bool hadFocus = focus && focus->IsKindOf(cls);
    CView* view = m_wndRightSplitter.ReplaceView(0, 0, cls, CSize(0, 0));
    m_nRightViewIndex = index;
    // The old pane may have been the active view: commands then go to the tree.
    if (!GetActiveView() && GetLeftView())
        SetActiveView(GetLeftView(), FALSE);
    if (view && hadFocus)
        view->SetFocus();
    return view;
}

void CMainFrame::ShowDetailRow(BOOL show)
{
    m_bDetailRowShown = show;
    if (!m_wndRightSplitter.GetSafeHwnd())
        return;
    int h0, min0, h1, min1;
    m_wndRightSplitter.GetRowInfo(0, h0, min0);
    m_wndRightSplitter.GetRowInfo(1, h1, min1);
    if (show) {
        if (h0 <= 0)
            return;
        const int half = (h0 + h1) / 2;
        m_wndRightSplitter.SetRowInfo(0, half, min0);
        m_wndRightSplitter.SetRowInfo(1, half, min0);
    } else {
        if (h1 <= 0)
            return;
        m_wndRightSplitter.SetRowInfo(0, h0 + h1, min0 + min1);
        m_wndRightSplitter.SetRowInfo(1, 0, 0);
    }
    m_wndRightSplitter.RecalcLayout();
}

void CMainFrame::OnSize(UINT type, int cx, int cy)
{
    CFrameWnd::OnSize(type, cx, cy);
    if (!m_wndRightSplitter.GetSafeHwnd() || m_bDetailRowShown)
        return;
    int h0, min0, h1, min1;
    m_wndRightSplitter.GetRowInfo(0, h0, min0);
    m_wndRightSplitter.GetRowInfo(1, h1, min1);
    if (h0 >= 1 && h1 >= 1) {
        m_wndRightSplitter.SetRowInfo(0, h0 + h1, min0);
        m_wndRightSplitter.SetRowInfo(1, 0, 0);
        m_wndRightSplitter.RecalcLayout();
    }
}

SortState& CMainFrame::GetSortState(int kind)
{
    switch (kind) {
    case 3:
    case 5: return m_sortStates[0];
    case 7: return m_sortStates[1];
    case 2: return m_sortStates[2];
    case 1: return m_sortStates[3];
    case 4: return m_sortStates[4];
    default: return m_sortStates[5];
    }
}

void CMainFrame::BuildSortMenu(int kind)
{
    CMenu* menu = GetMenu();
    CMenu* view = menu ? menu->GetSubMenu(2) : nullptr;
    CMenu* sort = view ? view->GetSubMenu(9) : nullptr;
    if (!sort || kind == 0)
        return;
    while (sort->GetMenuItemCount() > 0)
        sort->DeleteMenu(0, MF_BYPOSITION);
    for (const SortMenuEntry& e : BuildSortMenuEntries(kind, GetSortState(kind)))
        sort->AppendMenu(MF_STRING | (e.checked ? MF_CHECKED : MF_UNCHECKED), e.id, e.caption);
    m_nLastSortKind = kind;
}

void CMainFrame::SetStatusText(LPCTSTR text)
{
    if (m_wndStatusBar.GetSafeHwnd()) {
        m_wndStatusBar.SetPaneText(0, text);
        m_wndStatusBar.UpdateWindow();
    }
}

void CMainFrame::BeginProgress(const char* text, int total, int step)
{
    delete m_pProgressBar;
    m_pProgressBar = nullptr;
    m_nProgressPos = 0;
    m_nProgressStep = total > 0 ? ::MulDiv(1000, step, total) : 0;
    auto bar = std::make_unique<CProgressBar>();
    if (bar->Create(text, m_nProgressStep, 1000, FALSE, 0))
        m_pProgressBar = bar.release();
}

void CMainFrame::StepProgress()
{
    m_nProgressPos += m_nProgressStep;
    if (m_pProgressBar) {
        m_pProgressBar->SetPos(m_nProgressPos);
        // Discovery holds the thread: the step is drawn now, and a look at the queue (which
        // takes nothing from it) lets Wine put the thread's drawing on the screen.
        m_pProgressBar->UpdateWindow();
        MSG msg;
        ::PeekMessage(&msg, nullptr, WM_NULL, WM_NULL, PM_NOREMOVE);
    }
}

void CMainFrame::EndProgress()
{
    delete m_pProgressBar;
    m_pProgressBar = nullptr;
    RedrawWindow();
}

void CMainFrame::ReleaseCatalogViews()
{
    // Tree nodes, the item list and the panes on the right point into the catalogues, and the
    // progress of the discovery that follows lets them paint: they let go before the catalogues go.
    if (CLeftView* tree = GetLeftView())
        tree->DeleteAllNodes();
    ClearItemList();
    if (!m_wndRightSplitter.GetSafeHwnd())
        return;
    SwitchRightView(0);
    if (auto* row = dynamic_cast<yqSubItemView*>(GetDetailPane())) {
        row->DeleteAllCells();
        row->Invalidate();
    }
}

void CMainFrame::InitialLoad()
{
    CWaitCursor wait;
    delete m_pProgressBar;
    m_pProgressBar = nullptr;
    CVendaroExplorerApp* app = GetVendaroApp();
    CYQVDoc* doc = dynamic_cast<CYQVDoc*>(GetActiveDocument());
    app->m_bBusy = TRUE;
    ReleaseCatalogViews();
    app->FreeLists();
    if (doc)
        doc->DeleteAllCatalogs();
    app->ReadConfig();
    app->m_bBusy = TRUE;
    if (doc)
        doc->DiscoverCatalogs();
    app->m_bBusy = TRUE;
    CLeftView* tree = GetLeftView();
    if (tree) {
        tree->DeleteAllNodes();
        tree->AddRootNodes();
    }
    app->m_bBusy = FALSE;
    if (tree)
        tree->SelectStartNode();
}

void CMainFrame::Reload()
{
    delete m_pProgressBar;
    m_pProgressBar = nullptr;
    CVendaroExplorerApp* app = GetVendaroApp();
    CYQVDoc* doc = dynamic_cast<CYQVDoc*>(GetActiveDocument());
    app->m_bBusy = TRUE;
    app->WriteConfig();
    app->SaveProfile();
    ReleaseCatalogViews();
    app->FreeLists();
    if (doc)
        doc->DeleteAllCatalogs();
    app->ReadConfig();
    if (doc)
        doc->DiscoverCatalogs();
    CLeftView* tree = GetLeftView();
    if (tree) {
        tree->DeleteAllNodes();
        tree->AddRootNodes();
    }
    app->m_bBusy = FALSE;
    if (tree && !tree->RestorePosition(g_lastTreePosition))
        tree->SelectFallbackNode();
}

void CMainFrame::OnClose()
{
    CVendaroExplorerApp* app = GetVendaroApp();
    if (app->m_bBusy)
        return;
    app->WriteConfig();
    app->SaveProfile();
    CFrameWnd::OnClose();
}

BOOL CMainFrame::OnDeviceChange(UINT event, DWORD_PTR data)
{
    if ((event == DBT_DEVICEARRIVAL || event == DBT_DEVICEREMOVECOMPLETE) && data) {
        auto* header = reinterpret_cast<DEV_BROADCAST_HDR*>(data);
        if (header->dbch_devicetype == DBT_DEVTYP_VOLUME &&
            (reinterpret_cast<DEV_BROADCAST_VOLUME*>(data)->dbcv_flags & DBTF_MEDIA)) {
            PostMessage(WM_COMMAND, ID_VIEW_REFRESH);
            return TRUE;
        }
    }
    return static_cast<BOOL>(Default());
}

void CMainFrame::OnReload()
{
    if (!GetVendaroApp()->m_bBusy)
        Reload();
}

void CMainFrame::OnUpdateReload(CCmdUI* cmdUI) { cmdUI->Enable(!GetVendaroApp()->m_bBusy); }

void CMainFrame::OnGoBack()
{
    if (CLeftView* tree = GetLeftView())
        tree->GoBack(TRUE);
}

void CMainFrame::OnUpdateGoBack(CCmdUI* cmdUI)
{
    CLeftView* tree = GetLeftView();
    cmdUI->Enable(tree && tree->GoBack(FALSE));
}

void CMainFrame::OnGoForward()
{
    if (CLeftView* tree = GetLeftView())
        tree->GoForward(TRUE);
}

void CMainFrame::OnUpdateGoForward(CCmdUI* cmdUI)
{
    CLeftView* tree = GetLeftView();
    cmdUI->Enable(tree && tree->GoForward(FALSE));
}

HTREEITEM CMainFrame::SelectedTreeParent() const
{
    CLeftView* tree = GetLeftView();
    if (!tree)
        return nullptr;
    HTREEITEM selected = tree->GetTreeCtrl().GetSelectedItem();
    return selected ? tree->GetTreeCtrl().GetParentItem(selected) : nullptr;
}

void CMainFrame::OnGoUp()
{
    if (HTREEITEM parent = SelectedTreeParent())
        GetLeftView()->GetTreeCtrl().SelectItem(parent);
}

void CMainFrame::OnUpdateGoUp(CCmdUI* cmdUI) { cmdUI->Enable(SelectedTreeParent() != nullptr); }

void CMainFrame::OnFocusNextPane()
{
    CLeftView* tree = GetLeftView();
    CView* right = GetRightView();
    if (!tree)
        return;
    CWnd* focus = GetFocus();
    if (focus == tree && right) {
        right->SetFocus();
        return;
    }
    tree->SetFocus();
    // The report list draws its selection differently without the focus.
    if (right && focus == right && m_nRightViewIndex == 0)
        right->Invalidate();
}

void CMainFrame::OnRegisterDirectory()
{
    BROWSEINFO bi{};
    bi.hwndOwner = m_hWnd;
    bi.lpszTitle = "Vendaroディレクトリの選択";
    LPITEMIDLIST idl = ::SHBrowseForFolder(&bi);
    if (!idl)
        return;
    char path[MAX_PATH] = {};
    const BOOL ok = ::SHGetPathFromIDList(idl, path);
    ::CoTaskMemFree(idl);
    if (ok)
        RegisterDirectory(path);
}

void CMainFrame::RegisterDirectory(const char* path)
{
    CVendaroExplorerApp* app = GetVendaroApp();
    CString directory = CString(path) + "\\";
    for (const CString& d : app->m_registeredDirs) {
        if (d == directory) {
            AfxMessageBox("指定されたディレクトリは既に登録されています。", MB_OK);
            return;
        }
    }
    if (::GetDriveType(directory) == DRIVE_CDROM) {
        AfxMessageBox("指定されたディレクトリはCD-ROMドライブです。CD-ROMドライブは\n起動時に自動的にVendaroディレクトリ"
                      "として、検索されるため\n登録することが出来ません。",
                      MB_OK);
        return;
    }
    CYQVDoc* doc = dynamic_cast<CYQVDoc*>(GetActiveDocument());
    auto catalog = std::make_unique<yqCatalog>();
    if (!doc || !catalog->Load(directory))
        return;
    auto* entry = new CCatalogCacheEntry;
    entry->m_strId = catalog->GetId();
    entry->m_strRoot = directory;
    entry->m_strTitle = catalog->GetTitle();
    entry->m_bNeedsWriting = TRUE;
    app->m_cacheEntries.push_back(entry);
    app->m_registeredDirs.push_back(directory);
    yqCatalog* loaded = catalog.get();
    doc->m_catalogs.push_back(catalog.release());
    if (CLeftView* tree = GetLeftView())
        tree->AddCatalogNode(loaded, CVendaroExplorerApp::GetDriveIconIndex(path));
}
