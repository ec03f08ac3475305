// The frame's commands on the right pane: view modes, the 並び替え commands and their
// submenu's greying, and the drags out of the tree and the report list.
#include "MainFrame.h"

#include <memory>
#include <vector>

#include "DirImgView.h"
#include "DragDropSource.h"
#include "DragImage.h"
#include "FileInfoRecord.h"
#include "HandOver.h"
#include "LeftView.h"
#include "MyListCtrl.h"
#include "TreeNode.h"
#include "VendaroExplorerApp.h"
#include "resource.h"
#include "yqItem.h"
#include "yqItemView.h"
#include "yqListView.h"

namespace {

// The text of the last sort command carried out.
CString g_lastSortText;

bool IsThumbnailView(CView* view) { return dynamic_cast<yqItemView*>(view) || dynamic_cast<CDirImgView*>(view); }

}  // namespace

void CMainFrame::ChangeListStyle(UINT id)
{
    auto* list = dynamic_cast<yqListView*>(GetRightView());
    CVendaroExplorerApp* app = GetVendaroApp();
    if (!list || !app)
        return;
    CListCtrl& ctrl = list->GetListCtrl();
    if (id == ID_VIEW_ARRANGE) {
        ListView_SetImageList(ctrl.m_hWnd, app->m_imageListSmall.m_hImageList, LVSIL_SMALL);
        ctrl.Arrange(LVA_SNAPTOGRID);
        return;
    }
    DWORD style = LVS_REPORT;
    if (id == ID_VIEW_SMALLICON)
        style = LVS_SMALLICON;
    else if (id == ID_VIEW_THUMBNAILS)
        style = LVS_ICON | LVS_AUTOARRANGE;
    else if (id == ID_VIEW_LIST)
        style = LVS_LIST;
    if (id == ID_VIEW_THUMBNAILS)
        ListView_SetImageList(ctrl.m_hWnd, app->m_imageListLarge.m_hImageList, LVSIL_NORMAL);
    else
        ListView_SetImageList(ctrl.m_hWnd, app->m_imageListSmall.m_hImageList, LVSIL_SMALL);
    ctrl.ModifyStyle(LVS_TYPEMASK | LVS_AUTOARRANGE, style);
    m_nListMode = int(style);
}

void CMainFrame::RefillItemList(CTreeNode* node)
{
    ClearItemList();
    for (CTreeNode* c : node->m_children)
        if (c->m_nFlags != CTreeNode::kPlaceholder)
            if (yqItem* item = c->GetItem())
                m_itemList.push_back(item);
}

void CMainFrame::OnViewMode(UINT id)
{
    CLeftView* tree = GetLeftView();
    CTreeNode* node = tree ? tree->GetCurrentNode() : nullptr;
    if (!node)
        return;
    CTreeNode* top = CTreeNode::GetTopNode(node);
    CView* right = GetRightView();
    const bool list = dynamic_cast<yqListView*>(right) != nullptr;
    const bool thumbs = IsThumbnailView(right);
    if (id == ID_VIEW_THUMBNAILS)
        m_nListMode = 256;
    auto emptyList = [&] {
        SwitchRightView(0);
        ChangeListStyle(id);
    };
    if (top && (top == tree->m_pVendaroRoot || top == tree->m_pSearchRoot)) {
        const bool filled = node->m_nFlags == CTreeNode::kFilled;
        if (list) {
            if (id == ID_VIEW_THUMBNAILS && filled) {
                RefillItemList(node);
                if (auto* view = dynamic_cast<yqItemView*>(SwitchRightView(3))) {
                    CWaitCursor wait;
                    view->ShowItems(m_itemList);
                    const SortState& s = GetSortState(3);
                    view->SortCells(s.column, s.bAscending);
                    view->LayoutCells();
                    view->Invalidate();
                }
            } else {
                ChangeListStyle(id);
            }
        } else if (thumbs && filled) {
            if (id == ID_VIEW_THUMBNAILS)
                return;
            if (top == tree->m_pSearchRoot)
                RefillItemList(node);
            if (auto* view = dynamic_cast<yqListView*>(SwitchRightView(0))) {
                view->ShowItems(m_itemList);
                const SortState& s = GetSortState(3);
                view->SortItems(s.column, s.bAscending);
            }
            ChangeListStyle(id);
        } else if (thumbs) {
            emptyList();
        }
    } else if (top && (top == tree->m_pDesktop || top == tree->m_pImageRoot)) {
        if (list) {
            if (id == ID_VIEW_THUMBNAILS) {
                if (auto* view = dynamic_cast<CDirImgView*>(SwitchRightView(2))) {
                    CWaitCursor wait;
                    view->ShowNode(node);
                    const SortState& s = GetSortState(7);
                    view->SortCells(s.column, s.bAscending);
                    view->LayoutCells();
                    view->Invalidate();
                }
            } else {
                ChangeListStyle(id);
            }
        } else if (thumbs && ((node->m_nFlags & 0xFF00) || (top == tree->m_pImageRoot && (node->m_nFlags & 5)))) {
            if (id == ID_VIEW_THUMBNAILS)
                return;
            if (auto* view = dynamic_cast<yqListView*>(SwitchRightView(0))) {
                view->ShowFolder(node);
                const SortState& s = GetSortState(7);
                view->SortItems(s.column, s.bAscending);
            }
            ChangeListStyle(id);
        } else if (thumbs) {
            emptyList();
        }
    }
}

