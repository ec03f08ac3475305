#include "MyListCtrl.h"

#include <vector>

#include "DragImage.h"

IMPLEMENT_DYNAMIC(CMyListCtrl, CListCtrl)
IMPLEMENT_DYNAMIC(CMyTreeCtrl, CTreeCtrl)

BOOL CMyListCtrl::GetItemsRect(int row, RECT* rect, UINT code) const
{
    if (row >= 0)
        return ListView_GetItemRect(m_hWnd, row, rect, code);
    CRect all(0, 0, 0, 0);
    for (int r = ListView_GetNextItem(m_hWnd, -1, LVNI_SELECTED); r >= 0;
         r = ListView_GetNextItem(m_hWnd, r, LVNI_SELECTED)) {
        CRect one;
        if (!ListView_GetItemRect(m_hWnd, r, &one, code))
            return FALSE;
        if (all.IsRectEmpty())
            all = one;
        else
            all.UnionRect(&all, &one);
    }
    *rect = all;
    return TRUE;
}

CImageList* CMyListCtrl::CreateDragImageEx(int row, POINT* topLeft)
{
    if (!m_hWnd || (GetStyle() & LVS_TYPEMASK) == LVS_ICON)
        return nullptr;
    if (row >= 0) {
        HIMAGELIST list = ListView_CreateDragImage(m_hWnd, row, topLeft);
        if (!list)
            return nullptr;
        auto* image = new CDragImage;
        image->Attach(list);
        return image;
    }
    CRect all;
    if (!GetItemsRect(-1, &all, LVIR_BOUNDS))
        return nullptr;
    std::vector<OutlineShape> shapes;
    for (int r = ListView_GetNextItem(m_hWnd, -1, LVNI_SELECTED); r >= 0;
         r = ListView_GetNextItem(m_hWnd, r, LVNI_SELECTED)) {
        OutlineShape s;
        ListView_GetItemRect(m_hWnd, r, &s.box, LVIR_ICON);
        ListView_GetItemRect(m_hWnd, r, &s.label, LVIR_LABEL);
        s.box.OffsetRect(-all.TopLeft());
        s.label.OffsetRect(-all.TopLeft());
        shapes.push_back(s);
    }
    if (topLeft)
        *topLeft = all.TopLeft();
    return CreateOutlineDragImage(shapes, all.Size());
}

CImageList* CMyTreeCtrl::CreateDragImageEx(HTREEITEM item)
{
    HIMAGELIST list = m_hWnd ? TreeView_CreateDragImage(m_hWnd, item) : nullptr;
    if (!list)
        return nullptr;
    auto* image = new CDragImage;
    image->Attach(list);
    return image;
}
