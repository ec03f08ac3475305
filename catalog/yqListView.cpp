#include "yqListView.h"

#include <algorithm>
#include <string>

#include "ConfirmDlg.h"
#include "DragImage.h"
#include "FileInfoRecord.h"
#include "HandOver.h"
#include "HandOverBlocks.h"
#include "ImageDetailView.h"
#include "LeftView.h"
#include "ListRowCompare.h"
#include "MainFrame.h"
#include "MyListCtrl.h"
#include "SearchRecords.h"
#include "TreeNode.h"
#include "VendaroExplorerApp.h"
#include "YQVDoc.h"
#include "resource.h"
#include "yqItem.h"

IMPLEMENT_DYNCREATE(yqListView, CListView)

BEGIN_MESSAGE_MAP(yqListView, CListView)
    ON_NOTIFY_REFLECT(NM_DBLCLK, OnDblClk)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
    ON_WM_SIZE()
    ON_WM_KEYDOWN()
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateCopyRows)
    ON_COMMAND(ID_PASTE_TO_BOARD, OnPasteToBoard)
    ON_UPDATE_COMMAND_UI(ID_PASTE_TO_BOARD, OnUpdateCopyRows)
    ON_COMMAND(ID_DELETE_RESULT, OnDeleteSearch)
    ON_UPDATE_COMMAND_UI(ID_DELETE_RESULT, OnUpdateDeleteSearch)
END_MESSAGE_MAP()

namespace {

const char* const kItemColumns[] = {"品番", "品名", "価格"};
const int kItemWidths[] = {150, 200, 100};
const char* const kSearchColumns[] = {"検索条件名", "検索項目", "検索文字列", "検索方法", "パス名"};
const int kSearchWidths[] = {200, 100, 200, 100, 200};
const char* const kImageSearchColumns[] = {"検索条件名", "検索文字列", "パス名"};
const int kImageSearchWidths[] = {200, 200, 200};
const char* const kFileColumns[] = {"ファイル名", "サイズ", "種類", "更新日時"};
const int kFileWidths[] = {150, 100, 100, 150};
const char* const kCatalogColumns[] = {"Vendaro名", "パス名"};
const int kCatalogWidths[] = {300, 200};
const char* const kFolderColumns[] = {"パス名"};
const int kFolderWidths[] = {1024};
const char* const kNameColumns[] = {"項目名"};
const int kNameWidths[] = {200};

CString ItemPrice(const yqItem* item)
{
    if (item->m_dPrice < 0 || !item->m_pszPriceSuffix)
        return CString();
    CString price;
    FormatPrice(static_cast<int>(item->m_dPrice), price);
    return price + item->m_pszPriceSuffix;
}

// Rows go in without a repaint each: under Wine a list repainted per row takes 30 ms a row.
class CNoRedraw {
public:
    explicit CNoRedraw(CWnd* wnd) : m_wnd(wnd) { m_wnd->SetRedraw(FALSE); }
    ~CNoRedraw()
    {
        m_wnd->SetRedraw(TRUE);
        m_wnd->Invalidate();
    }

private:
    CWnd* m_wnd;
};

// Lists whose rows carry the index of their entry.
bool IsFileRowList(int kind)
{
    return kind == yqListView::kCatalogs || kind == yqListView::kChildren || kind == yqListView::kFolders ||
           kind == yqListView::kFiles;
}

}  // namespace

yqListView::~yqListView() { FreeRows(); }

void yqListView::FreeRows()
{
    for (yqListRow& r : m_rows)
        delete r.pRecord;
    m_rows.clear();
}

CMainFrame* yqListView::Frame() const { return dynamic_cast<CMainFrame*>(::AfxGetMainWnd()); }

CLeftView* yqListView::Tree() const
{
    CMainFrame* f = Frame();
    return f ? f->GetLeftView() : nullptr;
}

BOOL yqListView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= LVS_REPORT | LVS_SHOWSELALWAYS;
    return CListView::PreCreateWindow(cs);
}

void yqListView::OnInitialUpdate()
{
    CListView::OnInitialUpdate();
    SetImageLists();
}

void yqListView::SetImageLists()
{
    CVendaroExplorerApp* app = GetVendaroApp();
    if (!app)
        return;
    ListView_SetImageList(m_hWnd, app->m_imageListSmall.m_hImageList, LVSIL_SMALL);
    ListView_SetImageList(m_hWnd, app->m_imageListLarge.m_hImageList, LVSIL_NORMAL);
}