void CMainFrame::OnUpdateViewMode(CCmdUI* cmdUI)
{
    CView* right = GetRightView();
    auto* list = dynamic_cast<yqListView*>(right);
    const bool thumbs = IsThumbnailView(right);
    CLeftView* tree = GetLeftView();
    CVendaroExplorerApp* app = GetVendaroApp();
    const bool busy = app && app->m_bBusy;
    BOOL enable = (list || thumbs) && !busy && tree && tree->GetCurrentNode();
    const DWORD type = list ? list->GetStyle() & LVS_TYPEMASK : LVS_ICON;
    if (cmdUI->m_nID == ID_VIEW_ARRANGE)
        enable = enable && (thumbs || type == LVS_ICON || type == LVS_SMALLICON);
    cmdUI->Enable(enable);
    switch (cmdUI->m_nID) {
    case ID_VIEW_THUMBNAILS: cmdUI->SetCheck(thumbs || (list && type == LVS_ICON)); break;
    case ID_VIEW_LIST: cmdUI->SetCheck(list && type == LVS_LIST); break;
    case ID_VIEW_DETAIL: cmdUI->SetCheck(list && type == LVS_REPORT); break;
    default: cmdUI->SetCheck(0); break;
    }
}

void CMainFrame::OnInitMenu(CMenu* menu)
{
    CFrameWnd::OnInitMenu(menu);
    CMenu* bar = GetMenu();
    CMenu* view = bar ? bar->GetSubMenu(2) : nullptr;
    if (view)
        view->EnableMenuItem(9, MF_BYPOSITION |
                                    (m_nRightViewIndex == 1 || m_nRightViewIndex == 4 ? MF_GRAYED : MF_ENABLED));
}

void CMainFrame::OnSortCommand(UINT id)
{
    const int i = int(id - ID_SORT_FIRST);
    const int column = i / 2;
    const BOOL ascending = i % 2 == 0;
    CMenu* bar = GetMenu();
    CMenu* view = bar ? bar->GetSubMenu(2) : nullptr;
    CMenu* sort = view ? view->GetSubMenu(9) : nullptr;
    CString text;
    if (sort) {
        for (int p = 0; p < 8; ++p)
            sort->CheckMenuItem(p, MF_BYPOSITION | (p == i ? MF_CHECKED : MF_UNCHECKED));
        sort->GetMenuString(i, text, MF_BYPOSITION);
    }
    CView* right = GetRightView();
    CVendaroExplorerApp* app = GetVendaroApp();
    if (!right || !right->GetSafeHwnd() || (app && app->m_bBusy) || text == g_lastSortText)
        return;
    if (auto* list = dynamic_cast<yqListView*>(right); list && list->GetKind() != 0) {
        g_lastSortText = text;
        SortState& s = GetSortState(list->GetKind());
        s.bAscending = ascending;
        s.column = column;
        list->SortItems(column, ascending);
    } else if (auto* items = dynamic_cast<yqItemView*>(right)) {
        g_lastSortText = text;
        SortState& s = GetSortState(3);
        s.bAscending = ascending;
        s.column = column;
        items->SortCells(column, ascending);
        items->LayoutCells();
        items->Invalidate();
    } else if (auto* files = dynamic_cast<CDirImgView*>(right)) {
        g_lastSortText = text;
        SortState& s = GetSortState(7);
        s.bAscending = ascending;
        s.column = column;
        files->SortCells(column, ascending);
        files->LayoutCells();
        files->Invalidate();
    } else {
        g_lastSortText.Empty();
    }
}

