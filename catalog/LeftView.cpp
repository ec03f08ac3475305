#include "LeftView.h"

#include <shlobj.h>

#include <algorithm>
#include <memory>

#include "ConfirmDlg.h"
#include "FileInfoRecord.h"
#include "HandOver.h"
#include "ImageFileSearch.h"
#include "ItemIdList.h"
#include "MainFrame.h"
#include "SearchRecords.h"
#include "VendaroExplorerApp.h"
#include "YQVDoc.h"
#include "resource.h"
#include "yqListView.h"
// The thumbnail and detail views of the right pane.
#include "DetailView.h"
#include "DirImgView.h"
#include "DragImage.h"
#include "ImageDetailView.h"
#include "MyListCtrl.h"
#include "yqItemView.h"
#include "yqRecordset.h"

IMPLEMENT_DYNCREATE(CLeftView, CTreeView)

BEGIN_MESSAGE_MAP(CLeftView, CTreeView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_NOTIFY_REFLECT(TVN_SELCHANGED, OnSelChanged)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDING, OnItemExpanding)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDED, OnItemExpanded)
    ON_MESSAGE(YQEM_DRIVECHANGED, OnDriveChangedMessage)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_COMMAND(ID_PASTE_TO_BOARD, OnPasteToBoard)
    ON_UPDATE_COMMAND_UI(ID_PASTE_TO_BOARD, OnUpdatePasteToBoard)
    ON_COMMAND(ID_DELETE_RESULT, OnDeleteSearch)
    ON_UPDATE_COMMAND_UI(ID_DELETE_RESULT, OnUpdateDeleteSearch)
    ON_COMMAND(ID_FS_SIMULATION, OnSimulateChange)
    ON_UPDATE_COMMAND_UI(ID_FS_SIMULATION, OnUpdateSimulateChange)
END_MESSAGE_MAP()

namespace {

const char kDummy[] = "dummy";
const char kNoPictures[] = "貼り付け用画像がありません";
const char kNoData[] = "該当するデータは見つかりませんでした";

// The fixed names of the shell's nodes on a Japanese system; a position saved under them is
// found again whatever the shell names the nodes here.
const char* const kShellNames[3] = {"ﾃﾞｽｸﾄｯﾌﾟ", "ﾏｲ ｺﾝﾋﾟｭｰﾀ", "ﾏｲ ﾄﾞｷｭﾒﾝﾄ"};

int CALLBACK CompareNodesProc(LPARAM a, LPARAM b, LPARAM)
{
    return CTreeNode::CompareTreeNodes(reinterpret_cast<CTreeNode*>(a), reinterpret_cast<CTreeNode*>(b));
}

CString WithBackslash(CString path)
{
    if (path.Right(1) != "\\")
        path += "\\";
    return path;
}

bool IsDots(const char* name) { return strcmp(name, ".") == 0 || strcmp(name, "..") == 0; }

CString ModifiedText(const FILETIME& written)
{
    FILETIME local;
    SYSTEMTIME st;
    if (!::FileTimeToLocalFileTime(&written, &local) || !::FileTimeToSystemTime(&local, &st))
        return CString();
    return FormatModifiedText(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute);
}

bool IsExistingFolder(const char* path)
{
    const DWORD a = ::GetFileAttributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool HasSubfolders(const char* path)
{
    WIN32_FIND_DATA data;
    HANDLE h = ::FindFirstFile(WithBackslash(path) + "*.*", &data);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    bool found = false;
    do
        found = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !IsDots(data.cFileName);
    while (!found && ::FindNextFile(h, &data));
    ::FindClose(h);
    return found;
}

CYQVDoc* Doc() { return CYQVDoc::GetActive(); }

}  // namespace

CLeftView::~CLeftView()
{
    for (CFileInfoRecord* r : m_records)
        delete r;
}

CMainFrame* CLeftView::Frame() const { return dynamic_cast<CMainFrame*>(::AfxGetMainWnd()); }

BOOL CLeftView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= TVS_SHOWSELALWAYS;
    return CTreeView::PreCreateWindow(cs);
}

int CLeftView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CTreeView::OnCreate(lpcs) == -1)
        return -1;
    m_watch.hwndView = m_hWnd;
    m_pWatchThread = AfxBeginThread(DriveWatchThread, &m_watch, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
    if (!m_pWatchThread)
        return -1;
    m_pWatchThread->m_bAutoDelete = FALSE;
    SetupDriveWatchTables(m_watch);
    m_pWatchThread->ResumeThread();
    return 0;
}

void CLeftView::OnDestroy()
{
    m_history.Clear();
    StopDriveWatch(m_watch, m_pWatchThread);
    DeleteAllNodes();
    CTreeView::OnDestroy();
}

void CLeftView::OnInitialUpdate()
{
    CTreeView::OnInitialUpdate();
    ModifyStyle(0, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT);
    if (CVendaroExplorerApp* app = GetVendaroApp())
        if (app->m_imageListSmall.m_hImageList)
            TreeView_SetImageList(m_hWnd, app->m_imageListSmall.m_hImageList, TVSIL_NORMAL);
}

// ---- nodes ----

CTreeNode* CLeftView::InsertNode(const char* text, int image, int selectedImage, CTreeNode* parent, unsigned flags,
                                 const char* path)
{
    auto* node = new CTreeNode(text, image, selectedImage, flags, path);
    if (parent) {
        parent->AddChild(node);
        if (node->GetKind()) {
            auto* record = new CFileInfoRecord;
            record->m_strName = text;
            if (node->HasKind(CTreeNode::kShell)) {
                record->m_strType = "システム フォルダ";
            } else if (node->HasKind(CTreeNode::kDrive)) {
                record->m_strPath = path;
            } else {
                record->m_strType = "ファイル フォルダ";
                record->m_strPath = path;
                WIN32_FIND_DATA data;
                HANDLE h = path ? ::FindFirstFile(path, &data) : INVALID_HANDLE_VALUE;
                if (h != INVALID_HANDLE_VALUE) {
                    record->m_strModified = ModifiedText(data.ftLastWriteTime);
                    ::FindClose(h);
                }
            }
            node->Attach(CTreeNode::kRecord, record);
            m_records.push_back(record);
        }
    }
    if (m_hWnd) {
        TVINSERTSTRUCT tvi{};
        tvi.hParent = parent && parent->m_hItem ? parent->m_hItem : TVI_ROOT;
        tvi.hInsertAfter = TVI_LAST;
        tvi.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        tvi.item.pszText = const_cast<char*>(text);
        tvi.item.iImage = image;
        tvi.item.iSelectedImage = selectedImage;
        tvi.item.lParam = reinterpret_cast<LPARAM>(node);
        node->m_hItem = TreeView_InsertItem(m_hWnd, &tvi);
    }
    return node;
}

void CLeftView::RemoveTreeItem(CTreeNode* node)
{
    // Items and history entries that name the subtree's tree items go with them.
    std::vector<HTREEITEM> gone;
    node->ForEach([&](CTreeNode* n) {
        if (yqItem* item = n->GetItem())
            if (item->m_hTreeItem == n->m_hItem)
                item->m_hTreeItem = nullptr;
        if (n->m_hItem)
            gone.push_back(n->m_hItem);
        if (m_pCurrent == n)
            m_pCurrent = nullptr;
        if (m_hLastExpanded == n->m_hItem)
            m_hLastExpanded = nullptr;
    });
    std::sort(gone.begin(), gone.end());
    m_history.Forget([&](_TREEITEM* item) { return std::binary_search(gone.begin(), gone.end(), item); });
    if (m_hWnd && node->m_hItem)
        TreeView_DeleteItem(m_hWnd, node->m_hItem);
}