void yqListView::Reset(int kind, const char* const* captions, const int* widths, int count)
{
    m_nKind = kind;
    ListView_DeleteAllItems(m_hWnd);
    while (ListView_DeleteColumn(m_hWnd, 0)) {
    }
    FreeRows();
    for (int i = 0; i < count; ++i) {
        LVCOLUMN col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        col.fmt = LVCFMT_LEFT;
        col.cx = widths[i];
        col.pszText = const_cast<char*>(captions[i]);
        col.iSubItem = i;
        ListView_InsertColumn(m_hWnd, i, &col);
    }
    SetImageLists();
}

int yqListView::AddRow(const char* text, int image, LPARAM param)
{
    LVITEM item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = ListView_GetItemCount(m_hWnd);
    item.pszText = const_cast<char*>(text);
    item.iImage = image;
    item.lParam = param;
    return ListView_InsertItem(m_hWnd, &item);
}

void yqListView::SetText(int row, int column, const char* text)
{
    ListView_SetItemText(m_hWnd, row, column, const_cast<char*>(text));
}

void yqListView::SetStatus(const char* format, int count)
{
    CString text;
    text.Format(format, count);
    if (CMainFrame* f = Frame())
        f->SetStatusText(text);
}

void yqListView::ShowCatalogNode(CTreeNode* node)
{
    if (CMainFrame* f = Frame())
        f->ShowDetailRow(FALSE);
    CLeftView* tree = Tree();
    Reset(kNone, nullptr, nullptr, 0);
    CTreeNode* top = CTreeNode::GetTopNode(node);
    if (!node || !tree || !(node->HasKind(CTreeNode::kCatalogFolder) || top == tree->m_pVendaroRoot ||
                            (top && top->HasKind(CTreeNode::kCatalogFolder))))
        return;
    CTreeCtrl& ctrl = tree->GetTreeCtrl();
    if (node == tree->m_pVendaroRoot) {
        Reset(kCatalogs, kCatalogColumns, kCatalogWidths, 2);
        for (CTreeNode* child : node->m_children) {
            yqCatalog* catalog = nullptr;
            if (CYQVDoc* doc = CYQVDoc::GetActive())
                for (yqCatalog* c : doc->m_catalogs)
                    if (c->GetCategoryRoot() == child->GetCategory())
                        catalog = c;
            CString root = catalog ? catalog->GetRootPath() : CString();
            const int row = AddRow(ctrl.GetItemText(child->m_hItem), CVendaroExplorerApp::GetDriveIconIndex(root),
                                   static_cast<LPARAM>(m_rows.size()));
            SetText(row, 1, root);
            m_rows.push_back({child->m_hItem, nullptr});
        }
        const SortState& s = Frame()->GetSortState(kCatalogs);
        SortItems(s.column, s.bAscending);
        SetStatus("Vendaro個数 : %d", static_cast<int>(m_rows.size()));
        return;
    }
    Reset(kChildren, kNameColumns, kNameWidths, 1);
    CNoRedraw quiet(this);
    for (CTreeNode* child : node->m_children) {
        AddRow(ctrl.GetItemText(child->m_hItem), 3, static_cast<LPARAM>(m_rows.size()));
        m_rows.push_back({child->m_hItem, nullptr});
    }
    const SortState& s = Frame()->GetSortState(kChildren);
    SortItems(s.column, s.bAscending);
    SetStatus("項目数 : %d", static_cast<int>(m_rows.size()));
}

void yqListView::ShowItems(const std::vector<yqItem*>& items)
{
    Reset(kItems, kItemColumns, kItemWidths, 3);
    LVCOLUMN col{};
    col.mask = LVCF_FMT;
    col.fmt = LVCFMT_RIGHT;
    ListView_SetColumn(m_hWnd, 2, &col);
    CNoRedraw quiet(this);
    for (yqItem* item : items) {
        const bool product = item->IsProduct();
        const int row = AddRow(product ? (item->m_pszNumber ? item->m_pszNumber : "") : "複数製品の組み合わせ",
                               product ? 8 : 10, reinterpret_cast<LPARAM>(item));
        SetText(row, 1, item->m_pszName ? item->m_pszName : "");
        SetText(row, 2, ItemPrice(item));
    }
    SetStatus("データ数 : %d", static_cast<int>(items.size()));
}

