// The scrolling grid of thumbnail cells that the folder, item and sub-item views share.
#pragma once

#include <afxwin.h>

#include <vector>

#include "ThumbItem.h"

class CBaseImage;

// Read by the cell comparators: the caption to compare and the direction.
extern int g_sortCaption;
extern int g_sortAscending;

// qsort comparators over CThumbImageItem* elements.
int CompareCellsByCaption(const void* a, const void* b);
int CompareCellsByPrice(const void* a, const void* b);
int CompareCellsBySize(const void* a, const void* b);

class CImageView : public CScrollView {
    DECLARE_DYNCREATE(CImageView)
public:
    CImageView();
    ~CImageView() override;

    virtual void BuildToolTips() {}
    virtual void LayoutCells();
    virtual void SortCells(int column, BOOL ascending);

    // A new picture read from the path, of the class its ending names, or NULL.
    CBaseImage* LoadCellImage(const char* path);
    // Deletes every cell; no layout, no repaint.
    void DeleteAllCells();

    void OnInitialUpdate() override;
    void OnDraw(CDC* dc) override;
    BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE) override;
    BOOL OnPreparePrinting(CPrintInfo* info) override;

    CRect m_rcPaintClip;
    int m_nMarginX = 20;
    int m_nMarginY = 20;
    std::vector<CThumbImageItem*> m_cells;  // owned, in display order
    int m_nCellWidth = 100;
    int m_nCellHeight = 100;

protected:
    // Sorts the cells with a qsort comparator.
    void SortCellsWith(int (*compare)(const void*, const void*));

    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