void CLeftView::DeleteNode(CTreeNode* node)
{
    if (!node)
        return;
    CTreeNode* current = m_pCurrent;
    RemoveTreeItem(node);
    if (m_pCurrent == nullptr && current != nullptr && current != node) {
        bool inside = false;
        node->ForEach([&](CTreeNode* n) { inside = inside || n == current; });
        if (!inside)
            m_pCurrent = current;
    }
    if (CTreeNode* parent = node->GetParent()) {
        CTreeNode* top = CTreeNode::GetTopNode(m_pCurrent ? m_pCurrent : parent);
        parent->RemoveChild(node, top == m_pSearchRoot && m_pSearchRoot);
    }
    for (CTreeNode** root : {&m_pDesktop, &m_pComputer, &m_pDocuments, &m_pVendaroRoot, &m_pSearchRoot, &m_pImageRoot})
        if (*root == node)
            *root = nullptr;
    delete node;
}

void CLeftView::DeleteAllNodes()
{
    m_history.Forget([](_TREEITEM*) { return true; });
    for (CTreeNode* root : {m_pDesktop, m_pVendaroRoot, m_pSearchRoot, m_pImageRoot}) {
        if (root)
            root->ForEach([](CTreeNode* n) {
                if (yqItem* item = n->GetItem())
                    item->m_hTreeItem = nullptr;
            });
        delete root;
    }
    m_pDesktop = m_pComputer = m_pDocuments = m_pVendaroRoot = m_pSearchRoot = m_pImageRoot = nullptr;
    m_pCurrent = nullptr;
    m_hLastExpanded = nullptr;
    for (CFileInfoRecord* r : m_records)
        delete r;
    m_records.clear();
    if (m_hWnd) {
        m_bDeletingAll = TRUE;
        GetTreeCtrl().DeleteAllItems();
        m_bDeletingAll = FALSE;
    }
}

CTreeNode* CLeftView::GetNode(HTREEITEM item) const
{
    if (!item || !m_hWnd)
        return nullptr;
    return reinterpret_cast<CTreeNode*>(GetTreeCtrl().GetItemData(item));
}

void CLeftView::SortChildren(CTreeNode* node)
{
    std::stable_sort(node->m_children.begin(), node->m_children.end(),
                     [](const CTreeNode* a, const CTreeNode* b) { return CTreeNode::CompareTreeNodes(a, b) < 0; });
    if (m_hWnd && node->m_hItem) {
        TVSORTCB sort{node->m_hItem, CompareNodesProc, 0};
        TreeView_SortChildrenCB(m_hWnd, &sort, 0);
    }
}

void CLeftView::SetChildrenButton(CTreeNode* node, BOOL children)
{
    if (!m_hWnd || !node->m_hItem)
        return;
    TVITEM item{};
    item.mask = TVIF_CHILDREN;
    item.hItem = node->m_hItem;
    item.cChildren = children ? 1 : 0;
    TreeView_SetItem(m_hWnd, &item);
}

CFileInfoRecord* CLeftView::AddRecord(const char* name, const char* fullPath, const char* type,
                                      const WIN32_FIND_DATA* data)
{
    auto* r = new CFileInfoRecord;
    r->m_strName = name;
    r->m_strPath = fullPath;
    r->m_strType = type;
    if (data) {
        r->m_strModified = ModifiedText(data->ftLastWriteTime);
        r->m_strSize = FormatRecordSize((static_cast<uint64_t>(data->nFileSizeHigh) << 32) | data->nFileSizeLow);
    }
    m_records.push_back(r);
    return r;
}

BOOL CLeftView::IsCatalogFolder(const char* path)
{
    const DWORD a = ::GetFileAttributes(WithBackslash(path) + "DISTRIB\\DRB");
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// ---- building ----

CTreeNode* CLeftView::AddFolderNode(CTreeNode* parent, const char* name, const char* fullPath)
{
    CVendaroExplorerApp* app = GetVendaroApp();
    int image = 3, open = 4;
    if (app) {
        const int i = app->m_imageListSmall.AddShellIcon(fullPath, SHGFI_SMALLICON);
        const int o = app->m_imageListSmall.AddShellIcon(fullPath, SHGFI_SMALLICON | SHGFI_OPENICON);
        app->m_imageListLarge.AddShellIcon(fullPath, SHGFI_LARGEICON);
        app->m_imageListLarge.AddShellIcon(fullPath, SHGFI_LARGEICON | SHGFI_OPENICON);
        if (i >= 0)
            image = i;
        if (o >= 0)
            open = o;
    }
    CTreeNode* node = InsertNode(name, image, open, parent, 0x402, fullPath);
    SetChildrenButton(node, HasSubfolders(fullPath));
    return node;
}

void CLeftView::BuildDesktopNodes()
{
    CVendaroExplorerApp* app = GetVendaroApp();
    IShellFolder* desktop = nullptr;
    IShellFolder* drives = nullptr;
    IEnumIDList* items = nullptr;
    LPITEMIDLIST idl = nullptr;
    auto icons = [&](LPCSTR what, UINT by, int& image, int& open) {
        image = open = 3;
        if (!app)
            return;
        const int i = app->m_imageListSmall.AddShellIcon(what, by | SHGFI_SMALLICON);
        const int o = app->m_imageListSmall.AddShellIcon(what, by | SHGFI_SMALLICON | SHGFI_OPENICON);
        app->m_imageListLarge.AddShellIcon(what, by | SHGFI_LARGEICON);
        app->m_imageListLarge.AddShellIcon(what, by | SHGFI_LARGEICON | SHGFI_OPENICON);
        image = i >= 0 ? i : 3;
        open = o >= 0 ? o : image;
    };
    auto name = [](IShellFolder* folder, LPCITEMIDLIST item, DWORD flags) {
        char buf[512];
        GetDisplayName(folder, item, flags, buf);
        return CString(buf);
    };
    do {
        if (FAILED(::SHGetDesktopFolder(&desktop)) || FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &idl)))
            break;
        int image, open;
        icons(reinterpret_cast<LPCSTR>(idl), SHGFI_PIDL, image, open);
        char path[MAX_PATH] = {};
        ::SHGetPathFromIDList(idl, path);
        SHFILEINFO info{};
        ::SHGetFileInfo(reinterpret_cast<LPCSTR>(idl), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME);
        ::CoTaskMemFree(idl);
        idl = nullptr;
        m_pDesktop = InsertNode(info.szDisplayName, image, open, nullptr, 0x202, path);

        if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &idl)))
            break;
        icons(reinterpret_cast<LPCSTR>(idl), SHGFI_PIDL, image, open);
        ::SHGetFileInfo(reinterpret_cast<LPCSTR>(idl), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME);
        m_pComputer = InsertNode(info.szDisplayName, image, open, m_pDesktop, 0x202, nullptr);
        HRESULT hr = desktop->BindToObject(idl, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&drives));
        ::CoTaskMemFree(idl);
        idl = nullptr;
        if (FAILED(hr) || FAILED(drives->EnumObjects(m_hWnd, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items)) || !items)
            break;
        LPITEMIDLIST child = nullptr;
        ULONG fetched = 0;
        while (items->Next(1, &child, &fetched) == S_OK && fetched == 1) {
            CString drivePath = name(drives, child, SHGDN_FORPARSING);
            CString label = name(drives, child, SHGDN_NORMAL);
            ::CoTaskMemFree(child);
            if (drivePath.GetLength() < 2 || drivePath[1] != ':')
                continue;
            drivePath = WithBackslash(drivePath);
            icons(drivePath, 0, image, open);
            CTreeNode* node = InsertNode(label, image, open, m_pComputer, 0x102, drivePath);
            const UINT type = ::GetDriveType(drivePath);
            // A: is never probed: the floppy would spin up.
            const bool floppy = toupper(static_cast<unsigned char>(drivePath[0])) == 'A' || label.Right(4) == "(A:)";
            SetChildrenButton(node, !(type == DRIVE_FIXED && !HasSubfolders(drivePath)) && type != DRIVE_REMOVABLE);
            if (type == DRIVE_REMOVABLE)
                SetChildrenButton(node, TRUE);
            if (floppy || !IsCatalogFolder(drivePath) || !Doc())
                continue;
            for (yqCatalog* c : Doc()->m_catalogs) {
                if (c->GetRootPath() != drivePath)
                    continue;
                node->Attach(CTreeNode::kCategory, c->GetCategoryRoot());
                AddCategoryNodes(node, c->GetCategoryRoot());
                node->m_strText.Format("%s (%c:)", static_cast<const char*>(c->GetTitle()), drivePath[0]);
                node->m_nImage = node->m_nSelectedImage = 1;
                node->m_nFlags |= CTreeNode::kCatalogFolder;
                GetTreeCtrl().SetItem(node->m_hItem, TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, node->m_strText, 1, 1,
                                      0, 0, 0);
                SetChildrenButton(node, TRUE);
                break;
            }
        }

        // My Documents, and the desktop's own folders.
        char documents[MAX_PATH] = {};
        if (SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &idl))) {
            ::SHGetPathFromIDList(idl, documents);
            icons(reinterpret_cast<LPCSTR>(idl), SHGFI_PIDL, image, open);
            ::SHGetFileInfo(reinterpret_cast<LPCSTR>(idl), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME);
            ::CoTaskMemFree(idl);
            idl = nullptr;
            if (documents[0]) {
                m_pDocuments = InsertNode(info.szDisplayName, image, open, m_pDesktop, 0x202, documents);
                SetChildrenButton(m_pDocuments, HasSubfolders(documents));
            }
        }
        bool any = false;
        if (path[0]) {
            WIN32_FIND_DATA data;
            HANDLE h = ::FindFirstFile(WithBackslash(path) + "*.*", &data);
            if (h != INVALID_HANDLE_VALUE) {
                do {
                    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !IsDots(data.cFileName)) {
                        AddFolderNode(m_pDesktop, data.cFileName, WithBackslash(path) + data.cFileName);
                        any = true;
                    }
                } while (::FindNextFile(h, &data));
                ::FindClose(h);
            }
        }
        if (any)
            SortChildren(m_pDesktop);
    } while (false);
    if (idl)
        ::CoTaskMemFree(idl);
    if (items)
        items->Release();
    if (drives)
        drives->Release();
    if (desktop)
        desktop->Release();
}

