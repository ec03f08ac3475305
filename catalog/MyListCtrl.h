// Drag images of the report list's rows and of tree items. Never constructed: the report
// list and the tree call these on their own controls.
#pragma once

#include <afxcmn.h>

class CMyListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CMyListCtrl)
public:
    // Row >= 0: the control's rectangle of that row. -1: the union over the selected rows
    // (empty when none); FALSE when one cannot be measured.
    BOOL GetItemsRect(int row, RECT* rect, UINT code) const;
    // A CDragImage of one row, or (-1) a CDragFrame outlining the selected rows; NULL with no
    // window or in large-icon view. The caller deletes it.
    CImageList* CreateDragImageEx(int row, POINT* topLeft);
};

class CMyTreeCtrl : public CTreeCtrl {
    DECLARE_DYNAMIC(CMyTreeCtrl)
public:
    CImageList* CreateDragImageEx(HTREEITEM item);
};