void CMainFrame::OnTreeBeginDrag(NMHDR* nmhdr, LRESULT* result)
{
    *result = 0;
    auto* nm = reinterpret_cast<NMTREEVIEW*>(nmhdr);
    CLeftView* tree = GetLeftView();
    if (!tree || nmhdr->hwndFrom != tree->GetSafeHwnd())
        return;
    CTreeNode* node = tree->GetNode(nm->itemNew.hItem);
    if (!node || node->m_nFlags != CTreeNode::kItem)
        return;
    CTreeCtrl& ctrl = tree->GetTreeCtrl();
    std::unique_ptr<CImageList> made(static_cast<CMyTreeCtrl&>(ctrl).CreateDragImageEx(nm->itemNew.hItem));
    auto* image = dynamic_cast<CDragImage*>(made.get());
    if (!image)
        return;
    ctrl.SelectDropTarget(nm->itemNew.hItem);
    CRect label;
    ctrl.GetItemRect(nm->itemNew.hItem, &label, TRUE);
    IMAGEINFO info{};
    image->GetImageInfo(0, &info);
    const CPoint hot(nm->ptDrag.x - (label.right - info.rcImage.right), nm->ptDrag.y - label.top);
    CTreeNode* top = CTreeNode::GetTopNode(node);
    if (top && top == tree->m_pImageRoot) {
        CFileInfoRecord* record = node->GetRecord();
        const CString path = record ? record->m_strPath : CString();
        RunImageDrag(image, hot, this, [&path](COleDropSource* s) { return DoDragDropFile(path, s); });
    } else if (yqItem* item = node->GetItem()) {
        AddDragItem(*item);
        RunImageDrag(image, hot, this, [](COleDropSource* s) { return DoDragDropPending(s); });
    }
    if (ctrl.GetSafeHwnd())
        ctrl.SelectDropTarget(nullptr);
}

void CMainFrame::OnListBeginDrag(NMHDR* nmhdr, LRESULT* result)
{
    *result = 0;
    auto* nm = reinterpret_cast<NMLISTVIEW*>(nmhdr);
    auto* list = dynamic_cast<yqListView*>(GetRightView());
    if (!list || nmhdr->hwndFrom != list->GetSafeHwnd())
        return;
    const int kind = list->GetKind();
    if (kind != yqListView::kItems && kind != yqListView::kFiles)
        return;
    auto& ctrl = static_cast<CMyListCtrl&>(list->GetListCtrl());
    const int row = ctrl.GetSelectedCount() > 1 ? -1 : nm->iItem;
    CPoint topLeft;
    std::unique_ptr<CImageList> made(ctrl.CreateDragImageEx(row, &topLeft));
    auto* image = dynamic_cast<CDragImage*>(made.get());
    if (!image)
        return;
    CRect bounds;
    ctrl.GetItemsRect(row, &bounds, LVIR_BOUNDS);
    const CPoint hot = CPoint(nm->ptAction) - bounds.TopLeft();
    std::vector<int> rows;
    if (row >= 0)
        rows.push_back(row);
    else
        for (int r = ctrl.GetNextItem(-1, LVNI_SELECTED); r >= 0; r = ctrl.GetNextItem(r, LVNI_SELECTED))
            rows.push_back(r);
    CLeftView* tree = GetLeftView();
    for (int r : rows) {
        const DWORD_PTR param = ctrl.GetItemData(r);
        if (kind == yqListView::kItems) {
            if (auto* item = reinterpret_cast<yqItem*>(param))
                AddDragItem(*item);
            continue;
        }
        // A subfolder's row: the record of its node; a picture's row: its own.
        if (param >= list->GetRows().size())
            continue;
        const yqListRow& entry = list->GetRows()[param];
        CFileInfoRecord* record = entry.pRecord;
        if (CTreeNode* n = tree ? tree->GetNode(entry.hItem) : nullptr; !record && n)
            record = n->GetRecord();
        if (record && !record->m_strPath.IsEmpty())
            AddDragFilePath(record->m_strPath);
    }
    RunImageDrag(image, hot, this, [](COleDropSource* s) { return DoDragDropPending(s); });
}