void CLeftView::AddRootNodes()
{
    BuildDesktopNodes();
    CYQVDoc* doc = Doc();
    CVendaroExplorerApp* app = GetVendaroApp();
    if (doc && doc->GetCatalogCount() > 0) {
        m_pVendaroRoot = InsertNode("Vendaro", 6, 6, nullptr, 2, nullptr);
        for (yqCatalog* c : doc->m_catalogs) {
            CString root = c->GetRootPath();
            if (root.GetLength() > 3)
                root = root.Left(root.GetLength() - 1);
            const int icon = CVendaroExplorerApp::GetDriveIconIndex(root);
            CTreeNode* node = InsertNode(c->GetTitle(), icon, icon, m_pVendaroRoot, 2, nullptr);
            node->Attach(CTreeNode::kCategory, c->GetCategoryRoot());
            AddCategoryNodes(node, c->GetCategoryRoot());
        }
        m_pSearchRoot = InsertNode("Vendaro検索", 5, 5, nullptr, 2, nullptr);
        if (app)
            for (CSearchCondition* s : app->m_searchConditions) {
                if (!doc->FindCatalog(s->m_strCatalog))
                    continue;
                CTreeNode* node = InsertNode(s->m_strName, 7, 7, m_pSearchRoot, 2, nullptr);
                InsertNode(kDummy, 0, 0, node, 1, nullptr);
                node->Attach(CTreeNode::kCondition, s);
            }
    }
    m_pImageRoot = InsertNode("画像検索", 5, 5, nullptr, 2, nullptr);
    if (app)
        for (CImageSearch* s : app->m_imageSearches) {
            CTreeNode* node = InsertNode(s->m_strName, 7, 7, m_pImageRoot, 5, nullptr);
            node->Attach(CTreeNode::kImageSearch, s);
            SetChildrenButton(node, TRUE);
        }
}

void CLeftView::AddCategoryNodes(CTreeNode* node, yqCategory* category)
{
    if (!category)
        return;
    for (yqCategory* child : category->m_children) {
        CTreeNode* n = InsertNode(child->m_strName, 3, 3, node, 2, nullptr);
        if (!child->m_children.empty()) {
            AddCategoryNodes(n, child);
        } else if (child->m_nKind == yqCategory::kCategory) {
            // Item entries a fill appended earlier (any other kind) stay plain leaves.
            InsertNode(kDummy, 0, 0, n, 1, nullptr);
            n->Attach(CTreeNode::kCategory, child);
        }
    }
    SortChildren(node);
}

