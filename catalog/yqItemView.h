// Thumbnails of catalogue items (the right pane) and of one item's further pictures (the
// detail row).
#pragma once

#include "ImageView.h"

class CToolTipCtrl;
class yqItem;
struct yqItemPicture;

// The picture endings that get an item or further-picture cell.
bool HasItemCellPicture(const char* path);

class yqItemView : public CImageView {
    DECLARE_DYNCREATE(yqItemView)
public:
    yqItemView();
    ~yqItemView() override;

    // A cell per item with a picture of the listed endings; the status counts every item.
    void ShowItems(const std::vector<yqItem*>& items);
    void AddItemCell(yqItem* item);
    void LayoutCells() override;
    void SortCells(int column, BOOL ascending) override;
    void BuildToolTips() override;

    CToolTipCtrl* m_pToolTip = nullptr;  // owned
    int m_nPressed = -1;
    CRect m_rcDragDetect;

protected:
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    std::vector<CString> m_tipTexts;  // the fixed tool texts, alive as long as the tools
};

class yqSubItemView : public CImageView {
    DECLARE_DYNCREATE(yqSubItemView)
public:
    yqSubItemView();
    ~yqSubItemView() override;

    void AddSubItemCell(const yqItemPicture& picture);
    void LayoutCells() override;
    void BuildToolTips() override;
    // The full texts of the cell's non-empty captions, a line each.
    static CString JoinCaptions(const CThumbImageItem* cell);

    CToolTipCtrl* m_pToolTip = nullptr;  // owned
    int m_nPressed = -1;
    CRect m_rcDragDetect;

protected:
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg BOOL OnToolTipText(UINT id, NMHDR* nmhdr, LRESULT* result);
    DECLARE_MESSAGE_MAP()

    CString m_strTip;  // the tip handed out: captions may be longer than the notification's buffer
};