void yqListView::ShowFolder(CTreeNode* node)
{
    Reset(kFiles, kFileColumns, kFileWidths, 4);
    LVCOLUMN col{};
    col.mask = LVCF_FMT;
    col.fmt = LVCFMT_RIGHT;
    ListView_SetColumn(m_hWnd, 1, &col);
    if (!node)
        return;
    CLeftView* tree = Tree();
    CNoRedraw quiet(this);
    auto sizeText = [](const CString& text) {
        return text.IsEmpty() ? CString() : FormatListSize(ParseRecordSize(text));
    };
    for (CTreeNode* child : node->m_children) {
        if (child->HasKind(CTreeNode::kCatalogFolder)) {
            yqCatalog* catalog = nullptr;
            if (CYQVDoc* doc = CYQVDoc::GetActive())
                for (yqCatalog* c : doc->m_catalogs)
                    if (c->GetRootPath().CompareNoCase(child->m_strPath) == 0 ||
                        c->GetRootPath().CompareNoCase(child->m_strPath + "\\") == 0)
                        catalog = c;
            if (!catalog)
                continue;
            CString text;
            text.Format("%s (%s)", static_cast<const char*>(catalog->GetTitle()),
                        static_cast<const char*>(child->m_strPath));
            AddRow(text, child->m_nImage, static_cast<LPARAM>(m_rows.size()));
            m_rows.push_back({child->m_hItem, nullptr});
            continue;
        }
        CFileInfoRecord* r = child->GetRecord();
        const int row = AddRow(r ? r->m_strName : child->m_strText, child->m_nImage, static_cast<LPARAM>(m_rows.size()));
        if (r) {
            SetText(row, 1, sizeText(r->m_strSize));
            SetText(row, 2, r->m_strType);
            SetText(row, 3, r->m_strModified);
        }
        m_rows.push_back({child->m_hItem, nullptr});
    }
    if (node->HasPath() && tree) {
        CString folder = node->m_strPath;
        if (folder.Right(1) != "\\")
            folder += "\\";
        WIN32_FIND_DATA data;
        HANDLE h = ::FindFirstFile(folder + "*.*", &data);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    continue;
                const char* type = FolderListTypeName(data.cFileName);
                if (!type)
                    continue;
                auto* r = new CFileInfoRecord;
                r->m_strName = data.cFileName;
                r->m_strPath = folder + data.cFileName;
                r->m_strType = type;
                r->m_strSize = FormatRecordSize((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
                FILETIME local;
                SYSTEMTIME st;
                if (::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) && ::FileTimeToSystemTime(&local, &st))
                    r->m_strModified = FormatModifiedText(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute);
                const int row = AddRow(r->m_strName, 8, static_cast<LPARAM>(m_rows.size()));
                SetText(row, 1, sizeText(r->m_strSize));
                SetText(row, 2, r->m_strType);
                SetText(row, 3, r->m_strModified);
                m_rows.push_back({nullptr, r});
            } while (::FindNextFile(h, &data));
            ::FindClose(h);
        }
    }
    SetStatus("ファイル数 : %d", static_cast<int>(m_rows.size()));
}

void yqListView::ShowDataSearches(CTreeNode* node)
{
    Reset(kDataSearches, kSearchColumns, kSearchWidths, 5);
    for (CTreeNode* child : node->m_children) {
        CSearchCondition* c = child->GetCondition();
        if (!c)
            continue;
        const int row = AddRow(c->m_strName, 7, reinterpret_cast<LPARAM>(child->m_hItem));
        const char* field = c->m_strCode == "0001" ? "品番" : c->m_strCode == "0002" ? "品名"
                            : c->m_strCode == "0400" ? "キーワード" : "";
        SetText(row, 1, field);
        SetText(row, 2, c->m_strText);
        SetText(row, 3, c->m_nKind == 1 ? "詳細検索" : "簡易検索");
        SetText(row, 4, c->m_strCatalog == "*:" ? "" : static_cast<const char*>(c->m_strCatalog));
        m_rows.push_back({child->m_hItem, nullptr});
    }
    if (CMainFrame* f = Frame()) {
        const SortState& s = f->GetSortState(kDataSearches);
        SortItems(s.column, s.bAscending);
    }
    SetStatus("検索条件数 : %d", static_cast<int>(m_rows.size()));
}