void CLeftView::FillCategoryNode(CTreeNode* node)
{
    CVendaroExplorerApp* app = GetVendaroApp();
    CMainFrame* frame = Frame();
    if (app)
        app->m_bBusy = TRUE;
    CWaitCursor wait;
    if (m_hWnd)
        SetRedraw(FALSE);
    if (CTreeNode* first = node->GetChild(0); first && first->GetState() == CTreeNode::kPlaceholder)
        DeleteNode(first);
    if (frame)
        frame->ClearItemList();
    yqCategory* category = node->GetCategory();
    yqCatalog* catalog = category && Doc() ? Doc()->FindCatalog(category->m_strPath) : nullptr;
    auto addItem = [&](yqItem* item, const char* text, int icon, int kind) {
        auto* entry = new yqCategory;
        entry->m_strName = text;
        entry->m_strPath = catalog->GetRootPath();
        entry->m_nKind = kind;
        entry->m_nId = kind;
        catalog->AppendChildNode(category, entry);
        CTreeNode* child = InsertNode(text, icon, icon, node, 4, nullptr);
        child->Attach(CTreeNode::kItemObject, item);
        item->m_hTreeItem = child->m_hItem;
        if (frame)
            frame->m_itemList.push_back(item);
    };
    // The item links of one product, each building an item; the set links whose role is the
    // main one, each giving the set's item of that type.
    auto productLinks = [&](yqTable* table, const char* key, const char* number,
                            yqItem* (yqCatalog::*build)(yqRecordset*, const char*, const char*), int kind) {
        std::unique_ptr<yqRecordset> links(table->FindByKeyPair("0000", "0001", key, number));
        for (int j = 0; links && j < links->GetRecordCount(); ++j) {
            links->SetAbsolutePosition(j);
            if (yqItem* item = (catalog->*build)(links.get(), key, number))
                addItem(item, number, 8, kind);
        }
    };
    auto setLinks = [&](yqTable* table, const char* key, const char* number, const char* pictureCode,
                        const char* roleCode, const char* role, int type, int kind) {
        std::unique_ptr<yqRecordset> links(table->FindByKeyPair("0000", "0300", key, number));
        for (int j = 0; links && j < links->GetRecordCount(); ++j) {
            yqRecord* link = links->GetRecordAt(j);
            const char* r = link->GetFieldText(roleCode);
            if (!link->GetFieldText(pictureCode) || !r || strcmp(r, role) != 0)
                continue;
            if (yqItem* item = catalog->GetItem(key, number, type))
                addItem(item, number, 10, kind);
        }
    };
    if (category && catalog) {
        yqTable* t07 = catalog->GetTable(7);
        yqTable* t08 = catalog->GetTable(8);
        yqTable* t09 = catalog->GetTable(9);
        yqTable* t10 = catalog->GetTable(10);
        yqTable* t16 = catalog->GetTable(16);
        yqTable* t17 = catalog->GetTable(17);
        // The range lookups hand out row pointers; the item entries appended meanwhile only
        // grow the category's children.
        if (t16) {
            std::unique_ptr<yqRecordset> rows(t16->FindRange("0D00", category->m_dLow, category->m_dHigh));
            for (int i = 0; rows && i < rows->GetRecordCount(); ++i) {
                yqRecord* row = rows->GetRecordAt(i);
                const char* key = row->GetFieldText("0000");
                const char* number = row->GetFieldText("0001");
                if (!key || !number)
                    break;
                if (t07) {
                    productLinks(t07, key, number, &yqCatalog::BuildMainImageItem, yqItem::kProductImage);
                    if (m_hWnd && node->m_hItem)
                        GetTreeCtrl().SortChildren(node->m_hItem);
                }
                if (t08)
                    productLinks(t08, key, number, &yqCatalog::BuildDrawingItem, yqItem::kProductDrawing);
            }
        }
        if (t17) {
            std::unique_ptr<yqRecordset> rows(t17->FindRange("0E00", category->m_dLow, category->m_dHigh));
            for (int i = 0; rows && i < rows->GetRecordCount(); ++i) {
                yqRecord* row = rows->GetRecordAt(i);
                const char* key = row->GetFieldText("0000");
                const char* number = row->GetFieldText("0300");
                if (!key || !number)
                    break;
                if (t09)
                    setLinks(t09, key, number, "0100", "0810", "MAIN", yqCatalog::kTypeSetImage, yqItem::kSetImage);
                if (t10)
                    setLinks(t10, key, number, "0200", "0910", "DRAW", yqCatalog::kTypeSetDrawing, yqItem::kSetDrawing);
            }
        }
    }
    if (m_hWnd)
        SetRedraw(TRUE);
    if (node->GetChildCount() == 0)
        InsertNode(kNoPictures, 15, 15, node, 6, nullptr);
    if (app)
        app->m_bBusy = FALSE;
}

int CLeftView::FillShellFolder(CTreeNode* node)
{
    if (node == m_pDesktop || node == m_pComputer || !node->HasPath())
        return 0;
    WIN32_FIND_DATA data;
    const CString folder = WithBackslash(node->m_strPath);
    HANDLE h = ::FindFirstFile(folder + "*.*", &data);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    bool ordinary = false;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || IsDots(data.cFileName))
            continue;
        const CString full = folder + data.cFileName;
        if (IsCatalogFolder(full) && Doc()) {
            Doc()->AddCatalog(WithBackslash(full));
            yqCatalog* found = nullptr;
            for (yqCatalog* c : Doc()->m_catalogs)
                if (strncmp(c->GetRootPath(), full, full.GetLength()) == 0) {
                    found = c;
                    break;
                }
            if (found) {
                CTreeNode* child = InsertNode(data.cFileName, 6, 6, node, 0x402, full);
                child->Attach(CTreeNode::kCategory, found->GetCategoryRoot());
                AddCategoryNodes(child, found->GetCategoryRoot());
                CString label;
                label.Format("%s (%s)", static_cast<const char*>(found->GetTitle()), data.cFileName);
                GetTreeCtrl().SetItemText(child->m_hItem, label);
                SetChildrenButton(child, TRUE);
                child->m_nFlags |= CTreeNode::kCatalogFolder;
                continue;
            }
        }
        AddFolderNode(node, data.cFileName, full);
        ordinary = true;
    } while (::FindNextFile(h, &data));
    ::FindClose(h);
    if (ordinary)
        SortChildren(node);
    return ordinary ? 1 : 0;
}

int CLeftView::RescanFolder(CTreeNode* node)
{
    if (node->GetChildCount() == 0) {
        if (IsExistingFolder(node->m_strPath)) {
            SetChildrenButton(node, HasSubfolders(node->m_strPath));
            return 1;
        }
        if (!node->HasKind(CTreeNode::kDrive)) {
            CTreeCtrl& tree = GetTreeCtrl();
            CTreeNode* parent = node->GetParent();
            HTREEITEM first = tree.GetFirstVisibleItem();
            if (parent && first == parent->m_hItem)
                first = tree.GetNextVisibleItem(first);
            if (first && first != node->m_hItem)
                tree.SelectItem(first);
            DeleteNode(node);
            if (parent && parent->m_hItem)
                tree.SelectItem(parent->m_hItem);
            return 0;
        }
    }
    for (int i = node->GetChildCount() - 1; i >= 0; --i) {
        CTreeNode* child = node->GetChild(i);
        if (child && child->HasPath() && !node->m_strPath.IsEmpty() && child->m_strPath[0] == node->m_strPath[0])
            RescanFolder(child);
    }
    WIN32_FIND_DATA data;
    const CString folder = WithBackslash(node->m_strPath);
    HANDLE h = ::FindFirstFile(folder + "*.*", &data);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || IsDots(data.cFileName))
                continue;
            const CString full = folder + data.cFileName;
            bool known = false;
            for (CTreeNode* c : node->m_children)
                known = known || c->m_strPath.CompareNoCase(full) == 0;
            if (!known)
                AddFolderNode(node, data.cFileName, full);
        } while (::FindNextFile(h, &data));
        ::FindClose(h);
    }
    SortChildren(node);
    if (node->m_hItem)
        GetTreeCtrl().SetItemState(node->m_hItem, TVIS_EXPANDEDONCE, TVIS_EXPANDEDONCE);
    return 1;
}

void CLeftView::ReinsertSubtree(CTreeNode* node)
{
    if (!node || !m_hWnd)
        return;
    for (CTreeNode* child : node->m_children) {
        TVINSERTSTRUCT tvi{};
        tvi.hParent = node->m_hItem ? node->m_hItem : TVI_ROOT;
        tvi.hInsertAfter = TVI_LAST;
        tvi.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        tvi.item.pszText = const_cast<char*>(static_cast<const char*>(child->m_strText));
        tvi.item.iImage = child->m_nImage;
        tvi.item.iSelectedImage = child->m_nSelectedImage;
        tvi.item.lParam = reinterpret_cast<LPARAM>(child);
        child->m_hItem = TreeView_InsertItem(m_hWnd, &tvi);
        ReinsertSubtree(child);
    }
}

void CLeftView::FillFolderFiles(CTreeNode* node)
{
    if (CTreeNode* first = node ? node->GetChild(0) : nullptr; first && first->GetState() == CTreeNode::kPlaceholder)
        ListImageFiles(node);
}

