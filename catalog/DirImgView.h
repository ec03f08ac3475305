// The right pane's thumbnails of an image folder, of an image search's finds, or of the
// folders and drives below a tree node.
#pragma once

#include "ImageView.h"

class CTreeNode;
class CToolTipCtrl;

class CDirImgView : public CImageView {
    DECLARE_DYNCREATE(CDirImgView)
public:
    CDirImgView();
    ~CDirImgView() override;

    // Fills the cells from a node: its found files and folders, then its own picture files.
    // No layout.
    void ShowNode(CTreeNode* node);
    // The node's folder's picture files, in the order the search finds them.
    void ShowFolderFiles(CTreeNode* node);
    void LayoutCells() override;
    void SortCells(int column, BOOL ascending) override;
    void BuildToolTips() override;
    void OnInitialUpdate() override;

    // Reads every cell's picture in order, announcing each with WM_USER+2 between WM_USER+1
    // and WM_USER+3. Nothing starts it as a thread; it runs where it is called.
    static UINT LoadAllCellImages(LPVOID view);

    int GetSelectedFileCount() const { return m_nSelectedFiles; }
    // The paths of the selected file cells, in cell order.
    std::vector<CString> SelectedFilePaths() const;
    // The drag image of the selected files and its rectangle (client); adds each path to the
    // pending drag. NULL without a selected file.
    CDragImage* CreateSelectionDragImage(CRect& rect);

    CEdit* m_pNameBox = nullptr;      // owned
    CToolTipCtrl* m_pToolTip = nullptr;  // owned
    int m_nSelectedFiles = 0;
    CRect m_rcDragDetect;

protected:
    void AddFileCell(const char* path, const char* name, const char* size);
    void AddFolderCell(CTreeNode* node);

    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    afx_msg BOOL OnToolTipText(UINT id, NMHDR* nmhdr, LRESULT* result);
    afx_msg void OnEditCopy();
    afx_msg void OnPasteToBoard();
    afx_msg void OnUpdateFileCommand(CCmdUI* cmdUI);
    afx_msg LRESULT OnLoaderStart(WPARAM, LPARAM) { return 0; }
    afx_msg LRESULT OnLoaderCell(WPARAM index, LPARAM);
    afx_msg LRESULT OnLoaderEnd(WPARAM, LPARAM) { return 0; }
    DECLARE_MESSAGE_MAP()

    CString m_strTip;  // the tip text handed out: a path may be longer than the notification's buffer
};