void yqListView::ShowImageSearches(CTreeNode* node)
{
    Reset(kFiles, kImageSearchColumns, kImageSearchWidths, 3);
    for (CTreeNode* child : node->m_children) {
        CImageSearch* s = child->GetImageSearch();
        if (!s)
            continue;
        const int row = AddRow(s->m_strName, 7, static_cast<LPARAM>(m_rows.size()));
        SetText(row, 1, s->m_strFileText);
        SetText(row, 2, s->m_strFolder);
        m_rows.push_back({child->m_hItem, nullptr});
    }
    SetStatus("検索条件数 : %d", static_cast<int>(m_rows.size()));
}

void yqListView::ShowRegisteredFolders(CTreeNode* node)
{
    Reset(kFolders, kFolderColumns, kFolderWidths, 1);
    if (!node)
        return;
    for (CTreeNode* child : node->m_children) {
        AddRow(child->m_strPath, CVendaroExplorerApp::GetDriveIconIndex(child->m_strPath),
               static_cast<LPARAM>(m_rows.size()));
        m_rows.push_back({child->m_hItem, nullptr});
    }
    if (CMainFrame* f = Frame()) {
        const SortState& s = f->GetSortState(kFolders);
        SortItems(s.column, s.bAscending);
    }
    SetStatus("登録画像ディレクトリ数 : %d", static_cast<int>(m_rows.size()));
}

int yqListView::ShowSingleRow(const char* text)
{
    ListView_DeleteAllItems(m_hWnd);
    while (ListView_DeleteColumn(m_hWnd, 0)) {
    }
    for (int i = 0; i < 3; ++i) {
        LVCOLUMN col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        col.cx = kItemWidths[i];
        col.pszText = const_cast<char*>(kItemColumns[i]);
        col.iSubItem = i;
        ListView_InsertColumn(m_hWnd, i, &col);
    }
    SetImageLists();
    return AddRow(text, 15, 0);
}

void yqListView::SortItems(int column, BOOL ascending)
{
    const int count = ListView_GetItemCount(m_hWnd);
    const int columns = Header_GetItemCount(ListView_GetHeader(m_hWnd));
    struct Row {
        std::vector<CString> texts;
        int image;
        LPARAM param;
        UINT state;
    };
    std::vector<Row> rows;
    for (int i = 0; i < count; ++i) {
        Row r;
        char buf[1024];
        for (int c = 0; c < columns; ++c) {
            buf[0] = '\0';
            ListView_GetItemText(m_hWnd, i, c, buf, sizeof buf);
            r.texts.emplace_back(buf);
        }
        LVITEM item{};
        item.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.iItem = i;
        ListView_GetItem(m_hWnd, &item);
        r.image = item.iImage;
        r.param = item.lParam;
        r.state = item.state;
        rows.push_back(std::move(r));
    }
    auto texts = [&](const Row& r) {
        ListRowTexts t;
        t.name = r.texts.empty() ? CString() : r.texts[0];
        t.column = column < static_cast<int>(r.texts.size()) ? r.texts[column] : CString();
        t.type = m_nKind == kFiles && r.texts.size() > 2 ? r.texts[2] : CString();
        return t;
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
        return CompareListRows(texts(a), texts(b), column, m_nKind == kItems, ascending != FALSE) < 0;
    });
    {
        CNoRedraw quiet(this);
        ListView_DeleteAllItems(m_hWnd);
        for (const Row& r : rows) {
            const int row = AddRow(r.texts.empty() ? "" : static_cast<const char*>(r.texts[0]), r.image, r.param);
            for (size_t c = 1; c < r.texts.size(); ++c)
                SetText(row, static_cast<int>(c), r.texts[c]);
            ListView_SetItemState(m_hWnd, row, r.state, LVIS_SELECTED | LVIS_FOCUSED);
        }
    }
    if (CMainFrame* f = Frame())
        f->BuildSortMenu(m_nKind);
}

void yqListView::OnColumnClick(NMHDR* nmhdr, LRESULT* result)
{
    *result = 0;
    auto* nm = reinterpret_cast<NMLISTVIEW*>(nmhdr);
    CMainFrame* f = Frame();
    if (!f)
        return;
    SortState& s = f->GetSortState(m_nKind);
    if (s.column == nm->iSubItem) {
        s.bAscending = !s.bAscending;
    } else {
        s.column = nm->iSubItem;
        s.bAscending = TRUE;
    }
    SortItems(s.column, s.bAscending);
}