void CLeftView::ListImageFiles(CTreeNode* node)
{
    if (!node)
        return;
    CWaitCursor wait;
    if (CTreeNode* first = node->GetChild(0); first && first->GetState() == CTreeNode::kPlaceholder)
        DeleteNode(first);
    if (node->HasPath()) {
        const CString folder = WithBackslash(node->m_strPath);
        WIN32_FIND_DATA data;
        HANDLE h = ::FindFirstFile(folder + "*.*", &data);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const char* type = RegisteredFolderTypeName(data.cFileName);
                if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !type)
                    continue;
                CFileInfoRecord* record = AddRecord(data.cFileName, folder + data.cFileName, type, &data);
                InsertNode(data.cFileName, 8, 8, node, 4, nullptr)->Attach(CTreeNode::kRecord, record);
            } while (::FindNextFile(h, &data));
            ::FindClose(h);
        }
    }
    if (node->GetChildCount() == 0)
        InsertNode("ファイルがありません", 15, 15, node, 6, nullptr);
}

// ---- positions ----

void CLeftView::SelectStartNode()
{
    CTreeNode* node = m_pVendaroRoot ? m_pVendaroRoot : m_pSearchRoot ? m_pSearchRoot : m_pDesktop;
    if (node && node->m_hItem)
        GetTreeCtrl().SelectItem(node->m_hItem);
}

void CLeftView::SelectFallbackNode()
{
    CTreeNode* node = m_pVendaroRoot ? m_pVendaroRoot : m_pDesktop;
    if (!node)
        return;
    CTreeCtrl& tree = GetTreeCtrl();
    tree.SelectItem(node->m_hItem);
    tree.Expand(node->m_hItem, TVE_EXPAND);
    if (HTREEITEM child = tree.GetChildItem(node->m_hItem))
        tree.SelectItem(child);
}

BOOL CLeftView::RestorePosition(const CTreePosition& pos)
{
    return RestorePosition(pos.strCurrentFolder, pos.strCurrentText, pos.strRootText, pos.bExpanded, TRUE) != nullptr;
}

HTREEITEM CLeftView::RestorePosition(const char* folder, const char* text, const char* rootText, BOOL expand,
                                     BOOL select)
{
    if (!rootText || !*rootText)
        return nullptr;
    if (strcmp(rootText, "Vendaro") == 0)
        return SelectText(text, expand, select);
    bool shell = false;
    for (const char* n : kShellNames)
        shell = shell || strcmp(rootText, n) == 0;
    for (CTreeNode* n : {m_pDesktop, m_pComputer, m_pDocuments})
        shell = shell || (n && n->m_strText == rootText);
    if (shell && folder && *folder)
        return SelectPath(folder, rootText, expand, select);
    return nullptr;
}

HTREEITEM CLeftView::SelectPath(const char* path, const char* rootText, BOOL expand, BOOL select)
{
    CTreeCtrl& tree = GetTreeCtrl();
    SetRedraw(FALSE);
    ShowWindow(SW_HIDE);
    // The start node: the shell node saved under this label, or under its fixed name.
    CTreeNode* start = nullptr;
    CTreeNode* shells[3] = {m_pDesktop, m_pComputer, m_pDocuments};
    for (int i = 0; i < 3 && !start; ++i)
        if (shells[i] && (shells[i]->m_strText == rootText || strcmp(kShellNames[i], rootText) == 0))
            start = shells[i];
    HTREEITEM found = start ? ExpandPath(path, start) : nullptr;
    if (found) {
        tree.EnsureVisible(found);
        if (expand)
            tree.Expand(found, TVE_EXPAND);
        if (select)
            tree.SelectItem(found);
    }
    ShowWindow(SW_SHOW);
    SetRedraw(TRUE);
    Invalidate();
    return found;
}

HTREEITEM CLeftView::ExpandPath(const char* path, CTreeNode* node)
{
    if (node->GetChildCount() == 0) {
        if (!FillShellFolder(node) && node->GetChildCount() == 0)
            return nullptr;
        GetTreeCtrl().SetItemState(node->m_hItem, TVIS_EXPANDEDONCE, TVIS_EXPANDEDONCE);
    }
    const size_t target = strlen(path);
    for (CTreeNode* child : node->m_children) {
        const CString& p = child->m_strPath;
        if (!child->GetKind() || p.GetLength() <= 1 || static_cast<size_t>(p.GetLength()) > target)
            continue;
        CString candidate = p, head(path, p.GetLength());
        if (candidate.CompareNoCase(head) != 0)
            continue;
        if (static_cast<size_t>(p.GetLength()) == target)
            return child->m_hItem;
        return ExpandPath(path, child);
    }
    return nullptr;
}

HTREEITEM CLeftView::SelectText(const char* text, BOOL expand, BOOL select)
{
    if (!m_pVendaroRoot)
        return nullptr;
    CTreeCtrl& tree = GetTreeCtrl();
    SetRedraw(FALSE);
    ShowWindow(SW_HIDE);
    HTREEITEM found = FindNodeByText(text, m_pVendaroRoot, 0);
    if (found) {
        tree.EnsureVisible(found);
        if (expand)
            tree.Expand(found, TVE_EXPAND);
        if (select)
            tree.SelectItem(found);
    }
    ShowWindow(SW_SHOW);
    SetRedraw(TRUE);
    Invalidate();
    return found;
}

HTREEITEM CLeftView::FindNodeByText(const char* text, CTreeNode* node, int depth)
{
    CTreeCtrl& tree = GetTreeCtrl();
    if (node->GetChildCount() > 0)
        tree.Expand(node->m_hItem, TVE_EXPAND);
    // The children may change while they are searched (a fill): walk by index.
    for (int i = 0; i < node->GetChildCount(); ++i) {
        CTreeNode* child = node->GetChild(i);
        if (child->m_strText == text) {
            tree.Expand(node->m_hItem, TVE_COLLAPSE);
            return child->m_hItem;
        }
        if ((child->m_nFlags == 2 || child->m_nFlags == 3) && depth < 6)
            if (HTREEITEM found = FindNodeByText(text, child, depth + 1)) {
                tree.Expand(node->m_hItem, TVE_COLLAPSE);
                return found;
            }
    }
    tree.Expand(node->m_hItem, TVE_COLLAPSE);
    return nullptr;
}

BOOL CLeftView::GetPosition(CTreePosition& pos)
{
    CTreeNode* node = m_hWnd ? GetNode(GetTreeCtrl().GetSelectedItem()) : nullptr;
    if (!node)
        return FALSE;
    pos.strCurrentFolder = node->m_strPath;
    pos.strCurrentText = node->m_strText;
    const UINT state = node->m_hItem ? GetTreeCtrl().GetItemState(node->m_hItem, TVIS_EXPANDED | TVIS_SELECTED) : 0;
    pos.bExpanded = (state & TVIS_EXPANDED) != 0;
    pos.bSelected = (state & TVIS_SELECTED) != 0;
    CTreeNode* top = CTreeNode::GetTopNode(node);
    pos.strRootText = top ? top->m_strText : CString();
    if (top == m_pDesktop) {
        // The shell node the position lies under, told by what it is, written as its label.
        for (CTreeNode* n = node; n && n != m_pDesktop; n = n->GetParent())
            if (n == m_pComputer || n == m_pDocuments) {
                pos.strRootText = n->m_strText;
                break;
            }
    }
    return TRUE;
}

void CLeftView::AddCatalogNode(yqCatalog* catalog, int icon)
{
    if (!m_pVendaroRoot) {
        // The catalogue root goes before the search roots.
        DeleteAllNodes();
        AddRootNodes();
        if (m_pVendaroRoot)
            GetTreeCtrl().Expand(m_pVendaroRoot->m_hItem, TVE_EXPAND);
        for (CTreeNode* c : m_pVendaroRoot ? m_pVendaroRoot->m_children : std::vector<CTreeNode*>{})
            if (c->GetCategory() == catalog->GetCategoryRoot())
                GetTreeCtrl().SelectItem(c->m_hItem);
        return;
    }
    CTreeNode* node = InsertNode(catalog->GetTitle(), icon, icon, m_pVendaroRoot, 2, nullptr);
    node->Attach(CTreeNode::kCategory, catalog->GetCategoryRoot());
    AddCategoryNodes(node, catalog->GetCategoryRoot());
    GetTreeCtrl().Expand(m_pVendaroRoot->m_hItem, TVE_EXPAND);
    GetTreeCtrl().SelectItem(node->m_hItem);
}

