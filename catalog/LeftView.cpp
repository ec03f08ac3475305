#include "LeftView.h"

#include "VendaroExplorerApp.h"
#include "YQVDoc.h"

IMPLEMENT_DYNCREATE(CLeftView, CTreeView)

BOOL CLeftView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS | TVS_SHOWSELALWAYS;
    return CTreeView::PreCreateWindow(cs);
}

void CLeftView::OnInitialUpdate()
{
    CTreeView::OnInitialUpdate();
    if (CVendaroExplorerApp* app = GetVendaroApp())
        if (app->m_imageListSmall.m_hImageList)
            TreeView_SetImageList(m_hWnd, app->m_imageListSmall.m_hImageList, TVSIL_NORMAL);
}

void CLeftView::DeleteAllNodes()
{
    GetTreeCtrl().DeleteAllItems();
    m_hCatalogRoot = m_hDesktopRoot = nullptr;
}

void CLeftView::AddRootNodes()
{
    CTreeCtrl& tree = GetTreeCtrl();
    CYQVDoc* doc = CYQVDoc::GetActive();
    if (doc && doc->GetCatalogCount() > 0) {
        m_hCatalogRoot = tree.InsertItem("Vendaro", 0, 0);
        for (int i = 0; i < doc->GetCatalogCount(); ++i) {
            yqCatalog* c = doc->GetCatalog(i);
            CString root = c->GetRootPath();
            if (root.GetLength() > 3)
                root = root.Left(root.GetLength() - 1);
            const int icon = CVendaroExplorerApp::GetDriveIconIndex(root);
            tree.InsertItem(c->GetTitle(), icon, icon, m_hCatalogRoot);
        }
    }
    m_hDesktopRoot = tree.InsertItem("ﾃﾞｽｸﾄｯﾌﾟ", 2, 2);
}

void CLeftView::SelectStartNode()
{
    HTREEITEM item = m_hCatalogRoot ? m_hCatalogRoot : m_hDesktopRoot;
    if (item)
        GetTreeCtrl().SelectItem(item);
}

BOOL CLeftView::RestorePosition(const CTreePosition& pos)
{
    if (pos.strCurrentText.IsEmpty())
        return FALSE;
    CTreeCtrl& tree = GetTreeCtrl();
    for (HTREEITEM top = tree.GetRootItem(); top; top = tree.GetNextSiblingItem(top)) {
        for (HTREEITEM item = top; item; item = item == top ? tree.GetChildItem(top) : tree.GetNextSiblingItem(item)) {
            if (tree.GetItemText(item) == pos.strCurrentText && tree.GetItemText(top) == pos.strRootText) {
                tree.SelectItem(item);
                return TRUE;
            }
        }
    }
    return FALSE;
}

void CLeftView::SelectFallbackNode()
{
    HTREEITEM item = m_hCatalogRoot ? m_hCatalogRoot : m_hDesktopRoot;
    if (!item)
        return;
    CTreeCtrl& tree = GetTreeCtrl();
    tree.SelectItem(item);
    tree.Expand(item, TVE_EXPAND);
    if (HTREEITEM child = tree.GetChildItem(item))
        tree.SelectItem(child);
}

BOOL CLeftView::GoBack(BOOL) { return FALSE; }
BOOL CLeftView::GoForward(BOOL) { return FALSE; }

BOOL CLeftView::GetPosition(CTreePosition& pos)
{
    CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM item = tree.GetSelectedItem();
    if (!item)
        return FALSE;
    pos.strCurrentText = tree.GetItemText(item);
    HTREEITEM top = item;
    while (HTREEITEM parent = tree.GetParentItem(top))
        top = parent;
    pos.strRootText = tree.GetItemText(top);
    const UINT state = tree.GetItemState(item, TVIS_EXPANDED | TVIS_SELECTED);
    pos.bExpanded = (state & TVIS_EXPANDED) != 0;
    pos.bSelected = (state & TVIS_SELECTED) != 0;
    return TRUE;
}

void CLeftView::AddCatalogNode(yqCatalog* catalog, int icon)
{
    CTreeCtrl& tree = GetTreeCtrl();
    if (!m_hCatalogRoot)
        m_hCatalogRoot = tree.InsertItem("Vendaro", 0, 0, TVI_ROOT, TVI_FIRST);
    HTREEITEM item = tree.InsertItem(catalog->GetTitle(), icon, icon, m_hCatalogRoot);
    tree.Expand(m_hCatalogRoot, TVE_EXPAND);
    tree.SelectItem(item);
}