void yqListView::OnSize(UINT type, int cx, int cy)
{
    CListView::OnSize(type, cx, cy);
    if (CMainFrame* f = Frame())
        if (f->IsDetailRowShown())
            f->ShowDetailRow(FALSE);
}

int yqListView::FirstSelected() const { return ListView_GetNextItem(m_hWnd, -1, LVNI_SELECTED); }

CTreeNode* yqListView::RowNode(int row) const
{
    CLeftView* tree = Tree();
    if (!tree || row < 0)
        return nullptr;
    LVITEM item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!ListView_GetItem(m_hWnd, &item))
        return nullptr;
    if (m_nKind == kDataSearches)
        return tree->GetNode(reinterpret_cast<HTREEITEM>(item.lParam));
    if (IsFileRowList(m_nKind) && item.lParam >= 0 && static_cast<size_t>(item.lParam) < m_rows.size())
        return tree->GetNode(m_rows[static_cast<size_t>(item.lParam)].hItem);
    return nullptr;
}

void yqListView::OpenRow(int row)
{
    CLeftView* tree = Tree();
    if (!tree || row < 0)
        return;
    CTreeCtrl& ctrl = tree->GetTreeCtrl();
    CTreeNode* current = tree->GetCurrentNode();
    CTreeNode* top = CTreeNode::GetTopNode(current);
    LVITEM item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!ListView_GetItem(m_hWnd, &item))
        return;
    if (m_nKind == kDataSearches) {
        if (CTreeNode* n = tree->GetNode(reinterpret_cast<HTREEITEM>(item.lParam)))
            tree->ExpandAndSelect(n);
        return;
    }
    if (m_nKind == kItems) {
        auto* i = reinterpret_cast<yqItem*>(item.lParam);
        if (i && i->m_hTreeItem && (top == tree->m_pSearchRoot || top == tree->m_pVendaroRoot ||
                                    (top && top->HasKind(CTreeNode::kCatalogFolder)))) {
            ctrl.SelectItem(i->m_hTreeItem);
        }
        return;
    }
    if (!IsFileRowList(m_nKind) || item.lParam < 0 || static_cast<size_t>(item.lParam) >= m_rows.size())
        return;
    const yqListRow& r = m_rows[static_cast<size_t>(item.lParam)];
    if (CTreeNode* n = tree->GetNode(r.hItem)) {
        tree->ExpandAndSelect(n);
        return;
    }
    if (r.pRecord) {
        // A picture file at full size, dragged as the selected rows (the row alone when it is
        // the only one).
        const int dragged = ListView_GetSelectedCount(m_hWnd) == 1 ? row : -1;
        POINT at{};
        CImageList* made = static_cast<CMyListCtrl&>(GetListCtrl()).CreateDragImageEx(dragged, &at);
        auto* image = dynamic_cast<CDragImage*>(made);
        if (!image)
            delete made;
        const CString path = r.pRecord->m_strPath;
        CMainFrame* frame = Frame();
        // The switch destroys this view: nothing of it is touched afterwards.
        auto* full = frame ? dynamic_cast<CImageDetailView*>(frame->SwitchRightView(4)) : nullptr;
        if (full)
            full->SetImage(path, image);
        else
            delete image;
    }
}

void yqListView::OnDblClk(NMHDR* nmhdr, LRESULT* result)
{
    *result = 0;
    auto* nm = reinterpret_cast<NMITEMACTIVATE*>(nmhdr);
    OpenRow(nm->iItem);
}

void yqListView::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    const int row = FirstSelected();
    if (key == VK_RETURN && row >= 0) {
        // Opening may replace this view: nothing of it is touched afterwards.
        OpenRow(row);
        return;
    }
    CListView::OnKeyDown(key, repeat, flags);
}