// ---- opening and selecting ----

void CLeftView::OnItemExpanding(NMHDR* nmhdr, LRESULT* result)
{
    *result = 0;
    auto* nm = reinterpret_cast<NMTREEVIEW*>(nmhdr);
    if (nm->action != TVE_EXPAND || (nm->itemNew.state & TVIS_EXPANDEDONCE))
        return;
    CTreeNode* node = GetNode(nm->itemNew.hItem);
    if (!node)
        return;
    if (!node->HasKind(CTreeNode::kCatalogFolder) && node->HasPath()) {
        CWaitCursor wait;
        if (!IsShellNode(node) || node == m_pDocuments) {
            while (node->GetChildCount() > 0)
                DeleteNode(node->GetChild(0));
            FillShellFolder(node);
        }
    } else if (m_pImageRoot && node->GetParent() == m_pImageRoot) {
        RunImageSearch(node);
    }
}

void CLeftView::OnItemExpanded(NMHDR* nmhdr, LRESULT* result)
{
    *result = 0;
    auto* nm = reinterpret_cast<NMTREEVIEW*>(nmhdr);
    CTreeNode* node = GetNode(nm->itemNew.hItem);
    if (!node)
        return;
    m_hLastExpanded = nm->itemNew.hItem;
    m_pCurrent = node;
    if (nm->action == TVE_EXPAND) {
        CTreeNode* top = CTreeNode::GetTopNode(node);
        const bool catalogSide = top == m_pVendaroRoot || top == m_pDesktop || (top && top->HasKind(CTreeNode::kCatalogFolder));
        if (catalogSide && node->GetCategory() &&
            (node->m_nFlags == 3 || (node->m_nFlags == 7 && node->GetChildCount() >= 2))) {
            FillCategoryNode(node);
        }
    } else if (node->m_nImage == 4 && node->m_nSelectedImage == 4) {
        node->m_nImage = node->m_nSelectedImage = 3;
        GetTreeCtrl().SetItemImage(node->m_hItem, 3, 3);
    }
}

void CLeftView::OnSelChanged(NMHDR* nmhdr, LRESULT* result)
{
    *result = 0;
    if (m_bDeletingAll)
        return;
    auto* nm = reinterpret_cast<NMTREEVIEW*>(nmhdr);
    if (!nm->itemNew.hItem)
        return;
    if (CTreeNode* old = GetNode(nm->itemOld.hItem); old && old != GetNode(nm->itemNew.hItem) && old->m_nImage == 4 &&
                                                   old->m_nSelectedImage == 4) {
        old->m_nImage = old->m_nSelectedImage = 3;
        GetTreeCtrl().SetItemImage(old->m_hItem, 3, 3);
    }
    if (CTreeNode* node = GetNode(nm->itemNew.hItem); node && node->m_nImage == 3 && node->m_nSelectedImage == 3) {
        node->m_nImage = node->m_nSelectedImage = 4;
        GetTreeCtrl().SetItemImage(node->m_hItem, 4, 4);
    }
    const HTREEITEM item = nm->itemNew.hItem;
    ShowSelection(item);
    if (!m_bNavigating && GetNode(item))
        m_history.Record(item);
}

void CLeftView::ShowFilledNode(CTreeNode* node, bool attachedOfAll)
{
    CMainFrame* frame = Frame();
    if (!frame)
        return;
    frame->ClearItemList();
    for (CTreeNode* c : node->m_children)
        if (yqItem* item = c->GetItem(); item && (attachedOfAll || c->m_nFlags == 4))
            frame->m_itemList.push_back(item);
    ShowItemList();
}

void CLeftView::ShowItemList()
{
    CMainFrame* frame = Frame();
    if (!frame)
        return;
    if (frame->m_nListMode == 256 && !frame->m_itemList.empty()) {
        // Thumbnail mode: the items as thumbnails.
        if (auto* thumbs = dynamic_cast<yqItemView*>(frame->SwitchRightView(3))) {
            CWaitCursor wait;
            thumbs->ShowItems(frame->m_itemList);
            const SortState& s = frame->GetSortState(3);
            thumbs->SortCells(s.column, s.bAscending);
            thumbs->LayoutCells();
            thumbs->Invalidate();
            thumbs->UpdateWindow();
        }
        return;
    }
    auto* list = dynamic_cast<yqListView*>(frame->SwitchRightView(0));
    if (!list)
        return;
    if (!frame->m_itemList.empty()) {
        list->ShowItems(frame->m_itemList);
        const SortState& s = frame->GetSortState(3);
        list->SortItems(s.column, s.bAscending);
    } else if (m_pCurrent && m_pCurrent->GetChild(0)) {
        list->ShowSingleRow(m_pCurrent->GetChild(0)->m_strText);
    }
}

void CLeftView::ShowSelection(HTREEITEM item)
{
    CTreeNode* node = GetNode(item);
    if (!node)
        return;
    m_pCurrent = node;
    CMainFrame* frame = Frame();
    if (!frame)
        return;
    CTreeNode* top = CTreeNode::GetTopNode(node);
    auto report = [&]() { return dynamic_cast<yqListView*>(frame->SwitchRightView(0)); };
    auto single = [&](CTreeNode* n) {
        if (yqListView* list = report())
            list->ShowSingleRow(n->GetChild(0) ? n->GetChild(0)->m_strText : CString());
    };
    const unsigned state = node->m_nFlags;
    if (top && (top == m_pVendaroRoot || top->HasKind(CTreeNode::kCatalogFolder)) && node != top) {
        if (state == 2) {
            if (yqListView* list = report())
                list->ShowCatalogNode(node);
        } else if (state == 3 && node->GetCategory()) {
            FillCategoryNode(node);
            ShowItemList();
        } else if (state == 5) {
            ShowFilledNode(node, false);
        } else if (state == 7) {
            single(node);
        } else if (state == 4) {
            ShowItemDetail(node);
        }
    } else if (top && top == m_pVendaroRoot) {
        if (yqListView* list = report())
            list->ShowCatalogNode(node);
    } else if (top && top == m_pDesktop) {
        if (!(GetTreeCtrl().GetItemState(item, TVIS_EXPANDEDONCE) & TVIS_EXPANDEDONCE) && node->HasPath() &&
            node != m_pDesktop) {
            if (!node->HasKind(CTreeNode::kCatalogFolder) && node->GetChildCount() == 0)
                FillShellFolder(node);
            GetTreeCtrl().SetItemState(item, TVIS_EXPANDEDONCE, TVIS_EXPANDEDONCE);
        }
        if (!node->HasKind(CTreeNode::kCatalogFolder) && frame->m_nListMode == 256) {
            ShowFolderThumbnails(node);
        } else if (yqListView* list = report()) {
            if (node->HasKind(CTreeNode::kCatalogFolder)) {
                list->ShowCatalogNode(node);
            } else {
                list->ShowFolder(node);
                const SortState& s = frame->GetSortState(7);
                list->SortItems(s.column, s.bAscending);
            }
        }
    } else if (top && top == m_pSearchRoot) {
        if (state == 3 && node != m_pSearchRoot) {
            if (!RunSearch(node))
                return;
            ShowFilledNode(node, true);
        } else if (state == 5) {
            ShowFilledNode(node, true);
        } else if (state == 4 && node != m_pSearchRoot) {
            ShowItemDetail(node);
        } else if (state == 2 || node == m_pSearchRoot) {
            if (yqListView* list = report()) {
                if (node == m_pSearchRoot)
                    list->ShowDataSearches(node);
            }
        } else if (state == 7) {
            single(node);
        }
    } else if (top && top == m_pImageRoot) {
        if (node == m_pImageRoot) {
            if (yqListView* list = report())
                list->ShowImageSearches(node);
        } else if (node->GetState() == 4) {
            // A found file at full size, with the tree item as its drag image.
            CImageList* made = static_cast<CMyTreeCtrl&>(GetTreeCtrl()).CreateDragImageEx(item);
            auto* image = dynamic_cast<CDragImage*>(made);
            if (!image)
                delete made;
            CFileInfoRecord* record = node->GetRecord();
            const CString path = record ? record->m_strPath : CString();
            if (auto* full = dynamic_cast<CImageDetailView*>(frame->SwitchRightView(4)))
                full->SetImage(path, image);
            else
                delete image;
        } else if (node->GetImageSearch()) {
            if (node->GetChildCount() == 0 &&
                !(GetTreeCtrl().GetItemState(item, TVIS_EXPANDEDONCE) & TVIS_EXPANDEDONCE)) {
                if (!RunImageSearch(node))
                    return;
            }
            if (frame->m_nListMode == 256) {
                ShowFolderThumbnails(node);
            } else if (yqListView* list = report()) {
                list->ShowFolder(node);
                const SortState& s = frame->GetSortState(7);
                list->SortItems(s.column, s.bAscending);
            }
        }
    }
}

