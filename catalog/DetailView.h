// The detail form of one catalogue item: a preview of its picture, two labelled values, its
// information text, and its further pictures in the detail row below.
#pragma once

#include <afxwin.h>

class CBaseImage;
class CDragImage;
class yqItem;

// The form's preview pane: the picture fitted inside a 3-D frame.
class CPreviewWnd : public CWnd {
public:
    CPreviewWnd() = default;
    ~CPreviewWnd() override;

    // Nonzero when the picture (by its ending) was read; otherwise the pane shows none.
    BOOL SetImage(const char* path);
    // The picture fitted into the pane, for dragging; NULL without a picture.
    CDragImage* CreateDragImage();

    CString m_strPath;
    CBaseImage* m_pImage = nullptr;  // owned

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

class CDetailView : public CFormView {
    DECLARE_DYNCREATE(CDetailView)
public:
    CDetailView();

    void ShowItem(yqItem* item);
    // Refills the detail row with the item's further pictures and shows or hides it.
    void ShowSubItems();

    CStatic m_label1, m_label2, m_label3;
    CEdit m_value1, m_value2, m_info;
    CPreviewWnd m_preview;
    yqItem* m_pItem = nullptr;  // not owned
    CRect m_rcDragDetect;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnInitialUpdate() override;

    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnEditCopy();
    afx_msg void OnPasteToBoard();
    afx_msg void OnUpdateAlways(CCmdUI* cmdUI) { cmdUI->Enable(TRUE); }
    DECLARE_MESSAGE_MAP()
};