std::vector<CString> yqListView::SelectedPaths() const
{
    std::vector<CString> paths;
    for (int row = ListView_GetNextItem(m_hWnd, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(m_hWnd, row, LVNI_SELECTED)) {
        LVITEM item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        ListView_GetItem(m_hWnd, &item);
        if (m_nKind == kItems) {
            if (auto* i = reinterpret_cast<yqItem*>(item.lParam))
                paths.push_back(i->m_strPicturePath);
            continue;
        }
        if (!IsFileRowList(m_nKind) || item.lParam < 0 || static_cast<size_t>(item.lParam) >= m_rows.size())
            continue;
        const yqListRow& r = m_rows[static_cast<size_t>(item.lParam)];
        if (r.pRecord) {
            paths.push_back(r.pRecord->m_strPath);
        } else if (CTreeNode* n = RowNode(row)) {
            // An image search's finds: the record of the row's node.
            if (CFileInfoRecord* rec = n->GetRecord(); rec && n->GetState() == CTreeNode::kItem)
                paths.push_back(rec->m_strPath);
        }
    }
    return paths;
}

BOOL yqListView::CanCopyRows() const
{
    CLeftView* tree = Tree();
    if (!tree || FirstSelected() < 0)
        return FALSE;
    CTreeNode* current = tree->GetCurrentNode();
    CTreeNode* top = CTreeNode::GetTopNode(current);
    if (current && current->m_nFlags == 5 &&
        (top == tree->m_pVendaroRoot || top == tree->m_pSearchRoot || top == tree->m_pImageRoot ||
         (top && top->HasKind(CTreeNode::kCatalogFolder))))
        return TRUE;
    return top && top == tree->m_pDesktop && !SelectedPaths().empty();
}

void yqListView::OnUpdateCopyRows(CCmdUI* cmdUI) { cmdUI->Enable(CanCopyRows()); }

void yqListView::OnEditCopy()
{
    if (!CanCopyRows())
        return;
    const std::vector<CString> paths = SelectedPaths();
    if (!::OpenClipboard(::AfxGetMainWnd()->GetSafeHwnd()))
        return;
    ::EmptyClipboard();
    SetClipboardRows(paths, nullptr);
    ::CloseClipboard();
}

void yqListView::OnPasteToBoard()
{
    if (!CanCopyRows())
        return;
    std::string block;
    std::vector<CString> paths;
    for (int row = ListView_GetNextItem(m_hWnd, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(m_hWnd, row, LVNI_SELECTED)) {
        LVITEM item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        ListView_GetItem(m_hWnd, &item);
        if (m_nKind == kItems) {
            if (auto* i = reinterpret_cast<yqItem*>(item.lParam)) {
                paths.push_back(i->m_strPicturePath);
                AppendCatalogItemBlock(block, *i);
            }
        }
    }
    if (m_nKind != kItems)
        for (const CString& p : SelectedPaths()) {
            paths.push_back(p);
            AppendPlainFileBlock(block, p);
        }
    if (paths.empty())
        return;
    block.push_back('\0');
    PasteToBoard(::AfxGetMainWnd(), [&] { SetClipboardRows(paths, &block); });
}

void yqListView::OnUpdateDeleteSearch(CCmdUI* cmdUI)
{
    CLeftView* tree = Tree();
    if (tree && FirstSelected() < 0) {
        // No row to delete: the command is the tree's, for its current node.
        tree->OnCmdMsg(ID_DELETE_RESULT, CN_UPDATE_COMMAND_UI, cmdUI, nullptr);
        return;
    }
    BOOL enable = FALSE;
    if (tree && FirstSelected() >= 0) {
        CTreeNode* top = CTreeNode::GetTopNode(tree->GetCurrentNode());
        CTreeNode* node = RowNode(FirstSelected());
        if (top && top == tree->m_pImageRoot)
            enable = node && node != tree->m_pImageRoot && node->GetImageSearch();
        else if (m_nKind == kDataSearches)
            enable = !GetVendaroApp()->m_bBusy && node && node != tree->m_pSearchRoot;
    }
    cmdUI->Enable(enable);
}

void yqListView::OnDeleteSearch()
{
    CLeftView* tree = Tree();
    if (!tree)
        return;
    if (FirstSelected() < 0) {
        tree->SendMessage(WM_COMMAND, ID_DELETE_RESULT);
        return;
    }
    CTreeNode* top = CTreeNode::GetTopNode(tree->GetCurrentNode());
    if (!top || (top != tree->m_pSearchRoot && top != tree->m_pImageRoot))
        return;
    CTreeNode* node = RowNode(FirstSelected());
    if (!node || node == tree->m_pSearchRoot || node == tree->m_pImageRoot)
        return;
    CString message;
    message.Format("検索条件\"%s\"を削除しますよろしいですか?", static_cast<const char*>(node->m_strText));
    CConfirmDlg dlg(this);
    dlg.SetTexts(message, "検索条件削除の確認");
    if (dlg.DoModal() != IDOK)
        return;
    // The list is replaced by the parent's selection; nothing of this view is used after.
    tree->RemoveSearchNode(node);
}