void CLeftView::ShowItemDetail(CTreeNode* node)
{
    CMainFrame* frame = Frame();
    if (auto* detail = frame ? dynamic_cast<CDetailView*>(frame->SwitchRightView(1)) : nullptr)
        detail->ShowItem(node->GetItem());
}

void CLeftView::ShowFolderThumbnails(CTreeNode* node)
{
    CMainFrame* frame = Frame();
    if (auto* thumbs = frame ? dynamic_cast<CDirImgView*>(frame->SwitchRightView(2)) : nullptr) {
        CWaitCursor wait;
        thumbs->ShowNode(node);
        const SortState& s = frame->GetSortState(7);
        thumbs->SortCells(s.column, s.bAscending);
        thumbs->LayoutCells();
        thumbs->Invalidate();
    }
}

void CLeftView::ExpandAndSelect(CTreeNode* node)
{
    if (!node || !node->m_hItem)
        return;
    GetTreeCtrl().Expand(node->m_hItem, TVE_EXPAND);
    GetTreeCtrl().SelectItem(node->m_hItem);
}

// ---- history ----

void CLeftView::Replay(const CNavigationHistory::Entry& e, bool showAgain)
{
    if (e.IsPicture()) {
        // Shown again at full size, which records the picture in the same slot.
        CMainFrame* frame = Frame();
        m_history.ReplayPicture([frame](const CString& path) {
            if (auto* full = frame ? dynamic_cast<CImageDetailView*>(frame->SwitchRightView(4)) : nullptr)
                full->SetImage(path, nullptr);
        });
        return;
    }
    if (!e.hItem || !GetNode(e.hItem))
        return;
    CTreeCtrl& tree = GetTreeCtrl();
    if (tree.GetSelectedItem() == e.hItem) {
        if (showAgain)
            ShowSelection(e.hItem);
        return;
    }
    tree.SelectItem(e.hItem);
}

BOOL CLeftView::GoBack(BOOL take)
{
    if (!m_history.CanGoBack())
        return FALSE;
    if (!take)
        return TRUE;
    m_bNavigating = TRUE;
    Replay(m_history.StepBack(), true);
    m_bNavigating = FALSE;
    return TRUE;
}

BOOL CLeftView::GoForward(BOOL take)
{
    if (!m_history.CanGoForward())
        return FALSE;
    if (!take)
        return TRUE;
    m_bNavigating = TRUE;
    Replay(m_history.StepForward(), false);
    m_bNavigating = FALSE;
    return TRUE;
}

BOOL CLeftView::AddHistory(const char* picturePath)
{
    m_history.RecordPicture(picturePath);
    return TRUE;
}

// ---- searches ----

int CLeftView::RunSearch(CTreeNode* node)
{
    CVendaroExplorerApp* app = GetVendaroApp();
    CMainFrame* frame = Frame();
    CSearchCondition* condition = node->GetCondition();
    app->m_bBusy = TRUE;
    CWaitCursor wait;
    if (CTreeNode* first = node->GetChild(0); first && first->GetState() == CTreeNode::kPlaceholder)
        DeleteNode(first);
    if (frame)
        frame->SetStatusText("検索中...");
    int total = 0;
    bool cancelled = false;
    CYQVDoc* doc = Doc();
    if (doc && doc->GetCatalogCount() > 0 && condition) {
        SetRedraw(FALSE);
        for (yqCatalog* c : doc->m_catalogs) {
            yqItem** hits = nullptr;
            int count = 0;
            if ((condition->m_strCatalog == "*:" || condition->m_strCatalog.CompareNoCase(c->GetRootPath()) == 0) &&
                CYQVDoc::IsSameCatalog(c->GetRootPath(), c->GetId()))
                hits = c->SearchItems(condition->m_strCode, condition->m_strText, condition->m_nLowPrice,
                                      condition->m_nHighPrice, condition->m_nMethod, count);
            PumpWaitingMessages();
            if (app->m_dlgSearchProgress.IsCancelled()) {
                delete[] hits;
                if (frame)
                    frame->ClearItemList();
                DeleteNode(node);
                cancelled = true;
                break;
            }
            for (int i = 0; hits && i < count; ++i) {
                yqItem* item = hits[i];
                CTreeNode* child = InsertNode(item->m_pszNumber ? item->m_pszNumber : "", 8, 8, node, 4, nullptr);
                child->Attach(CTreeNode::kItemObject, item);
                item->m_hTreeItem = child->m_hItem;
                if (frame)
                    frame->m_itemList.push_back(item);
            }
            if (hits)
                total += count;
            delete[] hits;
        }
        SetRedraw(TRUE);
    }
    if (!cancelled) {
        if (total > 0)
            SetChildrenButton(node, TRUE);
        else
            InsertNode(kNoData, 15, 15, node, 6, nullptr);
        if (frame) {
            CString status;
            status.Format("検索結果 : %d件", total);
            frame->SetStatusText(status);
        }
    }
    if (app->m_dlgSearchProgress.IsShown())
        app->m_dlgSearchProgress.DestroyWindow();
    app->m_bBusy = FALSE;
    return cancelled ? 0 : 1;
}

int CLeftView::SearchImageFiles(CTreeNode* node, CImageSearch* search, const char* folder)
{
    CVendaroExplorerApp* app = GetVendaroApp();
    CImageFileSearch walk;
    walk.m_strFileText = search->m_strFileText;
    walk.m_from.dwLowDateTime = search->m_startLow;
    walk.m_from.dwHighDateTime = search->m_startHigh;
    walk.m_to.dwLowDateTime = search->m_endLow;
    walk.m_to.dwHighDateTime = search->m_endHigh;
    walk.onFound = [&](const CString& dir, const WIN32_FIND_DATA& data, const char* type) {
        CFileInfoRecord* r = AddRecord(data.cFileName, dir + data.cFileName, type, &data);
        CTreeNode* child = InsertNode(data.cFileName, 8, 8, node, 4, nullptr);
        child->Attach(CTreeNode::kRecord, r);
        search->m_foundFiles.push_back(r->m_strPath);
    };
    walk.isCancelled = [app] {
        if (!app->m_dlgSearchProgress.IsShown())
            return false;
        PumpWaitingMessages();
        return app->m_dlgSearchProgress.IsCancelled() != FALSE;
    };
    return walk.Run(folder ? CString(folder) : search->m_strFolder);
}

