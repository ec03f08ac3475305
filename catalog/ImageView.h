// The scrolling grid of thumbnail cells that the folder, item and sub-item views share.
#pragma once

#include <afxwin.h>

#include <functional>
#include <vector>

#include "ThumbItem.h"

class CBaseImage;
class CMainFrame;
class CLeftView;
class CToolTipCtrl;

// Read by the cell comparators: the caption to compare and the direction.
extern int g_sortCaption;
extern int g_sortAscending;

// qsort comparators over CThumbImageItem* elements.
int CompareCellsByCaption(const void* a, const void* b);
int CompareCellsByPrice(const void* a, const void* b);
int CompareCellsBySize(const void* a, const void* b);

// Paints a view through an off-screen bitmap of the clip box (directly when printing or with
// nothing to paint): `paint` gets the DC to draw on, filled white, and the logical clip box.
void PaintOffscreen(CView* view, CDC* dc, const std::function<void(CDC* target, const CRect& box)>& paint);

// The picture class for a path's last four characters (".BMP", ".TIF", ".JPG", ".PNG", the
// metafile endings ".WMF", ".EMF", ".KXQ", ".DXF"), read from the path; NULL otherwise or when
// it cannot be read. `clip` goes to a metafile before reading, when given.
CBaseImage* ReadPictureFile(const char* path, const CRect* clip);

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
    BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE) override;
    BOOL OnPreparePrinting(CPrintInfo* info) override;

    CRect m_rcPaintClip;
    int m_nMarginX = 20;
    int m_nMarginY = 20;
    std::vector<CThumbImageItem*> m_cells;  // owned, in display order
    int m_nCellWidth = 100;
    int m_nCellHeight = 100;

    // The first cell under a logical point, or -1.
    int CellAt(CPoint logical) const;
    // The part of the grid in the client area, in logical coordinates.
    CRect VisibleLogicalRect() const;
    // The cells that lie (partly) in the client area, in display order.
    std::vector<size_t> VisibleCells() const;
    // Repaints one cell at once.
    void RepaintCell(CThumbImageItem* cell);

protected:
    CMainFrame* Frame() const;
    CLeftView* Tree() const;
    // The cells' tool-tip control emptied of its tools, made when missing: always shown,
    // wide tips.
    void RenewToolTips(CToolTipCtrl*& tips);
    // One tool over where the cell is in the client area; the text NULL for text asked on
    // demand. Tools are made for the cells in view only (VisibleCells).
    void AddCellTool(CToolTipCtrl* tips, UINT_PTR id, const CThumbImageItem* cell, const char* text);
    // The drag-detect rectangle: a move of two pixels or less from the press stays inside.
    static CRect DragDetectRect(CPoint client) { return CRect(client.x - 2, client.y - 2, client.x + 3, client.y + 3); }
    // Sorts the cells with a qsort comparator.
    void SortCellsWith(int (*compare)(const void*, const void*));

    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