BOOL CLeftView::RunImageSearch(CTreeNode* node)
{
    CVendaroExplorerApp* app = GetVendaroApp();
    CImageSearch* search = node->GetImageSearch();
    if (!search)
        return TRUE;
    CWaitCursor wait;
    const int done = SearchImageFiles(node, search, nullptr);
    if (app->m_dlgSearchProgress.IsShown())
        app->m_dlgSearchProgress.DestroyWindow();
    if (done) {
        if (node->m_hItem)
            GetTreeCtrl().SetItemState(node->m_hItem, TVIS_EXPANDEDONCE, TVIS_EXPANDEDONCE);
        if (node->GetChildCount() == 0)
            SetChildrenButton(node, FALSE);
        return TRUE;
    }
    auto& list = app->m_imageSearches;
    auto it = std::find(list.begin(), list.end(), search);
    if (it != list.end()) {
        list.erase(it);
        delete search;
    }
    DeleteNode(node);
    return FALSE;
}

void CLeftView::RunSearchAgain(CTreeNode* node)
{
    CMainFrame* frame = Frame();
    if (frame)
        frame->ClearItemList();
    if (CTreeNode* first = node->GetChild(0); first && first->GetState() == CTreeNode::kPlaceholder) {
        DeleteNode(first);
        if (!RunSearch(node))
            return;
    } else if (frame) {
        for (CTreeNode* c : node->m_children)
            if (yqItem* item = c->GetItem())
                frame->m_itemList.push_back(item);
    }
    ShowItemList();
}

void CLeftView::RemoveSearchNode(CTreeNode* node)
{
    CVendaroExplorerApp* app = GetVendaroApp();
    if (CSearchCondition* c = node->GetCondition()) {
        auto& list = app->m_searchConditions;
        if (auto it = std::find(list.begin(), list.end(), c); it != list.end()) {
            list.erase(it);
            delete c;
        }
    } else if (CImageSearch* s = node->GetImageSearch()) {
        auto& list = app->m_imageSearches;
        if (auto it = std::find(list.begin(), list.end(), s); it != list.end()) {
            list.erase(it);
            delete s;
        }
    }
    node->Attach(CTreeNode::kNone, nullptr);
    CTreeNode* parent = node->GetParent();
    m_pCurrent = node;  // the empty-parent rule reads the current branch
    DeleteNode(node);
    m_pCurrent = parent;
    ExpandAndSelect(parent);
}

void CLeftView::OnUpdateDeleteSearch(CCmdUI* cmdUI)
{
    CTreeNode* node = m_pCurrent;
    CTreeNode* top = CTreeNode::GetTopNode(node);
    cmdUI->Enable(node && node != m_pSearchRoot && node != m_pImageRoot && top &&
                  (top == m_pSearchRoot || top == m_pImageRoot) && node->GetState() != 4);
}

void CLeftView::OnDeleteSearch()
{
    CTreeNode* node = m_pCurrent;
    CTreeNode* top = CTreeNode::GetTopNode(node);
    if (!node || node == m_pSearchRoot || node == m_pImageRoot || !top ||
        (top != m_pSearchRoot && top != m_pImageRoot))
        return;
    CString name = node->m_strText;
    if (CSearchCondition* c = node->GetCondition())
        name = c->m_strName;
    else if (CImageSearch* s = node->GetImageSearch())
        name = s->m_strName;
    else if (CFileInfoRecord* r = node->GetRecord())
        name = r->m_strName;
    CString message;
    message.Format("検索条件\"%s\"を削除しますよろしいですか?", static_cast<const char*>(name));
    CConfirmDlg dlg(this);
    dlg.SetTexts(message, "検索条件削除の確認");
    if (dlg.DoModal() != IDOK)
        return;
    RemoveSearchNode(node);
}

// ---- copy, hand-over, drive changes ----

void CLeftView::OnUpdateEditCopy(CCmdUI* cmdUI) { cmdUI->Enable(m_pCurrent && m_pCurrent->GetState() == 4); }

void CLeftView::OnEditCopy()
{
    CTreeNode* node = m_pCurrent;
    if (!node || node->GetState() != 4 || !::OpenClipboard(::AfxGetMainWnd()->GetSafeHwnd()))
        return;
    ::EmptyClipboard();
    if (CTreeNode::GetTopNode(node) == m_pImageRoot) {
        if (CFileInfoRecord* r = node->GetRecord())
            SetClipboardHDrop(r->m_strPath);
    } else if (yqItem* item = node->GetItem()) {
        SetClipboardItemHDrop(*item);
    }
    ::CloseClipboard();
}

void CLeftView::OnUpdatePasteToBoard(CCmdUI* cmdUI) { cmdUI->Enable(m_pCurrent && m_pCurrent->GetState() == 4); }

void CLeftView::OnPasteToBoard()
{
    CTreeNode* node = m_pCurrent;
    if (!node || node->GetState() != 4)
        return;
    const bool file = CTreeNode::GetTopNode(node) == m_pImageRoot;
    PasteToBoard(::AfxGetMainWnd(), [&] {
        if (file) {
            if (CFileInfoRecord* r = node->GetRecord())
                SetClipboardImageFile(r->m_strPath);
        } else if (yqItem* item = node->GetItem()) {
            SetClipboardItem(*item);
        }
    });
}

LRESULT CLeftView::OnDriveChangedMessage(WPARAM wParam, LPARAM)
{
    OnDriveChanged(static_cast<int>(wParam), true);
    return 0;
}

void CLeftView::OnDriveChanged(int driveIndex, bool acknowledge)
{
    CWnd* main = ::AfxGetMainWnd();
    if (main)
        main->SetWindowText("読込中...Vendaro エクスプローラ");
    if (driveIndex >= 0 && driveIndex < DriveWatchState::kMaxDrives && m_pComputer) {
        const char* root = m_watch.drives[driveIndex].root;
        for (CTreeNode* c : m_pComputer->m_children)
            if (c->m_strPath.CompareNoCase(root) == 0) {
                RescanFolder(c);
                break;
            }
        if (m_pDesktop && m_pDesktop->m_strPath.GetLength() >= 2 &&
            m_pDesktop->m_strPath.Left(2).CompareNoCase(CString(root, 2)) == 0)
            RescanFolder(m_pDesktop);
        if (m_pDocuments && m_pDocuments->m_strPath.GetLength() >= 2 &&
            m_pDocuments->m_strPath.Left(2).CompareNoCase(CString(root, 2)) == 0)
            RescanFolder(m_pDocuments);
    }
    if (m_pCurrent && m_pCurrent->GetParent()) {
        CTreeNode* current = m_pCurrent;
        GetTreeCtrl().SelectItem(current->GetParent()->m_hItem);
        GetTreeCtrl().SelectItem(current->m_hItem);
    }
    if (main)
        main->SetWindowText("Vendaro エクスプローラ");
    if (acknowledge)
        AcknowledgeDriveChange(m_watch);
}

void CLeftView::OnSimulateChange() { OnDriveChanged(0, false); }
